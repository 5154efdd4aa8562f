#include "toolkit/taskpanel/TaskPanelGroup.h"

#include <algorithm>
#include <memory>

#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/taskpanel/TaskPanel.h"

IMPLEMENT_SERIAL(CTKPTaskPanelGroup, CTKPTaskPanelItem, 1)

using std::max;
using std::min;

CTKPTaskPanelGroup::CTKPTaskPanelGroup()
    : m_rcGroupTarget(0, 0, 0, 0), m_rcGroupCurrent(0, 0, 0, 0), m_rcMarginsOuter(TKPDefaultMargins()),
      m_rcMarginsInner(TKPDefaultMargins()), m_nCaptionHeight(0), m_bSpecial(FALSE), m_bExpandable(TRUE),
      m_bExpanded(TRUE), m_bExpanding(FALSE), m_nClientHeight(0), m_bCaptionVisible(TRUE), m_ptClientBitmapOffset(0, 0),
      m_nFirstShownIndex(0), m_nItemsInRow(1), m_szIcon(0, 0), m_pItems(NULL), m_nItemLayout(tkpTaskItemLayoutDefault)
{
    m_nType = tkpTaskItemTypeGroup;
    m_pItems = new CTKPTaskPanelGroupItems(this);
}

CTKPTaskPanelGroup::~CTKPTaskPanelGroup()
{
    m_pItems->InternalRelease();
}

BOOL CTKPTaskPanelGroup::IsAcceptFocus() const
{
    return CTKPTaskPanelItem::IsAcceptFocus() && IsExpandable();
}

CTKPTaskPanelGroup* CTKPTaskPanelGroup::GetItemGroup() const
{
    return const_cast<CTKPTaskPanelGroup*>(this);
}

CRect CTKPTaskPanelGroup::GetHitTestRect() const
{
    CRect rc = GetCaptionRect();
    rc.OffsetRect(0, -(m_pPanel ? m_pPanel->GetScrollOffset() : 0));
    return rc;
}

void CTKPTaskPanelGroup::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPTaskPanelItem::DoPropExchange(pPX);
    PropExchangeBool(pPX, _T("CaptionVisible"), m_bCaptionVisible, TRUE);
    PropExchangeBool(pPX, _T("Expandable"), m_bExpandable, TRUE);
    BOOL bExpanded = IsExpanded();
    PropExchangeBool(pPX, _T("Expanded"), bExpanded, FALSE);
    PropExchangeBool(pPX, _T("Special"), m_bSpecial, FALSE);
    PropExchangeInt(pPX, _T("Layout"), m_nItemLayout, tkpTaskItemLayoutDefault);
    PropExchangeRect(pPX, _T("MarginsInner"), m_rcMarginsInner, TKPDefaultMargins());
    PropExchangeRect(pPX, _T("MarginsOuter"), m_rcMarginsOuter, TKPDefaultMargins());
    PropExchangeSize(pPX, _T("IconSize"), m_szIcon, CSize(0, 0));
    if (pPX->IsLoading()) {
        m_pItems->SetTaskPanel(m_pPanel);
        SetExpanded(bExpanded);
    }
    std::unique_ptr<CTKPPropExchange> pSection(pPX->GetSection(_T("Items")));
    m_pItems->DoPropExchange(pSection.get());
}

void CTKPTaskPanelGroup::DrawClientBitmap(CDC* pDC, int x, int y)
{
    if (m_ilClient.GetSafeHandle() && m_ilClient.GetImageCount() == 1)
        m_ilClient.Draw(pDC, 0, CPoint(x + m_ptClientBitmapOffset.x, y + m_ptClientBitmapOffset.y), ILD_TRANSPARENT);
}

CTKPTaskPanelGroupItem* CTKPTaskPanelGroup::GetAt(int nIndex) const
{
    return static_cast<CTKPTaskPanelGroupItem*>(m_pItems->GetAt(nIndex));
}

int CTKPTaskPanelGroup::GetItemCount() const
{
    return m_pItems->GetCount();
}

CTKPTaskPanelGroupItem* CTKPTaskPanelGroup::GetNextVisibleItem(int nIndex, int nStep) const
{
    return GetAt(m_pItems->GetNextVisibleIndex(nIndex, nStep));
}

