// An INDX record of a folder index, as the sector search finds it, and the folder entries it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace morvick {

constexpr size_t kMaxIndexRecordSize = 65536;

// The record's size from its header (allocated size of the entries + 24). 0 when the header is not
// "INDX" or the size is not a multiple of 512 from 512 to 65,536 bytes.
uint32_t IndexRecordSize(const uint8_t* header, size_t length);

struct IndexRecordInfo {
    uint32_t owner = 0;  // record number of the folder: the parent in the first entry's key
    uint32_t vcn = 0;    // low 32 bits
    uint8_t sectors = 0;
};

// Applies the fix-ups to a whole record (`length` = IndexRecordSize) and takes its owner and VCN.
// False when the size, the fix-ups or the first entry are damaged, or the owner is 4 or less or
// 0xFFFFFFFF.
bool ParseIndexRecord(uint8_t* record, size_t length, IndexRecordInfo& out);

struct IndexFolderEntry {
    uint32_t fileReference = 0;    // low 32 bits: the MFT number
    uint32_t parentReference = 0;  // low 32 bits
    uint64_t creationTime = 0;
    std::u16string name;
};

// Calls `sink` for every folder entry (directory flag 0x10000000 in the $FILE_NAME flags) of a
// fixed-up INDX record of `length` bytes, in order. The walk stays inside the entries in use and
// ends at the last entry, an entry shorter than its header, or a name that would run past the end.
void ForEachIndexFolderEntry(const uint8_t* record, size_t length,
    const std::function<void(const IndexFolderEntry&)>& sink);

}  // namespace morvick
