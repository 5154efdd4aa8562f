#include "preview/win/viewers/PlaceholderViews.h"

#include "preview/win/host/PreviewFrameState.h"
#include "res/preview.h"

IMPLEMENT_DYNCREATE(CCorrupted_NoPreview_View, CView)
IMPLEMENT_DYNCREATE(CLargeFileView, CView)

void DrawPlaceholderPicture(CWnd* pWnd, CDC* pDC, UINT nID, int nLeftShift) {
  CBitmap bitmap;
  if (!bitmap.LoadBitmap(nID)) return;
  BITMAP info;
  bitmap.GetBitmap(&info);
  CRect client;
  pWnd->GetClientRect(&client);
  CDC memDC;
  if (!memDC.CreateCompatibleDC(pDC)) return;
  CBitmap* pOld = memDC.SelectObject(&bitmap);
  // Each half cut towards zero; a window smaller than the picture clips it.
  int x = client.Width() / 2 - info.bmWidth / 2 - nLeftShift;
  int y = client.Height() / 2 - info.bmHeight / 2;
  pDC->BitBlt(x, y, info.bmWidth, info.bmHeight, &memDC, 0, 0, SRCCOPY);
  memDC.SelectObject(pOld);
}

CCorrupted_NoPreview_View::CCorrupted_NoPreview_View() {}

UINT CCorrupted_NoPreview_View::ChoosePicture(int bNoFileSelected, int bPreviewable, int bPreviewShown) {
  if (bNoFileSelected) return IDB_PREVIEW_SELECT_FILE;
  if (bPreviewable || !bPreviewShown) return IDB_PREVIEW_CORRUPT;
  return IDB_PREVIEW_NOT_AVAILABLE;
}

void CCorrupted_NoPreview_View::OnDraw(CDC* pDC) {
  CPreviewFrameState* pFrame = GetPreviewFrame();
  UINT nID = pFrame != NULL ? ChoosePicture(pFrame->m_bNoFileSelected, pFrame->m_bPreviewable, pFrame->m_bPreviewShown)
                            : IDB_PREVIEW_NOT_AVAILABLE;
  DrawPlaceholderPicture(this, pDC, nID, 40);
}

CLargeFileView::CLargeFileView() {}

void CLargeFileView::OnDraw(CDC* pDC) { DrawPlaceholderPicture(this, pDC, IDB_PREVIEW_TOO_LARGE, 50); }
