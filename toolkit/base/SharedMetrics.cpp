#include "toolkit/base/SharedMetrics.h"

#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/base/WindowsVersion.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstddef>

namespace {

// The record every system knows: the newer padded-border field left out.
const UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

}  // namespace

CTKPSharedMetrics::CTKPSharedMetrics() : m_bUseTahoma(FALSE), m_dwComCtlVersion(0xFFFFFFFF)
{
  m_bIsWin95 = CTKPWindowsVersion::IsWin95();
  m_bIsWin98 = CTKPWindowsVersion::IsWin98();
  m_bIsWinNT4 = CTKPWindowsVersion::IsWinNT4();
  m_bIsWin2K = CTKPWindowsVersion::IsWin2000();
  m_bIsWinXP = CTKPWindowsVersion::IsWinXP();
  GetComCtlVersion();

  CTKPColorManager::RefreshColorsThrottled();
  CTKPColorManager* pColors = GetColorManager();
  COLORREF* const targets[20] = {
      &m_clrBtnFace, &m_clrBtnShadow, &m_clr3DDkShadow, &m_clrBtnHilite, &m_clr3DLight, &m_clrBtnText,
      &m_clrGrayText, &m_clrHighlight, &m_clrHighlightText, &m_clrMenu, &m_clrMenuText, &m_clrWindow,
      &m_clrWindowFrame, &m_clrWindowText, &m_clrActiveCaption, &m_clrInactiveCaption, &m_clrGradientActiveCaption,
      &m_clrGradientInactiveCaption, &m_clrActiveCaptionText, &m_clrInactiveCaptionText};
  const int indexes[20] = {15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19};
  for (int i = 0; i < 20; ++i)
    *targets[i] = pColors->GetColor(indexes[i]);
  for (int i = 0; i < 20; ++i)
    m_clrToolkit[i] = pColors->GetColor(30 + i);

  m_nSmallIconX = ::GetSystemMetrics(SM_CXSMICON);
  m_nSmallIconY = ::GetSystemMetrics(SM_CYSMICON);
  m_nDefault18X = 18;
  m_nDefault18Y = 18;
  m_cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
  m_cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
  m_cyMenuItem = ::GetSystemMetrics(SM_CYMENU);

  LoadCursors();
  CreateFonts(NULL, NULL);
}

CTKPSharedMetrics::~CTKPSharedMetrics() { DeleteFonts(); }

void CTKPSharedMetrics::LoadCursors()
{
  m_hcurDragCopy = m_hcurDragMove = m_hcurDragNone = m_hcurHand = NULL;
  m_hcurSplitH = m_hcurSplitV = m_hcurSizeAll = NULL;
  CTKPResourceManager* pResources = GetResourceManager();
  // In this order, stopping at the first that is missing.
  if ((m_hcurDragNone = pResources->LoadCursor(9011)) == NULL)
    return;
  if ((m_hcurDragCopy = pResources->LoadCursor(9008)) == NULL)
    return;
  if ((m_hcurDragMove = pResources->LoadCursor(9009)) == NULL)
    return;
  m_hcurHand = ::LoadCursorW(NULL, IDC_HAND);
  if (m_hcurHand == NULL && (m_hcurHand = pResources->LoadCursor(9973)) == NULL)
    return;
  if ((m_hcurSplitH = pResources->LoadCursor(9970)) == NULL)
    return;
  if ((m_hcurSplitV = pResources->LoadCursor(9971)) == NULL)
    return;
  m_hcurSizeAll = ::LoadCursorW(NULL, IDC_SIZEALL);
}

DWORD CTKPSharedMetrics::GetComCtlVersion()
{
  if (m_dwComCtlVersion != 0xFFFFFFFF)
    return m_dwComCtlVersion;
  HMODULE module = ::LoadLibraryW(L"COMCTL32.DLL");
  if (module) {
    typedef HRESULT(CALLBACK * GetVersionProc)(DLLVERSIONINFO*);
    GetVersionProc proc = reinterpret_cast<GetVersionProc>(::GetProcAddress(module, "DllGetVersion"));
    if (proc) {
      DLLVERSIONINFO info = {};
      info.cbSize = 20;
      if (proc(&info) >= 0)
        m_dwComCtlVersion = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    }
    ::FreeLibrary(module);
  }
  return m_dwComCtlVersion == 0xFFFFFFFF ? 0 : m_dwComCtlVersion;
}

BOOL CTKPSharedMetrics::FontExists(LPCTSTR lpszFaceName) { return CTKPDrawingHelper::FontExists(lpszFaceName); }

BOOL CTKPSharedMetrics::CreateFontFrom(const LOGFONTW& lf, CFont& font, int nWeight, BYTE bUnderline,
                                       int nOrientation, int nEscapement)
{
  font.DeleteObject();
  LOGFONTW made = lf;
  if (nWeight != -1)
    made.lfWeight = nWeight;
  if (nOrientation != -1)
    made.lfOrientation = nOrientation;
  if (nEscapement != -1)
    made.lfEscapement = nEscapement;
  if (bUnderline < 255)
    made.lfUnderline = bUnderline;
  return font.Attach(::CreateFontIndirectW(&made));
}

