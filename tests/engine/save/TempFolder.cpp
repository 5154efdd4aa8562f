#include "tests/engine/save/TempFolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = fs::temp_directory_path() / ("morvick-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::u16string TempFolder::Path16() const
{
    return ToPath16(m_path);
}

std::u16string ToPath16(const fs::path& path)
{
    return path.u16string();
}

fs::path FromPath16(const std::u16string& path)
{
#ifdef _WIN32
    return fs::path(path);
#else
    std::u16string p(path);
    for (char16_t& c : p) {
        if (c == u'\\')
            c = u'/';
    }
    return fs::path(p);
#endif
}

std::string ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