BOOL CTKPTaskPanelGroup::IsExpanded() const
{
    return m_pPanel ? m_pPanel->IsGroupExpanded(this) : m_bExpanded;
}

void CTKPTaskPanelGroup::SetExpanded(BOOL bExpanded)
{
    if (m_pPanel)
        m_pPanel->ExpandGroup(this, bExpanded);
    else
        m_bExpanded = bExpanded;
}

BOOL CTKPTaskPanelGroup::IsExpandable() const
{
    return m_bExpandable && m_bEnabled && (m_pPanel == NULL || m_pPanel->IsGroupsExpandable());
}

void CTKPTaskPanelGroup::SetExpandable(BOOL bExpandable)
{
    m_bExpandable = bExpandable;
    RepositionPanel();
}

void CTKPTaskPanelGroup::SetCaptionVisible(BOOL bVisible)
{
    m_bCaptionVisible = bVisible;
    RepositionPanel();
}

void CTKPTaskPanelGroup::SetSpecialGroup(BOOL bSpecial)
{
    m_bSpecial = bSpecial;
    RedrawPanel();
}

BOOL CTKPTaskPanelGroup::IsAnimating() const
{
    return m_bVisible && m_rcGroupCurrent != m_rcGroupTarget;
}

CSize CTKPTaskPanelGroup::GetIconSize() const
{
    if (m_szIcon.cx > 0 && m_szIcon.cy > 0)
        return m_szIcon;
    return m_pPanel ? m_pPanel->GetItemIconSize() : CSize(16, 16);
}

void CTKPTaskPanelGroup::SetIconSize(CSize size)
{
    m_szIcon = size;
    RepositionPanel();
}

int CTKPTaskPanelGroup::GetItemLayout() const
{
    if (m_nItemLayout != tkpTaskItemLayoutDefault)
        return m_nItemLayout;
    return m_pPanel ? m_pPanel->GetItemLayout() : tkpTaskItemLayoutImagesWithText;
}

void CTKPTaskPanelGroup::SetItemLayout(int nLayout)
{
    m_nItemLayout = nLayout;
    RepositionPanel();
}

void CTKPTaskPanelGroup::SetOuterMargins(const CRect& rc)
{
    m_rcMarginsOuter = rc;
    RepositionPanel();
}

void CTKPTaskPanelGroup::SetInnerMargins(const CRect& rc)
{
    m_rcMarginsInner = rc;
    RepositionPanel();
}

// --- Rectangles ---------------------------------------------------------------------------------

CRect CTKPTaskPanelGroup::GetCaptionRect() const
{
    CRect rc(m_rcGroupCurrent.left, m_rcGroupCurrent.top, m_rcGroupCurrent.right,
        m_rcGroupCurrent.top + m_nCaptionHeight);
    if (m_pPanel) {
        // Leave room for a scroll button that stands in this caption.
        for (int i = 0; i < 2; ++i) {
            const CTKPTaskPanelScrollButton* pButton = m_pPanel->GetScrollButton(i == 0);
            if (pButton && pButton->IsVisible() && pButton->pGroupCaption == this) {
                const CTKPTaskPanelTheme* pTheme = m_pPanel->GetPaintManager();
                rc.right = min(rc.right, pButton->rcButton.left - (pTheme ? pTheme->GetGroupSpacing(m_pPanel) : 0) - 1);
            }
        }
    }
    return rc;
}

CRect CTKPTaskPanelGroup::GetTargetCaptionRect() const
{
    return CRect(m_rcGroupTarget.left, m_rcGroupTarget.top, m_rcGroupTarget.right,
        m_rcGroupTarget.top + m_nCaptionHeight);
}

CRect CTKPTaskPanelGroup::GetClientRect() const
{
    return CRect(m_rcGroupCurrent.left, m_rcGroupCurrent.top + m_nCaptionHeight, m_rcGroupCurrent.right,
        max(m_rcGroupCurrent.bottom, m_rcGroupCurrent.top + m_nCaptionHeight));
}

CRect CTKPTaskPanelGroup::GetTargetClientRect() const
{
    return CRect(m_rcGroupTarget.left, m_rcGroupTarget.top + m_nCaptionHeight, m_rcGroupTarget.right,
        max(m_rcGroupTarget.bottom, m_rcGroupTarget.top + m_nCaptionHeight));
}

