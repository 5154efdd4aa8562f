#include "preview/win/viewers/IconView.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CTextView, CView)

BEGIN_MESSAGE_MAP(CTextView, CView)
  ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

// No picture of a preview is drawn through a bitmap larger than this on a side.
constexpr long kMaxPicturePixels = 8192;

}  // namespace

CTextView::CTextView() : m_nWidth(0), m_nHeight(0), m_nHimetricWidth(0), m_nHimetricHeight(0), m_pPicture(NULL) {}

CTextView::~CTextView() {
  if (m_pPicture != NULL) m_pPicture->Release();
}

void CTextView::OnInitialUpdate() { CView::OnInitialUpdate(); }

long CTextView::HimetricToPixels(long himetric, int dpi) {
  long long pixels = (static_cast<long long>(dpi) * himetric + 1270) / 2540;
  return pixels > kMaxPicturePixels || pixels < -kMaxPicturePixels ? -1 : static_cast<long>(pixels);
}

CRect CTextView::TargetRect(const CRect& client) {
  // 200 clear on either side and 10 above and below, as far as a third of the pane's size: a narrow
  // pane keeps a picture that is neither empty nor turned inside out.
  const long insetX = std::min<long>(200, client.Width() / 3);
  const long insetY = std::min<long>(10, client.Height() / 3);
  return CRect(client.left + insetX, client.top + insetY, client.right - insetX, client.bottom - insetY);
}

BOOL CTextView::LoadPicture(const CString& strPath) {
  if (m_pPicture != NULL) {
    m_pPicture->Release();
    m_pPicture = NULL;
  }
  try {
    HRESULT hr = OleLoadPicturePath(const_cast<LPOLESTR>(static_cast<LPCWSTR>(strPath)), NULL, 0, 0, IID_IPicture,
                                    reinterpret_cast<void**>(&m_pPicture));
    if (FAILED(hr) || m_pPicture == NULL) {
      m_pPicture = NULL;
      return 0;
    }
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    m_pPicture->get_Width(&w);
    m_pPicture->get_Height(&h);
    m_nHimetricWidth = w;
    m_nHimetricHeight = h;
    HDC screen = ::GetDC(NULL);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(NULL, screen);
    m_nWidth = HimetricToPixels(w, dpiX);
    m_nHeight = HimetricToPixels(h, dpiY);
    // A picture that claims an absurd size is a damaged file.
    if (m_nWidth <= 0 || m_nHeight <= 0) {
      m_pPicture->Release();
      m_pPicture = NULL;
      return 0;
    }
    return 1;
  } catch (...) {
    return 0;
  }
}

int CTextView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  CPreviewFrameState* pFrame = GetPreviewFrame();
  CPreviewDocument* pDoc = GetPreviewDocument();
  if (pFrame == NULL || pDoc == NULL) return 0;
  if (!LoadPicture(pDoc->m_strPreviewPath)) pFrame->m_bPreviewShown = 0;
  return 0;
}

void CTextView::OnPrepareDC(CDC* pDC, void* pInfo) {
  CView::OnPrepareDC(pDC, pInfo);
  if (pDC == NULL || !pDC->IsPrinting()) return;
  // One screen pixel prints at the same physical size.
  HDC display = CreateICW(L"DISPLAY", NULL, NULL, NULL);
  if (display == NULL) return;
  pDC->SetMapMode(MM_ANISOTROPIC);
  pDC->SetWindowExt(GetDeviceCaps(display, LOGPIXELSX), GetDeviceCaps(display, LOGPIXELSY));
  pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
  pDC->SetWindowOrg(0, 0);
  pDC->SetViewportOrg(0, 0);
  DeleteDC(display);
}

void CTextView::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CRect target = TargetRect(client);
  if (m_pPicture == NULL) return;
  HDC hdc = pDC->GetSafeHdc();
  OLE_HANDLE hPal = 0;
  HPALETTE oldPalette = NULL;
  if (SUCCEEDED(m_pPicture->get_hPal(&hPal)) && hPal != 0) {
    oldPalette = SelectPalette(hdc, reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(hPal)), FALSE);
    RealizePalette(hdc);
  }
  DWORD attributes = 0;
  if (FAILED(m_pPicture->get_Attributes(&attributes)) || (attributes & PICTURE_TRANSPARENT)) {
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP bitmap = mem != NULL ? CreateCompatibleBitmap(hdc, m_nWidth, m_nHeight) : NULL;
    if (bitmap != NULL) {
      HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
      HPALETTE memOldPalette = NULL;
      if (hPal != 0) {
        memOldPalette = SelectPalette(mem, reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(hPal)), FALSE);
        RealizePalette(mem);
      }
      m_pPicture->Render(mem, 0, 0, m_nWidth, m_nHeight, 0, m_nHimetricHeight, m_nHimetricWidth, -m_nHimetricHeight,
                         &target);
      // The box's own size: its right and bottom taken as the size mirrored a narrow pane's picture.
      StretchBlt(hdc, target.left, target.top, target.Width(), target.Height(), mem, 0, 0, m_nWidth, m_nHeight,
                 SRCCOPY);
      if (memOldPalette != NULL) SelectPalette(mem, memOldPalette, FALSE);
      SelectObject(mem, oldBitmap);
      DeleteObject(bitmap);
    }
    if (mem != NULL) DeleteDC(mem);
  } else {
    m_pPicture->Render(hdc, 0, 0, m_nWidth, m_nHeight, 0, m_nHimetricHeight, m_nHimetricWidth, -m_nHimetricHeight,
                       &client);
  }
  if (oldPalette != NULL) SelectPalette(hdc, oldPalette, FALSE);
}
