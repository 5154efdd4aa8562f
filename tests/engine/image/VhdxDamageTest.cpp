// Damaged VHDX images: the identifier, the region table and its copy, the metadata table and its
// items, the parameters and the block allocation table broken one at a time.
#include "ImageWriters.h"

#include "engine/image/VhdxBatLayout.h"
#include "engine/image/VhdxDisk.h"
#include "engine/image/VhdxGuids.h"
#include "engine/image/VhdxRegionTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint64_t MiB = 1u << 20;
constexpr uint64_t kTable = 192 * 1024;
constexpr uint64_t kTableCopy = 256 * 1024;

const Bytes& Disk()
{
    static const Bytes disk = MakePatternDisk(5 * MiB, {{0, 4096}, {MiB - 512, 1024}, {4 * MiB, 8192}});
    return disk;
}

struct Image {
    Bytes bytes;
    VhdxImageInfo info;
    explicit Image(const VhdxLayout& layout = {}) { bytes = MakeVhdx(Disk(), layout, &info); }
    uint64_t MetadataEntry(int i) const { return info.metadataOffset + 32 + 32 * i; }
    uint64_t Value(int i) const { return info.metadataOffset + info.metadataItemOffset + 16 * i; }
    // Changes a field of both region tables and fixes their checksums.
    void PutRegion32(uint64_t field, uint32_t value)
    {
        for (uint64_t t : {kTable, kTableCopy}) {
            PutLittleEndian32(bytes, t + field, value);
            FixVhdxRegionTableCrc(bytes, t);
        }
    }
    void PutRegion64(uint64_t field, uint64_t value)
    {
        for (uint64_t t : {kTable, kTableCopy}) {
            PutLittleEndian64(bytes, t + field, value);
            FixVhdxRegionTableCrc(bytes, t);
        }
    }
};

int Open(CVhdxDisk& reader, const Bytes& image)
{
    return reader.OpenMemory(image.data(), image.size());
}

bool ReadsLikeTheDisk(CVhdxDisk& reader, uint64_t offset, size_t count)
{
    Bytes got(count, 0x5A);
    return reader.ReadAt(offset, got.data(), count) == 1 && std::memcmp(got.data(), Disk().data() + offset, count) == 0;
}

TEST(VhdxIdentifier, WrongSignatureIsRefused)
{
    Image image;
    image.bytes[7] = 'E';
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
    EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kNoVhdxIdentifier);
    EXPECT_EQ(reader.Parse(), kVhdxWrongSignature);
    const Bytes tiny(4, 0);
    EXPECT_EQ(Open(reader, tiny), 0);
}

TEST(VhdxBlockDamage, ImageCutBeforeAnyOfItsDataIsRefusedAndSaysWhy)
{
    Image image;
    CVhdxDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    uint64_t first = UINT64_MAX;
    for (const VhdxPayloadBlock& block : reader.PayloadBlocks()) {
        if (block.state == kVhdxBlockFullyPresent)
            first = std::min(first, block.fileOffset);
    }
    ASSERT_NE(first, UINT64_MAX);
    Bytes cut(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(first + 511));
    EXPECT_EQ(Open(reader, cut), 0);
    EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kEndsBeforeData);
    cut.assign(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(first + 512));
    EXPECT_EQ(Open(reader, cut), 1);
    // Cut inside the region table.
    cut.assign(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(kTable + 100));
    EXPECT_EQ(Open(reader, cut), 0);
    EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kDamagedStructures);
}

TEST(VhdxIdentifier, HeadersAreNotInterpreted)
{
    Image image;
    std::memset(&image.bytes[64 * 1024], 0xAB, 4096);  // both headers garbage, checksums wrong
    std::memset(&image.bytes[128 * 1024], 0xCD, 4096);
    CVhdxDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 4096));
}

