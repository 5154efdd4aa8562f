#include "toolkit/taskpanel/TaskPanelGroupItem.h"

#include <algorithm>

#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/taskpanel/TaskPanel.h"

IMPLEMENT_SERIAL(CTKPTaskPanelGroupItem, CTKPTaskPanelItem, 1)

using std::max;
using std::min;

HGLOBAL TKPCreateAnsiTextBlock(const CString& strText)
{
    if (strText.IsEmpty())
        return NULL;
    // Sized and converted by the code page itself instead of length + 1 bytes through the C library,
    // which overran or cut text of a double-byte code page and depended on the C locale.
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, strText, -1, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return NULL;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nBytes);
    if (hText == NULL)
        return NULL;
    char* pText = static_cast<char*>(::GlobalLock(hText));
    if (pText == NULL || ::WideCharToMultiByte(CP_ACP, 0, strText, -1, pText, nBytes, NULL, NULL) <= 0) {
        if (pText)
            ::GlobalUnlock(hText);
        ::GlobalFree(hText);
        return NULL;
    }
    ::GlobalUnlock(hText);
    return hText;
}

CTKPTaskPanelGroupItem::CTKPTaskPanelGroupItem()
    : m_rcMargins(TKPDefaultMargins()), m_rcItem(0, 0, 0, 0), m_bBold(FALSE), m_bSelected(FALSE), m_hWndControl(NULL),
      m_szItem(0, 0), m_szPreview(0, 0), m_bAutoHeight(FALSE)
{
    m_nType = tkpTaskItemTypeText;
}

CTKPTaskPanelGroupItem::~CTKPTaskPanelGroupItem()
{
    if (m_hWndControl && ::IsWindow(m_hWndControl))
        ::ShowWindow(m_hWndControl, SW_HIDE);
}

CTKPTaskPanelGroup* CTKPTaskPanelGroupItem::GetItemGroup() const
{
    return m_pItems ? DYNAMIC_DOWNCAST(CTKPTaskPanelGroup, m_pItems->GetOwner()) : NULL;
}

CRect CTKPTaskPanelGroupItem::GetHitTestRect() const
{
    const CTKPTaskPanelGroup* pGroup = GetItemGroup();
    if (!m_bVisible || pGroup == NULL)
        return CRect(0, 0, 0, 0);
    CRect rc = m_rcItem;
    rc.OffsetRect(0,
        pGroup->GetCaptionRect().bottom - (m_pPanel ? m_pPanel->GetScrollOffset() : 0) - pGroup->GetItemScrollOffset());
    return rc;
}

void CTKPTaskPanelGroupItem::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPTaskPanelItem::DoPropExchange(pPX);
    PropExchangeRect(pPX, _T("Margins"), m_rcMargins, TKPDefaultMargins());
    PropExchangeBool(pPX, _T("Bold"), m_bBold, FALSE);
    PropExchangeSize(pPX, _T("ItemSize"), m_szItem, CSize(0, 0));
    BOOL bSelected = IsItemSelected();
    PropExchangeBool(pPX, _T("Selected"), bSelected, FALSE);
    if (pPX->m_nSchema > 8)
        PropExchangeBool(pPX, _T("AutoHeight"), m_bAutoHeight, FALSE);
    if (pPX->m_nSchema > 9)
        PropExchangeString(pPX, _T("DragText"), m_strDragText, _T(""));
    if (pPX->IsLoading())
        SetItemSelected(bSelected);
}

