// Links at the names that a save writes: a file or folder is made at the name itself or not at all,
// never where a link there points, whether the link's target exists or not. What is outside the
// chosen folder stays as it was.
#include "engine/io/OutputFolder.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/save/TestLinks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class OutputLinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(outside.Path() / "folder");
        WriteWholeFile(outside.Path() / "kept.txt", "keep");
    }
    // The outside folder's entries, to show that nothing came or went there.
    std::vector<std::string> OutsideEntries() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(outside.Path()))
            names.push_back(e.path().lexically_relative(outside.Path()).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::u16string Inside(const char* name) const { return ToPath16(chosen.Path() / name); }

    TempFolder outside;  // declared first: links into it are removed before it is
    TempFolder chosen;
    const std::vector<std::string> before{"folder", "kept.txt"};
};

TEST_F(OutputLinks, ADanglingLinkIsNeverFollowed)
{
    TestLink file(outside.Path() / "made-by-file.txt", chosen.Path() / "file.txt", false);
    TestLink folder(outside.Path() / "made-by-folder", chosen.Path() / "folder", true);
#ifndef _WIN32
    // Wine shows no trace of a dangling link; there the answers below show that it is in the way.
    ASSERT_TRUE(file.Made() && folder.Made());
#endif

    COutputFile out;
    EXPECT_EQ(out.CreateNew(Inside("file.txt")), NewFileResult::kExists);
    EXPECT_FALSE(out.IsOpen());
    EXPECT_FALSE(out.Create(Inside("file.txt"))) << "a link is not emptied, nor what it names made";
    EXPECT_FALSE(out.IsOpen());
    EXPECT_FALSE(ReserveOutputFile(Inside("file.txt")));
    EXPECT_FALSE(CreateOutputFolder(Inside("folder")));
    EXPECT_FALSE(CreateOutputFolder(Inside("file.txt")));
    EXPECT_EQ(OutsideEntries(), before);
}

TEST_F(OutputLinks, ALinkToAFolderIsNoFolderOfTheSave)
{
    TestLink folder(outside.Path() / "folder", chosen.Path() / "folder", true);
    ASSERT_TRUE(folder.Made());
    COutputFile out;
    EXPECT_FALSE(CreateOutputFolder(Inside("folder")));
    EXPECT_EQ(out.CreateNew(Inside("folder")), NewFileResult::kExists);
    EXPECT_FALSE(out.Create(Inside("folder")));
    EXPECT_EQ(OutsideEntries(), before);
    EXPECT_TRUE(fs::is_empty(outside.Path() / "folder"));
}

#ifndef _WIN32
// Wine shows a link to a file as the file itself, to every request: only the native build can tell
// them apart (on Windows the flag that keeps a link as it is does it).
TEST_F(OutputLinks, ALinkToAFileIsNeverWrittenThrough)
{
    TestLink file(outside.Path() / "kept.txt", chosen.Path() / "file.txt", false);
    ASSERT_TRUE(file.Made());
    COutputFile out;
    EXPECT_EQ(out.CreateNew(Inside("file.txt")), NewFileResult::kExists);
    EXPECT_FALSE(out.Create(Inside("file.txt")));
    EXPECT_FALSE(ReserveOutputFile(Inside("file.txt")));
    EXPECT_EQ(ReadWholeFile(outside.Path() / "kept.txt"), "keep");
    EXPECT_EQ(OutsideEntries(), before);
}
#endif

TEST_F(OutputLinks, PlainFilesAndFoldersAreStillMadeAndReused)
{
    COutputFile out;
    ASSERT_TRUE(CreateOutputFolder(Inside("sub")));
    EXPECT_TRUE(CreateOutputFolder(Inside("sub")));
    ASSERT_TRUE(out.Create(Inside("f.txt")));
    ASSERT_TRUE(out.Write("long text", 9));
    ASSERT_TRUE(out.Close());
    ASSERT_TRUE(out.Create(Inside("f.txt")));
    ASSERT_TRUE(out.Write("ab", 2));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadWholeFile(chosen.Path() / "f.txt"), "ab") << "an existing file is emptied first";
    EXPECT_FALSE(out.Create(Inside("sub")));
}

}  // namespace
