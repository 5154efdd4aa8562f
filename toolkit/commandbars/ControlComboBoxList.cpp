#include "toolkit/commandbars/ControlComboBoxList.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ControlComboBox.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/PopupPlacement.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/common/PropExchange.h"

#include <algorithm>

IMPLEMENT_SERIAL(CTKPControlComboBoxList, CTKPPopupBar, VERSIONABLE_SCHEMA | 16)

BEGIN_MESSAGE_MAP(CTKPControlComboBoxList, CTKPPopupBar)
ON_WM_LBUTTONUP()
ON_WM_NCPAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CTKPControlComboBoxList::CTKPControlComboBoxList() : m_nListWidth(0)
{
    m_barPosition = tkpBarListBox;
    m_bShowShadow = FALSE;
}

BOOL CTKPControlComboBoxList::CreateListWindow()
{
    if (GetSafeHwnd() != NULL)
        return TRUE;
    CWnd* pSite = GetCommandBars() != NULL ? GetSite() : NULL;
    const DWORD dwExStyle = WS_EX_STATICEDGE | WS_EX_TOOLWINDOW;
    const DWORD dwStyle =
        m_dwStyle | WS_POPUP | WS_CLIPCHILDREN | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    return CreateEx(dwExStyle, L"LISTBOX", NULL, dwStyle, 0, 0, 0, 0, pSite != NULL ? pSite->GetSafeHwnd() : NULL,
        NULL);
}

CTKPControlComboBox* CTKPControlComboBoxList::GetComboBox() const
{
    return DYNAMIC_DOWNCAST(CTKPControlComboBox, m_pControlPopup);
}

BOOL CTKPControlComboBoxList::IsVisible() const
{
    return GetSafeHwnd() != NULL && ::IsWindowVisible(m_hWnd);
}

// The list box handles its own painting, scrolling and keys; the bar's own handling of those
// would draw controls that the list does not have.
BOOL CTKPControlComboBoxList::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_PAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_MOUSELEAVE:
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_NCHITTEST:
    case WM_NCLBUTTONDOWN:
    case WM_TIMER:
    case WM_HELPHITTEST:
    case WM_GETOBJECT:
    case WM_IDLEUPDATECMDUI:
        return FALSE;
    }
    return CTKPPopupBar::OnWndMsg(message, wParam, lParam, pResult);
}

CSize CTKPControlComboBoxList::CalcListSize(CTKPControlComboBox* pComboBox)
{
    if (GetSafeHwnd() == NULL || pComboBox == NULL)
        return CSize(0, 0);
    const int nCount = (int)SendMessage(LB_GETCOUNT);
    const int nLines = std::min(pComboBox->GetMaxVisibleItems(), std::max(nCount, 1));
    const int nItemHeight = (int)SendMessage(LB_GETITEMHEIGHT, 0);
    const int cx = m_nListWidth >= 1 ? m_nListWidth : pComboBox->GetRect().Width();
    return CSize(cx, nLines * nItemHeight + 4);
}

BOOL CTKPControlComboBoxList::Popup(CTKPControlPopup* pControlPopup, BOOL)
{
    CTKPControlComboBox* pComboBox = DYNAMIC_DOWNCAST(CTKPControlComboBox, pControlPopup);
    if (pComboBox == NULL || pComboBox->GetParent() == NULL || pComboBox->GetParent()->GetSafeHwnd() == NULL)
        return FALSE;
    if (!CreateListWindow())
        return FALSE;
    CTKPRefHolder hold(this);
    CTKPCommandBarsTheme* pTheme = pComboBox->GetPaintManager();
    if (pTheme != NULL)
        SetFont(pTheme->GetIconFont(), FALSE);
    m_pControlPopup = pComboBox;
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(TKPM_INITCOMMANDSPOPUP, 0, reinterpret_cast<LPARAM>(this));
    if (GetSafeHwnd() == NULL)
        return FALSE;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->IsLayoutRTL())
        ModifyStyleEx(WS_EX_LAYOUTRTL, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
    else
        ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR, 0);

    const CSize size = CalcListSize(pComboBox);
    CTKPCommandBar* pParent = pComboBox->GetParent();
    CRect rcExclude = pComboBox->GetRect();
    pParent->ClientToScreen(&rcExclude);
    m_rcExclude = rcExclude;
    m_ptAnchor = CPoint(rcExclude.left, rcExclude.bottom);
    m_popupFlags = TKPPOPUP_DROPDOWN;
    CRect rcWork;
    CTKPDrawingHelper::GetWorkAreaFromRect(&rcWork, &rcExclude);
    BOOL bClipped = FALSE;
    DWORD dwFlags = m_popupFlags;
    const CRect rc = TKPCalcPopupRect(size.cx, size.cy, m_ptAnchor, m_rcExclude, dwFlags, rcWork, &bClipped);
    m_popupFlags = dwFlags;
    SetWindowPos(&CWnd::wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(),
        SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    SetTrackingMode(trackingPopup, FALSE, FALSE);
    pComboBox->OnListShown();
    return TRUE;
}

