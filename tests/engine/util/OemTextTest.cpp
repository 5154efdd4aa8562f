// Short names read in OEM code pages: this computer's (which a test sets), each code page alone, and
// the bytes kept to be read again later in any of them.
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/util/OemText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>

namespace {

std::u16string Read(uint32_t codePage, const std::string& bytes)
{
    std::u16string text;
    EXPECT_TRUE(ReadCodePage(codePage, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text)) << codePage;
    return text;
}

bool Reads(uint32_t codePage, const std::string& bytes)
{
    std::u16string text;
    return ReadCodePage(codePage, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text);
}

std::u16string ShortName(const char* name11)
{
    return morvick::FatShortName(reinterpret_cast<const uint8_t*>(name11));
}

class OemText : public ::testing::Test {
protected:
    void TearDown() override { SetOemCodePage(0); }
};

// The code pages Windows' systems use for names, each read by this platform as those systems read it.
TEST_F(OemText, EachCodePageReadsItsOwnLetters)
{
    size_t count = 0;
    const uint32_t* pages = OemCodePages(count);
    const std::set<uint32_t> known(pages, pages + count);
    for (uint32_t page : {437u, 850u, 852u, 866u, 932u, 936u, 949u, 950u})
        EXPECT_EQ(known.count(page), 1u) << page;
    EXPECT_EQ(Read(437, "M\x8ERZ"), u"M\u00C4RZ");
    EXPECT_EQ(Read(850, "M\x9ALLER"), u"M\u00DCLLER");
    EXPECT_EQ(Read(852, "\x9F"), u"\u010D");
    EXPECT_EQ(Read(866, "\x8E"), u"\u041E");
    EXPECT_EQ(Read(936, "\xBB\xE1\xD2\xE9"), u"\u4F1A\u8BAE");  // 会议
    EXPECT_EQ(Read(932, "\x8E\x91\x97\xBF"), u"\u8CC7\u6599");  // 資料
    EXPECT_EQ(Read(932, "\x95\\A"), u"\u8868A");                // 表A: its second byte is "\"
    EXPECT_EQ(Read(949, "\xC7\xD1"), u"\uD55C");                // 한
    EXPECT_EQ(Read(950, "\xA4\xA4"), u"\u4E2D");                // 中
}

// A byte sequence that is no character of the code page reads as nothing there: a lead byte with no
// byte after it, or with one that cannot follow it; a code page this platform does not know at all.
TEST_F(OemText, ASequenceThatIsNoCharacterIsNotRead)
{
    EXPECT_FALSE(Reads(932, "\xBB\xE1\xD2\xE9"));  // 0xE9 begins a character the name lacks
    EXPECT_FALSE(Reads(936, "A\x81"));
    EXPECT_FALSE(Reads(950, "\x8E\x91"));  // no character of 950 goes on with 0x91
    EXPECT_FALSE(Reads(54321, "A"));
    EXPECT_TRUE(Reads(437, std::string("\x00\x7F\x80\xFF", 4)));
}

// This computer's code page is the one names are read in, and a test can set it. Where a name cannot
// be read whole, what can be is read and the rest is U+FFFD; so too in a code page not known here.
TEST_F(OemText, NamesAreReadInThisComputersCodePage)
{
    SetOemCodePage(936);
    EXPECT_EQ(OemCodePage(), 936u);
    EXPECT_EQ(ShortName("\xBB\xE1\xD2\xE9    TXT"), u"\u4F1A\u8BAE.TXT");
    EXPECT_EQ(ShortName("README  TXT"), u"README.TXT");
    SetOemCodePage(850);
    EXPECT_EQ(ShortName("M\x9ALLER  TXT"), u"M\u00DCLLER.TXT");
    SetOemCodePage(932);
    const std::u16string cut = ShortName("\xBB\xE1\xD2\xE9    TXT");
    EXPECT_EQ(cut.substr(0, 2), u"\uFF7B\u7791");
    EXPECT_NE(cut.find(u".TXT"), std::u16string::npos);
    // Names of ASCII alone are read by the code page too: 864 may read "%" as its own percent sign.
    SetOemCodePage(864);
    EXPECT_EQ(ShortName("50%     TXT"), Read(864, "50%") + u".TXT");
    // A code page not known here still gives a name: ASCII as itself, every other byte U+FFFD.
    SetOemCodePage(54321);
    EXPECT_EQ(ShortName("M\x8ERZ    TXT"), u"M\uFFFDRZ.TXT");
    SetOemCodePage(0);
#ifndef _WIN32
    EXPECT_EQ(OemCodePage(), 437u) << "the usual one, where no system gives its own";
#endif
}

// A short name read through one code page alone: each part as that code page reads it, the deleted mark
// as "x" and a first byte 0x05 as 0xE5, as this computer's reading takes them.
TEST_F(OemText, AShortNameReadThroughOneCodePage)
{
    std::u16string name;
    ASSERT_TRUE(morvick::FatShortNameIn(reinterpret_cast<const uint8_t*>("\x05RZ     TXT"), 850, name));
    EXPECT_EQ(name, u"\u00D5RZ.TXT");
    ASSERT_TRUE(morvick::FatShortNameIn(reinterpret_cast<const uint8_t*>("\xE5\xE1\xD2\xE9    TXT"), 437, name));
    EXPECT_EQ(name, u"x\u00DF\u2565\u0398.TXT");
    EXPECT_FALSE(morvick::FatShortNameIn(reinterpret_cast<const uint8_t*>("\xE5\xE1\xD2\xE9    TXT"), 936, name));
    // A character cannot go on from the name into its extension.
    EXPECT_FALSE(morvick::FatShortNameIn(reinterpret_cast<const uint8_t*>("AB\x81     TXT"), 936, name));
}

// Under an OemBytesReading names keep their bytes on this thread, to be read again in any code page;
// another thread, and this one once it ends, reads them in this computer's code page.
TEST_F(OemText, BytesKeptAreTheBytesAgain)
{
    SetOemCodePage(437);
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    std::u16string kept, other;
    {
        OemBytesReading bytes;
        kept = OemToUtf16(reinterpret_cast<const uint8_t*>(all.data()), all.size());
        {
            OemBytesReading again;
        }
        EXPECT_EQ(ShortName("M\x8ERZ    TXT"), u"M\uF78ERZ.TXT");
        std::thread([&] { other = ShortName("M\x8ERZ    TXT"); }).join();
    }
    EXPECT_EQ(other, u"M\u00C4RZ.TXT");
    EXPECT_EQ(ShortName("M\x8ERZ    TXT"), u"M\u00C4RZ.TXT");
    std::string back;
    ASSERT_TRUE(OemBytesOf(kept, back));
    EXPECT_EQ(back, all);
    EXPECT_FALSE(OemBytesOf(u"M\u00C4RZ.TXT", back)) << "a name read in a code page is no kept bytes";
}

}  // namespace
