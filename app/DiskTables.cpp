#include "app/DiskTables.h"

#include <cstring>

#include "engine/image/VirtualDisk.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"

int32_t g_nVirtualDiskCount = 0;
uint32_t g_TotalSectors[kMaxVirtualDisks] = {};
char g_DiskNames[kMaxVirtualDisks][512] = {};

namespace {

// The opened image's size in sectors, as its container gives it.
uint64_t ImageSectors()
{
    CVirtualDisk* disk = GetCurrentVirtualDisk();
    return disk != nullptr ? disk->GetDiskSize() / 512 : 0;
}

}  // namespace

int AddVirtualDiskEntry()
{
    // One opened image is one entry, however often it is chosen again.
    g_nVirtualDiskCount = 1;
    const int index = 0;
    CVirtualDisk* disk = GetCurrentVirtualDisk();
    if (g_nImageKind != kImageVhdx && disk != nullptr) {
        uint32_t cylinders = static_cast<uint32_t>(disk->GetCylinders());
        const uint32_t heads = static_cast<uint32_t>(disk->GetHeads());
        const uint32_t sectors = static_cast<uint32_t>(disk->GetSectorsPerTrack());
        // Images too large for their geometry field (and those whose maker sets it to its largest
        // value whatever their size) keep the true size elsewhere: the geometry never describes
        // more cylinders than the disk holds.
        const uint64_t perCylinder = static_cast<uint64_t>(heads) * sectors;
        if (perCylinder > 0) {
            const uint64_t held = disk->GetDiskSize() / 512 / perCylinder;
            if (held < cylinders)
                cylinders = static_cast<uint32_t>(held);
        }
        g_DeviceGeometry.cylinders[index] = cylinders;
        g_DeviceGeometry.heads[index] = heads;
        g_DeviceGeometry.sectorsPerTrack[index] = sectors;
        // The disk's size, not the geometry's product, which stops at 65535 x 16 x 255 and whole cylinders.
        // The entry is 32-bit: a disk past 2^32 sectors is held at the largest count (engine/state/SectorLimit.h),
        // never cut to its low half; DiskTotalSectors has it whole.
        g_TotalSectors[index] = HeldSector(ImageSectors());
    } else {
        g_DeviceGeometry.cylinders[index] = 0;
        g_DeviceGeometry.heads[index] = 0;
        g_DeviceGeometry.sectorsPerTrack[index] = 0;
        g_TotalSectors[index] = 0;
    }
    std::memset(g_DiskNames[index], 0, sizeof(g_DiskNames[index]));
    std::strcpy(g_DiskNames[index], "Virtual Hard Disk");
    return index;
}

uint64_t DiskTotalSectors(int diskIndex)
{
    if (diskIndex < 0 || diskIndex >= g_nVirtualDiskCount || diskIndex >= kMaxVirtualDisks)
        return 0;
    return ImageSectors();
}

void ChooseWholeDisk(int diskIndex)
{
    // The block's sector fields are 32-bit (snapshots store them): a disk past 2^32 sectors is offered as
    // far as they hold (engine/state/SectorLimit.h), not cut to the low half of its count.
    const uint32_t sectors = HeldSector(DiskTotalSectors(diskIndex));
    g_VolumeParams.chosenFileSystemType = FileSystemKind::kNtfs;
    g_VolumeParams.partitionStart = 0;
    g_VolumeParams.partitionSectors = sectors;
    g_VolumeParams.partitionEnd = sectors;
    g_VolumeParams.partitionIndex = 0;
}
