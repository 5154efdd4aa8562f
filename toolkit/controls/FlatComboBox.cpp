#include "toolkit/controls/FlatComboBox.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/controls/HotTracking.h"

namespace {
const UINT_PTR kHotTimer = 1000;
}

IMPLEMENT_DYNAMIC(CTKFlatComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CTKFlatComboBox, CComboBox)
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, OnSetFocusReflect)
ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocusReflect)
ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, OnCloseUpReflect)
ON_CONTROL_REFLECT_EX(CBN_EDITUPDATE, OnEditUpdateReflect)
END_MESSAGE_MAP()

CTKFlatComboBox::CTKFlatComboBox()
    : CTKThemeStyleHolder(RUNTIME_CLASS(CTKFlatComboBoxThemeFactory)), m_bAutoComplete(TRUE), m_bFlat(TRUE),
      m_bSuppressCompletion(FALSE), m_bHot(FALSE), m_bFocus(FALSE), m_clrBackground((COLORREF)-1)
{}

void CTKFlatComboBox::SetFlat(BOOL bFlat)
{
    m_bFlat = bFlat;
    if (::IsWindow(m_hWnd))
        Redraw();
}

void CTKFlatComboBox::SetBackColor(COLORREF clr)
{
    m_clrBackground = clr;
    if (::IsWindow(m_hWnd))
        Redraw();
}

void CTKFlatComboBox::Redraw()
{
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CTKFlatComboBox::IsCursorOver()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    return rcWindow.PtInRect(pt);
}

int CTKFlatComboBox::GetDrawState() const
{
    if (!IsWindowEnabled())
        return 1;
    if (GetDroppedState())
        return 3;
    return (m_bHot || m_bFocus) ? 2 : 1;
}

void CTKFlatComboBox::DrawCombo(CDC* pDC)
{
    CTKFlatComboBoxTheme* pTheme = GetComboTheme();
    if (!m_bFlat || pTheme == NULL)
        return;
    const int nState = GetDrawState();
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    const BOOL bInfo = ::GetComboBoxInfo(m_hWnd, &info);
    const int nSaved = pDC->SaveDC();
    // The edit field paints itself; only the frame and the button are drawn over.
    if (bInfo && info.hwndItem && info.hwndItem != m_hWnd)
        pDC->ExcludeClipRect(&info.rcItem);
    pTheme->DrawFrame(pDC, this, nState);
    pDC->RestoreDC(nSaved);

    if (bInfo && (info.hwndItem == NULL || info.hwndItem == m_hWnd)) {
        // A list without an edit field: its selected text over the frame's background.
        CRect rcText;
        GetClientRect(&rcText);
        rcText = pTheme->GetTextRect(rcText, nState);
        const int nSel = GetCurSel();
        CString strText;
        if (nSel >= 0)
            GetLBText(nSel, strText);
        const BOOL bSelected = m_bFocus && !GetDroppedState() && IsWindowEnabled();
        if (bSelected)
            pDC->FillSolidRect(&rcText, ::GetSysColor(COLOR_HIGHLIGHT));
        CTKPFontSelector font(pDC, GetFont());
        const COLORREF clrOld =
            pDC->SetTextColor(!IsWindowEnabled() ? ::GetSysColor(COLOR_GRAYTEXT)
                                                 : ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CRect rcDraw = rcText;
        rcDraw.left += 2;
        pDC->DrawText(strText, &rcDraw, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOld);
    }
}

BOOL CTKFlatComboBox::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bFlat && message == WM_MOUSEMOVE && IsCursorOver())
        TKStartHotTracking(this, kHotTimer);
    return CComboBox::OnSetCursor(pWnd, nHitTest, message);
}

void CTKFlatComboBox::OnHotTrackTimer()
{
    if (TKHotTrackStep(this, kHotTimer, IsCursorOver(), m_bHot))
        Redraw();
}

void CTKFlatComboBox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHotTimer)
        OnHotTrackTimer();
    else
        CComboBox::OnTimer(nIDEvent);
}

void CTKFlatComboBox::OnPaint()
{
    Default();
    CClientDC dc(this);
    DrawCombo(&dc);
}

LRESULT CTKFlatComboBox::OnPrintClient(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    DrawCombo(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return lResult;
}

BOOL CTKFlatComboBox::OnSetFocusReflect()
{
    if (m_bFlat) {
        m_bFocus = TRUE;
        Redraw();
    }
    return FALSE;
}

BOOL CTKFlatComboBox::OnKillFocusReflect()
{
    if (m_bFlat) {
        m_bFocus = FALSE;
        Redraw();
    }
    return FALSE;
}

BOOL CTKFlatComboBox::OnCloseUpReflect()
{
    if (m_bFlat)
        Invalidate();
    return FALSE;
}

BOOL CTKFlatComboBox::PreTranslateMessage(MSG* pMsg)
{
    // Deleting must not bring back what completion just added.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_BACK || pMsg->wParam == VK_DELETE))
        m_bSuppressCompletion = TRUE;
    return CComboBox::PreTranslateMessage(pMsg);
}

BOOL CTKFlatComboBox::OnEditUpdateReflect()
{
    if (!m_bAutoComplete)
        return FALSE;
    if (m_bSuppressCompletion) {
        m_bSuppressCompletion = FALSE;
        return FALSE;
    }
    CString strTyped;
    GetWindowText(strTyped);
    const int nLength = strTyped.GetLength();
    if (nLength < 1)
        return FALSE;

    const DWORD dwSel = GetEditSel();
    const BOOL bValid = dwSel != static_cast<DWORD>(CB_ERR);
    const int nStart = LOWORD(dwSel);
    const int nEnd = HIWORD(dwSel);
    if (SelectString(-1, strTyped) == CB_ERR) {
        SetWindowText(strTyped);
        if (bValid)
            SetEditSel(nStart, nEnd);
    }
    if (bValid && nEnd < nLength)
        SetEditSel(nStart, nEnd);
    else
        SetEditSel(nLength, -1);
    return FALSE;
}
