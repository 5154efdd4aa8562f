// Docking windows in a right-to-left frame: what the screen shows of captions, tab rows and side
// panels is the picture of the window's drawing in a mirrored DC (places mirrored, text reading
// forward), and themed floating frames answer clicks on their buttons where they show them.
#include "DockingTestSupport.h"
#include "ScreenPixels.h"

#include "toolkit/commandbars/ToolTipRecord.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneSplitterBar.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace docktest;

namespace {

// The rows of a window's client area on the screen that differ from its drawing into a mirrored
// bitmap of the client's size (the reference), counted among the rows asked for. The bitmap starts
// black, as the windows' own off-screen bitmaps do, so a pixel the drawing leaves out shows alike.
template <class Draw>
int RowsUnlikeMirroredDrawing(CWnd* pWnd, int nFirstRow, int nEndRow, Draw draw)
{
    pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    CRect rcScreen = rcClient;
    pWnd->ClientToScreen(&rcScreen);
    ScreenPixels screen(rcScreen);
    DibCanvas reference(rcClient.Width(), rcClient.Height(), RGB(0, 0, 0));
    ::SetLayout(reference.Hdc(), LAYOUT_RTL);
    draw(reference.DC());
    int nRows = 0;
    for (int y = nFirstRow; y < nEndRow; ++y) {
        bool bSame = true;
        for (int x = 0; x < rcClient.Width() && bSame; ++x)
            bSame = screen.At(rcScreen.left + x, rcScreen.top + y) == reference.Pixel(x, y);
        nRows += bSame ? 0 : 1;
    }
    return nRows;
}

// The pixels of the given rows that a drawing leaves as they were, in a plain or a mirrored bitmap,
// each given by its place counted from the start of the row (the right end when mirrored).
template <class Draw>
std::vector<CPoint> LeftOut(int cx, int nFirstRow, int nEndRow, bool bMirrored, Draw draw)
{
    const COLORREF kUntouched = RGB(1, 2, 3);
    DibCanvas canvas(cx, nEndRow, kUntouched);
    if (bMirrored)
        ::SetLayout(canvas.Hdc(), LAYOUT_RTL);
    draw(canvas.DC());
    std::vector<CPoint> points;
    for (int y = nFirstRow; y < nEndRow; ++y)
        for (int x = 0; x < cx; ++x)
            if (canvas.Pixel(x, y) == kUntouched)
                points.push_back(CPoint(bMirrored ? cx - 1 - x : x, y));
    std::sort(points.begin(), points.end(),
        [](const CPoint& a, const CPoint& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    return points;
}

TEST(DockingRightToLeft, CaptionsAndTabRowsMirrorTheirPlacesButReadForward)
{
    RightToLeftSite rtl;
    for (int nTheme : {0, 6}) {
        HostFixture f;
        f.host()->SetTheme(nTheme);
        CTKPDockingPaneTabbedContainer* pContainer =
            f.DockAsTabs(tkdock::sideLeft, {f.MakePane(1, L"Files of the scan"), f.MakePane(2, L"Log")});
        ASSERT_TRUE(pContainer->GetExStyle() & WS_EX_LAYOUTRTL);
        CTKPDockingPaneTheme* pTheme = f.host()->GetTheme();
        CRect rc;
        pContainer->GetClientRect(&rc);
        auto draw = [&](CDC* pDC) { pContainer->Draw(pDC); };
        // The caption band and the tab row (the panes' windows lie between them).
        EXPECT_EQ(RowsUnlikeMirroredDrawing(pContainer, 0, pTheme->m_nCaptionHeight, draw), 0) << nTheme;
        EXPECT_EQ(RowsUnlikeMirroredDrawing(pContainer, rc.bottom - pTheme->m_nTabRowHeight + 4, rc.bottom, draw), 0)
            << nTheme;
        // Mirrored, the caption band covers what it covers left to right, its far column included.
        EXPECT_EQ(LeftOut(rc.Width(), 0, pTheme->m_nCaptionHeight, true, draw),
            LeftOut(rc.Width(), 0, pTheme->m_nCaptionHeight, false, draw))
            << nTheme;
    }
}

TEST(DockingRightToLeft, SidePanelsPaintTheirStripAndTabs)
{
    RightToLeftSite rtl;
    HostFixture f;
    f.host()->SetTheme(6);
    CTKPDockingPaneSideBar* pSide = f.DockHidden(tkdock::sideRight, f.MakePane(1, L"Properties"));
    ASSERT_NE(pSide, nullptr);
    CRect rc;
    pSide->GetClientRect(&rc);
    auto draw = [&](CDC* pDC) { pSide->Draw(pDC); };
    EXPECT_EQ(RowsUnlikeMirroredDrawing(pSide, 0, rc.bottom, draw), 0);
    // Below its tab the strip shows the panel's gradient, not what lay there before.
    DibCanvas canvas(rc.Width(), rc.Height(), RGB(1, 2, 3));
    ::SetLayout(canvas.Hdc(), LAYOUT_RTL);
    pSide->Draw(canvas.DC());
    for (int y = rc.bottom - 10; y < rc.bottom; ++y)
        EXPECT_NE(canvas.Pixel(rc.Width() / 2, y), RGB(1, 2, 3)) << y;
}

// The average of one row of a splitter bar drawn into a bitmap (mirrored with bMirrored), with the
// theme's caption gradient running from black to white across the frame; the columns at the ends are
// left out (a mirrored DC does not reach its last one).
int AverageGrey(CTKPDockingPaneSplitterBar* pBar, CTKPDockingPaneTheme* pTheme, BOOL bMirrored)
{
    pTheme->m_dwSplitterStyle = CTKPDockingPaneTheme::splitterGradient;
    pTheme->m_grcCaption.SetStandardValues(RGB(0, 0, 0), RGB(255, 255, 255), 0.5f);
    CRect rc;
    pBar->GetClientRect(&rc);
    DibCanvas canvas(rc.Width(), rc.Height());
    if (bMirrored)
        ::SetLayout(canvas.Hdc(), LAYOUT_RTL);
    pBar->Draw(canvas.DC());
    int nSum = 0;
    for (int x = 1; x < rc.Width() - 1; ++x)
        nSum += GetRValue(canvas.Pixel(x, rc.Height() / 2));
    return nSum / (rc.Width() - 2);
}

TEST(DockingRightToLeft, GradientSplitterBarsTakeTheirColoursFromTheirPlaceInTheFrame)
{
    // A bar a quarter of the frame's width from its start is a quarter of the way through the
    // gradient, whichever way the frame runs.
    int nGrey[2] = {0, 0};
    for (BOOL bMirrored : {FALSE, TRUE}) {
        std::unique_ptr<RightToLeftSite> rtl(bMirrored ? new RightToLeftSite : nullptr);
        HostFixture f;
        CTKPDockablePane* pPane = f.MakePane(1, L"Files", CSize(SiteClient().Width() / 4, 100));
        f.host()->DockPane(pPane, tkdock::sideLeft, NULL);
        f.Layout();
        CTKPDockingPaneSplitterBar* pBar = f.arrangement()->GetTopContainer()->GetSplitterBar(0);
        ASSERT_NE(pBar, nullptr);
        ASSERT_FALSE(pBar->IsHorizontalBar());
        nGrey[bMirrored] = AverageGrey(pBar, f.host()->GetTheme(), bMirrored);
    }
    EXPECT_GT(nGrey[0], 32);
    EXPECT_LT(nGrey[0], 96);
    EXPECT_NEAR(nGrey[1], nGrey[0], 2);
}

TEST(DockingRightToLeft, ThemedFloatingFramesAnswerTheirButtonsWhereTheyShowThem)
{
    RightToLeftSite rtl;
    HostFixture f;
    f.host()->m_bThemedFloatingFrames = TRUE;
    CTKPDockablePane* pPane = f.MakePane(1, L"Preview");
    pPane->SetOptions(tkpoMenuButton);
    f.host()->DockPane(pPane, tkdock::sideLeft, NULL);
    f.Layout();
    f.host()->FloatNode(pPane, CRect(500, 300, 720, 480));
    CTKPDockingPaneMiniWnd* pMini = dynamic_cast<CTKPDockingPaneMiniWnd*>(pPane->GetSite());
    ASSERT_NE(pMini, nullptr);
    ASSERT_TRUE(pMini->GetExStyle() & WS_EX_LAYOUTRTL);
    pMini->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CRect rcWindow;
    pMini->GetWindowRect(&rcWindow);
    // The buttons show at the window's left end: where the mirrored window DC puts the band's far end.
    CTKPDockingPaneCaptionButton* pMenu = pMini->FindCaptionButton(tkpcbMenu);
    CTKPDockingPaneCaptionButton* pClose = pMini->FindCaptionButton(tkpcbClose);
    const CRect rcMenu = TKPWindowRectToScreen(pMini->GetSafeHwnd(), pMenu->GetRect());
    const CRect rcClose = TKPWindowRectToScreen(pMini->GetSafeHwnd(), pClose->GetRect());
    EXPECT_LT(rcClose.right, rcWindow.left + 40);
    EXPECT_LT(rcClose.right, rcMenu.left + 1);
    // Pointing at a button makes that one hot.
    pMini->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rcMenu.CenterPoint().x, rcMenu.CenterPoint().y));
    EXPECT_TRUE(pMenu->IsHot());
    EXPECT_FALSE(pClose->IsHot());
    // Its tooltip is the button's under the cursor, over the place where it shows.
    CPoint ptTip = rcMenu.CenterPoint();
    pMini->ScreenToClient(&ptTip);
    TKPTOOLINFO info = {};
    info.ti.cbSize = sizeof(TKPTOOLINFO);
    EXPECT_EQ(pMini->OnToolHitTest(ptTip, &info.ti), static_cast<INT_PTR>(tkpcbMenu));
    CRect rcTip(info.ti.rect);
    pMini->ClientToScreen(&rcTip);
    EXPECT_EQ(rcTip, rcMenu);
    TKPFreeToolInfoTexts(&info.ti);
    // The menu button reports its place on the screen, its corner at the left bottom.
    // (Escape ends a drag of the window, should the press start one instead.)
    Site()->ClearLog();
    ::PostMessageW(pMini->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(rcMenu.CenterPoint().x, rcMenu.CenterPoint().y));
    PumpPending();
    ASSERT_EQ(Site()->CountCode(tkpdnPaneMenu), 1);
    EXPECT_EQ(static_cast<int>(Site()->m_log.back().param1), rcMenu.left);
    EXPECT_EQ(static_cast<int>(Site()->m_log.back().param2), rcMenu.bottom);
    // A click on the close button closes the pane.
    const CPoint pt = rcClose.CenterPoint();
    CPoint ptClient = pt;
    pMini->ScreenToClient(&ptClient);
    ::PostMessageW(pMini->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    ::SetCursorPos(pt.x, pt.y);
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(pPane->IsClosed());
}

}  // namespace