void CTKPSharedMetrics::DeleteFonts()
{
  CFont* const fonts[] = {&m_fontNormal,    &m_fontBold,          &m_fontUnderline, &m_fontVert,   &m_fontVertBold,
                          &m_fontIconTitle, &m_fontIconTitleBold, &m_fontMarlett,   &m_fontStatus, &m_fontSmCaption};
  for (CFont* font : fonts)
    font->DeleteObject();
}

BOOL CTKPSharedMetrics::ReadNonClientMetrics(NONCLIENTMETRICSW* pMetrics)
{
  pMetrics->cbSize = kNonClientMetricsSize;
  return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, pMetrics, 0);
}

BOOL CTKPSharedMetrics::CreateFonts(LPCTSTR lpszFace, LPCTSTR lpszVerticalFace)
{
  DeleteFonts();
  NONCLIENTMETRICSW ncm = {};
  ReadNonClientMetrics(&ncm);

  LOGFONTW base = {};
  base.lfHeight = ncm.lfMenuFont.lfHeight;
  base.lfWeight = ncm.lfMenuFont.lfWeight;
  base.lfItalic = ncm.lfMenuFont.lfItalic;
  lstrcpynW(base.lfFaceName, ncm.lfMenuFont.lfFaceName, LF_FACESIZE);
  HDC screen = ::GetDC(NULL);
  base.lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(screen, NULL, 0));
  ::ReleaseDC(NULL, screen);

  LOGFONTW status = ncm.lfStatusFont, smallCaption = ncm.lfSmCaptionFont;
  if (lpszFace && FontExists(lpszFace)) {
    lstrcpynW(base.lfFaceName, lpszFace, LF_FACESIZE);
    lstrcpynW(status.lfFaceName, lpszFace, LF_FACESIZE);
    lstrcpynW(smallCaption.lfFaceName, lpszFace, LF_FACESIZE);
  } else if (lpszFace == NULL && m_bUseTahoma && ncm.lfMenuFont.lfCharSet <= 2 && FontExists(L"Tahoma")) {
    lstrcpynW(base.lfFaceName, L"Tahoma", LF_FACESIZE);
  }

  if (!CreateFontFrom(base, m_fontNormal) || !CreateFontFrom(base, m_fontBold, FW_BOLD) ||
      !CreateFontFrom(base, m_fontUnderline, -1, 1))
    return FALSE;

  if (lpszVerticalFace && FontExists(lpszVerticalFace))
    lstrcpynW(base.lfFaceName, lpszVerticalFace, LF_FACESIZE);
  else if (lpszVerticalFace == NULL && lstrcmpiW(ncm.lfMenuFont.lfFaceName, L"Tahoma") != 0 && FontExists(L"Arial"))
    lstrcpynW(base.lfFaceName, L"Arial", LF_FACESIZE);
  if (!CreateFontFrom(base, m_fontVert, -1, 255, 900, 2700) ||
      !CreateFontFrom(base, m_fontVertBold, FW_BOLD, 255, 900, 2700))
    return FALSE;

  LOGFONTW iconTitle = {};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
  if (!CreateFontFrom(iconTitle, m_fontIconTitle) || !CreateFontFrom(iconTitle, m_fontIconTitleBold, FW_BOLD))
    return FALSE;
  if (!CreateFontFrom(status, m_fontStatus) || !CreateFontFrom(smallCaption, m_fontSmCaption))
    return FALSE;

  LOGFONTW symbol = {};
  symbol.lfHeight = iconTitle.lfHeight;
  symbol.lfCharSet = DEFAULT_CHARSET;  // the face alone picks the glyph font
  lstrcpynW(symbol.lfFaceName, L"Marlett", LF_FACESIZE);
  return CreateFontFrom(symbol, m_fontMarlett);
}

COLORREF CTKPSharedMetrics::GetBitmapCornerColor(HBITMAP hBitmap)
{
  BITMAP bm = {};
  if (hBitmap == NULL || ::GetObjectType(hBitmap) != OBJ_BITMAP || !::GetObjectW(hBitmap, sizeof(bm), &bm))
    return (COLORREF)-1;
  CTKPCompatibleDC dc(NULL, hBitmap);
  return ::GetPixel(dc.GetSafeHdc(), 0, 0);
}

HICON CTKPSharedMetrics::CreateIconFromBitmap(HBITMAP hBitmap)
{
  BITMAP bm = {};
  if (hBitmap == NULL || !::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmWidth == 0 || bm.bmHeight == 0)
    return NULL;
  const COLORREF corner = GetBitmapCornerColor(hBitmap);
  HIMAGELIST hList = ::ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 1);
  if (hList == NULL)
    return NULL;
  HICON hIcon = NULL;
  if (::ImageList_AddMasked(hList, hBitmap, corner) >= 0)
    hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
  ::ImageList_Destroy(hList);
  return hIcon;
}

CTKPSharedMetrics* GetSharedMetrics()
{
  static CTKPSharedMetrics metrics;
  return &metrics;
}

CTKPClientCursorPos::CTKPClientCursorPos(HWND hWnd)
{
  ::GetCursorPos(this);
  if (hWnd)
    ::ScreenToClient(hWnd, this);
}

CTKPClientCursorPos::CTKPClientCursorPos(const CWnd* pWnd) : CTKPClientCursorPos(pWnd ? pWnd->GetSafeHwnd() : NULL)
{
}