CRect CTKPTaskPanelGroupItem::OnReposition(CDC* pDC, CRect rc)
{
    CTKPTaskPanelGroup* pGroup = GetItemGroup();
    CTKPTaskPanelTheme* pTheme = GetPaintManager();
    if (pGroup && pGroup->GetItemLayout() == tkpTaskItemLayoutImages) {
        m_rcItem = rc;
        return m_rcItem;
    }
    if (pTheme) {
        const CRect rcOuter = pTheme->GetItemOuterMargins(this);
        rc.left += rcOuter.left;
        rc.top += rcOuter.top;
        rc.right -= rcOuter.right;
        rc.bottom = max(rc.top, rc.bottom);
    }
    if (m_nType == tkpTaskItemTypeControl || m_szItem.cx > 0 || m_szItem.cy > 0) {
        CRect rcMeasured(rc.left, rc.top, rc.right, rc.top);
        if ((m_szItem.cx <= 0 || m_szItem.cy <= 0) && m_nType != tkpTaskItemTypeControl && pTheme && pDC)
            rcMeasured = pTheme->DrawGroupItem(pDC, this, rc, FALSE);
        int cx = m_szItem.cx > 0 ? min((int)m_szItem.cx, rc.Width()) : rcMeasured.Width();
        int cy = m_szItem.cy > 0 ? (int)m_szItem.cy : rcMeasured.Height();
        if (m_nType == tkpTaskItemTypeControl && m_szItem.cy <= 0 && m_hWndControl && ::IsWindow(m_hWndControl)) {
            CRect rcWindow;
            ::GetWindowRect(m_hWndControl, &rcWindow);
            cy = rcWindow.Height();
        }
        m_rcItem.SetRect(rc.left, rc.top, rc.left + max(0, cx), rc.top + max(0, cy));
    } else if (pTheme && pDC) {
        m_rcItem = pTheme->DrawGroupItem(pDC, this, rc, FALSE);
    } else {
        m_rcItem.SetRect(rc.left, rc.top, rc.right, rc.top);
    }
    return m_rcItem;
}

void CTKPTaskPanelGroupItem::OnDrawItem(CDC* pDC, CRect rc)
{
    CTKPTaskPanelGroup* pGroup = GetItemGroup();
    if (m_nType == tkpTaskItemTypeControl && pGroup && pGroup->GetItemLayout() != tkpTaskItemLayoutImages &&
        m_hWndControl && !::IsWindowVisible(m_hWndControl)) {
        if (m_bmpPreview.GetSafeHandle())
            pDC->DrawState(rc.TopLeft(), m_szPreview, (HBITMAP)m_bmpPreview.GetSafeHandle(), DST_BITMAP);
        return;
    }
    CTKPTaskPanelTheme* pTheme = GetPaintManager();
    if (pTheme)
        pTheme->DrawGroupItem(pDC, this, rc, TRUE);
}

void CTKPTaskPanelGroupItem::SetBold(BOOL bBold)
{
    m_bBold = bBold;
    RepositionPanel();
}

BOOL CTKPTaskPanelGroupItem::IsItemSelected() const
{
    if (m_pPanel && m_pPanel->IsSingleSelection())
        return IsItemFocused();
    return m_bSelected;
}

void CTKPTaskPanelGroupItem::SetItemSelected(BOOL bSelected)
{
    if (m_pPanel && m_pPanel->IsSingleSelection()) {
        if (bSelected)
            m_pPanel->SetFocusedItem(this);
        return;
    }
    m_bSelected = bSelected;
    RedrawPanel();
}

COLORREF CTKPTaskPanelGroupItem::GetBackgroundColor() const
{
    CTKPTaskPanelTheme* pTheme = GetPaintManager();
    CTKPTaskPanelGroup* pGroup = GetItemGroup();
    if (pTheme == NULL || pGroup == NULL)
        return ::GetSysColor(COLOR_WINDOW);
    return pTheme->GetGroupColors(pGroup)->clrClient.m_clrDark.GetEffective();
}

void CTKPTaskPanelGroupItem::SetMargins(const CRect& rc)
{
    m_rcMargins = rc;
    RepositionPanel();
}

void CTKPTaskPanelGroupItem::SetSize(CSize size)
{
    m_szItem = size;
    RepositionPanel();
}

void CTKPTaskPanelGroupItem::SetControlHandle(HWND hWnd)
{
    m_hWndControl = hWnd;
    m_nType = tkpTaskItemTypeControl;
    RepositionPanel();
}

