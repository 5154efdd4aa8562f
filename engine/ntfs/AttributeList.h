// The $ATTRIBUTE_LIST of an MFT record: which records hold the parts of a file's attributes.
#pragma once

#include "engine/volume/SectorSource.h"

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

// Where a volume's clusters lie on the disk.
struct NtfsClusterMap {
    uint64_t clusterBase = 0;  // sector of cluster 0: the volume's first sector
    uint32_t sectorsPerCluster = 0;
    uint64_t clusters = 0;  // clusters up to the volume's end; 0 when it is not known
};

// A non-resident attribute list is read up to this size, not over all the clusters its runs claim:
// real lists are a few KiB, and a damaged run would have gigabytes read for it.
constexpr uint64_t kMaxAttributeListBytes = 256 * 1024;

// The value of the attribute list of the fixed-up record of `length` bytes: a resident one as it
// stands, a non-resident one read from `disk` through its runs (up to its real size, at most
// kMaxAttributeListBytes). False when the record has none, or its runs are damaged, leave the volume
// or cannot be read.
bool ReadAttributeListValue(SectorSource& disk, const uint8_t* record, size_t length, const NtfsClusterMap& volume,
    std::vector<uint8_t>& value);

// The entries of the record's attribute list, resident or not (see ReadAttributeListValue); none when
// it has none or it cannot be read.
std::vector<AttributeListEntry> ReadAttributeList(SectorSource& disk, const uint8_t* record, size_t length,
    const NtfsClusterMap& volume);

}  // namespace morvick
