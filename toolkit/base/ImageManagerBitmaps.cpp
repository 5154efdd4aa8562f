// The image manager's bitmap and icon operations that need no manager.
#include "toolkit/base/ImageManager.h"

#include "toolkit/base/Dib32.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/common/IconPixels.h"

#include <cstdio>
#include <cstring>
#include <new>

BOOL CTKPImageManager::IsComCtl6() { return (CTKPUxThemeWrapper::GetComCtlVersion() >> 16) >= 6; }

BOOL CTKPImageManager::IsAlphaBitmapFile(LPCTSTR lpszFileName)
{
  FILE* file = _wfopen(lpszFileName, L"rb");
  if (file == NULL)
    return FALSE;
  BITMAPFILEHEADER fileHeader;
  BITMAPINFOHEADER infoHeader;
  const bool read = std::fread(&fileHeader, sizeof(fileHeader), 1, file) == 1 &&
                    std::fread(&infoHeader, sizeof(infoHeader), 1, file) == 1;
  std::fclose(file);
  return read && fileHeader.bfType == 0x4D42 && infoHeader.biBitCount == 32;
}

BYTE* CTKPImageManager::ReadBitmapBits32(HBITMAP hBitmap, int* pWidth, int* pHeight)
{
  BITMAP bm = {};
  if (hBitmap == NULL || !::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0)
    return NULL;
  const int width = bm.bmWidth, height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  BYTE* bits = new (std::nothrow) BYTE[static_cast<size_t>(width) * height * 4];
  if (bits == NULL)
    return NULL;
  BITMAPINFO bmi = TKPDib32Info(width, height);
  HDC hdc = ::GetDC(NULL);
  const int lines = ::GetDIBits(hdc, hBitmap, 0, height, bits, &bmi, DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hdc);
  if (lines != height) {
    delete[] bits;
    return NULL;
  }
  *pWidth = width;
  *pHeight = height;
  return bits;
}

HBITMAP CTKPImageManager::DuplicateAlphaBitmap(HBITMAP hBitmap)
{
  int width = 0, height = 0;
  BYTE* bits = ReadBitmapBits32(hBitmap, &width, &height);
  if (bits == NULL)
    return NULL;
  void* copyBits = NULL;
  HBITMAP hCopy = TKPCreateDib32(width, height, &copyBits);
  if (hCopy)
    std::memcpy(copyBits, bits, static_cast<size_t>(width) * height * 4);
  delete[] bits;
  return hCopy;
}

HBITMAP CTKPImageManager::CreatePremultipliedBitmap(HBITMAP hBitmap)
{
  HBITMAP hCopy = DuplicateAlphaBitmap(hBitmap);
  DIBSECTION ds = {};
  if (hCopy && ::GetObjectW(hCopy, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits) {
    ::GdiFlush();
    tkpixels::Premultiply(static_cast<BYTE*>(ds.dsBm.bmBits),
                          static_cast<size_t>(ds.dsBm.bmWidth) * static_cast<size_t>(ds.dsBm.bmHeight));
  }
  return hCopy;
}

CSize CTKPImageManager::GetIconExtent(HICON hIcon)
{
  CSize extent(0, 0);
  ICONINFO info = {};
  if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
    return extent;
  BITMAP bm = {};
  if (info.hbmColor && ::GetObjectW(info.hbmColor, sizeof(bm), &bm))
    extent = CSize(bm.bmWidth, bm.bmHeight);
  else if (info.hbmMask && ::GetObjectW(info.hbmMask, sizeof(bm), &bm))
    extent = CSize(bm.bmWidth, bm.bmHeight / 2);
  if (info.hbmColor)
    ::DeleteObject(info.hbmColor);
  if (info.hbmMask)
    ::DeleteObject(info.hbmMask);
  return extent;
}

HICON CTKPImageManager::ScaleIcon(HICON hIcon, CSize size, int nNewWidth)
{
  if (hIcon == NULL || nNewWidth == 0 || size.cx == 0 || size.cy == 0)
    return NULL;
  if (nNewWidth == size.cx)
    return ::CopyIcon(hIcon);
  HIMAGELIST hList =
      ::ImageList_Create(nNewWidth, MulDiv(size.cy, nNewWidth, size.cx), ILC_COLOR32 | ILC_MASK, 1, 1);
  if (hList == NULL)
    return NULL;
  HICON hScaled = NULL;
  if (::ImageList_ReplaceIcon(hList, -1, hIcon) >= 0)
    hScaled = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
  ::ImageList_Destroy(hList);
  return hScaled;
}

void CTKPImageManager::DrawAlphaBitmap(CDC* pDC, CPoint ptDest, CSize szDest, HBITMAP hBitmap, CPoint ptSrc,
                                       CSize szSrc)
{
  if (szSrc == CSize(0, 0))
    szSrc = szDest;
  HBITMAP hPremultiplied = CreatePremultipliedBitmap(hBitmap);
  if (hPremultiplied == NULL)
    return;
  CTKPImageManager* pDefault = GetDefault();
  if (pDefault->m_pfnAlphaBlend) {
    HDC memory = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ old = ::SelectObject(memory, hPremultiplied);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    pDefault->m_pfnAlphaBlend(pDC->GetSafeHdc(), ptDest.x, ptDest.y, szDest.cx, szDest.cy, memory, ptSrc.x, ptSrc.y,
                              szSrc.cx, szSrc.cy, blend);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
  }
  ::DeleteObject(hPremultiplied);
}

UINT CTKPImageManager::GetToolBarImageFormat()
{
  static const UINT format = ::RegisterClipboardFormatW(L"Dezero ToolBar Image");
  return format;
}

UINT CTKPImageManager::GetAlphaBitmapFormat()
{
  static const UINT format = ::RegisterClipboardFormatW(L"Alpha Bitmap Image");
  return format;
}

namespace {
// Registered at start-up.
const UINT g_toolBarImageFormat = CTKPImageManager::GetToolBarImageFormat();
const UINT g_alphaBitmapFormat = CTKPImageManager::GetAlphaBitmapFormat();
}  // namespace
