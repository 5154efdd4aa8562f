// The image layer of the previews: a picture decoded from a file by its format code (the codes of
// CPreviewDocument::GetImageTypeFromFileName), measured and drawn stretched into a device context.
// Decoding goes to our decoders and libraries first (preview/decoders), then to the platform's
// (WIC for TIFF, icons and what the libraries refuse; GDI for metafiles). A file that does not
// decode gives an invalid picture of size 0 x 0.
#pragma once

#include "preview/decoders/RasterImage.h"

#include <windows.h>

class CxImage {
 public:
  CxImage();
  // Decodes the whole file (files above 64 MiB are refused).
  CxImage(LPCWSTR lpszFileName, DWORD dwImageType);
  ~CxImage();
  CxImage(const CxImage&) = delete;
  CxImage& operator=(const CxImage&) = delete;

  bool Load(LPCWSTR lpszFileName, DWORD dwImageType);
  // From bytes in memory.
  bool Decode(const BYTE* pData, size_t nSize, DWORD dwImageType);

  bool IsValid() const { return m_image.IsValid(); }
  DWORD GetWidth() const { return m_image.Width(); }
  DWORD GetHeight() const { return m_image.Height(); }
  const morvick::RasterImage& Pixels() const { return m_image; }

  // Draws the picture scaled into (x, y, cx, cy) with the raster operation; 0 when there is
  // nothing to draw.
  long Stretch(HDC hdc, long x, long y, long cx, long cy, DWORD dwRop = SRCCOPY) const;
  void Destroy();

 private:
  morvick::RasterImage m_image;
};

// The largest file the image layer reads.
constexpr size_t kMaxImageFileBytes = 64u * 1024u * 1024u;
