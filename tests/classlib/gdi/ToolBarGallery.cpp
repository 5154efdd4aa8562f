// A picture of a frame with its toolbar along the top, as a person sees it on screen, written to
// build/windows/classlib-gallery/ for people to look at (nothing is compared).

#include "GdiTestResources.h"

#include "classlib/win/AfxCtrls.h"
#include "classlib/win/CFrameWnd.h"
#include "tests/support/win/WindowCapture.h"

#include <gtest/gtest.h>

namespace {

class GalleryFrame : public CFrameWnd {
public:
    GalleryFrame() { Create(nullptr, L"Toolbar", WS_OVERLAPPEDWINDOW, CRect(40, 40, 360, 200)); }
    void OnOpen() {}
    void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(GalleryFrame, CFrameWnd)
ON_COMMAND(ID_TEST_OPEN, OnOpen)
ON_COMMAND(ID_TEST_EXIT, OnOpen)
ON_UPDATE_COMMAND_UI(ID_TEST_SAVE, OnUpdateSave)
END_MESSAGE_MAP()

}  // namespace

TEST(ToolBarGallery, AFrameWithItsToolbar)
{
    GalleryFrame* frame = new GalleryFrame;
    CToolBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM));
    ASSERT_TRUE(bar.LoadToolBar(IDB_TEST_STRIP));
    frame->RecalcLayout();
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(morvick::test::CaptureWindowToPng(frame->GetSafeHwnd(),
        morvick::test::GalleryFolder("classlib") + L"\\toolbar.png"));
    bar.DestroyWindow();
    frame->DestroyWindow();
}
