// The files a saver wrote below a folder, keyed so that two savers' folders can be compared.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace morvick::test {

// A relative path as two savers can be compared: lower case (FAT short names differ in case) and,
// with `maskDeletedMark`, the first character of every part masked where a deleted FAT entry lost it
// ("_" from sleuthkit, "x" from the engine).
std::string ComparablePath(const std::filesystem::path& relative, bool maskDeletedMark);

// Every regular file below `root` by its comparable path (nothing when `root` does not exist).
std::map<std::string, std::filesystem::path> FilesBelow(const std::filesystem::path& root, bool maskDeletedMark);

}  // namespace morvick::test
