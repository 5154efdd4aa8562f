#include "classlib/win/CCheckListBox.h"
#include "classlib/win/AfxGdi.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_DESTROY()
    ON_MESSAGE(LB_ADDSTRING, OnLBAddString)
    ON_MESSAGE(LB_INSERTSTRING, OnLBInsertString)
    ON_MESSAGE(LB_DELETESTRING, OnLBDeleteString)
    ON_MESSAGE(LB_RESETCONTENT, OnLBResetContent)
    ON_MESSAGE(LB_GETITEMDATA, OnLBGetItemData)
    ON_MESSAGE(LB_SETITEMDATA, OnLBSetItemData)
END_MESSAGE_MAP()

namespace {
const int kCheckSize = 13;
const int kCheckMargin = 2;
} // namespace

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX) {}

CCheckListBox::~CCheckListBox()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        FreeAllCheckData();
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // Check boxes are drawn by the list: it must be owner-drawn with strings.
    if ((dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0)
        dwStyle |= LBS_OWNERDRAWFIXED;
    dwStyle |= LBS_HASSTRINGS;
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    if (nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_3STATE)
        m_nStyle = nStyle;
}

CCheckListBox::CheckData* CCheckListBox::GetCheckData(int nIndex) const
{
    LRESULT data = const_cast<CCheckListBox*>(this)->DefWindowProc(LB_GETITEMDATA, nIndex, 0);
    if (data == LB_ERR)
        return nullptr;
    return reinterpret_cast<CheckData*>(data);
}

void CCheckListBox::AttachCheckData(int nIndex)
{
    if (nIndex < 0)
        return;
    DefWindowProc(LB_SETITEMDATA, nIndex, (LPARAM) new CheckData());
}

void CCheckListBox::FreeAllCheckData()
{
    int nCount = (int)DefWindowProc(LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i) {
        delete GetCheckData(i);
        DefWindowProc(LB_SETITEMDATA, i, 0);
    }
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    CheckData* pData = GetCheckData(nIndex);
    if (pData == nullptr)
        return;
    if (nCheck == 2 && m_nStyle != BS_AUTO3STATE && m_nStyle != BS_3STATE)
        nCheck = 1;
    pData->nCheck = nCheck;
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    CheckData* pData = GetCheckData(nIndex);
    return pData != nullptr ? pData->nCheck : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    CheckData* pData = GetCheckData(nIndex);
    if (pData == nullptr)
        return;
    pData->bEnabled = bEnabled;
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    CheckData* pData = GetCheckData(nIndex);
    return pData != nullptr ? pData->bEnabled : FALSE;
}

CRect CCheckListBox::OnGetCheckPosition(CRect rectItem, CRect rectCheckBox)
{
    CRect rect(rectCheckBox);
    rect.OffsetRect(rectItem.left + kCheckMargin,
                    rectItem.top + (rectItem.Height() - rectCheckBox.Height()) / 2);
    return rect;
}

CRect CCheckListBox::CheckBoxRect(int nIndex)
{
    CRect rectItem;
    if (GetItemRect(nIndex, &rectItem) == LB_ERR)
        return CRect();
    return OnGetCheckPosition(rectItem, CRect(0, 0, kCheckSize, kCheckSize));
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr || (int)lpDIS->itemID < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectItem(lpDIS->rcItem);
    CheckData* pData = reinterpret_cast<CheckData*>(lpDIS->itemData);
    int nCheck = pData != nullptr ? pData->nCheck : 0;
    BOOL bEnabled = pData != nullptr ? pData->bEnabled : TRUE;

    // The box, then the text beside it in the selection or window colours.
    CRect rectCheck = OnGetCheckPosition(rectItem, CRect(0, 0, kCheckSize, kCheckSize));
    pDC->FillSolidRect(CRect(rectItem.left, rectItem.top, rectCheck.right + kCheckMargin, rectItem.bottom),
                       ::GetSysColor(COLOR_WINDOW));
    UINT nState = DFCS_BUTTONCHECK;
    if (nCheck == 1)
        nState |= DFCS_CHECKED;
    else if (nCheck == 2)
        nState = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!bEnabled || (GetStyle() & WS_DISABLED))
        nState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(&rectCheck, DFC_BUTTON, nState);

    CRect rectText(rectCheck.right + kCheckMargin, rectItem.top, rectItem.right, rectItem.bottom);
    BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    COLORREF clrBack = ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    COLORREF clrText = ::GetSysColor(!bEnabled ? COLOR_GRAYTEXT : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    pDC->FillSolidRect(&rectText, clrBack);
    CString text;
    GetText((int)lpDIS->itemID, text);
    COLORREF oldText = pDC->SetTextColor(clrText);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectLabel(rectText);
    rectLabel.left += kCheckMargin;
    pDC->DrawText(text, &rectLabel, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&rectText);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS == nullptr)
        return;
    CClientDC dc(this);
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOld = hFont != nullptr ? dc.SelectObject(hFont) : nullptr;
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    if (hOld != nullptr)
        dc.SelectObject(hOld);
    int height = tm.tmHeight;
    if (height < kCheckSize + 2)
        height = kCheckSize + 2;
    lpMIS->itemHeight = (UINT)height;
}

