// Small writers of VHD and VHDX images for the reader tests: they make the containers that qemu-img
// does not (differencing images, odd block sizes, moved structures) and the raw material that the
// damage tests break field by field. Images are built in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A disk of size bytes, zero except for the given ranges, which get a pattern that differs per
// sector (so a sector read from the wrong place shows).
Bytes MakePatternDisk(uint64_t size, const std::vector<std::pair<uint64_t, uint64_t>>& filled);

struct VhdLayout {
    uint32_t blockSize = 2u << 20;
    uint32_t diskType = 3;             // 3 dynamic, 4 differencing
    uint64_t headerOffset = 512;       // the dynamic header; the table follows it
    uint32_t extraTableEntries = 0;    // max table entries beyond what the size needs
};

// Byte offsets of the structures in a written dynamic VHD.
struct VhdImageInfo {
    uint64_t headerOffset = 0;
    uint64_t tableOffset = 0;
    std::vector<uint64_t> blockData;   // file offset of each block's data, 0 when not allocated
};

Bytes MakeFixedVhd(const Bytes& disk);
// Blocks holding only zeros are left unallocated. Differencing images mark only nonzero sectors
// present and fill the absent ones with 0xEE, which must never be read.
Bytes MakeDynamicVhd(const Bytes& disk, const VhdLayout& layout, VhdImageInfo* info = nullptr);
// Rewrites the footer checksum at offset (after a field was changed on purpose).
void FixVhdFooterChecksum(Bytes& image, uint64_t offset);
void FixVhdHeaderChecksum(Bytes& image, uint64_t offset);

struct VhdxLayout {
    uint32_t blockSize = 1u << 20;
    uint32_t logicalSectorSize = 512;
    bool hasParent = false;            // differencing: partially present blocks with sector bitmaps
    uint32_t unwrittenState = 0;       // state of all-zero blocks (0 not present, 2 zero, 3 unmapped)
};

struct VhdxImageInfo {
    uint64_t metadataOffset = 0;       // region offsets
    uint64_t batOffset = 0;
    uint32_t batLength = 0;
    uint32_t metadataItemOffset = 0;   // where item values start within the metadata region
    uint64_t chunkRatio = 0;
    std::vector<uint64_t> payloadEntryIndex;  // BAT index of each payload block
};

// All-zero blocks get the unwritten state with offset 0, and their file space (when any) is
// filled with 0xEE; other blocks are fully present, or partially present for a differencing image.
Bytes MakeVhdx(const Bytes& disk, const VhdxLayout& layout, VhdxImageInfo* info = nullptr);
// Rewrites the CRC of the region table at offset (192 KiB or 256 KiB).
void FixVhdxRegionTableCrc(Bytes& image, uint64_t offset);

void PutLittleEndian16(Bytes& image, uint64_t offset, uint16_t value);
void PutLittleEndian32(Bytes& image, uint64_t offset, uint32_t value);
void PutLittleEndian64(Bytes& image, uint64_t offset, uint64_t value);
void PutBigEndian32(Bytes& image, uint64_t offset, uint32_t value);
void PutBigEndian64(Bytes& image, uint64_t offset, uint64_t value);
