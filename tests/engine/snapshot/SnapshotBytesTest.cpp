// The snapshot bytes against the file format, round trips of every kind, and refusal of damage.
#include "engine/save/EngineReset.h"
#include "engine/snapshot/SnapshotDecoder.h"
#include "engine/snapshot/SnapshotEncoder.h"
#include "engine/state/EngineState.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

std::vector<uint8_t> Hex(const char* text)
{
    std::vector<uint8_t> out;
    int high = -1;
    for (const char* p = text; *p; ++p) {
        int v = (*p >= '0' && *p <= '9') ? *p - '0' : (*p >= 'a' && *p <= 'f') ? *p - 'a' + 10 : -1;
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

class SnapshotBytes : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }
};

const char* kHeaderAfterKind = "72 00 7a 00 71 00 34  31 00 2e"
                               "%s"  // chosen type (placeholder, replaced below)
    ;

std::vector<uint8_t> ExpectedHeader(char kind, uint16_t type)
{
    std::vector<uint8_t> h = {static_cast<uint8_t>(kind), 0};
    std::vector<uint8_t> rest = Hex("72 00 7a 00 71 00 34  31 00 2e"
                                    "TT TT  00 08 00 00  00 00 01 00  ff 07 01 00  01 00  TT TT"
                                    "40 00 00 00  04 00 00 00  20 00 00 00  04 00 00 00  80 08 00 00"
                                    "04 08 00 00  44 08 00 00  00 10 00 00  00 20 00 00  02 00 00 00"
                                    "08 00 00 00  ff 07 01 00  03 00");
    (void)kHeaderAfterKind;
    h.insert(h.end(), rest.begin(), rest.end());
    // "TT TT" is not hex and was skipped: put the two type words in place.
    std::vector<uint8_t> out(h.begin(), h.begin() + 12);
    out.push_back(static_cast<uint8_t>(type));
    out.push_back(static_cast<uint8_t>(type >> 8));
    out.insert(out.end(), h.begin() + 12, h.begin() + 12 + 14);
    out.push_back(static_cast<uint8_t>(type));
    out.push_back(static_cast<uint8_t>(type >> 8));
    out.insert(out.end(), h.begin() + 26, h.end());
    return out;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST_F(SnapshotBytes, QuickFatSnapshotHasTheDocumentedLayout)
{
    SetSnapshotTestBlock(FileSystemKind::kFat32);
    g_nScanMode = kScanQuick;
    AddFatFolder(u"ab", 5, 0, 1);
    AddFatFile(u"c.txt", 9, 5, 1000);
    std::vector<uint8_t> expected = ExpectedHeader('D', 200);
    ASSERT_EQ(expected.size(), 80u);
    expected = Concat(expected,
        Hex("01 00 00 00"
            "15 00  61 00 62 00 00 00  05 00 00 00  00 00 00 00  65 30  66 30  01  00 00"  // L = 2n + 17
            "01 00 00 00"
            "23 00  63 00 2e 00 74 00 78 00 74 00 00 00 00 00"  // L = 2n + 25
            "09 00 00 00  05 00 00 00  65 30  66 30  e8 03 00 00  00  00 00 00 00"
            "02 00  01 00"));
    EXPECT_EQ(EncodeSnapshot(), expected);
}

TEST_F(SnapshotBytes, QuickNtfsSnapshotHasTheDocumentedLayout)
{
    SetSnapshotTestBlock(FileSystemKind::kNtfs);
    g_nScanMode = kScanQuick;
    AddNtfsFolder(u"d", 64, 5);
    AddMftEntry(u"e", 65, 64, 0x100000002ULL, 0x1082, 1);
    std::vector<uint8_t> bytes = EncodeSnapshot();
    ASSERT_GE(bytes.size(), 30u);
    EXPECT_EQ(bytes[0], 0x44);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[28] | (bytes[29] << 8), 300);
    std::vector<uint8_t> body(bytes.begin() + 80, bytes.end());
    EXPECT_EQ(body,
        Hex("01 00 00 00"
            "21 00  64 00 00 00 00 00  40 00 00 00  05 00 00 00"  // L = 2n + 31
            "11 11 11 11  00 00 c4 01  22 22 22 22  00 00 c5 01  00  00 00"
            "01 00 00 00"
            "2b 00  82 10 00 00  65 00 00 00 00 00  41 00 00 00  40 00 00 00"  // L = 2n + 41
            "33 33 33 33  00 00 c6 01  44 44 44 44  00 00 c7 01  01  02 00 00 00  01 00 00 00"
            "02 00  01 00"));
}