TEST(VhdxRegionTableDamage, BadFirstTableFallsBackToTheCopy)
{
    for (int damage = 0; damage < 2; ++damage) {
        Image image;
        if (damage == 0)
            image.bytes[kTable] = 'x';  // signature
        else
            image.bytes[kTable + 40] ^= 1;  // contents under the checksum
        CVhdxDisk reader;
        ASSERT_EQ(Open(reader, image.bytes), 1) << damage;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, MiB - 512, 1024));
    }
}

TEST(VhdxRegionTableDamage, BothTablesDamagedAreReadWhenTheirEntriesHold)
{
    for (int damage = 0; damage < 3; ++damage) {
        Image image;
        for (uint64_t t : {kTable, kTableCopy}) {
            if (damage == 0)
                image.bytes[t + 4] ^= 0x10;  // the checksum itself
            else if (damage == 1)
                std::memcpy(&image.bytes[t], "RegI", 4);  // the signature
            else
                image.bytes[t + 44] ^= 0x80;  // a flag bit no one reads, under the checksum
        }
        CVhdxDisk reader;
        ASSERT_EQ(Open(reader, image.bytes), 1) << damage;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 4096)) << damage;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, MiB - 512, 1024)) << damage;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, 4 * MiB, 8192)) << damage;
    }
}

TEST(VhdxRegionTableDamage, AnIntactTableStillWinsOverADamagedOne)
{
    // The first table's checksum holds but it names no metadata where its copy's entries do.
    Image image;
    PutLittleEndian64(image.bytes, kTable + 64, image.info.batOffset + image.info.batLength);
    FixVhdxRegionTableCrc(image.bytes, kTable);
    image.bytes[kTableCopy + 4] ^= 1;
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
}

TEST(VhdxRegionTableDamage, OfTwoDamagedTablesTheOneThatLeadsToTheDataIsRead)
{
    // Both checksums are broken; the first table's metadata entry points where no metadata is.
    Image image;
    image.bytes[kTable + 4] ^= 1;
    image.bytes[kTableCopy + 4] ^= 1;
    PutLittleEndian64(image.bytes, kTable + 64, kTable);
    CVhdxDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    ASSERT_EQ(reader.Regions().size(), 2u);
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 4 * MiB, 8192));
}

TEST(VhdxRegionTableDamage, DamagedTablesWithEntriesOutOfRangeAreRefused)
{
    Image image;
    image.bytes[kTable + 4] ^= 1;
    image.bytes[kTableCopy + 4] ^= 1;
    PutLittleEndian64(image.bytes, kTable + 32, image.bytes.size() - 8);  // the BAT past the file's end
    PutLittleEndian32(image.bytes, kTableCopy + 8, 2048);                 // too many entries
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
    EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kDamagedStructures);
    std::memset(&image.bytes[kTable], 0, kVhdxRegionTableSize);  // zeros: no entries at all
    std::memset(&image.bytes[kTableCopy], 0, kVhdxRegionTableSize);
    EXPECT_EQ(Open(reader, image.bytes), 0);
    VhdxRegionTable table;
    EXPECT_EQ(ParseVhdxRegionTable(&image.bytes[kTable], kVhdxRegionTableSize, image.bytes.size(), table, true),
        kVhdxOk);
    EXPECT_FALSE(table.intact);
    EXPECT_TRUE(table.regions.empty());
}

TEST(VhdxRegionTableDamage, TooManyEntriesIsRefused)
{
    Image image;
    image.PutRegion32(8, 2048);
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
    VhdxRegionTable table;
    EXPECT_EQ(ParseVhdxRegionTable(&image.bytes[kTable], kVhdxRegionTableSize, image.bytes.size(), table),
        kVhdxRejected);
}

