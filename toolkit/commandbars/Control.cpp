#include "toolkit/commandbars/Control.h"

#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/SoundPlayer.h"
#include "toolkit/commandbars/customize/CustomizeDropSource.h"

IMPLEMENT_SERIAL(CTKPControl, CCmdTarget, VERSIONABLE_SCHEMA | 16)

CTKPControl::CTKPControl()
    : m_nTag(0), m_nIndex(0), m_nId(0), m_nIconId(0), m_nCustomIconId(0), m_bWrap(FALSE), m_bBeginGroup(FALSE),
      m_bEnabled(TRUE), m_bChecked(0), m_nSelected(0), m_bPressed(0), m_bTemporary(FALSE), m_rcRow(0, 0, 0, 0),
      m_rcControl(0, 0, 0, 0), m_dwHideFlags(0), m_dwFlags(0), m_pControls(NULL), m_controlType(tkpControlBare),
      m_pParent(NULL), m_bExpanded(FALSE), m_bDefaultItem(FALSE), m_nStyle(0), m_nCustomStyle(0),
      m_bCloseSubMenuOnClick(TRUE)
{
    EnableAutomation();
}

CTKPControl::~CTKPControl() {}

// --- Texts and identity -------------------------------------------------------------------------

void CTKPControl::SetCaption(LPCTSTR lpszCaption)
{
    CString strCaption = lpszCaption != NULL ? lpszCaption : L"";
    const int nTab = strCaption.Find(L'\t');
    if (nTab >= 0) {
        m_strShortcutTextAuto = strCaption.Mid(nTab + 1);
        strCaption = strCaption.Left(nTab);
    }
    if (strCaption != m_strCaption) {
        m_strCaption = strCaption;
        DelayLayoutParent();
    }
}

void CTKPControl::SetCustomCaption(LPCTSTR lpszCaption)
{
    CString strCaption = lpszCaption != NULL ? lpszCaption : L"";
    if (strCaption != m_strCustomCaption) {
        m_strCustomCaption = strCaption;
        DelayLayoutParent();
    }
}

void CTKPControl::SetPrompt(LPCTSTR lpszPrompt)
{
    CString strPrompt = lpszPrompt != NULL ? lpszPrompt : L"";
    if (strPrompt.IsEmpty())
        return;
    const int nNewLine = strPrompt.Find(L'\n');
    if (nNewLine >= 0) {
        m_strTooltipText = strPrompt.Mid(nNewLine + 1);
        m_strDescriptionText = strPrompt.Left(nNewLine);
    } else {
        m_strTooltipText = strPrompt;
        m_strDescriptionText = strPrompt;
    }
    if (m_strCaption.IsEmpty())
        m_strCaption = m_strTooltipText;
}

void CTKPControl::SetID(int nId)
{
    if (nId != m_nId) {
        CString strPrompt;
        if (nId > 0 && GetResourceManager()->LoadString(&strPrompt, (UINT)nId))
            SetPrompt(strPrompt);
    }
    m_nId = nId;
}

int CTKPControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId >= 1)
        return m_nIconId;
    return m_nId;
}

void CTKPControl::SetDefaultItem(BOOL bDefault)
{
    if (bDefault != m_bDefaultItem) {
        m_bDefaultItem = bDefault;
        DelayLayoutParent();
    }
}

void CTKPControl::SetRarelyUsed(BOOL bRarelyUsed)
{
    m_bExpanded = bRarelyUsed;
    if (!bRarelyUsed && (m_dwHideFlags & tkpHideExpand))
        SetHideFlags(m_dwHideFlags & ~tkpHideExpand);
}

void CTKPControl::SetChecked(int nChecked)
{
    if (nChecked != m_bChecked) {
        m_bChecked = nChecked;
        DelayRedrawParent();
    }
}

// --- Overridable operations ---------------------------------------------------------------------

void CTKPControl::SetBeginGroup(BOOL bBeginGroup)
{
    m_bBeginGroup = bBeginGroup;
    DelayLayoutParent();
}

void CTKPControl::SetEnabled(BOOL bEnabled)
{
    if (bEnabled != m_bEnabled) {
        m_bEnabled = bEnabled;
        DelayRedrawParent();
    }
}