TEST_F(SnapshotBytes, FileTraceSnapshotHasTheDocumentedLayout)
{
    SetSnapshotTestBlock(FileSystemKind::kFat32);
    g_nScanMode = kScanFileTrace;
    AddTraceHit(u".jpg", u"JPEG", "ffd8");
    AddTracedFile(u"1.jpg", u".jpg", u"JPEG", 0x900, 1);
    std::vector<uint8_t> bytes = EncodeSnapshot();
    EXPECT_EQ(bytes[0], 'R');
    std::vector<uint8_t> body(bytes.begin() + 80, bytes.end());
    EXPECT_EQ(body,
        Hex("01 00 00 00"
            "19 00  2e 00 6a 00 70 00 67 00 00 00"  // L = 2n + 17, L - 15 bytes
            "19 00  4a 00 50 00 45 00 47 00 00 00"
            "19 00  66 66 64 38 00  00 00 00 00 00"  // the text, terminator, as many again
            "02 00 00 00  07 00 00 00"
            "01 00 00 00"
            "21 00  2e 00 6a 00 70 00 67 00 00 00 00 00"  // L = 2n + 25, L - 21 bytes
            "23 00  31 00 2e 00 6a 00 70 00 67 00 00 00 00 00"
            "21 00  4a 00 50 00 45 00 47 00 00 00 00 00"
            "01 00 00 00  00 09 00 00"
            "02 00  01 00"));
}

TEST_F(SnapshotBytes, UnknownBrowsedTypeGivesHeaderAndTrailerOnly)
{
    SetSnapshotTestBlock(FileSystemKind::kNone);
    AddFatFolder(u"x", 3, 0);
    EXPECT_EQ(EncodeSnapshot().size(), 84u);
}

TEST_F(SnapshotBytes, ExtensiveNtfsKeepsOnlyRecordsOfTheVolumeAndLoadsThemAsFileRecords)
{
    SetSnapshotTestBlock(FileSystemKind::kNtfs);
    g_nScanMode = kScanExtensive;
    AddNtfsFolder(u"f", 70, 5);
    AddNtfsFileRecord(u"before", 0x880, 70, 1);  // at the cluster base: outside
    AddNtfsFileRecord(u"inside", 0x900, 70, 5000000000ULL);
    AddNtfsFileRecord(u"last", 0x107FF, 70, 3);
    AddNtfsFileRecord(u"after", 0x10800, 70, 4);
    std::vector<uint8_t> bytes = EncodeSnapshot();

    LoadedSnapshot loaded;
    ASSERT_EQ(DecodeSnapshot(bytes.data(), bytes.size(), loaded), SnapshotStatus::kOk);
    EXPECT_EQ(loaded.scanMode, kScanExtensive);
    EXPECT_EQ(loaded.mftEntries.count, 0u);
    ASSERT_EQ(loaded.ntfsFiles.count, 2u);
    EXPECT_EQ(std::u16string(loaded.ntfsFiles.head->name), u"inside");
    EXPECT_EQ(loaded.ntfsFiles.head->sector, 0x900u);
    EXPECT_EQ((static_cast<uint64_t>(loaded.ntfsFiles.head->sizeHigh) << 32) | loaded.ntfsFiles.head->sizeLow,
        5000000000ULL);
    EXPECT_EQ(std::u16string(loaded.ntfsFiles.tail->name), u"last");
}