TEST(VhdxRegionTableDamage, RepeatedBatEntryIsRefused)
{
    Image image;
    for (uint64_t t : {kTable, kTableCopy}) {
        std::memcpy(&image.bytes[t + 48], &image.bytes[t + 16], 32);
        FixVhdxRegionTableCrc(image.bytes, t);
    }
    VhdxRegionTable table;
    EXPECT_EQ(ParseVhdxRegionTable(&image.bytes[kTable], kVhdxRegionTableSize, image.bytes.size(), table),
        kVhdxRejected);
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
}

TEST(VhdxRegionTableDamage, UnknownRegionsCountOnlyWhenRequired)
{
    Image image;
    image.PutRegion32(8, 3);
    for (uint64_t t : {kTable, kTableCopy}) {
        std::memset(&image.bytes[t + 80], 0x42, 16);  // an unknown identifier
        PutLittleEndian64(image.bytes, t + 96, 8 * MiB);
        PutLittleEndian32(image.bytes, t + 104, 4096);
        FixVhdxRegionTableCrc(image.bytes, t);
    }
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 1);
    image.PutRegion32(108, 1);  // now required
    VhdxRegionTable table;
    EXPECT_EQ(ParseVhdxRegionTable(&image.bytes[kTable], kVhdxRegionTableSize, image.bytes.size(), table),
        kVhdxUnknownRequired);
    EXPECT_EQ(Open(reader, image.bytes), 0);
}

TEST(VhdxRegionTableDamage, OverlappingOrOutsideRegionsAreRefused)
{
    {
        Image image;
        image.PutRegion64(64, image.info.batOffset + 4096);  // metadata inside the BAT
        CVhdxDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0);
    }
    {
        Image image;
        image.PutRegion64(32, image.bytes.size() - 8);  // the BAT past the end of the file
        CVhdxDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0);
    }
    {
        Image image;
        image.PutRegion64(64, ~uint64_t(0) - 100);  // offset + length wraps
        CVhdxDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0);
    }
}

TEST(VhdxRegionTableDamage, MissingMetadataRegionIsRefused)
{
    Image image;
    image.PutRegion32(8, 1);
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
}

TEST(VhdxMetadataDamage, WrongSignatureOrTooManyEntriesIsRefused)
{
    {
        Image image;
        image.bytes[image.info.metadataOffset] = 'M';
        CVhdxDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0);
    }
    {
        Image image;
        PutLittleEndian16(image.bytes, image.info.metadataOffset + 10, 2048);
        CVhdxDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0);
    }
}

TEST(VhdxMetadataDamage, ItemsOutsideTheRegionAreRefused)
{
    for (uint32_t offset : {uint32_t(MiB - 4), 0xFFFFFFF0u}) {
        Image image;
        PutLittleEndian32(image.bytes, image.MetadataEntry(1) + 16, offset);
        CVhdxDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0) << offset;
    }
    Image image;
    PutLittleEndian32(image.bytes, image.MetadataEntry(0) + 20, 0xFFFFFFFFu);  // length
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
}

TEST(VhdxMetadataDamage, MissingRequiredItemsAreRefused)
{
    for (int item : {0, 1, 2}) {  // file parameters, disk size, logical sector size
        Image image;
        std::memset(&image.bytes[image.MetadataEntry(item)], 0x11, 16);
        CVhdxDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0) << item;
    }
    Image image;  // the physical sector size is not needed
    std::memset(&image.bytes[image.MetadataEntry(3)], 0x11, 16);
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 1);
}

TEST(VhdxMetadataDamage, InvalidParametersAreRefused)
{
    struct Change {
        int value;
        uint64_t number;
        int width;
    };
    const Change changes[] = {
        {0, 0, 4},           // block size 0
        {0, 3 * MiB, 4},     // not a power of two
        {0, 512 * 1024, 4},  // below 1 MiB
        {0, 512 * MiB, 4},   // above 256 MiB
        {1, 0, 8},           // disk size 0
        {1, (uint64_t(64) << 40) + 1, 8},
        {2, 0, 4},  // logical sector size 0
        {2, 1024, 4},
    };
    for (const Change& c : changes) {
        Image image;
        if (c.width == 4)
            PutLittleEndian32(image.bytes, image.Value(c.value), static_cast<uint32_t>(c.number));
        else
            PutLittleEndian64(image.bytes, image.Value(c.value), c.number);
        CVhdxDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0) << c.value << " " << c.number;
    }
}

