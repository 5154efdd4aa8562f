// The "$I30" folder index of an MFT record: its resident root and its index allocation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

// The parent number in the key of the first entry of the record's "$I30" index root: the folder's
// own record number. 0 when there is no root, the first entry has no key, or the number is
// 0xFFFFFFFF.
uint32_t GetIndexRootParent(const uint8_t* record, size_t length);

// The first cluster of the record's non-resident "$I30" index allocation (its first run's offset).
// 0 when there is none or its run list is damaged.
uint64_t GetIndexAllocationStart(const uint8_t* record, size_t length);

}  // namespace morvick
