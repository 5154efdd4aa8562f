// The header of a 24-bit device-independent bitmap in the row layout of morvick::RasterImage; a
// negative height runs the rows from the top.
#pragma once

#include <windows.h>

inline BITMAPINFO Dib24Info(LONG width, LONG height) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  bmi.bmiHeader.biCompression = BI_RGB;
  return bmi;
}
