// Conversions between CString and narrow or UTF-16 text, and the library's case mapping.
#include <cstring>

#include "classlib/core/CException.h"
#include "classlib/core/CString.h"

#ifndef _WIN32
namespace {

const wchar_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at p (n bytes available); returns the bytes used (at least 1).
int DecodeUtf8(const unsigned char* p, int n, wchar_t& out) {
  unsigned c = p[0];
  if (c < 0x80) {
    out = (wchar_t)c;
    return 1;
  }
  int len;
  unsigned cp, min;
  if ((c & 0xE0) == 0xC0) {
    len = 2, cp = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3, cp = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4, cp = c & 0x07, min = 0x10000;
  } else {
    out = kReplacement;
    return 1;
  }
  if (len > n) {
    out = kReplacement;
    return 1;
  }
  for (int i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) {
      out = kReplacement;
      return 1;
    }
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    out = kReplacement;
    return len;
  }
  out = (wchar_t)cp;
  return len;
}

int EncodeUtf8(unsigned cp, char* out) {
  if (cp >= 0xD800 && cp <= 0xDFFF) cp = '?';
  if (cp > 0x10FFFF) cp = '?';
  if (cp < 0x80) {
    out[0] = (char)cp;
    return 1;
  }
  if (cp < 0x800) {
    out[0] = (char)(0xC0 | (cp >> 6));
    out[1] = (char)(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = (char)(0xE0 | (cp >> 12));
    out[1] = (char)(0x80 | ((cp >> 6) & 0x3F));
    out[2] = (char)(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = (char)(0xF0 | (cp >> 18));
  out[1] = (char)(0x80 | ((cp >> 12) & 0x3F));
  out[2] = (char)(0x80 | ((cp >> 6) & 0x3F));
  out[3] = (char)(0x80 | (cp & 0x3F));
  return 4;
}

}  // namespace
#endif

CString AFXAPI AfxNarrowToString(const char* psz, int nLength) {
  CString s;
  if (psz == NULL || nLength <= 0) return s;
#ifdef _WIN32
  int n = ::MultiByteToWideChar(CP_ACP, 0, psz, nLength, NULL, 0);
  if (n <= 0) return s;
  LPTSTR p = s.GetBufferSetLength(n);
  n = ::MultiByteToWideChar(CP_ACP, 0, psz, nLength, p, n);
  s.ReleaseBuffer(n > 0 ? n : 0);
#else
  LPTSTR p = s.GetBufferSetLength(nLength);  // never more characters than bytes
  const unsigned char* in = reinterpret_cast<const unsigned char*>(psz);
  int i = 0, o = 0;
  while (i < nLength) {
    wchar_t ch;
    i += DecodeUtf8(in + i, nLength - i, ch);
    p[o++] = ch;
  }
  s.ReleaseBuffer(o);
#endif
  return s;
}

int AFXAPI AfxStringToNarrow(LPCTSTR psz, int nLength, char* pOut, int nOutMax) {
  // Returns the bytes written (or, with pOut NULL, needed); no terminator is added.
  if (psz == NULL || nLength <= 0) return 0;
#ifdef _WIN32
  return ::WideCharToMultiByte(CP_ACP, 0, psz, nLength, pOut, pOut == NULL ? 0 : nOutMax, NULL, NULL);
#else
  int total = 0;
  char buf[4];
  for (int i = 0; i < nLength; ++i) {
    int n = EncodeUtf8((unsigned)psz[i], buf);
    if (pOut != NULL) {
      if (total + n > nOutMax) return total;
      std::memcpy(pOut + total, buf, (size_t)n);
    }
    total += n;
  }
  return total;
#endif
}

CString AFXAPI AfxUtf16ToString(const char16_t* pch, int nLength) {
  CString s;
  if (pch == NULL || nLength <= 0) return s;
  LPTSTR p = s.GetBufferSetLength(nLength);
#ifdef _WIN32
  std::memcpy(p, pch, (size_t)nLength * sizeof(wchar_t));
  s.ReleaseBuffer(nLength);
#else
  int o = 0;
  for (int i = 0; i < nLength; ++i) {
    unsigned c = pch[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < nLength && pch[i + 1] >= 0xDC00 && pch[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (pch[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    p[o++] = (wchar_t)c;
  }
  s.ReleaseBuffer(o);
#endif
  return s;
}

int AFXAPI AfxStringToUtf16(LPCTSTR psz, int nLength, char16_t* pOut, int nOutMax) {
  // Returns the code units written (or, with pOut NULL, needed).
  if (psz == NULL || nLength <= 0) return 0;
  int total = 0;
  for (int i = 0; i < nLength; ++i) {
    unsigned c = (unsigned)psz[i];
    char16_t units[2];
    int n = 1;
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      units[0] = (char16_t)(0xD800 + (c >> 10));
      units[1] = (char16_t)(0xDC00 + (c & 0x3FF));
      n = 2;
    } else {
      units[0] = (char16_t)(c > 0x10FFFF ? 0xFFFD : c);
    }
    if (pOut != NULL) {
      if (total + n > nOutMax) return total;
      for (int k = 0; k < n; ++k) pOut[total + k] = units[k];
    }
    total += n;
  }
  return total;
}

// Case pairs for ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic; other characters are left
// as they are. The same table on every platform keeps comparisons identical everywhere.
TCHAR AFXAPI AfxCharUpper(TCHAR ch) {
  unsigned c = (unsigned)ch;
  if (c >= 'a' && c <= 'z') return (TCHAR)(c - 32);
  if (c < 0xE0) return ch;
  if (c <= 0xFE) return c == 0xF7 ? ch : (TCHAR)(c - 32);
  if (c == 0xFF) return (TCHAR)0x178;
  if (c >= 0x100 && c <= 0x17F) {
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? ch : (TCHAR)(c - 1);
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return ch;
    return (c & 1) ? (TCHAR)(c - 1) : ch;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return (TCHAR)(c - 32);
  if (c >= 0x430 && c <= 0x44F) return (TCHAR)(c - 32);
  if (c >= 0x450 && c <= 0x45F) return (TCHAR)(c - 80);
  return ch;
}

TCHAR AFXAPI AfxCharLower(TCHAR ch) {
  unsigned c = (unsigned)ch;
  if (c >= 'A' && c <= 'Z') return (TCHAR)(c + 32);
  if (c < 0xC0) return ch;
  if (c <= 0xDE) return c == 0xD7 ? ch : (TCHAR)(c + 32);
  if (c == 0x178) return (TCHAR)0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? (TCHAR)(c + 1) : ch;
    if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F) return ch;
    return (c & 1) ? ch : (TCHAR)(c + 1);
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return (TCHAR)(c + 32);
  if (c >= 0x410 && c <= 0x42F) return (TCHAR)(c + 32);
  if (c >= 0x400 && c <= 0x40F) return (TCHAR)(c + 80);
  return ch;
}
