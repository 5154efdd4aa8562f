#include "classlib/win/CWinApp.h"

#include <commdlg.h>
#include <shellapi.h>

#include "classlib/win/AfxMessageLog.h"
#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CDocTemplate.h"
#include "classlib/win/CDocument.h"
#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CRecentFileList.h"
#include "classlib/win/CView.h"
#include "classlib/win/CWnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {

CWinApp* g_pApp = NULL;

LPTSTR DupString(LPCTSTR lpsz) {
  if (lpsz == NULL) return NULL;
  size_t n = wcslen(lpsz) + 1;
  LPTSTR p = new TCHAR[n];
  memcpy(p, lpsz, n * sizeof(TCHAR));
  return p;
}

void FreeString(LPCTSTR& lpsz) {
  delete[] const_cast<LPTSTR>(lpsz);
  lpsz = NULL;
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(DupString(lpszAppName)),
      m_hInstance(::GetModuleHandleW(NULL)),
      m_hPrevInstance(NULL),
      m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszExeName(NULL),
      m_pszHelpFilePath(NULL),
      m_pszProfileName(NULL),
      m_pszRegistryKey(NULL),
      m_pRecentFileList(NULL),
      m_atomApp(0),
      m_atomSystemTopic(0),
      m_nNumPreviewPages(0) {
  g_pApp = this;
  AfxGetThreadState()->m_pCurrentWinThread = this;
  m_nThreadID = ::GetCurrentThreadId();
  m_bAutoDelete = FALSE;
}

CWinApp::~CWinApp() {
  for (CDocTemplate* pTemplate : m_templateList) delete pTemplate;
  m_templateList.clear();
  delete m_pRecentFileList;
  m_pRecentFileList = NULL;
  FreeString(m_pszAppName);
  FreeString(m_pszExeName);
  FreeString(m_pszHelpFilePath);
  FreeString(m_pszProfileName);
  FreeString(m_pszRegistryKey);
  if (g_pApp == this) g_pApp = NULL;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_pCurrentWinThread == this) pState->m_pCurrentWinThread = NULL;
  m_hThread = NULL;  // the main thread's handle is not ours to close
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL) return FALSE;
  pApp->m_hInstance = hInstance != NULL ? hInstance : ::GetModuleHandleW(NULL);
  pApp->m_hPrevInstance = hPrevInstance;
  pApp->m_lpCmdLine = lpCmdLine;
  pApp->m_nCmdShow = nCmdShow;
  pApp->m_nThreadID = ::GetCurrentThreadId();
  AfxGetThreadState()->m_pCurrentWinThread = pApp;
  ::InitCommonControls();
  return TRUE;
}

BOOL CWinApp::InitApplication() {
  // Names derived from the module: the exe name, the title and the INI profile.
  WCHAR szModule[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(m_hInstance, szModule, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) lstrcpyW(szModule, L"app.exe");
  LPCWSTR pszName = wcsrchr(szModule, L'\\');
  pszName = pszName != NULL ? pszName + 1 : szModule;
  WCHAR szExe[MAX_PATH];
  lstrcpynW(szExe, pszName, MAX_PATH);
  if (LPWSTR pDot = wcsrchr(szExe, L'.')) *pDot = 0;
  if (m_pszExeName == NULL) m_pszExeName = DupString(szExe);
  if (m_pszAppName == NULL) {
    WCHAR szTitle[256];
    if (::LoadStringW(m_hInstance, AFX_IDS_APP_TITLE, szTitle, 256) > 0)
      m_pszAppName = DupString(szTitle);
    else
      m_pszAppName = DupString(m_pszExeName);
  }
  if (m_pszProfileName == NULL) {
    WCHAR szIni[MAX_PATH + 4];
    swprintf(szIni, MAX_PATH + 4, L"%ls.INI", m_pszExeName);
    m_pszProfileName = DupString(szIni);
  }
  if (m_pszHelpFilePath == NULL) {
    WCHAR szHelp[MAX_PATH + 4];
    lstrcpynW(szHelp, szModule, MAX_PATH);
    if (LPWSTR pDot = wcsrchr(szHelp, L'.')) lstrcpyW(pDot, L".HLP");
    m_pszHelpFilePath = DupString(szHelp);
  }
  return TRUE;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
  if (m_pMainWnd == NULL) AfxPostQuitMessage(0);  // nothing to wait for
  return CWinThread::Run();
}

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return (int)AfxGetThreadState()->m_msgCur.wParam;
}