int CTKPTaskPanelGroup::GetItemScrollOffset() const
{
    if (m_nFirstShownIndex <= 0)
        return 0;
    const CTKPTaskPanelGroupItem* pItem = GetAt(m_nFirstShownIndex);
    if (pItem == NULL)
        return 0;
    const CTKPTaskPanelTheme* pTheme = GetPaintManager();
    const int nInnerTop = pTheme ? pTheme->GetGroupInnerMargins(this).top : 0;
    return max(0, (int)(pItem->GetItemRect().top - nInnerTop));
}

BOOL CTKPTaskPanelGroup::IsItemShown(const CTKPTaskPanelGroupItem* pItem) const
{
    if (pItem == NULL || !pItem->IsVisible() || !IsExpanded())
        return FALSE;
    if (pItem->GetIndex() < m_nFirstShownIndex)
        return FALSE;
    const int nOffset = GetItemScrollOffset();
    const CRect& rc = pItem->GetItemRect();
    return rc.top - nOffset >= 0 && rc.bottom - nOffset <= GetTargetClientRect().Height();
}

// --- Hit testing --------------------------------------------------------------------------------

CTKPTaskPanelGroupItem* CTKPTaskPanelGroup::HitTest(CPoint point, CRect* pRect) const
{
    if (!IsExpanded() || m_pPanel == NULL)
        return NULL;
    const int nScroll = m_pPanel->GetScrollOffset();
    CPoint pt(point.x, point.y + nScroll);
    if (!GetClientRect().PtInRect(pt))
        return NULL;
    const int nItemScroll = GetItemScrollOffset();
    pt.y = pt.y - (m_rcGroupCurrent.top + m_nCaptionHeight) + nItemScroll;
    for (int i = max(0, m_nFirstShownIndex); i < GetItemCount(); ++i) {
        CTKPTaskPanelGroupItem* pItem = GetAt(i);
        if (!pItem->IsVisible() || !pItem->GetItemRect().PtInRect(pt))
            continue;
        if (pRect) {
            *pRect = pItem->GetItemRect();
            pRect->OffsetRect(0, m_rcGroupCurrent.top + m_nCaptionHeight - nItemScroll - nScroll);
        }
        return pItem;
    }
    return NULL;
}

// --- Layout -------------------------------------------------------------------------------------

int CTKPTaskPanelGroup::CalcClientHeight(CDC* pDC, const CRect& rc)
{
    CTKPTaskPanelTheme* pTheme = GetPaintManager();
    if (pTheme == NULL)
        return 0;
    const CRect rcOuter = pTheme->GetGroupOuterMargins(this);
    const CRect rcInner = pTheme->GetGroupInnerMargins(this);
    // Horizontally inside both margins; vertically from the client top (0), below the inner margin.
    CRect rcItems(rc.left + rcOuter.left + rcInner.left, rcInner.top, rc.right - rcOuter.right - rcInner.right,
        rcInner.top);
    if (rcItems.right < rcItems.left)
        rcItems.right = rcItems.left;
    m_nItemsInRow = 1;
    const int nBottom =
        GetItemLayout() == tkpTaskItemLayoutImages ? LayoutIconGrid(pDC, rcItems) : LayoutRows(pDC, rcItems);
    m_nClientHeight = nBottom + rcInner.bottom;
    // The caption is measured at the width the group is about to take.
    m_rcGroupTarget.left = rc.left + rcOuter.left;
    m_rcGroupTarget.right = rc.right - rcOuter.right;
    m_nCaptionHeight = pTheme->DrawGroupCaption(pDC, this, FALSE);
    return m_nClientHeight;
}

