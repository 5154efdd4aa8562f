// The VHDX metadata table at the start of the metadata region, and the disk parameters read from
// its items. Little-endian.
//
//   header  offset size field
//                0    8 signature "metadata"
//                8    2 reserved
//               10    2 entry count (at most 2047)
//               12   20 reserved
//   entry (32 bytes each, from offset 32)
//                0   16 item identifier
//               16    4 item offset from the region's start
//               20    4 item length
//               24    4 flags (bit 0 is-user, bit 1 is-virtual-disk, bit 2 is-required)
//               28    4 reserved
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kVhdxMetadataTableSize = 64 * 1024;
constexpr uint32_t kVhdxMaxMetadataEntries = 2047;

struct VhdxMetadataItem {
    bool isUser = false;
    bool isVirtualDisk = false;
    bool isRequired = false;
    uint32_t offset = 0;      // from the region's start
    uint32_t length = 0;
    std::u16string name;      // one of the five names the reader keeps
};

// Reads the table from size bytes (up to kVhdxMetadataTableSize, no more than the region holds).
// Keeps the items named "File Parameter", "Virtual Disk Size", "Logical Sector Size",
// "Physical Sector Size" and "Parent Locator", in table order. Returns 0, or -8 for a wrong
// signature, too many entries, an entry past the bytes given, or a kept item that does not lie
// inside a region of regionLength bytes.
int ParseVhdxMetadataTable(const uint8_t* data, size_t size, uint32_t regionLength, std::vector<VhdxMetadataItem>& items);

// The disk parameters of the metadata items.
struct VhdxDiskParameters {
    uint32_t blockSize = 0;
    bool leaveBlocksAllocated = false;
    bool hasParent = false;
    uint64_t diskSize = 0;
    uint32_t logicalSectorSize = 0;
    uint32_t physicalSectorSize = 0;
};

// Limits of sound parameters: block sizes are powers of two from 1 MiB to 256 MiB, logical sectors
// 512 or 4096 bytes, disks from 1 byte to 64 TiB.
constexpr uint32_t kVhdxMinBlockSize = 1u << 20;
constexpr uint32_t kVhdxMaxBlockSize = 256u << 20;
constexpr uint64_t kVhdxMaxDiskSize = uint64_t(64) << 40;

// True when the parameters are within the limits above.
bool AreVhdxDiskParametersValid(const VhdxDiskParameters& parameters);
