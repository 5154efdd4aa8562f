// A fresh folder under the system's temporary folder for one test, removed afterwards, with helpers
// that turn std::filesystem paths into the engine's UTF-16 paths.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return m_path; }
    std::u16string Path16() const;

private:
    std::filesystem::path m_path;
};

std::u16string ToPath16(const std::filesystem::path& path);
std::filesystem::path FromPath16(const std::u16string& path);
std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);
