#include "toolkit/commandbars/ControlComboBox.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/ImageIcon.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ControlComboBoxList.h"
#include "toolkit/commandbars/EditAutoComplete.h"
#include "toolkit/commandbars/HookSink.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/common/PropExchange.h"

IMPLEMENT_SERIAL(CTKPControlComboBox, CTKPControlPopup, VERSIONABLE_SCHEMA | 16)

namespace {

const int kEditIconWidth = 16;

// The text of a list item, empty when the index is out of range.
CString ListItemText(HWND hWndList, int nIndex)
{
    CString strItem;
    if (hWndList == NULL || nIndex < 0)
        return strItem;
    const int nLength = (int)::SendMessageW(hWndList, LB_GETTEXTLEN, nIndex, 0);
    if (nLength <= 0)
        return strItem;
    ::SendMessageW(hWndList, LB_GETTEXT, nIndex, (LPARAM)strItem.GetBuffer(nLength + 1));
    strItem.ReleaseBuffer(nLength);
    return strItem;
}

}  // namespace

CTKPControlComboBox::CTKPControlComboBox()
    : m_pListBar(new CTKPControlComboBoxList), m_edit(this), m_bEditable(FALSE), m_bLabel(FALSE), m_nWidth(100),
      m_nSavedSel(-1), m_bLabelChanged(FALSE), m_nLabelWidth(0), m_nDropButtonWidth(0), m_bAutoComplete(FALSE),
      m_bAutoCompleteSuppressed(FALSE), m_bFocused(FALSE), m_nEditIconId(0), m_bSelEnded(FALSE), m_nMaxVisibleItems(12),
      m_nCachedSel(-1), m_bListSuspended(FALSE),
      m_bTyping(FALSE)
{
    m_controlType = tkpControlComboBox;
    AttachCommandBar(m_pListBar);
}

CTKPControlComboBox::~CTKPControlComboBox()
{
    if (m_pListBar->IsTrackingMode())
        m_pListBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    if (m_bListSuspended)
        CTKPMouseTracker::GetThreadTracker()->Suspend(FALSE);
    m_edit.Destroy();
    if (m_pListBar->GetSafeHwnd() != NULL)
        m_pListBar->DestroyWindow();
}

// --- Text and style --------------------------------------------------------------------------------

CString CTKPControlComboBox::GetEditText() const
{
    return m_edit.GetText();
}

void CTKPControlComboBox::SetEditText(LPCTSTR lpszText)
{
    m_edit.SetText(lpszText, m_bFocused);
    DelayRedrawParent();
}

void CTKPControlComboBox::SetEditHint(LPCTSTR lpszHint)
{
    m_edit.SetHint(lpszHint, m_bFocused);
    DelayRedrawParent();
}

void CTKPControlComboBox::SetDropDownListStyle(BOOL bEditable)
{
    bEditable = bEditable != FALSE;
    if (bEditable == m_bEditable)
        return;
    m_bEditable = bEditable;
    if (!m_bEditable)
        m_edit.Destroy();
    m_bLabelChanged = TRUE;
    DelayLayoutParent();
}

void CTKPControlComboBox::SetWidth(int nWidth)
{
    if (nWidth == m_nWidth)
        return;
    m_nWidth = nWidth;
    DelayLayoutParent();
}

void CTKPControlComboBox::SetShowLabel(BOOL bShow)
{
    if (bShow == m_bLabel)
        return;
    m_bLabel = bShow;
    m_bLabelChanged = TRUE;
    DelayLayoutParent();
}

void CTKPControlComboBox::SetEditIconId(int nId)
{
    if (nId == m_nEditIconId)
        return;
    m_nEditIconId = nId;
    m_bLabelChanged = TRUE;
    DelayLayoutParent();
}

void CTKPControlComboBox::SetMeasuredWidths(int nLabelWidth, int nButtonWidth)
{
    if (nLabelWidth != m_nLabelWidth || nButtonWidth != m_nDropButtonWidth) {
        m_nLabelWidth = nLabelWidth;
        m_nDropButtonWidth = nButtonWidth;
        m_bLabelChanged = TRUE;
    }
}

// --- The list ---------------------------------------------------------------------------------------

