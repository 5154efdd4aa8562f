// The boot sector of an NTFS volume: cluster size, size of the volume, where the MFT and its mirror
// start and the size of index records. The one decoder of it that the Quick Scan, the Extensive
// Scan, the tests and the fuzzers share.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

struct NtfsBootSector {
    uint32_t sectorsPerCluster = 0;
    uint64_t totalSectors = 0;  // may be 0: the caller judges it
    uint64_t mftCluster = 0;
    uint64_t mftMirrorCluster = 0;
    uint32_t sectorsPerIndexRecord = 0;
};

// The usual index-record size, taken when the boot sector names none that can be: 4,096 bytes.
constexpr uint32_t kDefaultSectorsPerIndexRecord = 8;

// Decodes a boot sector. Checked, as is right for a damaged disk, only where the volume could not be
// read without the field: 55 AA at 510 and a power-of-two cluster size of up to 128 sectors. The
// byte at 68 gives the index-record size (a negative byte -n means 2^n bytes, a positive one that
// many clusters); one that names no size from 512 bytes to 64 KiB gives the usual 8 sectors. The
// OEM text at 3 is the search's to test, the sector size field is not read (the engine reads
// 512-byte sectors only), and the total and the MFT's places are left for the caller to judge.
bool ParseNtfsBootSector(const uint8_t* sector, size_t size, NtfsBootSector& out);

}  // namespace morvick
