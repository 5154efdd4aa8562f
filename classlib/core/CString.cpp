#include "classlib/core/CString.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>

#include "classlib/core/CException.h"

namespace {

// The shared empty string: header with length 0 and no room, then a terminator.
struct EmptyStringBlock {
  int nDataLength;
  int nAllocLength;
  TCHAR chNil;
};
const EmptyStringBlock g_emptyString = {0, 0, 0};

// Largest character count a string may hold; larger requests are out of memory.
const int kMaxLength = (INT_MAX - 64) / (int)sizeof(TCHAR) - 1;

int SafeLength(LPCTSTR lpsz) {
  if (lpsz == NULL) return 0;
  size_t n = std::wcslen(lpsz);
  if (n > (size_t)kMaxLength) AfxThrowMemoryException();
  return (int)n;
}

bool IsTrimSpace(TCHAR ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool InSet(TCHAR ch, LPCTSTR lpszSet) {
  if (lpszSet == NULL) return false;
  for (; *lpszSet != 0; ++lpszSet) {
    if (*lpszSet == ch) return true;
  }
  return false;
}

}  // namespace

TCHAR* CString::EmptyData() {
  // Never written through: every writing path allocates a buffer of its own first.
  return const_cast<TCHAR*>(&g_emptyString.chNil);
}

CString::CString() { Init(); }

CString::CString(const CString& stringSrc) {
  Init();
  AssignCopy(stringSrc.m_pchData, stringSrc.GetLength());
}

CString::CString(CString&& stringSrc) noexcept {
  m_pchData = stringSrc.m_pchData;
  stringSrc.Init();
}

CString::CString(LPCWSTR lpsz) {
  Init();
#ifdef _WIN32
  if (lpsz != NULL && IS_INTRESOURCE(lpsz)) {
    LoadString(LOWORD((UINT_PTR)lpsz));
    return;
  }
#endif
  AssignCopy(lpsz, SafeLength(lpsz));
}

CString::CString(LPCSTR lpsz) {
  Init();
  if (lpsz != NULL) AssignNarrow(lpsz, (int)std::strlen(lpsz));
}

CString::CString(const unsigned char* lpsz) : CString(reinterpret_cast<LPCSTR>(lpsz)) {}

CString::CString(LPCWSTR lpch, int nLength) {
  Init();
  if (nLength < 0) AfxThrowInvalidArgException();
  if (nLength > 0 && lpch == NULL) AfxThrowInvalidArgException();
  AssignCopy(lpch, nLength);
}

CString::CString(LPCSTR lpch, int nLength) {
  Init();
  if (nLength < 0) AfxThrowInvalidArgException();
  if (nLength > 0 && lpch == NULL) AfxThrowInvalidArgException();
  AssignNarrow(lpch, nLength);
}

CString::CString(wchar_t ch, int nRepeat) {
  Init();
  if (nRepeat > 0) {
    AllocBuffer(nRepeat);
    for (int i = 0; i < nRepeat; ++i) m_pchData[i] = ch;
  }
}

CString::~CString() { Release(); }

void CString::Release() {
  if (m_pchData != EmptyData()) std::free(Data());
  Init();
}

void CString::AllocBuffer(int nLen) {
  // Replaces the buffer by one for nLen characters; the contents are undefined, length is nLen.
  if (nLen < 0) AfxThrowInvalidArgException();
  if (nLen > kMaxLength) AfxThrowMemoryException();
  Release();
  if (nLen == 0) return;
  CStringData* pData =
      static_cast<CStringData*>(std::malloc(sizeof(CStringData) + (size_t)(nLen + 1) * sizeof(TCHAR)));
  if (pData == NULL) AfxThrowMemoryException();
  pData->nAllocLength = nLen;
  pData->nDataLength = nLen;
  pData->data()[nLen] = 0;
  m_pchData = pData->data();
}

void CString::Reserve(int nLen, BOOL bGeometric) {
  // Makes room for nLen characters, keeping the contents.
  if (nLen < 0) AfxThrowInvalidArgException();
  if (nLen > kMaxLength) AfxThrowMemoryException();
  CStringData* pOld = Data();
  if (nLen <= pOld->nAllocLength) return;
  int nAlloc = nLen;
  if (bGeometric) {
    long long grown = (long long)pOld->nAllocLength + pOld->nAllocLength / 2;
    if (grown > nAlloc) nAlloc = grown > kMaxLength ? kMaxLength : (int)grown;
    if (nAlloc < 16) nAlloc = 16;
  }
  CStringData* pData =
      static_cast<CStringData*>(std::malloc(sizeof(CStringData) + (size_t)(nAlloc + 1) * sizeof(TCHAR)));
  if (pData == NULL) AfxThrowMemoryException();
  int nKeep = pOld->nDataLength;
  std::memcpy(pData->data(), m_pchData, (size_t)(nKeep + 1) * sizeof(TCHAR));
  pData->nAllocLength = nAlloc;
  pData->nDataLength = nKeep;
  if (m_pchData != EmptyData()) std::free(pOld);
  m_pchData = pData->data();
}

void CString::SetLength(int nLen) {
  // nLen must fit the current buffer.
  if (m_pchData == EmptyData()) return;
  Data()->nDataLength = nLen;
  m_pchData[nLen] = 0;
}

void CString::AssignCopy(LPCTSTR lpsz, int nLen) {
  if (nLen == 0) {
    if (m_pchData != EmptyData()) SetLength(0);
    return;
  }
  // The source may point into this string's own buffer.
  if (lpsz >= m_pchData && lpsz <= m_pchData + GetLength()) {
    CString copy(lpsz, nLen);
    *this = std::move(copy);
    return;
  }
  if (nLen <= Data()->nAllocLength) {
    std::memmove(m_pchData, lpsz, (size_t)nLen * sizeof(TCHAR));
    SetLength(nLen);
    return;
  }
  AllocBuffer(nLen);
  std::memcpy(m_pchData, lpsz, (size_t)nLen * sizeof(TCHAR));
}

void CString::AssignNarrow(LPCSTR lpsz, int nLen) {
  CString converted = AfxNarrowToString(lpsz, nLen);
  *this = std::move(converted);
}

CString& CString::operator=(const CString& stringSrc) {
  if (this != &stringSrc) AssignCopy(stringSrc.m_pchData, stringSrc.GetLength());
  return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept {
  if (this != &stringSrc) {
    Release();
    m_pchData = stringSrc.m_pchData;
    stringSrc.Init();
  }
  return *this;
}

CString& CString::operator=(LPCWSTR lpsz) {
  AssignCopy(lpsz, SafeLength(lpsz));
  return *this;
}

CString& CString::operator=(LPCSTR lpsz) {
  if (lpsz == NULL) {
    Empty();
  } else {
    AssignNarrow(lpsz, (int)std::strlen(lpsz));
  }
  return *this;
}

CString& CString::operator=(const unsigned char* lpsz) { return *this = reinterpret_cast<LPCSTR>(lpsz); }

CString& CString::operator=(wchar_t ch) {
  AssignCopy(&ch, 1);
  return *this;
}

CString& CString::operator=(char ch) {
  AssignNarrow(&ch, 1);
  return *this;
}

void CString::Empty() { Release(); }

TCHAR CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex > GetLength()) AfxThrowInvalidArgException();
  return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch) {
  if (nIndex < 0 || nIndex >= GetLength()) AfxThrowInvalidArgException();
  m_pchData[nIndex] = ch;
}

