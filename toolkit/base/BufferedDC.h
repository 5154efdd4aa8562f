// Stack objects for one paint: a memory DC whose bitmap is copied to the target when the object
// goes out of scope, and a memory DC around a given bitmap.
#pragma once

#include "classlib/win/AfxGdi.h"

// Drawing goes to an off-screen bitmap of right x bottom pixels (so the target's coordinates hold)
// in the target's layout (so a mirrored target gets what drawing on it directly would give); the
// destructor copies the rectangle back to the same place.
class CTKPBufferedDC : public CDC
{
public:
  CTKPBufferedDC(HDC hDestDC, const CRect& rect);
  ~CTKPBufferedDC() override;

  HDC GetDestDC() const { return m_hDestDC; }

protected:
  HDC m_hDestDC;
  CBitmap m_bitmap;
  CRect m_rect;
  HGDIOBJ m_hOldBitmap;
};

// A memory DC compatible with the given DC (the screen for null) with the bitmap selected.
class CTKPCompatibleDC : public CDC
{
public:
  CTKPCompatibleDC(CDC* pDC, CBitmap* pBitmap);
  CTKPCompatibleDC(CDC* pDC, HBITMAP hBitmap);
  ~CTKPCompatibleDC() override;

protected:
  void Init(CDC* pDC, HBITMAP hBitmap);
  HGDIOBJ m_hOldBitmap;
};