BOOL CTKPControl::IsCaptionVisible()
{
    if (m_pParent != NULL && m_pParent->GetType() == tkpBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle()) {
    case 1:
    case 3:
        return TRUE;
    case 2:
        return FALSE;
    }
    switch (m_controlType) {
    case tkpControlButton:
    case tkpControlButtonPopup:
    case tkpControlSplitButtonPopup:
        return GetImage(0) == NULL;
    case tkpControlPopup:
    case tkpControlLabel:
        return TRUE;
    }
    return FALSE;
}

BOOL CTKPControl::Compare(CTKPControl* pOther)
{
    if (pOther == NULL)
        return FALSE;
    return GetStyle() == pOther->GetStyle() && m_controlType == pOther->m_controlType && m_nId == pOther->m_nId &&
        m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
        GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
        m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
        m_strCustomCaption == pOther->m_strCustomCaption && m_nCustomStyle == pOther->m_nCustomStyle &&
        m_strParameter == pOther->m_strParameter;
}

void CTKPControl::Copy(CTKPControl* pSource, BOOL bRecursive)
{
    if (pSource == NULL || pSource == this)
        return;
    m_nId = pSource->m_nId;
    m_nTag = pSource->m_nTag;
    m_dwFlags = pSource->m_dwFlags;
    m_controlType = pSource->m_controlType;
    m_strCaption = pSource->m_strCaption;
    m_strShortcutText = pSource->m_strShortcutText;
    m_strShortcutTextAuto = pSource->m_strShortcutTextAuto;
    m_strTooltipText = pSource->m_strTooltipText;
    m_strDescriptionText = pSource->m_strDescriptionText;
    m_strParameter = pSource->m_strParameter;
    m_nCustomIconId = pSource->m_nCustomIconId;
    m_nIconId = pSource->m_nIconId;
    m_bTemporary = pSource->m_bTemporary;
    m_strCustomCaption = pSource->m_strCustomCaption;
    m_strCategory = pSource->m_strCategory;
    m_dwHideFlags = pSource->m_dwHideFlags;
    m_bDefaultItem = pSource->m_bDefaultItem;
    m_bEnabled = pSource->m_bEnabled;
    m_bChecked = pSource->m_bChecked;
    m_nCustomStyle = pSource->m_nCustomStyle;
    m_nStyle = pSource->m_nStyle;
    m_bBeginGroup = pSource->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pSource->m_bCloseSubMenuOnClick;

    m_mapDocTemplatesAssigned.RemoveAll();
    m_mapDocTemplatesExcluded.RemoveAll();
    UINT nKey;
    BOOL bValue;
    for (POSITION pos = pSource->m_mapDocTemplatesAssigned.GetStartPosition(); pos != NULL;) {
        pSource->m_mapDocTemplatesAssigned.GetNextAssoc(pos, nKey, bValue);
        m_mapDocTemplatesAssigned.SetAt(nKey, bValue);
    }
    for (POSITION pos = pSource->m_mapDocTemplatesExcluded.GetStartPosition(); pos != NULL;) {
        pSource->m_mapDocTemplatesExcluded.GetNextAssoc(pos, nKey, bValue);
        m_mapDocTemplatesExcluded.SetAt(nKey, bValue);
    }
}

CTKPControl* CTKPControl::Clone(BOOL bRecursive)
{
    CTKPControl* pClone = static_cast<CTKPControl*>(GetRuntimeClass()->CreateObject());
    if (pClone != NULL)
        pClone->Copy(this, bRecursive);
    return pClone;
}

CSize CTKPControl::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawControl(pDC, this, FALSE);
}

void CTKPControl::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControl(pDC, this, TRUE);
}

CTKPImageIcon* CTKPControl::GetImage(int nWidth)
{
    const int nIconId = GetIconId();
    if (nIconId <= 0)
        return NULL;
    CTKPImageManager* pImageManager = GetImageManager();
    return pImageManager != NULL ? pImageManager->GetImage((UINT)nIconId, nWidth) : NULL;
}

BOOL CTKPControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CTKPControl::OnMouseHover()
{
    CTKPCommandBar* pParent = m_pParent;
    if (pParent == NULL)
        return;
    const BOOL bWasOpen = pParent->GetPopupedIndex() != -1;
    pParent->SetPopuped(-1, FALSE);
    if (bWasOpen && pParent->GetTrackingMode() == CTKPCommandBar::trackingPopup &&
        pParent->GetPosition() != tkpBarPopup)
        pParent->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
}

