// Damaged VHD images: each structure broken field by field. The reader refuses what it cannot map,
// reads what it can, and never reads outside what it was given (run under the sanitizers).
#include "ImageWriters.h"

#include "engine/image/VhdDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint64_t MiB = 1u << 20;

const Bytes& Disk()
{
    static const Bytes disk = MakePatternDisk(6 * MiB, {{0, 8192}, {2 * MiB - 512, 1024}, {5 * MiB, 4096}});
    return disk;
}

struct DynamicImage {
    Bytes bytes;
    VhdImageInfo info;
    explicit DynamicImage(const VhdLayout& layout = {}) { bytes = MakeDynamicVhd(Disk(), layout, &info); }
    uint64_t Trailer() const { return bytes.size() - 512; }
};

bool ReadsLikeTheDisk(CVhdDisk& reader, uint64_t offset, size_t count)
{
    Bytes got(count);
    return reader.ReadAt(offset, got.data(), count) == 1 && std::memcmp(got.data(), Disk().data() + offset, count) == 0;
}

int Open(CVhdDisk& reader, const Bytes& image)
{
    return reader.OpenMemory(image.data(), image.size());
}

TEST(VhdFooterDamage, BrokenTrailerFallsBackToTheCopyAtTheStart)
{
    DynamicImage image;
    std::memcpy(&image.bytes[image.Trailer()], "conectiX", 8);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_EQ(reader.GetDiskType(), 3u);
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 2 * MiB - 512, 1024));
}

TEST(VhdFooterDamage, TrailerWithBadChecksumLosesToAGoodCopy)
{
    DynamicImage image;
    PutBigEndian32(image.bytes, image.Trailer() + 60, 2);  // the trailer now says fixed, checksum stale
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_EQ(reader.GetDiskType(), 3u);
}

TEST(VhdFooterDamage, BadChecksumAloneIsAccepted)
{
    Bytes image = MakeFixedVhd(Disk());
    image[image.size() - 512 + 64] ^= 0xFF;
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image), 1);
    EXPECT_EQ(reader.GetDiskSize(), Disk().size());
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 8192));
}

TEST(VhdFooterDamage, NoFooterAnywhereReadsTheFileAsAFixedDisk)
{
    Bytes image = MakeFixedVhd(Disk());
    std::memset(&image[image.size() - 512], 0, 8);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image), 1);
    EXPECT_EQ(reader.GetDiskType(), 5u);
    EXPECT_EQ(reader.GetDiskSize(), image.size());
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 4096));
}

TEST(VhdFooterDamage, FilesShorterThanAFooterAreRefused)
{
    const Bytes image(511, 0);
    CVhdDisk reader;
    EXPECT_EQ(Open(reader, image), 0);
    EXPECT_EQ(reader.OpenMemory(nullptr, 0), 0);
}

TEST(VhdFooterDamage, UnknownDiskTypesReadAsFixed)
{
    for (uint32_t type : {0u, 1u, 5u, 101u, 0xFFFFFFFFu}) {
        Bytes image = MakeFixedVhd(Disk());
        PutBigEndian32(image, image.size() - 512 + 60, type);
        FixVhdFooterChecksum(image, image.size() - 512);
        CVhdDisk reader;
        ASSERT_EQ(Open(reader, image), 1) << type;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, 2 * MiB - 512, 1024)) << type;
    }
}

TEST(VhdFooterDamage, FixedDiskSizeBeyondTheFileStopsAtTheFooter)
{
    Bytes image = MakeFixedVhd(Disk());
    PutBigEndian64(image, image.size() - 512 + 48, 100 * MiB);
    FixVhdFooterChecksum(image, image.size() - 512);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image), 1);
    EXPECT_EQ(reader.GetDiskSize(), Disk().size());  // the footer is not part of the disk
}

TEST(VhdHeaderDamage, HeaderIsFoundAtTheFootersDataOffset)
{
    VhdLayout layout;
    layout.headerOffset = 8192;
    DynamicImage image(layout);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 8192));
}

