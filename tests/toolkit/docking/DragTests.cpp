// Pane drags: the places found at each step, the outlines and previews shown, the stickers and the
// site's vetoes, the capture loop fed by posted messages, and whole drags by real input.
#include "CountedImport.h"
#include "DockingTestSupport.h"
#include "ScreenPixels.h"

#include "tests/support/win/InputSupport.h"
#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockingPaneDragContext.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneStickerWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <gtest/gtest.h>

using namespace docktest;

namespace {

// A docked container A at the left, and a floating window F whose content is dragged.
struct DragScene {
    HostFixture f;
    CTKPDockablePane* docked;
    CTKPDockablePane* floating;
    CTKPDockingPaneMiniWnd* mini;
    CTKPDockingPaneDragContext* drag;

    explicit DragScene(BOOL bStickers = FALSE, int nDockedWidth = 220)
    {
        f.host()->m_bAlphaFeedback = bStickers;
        f.host()->m_bShowStickers = bStickers;
        docked = f.MakePane(1, L"Files", CSize(nDockedWidth, 150));
        floating = f.MakePane(2, L"Preview", CSize(180, 120));
        f.host()->DockPane(docked, tkdock::sideLeft, NULL);
        f.Layout();
        CRect rcSite;
        Site()->GetWindowRect(&rcSite);
        f.host()->FloatNode(floating, CRect(rcSite.right - 260, rcSite.top + 80, rcSite.right - 40, rcSite.top + 260));
        mini = dynamic_cast<CTKPDockingPaneMiniWnd*>(floating->GetSite());
        f.Layout();
        drag = f.host()->GetDragContext();
    }
    CTKPDockingPaneTabbedContainer* A() { return f.ContainerOf(docked); }
    CRect ARect()
    {
        CRect rc;
        A()->GetWindowRect(&rc);
        return rc;
    }
    CTKPDockingNode* Content() { return mini->GetTopContainer(); }
    void Start()
    {
        CRect rc;
        mini->GetWindowRect(&rc);
        drag->PrepareDrag(Content(), rc.left + 40, rc.top + 8);
        drag->InitFeedback();
    }
    void Stop()
    {
        drag->ReleaseFeedback();
        drag->EndDrag();
    }
};

void SetCtrl(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// Where the outline on the screen changed pixels: how many inside the band of 4 pixels along each
// edge of the frames, and how many anywhere else.
struct OutlineChanges {
    int inBand = 0, bandPixels = 0, elsewhere = 0;
};
OutlineChanges CompareAround(ScreenPixels& before, ScreenPixels& after, const CRect& rcArea,
    const std::vector<CRect>& frames)
{
    OutlineChanges changes;
    for (int y = rcArea.top; y < rcArea.bottom; ++y) {
        for (int x = rcArea.left; x < rcArea.right; ++x) {
            bool inBand = false;
            for (const CRect& rc : frames) {
                CRect inner = rc;
                inner.DeflateRect(4, 4);
                inBand = inBand || (rc.PtInRect(CPoint(x, y)) && !inner.PtInRect(CPoint(x, y)));
            }
            const bool changed = before.At(x, y) != after.At(x, y);
            changes.bandPixels += inBand ? 1 : 0;
            changes.inBand += inBand && changed ? 1 : 0;
            changes.elsewhere += !inBand && changed ? 1 : 0;
        }
    }
    return changes;
}

TEST(DockingDragOutlines, TheScreenShowsTheFrameOfThePlaceInAHalftoneAndLosesItAfterwards)
{
    DragScene s;
    s.Start();
    ASSERT_FALSE(s.drag->IsAlpha());
    ASSERT_TRUE(s.drag->IsDesktopLocked());
    const CRect a = s.ARect();
    CRect rcArea = a;
    rcArea.InflateRect(0, 0, 260, 0);
    rcArea.IntersectRect(rcArea, CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    ScreenPixels before(rcArea);

    // Beside A, to the right: one frame around the place.
    s.drag->Move(a.right - 5, a.CenterPoint().y);
    ASSERT_FALSE(s.drag->IsAttach());
    const CRect rcBeside = s.drag->GetDockingRect();
    ASSERT_TRUE(rcArea.PtInRect(rcBeside.TopLeft()));
    {
        ScreenPixels after(rcArea);
        const OutlineChanges changes = CompareAround(before, after, rcArea, {rcBeside});
        EXPECT_EQ(changes.elsewhere, 0);
        // The halftone inverts every other pixel of the band.
        EXPECT_GE(changes.inBand * 5, changes.bandPixels * 2);
        EXPECT_LE(changes.inBand * 5, changes.bandPixels * 3);
    }

    // On A's caption: the place of a further tab, A's frame with a tab's frame below it, open where
    // they meet.
    s.drag->Move(a.left + 30, a.top + 6);
    ASSERT_TRUE(s.drag->IsAttach());
    const CRect rcPlace = s.drag->GetDockingRect();
    {
        ScreenPixels after(rcArea);
        int nOpen = 0, nTabBottom = 0;
        for (int x = rcPlace.left + 12; x < rcPlace.left + 20; ++x) {
            // Along the tab's bottom edge, below the main frame.
            nTabBottom += before.At(x, rcPlace.bottom - 2) != after.At(x, rcPlace.bottom - 2) ? 1 : 0;
        }
        // Where the tab meets the main frame, the main frame's bottom edge is open.
        int yJoin = rcPlace.bottom - 1;
        while (yJoin > rcPlace.top && before.At(rcPlace.right - 2, yJoin) == after.At(rcPlace.right - 2, yJoin))
            --yJoin;
        ASSERT_GT(yJoin, rcPlace.top + 10);
        for (int x = rcPlace.left + 12; x < rcPlace.left + 20; ++x)
            nOpen += before.At(x, yJoin - 1) != after.At(x, yJoin - 1) ? 1 : 0;
        EXPECT_GE(nTabBottom, 2);
        EXPECT_EQ(nOpen, 0);
        // The beside place is gone from the screen.
        for (int y = rcBeside.top + 8; y < rcBeside.bottom - 8; y += 7)
            EXPECT_EQ(before.At(rcBeside.right - 2, y), after.At(rcBeside.right - 2, y)) << y;
    }

    // Released: the screen is as it was.
    s.drag->ReleaseFeedback();
    ScreenPixels restored(rcArea);
    EXPECT_EQ(CompareAround(before, restored, rcArea, {}).elsewhere, 0);
    s.drag->EndDrag();
}

TEST(DockingDrag, EdgesCaptionsAndFreeSpaceGivePlaces)
{
    DragScene s;
    s.Start();
    EXPECT_TRUE(s.drag->IsDesktopLocked());
    const CRect a = s.ARect();
    // Just inside A's right edge: beside A, to the right.
    s.drag->Move(a.right - 5, a.CenterPoint().y);
    EXPECT_EQ(s.drag->GetTarget(), static_cast<CTKPDockingNode*>(s.A()));
    EXPECT_EQ(s.drag->GetDirection(), tkdock::sideRight);
    EXPECT_FALSE(s.drag->IsAttach());
    CRect rcExpected;
    s.f.host()->CalcDockingRect(&rcExpected, s.Content(), tkdock::sideRight, s.A());
    EXPECT_EQ(s.drag->GetDockingRect(), rcExpected);
    // On A's caption: a further tab.
    s.drag->Move(a.left + 30, a.top + 6);
    EXPECT_TRUE(s.drag->IsAttach());
    EXPECT_EQ(s.drag->GetTarget(), static_cast<CTKPDockingNode*>(s.A()));
    // In the middle of the client area: floating where the cursor is.
    CRect rcView;
    Site()->m_wndView.GetWindowRect(&rcView);
    const CPoint mid = rcView.CenterPoint();
    s.drag->Move(mid.x, mid.y);
    EXPECT_EQ(s.drag->GetTarget(), nullptr);
    EXPECT_TRUE(s.drag->GetDragRect().PtInRect(mid));
    // Just inside the client area's top edge: docked at the top.
    s.drag->Move(mid.x, rcView.top + 5);
    EXPECT_EQ(s.drag->GetTarget(), s.f.host()->GetClientNode());
    EXPECT_EQ(s.drag->GetDirection(), tkdock::sideTop);
    // Ctrl always floats, at once.
    SetCtrl(true);
    s.drag->Move(mid.x, rcView.top + 5);
    EXPECT_EQ(s.drag->GetTarget(), nullptr);
    SetCtrl(false);
    s.Stop();
    EXPECT_FALSE(s.drag->IsDesktopLocked());
}

TEST(DockingDrag, PanesThatCannotFloatPickTheNearestEdgeAndShowNothingElsewhere)
{
    DragScene s;
    Site()->m_actionAnswers[tkpaFloating] = 1;
    s.Start();
    EXPECT_FALSE(s.drag->MayFloat());
    const CRect a = s.ARect();
    // Nearer A's left than any other edge, horizontal distances scaled by height / width.
    s.drag->Move(a.left + a.Width() / 4, a.CenterPoint().y);
    EXPECT_EQ(s.drag->GetTarget(), static_cast<CTKPDockingNode*>(s.A()));
    EXPECT_EQ(s.drag->GetDirection(), tkdock::sideLeft);
    CRect rcSite;
    Site()->GetWindowRect(&rcSite);
    s.drag->Move(rcSite.right + 100, rcSite.bottom + 100);
    EXPECT_EQ(s.drag->GetTarget(), nullptr);
    s.Stop();
    Site()->m_actionAnswers.clear();
}

TEST(DockingDrag, RefusedPlacesAreNotOffered)
{
    DragScene s;
    Site()->m_actionFilter = [](const Notification& n) {
        return (n.action == tkpaDocking && n.param2 == tkdock::sideRight) || n.action == tkpaAttaching ? 1 : 0;
    };
    s.Start();
    const CRect a = s.ARect();
    s.drag->Move(a.right - 5, a.CenterPoint().y);
    EXPECT_EQ(s.drag->GetTarget(), nullptr);
    s.drag->Move(a.left + 30, a.top + 6);
    EXPECT_FALSE(s.drag->IsAttach());
    s.drag->Move(a.left + 5, a.CenterPoint().y);
    EXPECT_EQ(s.drag->GetDirection(), tkdock::sideLeft);
    EXPECT_EQ(s.drag->GetTarget(), static_cast<CTKPDockingNode*>(s.A()));
    s.Stop();
}

TEST(DockingDrag, StickersShowWhatTheSiteAllowsAndEachLeadsToItsOwnPlace)
{
    DragScene s(TRUE);
    Site()->m_actionFilter = [](const Notification& n) {
        return n.action == tkpaDocking && n.param2 == tkdock::sideTop && n.param1 != 0 &&
                reinterpret_cast<CTKPDockingNode*>(n.param1)->GetType() == tkdock::nodeTabbedContainer
            ? 1
            : 0;
    };
    s.Start();
    ASSERT_TRUE(s.drag->IsAlpha());
    ASSERT_TRUE(s.drag->HasStickers());
    const CRect a = s.ARect();
    s.drag->Move(a.CenterPoint().x, a.CenterPoint().y + 30);
    EXPECT_EQ(s.drag->GetHoverNode(), static_cast<CTKPDockingNode*>(s.A()));
    ASSERT_EQ(s.drag->GetStickerCount(), 5);
    CTKPDockingPaneStickerWnd* pCentre = s.drag->GetSticker(0);
    EXPECT_EQ(pCentre->m_nFlags,
        tkdock::partLeft | tkdock::partRight | tkdock::partBottom | tkdock::partCentre | tkdock::partCentreSticker);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(s.drag->GetSticker(i)->m_nFlags & tkdock::partCentreSticker, 0);
    // Plain owned windows: not always on top of every other program.
    auto anyOnTop = [&] {
        for (int i = 0; i < s.drag->GetStickerCount(); ++i)
            if (s.drag->GetSticker(i)->GetExStyle() & WS_EX_TOPMOST)
                return true;
        return false;
    };
    EXPECT_FALSE(anyOnTop());
    // The cross's arrows answer their own parts; the corners are transparent.
    CRect rc;
    pCentre->GetWindowRect(&rc);
    EXPECT_EQ(pCentre->HitTest(rc.left + 12, rc.top + 46), tkdock::partLeft);
    EXPECT_EQ(pCentre->HitTest(rc.right - 12, rc.top + 46), tkdock::partRight);
    EXPECT_EQ(pCentre->HitTest(rc.left + 46, rc.bottom - 12), tkdock::partBottom);
    EXPECT_EQ(pCentre->HitTest(rc.left + 46, rc.top + 46), tkdock::partCentre);
    EXPECT_EQ(pCentre->HitTest(rc.left + 2, rc.top + 2), 0);
    EXPECT_EQ(pCentre->HitTest(rc.left + 46, rc.top + 10), 0);  // the refused top arrow is not there
    // The window's shape is the drawing's: the corner is outside it.
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(pCentre->GetSafeHwnd(), hRgn), ERROR);
    EXPECT_FALSE(::PtInRegion(hRgn, 2, 2));
    EXPECT_TRUE(::PtInRegion(hRgn, 12, 46));
    ::DeleteObject(hRgn);
    // Over the left arrow: the place left of A, the arrow highlighted, the preview there.
    s.drag->Move(rc.left + 12, rc.top + 46);
    EXPECT_EQ(s.drag->GetTarget(), static_cast<CTKPDockingNode*>(s.A()));
    EXPECT_EQ(s.drag->GetDirection(), tkdock::sideLeft);
    EXPECT_EQ(pCentre->m_nHighlighted, tkdock::partLeft);
    CTKPDockingPanePreviewWnd* pPreview = s.drag->GetPreview();
    ASSERT_TRUE(pPreview->GetSafeHwnd());
    EXPECT_TRUE(pPreview->GetExStyle() & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(pPreview->GetSafeHwnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 100);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    CRect rcPreview;
    pPreview->GetWindowRect(&rcPreview);
    EXPECT_EQ(rcPreview, s.drag->GetDockingRect());
    EXPECT_FALSE(anyOnTop());
    // Over the centre: a further tab, with the tab preview below the place.
    s.drag->Move(rc.left + 46, rc.top + 46);
    EXPECT_TRUE(s.drag->IsAttach());
    ASSERT_TRUE(s.drag->GetTabPreview()->GetSafeHwnd());
    CRect rcTab;
    s.drag->GetTabPreview()->GetWindowRect(&rcTab);
    EXPECT_EQ(rcTab.left, a.left + 5);
    EXPECT_EQ(rcTab.bottom, a.bottom);
    EXPECT_EQ(rcTab.Height(), 20);
    // Over the left edge sticker (made after the cross): the top container's left side.
    CRect rcEdge;
    s.drag->GetSticker(2)->GetWindowRect(&rcEdge);
    ASSERT_EQ(s.drag->GetSticker(2)->m_nFlags, tkdock::partLeft);
    s.drag->Move(rcEdge.CenterPoint().x, rcEdge.CenterPoint().y);
    EXPECT_EQ(s.drag->GetTarget(), static_cast<CTKPDockingNode*>(s.f.host()->GetTopContainer()));
    s.Stop();
    EXPECT_EQ(s.drag->GetStickerCount(), 0);
    EXPECT_FALSE(pPreview->GetSafeHwnd());
}

// Over a narrow pane the cross's left arrow covers the left edge sticker: where both answer, the edge
// sticker, made after the cross, decides.
TEST(DockingDrag, WhereTwoStickersOverlapTheLastMadeIsHit)
{
    DragScene s(TRUE, 110);
    s.Start();
    const CRect a = s.ARect();
    s.drag->Move(a.CenterPoint().x, a.CenterPoint().y);
    ASSERT_EQ(s.drag->GetHoverNode(), static_cast<CTKPDockingNode*>(s.A()));
    ASSERT_EQ(s.drag->GetStickerCount(), 5);
    CTKPDockingPaneStickerWnd* pCentre = s.drag->GetSticker(0);
    CTKPDockingPaneStickerWnd* pEdge = s.drag->GetSticker(2);
    ASSERT_EQ(pEdge->m_nFlags, tkdock::partLeft);
    CRect rcCentre, rcEdge, rcBoth;
    pCentre->GetWindowRect(&rcCentre);
    pEdge->GetWindowRect(&rcEdge);
    ASSERT_TRUE(rcBoth.IntersectRect(rcCentre, rcEdge));
    CPoint shared(-1, -1);
    for (int y = rcBoth.top; y < rcBoth.bottom && shared.x < 0; ++y)
        for (int x = rcBoth.left; x < rcBoth.right && shared.x < 0; ++x)
            if (pCentre->HitTest(x, y) == tkdock::partLeft && pEdge->HitTest(x, y) == tkdock::partLeft)
                shared = CPoint(x, y);
    ASSERT_GE(shared.x, 0) << "no point where both stickers answer";
    s.drag->Move(shared.x, shared.y);
    EXPECT_EQ(s.drag->GetTarget(), static_cast<CTKPDockingNode*>(s.f.host()->GetTopContainer()));
    EXPECT_EQ(s.drag->GetDirection(), tkdock::sideLeft);
    EXPECT_EQ(pEdge->m_nHighlighted, tkdock::partLeft);
    EXPECT_EQ(pCentre->m_nHighlighted, 0);
    s.Stop();
}

TEST(DockingDrag, StickersLoadTheirPicturesOnceWhateverTheMovesAndPaints)
{
    DragScene s(TRUE);
    s.Start();
    CountedBitmapLoads loads;
    ASSERT_TRUE(loads.Installed());
    const CRect a = s.ARect();
    s.drag->Move(a.CenterPoint().x, a.CenterPoint().y + 30);
    ASSERT_EQ(s.drag->GetStickerCount(), 5);
    auto paintStickers = [&] {
        for (int i = 0; i < s.drag->GetStickerCount(); ++i)
            s.drag->GetSticker(i)->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    paintStickers();
    // Made and shown: each sticker window has loaded what it shows.
    EXPECT_GT(loads.Calls(), 0);

    CRect rc;
    s.drag->GetSticker(0)->GetWindowRect(&rc);
    CRect rcEdge;
    s.drag->GetSticker(2)->GetWindowRect(&rcEdge);
    // Over each arrow of the cross, the centre, an edge sticker and back: every move hit-tests all
    // stickers and changes a highlight, and every sticker is painted again.
    const CPoint moves[] = {CPoint(rc.left + 12, rc.top + 46), CPoint(rc.right - 12, rc.top + 46),
        CPoint(rc.left + 46, rc.bottom - 12), CPoint(rc.left + 46, rc.top + 46), rcEdge.CenterPoint(),
        CPoint(rc.left + 12, rc.top + 46)};
    for (const CPoint& pt : moves) {
        loads.Reset();
        s.drag->Move(pt.x, pt.y);
        paintStickers();
        EXPECT_EQ(loads.Calls(), 0) << "move to " << pt.x << "," << pt.y;
    }
    EXPECT_EQ(s.drag->GetSticker(0)->m_nHighlighted, tkdock::partLeft);
    s.Stop();
}

TEST(DockingDrag, DroppingOnAnArrowDocksThereAndSaysSo)
{
    DragScene s(TRUE);
    s.Start();
    const CRect a = s.ARect();
    s.drag->Move(a.CenterPoint().x, a.CenterPoint().y + 30);
    CRect rc;
    s.drag->GetSticker(0)->GetWindowRect(&rc);
    s.drag->Move(rc.left + 46, rc.bottom - 12);
    s.drag->ReleaseFeedback();
    Site()->ClearLog();
    s.drag->Drop();
    s.drag->EndDrag();
    s.f.Layout();
    EXPECT_EQ(Dump(s.f.arrangement()), "S[s[T(1*),T(2*)],C]");
    EXPECT_EQ(Site()->CountAction(tkpaDocked), 1);
    EXPECT_FALSE(s.mini->IsWindowVisible());
}

TEST(DockingDrag, RightToLeftADropOnTheLeftDocksAtTheRight)
{
    DragScene s;
    {
        RightToLeftSite rtl;
        s.Start();
        const CRect a = s.ARect();
        s.drag->Move(a.left + 5, a.CenterPoint().y);
        EXPECT_EQ(s.drag->GetDirection(), tkdock::sideLeft);
        s.drag->ReleaseFeedback();
        s.drag->Drop();
        s.drag->EndDrag();
    }
    EXPECT_EQ(Dump(s.f.arrangement()), "S[T(1*),T(2*),C]");
}

TEST(DockingDrag, TheFloatingPlaceKeepsTouchingTheWorkArea)
{
    DragScene s;
    s.Start();
    CRect rcView;
    Site()->m_wndView.GetWindowRect(&rcView);
    const CPoint mid = rcView.CenterPoint();
    s.drag->Move(mid.x, mid.y);
    const CRect rcKept = s.drag->GetDragRect();
    // A step that would take the place off every screen leaves it where it was.
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    s.drag->Move(mid.x + (work.right - work.left) + 2000, mid.y);
    EXPECT_EQ(s.drag->GetDragRect(), rcKept);
    s.drag->Move(mid.x, mid.y + (work.bottom - work.top) + 2000);
    EXPECT_EQ(s.drag->GetDragRect(), rcKept);
    s.Stop();
}

TEST(DockingDrag, PressingOrReleasingCtrlDecidesAtOnceWithoutAMove)
{
    // The cursor rests just inside A's right edge, where the drag started: the key alone makes the
    // drop dock there (Ctrl up) or float (Ctrl down).
    for (bool bCtrl : {false, true}) {
        DragScene s;
        const CRect a = s.ARect();
        const CPoint pt(a.right - 5, a.CenterPoint().y);
        HWND hSite = s.mini->GetSafeHwnd();
        ::SetCursorPos(pt.x, pt.y);
        SetCtrl(bCtrl);
        ::PostMessageW(hSite, bCtrl ? WM_KEYDOWN : WM_KEYUP, VK_CONTROL, 0);
        ::PostMessageW(hSite, WM_LBUTTONUP, 0, 0);
        Site()->ClearLog();
        s.drag->BeginDrag(s.Content(), pt.x, pt.y);
        SetCtrl(false);
        s.f.Layout();
        if (bCtrl) {
            EXPECT_EQ(Site()->CountAction(tkpaFloated), 1);
            EXPECT_EQ(Dump(s.f.arrangement()), "S[T(1*),C] FS[T(2*)]");
        } else {
            EXPECT_EQ(Site()->CountAction(tkpaDocked), 1);
            EXPECT_EQ(Dump(s.f.arrangement()), "S[T(1*),T(2*),C]");
        }
    }
}

TEST(DockingDrag, TheLoopIgnoresSmallMovesEvenFromTheScreenOrigin)
{
    DragScene s;
    const std::string before = Dump(s.f.arrangement());
    CRect rcBefore;
    s.mini->GetWindowRect(&rcBefore);
    HWND hSite = s.mini->GetSafeHwnd();
    for (CPoint start : {CPoint(rcBefore.left + 40, rcBefore.top + 8), CPoint(0, 0)}) {
        ::SetCursorPos(start.x + 3, start.y + 3);
        ::PostMessageW(hSite, WM_MOUSEMOVE, MK_LBUTTON, 0);
        ::PostMessageW(hSite, WM_LBUTTONUP, 0, 0);
        Site()->ClearLog();
        s.drag->BeginDrag(s.Content(), start.x, start.y);
        EXPECT_EQ(Dump(s.f.arrangement()), before);
        EXPECT_EQ(Site()->CountAction(tkpaFloated), 0);
        CRect rc;
        s.mini->GetWindowRect(&rc);
        EXPECT_EQ(rc, rcBefore);
    }
    // A real move floats the window to where the cursor took it; above the top of the work area
    // it comes down to it.
    ::SetCursorPos(rcBefore.left + 40 - 100, 0);
    ::PostMessageW(hSite, WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::PostMessageW(hSite, WM_LBUTTONUP, 0, 0);
    s.drag->BeginDrag(s.Content(), rcBefore.left + 40, rcBefore.top + 8);
    CRect rc;
    s.mini->GetWindowRect(&rc);
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(rc.left, rcBefore.left - 100);
    EXPECT_EQ(rc.top, work.top);
    EXPECT_EQ(rc.Size(), rcBefore.Size());
}

TEST(DockingDrag, EscapeCancelsAndAHeldCaptureStartsNothing)
{
    DragScene s;
    const std::string before = Dump(s.f.arrangement());
    const CRect a = s.ARect();
    HWND hSite = s.mini->GetSafeHwnd();
    ::SetCursorPos(a.right - 5, a.CenterPoint().y);
    ::PostMessageW(hSite, WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::PostMessageW(hSite, WM_KEYDOWN, VK_ESCAPE, 0);
    s.drag->BeginDrag(s.Content(), a.right - 100, a.CenterPoint().y);
    EXPECT_EQ(Dump(s.f.arrangement()), before);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    // Another window holds the capture: no drag, and the desktop is left unlocked.
    ::SetCapture(Site()->m_wndView.GetSafeHwnd());
    s.drag->BeginDrag(s.Content(), a.right - 100, a.CenterPoint().y);
    EXPECT_FALSE(s.drag->IsDesktopLocked());
    EXPECT_EQ(::GetCapture(), Site()->m_wndView.GetSafeHwnd());
    ::ReleaseCapture();
    EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow()));
    ::LockWindowUpdate(NULL);
}

// A quit message waiting as a drag starts cancels it and stays queued for the program's own loop.
TEST(DockingDrag, AQuitMessageCancelsTheDragAndIsPutBack)
{
    DragScene s;
    ASSERT_FALSE(s.drag->IsAlpha());
    const std::string before = Dump(s.f.arrangement());
    const CRect a = s.ARect();
    ::SetCursorPos(a.right - 5, a.CenterPoint().y);
    const int nCode = morvick::test::QuitCodeLeftBy(s.mini->GetSafeHwnd(), 7,
        [&] { s.drag->BeginDrag(s.Content(), a.right - 100, a.CenterPoint().y); });
    EXPECT_EQ(nCode, 7);
    EXPECT_EQ(Dump(s.f.arrangement()), before);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_FALSE(s.drag->IsDesktopLocked());
}

// Real input: steps run one per tick of a thread timer, which the drag's loop dispatches.
std::vector<std::function<void()>> g_steps;
size_t g_nextStep = 0;
UINT_PTR g_timer = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_nextStep < g_steps.size()) {
        g_steps[g_nextStep++]();
        return;
    }
    ::KillTimer(NULL, g_timer);
    g_timer = 0;
}

TEST(DockingDragInput, ADragByTheMouseOverEachEdgeStickerDocksAtThatSide)
{
    for (int nPart : {tkdock::partTop, tkdock::partLeft, tkdock::partBottom, tkdock::partRight}) {
        SCOPED_TRACE(nPart);
        HostFixture f;
        f.host()->m_bAlphaFeedback = TRUE;
        f.host()->m_bShowStickers = TRUE;
        CTKPDockablePane* p1 = f.MakePane(1, L"Files");
        CTKPDockablePane* p2 = f.MakePane(2, L"Log");
        f.host()->DockPane(p1, tkdock::sideLeft, NULL);
        f.host()->DockPane(p2, tkdock::sideBottom, p1);
        f.Layout();
        Site()->SetForegroundWindow();
        CTKPDockingPaneTabbedContainer* pBefore = f.ContainerOf(p2);
        CRect rcCaption;
        pBefore->GetWindowRect(&rcCaption);
        const CPoint grab(rcCaption.left + 40, rcCaption.top + 8);
        CRect rcTop;
        f.host()->GetTopContainer()->GetScreenRect(&rcTop);
        const tkdock::Rect sticker =
            tkdock::EdgeStickerRect(tkdock::Rect(rcTop.left, rcTop.top, rcTop.right, rcTop.bottom), nPart, 0);
        const CPoint target((sticker.left + sticker.right) / 2, (sticker.top + sticker.bottom) / 2);
        g_steps = {
            [=] { MouseMoveTo(grab.x + 30, grab.y + 30); },
            [=] { MouseMoveTo((grab.x + target.x) / 2, (grab.y + target.y) / 2); },
            [=] { MouseMoveTo(target.x, target.y); },
            [=] { MouseMoveTo(target.x, target.y + 1); },
            [=] { MouseUp(target.x, target.y + 1); },
        };
        g_nextStep = 0;
        MouseMoveTo(grab.x, grab.y);
        PumpUntil([] { return false; }, 50);
        g_timer = ::SetTimer(NULL, 0, 60, RunStep);
        MouseDown(grab.x, grab.y);
        ASSERT_TRUE(PumpUntil([&] { return g_timer == 0; }, morvick::test::kStateWaitMs));
        PumpPending();
        f.Layout();
        // Docked anew (in a container of its own) at the side of the sticker.
        EXPECT_NE(f.ContainerOf(p2), pBefore);
        EXPECT_EQ(f.host()->GetNodeSide(p2), tkdock::DirectionOfPart(nPart)) << Dump(f.arrangement());
        EXPECT_EQ(f.host()->GetDragContext()->GetStickerCount(), 0);
    }
}

TEST(DockingDragInput, ADragByTheMouseOverTheCrossDocksBesideOrJoinsAContainer)
{
    struct Case {
        int part;
        const char* dump;
    };
    for (const Case& c : {Case{tkdock::partLeft, "S[T(2*),T(1*),C]"}, Case{tkdock::partCentre, "S[T(1,2*),C]"}}) {
        SCOPED_TRACE(c.part);
        HostFixture f;
        f.host()->m_bAlphaFeedback = TRUE;
        f.host()->m_bShowStickers = TRUE;
        CTKPDockablePane* p1 = f.MakePane(1, L"Files", CSize(260, 150));
        CTKPDockablePane* p2 = f.MakePane(2, L"Log");
        f.host()->DockPane(p1, tkdock::sideLeft, NULL);
        f.host()->DockPane(p2, tkdock::sideRight, NULL);
        f.Layout();
        Site()->SetForegroundWindow();
        CRect rcGrab, rcTarget;
        f.ContainerOf(p2)->GetWindowRect(&rcGrab);
        f.ContainerOf(p1)->GetWindowRect(&rcTarget);
        const CPoint grab(rcGrab.left + 40, rcGrab.top + 8);
        // The cross stands centred on the container under the cursor; its parts at their offsets.
        const tkdock::Rect cross =
            tkdock::CentreStickerRect(tkdock::Rect(rcTarget.left, rcTarget.top, rcTarget.right, rcTarget.bottom), 0);
        const CPoint target = c.part == tkdock::partLeft ? CPoint(cross.left + 12, cross.top + 46)
                                                         : CPoint(cross.left + 46, cross.top + 46);
        g_steps = {
            [=] { MouseMoveTo(grab.x - 30, grab.y + 30); },
            [=] { MouseMoveTo(rcTarget.CenterPoint().x, rcTarget.CenterPoint().y + 60); },
            [=] { MouseMoveTo(target.x, target.y); },
            [=] { MouseMoveTo(target.x, target.y + 1); },
            [=] { MouseUp(target.x, target.y + 1); },
        };
        g_nextStep = 0;
        MouseMoveTo(grab.x, grab.y);
        PumpUntil([] { return false; }, 50);
        g_timer = ::SetTimer(NULL, 0, 60, RunStep);
        MouseDown(grab.x, grab.y);
        ASSERT_TRUE(PumpUntil([&] { return g_timer == 0; }, morvick::test::kStateWaitMs));
        PumpPending();
        f.Layout();
        EXPECT_EQ(Dump(f.arrangement()), c.dump);
    }
}

}  // namespace
