// The zip directory walk over archives written by Info-ZIP and python's zipfile, checked against
// python's own listing, and over damaged archives; the attribute and time conversions.
#include "preview/archives/ZipDirectory.h"
#include "preview/archives/FileTimes.h"
#include "tests/preview/formats/FormatSamples.h"

#include <gtest/gtest.h>

#include <sstream>

namespace morvick::test {
namespace {

constexpr uint64_t kTicks = 10000000;

struct Listed {
    std::string name;
    uint64_t size = 0;
    std::string mtime;
};

std::vector<Listed> PythonListing(const std::string& archive)
{
    std::vector<Listed> out;
    std::istringstream lines(SampleText(kArchiveSamples, archive + ".list"));
    std::string line;
    while (std::getline(lines, line)) {
        Listed l;
        size_t a = line.find('\t'), b = line.rfind('\t');
        l.name = line.substr(0, a);
        l.size = std::stoull(line.substr(a + 1, b - a - 1));
        l.mtime = line.substr(b + 1);
        out.push_back(l);
    }
    return out;
}

// "YYYY-MM-DD hh:mm:ss" of a file time.
std::string Calendar(uint64_t fileTime)
{
    int64_t seconds = static_cast<int64_t>(fileTime / kTicks) - 11644473600LL;
    int64_t days = seconds / 86400, rest = seconds % 86400;
    // Civil date from days since 1970 (valid after 1970 for these samples).
    int64_t z = days + 719468, era = z / 146097, doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365, doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153, d = doy - (153 * mp + 2) / 5 + 1, m = mp < 10 ? mp + 3 : mp - 9;
    int64_t y = yoe + era * 400 + (m <= 2);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", int(y), int(m), int(d), int(rest / 3600),
        int(rest / 60 % 60), int(rest % 60));
    return text;
}

struct Archive {
    std::vector<uint8_t> bytes;
    MemoryArchiveSource source;
    ZipDirectory directory;
    bool opened;