int CTKPTaskPanelGroup::LayoutRows(CDC* pDC, const CRect& rc)
{
    CTKPTaskPanelTheme* pTheme = GetPaintManager();
    int y = rc.top;
    if (m_pPanel && m_pPanel->IsColumns()) {
        const int nColumnWidth = max(1, m_pPanel->GetColumnWidth());
        const int nColumns = max(1, rc.Width() / nColumnWidth);
        int nColumn = 0;
        int nRowBottom = y;
        for (int i = 0; i < GetItemCount(); ++i) {
            CTKPTaskPanelGroupItem* pItem = GetAt(i);
            if (!pItem->IsVisible())
                continue;
            const int x = rc.left + nColumn * nColumnWidth;
            const CRect rcItem = pItem->OnReposition(pDC, CRect(x, y, x + nColumnWidth, y));
            nRowBottom = max(nRowBottom, (int)(rcItem.bottom + pTheme->GetItemOuterMargins(pItem).bottom));
            if (++nColumn == nColumns) {
                nColumn = 0;
                y = nRowBottom;
            }
        }
        m_nItemsInRow = nColumns;
        return nColumn > 0 ? nRowBottom : y;
    }
    for (int i = 0; i < GetItemCount(); ++i) {
        CTKPTaskPanelGroupItem* pItem = GetAt(i);
        if (!pItem->IsVisible())
            continue;
        const CRect rcItem = pItem->OnReposition(pDC, CRect(rc.left, y, rc.right, y));
        y = rcItem.bottom + pTheme->GetItemOuterMargins(pItem).bottom;
    }
    return y;
}

int CTKPTaskPanelGroup::LayoutIconGrid(CDC* pDC, const CRect& rc)
{
    CTKPTaskPanelTheme* pTheme = GetPaintManager();
    const CSize szIcon = GetIconSize();
    const CRect& rcPadding = pTheme->m_rcIconGridPadding;
    const int nCellWidth = max(1, (int)(szIcon.cx + rcPadding.left + rcPadding.right));
    const int nCellHeight = max(1, (int)(szIcon.cy + rcPadding.top + rcPadding.bottom));
    const int nColumns = max(1, rc.Width() / nCellWidth);
    int n = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        CTKPTaskPanelGroupItem* pItem = GetAt(i);
        if (!pItem->IsVisible())
            continue;
        const int x = rc.left + (n % nColumns) * nCellWidth;
        const int y = rc.top + (n / nColumns) * nCellHeight;
        pItem->OnReposition(pDC, CRect(x, y, x + nCellWidth, y + nCellHeight));
        ++n;
    }
    m_nItemsInRow = nColumns;
    m_nFirstShownIndex -= m_nFirstShownIndex % nColumns;
    const int nRows = (n + nColumns - 1) / nColumns;
    return rc.top + nRows * nCellHeight;
}

int CTKPTaskPanelGroup::GetAvailableClientHeight() const
{
    const CTKPTaskPanelTheme* pTheme = GetPaintManager();
    int nHeight = m_pPanel->GetClientHeight();
    const CRect rcControl = pTheme->GetControlMargins(m_pPanel);
    nHeight -= rcControl.top + rcControl.bottom;
    const int nSpacing = pTheme->GetGroupSpacing(m_pPanel);
    int nVisible = 0;
    for (int i = 0; i < m_pPanel->GetGroupCount(); ++i) {
        const CTKPTaskPanelGroup* pGroup = m_pPanel->GetAt(i);
        if (!pGroup->IsVisible())
            continue;
        ++nVisible;
        const CRect rcOuter = pTheme->GetGroupOuterMargins(pGroup);
        nHeight -= pGroup->m_nCaptionHeight + rcOuter.top + rcOuter.bottom;
        if (pGroup != this && pGroup->IsExpanded())
            nHeight -= pGroup->m_nClientHeight;
    }
    if (nVisible > 1)
        nHeight -= (nVisible - 1) * nSpacing;
    const CRect rcInner = pTheme->GetGroupInnerMargins(this);
    return max(nHeight, (int)(rcInner.top + max(32, (int)(GetIconSize().cy + rcInner.bottom)) + 2));
}

void CTKPTaskPanelGroup::DistributeSpareHeight(int nSpare)
{
    int nTotal = 0;
    CTKPTaskPanelGroupItem* pLast = NULL;
    for (int i = 0; i < GetItemCount(); ++i) {
        CTKPTaskPanelGroupItem* pItem = GetAt(i);
        if (pItem->IsVisible() && pItem->IsAutoHeight()) {
            nTotal += max(1, pItem->GetItemRect().Height());
            pLast = pItem;
        }
    }
    if (pLast == NULL)
        return;
    int nLeft = nSpare;
    int nShift = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        CTKPTaskPanelGroupItem* pItem = GetAt(i);
        if (!pItem->IsVisible())
            continue;
        CRect rc = pItem->GetItemRect();
        rc.OffsetRect(0, nShift);
        if (pItem->IsAutoHeight()) {
            const int nShare = pItem == pLast ? nLeft : nSpare * max(1, rc.Height()) / nTotal;
            rc.bottom += nShare;
            nShift += nShare;
            nLeft -= nShare;
        }
        pItem->SetItemRect(rc);
    }
}

