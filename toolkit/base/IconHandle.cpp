#include "toolkit/base/IconHandle.h"

#include "toolkit/base/Dib32.h"
#include "toolkit/base/ImageManager.h"

#include <cstring>

namespace {

#pragma pack(push, 2)
struct GroupIconEntry
{
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14, "group icon directory entries are 14 bytes");

}  // namespace

CTKPIconHandle::CTKPIconHandle() : m_hIcon(NULL), m_hBitmap(NULL), m_hPremultiplied(NULL), m_bOwns(TRUE) {}

CTKPIconHandle::CTKPIconHandle(HICON hIcon) : m_hIcon(hIcon), m_hBitmap(NULL), m_hPremultiplied(NULL), m_bOwns(FALSE)
{
}

CTKPIconHandle::CTKPIconHandle(HBITMAP hBitmap)
    : m_hIcon(NULL), m_hBitmap(hBitmap), m_hPremultiplied(NULL), m_bOwns(FALSE)
{
}

CTKPIconHandle::CTKPIconHandle(const CTKPIconHandle& other)
    : m_hIcon(other.m_hIcon), m_hBitmap(other.m_hBitmap), m_hPremultiplied(NULL), m_bOwns(FALSE)
{
}

CTKPIconHandle::~CTKPIconHandle() { Clear(); }

void CTKPIconHandle::Clear()
{
  if (m_bOwns) {
    if (m_hIcon)
      ::DestroyIcon(m_hIcon);
    if (m_hBitmap)
      ::DeleteObject(m_hBitmap);
  }
  if (m_hPremultiplied)
    ::DeleteObject(m_hPremultiplied);
  m_hIcon = NULL;
  m_hBitmap = NULL;
  m_hPremultiplied = NULL;
  m_bOwns = TRUE;
}

void CTKPIconHandle::AssignIcon(HICON hIcon)
{
  Clear();
  m_hIcon = hIcon;
}

void CTKPIconHandle::AssignBitmap(HBITMAP hBitmap)
{
  Clear();
  m_hBitmap = hBitmap;
}

void CTKPIconHandle::CopyAlphaBitmap(HBITMAP hBitmap)
{
  Clear();
  m_hBitmap = CTKPImageManager::DuplicateAlphaBitmap(hBitmap);
}

void CTKPIconHandle::CopyFrom(const CTKPIconHandle& other)
{
  if (&other == this)
    return;
  Clear();
  if (other.m_hIcon)
    m_hIcon = ::CopyIcon(other.m_hIcon);
  if (other.m_hBitmap)
    m_hBitmap = CTKPImageManager::DuplicateAlphaBitmap(other.m_hBitmap);
}

CSize CTKPIconHandle::GetExtent() const
{
  if (m_hIcon)
    return CTKPImageManager::GetIconExtent(m_hIcon);
  if (m_hBitmap) {
    BITMAP bm = {};
    if (::GetObjectW(m_hBitmap, sizeof(bm), &bm))
      return CSize(bm.bmWidth, bm.bmHeight);
  }
  return CSize(0, 0);
}

BOOL CTKPIconHandle::PreparePremultiplied()
{
  if (m_hPremultiplied)
    return TRUE;
  if (m_hBitmap) {
    m_hPremultiplied = CTKPImageManager::CreatePremultipliedBitmap(m_hBitmap);
  } else if (m_hIcon) {
    ICONINFO info = {};
    if (::GetIconInfo(m_hIcon, &info)) {
      if (info.hbmColor)
        m_hPremultiplied = CTKPImageManager::CreatePremultipliedBitmap(info.hbmColor);
      if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
      if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    }
  }
  return m_hPremultiplied != NULL;
}

BOOL CTKPIconHandle::LoadIconResource(UINT nID, int cx, int cy, BOOL bSearchGroup)
{
  if (bSearchGroup) {
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_GROUP_ICON);
    HRSRC hGroup = ::FindResourceW(hInst, MAKEINTRESOURCEW(nID), RT_GROUP_ICON);
    if (hGroup) {
      const DWORD size = ::SizeofResource(hInst, hGroup);
      HGLOBAL hData = ::LoadResource(hInst, hGroup);
      const BYTE* data = hData ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
      if (data == NULL || size < 6)
        return FALSE;
      WORD count = 0;
      std::memcpy(&count, data + 4, 2);
      if (6 + static_cast<DWORD>(count) * sizeof(GroupIconEntry) > size)
        count = static_cast<WORD>((size - 6) / sizeof(GroupIconEntry));
      for (int i = count - 1; i >= 0; --i) {
        GroupIconEntry entry;
        std::memcpy(&entry, data + 6 + i * sizeof(GroupIconEntry), sizeof(entry));
        if (entry.width == static_cast<BYTE>(cx) && entry.height == static_cast<BYTE>(cy) &&
            LoadIconResource(entry.id, cx, cy, FALSE))
          return TRUE;
      }
      return FALSE;
    }
  }

  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_ICON);
  HRSRC hIcon = ::FindResourceW(hInst, MAKEINTRESOURCEW(nID), RT_ICON);
  if (hIcon == NULL)
    return FALSE;
  const DWORD size = ::SizeofResource(hInst, hIcon);
  HGLOBAL hData = ::LoadResource(hInst, hIcon);
  BYTE* bits = hData ? static_cast<BYTE*>(::LockResource(hData)) : NULL;
  if (bits == NULL || size < sizeof(BITMAPINFOHEADER))
    return FALSE;
  BITMAPINFOHEADER header;
  std::memcpy(&header, bits, sizeof(header));
  if (header.biBitCount == 32 && CTKPImageManager::GetDefault()->IsAlphaSupported()) {
    const LONG width = header.biWidth, height = header.biHeight / 2;
    const ULONGLONG pixelBytes = static_cast<ULONGLONG>(width > 0 ? width : 0) * (height > 0 ? height : 0) * 4;
    if (width <= 0 || height <= 0 || header.biSize < sizeof(header) || header.biSize + pixelBytes > size)
      return FALSE;
    void* pixels = NULL;
    HBITMAP hBitmap = TKPCreateDib32(width, height, &pixels);
    if (hBitmap == NULL)
      return FALSE;
    std::memcpy(pixels, bits + header.biSize, static_cast<size_t>(pixelBytes));
    AssignBitmap(hBitmap);
  } else {
    AssignIcon(::CreateIconFromResourceEx(bits, size, TRUE, 0x30000, cx, cy, 0));
  }
  return !IsEmpty();
}