void CCheckListBox::ToggleByUser(int nIndex)
{
    CheckData* pData = GetCheckData(nIndex);
    if (pData == nullptr || !pData->bEnabled)
        return;
    int nCheck = pData->nCheck;
    if (m_nStyle == BS_AUTOCHECKBOX)
        nCheck = nCheck == 1 ? 0 : 1;
    else if (m_nStyle == BS_AUTO3STATE)
        nCheck = (nCheck + 1) % 3;
    // The non-automatic styles leave the state to the parent.
    if (nCheck != pData->nCheck)
        SetCheck(nIndex, nCheck);
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL bOutside = TRUE;
    int nIndex = (int)ItemFromPoint(point, bOutside);
    // A click on a box also selects its row and gives it the focus, as any click in the list does,
    // so that the parent can take the changed row from the caret when it hears of the change.
    const BOOL bOnBox = !bOutside && CheckBoxRect(nIndex).PtInRect(point);
    Default();
    if (bOnBox && ::IsWindow(m_hWnd))
        ToggleByUser(nIndex);
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click on a box is two clicks on it.
    BOOL bOutside = TRUE;
    int nIndex = (int)ItemFromPoint(point, bOutside);
    if (!bOutside && CheckBoxRect(nIndex).PtInRect(point)) {
        ToggleByUser(nIndex);
        return;
    }
    Default();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE) {
        int nIndex = GetCaretIndex();
        if (nIndex != LB_ERR) {
            ToggleByUser(nIndex);
            return;
        }
    }
    Default();
}

void CCheckListBox::OnDestroy()
{
    FreeAllCheckData();
    Default();
}

LRESULT CCheckListBox::OnLBAddString(WPARAM, LPARAM)
{
    LRESULT nIndex = Default();
    if (nIndex >= 0)
        AttachCheckData((int)nIndex);
    return nIndex;
}

LRESULT CCheckListBox::OnLBInsertString(WPARAM, LPARAM)
{
    LRESULT nIndex = Default();
    if (nIndex >= 0)
        AttachCheckData((int)nIndex);
    return nIndex;
}

LRESULT CCheckListBox::OnLBDeleteString(WPARAM wParam, LPARAM)
{
    CheckData* pData = GetCheckData((int)wParam);
    LRESULT result = Default();
    if (result != LB_ERR)
        delete pData;
    return result;
}

LRESULT CCheckListBox::OnLBResetContent(WPARAM, LPARAM)
{
    FreeAllCheckData();
    return Default();
}

LRESULT CCheckListBox::OnLBGetItemData(WPARAM wParam, LPARAM)
{
    CheckData* pData = GetCheckData((int)wParam);
    if (pData == nullptr)
        return DefWindowProc(LB_GETITEMDATA, wParam, 0);
    return (LRESULT)pData->dwUserData;
}

LRESULT CCheckListBox::OnLBSetItemData(WPARAM wParam, LPARAM lParam)
{
    CheckData* pData = GetCheckData((int)wParam);
    if (pData == nullptr)
        return LB_ERR;
    pData->dwUserData = (DWORD_PTR)lParam;
    return 0;
}
