// The preview's temporary copies and the save's target folder: names stay inside the temporary
// folder, never take a file that exists, and the clean-up removes only what was made here.
#include "engine/io/OutputFolder.h"
#include "engine/save/EngineReset.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveFolder.h"
#include "engine/save/SaveState.h"
#include "engine/save/TempFiles.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class TempFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        g_PreviewTempFiles.clear();
        folder = temp.Path16() + u"/";
    }
    void TearDown() override
    {
        g_PreviewTempFiles.clear();
        ResetEngineState();
    }

    TempFolder temp;
    std::u16string folder;
};

}  // namespace

TEST_F(TempFiles, ExtensionIsTheLowerCasedSafeTextAfterTheLastDot)
{
    EXPECT_EQ(PreviewExtension(u"Report.Final.DOCX"), u"docx");
    EXPECT_EQ(PreviewExtension(u"README"), u"readme");
    EXPECT_EQ(PreviewExtension(u"x.\u00c4BC"), u"\u00e4bc");
    EXPECT_EQ(PreviewExtension(u"a."), u"");
    // Whatever the image names, the extension is one plain part.
    EXPECT_EQ(PreviewExtension(u"evil.\\..\\..\\x"), u"_x");
    EXPECT_EQ(PreviewExtension(u"..\\..\\boot"), u"_boot");
    EXPECT_EQ(PreviewExtension(u"evil./etc/passwd"), u"_etc_passwd");
    EXPECT_EQ(PreviewExtension(u"evil.jpg:stream"), u"jpg_stream");
    EXPECT_EQ(PreviewExtension(u"dots..."), u"");
}

TEST_F(TempFiles, NamesCountUpPastExistingFilesAndNeverTakeThem)
{
    WriteWholeFile(temp.Path() / "tmp0.jpg", "not ours");
    uint32_t counter = 0;
    std::u16string full;
    EXPECT_EQ(MakeTempPreviewName(folder, u"Photo.JPG", counter, full), u"tmp1.jpg");
    EXPECT_EQ(counter, 1u);
    EXPECT_EQ(full, JoinOutputPath(folder, u"tmp1.jpg"));
    EXPECT_TRUE(fs::exists(temp.Path() / "tmp1.jpg")) << "the name is reserved at once";
    EXPECT_EQ(ReadWholeFile(temp.Path() / "tmp0.jpg"), "not ours");

    // The counter is not advanced after use: the next preview steps over the reserved copy, and a
    // copy of another extension does not take the number of one kept for the clean-up.
    EXPECT_EQ(MakeTempPreviewName(folder, u"b.jpg", counter, full), u"tmp2.jpg");
    EXPECT_EQ(MakeTempPreviewName(folder, u"c.txt", counter, full), u"tmp3.txt");
    ASSERT_EQ(g_PreviewTempFiles.size(), 3u) << "a copy dropped out of the clean-up";

    // A hostile extension stays inside the folder.
    std::u16string hostile = MakeTempPreviewName(folder, u"x.\\..\\..\\boot", counter, full);
    EXPECT_EQ(hostile.find(u'\\'), std::u16string::npos);
    EXPECT_EQ(hostile.find(u'/'), std::u16string::npos);
    EXPECT_TRUE(fs::exists(FromPath16(full)));
    EXPECT_EQ(FromPath16(full).parent_path(), temp.Path());

    // No usable folder: no name.
    counter = 0;
    EXPECT_EQ(MakeTempPreviewName(folder + u"missing/", u"a.jpg", counter, full), u"");
    EXPECT_EQ(full, u"");
    EXPECT_EQ(MakeTempPreviewName(u"", u"a.jpg", counter, full), u"");
}

TEST_F(TempFiles, CleanUpDeletesOnlyOurCopiesAndTheScratchFolder)
{
    WriteWholeFile(temp.Path() / "tmp0.png", "not ours");
    uint32_t counter = 0;
    std::u16string first, second, third;
    MakeTempPreviewName(folder, u"a.png", counter, first);
    ++counter;
    MakeTempPreviewName(folder, u"b.png", counter, second);
    // The next preview, of another kind, while the counter still names b.png's copy.
    MakeTempPreviewName(folder, u"c.txt", counter, third);
    WriteWholeFile(FromPath16(first), "copy");

    const std::u16string scratch = PreviewScratchFolder(folder);
    EXPECT_EQ(FromPath16(scratch), temp.Path() / "ssss");
    ASSERT_TRUE(CreateOutputFolder(scratch));
    WriteWholeFile(FromPath16(JoinOutputPath(scratch, u"slide1.gif")), "gif");
    WriteWholeFile(FromPath16(JoinOutputPath(scratch, u"slide2.gif")), "gif");
    // A folder beside it whose name begins the same.
    fs::create_directory(temp.Path() / "ssss2");
    WriteWholeFile(temp.Path() / "ssss2" / "slide1.gif", "theirs");

    CleanUpTempFiles(folder);
    EXPECT_FALSE(fs::exists(FromPath16(first)));
    EXPECT_FALSE(fs::exists(FromPath16(second)));
    EXPECT_FALSE(fs::exists(FromPath16(third)));
    EXPECT_TRUE(g_PreviewTempFiles.empty());
    EXPECT_FALSE(fs::exists(FromPath16(scratch)));
    EXPECT_EQ(ReadWholeFile(temp.Path() / "tmp0.png"), "not ours");
    EXPECT_EQ(ReadWholeFile(temp.Path() / "ssss2" / "slide1.gif"), "theirs");

    // Nothing left to clean: nothing fails.
    CleanUpTempFiles(folder);
}

TEST_F(TempFiles, SaveFolderMustBeAnExistingFolder)
{
    g_strSavePath = u"old";
    EXPECT_FALSE(AcceptSaveFolder(u""));
    EXPECT_TRUE(g_strSavePath.empty()) << "a cancelled pick leaves the save path empty";
    EXPECT_FALSE(AcceptSaveFolder(temp.Path16() + u"/missing"));
    WriteWholeFile(temp.Path() / "file.txt", "x");
    EXPECT_FALSE(AcceptSaveFolder(ToPath16(temp.Path() / "file.txt")));
    EXPECT_TRUE(g_strSavePath.empty());
    EXPECT_TRUE(AcceptSaveFolder(temp.Path16()));
    EXPECT_EQ(g_strSavePath, temp.Path16());
}