TEST(VhdxBatDamage, BatRegionTooSmallForTheDiskIsRefused)
{
    Image image;
    PutLittleEndian64(image.bytes, image.Value(1), uint64_t(1) << 40);  // 1 TiB needs 1 Mi entries
    CVhdxDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
}

TEST(VhdxBatDamage, DamagedEntriesFailOnlyTheirBlock)
{
    // Present blocks (fully or partially) whose offset is 0 hold no data anywhere: zeros, not the
    // file's first bytes, and not a failed read.
    for (uint32_t state : {6u, 7u}) {
        Image image;
        PutLittleEndian64(image.bytes, image.info.batOffset + 8 * image.info.payloadEntryIndex[4], state);
        CVhdxDisk reader;
        ASSERT_EQ(Open(reader, image.bytes), 1);
        Bytes buffer(4096, 0x5A);
        ASSERT_EQ(reader.ReadAt(4 * MiB, buffer.data(), 4096), 1) << state;
        EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](uint8_t b) { return b == 0; })) << state;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, MiB - 512, 1024));
    }
    Image image;
    PutLittleEndian64(image.bytes, image.info.batOffset + 8 * image.info.payloadEntryIndex[4], (uint64_t(1) << 45) | 6);
    CVhdxDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    Bytes buffer(4096);
    EXPECT_EQ(reader.ReadAt(4 * MiB, buffer.data(), 4096), 0);  // past the end of the file
    EXPECT_TRUE(ReadsLikeTheDisk(reader, MiB - 512, 1024));
}

TEST(VhdxBatDamage, UnwrittenBlocksReadTheDataTheyKeptOrZeros)
{
    // A block never written whose entry still carries an offset, here into the data of another
    // block: blocks not present (0), undefined (1) and unmapped (3) read the bytes at their offset, so
    // do entries damaged into the unused states (4, 5) or into partially present (7) in an image
    // without sector bitmaps; a zero block (2) is zeros by definition. Blocks without an offset, or
    // whose offset lies past the file's end, read as zeros.
    const uint64_t start = 2 * MiB - 4096;
    for (uint32_t state : {0u, 1u, 2u, 3u, 4u, 5u, 7u}) {
        Image image;
        const uint64_t other = (image.bytes.size() - MiB) & ~(MiB - 1);
        ASSERT_TRUE(
            std::any_of(image.bytes.begin() + other, image.bytes.begin() + other + MiB, [](uint8_t b) { return b; }));
        PutLittleEndian64(image.bytes, image.info.batOffset + 8 * image.info.payloadEntryIndex[2], other | state);
        CVhdxDisk reader;
        ASSERT_EQ(Open(reader, image.bytes), 1);
        Bytes expected(Disk().begin() + start, Disk().begin() + 4 * MiB + 4096);
        if (state != 2)
            std::copy(image.bytes.begin() + other, image.bytes.begin() + other + MiB, expected.begin() + 4096);
        Bytes got(expected.size(), 0x5A);
        ASSERT_EQ(reader.ReadAt(start, got.data(), got.size()), 1) << state;
        EXPECT_TRUE(got == expected) << state;
    }
    for (uint64_t state : {0u, 3u, 4u, 5u, 7u}) {
        for (uint64_t offset : {uint64_t(0), uint64_t(1) << 40}) {
            Image image;
            PutLittleEndian64(image.bytes, image.info.batOffset + 8 * image.info.payloadEntryIndex[2], offset | state);
            CVhdxDisk reader;
            ASSERT_EQ(Open(reader, image.bytes), 1);
            EXPECT_TRUE(ReadsLikeTheDisk(reader, start, 2 * MiB + 8192)) << state << " " << offset;
        }
    }
}

