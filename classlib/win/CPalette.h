// CPalette: a GDI logical palette.
#pragma once

#include "classlib/win/CGdiObject.h"

class CDC;

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() {}

    static CPalette* PASCAL FromHandle(HPALETTE hPalette) { return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette)); }
    operator HPALETTE() const { return (HPALETTE)GetSafeHandle(); }

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
    BOOL CreateHalftonePalette(CDC* pDC);

    int GetEntryCount();
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    UINT GetNearestPaletteIndex(COLORREF crColor) const;
    BOOL ResizePalette(UINT nNumEntries);
};
