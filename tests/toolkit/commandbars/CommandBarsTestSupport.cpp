#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"

#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ToolBar.h"

CCommandBarsTestApp theTestApp;

IMPLEMENT_DYNCREATE(CTestFrame, CTKPFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CTKPFrameWnd)
ON_WM_CREATE()
ON_WM_SYSCOMMAND()
ON_COMMAND_RANGE(100, 199, OnTestCommand)
ON_UPDATE_COMMAND_UI_RANGE(100, 199, OnUpdateTest)
ON_NOTIFY_RANGE(TKPN_EXECUTE, 100, 199, OnNotifyExecute)
ON_MESSAGE(TKPM_CREATECONTROL, OnCreateControl)
ON_MESSAGE(TKPM_AFTERCREATECONTROL, OnAfterCreateControl)
ON_MESSAGE(TKPM_TOOLBARCONTEXTMENU, OnToolbarContextMenu)
END_MESSAGE_MAP()

CTestFrame::CTestFrame()
    : m_nNotifyAnswer(0), m_nAfterCreateControl(0), m_nUpdates(0), m_bNoToolBar(FALSE), m_pToolBar(NULL)
{}

LRESULT CTestFrame::OnCreateControl(WPARAM, LPARAM lParam)
{
    return m_onCreateControl ? m_onCreateControl(reinterpret_cast<TKPCREATECONTROLSTRUCT*>(lParam)) : 0;
}

LRESULT CTestFrame::OnAfterCreateControl(WPARAM, LPARAM)
{
    ++m_nAfterCreateControl;
    return 0;
}

LRESULT CTestFrame::OnToolbarContextMenu(WPARAM, LPARAM lParam)
{
    if (m_onToolbarContextMenu)
        m_onToolbarContextMenu(reinterpret_cast<CTKPCommandBar*>(lParam));
    return 0;
}

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

void CTestFrame::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == SC_KEYMENU)
        return;
    CTKPFrameWnd::OnSysCommand(nID, lParam);
}

void CTestFrame::OnTestCommand(UINT nID)
{
    m_commands.push_back(nID);
    if (m_onCommand)
        m_onCommand(nID);
}

IMPLEMENT_DYNCREATE(CFakePopupBar, CTKPCommandBar)

int CFakePopupBar::s_nPopups = 0;

CFakePopupBar::CFakePopupBar() : m_pControlPopup(NULL), m_dwPopupFlags(0), m_ptPopup(0, 0)
{
    m_barType = tkpBarTypePopup;
    m_barPosition = tkpBarPopup;
}

CTKPCommandBar* CFakePopupBar::GetParentCommandBar() const
{
    return m_pControlPopup != NULL ? m_pControlPopup->GetParent() : NULL;
}

BOOL CFakePopupBar::Open()
{
    ++s_nPopups;
    if (GetSafeHwnd() == NULL) {
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
        if (!CreateEx(WS_EX_TOOLWINDOW, lpszClass, L"", WS_POPUP, CRect(0, 0, 120, 100), NULL, 0))
            return FALSE;
    }
    SetTrackingMode(trackingPopup, FALSE, FALSE);
    if (m_onOpen)
        m_onOpen(this);
    return TRUE;
}

BOOL CFakePopupBar::Popup(CTKPControlPopup* pControlPopup, BOOL bSelectFirst)
{
    m_pControlPopup = pControlPopup;
    return Open();
}

BOOL CFakePopupBar::PopupAt(int x, int y, LPCRECT lpExclude)
{
    m_ptPopup = CPoint(x, y);
    return Open();
}

BOOL CFakePopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    const BOOL bResult = CTKPCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    if (nMode == trackingNone && bResult) {
        CTKPCommandBar* pParent = GetParentCommandBar();
        if (pParent != NULL)
            pParent->SetPopuped(-1, FALSE);
    }
    return bResult;
}

CFakePopupBarClass::CFakePopupBarClass() : m_pOld(CTKPCommandBars::m_pPopupBarClass)
{
    CTKPCommandBars::m_pPopupBarClass = RUNTIME_CLASS(CFakePopupBar);
}

CFakePopupBarClass::~CFakePopupBarClass()
{
    CTKPCommandBars::m_pPopupBarClass = m_pOld;
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
    if (m_onUpdate)
        m_onUpdate(pCmdUI);
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

void RunIdle(CWnd* pFrame)
{
    PumpPending();
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

HWND CreatePlainWindow(LPCWSTR lpszClassName, WNDPROC pfnWndProc)
{
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(::GetModuleHandleW(NULL), lpszClassName, &wc)) {
        wc.lpfnWndProc = pfnWndProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = lpszClassName;
        ::RegisterClassW(&wc);
    }
    return ::CreateWindowExW(0, lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, ::GetModuleHandleW(NULL), NULL);
}
