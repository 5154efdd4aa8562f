// CMemFile: a file held in memory. The buffer is allocated with malloc/realloc and grows in steps
// of nGrowBytes; a buffer attached with nGrowBytes 0 has a fixed size, and writing past it throws
// CMemoryException. Detach hands the buffer to the caller, who frees it with free().
#pragma once

#include "classlib/core/CFile.h"

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  BYTE* Detach();

  // The bytes of the file (GetLength() of them) without giving up ownership; NULL when empty.
  const BYTE* GetBufferPtr() const { return m_lpBuffer; }

  ULONGLONG GetLength() const override;
  void SetLength(ULONGLONG dwNewLen) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  void Abort() override;
  void Flush() override;
  void Close() override;
  BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

 protected:
  virtual BYTE* Alloc(SIZE_T nBytes);
  virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
  virtual void Free(BYTE* lpMem);
  virtual void GrowFile(SIZE_T dwNewLen);

  UINT m_nGrowBytes;
  SIZE_T m_nPosition;
  SIZE_T m_nBufferSize;
  SIZE_T m_nFileSize;
  BYTE* m_lpBuffer;
  BOOL m_bAutoDelete;
};
