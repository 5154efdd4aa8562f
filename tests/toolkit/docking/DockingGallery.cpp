// Pictures of docking panes in every docking theme: a frame with tabbed, split, docked, hidden and
// floating panes, a pane slid out of its side panel, and the docking stickers during a drag
// (build/windows/docking-gallery/).
#include "DockingTestSupport.h"

#include "tests/support/win/WindowCapture.h"
#include "toolkit/docking/DockingPaneAutoHideWnd.h"
#include "toolkit/docking/DockingPaneDragContext.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"

#include <gtest/gtest.h>

using namespace docktest;

namespace {

std::wstring Path(const std::string& name)
{
    return morvick::test::GalleryFolder("docking") + L"\\" + std::wstring(name.begin(), name.end()) + L".png";
}

struct Scene {
    CTKPDockablePane* files;
    CTKPDockablePane* found;
    CTKPDockablePane* log;
    CTKPDockablePane* hidden;
    CTKPDockablePane* preview;
    CTKPDockingPaneMiniWnd* mini;
};

// Tabs on the left, a pane below them, one hidden at the right and one floating over the frame. The
// docked containers may be maximised, and the selected tab's pane has a menu: their captions show
// every kind of button.
Scene BuildScene(HostFixture& f, int nTheme)
{
    f.host()->m_bThemedFloatingFrames = TRUE;
    f.host()->m_bMaximiseAllowed = TRUE;
    f.host()->SetTheme(nTheme);
    Scene s = {};
    s.files = f.MakePane(1, L"Files");
    s.found = f.MakePane(2, L"Found Files\nFound");
    s.log = f.MakePane(3, L"Scan Log");
    s.hidden = f.MakePane(4, L"Properties");
    s.preview = f.MakePane(5, L"Preview");
    s.preview->SetOptions(tkpoMenuButton);
    s.found->SetOptions(tkpoMenuButton);
    f.host()->DockPane(s.files, tkdock::sideLeft, NULL);
    f.host()->AttachNode(s.found, s.files);
    f.host()->DockPane(s.log, tkdock::sideBottom, s.files);
    f.host()->DockPane(s.hidden, tkdock::sideRight, NULL);
    f.Layout();
    f.host()->HidePane(s.hidden);
    CRect rcSite;
    Site()->GetWindowRect(&rcSite);
    f.host()->FloatNode(s.preview, CRect(rcSite.left + 420, rcSite.top + 150, rcSite.left + 640, rcSite.top + 330));
    s.mini = dynamic_cast<CTKPDockingPaneMiniWnd*>(s.preview->GetSite());
    f.Layout();
    // The tabbed container has the focus: its caption is active.
    s.found->SetFocus();
    f.host()->OnIdleUpdateCmdUI(0, 0);
    f.Layout();
    return s;
}

// The frame with its floating window on top of it.
CRect SceneRect(const Scene& s)
{
    if (s.mini && s.mini->GetSafeHwnd())
        s.mini->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CRect rc;
    Site()->GetWindowRect(&rc);
    if (s.mini && s.mini->GetSafeHwnd()) {
        CRect rcMini;
        s.mini->GetWindowRect(&rcMini);
        rc.UnionRect(rc, rcMini);
    }
    return rc;
}

TEST(DockingGallery, EveryThemeWithDockedTabbedHiddenAndFloatingPanes)
{
    for (int nTheme = 0; nTheme <= 9; ++nTheme) {
        HostFixture f;
        Scene s = BuildScene(f, nTheme);
        ASSERT_NE(s.mini, nullptr);
        morvick::test::PumpMessagesFor(100);
        EXPECT_TRUE(morvick::test::CaptureScreenRectToPng(SceneRect(s), Path("theme-" + std::to_string(nTheme))));
    }
}

// The scene's hidden pane slid all the way out of its side panel, pictured under a name.
void PictureSlideOut(int nTheme, const std::string& name)
{
    HostFixture f;
    Scene s = BuildScene(f, nTheme);
    CTKPDockingPaneSideBar* pSide = f.arrangement()->GetSideBar(tkdock::sideRight);
    ASSERT_NE(pSide, nullptr);
    pSide->OpenSlideOut(s.hidden, TRUE);
    ASSERT_NE(pSide->GetSlideOut(), nullptr);
    for (int i = 0; i < 10 && pSide->GetSlideOut(); ++i)
        pSide->GetSlideOut()->SendMessage(WM_TIMER, 2, 0);
    morvick::test::PumpMessagesFor(100);
    EXPECT_TRUE(morvick::test::CaptureScreenRectToPng(SceneRect(s), Path(name)));
    if (pSide->GetSlideOut())
        pSide->GetSlideOut()->Close(TRUE);
}

TEST(DockingGallery, APaneSlidOutOfItsSidePanel)
{
    for (int nTheme : {0, 2, 6, 9})
        PictureSlideOut(nTheme, "slide-out-theme-" + std::to_string(nTheme));
}

TEST(DockingGallery, APaneSlidOutInARightToLeftFrame)
{
    RightToLeftSite rtl;
    PictureSlideOut(6, "slide-out-right-to-left");
}

TEST(DockingGallery, StickersDuringADrag)
{
    for (int nTheme : {0, 9}) {
        HostFixture f;
        Scene s = BuildScene(f, nTheme);
        f.host()->m_bAlphaFeedback = TRUE;
        f.host()->m_bShowStickers = TRUE;
        CTKPDockingPaneDragContext* pDrag = f.host()->GetDragContext();
        CRect rcMini;
        s.mini->GetWindowRect(&rcMini);
        pDrag->PrepareDrag(s.mini->GetTopContainer(), rcMini.left + 30, rcMini.top + 8);
        pDrag->InitFeedback();
        // Over the tabbed container: the cross over it, the four stickers at the frame's edges, and
        // the left arrow of the cross highlighted with its place.
        CRect rcTabs;
        f.ContainerOf(s.files)->GetWindowRect(&rcTabs);
        const CPoint centre = rcTabs.CenterPoint();
        pDrag->Move(centre.x, centre.y + 40);
        const int nArrow = pDrag->GetStickerStyle() == 1 ? 40 : 38;
        pDrag->Move(centre.x - nArrow, centre.y);
        morvick::test::PumpMessagesFor(100);
        EXPECT_GE(pDrag->GetStickerCount(), 5);
        EXPECT_TRUE(morvick::test::CaptureScreenRectToPng(SceneRect(s), Path("stickers-theme-" + std::to_string(nTheme))));
        pDrag->ReleaseFeedback();
        pDrag->EndDrag();
    }
}

}  // namespace
