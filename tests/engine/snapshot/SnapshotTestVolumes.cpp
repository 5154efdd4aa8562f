#include "tests/engine/snapshot/SnapshotTestVolumes.h"

#include "engine/image/SectorSize.h"
#include "engine/state/EngineState.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"

namespace {

constexpr uint32_t kSectorsPerFat = 16;
constexpr uint32_t kMftCluster = 16;

}  // namespace

std::vector<uint8_t> MakeFatVolume(FileSystemKind kind, uint32_t start, uint32_t sectorsPerCluster)
{
    const bool fat32 = kind == FileSystemKind::kFat32;
    VolumeParameterBlock& b = g_VolumeParams;
    b.chosenFileSystemType = kind;
    b.browsedFileSystemType = kind;
    b.partitionStart = start;
    b.sectorsPerCluster = sectorsPerCluster;
    b.reservedSectors = fat32 ? 32 : 1;
    b.sectorsPerFat = kSectorsPerFat;
    b.rootDirectorySectors = fat32 ? 0 : 32;
    b.firstFat = start + b.reservedSectors;
    b.secondFat = b.firstFat + kSectorsPerFat;
    const uint32_t rootFolder = b.secondFat + kSectorsPerFat;
    b.rootLocation = fat32 ? 2 : rootFolder;
    b.clusterBase = rootFolder + b.rootDirectorySectors - 2 * sectorsPerCluster;

    std::vector<uint8_t> raw((b.firstFat + 1) * kSectorSize, 0);
    const uint64_t boot = uint64_t{start} * kSectorSize;
    raw[boot + 13] = static_cast<uint8_t>(sectorsPerCluster);
    Put16(raw, boot + 14, static_cast<uint16_t>(b.reservedSectors));
    raw[boot + 16] = 2;
    if (fat32) {
        Put32(raw, boot + 36, kSectorsPerFat);
        Put32(raw, boot + 44, 2);
    } else {
        Put16(raw, boot + 17, static_cast<uint16_t>(b.rootDirectorySectors * 16));
        Put16(raw, boot + 22, kSectorsPerFat);
    }
    Put16(raw, boot + 510, 0xAA55);
    const uint64_t fat = uint64_t{b.firstFat} * kSectorSize;
    raw[fat] = 0xF8;
    raw[fat + 1] = 0xFF;
    return raw;
}

std::vector<uint8_t> MakeNtfsVolume(uint32_t start, uint32_t sectorsPerCluster)
{
    VolumeParameterBlock& b = g_VolumeParams;
    b.chosenFileSystemType = FileSystemKind::kNtfs;
    b.browsedFileSystemType = FileSystemKind::kNtfs;
    b.partitionStart = start;
    b.sectorsPerCluster = sectorsPerCluster;
    b.clusterBase = start;
    b.mftStart = start + kMftCluster * sectorsPerCluster;
    b.mftMirrorStart = 0;
    b.sectorsPerMftRecord = 2;

    // $MFT: four clusters from cluster 16.
    const std::vector<uint8_t> record =
        morvick::test::MftRecordBuilder()
            .FileName(u"$MFT", 5, 3)
            .NonResident(0x80, {0x11, 0x04, kMftCluster, 0x00}, 4ull * sectorsPerCluster * kSectorSize)
            .Build();
    std::vector<uint8_t> raw;
    PutBytes(raw, uint64_t{b.mftStart} * kSectorSize, record.data(), record.size());
    return raw;
}
