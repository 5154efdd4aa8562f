// A frame with command bars: the toolbar loaded from a toolbar resource, docked at the top, and the
// frame's client area around it.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/ReBar.h"
#include "toolkit/commandbars/ToolBar.h"

#include <algorithm>
#include <vector>

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
    }
    void TearDown() override
    {
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
    }
    CTestFrame* m_pFrame = nullptr;
};

}  // namespace

TEST_F(FrameTest, ToolBarResourceGivesOneButtonPerIdAndSeparatorsStartGroups)
{
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(pBar->GetBarID(), 200u);
    CTKPControls* pControls = pBar->GetControls();
    std::vector<int> ids;
    for (int i = 0; i < pControls->GetCount(); ++i) {
        if (!pControls->GetAt(i)->IsTemporary())
            ids.push_back(pControls->GetAt(i)->GetID());
    }
    EXPECT_EQ(ids, (std::vector<int>{100, 101, 102, 103, 104}));
    // Two separators in a row make one group start.
    EXPECT_FALSE(pControls->GetAt(1)->GetBeginGroup());
    EXPECT_TRUE(pControls->GetAt(2)->GetBeginGroup());
    EXPECT_FALSE(pControls->GetAt(3)->GetBeginGroup());
    // 32 x 32 images set the bar's icon size; the prompts come from the string resources.
    EXPECT_EQ(pBar->GetIconSize(), CSize(32, 32));
    EXPECT_EQ(pControls->GetAt(0)->GetTooltip(), CString(L"Open"));
    EXPECT_EQ(pControls->GetAt(0)->GetDescription(), CString(L"Open a file"));
    // The loaded controls are kept as the bar's reference set.
    ASSERT_NE(pControls->GetSavedCopy(), nullptr);
    EXPECT_FALSE(pControls->IsChanged());
}

TEST_F(FrameTest, DockedToolBarTakesTheTopOfTheClientArea)
{
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    ASSERT_NE(pBar->GetDockBar(), nullptr);
    EXPECT_EQ(pBar->GetDockBar()->GetPosition(), tkpBarTop);
    CRect rcDock, rcBar, rcClient;
    pBar->GetDockBar()->GetWindowRect(&rcDock);
    pBar->GetWindowRect(&rcBar);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    EXPECT_EQ(rcDock.top, rcClient.top);
    EXPECT_EQ(rcDock.Height(), rcBar.Height());
    EXPECT_GT(rcBar.Height(), 32);
    CRect rcLeft;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcLeft);
    EXPECT_EQ(rcLeft.top, rcBar.Height());
}

namespace {

int g_nResetAnswer = IDCANCEL;
int g_nResetQuestions = 0;
int AnswerReset(LPCTSTR lpszText, UINT nType)
{
    ++g_nResetQuestions;
    EXPECT_NE(CString(lpszText).Find(L"'Standard'"), -1);
    return g_nResetAnswer;
}

}  // namespace

TEST_F(FrameTest, TheAddOrRemoveListTakesButtonsOffAndPutsThemBackAndResetAsksFirst)
{
    CFakePopupBarClass fakePopups;
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    CTKPCommandBar* pList = pBar->CreateAddOrRemovePopup();
    ASSERT_NE(pList, nullptr);
    CTKPControls* pItems = pList->GetControls();
    // One checked item per loaded button, then the reset item starting a group.
    ASSERT_EQ(pItems->GetCount(), 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pItems->GetAt(i)->GetChecked(), 1) << i;
    EXPECT_TRUE(pItems->GetAt(5)->GetBeginGroup());

    CTKPControl* pSave = pBar->GetControls()->FindControl(101);
    pItems->GetAt(1)->OnExecute();
    EXPECT_TRUE(pSave->GetHideFlags() & tkpHideCustomize);
    EXPECT_EQ(pItems->GetAt(1)->GetChecked(), 0);
    pItems->GetAt(1)->OnExecute();
    EXPECT_FALSE(pSave->GetHideFlags() & tkpHideCustomize);

    // Reset asks; cancelled, a removed control stays away; confirmed, the loaded set comes back.
    pBar->SetBuiltIn(TRUE);
    pBar->GetControls()->Remove(pBar->GetControls()->FindControl(103));
    CTKPResourceManager::SetMessageBoxHook(AnswerReset);
    g_nResetAnswer = IDCANCEL;
    pItems->GetAt(5)->OnExecute();
    EXPECT_EQ(pBar->GetControls()->FindControl(103), nullptr);
    g_nResetAnswer = IDOK;
    pItems->GetAt(5)->OnExecute();
    EXPECT_NE(pBar->GetControls()->FindControl(103), nullptr);
    EXPECT_EQ(g_nResetQuestions, 2);
    CTKPResourceManager::SetMessageBoxHook(NULL);
    pList->InternalRelease();
}

