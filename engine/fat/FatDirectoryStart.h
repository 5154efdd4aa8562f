// The first sector of a FAT directory: its "." entry (the directory itself) and its ".." entry (its
// parent). The one test of "this sector starts a directory" that the Quick Scan, the Extensive
// Scan's search, the found-volume scan and the reconstruction of lost volume parameters share.
#pragma once

#include "engine/fat/FatDirectoryEntry.h"

#include <cstddef>
#include <cstdint>

namespace morvick {

struct FatDirectoryStart {
    uint32_t cluster = 0;        // the "." entry's first cluster: the directory's own
    uint32_t parentCluster = 0;  // the ".." entry's: 0 for a folder of the root
    uint16_t writeDate = 0;      // of the "." entry
    uint16_t writeTime = 0;
    uint16_t accessDate = 0;
    FatStamp created;
};

// True when the sector begins with a "." entry and a ".." entry: "." and a blank at byte 0, ".."
// and a blank at byte 32. False for a buffer shorter than the two entries. (Inline: the Extensive
// Scan asks it of every sector.)
inline bool IsFatDirectoryStart(const uint8_t* s, size_t size)
{
    return size >= 64 && s[0] == '.' && s[1] == ' ' && s[32] == '.' && s[33] == '.' && s[34] == ' ';
}

// Decodes the two entries of a directory's first sector; `fat32` decides whether the high cluster
// words at 20 count (a search that does not know the kind takes them). False when the sector does
// not start a directory.
bool ReadFatDirectoryStart(const uint8_t* sector, size_t size, bool fat32, FatDirectoryStart& out);

}  // namespace morvick
