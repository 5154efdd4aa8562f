#include "toolkit/commandbars/PopupShadows.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ShadowPixels.h"
#include "toolkit/commandbars/ShadowWindow.h"
#include "toolkit/commandbars/WindowHookManager.h"

namespace {

int g_nSystemDropShadow = -1;
BOOL g_bLayeredEnabled = TRUE;

CTKPPopupShadows g_popupShadows;

}  // namespace

CTKPPopupShadows* TKPGetPopupShadows()
{
    return &g_popupShadows;
}

BOOL IsLayeredShadowAvailable()
{
    return g_bLayeredEnabled && g_popupShadows.m_pfnUpdateLayeredWindow != NULL;
}

void CTKPPopupShadows::SetSystemDropShadow(int nSetting)
{
    g_nSystemDropShadow = nSetting;
}

void CTKPPopupShadows::EnableLayeredShadows(BOOL bEnable)
{
    g_bLayeredEnabled = bEnable;
}

CTKPPopupShadows::CTKPPopupShadows() : m_pfnUpdateLayeredWindow(NULL), m_lstShadows(10)
{
    HMODULE hUser = ::GetModuleHandleW(L"USER32");
    if (hUser != NULL)
        m_pfnUpdateLayeredWindow =
            reinterpret_cast<UpdateLayeredWindowFunc>(::GetProcAddress(hUser, "UpdateLayeredWindow"));
}

CTKPPopupShadows::~CTKPPopupShadows()
{
    // At the end of the program the windows went with their owners; only the list is freed.
    m_lstShadows.RemoveAll();
}

BOOL CTKPPopupShadows::IsSystemDropShadowOn()
{
    if (g_nSystemDropShadow != -1)
        return g_nSystemDropShadow != 0;
    BOOL bDropShadow = FALSE;
    if (!::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bDropShadow, 0))
        return FALSE;
    return bDropShadow;
}

void CTKPPopupShadows::CreateShadows(CTKPCommandBar* pPopup, const RECT& rcExclude)
{
    if (pPopup == NULL || pPopup->GetSafeHwnd() == NULL || pPopup->IsCustomizeMode())
        return;
    CTKPCommandBarsTheme* pTheme = pPopup->GetPaintManager();
    if (pTheme == NULL)
        return;
    if (pTheme->GetShadowQuery() == 0 && !(IsLayeredShadowAvailable() && IsSystemDropShadowOn()))
        return;
    CRect rcWindow;
    pPopup->GetWindowRect(&rcWindow);
    CreateShadow(TRUE, rcWindow, CRect(rcExclude), pPopup);
    CreateShadow(FALSE, rcWindow, CRect(rcExclude), pPopup);
}

void CTKPPopupShadows::CreateControlShadows(CTKPControl* pControl)
{
    if (pControl == NULL || pControl->IsCustomizeMode())
        return;
    CTKPCommandBar* pParent = pControl->GetParent();
    CTKPCommandBar* pOwner = pControl->GetCommandBar();
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL || pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return;
    CTKPCommandBarsTheme* pTheme = pControl->GetPaintManager();
    if (pTheme == NULL || pTheme->GetShadowQuery() == 0)
        return;
    CRect rc = pControl->GetRect();
    pParent->ClientToScreen(&rc);
    CreateShadow(TRUE, rc, CRect(0, 0, 0, 0), pOwner);
    CreateShadow(FALSE, rc, CRect(0, 0, 0, 0), pOwner);
}

