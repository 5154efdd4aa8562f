// A small FAT16 volume built sector by sector for the tests of reading FAT folders: 8,400 sectors of
// two per cluster, one boot sector, two FATs of 17 sectors and a root of one sector, cluster 2 at
// sector 36. It opens from a dynamic VHD of one sector per block, so that a single sector can be made
// unreadable (its block placed past the end of the file).
#pragma once

#include "engine/image/VirtualDisk.h"
#include "tests/engine/image/ImageWriters.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvick::test {

class SmallFatVolume {
public:
    static constexpr uint32_t kSectors = 8400;
    static constexpr uint32_t kFatSectors = 17;
    static constexpr uint32_t kRoot = 1 + 2 * kFatSectors;
    static constexpr uint32_t kClusterBase = kRoot + 1 - 2 * 2;

    SmallFatVolume();  // empty FATs and root
    ~SmallFatVolume();

    static uint32_t FirstSector(uint16_t cluster) { return kClusterBase + cluster * 2u; }

    // A short entry of a directory sector.
    void PutEntry(uint32_t sector, size_t slot, const char* name11, uint8_t attributes, uint16_t cluster,
        uint32_t size);
    // `cluster`'s entry in both FATs.
    void Link(uint16_t cluster, uint16_t next);
    // A folder of one cluster at `cluster` whose ".." names `parent`, with a file in each of its two
    // sectors, its chain ended in the FATs; it ends after its second file, or with `goesOn` not in
    // its cluster.
    void PutFolder(uint16_t cluster, uint16_t parent, const char* first11, const char* second11, bool goesOn = false);

    // Opens the volume as the engine's source with the sector `unreadable` unreadable, and makes it
    // the chosen volume (g_VolumeParams).
    void Open(uint32_t unreadable);

    Bytes raw;

private:
    Bytes m_image;
    CVirtualDisk m_disk;
};

// The names of the files listed (g_FatEntries), in list order.
std::vector<std::string> ListedFatFileNames();

}  // namespace morvick::test