void CString::SetString(LPCTSTR lpsz, int nLength) {
  if (nLength < 0 || (nLength > 0 && lpsz == NULL)) AfxThrowInvalidArgException();
  AssignCopy(lpsz, nLength);
}

void CString::SetString(LPCTSTR lpsz) { AssignCopy(lpsz, SafeLength(lpsz)); }

void CString::Append(LPCTSTR lpsz, int nLength) {
  if (nLength < 0 || (nLength > 0 && lpsz == NULL)) AfxThrowInvalidArgException();
  if (nLength == 0) return;
  int nOld = GetLength();
  if (nLength > kMaxLength - nOld) AfxThrowMemoryException();
  if (lpsz >= m_pchData && lpsz <= m_pchData + nOld) {
    CString copy(lpsz, nLength);
    Append(copy.m_pchData, nLength);
    return;
  }
  Reserve(nOld + nLength, TRUE);
  std::memcpy(m_pchData + nOld, lpsz, (size_t)nLength * sizeof(TCHAR));
  SetLength(nOld + nLength);
}

void CString::Append(LPCTSTR lpsz) { Append(lpsz, SafeLength(lpsz)); }
void CString::Append(const CString& string) { Append(string.m_pchData, string.GetLength()); }
void CString::AppendChar(TCHAR ch) { Append(&ch, 1); }

