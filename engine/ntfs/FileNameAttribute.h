// The $FILE_NAME attribute of an MFT record: name, parent folder and times.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvick {

constexpr uint8_t kNtfsNamespacePosix = 0;
constexpr uint8_t kNtfsNamespaceWin32 = 1;
constexpr uint8_t kNtfsNamespaceDos = 2;
constexpr uint8_t kNtfsNamespaceWin32AndDos = 3;

struct NtfsFileName {
    std::u16string name;
    uint32_t parent = 0;          // the parent's record number: the low 32 bits of its reference
    uint16_t parentHigh = 0;      // the number's high 16 bits, 0 on any volume the engine reads
    uint16_t parentSequence = 0;  // the parent record's sequence number when the name was written
    uint64_t creationTime = 0;    // FILETIME
    uint64_t changeTime = 0;      // MFT-change time, FILETIME
    uint32_t attributes = 0;      // the file's attribute flags; kNtfsFolderAttribute for a folder
    uint8_t nameSpace = 0;
};

constexpr uint32_t kNtfsFolderAttribute = 0x10000000;

// Decodes a $FILE_NAME value of `size` bytes. False when the name does not fit the value.
bool DecodeFileNameValue(const uint8_t* value, size_t size, NtfsFileName& out);

// The first unnamed $FILE_NAME of the record in the wanted name space (asking for Win32 also
// accepts POSIX). False when there is none.
bool ReadFileNameAttribute(const uint8_t* record, size_t length, uint8_t wantedNameSpace, NtfsFileName& out);

// The record's name as the engine lists it: Win32 (or POSIX), then Win32-and-DOS, then DOS.
bool ReadPreferredFileName(const uint8_t* record, size_t length, NtfsFileName& out);
// The same over several records of `length` bytes (the extension records of one file): the first
// name of the most preferred name space that any of them holds.
bool ReadPreferredFileName(const std::vector<const uint8_t*>& records, size_t length, NtfsFileName& out);

}  // namespace morvick
