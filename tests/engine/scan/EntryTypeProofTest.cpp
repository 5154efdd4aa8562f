// A free cluster of live entries (no folder's chain leads to it) is listed only where the files it
// names prove it this volume's: the Quick Scan on a small FAT16 volume built sector by sector, whose
// cluster 100 holds such entries, lists its files or not.
#include "engine/save/EngineReset.h"
#include "engine/scan/CameraFileKinds.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "tests/engine/scan/SmallFatVolume.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace morvick::test {

namespace {

constexpr uint16_t kRecords = 100;  // the free cluster of live entries
constexpr uint16_t kDate = ((2024 - 1980) << 9) | (5 << 5) | 17;

class EntryTypeProof : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }

    // A short entry of a file written on kDate.
    void PutFile(uint32_t sector, size_t slot, const std::string& name11, uint16_t cluster, uint32_t size,
        uint8_t attributes = 0x20)
    {
        volume.PutEntry(sector, slot, name11.c_str(), attributes, cluster, size);
        PutLittleEndian16(volume.raw, uint64_t{sector} * 512 + slot * 32 + 24, kDate);
    }
    // Entry `n` (0 to 31) of cluster kRecords: a live file `base` and n, with `extension`.
    void PutRecord(size_t n, const char* base, const char* extension, uint16_t cluster, uint32_t size = 1000)
    {
        char name[12];
        std::snprintf(name, sizeof name, "%s%04zu%s", base, n, extension);
        PutFile(SmallFatVolume::FirstSector(kRecords) + static_cast<uint32_t>(n / 16), n % 16, name, cluster, size);
    }
    void PutBytes(uint16_t cluster, const std::vector<uint8_t>& bytes)
    {
        std::copy(bytes.begin(), bytes.end(), volume.raw.begin() + uint64_t{SmallFatVolume::FirstSector(cluster)} * 512);
    }
    // How many files the Quick Scan lists whose names begin with `base`.
    size_t Listed(const std::string& base)
    {
        volume.Open(0);
        ScanFinishedWord finished{0};
        QuickScanFat(finished);
        const std::vector<std::string> names = ListedFatFileNames();
        return static_cast<size_t>(std::count_if(names.begin(), names.end(),
            [&](const std::string& name) { return name.compare(0, base.size(), base) == 0; }));
    }

    SmallFatVolume volume;
};

const std::vector<uint8_t> kJpeg{0xFF, 0xD8, 0xFF, 0xE1};
const std::vector<uint8_t> kText{'D', 'e', 'a', 'r', ' '};

std::vector<uint8_t> Ftyp(const char* brand)
{
    std::vector<uint8_t> bytes{0, 0, 0, 0x18, 'f', 't', 'y', 'p'};
    bytes.insert(bytes.end(), brand, brand + 4);
    return bytes;
}

std::vector<uint8_t> Tiff(const char* at8 = "\0\0")
{
    std::vector<uint8_t> bytes{'I', 'I', 0x2A, 0, 0x10, 0, 0, 0};
    bytes.insert(bytes.end(), at8, at8 + 2);
    return bytes;
}

}  // namespace

// A card formatted and used again: a new live file took the first clusters of the old folder's first
// 18 photos. The photos left prove the old folder, whose first files do not: those are not free.
TEST_F(EntryTypeProof, AFormattedCardsOldFolderIsProvenByTheFilesThatAreStillFree)
{
    PutFile(SmallFatVolume::kRoot, 0, "CLIP    MOV", 199, 19 * 1024);
    for (uint16_t c = 199; c < 218; ++c) {
        volume.Link(c, c + 1 < 218 ? c + 1 : 0xFFFF);
        PutBytes(c, kText);
    }
    for (size_t n = 0; n < 30; ++n) {
        PutRecord(n, "IMG_", "JPG", static_cast<uint16_t>(200 + n));
        if (n >= 18)
            PutBytes(static_cast<uint16_t>(200 + n), kJpeg);
    }
    EXPECT_EQ(Listed("IMG_"), 30u);
}

// More than half of the files that count must begin with their headers: 3 of 5 do, 2 of 4 do not
// (the fifth a text file, of no type).
TEST_F(EntryTypeProof, MoreThanHalfOfTheFilesThatCountMustBeginWithTheirHeaders)
{
    for (size_t n = 0; n < 5; ++n) {
        PutRecord(n, "IMG_", "JPG", static_cast<uint16_t>(200 + n));
        PutBytes(static_cast<uint16_t>(200 + n), n < 3 ? kJpeg : kText);
    }
    EXPECT_EQ(Listed("IMG_"), 5u);
    ResetEngineState();
    PutBytes(202, kText);
    PutRecord(4, "IMG_", "TXT", 204);
    EXPECT_EQ(Listed("IMG_"), 0u);
}

