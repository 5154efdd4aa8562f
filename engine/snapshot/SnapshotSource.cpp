#include "engine/snapshot/SnapshotSource.h"

#include "engine/fat/FatBootSector.h"
#include "engine/image/SectorReader.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/volume/EngineSectorSource.h"

#include <cstring>

namespace {

// How many of an Extensive Scan's NTFS file records must be found where the snapshot puts them.
constexpr uint32_t kFoundRecordsChecked = 8;

// FAT32 keeps a copy of its boot sector this many sectors after the first.
constexpr uint32_t kFat32BootCopy = 6;

enum class BootVerdict { kAgrees, kDisagrees, kNone };

BootVerdict CompareFatBoot(const VolumeParameterBlock& b, uint32_t volumeStart, uint32_t at)
{
    uint8_t sector[kSectorSize];
    morvick::FatBootSector boot;
    if (!ReadSectors(at, 1, sector) ||
        !morvick::ParseFatBootSector(sector, sizeof sector, b.browsedFileSystemType, boot))
        return BootVerdict::kNone;
    const morvick::FatLayout layout = morvick::MakeFatLayout(boot, volumeStart);
    const bool agrees = boot.sectorsPerCluster == b.sectorsPerCluster && boot.reservedSectors == b.reservedSectors &&
        boot.sectorsPerFat == b.sectorsPerFat && boot.rootDirectorySectors == b.rootDirectorySectors &&
        layout.firstFat == b.firstFat && static_cast<uint32_t>(layout.clusterBase) == b.clusterBase;
    return agrees ? BootVerdict::kAgrees : BootVerdict::kDisagrees;
}

bool FatBeginsAt(uint32_t sector)
{
    uint8_t fat[kSectorSize];
    return ReadSectors(sector, 1, fat) == 1 && fat[0] >= 0xF0 && fat[1] == 0xFF;
}

bool HoldsFatVolume(const LoadedSnapshot& s)
{
    const VolumeParameterBlock& b = s.block;
    bool otherBoot = false;
    if (b.reservedSectors != 0 && b.reservedSectors <= b.firstFat) {
        const uint32_t start = b.firstFat - b.reservedSectors;
        const bool fat32 = b.browsedFileSystemType == FileSystemKind::kFat32;
        for (uint32_t at : {start, fat32 ? start + kFat32BootCopy : start}) {
            const BootVerdict verdict = CompareFatBoot(b, start, at);
            if (verdict == BootVerdict::kAgrees)
                return true;
            otherBoot = otherBoot || verdict == BootVerdict::kDisagrees;
        }
    }
    // A boot sector that says otherwise belongs to another volume, unless an Extensive Scan rebuilt
    // the volume from its FAT and folders past a damaged one.
    if (otherBoot && s.kind != kSnapshotKindExtensive)
        return false;
    return FatBeginsAt(b.firstFat);
}

// An Extensive Scan lists the file records it found wherever they lie, also on a volume whose MFT
// cannot be walked: there, the first records the snapshot names must be FILE records.
bool FoundRecordsAreThere(const LoadedSnapshot& s)
{
    uint32_t checked = 0;
    for (const NtfsFileRecord* r = s.ntfsFiles.head; r != nullptr && checked < kFoundRecordsChecked; r = r->next) {
        uint8_t sector[kSectorSize];
        if (ReadSectors(r->sector, 1, sector) != 1 || std::memcmp(sector, "FILE", 4) != 0)
            return false;
        ++checked;
    }
    return checked != 0;
}

bool HoldsNtfsVolume(const LoadedSnapshot& s, morvick::SectorRunTable& mftRuns)
{
    const VolumeParameterBlock& b = s.block;
    morvick::EngineSectorSource disk;
    for (uint32_t at : {b.mftStart, b.mftMirrorStart}) {
        if (at != 0 && morvick::WalkMftRecords(disk, b.clusterBase, at, b.sectorsPerCluster, mftRuns))
            return true;
    }
    mftRuns = morvick::SectorRunTable();
    return s.kind == kSnapshotKindExtensive && FoundRecordsAreThere(s);
}

}  // namespace

bool SourceHoldsSnapshotVolume(const LoadedSnapshot& s, morvick::SectorRunTable& mftRuns)
{
    mftRuns = morvick::SectorRunTable();
    uint8_t first[kSectorSize];
    if (ReadSectors(0, 1, first) != 1)
        return false;
    if (s.kind == kSnapshotKindFileTrace)
        return true;
    const VolumeParameterBlock& b = s.block;
    switch (b.browsedFileSystemType) {
    case FileSystemKind::kFat16:
    case FileSystemKind::kFat32:
        return HoldsFatVolume(s);
    case FileSystemKind::kNtfs:
        return HoldsNtfsVolume(s, mftRuns);
    default:
        return true;
    }
}
