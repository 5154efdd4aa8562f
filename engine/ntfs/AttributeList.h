// The $ATTRIBUTE_LIST of an MFT record: which records hold the parts of a file's attributes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvick {

struct AttributeListEntry {
    uint32_t type = 0;
    uint64_t startVcn = 0;
    uint32_t record = 0;  // low 32 bits of the reference
};

// Decodes the entries of an attribute list value, stopping at an entry shorter than its fixed part,
// one that runs past the value, or a type of 0 or 0xFFFFFFFF.
std::vector<AttributeListEntry> ParseAttributeList(const uint8_t* value, size_t size);

// The record numbers named by the record's resident attribute list, in order (a non-resident list
// gives none; the MFT walk reads those itself).
std::vector<uint32_t> CollectAttributeListRecords(const uint8_t* record, size_t length);

}  // namespace morvick
