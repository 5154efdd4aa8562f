// CWinApp: the application object. It owns the start-up, the message loop of the main thread, the
// document templates, the registry profile and the recent-file list.
#pragma once

#include "classlib/win/CCommandLineInfo.h"
#include "classlib/win/CWinThread.h"

#include <vector>

class CDocTemplate;
class CDocument;
class CRecentFileList;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  explicit CWinApp(LPCTSTR lpszAppName = NULL);
  virtual ~CWinApp();

  // Start-up values
  LPCTSTR m_pszAppName;      // title of the application (string AFX_IDS_APP_TITLE or the exe name)
  HINSTANCE m_hInstance;
  HINSTANCE m_hPrevInstance;
  LPTSTR m_lpCmdLine;        // the command line after the program name
  int m_nCmdShow;
  LPCTSTR m_pszExeName;      // file name of the program without extension
  LPCTSTR m_pszHelpFilePath;
  LPCTSTR m_pszProfileName;  // with a registry key: the application's key name; else an INI file
  LPCTSTR m_pszRegistryKey;  // company key under HKEY_CURRENT_USER\Software, or NULL

  // Overridables
  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int Run() override;
  int ExitInstance() override;
  BOOL OnIdle(LONG lCount) override;
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  virtual void AddToRecentFileList(LPCTSTR lpszPathName);
  virtual BOOL SaveAllModified();

  // Resources
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
  HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
  HCURSOR LoadOEMCursor(UINT nIDCursor) const;

  // Profile: HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section> once
  // SetRegistryKey was called, otherwise the INI file m_pszProfileName.
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCTSTR lpszSection);
  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  // *ppData is allocated with new[]; the caller deletes it with delete[].
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
  // Reads the recent-file list (nMaxMRU entries, 0 for none).
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();
  CRecentFileList* m_pRecentFileList;

  // Documents
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  int GetOpenDocumentCount();
  void CloseAllDocuments(BOOL bEndSession);

  // Command line and shell
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  void EnableShellOpen();
  void RegisterShellFileTypes(BOOL bCompat = FALSE);
  void UnregisterShellFileTypes();

  // Kept for callers written for older systems; nothing to do here.
  BOOL Enable3dControls() { return TRUE; }
  BOOL Enable3dControlsStatic() { return TRUE; }
  void SetDialogBkColor(COLORREF = RGB(192, 192, 192), COLORREF = RGB(0, 0, 0)) {}

  // Standard commands
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnFilePrintSetup();
  afx_msg void OnAppExit();
  afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
  afx_msg BOOL OnOpenRecentFile(UINT nID);
  afx_msg void OnHelp();

  // Wait cursor state used by BeginWaitCursor
  void DoWaitCursor(int nCode);

 protected:
  std::vector<CDocTemplate*> m_templateList;  // owned: deleted with the application
  ATOM m_atomApp;
  ATOM m_atomSystemTopic;
  UINT m_nNumPreviewPages;

  DECLARE_MESSAGE_MAP()
};

// The application object and the handles it holds.
CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
HINSTANCE AFXAPI AfxGetInstanceHandle();
// AfxGetResourceHandle and AfxSetResourceHandle come with the core's CString.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
LPCTSTR AFXAPI AfxGetAppName();

// Message boxes through the application (CWinApp::DoMessageBox).
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Shows an exception's message through AfxMessageBox (so that it is logged like every box).
void AFXAPI AfxReportException(CException* e, UINT nType = MB_ICONEXCLAMATION);

// The start of a program: AfxWinInit fills the application's start-up values, AfxWinMain runs
// InitInstance and the message loop and returns the exit code.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();

// OLE and control hosting.
BOOL AFXAPI AfxOleInit();
void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);
void AFXAPI AfxEnableControlContainer(void* pSiteFactory = NULL);
void AFXAPI AfxDaoInit();
void AFXAPI AfxDaoTerm();

// This layer has no class factories: registration succeeds with nothing to do.
class COleObjectFactory {
 public:
  static BOOL PASCAL RegisterAll() { return TRUE; }
  static void PASCAL RevokeAll() {}
  static BOOL PASCAL UpdateRegistryAll(BOOL bRegister = TRUE) { return TRUE; }
};