void CTKPPopupShadows::CreateShadow(BOOL bBottom, const CRect& rcWindow, const CRect& rcExclude, CTKPCommandBar* pOwner)
{
    CTKPCommandBarsTheme* pTheme = pOwner->GetPaintManager();
    // With the theme's shadow switch off nothing at all is made: a shadow object without its window
    // would still be listed and hook its popup for nothing.
    if (pTheme == NULL || !pTheme->m_bShowShadow)
        return;
    const int nForced = pTheme->GetShadowQuery();
    CTKPShadowWindow* pShadow = new CTKPShadowWindow(bBottom, nForced, pOwner);
    if (!pShadow->CreateShadowWindow(pOwner->GetSite())) {
        delete pShadow;
        return;
    }

    const int d = IsLayeredShadowAvailable() ? TKP_SHADOW_LAYERED_SIZE : TKP_SHADOW_PLAIN_SIZE;
    CRect rcStrip = bBottom ? CRect(rcWindow.left + d, rcWindow.bottom, rcWindow.right + d, rcWindow.bottom + d)
                            : CRect(rcWindow.right, rcWindow.top + d, rcWindow.right + d, rcWindow.bottom);

    // Strips of cascaded popups that meet are joined.
    for (POSITION pos = m_lstShadows.GetHeadPosition(); pos != NULL;) {
        CTKPShadowWindow* pOther = m_lstShadows.GetNext(pos);
        if (pOther->IsBottom() == bBottom || pOther->GetSafeHwnd() == NULL)
            continue;
        CRect O;
        pOther->GetWindowRect(&O);
        if (bBottom) {
            if (rcStrip.left == O.right - 1 && O.top < rcStrip.top && rcStrip.bottom < O.bottom)
                rcStrip.left += 2 * (O.left - O.right) - 1;
        } else {
            if (rcStrip.top == O.bottom - 1 && O.left < rcStrip.right && rcStrip.right < O.right)
                rcStrip.top += 2 * (O.top - O.bottom);
        }
    }
    pShadow->SetWindowPos(NULL, rcStrip.left, rcStrip.top, rcStrip.Width(), rcStrip.Height(),
        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    m_lstShadows.AddTail(pShadow);

    // No strip covers the opener (when the theme wants shadows always) or any popup.
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, rcStrip.Width(), rcStrip.Height());
    BOOL bCut = FALSE;
    auto cut = [&](const CRect& rcScreen) {
        CRect rcHit;
        if (!rcHit.IntersectRect(rcStrip, rcScreen))
            return;
        rcHit.OffsetRect(-rcStrip.left, -rcStrip.top);
        CRgn rgnHit;
        rgnHit.CreateRectRgnIndirect(rcHit);
        rgn.CombineRgn(&rgn, &rgnHit, RGN_DIFF);
        bCut = TRUE;
    };
    if (nForced)
        cut(rcExclude);
    for (POSITION pos = m_lstShadows.GetHeadPosition(); pos != NULL;) {
        CTKPShadowWindow* pOther = m_lstShadows.GetNext(pos);
        HWND hOwner = pOther->GetOwnerHwnd();
        CRect rcOwner;
        if (hOwner != NULL && ::GetWindowRect(hOwner, &rcOwner))
            cut(rcOwner);
    }
    if (bCut)
        pShadow->SetWindowRgn(static_cast<HRGN>(rgn.Detach()), FALSE);

    pShadow->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    if (pOwner->GetSafeHwnd() != NULL)
        CTKPWindowHookManager::GetInstance()->SetHook(pOwner->GetSafeHwnd(), pShadow);
}

void CTKPPopupShadows::RemoveShadow(CTKPShadowWindow* pShadow)
{
    POSITION pos = m_lstShadows.Find(pShadow);
    if (pos == NULL)
        return;
    m_lstShadows.RemoveAt(pos);
    if (pShadow->GetSafeHwnd() != NULL)
        pShadow->ShowWindow(SW_HIDE);
    pShadow->ClearOwner();
    if (pShadow->GetSafeHwnd() != NULL)
        pShadow->DestroyWindow();
    delete pShadow;
}

void CTKPPopupShadows::RemoveShadows(CTKPCommandBar* pOwner)
{
    for (POSITION pos = m_lstShadows.GetHeadPosition(); pos != NULL;) {
        CTKPShadowWindow* pShadow = m_lstShadows.GetNext(pos);
        if (pShadow->GetOwnerBar() != pOwner)
            continue;
        if (pShadow->GetOwnerHwnd() != NULL)
            CTKPWindowHookManager::GetInstance()->RemoveHook(pShadow->GetOwnerHwnd(), pShadow);
        RemoveShadow(pShadow);
        pos = m_lstShadows.GetHeadPosition();
    }
}

int CTKPPopupShadows::GetShadowsOf(CTKPCommandBar* pOwner, CTKPShadowWindow** ppShadows, int nMax) const
{
    int n = 0;
    for (POSITION pos = m_lstShadows.GetHeadPosition(); pos != NULL;) {
        CTKPShadowWindow* pShadow = m_lstShadows.GetNext(pos);
        if (pShadow->GetOwnerBar() == pOwner) {
            if (n < nMax)
                ppShadows[n] = pShadow;
            n++;
        }
    }
    return n;
}
