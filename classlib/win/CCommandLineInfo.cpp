#include "classlib/win/CCommandLineInfo.h"

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew) {}

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag)
    ParseParamFlag(pszParam);
  else
    ParseParamNotFlag(pszParam);
  ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const TCHAR* pszParam) {
  if (lstrcmpiW(pszParam, L"pt") == 0) {
    m_nShellCommand = FilePrintTo;
  } else if (lstrcmpiW(pszParam, L"p") == 0) {
    m_nShellCommand = FilePrint;
  } else if (lstrcmpiW(pszParam, L"Unregister") == 0 || lstrcmpiW(pszParam, L"Unregserver") == 0) {
    m_nShellCommand = AppUnregister;
  } else if (lstrcmpiW(pszParam, L"dde") == 0) {
    m_nShellCommand = FileDDE;
  } else if (lstrcmpiW(pszParam, L"Embedding") == 0) {
    m_bRunEmbedded = TRUE;
    m_bShowSplash = FALSE;
  } else if (lstrcmpiW(pszParam, L"Automation") == 0) {
    m_bRunAutomated = TRUE;
    m_bShowSplash = FALSE;
  }
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam) {
  if (m_strFileName.IsEmpty())
    m_strFileName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
    m_strPrinterName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
    m_strDriverName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
    m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
  if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
  if (bLast) m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}
