// CFile over POSIX file descriptors. Paths are converted to UTF-8; the share modes have no
// equivalent and are ignored.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "classlib/core/CFile.h"

namespace {

int Fd(HANDLE h) { return (int)(intptr_t)h; }
HANDLE FromFd(int fd) { return (HANDLE)(intptr_t)fd; }

std::string Utf8Path(LPCTSTR lpszPath) {
  int n = (int)std::wcslen(lpszPath);
  int nBytes = AfxStringToNarrow(lpszPath, n, NULL, 0);
  std::string path((size_t)nBytes, '\0');
  AfxStringToNarrow(lpszPath, n, &path[0], nBytes);
  return path;
}

}  // namespace

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException) {
  if (m_hFile != hFileNull) Abort();
  if (lpszFileName == NULL || *lpszFileName == 0) {
    if (pException != NULL) {
      pException->m_cause = CFileException::badPath;
      pException->m_lOsError = ENOENT;
      pException->m_strFileName = lpszFileName;
    }
    return FALSE;
  }
  m_bCloseOnDelete = FALSE;
  // The file keeps its full path, as GetFilePath reports it.
  m_strFileName = lpszFileName;
  if (lpszFileName[0] != '/') {
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd) != NULL) m_strFileName = CString(cwd) + _T("/") + m_strFileName;
  }

  int flags = O_CLOEXEC;
  switch (nOpenFlags & 3) {
    case modeRead: flags |= O_RDONLY; break;
    case modeWrite: flags |= O_WRONLY; break;
    case modeReadWrite: flags |= O_RDWR; break;
    default:
      if (pException != NULL) {
        pException->m_cause = CFileException::genericException;
        pException->m_lOsError = EINVAL;
        pException->m_strFileName = lpszFileName;
      }
      m_strFileName.Empty();
      return FALSE;
  }
  if (nOpenFlags & modeCreate) {
    flags |= O_CREAT;
    if (!(nOpenFlags & modeNoTruncate)) flags |= O_TRUNC;
  }
  std::string path = Utf8Path(lpszFileName);
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd >= 0) {
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      fd = -1;
      errno = EISDIR;
    }
  }
  if (fd < 0) {
    int err = errno;
    if (pException != NULL) {
      pException->m_cause = CFileException::ErrnoToException(err);
      pException->m_lOsError = err;
      pException->m_strFileName = lpszFileName;
    }
    m_strFileName.Empty();
    return FALSE;
  }
  m_hFile = FromFd(fd);
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (m_hFile == hFileNull || nCount == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  UINT nDone = 0;
  while (nDone < nCount) {
    ssize_t n = ::read(Fd(m_hFile), static_cast<char*>(lpBuf) + nDone, nCount - nDone);
    if (n < 0) {
      if (errno == EINTR) continue;
      CFileException::ThrowErrno(errno, m_strFileName);
    }
    if (n == 0) break;
    nDone += (UINT)n;
  }
  return nDone;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (m_hFile == hFileNull) AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
  if (nCount == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  UINT nDone = 0;
  while (nDone < nCount) {
    ssize_t n = ::write(Fd(m_hFile), static_cast<const char*>(lpBuf) + nDone, nCount - nDone);
    if (n < 0) {
      if (errno == EINTR) continue;
      CFileException::ThrowErrno(errno, m_strFileName);
    }
    if (n == 0) AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
    nDone += (UINT)n;
  }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (m_hFile == hFileNull) AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
  int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : nFrom == end ? SEEK_END : -1;
  if (whence < 0) AfxThrowInvalidArgException();
  off_t pos = ::lseek(Fd(m_hFile), (off_t)lOff, whence);
  if (pos < 0) CFileException::ThrowErrno(errno, m_strFileName);
  return (ULONGLONG)pos;
}

ULONGLONG CFile::GetPosition() const {
  if (m_hFile == hFileNull) return 0;
  off_t pos = ::lseek(Fd(m_hFile), 0, SEEK_CUR);
  if (pos < 0) CFileException::ThrowErrno(errno, m_strFileName);
  return (ULONGLONG)pos;
}

ULONGLONG CFile::GetLength() const {
  if (m_hFile == hFileNull) return 0;
  struct stat st;
  if (::fstat(Fd(m_hFile), &st) != 0) CFileException::ThrowErrno(errno, m_strFileName);
  if (S_ISREG(st.st_mode)) return (ULONGLONG)st.st_size;
  // Devices and the like: the end is where seeking to the end lands.
  off_t cur = ::lseek(Fd(m_hFile), 0, SEEK_CUR);
  off_t len = ::lseek(Fd(m_hFile), 0, SEEK_END);
  if (cur >= 0) ::lseek(Fd(m_hFile), cur, SEEK_SET);
  return len < 0 ? 0 : (ULONGLONG)len;
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  if (m_hFile == hFileNull) AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
  if (dwNewLen > (ULONGLONG)INT64_MAX) AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
  if (::ftruncate(Fd(m_hFile), (off_t)dwNewLen) != 0) CFileException::ThrowErrno(errno, m_strFileName);
  // A position beyond the new end moves back to it.
  off_t cur = ::lseek(Fd(m_hFile), 0, SEEK_CUR);
  if (cur > (off_t)dwNewLen) ::lseek(Fd(m_hFile), (off_t)dwNewLen, SEEK_SET);
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (::fsync(Fd(m_hFile)) != 0 && errno != EINVAL && errno != EROFS) {
    CFileException::ThrowErrno(errno, m_strFileName);
  }
}

void CFile::CloseHandleOnly(BOOL bReportErrors) {
  int fd = Fd(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  int rc = ::close(fd);
  if (rc != 0 && bReportErrors && errno != EINTR) CFileException::ThrowErrno(errno, m_strFileName);
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  if (lpszOldName == NULL || lpszNewName == NULL) AfxThrowInvalidArgException();
  if (::rename(Utf8Path(lpszOldName).c_str(), Utf8Path(lpszNewName).c_str()) != 0) {
    CFileException::ThrowErrno(errno, lpszOldName);
  }
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
  if (lpszFileName == NULL) AfxThrowInvalidArgException();
  if (::unlink(Utf8Path(lpszFileName).c_str()) != 0) CFileException::ThrowErrno(errno, lpszFileName);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) { return ErrnoToException((int)lOsError); }
