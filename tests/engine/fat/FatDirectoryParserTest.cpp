#include "engine/fat/FatDirectoryEntry.h"
#include "engine/fat/FatDirectoryParser.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvick::test {

namespace {

// Builds directory bytes entry by entry.
class DirectoryBuilder {
public:
    // A short entry; `name11` is the 8 + 3 name bytes, `caseFlags` byte 12.
    DirectoryBuilder& Short(const char* name11, uint8_t attributes, uint32_t cluster, uint32_t size = 0,
                            uint8_t caseFlags = 0)
    {
        uint8_t e[32] = {};
        std::memcpy(e, name11, 11);
        e[11] = attributes;
        e[12] = caseFlags;
        Put16(e + 18, 0x5A21);
        Put16(e + 20, static_cast<uint16_t>(cluster >> 16));
        Put16(e + 24, 0x5A22);
        Put16(e + 26, static_cast<uint16_t>(cluster));
        for (int i = 0; i < 4; ++i)
            e[28 + i] = static_cast<uint8_t>(size >> (8 * i));
        m_bytes.insert(m_bytes.end(), e, e + 32);
        return *this;
    }

    // The long-name parts of `name` for the short entry `name11`, last part first, as written on disk.
    // With `deleted`, every part's first byte is 0xE5 and the checksum is of the name before deletion.
    DirectoryBuilder& Long(const std::u16string& name, const char* name11, bool deleted = false)
    {
        const uint8_t sum = FatShortNameChecksum(reinterpret_cast<const uint8_t*>(name11));
        const size_t parts = (name.size() + 12) / 13;
        for (size_t k = parts; k >= 1; --k) {
            uint8_t e[32] = {};
            e[0] = deleted ? 0xE5 : static_cast<uint8_t>(k | (k == parts ? 0x40 : 0));
            e[11] = 0x0F;
            e[13] = sum;
            static const int offsets[13] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
            for (size_t i = 0; i < 13; ++i) {
                const size_t at = (k - 1) * 13 + i;
                const uint16_t c = at < name.size() ? name[at] : at == name.size() ? 0 : 0xFFFF;
                Put16(e + offsets[i], c);
            }
            m_bytes.insert(m_bytes.end(), e, e + 32);
        }
        return *this;
    }

    std::vector<uint8_t>& Bytes() { return m_bytes; }

    std::vector<FatFoundEntry> Parse(bool fat32 = true, uint32_t own = 50, bool parentDeleted = false)
    {
        std::vector<FatFoundEntry> out;
        FatDirectoryParser parser(fat32, own, parentDeleted, [&](const FatFoundEntry& e) { out.push_back(e); });
        parser.Feed(m_bytes.data(), m_bytes.size());
        return out;
    }

private:
    static void Put16(uint8_t* p, uint16_t v)
    {
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
    }
    std::vector<uint8_t> m_bytes;
};

std::vector<std::u16string> Names(const std::vector<FatFoundEntry>& entries)
{
    std::vector<std::u16string> names;
    for (const FatFoundEntry& e : entries)
        names.push_back(e.name);
    return names;
}

}  // namespace

