// CArchive: buffering, values and strings. The object graph (classes, objects, tags) is in
// CArchiveObjects.cpp.
#include "classlib/core/CArchive.h"

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "classlib/core/CArchiveMaps.h"

namespace {
const int kMinBufSize = 16;
const UINT kStringChunk = 16384;  // characters read at a time from a stored string

// TRUE for counts and lengths that a DWORD cannot hold below its 0xFFFFFFFF escape (only possible
// where pointers are 64 bits).
bool AboveDwordEscape(ULONGLONG n) { return n >= 0xFFFFFFFFull; }
}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL),
      m_nObjectSchema((UINT)-1),
      m_nMode((BOOL)nMode),
      m_bUserBuf(lpBuf != NULL),
      m_nBufSize(nBufSize),
      m_pFile(pFile),
      m_nMapCount(0),
      m_nGrowSize(1024),
      m_nHashSize(2053) {
  if (pFile == NULL) AfxThrowInvalidArgException();
  if (m_nBufSize < kMinBufSize) {
    if (m_bUserBuf) AfxThrowInvalidArgException();
    m_nBufSize = kMinBufSize;
  }
  m_strFileName = pFile->GetFilePath();
  m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : new BYTE[(size_t)m_nBufSize];
  if (IsLoading()) {
    m_lpBufCur = m_lpBufMax = m_lpBufStart;  // nothing read yet
  } else {
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + m_nBufSize;
  }
}

CArchive::~CArchive() {
  if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
    // A destructor cannot report a failed write; callers that must know call Close() first.
    try {
      Close();
    } catch (CException* e) {
      e->Delete();
    }
  }
  m_pFile = NULL;
  if (!m_bUserBuf) delete[] m_lpBufStart;
}

UINT CArchive::GetObjectSchema() {
  UINT nResult = m_nObjectSchema;
  m_nObjectSchema = (UINT)-1;
  return nResult;
}

void CArchive::Abort() {
  // Drops unwritten data and detaches from the file.
  m_pFile = NULL;
}

void CArchive::Close() {
  if (m_pFile == NULL) return;
  Flush();
  m_pFile = NULL;
}

void CArchive::Flush() {
  if (m_pFile == NULL) return;
  if (IsLoading()) {
    // Give the unread part of the buffer back so that the file stands where the archive does.
    if (m_lpBufMax != m_lpBufCur) {
      m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
    }
    m_lpBufCur = m_lpBufMax;
  } else {
    if (m_lpBufCur != m_lpBufStart) {
      UINT n = (UINT)(m_lpBufCur - m_lpBufStart);
      m_lpBufCur = m_lpBufStart;  // reset first: a failed write must not be retried from a destructor
      m_pFile->Write(m_lpBufStart, n);
    }
  }
}

