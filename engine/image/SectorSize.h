// The size of the sectors of every disk the engine reads: the virtual disks of VHD and VHDX images
// (4 KiB logical sectors are refused when an image is opened) and logical drives.
#pragma once

#include <cstdint>

constexpr uint32_t kSectorSize = 512;