int CTKPControlComboBox::AddString(LPCTSTR lpszItem)
{
    if (!m_pListBar->CreateListWindow())
        return LB_ERR;
    return (int)m_pListBar->SendMessage(LB_ADDSTRING, 0, (LPARAM)lpszItem);
}

int CTKPControlComboBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    if (!m_pListBar->CreateListWindow())
        return LB_ERR;
    return (int)m_pListBar->SendMessage(LB_INSERTSTRING, nIndex, (LPARAM)lpszItem);
}

int CTKPControlComboBox::DeleteItem(int nIndex)
{
    if (m_pListBar->GetSafeHwnd() == NULL)
        return LB_ERR;
    return (int)m_pListBar->SendMessage(LB_DELETESTRING, nIndex);
}

void CTKPControlComboBox::ResetContent()
{
    if (m_pListBar->GetSafeHwnd() != NULL)
        m_pListBar->SendMessage(LB_RESETCONTENT);
    m_nCachedSel = -1;
}

int CTKPControlComboBox::GetCount() const
{
    return m_pListBar->GetSafeHwnd() != NULL ? (int)m_pListBar->SendMessage(LB_GETCOUNT) : 0;
}

CString CTKPControlComboBox::GetItemText(int nIndex) const
{
    return ListItemText(m_pListBar->GetSafeHwnd(), nIndex);
}

int CTKPControlComboBox::GetCurSel() const
{
    return m_pListBar->GetSafeHwnd() != NULL ? (int)m_pListBar->SendMessage(LB_GETCURSEL) : m_nCachedSel;
}

void CTKPControlComboBox::SetCurSel(int nIndex)
{
    if (m_pListBar->GetSafeHwnd() != NULL)
        m_pListBar->SendMessage(LB_SETCURSEL, nIndex);
    else
        m_nCachedSel = nIndex;
    if (nIndex >= 0 && nIndex < GetCount())
        m_edit.SetText(GetItemText(nIndex), m_bFocused);
    else if (!m_bEditable)
        m_edit.SetText(CString(), m_bFocused);
    DelayRedrawParent();
}

CString CTKPControlComboBox::GetListText() const
{
    return GetItemText(GetCurSel());
}

BOOL CTKPControlComboBox::IsDroppedDown() const
{
    return m_bPopup && m_pListBar->IsVisible();
}

void CTKPControlComboBox::ShowDropDown(BOOL bShow)
{
    if (m_pParent == NULL || !bShow == !IsDroppedDown())
        return;
    CTKPRefHolder hold(this);
    if (bShow)
        m_pParent->SetPopuped(m_nIndex, FALSE);
    else if (m_pParent->GetPopupedIndex() == m_nIndex)
        m_pParent->SetPopuped(-1, FALSE);
    else
        OnSetPopup(FALSE);
}

BOOL CTKPControlComboBox::OnSetPopup(BOOL bPopup)
{
    if (bPopup && m_pListBar->GetSafeHwnd() == NULL && !m_pListBar->CreateListWindow())
        return FALSE;
    return CTKPControlPopup::OnSetPopup(bPopup);
}

void CTKPControlComboBox::OnListShown()
{
    if (!m_bListSuspended) {
        CTKPMouseTracker::GetThreadTracker()->Suspend(TRUE);
        m_bListSuspended = TRUE;
    }
    if (m_edit.HasWindow() && !m_bFocused)
        SetFocused(TRUE);
    if (m_edit.HasWindow()) {
        // The list shows the item that the text names, or the first it starts.
        const BOOL bSuppressed = m_bAutoCompleteSuppressed;
        m_bAutoCompleteSuppressed = TRUE;
        CompleteFromList();
        m_bAutoCompleteSuppressed = bSuppressed;
    }
    NotifySite(TKPN_COMBO_DROPDOWN);
    DelayRedrawParent();
}

void CTKPControlComboBox::OnListHidden()
{
    CTKPRefHolder hold(this);
    m_bPopup = FALSE;
    NotifySite(TKPN_COMBO_CLOSEUP);
    if (m_bListSuspended) {
        CTKPMouseTracker::GetThreadTracker()->Suspend(FALSE);
        m_bListSuspended = FALSE;
    }
    // A box kept focused while the shell's suggestions replace its list: the next typed keys would go elsewhere.
    if (m_pParent != NULL && !m_bTyping && m_pParent->GetSelectedIndex() == m_nIndex &&
        m_pParent->GetTrackingMode() != CTKPCommandBar::trackingNone)
        m_pParent->SetSelected(-1, FALSE);
    DelayRedrawParent();
}

