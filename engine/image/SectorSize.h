// The size of the sectors in which the engine reads and counts every disk: the virtual disks of VHD
// and VHDX images and logical drives. A disk or a volume of larger sectors (a VHDX of 4 KiB logical
// sectors, a volume formatted with 4,096-byte sectors) is read in these all the same: its partition
// table's and boot sector's counts are converted where they are read
// (CVirtualDisk::GetLogicalSectorSize, VolumeSectorBytes).
#pragma once

#include <cstdint>

constexpr uint32_t kSectorSize = 512;
