#include "toolkit/commandbars/FrameWnd.h"

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/KeyBindings.h"

IMPLEMENT_DYNCREATE(CTKPFrameWnd, CFrameWnd)

CTKPFrameWnd::CTKPFrameWnd() : m_pCommandBars(NULL) {}

CTKPFrameWnd::~CTKPFrameWnd()
{
    if (m_pCommandBars != NULL)
        m_pCommandBars->InternalRelease();
    m_pCommandBars = NULL;
}

BOOL CTKPFrameWnd::IsCommandBarEdit(HWND hWnd)
{
    static CRuntimeClass* s_pEditClass = CRuntimeClass::FromName("CTKPEdit");
    if (s_pEditClass == NULL || hWnd == NULL)
        return FALSE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != NULL && pWnd->IsKindOf(s_pEditClass);
}

BOOL CTKPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (tkpframe::IsKeyForCommandBarEdit(pMsg))
        return FALSE;
    if (CFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return m_pCommandBars != NULL && m_pCommandBars->PreTranslateFrameMessage(pMsg);
}

BOOL CTKPFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pCommandBars != NULL && m_pCommandBars->OnFrameWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    if (message != TKPM_CONTROLNOTIFY)
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    return tkpframe::RouteControlNotify(this, lParam, pResult);
}

BOOL CTKPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    tkpframe::OnFrameLoaded(this, m_pCommandBars);
    return TRUE;
}

void CTKPFrameWnd::OnSetPreviewMode(BOOL bPreview, void* pState)
{
    if (m_pCommandBars != NULL)
        m_pCommandBars->SetPreviewMode(bPreview);
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
}

// --- Shared by the frames with command bars -----------------------------------------------------

BOOL tkpframe::IsKeyForCommandBarEdit(const MSG* pMsg)
{
    // The edit box of a command bar gets every key but Enter, Tab and Escape.
    return pMsg->message >= WM_KEYDOWN && pMsg->message <= 0x108 && pMsg->wParam != VK_RETURN &&
        pMsg->wParam != VK_TAB && pMsg->wParam != VK_ESCAPE && CTKPFrameWnd::IsCommandBarEdit(::GetFocus());
}

BOOL tkpframe::RouteControlNotify(CCmdTarget* pFrame, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader == NULL)
        return FALSE;
    LRESULT lResult = 0;
    AFX_NOTIFY notify;
    notify.pResult = &lResult;
    notify.pNMHDR = pHeader;
    if (!pFrame->OnCmdMsg((UINT)pHeader->idFrom, MAKELONG(pHeader->code, WM_NOTIFY), &notify, NULL))
        return FALSE;
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

void tkpframe::OnFrameLoaded(CFrameWnd* pFrame, CTKPCommandBars* pCommandBars)
{
    if (pCommandBars != NULL && pCommandBars->GetKeyBindings()->IsLoaded())
        pFrame->m_hAccelTable = NULL;
}