void CTKPControlComboBox::OnAutoCompleteShown()
{
    const BOOL bTyping = m_bTyping;
    m_bTyping = TRUE;
    ShowDropDown(FALSE);
    m_bTyping = bTyping;
}

void CTKPControlComboBox::OnListAccepted()
{
    CTKPRefHolder hold(this);
    const int nSel = GetCurSel();
    m_bSelEnded = TRUE;
    if (nSel >= 0) {
        m_edit.SetText(GetItemText(nSel), m_bFocused);
        if (m_edit.HasWindow())
            m_edit.GetWindow()->SendMessage(EM_SETSEL, 0, -1);
    }
    NotifySite(TKPN_COMBO_SELENDOK);
    ShowDropDown(FALSE);
    if (m_pParent != NULL)
        OnExecute();
}

void CTKPControlComboBox::OnListSelChanged()
{
    TakeSelectionText();
    NotifySite(TKPN_COMBO_SELCHANGE);
}

void CTKPControlComboBox::TakeSelectionText()
{
    const int nSel = GetCurSel();
    if (nSel < 0)
        return;
    m_edit.SetText(GetItemText(nSel), m_bFocused);
    if (m_edit.HasWindow())
        m_edit.GetWindow()->SendMessage(EM_SETSEL, 0, -1);
    DelayRedrawParent();
}

// --- In-box completion ------------------------------------------------------------------------------

void CTKPControlComboBox::CompleteFromList()
{
    const HWND hWndList = m_pListBar->GetSafeHwnd();
    if (!m_edit.HasWindow() || hWndList == NULL)
        return;
    CTKPControlEditWnd* pWnd = m_edit.GetWindow();
    CString strText;
    pWnd->GetWindowText(strText);
    // Every search starts at index 0: it begins at the second item and wraps round to the first.
    if (m_bAutoComplete && !m_bAutoCompleteSuppressed) {
        const int nLength = strText.GetLength();
        DWORD dwStart = 0, dwEnd = 0;
        pWnd->SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        if (nLength > 0 && (int)dwStart == nLength && (int)dwEnd == nLength) {
            const int nFound = (int)::SendMessageW(hWndList, LB_FINDSTRING, 0, (LPARAM)(LPCTSTR)strText);
            if (nFound >= 0) {
                const CString strItem = ListItemText(hWndList, nFound);
                m_edit.SetText(strItem, m_bFocused);
                pWnd->SendMessage(EM_SETSEL, strItem.GetLength(), nLength);
                pWnd->SendMessage(EM_SCROLLCARET);
                strText = strItem;
            }
        }
        m_bAutoCompleteSuppressed = TRUE;
    }
    const int nExact = (int)::SendMessageW(hWndList, LB_FINDSTRINGEXACT, 0, (LPARAM)(LPCTSTR)strText);
    if (nExact >= 0) {
        ::SendMessageW(hWndList, LB_SETCURSEL, nExact, 0);
    } else {
        const int nFound = (int)::SendMessageW(hWndList, LB_FINDSTRING, 0, (LPARAM)(LPCTSTR)strText);
        if (nFound >= 0) {
            ::SendMessageW(hWndList, LB_SETTOPINDEX, nFound, 0);
            ::SendMessageW(hWndList, LB_SETCURSEL, nFound, 0);
        }
        ::SendMessageW(hWndList, LB_SETCURSEL, (WPARAM)-1, 0);
    }
}

// --- The edit window --------------------------------------------------------------------------------

