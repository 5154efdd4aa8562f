#include "preview/win/viewers/ImageView.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/imaging/CxImage.h"

IMPLEMENT_DYNCREATE(CImage_View, CView)

BEGIN_MESSAGE_MAP(CImage_View, CView)
  ON_WM_CREATE()
END_MESSAGE_MAP()

CImage_View::CImage_View() {}

BOOL CImage_View::PreCreateWindow(CREATESTRUCT& cs) { return CView::PreCreateWindow(cs); }

void CImage_View::OnInitialUpdate() { CView::OnInitialUpdate(); }

void CImage_View::OnUpdate(CView*, LPARAM, CObject*) {}

int CImage_View::OnCreate(LPCREATESTRUCT lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  CPreviewFrameState* pFrame = GetPreviewFrame();
  CPreviewDocument* pDoc = GetPreviewDocument();
  if (pFrame == NULL || pDoc == NULL) return 0;
  int type = CPreviewDocument::GetImageTypeFromFileName(pDoc->m_strPreviewPath);
  if (type == 0) return 0;
  try {
    CxImage image(pDoc->m_strPreviewPath, type);
    if (image.GetHeight() == 0 || image.GetWidth() == 0) pFrame->m_bPreviewShown = 0;
  } catch (...) {
    pFrame->m_bPreviewShown = 0;
  }
  return 0;
}

CRect CImage_View::PictureRect(int nClientWidth, DWORD nImageWidth, DWORD nImageHeight) {
  float r = static_cast<float>(nImageHeight) / static_cast<float>(static_cast<int>(nImageWidth));
  int s = static_cast<int>(r * 100);
  int x = nClientWidth / 2 - 100;
  int y = (120 - s) / 2;
  return CRect(x, y, x + 200, y + s + 100);
}

void CImage_View::OnDraw(CDC* pDC) {
  CPreviewFrameState* pFrame = GetPreviewFrame();
  CPreviewDocument* pDoc = GetPreviewDocument();
  if (pFrame == NULL || pDoc == NULL) return;
  int type = CPreviewDocument::GetImageTypeFromFileName(pDoc->m_strPreviewPath);
  if (type == 0) return;
  try {
    // No cache: every paint reads the file anew.
    CxImage image(pDoc->m_strPreviewPath, type);
    if (image.GetHeight() == 0 || image.GetWidth() == 0) {
      pFrame->m_bPreviewShown = 0;
      return;
    }
    CRect client;
    GetClientRect(&client);
    CRect rc = PictureRect(client.Width(), image.GetWidth(), image.GetHeight());
    image.Stretch(pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), SRCCOPY);
  } catch (...) {
    pFrame->m_bPreviewShown = 0;
  }
}
