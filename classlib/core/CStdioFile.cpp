#include "classlib/core/CStdioFile.h"

#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {
const size_t kReadAhead = 4096;
}

CStdioFile::CStdioFile() : m_bText(TRUE), m_nReadPos(0) {}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_bText(TRUE), m_nReadPos(0) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile() = default;

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  m_readAhead.clear();
  m_nReadPos = 0;
  m_bText = (nOpenFlags & typeBinary) == 0;
  return CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError);
}

BOOL CStdioFile::PeekByte(BYTE& b) {
  if (m_nReadPos >= m_readAhead.size()) {
    m_readAhead.resize(kReadAhead);
    UINT n = CFile::Read(m_readAhead.data(), (UINT)kReadAhead);
    m_readAhead.resize(n);
    m_nReadPos = 0;
    if (n == 0) return FALSE;
  }
  b = m_readAhead[m_nReadPos];
  return TRUE;
}

BOOL CStdioFile::ReadByte(BYTE& b) {
  if (!PeekByte(b)) return FALSE;
  ++m_nReadPos;
  return TRUE;
}

void CStdioFile::UnreadBytes(UINT nCount) {
  if (nCount <= m_nReadPos) {
    m_nReadPos -= nCount;
    return;
  }
  // The bytes came from an earlier block: step the file back instead.
  DropReadAhead();
  CFile::Seek(-(LONGLONG)nCount, CFile::current);
}

void CStdioFile::DropReadAhead() {
  size_t nUnread = m_readAhead.size() - m_nReadPos;
  m_readAhead.clear();
  m_nReadPos = 0;
  if (nUnread > 0) CFile::Seek(-(LONGLONG)nUnread, CFile::current);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  BYTE* p = static_cast<BYTE*>(lpBuf);
  UINT nDone = 0;
  size_t nAvail = m_readAhead.size() - m_nReadPos;
  if (nAvail > 0) {
    nDone = nCount < nAvail ? nCount : (UINT)nAvail;
    std::memcpy(p, m_readAhead.data() + m_nReadPos, nDone);
    m_nReadPos += nDone;
  }
  if (nDone < nCount) nDone += CFile::Read(p + nDone, nCount - nDone);
  return nDone;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
  DropReadAhead();
  CFile::Write(lpBuf, nCount);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
  DropReadAhead();
  return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const {
  return CFile::GetPosition() - (ULONGLONG)(m_readAhead.size() - m_nReadPos);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen) {
  DropReadAhead();
  CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush() {
  DropReadAhead();
  CFile::Flush();
}

void CStdioFile::Close() {
  m_readAhead.clear();
  m_nReadPos = 0;
  CFile::Close();
}

void CStdioFile::Abort() {
  m_readAhead.clear();
  m_nReadPos = 0;
  CFile::Abort();
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
  if (lpsz == NULL) AfxThrowInvalidArgException();
  int nLen = (int)std::wcslen(lpsz);
  if (m_bText) {
    CString text(lpsz, nLen);
    text.Replace(_T("\n"), _T("\r\n"));
    int nBytes = AfxStringToNarrow(text, text.GetLength(), NULL, 0);
    std::string bytes((size_t)nBytes, '\0');
    AfxStringToNarrow(text, text.GetLength(), &bytes[0], nBytes);
    Write(bytes.data(), (UINT)bytes.size());
  } else {
    int nUnits = AfxStringToUtf16(lpsz, nLen, NULL, 0);
    std::u16string units((size_t)nUnits, u'\0');
    AfxStringToUtf16(lpsz, nLen, &units[0], nUnits);
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t u : units) {
      bytes.push_back((char)(u & 0xFF));
      bytes.push_back((char)(u >> 8));
    }
    Write(bytes.data(), (UINT)bytes.size());
  }
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
  if (lpsz == NULL || nMax == 0) AfxThrowInvalidArgException();
  UINT nRead = 0;
  BOOL bAny = FALSE;
  if (m_bText) {
    // Each character takes at least one byte, so nMax - 1 bytes never make too many characters.
    std::string bytes;
    BYTE b;
    while (bytes.size() + 1 < nMax && ReadByte(b)) {
      bAny = TRUE;
      if (b == '\r') {
        BYTE next;
        if (PeekByte(next) && next == '\n') continue;  // CR LF reads as LF
      }
      bytes.push_back((char)b);
      if (b == '\n') break;
    }
#ifndef _WIN32
    // Leave an incomplete UTF-8 sequence at a cut for the next call.
    if (!bytes.empty() && bytes.back() != '\n') {
      size_t i = bytes.size();
      size_t nCont = 0;
      while (i > 0 && ((unsigned char)bytes[i - 1] & 0xC0) == 0x80 && nCont < 3) --i, ++nCont;
      if (i > 0 && ((unsigned char)bytes[i - 1] & 0xC0) == 0xC0) {
        unsigned char lead = (unsigned char)bytes[i - 1];
        size_t need = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
        if (nCont < need && i - 1 > 0) {
          UnreadBytes((UINT)(bytes.size() - (i - 1)));
          bytes.resize(i - 1);
        }
      }
    }
#endif
    CString text = AfxNarrowToString(bytes.data(), (int)bytes.size());
    nRead = (UINT)text.GetLength() < nMax - 1 ? (UINT)text.GetLength() : nMax - 1;
    std::memcpy(lpsz, (LPCTSTR)text, nRead * sizeof(TCHAR));
  } else {
    BYTE lo, hi;
    while (nRead + 1 < nMax && ReadByte(lo)) {
      bAny = TRUE;
      if (!ReadByte(hi)) break;  // an odd last byte is not a character
      TCHAR ch = (TCHAR)(lo | (hi << 8));
      lpsz[nRead++] = ch;
      if (ch == '\n') break;
    }
  }
  lpsz[nRead] = 0;
  return bAny ? lpsz : NULL;
}

BOOL CStdioFile::ReadString(CString& rString) {
  rString.Empty();
  BOOL bAny = FALSE;
  if (m_bText) {
    std::string bytes;
    BYTE b;
    while (ReadByte(b)) {
      bAny = TRUE;
      if (b == '\n') break;
      bytes.push_back((char)b);
    }
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    rString = AfxNarrowToString(bytes.data(), (int)bytes.size());
  } else {
    std::u16string units;
    BYTE lo, hi;
    while (ReadByte(lo)) {
      bAny = TRUE;
      if (!ReadByte(hi)) break;
      char16_t u = (char16_t)(lo | (hi << 8));
      if (u == u'\n') break;
      units.push_back(u);
    }
    rString = AfxUtf16ToString(units.data(), (int)units.size());
  }
  return bAny;
}
