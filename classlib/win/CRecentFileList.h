// CRecentFileList: the most-recently-used file list kept in the application's profile as
// "<section>\<entry format with 1..n>".
#pragma once

#include "classlib/win/CCmdUI.h"

#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList {
 public:
  CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                  int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
  virtual ~CRecentFileList();

  int GetSize() const { return m_nSize; }
  // Out-of-range indexes give an empty name rather than memory past the list.
  CString& operator[](int nIndex);

  virtual void Remove(int nIndex);
  // Puts the full path first, moving it up when it is already in the list (names compare
  // without regard to case).
  virtual void Add(LPCTSTR lpszPathName);
  // A short name for menus: the file name alone when it is in lpszCurDir, an abbreviated path
  // otherwise; '&' doubled. FALSE when the entry is empty.
  BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                      BOOL bAtLeastName = TRUE) const;
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  virtual void ReadList();
  virtual void WriteList();

  int m_nSize;
  CString* m_arrNames;
  CString m_strSectionName;
  CString m_strEntryFormat;
  UINT m_nStart;
  int m_nMaxDisplayLength;
  CString m_strOriginal;  // text of the menu item the list replaces

 private:
  CString m_strEmpty;
};
