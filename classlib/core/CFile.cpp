// The platform-independent members of CFile; the handle work is in CFile_win32.cpp and
// CFile_posix.cpp.
#include "classlib/core/CFile.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  // A destructor must not throw: errors of a close here go unreported. Callers that need to know
  // that the data reached the disk call Close() themselves.
  if (m_hFile != hFileNull && m_bCloseOnDelete) CloseHandleOnly(FALSE);
}

CString CFile::GetFileName() const {
  int n = m_strFileName.GetLength();
  int i = n - 1;
  while (i >= 0 && m_strFileName[i] != '\\' && m_strFileName[i] != '/' && m_strFileName[i] != ':') --i;
  return m_strFileName.Mid(i + 1);
}

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  int nDot = name.ReverseFind('.');
  return nDot > 0 ? name.Left(nDot) : name;
}

CString CFile::GetFilePath() const { return m_strFileName; }

void CFile::SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

ULONGLONG CFile::SeekToEnd() { return Seek(0, CFile::end); }

void CFile::SeekToBegin() { Seek(0, CFile::begin); }

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandleOnly(FALSE);
  m_strFileName.Empty();
}

void CFile::Close() {
  if (m_hFile != hFileNull) CloseHandleOnly(TRUE);
  m_strFileName.Empty();
}
