#include "toolkit/commandbars/customize/ImageEditorPicture.h"

#include "toolkit/base/Dib32.h"

#include <algorithm>

namespace {

inline DWORD ToPixel(COLORREF clr, BYTE alpha)
{
    return ((DWORD)alpha << 24) | ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

inline COLORREF ToColor(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

HBITMAP CreateTopDownDib(int cx, int cy, DWORD** ppBits)
{
    void* pBits = NULL;
    HBITMAP hBitmap = TKPCreateDib32(cx, -cy, &pBits);
    *ppBits = static_cast<DWORD*>(pBits);
    return hBitmap;
}

}  // namespace

CTKPEditorPicture* CTKPEditorPicture::Create(int cx, int cy, BOOL bAlpha)
{
    if (cx <= 0 || cy <= 0 || cx > 256 || cy > 256)
        return NULL;
    CTKPEditorPicture* pPicture = new CTKPEditorPicture;
    pPicture->m_hBitmap = CreateTopDownDib(cx, cy, &pPicture->m_pBits);
    if (pPicture->m_hBitmap == NULL) {
        delete pPicture;
        return NULL;
    }
    pPicture->m_cx = cx;
    pPicture->m_cy = cy;
    pPicture->m_bAlpha = bAlpha;
    const DWORD transparent = ToPixel(kTransparent, bAlpha ? 0 : 255);
    for (int i = 0; i < cx * cy; ++i)
        pPicture->m_pBits[i] = transparent;
    return pPicture;
}

CTKPEditorPicture::~CTKPEditorPicture()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

CTKPEditorPicture* CTKPEditorPicture::CopyOf(const CTKPEditorPicture* pSource, int cx, int cy, CPoint ptOffset,
    COLORREF clrFrom, COLORREF clrTo)
{
    CTKPEditorPicture* pCopy = Create(cx, cy, pSource != NULL && pSource->m_bAlpha);
    if (pCopy == NULL || pSource == NULL)
        return pCopy;
    ::GdiFlush();
    const BOOL bReplace = !pSource->m_bAlpha && clrFrom != CLR_NONE;
    for (int y = 0; y < pSource->m_cy; ++y) {
        const int ty = y + ptOffset.y;
        if (ty < 0 || ty >= cy)
            continue;
        for (int x = 0; x < pSource->m_cx; ++x) {
            const int tx = x + ptOffset.x;
            if (tx < 0 || tx >= cx)
                continue;
            DWORD pixel = pSource->m_pBits[y * pSource->m_cx + x];
            if (bReplace && ToColor(pixel) == clrFrom)
                pixel = ToPixel(clrTo, 255);
            pCopy->m_pBits[ty * cx + tx] = pixel;
        }
    }
    return pCopy;
}

CTKPEditorPicture* CTKPEditorPicture::FromAlphaBitmap(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == NULL || !::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmBitsPixel != 32)
        return NULL;
    CTKPEditorPicture* pPicture = Create(bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight, TRUE);
    if (pPicture == NULL)
        return NULL;
    BITMAPINFO bmi = TKPDib32Info(pPicture->m_cx, -pPicture->m_cy);
    HDC hdc = ::GetDC(NULL);
    const int nLines = ::GetDIBits(hdc, hBitmap, 0, (UINT)pPicture->m_cy, pPicture->m_pBits, &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hdc);
    if (nLines != pPicture->m_cy) {
        delete pPicture;
        return NULL;
    }
    const DWORD transparent = ToPixel(kTransparent, 0);
    for (int i = 0; i < pPicture->m_cx * pPicture->m_cy; ++i) {
        if ((pPicture->m_pBits[i] >> 24) == 0)
            pPicture->m_pBits[i] = transparent;
    }
    return pPicture;
}

CTKPEditorPicture* CTKPEditorPicture::FromIcon(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
        return NULL;
    BITMAP bm = {};
    ::GetObjectW(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    const int cx = bm.bmWidth;
    const int cy = info.hbmColor != NULL ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    CTKPEditorPicture* pPicture = Create(cx, cy, FALSE);
    if (pPicture == NULL)
        return NULL;
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, pPicture->m_hBitmap);
    ::DrawIconEx(hdc, 0, 0, hIcon, cx, cy, 0, NULL, DI_NORMAL);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::GdiFlush();
    for (int i = 0; i < cx * cy; ++i)
        pPicture->m_pBits[i] |= 0xFF000000;
    return pPicture;
}

CTKPEditorPicture* CTKPEditorPicture::FromBitmap(HBITMAP hBitmap, int cx, int cy, BOOL bAlpha)
{
    BITMAP bm = {};
    if (hBitmap != NULL && !::GetObjectW(hBitmap, sizeof(bm), &bm))
        hBitmap = NULL;
    bAlpha = bAlpha && bm.bmBitsPixel == 32;
    CTKPEditorPicture* pPicture = Create(cx, cy, bAlpha);
    if (pPicture == NULL || hBitmap == NULL)
        return pPicture;
    // Only the part of the bitmap that the picture holds is copied: the bitmap may be of any size.
    const int cxCopy = std::min<int>(cx, bm.bmWidth);
    const int cyCopy = std::min<int>(cy, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight);
    HDC hdcSource = ::CreateCompatibleDC(NULL);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldSource = ::SelectObject(hdcSource, hBitmap);
    HGDIOBJ hOld = ::SelectObject(hdc, pPicture->m_hBitmap);
    ::BitBlt(hdc, 0, 0, cxCopy, cyCopy, hdcSource, 0, 0, SRCCOPY);
    ::SelectObject(hdc, hOld);
    ::SelectObject(hdcSource, hOldSource);
    ::DeleteDC(hdc);
    ::DeleteDC(hdcSource);
    ::GdiFlush();
    const DWORD transparent = ToPixel(kTransparent, bAlpha ? 0 : 255);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            DWORD& pixel = pPicture->m_pBits[y * cx + x];
            if (x >= cxCopy || y >= cyCopy)
                pixel = transparent;
            else if (!bAlpha)
                pixel |= 0xFF000000;
            else if ((pixel >> 24) == 0)
                pixel = transparent;
        }
    }
    return pPicture;
}

