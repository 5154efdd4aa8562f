#include "toolkit/base/ColorManager.h"

#include "classlib/win/AfxWin.h"

#include "toolkit/base/DisplayDepth.h"
#include "toolkit/base/UxThemeWrapper.h"

#include <cwchar>
#include <cwctype>

namespace {

DWORD g_lastThrottledRefresh = 0;
CTKPColorManager::TickSource g_tickSource = nullptr;

TKColor SystemColor(int index) { return GetSysColor(index); }

DWORD CurrentTick() { return g_tickSource ? g_tickSource() : GetTickCount(); }

void LowerCase(wchar_t* text)
{
  for (; *text; ++text)
    *text = static_cast<wchar_t>(std::towlower(*text));
}

// TREEVIEW's border colour property.
const int kThemeBorderColor = 3801;

}  // namespace

CTKPColorManager::CTKPColorManager()
{
  RefreshColors();
  SetFixedGradients();
}

void CTKPColorManager::RefreshColors()
{
  m_nDetectedScheme = DetectColorScheme();
  const bool lowColor = CTKPDisplayDepth::IsLowColor(nullptr) != FALSE;
  ComputeColors(&SystemColor, lowColor);
  if (lowColor)
    return;

  CTKPUxThemeWrapper theme;
  theme.OpenThemeData(nullptr, L"TREEVIEW");
  if (theme.IsAppThemed()) {
    COLORREF border = 0;
    if (SUCCEEDED(theme.GetThemeColor(0, 0, kThemeBorderColor, &border)))
      m_standard[57] = border;
  }
}

void CTKPColorManager::RefreshColorsThrottled()
{
  const DWORD now = CurrentTick();
  if (now - g_lastThrottledRefresh > 500) {
    GetColorManager()->RefreshColors();
    // Only a running program holds the refreshes back; before its main window exists every call
    // recomputes.
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd)
      g_lastThrottledRefresh = CurrentTick();
  }
}

int CTKPColorManager::DetectColorScheme()
{
  CTKPUxThemeWrapper theme;
  if (!theme.IsThemeActive())
    return 0;
  wchar_t file[260] = L"", color[260] = L"";
  if (FAILED(theme.GetCurrentThemeName(file, 260, color, 260, nullptr, 0)))
    return 0;
  file[259] = color[259] = 0;
  LowerCase(file);
  LowerCase(color);
  if (std::wcsstr(file, L"luna.msstyles")) {
    if (std::wcscmp(color, L"normalcolor") == 0)
      return 1;
    if (std::wcscmp(color, L"homestead") == 0)
      return 2;
    if (std::wcscmp(color, L"metallic") == 0)
      return 3;
    return 0;
  }
  if (std::wcsstr(file, L"royale.msstyles") && std::wcscmp(color, L"normalcolor") == 0)
    return 1;
  return 0;
}

void CTKPColorManager::SetTickSource(TickSource source) { g_tickSource = source; }

void CTKPColorManager::ResetThrottle() { g_lastThrottledRefresh = 0; }

CTKPColorManager* GetColorManager()
{
  static CTKPColorManager manager;
  return &manager;
}

int GetSystemColorScheme() { return GetColorManager()->GetCurrentColorScheme(); }