BOOL CTKPControlComboBoxList::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (nMode != trackingNone)
        return CTKPCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    if (!IsTrackingMode())
        return FALSE;
    // The list is hidden, not destroyed: its window holds the items.
    CTKPRefHolder hold(this);
    CTKPControlComboBox* pComboBox = GetComboBox();
    CTKPCommandBar::SetTrackingMode(trackingNone, bSelectFirst, bKeyboard);
    if (pComboBox != NULL)
        pComboBox->OnListHidden();
    if (GetSafeHwnd() != NULL)
        ShowWindow(SW_HIDE);
    CTKPCommandBar* pParent = pComboBox != NULL ? pComboBox->GetParent() : NULL;
    if (pParent != NULL && pParent->GetPopupedIndex() == pComboBox->GetIndex())
        pParent->SetPopuped(-1, FALSE);
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(TKPM_POPUPCLOSED, 0, reinterpret_cast<LPARAM>(this));
    m_pControlPopup = NULL;
    return TRUE;
}

BOOL CTKPControlComboBoxList::ProcessListKey(CTKPControlComboBox* pComboBox, UINT nChar, LPARAM lParam, BOOL bEditable)
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    const int nOldSel = (int)SendMessage(LB_GETCURSEL);
    if (bEditable) {
        if (bAlt || (nChar != VK_UP && nChar != VK_DOWN && nChar != VK_PRIOR && nChar != VK_NEXT))
            return FALSE;
        SendMessage(WM_KEYDOWN, nChar, lParam);
    } else {
        if ((nChar == VK_F4 && !bAlt) || ((nChar == VK_UP || nChar == VK_DOWN) && bAlt))
            return FALSE;
        MSG msg = {m_hWnd, WM_KEYDOWN, nChar, lParam, 0, {0, 0}};
        if (!::IsDialogMessageW(m_hWnd, &msg))
            SendMessage(WM_KEYDOWN, nChar, lParam);
    }
    if ((int)SendMessage(LB_GETCURSEL) != nOldSel && pComboBox != NULL)
        pComboBox->OnListSelChanged();
    return TRUE;
}

int CTKPControlComboBoxList::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    CTKPControlComboBox* pComboBox = GetComboBox();
    if (pComboBox == NULL)
        return CTKPPopupBar::OnHookKeyDown(nChar, lParam);
    CTKPRefHolder hold(this);
    switch (nChar) {
    case VK_RETURN:
        pComboBox->OnListAccepted();
        return hookHandled;
    case VK_TAB:
        return hookNotHandled;
    case VK_ESCAPE:
        if (pComboBox->IsFocused())
            return hookNotHandled;
        SetTrackingMode(trackingNone, TRUE, FALSE);
        return hookHandled;
    }
    // A focused combo box handles the keys through its bar; an unfocused one's list takes them.
    if (pComboBox->IsFocused())
        return hookNotHandled;
    ProcessListKey(pComboBox, nChar, lParam, FALSE);
    return hookHandled;
}

int CTKPControlComboBoxList::ItemFromPoint(CPoint point) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
        return -1;
    const DWORD dwResult = (DWORD)::SendMessageW(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(dwResult) != 0)
        return -1;
    return (int)LOWORD(dwResult);
}

void CTKPControlComboBoxList::OnMouseMove(UINT, CPoint point)
{
    const int nItem = ItemFromPoint(point);
    if (nItem >= 0 && nItem != (int)SendMessage(LB_GETCURSEL))
        SendMessage(LB_SETCURSEL, nItem);
}

void CTKPControlComboBoxList::OnLButtonDown(UINT, CPoint)
{
    // The list's own handling would take the capture and the focus from the edit box.
}

void CTKPControlComboBoxList::OnLButtonUp(UINT, CPoint point)
{
    const int nItem = ItemFromPoint(point);
    CTKPControlComboBox* pComboBox = GetComboBox();
    if (nItem < 0 || pComboBox == NULL)
        return;
    SendMessage(LB_SETCURSEL, nItem);
    pComboBox->OnListAccepted();
}

void CTKPControlComboBoxList::OnNcPaint()
{
    // The list's own frame and scroll bar first, then the frame in the theme's colours over it.
    Default();
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    const COLORREF clrFrame = pTheme != NULL ? pTheme->GetColor(43) : GetColorManager()->GetColor(COLOR_BTNSHADOW);
    const COLORREF clrInner = GetColorManager()->GetColor(COLOR_WINDOW);
    dc.Draw3dRect(rc, clrFrame, clrFrame);
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(rc, clrInner, clrInner);
}

BOOL CTKPControlComboBoxList::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColorManager()->GetColor(COLOR_WINDOW));
    return TRUE;
}

void CTKPControlComboBoxList::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPCommandBar::DoPropExchange(pPX);
}

void CTKPControlComboBoxList::Copy(CTKPCommandBar* pSource, BOOL bRecursive)
{
    CTKPCommandBar::Copy(pSource, bRecursive);
    CTKPControlComboBoxList* pList = DYNAMIC_DOWNCAST(CTKPControlComboBoxList, pSource);
    if (pList == NULL || pList == this)
        return;
    m_nListWidth = pList->m_nListWidth;
    if (pList->GetSafeHwnd() == NULL || !CreateListWindow())
        return;
    SendMessage(LB_RESETCONTENT);
    const int nCount = (int)pList->SendMessage(LB_GETCOUNT);
    for (int i = 0; i < nCount; ++i) {
        CString strItem;
        const int nLength = (int)pList->SendMessage(LB_GETTEXTLEN, i);
        if (nLength > 0) {
            pList->SendMessage(LB_GETTEXT, i, (LPARAM)strItem.GetBuffer(nLength + 1));
            strItem.ReleaseBuffer(nLength);
        }
        SendMessage(LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)strItem);
    }
}
