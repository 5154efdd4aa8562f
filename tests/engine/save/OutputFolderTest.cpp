#include "engine/io/OutputFolder.h"
#include "engine/save/CivilTime.h"
#include "engine/save/SafeFileName.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/save/TestLinks.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

uint64_t LastWriteFileTime(const fs::path& path)
{
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
#else
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return 0;
    return static_cast<uint64_t>(st.st_mtime) * 10000000ULL + 116444736000000000ULL;
#endif
}

}  // namespace

TEST(OutputFolder, CreatesFoldersAndFilesAndReportsExistence)
{
    TempFolder temp;
    std::u16string folder = JoinOutputPath(temp.Path16(), u"d\u00e9j\u00e0");
    EXPECT_FALSE(OutputPathExists(folder));
    EXPECT_TRUE(CreateOutputFolder(folder));
    EXPECT_TRUE(CreateOutputFolder(folder)) << "an existing folder is used";
    EXPECT_TRUE(OutputPathExists(folder));

    std::u16string file = JoinOutputPath(folder, u"f.bin");
    COutputFile out;
    ASSERT_TRUE(out.Create(file));
    std::string big(3 * 1024 * 1024 + 17, 'z');
    ASSERT_TRUE(out.Write(big.data(), big.size()));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadWholeFile(FromPath16(file)), big);

    // Create truncates.
    ASSERT_TRUE(out.Create(file));
    ASSERT_TRUE(out.Write("ab", 2));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadWholeFile(FromPath16(file)), "ab");
    EXPECT_TRUE(DeleteOutputFile(file));
    EXPECT_FALSE(OutputPathExists(file));
}

TEST(OutputFolder, FailuresAreReported)
{
    TempFolder temp;
    COutputFile out;
    EXPECT_FALSE(out.Create(JoinOutputPath(JoinOutputPath(temp.Path16(), u"missing"), u"f.txt")));
    EXPECT_FALSE(out.Write("x", 1));
    EXPECT_TRUE(out.Close());
    // A folder in the way of a file.
    std::u16string folder = JoinOutputPath(temp.Path16(), u"dir");
    ASSERT_TRUE(CreateOutputFolder(folder));
    EXPECT_FALSE(out.Create(folder));
    // A file in the way of a folder.
    std::u16string file = JoinOutputPath(temp.Path16(), u"file");
    ASSERT_TRUE(out.Create(file));
    ASSERT_TRUE(out.Close());
    EXPECT_FALSE(CreateOutputFolder(file));
    EXPECT_FALSE(out.SetTimes(130000000000000000ULL)) << "no file open";
}

TEST(OutputFolder, SetsFileTimes)
{
    TempFolder temp;
    std::u16string file = JoinOutputPath(temp.Path16(), u"t.txt");
    COutputFile out;
    ASSERT_TRUE(out.Create(file));
    CivilTime c;
    c.year = 2004;
    c.month = 3;
    c.day = 5;
    c.hour = 9;
    c.minute = 7;
    c.second = 3;
    uint64_t ft = 0;
    ASSERT_TRUE(CivilToFileTime(c, ft));
    // Written, then dated through the same handle: the date outlasts the close.
    ASSERT_TRUE(out.Write("dated", 5));
    ASSERT_TRUE(out.SetTimes(ft));
    EXPECT_FALSE(out.SetTimes(1ULL << 63));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(LastWriteFileTime(FromPath16(file)), ft);
}

TEST(OutputFolder, CreateNewNeverOpensWhatIsThere)
{
    TempFolder temp;
    std::u16string file = JoinOutputPath(temp.Path16(), u"n.txt");
    COutputFile out;
    ASSERT_EQ(out.CreateNew(file), NewFileResult::kCreated);
    ASSERT_TRUE(out.Write("first", 5));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(out.CreateNew(file), NewFileResult::kExists);
    EXPECT_FALSE(out.IsOpen());
    EXPECT_EQ(ReadWholeFile(FromPath16(file)), "first") << "an existing file is left as it is";
    std::u16string folder = JoinOutputPath(temp.Path16(), u"dir");
    ASSERT_TRUE(CreateOutputFolder(folder));
    EXPECT_EQ(out.CreateNew(folder), NewFileResult::kExists) << "a folder takes the name too";
    EXPECT_EQ(out.CreateNew(JoinOutputPath(JoinOutputPath(temp.Path16(), u"missing"), u"f")), NewFileResult::kFailed);
#ifndef _WIN32
    // A link at the name is taken, and never followed: the file it names stays as it is.
    const fs::path outside = temp.Path() / "outside.txt";
    WriteWholeFile(outside, "keep");
    fs::create_symlink(outside, temp.Path() / "link.txt");
    EXPECT_EQ(out.CreateNew(JoinOutputPath(temp.Path16(), u"link.txt")), NewFileResult::kExists);
    fs::create_symlink(temp.Path() / "nowhere", temp.Path() / "dangling.txt");
    EXPECT_EQ(out.CreateNew(JoinOutputPath(temp.Path16(), u"dangling.txt")), NewFileResult::kExists);
    EXPECT_FALSE(fs::exists(temp.Path() / "nowhere"));
    EXPECT_EQ(ReadWholeFile(outside), "keep");
#endif
}