TEST(VhdHeaderDamage, ADamagedCookieIsReadThroughWhenTheFieldsHold)
{
    for (uint64_t headerOffset : {uint64_t(512), uint64_t(8192)}) {
        VhdLayout layout;
        layout.headerOffset = headerOffset;
        DynamicImage image(layout);
        std::memcpy(&image.bytes[image.info.headerOffset], "xxsparse", 8);
        CVhdDisk reader;
        ASSERT_EQ(Open(reader, image.bytes), 1) << headerOffset;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 8192)) << headerOffset;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, 2 * MiB - 512, 1024)) << headerOffset;
        EXPECT_TRUE(ReadsLikeTheDisk(reader, 5 * MiB, 4096)) << headerOffset;
    }
}

TEST(VhdHeaderDamage, ADamagedCookieWithFieldsOutOfRangeIsRefused)
{
    const struct {
        uint64_t field;
        uint64_t value;
        bool wide;
    } damage[] = {
        {32, (3u << 20) + 100, false},   // block size not a whole number of sectors
        {32, 0, false},                  // no block size
        {16, ~uint64_t(0) - 2, true},    // table outside the file
        {16, 0xFFFFFFFFull << 8, true},  // table far past the end
    };
    for (const auto& d : damage) {
        DynamicImage image;
        std::memset(&image.bytes[image.info.headerOffset], 0, 8);
        if (d.wide)
            PutBigEndian64(image.bytes, image.info.headerOffset + d.field, d.value);
        else
            PutBigEndian32(image.bytes, image.info.headerOffset + d.field, static_cast<uint32_t>(d.value));
        CVhdDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0) << d.field << " " << d.value;
        EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kDamagedStructures);
    }
}

TEST(VhdHeaderDamage, ASoundCookieWinsOverADamagedOne)
{
    // The header at the data offset lost its cookie; the one at 512 is sound but names another table.
    VhdLayout layout;
    layout.headerOffset = 8192;
    DynamicImage image(layout);
    std::memcpy(&image.bytes[512], &image.bytes[image.info.headerOffset], 1024);
    std::memcpy(&image.bytes[image.info.headerOffset], "cxsparsX", 8);
    PutBigEndian32(image.bytes, image.info.headerOffset + 28, 1);  // one entry: block 0 only
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_EQ(reader.BlockOffsets().size(), 3u) << "the sound header at 512 was taken";
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 5 * MiB, 4096));
}

TEST(VhdHeaderDamage, DataOffsetOutsideTheFileIsRefusedWithoutAHeaderAt512)
{
    VhdLayout layout;
    layout.headerOffset = 4096;
    DynamicImage image(layout);
    for (uint64_t footer : {uint64_t(0), image.Trailer()}) {
        PutBigEndian64(image.bytes, footer + 16, 0xFFFFFFFFFFFFF000ull);
        FixVhdFooterChecksum(image.bytes, footer);
    }
    CVhdDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
}

TEST(VhdHeaderDamage, InvalidBlockSizesAreRefused)
{
    for (uint32_t blockSize : {0u, 256u, (3u << 20) + 100, 0x80000000u, 0xFFFFFFFFu}) {
        DynamicImage image;
        PutBigEndian32(image.bytes, image.info.headerOffset + 32, blockSize);
        CVhdDisk reader;
        EXPECT_EQ(Open(reader, image.bytes), 0) << blockSize;
    }
}

TEST(VhdHeaderDamage, TablePastTheEndOfTheFileIsRefused)
{
    DynamicImage image;
    PutBigEndian64(image.bytes, image.info.headerOffset + 16, image.bytes.size() - 4);
    CVhdDisk reader;
    EXPECT_EQ(Open(reader, image.bytes), 0);
    PutBigEndian64(image.bytes, image.info.headerOffset + 16, ~uint64_t(0) - 2);
    EXPECT_EQ(Open(reader, image.bytes), 0);
}

TEST(VhdHeaderDamage, HugeEntryCountIsBoundedByTheDiskSize)
{
    DynamicImage image;
    PutBigEndian32(image.bytes, image.info.headerOffset + 28, 0xFFFFFFFFu);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_EQ(reader.BlockOffsets().size(), 3u);
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 5 * MiB, 4096));
}

TEST(VhdHeaderDamage, HugeDiskSizeDoesNotWrapTheEntryCount)
{
    DynamicImage image;
    for (uint64_t footer : {uint64_t(0), image.Trailer()}) {
        PutBigEndian64(image.bytes, footer + 48, ~uint64_t(0));
        FixVhdFooterChecksum(image.bytes, footer);
    }
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_EQ(reader.BlockOffsets().size(), 3u);  // all the table has
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 5 * MiB, 4096));
    Bytes buffer(512);
    EXPECT_EQ(reader.ReadAt(6 * MiB, buffer.data(), 512), 0);
}

