#include "engine/volume/EngineSectorSource.h"

#include "engine/image/SectorReader.h"
#include "engine/image/VirtualDisk.h"

namespace morvick {

bool EngineSectorSource::ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer)
{
    return ::ReadSectors(sector, count, buffer) == 1;
}

uint64_t EngineSectorSource::SectorCount() const
{
    if (g_wSourceType == kSourceLogicalDrive)
        return 0;
    const CVirtualDisk* disk = GetCurrentVirtualDisk();
    return disk ? disk->GetDiskSize() / kSectorSize : 0;
}

uint32_t EngineSectorSource::LogicalSectorSize() const
{
    if (g_wSourceType == kSourceLogicalDrive)
        return kSectorSize;
    const CVirtualDisk* disk = GetCurrentVirtualDisk();
    return disk ? disk->GetLogicalSectorSize() : kSectorSize;
}

}  // namespace morvick
