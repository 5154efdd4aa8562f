#include "tests/engine/signatures/SignatureTestFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#ifdef _WIN32
#include <process.h>
#define MORVICK_PID _getpid()
#else
#include <unistd.h>
#define MORVICK_PID getpid()
#endif

namespace {

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

void PutField(Bytes& out, const uint8_t* bytes, size_t length)
{
    out.push_back(static_cast<uint8_t>(length));
    out.push_back(static_cast<uint8_t>(length >> 8));
    out.insert(out.end(), bytes, bytes + length);
}

void PutText(Bytes& out, const std::string& text)
{
    PutField(out, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

} // namespace

Bytes ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<SourceRow> ReadSourceRows(const std::string& path)
{
    std::vector<SourceRow> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> columns;
        std::stringstream split(line);
        std::string column;
        while (std::getline(split, column, '|'))
            columns.push_back(Trim(column));
        if (columns.size() != 5 || columns[0].size() != 1)
            continue;
        rows.push_back({columns[0][0], columns[1], columns[2], columns[3], columns[4]});
    }
    return rows;
}

ScratchFile::ScratchFile(const std::string& name)
{
    m_path = (std::filesystem::temp_directory_path()
                 / ("morvick-" + std::to_string(MORVICK_PID) + "-" + name)).string();
}

ScratchFile::~ScratchFile()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::u16string ScratchFile::Path16() const
{
    return std::filesystem::path(m_path).u16string();
}

void ScratchFile::Write(const Bytes& bytes) const
{
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes MakeRecord(uint16_t word, char category, const std::string& extension, const std::string& description,
    const std::string& lengthText, const Bytes& signature, const Bytes& secondValue)
{
    Bytes out{static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(category)};
    PutText(out, extension);
    PutText(out, description);
    PutText(out, lengthText);
    PutField(out, signature.data(), signature.size());
    PutField(out, secondValue.data(), secondValue.size());
    return out;
}