BOOL CTKPControl::SetSelected(int nSelected)
{
    if (nSelected == m_nSelected)
        return FALSE;
    if (nSelected == 2 && m_pParent != NULL)
        m_pParent->SetPopuped(-1, FALSE);
    m_nSelected = nSelected;
    if (m_pParent != NULL)
        m_pParent->OnControlSelected(nSelected, this);
    DelayRedrawParent();
    return TRUE;
}

void CTKPControl::OnCustomizeDragOver(CTKPControl* pDragged, CPoint point, DWORD& dropEffect)
{
    if (m_pParent != NULL) {
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
    }
}

void CTKPControl::OnCustomizeMouseDown(CPoint point)
{
    CTKPCommandBars* pCommandBars = m_pParent != NULL ? m_pParent->GetCommandBars() : NULL;
    if (pCommandBars == NULL)
        return;
    if (pCommandBars->GetDragControl() == this && IsCustomizeResizeAllow() && CustomizeStartResize(point))
        return;
    pCommandBars->SetDragControl(this);
    CTKPCustomizeDropSource* pDropSource = pCommandBars->GetDropSource();
    if (pDropSource == NULL)
        return;
    CTKPRefHolder holdControl(this);
    CTKPCommandBar* pBar = m_pParent;
    CTKPRefHolder holdBar(pBar);
    const int nResult = pDropSource->DoDragDrop(this, FALSE);
    if (nResult != CTKPCommandBar::dropNone && nResult != CTKPCommandBar::dropMove) {
        // Copied or cancelled: the control stays; the drag control is what the drop made it.
        pCommandBars->SetDragControl(pCommandBars->GetDragControl());
        return;
    }
    if (pBar == NULL || m_pControls == NULL)
        return;
    pBar->SetPopuped(-1, FALSE);
    pBar->SetSelected(-1, FALSE);
    if (pCommandBars->GetDragControl() == this)
        pCommandBars->SetDragControl(NULL);
    CTKPControls* pControls = m_pControls;
    const int nCount = pControls->GetCount();
    if (m_bBeginGroup && m_nIndex < nCount - 1)
        pControls->GetAt(m_nIndex + 1)->SetBeginGroup(TRUE);
    if (m_nIndex == 0 && nCount > 1)
        pControls->GetAt(1)->SetBeginGroup(FALSE);
    pControls->Remove(this);
    pBar->OnRecalcLayout();
    pCommandBars->SetDragControl(pCommandBars->GetDragControl());
}

// --- Relations ----------------------------------------------------------------------------------

CTKPImageManager* CTKPControl::GetImageManager() const
{
    if (m_pParent != NULL)
        return m_pParent->GetImageManager();
    CTKPCommandBars* pCommandBars = m_pControls != NULL ? m_pControls->GetCommandBars() : NULL;
    if (pCommandBars != NULL)
        return pCommandBars->GetImageManager();
    return TKPGetImageManager();
}

CTKPCommandBarsTheme* CTKPControl::GetPaintManager() const
{
    if (m_pParent != NULL)
        return m_pParent->GetPaintManager();
    CTKPCommandBars* pCommandBars = m_pControls != NULL ? m_pControls->GetCommandBars() : NULL;
    if (pCommandBars != NULL)
        return pCommandBars->GetPaintManager();
    return CTKPCommandBarsTheme::GetGlobalTheme();
}

BOOL CTKPControl::IsCustomizeMode() const
{
    return m_pParent != NULL && m_pParent->IsCustomizeMode();
}

void CTKPControl::DelayLayoutParent()
{
    if (m_pParent != NULL)
        m_pParent->m_nStateFlags |= CTKPCommandBar::stateLayoutDirty;
}

