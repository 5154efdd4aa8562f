#include "engine/ntfs/NtfsBootSector.h"

#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"
#include "engine/volume/SectorSource.h"

#include <cstring>

namespace morvick {

bool ParseNtfsBootSector(const uint8_t* sector, size_t size, NtfsBootSector& out)
{
    if (size < kSectorSize || std::memcmp(sector + 3, "NTFS    ", 8) != 0 || ReadLittleEndian16(sector + 11) != kSectorSize)
        return false;
    const uint32_t spc = sector[13];
    if (spc == 0 || spc > 128 || (spc & (spc - 1)) != 0)
        return false;
    NtfsBootSector b;
    b.sectorsPerCluster = spc;
    b.totalSectors = ReadLittleEndian64(sector + 40);
    b.mftCluster = ReadLittleEndian64(sector + 48);
    b.mftMirrorCluster = ReadLittleEndian64(sector + 56);
    const uint64_t clusters = b.totalSectors / spc;
    if (clusters == 0 || b.mftCluster >= clusters || b.mftMirrorCluster >= clusters)
        return false;
    out = b;
    return true;
}

}  // namespace morvick
