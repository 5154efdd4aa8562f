// Whether a cluster of entries names files of this volume: the files it names begin, at their first
// clusters, with the signatures of their types (by extension, as the File Trace table knows them).
// A camera's photos do; a disk image's folders name another volume's clusters, and records shaped as
// entries name no file of a known type. Noted while the cluster is read (no read of its own), proved
// afterwards by one sector read for each file noted.
#pragma once

#include "engine/volume/SectorSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct EntryTypeVolume {
    bool fat32 = false;
    uint32_t clusterCount = 0;
    uint64_t clusterBase = 0;  // the sector of cluster 0
    uint32_t sectorsPerCluster = 0;
};

// A file that a short entry names at `cluster`, whose extension has signatures (`type`, an index of
// the table's extensions).
struct TypedFile {
    uint32_t cluster = 0;
    uint16_t type = 0;
};

// The files of known types that the short entries of `entries` (up to the end entry) name, up to 16:
// enough to tell, and a bounded number of reads.
std::vector<TypedFile> TypedFilesOf(const EntryTypeVolume& volume, const uint8_t* entries, size_t size);

// True when at least three in four of `files` (one at least) begin with a signature of their type.
// Each file's first sector read is a pause point.
bool FilesBeginWithTheirTypes(morvick::SectorSource& disk, const EntryTypeVolume& volume,
    const std::vector<TypedFile>& files);
