#include "preview/win/imaging/PsdDecoder.h"

#include "preview/win/imaging/DibInfo.h"

#include <cstdio>
#include <cstring>
#include <vector>

CPSDDecoder::CPSDDecoder() : m_hBitmap(NULL), m_bHandedOut(false) {}

CPSDDecoder::~CPSDDecoder() {
  if (m_hBitmap != NULL && !m_bHandedOut) DeleteObject(m_hBitmap);
}

HBITMAP CPSDDecoder::GetBitmap() {
  m_bHandedOut = true;
  return m_hBitmap;
}

int CPSDDecoder::Load(LPCWSTR lpszPath) {
  FILE* f = lpszPath != NULL ? _wfopen(lpszPath, L"rb") : NULL;
  if (f == NULL) return morvick::kPsdCannotOpen;
  std::vector<uint8_t> bytes;
  bool ok = fseek(f, 0, SEEK_END) == 0;
  long size = ok ? ftell(f) : -1;
  ok = ok && size >= 0 && static_cast<size_t>(size) <= kMaxPsdFileBytes && fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    try {
      bytes.resize(static_cast<size_t>(size));
    } catch (...) {
      ok = false;
    }
  }
  ok = ok && fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  fclose(f);
  if (!ok) return morvick::kPsdCannotOpen;

  int rc = m_reader.Read(bytes.data(), bytes.size());
  if (rc != morvick::kPsdOk || !m_reader.HasImage()) return rc;
  if (!CreateDib()) rc = morvick::kPsdNoBitmap;
  // The pixels now live in the bitmap.
  m_reader.Image().Clear();
  return rc;
}

bool CPSDDecoder::CreateDib() {
  const morvick::RasterImage& image = m_reader.Image();
  BITMAPINFO bmi = Dib24Info(static_cast<LONG>(image.Width()), static_cast<LONG>(image.Height()));  // bottom-up
  bmi.bmiHeader.biXPelsPerMeter = m_reader.PixelsPerMeterX();
  bmi.bmiHeader.biYPelsPerMeter = m_reader.PixelsPerMeterY();
  void* bits = NULL;
  m_hBitmap = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
  if (m_hBitmap == NULL || bits == NULL) {
    if (m_hBitmap != NULL) DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    return false;
  }
  // The same row layout (24 bits, padded to four bytes); the section's rows run from the bottom.
  const size_t stride = image.Stride();
  for (uint32_t y = 0; y < image.Height(); ++y)
    std::memcpy(static_cast<uint8_t*>(bits) + (image.Height() - 1 - y) * stride, image.Row(y), stride);
  GdiFlush();
  return true;
}
