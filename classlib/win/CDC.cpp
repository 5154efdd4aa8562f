#include "classlib/win/CDC.h"
#include "classlib/win/CBitmap.h"
#include "classlib/win/CBrush.h"
#include "classlib/win/CFont.h"
#include "classlib/win/GdiHandleTable.h"
#include "classlib/win/CPalette.h"
#include "classlib/win/CPen.h"
#include "classlib/win/CRgn.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

CDC* Wrap(HDC h)
{
    CDC* p = new CDC;
    p->m_hDC = p->m_hAttribDC = h;
    return p;
}

void Unwrap(CDC* p)
{
    p->m_hDC = p->m_hAttribDC = nullptr;
}

CGdiHandleTable<CDC, HDC>* MakeTable()
{
    return new CGdiHandleTable<CDC, HDC>(Wrap, Unwrap);
}

CGdiHandleTable<CDC, HDC>& Table()
{
    static CGdiThreadSlot<CGdiHandleTable<CDC, HDC>> slot;
    return slot.Get(MakeTable);
}

} // namespace

CDC::CDC() : m_hDC(nullptr), m_hAttribDC(nullptr), m_bPrinting(FALSE) {}

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

CDC::operator HDC() const
{
    return this == nullptr ? nullptr : m_hDC;
}

HDC CDC::GetSafeHdc() const
{
    return this == nullptr ? nullptr : m_hDC;
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return Table().FromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap()
{
    Table().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr)
        return FALSE;
    m_hDC = hDC;
    SetAttribDC(m_hDC);
    Table().SetPermanent(m_hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != nullptr && Table().LookupPermanent(hDC) == this)
        Table().RemoveHandle(hDC);
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = nullptr; }
void CDC::ReleaseOutputDC() { m_hDC = nullptr; }

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    int nRetVal = 0;
    if (m_hAttribDC != nullptr)
        nRetVal = ::SaveDC(m_hAttribDC);
    if (m_hDC != m_hAttribDC && m_hDC != nullptr && ::SaveDC(m_hDC) != 0)
        nRetVal = -1; // the two stacks differ: only "restore the last" is meaningful
    return nRetVal;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRetVal = TRUE;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        bRetVal = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != nullptr)
        bRetVal = bRetVal && ::RestoreDC(m_hAttribDC, nSavedDC);
    return bRetVal;
}

int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    HGDIOBJ hOldObj = nullptr;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        hOldObj = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC != nullptr)
        hOldObj = ::SelectObject(m_hAttribDC, hObject);
    return hOldObj;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectObject(pObject->GetSafeHandle()));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return static_cast<CPen*>(SelectObject(static_cast<CGdiObject*>(pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return static_cast<CBrush*>(SelectObject(static_cast<CGdiObject*>(pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return static_cast<CFont*>(SelectObject(static_cast<CGdiObject*>(pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return static_cast<CBitmap*>(SelectObject(static_cast<CGdiObject*>(pBitmap)));
}

int CDC::SelectObject(CRgn* pRgn)
{
    int nRetVal = GDI_ERROR;
    HGDIOBJ hRgn = pRgn->GetSafeHandle();
    if (hRgn == nullptr)
        return nRetVal;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        nRetVal = (int)(INT_PTR)::SelectObject(m_hDC, hRgn);
    if (m_hAttribDC != nullptr)
        nRetVal = (int)(INT_PTR)::SelectObject(m_hAttribDC, hRgn);
    return nRetVal;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE hPal = (HPALETTE)pPalette->GetSafeHandle();
    if (hPal == nullptr)
        return nullptr;
    return CPalette::FromHandle(::SelectPalette(m_hDC, hPal, bForceBackground));
}

UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }

CPen* CDC::GetCurrentPen() const { return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN)); }
CBrush* CDC::GetCurrentBrush() const { return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }
CBitmap* CDC::GetCurrentBitmap() const { return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP)); }

// Attribute setters change both DCs and answer with the attribute DC's previous value.
#define CDC_SET_BOTH(call, ...)                                          \
    do {                                                                 \
        if (m_hDC != m_hAttribDC && m_hDC != nullptr)                    \
            result = call(m_hDC, __VA_ARGS__);                           \
        if (m_hAttribDC != nullptr)                                      \
            result = call(m_hAttribDC, __VA_ARGS__);                     \
    } while (0)

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
COLORREF CDC::SetBkColor(COLORREF crColor) { COLORREF result = CLR_INVALID; CDC_SET_BOTH(::SetBkColor, crColor); return result; }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
COLORREF CDC::SetTextColor(COLORREF crColor) { COLORREF result = CLR_INVALID; CDC_SET_BOTH(::SetTextColor, crColor); return result; }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::SetBkMode(int nBkMode) { int result = 0; CDC_SET_BOTH(::SetBkMode, nBkMode); return result; }
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::SetROP2(int nDrawMode) { int result = 0; CDC_SET_BOTH(::SetROP2, nDrawMode); return result; }
int CDC::SetStretchBltMode(int nStretchMode) { int result = 0; CDC_SET_BOTH(::SetStretchBltMode, nStretchMode); return result; }
int CDC::SetPolyFillMode(int nPolyFillMode) { int result = 0; CDC_SET_BOTH(::SetPolyFillMode, nPolyFillMode); return result; }
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
UINT CDC::SetTextAlign(UINT nFlags) { UINT result = GDI_ERROR; CDC_SET_BOTH(::SetTextAlign, nFlags); return result; }
int CDC::SetMapMode(int nMapMode) { int result = 0; CDC_SET_BOTH(::SetMapMode, nMapMode); return result; }
int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
int CDC::SetTextCharacterExtra(int nCharExtra) { int result = 0; CDC_SET_BOTH(::SetTextCharacterExtra, nCharExtra); return result; }
int CDC::GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hAttribDC); }

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT pt = {0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &pt);
    return pt;
}