void CTKPControl::DelayRedrawParent()
{
    if (m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
        m_pParent->DelayRedraw();
}

void CTKPControl::RedrawParent()
{
    if (m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
        m_pParent->InvalidateRect(NULL, FALSE);
}

LRESULT CTKPControl::NotifySite(UINT nCode)
{
    if (m_pParent == NULL)
        return 0;
    CWnd* pSite = m_pParent->GetOwnerSite();
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return 0;
    NMTKPCONTROL nm;
    nm.hdr.hwndFrom = NULL;
    nm.hdr.idFrom = (UINT_PTR)m_nId;
    nm.hdr.code = nCode;
    nm.pControl = this;
    return ::SendMessageW(pSite->GetSafeHwnd(), TKPM_CONTROLNOTIFY, (WPARAM)m_nId, (LPARAM)&nm);
}

BOOL CTKPControl::IsCursorOver() const
{
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    m_pParent->ScreenToClient(&pt);
    return m_rcControl.PtInRect(pt);
}

// --- Execution ----------------------------------------------------------------------------------

void CTKPControl::ClosePopupsOnExecute(CTKPCommandBar* pRoot, CTKPCommandBars* pCommandBars)
{
    if (pRoot != NULL && pRoot->IsNestedTracking())
        pRoot->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    else if (pCommandBars != NULL)
        pCommandBars->ClosePopups();
    else
        CTKPMouseTracker::GetThreadTracker()->CloseAll();
}

void CTKPControl::OnExecute()
{
    TKPGetSoundPlayer()->Play(CTKPSoundPlayer::soundMenuCommand);
    m_bPressed = 2;
    CTKPCommandBar* pParent = m_pParent;
    if (pParent == NULL)
        return;

    // The command's handler may release this control (a menu switch) or destroy the bar: every
    // object used after the notification is held until the end.
    CTKPRefHolder holdThis(this);
    CTKPRefHolder holdParent(pParent);
    CTKPCommandBar* pRoot = pParent->GetRootParent();
    CTKPRefHolder holdRoot(pRoot != pParent ? pRoot : NULL);
    CWnd* pSite = pParent->GetOwnerSite();
    CTKPCommandBars* pCommandBars = pParent->GetCommandBars();
    const int nId = m_nId;

    if (pRoot != NULL && pRoot->GetReturnCmd() != NULL) {
        UINT* pReturnCmd = pRoot->GetReturnCmd();
        ClosePopupsOnExecute(pRoot, pCommandBars);
        *pReturnCmd = (UINT)nId;
        return;
    }

    NMTKPCONTROL nm;
    nm.hdr.hwndFrom = NULL;
    nm.hdr.idFrom = (UINT_PTR)nId;
    nm.hdr.code = TKPN_EXECUTE;
    nm.pControl = this;

    if (pCommandBars != NULL) {
        if (nId != 0)
            pCommandBars->SetCommandUsed((UINT)nId);
        CTKPControlPopup* pControlPopup = pParent->GetControlPopup();
        if (pControlPopup != NULL && pControlPopup->GetID() != 0)
            pCommandBars->SetCommandUsed((UINT)pControlPopup->GetID());
    }

    const BOOL bCloseSubMenu = m_bCloseSubMenuOnClick;
    if (bCloseSubMenu)
        ClosePopupsOnExecute(pRoot, pCommandBars);

    if (nId == 0 || pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return;
    const HWND hWndSite = pSite->GetSafeHwnd();
    const LRESULT lResult = ::SendMessageW(hWndSite, TKPM_CONTROLNOTIFY, (WPARAM)nId, (LPARAM)&nm);
    if (lResult == 0 && ::IsWindow(hWndSite))
        ::SendMessageW(hWndSite, WM_COMMAND, MAKEWPARAM((WORD)nId, 0), 0);
    if (!bCloseSubMenu && pParent->GetSafeHwnd() != NULL && ::IsWindow(pParent->GetSafeHwnd())) {
        pParent->OnIdleUpdateCmdUI(FALSE, 0);
        RedrawParent();
    }
}

// --- The press-and-hold loop --------------------------------------------------------------------

BOOL CTKPControl::TrackClick(CRect rcTrack)
{
    CTKPCommandBar* pParent = m_pParent;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return FALSE;
    if (rcTrack.IsRectEmpty())
        rcTrack = m_rcControl;
    CTKPRefHolder holdThis(this);
    CTKPRefHolder holdParent(pParent);
    const HWND hWndParent = pParent->GetSafeHwnd();

    pParent->SetSelected(m_nIndex, FALSE);
    m_bPressed = 1;
    RedrawParent();
    ::SetCapture(hWndParent);

    CPoint ptLast(0, 0);
    BOOL bReleasedInside = FALSE;
    MSG msg;
    for (;;) {
        const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0 || bGot == -1) {
            // The program is ending: the quit message goes back to the main loop.
            if (bGot == 0)
                ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint pt(LOWORD(msg.lParam), HIWORD(msg.lParam));
            ptLast = pt;
            if (SetSelected(m_rcControl.PtInRect(pt) ? 1 : 0))
                RedrawParent();
            continue;
        }
        if (msg.message == WM_LBUTTONUP) {
            bReleasedInside = m_nSelected != 0 && (ptLast == CPoint(0, 0) || rcTrack.PtInRect(ptLast));
            break;
        }
        ::DispatchMessageW(&msg);
        if (::GetCapture() != hWndParent)
            break;
    }
    if (::GetCapture() == hWndParent)
        ::ReleaseCapture();
    if (!::IsWindow(hWndParent))
        return FALSE;
    if (m_nSelected) {
        pParent->SetSelected(-1, FALSE);
        m_nSelected = 0;
        pParent->SetLastClicked(m_nIndex);
    }
    m_bPressed = 0;
    DelayRedrawParent();
    if (bReleasedInside)
        OnExecute();
    return bReleasedInside;
}

// --- Customisation resize -----------------------------------------------------------------------

void CTKPControl::UpdateCustomizeCursor(CPoint point)
{
    if (!IsCustomizeMode() || !IsCustomizeResizeAllow() || !m_rcControl.PtInRect(point))
        return;
    if (point.x - m_rcControl.left <= 2 || m_rcControl.right - point.x <= 2) {
        HCURSOR hCursor = GetResourceManager()->LoadCursor(9972);
        ::SetCursor(hCursor != NULL ? hCursor : ::LoadCursorW(NULL, IDC_SIZEWE));
    }
}

int CTKPControl::ClampResizeEdge(BOOL bLeftEdge, int nNewEdge, const CRect& rc, int nMinWidth)
{
    if (bLeftEdge)
        return nNewEdge > rc.right - nMinWidth ? rc.right - nMinWidth : nNewEdge;
    return nNewEdge < rc.left + nMinWidth ? rc.left + nMinWidth : nNewEdge;
}

namespace {

void InvertFrame(HDC hdc, const CRect& rc)
{
    const RECT bands[] = {{rc.left, rc.top, rc.right, rc.top + 2}, {rc.left, rc.bottom - 2, rc.right, rc.bottom},
        {rc.left, rc.top + 2, rc.left + 2, rc.bottom - 2}, {rc.right - 2, rc.top + 2, rc.right, rc.bottom - 2}};
    for (const RECT& band : bands)
        ::InvertRect(hdc, &band);
}

}  // namespace

BOOL CTKPControl::CustomizeStartResize(CPoint point)
{
    CTKPCommandBar* pParent = m_pParent;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL || !m_rcControl.PtInRect(point))
        return FALSE;
    if (point.x - m_rcControl.left > 2 && m_rcControl.right - point.x > 2)
        return FALSE;
    CTKPCommandBars* pCommandBars = pParent->GetCommandBars();
    CTKPRefHolder holdThis(this);
    CTKPRefHolder holdParent(pParent);
    if (pCommandBars != NULL)
        pCommandBars->m_pDragSelected = NULL;
    pParent->Invalidate();
    pParent->UpdateWindow();

    CRect rc = m_rcControl;
    pParent->ClientToScreen(&rc);
    const HWND hWndParent = pParent->GetSafeHwnd();
    ::SetCapture(hWndParent);
    HCURSOR hCursor = GetResourceManager()->LoadCursor(9972);
    ::SetCursor(hCursor != NULL ? hCursor : ::LoadCursorW(NULL, IDC_SIZEWE));

    HWND hWndDesktop = ::GetDesktopWindow();
    const BOOL bLocked = ::LockWindowUpdate(hWndDesktop);
    HDC hdc = ::GetDCEx(hWndDesktop, NULL, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    InvertFrame(hdc, rc);

    const BOOL bLeftEdge = point.x - m_rcControl.left < 3;
    CPoint ptStart = point;
    pParent->ClientToScreen(&ptStart);
    const int nOffset = (bLeftEdge ? rc.left : rc.right) - ptStart.x;
    const int nMinWidth = GetCustomizeMinWidth();
    const CRect rcOriginal = rc;
    BOOL bAccepted = FALSE;
    MSG msg;
    while (::GetCapture() == hWndParent) {
        const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0 || bGot == -1) {
            if (bGot == 0)
                ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(hWndParent, &pt);
            InvertFrame(hdc, rc);
            if (bLeftEdge)
                rc.left = ClampResizeEdge(TRUE, pt.x + nOffset, rc, nMinWidth);
            else
                rc.right = ClampResizeEdge(FALSE, pt.x + nOffset, rc, nMinWidth);
            InvertFrame(hdc, rc);
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            break;
        } else if (msg.message == WM_LBUTTONUP) {
            bAccepted = TRUE;
            break;
        } else {
            ::DispatchMessageW(&msg);
        }
    }
    InvertFrame(hdc, rc);
    if (::GetCapture() == hWndParent)
        ::ReleaseCapture();
    ::LockWindowUpdate(NULL);
    ::ReleaseDC(hWndDesktop, hdc);
    if (pCommandBars != NULL)
        pCommandBars->m_pDragSelected = this;
    if (!::IsWindow(hWndParent))
        return TRUE;
    if (bAccepted && rc.Width() != rcOriginal.Width()) {
        SetWidth(rc.Width());
        pParent->OnRecalcLayout();
    }
    pParent->m_nStateFlags &= ~CTKPCommandBar::stateRedrawPending;
    if (pParent->GetRedrawLock() == 0)
        pParent->Invalidate(FALSE);
    return TRUE;
}

// --- Accessibility ------------------------------------------------------------------------------

namespace {

HRESULT ReturnString(const CString& str, BSTR* pbstr)
{
    if (pbstr == NULL)
        return E_INVALIDARG;
    *pbstr = ::SysAllocString(str);
    return *pbstr != NULL ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

STDMETHODIMP CTKPControl::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_INVALIDARG;
    *ppdispParent = NULL;
    if (m_pParent == NULL)
        return S_FALSE;
    *ppdispParent = m_pParent->GetAccessible();
    if (*ppdispParent == NULL)
        return S_FALSE;
    (*ppdispParent)->AddRef();
    return S_OK;
}

STDMETHODIMP CTKPControl::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == NULL)
        return E_INVALIDARG;
    *pcountChildren = GetCommandBar() != NULL ? 1 : 0;
    return S_OK;
}

