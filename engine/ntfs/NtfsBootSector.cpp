#include "engine/ntfs/NtfsBootSector.h"

#include "engine/image/SectorSize.h"
#include "engine/util/Endian.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/ClusterSize.h"
#include "engine/volume/PartitionFileSystem.h"

namespace morvick {

namespace {

// Index records of 512 bytes to 64 KiB.
constexpr uint32_t kLargestIndexRecordSectors = 65536 / kSectorSize;

uint32_t SectorsPerIndexRecord(int8_t value, uint32_t sectorsPerCluster)
{
    uint32_t sectors = 0;
    if (value < 0) {
        const int shift = -value;
        if (shift >= 9 && shift <= 16)
            sectors = (1u << shift) / kSectorSize;
    } else {
        sectors = static_cast<uint32_t>(value) * sectorsPerCluster;
    }
    return sectors >= 1 && sectors <= kLargestIndexRecordSectors ? sectors : kDefaultSectorsPerIndexRecord;
}

}  // namespace

bool ParseNtfsBootSector(const uint8_t* sector, size_t size, NtfsBootSector& out)
{
    if (!HasBootSignature(sector, size) || !IsClusterSizeInSectors(sector[13]))
        return false;
    NtfsBootSector b;
    b.sectorsPerCluster = sector[13];
    b.totalSectors = BootSectorTotalSectors(sector, size, FileSystemKind::kNtfs);
    b.mftCluster = ReadLittleEndian64(sector + 48);
    b.mftMirrorCluster = ReadLittleEndian64(sector + 56);
    b.sectorsPerIndexRecord = SectorsPerIndexRecord(static_cast<int8_t>(sector[68]), b.sectorsPerCluster);
    out = b;
    return true;
}

}  // namespace morvick
