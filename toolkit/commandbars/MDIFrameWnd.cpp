#include "toolkit/commandbars/MDIFrameWnd.h"

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/FrameWnd.h"
#include "toolkit/commandbars/MenuBar.h"

IMPLEMENT_DYNCREATE(CTKPMDIFrameWnd, CMDIFrameWnd)

CTKPMDIFrameWnd::CTKPMDIFrameWnd() : m_pCommandBars(NULL) {}

CTKPMDIFrameWnd::~CTKPMDIFrameWnd()
{
    if (m_pCommandBars != NULL)
        m_pCommandBars->InternalRelease();
    m_pCommandBars = NULL;
}

BOOL CTKPMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (tkpframe::IsKeyForCommandBarEdit(pMsg))
        return FALSE;
    if (CMDIFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return m_pCommandBars != NULL && m_pCommandBars->PreTranslateFrameMessage(pMsg);
}

BOOL CTKPMDIFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pCommandBars != NULL && m_pCommandBars->OnFrameWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    if (message != TKPM_CONTROLNOTIFY)
        return CMDIFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    return tkpframe::RouteControlNotify(this, lParam, pResult);
}

BOOL CTKPMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWnd* pClient = CWnd::FromHandlePermanent(m_hWndMDIClient);
    return pClient != NULL && pClient->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CTKPMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    tkpframe::OnFrameLoaded(this, m_pCommandBars);
    return TRUE;
}

void CTKPMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_pCommandBars == NULL || m_pCommandBars->GetMenuBar() == NULL || ::GetMenu(m_hWnd) != NULL) {
        CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
        return;
    }
    CMDIChildWnd* pActive = MDIGetActive();
    HMENU hMenu = pActive != NULL && pActive->m_hMenuShared != NULL ? pActive->m_hMenuShared : hMenuAlt;
    if (hMenu == NULL)
        hMenu = m_hMenuDefault;
    MDISetMenu(hMenu, hMenu != NULL ? GetWindowMenuPopup(hMenu) : NULL);
}

CTKPCommandBars* TKPGetFrameCommandBars(CWnd* pFrame)
{
    if (pFrame == NULL)
        return NULL;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CTKPMDIFrameWnd)))
        return static_cast<CTKPMDIFrameWnd*>(pFrame)->GetCommandBars();
    if (pFrame->IsKindOf(RUNTIME_CLASS(CTKPFrameWnd)))
        return static_cast<CTKPFrameWnd*>(pFrame)->GetCommandBars();
    return NULL;
}
