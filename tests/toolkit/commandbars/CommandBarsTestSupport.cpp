#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"

#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ToolBar.h"

CCommandBarsTestApp theTestApp;

IMPLEMENT_DYNCREATE(CTestFrame, CTKPFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CTKPFrameWnd)
ON_WM_CREATE()
ON_COMMAND_RANGE(100, 199, OnTestCommand)
ON_UPDATE_COMMAND_UI_RANGE(100, 199, OnUpdateTest)
ON_NOTIFY_RANGE(TKPN_EXECUTE, 100, 199, OnNotifyExecute)
END_MESSAGE_MAP()

CTestFrame::CTestFrame() : m_nNotifyAnswer(0), m_nUpdates(0), m_bNoToolBar(FALSE), m_pToolBar(NULL) {}

BOOL CTestFrame::CreateTestFrame(BOOL bNoToolBar, CRect rc)
{
    m_bNoToolBar = bNoToolBar;
    if (!Create(NULL, L"Command bars test", WS_OVERLAPPEDWINDOW, rc))
        return FALSE;
    // Never shown: under Xvfb every show or hide of a top-level window costs about two seconds.
    RecalcLayout();
    return TRUE;
}

int CTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTKPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CTKPCommandBarsTheme::GetInstalledTheme() == NULL)
        CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeFlat);
    m_pCommandBars = static_cast<CTKPCommandBars*>(RUNTIME_CLASS(CTKPCommandBars)->CreateObject());
    m_pCommandBars->AttachToFrame(this);
    m_pCommandBars->CreateDockBars();
    if (!m_bNoToolBar) {
        m_pToolBar = m_pCommandBars->CreateToolBar(L"Standard", tkpBarTop);
        if (m_pToolBar != NULL)
            m_pToolBar->LoadToolBar(200);
    }
    return 0;
}

void CTestFrame::OnTestCommand(UINT nID)
{
    m_commands.push_back(nID);
}

void CTestFrame::OnNotifyExecute(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    m_notifications.push_back(nID);
    *pResult = m_nNotifyAnswer;
}

void CTestFrame::OnUpdateTest(CCmdUI* pCmdUI)
{
    ++m_nUpdates;
    auto itEnabled = m_enabled.find(pCmdUI->m_nID);
    pCmdUI->Enable(itEnabled == m_enabled.end() || itEnabled->second);
    auto itChecked = m_checked.find(pCmdUI->m_nID);
    if (itChecked != m_checked.end())
        pCmdUI->SetCheck(itChecked->second);
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& pred, DWORD timeout)
{
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeout)
            return false;
        PumpPending();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void RunIdle()
{
    PumpPending();
    theTestApp.OnIdle(0);
}
