#include "toolkit/tabs/TabManager.h"

#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabTheme.h"

CTKPTabManager::CTKPTabManager()
    : m_pSelected(NULL), m_pHot(NULL), m_nScrollOffset(0), m_bAllowReorder(TRUE), m_bActive(TRUE), m_szFixed(70, 18),
      m_szMin(0, 0), m_szMax(0, 0), m_rcClip(0, 0, 0, 0), m_rcTabArea(0, 0, 0, 0), m_rcClient(0, 0, 0, 0),
      m_pRows(NULL), m_nScrollStep(20)
{
    m_pRows = new CTKPTabManagerRows(this);
    m_arrNavigateButtons.Add(new CTKPTabManagerScrollButton(this, CTKPTabManagerNavigateButton::idScrollStart));
    m_arrNavigateButtons.Add(new CTKPTabManagerScrollButton(this, CTKPTabManagerNavigateButton::idScrollEnd));
    m_arrNavigateButtons.Add(new CTKPTabManagerCloseButton(this));
}

CTKPTabManager::~CTKPTabManager()
{
    for (INT_PTR i = 0; i < m_arrTabs.GetSize(); ++i) {
        m_arrTabs[i]->m_pManager = NULL;
        m_arrTabs[i]->m_nIndex = -1;
        m_arrTabs[i]->InternalRelease();
    }
    m_arrTabs.RemoveAll();
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); ++i)
        delete m_arrNavigateButtons[i];
    m_arrNavigateButtons.RemoveAll();
    delete m_pRows;
}

void CTKPTabManager::RequestReposition()
{
    Reposition();
}

CString CTKPTabManager::GetTabCaption(const CTKPTabManagerItem* pItem) const
{
    return pItem->m_strCaption;
}

int CTKPTabManager::GetTabImage(const CTKPTabManagerItem* pItem) const
{
    return pItem->m_nImage;
}

COLORREF CTKPTabManager::GetTabColor(const CTKPTabManagerItem* pItem) const
{
    const COLORREF clr = pItem->m_clrTab;
    if (clr >= TKP_TAB_COLOR_INDEX && clr < TKP_TAB_COLOR_INDEX + 8)
        return CTKPTabTheme::GetTabColorFromIndex(static_cast<int>(clr));
    return clr;
}

CString CTKPTabManager::GetTabTooltip(const CTKPTabManagerItem* pItem) const
{
    return pItem->m_strTooltip;
}

void CTKPTabManager::OnTabsChanged()
{
    for (INT_PTR i = 0; i < m_arrTabs.GetSize(); ++i)
        m_arrTabs[i]->m_nIndex = static_cast<int>(i);
    Reposition();
}

void CTKPTabManager::SetSelectedTab(CTKPTabManagerItem* pItem)
{
    if (pItem == m_pSelected)
        return;
    // A tab of another row is refused: as this row's selection it would dangle once its row lets it go.
    if (pItem && pItem->m_pManager != this)
        return;
    m_pSelected = pItem;
    Reposition();
    EnsureVisible(pItem);
}

void CTKPTabManager::ClickTab(CTKPTabManagerItem* pItem)
{
    if (pItem)
        OnTabClick(pItem);
}

void CTKPTabManager::GetItemMetrics(CSize* pszFixed, CSize* pszMin, CSize* pszMax) const
{
    if (pszFixed)
        *pszFixed = m_szFixed;
    if (pszMin)
        *pszMin = m_szMin;
    if (pszMax)
        *pszMax = m_szMax;
}

void CTKPTabManager::SetItemMetrics(CSize szFixed, CSize szMin, CSize szMax)
{
    m_szFixed = szFixed;
    m_szMin = szMin;
    m_szMax = szMax;
}

BOOL CTKPTabManager::IsAllowReorder() const
{
    return m_bAllowReorder;
}

void CTKPTabManager::SetAllowReorder(BOOL bAllow)
{
    m_bAllowReorder = bAllow;
}

BOOL CTKPTabManager::GetThemeValue() const
{
    CTKPTabTheme* pTheme = GetPaintManager();
    return pTheme ? pTheme->m_bStaticFrame : FALSE;
}

int CTKPTabManager::GetPosition() const
{
    CTKPTabTheme* pTheme = GetPaintManager();
    return pTheme ? pTheme->GetPosition() : tktab::posTop;
}

void CTKPTabManager::ScrollTabs(int nDirection)
{
    SetScrollOffset(nDirection == 0 ? m_nScrollOffset + m_nScrollStep : m_nScrollOffset - m_nScrollStep);
}

BOOL CTKPTabManager::IsNavButtonEnabled(const CTKPTabManagerNavigateButton* pButton) const
{
    switch (pButton->GetId()) {
    case CTKPTabManagerNavigateButton::idScrollStart:
    case CTKPTabManagerNavigateButton::idScrollEnd:
        return TRUE;
    case CTKPTabManagerNavigateButton::idClose:
        return m_pSelected ? m_pSelected->IsClosable() : FALSE;
    default:
        return FALSE;
    }
}

void CTKPTabManager::OnTabClick(CTKPTabManagerItem* pItem)
{
    SetSelectedTab(pItem);
}

void CTKPTabManager::OnNavigateButtonClick(int /*nId*/) {}

