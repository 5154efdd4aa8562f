// The status bar of the toolkit in a frame: pane layout and stretching, texts and the text messages
// of the window, disabled and hidden panes, hosted pane windows, the command UI and themed panes.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/StatusBar.h"
#include "toolkit/commandbars/StatusBarPaneWnd.h"

#include <string>
#include <vector>

namespace {

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CBars3Frame;
        ASSERT_TRUE(m_pFrame->CreateBars3Frame());
        m_pBar = new CTKPStatusBar;
        ASSERT_TRUE(m_pBar->Create(m_pFrame));
        m_pBar->SetCommandBars(m_pFrame->GetCommandBars());
    }
    void TearDown() override
    {
        delete m_pBar;
        m_pFrame->DestroyWindow();
    }
    void Layout() { m_pFrame->RecalcLayout(); }
    std::vector<int> Parts()
    {
        int rights[16] = {};
        const int n = (int)m_pBar->DefWindowProc(SB_GETPARTS, 16, (LPARAM)rights);
        return std::vector<int>(rights, rights + n);
    }
    int Borders(int i)
    {
        int borders[3] = {};
        m_pBar->DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
        return borders[i];
    }
    int InsideWidth()
    {
        CRect rc;
        m_pBar->GetWindowRect(&rc);
        rc.OffsetRect(-rc.left, -rc.top);
        m_pBar->CalcInsideRect(rc, TRUE);
        return rc.Width();
    }
    CString ControlText(int nPart)
    {
        WCHAR sz[256] = {};
        m_pBar->DefWindowProc(SB_GETTEXT, nPart, (LPARAM)sz);
        return sz;
    }
    CBars3Frame* m_pFrame = nullptr;
    CTKPStatusBar* m_pBar = nullptr;
};

}  // namespace

TEST_F(StatusBarTest, StretchPanesShareTheSpareWidthTheFirstTakingTheSmallerHalf)
{
    m_pBar->AddIndicator(1, -1, 10)->SetStyle(tkpPaneStretch);
    m_pBar->AddIndicator(2, -1, 50);
    m_pBar->AddIndicator(3, -1, 10)->SetStyle(tkpPaneStretch);
    Layout();
    m_pBar->UpdateAllPanes(TRUE, FALSE);
    const std::vector<int> rights = Parts();
    ASSERT_EQ(rights.size(), 3u);
    const int between = Borders(2);
    const int first = rights[0] - Borders(0) - 16;
    const int fixed = rights[1] - (rights[0] + between);
    const int last = rights[2] - (rights[1] + between) - 16;
    EXPECT_EQ(fixed, 56);
    EXPECT_EQ(first, (first + last) / 2);
    EXPECT_LE(first, last);
    EXPECT_EQ(rights[2], Borders(0) + InsideWidth());

    // One stretch pane takes the whole of it.
    m_pBar->SetPaneStyle(2, 0);
    const std::vector<int> single = Parts();
    EXPECT_EQ(single[2] - (single[1] + between), 16);
    EXPECT_EQ(single[0], Borders(0) + InsideWidth() - 16 - 56 - 2 * between);
}

TEST_F(StatusBarTest, HiddenPanesLeaveTheControlAndRefuseTextButKeepIt)
{
    m_pBar->AddIndicator(0, -1, 100);
    CTKPStatusBarPane* pHidden = m_pBar->AddIndicator(7, -1, 40);
    CTKPStatusBarPane* pLast = m_pBar->AddIndicator(8, -1, 40);
    Layout();
    pHidden->SetVisible(FALSE);
    EXPECT_EQ(m_pBar->GetVisiblePaneCount(), 2);
    EXPECT_EQ(Parts().size(), 2u);
    EXPECT_EQ(pLast->GetVisibleIndex(), 1);
    EXPECT_EQ(pLast->GetIndex(), 2);

    EXPECT_FALSE(m_pBar->SetPaneText(1, L"kept"));
    EXPECT_EQ(m_pBar->GetPaneText(1), CString(L"kept"));
    CRect rc;
    m_pBar->GetItemRect(1, &rc);
    EXPECT_TRUE(rc.IsRectEmpty());
    EXPECT_FALSE(m_pBar->SetPaneText(5, L"no pane"));
    EXPECT_EQ(m_pBar->GetPane(-1), nullptr);
    EXPECT_EQ(m_pBar->CommandToIndex(99), -1);
}

