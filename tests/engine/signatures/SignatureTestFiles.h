// Files for the signature table tests: the generated table, its source rows, and scratch files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// One line of the readable source table.
struct SourceRow {
    char category;
    std::string extension;
    std::string description;
    std::string signatureHex;
    std::string secondValueHex;
};

Bytes ReadFileBytes(const std::string& path);
std::vector<SourceRow> ReadSourceRows(const std::string& path);

// A path in the temporary folder whose name holds the process id; the file is removed with the object.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    const std::string& Path() const { return m_path; }
    std::u16string Path16() const;
    void Write(const Bytes& bytes) const;

private:
    std::string m_path;
};

// One record in the table's byte layout.
Bytes MakeRecord(uint16_t word, char category, const std::string& extension, const std::string& description,
    const std::string& lengthText, const Bytes& signature, const Bytes& secondValue);
