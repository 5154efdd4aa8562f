#include "toolkit/base/MemDC.h"

#include "toolkit/base/DrawingHelper.h"

IMPLEMENT_DYNAMIC(CTKMemDC, CDC)

CTKMemDC::CTKMemDC(CDC* pDC, const CRect& rect, const CTKPColorGradient& background, BOOL bHorz)
    : m_pDC(pDC), m_rect(rect), m_bValid(FALSE), m_hOldBitmap(NULL)
{
  if (m_rect.IsRectEmpty())
    pDC->GetClipBox(&m_rect);
  if (!Attach(::CreateCompatibleDC(pDC->GetSafeHdc())))
    return;
  ::SetMapMode(m_hDC, pDC->GetMapMode());
  m_bitmap.Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), m_rect.Width(), m_rect.Height()));
  m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
  m_bValid = TRUE;
  if (background.m_clrDark.m_clrOverride == TK_COLOR_NONE && background.m_clrDark.m_clrStandard == TK_COLOR_NONE)
    return;
  CRect buffer(0, 0, m_rect.Width(), m_rect.Height());
  CTKPDrawingHelper::FillColorGradient(this, &buffer, &background, bHorz);
}

CTKMemDC::~CTKMemDC()
{
  if (m_bValid) {
    ::BitBlt(m_pDC->GetSafeHdc(), m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, 0, 0, SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();
  }
  if (m_hDC)
    DeleteDC();
}
