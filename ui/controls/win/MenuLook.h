#pragma once
// Which of the two looks the owner-drawn menus use, and the colour blend the flat look is made of.

#include <windows.h>

namespace morvick::ui {

// Process-wide settings of the owner-drawn menus.
struct OwnerDrawnMenuSettings {
  int drawMode = 1;       // 1: the flat look where the system allows it; other values: classic
  int iconSize = 16;
  int versionClass = -1;  // -1 until computed from the running system
  int classicTheme = -1;  // -1 until the desktop theme was probed
};
OwnerDrawnMenuSettings& MenuSettings();

// The version class of a GetVersion() result: NT 4 is 5, 5.0 is 6, 5.1 is 7, other NT versions
// 1; the other family 0 below 4, 3 for 4.10, 4 for 4.90, else 2.
int WindowsVersionClass(DWORD version);
// The version class of the running system, computed once.
int GetWindowsVersion();
// TRUE when a theme file name names the classic desktop theme.
BOOL IsClassicThemeName(const wchar_t* themeFile);
// TRUE when the desktop theme is the classic one (probed once).
BOOL IsClassicTheme();
// TRUE when menu items are drawn in the flat look on this device (nullptr: the screen).
BOOL UsesFlatLook(HDC dc);

// A colour made of `share` parts of a and the rest of b.
COLORREF BlendColor(COLORREF a, COLORREF b, double share);

}  // namespace morvick::ui
