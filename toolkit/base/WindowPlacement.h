// A window's placement (normal rectangle and maximised state) kept as one 48-byte binary value of
// the application's profile: a zero word, then the platform's placement record.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKWindowPlacement
{
public:
  CTKWindowPlacement();
  virtual ~CTKWindowPlacement() {}

  // Section "Settings" and entry "Window Position" when null.
  BOOL SaveWindowPos(CWnd* pWnd, LPCTSTR lpszEntry = NULL, LPCTSTR lpszSection = NULL);
  BOOL LoadWindowPos(CWnd* pWnd, LPCTSTR lpszEntry = NULL, LPCTSTR lpszSection = NULL);
  BOOL ReadPlacement(LPCTSTR lpszEntry = NULL, LPCTSTR lpszSection = NULL);

  const WINDOWPLACEMENT& GetPlacement() const { return m_placement; }

protected:
  DWORD m_dwReserved;  // the word stored before the record
  WINDOWPLACEMENT m_placement;
};
