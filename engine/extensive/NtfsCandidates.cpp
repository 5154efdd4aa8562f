#include "engine/extensive/NtfsCandidates.h"

#include "engine/image/SectorSize.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/state/SectorLimit.h"
#include "engine/util/Endian.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/PartitionFileSystem.h"

#include <cstring>

namespace morvick {

namespace {
// first + clusters x spc, or 0 (no MFT there) when that lies past the sectors a field holds: held at
// the last one, the MFT would be read from a sector of something else.
uint32_t ClusterSector(uint64_t first, uint64_t cluster, uint32_t sectorsPerCluster)
{
    if (cluster > kLastHeldSector || !FitsSectorField(first + cluster * sectorsPerCluster))
        return 0;
    return static_cast<uint32_t>(first + cluster * sectorsPerCluster);
}
}  // namespace

bool IsNtfsBootCandidate(const uint8_t* s)
{
    return HasBootSignature(s, kSectorSize) && HasNtfsSearchText(s, kSectorSize);
}

bool IsMftRecordCandidate(const uint8_t* s)
{
    // Records of 4,096 bytes too (volumes of 4,096-byte sectors), not those of 1,024 bytes alone.
    return std::memcmp(s, "FILE", 4) == 0 && IsMftRecordSize(ReadLittleEndian32(s + 28));
}

bool IsIndexRecordCandidate(const uint8_t* s)
{
    return std::memcmp(s, "INDX", 4) == 0;
}

bool ReadNtfsBootVolume(const uint8_t* s, uint64_t boot, NtfsBootVolume& out)
{
    NtfsBootSector b;
    if (!ParseNtfsBootSector(s, kSectorSize, b) || b.totalSectors == 0 || !FitsSectorField(boot))
        return false;
    NtfsBootVolume v;
    v.sectorsPerCluster = b.sectorsPerCluster;
    v.sectorsPerIndexRecord = b.sectorsPerIndexRecord;
    v.sectorsPerMftRecord = b.sectorsPerMftRecord;
    v.totalSectors = HeldSector(b.totalSectors);
    v.firstSector = static_cast<uint32_t>(boot);
    v.mftStart = ClusterSector(boot, b.mftCluster, b.sectorsPerCluster);
    v.mftMirrorStart = ClusterSector(boot, b.mftMirrorCluster, b.sectorsPerCluster);
    v.mftPastLimit = v.mftStart == 0 && b.mftCluster != 0;
    v.endSector = boot + v.totalSectors;
    out = v;
    return true;
}

bool NtfsVolumeOfBackup(const NtfsBootVolume& copy, NtfsBootVolume& out)
{
    if (copy.firstSector < copy.totalSectors)
        return false;
    const uint32_t first = copy.firstSector - copy.totalSectors;
    NtfsBootVolume v = copy;
    v.firstSector = first;
    // An MFT that the copy's place put past the sectors a field holds (0) is none at the first place
    // either: the distance is unknown.
    v.mftStart = copy.mftStart != 0 ? first + (copy.mftStart - copy.firstSector) : 0;
    v.mftMirrorStart = copy.mftMirrorStart != 0 ? first + (copy.mftMirrorStart - copy.firstSector) : 0;
    v.endSector = copy.firstSector;
    out = v;
    return true;
}
}  // namespace morvick
