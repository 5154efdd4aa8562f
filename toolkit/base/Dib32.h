// 32-bit device-independent bitmaps: the header that describes them and a section to draw into.
#pragma once

#include <windows.h>

// The header of a 32-bit RGB bitmap; a negative height describes rows from the top down.
BITMAPINFO TKPDib32Info(int width, int height);

// A 32-bit DIB section of that size; *ppBits receives its pixels. NULL when it can't be made.
HBITMAP TKPCreateDib32(int width, int height, void** ppBits);
