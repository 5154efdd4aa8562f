// Metafiles played by GDI into a white picture of their own size: an enhanced metafile by its
// frame, a Windows metafile by its placeable header (or at 1000 x 1000 logical units without one).
#include "preview/win/imaging/PlatformDecoders.h"

#include "preview/win/imaging/DibInfo.h"

#include <cstring>

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
// The picture a metafile is played into is at most this many pixels a side.
constexpr LONG kMaxMetafileSide = 4096;

bool PlayInto(HENHMETAFILE emf, LONG width, LONG height, morvick::RasterImage& out) {
  if (width <= 0 || height <= 0) return false;
  if (width > kMaxMetafileSide) width = kMaxMetafileSide;
  if (height > kMaxMetafileSide) height = kMaxMetafileSide;
  BITMAPINFO bmi = Dib24Info(width, -height);
  void* bits = NULL;
  HDC dc = CreateCompatibleDC(NULL);
  HBITMAP bmp = dc != NULL ? CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0) : NULL;
  bool ok = bmp != NULL && out.Allocate(width, height);
  if (ok) {
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT rc = {0, 0, width, height};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ok = PlayEnhMetaFile(dc, emf, &rc) != FALSE;
    GdiFlush();
    SelectObject(dc, old);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    for (LONG y = 0; ok && y < height; ++y)
      std::memcpy(out.Row(y), static_cast<const BYTE*>(bits) + y * stride, stride);
  }
  if (bmp != NULL) DeleteObject(bmp);
  if (dc != NULL) DeleteDC(dc);
  if (!ok) out.Clear();
  return ok;
}

}  // namespace

bool DecodeMetafile(const BYTE* pData, size_t nSize, morvick::RasterImage& out) {
  out.Clear();
  if (pData == NULL || nSize < 22 || nSize > 0x7FFFFFFF) return false;
  uint32_t key;
  std::memcpy(&key, pData, 4);
  HENHMETAFILE emf = NULL;
  LONG width = 0, height = 0;
  if (nSize >= sizeof(ENHMETAHEADER) && reinterpret_cast<const ENHMETAHEADER*>(pData)->iType == EMR_HEADER &&
      reinterpret_cast<const ENHMETAHEADER*>(pData)->dSignature == ENHMETA_SIGNATURE) {
    emf = SetEnhMetaFileBits(static_cast<UINT>(nSize), pData);
    ENHMETAHEADER header;
    if (emf != NULL && GetEnhMetaFileHeader(emf, sizeof header, &header)) {
      width = header.rclBounds.right - header.rclBounds.left + 1;
      height = header.rclBounds.bottom - header.rclBounds.top + 1;
    }
  } else {
    const BYTE* wmf = pData;
    size_t wmfSize = nSize;
    METAFILEPICT pict = {MM_ANISOTROPIC, 1000, 1000, NULL};
    width = height = 1000;
    if (key == kPlaceableKey) {
      // The placeable header: the bounding box in units of the given count per inch.
      int16_t box[4];
      uint16_t inch;
      std::memcpy(box, pData + 6, 8);
      std::memcpy(&inch, pData + 14, 2);
      if (inch == 0) return false;
      width = MulDiv(box[2] - box[0], 96, inch);
      height = MulDiv(box[3] - box[1], 96, inch);
      pict.xExt = MulDiv(box[2] - box[0], 2540, inch);
      pict.yExt = MulDiv(box[3] - box[1], 2540, inch);
      wmf += 22;
      wmfSize -= 22;
    }
    if (width < 0) width = -width;
    if (height < 0) height = -height;
    emf = SetWinMetaFileBits(static_cast<UINT>(wmfSize), wmf, NULL, &pict);
  }
  if (emf == NULL) return false;
  bool ok = PlayInto(emf, width, height, out);
  DeleteEnhMetaFile(emf);
  return ok;
}
