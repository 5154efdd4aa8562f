#include "classlib/win/CPalette.h"
#include "classlib/win/CDC.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    return lpLogPalette ? Attach(::CreatePalette(lpLogPalette)) : FALSE;
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return pDC ? Attach(::CreateHalftonePalette(pDC->m_hDC)) : FALSE;
}

int CPalette::GetEntryCount()
{
    WORD nEntries = 0;
    GetObject(sizeof(WORD), &nEntries);
    return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    return m_hObject ? ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors) : 0;
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    return m_hObject ? ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors) : 0;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    return m_hObject ? ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor) : CLR_INVALID;
}

BOOL CPalette::ResizePalette(UINT nNumEntries)
{
    return m_hObject ? ::ResizePalette((HPALETTE)m_hObject, nNumEntries) : FALSE;
}