TEST_F(StatusBarTest, PanesMovedToOtherPartsByOneThatComesOrGoesShowTheirOwnTexts)
{
    m_pBar->AddIndicator(1, -1, 40)->SetText(L"AAA");
    CTKPStatusBarPane* pMiddle = m_pBar->AddIndicator(2, -1, 40);
    pMiddle->SetText(L"BBB");
    m_pBar->AddIndicator(3, -1, 40)->SetText(L"CCC");
    Layout();
    auto texts = [this] {
        std::vector<std::wstring> result;
        for (size_t i = 0; i < Parts().size(); ++i)
            result.push_back((LPCWSTR)ControlText((int)i));
        return result;
    };
    using Texts = std::vector<std::wstring>;

    pMiddle->SetVisible(FALSE);
    EXPECT_EQ(texts(), (Texts{L"AAA", L"CCC"}));
    pMiddle->SetVisible(TRUE);
    EXPECT_EQ(texts(), (Texts{L"AAA", L"BBB", L"CCC"}));
    m_pBar->AddIndicator(4, 1, 40)->SetText(L"DDD");
    EXPECT_EQ(texts(), (Texts{L"AAA", L"DDD", L"BBB", L"CCC"}));
    EXPECT_TRUE(m_pBar->RemoveIndicator(4));
    EXPECT_EQ(texts(), (Texts{L"AAA", L"BBB", L"CCC"}));
}

TEST_F(StatusBarTest, TextMessagesActOnThePaneWithIdZeroAndAnswerAsWindowsDo)
{
    // Without a pane of id 0 the text cannot be set and reads as empty.
    m_pBar->AddIndicator(5, -1, 40);
    EXPECT_FALSE(::SetWindowTextW(m_pBar->m_hWnd, L"lost"));
    WCHAR sz[8] = {L'x'};
    EXPECT_EQ(m_pBar->SendMessage(WM_GETTEXT, 8, (LPARAM)sz), 0);
    EXPECT_EQ(sz[0], 0);

    m_pBar->AddIndicator(0, 0, 100);
    Layout();
    EXPECT_TRUE(::SetWindowTextW(m_pBar->m_hWnd, L"Ready"));
    EXPECT_EQ(m_pBar->GetPaneText(0), CString(L"Ready"));
    EXPECT_EQ(m_pBar->SendMessage(WM_GETTEXTLENGTH), 5);

    // A buffer exactly as long as the text takes all but its last character.
    WCHAR buffer[6];
    wmemset(buffer, L'#', 6);
    EXPECT_EQ(m_pBar->SendMessage(WM_GETTEXT, 5, (LPARAM)buffer), 4);
    EXPECT_STREQ(buffer, L"Read");
    EXPECT_EQ(buffer[5], L'#');
    buffer[0] = L'#';
    EXPECT_EQ(m_pBar->SendMessage(WM_GETTEXT, 0, (LPARAM)buffer), 0);
    EXPECT_EQ(buffer[0], L'#');
    // The frame's prompts arrive the same way.
    m_pFrame->SetMessageText(L"Loading");
    EXPECT_EQ(ControlText(0), CString(L"Loading"));
}

TEST_F(StatusBarTest, ASameTextIsNotSentAgainAndADisabledPaneShowsNone)
{
    m_pBar->AddIndicator(0, -1, 100);
    m_pBar->AddIndicator(9, -1, 60);
    Layout();
    EXPECT_TRUE(m_pBar->SetPaneText(1, L"CAP"));
    EXPECT_EQ(ControlText(1), CString(L"CAP"));
    m_pBar->DefWindowProc(SB_SETTEXT, 1, (LPARAM)L"other");
    EXPECT_TRUE(m_pBar->SetPaneText(1, L"CAP"));
    EXPECT_EQ(ControlText(1), CString(L"other"));

    // Without update the text waits for the next layout of the texts.
    EXPECT_TRUE(m_pBar->SetPaneText(1, L"NUM", FALSE));
    EXPECT_EQ(ControlText(1), CString(L"other"));
    EXPECT_TRUE(m_pBar->GetPane(1)->IsTextPending());
    m_pBar->UpdateAllPanes(FALSE, TRUE);
    EXPECT_EQ(ControlText(1), CString(L"NUM"));

    m_pBar->SetPaneStyle(1, tkpPaneDisabled);
    EXPECT_EQ(ControlText(1), CString(L""));
    EXPECT_EQ(m_pBar->GetPaneText(1), CString(L"NUM"));
}

