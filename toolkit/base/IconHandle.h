// One state image of a command icon: an icon or a 32-bit DIB section with straight alpha, plus a
// premultiplied copy made for alpha blending on first draw.
#pragma once

#include "classlib/win/AfxGdi.h"

class CTKPIconHandle
{
public:
  // An empty record that owns what it is given.
  CTKPIconHandle();
  // Records that refer to a handle (or another record's handles) without owning it.
  explicit CTKPIconHandle(HICON hIcon);
  explicit CTKPIconHandle(HBITMAP hBitmap);
  CTKPIconHandle(const CTKPIconHandle& other);
  ~CTKPIconHandle();
  CTKPIconHandle& operator=(const CTKPIconHandle&) = delete;

  // Clear, then own the handle.
  void AssignIcon(HICON hIcon);
  void AssignBitmap(HBITMAP hBitmap);
  // Clear, then own a DIB-section copy of the bitmap.
  void CopyAlphaBitmap(HBITMAP hBitmap);
  // Clear, then own copies of the other record's icon or bitmap.
  void CopyFrom(const CTKPIconHandle& other);
  void Clear();

  BOOL IsEmpty() const { return m_hIcon == NULL && m_hBitmap == NULL; }
  BOOL IsAlpha() const { return m_hBitmap != NULL; }
  HICON GetIcon() const { return m_hIcon; }
  HBITMAP GetBitmap() const { return m_hBitmap; }
  HBITMAP GetPremultipliedBitmap() const { return m_hPremultiplied; }
  // The icon's size (a monochrome icon's mask is two images high), else the bitmap's, else 0 x 0.
  CSize GetExtent() const;
  // Makes the premultiplied copy once; TRUE when it exists.
  BOOL PreparePremultiplied();

  // Loads icon resource nID at cx x cy: through its group's entries (last first) when searchGroup,
  // else the RT_ICON resource itself. TRUE when the record then holds an image.
  BOOL LoadIconResource(UINT nID, int cx, int cy, BOOL bSearchGroup = TRUE);

protected:
  HICON m_hIcon;
  HBITMAP m_hBitmap;
  HBITMAP m_hPremultiplied;
  BOOL m_bOwns;
};
