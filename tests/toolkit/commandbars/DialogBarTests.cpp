// The dialog bar: its size with and without a caption, where its child sits, the caption's title
// and close button, the sizing edges by dock side, resizing by the user and its limits.
#include <gtest/gtest.h>

#include "tests/toolkit/base/DibCanvas.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DialogBar.h"
#include "toolkit/commandbars/DialogBarCaption.h"
#include "toolkit/commandbars/ToolBarDockContext.h"

namespace {

class DialogBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CBars3Frame;
        ASSERT_TRUE(m_pFrame->CreateBars3Frame(CRect(0, 0, 800, 600)));
        m_pBar = static_cast<CTKPDialogBar*>(
            m_pFrame->GetCommandBars()->CreateToolBar(L"Properties", tkpBarTop, RUNTIME_CLASS(CTKPDialogBar)));
        ASSERT_NE(m_pBar, nullptr);
        m_pBar->SetDockedClientSize(CSize(150, 100));
        m_pChild = ::CreateWindowExW(0, L"STATIC", L"body", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_pBar->m_hWnd, NULL,
            AfxGetInstanceHandle(), NULL);
        m_pBar->SetChild(m_pChild);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }

    int CaptionGripper()
    {
        CClientDC dc(m_pBar);
        return m_pBar->GetPaintManager()->DrawCommandBarGripper(&dc, m_pBar, FALSE).cy;
    }
    CRect ChildRect()
    {
        CRect rc;
        ::GetWindowRect(m_pChild, &rc);
        m_pBar->ScreenToClient(&rc);
        return rc;
    }
    int HitAt(int x, int y) { return (int)m_pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); }
    CRect Window()
    {
        CRect rc;
        m_pBar->GetWindowRect(&rc);
        return rc;
    }
    CTKPControl* Control(int nId) { return m_pBar->GetControls()->FindControl(0, nId, FALSE, FALSE); }

    CBars3Frame* m_pFrame = nullptr;
    CTKPDialogBar* m_pBar = nullptr;
    HWND m_pChild = NULL;
};

}  // namespace

TEST_F(DialogBarTest, TheCaptionAddsItsHeightAndTheChildFillsTheRest)
{
    const int nGripper = CaptionGripper();
    EXPECT_GE(nGripper, 22);
    const CSize size = m_pBar->CalcDockingLayout(800, LM_HORZ | LM_HORZDOCK);
    // The top border once, then the caption, the child and the bottom border.
    EXPECT_EQ(size, CSize(150 + 6, 3 + nGripper + 100 + 3));
    EXPECT_EQ(m_pBar->GetCaptionHeight(), 3 + nGripper);
    EXPECT_EQ(Window().Size(), size);
    EXPECT_EQ(ChildRect(), CRect(3, 3 + nGripper, 153, 103 + nGripper));

    // The caption is measured afresh where the child goes: a taller caption moves it down at once.
    CTKPCommandBarsTheme* pTheme = m_pBar->GetPaintManager();
    const int nOldRow = pTheme->m_nPopupItemHeight;
    pTheme->m_nPopupItemHeight = nGripper + 6;
    const int nTaller = CaptionGripper();
    const CRect rcInside = m_pBar->GetInsideBorders();
    pTheme->m_nPopupItemHeight = nOldRow;
    EXPECT_EQ(nTaller, nGripper + 10);
    EXPECT_EQ(rcInside, CRect(3, 3 + nGripper + 10, 3, 3));

    // The length of the row limits the bar, and stretching fills it.
    EXPECT_EQ(m_pBar->CalcDockingLayout(120, LM_HORZ | LM_HORZDOCK).cx, 120);
    EXPECT_EQ(m_pBar->CalcDockingLayout(500, LM_HORZ | LM_HORZDOCK | LM_STRETCH).cx, 500);

    // Without the caption the child moves up with the bar's size.
    m_pBar->SetCaptionVisible(FALSE);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(m_pBar->CalcDockingLayout(800, LM_HORZ | LM_HORZDOCK), CSize(156, 106));
    m_pBar->SendMessage(WM_SIZE, 0, MAKELPARAM(156, 106));
    EXPECT_EQ(ChildRect(), CRect(3, 3, 153, 103));
    EXPECT_FALSE(Control(TKP_ID_DIALOGBAR_TITLE)->IsVisible());
}