STDMETHODIMP CTKPControl::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_INVALIDARG;
    *ppdispChild = NULL;
    if (GetChildIndex(&varChild) != 1 || GetCommandBar() == NULL)
        return E_INVALIDARG;
    *ppdispChild = GetCommandBar()->GetAccessible();
    if (*ppdispChild == NULL)
        return S_FALSE;
    (*ppdispChild)->AddRef();
    return S_OK;
}

STDMETHODIMP CTKPControl::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    CString strName = GetCaption();
    CTKPDrawingHelper::StripMnemonics(strName);
    const CString strShortcut = GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += L"\t" + strShortcut;
    return ReturnString(strName, pszName);
}

STDMETHODIMP CTKPControl::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return ReturnString(GetDescription(), pszDescription);
}

STDMETHODIMP CTKPControl::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    if (m_pParent != NULL && m_pParent->GetType() == tkpBarTypeNormal)
        pvarRole->lVal = GetCommandBar() != NULL ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    else
        pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    return S_OK;
}

STDMETHODIMP CTKPControl::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    long lState = m_nSelected
        ? (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED)
        : STATE_SYSTEM_FOCUSABLE;
    if ((m_pParent != NULL && !m_pParent->IsWindowVisible()) || m_dwHideFlags != 0)
        lState |= STATE_SYSTEM_INVISIBLE;
    if (!m_bEnabled)
        lState |= STATE_SYSTEM_UNAVAILABLE;
    if (m_bChecked)
        lState |= STATE_SYSTEM_CHECKED;
    if (m_bPressed)
        lState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar() != NULL)
        lState |= STATE_SYSTEM_HASPOPUP;
    pvarState->vt = VT_I4;
    pvarState->lVal = lState;
    return S_OK;
}

STDMETHODIMP CTKPControl::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return ReturnString(L"Click", pszDefaultAction);
}

STDMETHODIMP CTKPControl::accDoDefaultAction(VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    OnClick(TRUE, CPoint(0, 0));
    return S_OK;
}

STDMETHODIMP CTKPControl::accSelect(long flagsSelect, VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF || m_pParent == NULL)
        return E_INVALIDARG;
    m_pParent->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    m_pParent->SetSelected(m_nIndex, TRUE);
    return S_OK;
}

STDMETHODIMP CTKPControl::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL ||
        GetChildIndex(&varChild) != CHILDID_SELF || m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return E_INVALIDARG;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

STDMETHODIMP CTKPControl::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL || m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return E_INVALIDARG;
    CPoint pt(xLeft, yTop);
    m_pParent->ScreenToClient(&pt);
    if (!m_rcControl.PtInRect(pt)) {
        pvarChild->vt = VT_EMPTY;
        return S_FALSE;
    }
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