void CArchive::FillBuffer(UINT nBytesNeeded) {
  // Makes at least nBytesNeeded (at most the buffer size) unread bytes available or throws.
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  if (m_pFile == NULL) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
  if (nBytesNeeded > (UINT)m_nBufSize) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
  UINT nUnread = (UINT)(m_lpBufMax - m_lpBufCur);
  if (nUnread >= nBytesNeeded) return;
  if (nUnread > 0 && m_lpBufCur != m_lpBufStart) std::memmove(m_lpBufStart, m_lpBufCur, nUnread);
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = m_lpBufStart + nUnread;
  while ((UINT)(m_lpBufMax - m_lpBufCur) < nBytesNeeded) {
    UINT nRoom = (UINT)(m_lpBufStart + m_nBufSize - m_lpBufMax);
    UINT nRead = m_pFile->Read(m_lpBufMax, nRoom);
    if (nRead == 0) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    m_lpBufMax += nRead;
  }
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (nMax == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  if (m_pFile == NULL) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
  BYTE* pDest = static_cast<BYTE*>(lpBuf);
  UINT nDone = 0;
  UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
  UINT nTemp = nAvail < nMax ? nAvail : nMax;
  std::memcpy(pDest, m_lpBufCur, nTemp);
  m_lpBufCur += nTemp;
  nDone += nTemp;
  // Large remainders go straight from the file; small ones through the buffer.
  while (nDone < nMax && nMax - nDone >= (UINT)m_nBufSize) {
    UINT n = m_pFile->Read(pDest + nDone, nMax - nDone);
    if (n == 0) return nDone;
    nDone += n;
  }
  while (nDone < nMax) {
    UINT nRead = m_pFile->Read(m_lpBufStart, (UINT)m_nBufSize);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nRead;
    if (nRead == 0) break;
    nTemp = nRead < nMax - nDone ? nRead : nMax - nDone;
    std::memcpy(pDest + nDone, m_lpBufCur, nTemp);
    m_lpBufCur += nTemp;
    nDone += nTemp;
  }
  return nDone;
}

void CArchive::ReadExact(void* pDest, UINT nBytes) {
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  if ((UINT)(m_lpBufMax - m_lpBufCur) < nBytes) {
    if (nBytes <= (UINT)m_nBufSize) {
      FillBuffer(nBytes);
    } else {
      if (Read(pDest, nBytes) != nBytes) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
      return;
    }
  }
  std::memcpy(pDest, m_lpBufCur, nBytes);
  m_lpBufCur += nBytes;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (nMax == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  WriteRaw(lpBuf, nMax);
}

void CArchive::WriteRaw(const void* pSrc, UINT nBytes) {
  if (IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
  if (m_pFile == NULL) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
  const BYTE* p = static_cast<const BYTE*>(pSrc);
  UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
  if (nBytes <= nRoom) {
    std::memcpy(m_lpBufCur, p, nBytes);
    m_lpBufCur += nBytes;
    return;
  }
  std::memcpy(m_lpBufCur, p, nRoom);
  m_lpBufCur += nRoom;
  p += nRoom;
  nBytes -= nRoom;
  Flush();
  if (nBytes >= (UINT)m_nBufSize) {
    m_pFile->Write(p, nBytes);
  } else {
    std::memcpy(m_lpBufCur, p, nBytes);
    m_lpBufCur += nBytes;
  }
}

namespace {
template <typename T>
void ToLittleEndian(T value, BYTE* out) {
  using U = typename std::make_unsigned<T>::type;
  U u;
  std::memcpy(&u, &value, sizeof u);
  for (size_t i = 0; i < sizeof(T); ++i) out[i] = (BYTE)(u >> (8 * i));
}
template <typename T>
T FromLittleEndian(const BYTE* in) {
  using U = typename std::make_unsigned<T>::type;
  U u = 0;
  for (size_t i = 0; i < sizeof(T); ++i) u |= (U)((U)in[i] << (8 * i));
  T value;
  std::memcpy(&value, &u, sizeof value);
  return value;
}
}  // namespace

#define AFX_ARCHIVE_INT(TYPE, STORED)             \
  CArchive& CArchive::operator<<(TYPE v) {        \
    BYTE b[sizeof(STORED)];                       \
    ToLittleEndian<STORED>((STORED)v, b);         \
    WriteRaw(b, sizeof b);                        \
    return *this;                                 \
  }                                               \
  CArchive& CArchive::operator>>(TYPE& v) {       \
    BYTE b[sizeof(STORED)];                       \
    ReadExact(b, sizeof b);                       \
    v = (TYPE)FromLittleEndian<STORED>(b);        \
    return *this;                                 \
  }

AFX_ARCHIVE_INT(BYTE, uint8_t)
AFX_ARCHIVE_INT(WORD, uint16_t)
AFX_ARCHIVE_INT(LONG, int32_t)
AFX_ARCHIVE_INT(DWORD, uint32_t)
AFX_ARCHIVE_INT(LONGLONG, int64_t)
AFX_ARCHIVE_INT(ULONGLONG, uint64_t)
AFX_ARCHIVE_INT(short, int16_t)
AFX_ARCHIVE_INT(char, int8_t)
AFX_ARCHIVE_INT(signed char, int8_t)
AFX_ARCHIVE_INT(wchar_t, uint16_t)  // one UTF-16 unit, as on the target

CArchive& CArchive::operator<<(bool b) { return *this << (BYTE)(b ? 1 : 0); }
CArchive& CArchive::operator>>(bool& b) {
  BYTE by;
  *this >> by;
  b = by != 0;
  return *this;
}

CArchive& CArchive::operator<<(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return *this << (DWORD)u;
}
CArchive& CArchive::operator>>(float& f) {
  DWORD u;
  *this >> u;
  uint32_t v = u;
  std::memcpy(&f, &v, sizeof f);
  return *this;
}
CArchive& CArchive::operator<<(double d) {
  uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return *this << (ULONGLONG)u;
}
CArchive& CArchive::operator>>(double& d) {
  ULONGLONG u;
  *this >> u;
  uint64_t v = u;
  std::memcpy(&d, &v, sizeof d);
  return *this;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << (WORD)dwCount;
  } else {
    *this << (WORD)0xFFFF;
    if (AboveDwordEscape(dwCount)) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    *this << (DWORD)dwCount;
  }
}

DWORD_PTR CArchive::ReadCount() {
  WORD wCount;
  *this >> wCount;
  if (wCount != 0xFFFF) return wCount;
  DWORD dwCount;
  *this >> dwCount;
  return dwCount;
}

void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode) {
  if (bUnicode) {
    // A BYTE 0xFF and the WORD 0xFFFE announce UTF-16 text.
    ar << (BYTE)0xff;
    ar << (WORD)0xfffe;
  }
  if (nLength < 255) {
    ar << (BYTE)nLength;
  } else if (nLength < 0xfffe) {
    ar << (BYTE)0xff;
    ar << (WORD)nLength;
  } else {
    ar << (BYTE)0xff;
    ar << (WORD)0xffff;
    if (AboveDwordEscape(nLength)) AfxThrowArchiveException(CArchiveException::genericException);
    ar << (DWORD)nLength;
  }
}

UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize) {
  nCharSize = sizeof(char);
  BYTE bLength;
  ar >> bLength;
  if (bLength < 0xff) return bLength;
  WORD wLength;
  ar >> wLength;
  if (wLength == 0xfffe) {
    nCharSize = 2;
    ar >> bLength;
    if (bLength < 0xff) return bLength;
    ar >> wLength;
  }
  if (wLength < 0xffff) return wLength;
  DWORD dwLength;
  ar >> dwLength;
  // 0xFFFFFFFF would announce a 64-bit length: no string here is that long.
  if (dwLength == 0xffffffff) AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
  return dwLength;
}

