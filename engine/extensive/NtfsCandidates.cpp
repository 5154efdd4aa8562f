#include "engine/extensive/NtfsCandidates.h"

#include "engine/image/SectorSize.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/util/Endian.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/PartitionFileSystem.h"

#include <cstring>

namespace morvick {

namespace {
constexpr uint64_t kNoSector = 0xFFFFFFFFu;

uint32_t ClampToSector(uint64_t value)
{
    return value > kNoSector ? static_cast<uint32_t>(kNoSector) : static_cast<uint32_t>(value);
}

// first + clusters x spc, or no sector when that lies past the 32-bit sector numbers.
uint32_t ClusterSector(uint64_t first, uint64_t cluster, uint32_t sectorsPerCluster)
{
    return cluster > kNoSector ? static_cast<uint32_t>(kNoSector) : ClampToSector(first + cluster * sectorsPerCluster);
}
}  // namespace

bool IsNtfsBootCandidate(const uint8_t* s)
{
    return HasBootSignature(s, kSectorSize) && HasNtfsSearchText(s, kSectorSize);
}

bool IsMftRecordCandidate(const uint8_t* s)
{
    return std::memcmp(s, "FILE", 4) == 0 && ReadLittleEndian16(s + 28) == 1024;
}

bool IsIndexRecordCandidate(const uint8_t* s)
{
    return std::memcmp(s, "INDX", 4) == 0;
}

bool ReadNtfsBootVolume(const uint8_t* s, uint64_t boot, NtfsBootVolume& out)
{
    NtfsBootSector b;
    if (!ParseNtfsBootSector(s, kSectorSize, b) || b.totalSectors == 0 || boot > kNoSector)
        return false;
    NtfsBootVolume v;
    v.sectorsPerCluster = b.sectorsPerCluster;
    v.sectorsPerIndexRecord = b.sectorsPerIndexRecord;
    v.totalSectors = ClampToSector(b.totalSectors);
    v.firstSector = static_cast<uint32_t>(boot);
    v.mftStart = ClusterSector(boot, b.mftCluster, b.sectorsPerCluster);
    v.mftMirrorStart = ClusterSector(boot, b.mftMirrorCluster, b.sectorsPerCluster);
    v.endSector = ClampToSector(boot + v.totalSectors);
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
    v.mftStart = first + (copy.mftStart - copy.firstSector);
    v.mftMirrorStart = first + (copy.mftMirrorStart - copy.firstSector);
    v.endSector = copy.firstSector;
    out = v;
    return true;
}
}  // namespace morvick
