// Small volumes in memory for the snapshot loader, which loads only over a source that holds the
// snapshot's volume: each sets the volume-parameter block and returns the raw sectors that prove it,
// the files it is given included.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstdint>
#include <string>
#include <vector>

// A file entry of a FAT folder: the folder's first cluster (0 for the root), an 8.3 name of eleven
// blank-padded characters (0xE5 first for a deleted file), the file's first cluster, its size and its
// write date (0: the test files' own, kTestFileWriteDate, as their access date is).
// Byte 12 asks for the name in lower case, as Windows writes a lower-case 8.3 name; it is listed as
// its bytes stand all the same ("KEEP    TXT" as "KEEP.TXT").
struct FatTestFile {
    uint32_t folder;
    const char* shortName;
    uint32_t cluster;
    uint32_t size = 0;
    uint16_t writeDate = 0;
};

// A FAT16 or FAT32 volume at `start`: the boot sector, a FAT that begins with the media byte, and
// the files' entries in their folders' first sectors. Each folder of a file (but the root) is named in
// the root ("D" and its cluster) and begins with its "." and ".." entries unless the files given
// begin it, and its chain ends in its first cluster, as the scans read folders.
std::vector<uint8_t> MakeFatVolume(FileSystemKind kind, uint32_t start, uint32_t sectorsPerCluster,
    const std::vector<FatTestFile>& files = {});

// A file record of an NTFS volume's MFT.
struct NtfsTestFile {
    uint32_t number;
    std::u16string name;
    uint32_t parent;
};

// An NTFS volume at `start` whose MFT (record 0, "$MFT", with its data runs) lies at cluster 16 and
// holds the files' records at their numbers (below 128).
std::vector<uint8_t> MakeNtfsVolume(uint32_t start, uint32_t sectorsPerCluster,
    const std::vector<NtfsTestFile>& files = {});

// An NTFS boot sector put at `sector` (the volume's first, or its copy at first + totalSectors), with
// the MFT at the cluster MakeNtfsVolume puts it.
void PutNtfsBootSector(std::vector<uint8_t>& raw, uint32_t sector, uint32_t sectorsPerCluster, uint64_t totalSectors);

// A file's FILE record put at `sector`, where an Extensive Scan finds it.
void PutNtfsFileRecord(std::vector<uint8_t>& raw, uint32_t sector, const std::u16string& name, uint32_t parent);
