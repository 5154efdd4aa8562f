// Links in a test's folder: a symbolic link to a file or to a folder, made as the system at hand
// can make it (natively symlink(2); under Wine, which cannot make Windows links, a Unix link made by
// a script, which Wine then shows as a file or a folder; on Windows a symbolic link).
#pragma once

#include <filesystem>

// A link at `link` to `target` (a folder when `folder`), removed again (the link itself) when the
// object goes: declare it after the test's TempFolder, since removing a folder would follow it.
class TestLink {
public:
    TestLink(const std::filesystem::path& target, const std::filesystem::path& link, bool folder);
    ~TestLink();
    TestLink(const TestLink&) = delete;
    TestLink& operator=(const TestLink&) = delete;

    // True when something is at the link's path.
    bool Made() const;

private:
    std::filesystem::path m_link;
};