TEST_F(DialogBarTest, TheTitleShowsTheBarsNameAndOpensOnlyAPopupWithControls)
{
    CTKPControl* pTitle = Control(TKP_ID_DIALOGBAR_TITLE);
    CTKPControl* pClose = Control(TKP_ID_TOOLBAR_CLOSE);
    ASSERT_NE(pTitle, nullptr);
    ASSERT_NE(pClose, nullptr);
    EXPECT_TRUE(pTitle->IsTemporary());
    EXPECT_EQ(pTitle->GetCaption(), CString(L"Properties"));
    EXPECT_EQ(pTitle->GetFlags(), 0x1Eu);
    EXPECT_EQ(pClose->GetFlags(), 0x1Au);
    const int nTop = CaptionGripper() / 2 - 8 + 3;
    EXPECT_EQ(pClose->GetRect(), CRect(156 - 3 - 16, nTop, 156 - 3, nTop + 16));
    EXPECT_EQ(pTitle->GetRect().right, pClose->GetRect().left);
    EXPECT_EQ(pTitle->GetRect().Height(), 16);

    // An empty caption popup: no popup opens.
    CTKPDialogBarTitle* pTitleControl = static_cast<CTKPDialogBarTitle*>(pTitle);
    EXPECT_FALSE(pTitleControl->HasUsablePopup());
    EXPECT_FALSE(pTitleControl->OnSetPopup(TRUE));
    m_pBar->GetCaptionPopupBar()->GetControls()->Add(tkpControlButton, 101);
    m_pBar->CalcDockingLayout(800, LM_HORZ | LM_HORZDOCK);
    EXPECT_TRUE(pTitleControl->HasUsablePopup());
    m_pBar->SetCaptionPopup(FALSE);
    m_pBar->CalcDockingLayout(800, LM_HORZ | LM_HORZDOCK);
    EXPECT_FALSE(pTitleControl->HasUsablePopup());

    m_pBar->SetCaption(L"Object");
    EXPECT_EQ(pTitle->GetCaption(), CString(L"Object"));

    // A title longer than its place is cut, not shortened with an ellipsis; an '&' in it marks the
    // mnemonic as in a menu caption, and a doubled one shows one.
    m_pBar->SetCaption(L"Find && &Replace in every one of the open documents and their folders");
    m_pBar->CalcDockingLayout(800, LM_HORZ | LM_HORZDOCK);
    const CRect rcTitle = pTitle->GetRect();
    DibCanvas drawn(200, 60), expected(200, 60);
    pTitle->Draw(drawn.DC());
    {
        CDC* pDC = expected.DC();
        CTKPFontSelector font(pDC, m_pBar->GetPaintManager()->GetSmCaptionFont());
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(m_pBar->GetPaintManager()->GetColor(COLOR_BTNTEXT));
        CRect rcText(rcTitle.left + 2, rcTitle.top, rcTitle.right - 2, rcTitle.bottom);
        pDC->DrawText(pTitle->GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER);
    }
    int nDiffering = 0;
    for (int y = 0; y < 60; y++)
        for (int x = 0; x < 200; x++)
            nDiffering += drawn.Pixel(x, y) != expected.Pixel(x, y) ? 1 : 0;
    EXPECT_EQ(nDiffering, 0);

    // The close button hides the bar; without the close setting there is none.
    pClose->OnExecute();
    EXPECT_FALSE(m_pBar->IsVisible());
    m_pBar->SetCloseable(FALSE);
    m_pBar->CalcDockingLayout(800, LM_HORZ | LM_HORZDOCK);
    EXPECT_FALSE(pClose->IsVisible());
    EXPECT_EQ(pTitle->GetRect().right, 156 - 3);
}

TEST_F(DialogBarTest, OnlyTheCaptionCountsAsTheBarForTheTrackers)
{
    const CRect rc = Window();
    EXPECT_EQ(m_pBar->PtInWindow(CPoint(rc.left + 20, rc.top + 5)), 1);
    EXPECT_EQ(m_pBar->PtInWindow(CPoint(rc.left + 20, rc.bottom - 5)), -2);
}

