#include "classlib/win/CBitmapButton.h"
#include "classlib/win/CDC.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

BOOL CBitmapButton::LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel,
                                LPCTSTR lpszBitmapResourceFocus, LPCTSTR lpszBitmapResourceDisabled)
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();

    if (!m_bitmap.LoadBitmap(lpszBitmapResource))
        return FALSE;
    BOOL bAllLoaded = TRUE;
    if (lpszBitmapResourceSel != nullptr && !m_bitmapSel.LoadBitmap(lpszBitmapResourceSel))
        bAllLoaded = FALSE;
    if (lpszBitmapResourceFocus != nullptr && !m_bitmapFocus.LoadBitmap(lpszBitmapResourceFocus))
        bAllLoaded = FALSE;
    if (lpszBitmapResourceDisabled != nullptr && !m_bitmapDisabled.LoadBitmap(lpszBitmapResourceDisabled))
        bAllLoaded = FALSE;
    return bAllLoaded;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel, UINT nIDBitmapResourceFocus,
                                UINT nIDBitmapResourceDisabled)
{
    return LoadBitmaps(MAKEINTRESOURCE(nIDBitmapResource),
                       nIDBitmapResourceSel ? MAKEINTRESOURCE(nIDBitmapResourceSel) : nullptr,
                       nIDBitmapResourceFocus ? MAKEINTRESOURCE(nIDBitmapResourceFocus) : nullptr,
                       nIDBitmapResourceDisabled ? MAKEINTRESOURCE(nIDBitmapResourceDisabled) : nullptr);
}

void CBitmapButton::SizeToContent()
{
    BITMAP bm = {};
    if (m_bitmap.GetSafeHandle() == nullptr || !m_bitmap.GetBitmap(&bm))
        return;
    ::SetWindowPos(m_hWnd, nullptr, -1, -1, bm.bmWidth, bm.bmHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr || m_bitmap.GetSafeHandle() == nullptr)
        return;
    CBitmap* pBitmap = &m_bitmap;
    UINT state = lpDIS->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.GetSafeHandle() != nullptr)
        pBitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle() != nullptr)
        pBitmap = &m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle() != nullptr)
        pBitmap = &m_bitmapDisabled;

    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOld = memDC.SelectObject(pBitmap);
    if (pOld == nullptr)
        return;
    CRect rect(lpDIS->rcItem);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
}