void CTKPControlComboBox::LayoutEditWindow(BOOL bForce)
{
    if (!m_bEditable || m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return;
    CRect rcWindow = m_rcControl;
    const int nIcon = m_nEditIconId > 0 ? kEditIconWidth + 2 : 0;
    rcWindow.DeflateRect(m_nLabelWidth + 4 + nIcon, 3, 3 + m_nDropButtonWidth, 3);
    const BOOL bShow = IsVisible() && !m_rcControl.IsRectEmpty();
    const BOOL bCreated = !m_edit.HasWindow();
    m_edit.Layout(m_pParent, rcWindow, bShow, m_bEnabled, bForce || m_bLabelChanged);
    m_bLabelChanged = FALSE;
    if (bCreated && m_edit.HasWindow() && m_bFocused)
        m_edit.EnterFocus(this);
}

void CTKPControlComboBox::SetRect(CRect rcControl)
{
    if (rcControl == m_rcControl && (!m_bEditable || m_edit.IsInBar(m_pParent)) && !m_bLabelChanged)
        return;
    m_rcControl = rcControl;
    LayoutEditWindow(FALSE);
}

void CTKPControlComboBox::SetParent(CTKPCommandBar* pParent)
{
    if (pParent != m_pParent && m_bFocused)
        SetFocused(FALSE);
    CTKPControl::SetParent(pParent);
    if (m_pListBar->GetCommandBars() == NULL && pParent != NULL)
        m_pListBar->SetCommandBars(pParent->GetCommandBars());
}

void CTKPControlComboBox::SetHideFlags(DWORD dwFlags)
{
    CTKPControl::SetHideFlags(dwFlags);
    if (dwFlags != 0) {
        if (m_bFocused)
            SetFocused(FALSE);
        ShowDropDown(FALSE);
    }
    m_edit.Show(dwFlags == 0 && !m_rcControl.IsRectEmpty());
}

void CTKPControlComboBox::SetEnabled(BOOL bEnabled)
{
    CTKPControl::SetEnabled(bEnabled);
    m_edit.SetEnabled(bEnabled);
}

void CTKPControlComboBox::OnCalcDynamicSize(DWORD)
{
    m_edit.DropIfElsewhere(m_pParent);
}

// --- Focus, clicks and keys ---------------------------------------------------------------------

void CTKPControlComboBox::SetFocused(BOOL bFocused)
{
    bFocused = bFocused != FALSE;
    if (bFocused == m_bFocused)
        return;
    CTKPRefHolder hold(this);
    m_bFocused = bFocused;
    if (bFocused) {
        m_nSavedSel = GetCurSel();
        m_strSavedText = GetEditText();
        m_bSelEnded = FALSE;
        m_edit.EnterFocus(this);
        NotifySite(TKPN_COMBO_SETFOCUS);
    } else {
        m_edit.LeaveFocus(this);
        if (!m_bEditable && !m_bSelEnded && !IsDroppedDown()) {
            SetCurSel(m_nSavedSel);
            NotifySite(TKPN_COMBO_SELENDCANCEL);
        }
        NotifySite(TKPN_COMBO_KILLFOCUS);
    }
    RedrawParent();
}

BOOL CTKPControlComboBox::SetSelected(int nSelected)
{
    if (nSelected == 0 && m_bFocused)
        SetFocused(FALSE);
    return CTKPControlPopup::SetSelected(nSelected);
}

void CTKPControlComboBox::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (m_pParent == NULL)
        return;
    if (IsCustomizeMode()) {
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        OnCustomizeMouseDown(pt);
        return;
    }
    if (!m_bEnabled)
        return;
    CTKPRefHolder hold(this);
    if (bKeyboard && m_bFocused && m_edit.HasWindow()) {
        // Enter in the edit box: the text is taken as it stands.
        m_bSelEnded = TRUE;
        OnExecute();
        return;
    }
    if (IsDroppedDown()) {
        ShowDropDown(FALSE);
        if (!m_bFocused && m_pParent->GetPosition() != tkpBarPopup)
            m_pParent->SetTrackingMode(CTKPCommandBar::trackingNone, FALSE, FALSE);
        return;
    }
    ShowDropDown(TRUE);
}

BOOL CTKPControlComboBox::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CTKPControlComboBox::OnEditFocus(BOOL bFocused)
{
    if (bFocused) {
        if (!m_bFocused && m_bEnabled && !IsCustomizeMode())
            SetFocused(TRUE);
        return;
    }
    if (!m_bFocused)
        return;
    CTKPRefHolder hold(this);
    ShowDropDown(FALSE);
    SetFocused(FALSE);
    CTKPControlEditPart::EndBarTracking(this);
}