TEST_F(SnapshotBytes, EveryKindRoundTripsToTheSameBytes)
{
    struct Case {
        int32_t mode;
        FileSystemKind type;
    };
    for (Case c : {Case{kScanQuick, FileSystemKind::kFat16}, Case{kScanQuick, FileSystemKind::kNtfs},
             Case{kScanExtensive, FileSystemKind::kFat32}, Case{kScanExtensive, FileSystemKind::kNtfs},
             Case{kScanFileTrace, FileSystemKind::kFat16}}) {
        ResetEngineState();
        SetSnapshotTestBlock(c.type);
        if (c.mode != kScanExtensive) {
            // As the scans leave the block: only an Extensive Scan browses a found volume.
            g_VolumeParams.volumeEnd = 0;
            g_VolumeParams.volumeNumber = 0;
        }
        g_nScanMode = c.mode;
        AddOneRecordOfEveryList();
        std::vector<uint8_t> first = EncodeSnapshot();

        LoadedSnapshot loaded;
        ASSERT_EQ(DecodeSnapshot(first.data(), first.size(), loaded), SnapshotStatus::kOk)
            << c.mode << " " << FileSystemCode(c.type);
        ResetEngineState();
        g_VolumeParams.rootLocation = 0x1234;
        loaded.Commit();
        EXPECT_EQ(g_nScanMode, c.mode);
        EXPECT_EQ(uint32_t{g_VolumeParams.rootLocation}, 0x1234u) << "the root location is not stored";
        EXPECT_EQ(g_wDeviceIndex, 2);
        g_VolumeParams.rootLocation = 0xDEAD;
        EXPECT_EQ(EncodeSnapshot(), first) << c.mode << " " << FileSystemCode(c.type);
    }
}

TEST_F(SnapshotBytes, AFoundVolumesEndIsKeptOnlyInAnExtensiveScansSnapshot)
{
    // Earlier writers stored the end of a volume an Extensive Scan had found in the snapshots of
    // the scans that followed it in the same run.
    for (int32_t mode : {kScanQuick, kScanFileTrace, kScanExtensive}) {
        ResetEngineState();
        SetSnapshotTestBlock(FileSystemKind::kNtfs);
        g_nScanMode = mode;
        const std::vector<uint8_t> bytes = EncodeSnapshot();
        LoadedSnapshot loaded;
        ASSERT_EQ(DecodeSnapshot(bytes.data(), bytes.size(), loaded), SnapshotStatus::kOk) << mode;
        const bool found = mode == kScanExtensive;
        EXPECT_EQ(uint32_t{loaded.block.volumeEnd}, found ? 0x107FFu : 0u) << mode;
        EXPECT_EQ(uint16_t{loaded.block.volumeNumber}, found ? 3 : 0) << mode;
        EXPECT_EQ(uint32_t{loaded.block.partitionEnd}, 0x107FFu) << mode;
    }
}

TEST_F(SnapshotBytes, HeaderFaultsAreToldApart)
{
    SetSnapshotTestBlock(FileSystemKind::kFat32);
    AddFatFile(u"a", 3, 0, 1);
    std::vector<uint8_t> good = EncodeSnapshot();
    {
        std::vector<uint8_t> b = good;
        b[0] = 'X';
        LoadedSnapshot s;
        EXPECT_EQ(DecodeSnapshot(b.data(), b.size(), s), SnapshotStatus::kInvalidKind);
    }
    {
        std::vector<uint8_t> b = good;
        b[5] ^= 1;
        LoadedSnapshot s;
        EXPECT_EQ(DecodeSnapshot(b.data(), b.size(), s), SnapshotStatus::kWrongMagic);
    }
    {
        std::vector<uint8_t> b = good;
        b[11] = '1';
        LoadedSnapshot s;
        EXPECT_EQ(DecodeSnapshot(b.data(), b.size(), s), SnapshotStatus::kWrongVersion);
    }
    LoadedSnapshot empty;
    EXPECT_EQ(DecodeSnapshot(nullptr, 0, empty), SnapshotStatus::kInvalidKind);
}

