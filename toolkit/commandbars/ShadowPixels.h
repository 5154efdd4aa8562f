// The pixels of one layered shadow strip beside a popup: premultiplied 32-bit BGRA, top-down rows.
#pragma once

#include "classlib/win/AfxWin.h"

// Width of a layered strip, and of a plain one drawn without per-pixel alpha.
const int TKP_SHADOW_LAYERED_SIZE = 4;
const int TKP_SHADOW_PLAIN_SIZE = 2;

// The alpha of a strip pixel: x and y inside the strip; a right strip is 4 wide, a bottom strip
// 4 high. nStrength is 2 for the usual shadow and 1 for one a theme asks for always.
BYTE TKPShadowAlpha(BOOL bBottom, int x, int y, int cx, int cy, int nStrength);

// Fills cx x cy pixels of the shadow colour with each pixel's alpha, the colour premultiplied.
void TKPBuildShadowPixels(DWORD* pBits, int cx, int cy, BOOL bBottom, COLORREF clrShadow, int nStrength);
