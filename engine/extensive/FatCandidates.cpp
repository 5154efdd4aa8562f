#include "engine/extensive/FatCandidates.h"

#include "engine/fat/FatBootSector.h"
#include "engine/image/SectorSize.h"
#include "engine/state/SectorLimit.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/PartitionFileSystem.h"

namespace morvick {

namespace {
constexpr uint64_t kLowestClusterBase = 63;
constexpr uint32_t kFirstDataCluster = 2;
}  // namespace

bool IsFatBootCandidate(const uint8_t* s)
{
    return HasBootSignature(s, kSectorSize) && FatKindFromSearchText(s, kSectorSize) != FileSystemKind::kNone;
}

bool ReadFatDirectoryCandidate(const uint8_t* s, uint64_t sectorNumber, FatDirectoryStart& out)
{
    FatDirectoryStart d;
    if (!IsFatDirectoryStart(s, kSectorSize) || !ReadFatDirectoryStart(s, kSectorSize, true, d))
        return false;
    if (d.cluster < kFirstDataCluster || d.cluster == 0xFFFFFFFFu || d.parentCluster == 0xFFFFFFFFu ||
        d.cluster >= sectorNumber)
        return false;
    out = d;
    return true;
}

bool ReadFatBootVolume(const uint8_t* s, uint64_t boot, FatBootVolume& out)
{
    FatBootSector b;
    if (!ParseFatBootSector(s, kSectorSize, FatKindFromSearchText(s, kSectorSize), b))
        return false;
    const FatLayout layout = MakeFatLayout(b, boot);
    const uint64_t twoClusters = 2ull * b.sectorsPerCluster;
    // A volume whose FATs, root or cluster base lie past the sectors a found volume's fields hold is no
    // candidate: held at the last sector, its FAT would be read from another place.
    if (layout.dataStart < twoClusters + kLowestClusterBase || layout.clusterBase >= kLastHeldSector ||
        !FitsSectorField(layout.firstFat) || !FitsSectorField(layout.secondFat) ||
        !FitsSectorField(layout.rootDirectory))
        return false;
    const bool fat32 = b.fileSystem == FileSystemKind::kFat32;
    FatBootVolume v;
    v.fileSystemType = b.fileSystem;
    v.sectorsPerCluster = b.sectorsPerCluster;
    v.sectorsPerFat = b.sectorsPerFat;
    v.reservedSectors = b.reservedSectors;
    v.rootDirectorySectors = b.rootDirectorySectors;
    v.rootLocation = fat32 ? b.rootCluster : static_cast<uint32_t>(layout.rootDirectory);
    v.clusterBase = static_cast<uint32_t>(layout.clusterBase);
    v.firstFat = static_cast<uint32_t>(layout.firstFat);
    v.secondFat = static_cast<uint32_t>(layout.secondFat);
    v.endSector = boot + b.totalSectors;
    if (fat32 && b.backupBootSector != 0 && b.backupBootSector < b.reservedSectors && b.backupBootSector <= boot)
        v.backupOffset = b.backupBootSector;
    out = v;
    return true;
}

}  // namespace morvick