CString& CString::operator+=(const CString& string) {
  Append(string);
  return *this;
}
CString& CString::operator+=(LPCWSTR lpsz) {
  Append(lpsz);
  return *this;
}
CString& CString::operator+=(LPCSTR lpsz) {
  Append(CString(lpsz));
  return *this;
}
CString& CString::operator+=(wchar_t ch) {
  AppendChar(ch);
  return *this;
}
CString& CString::operator+=(char ch) {
  Append(CString(&ch, 1));
  return *this;
}

CString operator+(const CString& string1, const CString& string2) {
  CString s;
  s.Preallocate(string1.GetLength() + string2.GetLength());
  s += string1;
  s += string2;
  return s;
}
CString operator+(const CString& string, LPCTSTR lpsz) {
  CString s(string);
  s += lpsz;
  return s;
}
CString operator+(LPCTSTR lpsz, const CString& string) {
  CString s(lpsz);
  s += string;
  return s;
}
CString operator+(const CString& string, wchar_t ch) {
  CString s(string);
  s += ch;
  return s;
}
CString operator+(wchar_t ch, const CString& string) {
  CString s(ch);
  s += string;
  return s;
}
CString operator+(const CString& string, char ch) {
  CString s(string);
  s += ch;
  return s;
}
CString operator+(char ch, const CString& string) {
  CString s(&ch, 1);
  s += string;
  return s;
}

int CString::Compare(LPCTSTR lpsz) const { return std::wcscmp(m_pchData, lpsz == NULL ? L"" : lpsz); }

int CString::CompareNoCase(LPCTSTR lpsz) const {
  if (lpsz == NULL) lpsz = L"";
  LPCTSTR p = m_pchData;
  for (;; ++p, ++lpsz) {
    TCHAR a = AfxCharLower(*p), b = AfxCharLower(*lpsz);
    if (a != b) return a < b ? -1 : 1;
    if (a == 0) return 0;
  }
}

int CString::Collate(LPCTSTR lpsz) const { return std::wcscoll(m_pchData, lpsz == NULL ? L"" : lpsz); }

int CString::CollateNoCase(LPCTSTR lpsz) const {
  CString a(*this), b(lpsz);
  a.MakeLower();
  b.MakeLower();
  return std::wcscoll(a, b);
}

