// CString: a growable, null-terminated TCHAR string with value semantics (every copy owns its own
// characters, so strings can be handed between threads freely). TCHAR is wchar_t: UTF-16 on
// Windows, UTF-32 on Linux. Narrow (char) text is taken in the ANSI code page on Windows and as
// UTF-8 elsewhere.
#pragma once

#include <cstdarg>

#include "classlib/core/AfxTypes.h"

class CString {
 public:
  CString();
  CString(const CString& stringSrc);
  CString(CString&& stringSrc) noexcept;
  CString(LPCWSTR lpsz);
  CString(LPCSTR lpsz);
  CString(const unsigned char* lpsz);
  CString(LPCWSTR lpch, int nLength);
  CString(LPCSTR lpch, int nLength);
  explicit CString(wchar_t ch, int nRepeat = 1);
  ~CString();

  CString& operator=(const CString& stringSrc);
  CString& operator=(CString&& stringSrc) noexcept;
  CString& operator=(LPCWSTR lpsz);
  CString& operator=(LPCSTR lpsz);
  CString& operator=(const unsigned char* lpsz);
  CString& operator=(wchar_t ch);
  CString& operator=(char ch);

  // Size and access.
  int GetLength() const { return Data()->nDataLength; }
  BOOL IsEmpty() const { return GetLength() == 0; }
  void Empty();
  // Index 0..GetLength() (the terminator) is valid; anything else throws CInvalidArgException.
  TCHAR GetAt(int nIndex) const;
  TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
  void SetAt(int nIndex, TCHAR ch);
  operator LPCTSTR() const { return m_pchData; }
  LPCTSTR GetString() const { return m_pchData; }
  void SetString(LPCTSTR lpsz, int nLength);
  void SetString(LPCTSTR lpsz);

  // Appending.
  CString& operator+=(const CString& string);
  CString& operator+=(LPCWSTR lpsz);
  CString& operator+=(LPCSTR lpsz);
  CString& operator+=(wchar_t ch);
  CString& operator+=(char ch);
  void Append(LPCTSTR lpsz, int nLength);
  void Append(LPCTSTR lpsz);
  void Append(const CString& string);
  void AppendChar(TCHAR ch);

  friend CString operator+(const CString& string1, const CString& string2);
  friend CString operator+(const CString& string, LPCTSTR lpsz);
  friend CString operator+(LPCTSTR lpsz, const CString& string);
  friend CString operator+(const CString& string, wchar_t ch);
  friend CString operator+(wchar_t ch, const CString& string);
  friend CString operator+(const CString& string, char ch);
  friend CString operator+(char ch, const CString& string);

  // Comparison: Compare is ordinal, CompareNoCase folds case first, Collate follows the C locale.
  int Compare(LPCTSTR lpsz) const;
  int CompareNoCase(LPCTSTR lpsz) const;
  int Collate(LPCTSTR lpsz) const;
  int CollateNoCase(LPCTSTR lpsz) const;

  // Pieces. Out-of-range positions and counts are clamped to the string.
  CString Mid(int nFirst, int nCount) const;
  CString Mid(int nFirst) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCTSTR lpszCharSet) const;
  CString SpanExcluding(LPCTSTR lpszCharSet) const;
  // Next token after iStart, skipping leading delimiters; iStart becomes -1 after the last one.
  CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

  // Changing in place.
  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  CString& Trim();
  CString& Trim(TCHAR chTarget);
  CString& Trim(LPCTSTR lpszTargets);
  CString& TrimLeft();
  CString& TrimLeft(TCHAR chTarget);
  CString& TrimLeft(LPCTSTR lpszTargets);
  CString& TrimRight();
  CString& TrimRight(TCHAR chTarget);
  CString& TrimRight(LPCTSTR lpszTargets);
  int Replace(TCHAR chOld, TCHAR chNew);
  int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
  int Remove(TCHAR chRemove);
  int Insert(int nIndex, TCHAR ch);
  int Insert(int nIndex, LPCTSTR pstr);
  int Delete(int nIndex, int nCount = 1);

  // Searching; -1 when not found.
  int Find(TCHAR ch) const;
  int Find(TCHAR ch, int nStart) const;
  int Find(LPCTSTR lpszSub) const;
  int Find(LPCTSTR lpszSub, int nStart) const;
  int ReverseFind(TCHAR ch) const;
  int FindOneOf(LPCTSTR lpszCharSet) const;

  // printf-style formatting with the Windows C runtime's rules for wide formats on every platform:
  // %s and %c take wide text, %S and %C (or %hs, %hc) narrow text, %ls/%ws/%lc wide text; %ld is
  // 32 bits; %I64d, %lld and %I64u/%llx take 64-bit values; %Id and %Iu take pointer-sized ones.
  void AFX_CDECL Format(LPCTSTR lpszFormat, ...);
  void FormatV(LPCTSTR lpszFormat, va_list argList);
  void AFX_CDECL AppendFormat(LPCTSTR lpszFormat, ...);
  void AppendFormatV(LPCTSTR lpszFormat, va_list argList);

  // Direct buffer access: the buffer holds at least nMinBufLength characters plus a terminator.
  // After writing, ReleaseBuffer(-1) takes the length up to the first zero (within the buffer).
  LPTSTR GetBuffer(int nMinBufLength);
  LPTSTR GetBuffer();
  void ReleaseBuffer(int nNewLength = -1);
  LPTSTR GetBufferSetLength(int nNewLength);
  void FreeExtra();
  void Preallocate(int nLength);
  LPTSTR LockBuffer();
  void UnlockBuffer();
  int GetAllocLength() const { return Data()->nAllocLength; }