BOOL CTKPTabManager::IsDrawingLocked() const
{
    return FALSE;
}

BOOL CTKPTabManager::HasFocus() const
{
    return FALSE;
}

CTKPTabManagerItem* CTKPTabManager::InsertTab(int nIndex, CTKPTabManagerItem* pItem)
{
    if (!pItem)
        pItem = new CTKPTabManagerItem;
    const int nCount = GetItemCount();
    if (nIndex < 0 || nIndex > nCount)
        nIndex = nCount;
    m_arrTabs.InsertAt(nIndex, pItem);
    pItem->m_pManager = this;
    pItem->m_nIndex = nIndex;

    // Consecutive tabs cycle through the theme's eight tab colours.
    CTKPTabTheme* pTheme = GetPaintManager();
    if (pTheme) {
        pItem->m_clrTab = TKP_TAB_COLOR_INDEX + static_cast<COLORREF>(pTheme->m_nColorCounter % 8);
        ++pTheme->m_nColorCounter;
    } else {
        // Without a theme there is no counter to read through: the first of the eight colours.
        pItem->m_clrTab = TKP_TAB_COLOR_INDEX;
    }
    OnTabsChanged();
    return pItem;
}

BOOL CTKPTabManager::DeleteTab(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    CTKPTabManagerItem* pItem = m_arrTabs[nIndex];
    m_arrTabs.RemoveAt(nIndex);
    if (m_pHot == pItem)
        m_pHot = NULL;
    if (m_pSelected == pItem) {
        const int nCount = GetItemCount();
        m_pSelected = nCount == 0 ? NULL : m_arrTabs[nIndex < nCount ? nIndex : nCount - 1];
    }
    pItem->m_pManager = NULL;
    pItem->m_nIndex = -1;
    pItem->InternalRelease();
    OnTabsChanged();
    return TRUE;
}

void CTKPTabManager::DeleteAllTabs()
{
    for (INT_PTR i = 0; i < m_arrTabs.GetSize(); ++i) {
        m_arrTabs[i]->m_pManager = NULL;
        m_arrTabs[i]->m_nIndex = -1;
        m_arrTabs[i]->InternalRelease();
    }
    m_arrTabs.RemoveAll();
    m_pSelected = NULL;
    m_pHot = NULL;
    OnTabsChanged();
}

CTKPTabManagerItem* CTKPTabManager::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_arrTabs[nIndex] : NULL;
}

CTKPTabManagerItem* CTKPTabManager::FindNextTab(int nStart, int nStep) const
{
    // A step of 0 finds nothing, where the walk would never leave the list.
    if (nStep == 0)
        return NULL;
    for (int i = nStart; i >= 0 && i < GetItemCount(); i += nStep) {
        CTKPTabManagerItem* pItem = m_arrTabs[i];
        if (pItem->IsEnabled() && pItem->IsVisible())
            return pItem;
    }
    return NULL;
}

CTKPTabManagerItem* CTKPTabManager::HitTest(CPoint pt) const
{
    if (!m_rcTabArea.PtInRect(pt))
        return NULL;
    if (!m_rcClip.IsRectEmpty() && !m_rcClip.PtInRect(pt))
        return NULL;
    for (INT_PTR i = 0; i < m_arrTabs.GetSize(); ++i) {
        CTKPTabManagerItem* pItem = m_arrTabs[i];
        if (pItem->m_rcItem.PtInRect(pt) && pItem->IsVisible() && pItem->IsEnabled())
            return pItem;
    }
    return NULL;
}

CTKPTabManagerNavigateButton* CTKPTabManager::GetNavigateButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetNavigateButtonCount() ? m_arrNavigateButtons[nIndex] : NULL;
}

CTKPTabManagerNavigateButton* CTKPTabManager::FindNavigateButton(int nId) const
{
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); ++i) {
        if (m_arrNavigateButtons[i]->GetId() == nId)
            return m_arrNavigateButtons[i];
    }
    return NULL;
}

int CTKPTabManager::GetTotalLength() const
{
    CTKPTabTheme* pTheme = GetPaintManager();
    if (pTheme && pTheme->GetLayout() == tktab::layoutRotated && pTheme->GetAppearanceObject()) {
        // Visible tabs only: hidden ones take no row here, where counting them scrolled past the end.
        int nVisible = 0;
        for (INT_PTR i = 0; i < m_arrTabs.GetSize(); ++i)
            nVisible += m_arrTabs[i]->IsVisible() ? 1 : 0;
        return nVisible * pTheme->GetAppearanceObject()->GetRowHeight(const_cast<CTKPTabManager*>(this));
    }
    int nTotal = 0;
    for (INT_PTR i = 0; i < m_arrTabs.GetSize(); ++i)
        nTotal += m_arrTabs[i]->m_nLength;
    return nTotal;
}

void CTKPTabManager::SetScrollOffset(int nOffset)
{
    if (nOffset > 0)
        nOffset = 0;
    if (nOffset == m_nScrollOffset)
        return;
    m_nScrollOffset = nOffset;
    Reposition();
}

void CTKPTabManager::EnsureVisible(CTKPTabManagerItem* pItem)
{
    CTKPTabTheme* pTheme = GetPaintManager();
    if (pItem && pTheme)
        pTheme->EnsureTabVisible(this, pItem);
}
