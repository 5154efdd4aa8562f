#include "classlib/core/CMemFile.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {
// A memory file never holds more than this; 32-bit targets could not address more anyway.
const SIZE_T kMaxMemFileSize = 0x7FFFFFFF;
}

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
  if (m_lpBuffer != NULL && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  if (lpBuffer == NULL && nBufferSize != 0) AfxThrowInvalidArgException();
  if (m_lpBuffer != NULL && m_bAutoDelete) Free(m_lpBuffer);
  m_nGrowBytes = nGrowBytes;
  m_nPosition = 0;
  m_nBufferSize = nBufferSize;
  // A growable buffer starts empty; a fixed one is the file's whole content.
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_lpBuffer = lpBuffer;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* lpBuffer = m_lpBuffer;
  m_lpBuffer = NULL;
  m_nFileSize = 0;
  m_nBufferSize = 0;
  m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return lpBuffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(std::malloc(nBytes)); }
BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(std::realloc(lpMem, nBytes)); }
void CMemFile::Free(BYTE* lpMem) { std::free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0 || dwNewLen > kMaxMemFileSize) AfxThrowMemoryException();
  // Whole steps of m_nGrowBytes beyond the current size, computed rather than counted.
  SIZE_T nSteps = (dwNewLen - m_nBufferSize + m_nGrowBytes - 1) / m_nGrowBytes;
  SIZE_T dwNewBufferSize = dwNewLen;
  if (nSteps <= (kMaxMemFileSize - m_nBufferSize) / m_nGrowBytes) {
    dwNewBufferSize = m_nBufferSize + nSteps * m_nGrowBytes;
  }
  BYTE* lpNew = m_lpBuffer == NULL ? Alloc(dwNewBufferSize) : Realloc(m_lpBuffer, dwNewBufferSize);
  if (lpNew == NULL) AfxThrowMemoryException();
  m_lpBuffer = lpNew;
  m_nBufferSize = dwNewBufferSize;
}

ULONGLONG CMemFile::GetLength() const { return m_nFileSize; }

void CMemFile::SetLength(ULONGLONG dwNewLen) {
  if (dwNewLen > kMaxMemFileSize) AfxThrowMemoryException();
  if (dwNewLen > m_nBufferSize) GrowFile((SIZE_T)dwNewLen);
  if (dwNewLen > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, (SIZE_T)dwNewLen - m_nFileSize);
  if (dwNewLen < m_nPosition) m_nPosition = (SIZE_T)dwNewLen;
  m_nFileSize = (SIZE_T)dwNewLen;
}

ULONGLONG CMemFile::GetPosition() const { return m_nPosition; }

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG base;
  switch (nFrom) {
    case begin: base = 0; break;
    case current: base = (LONGLONG)m_nPosition; break;
    case end: base = (LONGLONG)m_nFileSize; break;
    default: AfxThrowInvalidArgException();
  }
  if ((lOff < 0 && base + lOff < 0) || (lOff > 0 && lOff > (LONGLONG)kMaxMemFileSize - base)) {
    AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
  }
  m_nPosition = (SIZE_T)(base + lOff);
  return m_nPosition;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0 || m_nPosition >= m_nFileSize) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  SIZE_T nAvail = m_nFileSize - m_nPosition;
  UINT nRead = nCount < nAvail ? nCount : (UINT)nAvail;
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
  m_nPosition += nRead;
  return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  if (nCount > kMaxMemFileSize - m_nPosition) AfxThrowMemoryException();
  SIZE_T nEnd = m_nPosition + nCount;
  if (nEnd > m_nBufferSize) GrowFile(nEnd);
  // A position beyond the end leaves a gap, which reads back as zeros.
  if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = nEnd;
  if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

void CMemFile::Abort() { Close(); }

void CMemFile::Flush() {}

void CMemFile::Close() {
  m_nGrowBytes = 0;
  m_nPosition = 0;
  m_nBufferSize = 0;
  m_nFileSize = 0;
  if (m_lpBuffer != NULL && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = NULL;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException*) { AfxThrowNotSupportedException(); }
