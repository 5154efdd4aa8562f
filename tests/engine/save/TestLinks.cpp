#include "tests/engine/save/TestLinks.h"

#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/RunScript.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// Wine's translation of a Windows path to its Unix path; empty on Windows itself.
std::string UnixPathUnderWine(const fs::path& path)
{
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    static const ToUnix toUnix =
        reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix)
        return std::string();
    char* unixPath = toUnix(fs::absolute(path).c_str());
    if (!unixPath)
        return std::string();
    std::string result(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

void RunLinkScript(const std::vector<std::string>& args)
{
    morvick::test::RunFixtureScript(morvick::test::SourceDir() + "/tests/fixtures/make-link.sh", args);
}
#endif

}  // namespace

TestLink::TestLink(const fs::path& target, const fs::path& link, bool folder) : m_link(link)
{
#ifdef _WIN32
    const std::string unixTarget = UnixPathUnderWine(target);
    const std::string unixLink = UnixPathUnderWine(link);
    if (!unixTarget.empty() && !unixLink.empty()) {
        RunLinkScript({unixTarget, unixLink});
    } else {
        const DWORD flags = (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | 0x2;  // also without privileges
        CreateSymbolicLinkW(link.c_str(), fs::absolute(target).c_str(), flags);
    }
#else
    std::error_code ec;
    if (folder)
        fs::create_directory_symlink(target, link, ec);
    else
        fs::create_symlink(target, link, ec);
#endif
}

TestLink::~TestLink()
{
#ifdef _WIN32
    const std::string unixLink = UnixPathUnderWine(m_link);
    if (!unixLink.empty()) {
        RunLinkScript({"--remove", unixLink});
        return;
    }
    if (!RemoveDirectoryW(m_link.c_str()))
        DeleteFileW(m_link.c_str());
#else
    std::error_code ec;
    fs::remove(m_link, ec);
#endif
}

bool TestLink::Made() const
{
    std::error_code ec;
    return fs::symlink_status(m_link, ec).type() != fs::file_type::not_found;
}
