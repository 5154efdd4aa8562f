// The RAR header reader over archives of format 4 and 5 from our writer, checked against bsdtar's
// listing of the same files, and over damaged and encrypted-header archives.
#include "preview/archives/RarReader.h"
#include "tests/preview/formats/FormatSamples.h"

#include <gtest/gtest.h>

#include <sstream>

namespace morvick::test {
namespace {

struct Listed {
    std::string name;
    uint64_t size = 0;
    bool folder = false;
};

// "drwxr-xr-x  0 0      0           0 Jan 31  2024 docs": mode, links, owner, group, size, date
// (three words), name.
std::vector<Listed> BsdtarListing(const std::string& archive)
{
    std::vector<Listed> out;
    std::istringstream lines(SampleText(kArchiveSamples, archive + ".bsdtar"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string mode, links, owner, group, month, day, year;
        Listed l;
        words >> mode >> links >> owner >> group >> l.size >> month >> day >> year;
        std::getline(words >> std::ws, l.name);
        l.folder = mode[0] == 'd';
        out.push_back(l);
    }
    return out;
}

struct Entries {
    RarReader::Status open = RarReader::kNotRar;
    RarReader::Status last = RarReader::kEnd;
    int format = 0;
    std::vector<RarEntryFacts> entries;
};

Entries ReadAll(const std::string& name)
{
    std::vector<uint8_t> bytes = SampleBytes(kArchiveSamples, name);
    SeedFuzzer("fuzz_rar_headers", name, bytes);
    MemoryArchiveSource source(bytes.data(), bytes.size());
    RarReader reader(source);
    Entries out;
    out.open = reader.Open();
    out.format = reader.Format();
    if (out.open != RarReader::kOk)
        return out;
    RarEntryFacts e;
    while ((out.last = reader.Next(e)) == RarReader::kOk)
        out.entries.push_back(e);
    return out;
}

std::string NameOf(const RarEntryFacts& e)
{
    std::string name = e.unicodeName.empty() ? e.storedName : Utf8(e.unicodeName);
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return name;
}

TEST(RarHeaders, ListingsMatchBsdtar)
{
    for (const char* name : {"rar4.rar", "rar4-unix.rar", "rar5.rar", "rar5-empty.rar"}) {
        SCOPED_TRACE(name);
        Entries read = ReadAll(name);
        ASSERT_EQ(read.open, RarReader::kOk);
        EXPECT_EQ(read.last, RarReader::kEnd);
        std::vector<Listed> expected = BsdtarListing(name);
        ASSERT_EQ(read.entries.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const RarEntryFacts& e = read.entries[i];
            EXPECT_EQ(NameOf(e), expected[i].name);
            EXPECT_EQ(e.unpackedSize, expected[i].size);
            EXPECT_EQ(e.directory, expected[i].folder);
            // A folder has all three dictionary bits, in both formats; its attributes say so.
            EXPECT_EQ((e.flags & kRarDictionaryMask) == kRarDictionaryMask, expected[i].folder);
            EXPECT_EQ((e.attributes & 0x10) != 0, expected[i].folder);
        }
    }
}

TEST(RarHeaders, FormatFourDetails)
{
    Entries read = ReadAll("rar4.rar");
    ASSERT_EQ(read.format, 4);
    ASSERT_EQ(read.entries.size(), 5u);
    const RarEntryFacts& readme = read.entries[1];
    EXPECT_EQ(readme.storedName, "docs\\readme.txt");
    EXPECT_TRUE(readme.oemName);
    EXPECT_TRUE(readme.hasDosTime);
    EXPECT_EQ(readme.dosTime,
        static_cast<uint32_t>(((2024 - 1980) << 25) | (1 << 21) | (31 << 16) | (12 << 11) | (34 << 5) | 28));
    EXPECT_EQ(readme.attributes, 0x20u);
    EXPECT_EQ(readme.packedSize, 26u);
    // The Unicode name after the narrow one; sizes above 4 GiB from the high halves.
    EXPECT_EQ(Utf8(read.entries[3].unicodeName), "docs\\Grüße 日本.txt");
    EXPECT_NE(read.entries[3].flags & kRarUnicodeName, 0u);
    EXPECT_EQ(read.entries[4].unpackedSize, (5ull << 32));
    // A Unix host's modes become the platform's attributes.
    Entries unix = ReadAll("rar4-unix.rar");
    ASSERT_EQ(unix.entries.size(), 2u);
    EXPECT_EQ(unix.entries[0].attributes, 0x10u);
    EXPECT_EQ(unix.entries[1].attributes, 0x20u);
    EXPECT_FALSE(unix.entries[1].oemName);
}

TEST(RarHeaders, FormatFiveDetails)
{
    Entries read = ReadAll("rar5.rar");
    ASSERT_EQ(read.format, 5);
    ASSERT_EQ(read.entries.size(), 5u);
    // The service header between the files is skipped.
    EXPECT_EQ(read.entries[2].storedName, "notes.txt");
    // The modification time from the file header (Unix) and from the time record (file time).
    const uint64_t expected = (1706704496ull + 11644473600ull) * 10000000ull;
    EXPECT_EQ(read.entries[1].fileTime, expected);
    EXPECT_EQ(read.entries[2].fileTime, expected);
    EXPECT_FALSE(read.entries[1].hasDosTime);
    EXPECT_EQ(read.entries[1].flags & kRarLongBlock, kRarLongBlock);
    EXPECT_EQ(read.entries[4].attributes, 0x20u);  // Unix host
}

TEST(RarHeaders, DamagedAndEncryptedArchives)
{
    // A header whose CRC fails ends the listing after the entries before it.
    Entries bad = ReadAll("rar4-badcrc.rar");
    EXPECT_EQ(bad.open, RarReader::kOk);
    EXPECT_EQ(bad.last, RarReader::kBadData);
    EXPECT_EQ(bad.entries.size(), 1u);
    // Cut inside a file's data: that file is listed, then the archive ends.
    Entries cut = ReadAll("rar5-cut.rar");
    EXPECT_EQ(cut.entries.size(), 3u);
    EXPECT_EQ(ReadAll("rar5-encrypted.rar").open, RarReader::kEncryptedHeaders);
    EXPECT_EQ(ReadAll("rar4-encrypted.rar").open, RarReader::kEncryptedHeaders);
    EXPECT_EQ(ReadAll("info.zip").open, RarReader::kNotRar);

    // A format-5 header claiming more than the archive holds, and one claiming a size of zero.
    std::vector<uint8_t> huge = {'R', 'a', 'r', '!', 0x1A, 7, 1, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F};
    MemoryArchiveSource hugeSource(huge.data(), huge.size());
    EXPECT_EQ(RarReader(hugeSource).Open(), RarReader::kBadData);
    std::vector<uint8_t> zero = {'R', 'a', 'r', '!', 0x1A, 7, 1, 0, 0, 0, 0, 0, 0};
    MemoryArchiveSource zeroSource(zero.data(), zero.size());
    EXPECT_EQ(RarReader(zeroSource).Open(), RarReader::kBadData);
}

TEST(RarHeaders, UnicodeNameEncodings)
{
    // Literal bytes with the high byte, 16-bit literals, and runs copied from the narrow name
    // (with and without a correction).
    const uint8_t encoded[] = {0x04, 0x40 | 0x20 | 0x00 | 0x03, 0x31, 0x34, 0x12, 'z', 0x01};
    // flags 0b01 10 00 11: high-byte char, 16-bit, literal byte, run.
    std::u16string name = DecodeRar4UnicodeName("abcdef", encoded, sizeof encoded);
    EXPECT_EQ(name.substr(0, 3), std::u16string({0x0431, 0x1234, u'z'}));
    EXPECT_EQ(name.substr(3), u"def");
    // Cut encodings stop where their bytes end; a run never reads past the narrow name.
    EXPECT_EQ(DecodeRar4UnicodeName("", encoded, 3), std::u16string({0x0431}));
    const uint8_t run[] = {0x00, 0xC0, 0x7F};
    EXPECT_EQ(DecodeRar4UnicodeName("ab", run, sizeof run).size(), 129u);
}

}  // namespace
}  // namespace morvick::test
