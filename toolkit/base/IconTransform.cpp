#include "toolkit/base/IconTransform.h"

#include "toolkit/base/Dib32.h"
#include "toolkit/base/ImageManager.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The bitmap's pixels as 32-bit top-down rows; empty when they cannot be read.
std::vector<BYTE> ReadPixels(HBITMAP hBitmap, int width, int height)
{
  std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 4);
  BITMAPINFO bmi = TKPDib32Info(width, -height);
  HDC hdc = ::GetDC(NULL);
  const int lines = ::GetDIBits(hdc, hBitmap, 0, height, pixels.data(), &bmi, DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hdc);
  if (lines != height)
    pixels.clear();
  return pixels;
}

HBITMAP CreateTopDownSection(int width, int height, const std::vector<BYTE>& pixels)
{
  void* bits = NULL;
  HBITMAP hBitmap = TKPCreateDib32(width, -height, &bits);
  if (hBitmap)
    std::memcpy(bits, pixels.data(), pixels.size());
  return hBitmap;
}

}  // namespace

BOOL TKPTransformImage(const CTKPIconHandle& source, CTKPIconHandle& target, const std::function<void(BYTE*)>& rule)
{
  if (source.GetBitmap()) {
    HBITMAP hCopy = CTKPImageManager::DuplicateAlphaBitmap(source.GetBitmap());
    DIBSECTION ds = {};
    if (hCopy == NULL || ::GetObjectW(hCopy, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBits == NULL) {
      if (hCopy)
        ::DeleteObject(hCopy);
      return FALSE;
    }
    ::GdiFlush();
    BYTE* p = static_cast<BYTE*>(ds.dsBm.bmBits);
    const size_t count = static_cast<size_t>(ds.dsBm.bmWidth) * std::abs(ds.dsBm.bmHeight);
    for (size_t i = 0; i < count; ++i)
      rule(p + i * 4);
    target.AssignBitmap(hCopy);
    return TRUE;
  }
  if (source.GetIcon() == NULL)
    return FALSE;

  ICONINFO info = {};
  if (!::GetIconInfo(source.GetIcon(), &info))
    return FALSE;
  BOOL bResult = FALSE;
  if (info.hbmColor == NULL) {
    // A monochrome icon has no colour pixels to change.
    target.AssignIcon(::CopyIcon(source.GetIcon()));
    bResult = TRUE;
  } else {
    BITMAP bm = {};
    ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
    std::vector<BYTE> color = ReadPixels(info.hbmColor, bm.bmWidth, bm.bmHeight);
    std::vector<BYTE> mask = ReadPixels(info.hbmMask, bm.bmWidth, bm.bmHeight);
    if (!color.empty() && !mask.empty()) {
      for (size_t i = 0; i < color.size(); i += 4) {
        if (mask[i] == 0 && mask[i + 1] == 0 && mask[i + 2] == 0)
          rule(&color[i]);
      }
      HBITMAP hColor = CreateTopDownSection(bm.bmWidth, bm.bmHeight, color);
      if (hColor) {
        ICONINFO made = {TRUE, 0, 0, info.hbmMask, hColor};
        target.AssignIcon(::CreateIconIndirect(&made));
        ::DeleteObject(hColor);
        bResult = !target.IsEmpty();
      }
    }
  }
  if (info.hbmColor)
    ::DeleteObject(info.hbmColor);
  if (info.hbmMask)
    ::DeleteObject(info.hbmMask);
  return bResult;
}
