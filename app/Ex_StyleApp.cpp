#include "app/Ex_StyleApp.h"

#include "app/Ex_StyleDoc.h"
#include "app/Ex_StyleView.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CEx_StyleApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
  ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CEx_StyleApp theApp;

CEx_StyleApp::CEx_StyleApp() {}

BOOL CEx_StyleApp::InitInstance() {
  if (g_dwMutexCreateError == ERROR_ALREADY_EXISTS) {
    AfxMessageBox(L"Another instance of the application is already running.", MB_OK);
    return FALSE;
  }

  AfxEnableControlContainer();
  if (!AfxOleInit()) {
    AfxMessageBox(IDP_OLE_INIT_FAILED);
    return FALSE;
  }
  AfxDaoInit();
  Enable3dControls();

  SetRegistryKey(L"Local AppWizard-Generated Applications");
  LoadStdProfileSettings(4);

  CSingleDocTemplate* pDocTemplate =
      new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CEx_StyleDoc), RUNTIME_CLASS(CMainFrame),
                             RUNTIME_CLASS(CEx_StyleView));
  AddDocTemplate(pDocTemplate);
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);

  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;

  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();
  return TRUE;
}
