// Small volumes in memory for the snapshot loader, which loads only over a source that holds the
// snapshot's volume: each sets the volume-parameter block and returns the raw sectors that prove it.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstdint>
#include <vector>

// A FAT16 or FAT32 volume at `start`: the boot sector, and a FAT that begins with the media byte.
std::vector<uint8_t> MakeFatVolume(FileSystemKind kind, uint32_t start, uint32_t sectorsPerCluster);
// An NTFS volume at `start` whose MFT (record 0, "$MFT", with its data runs) lies at cluster 16.
std::vector<uint8_t> MakeNtfsVolume(uint32_t start, uint32_t sectorsPerCluster);