    explicit Archive(const std::string& name)
        : bytes(SampleBytes(kArchiveSamples, name)), source(bytes.data(), bytes.size())
    {
        opened = directory.Open(source);
        SeedFuzzer("fuzz_zip_directory", name, bytes);
    }
    std::string Name(const ZipEntryFacts& e) const
    {
        return e.unicodeName.empty() ? e.storedName : Utf8(e.unicodeName);
    }
};

TEST(ZipDirectoryWalk, EntriesMatchPythonsListing)
{
    for (const char* name : {"info.zip", "python.zip"}) {
        SCOPED_TRACE(name);
        Archive a(name);
        ASSERT_TRUE(a.opened);
        std::vector<Listed> expected = PythonListing(name);
        ZipEntryFacts count;
        ASSERT_EQ(a.directory.GetEntry(-1, count), kZipOk);
        ASSERT_EQ(count.index, static_cast<int32_t>(expected.size()));
        for (int32_t i = 0; i < count.index; ++i) {
            ZipEntryFacts e;
            ASSERT_EQ(a.directory.GetEntry(i, e), kZipOk);
            EXPECT_EQ(e.index, i);
            EXPECT_EQ(a.Name(e), expected[i].name);
            EXPECT_EQ(e.uncompressedSize, expected[i].size);
            // Info-ZIP's "UT" times are UTC Unix times, the MS-DOS time of python's entries is
            // taken as it stands: both give python's calendar time (the samples were made in UTC).
            EXPECT_EQ(Calendar(e.modificationTime), expected[i].mtime);
        }
    }
}

TEST(ZipDirectoryWalk, ExtendedTimestampsAndAnyOrder)
{
    Archive a("info.zip");
    ASSERT_TRUE(a.opened);
    ZipEntryFacts hello;
    ASSERT_EQ(a.directory.GetEntry(0, hello), kZipOk);
    EXPECT_EQ(Calendar(hello.accessTime), "2024-02-01 08:00:00");
    EXPECT_EQ(Calendar(hello.creationTime), "2024-01-31 12:34:56");  // not in the block: the MS-DOS time
    EXPECT_EQ(hello.utcTimes, kZipModificationUtc | kZipAccessUtc);
    // Backwards, and the same entry twice.
    ZipEntryFacts last, again, first;
    ASSERT_EQ(a.directory.GetEntry(4, last), kZipOk);
    ASSERT_EQ(a.directory.GetEntry(4, again), kZipOk);
    EXPECT_EQ(last.storedName, again.storedName);
    ASSERT_EQ(a.directory.GetEntry(0, first), kZipOk);
    EXPECT_EQ(first.storedName, "hello.txt");
    // An entry without "UT": all three times are the MS-DOS time.
    Archive p("python.zip");
    ZipEntryFacts plain;
    ASSERT_EQ(p.directory.GetEntry(0, plain), kZipOk);
    EXPECT_EQ(plain.accessTime, plain.modificationTime);
    EXPECT_EQ(plain.creationTime, plain.modificationTime);
    EXPECT_EQ(plain.utcTimes, 0);
    EXPECT_EQ(plain.compressedSize < plain.uncompressedSize, true);
    // Requests outside the directory.
    ZipEntryFacts none;
    EXPECT_EQ(p.directory.GetEntry(-2, none), kZipBadArgument);
    EXPECT_EQ(p.directory.GetEntry(8, none), kZipBadArgument);
}

TEST(ZipDirectoryWalk, AttributesOfEachHost)
{
    Archive p("python.zip");
    auto attributes = [&](int32_t i) {
        ZipEntryFacts e;
        EXPECT_EQ(p.directory.GetEntry(i, e), kZipOk);
        return e.attributes;
    };
    EXPECT_EQ(attributes(0), 0xA0u);                  // archive, not read-only: MS-DOS entries carry no owner bits
    EXPECT_EQ(attributes(1), 0xA1u);                  // read-only and archive
    EXPECT_EQ(attributes(2), 0xA6u);                  // hidden, system, archive
    EXPECT_EQ(attributes(3), 0x81u);                  // Unix, owner may not write
    EXPECT_EQ(attributes(4), 0x80u);                  // Unix, owner may write
    EXPECT_EQ(attributes(5), 0x90u);                  // a folder
    EXPECT_EQ(ZipFileAttributes(0x40000000), 0x91u);  // a Unix folder without owner write
    EXPECT_EQ(ZipFileAttributes(0x00800001), 0x81u);  // the MS-DOS read-only bit wins
}

TEST(ZipDirectoryWalk, DamagedArchives)
{
    // The directory ends after its first entry while the end record counts five.
    Archive cut("cut-directory.zip");
    ASSERT_TRUE(cut.opened);
    EXPECT_EQ(cut.directory.EntryCount(), 5);
    {
        ZipEntryFacts e;
        EXPECT_EQ(cut.directory.GetEntry(0, e), kZipOk);
        EXPECT_EQ(cut.directory.GetEntry(1, e), kZipDirectoryDamaged);
        EXPECT_TRUE(e.storedName.empty());
        EXPECT_EQ(cut.directory.GetEntry(3, e), kZipDirectoryDamaged);
        EXPECT_EQ(cut.directory.GetEntry(0, e), kZipOk);
        EXPECT_EQ(e.storedName, "hello.txt");
    }
    // A local header that does not match: the central directory's description, and the result.
    Archive badLocal("bad-local.zip");
    ASSERT_TRUE(badLocal.opened);
    ZipEntryFacts e;
    EXPECT_EQ(badLocal.directory.GetEntry(0, e), kZipLocalHeaderMismatch);
    EXPECT_EQ(e.storedName, "hello.txt");
    EXPECT_EQ(e.uncompressedSize, 26u);
    EXPECT_EQ(badLocal.directory.GetEntry(1, e), kZipOk);
    // A "UT" block claiming more than its field holds: the times stay within the field.
    Archive hostile("hostile-extra.zip");
    ASSERT_TRUE(hostile.opened);
    EXPECT_EQ(hostile.directory.GetEntry(0, e), kZipOk);
    EXPECT_EQ(Calendar(e.modificationTime), "2024-01-31 12:34:56");

    Archive notZip("not-a-zip.zip");
    EXPECT_FALSE(notZip.opened);
    Archive empty("empty.zip");
    ASSERT_TRUE(empty.opened);
    EXPECT_EQ(empty.directory.EntryCount(), 0);
}

TEST(ZipDirectoryWalk, EntriesOfEveryMethodGiveTheirExtraField)
{
    // LZMA, a method minizip does not unpack: the local header is still checked and its "UT" times
    // and "up" name are read.
    Archive a("lzma.zip");
    ASSERT_TRUE(a.opened);
    ZipEntryFacts e;
    ASSERT_EQ(a.directory.GetEntry(0, e), kZipOk);
    EXPECT_EQ(a.Name(e), "caf\xC3\xA9.txt");
    EXPECT_EQ(Calendar(e.modificationTime), "2024-01-31 12:34:56");
    EXPECT_EQ(Calendar(e.accessTime), "2024-02-01 08:00:00");
    EXPECT_EQ(Calendar(e.creationTime), "2023-06-15 09:30:10");
    // A local header whose CRC differs from the directory's does not match: the directory's
    // description, without the extra field.
    Archive bad("lzma-bad-local.zip");
    ASSERT_TRUE(bad.opened);
    EXPECT_EQ(bad.directory.GetEntry(0, e), kZipLocalHeaderMismatch);
    EXPECT_EQ(a.Name(e), "cafe.txt");
    EXPECT_EQ(Calendar(e.modificationTime), "2023-06-15 09:30:10");
    // An extra field that runs past the archive's end cannot be read.
    Archive past("extra-past-end.zip");
    ASSERT_TRUE(past.opened);
    EXPECT_EQ(past.directory.GetEntry(0, e), kZipExtraFieldFailed);
    EXPECT_EQ(e.uncompressedSize, 19u * 20u);
}

TEST(ZipExtraField, BlocksAreBoundedByTheField)
{
    ZipEntryFacts facts;
    // "UT" with all three flags but room for one time only.
    const uint8_t ut[] = {0x55, 0x54, 5, 0, 0x07, 0x00, 0x00, 0x00, 0x00};
    ReadZipExtraField(ut, sizeof ut, facts, 0, false);
    EXPECT_EQ(facts.modificationTime, 116444736000000000ull);  // 1970-01-01
    EXPECT_EQ(facts.accessTime, 0u);
    EXPECT_EQ(facts.utcTimes, kZipModificationUtc);
    // A block header cut by the end, and a size running past it.
    const uint8_t cut[] = {0x55, 0x54, 0xFF, 0xFF, 0x01, 0x10};
    ReadZipExtraField(cut, sizeof cut, facts, 0, false);
    ReadZipExtraField(cut, 3, facts, 0, false);
    // A Unicode name only when its check of the stored name agrees.
    const uint8_t up[] = {0x75, 0x70, 7, 0, 1, 0x11, 0x22, 0x33, 0x44, 0xC3, 0xA9};
    ReadZipExtraField(up, sizeof up, facts, 0x44332211, true);
    EXPECT_EQ(facts.unicodeName, u"é");
    facts.unicodeName.clear();
    ReadZipExtraField(up, sizeof up, facts, 0x12345678, true);
    EXPECT_TRUE(facts.unicodeName.empty());
}

TEST(ArchiveTimes, MsDosAndUnixTimes)
{
    uint64_t t = 0;
    // 2024-01-31 12:34:56.
    ASSERT_TRUE(DosDateTimeToFileTime64(((2024 - 1980) << 9) | (1 << 5) | 31, (12 << 11) | (34 << 5) | 28, t));
    EXPECT_EQ(Calendar(t), "2024-01-31 12:34:56");
    EXPECT_FALSE(DosDateTimeToFileTime64(0, 0, t));  // month 0
    EXPECT_EQ(t, 0u);
    EXPECT_FALSE(DosDateTimeToFileTime64((44 << 9) | (2 << 5) | 30, 0, t));  // 30 February
    EXPECT_FALSE(DosDateTimeToFileTime64((44 << 9) | (1 << 5) | 1, 24 << 11, t));
    ASSERT_TRUE(DosDateTimeToFileTime64((20 << 9) | (2 << 5) | 29, 0, t));  // 2000-02-29
    ASSERT_TRUE(UnixTimeToFileTime(-11644473600LL, t));
    EXPECT_EQ(t, 0u);
    EXPECT_FALSE(UnixTimeToFileTime(-11644473601LL, t));
    EXPECT_FALSE(UnixTimeToFileTime(INT64_MAX, t));
    ASSERT_TRUE(UnixTimeToFileTime(-1, t));
    EXPECT_EQ(t, 116444736000000000ull - kTicks);
}

}  // namespace
}  // namespace morvick::test
