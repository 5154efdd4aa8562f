// A multiple-document frame and its child frames: creation through the MDI client, the active
// child, the route of commands through the active child first, closing a child and the layout of
// the client below the bars.
#include <gtest/gtest.h>

#include "classlib/win/CMDIFrameWnd.h"
#include "tests/classlib/win/TestSupport.h"

namespace {

const UINT ID_CHILD_PROBE = 3100;

int g_nChildrenDeleted = 0;

class CProbeChild : public CMDIChildWnd {
public:
    ~CProbeChild() override { g_nChildrenDeleted++; }
    int m_nProbes = 0;
    int m_nActivations = 0;
    afx_msg void OnProbe() { m_nProbes++; }
    void OnMDIActivate(BOOL bActivate, CWnd* pActivate, CWnd* pDeactivate) override
    {
        if (bActivate)
            m_nActivations++;
        CMDIChildWnd::OnMDIActivate(bActivate, pActivate, pDeactivate);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CProbeChild, CMDIChildWnd)
ON_COMMAND(ID_CHILD_PROBE, OnProbe)
END_MESSAGE_MAP()

class MdiFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_nChildrenDeleted = 0;
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, L"MDI", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 600, 400)));
        ASSERT_NE(m_pFrame->m_hWndMDIClient, nullptr);
    }
    void TearDown() override
    {
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        PumpPending();
    }
    CProbeChild* NewChild(LPCWSTR title)
    {
        CProbeChild* pChild = new CProbeChild;
        if (!pChild->Create(NULL, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, m_pFrame))
            return nullptr;
        return pChild;
    }
    CMDIFrameWnd* m_pFrame = nullptr;
};

}  // namespace

TEST_F(MdiFrameTest, ChildrenLiveInTheClientAndTheNewestIsActive)
{
    CProbeChild* pFirst = NewChild(L"One");
    CProbeChild* pSecond = NewChild(L"Two");
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(::GetParent(pFirst->m_hWnd), m_pFrame->m_hWndMDIClient);
    EXPECT_EQ(pFirst->GetMDIFrame(), m_pFrame);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pSecond);
    EXPECT_EQ(m_pFrame->GetActiveFrame(), pSecond);
    EXPECT_GE(pSecond->m_nActivations, 1);

    m_pFrame->MDIActivate(pFirst);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
    m_pFrame->MDIMaximize(pFirst);
    BOOL bMaximized = FALSE;
    EXPECT_EQ(m_pFrame->MDIGetActive(&bMaximized), pFirst);
    EXPECT_TRUE(bMaximized);
}

TEST_F(MdiFrameTest, CommandsReachTheActiveChildFirst)
{
    CProbeChild* pFirst = NewChild(L"One");
    CProbeChild* pSecond = NewChild(L"Two");
    ASSERT_NE(pSecond, nullptr);
    m_pFrame->SendMessage(WM_COMMAND, ID_CHILD_PROBE, 0);
    EXPECT_EQ(pSecond->m_nProbes, 1);
    EXPECT_EQ(pFirst->m_nProbes, 0);

    // The idle update asks the same route whether a handler exists.
    AFX_CMDHANDLERINFO info = {};
    EXPECT_TRUE(m_pFrame->OnCmdMsg(ID_CHILD_PROBE, CN_COMMAND, NULL, &info));
    EXPECT_EQ(info.pTarget, pSecond);
}

TEST_F(MdiFrameTest, ClosingAChildDestroysItThroughTheClientAndActivatesAnother)
{
    CProbeChild* pFirst = NewChild(L"One");
    CProbeChild* pSecond = NewChild(L"Two");
    ASSERT_NE(pSecond, nullptr);
    HWND hSecond = pSecond->m_hWnd;
    ::SendMessageW(hSecond, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hSecond));
    EXPECT_EQ(g_nChildrenDeleted, 1);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);

    pFirst->DestroyWindow();
    EXPECT_EQ(g_nChildrenDeleted, 2);
    EXPECT_EQ(m_pFrame->MDIGetActive(), nullptr);
}

TEST_F(MdiFrameTest, TheClientTakesTheFrameClientAreaAndDestroyingTheFrameTakesTheChildren)
{
    NewChild(L"One");
    NewChild(L"Two");
    m_pFrame->RecalcLayout();
    CRect rcFrame, rcClient;
    m_pFrame->GetClientRect(&rcFrame);
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rcClient);
    m_pFrame->ScreenToClient(&rcClient);
    EXPECT_EQ(rcClient, rcFrame);

    m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
    PumpPending();
    EXPECT_EQ(g_nChildrenDeleted, 2);
}