void CTKPControlComboBox::OnEditTextChanged()
{
    m_edit.OnTextChanged();
    CompleteFromList();
    m_edit.OnTextChanged();
    NotifySite(TKPN_COMBO_EDITCHANGE);
}

void CTKPControlComboBox::OnEditDestroying(const CString& strText)
{
    m_edit.OnDestroying(strText);
}

int CTKPControlComboBox::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (!m_bFocused)
        return CTKPHookSink::hookNotHandled;
    m_bAutoCompleteSuppressed = nChar == VK_DELETE || nChar == VK_BACK;
    CTKPControlEditWnd* pWnd = m_edit.HasWindow() ? m_edit.GetWindow() : NULL;
    if (pWnd != NULL && pWnd->IsComposing())
        return CTKPHookSink::hookPass;
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    switch (nChar) {
    case VK_TAB:
        if (!(m_edit.GetShellAutoCompleteFlags() & 0x8))
            return CTKPHookSink::hookNotHandled;
        break;
    case VK_RETURN:
        return CTKPHookSink::hookNotHandled;
    case VK_ESCAPE: {
        CTKPRefHolder hold(this);
        ShowDropDown(FALSE);
        if (m_pListBar->GetSafeHwnd() != NULL)
            m_pListBar->SendMessage(LB_SETCURSEL, m_nSavedSel);
        else
            m_nCachedSel = m_nSavedSel;
        m_edit.SetText(m_strSavedText, TRUE);
        // Leaving the focus, a list without an edit box tells its site the choice was cancelled.
        SetFocused(FALSE);
        return CTKPHookSink::hookHandled;
    }
    }
    if ((nChar == VK_F4 && !bAlt) || ((nChar == VK_UP || nChar == VK_DOWN) && bAlt)) {
        CTKPRefHolder hold(this);
        ShowDropDown(!IsDroppedDown());
        return CTKPHookSink::hookHandled;
    }
    CTKPEditAutoComplete* pAutoComplete = m_edit.GetAutoComplete();
    if (pAutoComplete != NULL && pAutoComplete->ProcessKey(nChar))
        return CTKPHookSink::hookHandled;
    const BOOL bListKey = (nChar == VK_UP || nChar == VK_DOWN || nChar == VK_PRIOR || nChar == VK_NEXT) && !bAlt;
    if (pWnd == NULL || (bListKey && m_pListBar->GetSafeHwnd() != NULL)) {
        m_pListBar->ProcessListKey(this, nChar, lParam, pWnd != NULL);
        return CTKPHookSink::hookHandled;
    }
    return pWnd->FilterKey(nChar, lParam) ? CTKPHookSink::hookHandled : CTKPHookSink::hookPass;
}

// --- Drawing ----------------------------------------------------------------------------------------

