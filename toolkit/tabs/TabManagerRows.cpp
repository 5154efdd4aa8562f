#include "toolkit/tabs/TabManagerRows.h"

#include "toolkit/tabs/TabManager.h"

CTKPTabManagerRows::CTKPTabManagerRows(CTKPTabManager* pManager) : m_pRows(NULL), m_nCount(0), m_pManager(pManager)
{
    SetCount(1);
}

CTKPTabManagerRows::~CTKPTabManagerRows()
{
    delete[] m_pRows;
}

void CTKPTabManagerRows::SetCount(int nCount)
{
    if (nCount < 0)
        nCount = 0;
    if (nCount != m_nCount) {
        delete[] m_pRows;
        m_pRows = nCount > 0 ? new Row[nCount] : NULL;
        m_nCount = nCount;
    }
    const int nTabs = m_pManager ? m_pManager->GetItemCount() : 0;
    for (int i = 0; i < m_nCount; ++i)
        m_pRows[i] = Row{nTabs, nTabs - 1};
    if (m_nCount > 0)
        m_pRows[0] = Row{0, nTabs - 1};
}

void CTKPTabManagerRows::GetRow(int nRow, int& nFirst, int& nLast) const
{
    if (nRow < 0 || nRow >= m_nCount) {
        nFirst = 0;
        nLast = -1;
        return;
    }
    nFirst = m_pRows[nRow].nFirst;
    nLast = m_pRows[nRow].nLast;
}

void CTKPTabManagerRows::SetRow(int nRow, int nFirst, int nLast)
{
    if (nRow >= 0 && nRow < m_nCount)
        m_pRows[nRow] = Row{nFirst, nLast};
}