TEST(FatDirectoryParser, ShortEntriesAndWhatIsLeftOut)
{
    DirectoryBuilder d;
    d.Short(".          ", 0x10, 50).Short("..         ", 0x10, 0);
    d.Short("README  TXT", 0x20, 0x12345, 77);
    d.Short("\xE5" "EADME  TXT", 0x20, 9, 5);    // deleted
    d.Short("SUB        ", 0x10, 60);
    d.Short("A?B     TXT", 0x20, 10, 1);          // "?" is no valid name, but the entry may be real
    d.Short("C:D     TXT", 0x20, 11, 1);          // ":" is
    d.Short("SELF       ", 0x10, 50);             // a folder claiming to be this one
    // Without a first cluster: an empty file (live or deleted, any plain attributes) is kept; the
    // volume label, a folder and a file claiming bytes are not.
    d.Short("EMPTY   TXT", 0x20, 0, 0);
    d.Short("\xE5" "MPTY2  TXT", 0x21, 0, 0);
    d.Short("MYDISK     ", 0x08, 0, 0);
    d.Short("NOCLUS     ", 0x10, 0, 0);
    d.Short("LOST    TXT", 0x20, 0, 300);
    const std::vector<FatFoundEntry> found = d.Parse();
    EXPECT_EQ(Names(found), (std::vector<std::u16string>{u"README.TXT", u"xEADME.TXT", u"SUB", u"A?B.TXT",
                                u"C:D.TXT", u"EMPTY.TXT", u"xMPTY2.TXT"}));
    ASSERT_EQ(found.size(), 7u);
    EXPECT_EQ(found[5].firstCluster, 0u);
    EXPECT_EQ(found[5].size, 0u);
    EXPECT_FALSE(found[5].folder);
    EXPECT_TRUE(found[6].deleted);
    EXPECT_EQ(found[0].firstCluster, 0x12345u);
    EXPECT_EQ(found[0].size, 77u);
    EXPECT_EQ(found[0].parentCluster, 50u);
    EXPECT_EQ(found[0].writeDate, 0x5A22);
    EXPECT_EQ(found[0].accessDate, 0x5A21);
    EXPECT_FALSE(found[0].deleted);
    EXPECT_TRUE(found[1].deleted);
    EXPECT_TRUE(found[2].folder);

    // FAT16 ignores the high cluster word; a deleted parent makes every entry deleted.
    const std::vector<FatFoundEntry> fat16 = d.Parse(false, 50, true);
    ASSERT_EQ(fat16.size(), 7u);
    EXPECT_EQ(fat16[0].firstCluster, 0x2345u);
    EXPECT_TRUE(fat16[0].deleted);
    EXPECT_TRUE(fat16[2].deleted);
}

TEST(FatDirectoryParser, ShortNamesKeepTheirBytesWhateverTheCaseFlags)
{
    // Byte 12 (0x08 base, 0x10 extension in lower case) changes nothing: each byte is one character
    // of the OEM code page (0x8E is "\u00C4" in the usual ones).
    DirectoryBuilder d;
    d.Short("README  TXT", 0x20, 3, 1, 0x18);
    d.Short("README  TXT", 0x20, 4, 1, 0x08);
    d.Short("README  TXT", 0x20, 5, 1, 0x10);
    d.Short("A_1\x8E    TXT", 0x20, 6, 1, 0x18);
    d.Short("\xE5" "EADME  TXT", 0x20, 7, 1, 0x18);
    d.Short("NOEXT      ", 0x10, 8, 0, 0x18);
    d.Short("MY FILE TXT", 0x20, 9, 1);
    d.Short("           ", 0x20, 10, 1);  // blanks only: an empty name, listed all the same
    d.Short("        TXT", 0x20, 11, 1);
    EXPECT_EQ(Names(d.Parse()),
        (std::vector<std::u16string>{u"README.TXT", u"README.TXT", u"README.TXT", u"A_1\u00C4.TXT", u"xEADME.TXT",
            u"NOEXT", u"MY FILE.TXT", u"", u".TXT"}));
}

TEST(FatDirectoryParser, ShortNamesInTheOemCodePage)
{
    // A first byte 0x05 stands for 0xE5, the same character as 0xE5 anywhere else in the name.
    DirectoryBuilder d;
    d.Short("M\x8ERZ    TXT", 0x20, 3, 1);
    d.Short("\x05RZ     TXT", 0x20, 4, 1);
    d.Short("M\xE5RZ    TXT", 0x20, 5, 1);
    d.Short("\xE5\x8ERZ    TXT", 0x20, 6, 1);
    const std::vector<std::u16string> names = Names(d.Parse());
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0], u"M\u00C4RZ.TXT");
    EXPECT_EQ(names[1].substr(1), u"RZ.TXT");
    EXPECT_EQ(names[2], u"M" + names[1]);
    EXPECT_GE(names[1][0], 0x80);
    EXPECT_EQ(names[3], u"x\u00C4RZ.TXT");
}

