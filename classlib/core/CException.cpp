#include "classlib/core/CException.h"

#include <cerrno>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::CopyErrorMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError) {
  if (lpszError == NULL || nMaxError == 0) return FALSE;
  UINT i = 0;
  for (; i + 1 < nMaxError && lpszText[i] != 0; ++i) lpszError[i] = lpszText[i];
  lpszError[i] = 0;
  return TRUE;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  if (lpszError != NULL && nMaxError != 0) *lpszError = 0;
  return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyErrorMessage(_T("Out of memory."), lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyErrorMessage(_T("An unsupported operation was attempted."), lpszError, nMaxError);
}

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyErrorMessage(_T("Encountered an improper argument."), lpszError, nMaxError);
}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyErrorMessage(_T("A required resource was unavailable."), lpszError, nMaxError);
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

int PASCAL CFileException::ErrnoToException(int nErrno) {
  switch (nErrno) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR: return accessDenied;
    case EBADF: return invalidFile;
    case EBUSY: return sharingViolation;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return diskFull;
    case EINVAL:
    case ESPIPE:
    case EOVERFLOW: return badSeek;
    case EIO: return hardIO;
    default: return genericException;
  }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
  if (lOsError != 0) AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName) {
  if (nErrno != 0) AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  LPCTSTR text;
  switch (m_cause) {
    case none: text = _T("No error occurred."); break;
    case fileNotFound: text = _T("%1 was not found."); break;
    case badPath: text = _T("%1 contains an incorrect path."); break;
    case tooManyOpenFiles: text = _T("%1 could not be opened because there are too many open files."); break;
    case accessDenied: text = _T("Access to %1 was denied."); break;
    case invalidFile: text = _T("An incorrect file handle was associated with %1."); break;
    case removeCurrentDir: text = _T("%1 could not be removed because it is the current directory."); break;
    case directoryFull: text = _T("%1 could not be created because the directory is full."); break;
    case badSeek: text = _T("Seek failed on %1"); break;
    case hardIO: text = _T("A hardware I/O error was reported while accessing %1."); break;
    case sharingViolation: text = _T("A sharing violation occurred while accessing %1."); break;
    case lockViolation: text = _T("A locking violation occurred while accessing %1."); break;
    case diskFull: text = _T("Disk full while accessing %1."); break;
    case endOfFile: text = _T("An attempt was made to access %1 past its end."); break;
    default: text = _T("An unknown error occurred while accessing %1."); break;
  }
  CString msg(text);
  msg.Replace(_T("%1"), m_strFileName.IsEmpty() ? CString(_T("an unnamed file")) : m_strFileName);
  return CopyErrorMessage(msg, lpszError, nMaxError);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  LPCTSTR text;
  switch (m_cause) {
    case none: text = _T("No error occurred."); break;
    case readOnly: text = _T("Tried to write to an archive opened for loading."); break;
    case endOfFile: text = _T("Reached end of file while reading an object."); break;
    case writeOnly: text = _T("Tried to read from an archive opened for storing."); break;
    case badIndex: text = _T("Invalid file format."); break;
    case badClass: text = _T("Tried to read an object into an object of the wrong type."); break;
    case badSchema: text = _T("Tried to read an object with a different version of the class."); break;
    case bufferFull: text = _T("The archive buffer is full."); break;
    default: text = _T("Unexpected file format."); break;
  }
  return CopyErrorMessage(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException() {
  // A static object: allocating a new one may be exactly what failed.
  static CMemoryException s_memoryException(FALSE);
  throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AFXAPI AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AFXAPI AfxThrowResourceException() { throw new CResourceException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
