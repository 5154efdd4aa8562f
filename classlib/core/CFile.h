// CFile: unbuffered binary file access through the operating system's handles, with 64-bit
// positions. Failures throw CFileException (Open reports them through its optional argument).
#pragma once

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CException.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CString.h"

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
    osNoBuffer = 0x10000,
    osWriteThrough = 0x20000,
    osRandomAccess = 0x40000,
    osSequentialScan = 0x80000,
  };

  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

  static const HANDLE hFileNull;

  CFile();
  explicit CFile(HANDLE hFile);
  CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  ~CFile() override;

  HANDLE m_hFile;
  operator HANDLE() const { return m_hFile; }

  virtual ULONGLONG GetPosition() const;
  virtual CString GetFileName() const;
  virtual CString GetFileTitle() const;
  virtual CString GetFilePath() const;
  virtual void SetFilePath(LPCTSTR lpszNewName);

  // Opens the file; on failure returns FALSE and, when pError is given, fills it in.
  virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

  static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
  static void PASCAL Remove(LPCTSTR lpszFileName);

  ULONGLONG SeekToEnd();
  void SeekToBegin();

  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual ULONGLONG GetLength() const;

  // Reads up to nCount bytes; returns the count read (0 at the end of the file).
  virtual UINT Read(void* lpBuf, UINT nCount);
  // Writes all nCount bytes or throws (a short write is diskFull).
  virtual void Write(const void* lpBuf, UINT nCount);

  virtual void Abort();  // closes, ignoring every error
  virtual void Flush();
  virtual void Close();

  BOOL IsOpen() const { return m_hFile != hFileNull; }

 protected:
  BOOL m_bCloseOnDelete;
  CString m_strFileName;

 private:
  void CloseHandleOnly(BOOL bReportErrors);
};
