#include "preview/win/viewers/PsdView.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"

IMPLEMENT_DYNCREATE(CPSDViewView, CView)

BEGIN_MESSAGE_MAP(CPSDViewView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CPSDViewView::CPSDViewView() : m_nLoadResult(morvick::kPsdCannotOpen), m_hBitmap(NULL) {}

CPSDViewView::~CPSDViewView() {
  if (m_hBitmap != NULL) DeleteObject(m_hBitmap);
}

BOOL CPSDViewView::PreCreateWindow(CREATESTRUCT& cs) { return CView::PreCreateWindow(cs); }

void CPSDViewView::OnInitialUpdate() { CView::OnInitialUpdate(); }

void CPSDViewView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

int CPSDViewView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  CRect client;
  GetClientRect(&client);
  // Child, visible, black frame, centred image.
  m_frame.Create(L"", 0x50000207, client, this, IDC_PSD_FRAME);
  CPreviewFrameState* pFrame = GetPreviewFrame();
  CPreviewDocument* pDoc = GetPreviewDocument();
  if (pFrame == NULL || pDoc == NULL) return 0;
  m_nLoadResult = m_decoder.Load(pDoc->m_strPreviewPath);
  if (m_nLoadResult == morvick::kPsdOk && m_decoder.HasBitmap()) {
    m_hBitmap = m_decoder.GetBitmap();
    Invalidate(TRUE);
  }
  // No picture is reported, so the pane says "Corrupt File": an empty frame would pass for a blank picture.
  pFrame->m_bPreviewShown = m_hBitmap != NULL ? 1 : 0;
  m_frame.ShowWindow(SW_SHOWNORMAL);
  return 0;
}

void CPSDViewView::OnSize(UINT nType, int cx, int cy) {
  Default();
  if (m_frame.GetSafeHwnd() != NULL) {
    CRect client;
    GetClientRect(&client);
    m_frame.MoveWindow(0, 0, client.Width(), client.Height(), TRUE);
  }
}

void CPSDViewView::OnDraw(CDC* pDC) {
  if (m_nLoadResult != morvick::kPsdOk || m_hBitmap == NULL || m_frame.GetSafeHwnd() == NULL) return;
  CDC memDC;
  if (!memDC.CreateCompatibleDC(pDC)) return;
  HGDIOBJ old = SelectObject(memDC.GetSafeHdc(), m_hBitmap);
  CRect client;
  GetClientRect(&client);
  // The whole picture over the whole client area; the shape is not kept.
  // HALFTONE: the default mode ANDs the pixels a shrink drops into those it keeps, darkening and speckling the picture.
  int oldMode = pDC->SetStretchBltMode(HALFTONE);
  pDC->StretchBlt(client.left, client.top, client.right, client.bottom, &memDC, 0, 0, m_decoder.Header().width,
                  m_decoder.Header().height, SRCCOPY);
  pDC->SetStretchBltMode(oldMode);
  SelectObject(memDC.GetSafeHdc(), old);
}
