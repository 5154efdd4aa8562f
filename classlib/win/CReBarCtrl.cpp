#include "classlib/win/CReBarCtrl.h"

IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)

BOOL CReBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(REBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CReBarCtrl::GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const
{
    prbbi->cbSize = kBandInfoSize;
    return (BOOL)::SendMessage(m_hWnd, RB_GETBANDINFO, uBand, (LPARAM)prbbi);
}

BOOL CReBarCtrl::SetBandInfo(UINT uBand, REBARBANDINFO* prbbi)
{
    prbbi->cbSize = kBandInfoSize;
    return (BOOL)::SendMessage(m_hWnd, RB_SETBANDINFO, uBand, (LPARAM)prbbi);
}

BOOL CReBarCtrl::InsertBand(UINT uIndex, REBARBANDINFO* prbbi)
{
    prbbi->cbSize = kBandInfoSize;
    return (BOOL)::SendMessage(m_hWnd, RB_INSERTBAND, uIndex, (LPARAM)prbbi);
}

BOOL CReBarCtrl::GetBarInfo(REBARINFO* prbi) const
{
    prbi->cbSize = sizeof(REBARINFO);
    return (BOOL)::SendMessage(m_hWnd, RB_GETBARINFO, 0, (LPARAM)prbi);
}

BOOL CReBarCtrl::SetBarInfo(REBARINFO* prbi)
{
    prbi->cbSize = sizeof(REBARINFO);
    return (BOOL)::SendMessage(m_hWnd, RB_SETBARINFO, 0, (LPARAM)prbi);
}
