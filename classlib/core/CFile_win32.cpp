// CFile over Win32 file handles.
#include "classlib/core/CFile.h"

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException) {
  if (m_hFile != hFileNull) Abort();
  if (lpszFileName == NULL || *lpszFileName == 0) {
    if (pException != NULL) {
      pException->m_cause = CFileException::badPath;
      pException->m_lOsError = ERROR_INVALID_NAME;
      pException->m_strFileName = lpszFileName;
    }
    return FALSE;
  }
  m_bCloseOnDelete = FALSE;
  // The file keeps its full path, as GetFilePath reports it.
  DWORD nFull = ::GetFullPathNameW(lpszFileName, 0, NULL, NULL);
  if (nFull > 0) {
    CString full;
    DWORD n = ::GetFullPathNameW(lpszFileName, nFull, full.GetBuffer((int)nFull), NULL);
    full.ReleaseBuffer(n > 0 && n < nFull ? (int)n : 0);
    m_strFileName = full.IsEmpty() ? CString(lpszFileName) : full;
  } else {
    m_strFileName = lpszFileName;
  }

  DWORD dwAccess = 0;
  switch (nOpenFlags & 3) {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    default:
      if (pException != NULL) {
        pException->m_cause = CFileException::genericException;
        pException->m_lOsError = ERROR_INVALID_PARAMETER;
        pException->m_strFileName = lpszFileName;
      }
      m_strFileName.Empty();
      return FALSE;
  }
  DWORD dwShareMode = 0;
  switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareExclusive: dwShareMode = 0; break;
    case shareDenyWrite: dwShareMode = FILE_SHARE_READ; break;
    case shareDenyRead: dwShareMode = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShareMode = FILE_SHARE_WRITE | FILE_SHARE_READ; break;
    default: dwShareMode = 0; break;
  }
  SECURITY_ATTRIBUTES sa;
  sa.nLength = sizeof(sa);
  sa.lpSecurityDescriptor = NULL;
  sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

  DWORD dwCreateFlag;
  if (nOpenFlags & modeCreate) {
    dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  } else {
    dwCreateFlag = OPEN_EXISTING;
  }
  DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
  if (nOpenFlags & osNoBuffer) dwFlags |= FILE_FLAG_NO_BUFFERING;
  if (nOpenFlags & osWriteThrough) dwFlags |= FILE_FLAG_WRITE_THROUGH;
  if (nOpenFlags & osRandomAccess) dwFlags |= FILE_FLAG_RANDOM_ACCESS;
  if (nOpenFlags & osSequentialScan) dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

  HANDLE hFile = ::CreateFileW(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag, dwFlags, NULL);
  if (hFile == INVALID_HANDLE_VALUE) {
    DWORD err = ::GetLastError();
    if (pException != NULL) {
      pException->m_lOsError = (LONG)err;
      pException->m_cause = CFileException::OsErrorToException((LONG)err);
      pException->m_strFileName = lpszFileName;
    }
    m_strFileName.Empty();
    return FALSE;
  }
  m_hFile = hFile;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (m_hFile == hFileNull || nCount == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  DWORD dwRead = 0;
  if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL)) {
    DWORD err = ::GetLastError();
    if (err == ERROR_HANDLE_EOF || err == ERROR_BROKEN_PIPE) return 0;
    CFileException::ThrowOsError((LONG)err, m_strFileName);
  }
  return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (m_hFile == hFileNull) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  if (nCount == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  DWORD nWritten = 0;
  if (!::WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL)) {
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  }
  if (nWritten != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (m_hFile == hFileNull) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  if (nFrom != begin && nFrom != current && nFrom != end) AfxThrowInvalidArgException();
  LARGE_INTEGER liOff, liNew;
  liOff.QuadPart = lOff;
  if (!::SetFilePointerEx(m_hFile, liOff, &liNew, (DWORD)nFrom)) {
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  }
  return (ULONGLONG)liNew.QuadPart;
}

ULONGLONG CFile::GetPosition() const {
  if (m_hFile == hFileNull) return 0;
  LARGE_INTEGER liOff, liNew;
  liOff.QuadPart = 0;
  if (!::SetFilePointerEx(m_hFile, liOff, &liNew, FILE_CURRENT)) {
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  }
  return (ULONGLONG)liNew.QuadPart;
}

ULONGLONG CFile::GetLength() const {
  if (m_hFile == hFileNull) return 0;
  LARGE_INTEGER liSize;
  if (!::GetFileSizeEx(m_hFile, &liSize)) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  return (ULONGLONG)liSize.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  if (m_hFile == hFileNull) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  ULONGLONG pos = GetPosition();
  Seek((LONGLONG)dwNewLen, begin);
  if (!::SetEndOfFile(m_hFile)) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  // A position beyond the new end stays at the end.
  if (pos < dwNewLen) Seek((LONGLONG)pos, begin);
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (!::FlushFileBuffers(m_hFile)) {
    DWORD err = ::GetLastError();
    // Read-only handles and consoles cannot be flushed; that is not a failure of the data.
    if (err != ERROR_ACCESS_DENIED && err != ERROR_INVALID_HANDLE) CFileException::ThrowOsError((LONG)err, m_strFileName);
  }
}

void CFile::CloseHandleOnly(BOOL bReportErrors) {
  HANDLE h = m_hFile;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  if (!::CloseHandle(h) && bReportErrors) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  if (lpszOldName == NULL || lpszNewName == NULL) AfxThrowInvalidArgException();
  if (!::MoveFileW(lpszOldName, lpszNewName)) CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
  if (lpszFileName == NULL) AfxThrowInvalidArgException();
  if (!::DeleteFileW(lpszFileName)) CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) {
  switch ((DWORD)lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE: return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_ACCESS: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_NO_MORE_FILES: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
}
