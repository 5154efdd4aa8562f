// A cluster that goes on with a folder's entries after its first: nothing but directory entries, and
// none of them a "." entry (which only a folder's first cluster holds). What tells such a cluster
// from file data, once the FAT no longer links it to its folder (a deleted folder's chain is freed).
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

// True when every 32-byte entry of `data` is a directory entry as a FAT writer leaves it, up to an
// end-of-directory entry after which every byte is zero, and at least one short entry stands before
// that end: long-name parts with their fixed fields and characters as written; short entries with a
// name of valid characters, known attribute bits, sound times and dates (the last writing's set), a
// first cluster of the volume (`clusterCount` data clusters; FAT16 entries have no high word) and a
// size no file of the volume exceeds. `size` is a whole cluster.
bool IsFatDirectoryContinuation(const uint8_t* data, size_t size, bool fat32, uint32_t clusterCount,
    uint32_t bytesPerCluster);

// How many bytes of long-name parts of a deleted name stand at the start of `data` when they do not
// hold the end of that name: they are the beginning of a name whose last parts (and so its end) lie
// in the cluster before, which is not known. 0 when `data` begins otherwise.
size_t LeadingNameTailBytes(const uint8_t* data, size_t size);

// True when every short entry of `data` up to an end-of-directory entry is a deleted one (0xE5), as
// a deleted folder's are: the writer that deletes a folder marks each entry in it. Entries among free
// clusters that are not are a file's data (a disk image's folders, records shaped as entries).
bool HoldsDeletedEntriesOnly(const uint8_t* data, size_t size);

}  // namespace morvick