TEST(VhdHeaderDamage, TooFewEntriesLeaveTheRestUnreadable)
{
    DynamicImage image;
    PutBigEndian32(image.bytes, image.info.headerOffset + 28, 1);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 8192));
    Bytes buffer(1024);
    EXPECT_EQ(reader.ReadAt(2 * MiB - 512, buffer.data(), 1024), 0);
}

TEST(VhdTableDamage, EntryPointingOutsideTheFileFailsOnlyThatBlock)
{
    DynamicImage image;
    PutBigEndian32(image.bytes, image.info.tableOffset + 4 * 2, 0x7FFFFFF0u);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    Bytes buffer(4096);
    EXPECT_EQ(reader.ReadAt(5 * MiB, buffer.data(), 4096), 0);
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 8192));
}

TEST(VhdTableDamage, LargeEntriesAreNotCutTo32Bits)
{
    DynamicImage image;
    PutBigEndian32(image.bytes, image.info.tableOffset + 4 * 2, 8388608u);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_EQ(reader.BlockOffsets()[2], (8388608ull + 1) * 512);
}

TEST(VhdTableDamage, TruncatedImageReadsWhatIsLeft)
{
    DynamicImage image;
    Bytes cut(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(image.info.blockData[1] + 512));
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, cut), 1);  // the copy of the footer at the start stands in
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 8192));
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 2 * MiB, 512));
    Bytes buffer(1024);
    EXPECT_EQ(reader.ReadAt(2 * MiB, buffer.data(), 1024), 0);
}

TEST(VhdTableDamage, ImageCutBeforeAnyOfItsDataIsRefusedAndSaysWhy)
{
    DynamicImage image;
    uint64_t first = UINT64_MAX;
    for (uint64_t data : image.info.blockData) {
        if (data != 0)
            first = std::min(first, data);
    }
    ASSERT_NE(first, UINT64_MAX);
    CVhdDisk reader;
    // Not one whole sector of any block is left: nothing of the disk could be read.
    Bytes cut(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(first + 511));
    EXPECT_EQ(Open(reader, cut), 0);
    EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kEndsBeforeData);
    // One sector is: it is read, the rest is not.
    cut.assign(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(first + 512));
    ASSERT_EQ(Open(reader, cut), 1);
    EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kNone);
    // Cut inside the dynamic header, also before a whole trailer: the copy at the start names a
    // dynamic disk whose structures are gone.
    for (size_t size : {size_t{600}, size_t{1200}}) {
        cut.assign(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(Open(reader, cut), 0) << size;
        EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kDamagedStructures) << size;
    }
    EXPECT_EQ(reader.Open(u"/no/such/folder/image.vhd"), 0);
    EXPECT_EQ(reader.OpenFailure(), ImageOpenFailure::kUnreadableFile);
}

TEST(VhdDifferencing, AbsentSectorsReadAsZerosNotAsTheImagesBytes)
{
    VhdLayout layout;
    layout.diskType = 4;
    DynamicImage image(layout);
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    // Sector 16 of block 0 is absent: the image holds 0xEE there, the disk zeros.
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 8192, 512));
    EXPECT_TRUE(ReadsLikeTheDisk(reader, 0, 2 * MiB));
}

TEST(VhdReader, GeometryAndSizesComeFromTheFooter)
{
    DynamicImage image;
    CVhdDisk reader;
    ASSERT_EQ(Open(reader, image.bytes), 1);
    EXPECT_EQ(reader.GetHeads(), 16u);
    EXPECT_EQ(reader.GetSectorsPerTrack(), 63u);
    EXPECT_EQ(reader.GetCylinders(), Disk().size() / 512 / (16 * 63));
    EXPECT_EQ(reader.GetDiskSize(), Disk().size());
    EXPECT_EQ(reader.GetOriginalSize(), Disk().size());
    EXPECT_EQ(reader.Close(), 1);
    Bytes buffer(512);
    EXPECT_EQ(reader.ReadAt(0, buffer.data(), 512), 0);  // closed
    EXPECT_EQ(reader.Close(), 0);
}

}  // namespace