void CTKPTaskPanelGroupItem::PrepareDrag(COleDataSource& source, BOOL bWithText)
{
    HGLOBAL hData = CopyToOleData();
    if (hData)
        source.CacheGlobalData(GetClipboardFormat(), hData);
    if (bWithText) {
        HGLOBAL hText = TKPCreateAnsiTextBlock(GetDragText());
        if (hText)
            source.CacheGlobalData(CF_TEXT, hText);
    }
}

// --- Hosted controls ----------------------------------------------------------------------------

void CTKPTaskPanelGroupItem::OnAnimate(int)
{
    if (m_nType != tkpTaskItemTypeControl || m_hWndControl == NULL || !::IsWindow(m_hWndControl))
        return;
    CTKPTaskPanelGroup* pGroup = GetItemGroup();
    if (pGroup == NULL || m_pPanel == NULL || m_pPanel->GetSafeHwnd() == NULL)
        return;
    if (pGroup->GetItemLayout() == tkpTaskItemLayoutImages || !m_bVisible || !pGroup->IsVisible()) {
        ::ShowWindow(m_hWndControl, SW_HIDE);
        m_bmpPreview.DeleteObject();
        return;
    }
    const BOOL bMoving = pGroup->IsExpanding() || pGroup->IsAnimating();
    if (!bMoving) {
        m_bmpPreview.DeleteObject();
        const CRect rc = GetHitTestRect();
        if (pGroup->IsExpanded() && pGroup->IsItemShown(this)) {
            ::SetWindowPos(m_hWndControl, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        } else {
            ::ShowWindow(m_hWndControl, SW_HIDE);
        }
        return;
    }
    if (m_bmpPreview.GetSafeHandle() == NULL || ::IsWindowVisible(m_hWndControl) || m_szPreview != m_rcItem.Size()) {
        TakePreview(m_hWndControl);
    }
    ::ShowWindow(m_hWndControl, SW_HIDE);
}

void CTKPTaskPanelGroupItem::TakePreview(HWND hWnd)
{
    m_bmpPreview.DeleteObject();
    m_szPreview = m_rcItem.Size();
    if (hWnd == NULL || m_szPreview.cx <= 0 || m_szPreview.cy <= 0 || m_pPanel == NULL)
        return;
    const CRect rc = GetHitTestRect();
    ::SetWindowPos(hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    CClientDC dcPanel(m_pPanel);
    CDC dc;
    dc.CreateCompatibleDC(&dcPanel);
    m_bmpPreview.CreateCompatibleBitmap(&dcPanel, m_szPreview.cx, m_szPreview.cy);
    CBitmap* pOld = dc.SelectObject(&m_bmpPreview);
    dc.FillSolidRect(0, 0, m_szPreview.cx, m_szPreview.cy, GetBackgroundColor());
    ::SendMessage(hWnd, WM_PRINT, (WPARAM)dc.GetSafeHdc(), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    dc.SelectObject(pOld);
}

// --- Accessibility ------------------------------------------------------------------------------

long CTKPTaskPanelGroupItem::GetAccessibleState() const
{
    long nState = CTKPTaskPanelItem::GetAccessibleState() | STATE_SYSTEM_SELECTABLE;
    const CTKPTaskPanelGroup* pGroup = GetItemGroup();
    if (pGroup == NULL || !pGroup->IsItemShown(this))
        nState |= STATE_SYSTEM_INVISIBLE;
    if (IsItemSelected())
        nState |= STATE_SYSTEM_SELECTED;
    return nState;
}

STDMETHODIMP CTKPTaskPanelGroupItem::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (pszDefaultAction == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszDefaultAction = ::SysAllocString(L"Click");
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelGroupItem::accDoDefaultAction(VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    if (m_pPanel == NULL)
        return S_FALSE;
    if (IsAcceptFocus())
        m_pPanel->SetFocusedItem(this, FALSE);
    m_pPanel->OnItemClick(this);
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelGroupItem::accSelect(long flagsSelect, VARIANT varChild)
{
    HRESULT hr = CTKPTaskPanelItem::accSelect(flagsSelect, varChild);
    if (SUCCEEDED(hr) && (flagsSelect & SELFLAG_TAKESELECTION))
        SetItemSelected(TRUE);
    return hr;
}