TEST(OutputFolder, LongPathsWork)
{
    TempFolder temp;
    std::u16string path = temp.Path16();
    for (int i = 0; i < 6; ++i) {
        path = JoinOutputPath(path, std::u16string(60, static_cast<char16_t>(u'a' + i)));
        ASSERT_TRUE(CreateOutputFolder(path)) << i;
    }
    std::u16string file = JoinOutputPath(path, u"deep.txt");
    COutputFile out;
    ASSERT_TRUE(out.Create(file));
    ASSERT_TRUE(out.Write("deep", 4));
    ASSERT_TRUE(out.Close());
    EXPECT_TRUE(OutputPathExists(file));
    EXPECT_EQ(out.CreateNew(file), NewFileResult::kExists);
    ASSERT_EQ(out.CreateNew(JoinOutputPath(path, u"new.txt")), NewFileResult::kCreated);
    EXPECT_TRUE(out.SetTimes(130000000000000000ULL));
    ASSERT_TRUE(out.CreateReplacement(file));
    ASSERT_TRUE(out.Write("deeper", 6));
    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(ReadWholeFile(FromPath16(file)), "deeper");
}

TEST(OutputFolder, ALinkWhereAFolderIsToBeMadeIsNoFolder)
{
    TempFolder temp;
    const fs::path outside = temp.Path() / "outside";
    fs::create_directory(outside);
    TestLink made(outside, temp.Path() / "link", true);
    ASSERT_TRUE(made.Made());
    const std::u16string link = ToPath16(temp.Path() / "link");
    EXPECT_FALSE(CreateOutputFolder(link));
    EXPECT_TRUE(OutputPathIsLink(link));
    const std::u16string folder = ToPath16(temp.Path() / "real");
    ASSERT_TRUE(CreateOutputFolder(folder));
    EXPECT_FALSE(OutputPathIsLink(folder));
    EXPECT_FALSE(OutputPathIsLink(ToPath16(temp.Path() / "nothing")));
    EXPECT_TRUE(fs::is_empty(outside));
}

TEST(OutputFolder, AReplacementTakesTheNameOnlyWhenCommitted)
{
    TempFolder temp;
    const std::u16string file = JoinOutputPath(temp.Path16(), u"r.txt");
    WriteWholeFile(FromPath16(file), "old");
    auto entries = [&] { return std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()); };
    {
        COutputFile out;
        ASSERT_TRUE(out.CreateReplacement(file));
        ASSERT_TRUE(out.Write("new", 3));
        EXPECT_EQ(entries(), 2);
        out.Discard();
        EXPECT_FALSE(out.IsOpen());
    }
    EXPECT_EQ(ReadWholeFile(FromPath16(file)), "old");
    EXPECT_EQ(entries(), 1);
    {
        COutputFile out;
        ASSERT_TRUE(out.CreateReplacement(file));
        ASSERT_TRUE(out.Write("new", 3));
    }
    EXPECT_EQ(ReadWholeFile(FromPath16(file)), "old") << "a replacement never committed is removed";
    EXPECT_EQ(entries(), 1);
    COutputFile out;
    ASSERT_TRUE(out.CreateReplacement(file));
    ASSERT_TRUE(out.Write("new", 3));
    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(ReadWholeFile(FromPath16(file)), "new");
    EXPECT_EQ(entries(), 1);
    // A folder cannot be replaced: the new file is removed and the folder stays.
    const std::u16string folder = JoinOutputPath(temp.Path16(), u"d");
    ASSERT_TRUE(CreateOutputFolder(folder));
    ASSERT_TRUE(out.CreateReplacement(folder));
    EXPECT_FALSE(out.Commit());
    EXPECT_TRUE(fs::is_directory(FromPath16(folder)));
    EXPECT_EQ(entries(), 2);
}