#ifdef _WIN32
  // Resource strings, from the module that AfxGetResourceHandle names.
  BOOL LoadString(UINT nID);
  void AFX_CDECL Format(UINT nFormatID, ...);
  BSTR AllocSysString() const;
  BSTR SetSysString(BSTR* pbstr) const;
#endif

 private:
  struct CStringData {
    int nDataLength;
    int nAllocLength;  // characters, without the terminator; 0 for the shared empty string
    TCHAR* data() { return reinterpret_cast<TCHAR*>(this + 1); }
  };

  CStringData* Data() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
  static TCHAR* EmptyData();
  void Init() { m_pchData = EmptyData(); }
  void Release();
  void AllocBuffer(int nLen);
  void Reserve(int nLen, BOOL bGeometric);
  void AssignCopy(LPCTSTR lpsz, int nLen);
  void AssignNarrow(LPCSTR lpsz, int nLen);
  void SetLength(int nLen);

  LPTSTR m_pchData;
};

bool operator==(const CString& s1, const CString& s2);
bool operator==(const CString& s1, LPCTSTR s2);
bool operator==(LPCTSTR s1, const CString& s2);
bool operator!=(const CString& s1, const CString& s2);
bool operator!=(const CString& s1, LPCTSTR s2);
bool operator!=(LPCTSTR s1, const CString& s2);
bool operator<(const CString& s1, const CString& s2);
bool operator<(const CString& s1, LPCTSTR s2);
bool operator<(LPCTSTR s1, const CString& s2);
bool operator>(const CString& s1, const CString& s2);
bool operator>(const CString& s1, LPCTSTR s2);
bool operator>(LPCTSTR s1, const CString& s2);
bool operator<=(const CString& s1, const CString& s2);
bool operator<=(const CString& s1, LPCTSTR s2);
bool operator<=(LPCTSTR s1, const CString& s2);
bool operator>=(const CString& s1, const CString& s2);
bool operator>=(const CString& s1, LPCTSTR s2);
bool operator>=(LPCTSTR s1, const CString& s2);

// Text conversions used by the library and by portable code that reads on-disk names.
// Narrow text: ANSI code page on Windows, UTF-8 elsewhere; characters that do not convert become '?'
// (narrowing) or U+FFFD (widening from invalid UTF-8).
CString AFXAPI AfxNarrowToString(const char* psz, int nLength);
int AFXAPI AfxStringToNarrow(LPCTSTR psz, int nLength, char* pOut, int nOutMax);
// UTF-16 code units (e.g. from disk or an archive) to a CString and back; unpaired surrogates are
// kept as they are on Windows and become U+FFFD on Linux.
CString AFXAPI AfxUtf16ToString(const char16_t* pch, int nLength);
int AFXAPI AfxStringToUtf16(LPCTSTR psz, int nLength, char16_t* pOut, int nOutMax);
// Case mapping of one character, the same on every platform for the common alphabets.
TCHAR AFXAPI AfxCharUpper(TCHAR ch);
TCHAR AFXAPI AfxCharLower(TCHAR ch);

#ifdef _WIN32
HINSTANCE AFXAPI AfxGetResourceHandle();
// The window layer points this at the application's resources at start-up.
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
#endif
