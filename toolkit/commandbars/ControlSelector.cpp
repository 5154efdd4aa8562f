#include "toolkit/commandbars/ControlSelector.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/SavedLayoutLimits.h"

#include <algorithm>

IMPLEMENT_SERIAL(CTKPControlSelector, CTKPControl, VERSIONABLE_SCHEMA | 16)

namespace {

// The most columns or rows a grid read from a saved layout may have.
const int kMaxSavedCells = 100;

}  // namespace

CTKPControlSelector::CTKPControlSelector()
    : m_szItemsCount(5, 4), m_szItemsMax(12, 12), m_szSelection(0, 0), m_szItem(28, 28), m_szChosen(0, 0),
      m_szShown(5, 4), m_bGrowing(FALSE)
{}

void CTKPControlSelector::SetSelection(int nColumns, int nRows, BOOL bForce)
{
    if (!bForce && m_szSelection == CSize(nColumns, nRows))
        return;
    m_szSelection = CSize(nColumns, nRows);
    RedrawParent();
    NotifySite(TKPN_SELECTOR_CHANGED);
}

void CTKPControlSelector::OnCalcDynamicSize(DWORD)
{
    if (m_bGrowing)
        return;
    m_szSelection = CSize(0, 0);
    m_szShown = m_szItemsCount;
    SetSelection(0, 0, TRUE);
}

CSize CTKPControlSelector::GetSize(CDC*)
{
    return CSize(m_szShown.cx * m_szItem.cx, m_szShown.cy * m_szItem.cy);
}

void CTKPControlSelector::Draw(CDC* pDC)
{
    CTKPColorManager* pColors = GetColorManager();
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    for (int nColumn = 0; nColumn < m_szShown.cx; ++nColumn) {
        for (int nRow = 0; nRow < m_szShown.cy; ++nRow) {
            CRect rcCell(CPoint(m_rcControl.left + nColumn * m_szItem.cx, m_rcControl.top + nRow * m_szItem.cy),
                m_szItem);
            rcCell.DeflateRect(1, 1);
            const BOOL bSelected = nColumn < m_szSelection.cx && nRow < m_szSelection.cy;
            pDC->FillSolidRect(rcCell, pColors->GetColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            const COLORREF clrText = bSelected ? pColors->GetColor(COLOR_HIGHLIGHTTEXT) : pTheme->GetColor(46);
            const COLORREF clrFrame = pTheme->GetColor(43);
            pDC->Draw3dRect(rcCell, clrFrame, clrFrame);
            DrawCell(pDC, rcCell, clrText);
        }
    }
}

void CTKPControlSelector::OnMouseMove(CPoint point)
{
    int nColumns = 0, nRows = 0;
    for (int i = 0; i < m_szShown.cx; ++i)
        nColumns += m_rcControl.left + i * m_szItem.cx < point.x ? 1 : 0;
    for (int i = 0; i < m_szShown.cy; ++i)
        nRows += m_rcControl.top + i * m_szItem.cy < point.y ? 1 : 0;
    SetSelection(nColumns, nRows, FALSE);
}

CSize CTKPControlSelector::CalcGrownGrid(CPoint point) const
{
    CSize szGrid = m_szShown;
    if (m_szItem.cx <= 0 || m_szItem.cy <= 0)
        return szGrid;
    if (point.x >= m_rcControl.right)
        szGrid.cx = std::min<int>((point.x - m_rcControl.left) / m_szItem.cx + 1, m_szItemsMax.cx);
    if (point.y >= m_rcControl.bottom)
        szGrid.cy = std::min<int>((point.y - m_rcControl.top) / m_szItem.cy + 1, m_szItemsMax.cy);
    szGrid.cx = std::max<int>(szGrid.cx, m_szShown.cx);
    szGrid.cy = std::max<int>(szGrid.cy, m_szShown.cy);
    return szGrid;
}

BOOL CTKPControlSelector::SetSelected(int nSelected)
{
    if (nSelected == 0 && m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL && ::GetKeyState(VK_LBUTTON) < 0) {
        CPoint point;
        ::GetCursorPos(&point);
        m_pParent->ScreenToClient(&point);
        const CSize szGrid = CalcGrownGrid(point);
        if (szGrid != m_szShown) {
            CTKPRefHolder hold(this);
            m_szShown = szGrid;
            m_bGrowing = TRUE;
            m_pParent->OnRecalcLayout();
            m_bGrowing = FALSE;
            OnMouseMove(point);
            return FALSE;
        }
    }
    return CTKPControl::SetSelected(nSelected);
}

void CTKPControlSelector::OnClick(BOOL, CPoint)
{
    if (m_szSelection.cx <= 0 || m_szSelection.cy <= 0)
        return;
    m_szChosen = m_szSelection;
    OnExecute();
}

void CTKPControlSelector::Copy(CTKPControl* pSource, BOOL bRecursive)
{
    CTKPControlSelector* pSelector = DYNAMIC_DOWNCAST(CTKPControlSelector, pSource);
    if (pSelector != NULL && pSelector != this) {
        m_szItemsCount = pSelector->m_szItemsCount;
        m_szItemsMax = pSelector->m_szItemsMax;
        m_szItem = pSelector->m_szItem;
    }
    CTKPControl::Copy(pSource, bRecursive);
}

void CTKPControlSelector::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPControl::DoPropExchange(pPX);
    PropExchangeSize(pPX, L"ItemsCount", m_szItemsCount, CSize(5, 4));
    PropExchangeSize(pPX, L"ItemsMax", m_szItemsMax, CSize(12, 12));
    PropExchangeSize(pPX, L"ItemSize", m_szItem, CSize(28, 28));
    if (pPX->IsLoading()) {
        m_szItemsCount = TKPClampSavedSize(m_szItemsCount, kMaxSavedCells);
        m_szItemsMax = TKPClampSavedSize(m_szItemsMax, kMaxSavedCells);
        m_szItem = TKPClampSavedSize(m_szItem);
    }
}