// Records shaped as live entries that name the first clusters of files other entries name: live
// photos of the root (in use) and the photos of a deleted folder found. None counts: the records give
// no file.
TEST_F(EntryTypeProof, RecordsNamingOtherFilesClustersProveNothing)
{
    PutFile(SmallFatVolume::kRoot, 0, "\xE5OLD       ", 50, 0, 0x10);
    const uint32_t old = SmallFatVolume::FirstSector(50);
    PutFile(old, 0, ".          ", 50, 0, 0x10);
    PutFile(old, 1, "..         ", 0, 0, 0x10);
    for (size_t n = 0; n < 10; ++n) {
        const uint16_t live = static_cast<uint16_t>(300 + n);
        const uint16_t deleted = static_cast<uint16_t>(310 + n);
        char name[12];
        std::snprintf(name, sizeof name, "LIVE%04zuJPG", n);
        PutFile(SmallFatVolume::kRoot, 1 + n, name, live, 1000);
        volume.Link(live, 0xFFFF);
        std::snprintf(name, sizeof name, "\xE5OLD%04zuJPG", n);
        PutFile(old, 2 + n, name, deleted, 1000);
        PutBytes(live, kJpeg);
        PutBytes(deleted, kJpeg);
        PutRecord(2 * n, "REC_", "JPG", live);
        PutRecord(2 * n + 1, "REC_", "JPG", deleted);
    }
    EXPECT_EQ(Listed("REC_"), 0u);
    EXPECT_EQ(Listed("xOLD"), 10u);
}

// A file whose size runs past the volume's end from its first cluster was never written there.
TEST_F(EntryTypeProof, AFileWhoseSizeRunsPastTheVolumesEndProvesNothing)
{
    // 4,182 clusters of 1 KiB: 100 KiB from cluster 4,100 runs past the last.
    for (size_t n = 0; n < 4; ++n) {
        PutRecord(n, "IMG_", "JPG", static_cast<uint16_t>(4100 + n), 100 * 1024);
        PutBytes(static_cast<uint16_t>(4100 + n), kJpeg);
    }
    EXPECT_EQ(Listed("IMG_"), 0u);
}

// The photos of phones and raw cameras, which the File Trace's table does not know, prove their
// folder by their own headers; the documents the table knows still do (".docx" written as ".DOC").
TEST_F(EntryTypeProof, PhotosOfEveryCameraKindAndDocumentsProveTheirFolder)
{
    struct Kind {
        const char* extension;
        std::vector<uint8_t> head;
    };
    const Kind kinds[] = {{"HEI", Ftyp("heic")}, {"CR2", Tiff("CR")}, {"NEF", Tiff()}, {"ARW", Tiff()},
        {"ORF", {'I', 'I', 'R', 'O'}}, {"RW2", {'I', 'I', 'U', 0}}, {"MOV", Ftyp("qt  ")}, {"MP4", Ftyp("isom")},
        {"CR3", Ftyp("crx ")}, {"DOC", {0x50, 0x4B, 0x03, 0x04, 0x14, 0x00, 0x06, 0x00}},
        {"DOC", {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1}}, {"PDF", {'%', 'P', 'D', 'F', '-'}}};
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.extension);
        ResetEngineState();
        SmallFatVolume fresh;
        volume.raw = fresh.raw;
        for (size_t n = 0; n < 4; ++n) {
            PutRecord(n, "FILE", kind.extension, static_cast<uint16_t>(200 + n));
            PutBytes(static_cast<uint16_t>(200 + n), kind.head);
        }
        EXPECT_EQ(Listed("FILE"), 4u);
    }
}

// Each camera kind is known by its own header, not by another kind's under its extension.
TEST(CameraFileKinds, EachKindIsKnownByItsOwnHeader)
{
    const auto begins = [](const char* extension, const std::vector<uint8_t>& head) {
        std::vector<uint8_t> sector(head);
        sector.resize(512, 0);
        return BeginsAsCameraFile(CameraFileKindOf(extension), sector.data(), sector.size());
    };
    EXPECT_TRUE(begins("HEI", Ftyp("heic")));
    EXPECT_TRUE(begins("hei", Ftyp("mif1")));
    EXPECT_FALSE(begins("HEI", Ftyp("qt  ")));
    EXPECT_TRUE(begins("MOV", Ftyp("qt  ")));
    EXPECT_FALSE(begins("MOV", Ftyp("heic")));
    EXPECT_TRUE(begins("CR2", Tiff("CR")));
    EXPECT_FALSE(begins("CR2", Tiff()));
    EXPECT_TRUE(begins("NEF", {'M', 'M', 0, 0x2A}));
    EXPECT_FALSE(begins("NEF", kJpeg));
    EXPECT_TRUE(begins("ORF", {'M', 'M', 'O', 'R'}));
    EXPECT_FALSE(begins("ORF", Tiff()));
    EXPECT_TRUE(begins("RWL", {'I', 'I', 'U', 0}));
    EXPECT_TRUE(begins("JPG", kJpeg));
    EXPECT_FALSE(begins("JPG", Tiff()));
    EXPECT_EQ(CameraFileKindOf("DOC"), CameraFileKind::kNone);
    EXPECT_EQ(CameraFileKindOf(""), CameraFileKind::kNone);
}

}  // namespace morvick::test
