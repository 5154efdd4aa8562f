#include "engine/extensive/FatCandidates.h"

#include "engine/util/Endian.h"

namespace morvick {

namespace {
constexpr uint64_t kLowestClusterBase = 63;
constexpr uint64_t kNoSector = 0xFFFFFFFFu;

uint32_t ClampToSector(uint64_t value)
{
    return value > kNoSector ? static_cast<uint32_t>(kNoSector) : static_cast<uint32_t>(value);
}
}  // namespace

bool IsClusterSizeInSectors(uint64_t sectors)
{
    return sectors != 0 && sectors <= 128 && (sectors & (sectors - 1)) == 0;
}

bool IsFatBootCandidate(const uint8_t* s)
{
    if (s[510] != 0x55 || s[511] != 0xAA)
        return false;
    return (s[85] == '3' && s[86] == '2') || (s[57] == '1' && s[58] == '6');
}

bool ReadFatDirectoryCandidate(const uint8_t* s, uint64_t sectorNumber, FatDirectoryCandidate& out)
{
    if (s[0] != '.' || s[1] != ' ' || s[32] != '.' || s[33] != '.' || s[34] != ' ')
        return false;
    const uint32_t own = ReadLittleEndian16(s + 26) | (static_cast<uint32_t>(ReadLittleEndian16(s + 20)) << 16);
    const uint32_t parent = ReadLittleEndian16(s + 58) | (static_cast<uint32_t>(ReadLittleEndian16(s + 52)) << 16);
    if (own <= 2 || own == 0xFFFFFFFFu || parent == 0xFFFFFFFFu || own >= sectorNumber)
        return false;
    out.firstCluster = own;
    out.parentCluster = parent;
    out.writeDate = ReadLittleEndian16(s + 24);
    out.accessDate = ReadLittleEndian16(s + 18);
    return true;
}

bool ReadFatBootVolume(const uint8_t* s, uint64_t boot, FatBootVolume& out)
{
    FatBootVolume v;
    if (s[85] == '3' && s[86] == '2')
        v.fileSystemType = FileSystemKind::kFat32;
    else if (s[57] == '1' && s[58] == '6')
        v.fileSystemType = FileSystemKind::kFat16;
    else
        return false;
    v.sectorsPerCluster = s[13];
    if (!IsClusterSizeInSectors(v.sectorsPerCluster))
        return false;
    v.reservedSectors = ReadLittleEndian16(s + 14);
    const uint64_t fats = s[16] == 1 ? 1 : 2;
    const bool fat32 = v.fileSystemType == FileSystemKind::kFat32;
    v.sectorsPerFat = fat32 ? ReadLittleEndian32(s + 36) : ReadLittleEndian16(s + 22);
    if (v.sectorsPerFat == 0)
        return false;
    v.rootDirectorySectors = fat32 ? 0 : ReadLittleEndian16(s + 17) / 16u;
    const uint64_t firstFat = boot + v.reservedSectors;
    const uint64_t afterFats = firstFat + fats * v.sectorsPerFat;
    const uint64_t dataStart = afterFats + v.rootDirectorySectors;
    const uint64_t twoClusters = 2ull * v.sectorsPerCluster;
    if (dataStart < twoClusters + kLowestClusterBase || dataStart - twoClusters >= kNoSector)
        return false;
    v.clusterBase = static_cast<uint32_t>(dataStart - twoClusters);
    v.firstFat = ClampToSector(firstFat);
    v.secondFat = fats == 2 ? ClampToSector(firstFat + v.sectorsPerFat) : 0;
    v.rootLocation = fat32 ? ReadLittleEndian32(s + 44) : ClampToSector(afterFats);
    const uint16_t total16 = ReadLittleEndian16(s + 19);
    v.endSector = ClampToSector(boot + (total16 != 0 ? total16 : ReadLittleEndian32(s + 32)));
    if (fat32) {
        const uint32_t backup = ReadLittleEndian16(s + 50);
        if (backup != 0 && backup != 0xFFFF && backup < v.reservedSectors && backup <= boot)
            v.backupOffset = backup;
    }
    out = v;
    return true;
}

}  // namespace morvick
