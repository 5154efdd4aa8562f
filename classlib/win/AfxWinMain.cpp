// The start of a program built on the application object, and the OLE set-up helpers.
#include <ole2.h>

#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CWinApp.h"
#include "classlib/win/CWnd.h"

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL) return -1;
  int nReturnCode = -1;
  try {
    if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && pApp->InitApplication()) {
      if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != NULL && pApp->m_pMainWnd->m_hWnd != NULL) pApp->m_pMainWnd->DestroyWindow();
        nReturnCode = pApp->ExitInstance();
      } else {
        nReturnCode = pApp->Run();
      }
    }
  } catch (CException* e) {
    AfxReportWindowProcException(e);
    nReturnCode = -1;
  } catch (...) {
    AfxReportWindowProcException(NULL);
    nReturnCode = -1;
  }
  AfxWinTerm();
  return nReturnCode;
}

namespace {

bool g_bOleInitialized = false;

}  // namespace

void AFXAPI AfxWinTerm() {
  AfxDeleteTempMaps();
  if (g_bOleInitialized) AfxOleTerm();
}

BOOL AFXAPI AfxOleInit() {
  if (g_bOleInitialized) return TRUE;
  HRESULT hr = ::OleInitialize(NULL);
  if (FAILED(hr)) return FALSE;
  g_bOleInitialized = true;
  return TRUE;
}

void AFXAPI AfxOleTerm(BOOL) {
  if (!g_bOleInitialized) return;
  g_bOleInitialized = false;
  ::OleUninitialize();
}

void AFXAPI AfxEnableControlContainer(void*) {}
void AFXAPI AfxDaoInit() {}
void AFXAPI AfxDaoTerm() {}
