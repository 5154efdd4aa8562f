#include "classlib/win/CDocTemplate.h"

#include "classlib/win/CDocument.h"
#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CView.h"
#include "classlib/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass),
      m_hMenuShared(NULL),
      m_hAccelTable(NULL) {}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) {
    WCHAR szText[1024];
    int n = ::LoadStringW(AfxGetResourceHandle(), m_nIDResource, szText, 1024);
    if (n > 0) m_strDocStrings = szText;
  }
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const {
  rString.Empty();
  int nStart = 0;
  for (int i = 0; i < (int)index; i++) {
    int nNext = m_strDocStrings.Find(L'\n', nStart);
    if (nNext < 0) return FALSE;
    nStart = nNext + 1;
  }
  int nEnd = m_strDocStrings.Find(L'\n', nStart);
  rString = nEnd < 0 ? m_strDocStrings.Mid(nStart) : m_strDocStrings.Mid(nStart, nEnd - nStart);
  return TRUE;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = NULL;
  POSITION pos = GetFirstDocPosition();
  while (pos != NULL) {
    CDocument* pDoc = GetNextDoc(pos);
    if (pDoc != NULL && !pDoc->GetPathName().IsEmpty() &&
        lstrcmpiW(pDoc->GetPathName(), lpszPathName) == 0) {
      rpDocMatch = pDoc;
      return yesAlreadyOpen;
    }
  }
  CString strFilterExt;
  if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
    LPCWSTR pszDot = wcsrchr(lpszPathName, L'.');
    if (pszDot != NULL && lstrcmpiW(pszDot, strFilterExt) == 0) return yesAttemptNative;
  }
  return yesAttemptForeign;
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (pDoc->m_pDocTemplate == this) pDoc->m_pDocTemplate = NULL;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (m_pDocClass == NULL || !m_pDocClass->IsDerivedFrom(RUNTIME_CLASS(CDocument))) return NULL;
  CDocument* pDocument = static_cast<CDocument*>(m_pDocClass->CreateObject());
  if (pDocument == NULL) return NULL;
  AddDocument(pDocument);
  return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  if (m_pFrameClass == NULL || !m_pFrameClass->IsDerivedFrom(RUNTIME_CLASS(CFrameWnd))) return NULL;
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
  if (pFrame == NULL) return NULL;
  // A frame that fails to load has deleted itself (PostNcDestroy).
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context)) return NULL;
  return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  POSITION pos = GetFirstDocPosition();
  while (pos != NULL) {
    CDocument* pDoc = GetNextDoc(pos);
    if (pDoc != NULL && !pDoc->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  POSITION pos = GetFirstDocPosition();
  while (pos != NULL) {
    CDocument* pDoc = GetNextDoc(pos);
    if (pDoc != NULL) pDoc->OnCloseDocument();
    pos = GetFirstDocPosition();  // the list changed
  }
}

// --- CSingleDocTemplate ---------------------------------------------------------------------

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc != NULL) m_pOnlyDoc->m_pDocTemplate = NULL;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  if (m_pOnlyDoc != NULL && m_pOnlyDoc != pDoc) return;  // one document at a time
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = NULL;
  CDocTemplate::RemoveDocument(pDoc);
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc == NULL ? NULL : (POSITION)(UINT_PTR)1;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* pDoc = rPos == (POSITION)(UINT_PTR)1 ? m_pOnlyDoc : NULL;
  rPos = NULL;
  return pDoc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString strDocName;
  if (!GetDocString(strDocName, docName) || strDocName.IsEmpty()) strDocName = L"Untitled";
  pDocument->SetTitle(strDocName);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* pDocument = NULL;
  CFrameWnd* pFrame = NULL;
  BOOL bCreated = FALSE;
  BOOL bWasModified = FALSE;

  if (m_pOnlyDoc != NULL) {
    // Reuse the document (and its frame) when it lets go of its contents.
    pDocument = m_pOnlyDoc;
    if (!pDocument->SaveModified()) return NULL;
    POSITION pos = pDocument->GetFirstViewPosition();
    CView* pView = pos != NULL ? pDocument->GetNextView(pos) : NULL;
    pFrame = pView != NULL ? pView->GetParentFrame() : NULL;
  } else {
    pDocument = CreateNewDocument();
    if (pDocument == NULL) return NULL;
    bCreated = TRUE;
  }

  if (pFrame == NULL) {
    // The document lives through the frame's creation even if its first view goes.
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    pFrame = CreateNewFrame(pDocument, NULL);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL) {
      if (bCreated) {
        RemoveDocument(pDocument);
        pDocument->m_bAutoDelete = FALSE;
        delete pDocument;
      }
      return NULL;
    }
  }

  if (lpszPathName == NULL) {
    SetDefaultTitle(pDocument);
    if (!bMakeVisible) pDocument->m_bEmbedded = TRUE;
    if (!pDocument->OnNewDocument()) {
      if (bCreated) pFrame->DestroyWindow();  // takes the document with it
      return NULL;
    }
  } else {
    bWasModified = pDocument->IsModified();
    pDocument->SetModifiedFlag(FALSE);
    if (!pDocument->OnOpenDocument(lpszPathName)) {
      if (bCreated) {
        pFrame->DestroyWindow();  // takes the document with it
      } else if (!pDocument->IsModified()) {
        pDocument->SetModifiedFlag(bWasModified);
      } else {
        // The old contents are gone: start a new, empty document rather than show a half-read one.
        SetDefaultTitle(pDocument);
        pDocument->OnNewDocument();
      }
      return NULL;
    }
    pDocument->SetPathName(lpszPathName);
  }

  CWinApp* pApp = AfxGetApp();
  if (bCreated && pApp != NULL && pApp->m_pMainWnd == NULL) pApp->m_pMainWnd = pFrame;
  InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
  return pDocument;
}