CPoint CDC::GetBrushOrg() const
{
    POINT pt = {0, 0};
    ::GetBrushOrgEx(m_hDC, &pt);
    return pt;
}

// Mapping setters follow the same rule; the answer is the previous value of the attribute DC.
#define CDC_SET_BOTH_OUT(call, a, b, out)                                \
    do {                                                                 \
        if (m_hDC != m_hAttribDC && m_hDC != nullptr)                    \
            call(m_hDC, a, b, out);                                      \
        if (m_hAttribDC != nullptr)                                      \
            call(m_hAttribDC, a, b, out);                                \
    } while (0)

CPoint CDC::GetViewportOrg() const { POINT pt = {0, 0}; ::GetViewportOrgEx(m_hAttribDC, &pt); return pt; }
CPoint CDC::SetViewportOrg(int x, int y) { POINT pt = {0, 0}; CDC_SET_BOTH_OUT(::SetViewportOrgEx, x, y, &pt); return pt; }
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) { POINT pt = {0, 0}; CDC_SET_BOTH_OUT(::OffsetViewportOrgEx, nWidth, nHeight, &pt); return pt; }
CSize CDC::GetViewportExt() const { SIZE s = {0, 0}; ::GetViewportExtEx(m_hAttribDC, &s); return s; }
CSize CDC::SetViewportExt(int cx, int cy) { SIZE s = {0, 0}; CDC_SET_BOTH_OUT(::SetViewportExtEx, cx, cy, &s); return s; }
CPoint CDC::GetWindowOrg() const { POINT pt = {0, 0}; ::GetWindowOrgEx(m_hAttribDC, &pt); return pt; }
CPoint CDC::SetWindowOrg(int x, int y) { POINT pt = {0, 0}; CDC_SET_BOTH_OUT(::SetWindowOrgEx, x, y, &pt); return pt; }
CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) { POINT pt = {0, 0}; CDC_SET_BOTH_OUT(::OffsetWindowOrgEx, nWidth, nHeight, &pt); return pt; }
CSize CDC::GetWindowExt() const { SIZE s = {0, 0}; ::GetWindowExtEx(m_hAttribDC, &s); return s; }
CSize CDC::SetWindowExt(int cx, int cy) { SIZE s = {0, 0}; CDC_SET_BOTH_OUT(::SetWindowExtEx, cx, cy, &s); return s; }

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }

// Sizes convert as distances: both ends of the vector are mapped and the difference kept.
void CDC::DPtoLP(LPSIZE lpSize) const
{
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::DPtoLP(m_hAttribDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::LPtoDP(m_hAttribDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }

int CDC::SelectClipRgn(CRgn* pRgn)
{
    int result = ERROR;
    HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
    CDC_SET_BOTH(::SelectClipRgn, hRgn);
    return result;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    int result = ERROR;
    HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
    CDC_SET_BOTH(::ExtSelectClipRgn, hRgn, nMode);
    return result;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) { int result = ERROR; CDC_SET_BOTH(::IntersectClipRect, x1, y1, x2, y2); return result; }
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) { int result = ERROR; CDC_SET_BOTH(::ExcludeClipRect, x1, y1, x2, y2); return result; }
int CDC::OffsetClipRgn(int x, int y) { int result = ERROR; CDC_SET_BOTH(::OffsetClipRgn, x, y); return result; }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

CPoint CDC::GetCurrentPosition() const { POINT pt = {0, 0}; ::GetCurrentPositionEx(m_hAttribDC, &pt); return pt; }

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = {0, 0};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::MoveToEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != nullptr)
        ::MoveToEx(m_hAttribDC, x, y, &pt);
    return pt;
}

BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
BOOL CDC::Arc(LPCRECT r, POINT s, POINT e) { return ::Arc(m_hDC, r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount) { return ::PolyBezier(m_hDC, lpPoints, nCount); }

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle()); }
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle()); }
void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
BOOL CDC::Chord(LPCRECT r, POINT s, POINT e) { return ::Chord(m_hDC, r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
BOOL CDC::Pie(LPCRECT r, POINT s, POINT e) { return ::Pie(m_hDC, r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount) { return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount); }
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
BOOL CDC::RoundRect(LPCRECT r, POINT pt) { return ::RoundRect(m_hDC, r->left, r->top, r->right, r->bottom, pt.x, pt.y); }
BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) { return ::FillRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle()); }
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) { return ::FrameRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle(), nWidth, nHeight); }
BOOL CDC::InvertRgn(CRgn* pRgn) { return ::InvertRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }
BOOL CDC::PaintRgn(CRgn* pRgn) { return ::PaintRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // Negative extents are allowed (Draw3dRect uses them): fill the normalised rectangle.
    CRect rect(lpRect);
    rect.NormalizeRect();
    ::SetBkColor(m_hDC, clr);
    const DWORD dwLayout = ::GetLayout(m_hDC);
    if (dwLayout != GDI_ERROR && (dwLayout & (LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED)) == LAYOUT_RTL) {
        // In a mirrored DC an opaque text rectangle can come out one column short at its far edge
        // (Wine maps it that way); a pattern fill covers the mirror image of the rectangle exactly.
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        HGDIOBJ hOldBrush = ::SelectObject(m_hDC, hBrush);
        ::PatBlt(m_hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
        ::SelectObject(m_hDC, hOldBrush);
        ::DeleteObject(hBrush);
        return;
    }
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, nSrcWidth, nSrcHeight,
                        dwRop);
}

BOOL CDC::MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, CBitmap& maskBitmap,
                  int xMask, int yMask, DWORD dwRop)
{
    return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
                     (HBITMAP)maskBitmap.GetSafeHandle(), xMask, yMask, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    if (pSrcDC->GetSafeHdc() == nullptr)
        return FALSE;
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                            nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    if (pSrcDC->GetSafeHdc() == nullptr)
        return FALSE;
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
{
    return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
BOOL CDC::SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }
BOOL CDC::FloodFill(int x, int y, COLORREF crColor) { return ::FloodFill(m_hDC, x, y, crColor); }
BOOL CDC::ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType) { return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType); }

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOut(m_hDC, x, y, lpszString, nCount); }
BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, (LPCTSTR)str, str.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, str.GetLength(), lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    LONG extent = ::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(extent), HIWORD(extent));
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (lpszString == nullptr)
        return 0;
    if ((nFormat & DT_MODIFYSTRING) == 0)
        return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
    // DrawText may write an ellipsis and up to four more characters into the string it is given.
    size_t length = nCount < 0 ? (size_t)lstrlen(lpszString) : (size_t)nCount;
    std::vector<TCHAR> copy(lpszString, lpszString + length);
    copy.resize(length + 5, 0);
    return ::DrawText(m_hDC, copy.data(), (int)length, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText((LPCTSTR)str, str.GetLength(), lpRect, nFormat);
}

int CDC::DrawTextEx(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    if (lpszString == nullptr)
        return 0;
    size_t length = nCount < 0 ? (size_t)lstrlen(lpszString) : (size_t)nCount;
    std::vector<TCHAR> copy(lpszString, lpszString + length);
    copy.resize(length + 5, 0);
    return ::DrawTextEx(m_hDC, copy.data(), (int)length, lpRect, nFormat, lpDTParams);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent((LPCTSTR)str, str.GetLength()); }

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(const CString& str) const { return GetOutputTextExtent((LPCTSTR)str, str.GetLength()); }

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    DWORD extent = ::GetTabbedTextExtent(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions);
    return CSize(LOWORD(extent), HIWORD(extent));
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hAttribDC, lpMetrics); }
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hDC, lpMetrics); }
int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const { return ::GetTextFace(m_hAttribDC, nCount, lpszFacename); }
BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const { return ::GetCharWidth32(m_hAttribDC, nFirstChar, nLastChar, lpBuffer); }

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, (HBITMAP)pBitmap->GetSafeHandle(), nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y, size.cx, size.cy,
                       nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_COMPLEX);
}

CBrush* PASCAL CDC::GetHalftoneBrush()
{
    static CBrush* s_pBrush = [] {
        WORD grayPattern[8];
        for (int i = 0; i < 8; i++)
            grayPattern[i] = (WORD)(0x5555 << (i & 1));
        CBitmap grayBitmap;
        CBrush* pBrush = new CBrush;
        if (grayBitmap.CreateBitmap(8, 8, 1, 1, grayPattern))
            pBrush->CreatePatternBrush(&grayBitmap);
        return pBrush;
    }();
    return s_pBrush;
}