CString CString::Mid(int nFirst, int nCount) const {
  int nLen = GetLength();
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0) nCount = 0;
  if (nFirst >= nLen) return CString();
  if (nCount > nLen - nFirst) nCount = nLen - nFirst;
  if (nFirst == 0 && nCount == nLen) return *this;
  return CString(m_pchData + nFirst, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
  int nLen = GetLength();
  if (nCount < 0) nCount = 0;
  if (nCount >= nLen) return *this;
  return CString(m_pchData + nLen - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const {
  if (lpszCharSet == NULL) return CString();
  return Left((int)std::wcsspn(m_pchData, lpszCharSet));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const {
  if (lpszCharSet == NULL) return *this;
  return Left((int)std::wcscspn(m_pchData, lpszCharSet));
}

CString CString::Tokenize(LPCTSTR pszTokens, int& iStart) const {
  if (iStart < 0) AfxThrowInvalidArgException();
  int nLen = GetLength();
  if (pszTokens == NULL || *pszTokens == 0) {
    if (iStart < nLen) {
      CString rest = Mid(iStart);
      iStart = nLen;
      return rest;
    }
  } else if (iStart < nLen) {
    LPCTSTR pszPlace = m_pchData + iStart;
    int nIncluding = (int)std::wcsspn(pszPlace, pszTokens);
    if (iStart + nIncluding < nLen) {
      pszPlace += nIncluding;
      int nExcluding = (int)std::wcscspn(pszPlace, pszTokens);
      int iFrom = iStart + nIncluding;
      iStart = iFrom + nExcluding + 1;
      return Mid(iFrom, nExcluding);
    }
  }
  iStart = -1;
  return CString();
}

CString& CString::MakeUpper() {
  int n = GetLength();
  for (int i = 0; i < n; ++i) m_pchData[i] = AfxCharUpper(m_pchData[i]);
  return *this;
}

CString& CString::MakeLower() {
  int n = GetLength();
  for (int i = 0; i < n; ++i) m_pchData[i] = AfxCharLower(m_pchData[i]);
  return *this;
}

CString& CString::MakeReverse() {
  int n = GetLength();
  for (int i = 0, j = n - 1; i < j; ++i, --j) {
    TCHAR t = m_pchData[i];
    m_pchData[i] = m_pchData[j];
    m_pchData[j] = t;
  }
  return *this;
}

CString& CString::TrimRight() {
  int n = GetLength();
  while (n > 0 && IsTrimSpace(m_pchData[n - 1])) --n;
  if (n != GetLength()) SetLength(n);
  return *this;
}

CString& CString::TrimRight(TCHAR chTarget) {
  int n = GetLength();
  while (n > 0 && m_pchData[n - 1] == chTarget) --n;
  if (n != GetLength()) SetLength(n);
  return *this;
}

CString& CString::TrimRight(LPCTSTR lpszTargets) {
  int n = GetLength();
  while (n > 0 && InSet(m_pchData[n - 1], lpszTargets)) --n;
  if (n != GetLength()) SetLength(n);
  return *this;
}

CString& CString::TrimLeft() {
  int i = 0, n = GetLength();
  while (i < n && IsTrimSpace(m_pchData[i])) ++i;
  if (i > 0) Delete(0, i);
  return *this;
}

CString& CString::TrimLeft(TCHAR chTarget) {
  int i = 0, n = GetLength();
  while (i < n && m_pchData[i] == chTarget) ++i;
  if (i > 0) Delete(0, i);
  return *this;
}

CString& CString::TrimLeft(LPCTSTR lpszTargets) {
  int i = 0, n = GetLength();
  while (i < n && InSet(m_pchData[i], lpszTargets)) ++i;
  if (i > 0) Delete(0, i);
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(TCHAR chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCTSTR lpszTargets) { return TrimRight(lpszTargets).TrimLeft(lpszTargets); }

int CString::Replace(TCHAR chOld, TCHAR chNew) {
  int nCount = 0, n = GetLength();
  if (chOld == chNew) return 0;
  for (int i = 0; i < n; ++i) {
    if (m_pchData[i] == chOld) {
      m_pchData[i] = chNew;
      ++nCount;
    }
  }
  return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
  int nOldLen = SafeLength(lpszOld);
  if (nOldLen == 0) return 0;
  int nNewLen = SafeLength(lpszNew);
  int nLen = GetLength();
  int nCount = 0, i = 0;
  while (i <= nLen - nOldLen) {
    if (std::wmemcmp(m_pchData + i, lpszOld, (size_t)nOldLen) == 0) {
      ++nCount;
      i += nOldLen;
    } else {
      ++i;
    }
  }
  if (nCount == 0) return 0;
  // Second pass builds the result now that its size is known.
  CString result;
  long long nResult = (long long)nLen + (long long)nCount * (nNewLen - nOldLen);
  if (nResult > kMaxLength) AfxThrowMemoryException();
  result.Preallocate((int)nResult);
  i = 0;
  int nCopied = 0;
  while (i <= nLen - nOldLen) {
    if (std::wmemcmp(m_pchData + i, lpszOld, (size_t)nOldLen) == 0) {
      result.Append(m_pchData + nCopied, i - nCopied);
      result.Append(lpszNew, nNewLen);
      i += nOldLen;
      nCopied = i;
    } else {
      ++i;
    }
  }
  result.Append(m_pchData + nCopied, nLen - nCopied);
  *this = std::move(result);
  return nCount;
}

int CString::Remove(TCHAR chRemove) {
  int n = GetLength(), j = 0;
  for (int i = 0; i < n; ++i) {
    if (m_pchData[i] != chRemove) m_pchData[j++] = m_pchData[i];
  }
  int nRemoved = n - j;
  if (nRemoved > 0) SetLength(j);
  return nRemoved;
}

int CString::Insert(int nIndex, TCHAR ch) { return Insert(nIndex, CString(ch)); }

int CString::Insert(int nIndex, LPCTSTR pstr) {
  int nLen = GetLength();
  if (nIndex < 0) nIndex = 0;
  if (nIndex > nLen) nIndex = nLen;
  int nInsert = SafeLength(pstr);
  if (nInsert == 0) return nLen;
  if (nInsert > kMaxLength - nLen) AfxThrowMemoryException();
  CString result;
  result.Preallocate(nLen + nInsert);
  result.Append(m_pchData, nIndex);
  result.Append(pstr, nInsert);
  result.Append(m_pchData + nIndex, nLen - nIndex);
  *this = std::move(result);
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  int nLen = GetLength();
  if (nIndex < 0) nIndex = 0;
  if (nCount > 0 && nIndex < nLen) {
    if (nCount > nLen - nIndex) nCount = nLen - nIndex;
    std::memmove(m_pchData + nIndex, m_pchData + nIndex + nCount,
                 (size_t)(nLen - nIndex - nCount) * sizeof(TCHAR));
    SetLength(nLen - nCount);
  }
  return GetLength();
}

int CString::Find(TCHAR ch) const { return Find(ch, 0); }

int CString::Find(TCHAR ch, int nStart) const {
  int nLen = GetLength();
  if (nStart < 0 || nStart >= nLen || ch == 0) return -1;
  LPCTSTR p = std::wmemchr(m_pchData + nStart, ch, (size_t)(nLen - nStart));
  return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }

int CString::Find(LPCTSTR lpszSub, int nStart) const {
  int nLen = GetLength();
  if (lpszSub == NULL || nStart < 0 || nStart > nLen) return -1;
  LPCTSTR p = std::wcsstr(m_pchData + nStart, lpszSub);
  return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::ReverseFind(TCHAR ch) const {
  if (ch == 0) return -1;
  for (int i = GetLength() - 1; i >= 0; --i) {
    if (m_pchData[i] == ch) return i;
  }
  return -1;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const {
  if (lpszCharSet == NULL) return -1;
  LPCTSTR p = std::wcspbrk(m_pchData, lpszCharSet);
  return p == NULL ? -1 : (int)(p - m_pchData);
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength < 0) AfxThrowInvalidArgException();
  int nLen = GetLength();
  int nNeed = nMinBufLength > nLen ? nMinBufLength : nLen;
  if (nNeed < 1) nNeed = 1;
  Reserve(nNeed, FALSE);
  return m_pchData;
}

LPTSTR CString::GetBuffer() { return GetBuffer(0); }

void CString::ReleaseBuffer(int nNewLength) {
  if (m_pchData == EmptyData()) return;
  int nAlloc = Data()->nAllocLength;
  if (nNewLength < 0) {
    // Bounded: a caller that forgot the terminator still leaves a valid string.
    const TCHAR* pEnd = std::wmemchr(m_pchData, 0, (size_t)nAlloc);
    nNewLength = pEnd == NULL ? nAlloc : (int)(pEnd - m_pchData);
  }
  if (nNewLength > nAlloc) AfxThrowInvalidArgException();
  SetLength(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
  LPTSTR p = GetBuffer(nNewLength);
  SetLength(nNewLength);
  return p;
}

void CString::FreeExtra() {
  if (m_pchData != EmptyData() && GetLength() < Data()->nAllocLength) {
    CString copy(m_pchData, GetLength());
    *this = std::move(copy);
  }
}

void CString::Preallocate(int nLength) { Reserve(nLength, FALSE); }

LPTSTR CString::LockBuffer() { return GetBuffer(0); }
void CString::UnlockBuffer() {}

void AFX_CDECL CString::Format(LPCTSTR lpszFormat, ...) {
  va_list args;
  va_start(args, lpszFormat);
  FormatV(lpszFormat, args);
  va_end(args);
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
  CString result;
  result.AppendFormatV(lpszFormat, argList);
  *this = std::move(result);
}

void AFX_CDECL CString::AppendFormat(LPCTSTR lpszFormat, ...) {
  va_list args;
  va_start(args, lpszFormat);
  AppendFormatV(lpszFormat, args);
  va_end(args);
}

bool operator==(const CString& s1, const CString& s2) {
  return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0;
}
bool operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
bool operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
bool operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
bool operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
bool operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
bool operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
bool operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }
