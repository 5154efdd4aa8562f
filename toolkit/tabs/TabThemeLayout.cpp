// The tab theme's layout operations: the portable row rules run over a tab manager, its appearance
// and its navigation buttons.
#include "toolkit/tabs/TabTheme.h"

#include "toolkit/common/TabRowLayout.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabRect.h"

namespace {

// The row as the layout rules see it.
class ManagerRow : public CTKPTabRowModel {
public:
    ManagerRow(CTKPTabManager* pManager, CTKPTabAppearance* pAppearance, CDC* pDC)
        : m_pManager(pManager), m_pAppearance(pAppearance), m_pDC(pDC)
    {}

    int GetTabCount() const override { return m_pManager->GetItemCount(); }
    bool IsTabVisible(int i) const override { return Item(i)->IsVisible() != FALSE; }
    int MeasureTab(int i) override { return m_pAppearance->GetTabWidth(m_pDC, Item(i)); }
    int GetTabLength(int i) const override { return Item(i)->GetLength(); }
    void SetTabLength(int i, int length) override { Item(i)->SetLength(length); }
    void SetTabNaturalLength(int i, int length) override { Item(i)->SetNaturalLength(length); }
    tktab::Rect GetTabRect(int i) const override { return ToTabRect(Item(i)->GetRect()); }
    void SetTabRect(int i, const tktab::Rect& rect) override { Item(i)->SetRect(FromTabRect(rect)); }
    void SetTabRow(int i, int row) override { Item(i)->SetRow(row); }
    int GetSelectedIndex() const override
    {
        CTKPTabManagerItem* pSelected = m_pManager->GetSelectedItem();
        return pSelected ? pSelected->GetIndex() : -1;
    }

    int GetRowCount() const override { return m_pManager->GetRows()->GetCount(); }
    void SetRowCount(int count) override { m_pManager->GetRows()->SetCount(count); }
    void GetRow(int row, int& first, int& last) const override { m_pManager->GetRows()->GetRow(row, first, last); }
    void SetRow(int row, int first, int last) override { m_pManager->GetRows()->SetRow(row, first, last); }

    tktab::Rect GetClipRect() const override { return ToTabRect(m_pManager->GetClipRect()); }
    void SetClipRect(const tktab::Rect& rect) override { m_pManager->SetClipRect(FromTabRect(rect)); }
    int GetScrollOffset() const override { return m_pManager->GetScrollOffset(); }
    void SetScrollOffsetField(int offset) override { m_pManager->SetScrollOffsetField(offset); }
    int GetTotalLength() const override { return m_pManager->GetTotalLength(); }

    tktab::Rect GetHeaderRect(const tktab::Rect& control) override
    {
        CRect rcHeader;
        m_pAppearance->GetHeaderRect(rcHeader, FromTabRect(control), m_pManager);
        return ToTabRect(rcHeader);
    }

    int GetNavigateButtonCount() const override { return m_pManager->GetNavigateButtonCount(); }
    void AdjustNavigateButtonLength(int button, int& length) override
    {
        m_pManager->GetNavigateButton(button)->AdjustLength(length);
    }
    void RepositionNavigateButton(int button, tktab::Rect& row) override
    {
        CRect rc = FromTabRect(row);
        m_pManager->GetNavigateButton(button)->Reposition(rc);
        row = ToTabRect(rc);
    }

private:
    CTKPTabManagerItem* Item(int i) const { return m_pManager->GetItem(i); }

    CTKPTabManager* m_pManager;
    CTKPTabAppearance* m_pAppearance;
    CDC* m_pDC;
};

TKTabRowMetrics MetricsOf(const CTKPTabTheme* pTheme, CTKPTabManager* pManager)
{
    TKTabRowMetrics metrics;
    metrics.position = pTheme->GetPositionOf(pManager);
    metrics.layout = pTheme->GetLayout();
    metrics.staticFrame = pTheme->m_bStaticFrame != FALSE;
    metrics.controlMargin = ToTabRect(pTheme->m_rcControlMargin);
    metrics.balancedRows = pTheme->m_bBalancedRows != FALSE;
    metrics.keepRowOrder = pTheme->m_bKeepRowOrder != FALSE;
    CTKPTabAppearance* pAppearance = pTheme->GetAppearanceObject();
    CRect rcMargin(0, 0, 0, 0);
    pAppearance->GetHeaderMargin(rcMargin);
    metrics.headerMargin = ToTabRect(rcMargin);
    metrics.rowHeight = pAppearance->GetRowHeight(pManager);
    metrics.rowSpacing = pAppearance->m_nRowSpacing;
    return metrics;
}

}  // namespace

void CTKPTabTheme::LayoutTabs(CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    if (!m_pAppearance)
        return;
    ManagerRow row(pManager, m_pAppearance, pDC);
    CTKPTabRowLayout(row, MetricsOf(this, pManager)).LayoutTabs(ToTabRect(rcControl));
}

void CTKPTabTheme::LayoutMultiRow(CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    if (!m_pAppearance)
        return;
    ManagerRow row(pManager, m_pAppearance, pDC);
    CTKPTabRowLayout(row, MetricsOf(this, pManager)).LayoutMultiRow(ToTabRect(rcControl));
}

void CTKPTabTheme::ArrangeRows(CTKPTabManager* pManager, CDC* pDC, int nLength)
{
    if (!m_pAppearance)
        return;
    ManagerRow row(pManager, m_pAppearance, pDC);
    CTKPTabRowLayout(row, MetricsOf(this, pManager)).ArrangeRows(nLength);
}

BOOL CTKPTabTheme::FillRows(CTKPTabManager* pManager, int nLength, int nRow, int nRemaining)
{
    if (!m_pAppearance)
        return FALSE;
    ManagerRow row(pManager, m_pAppearance, NULL);
    return CTKPTabRowLayout(row, MetricsOf(this, pManager)).FillRows(nLength, nRow, nRemaining);
}

void CTKPTabTheme::ShrinkTabsToFit(CTKPTabManager* pManager, int nLength)
{
    if (!m_pAppearance)
        return;
    ManagerRow row(pManager, m_pAppearance, NULL);
    CTKPTabRowLayout(row, MetricsOf(this, pManager)).ShrinkTabsToFit(nLength);
}

CRect CTKPTabTheme::GetTabAreaRect(CTKPTabManager* pManager, CRect rcControl)
{
    if (!m_pAppearance)
        return rcControl;
    ManagerRow row(pManager, m_pAppearance, NULL);
    return FromTabRect(CTKPTabRowLayout(row, MetricsOf(this, pManager)).GetTabAreaRect(ToTabRect(rcControl)));
}

void CTKPTabTheme::EnsureTabVisible(CTKPTabManager* pManager, CTKPTabManagerItem* pItem)
{
    if (!m_pAppearance || !pItem || pItem->GetManager() != pManager)
        return;
    ManagerRow row(pManager, m_pAppearance, NULL);
    const int nOffset = CTKPTabRowLayout(row, MetricsOf(this, pManager)).GetOffsetToShow(pItem->GetIndex());
    pManager->SetScrollOffset(nOffset);
}