BOOL CWinApp::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWinThread::OnIdle(lCount);
  } else if (lCount == 1) {
    CWinThread::OnIdle(lCount);  // frees the temporary wrappers
  }
  return lCount < 1;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  // A box without an icon gets the one its buttons call for.
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL:
      case MB_YESNO:
      case MB_YESNOCANCEL:
        nType |= MB_ICONEXCLAMATION;
        break;
      default:
        break;
    }
  }
  HWND hWndOwner = NULL;
  CWnd* pMain = AfxGetMainWnd();
  if (pMain != NULL && ::IsWindow(pMain->m_hWnd) &&
      ::GetWindowThreadProcessId(pMain->m_hWnd, NULL) == ::GetCurrentThreadId())
    hWndOwner = ::GetLastActivePopup(pMain->m_hWnd);
  LPCTSTR lpszTitle = m_pszAppName != NULL ? m_pszAppName : L"";
  return AfxShowMessageBox(hWndOwner, lpszPrompt, lpszTitle, nType);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL) return pApp->DoMessageBox(lpszText, nType, nIDHelp);
  return AfxShowMessageBox(NULL, lpszText, L"", nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  WCHAR szText[1024];
  if (::LoadStringW(AfxGetResourceHandle(), nIDPrompt, szText, 1024) <= 0) szText[0] = 0;
  return AfxMessageBox(szText, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

void AFXAPI AfxReportException(CException* e, UINT nType) {
  WCHAR szMessage[512];
  if (e == NULL || !e->GetErrorMessage(szMessage, 512)) lstrcpyW(szMessage, L"No error message is available.");
  AfxMessageBox(szMessage, nType);
}

void AFXAPI AfxReportWindowProcException(CException* e) {
  if (e != NULL) {
    AfxReportException(e, MB_ICONEXCLAMATION);
    e->Delete();
  } else {
    AfxMessageBox(L"Internal application error.", MB_ICONSTOP);
  }
}

// --- Resources --------------------------------------------------------------------------------

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
  return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEW(nIDResource)); }
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconW(NULL, lpszIconName); }
HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
  return ::LoadCursorW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEW(nIDResource)); }
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorW(NULL, lpszCursorName); }
HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursorW(NULL, MAKEINTRESOURCEW(nIDCursor)); }

// --- Documents ----------------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate == NULL) return;
  pTemplate->LoadTemplate();
  m_templateList.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return m_templateList.empty() ? NULL : (POSITION)(UINT_PTR)1;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  UINT_PTR nIndex = (UINT_PTR)pos;
  if (nIndex == 0 || nIndex > m_templateList.size()) {
    pos = NULL;
    return NULL;
  }
  CDocTemplate* pTemplate = m_templateList[nIndex - 1];
  pos = nIndex < m_templateList.size() ? (POSITION)(nIndex + 1) : NULL;
  return pTemplate;
}

