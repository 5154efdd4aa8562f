// The boot sector of an NTFS volume: sector and cluster size, size of the volume, where the MFT and
// its mirror start and the size of MFT records and index records. The one decoder of it that the
// Quick Scan, the Extensive Scan, the tests and the fuzzers share.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

// Every count is in the engine's 512-byte sectors: a volume of larger sectors has its counts
// converted as they are read.
struct NtfsBootSector {
    uint32_t bytesPerSector = 0;  // the volume's own sectors: 512, 1,024, 2,048 or 4,096 bytes
    uint32_t sectorsPerCluster = 0;
    uint64_t totalSectors = 0;  // may be 0: the caller judges it
    uint64_t mftCluster = 0;
    uint64_t mftMirrorCluster = 0;
    uint32_t sectorsPerMftRecord = 0;  // 2 (1,024 bytes), 4 or 8 (4,096 bytes)
    uint32_t sectorsPerIndexRecord = 0;
};

// The usual index-record size, taken when the boot sector names none that can be: 4,096 bytes.
constexpr uint32_t kDefaultSectorsPerIndexRecord = 8;

// Decodes a boot sector. The volume's sector size at 11 (512, 1,024, 2,048 or 4,096 bytes) converts
// its counts into 512-byte sectors. Checked, as is right for a damaged disk, only where the volume
// could not be read without the field: 55 AA at 510, a sector size of those and a power-of-two
// cluster size of up to 128 512-byte sectors (64 KiB). The byte at 64 gives the MFT-record size and
// the byte at 68 the index-record size (a negative byte -n means 2^n bytes, a positive one that many
// clusters); an MFT-record size that is none of 1,024, 2,048 and 4,096 bytes gives the size that
// Windows formats for the sector size (1,024 bytes, or one sector where sectors are larger), and an
// index-record size that is none from 512 bytes to 64 KiB the usual 8 sectors. The OEM text at 3 is
// the search's to test, and the total and the MFT's places are left for the caller to judge.
bool ParseNtfsBootSector(const uint8_t* sector, size_t size, NtfsBootSector& out);

}  // namespace morvick