TEST(FatDirectoryParser, NamesAFolderCannotHoldKeepTheirFiles)
{
    DirectoryBuilder d;
    // A long name that fails: the sound short name.
    d.Long(u"a/b.txt", "A_B     TXT").Short("A_B     TXT", 0x20, 3, 1);
    d.Long(u"x:y*z?.txt", "X_Y_Z_  TXT").Short("X_Y_Z_  TXT", 0x20, 4, 1);
    // Both fail, or a short name alone: the name as it is.
    d.Long(u"q?long.txt", "Q\x02LONG  TXT").Short("Q\x02LONG  TXT", 0x20, 5, 1);
    d.Short("BAD\x07NAMETXT", 0x20, 6, 1);
    EXPECT_EQ(Names(d.Parse()),
        (std::vector<std::u16string>{u"A_B.TXT", u"X_Y_Z_.TXT", u"q?long.txt", u"BAD\u0007NAME.TXT"}));

    // The same name in bytes whose other fields no entry has is no entry: a reserved attribute bit,
    // an unknown flag at 12, hundredths of 200, a 24th hour, a 60th second or minute, a 13th month, a day 0.
    const std::pair<size_t, std::vector<uint8_t>> impossible[] = {{11, {0x60}}, {12, {0x20}}, {13, {200}},
        {15, {0xC0}}, {14, {0x1E}}, {22, {0x80, 0x07}}, {24, {0xA1, 0x01}}, {24, {0x20}}, {16, {0x00, 0x5A}}, {18, {0xA0, 0x01}}};
    for (const auto& [offset, bytes] : impossible) {
        DirectoryBuilder garbage;
        garbage.Short("BAD\x07NAMETXT", 0x20, 6, 1);
        std::copy(bytes.begin(), bytes.end(), garbage.Bytes().begin() + offset);
        EXPECT_TRUE(garbage.Parse().empty()) << offset;
        garbage.Bytes()[3] = '_';
        EXPECT_EQ(garbage.Parse().size(), 1u) << offset << ": a sound name is listed whatever the fields";
    }
}

TEST(FatDirectoryParser, LongNames)
{
    DirectoryBuilder d;
    d.Long(u"A rather long name.txt", "ARATHE~1TXT").Short("ARATHE~1TXT", 0x20, 5, 1);
    d.Long(u"Exactly26CharactersLongXYZ", "EXACTL~1   ").Short("EXACTL~1   ", 0x20, 6, 1);  // no terminator
    d.Long(u"Grüße 日本語.txt", "GRUE~1  TXT").Short("GRUE~1  TXT", 0x20, 7, 1);
    d.Long(u"stale name.txt", "OTHER~1 TXT").Short("SHORT   TXT", 0x20, 8, 1);   // wrong checksum
    d.Long(u"deleted long name.txt", "DELETE~1TXT", true).Short("\xE5" "ELETE~1TXT", 0x20, 9, 1);
    d.Long(u"bad?name.txt", "BADNAM~1TXT").Short("BADNAM~1TXT", 0x20, 10, 1);  // a name no folder holds
    EXPECT_EQ(Names(d.Parse()), (std::vector<std::u16string>{u"A rather long name.txt", u"Exactly26CharactersLongXYZ",
                                                             u"Grüße 日本語.txt", u"SHORT.TXT",
                                                             u"deleted long name.txt", u"BADNAM~1.TXT"}));

    // Parts out of order or with a gap give the short name.
    DirectoryBuilder gap;
    gap.Long(u"A name of three parts, forty chars", "THREEP~1TXT");
    std::vector<uint8_t>& bytes = gap.Bytes();
    std::vector<uint8_t> kept(bytes.begin(), bytes.begin() + 32);
    kept.insert(kept.end(), bytes.begin() + 64, bytes.end());
    bytes.swap(kept);
    gap.Short("THREEP~1TXT", 0x20, 5, 1);
    EXPECT_EQ(Names(gap.Parse()), std::vector<std::u16string>{u"THREEP~1.TXT"});
}

