#include "toolkit/base/BufferedDC.h"

CTKPBufferedDC::CTKPBufferedDC(HDC hDestDC, const CRect& rect) : m_hDestDC(hDestDC), m_rect(rect), m_hOldBitmap(NULL)
{
  Attach(::CreateCompatibleDC(hDestDC));
  const int cx = rect.right > 0 ? rect.right : 1;
  const int cy = rect.bottom > 0 ? rect.bottom : 1;
  m_bitmap.Attach(::CreateCompatibleBitmap(hDestDC, cx, cy));
  m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
  // The buffer takes the target's layout: drawn into it for a right-to-left window, places are
  // mirrored as they are there and text still reads forward, and copying it back flips nothing.
  const DWORD dwLayout = hDestDC != NULL ? ::GetLayout(hDestDC) : 0;
  if (dwLayout != GDI_ERROR && dwLayout != 0)
    ::SetLayout(m_hDC, dwLayout);
}

CTKPBufferedDC::~CTKPBufferedDC()
{
  if (m_hDC) {
    ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
             SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
  }
  m_bitmap.DeleteObject();
}

CTKPCompatibleDC::CTKPCompatibleDC(CDC* pDC, CBitmap* pBitmap) : m_hOldBitmap(NULL)
{
  Init(pDC, pBitmap ? static_cast<HBITMAP>(pBitmap->GetSafeHandle()) : NULL);
}

CTKPCompatibleDC::CTKPCompatibleDC(CDC* pDC, HBITMAP hBitmap) : m_hOldBitmap(NULL) { Init(pDC, hBitmap); }

void CTKPCompatibleDC::Init(CDC* pDC, HBITMAP hBitmap)
{
  Attach(::CreateCompatibleDC(pDC ? pDC->GetSafeHdc() : NULL));
  if (m_hDC && hBitmap)
    m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CTKPCompatibleDC::~CTKPCompatibleDC()
{
  if (m_hDC) {
    if (m_hOldBitmap)
      ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
  }
}
