#include "tests/engine/diskfixtures/SavedFiles.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

std::string WholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string ComparablePath(const fs::path& relative, bool maskDeletedMark)
{
    std::string key;
    for (const fs::path& part : relative) {
        std::string p = part.u8string();
        for (char& c : p)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (maskDeletedMark && !p.empty() && (p[0] == '_' || p[0] == 'x'))
            p[0] = '?';
        key += "/" + p;
    }
    return key;
}

std::map<std::string, fs::path> FilesBelow(const fs::path& root, bool maskDeletedMark)
{
    std::map<std::string, fs::path> files;
    if (!fs::exists(root))
        return files;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file())
            files[ComparablePath(fs::relative(e.path(), root), maskDeletedMark)] = e.path();
    }
    return files;
}

std::map<std::string, fs::path> FilesOutside(const std::map<std::string, fs::path>& files, const std::string& prefix)
{
    std::map<std::string, fs::path> outside;
    for (const auto& [key, path] : files) {
        if (key.rfind(prefix, 0) != 0)
            outside.emplace(key, path);
    }
    return outside;
}

size_t ExpectSameBytes(const std::map<std::string, fs::path>& ours, const std::map<std::string, fs::path>& theirs)
{
    size_t same = 0;
    for (const auto& [key, path] : theirs) {
        auto it = ours.find(key);
        if (it == ours.end()) {
            ADD_FAILURE() << "not saved: " << key;
            continue;
        }
        const bool equal = WholeFile(it->second) == WholeFile(path);
        EXPECT_TRUE(equal) << key;
        same += equal;
    }
    return same;
}

bool Listed(const std::vector<std::u16string>& paths, const std::u16string& name)
{
    for (const std::u16string& p : paths) {
        if (p.size() > name.size() && p.compare(p.size() - name.size(), name.size(), name) == 0 &&
            (p[p.size() - name.size() - 1] == u'\\' || p[p.size() - name.size() - 1] == u'/'))
            return true;
    }
    return false;
}

}  // namespace morvick::test
