// A short name that the disk shows now against the name a snapshot lists, as computers of different
// OEM code pages read them.
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/snapshot/SnapshotShortName.h"
#include "engine/util/OemText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The short name as the snapshot's check reads it: its bytes.
std::u16string Kept(const std::string& name11)
{
    OemBytesReading bytes;
    return morvick::FatShortName(reinterpret_cast<const uint8_t*>(name11.data()));
}

// The short name as a computer of the code page lists it; false where that code page cannot read it.
bool ListedOn(uint32_t codePage, const std::string& name11, std::u16string& name)
{
    return morvick::FatShortNameIn(reinterpret_cast<const uint8_t*>(name11.data()), codePage, name);
}

const uint32_t kComputers[] = {437, 850, 852, 866, 932, 936, 949, 950};

class SnapshotShortName : public ::testing::Test {
protected:
    void TearDown() override { SetOemCodePage(0); }
};

// Written under 850, 936, 932 and 437 (表A's second byte is "\"), listed by a computer of any code page
// that reads them, and read again on a computer of 437 or 936: the same names.
TEST_F(SnapshotShortName, TheSameBytesAreTheSameNameOnEveryComputer)
{
    const std::string names[] = {"M\x9ALLER  TXT", "\xBB\xE1\xD2\xE9    TXT", "\x8E\x91\x97\xBF    TXT",
        "\x95\\A     TXT", "M\x8ERZ    TXT", "PLAIN   TXT", "NOEXT      "};
    for (uint32_t here : {437u, 936u}) {
        SetOemCodePage(here);
        for (const std::string& bytes : names) {
            for (uint32_t there : kComputers) {
                std::u16string listed;
                if (ListedOn(there, bytes, listed)) {
                    EXPECT_TRUE(SameShortName(listed, Kept(bytes), false, there)) << bytes << " listed on " << there;
                }
            }
        }
    }
}

// A file deleted and another of its size written in its entry, named otherwise above 0x7F: MÜLLER and
// MÖLLER (850), 会议 and 项目 (936), MÄRZ and MÖRZ, MÖZ, MÄB and MÖCB (437). Whatever computer listed
// the old name, the new bytes are not it.
TEST_F(SnapshotShortName, BytesThatDifferAboveAsciiAreAnotherName)
{
    const std::pair<std::string, std::string> written[] = {{"M\x9ALLER  TXT", "M\x99LLER  TXT"},
        {"\xBB\xE1\xD2\xE9    TXT", "\xCF\xEE\xC4\xBF    TXT"}, {"M\x8ERZ    TXT", "M\x99RZ    TXT"},
        {"M\x8ERZ    TXT", "M\x99Z     TXT"}, {"M\x8E\x42     TXT", "M\x99\x43\x42    TXT"}};
    for (uint32_t here : {437u, 850u, 936u}) {
        SetOemCodePage(here);
        for (const auto& [before, after] : written) {
            for (uint32_t there : kComputers) {
                std::u16string listed;
                if (ListedOn(there, before, listed)) {
                    for (uint32_t page : kComputers) {
                        EXPECT_FALSE(SameShortName(listed, Kept(after), false, page))
                            << before << " listed on " << there << ", read in " << page;
                    }
                }
            }
        }
    }
    for (uint32_t page : kComputers) {
        // A reading no code page gives: 0x8E and "R" as one character none has for them.
        EXPECT_FALSE(SameShortName(u"M\u9F8EZ.TXT", Kept("M\x8ERZ    TXT"), false, page));
        // A name that is no kept bytes (read in a code page) is no name the disk shows.
        EXPECT_FALSE(SameShortName(u"M\u00C4RZ.TXT", u"M\u00C4RZ.TXT", false, page));
    }
}

// Deleted since: the deleted mark took the first byte, also a double-byte character's first byte
// (会议, 表A), and whatever stood there the rest must read as the listed name.
TEST_F(SnapshotShortName, ANameDeletedSinceLostOnlyItsFirstByte)
{
    const std::pair<std::string, std::string> deleted[] = {{"\x8ERGER   TXT", "\xE5RGER   TXT"},
        {"\xBB\xE1\xD2\xE9    TXT", "\xE5\xE1\xD2\xE9    TXT"}, {"\x95\\A     TXT", "\xE5\\A     TXT"},
        {"\x05RZ     TXT", "\xE5RZ     TXT"}, {"PLAIN   TXT", "\xE5LAIN   TXT"}};
    SetOemCodePage(437);
    for (const auto& [live, gone] : deleted) {
        for (uint32_t there : kComputers) {
            std::u16string listed;
            if (ListedOn(there, live, listed)) {
                EXPECT_TRUE(SameShortName(listed, Kept(gone), true, there)) << live << " listed on " << there;
            }
        }
    }
    std::u16string listed;
    ASSERT_TRUE(ListedOn(936, "\xBB\xE1\xD2\xE9    TXT", listed));
    EXPECT_FALSE(SameShortName(listed, Kept("\xE5\xEE\xC4\xBF    TXT"), true, 936)) << "项目's bytes after the first";
    EXPECT_FALSE(SameShortName(u"PLAIN.TXT", Kept("\xE5LAIM   TXT"), true, 437));
    EXPECT_FALSE(SameShortName(u"PLAIN.TXT", Kept("\xE5LAIN   TXT"), false, 437)) << "x is no P where nothing was deleted";
}

// 会议 written in 936 and listed by a computer of 932, which read the last byte of its base, 0xE9, as
// the start of a character the name lacks: the listed name holds a stand-in, for U+FFFD or the "?" of
// a failed reading, and matches no bytes, those it was read from included, in any code page.
TEST_F(SnapshotShortName, ANameListedWithAStandInMatchesNoBytes)
{
    const std::string meeting = "\xBB\xE1\xD2\xE9    TXT";
    SetOemCodePage(932);
    const std::u16string listed = morvick::FatShortName(reinterpret_cast<const uint8_t*>(meeting.data()));
    ASSERT_TRUE(HoldsStandIn(listed));
    std::u16string question = listed;
    question[question.find(u'\xFFFD')] = u'?';
    for (uint32_t page : kComputers) {
        EXPECT_FALSE(SameShortName(listed, Kept(meeting), false, page)) << page;
        EXPECT_FALSE(SameShortName(question, Kept(meeting), false, page)) << page;
    }
    // 会意: the same first three bytes, and a fourth that 932 reads alike.
    EXPECT_FALSE(SameShortName(listed, Kept("\xBB\xE1\xD2\xE2    TXT"), false, 932));
}

}  // namespace