CRect CTKPTaskPanelGroup::OnReposition(const CRect& rc, BOOL bAnimate)
{
    CTKPTaskPanelTheme* pTheme = GetPaintManager();
    const int nBehaviour = m_pPanel ? m_pPanel->GetBehaviour() : tkpTaskPanelBehaviourExplorer;
    if (nBehaviour == tkpTaskPanelBehaviourExplorer)
        m_nFirstShownIndex = 0;
    const CRect rcOuter = pTheme ? pTheme->GetGroupOuterMargins(this) : CRect(0, 0, 0, 0);
    m_rcGroupTarget.SetRect(rc.left + rcOuter.left, rc.top + rcOuter.top, rc.right - rcOuter.right,
        rc.top + rcOuter.top);

    if (nBehaviour != tkpTaskPanelBehaviourExplorer && m_pPanel && pTheme &&
        (m_pPanel->GetActiveGroup() == this || m_bExpanding)) {
        const int nAvailable = GetAvailableClientHeight();
        if (nAvailable > m_nClientHeight && GetItemLayout() != tkpTaskItemLayoutImages)
            DistributeSpareHeight(nAvailable - m_nClientHeight);
        m_nClientHeight = nAvailable;
        // No empty space below the last items while earlier ones are scrolled away.
        const int nInnerTop = pTheme->GetGroupInnerMargins(this).top;
        const CTKPTaskPanelGroupItem* pLast = GetNextVisibleItem(GetItemCount(), -1);
        while (m_nFirstShownIndex > 0 && pLast) {
            const int nPrevious = max(0, m_nFirstShownIndex - m_nItemsInRow);
            const CTKPTaskPanelGroupItem* pFirst = GetAt(nPrevious);
            const int nOffset = nPrevious == 0 ? 0 : pFirst->GetItemRect().top - nInnerTop;
            if (pLast->GetItemRect().bottom - nOffset > m_nClientHeight)
                break;
            m_nFirstShownIndex = nPrevious;
        }
        CTKPTaskPanelItem* pKeep = m_pPanel->GetFocusedItem();
        if (m_pPanel->IsSelectItemOnFocus()) {
            for (int i = 0; i < GetItemCount(); ++i) {
                if (GetAt(i)->IsItemSelected())
                    pKeep = GetAt(i);
            }
        }
        CTKPTaskPanelGroupItem* pKeepItem = DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, pKeep);
        if (pKeepItem && pKeepItem->GetItemGroup() == this)
            EnsureVisibleItem(pKeepItem, FALSE);
    }

    m_rcGroupTarget.bottom = m_rcGroupTarget.top + m_nCaptionHeight + (IsExpanded() ? m_nClientHeight : 0);
    const BOOL bGlide = bAnimate && m_pPanel && m_pPanel->IsAnimationEnabled() && !m_rcGroupCurrent.IsRectNull();
    if (bGlide) {
        m_rcGroupCurrent.left = m_rcGroupTarget.left;
        m_rcGroupCurrent.right = m_rcGroupTarget.right;
    } else {
        m_rcGroupCurrent = m_rcGroupTarget;
    }
    return m_rcGroupTarget;
}

BOOL CTKPTaskPanelGroup::OnAnimate(int nStep)
{
    m_rcGroupCurrent.left = m_rcGroupTarget.left;
    m_rcGroupCurrent.right = m_rcGroupTarget.right;
    if (nStep < 1) {
        m_rcGroupCurrent = m_rcGroupTarget;
    } else {
        const int dTop = m_rcGroupTarget.top - m_rcGroupCurrent.top;
        if (dTop != 0)
            m_rcGroupCurrent.top += (dTop > 0 ? 1 : -1) * max(1, abs(dTop) / nStep);
        const int dBottom = m_rcGroupTarget.bottom - m_rcGroupCurrent.bottom;
        if (dBottom != 0)
            m_rcGroupCurrent.bottom += (dBottom > 0 ? 1 : -1) * max(1, abs(dBottom) / nStep);
    }
    const BOOL bMoving = m_rcGroupCurrent != m_rcGroupTarget;
    if (!bMoving && m_bExpanding) {
        m_bExpanding = FALSE;
        if (m_pPanel)
            m_pPanel->NotifyOwner(tkpTPN_GroupExpanded, (LPARAM)this);
    }
    for (int i = 0; i < GetItemCount(); ++i)
        GetAt(i)->OnAnimate(nStep);
    return bMoving;
}