COLORREF CTKPEditorPicture::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return kTransparent;
    ::GdiFlush();
    return ToColor(m_pBits[y * m_cx + x]);
}

BYTE CTKPEditorPicture::GetAlpha(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return 0;
    ::GdiFlush();
    return (BYTE)(m_pBits[y * m_cx + x] >> 24);
}

void CTKPEditorPicture::SetPixel(int x, int y, COLORREF clr, BYTE alpha)
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return;
    ::GdiFlush();
    if (m_bAlpha && clr == kTransparent)
        alpha = 0;
    m_pBits[y * m_cx + x] = ToPixel(clr, alpha);
}

void CTKPEditorPicture::CarryAlpha(const CTKPEditorPicture* pPrevious)
{
    ::GdiFlush();
    for (int y = 0; y < m_cy; ++y) {
        for (int x = 0; x < m_cx; ++x) {
            DWORD& pixel = m_pBits[y * m_cx + x];
            const DWORD before = pPrevious != NULL && x < pPrevious->m_cx && y < pPrevious->m_cy
                ? pPrevious->m_pBits[y * pPrevious->m_cx + x]
                : ToPixel(kTransparent, m_bAlpha ? 0 : 255);
            if ((pixel & 0xFFFFFF) == (before & 0xFFFFFF))
                pixel = before;
            else
                pixel = (pixel & 0xFFFFFF) | (m_bAlpha && ToColor(pixel) == kTransparent ? 0 : 0xFF000000);
        }
    }
}

CTKPEditorPicture* CTKPEditorPicture::Shifted(int dx, int dy) const
{
    return CopyOf(this, m_cx, m_cy, CPoint(dx, dy));
}

HBITMAP CTKPEditorPicture::CreateOpaqueBitmap(COLORREF clrBackground) const
{
    CTKPEditorPicture* pCopy = CopyOf(this, m_cx, m_cy, CPoint(0, 0), kTransparent, clrBackground);
    if (pCopy == NULL)
        return NULL;
    // No alpha channel: the fourth byte of every pixel is 0, as masks and other programs expect.
    for (int i = 0; i < m_cx * m_cy; ++i)
        pCopy->m_pBits[i] &= 0x00FFFFFF;
    HBITMAP hBitmap = pCopy->m_hBitmap;
    pCopy->m_hBitmap = NULL;
    delete pCopy;
    return hBitmap;
}

HBITMAP CTKPEditorPicture::CreateClipboardBitmap(COLORREF clrBackground) const
{
    if (!m_bAlpha)
        return CreateOpaqueBitmap(clrBackground);
    CTKPEditorPicture* pCopy = CopyOf(this, m_cx, m_cy);
    if (pCopy == NULL)
        return NULL;
    HBITMAP hBitmap = pCopy->m_hBitmap;
    pCopy->m_hBitmap = NULL;
    delete pCopy;
    return hBitmap;
}

COLORREF CTKPEditorPicture::BlendOver(COLORREF clrBack, COLORREF clr, int nAlpha)
{
    return RGB(GetRValue(clrBack) - (GetRValue(clrBack) - GetRValue(clr)) * nAlpha / 255,
        GetGValue(clrBack) - (GetGValue(clrBack) - GetGValue(clr)) * nAlpha / 255,
        GetBValue(clrBack) - (GetBValue(clrBack) - GetBValue(clr)) * nAlpha / 255);
}

// --- History ------------------------------------------------------------------------------------

void CTKPEditorHistory::Commit(CTKPEditorPicture* pBefore)
{
    for (CTKPEditorPicture* pPicture : m_redo)
        delete pPicture;
    m_redo.clear();
    if ((int)m_undo.size() >= maxUndo) {
        delete m_undo.front();
        m_undo.pop_front();
    }
    m_undo.push_back(pBefore);
}

CTKPEditorPicture* CTKPEditorHistory::Undo(CTKPEditorPicture* pCurrent)
{
    if (m_undo.empty())
        return pCurrent;
    CTKPEditorPicture* pPicture = m_undo.back();
    m_undo.pop_back();
    m_redo.push_back(pCurrent);
    return pPicture;
}

CTKPEditorPicture* CTKPEditorHistory::Redo(CTKPEditorPicture* pCurrent)
{
    if (m_redo.empty())
        return pCurrent;
    CTKPEditorPicture* pPicture = m_redo.back();
    m_redo.pop_back();
    if ((int)m_undo.size() >= maxUndo) {
        delete m_undo.front();
        m_undo.pop_front();
    }
    m_undo.push_back(pCurrent);
    return pPicture;
}

void CTKPEditorHistory::Clear()
{
    for (CTKPEditorPicture* pPicture : m_undo)
        delete pPicture;
    for (CTKPEditorPicture* pPicture : m_redo)
        delete pPicture;
    m_undo.clear();
    m_redo.clear();
}
