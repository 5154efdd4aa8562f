// Whether a cluster of entries names files of this volume: the files it names begin, at their first
// clusters, with the signatures of their types (by extension, as the File Trace table knows them).
// A camera's photos do; a disk image's folders name another volume's clusters, and records shaped as
// entries name no file of a known type.
#pragma once

#include "engine/volume/SectorSource.h"

#include <cstddef>
#include <cstdint>

struct EntryTypeVolume {
    bool fat32 = false;
    uint32_t clusterCount = 0;
    uint64_t clusterBase = 0;  // the sector of cluster 0
    uint32_t sectorsPerCluster = 0;
};

// True when the short entries of `entries` (up to the end entry) name files of a known type, at
// least three in four of those looked at (up to 16) beginning with their type's signature; false
// where none names a file of a known type. Reads one sector for each file looked at.
bool EntriesNameTheirFiles(morvick::SectorSource& disk, const EntryTypeVolume& volume, const uint8_t* entries,
    size_t size);
