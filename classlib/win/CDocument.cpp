#include "classlib/win/CDocument.h"

#include <algorithm>

#include "classlib/win/CDocTemplate.h"
#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CView.h"
#include "classlib/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

CDocument::CDocument() : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE) {}

CDocument::~CDocument() {
  // Views still pointing here lose their document rather than keep a dangling pointer.
  for (CView* pView : m_viewList) pView->m_pDocument = NULL;
  m_viewList.clear();
  if (m_pDocTemplate != NULL) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
  m_strTitle = lpszTitle != NULL ? lpszTitle : L"";
  for (CView* pView : m_viewList) {
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != NULL) pFrame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  WCHAR szFull[MAX_PATH * 2];
  DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH * 2, szFull, NULL);
  m_strPathName = (n > 0 && n < MAX_PATH * 2) ? szFull : lpszPathName;
  // The title is the file name.
  LPCWSTR pszName = wcsrchr(m_strPathName, L'\\');
  SetTitle(pszName != NULL ? pszName + 1 : (LPCTSTR)m_strPathName);
  if (bAddToMRU && AfxGetApp() != NULL) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView) {
  if (pView == NULL || std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end()) return;
  if (pView->m_pDocument != NULL && pView->m_pDocument != this) pView->m_pDocument->RemoveView(pView);
  m_viewList.push_back(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
  if (it == m_viewList.end()) return;
  m_viewList.erase(it);
  pView->m_pDocument = NULL;
  OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const {
  return m_viewList.empty() ? NULL : (POSITION)(UINT_PTR)1;
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
  UINT_PTR nIndex = (UINT_PTR)rPosition;
  if (nIndex == 0 || nIndex > m_viewList.size()) {
    rPosition = NULL;
    return NULL;
  }
  CView* pView = m_viewList[nIndex - 1];
  rPosition = nIndex < m_viewList.size() ? (POSITION)(nIndex + 1) : NULL;
  return pView;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  std::vector<CView*> views = m_viewList;  // a view may leave the list while it updates
  for (CView* pView : views) {
    if (pView != pSender && std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
      pView->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::OnChangedViewList() {
  // The last view gone ends an automatically deleted document.
  if (m_viewList.empty() && m_bAutoDelete) OnCloseDocument();
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
  // Opened for reading only: a document never writes to the file it reads.
  CFile file;
  CFileException fe;
  if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
    ReportSaveLoadException(lpszPathName, &fe, FALSE, 0);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(TRUE);  // dirty while it loads
  try {
    CArchive loadArchive(&file, CArchive::load | CArchive::bNoFlushOnDelete);
    Serialize(loadArchive);
    loadArchive.Close();
    file.Close();
  } catch (CException* e) {
    file.Abort();
    DeleteContents();  // nothing half-read stays
    ReportSaveLoadException(lpszPathName, e, FALSE, 0);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
  // Written to a new file beside the target, which replaces the target only when complete, so a
  // failed save never leaves a truncated document behind.
  CString strTemp = lpszPathName;
  strTemp += L".saving";
  CFile file;
  CFileException fe;
  if (!file.Open(strTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &fe)) {
    ReportSaveLoadException(lpszPathName, &fe, TRUE, 0);
    return FALSE;
  }
  try {
    CArchive saveArchive(&file, CArchive::store | CArchive::bNoFlushOnDelete);
    Serialize(saveArchive);
    saveArchive.Close();
    file.Close();
  } catch (CException* e) {
    file.Abort();
    ::DeleteFileW(strTemp);
    ReportSaveLoadException(lpszPathName, e, TRUE, 0);
    e->Delete();
    return FALSE;
  }
  if (!::MoveFileExW(strTemp, lpszPathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(strTemp);
    ReportSaveLoadException(lpszPathName, NULL, TRUE, 0);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR, CException* e, BOOL bSaving, UINT) {
  WCHAR szMessage[512];
  if (e != NULL && e->GetErrorMessage(szMessage, 512)) {
    AfxMessageBox(szMessage, MB_ICONEXCLAMATION);
    return;
  }
  AfxMessageBox(bSaving ? L"Failed to save document." : L"Failed to open document.", MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
  BOOL bAutoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;  // the document stays while its frames close
  while (!m_viewList.empty()) {
    CView* pView = m_viewList.front();
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != NULL) {
      PreCloseFrame(pFrame);
      pFrame->DestroyWindow();  // destroys the view with it
    } else if (pView->m_hWnd != NULL) {
      pView->DestroyWindow();
    }
    // A view that is still listed (no window, or a window that would not go) is let go here.
    if (!m_viewList.empty() && m_viewList.front() == pView) RemoveView(pView);
  }
  m_bAutoDelete = bAutoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
  // Other frames showing this document keep it open.
  for (CView* pView : m_viewList) {
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != NULL && pFrame != pFrameArg) return TRUE;
  }
  return SaveModified();
}

BOOL CDocument::SaveModified() { return TRUE; }

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
