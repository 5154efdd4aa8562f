#include "ui/controls/win/MenuLook.h"

#include <cwctype>
#include <string>

namespace morvick::ui {

OwnerDrawnMenuSettings& MenuSettings() {
  static OwnerDrawnMenuSettings settings;
  return settings;
}

int WindowsVersionClass(DWORD version) {
  const int major = LOBYTE(LOWORD(version));
  const int minor = HIBYTE(LOWORD(version));
  if (version < 0x80000000) {
    if (major == 4) return 5;
    if (major == 5 && minor == 0) return 6;
    if (major == 5 && minor == 1) return 7;
    return 1;
  }
  if (major < 4) return 0;
  if (major == 4 && minor == 10) return 3;
  if (major == 4 && minor == 90) return 4;
  return 2;
}

int GetWindowsVersion() {
  OwnerDrawnMenuSettings& s = MenuSettings();
  if (s.versionClass < 0) s.versionClass = WindowsVersionClass(GetVersion());
  return s.versionClass;
}

BOOL IsClassicThemeName(const wchar_t* themeFile) {
  static const std::wstring suffix = L"windows classic.theme";
  if (themeFile == nullptr) return FALSE;
  std::wstring lower(themeFile);
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  return lower.size() >= suffix.size() && lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0;
}

BOOL IsClassicTheme() {
  OwnerDrawnMenuSettings& s = MenuSettings();
  if (s.classicTheme < 0) {
    s.classicTheme = 0;
    wchar_t value[MAX_PATH] = {};
    LONG size = sizeof(value) - sizeof(wchar_t);
    if (RegQueryValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Plus!\\Themes\\Current", value, &size) ==
        ERROR_SUCCESS) {
      s.classicTheme = IsClassicThemeName(value);
    }
  }
  return s.classicTheme;
}

BOOL UsesFlatLook(HDC dc) {
  HDC screen = dc != nullptr ? nullptr : GetDC(nullptr);
  const bool palette = (GetDeviceCaps(dc != nullptr ? dc : screen, RASTERCAPS) & RC_PALETTE) != 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  if (palette) return FALSE;
  return GetWindowsVersion() == 7 && !IsClassicTheme() && MenuSettings().drawMode == 1;
}

COLORREF BlendColor(COLORREF a, COLORREF b, double share) {
  auto channel = [share](int x, int y) { return static_cast<BYTE>(x * share + y * (1.0 - share) + 0.5); };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

}  // namespace morvick::ui
