#include "ImageWriters.h"

#include "engine/image/VhdDynamicHeader.h"
#include "engine/image/VhdFooter.h"
#include "engine/image/VhdxGuids.h"
#include "engine/util/Crc32c.h"

#include <algorithm>
#include <cstring>

void PutLittleEndian16(Bytes& image, uint64_t offset, uint16_t value)
{
    for (int i = 0; i < 2; ++i)
        image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutLittleEndian32(Bytes& image, uint64_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutLittleEndian64(Bytes& image, uint64_t offset, uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutBigEndian32(Bytes& image, uint64_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[offset + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

void PutBigEndian64(Bytes& image, uint64_t offset, uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        image[offset + i] = static_cast<uint8_t>(value >> (56 - 8 * i));
}

Bytes MakePatternDisk(uint64_t size, const std::vector<std::pair<uint64_t, uint64_t>>& filled)
{
    Bytes disk(size, 0);
    for (const auto& range : filled) {
        for (uint64_t i = range.first; i < range.first + range.second && i < size; ++i)
            disk[i] = static_cast<uint8_t>((i / 512) * 7 + (i % 512) + 1) | 1;
    }
    return disk;
}

namespace {

bool AllZero(const uint8_t* p, size_t n)
{
    return std::all_of(p, p + n, [](uint8_t b) { return b == 0; });
}

void WriteVhdFooter(Bytes& image, uint64_t at, uint64_t diskSize, uint32_t type, uint64_t dataOffset)
{
    std::memcpy(&image[at], "conectix", 8);
    PutBigEndian32(image, at + 8, 2);
    PutBigEndian32(image, at + 12, 0x00010000);
    PutBigEndian64(image, at + 16, dataOffset);
    std::memcpy(&image[at + 28], "test", 4);
    PutBigEndian64(image, at + 40, diskSize);
    PutBigEndian64(image, at + 48, diskSize);
    // A simple geometry: 16 heads, 63 sectors.
    const uint64_t cylinders = std::min<uint64_t>(diskSize / 512 / (16 * 63), 65535);
    image[at + 56] = static_cast<uint8_t>(cylinders >> 8);
    image[at + 57] = static_cast<uint8_t>(cylinders);
    image[at + 58] = 16;
    image[at + 59] = 63;
    PutBigEndian32(image, at + 60, type);
    FixVhdFooterChecksum(image, at);
}

} // namespace

void FixVhdFooterChecksum(Bytes& image, uint64_t offset)
{
    PutBigEndian32(image, offset + 64, ComputeVhdFooterChecksum(&image[offset]));
}

void FixVhdHeaderChecksum(Bytes& image, uint64_t offset)
{
    PutBigEndian32(image, offset + 36, ComputeVhdDynamicHeaderChecksum(&image[offset]));
}

Bytes MakeFixedVhd(const Bytes& disk)
{
    Bytes image(disk);
    image.resize(disk.size() + 512, 0);
    WriteVhdFooter(image, disk.size(), disk.size(), 2, ~uint64_t(0));
    return image;
}

Bytes MakeDynamicVhd(const Bytes& disk, const VhdLayout& layout, VhdImageInfo* info)
{
    const uint64_t bs = layout.blockSize;
    const uint64_t blocks = (disk.size() + bs - 1) / bs;
    const uint64_t entries = blocks + layout.extraTableEntries;
    const uint64_t bitmapBytes = ((bs / 512 + 7) / 8 + 511) / 512 * 512;
    const uint64_t tableOffset = layout.headerOffset + 1024;
    uint64_t end = tableOffset + (entries * 4 + 511) / 512 * 512;
    Bytes image(end, 0);
    VhdImageInfo local;
    local.headerOffset = layout.headerOffset;
    local.tableOffset = tableOffset;
    local.blockData.assign(blocks, 0);
    for (uint64_t i = 0; i < entries; ++i)
        PutBigEndian32(image, tableOffset + 4 * i, 0xFFFFFFFFu);
    for (uint64_t b = 0; b < blocks; ++b) {
        const uint64_t start = b * bs;
        const uint64_t length = std::min<uint64_t>(bs, disk.size() - start);
        if (AllZero(&disk[start], length))
            continue;
        PutBigEndian32(image, tableOffset + 4 * b, static_cast<uint32_t>(end / 512));
        image.resize(end + bitmapBytes + bs, 0);
        for (uint64_t s = 0; s < bs / 512; ++s) {
            const uint64_t sectorStart = start + s * 512;
            const bool present = layout.diskType != 4 ||
                                 (sectorStart < disk.size() && !AllZero(&disk[sectorStart], 512));
            if (present)
                image[end + s / 8] |= static_cast<uint8_t>(0x80 >> (s % 8));
            uint8_t* target = &image[end + bitmapBytes + s * 512];
            if (!present)
                std::memset(target, 0xEE, 512);
            else if (sectorStart < disk.size())
                std::memcpy(target, &disk[sectorStart], 512);
        }
        local.blockData[b] = end + bitmapBytes;
        end += bitmapBytes + bs;
    }
    image.resize(end + 512, 0);
    // Unused space before the header and between the structures is filled, so that a reader taking
    // data from there shows.
    for (uint64_t i = 512; i < layout.headerOffset; ++i)
        image[i] = 0xEE;
    WriteVhdFooter(image, 0, disk.size(), layout.diskType, layout.headerOffset);
    WriteVhdFooter(image, end, disk.size(), layout.diskType, layout.headerOffset);
    const uint64_t h = layout.headerOffset;
    std::memcpy(&image[h], "cxsparse", 8);
    PutBigEndian64(image, h + 8, ~uint64_t(0));
    PutBigEndian64(image, h + 16, tableOffset);
    PutBigEndian32(image, h + 24, 0x00010000);
    PutBigEndian32(image, h + 28, static_cast<uint32_t>(entries));
    PutBigEndian32(image, h + 32, layout.blockSize);
    FixVhdHeaderChecksum(image, h);
    if (info)
        *info = local;
    return image;
}

void FixVhdxRegionTableCrc(Bytes& image, uint64_t offset)
{
    PutLittleEndian32(image, offset + 4, 0);
    PutLittleEndian32(image, offset + 4, Crc32c(0, &image[offset], 64 * 1024));
}

Bytes MakeVhdx(const Bytes& disk, const VhdxLayout& layout, VhdxImageInfo* info)
{
    constexpr uint64_t MiB = 1u << 20;
    const uint64_t bs = layout.blockSize;
    const uint64_t ss = layout.logicalSectorSize;
    const uint64_t ratio = (uint64_t(1) << 23) * ss / bs;
    const uint64_t blocks = (disk.size() + bs - 1) / bs;
    const uint64_t bitmapBlocks = (blocks + ratio - 1) / ratio;
    const uint64_t entries = layout.hasParent ? bitmapBlocks * (ratio + 1) : blocks + (blocks - 1) / ratio;
    const uint64_t batLength = (entries * 8 + MiB - 1) / MiB * MiB;
    VhdxImageInfo local;
    local.metadataOffset = MiB;
    local.batOffset = 2 * MiB;
    local.batLength = static_cast<uint32_t>(batLength);
    local.metadataItemOffset = 64 * 1024;
    local.chunkRatio = ratio;
    const uint64_t logOffset = local.batOffset + batLength;
    uint64_t end = logOffset + MiB;
    Bytes image(end, 0);
    std::memcpy(&image[0], "vhdxfile", 8);
    // Two headers as the format has them (the reader does not interpret them; other tools do):
    // signature, checksum, sequence number, file and data write identifiers, an empty log.
    for (uint64_t header : {uint64_t(64 * 1024), uint64_t(128 * 1024)}) {
        std::memcpy(&image[header], "head", 4);
        PutLittleEndian64(image, header + 8, header / (64 * 1024));
        std::memset(&image[header + 16], 0x5A, 32);
        PutLittleEndian16(image, header + 66, 1);          // version
        PutLittleEndian32(image, header + 68, static_cast<uint32_t>(MiB));  // log length
        PutLittleEndian64(image, header + 72, 0);          // log offset set below
        PutLittleEndian32(image, header + 4, 0);
    }

    const VhdxGuid* guids = VhdxGuidTable();
    for (uint64_t table : {uint64_t(192 * 1024), uint64_t(256 * 1024)}) {
        std::memcpy(&image[table], "regi", 4);
        PutLittleEndian32(image, table + 8, 2);
        std::memcpy(&image[table + 16], guids[kVhdxBatRegion].bytes, 16);
        PutLittleEndian64(image, table + 32, local.batOffset);
        PutLittleEndian32(image, table + 40, local.batLength);
        PutLittleEndian32(image, table + 44, 1);
        std::memcpy(&image[table + 48], guids[kVhdxMetadataRegion].bytes, 16);
        PutLittleEndian64(image, table + 64, local.metadataOffset);
        PutLittleEndian32(image, table + 72, static_cast<uint32_t>(MiB));
        PutLittleEndian32(image, table + 76, 1);
        FixVhdxRegionTableCrc(image, table);
    }

    for (uint64_t header : {uint64_t(64 * 1024), uint64_t(128 * 1024)}) {
        PutLittleEndian64(image, header + 72, logOffset);
        PutLittleEndian32(image, header + 4, Crc32c(0, &image[header], 4096));
    }

    const uint64_t m = local.metadataOffset;
    std::memcpy(&image[m], "metadata", 8);
    const VhdxGuidIndex items[] = {kVhdxFileParameters, kVhdxVirtualDiskSize, kVhdxLogicalSectorSize,
                                   kVhdxPhysicalSectorSize, kVhdxPage83Data};
    const uint32_t lengths[] = {8, 8, 4, 4, 16};
    PutLittleEndian16(image, m + 10, 5);
    uint32_t valueOffset = local.metadataItemOffset;
    for (int i = 0; i < 5; ++i) {
        const uint64_t e = m + 32 + 32 * i;
        std::memcpy(&image[e], guids[items[i]].bytes, 16);
        PutLittleEndian32(image, e + 16, valueOffset + 16 * i);
        PutLittleEndian32(image, e + 20, lengths[i]);
        PutLittleEndian32(image, e + 24, i == 4 ? 6 : 4);
    }
    PutLittleEndian32(image, m + valueOffset, layout.blockSize);
    PutLittleEndian32(image, m + valueOffset + 4, layout.hasParent ? 2 : 0);
    PutLittleEndian64(image, m + valueOffset + 16, disk.size());
    PutLittleEndian32(image, m + valueOffset + 32, layout.logicalSectorSize);
    PutLittleEndian32(image, m + valueOffset + 48, 4096);

    std::vector<uint64_t> bitmapAt(bitmapBlocks, 0);
    for (uint64_t b = 0; b < blocks; ++b) {
        const uint64_t index = b + b / ratio;
        local.payloadEntryIndex.push_back(index);
        const uint64_t start = b * bs;
        const uint64_t length = std::min<uint64_t>(bs, disk.size() - start);
        if (AllZero(&disk[start], length)) {
            PutLittleEndian64(image, local.batOffset + index * 8, layout.unwrittenState);
            continue;
        }
        const uint64_t at = end;
        image.resize(end + bs, 0xEE);
        end += bs;
        uint32_t state = 6;
        if (layout.hasParent) {
            state = 7;
            const uint64_t chunk = b / ratio;
            if (bitmapAt[chunk] == 0) {
                bitmapAt[chunk] = end;
                image.resize(end + MiB, 0);
                end += MiB;
                PutLittleEndian64(image, local.batOffset + (chunk * (ratio + 1) + ratio) * 8, bitmapAt[chunk] | 6);
            }
        }
        for (uint64_t s = 0; s < bs / ss; ++s) {
            const uint64_t sectorStart = start + s * ss;
            if (sectorStart >= disk.size())
                break;
            const bool present = !layout.hasParent || !AllZero(&disk[sectorStart], static_cast<size_t>(ss));
            if (!present)
                continue;
            std::memcpy(&image[at + s * ss], &disk[sectorStart], static_cast<size_t>(ss));
            if (layout.hasParent) {
                const uint64_t bit = (b % ratio) * (bs / ss) + s;
                image[bitmapAt[b / ratio] + bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
            }
        }
        PutLittleEndian64(image, local.batOffset + index * 8, at | state);
    }
    if (info)
        *info = local;
    return image;
}