int CWinApp::GetOpenDocumentCount() {
  int nCount = 0;
  for (CDocTemplate* pTemplate : m_templateList) {
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL) {
      pTemplate->GetNextDoc(pos);
      nCount++;
    }
  }
  return nCount;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  for (CDocTemplate* pTemplate : m_templateList) pTemplate->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::SaveAllModified() {
  for (CDocTemplate* pTemplate : m_templateList) {
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL) {
      CDocument* pDoc = pTemplate->GetNextDoc(pos);
      if (pDoc != NULL && !pDoc->SaveModified()) return FALSE;
    }
  }
  return TRUE;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  if (m_templateList.empty() || lpszFileName == NULL || *lpszFileName == 0) return NULL;
  // The template that knows the file best; a document already open is only activated.
  CDocTemplate* pBest = NULL;
  CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
  CDocument* pOpenDocument = NULL;
  for (CDocTemplate* pTemplate : m_templateList) {
    CDocument* pDoc = NULL;
    CDocTemplate::Confidence match = pTemplate->MatchDocType(lpszFileName, pDoc);
    if (match > bestMatch) {
      bestMatch = match;
      pBest = pTemplate;
      pOpenDocument = pDoc;
    }
    if (match == CDocTemplate::yesAlreadyOpen) break;
  }
  if (pOpenDocument != NULL) {
    POSITION pos = pOpenDocument->GetFirstViewPosition();
    if (pos != NULL) {
      CView* pView = pOpenDocument->GetNextView(pos);
      CFrameWnd* pFrame = pView != NULL ? pView->GetParentFrame() : NULL;
      if (pFrame != NULL) pFrame->ActivateFrame();
    }
    return pOpenDocument;
  }
  if (pBest == NULL) pBest = m_templateList.front();
  return pBest->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
  if (m_pRecentFileList != NULL) m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnFileNew() {
  if (m_templateList.empty()) return;
  m_templateList.front()->OpenDocumentFile(NULL);
}

void CWinApp::OnFileOpen() {
  WCHAR szFile[MAX_PATH] = L"";
  CString strFilter;
  if (!m_templateList.empty()) {
    CString strName, strExt;
    if (m_templateList.front()->GetDocString(strName, CDocTemplate::filterName) &&
        m_templateList.front()->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty()) {
      strFilter = strName;
      strFilter += L'\n';
      strFilter += L"*";
      strFilter += strExt;
      strFilter += L'\n';
    }
  }
  strFilter += L"All Files (*.*)\n*.*\n\n";
  std::vector<WCHAR> filter(strFilter.GetLength() + 1);
  for (int i = 0; i < strFilter.GetLength(); i++) filter[i] = strFilter[i] == L'\n' ? 0 : strFilter[i];
  filter[strFilter.GetLength()] = 0;
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  CWnd* pMain = AfxGetMainWnd();
  ofn.hwndOwner = pMain != NULL ? pMain->m_hWnd : NULL;
  ofn.lpstrFilter = filter.data();
  ofn.lpstrFile = szFile;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (::GetOpenFileNameW(&ofn)) OpenDocumentFile(szFile);
}

void CWinApp::OnFilePrintSetup() {}

void CWinApp::OnAppExit() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain != NULL && pMain->m_hWnd != NULL) pMain->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelp() {}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList == NULL)
    pCmdUI->Enable(FALSE);
  else
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  if (m_pRecentFileList == NULL) return FALSE;
  int nIndex = (int)(nID - ID_FILE_MRU_FIRST);
  if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize()) return FALSE;
  CString strPath = (*m_pRecentFileList)[nIndex];
  if (strPath.IsEmpty()) return FALSE;
  if (OpenDocumentFile(strPath) == NULL) m_pRecentFileList->Remove(nIndex);
  return TRUE;
}

void CWinApp::DoWaitCursor(int nCode) { AfxDoWaitCursor(nCode); }

