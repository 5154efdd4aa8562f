// The VHDX region table: 64 KiB at 192 KiB in the file, with an identical copy at 256 KiB.
// Little-endian.
//
//   header  offset size field
//                0    4 signature "regi"
//                4    4 CRC-32C of the 64 KiB with this field zero
//                8    4 entry count (at most 2047)
//               12    4 reserved
//   entry (32 bytes each, from offset 16)
//                0   16 region identifier
//               16    8 file offset
//               24    4 length
//               28    4 flags (bit 0: required)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint64_t kVhdxRegionTableOffset = 192 * 1024;
constexpr uint64_t kVhdxRegionTableCopyOffset = 256 * 1024;
constexpr size_t kVhdxRegionTableSize = 64 * 1024;
constexpr uint32_t kVhdxMaxRegionEntries = 2047;

// Results of the VHDX parse: 0 good, -1 not a VHDX file, -8 a rejected table, -9 an unrecognised
// required region.
enum VhdxParseResult : int { kVhdxOk = 0, kVhdxWrongSignature = -1, kVhdxRejected = -8, kVhdxUnknownRequired = -9 };

struct VhdxRegion {
    std::u16string name;   // "Bat Guid" or "MetaData_Guid"
    uint64_t fileOffset = 0;
    uint32_t length = 0;
};

struct VhdxRegionTable {
    bool intact = false;   // signature and checksum hold
    std::vector<VhdxRegion> regions;  // the BAT and metadata regions, in table order
};

// Reads a region table from size bytes (kVhdxRegionTableSize). Checks the signature, the checksum
// and the entry count, refuses a repeated BAT or metadata entry and an unknown required region, and
// refuses regions that do not lie inside a file of fileSize bytes or that overlap each other. With
// fieldsOnly a damaged signature or checksum is passed over (`intact` still tells), and the entries
// alone decide.
int ParseVhdxRegionTable(const uint8_t* data, size_t size, uint64_t fileSize, VhdxRegionTable& table,
    bool fieldsOnly = false);
