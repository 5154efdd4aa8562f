// The exception family. Exceptions are thrown as heap pointers (throw new CFileException(...)) and
// disposed of with Delete() by whoever catches them; the TRY/CATCH macros do that by themselves.
#pragma once

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CString.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  CException();
  explicit CException(BOOL bAutoDelete);
  virtual ~CException() = default;

  // Deletes the exception unless it is a static one (m_bAutoDelete FALSE).
  void Delete();

  // Copies a description into lpszError (always terminated); FALSE when there is none.
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
#ifdef _WIN32
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
#endif

  BOOL m_bAutoDelete;

 protected:
  // Helper for GetErrorMessage overrides: copies lpszText (truncated) into the caller's buffer.
  static BOOL CopyErrorMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError);
};

class CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
 public:
  CSimpleException() = default;
  explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
};

class CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  CMemoryException() = default;
  explicit CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  CNotSupportedException() = default;
  explicit CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  CInvalidArgException() = default;
  explicit CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  CResourceException() = default;
  explicit CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

// Thrown to abandon an operation after the user has already been told why.
class CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)
 public:
  CUserException() = default;
  explicit CUserException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                          LPCTSTR lpszArchiveName = NULL);

  // Maps an operating-system error (GetLastError on Windows, errno elsewhere) onto a cause.
  static int PASCAL OsErrorToException(LONG lOsError);
  static int PASCAL ErrnoToException(int nErrno);
  static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
  static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum {
    none,
    genericException,
    readOnly,
    endOfFile,
    writeOnly,
    badIndex,
    badClass,
    badSchema,
    bufferFull
  };

  explicit CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);

  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

  int m_cause;
  CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

// Deletes the caught exception when the CATCH block is left, unless THROW_LAST passed it on.
class AfxExceptionGuard {
 public:
  explicit AfxExceptionGuard(CException* e) : m_pException(e) {}
  ~AfxExceptionGuard() {
    if (m_pException != NULL) m_pException->Delete();
  }
  void Release() { m_pException = NULL; }
  AfxExceptionGuard(const AfxExceptionGuard&) = delete;
  AfxExceptionGuard& operator=(const AfxExceptionGuard&) = delete;

 private:
  CException* m_pException;
};

#define TRY try {
#define CATCH(class_name, e)   \
  }                            \
  catch (class_name * e) {     \
    AfxExceptionGuard _afxExceptionGuard(e);
#define AND_CATCH(class_name, e) \
  }                              \
  catch (class_name * e) {       \
    AfxExceptionGuard _afxExceptionGuard(e);
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL }
#define THROW(e) throw e
#define THROW_LAST()                  \
  do {                                \
    _afxExceptionGuard.Release();     \
    throw;                            \
  } while (0)