CArchive& CArchive::operator<<(const CString& string) {
  int nUnits = AfxStringToUtf16(string, string.GetLength(), NULL, 0);
  std::vector<char16_t> units((size_t)nUnits + 1);
  AfxStringToUtf16(string, string.GetLength(), units.data(), nUnits);
  AfxWriteStringLength(*this, (UINT_PTR)nUnits, TRUE);
  std::vector<BYTE> bytes((size_t)nUnits * 2 + 1);
  for (int i = 0; i < nUnits; ++i) {
    bytes[(size_t)i * 2] = (BYTE)(units[(size_t)i] & 0xff);
    bytes[(size_t)i * 2 + 1] = (BYTE)(units[(size_t)i] >> 8);
  }
  WriteRaw(bytes.data(), (UINT)nUnits * 2);
  return *this;
}

CArchive& CArchive::operator>>(CString& string) {
  int nCharSize;
  UINT_PTR nLength = AfxReadStringLength(*this, nCharSize);
  if (nLength > kMaxStringLength) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
  // Read in chunks: the memory used grows only with the bytes that really arrive.
  std::vector<BYTE> chunk;
  if (nCharSize == 2) {
    std::u16string units;
    for (UINT_PTR nDone = 0; nDone < nLength;) {
      UINT n = (UINT)(nLength - nDone < kStringChunk ? nLength - nDone : kStringChunk);
      chunk.resize((size_t)n * 2);
      ReadExact(chunk.data(), n * 2);
      for (UINT i = 0; i < n; ++i) units.push_back((char16_t)(chunk[i * 2] | (chunk[i * 2 + 1] << 8)));
      nDone += n;
    }
    string = AfxUtf16ToString(units.data(), (int)units.size());
  } else {
    std::string bytes;
    for (UINT_PTR nDone = 0; nDone < nLength;) {
      UINT n = (UINT)(nLength - nDone < kStringChunk ? nLength - nDone : kStringChunk);
      chunk.resize(n);
      ReadExact(chunk.data(), n);
      bytes.append(reinterpret_cast<const char*>(chunk.data()), n);
      nDone += n;
    }
    string = AfxNarrowToString(bytes.data(), (int)bytes.size());
  }
  return *this;
}

void CArchive::WriteString(LPCTSTR lpsz) {
  if (lpsz == NULL) AfxThrowInvalidArgException();
  int nLen = (int)std::wcslen(lpsz);
  int nUnits = AfxStringToUtf16(lpsz, nLen, NULL, 0);
  std::vector<char16_t> units((size_t)nUnits + 1);
  AfxStringToUtf16(lpsz, nLen, units.data(), nUnits);
  for (int i = 0; i < nUnits; ++i) *this << (WORD)units[(size_t)i];
}

namespace {
// Reads one UTF-16 unit; FALSE at the end of the stream.
BOOL ReadUnit(CArchive& ar, WORD& w) {
  BYTE b[2];
  if (ar.Read(b, 2) != 2) return FALSE;
  w = (WORD)(b[0] | (b[1] << 8));
  return TRUE;
}
}  // namespace

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax) {
  // Reads at most nMax - 1 characters up to and including a line feed (a CR before it is
  // dropped); NULL when the stream had nothing left.
  if (lpsz == NULL || nMax == 0) AfxThrowInvalidArgException();
  UINT nRead = 0;
  WORD w;
  BOOL bAny = FALSE;
  while (nRead + 1 < nMax && ReadUnit(*this, w)) {
    bAny = TRUE;
    if (w == '\r') continue;
    lpsz[nRead++] = (TCHAR)w;
    if (w == '\n') break;
  }
  lpsz[nRead] = 0;
  return bAny ? lpsz : NULL;
}

BOOL CArchive::ReadString(CString& rString) {
  std::u16string units;
  WORD w;
  BOOL bAny = FALSE;
  while (ReadUnit(*this, w)) {
    bAny = TRUE;
    if (w == '\n') break;
    if (w == '\r') continue;
    units.push_back((char16_t)w);
  }
  rString = AfxUtf16ToString(units.data(), (int)units.size());
  return bAny;
}
