#include "engine/ntfs/NtfsBootSector.h"

#include "engine/image/SectorSize.h"
#include "engine/ntfs/MftRecord.h"
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

// The MFT-record size in sectors by the byte at 64, as the index-record size; one the engine does not
// read gives Windows' size for volumes of `bytesPerSector`: 1,024 bytes, or a sector where it is larger.
uint32_t SectorsPerMftRecord(int8_t value, uint32_t sectorsPerCluster, uint32_t bytesPerSector)
{
    uint64_t bytes = 0;
    if (value < 0) {
        const int shift = -value;
        if (shift <= 16)
            bytes = uint64_t{1} << shift;
    } else {
        bytes = uint64_t{static_cast<uint32_t>(value)} * sectorsPerCluster * kSectorSize;
    }
    if (!IsMftRecordSize(bytes))
        bytes = bytesPerSector > kMftRecordSize ? bytesPerSector : kMftRecordSize;
    return static_cast<uint32_t>(bytes / kSectorSize);
}

}  // namespace

bool ParseNtfsBootSector(const uint8_t* sector, size_t size, NtfsBootSector& out)
{
    if (!HasBootSignature(sector, size))
        return false;
    // The counts in the engine's 512-byte sectors by the volume's own sector size, and the records of
    // the size the boot sector gives: a volume of 4,096-byte sectors (and records) had its MFT looked
    // for at an eighth of its place and was not read at all.
    NtfsBootSector b;
    b.bytesPerSector = VolumeSectorBytes(sector, size);
    if (b.bytesPerSector == 0)
        return false;
    b.sectorsPerCluster = sector[13] * (b.bytesPerSector / kSectorSize);
    if (!IsClusterSizeInSectors(b.sectorsPerCluster))
        return false;
    b.totalSectors = BootSectorTotalSectors(sector, size, FileSystemKind::kNtfs);
    b.mftCluster = ReadLittleEndian64(sector + 48);
    b.mftMirrorCluster = ReadLittleEndian64(sector + 56);
    b.sectorsPerMftRecord = SectorsPerMftRecord(static_cast<int8_t>(sector[64]), b.sectorsPerCluster, b.bytesPerSector);
    b.sectorsPerIndexRecord = SectorsPerIndexRecord(static_cast<int8_t>(sector[68]), b.sectorsPerCluster);
    out = b;
    return true;
}

}  // namespace morvick
