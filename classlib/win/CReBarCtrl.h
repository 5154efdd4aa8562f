// CReBarCtrl: a rebar common control (bands that hold child windows).
#pragma once

#include "classlib/win/CWnd.h"
#include "classlib/win/Geometry.h"

#include <commctrl.h>
#include <cstddef>

class CReBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    CReBarCtrl() {}

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetBandCount() const { return (UINT)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0); }
    // The size field of prbbi is filled in here.
    BOOL GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const;
    BOOL SetBandInfo(UINT uBand, REBARBANDINFO* prbbi);
    BOOL InsertBand(UINT uIndex, REBARBANDINFO* prbbi);
    BOOL DeleteBand(UINT uBand) { return (BOOL)::SendMessage(m_hWnd, RB_DELETEBAND, uBand, 0); }
    BOOL GetBarInfo(REBARINFO* prbi) const;
    BOOL SetBarInfo(REBARINFO* prbi);
    UINT GetBarHeight() const { return (UINT)::SendMessage(m_hWnd, RB_GETBARHEIGHT, 0, 0); }
    BOOL GetRect(UINT uBand, LPRECT prc) const { return (BOOL)::SendMessage(m_hWnd, RB_GETRECT, uBand, (LPARAM)prc); }
    UINT GetRowCount() const { return (UINT)::SendMessage(m_hWnd, RB_GETROWCOUNT, 0, 0); }
    UINT GetRowHeight(UINT uRow) const { return (UINT)::SendMessage(m_hWnd, RB_GETROWHEIGHT, uRow, 0); }
    int IDToIndex(UINT uBandID) const { return (int)::SendMessage(m_hWnd, RB_IDTOINDEX, uBandID, 0); }
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE) { return (BOOL)::SendMessage(m_hWnd, RB_SHOWBAND, uBand, fShow); }
    void MinimizeBand(UINT uBand) { ::SendMessage(m_hWnd, RB_MINIMIZEBAND, uBand, 0); }
    void MaximizeBand(UINT uBand) { ::SendMessage(m_hWnd, RB_MAXIMIZEBAND, uBand, 0); }
    BOOL SizeToRect(CRect& rect) { return (BOOL)::SendMessage(m_hWnd, RB_SIZETORECT, 0, (LPARAM)(LPRECT)rect); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)::SendMessage(m_hWnd, RB_SETBKCOLOR, 0, clr); }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)::SendMessage(m_hWnd, RB_SETTEXTCOLOR, 0, clr); }

    // The size of band records this layer sends (up to cxHeader): every common-controls version
    // takes it.
    static const UINT kBandInfoSize = (UINT)(offsetof(REBARBANDINFOW, cxHeader) + sizeof(UINT));
};
