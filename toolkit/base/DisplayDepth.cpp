#include "toolkit/base/DisplayDepth.h"

namespace {
int g_forcedBitsPerPixel = 0;
}

int CTKPDisplayDepth::GetBitsPerPixel(HDC hdc)
{
  if (g_forcedBitsPerPixel)
    return g_forcedBitsPerPixel;
  if (hdc)
    return GetDeviceCaps(hdc, BITSPIXEL);
  HWND desktop = GetDesktopWindow();
  HDC screen = GetDC(desktop);
  if (!screen)
    return 0;
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(desktop, screen);
  return bits;
}

BOOL CTKPDisplayDepth::IsLowColor(HDC hdc)
{
  const int bits = GetBitsPerPixel(hdc);
  return bits >= 1 && bits <= 8;
}

void CTKPDisplayDepth::SetForcedBitsPerPixel(int bitsPerPixel) { g_forcedBitsPerPixel = bitsPerPixel; }
