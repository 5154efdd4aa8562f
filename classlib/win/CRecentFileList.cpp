#include "classlib/win/CRecentFileList.h"

#include "classlib/win/CWinApp.h"
#include "classlib/win/CWnd.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 0),
      m_arrNames(new CString[nSize > 0 ? nSize : 1]),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen) {}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

CString& CRecentFileList::operator[](int nIndex) {
  if (nIndex < 0 || nIndex >= m_nSize) {
    m_strEmpty.Empty();
    return m_strEmpty;
  }
  return m_arrNames[nIndex];
}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
  if (lpszPathName == NULL || *lpszPathName == 0 || m_nSize == 0) return;
  WCHAR szFull[MAX_PATH * 2];
  DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH * 2, szFull, NULL);
  CString strPath = (n > 0 && n < MAX_PATH * 2) ? szFull : lpszPathName;

  int iMRU;
  for (iMRU = 0; iMRU < m_nSize - 1; iMRU++) {
    if (m_arrNames[iMRU].CompareNoCase(strPath) == 0) break;
  }
  // iMRU is the entry to drop: the matching one, or the last.
  for (; iMRU > 0; iMRU--) m_arrNames[iMRU] = m_arrNames[iMRU - 1];
  m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= m_nSize) return;
  m_arrNames[nIndex].Empty();
  int iMRU;
  for (iMRU = nIndex; iMRU < m_nSize - 1; iMRU++) m_arrNames[iMRU] = m_arrNames[iMRU + 1];
  m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  strName.Empty();
  if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty()) return FALSE;
  const CString& strPath = m_arrNames[nIndex];
  int nLastSlash = strPath.ReverseFind(L'\\');
  CString strFileName = strPath.Mid(nLastSlash + 1);
  CString strShown;
  if (lpszCurDir != NULL && nCurDir > 0 && nLastSlash + 1 == nCurDir &&
      _wcsnicmp(strPath, lpszCurDir, (size_t)nCurDir) == 0) {
    strShown = strFileName;  // in the current folder: the name alone
  } else if (m_nMaxDisplayLength > 0 && strPath.GetLength() > m_nMaxDisplayLength) {
    // Keep the drive or share and the file name, cut the middle.
    int nRootEnd = strPath.Find(L'\\', strPath.GetLength() > 2 && strPath[1] == L':' ? 3 : 2);
    CString strRoot = nRootEnd > 0 ? strPath.Left(nRootEnd + 1) : CString();
    if (!strRoot.IsEmpty() && strRoot.GetLength() + 4 + strFileName.GetLength() <= m_nMaxDisplayLength) {
      strShown = strRoot;
      strShown += L"...\\";
      strShown += strFileName;
    } else {
      strShown = bAtLeastName ? strFileName : CString();
    }
  } else {
    strShown = strPath;
  }
  for (int i = 0; i < strShown.GetLength(); i++) {
    strName += strShown[i];
    if (strShown[i] == L'&') strName += L'&';
  }
  return !strName.IsEmpty();
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  HMENU hMenu = AfxGetMenuHandle(pCmdUI->m_pMenu);
  if (m_strOriginal.IsEmpty() && hMenu != NULL) {
    WCHAR szText[256];
    if (::GetMenuStringW(hMenu, pCmdUI->m_nID, szText, 256, MF_BYCOMMAND) > 0) m_strOriginal = szText;
  }
  if (m_nSize == 0 || m_arrNames[0].IsEmpty()) {
    if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
    pCmdUI->Enable(FALSE);
    return;
  }
  if (hMenu == NULL) return;
  for (int iMRU = 0; iMRU < m_nSize; iMRU++) ::DeleteMenu(hMenu, pCmdUI->m_nID + iMRU, MF_BYCOMMAND);

  WCHAR szCurDir[MAX_PATH];
  DWORD nCurDir = ::GetCurrentDirectoryW(MAX_PATH, szCurDir);
  if (nCurDir > 0 && nCurDir < MAX_PATH - 1 && szCurDir[nCurDir - 1] != L'\\') {
    szCurDir[nCurDir++] = L'\\';
    szCurDir[nCurDir] = 0;
  }
  for (int iMRU = 0; iMRU < m_nSize; iMRU++) {
    CString strName;
    if (!GetDisplayName(strName, iMRU, szCurDir, (int)nCurDir)) break;
    CString strItem;
    strItem.Format(L"&%d %ls", (iMRU + 1 + (int)m_nStart) % 10, (LPCTSTR)strName);
    ::InsertMenuW(hMenu, pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, strItem);
  }
  // The caller's loop continues after the inserted items.
  pCmdUI->m_nIndex--;
  pCmdUI->m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
  pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL) return;
  for (int iMRU = 0; iMRU < m_nSize; iMRU++) {
    CString strEntry;
    strEntry.Format(m_strEntryFormat, iMRU + 1);
    m_arrNames[iMRU] = pApp->GetProfileString(m_strSectionName, strEntry, L"");
  }
}

void CRecentFileList::WriteList() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL) return;
  // The section is rewritten as a whole so that removed entries disappear.
  pApp->WriteProfileString(m_strSectionName, NULL, NULL);
  for (int iMRU = 0; iMRU < m_nSize; iMRU++) {
    if (m_arrNames[iMRU].IsEmpty()) continue;
    CString strEntry;
    strEntry.Format(m_strEntryFormat, iMRU + 1);
    pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[iMRU]);
  }
}
