#include "preview/win/host/PreviewFrameState.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/pane/MainPreviewView.h"

CPreviewFrameState::CPreviewFrameState()
    : m_pPreviewPane(NULL), m_bPreviewShown(1), m_bPreviewable(0), m_bNoFileSelected(0) {}

CPreviewFrameState::~CPreviewFrameState() {}

CWnd* CPreviewFrameState::GetPreviewFocusTarget() { return NULL; }

int CPreviewFrameState::GetScanMode() const { return 2; }

void CPreviewFrameState::ShowFilePreview(CString strPath, CString strExtension) {
  if (m_pPreviewPane == NULL) return;
  if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(this)) pFrame->SetActiveView(m_pPreviewPane, FALSE);
  m_pPreviewPane->CloseViewers();
  m_pPreviewPane->ShowPreview(strPath, strExtension);
}

CFrameWnd* AFXAPI GetPreviewFrameWnd() {
  CWinThread* pThread = AfxGetThread();
  CWnd* pMain = pThread != NULL ? pThread->GetMainWnd() : NULL;
  if (pMain == NULL || pMain->GetSafeHwnd() == NULL) return NULL;
  CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pMain);
  return pFrame != NULL && dynamic_cast<CPreviewFrameState*>(pFrame) != NULL ? pFrame : NULL;
}

CPreviewFrameState* AFXAPI GetPreviewFrame() { return dynamic_cast<CPreviewFrameState*>(GetPreviewFrameWnd()); }

CPreviewDocument* AFXAPI GetPreviewDocument() {
  CFrameWnd* pFrame = GetPreviewFrameWnd();
  CDocument* pDoc = pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
  return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPreviewDocument)) ? static_cast<CPreviewDocument*>(pDoc) : NULL;
}
