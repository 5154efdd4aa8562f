// The results page's tree as a user meets it: its items are check boxes to the system too, and the
// top item shows the drive's picture, not a folder's.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "app/pages/ThirdView_HDD.h"
#include "tests/app/frame/FrameTestSupport.h"
#include "ui/controls/win/ShellIconHelper.h"

namespace morvick::test {
namespace {

TEST(ResultsPage, TheTreeHasCheckBoxesAndItsTopItemTheDrivesPicture)
{
    struct Restore {
        ~Restore() { LeaveFatResults(); }
    } restore;
    ASSERT_NO_FATAL_FAILURE(ShowFatResults({{u"A", 100, 0}}, {{u"a.txt", 100, 10}}));
    CResultTreeCtrl& tree = ResultsPage().Tree();
    // What a screen reader and the control's own keyboard take the boxes for.
    EXPECT_TRUE(tree.GetStyle() & TVS_CHECKBOXES);

    int image = -1, selected = -1;
    ASSERT_TRUE(tree.GetItemImage(tree.GetRootItem(), image, selected));
    SHFILEINFOW drive = {};
    ASSERT_NE(SHGetFileInfoW(L"C:\\", 0, &drive, sizeof(drive), SHGFI_SYSICONINDEX | SHGFI_SMALLICON), 0u);
    EXPECT_EQ(image, drive.iIcon);
    EXPECT_EQ(selected, drive.iIcon);
    EXPECT_NE(image, morvick::ui::CShellIconHelper::GetFolderIconIndex(TRUE));
    CImageList* images = tree.GetImageList(TVSIL_NORMAL);
    ASSERT_NE(images, nullptr);
    EXPECT_LT(image, ImageList_GetImageCount(images->GetSafeHandle())) << "no picture at that index";
    // The folders below keep the folder's picture.
    ASSERT_TRUE(tree.GetItemImage(tree.GetChildItem(tree.GetRootItem()), image, selected));
    EXPECT_EQ(image, morvick::ui::CShellIconHelper::GetFolderIconIndex(TRUE));
}

}  // namespace
}  // namespace morvick::test
