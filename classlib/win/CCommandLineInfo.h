// CCommandLineInfo: what the command line asks the program to do.
#pragma once

#include "classlib/core/AfxCore.h"

class CCommandLineInfo : public CObject {
 public:
  CCommandLineInfo();
  virtual ~CCommandLineInfo() = default;

  // Called for each argument; bFlag when it started with '-' or '/' (which is removed).
  virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

  BOOL m_bShowSplash;
  BOOL m_bRunEmbedded;
  BOOL m_bRunAutomated;
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

 protected:
  void ParseParamFlag(const TCHAR* pszParam);
  void ParseParamNotFlag(const TCHAR* pszParam);
  void ParseLast(BOOL bLast);
};
