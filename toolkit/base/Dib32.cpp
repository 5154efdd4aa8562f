#include "toolkit/base/Dib32.h"

BITMAPINFO TKPDib32Info(int width, int height)
{
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  return bmi;
}

HBITMAP TKPCreateDib32(int width, int height, void** ppBits)
{
  BITMAPINFO bmi = TKPDib32Info(width, height);
  return ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, ppBits, NULL, 0);
}
