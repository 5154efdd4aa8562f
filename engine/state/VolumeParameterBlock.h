// The volume-parameter block: the parameters of the chosen volume. Snapshot files store it whole,
// so its layout is fixed: packed, 72 bytes, fields in this order. Every sector and sector count is in
// 512-byte sectors, whatever the sizes of the disk's and the volume's own sectors.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstdint>

#pragma pack(push, 1)
struct VolumeParameterBlock {
    FileSystemKind chosenFileSystemType;   // of the partition chosen for scanning
    uint32_t partitionStart;               // first sector of the chosen partition (0 for a whole logical drive)
    uint32_t partitionSectors;             // sector count of the chosen partition or volume
    uint32_t partitionEnd;                 // end sector of the chosen range
    uint16_t partitionIndex;               // index in g_PartitionTable, or in the drive page's drive list
    FileSystemKind browsedFileSystemType;  // of the volume being listed and saved
    uint32_t sectorsPerFat;
    uint32_t sectorsPerCluster;
    uint32_t rootDirectorySectors;  // FAT16: root entries / 16; FAT32: 0
    uint32_t rootLocation;          // FAT16: first sector of the root directory; FAT32: root cluster
    uint32_t reservedSectors;
    uint32_t clusterBase;  // sector of cluster 0
    uint32_t firstFat;
    uint32_t secondFat;
    uint32_t mftStart;  // 0 when no "FILE" record was found there
    uint32_t mftMirrorStart;
    uint32_t sectorsPerMftRecord;  // 2 (1,024 bytes) or 8 (4,096 bytes); found volumes of 2 keep 0
    uint32_t sectorsPerIndexRecord;
    uint32_t volumeEnd;     // found volume (Extensive Scan): its first sector + its total sectors
    uint16_t volumeNumber;  // ordinal of the found volume being browsed (Extensive Scan)
};
#pragma pack(pop)

static_assert(sizeof(VolumeParameterBlock) == 72, "the volume-parameter block is stored whole in snapshots");