TEST_F(SnapshotBytes, EveryTruncationIsRefused)
{
    for (int mode : {kScanQuick, kScanFileTrace}) {
        for (FileSystemKind type : {FileSystemKind::kFat16, FileSystemKind::kNtfs}) {
            ResetEngineState();
            SetSnapshotTestBlock(type);
            g_nScanMode = mode;
            AddFatFolder(u"dir", 3, 0);
            AddFatFile(u"file", 4, 3, 10);
            AddNtfsFolder(u"dir", 64, 5);
            AddMftEntry(u"file", 65, 64, 10, 0x2000);
            AddTraceHit(u".gif", u"GIF", "474946");
            AddTracedFile(u"1.gif", u".gif", u"GIF", 0x10, 1);
            std::vector<uint8_t> good = EncodeSnapshot();
            for (size_t n = 0; n < good.size(); ++n) {
                LoadedSnapshot s;
                EXPECT_NE(DecodeSnapshot(good.data(), n, s), SnapshotStatus::kOk) << "length " << n;
            }
            std::vector<uint8_t> longer = good;
            longer.push_back(0);
            LoadedSnapshot s;
            EXPECT_EQ(DecodeSnapshot(longer.data(), longer.size(), s), SnapshotStatus::kDamaged);
        }
    }
}

TEST_F(SnapshotBytes, HostileLengthsCountsAndFieldsAreRefused)
{
    SetSnapshotTestBlock(FileSystemKind::kFat32);
    AddFatFolder(u"dir", 3, 0);
    std::vector<uint8_t> good = EncodeSnapshot();
    auto refused = [](std::vector<uint8_t> b) {
        LoadedSnapshot s;
        return DecodeSnapshot(b.data(), b.size(), s) == SnapshotStatus::kDamaged;
    };
    {
        std::vector<uint8_t> b = good;  // folder count far beyond the file
        b[80] = b[81] = b[82] = b[83] = 0xFF;
        EXPECT_TRUE(refused(b));
    }
    {
        std::vector<uint8_t> b = good;  // L below the fixed part
        b[84] = 14;
        b[85] = 0;
        EXPECT_TRUE(refused(b));
    }
    {
        std::vector<uint8_t> b = good;  // L past the end
        b[84] = 0xFF;
        b[85] = 0xFF;
        EXPECT_TRUE(refused(b));
    }
    {
        std::vector<uint8_t> b = good;  // device index beyond the ten devices
        b[b.size() - 4] = 10;
        EXPECT_TRUE(refused(b));
    }
    {
        std::vector<uint8_t> b = good;  // source type 0
        b[b.size() - 2] = 0;
        EXPECT_TRUE(refused(b));
    }
    for (uint32_t spc : {0u, 3u, 256u}) {  // cluster sizes that the savers would divide by
        std::vector<uint8_t> b = good;
        b[34] = static_cast<uint8_t>(spc);
        b[35] = static_cast<uint8_t>(spc >> 8);
        EXPECT_TRUE(refused(b)) << spc;
    }
}

// A type's signature text and its length of compared bytes are read each on its own: a text that is
// not twice the length, or not hexadecimal, is kept as written (the search never matches it) and
// does not cost the rest of the snapshot.
TEST_F(SnapshotBytes, ASignatureTextAndItsLengthAreKeptAsWritten)
{
    SetSnapshotTestBlock(FileSystemKind::kFat32);
    g_nScanMode = kScanFileTrace;
    AddTraceHit(u".x", u"X", "zz");
    AddTraceHit(u".jpg", u"JPEG", "ffd8")->signatureLength = 3;
    AddTracedFile(u"1.jpg", u".jpg", u"JPEG", 0x900, 2);
    const std::vector<uint8_t> bytes = EncodeSnapshot();
    LoadedSnapshot loaded;
    ASSERT_EQ(DecodeSnapshot(bytes.data(), bytes.size(), loaded), SnapshotStatus::kOk);
    ASSERT_EQ(loaded.traceHits.count, 2u);
    EXPECT_STREQ(loaded.traceHits.head->signature, "zz");
    EXPECT_EQ(loaded.traceHits.head->signatureLength, 1u);
    EXPECT_STREQ(loaded.traceHits.tail->signature, "ffd8");
    EXPECT_EQ(loaded.traceHits.tail->signatureLength, 3u);
    EXPECT_EQ(loaded.tracedFiles.count, 1u);
}