// --- Command line and shell -----------------------------------------------------------------

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == NULL) return;
  for (int i = 1; i < argc; i++) {
    LPCWSTR pszParam = argv[i];
    BOOL bFlag = FALSE;
    BOOL bLast = (i == argc - 1);
    if (pszParam[0] == L'-' || pszParam[0] == L'/') {
      bFlag = TRUE;
      ++pszParam;
    }
    rCmdInfo.ParseParam(pszParam, bFlag, bLast);
  }
  ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  BOOL bResult = TRUE;
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!OnCmdMsg(ID_FILE_NEW, 0, NULL, NULL)) OnFileNew();
      if (m_pMainWnd == NULL) bResult = FALSE;
      break;
    case CCommandLineInfo::FileOpen:
      if (OpenDocumentFile(rCmdInfo.m_strFileName) == NULL) bResult = FALSE;
      break;
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FileDDE:
      // Printing and DDE requests are not served: the program ends.
      bResult = FALSE;
      break;
    case CCommandLineInfo::AppUnregister:
      UnregisterShellFileTypes();
      bResult = FALSE;
      break;
    case CCommandLineInfo::FileNothing:
    default:
      break;
  }
  return bResult;
}

void CWinApp::EnableShellOpen() {
  // Files are opened through the command line; no DDE conversation is offered.
  if (m_atomApp == 0 && m_pszExeName != NULL) m_atomApp = ::GlobalAddAtomW(m_pszExeName);
}

namespace {

BOOL SetRegValue(HKEY hRoot, LPCWSTR lpszKey, LPCWSTR lpszValue) {
  HKEY hKey = NULL;
  if (::RegCreateKeyExW(hRoot, lpszKey, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS)
    return FALSE;
  LONG l = ::RegSetValueExW(hKey, NULL, 0, REG_SZ, (const BYTE*)lpszValue,
                            (DWORD)((wcslen(lpszValue) + 1) * sizeof(WCHAR)));
  ::RegCloseKey(hKey);
  return l == ERROR_SUCCESS;
}

}  // namespace

void CWinApp::RegisterShellFileTypes(BOOL) {
  // Per-user association of each template's file type: the type, its icon and its open command.
  WCHAR szModule[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(m_hInstance, szModule, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  for (CDocTemplate* pTemplate : m_templateList) {
    CString strTypeId, strTypeName, strExt;
    if (!pTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId) || strTypeId.IsEmpty()) continue;
    pTemplate->GetDocString(strTypeName, CDocTemplate::regFileTypeName);
    pTemplate->GetDocString(strExt, CDocTemplate::filterExt);
    CString strBase = L"Software\\Classes\\";
    strBase += strTypeId;
    SetRegValue(HKEY_CURRENT_USER, strBase, strTypeName);
    CString strIcon = szModule;
    strIcon += L",0";
    SetRegValue(HKEY_CURRENT_USER, strBase + L"\\DefaultIcon", strIcon);
    CString strCommand = L"\"";
    strCommand += szModule;
    strCommand += L"\" \"%1\"";
    SetRegValue(HKEY_CURRENT_USER, strBase + L"\\shell\\open\\command", strCommand);
    if (!strExt.IsEmpty() && strExt[0] == L'.') {
      CString strExtKey = L"Software\\Classes\\";
      strExtKey += strExt;
      SetRegValue(HKEY_CURRENT_USER, strExtKey, strTypeId);
    }
  }
}

void CWinApp::UnregisterShellFileTypes() {
  for (CDocTemplate* pTemplate : m_templateList) {
    CString strTypeId;
    if (!pTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId) || strTypeId.IsEmpty()) continue;
    CString strKey = L"Software\\Classes\\";
    strKey += strTypeId;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, strKey);
  }
}

// --- Global accessors ----------------------------------------------------------------------------

CWinApp* AFXAPI AfxGetApp() { return g_pApp; }

CWnd* AFXAPI AfxGetMainWnd() {
  CWinThread* pThread = AfxGetThread();
  if (pThread == NULL) pThread = g_pApp;
  return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() {
  return g_pApp != NULL ? g_pApp->m_hInstance : ::GetModuleHandleW(NULL);
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR, LPCTSTR) { return AfxGetResourceHandle(); }

LPCTSTR AFXAPI AfxGetAppName() {
  return g_pApp != NULL && g_pApp->m_pszAppName != NULL ? g_pApp->m_pszAppName : L"";
}