TEST_F(StatusBarTest, ThePanesEndWhereTheirWidthsSayAndHostedWindowsSitInside)
{
    m_pBar->AddIndicator(0, -1, 100);
    CTKPStatusBarPane* pFixed = m_pBar->AddIndicator(4, -1, 60);
    Layout();
    CRect rcFixed;
    m_pBar->GetItemRect(1, &rcFixed);
    EXPECT_EQ(rcFixed.Width(), 60 + 3 * ::GetSystemMetrics(SM_CXEDGE));

    CTKPStatusBarPlainPaneWnd* pWnd = new CTKPStatusBarPlainPaneWnd;
    ASSERT_TRUE(pWnd->Create(L"logo", m_pBar));
    pFixed->SetHostedWindow(pWnd->m_hWnd);
    CRect rcWnd;
    pWnd->GetWindowRect(&rcWnd);
    m_pBar->ScreenToClient(&rcWnd);
    CRect rcExpected = rcFixed;
    rcExpected.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(rcWnd, rcExpected);
    EXPECT_EQ(::GetClassLongW(pWnd->m_hWnd, GCL_STYLE), (DWORD)(CS_DBLCLKS | CS_BYTEALIGNCLIENT));

    // The last pane stretching runs to the size grip.
    m_pBar->SetPaneStyle(1, tkpPaneStretch);
    m_pBar->GetItemRect(1, &rcFixed);
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    EXPECT_EQ(rcFixed.right, rcClient.right - ::GetSystemMetrics(SM_CXSMICON) - ::GetSystemMetrics(SM_CXEDGE));
    pWnd->DestroyWindow();
    delete pWnd;
}

TEST_F(StatusBarTest, TheCommandUiOfTheOwnerEnablesChecksAndNamesThePanes)
{
    m_pBar->AddIndicator(0, -1, 100);
    m_pBar->AddIndicator(102, -1, 60);
    m_pBar->AddIndicator(103, -1, 60);
    Layout();
    m_pBar->SetPaneText(1, L"REF");
    m_pFrame->m_enabled[102] = FALSE;
    m_pFrame->m_checked[103] = 1;
    // The idle pass leaves the panes alone while the frame is hidden.
    m_pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_FALSE(m_pBar->GetPaneStyle(1) & tkpPaneDisabled);

    m_pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(m_pBar->GetPaneStyle(1) & tkpPaneDisabled);
    EXPECT_EQ(ControlText(1), CString(L""));
    EXPECT_TRUE(m_pBar->GetPaneStyle(2) & tkpPanePopOut);

    m_pFrame->m_enabled[102] = TRUE;
    m_pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_EQ(ControlText(1), CString(L"REF"));

    // A delayed hide is carried out by the idle pass all the same.
    m_pBar->DelayShow(FALSE);
    EXPECT_TRUE(m_pBar->GetStyle() & WS_VISIBLE);
    m_pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_FALSE(m_pBar->GetStyle() & WS_VISIBLE);
}

TEST_F(StatusBarTest, ThemedPanesAreDrawnWithTheirOwnColoursAndDisabledTextOnlyWhenAsked)
{
    CTKPStatusBarPane* pPane = m_pBar->AddIndicator(0, -1, 100);
    Layout();
    m_pBar->SetPaneText(0, L"WWWW");
    pPane->SetBackgroundColor(RGB(0, 128, 255));
    pPane->SetTextColor(RGB(255, 0, 0));
    DibSurface surface(120, 24, RGB(255, 255, 255));
    CTKPFontSelector font(&surface.dc(), m_pBar->GetStatusFont());
    m_pBar->DrawPane(&surface.dc(), 0, CRect(0, 0, 120, 24));
    EXPECT_EQ(surface.Pixel(110, 12), RGB(0, 128, 255));
    EXPECT_GT(surface.Count(RGB(255, 0, 0)), 10);

    pPane->SetStyle(tkpPaneDisabled);
    DibSurface hidden(120, 24, RGB(255, 255, 255));
    m_pBar->DrawPane(&hidden.dc(), 0, CRect(0, 0, 120, 24));
    EXPECT_EQ(hidden.Count(RGB(255, 0, 0)), 0);
    const COLORREF clrGray = m_pBar->GetTheme()->GetColor(COLOR_GRAYTEXT);
    EXPECT_EQ(hidden.Count(clrGray), 0);
    m_pBar->SetDrawDisabledText(TRUE);
    DibSurface shown(120, 24, RGB(255, 255, 255));
    m_pBar->DrawPane(&shown.dc(), 0, CRect(0, 0, 120, 24));
    EXPECT_GT(shown.Count(clrGray), 10);

    // Without themed painting there is no theme to draw with.
    m_pBar->EnableThemedPaint(FALSE);
    EXPECT_EQ(m_pBar->GetTheme(), nullptr);
}
