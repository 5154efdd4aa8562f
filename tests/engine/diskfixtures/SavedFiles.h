// The files a saver wrote below a folder, keyed so that two savers' folders can be compared.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace morvick::test {

// A relative path as two savers can be compared: lower case (FAT short names differ in case) and,
// with `maskDeletedMark`, the first character of every part masked where a deleted FAT entry lost it
// ("_" from sleuthkit, "x" from the engine).
std::string ComparablePath(const std::filesystem::path& relative, bool maskDeletedMark);

// Every regular file below `root` by its comparable path (nothing when `root` does not exist).
std::map<std::string, std::filesystem::path> FilesBelow(const std::filesystem::path& root, bool maskDeletedMark);

// The files of `files` that do not lie below the folder `prefix` (a comparable path: "/links/").
std::map<std::string, std::filesystem::path> FilesOutside(const std::map<std::string, std::filesystem::path>& files,
    const std::string& prefix);

// Fails the test for each file of `theirs` (an oracle's files by comparable path) that `ours` lacks or
// holds with other bytes; returns how many it holds with the same bytes.
size_t ExpectSameBytes(const std::map<std::string, std::filesystem::path>& ours,
    const std::map<std::string, std::filesystem::path>& theirs);

// True when one of a saver's reported paths (with "\\" or "/" between their parts) names a file
// called `name`.
bool Listed(const std::vector<std::u16string>& paths, const std::u16string& name);

}  // namespace morvick::test