void CTKPTaskPanelGroup::OnDraw(CDC* pDC)
{
    CTKPTaskPanelTheme* pTheme = GetPaintManager();
    if (pTheme == NULL)
        return;
    pTheme->DrawGroupCaption(pDC, this, TRUE);
    pTheme->DrawGroupClient(pDC, this);
}

void CTKPTaskPanelGroup::SetSelectedItem(CTKPTaskPanelGroupItem* pItem)
{
    for (int i = 0; i < GetItemCount(); ++i) {
        CTKPTaskPanelGroupItem* pEach = GetAt(i);
        pEach->m_bSelected = pEach == pItem;
    }
    RedrawPanel();
}

// --- Item scrolling -----------------------------------------------------------------------------

BOOL CTKPTaskPanelGroup::CanScroll(BOOL bUp) const
{
    if (bUp)
        return m_nFirstShownIndex != 0;
    const CTKPTaskPanelGroupItem* pLast = GetNextVisibleItem(GetItemCount(), -1);
    if (pLast == NULL)
        return FALSE;
    return pLast->GetItemRect().bottom - GetItemScrollOffset() > GetTargetClientRect().Height();
}

void CTKPTaskPanelGroup::ScrollItems(int nStep)
{
    SetFirstShownIndex(m_nFirstShownIndex + nStep, TRUE);
}

void CTKPTaskPanelGroup::SetFirstShownIndex(int nIndex, BOOL bUpdate)
{
    // Rounded down to a row start, then kept within the items; an empty group gives 0 instead of -1,
    // an index no item has.
    if (m_nItemsInRow > 1)
        nIndex -= nIndex % m_nItemsInRow;
    nIndex = max(0, min(nIndex, GetItemCount() - 1));
    if (nIndex == m_nFirstShownIndex)
        return;
    m_nFirstShownIndex = nIndex;
    if (bUpdate && m_pPanel)
        m_pPanel->OnGroupItemsScrolled(this);
}

void CTKPTaskPanelGroup::EnsureVisibleItem(CTKPTaskPanelGroupItem* pItem, BOOL bUpdate)
{
    const int nIndex = m_pItems->IndexOf(pItem);
    if (nIndex < 0)
        return;
    if (nIndex < m_nFirstShownIndex) {
        SetFirstShownIndex(nIndex, bUpdate);
        return;
    }
    const CTKPTaskPanelTheme* pTheme = GetPaintManager();
    const int nInnerTop = pTheme ? pTheme->GetGroupInnerMargins(this).top : 0;
    const int nClientHeight = m_nClientHeight;
    if (pItem->GetItemRect().bottom - GetItemScrollOffset() <= nClientHeight)
        return;
    const int nStep = max(1, m_nItemsInRow);
    for (int i = m_nFirstShownIndex; i <= nIndex; i += nStep) {
        const int nOffset = i == 0 ? 0 : GetAt(i)->GetItemRect().top - nInnerTop;
        if (pItem->GetItemRect().bottom - nOffset <= nClientHeight || i + nStep > nIndex) {
            SetFirstShownIndex(i, bUpdate);
            return;
        }
    }
}

BOOL CTKPTaskPanelGroup::IsDropTargetInside() const
{
    const CTKPTaskPanelItem* pTarget = m_pPanel ? m_pPanel->GetDropTargetItem() : NULL;
    return pTarget && pTarget != this && pTarget->GetItemGroup() == this;
}

// --- Accessibility ------------------------------------------------------------------------------

long CTKPTaskPanelGroup::GetAccessibleState() const
{
    return CTKPTaskPanelItem::GetAccessibleState() | (IsExpanded() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
}

STDMETHODIMP CTKPTaskPanelGroup::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (pszDefaultAction == NULL || GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszDefaultAction = ::SysAllocString(L"Expand");
    return S_OK;
}

STDMETHODIMP CTKPTaskPanelGroup::accDoDefaultAction(VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    SetExpanded(!IsExpanded());
    return S_OK;
}
