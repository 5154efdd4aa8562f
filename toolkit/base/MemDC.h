// A memory DC for one paint of a rectangle: memory coordinate 0,0 is the rectangle's top-left
// corner; the buffer starts painted with a gradient (unless its dark end is unset) and is copied to
// the target when the object goes out of scope.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "toolkit/common/ColorValue.h"

class CTKMemDC : public CDC
{
  DECLARE_DYNAMIC(CTKMemDC)
public:
  // An empty rectangle stands for the DC's clip box.
  CTKMemDC(CDC* pDC, const CRect& rect, const CTKPColorGradient& background = CTKPColorGradient(),
           BOOL bHorz = FALSE);
  ~CTKMemDC() override;

  BOOL IsValid() const { return m_bValid; }
  const CRect& GetRect() const { return m_rect; }

protected:
  CDC* m_pDC;
  CRect m_rect;
  BOOL m_bValid;
  CBitmap m_bitmap;
  HGDIOBJ m_hOldBitmap;
};