void CTKPControlComboBox::DrawEditAreaText(CDC* pDC, CRect rcText)
{
    CTKPColorManager* pColors = GetColorManager();
    const BOOL bWindow = m_edit.HasWindow();
    if (!bWindow && m_bEnabled && m_bFocused) {
        CRect rcFill = rcText;
        rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFill, pColors->GetColor(COLOR_HIGHLIGHT));
    }
    if (m_nEditIconId > 0) {
        CTKPImageManager* pImages = GetImageManager();
        CTKPImageIcon* pIcon = pImages != NULL ? pImages->GetImage((UINT)m_nEditIconId, kEditIconWidth) : NULL;
        if (pIcon != NULL) {
            const CPoint pt(rcText.left, rcText.top + (rcText.Height() - pIcon->GetHeight()) / 2);
            pIcon->Draw(pDC, pt, m_bEnabled ? pIcon->GetIcon() : pIcon->GetDisabledIcon());
        }
        rcText.left += kEditIconWidth + 2;
    }
    if (bWindow)
        return;
    CString strText = GetEditText();
    int nColor = !m_bEnabled ? COLOR_GRAYTEXT : (m_bFocused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (strText.IsEmpty() && m_bEnabled && !m_bFocused) {
        strText = GetEditHint();
        nColor = COLOR_GRAYTEXT;
    }
    if (strText.IsEmpty())
        return;
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    CFont* pOldFont = pTheme != NULL ? pDC->SelectObject(pTheme->GetIconFont()) : NULL;
    pDC->SetTextColor(pColors->GetColor(nColor));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

// --- Copies and the saved layout -------------------------------------------------------------------

void CTKPControlComboBox::Copy(CTKPControl* pSource, BOOL bRecursive)
{
    // The list is this control's own: the popup's sharing of its bar does not apply.
    CTKPControl::Copy(pSource, bRecursive);
    CTKPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CTKPControlComboBox, pSource);
    if (pCombo == NULL || pCombo == this)
        return;
    m_nStyle = pCombo->m_nStyle;
    SetDropDownListStyle(pCombo->m_bEditable);
    m_bLabel = pCombo->m_bLabel;
    m_nWidth = pCombo->m_nWidth;
    m_bAutoComplete = pCombo->m_bAutoComplete;
    m_nEditIconId = pCombo->m_nEditIconId;
    m_nMaxVisibleItems = pCombo->m_nMaxVisibleItems;
    m_pListBar->Copy(pCombo->m_pListBar, bRecursive);
    m_edit.SetHint(pCombo->GetEditHint(), m_bFocused);
    m_edit.SetText(pCombo->GetEditText(), m_bFocused);
    m_edit.EnableShellAutoComplete(pCombo->GetShellAutoCompleteFlags());
    m_nCachedSel = pCombo->GetCurSel();
    if (m_pListBar->GetSafeHwnd() != NULL)
        m_pListBar->SendMessage(LB_SETCURSEL, m_nCachedSel);
}

BOOL CTKPControlComboBox::Compare(CTKPControl* pOther)
{
    CTKPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CTKPControlComboBox, pOther);
    return pCombo != NULL && CTKPControl::Compare(pOther) && m_nWidth == pCombo->m_nWidth;
}

void CTKPControlComboBox::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPControlPopup::DoPropExchange(pPX);
    BOOL bDropDownList = !m_bEditable;
    PropExchangeBool(pPX, L"DropDown", bDropDownList, TRUE);
    PropExchangeInt(pPX, L"Width", m_nWidth, 0);
    int nComboStyle = m_bLabel;
    PropExchangeInt(pPX, L"ComboStyle", nComboStyle, 0);
    if (pPX->IsLoading()) {
        SetDropDownListStyle(!bDropDownList);
        m_bLabel = nComboStyle;
    }
    if (pPX->m_nSchema > 8) {
        CString strHint = GetEditHint();
        PropExchangeString(pPX, L"EditHint", strHint, L"");
        int nShellFlags = (int)GetShellAutoCompleteFlags();
        PropExchangeInt(pPX, L"ShellAutoCompleteFlags", nShellFlags, 0);
        PropExchangeBool(pPX, L"AutoComplete", m_bAutoComplete, FALSE);
        PropExchangeInt(pPX, L"EditIconId", m_nEditIconId, 0);
        PropExchangeInt(pPX, L"DropDownItemCount", m_nMaxVisibleItems, 12);
        if (pPX->IsLoading()) {
            m_edit.SetHint(strHint, m_bFocused);
            m_edit.EnableShellAutoComplete((DWORD)nShellFlags);
        }
    }

    CTKPPropExchange* pItems = pPX->GetSection(L"Items");
    if (pItems == NULL)
        return;
    if (pItems->IsLoading()) {
        ResetContent();
        m_pListBar->CreateListWindow();
        const DWORD dwCount = pItems->LimitLoadedCount(pItems->ReadCount());
        for (DWORD i = 0; i < dwCount; ++i) {
            CString strKey, strItem;
            strKey.Format(L"Item%i", (int)i);
            PropExchangeString(pItems, strKey, strItem, L"");
            AddString(strItem);
        }
    } else {
        const int nCount = GetCount();
        pItems->WriteCount((DWORD)nCount);
        for (int i = 0; i < nCount; ++i) {
            CString strKey;
            strKey.Format(L"Item%i", i);
            CString strItem = GetItemText(i);
            PropExchangeString(pItems, strKey, strItem, L"");
        }
    }
    delete pItems;
}
