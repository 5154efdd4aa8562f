// The toolbar: its buttons and images from a toolbar resource, its place along the frame's top
// edge, and its buttons' states from the frame's update handlers.

#include "GdiTestResources.h"
#include "TestHost.h"

#include "classlib/win/AfxCtrls.h"
#include "classlib/win/CFrameWnd.h"

#include <gtest/gtest.h>

namespace {

class ToolFrame : public CFrameWnd {
public:
    ToolFrame() { Create(nullptr, L"tool frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 300)); }
    BOOL saveEnabled = TRUE;

    void OnOpen() {}
    void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnSave() {}
    void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(saveEnabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolFrame, CFrameWnd)
ON_COMMAND(ID_TEST_OPEN, OnOpen)
ON_UPDATE_COMMAND_UI(ID_TEST_OPEN, OnUpdateOpen)
ON_COMMAND(ID_TEST_SAVE, OnSave)
ON_UPDATE_COMMAND_UI(ID_TEST_SAVE, OnUpdateSave)
END_MESSAGE_MAP()

BOOL ButtonState(CToolBar& bar, UINT message, UINT nID)
{
    return bar.SendMessage(message, nID) != 0;
}

}  // namespace

TEST(ToolBar, ButtonsAndImagesComeFromTheResource)
{
    CToolBar unmade;
    EXPECT_FALSE(unmade.LoadToolBar(IDB_TEST_STRIP));

    TestHost host;
    CToolBar bar;
    ASSERT_TRUE(bar.Create(&host));
    ASSERT_TRUE(bar.LoadToolBar(IDB_TEST_STRIP));
    EXPECT_EQ(4, bar.GetCount());
    EXPECT_EQ(4, (int)bar.SendMessage(TB_BUTTONCOUNT));
    EXPECT_EQ((UINT)ID_TEST_OPEN, bar.GetItemID(0));
    EXPECT_EQ(0u, bar.GetItemID(1));
    EXPECT_EQ(0u, bar.GetItemID(9));
    EXPECT_EQ(3, bar.CommandToIndex(ID_TEST_EXIT));
    EXPECT_EQ(-1, bar.CommandToIndex(0));
    // One image per button, at the resource's size, each on its own button.
    EXPECT_EQ(3, bar.GetImageList()->GetImageCount());
    EXPECT_EQ((LRESULT)bar.GetImageList()->GetSafeHandle(), bar.SendMessage(TB_GETIMAGELIST));
    IMAGEINFO info = {};
    ASSERT_TRUE(bar.GetImageList()->GetImageInfo(2, &info));
    EXPECT_EQ(16, info.rcImage.right - info.rcImage.left);
    TBBUTTONINFOW button = {sizeof(button), TBIF_IMAGE};
    bar.SendMessage(TB_GETBUTTONINFOW, ID_TEST_EXIT, (LPARAM)&button);
    EXPECT_EQ(2, button.iImage);

    // A resource or a bitmap that is missing leaves the bar as it was.
    EXPECT_FALSE(bar.LoadToolBar(999));
    EXPECT_FALSE(bar.LoadToolBar(IDR_TEST_BARE_TOOLBAR));
    EXPECT_EQ(4, bar.GetCount());
    EXPECT_EQ(3, bar.GetImageList()->GetImageCount());

    // A count beyond the end of the resource gives the ids that are there.
    CToolBarResource resource;
    ASSERT_TRUE(AfxLoadToolBarResource(MAKEINTRESOURCE(IDR_TEST_SHORT_TOOLBAR), resource));
    EXPECT_EQ(CSize(16, 16), resource.sizeImage);
    ASSERT_EQ(1u, resource.ids.size());
    EXPECT_EQ((UINT)ID_TEST_OPEN, resource.ids[0]);
}

TEST(ToolBar, SitsAlongTheTopAndTakesItsStatesFromTheFrame)
{
    ToolFrame* frame = new ToolFrame;
    CToolBar bar;
    ASSERT_TRUE(bar.Create(frame));
    ASSERT_TRUE(bar.LoadToolBar(IDB_TEST_STRIP));
    frame->RecalcLayout();
    CRect client, barRect;
    frame->GetClientRect(&client);
    bar.GetWindowRect(&barRect);
    frame->ScreenToClient(&barRect);
    EXPECT_EQ(client.top, barRect.top);
    EXPECT_EQ(client.Width(), barRect.Width());
    // As high as a button (an image and its margin) and the bar's borders.
    EXPECT_GE(barRect.Height(), 16 + 7);
    EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cy, barRect.Height());

    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(ButtonState(bar, TB_ISBUTTONCHECKED, ID_TEST_OPEN));
    EXPECT_TRUE(ButtonState(bar, TB_ISBUTTONENABLED, ID_TEST_SAVE));
    // No handler at all: disabled when the frame asks for that.
    EXPECT_FALSE(ButtonState(bar, TB_ISBUTTONENABLED, ID_TEST_EXIT));
    frame->saveEnabled = FALSE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(ButtonState(bar, TB_ISBUTTONENABLED, ID_TEST_SAVE));

    bar.DestroyWindow();
    frame->DestroyWindow();
}
