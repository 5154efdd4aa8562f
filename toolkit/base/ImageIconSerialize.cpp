// The saved form of an icon's images: height, version, then the normal, disabled, hot and (from
// version 8 on) checked images, each a colour block and a mask block.
#include "toolkit/base/ImageIcon.h"

#include "toolkit/common/BitmapBlock.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const LONG kVersion = 16;

// A monochrome bitmap is written as it is (1 bit per pixel with its two colours); every other
// bitmap as 32 bits per pixel, whose header needs no colour table.
void BlockFromBitmap(HBITMAP hBitmap, TKPBitmapBlock& block)
{
  block = TKPBitmapBlock();
  BITMAP bm = {};
  if (hBitmap == NULL || !::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0)
    return;
  const int height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  const bool mono = bm.bmBitsPixel == 1 && bm.bmPlanes == 1;

  struct
  {
    BITMAPINFOHEADER header;
    BYTE extra[12];
  } info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = bm.bmWidth;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = mono ? 1 : 32;
  info.header.biCompression = BI_RGB;

  std::vector<BYTE> pixels(static_cast<size_t>(bm.bmWidth) * height * 4, 0);
  HDC hdc = ::GetDC(NULL);
  const int lines = ::GetDIBits(hdc, hBitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                                DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hdc);
  if (lines != height)
    return;
  std::memcpy(block.header, &info, sizeof(block.header));
  block.pixels.swap(pixels);
}

HBITMAP BitmapFromBlock(const TKPBitmapBlock& block)
{
  if (block.IsEmpty())
    return NULL;
  struct
  {
    BITMAPINFOHEADER header;
    BYTE extra[12];
  } info;
  std::memcpy(&info, block.header, sizeof(info));
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biSizeImage = 0;
  void* bits = NULL;
  HBITMAP hBitmap = ::CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, NULL, 0);
  if (hBitmap == NULL)
    return NULL;
  DIBSECTION ds = {};
  ::GetObjectW(hBitmap, sizeof(ds), &ds);
  const size_t sectionBytes = static_cast<size_t>(ds.dsBm.bmWidthBytes) * std::abs(ds.dsBm.bmHeight);
  std::memcpy(bits, block.pixels.data(), std::min(sectionBytes, block.pixels.size()));
  return hBitmap;
}

void WriteImage(CArchive& ar, const CTKPIconHandle& image)
{
  TKPBitmapBlock color, mask;
  if (image.GetIcon()) {
    ICONINFO info = {};
    if (::GetIconInfo(image.GetIcon(), &info)) {
      BlockFromBitmap(info.hbmColor, color);
      BlockFromBitmap(info.hbmMask, mask);
      if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
      if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    }
  } else if (image.GetBitmap()) {
    BlockFromBitmap(image.GetBitmap(), color);
  }
  TKPWriteBitmapBlock(ar, color);
  TKPWriteBitmapBlock(ar, mask);
}

void ReadImage(CArchive& ar, CTKPIconHandle& image)
{
  TKPBitmapBlock colorBlock, maskBlock;
  TKPReadBitmapBlock(ar, colorBlock);
  TKPReadBitmapBlock(ar, maskBlock);
  HBITMAP hColor = BitmapFromBlock(colorBlock);
  HBITMAP hMask = BitmapFromBlock(maskBlock);
  image.Clear();
  if (hColor && hMask) {
    BITMAP bm = {};
    ::GetObjectW(hColor, sizeof(bm), &bm);
    HIMAGELIST hList = ::ImageList_Create(bm.bmWidth, std::abs(bm.bmHeight), ILC_COLOR24 | ILC_MASK, 1, 1);
    if (hList) {
      if (::ImageList_Add(hList, hColor, hMask) >= 0)
        image.AssignIcon(::ImageList_GetIcon(hList, 0, ILD_NORMAL));
      ::ImageList_Destroy(hList);
    }
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
  } else if (hColor) {
    image.AssignBitmap(hColor);
  } else if (hMask) {
    ::DeleteObject(hMask);
  }
}

}  // namespace

void CTKPImageIcon::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar << static_cast<LONG>(m_nHeight) << kVersion;
    WriteImage(ar, m_images[stateNormal]);
    WriteImage(ar, m_images[stateDisabled]);
    WriteImage(ar, m_images[stateHot]);
    WriteImage(ar, m_images[stateChecked]);
    return;
  }
  LONG height = 0, version = 0;
  ar >> height >> version;
  m_nHeight = height;
  ReadImage(ar, m_images[stateNormal]);
  ReadImage(ar, m_images[stateDisabled]);
  ReadImage(ar, m_images[stateHot]);
  if (version > 7)
    ReadImage(ar, m_images[stateChecked]);
  ClearDerived();
}
