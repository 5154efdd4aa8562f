// Names from a hostile image must become one plain name inside the target folder.
#include "engine/io/OutputFolder.h"
#include "engine/save/SafeFileName.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::u16string kHostileNames[] = {
    u"..", u".", u"...", u"../../escaped.txt", u"..\\..\\escaped.txt", u"a/b.txt", u"a\\b.txt",
    u"C:\\Windows\\evil.dll", u"c:d.txt", u"file.txt:stream", u"CON", u"con.txt", u"NUL", u"aux .log",
    u"COM1", u"lpt9.doc", u"trailing. . .", u"trailing   ", u"tab\tname", u"bell\x07", u"\x01\x02",
    u"", u"\\\\server\\share\\x", u"/etc/passwd", u"a<b>c|d?e*f\"g", std::u16string(300, u'x') + u".txt",
    std::u16string(1, static_cast<char16_t>(0xD800)) + u"lone", u"..\u0000hidden",
};

bool IsPlainPart(const std::u16string& s)
{
    if (s.empty() || s == u"." || s == u".." || s.size() > kMaxSafeNameLength)
        return false;
    if (s.back() == u'.' || s.back() == u' ')
        return false;
    for (char16_t c : s) {
        if (c < 32 || std::u16string(u"\\/:*?\"<>|").find(c) != std::u16string::npos)
            return false;
    }
    return true;
}

} // namespace

TEST(SafeFileName, EveryHostileNameBecomesOnePlainPart)
{
    for (const std::u16string& name : kHostileNames) {
        std::u16string safe = MakeSafeFileName(name);
        EXPECT_TRUE(IsPlainPart(safe)) << fs::path(name).string();
    }
}

TEST(SafeFileName, OrdinaryNamesStayAsTheyAre)
{
    EXPECT_EQ(MakeSafeFileName(u"Report 2004.doc"), u"Report 2004.doc");
    EXPECT_EQ(MakeSafeFileName(u".profile"), u".profile");
    EXPECT_EQ(MakeSafeFileName(u"Copy (1 ) of a.txt"), u"Copy (1 ) of a.txt");
    EXPECT_EQ(MakeSafeFileName(u"\u00e9t\u00e9 \U0001F600.txt"), u"\u00e9t\u00e9 \U0001F600.txt");
    EXPECT_EQ(MakeSafeFileName(u"console.txt"), u"console.txt");
    EXPECT_EQ(MakeSafeFileName(u"COM10"), u"COM10");
}

TEST(SafeFileName, ReservedAndSeparatorNamesAreRenamedPredictably)
{
    EXPECT_EQ(MakeSafeFileName(u"CON"), u"_CON");
    EXPECT_EQ(MakeSafeFileName(u"nul.txt"), u"_nul.txt");
    EXPECT_EQ(MakeSafeFileName(u"Com1.tar.gz"), u"_Com1.tar.gz");
    EXPECT_EQ(MakeSafeFileName(u".."), u"_");
    EXPECT_EQ(MakeSafeFileName(u"a\\b.txt"), u"a_b.txt");
    EXPECT_EQ(MakeSafeFileName(u"c:d.txt"), u"c_d.txt");
    EXPECT_EQ(MakeSafeFileName(u"name. "), u"name");
}

TEST(SafeFileName, LongNamesKeepTheirExtension)
{
    std::u16string safe = MakeSafeFileName(std::u16string(400, u'a') + u".jpeg");
    EXPECT_EQ(safe.size(), kMaxSafeNameLength);
    EXPECT_EQ(safe.substr(safe.size() - 5), u".jpeg");
    // A surrogate pair at the cut is never split.
    std::u16string emoji;
    for (int i = 0; i < 200; ++i)
        emoji += u"\U0001F600";
    std::u16string cut = MakeSafeFileName(emoji);
    EXPECT_LE(cut.size(), kMaxSafeNameLength);
    EXPECT_FALSE(cut.back() >= 0xD800 && cut.back() <= 0xDBFF);
}

TEST(SafeFileName, JoinAddsOneSeparator)
{
    EXPECT_EQ(JoinOutputPath(u"C:\\out", u"a"), u"C:\\out\\a");
    EXPECT_EQ(JoinOutputPath(u"C:\\out\\", u"a"), u"C:\\out\\a");
    EXPECT_EQ(JoinOutputPath(u"/tmp/out/", u"a"), u"/tmp/out/a");
}

// Writing every hostile name through the output layer leaves exactly one file in its own folder and
// touches nothing outside the target.
TEST(SafeFileName, HostileNamesNeverLeaveTheTargetFolder)
{
    TempFolder temp;
    fs::path target = temp.Path() / "target";
    fs::create_directories(target);
    WriteWholeFile(temp.Path() / "escaped.txt", "keep");
    WriteWholeFile(temp.Path() / "passwd", "keep");

    int index = 0;
    for (const std::u16string& name : kHostileNames) {
        fs::path folder = target / ("case" + std::to_string(index++));
        ASSERT_TRUE(CreateOutputFolder(ToPath16(folder)));
        std::u16string path = JoinOutputPath(ToPath16(folder), MakeSafeFileName(name));
        COutputFile file;
        ASSERT_TRUE(file.Create(path)) << fs::path(name).string();
        ASSERT_TRUE(file.Write("data", 4));
        ASSERT_TRUE(file.Close());

        int entries = 0;
        for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
            EXPECT_TRUE(e.is_regular_file());
            EXPECT_EQ(ReadWholeFile(e.path()), "data");
            ++entries;
        }
        EXPECT_EQ(entries, 1) << fs::path(name).string();
    }
    int outside = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(temp.Path())) {
        (void)e;
        ++outside;
    }
    EXPECT_EQ(outside, 3);
    EXPECT_EQ(ReadWholeFile(temp.Path() / "escaped.txt"), "keep");
    EXPECT_EQ(ReadWholeFile(temp.Path() / "passwd"), "keep");
}