TEST(VhdxBatDamage, PartiallyPresentBlocksWithoutTheirSectorBitmapReadAtTheirOffset)
{
    // A differencing image: block 0 holds the disk's first 4096 bytes and 0xEE in the sectors it
    // leaves to the parent. With its sector bitmap those read as zeros; with the chunk's bitmap entry
    // damaged (not present, or past the file's end) the block reads its bytes at its offset.
    VhdxLayout layout;
    layout.hasParent = true;
    for (uint64_t bitmapEntry : {uint64_t(0), uint64_t(6), (uint64_t(1) << 40) | 6, uint64_t(~0)}) {
        VhdxImageInfo info;
        Bytes image = MakeVhdx(Disk(), layout, &info);
        const uint64_t at = info.batOffset + 8 * info.chunkRatio;
        const bool sound = bitmapEntry == ~uint64_t(0);
        if (!sound)
            PutLittleEndian64(image, at, bitmapEntry);
        CVhdxDisk reader;
        ASSERT_EQ(Open(reader, image), 1);
        Bytes expected(Disk().begin(), Disk().begin() + 8192);
        if (!sound)
            std::fill(expected.begin() + 4096, expected.end(), 0xEE);
        Bytes got(expected.size(), 0x5A);
        ASSERT_EQ(reader.ReadAt(0, got.data(), got.size()), 1) << bitmapEntry;
        EXPECT_TRUE(got == expected) << bitmapEntry;
    }
}

TEST(VhdxLayout, ChunkRatioPlacesSectorBitmapEntries)
{
    VhdxBatLayout layout;
    ASSERT_TRUE(ComputeVhdxBatLayout(200 * 32 * MiB, 32 * MiB, 512, layout));
    EXPECT_EQ(layout.chunkRatio, 128u);
    EXPECT_EQ(VhdxPayloadEntryIndex(layout, 127), 127u);
    EXPECT_EQ(VhdxPayloadEntryIndex(layout, 128), 129u);
    EXPECT_EQ(VhdxBitmapEntryIndex(layout, 0), 128u);
    ASSERT_TRUE(ComputeVhdxBatLayout(100 * MiB, 32 * MiB, 512, layout));
    EXPECT_EQ(layout.dataBlocks, 4u);
    EXPECT_EQ(layout.totalEntries, 4u);
    EXPECT_FALSE(ComputeVhdxBatLayout(100 * MiB, 0, 512, layout));
    EXPECT_FALSE(ComputeVhdxBatLayout(0, 32 * MiB, 512, layout));
    EXPECT_FALSE(ComputeVhdxBatLayout(100 * MiB, 3 * MiB, 512, layout));
}

TEST(VhdxReader, DiskSizeNeedNotFillTheLastBlock)
{
    VhdxLayout layout;
    layout.blockSize = 4 * MiB;
    Bytes image = MakeVhdx(Disk(), layout);  // 5 MiB on 4 MiB blocks
    CVhdxDisk reader;
    ASSERT_EQ(Open(reader, image), 1);
    EXPECT_EQ(reader.GetDiskSize(), 5 * MiB);
    EXPECT_EQ(reader.PayloadBlocks().size(), 2u);
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 5 * MiB - 512, 512));
}

TEST(VhdxGuids, NamesOfTheKnownIdentifiers)
{
    EXPECT_EQ(GetVhdxItemName(VhdxGuidFromText("2DC27766-F623-4200-9D64-115E9BFD4A08").bytes), u"Bat Guid");
    EXPECT_EQ(GetVhdxItemName(VhdxGuidTable()[kVhdxPage83Data].bytes), u"Page83");
    const uint8_t zero[16] = {};
    EXPECT_EQ(GetVhdxItemName(zero), u"Invalid Item Id");
}

}  // namespace
