// The boot sector of an NTFS volume: cluster size, size of the volume and where the MFT starts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

struct NtfsBootSector {
    uint32_t sectorsPerCluster = 0;
    uint64_t totalSectors = 0;
    uint64_t mftCluster = 0;
    uint64_t mftMirrorCluster = 0;
};

// Decodes and checks "NTFS" at 3, 512-byte sectors, a power-of-two cluster size up to 128 sectors
// and an MFT inside the volume. False for anything else.
bool ParseNtfsBootSector(const uint8_t* sector, size_t size, NtfsBootSector& out);

}  // namespace morvick
