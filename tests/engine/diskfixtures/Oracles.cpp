#include "tests/engine/diskfixtures/Oracles.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace morvick::test {

std::vector<uint8_t> ReadBinaryFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

std::string ReadTextFile(const std::string& path)
{
    const std::vector<uint8_t> bytes = ReadBinaryFile(path);
    return std::string(bytes.begin(), bytes.end());
}

namespace {
std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    return parts;
}
}  // namespace

std::vector<FlsEntry> ReadFls(const std::string& path)
{
    std::vector<FlsEntry> entries;
    for (const std::string& line : Split(ReadTextFile(path), '\n')) {
        const std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() < 7)
            continue;
        // "r/r * 523:" or "d/d 64-144-2:"
        std::istringstream head(fields[0]);
        FlsEntry e;
        std::string word;
        head >> e.type >> word;
        if (word == "*") {
            e.deleted = true;
            head >> word;
        }
        if (!word.empty() && word.back() == ':')
            word.pop_back();
        e.address = word;
        e.inode = std::strtoull(word.c_str(), nullptr, 10);
        e.path = fields[1];
        e.size = std::strtoull(fields[6].c_str(), nullptr, 10);
        entries.push_back(e);
    }
    return entries;
}

std::vector<SfdiskEntry> ReadSfdisk(const std::string& path)
{
    std::vector<SfdiskEntry> entries;
    for (const std::string& line : Split(ReadTextFile(path), '\n')) {
        const size_t start = line.find("start=");
        const size_t size = line.find("size=");
        const size_t type = line.find("type=");
        if (start == std::string::npos || size == std::string::npos || type == std::string::npos)
            continue;
        SfdiskEntry e;
        e.start = std::strtoull(line.c_str() + start + 6, nullptr, 10);
        e.size = std::strtoull(line.c_str() + size + 5, nullptr, 10);
        e.type = static_cast<unsigned>(std::strtoul(line.c_str() + type + 5, nullptr, 16));
        entries.push_back(e);
    }
    return entries;
}

}  // namespace morvick::test