TEST(FatDirectoryParser, DeletedLongNamesMustFitTheFirstCharacterTheirChecksumGivesBack)
{
    // A deleted entry's first byte is gone; the checksum of its parts tells which it was, and that
    // must fit the long name (parts of another entry, left before it, do not).
    DirectoryBuilder d;
    d.Long(u"photo.jpg", "PHOTO   JPG", true).Short("\xE5HOTO   JPG", 0x20, 5, 1);
    d.Long(u"photo.jpg", "QHOTO   JPG", true).Short("\xE5HOTO   JPG", 0x20, 6, 1);
    d.Long(u"~notes.txt", "~NOTES~1TXT", true).Short("\xE5NOTES~1TXT", 0x20, 7, 1);
    d.Long(u"~notes.txt", "\x01NOTES~1TXT", true).Short("\xE5NOTES~1TXT", 0x20, 8, 1);
    d.Long(u".profile", "PROFILE    ", true).Short("\xE5ROFILE    ", 0x20, 9, 1);
    d.Long(u"Grüße.txt", "GRE~1   TXT", true).Short("\xE5RE~1   TXT", 0x20, 10, 1);
    d.Long(u"Été.txt", "_T~1    TXT", true).Short("\xE5T~1    TXT", 0x20, 11, 1);
    const std::vector<std::u16string> expected = {u"photo.jpg", u"xHOTO.JPG", u"~notes.txt", u"xNOTES~1.TXT",
        u".profile", u"Grüße.txt", u"Été.txt"};
    EXPECT_EQ(Names(d.Parse()), expected);
}

TEST(FatDirectoryParser, NamesCrossFeedsAndTheEndEntryStops)
{
    DirectoryBuilder d;
    d.Short("FIRST   TXT", 0x20, 3, 1);
    d.Long(u"a long name that crosses a sector end.txt", "ALONGN~1TXT").Short("ALONGN~1TXT", 0x20, 4, 1);
    d.Bytes().resize(d.Bytes().size() + 32, 0);  // the end of the directory
    d.Short("AFTER   TXT", 0x20, 5, 1);
    std::vector<FatFoundEntry> out;
    FatDirectoryParser parser(true, 2, false, [&](const FatFoundEntry& e) { out.push_back(e); });
    // Feed in pieces of 64 bytes: the long name's parts arrive in three calls.
    bool more = true;
    for (size_t off = 0; more && off < d.Bytes().size(); off += 64)
        more = parser.Feed(d.Bytes().data() + off, std::min<size_t>(64, d.Bytes().size() - off));
    EXPECT_FALSE(more);
    EXPECT_TRUE(parser.Ended());
    EXPECT_EQ(Names(out), (std::vector<std::u16string>{u"FIRST.TXT", u"a long name that crosses a sector end.txt"}));
}

TEST(FatDirectoryParser, TooManyPartsAreNotJoined)
{
    // 21 parts (273 characters) exceed any valid name: the short name stays.
    DirectoryBuilder d;
    d.Long(std::u16string(273, u'n'), "LONGLO~1TXT").Short("LONGLO~1TXT", 0x20, 5, 1);
    EXPECT_EQ(Names(d.Parse()), std::vector<std::u16string>{u"LONGLO~1.TXT"});
    DirectoryBuilder e;
    e.Long(std::u16string(255, u'n'), "LONGLO~1TXT").Short("LONGLO~1TXT", 0x20, 5, 1);
    EXPECT_EQ(Names(e.Parse()), std::vector<std::u16string>{std::u16string(255, u'n')});
}

}  // namespace morvick::test