TEST_F(DialogBarTest, SizingEdgesFollowTheDockSideAndTheStretchFlag)
{
    struct Case {
        int nPosition;
        BOOL bStretched;
        int nTop, nBottom, nLeft, nRight;  // codes at the middle of each edge
    };
    const Case cases[] = {
        {tkpBarTop, FALSE, 0, HTBOTTOM, 0, HTRIGHT},
        {tkpBarBottom, FALSE, HTTOP, 0, 0, HTRIGHT},
        {tkpBarLeft, FALSE, 0, HTBOTTOM, 0, HTRIGHT},
        {tkpBarRight, FALSE, 0, HTBOTTOM, HTLEFT, 0},
        {tkpBarTop, TRUE, 0, HTBOTTOM, 0, 0},
        {tkpBarBottom, TRUE, HTTOP, 0, 0, 0},
        {tkpBarLeft, TRUE, 0, 0, 0, HTRIGHT},
        {tkpBarRight, TRUE, 0, 0, HTLEFT, 0},
        {tkpBarFloating, FALSE, HTTOP, HTBOTTOM, HTLEFT, HTRIGHT},
    };
    for (const Case& c : cases) {
        m_pBar->ModifyBarFlags(c.bStretched ? tkpFlagStretched : 0, c.bStretched ? 0 : tkpFlagStretched);
        ASSERT_TRUE(m_pBar->SetPosition(c.nPosition));
        m_pFrame->RecalcLayout();
        const CRect rc = Window();
        const CPoint mid = rc.CenterPoint();
        SCOPED_TRACE(testing::Message() << "position " << c.nPosition << " stretched " << c.bStretched);
        auto expectCode = [&](int nCode, int x, int y) {
            const int nHit = HitAt(x, y);
            if (nCode != 0)
                EXPECT_EQ(nHit, nCode);
            else
                EXPECT_TRUE(nHit < HTLEFT || nHit > HTBOTTOMRIGHT) << nHit;
        };
        expectCode(c.nTop, mid.x, rc.top + 1);
        expectCode(c.nBottom, mid.x, rc.bottom - 1);
        expectCode(c.nLeft, rc.left + 1, mid.y);
        expectCode(c.nRight, rc.right - 1, mid.y);
    }
    // Corners of a floating bar.
    const CRect rc = Window();
    EXPECT_EQ(HitAt(rc.left, rc.top), HTTOPLEFT);
    EXPECT_EQ(HitAt(rc.right - 1, rc.bottom - 1), HTBOTTOMRIGHT);

    // A bar that may not be resized leaves the edges to the toolbar.
    m_pBar->SetResizable(FALSE);
    EXPECT_NE(HitAt(rc.left, rc.top), HTTOPLEFT);
}

TEST_F(DialogBarTest, ResizingKeepsTheMinimumAndRemembersDockedAndFloatingSizes)
{
    // Docked at the top: the right edge gives the width, the bottom edge the height.
    CRect rc = Window();
    const int nInsideHeight = m_pBar->GetInsideBorders().top + 3;
    m_pBar->Resize(CRect(rc.left, rc.top, rc.left + 260, rc.bottom), HTRIGHT);
    EXPECT_EQ(m_pBar->GetDockedClientSize(), CSize(254, 100));
    m_pBar->Resize(CRect(rc.left, rc.top, rc.left + 260, rc.top + 80 + nInsideHeight), HTBOTTOM);
    EXPECT_EQ(m_pBar->GetDockedClientSize(), CSize(254, 80));
    m_pFrame->RecalcLayout();
    EXPECT_EQ(Window().Width(), 260);

    // The dock context's resize of a bar that sizes itself hands each rectangle to the bar.
    rc = Window();
    CTKPToolBarDockContext* pContext = m_pBar->GetDockContext();
    pContext->m_nMode = HTRIGHT;
    pContext->m_ptLast = CPoint(rc.right - 1, rc.CenterPoint().y);
    pContext->m_rectDragFloat = rc;
    pContext->Stretch(CPoint(rc.right + 39, rc.CenterPoint().y));
    EXPECT_EQ(m_pBar->GetDockedClientSize().cx, 294);

    // Floating: the floating size changes, the docked one stays; a window under 50 x 50 is refused.
    ASSERT_TRUE(m_pBar->SetPosition(tkpBarFloating));
    m_pBar->OnFloatingLayoutChanged();
    rc = Window();
    EXPECT_EQ(rc.Width(), 206);
    m_pBar->Resize(CRect(rc.left, rc.top, rc.left + 49, rc.top + 200), HTRIGHT);
    EXPECT_EQ(m_pBar->GetFloatingClientSize(), CSize(200, 200));
    m_pBar->Resize(CRect(rc.left - 20, rc.top, rc.right, rc.bottom), HTLEFT);
    EXPECT_EQ(m_pBar->GetFloatingClientSize(), CSize(220, 200));
    EXPECT_EQ(Window(), CRect(rc.left - 20, rc.top, rc.right, rc.bottom));
    EXPECT_EQ(m_pBar->GetDockedClientSize().cx, 294);

    // Sizes from a damaged layout are kept in range.
    m_pBar->SetDockedClientSize(CSize(-5, 1 << 30));
    EXPECT_EQ(m_pBar->GetDockedClientSize(), CSize(0, 32000));
}
