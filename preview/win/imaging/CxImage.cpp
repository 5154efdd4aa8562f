#include "preview/win/imaging/CxImage.h"

#include "preview/decoders/ImageDecoder.h"
#include "preview/decoders/ImageFormat.h"
#include "preview/win/imaging/DibInfo.h"
#include "preview/win/imaging/PlatformDecoders.h"

#include <vector>

namespace {

bool ReadWholeFile(LPCWSTR lpszFileName, std::vector<BYTE>& out) {
  HANDLE h = CreateFileW(lpszFileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, NULL);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(h, &size) && size.QuadPart > 0 && static_cast<uint64_t>(size.QuadPart) <= kMaxImageFileBytes;
  if (ok) {
    try {
      out.resize(static_cast<size_t>(size.QuadPart));
    } catch (...) {
      ok = false;
    }
  }
  DWORD read = 0;
  ok = ok && ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &read, NULL) && read == out.size();
  CloseHandle(h);
  return ok;
}

}  // namespace

CxImage::CxImage() {}

CxImage::CxImage(LPCWSTR lpszFileName, DWORD dwImageType) { Load(lpszFileName, dwImageType); }

CxImage::~CxImage() {}

bool CxImage::Load(LPCWSTR lpszFileName, DWORD dwImageType) {
  Destroy();
  std::vector<BYTE> bytes;
  if (lpszFileName == NULL || !ReadWholeFile(lpszFileName, bytes)) return false;
  return Decode(bytes.data(), bytes.size(), dwImageType);
}

bool CxImage::Decode(const BYTE* pData, size_t nSize, DWORD dwImageType) {
  Destroy();
  const int format = static_cast<int>(dwImageType);
  morvick::DecodeOutcome outcome = morvick::DecodeImage(pData, nSize, format, m_image);
  if (outcome == morvick::DecodeOutcome::kNotHandled) {
    bool ok = format == morvick::kImageMetafile ? DecodeMetafile(pData, nSize, m_image)
                                                : DecodeWithWic(pData, nSize, m_image);
    if (!ok) m_image.Clear();
  }
  return IsValid();
}

long CxImage::Stretch(HDC hdc, long x, long y, long cx, long cy, DWORD dwRop) const {
  if (!IsValid() || hdc == NULL) return 0;
  BITMAPINFO bmi = Dib24Info(static_cast<LONG>(m_image.Width()), -static_cast<LONG>(m_image.Height()));
  int oldMode = SetStretchBltMode(hdc, HALFTONE);
  POINT oldOrigin;
  SetBrushOrgEx(hdc, 0, 0, &oldOrigin);
  int lines = StretchDIBits(hdc, x, y, cx, cy, 0, 0, m_image.Width(), m_image.Height(), m_image.Bits(), &bmi,
                            DIB_RGB_COLORS, dwRop);
  SetBrushOrgEx(hdc, oldOrigin.x, oldOrigin.y, NULL);
  SetStretchBltMode(hdc, oldMode);
  return lines > 0 ? 1 : 0;
}

void CxImage::Destroy() { m_image.Clear(); }