TEST_F(FrameTest, AFloatingToolBarWrapsItsButtonsIntoMoreRowsAsItNarrows)
{
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    ASSERT_TRUE(pBar->SetPosition(tkpBarFloating));
    // The loaded buttons' rectangles at a width: inside the bar, overlapping nowhere.
    auto layout = [&](int nWidth, CSize* pSize) {
        *pSize = pBar->CalcDynamicLayout(nWidth, LM_HORZ | LM_COMMIT);
        std::vector<CRect> rects;
        for (int i = 0; i < pBar->GetControlCount(); ++i) {
            CTKPControl* pControl = pBar->GetControl(i);
            if (pControl->IsTemporary())
                continue;
            const CRect rc = pControl->GetRect();
            EXPECT_TRUE(CRect(CPoint(0, 0), *pSize).PtInRect(rc.TopLeft())) << nWidth << " " << i;
            EXPECT_LE(rc.right, pSize->cx) << nWidth << " " << i;
            EXPECT_LE(rc.bottom, pSize->cy) << nWidth << " " << i;
            for (const CRect& other : rects) {
                CRect rcCommon;
                EXPECT_FALSE(rcCommon.IntersectRect(rc, other)) << nWidth << " " << i;
            }
            rects.push_back(rc);
        }
        return rects;
    };
    auto rows = [](const std::vector<CRect>& rects) {
        std::vector<int> tops;
        for (const CRect& rc : rects) {
            if (std::find(tops.begin(), tops.end(), rc.top) == tops.end())
                tops.push_back(rc.top);
        }
        return tops.size();
    };
    CSize sizeWide, sizeNarrow, sizeNarrowest;
    const std::vector<CRect> wide = layout(2000, &sizeWide);
    ASSERT_EQ(wide.size(), 5u);
    EXPECT_EQ(rows(wide), 1u);
    for (size_t i = 1; i < wide.size(); ++i)
        EXPECT_GE(wide[i].left, wide[i - 1].right);

    // A little narrower than one row needs: the last group goes to a second row.
    const std::vector<CRect> narrow = layout(sizeWide.cx - 20, &sizeNarrow);
    EXPECT_EQ(rows(narrow), 2u);
    EXPECT_LT(sizeNarrow.cx, sizeWide.cx);
    EXPECT_GT(sizeNarrow.cy, sizeWide.cy);
    EXPECT_EQ(narrow[0].TopLeft(), wide[0].TopLeft());

    // As narrow as can be: one button per row, all in one column.
    const std::vector<CRect> column = layout(1, &sizeNarrowest);
    EXPECT_EQ(rows(column), 5u);
    for (const CRect& rc : column)
        EXPECT_EQ(rc.left, column[0].left);
}

TEST_F(FrameTest, ARebarHostsToolBarsAsBandsSizedByTheirOwnLayout)
{
    CTKPCommandBars* pBars = m_pFrame->GetCommandBars();
    EXPECT_EQ(nullptr, pBars->GetReBar());
    CTKPReBar rebar;
    ASSERT_TRUE(rebar.Create(m_pFrame));
    ASSERT_EQ(&rebar, pBars->GetReBar());

    // A user bar joins the rebar as its own band, out of the dock bars and without docking flags.
    CTKPToolBar* pTools = pBars->AddCustomBar(L"Tools", 59400);
    ASSERT_NE(pTools, nullptr);
    for (int nId : {100, 101, 102})
        pTools->GetControls()->Add(tkpControlButton, nId);
    ASSERT_EQ(rebar.GetReBarCtrl().GetBandCount(), 1u);
    EXPECT_EQ(rebar.FindBand(pTools), 0);
    EXPECT_EQ(rebar.GetBandBar(0), pTools);
    EXPECT_EQ(pTools->GetDockBar(), nullptr);
    EXPECT_EQ(pTools->GetFlags(), 0u);
    REBARBANDINFOW info = {};
    info.cbSize = CReBarCtrl::kBandInfoSize;  // the record up to cxHeader, whose size depends on the pointers' width
    info.fMask = RBBIM_ID | RBBIM_STYLE;
    ASSERT_TRUE(rebar.SendMessage(RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(info.wID, 59400u);
    EXPECT_EQ(info.fStyle & (RBBS_BREAK | RBBS_GRIPPERALWAYS), static_cast<UINT>(RBBS_BREAK | RBBS_GRIPPERALWAYS));

    // The frame's layout gives the band the bar's own sizes: at least all of its buttons wide.
    m_pFrame->RecalcLayout();
    const CSize szFull = pTools->CalcDynamicLayout(32000, LM_HORZ | LM_HORZDOCK);
    CRect rcBar;
    pTools->GetWindowRect(&rcBar);
    info.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    ASSERT_TRUE(rebar.SendMessage(RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(static_cast<int>(info.cxMinChild), szFull.cx);
    EXPECT_GT(szFull.cx, 3 * 16);
    EXPECT_EQ(static_cast<int>(info.cyMinChild), pTools->CalcDynamicLayout(rcBar.Width(), 0xCA).cy);
    EXPECT_EQ(static_cast<int>(info.cxIdeal), pTools->CalcDynamicLayout(rcBar.Width(), 0xCA).cx);
    // The rebar takes its room at the top of the frame's client area.
    CRect rcRebar;
    rebar.GetWindowRect(&rcRebar);
    m_pFrame->ScreenToClient(&rcRebar);
    EXPECT_GE(rcRebar.Height(), static_cast<int>(info.cyMinChild));

    // Leaving the manager takes the band away.
    pBars->Remove(pTools);
    EXPECT_EQ(rebar.GetReBarCtrl().GetBandCount(), 0u);
    EXPECT_EQ(rebar.GetBandBar(0), nullptr);
    rebar.DestroyWindow();
    EXPECT_EQ(nullptr, pBars->GetReBar());
}
