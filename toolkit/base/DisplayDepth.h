// Colour depth of a device context, with a switch for tests: Wine reports 32 bits per pixel for
// every DC, so the low-colour paths are reached by forcing a depth.
#pragma once

#include <windows.h>

class CTKPDisplayDepth
{
public:
  // Bits per pixel of the DC, or of the desktop window's DC for null (0 when there is none).
  static int GetBitsPerPixel(HDC hdc);
  // 1 to 8 bits per pixel.
  static BOOL IsLowColor(HDC hdc);
  // A depth that every query answers; 0 ends the forcing.
  static void SetForcedBitsPerPixel(int bitsPerPixel);
};
