#include "classlib/win/CView.h"

#include "classlib/win/AfxGdi.h"
#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CDocument.h"
#include "classlib/win/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, HandleInitialUpdate)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL) {}

CView::~CView() {
  if (m_pDocument != NULL) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    if (!AfxEndDeferRegisterClass(_afxWndFrameOrView)) return FALSE;
    cs.lpszClass = _afxWndFrameOrView;
  }
  // A border asked for by style is drawn as the sunken client edge.
  if (cs.style & WS_BORDER) {
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
  }
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (pContext != NULL && pContext->m_pCurrentDoc != NULL) pContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->GetActiveView() == this) pFrame->SetActiveView(NULL, FALSE);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
  CFrameWnd* pParentFrame = GetParentFrame();
  if (pParentFrame != NULL && pParentFrame->GetActiveView() != this) {
    pParentFrame->SetActiveView(this);
  }
  return nResult;
}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

void CView::OnInitialUpdate() { OnUpdate(NULL, 0, NULL); }

LRESULT CView::HandleInitialUpdate(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnPrepareDC(CDC*, void*) {}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
  if (pSender != this) Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (bActivate && pActivateView == this) {
    // Take the focus unless a child of the view has it already.
    HWND hWndFocus = ::GetFocus();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && ::GetActiveWindow() == pFrame->GetTopLevelParent()->GetSafeHwnd() &&
        hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus))
      SetFocus();
  }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

void CView::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  CView* pOldView = pState->m_pRoutingView;
  pState->m_pRoutingView = this;
  // The view itself, then its document (which passes on to its template).
  BOOL bHandled = CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  if (!bHandled && m_pDocument != NULL) bHandled = m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  pState->m_pRoutingView = pOldView;
  return bHandled;
}

CWnd* AFXAPI AfxCreateView(CWnd* pParent, CCreateContext* pContext, UINT nID) {
  if (pParent == NULL || pContext == NULL || pContext->m_pNewViewClass == NULL ||
      !pContext->m_pNewViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
    return NULL;
  CWnd* pView = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
  if (pView == NULL) return NULL;
  RECT rc = {0, 0, 0, 0};
  // A view that fails to create has been deleted by its PostNcDestroy.
  if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, rc, pParent, nID, pContext)) return NULL;
  return pView;
}
