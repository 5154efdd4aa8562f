// printf-style formatting for CString. The format is parsed here, one conversion at a time, so that
// every platform follows the Windows C runtime's reading of a wide format: %s is wide text, %S narrow
// text, 'l' means 32 bits, I64 and ll mean 64 bits. Numbers are rendered by the C library's narrow
// snprintf from a rebuilt single-conversion format whose argument type is always explicit.
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <utility>
#include <string>
#include <vector>

#include "classlib/core/CException.h"
#include "classlib/core/CString.h"

namespace {

// Widths and precisions beyond this are treated as this; no real format needs more.
const int kMaxFieldWidth = 1 << 20;

enum SizeModifier { sizeDefault, sizeChar, sizeShort, sizeLong, sizeLongLong, sizePtr, sizeLongDouble };

struct Spec {
  bool left = false, plus = false, space = false, alt = false, zero = false;
  int width = 0;
  int precision = -1;
  SizeModifier size = sizeDefault;
  bool wideExplicit = false;  // 'l' or 'w' before s/c
  bool narrowExplicit = false;  // 'h' before s/c
};

void AppendPadded(CString& out, const TCHAR* text, int nLen, const Spec& spec) {
  int nPad = spec.width > nLen ? spec.width - nLen : 0;
  if (!spec.left && nPad > 0) {
    CString pad(spec.zero ? L'0' : L' ', nPad);
    out += pad;
  }
  out.Append(text, nLen);
  if (spec.left && nPad > 0) out += CString(L' ', nPad);
}

std::string NarrowFlags(const Spec& spec) {
  std::string f = "%";
  if (spec.left) f += '-';
  if (spec.plus) f += '+';
  if (spec.space) f += ' ';
  if (spec.alt) f += '#';
  if (spec.zero) f += '0';
  if (spec.width > 0) f += std::to_string(spec.width);
  if (spec.precision >= 0) f += "." + std::to_string(spec.precision);
  return f;
}

template <typename T>
std::string FormatNarrow(const std::string& format, T value) {
  char small[128];
  int n = std::snprintf(small, sizeof small, format.c_str(), value);
  if (n < 0) return std::string();
  if (n < (int)sizeof small) return std::string(small, (size_t)n);
  std::vector<char> big((size_t)n + 1);
  std::snprintf(big.data(), big.size(), format.c_str(), value);
  return std::string(big.data(), (size_t)n);
}

void AppendAscii(CString& out, const std::string& text) {
  CString wide;
  LPTSTR p = wide.GetBufferSetLength((int)text.size());
  for (size_t i = 0; i < text.size(); ++i) p[i] = (TCHAR)(unsigned char)text[i];
  out += wide;
}

template <typename T>
void AppendInteger(CString& out, const Spec& spec, const char* conv, T value) {
  AppendAscii(out, FormatNarrow(NarrowFlags(spec) + conv, value));
}

void AppendFloat(CString& out, const Spec& spec, char conv, double value) {
  Spec bare = spec;
  bare.width = 0;
  std::string text = FormatNarrow(NarrowFlags(bare) + conv, value);
  if (conv != 'a' && conv != 'A') {
    // The Windows runtime writes at least three exponent digits ("1.5e+003").
    size_t e = text.find_first_of("eE");
    if (e != std::string::npos && e + 1 < text.size() && (text[e + 1] == '+' || text[e + 1] == '-') &&
        text.find_first_not_of("0123456789", e + 2) == std::string::npos && text.size() - (e + 2) == 2) {
      text.insert(e + 2, 1, '0');
    }
  }
  if ((int)text.size() < spec.width) {
    size_t nPad = (size_t)spec.width - text.size();
    bool finite = text.find_first_of("0123456789") != std::string::npos &&
                  text.find_first_of("nNiI") == std::string::npos;
    if (spec.left) {
      text.append(nPad, ' ');
    } else if (spec.zero && finite) {
      size_t at = (!text.empty() && (text[0] == '+' || text[0] == '-' || text[0] == ' ')) ? 1 : 0;
      if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) at += 2;
      text.insert(at, nPad, '0');
    } else {
      text.insert(0, nPad, ' ');
    }
  }
  AppendAscii(out, text);
}

}  // namespace

void CString::AppendFormatV(LPCTSTR lpszFormat, va_list argList) {
  if (lpszFormat == NULL) AfxThrowInvalidArgException();
  va_list args;
  va_copy(args, argList);
  CString out(*this);
  LPCTSTR p = lpszFormat;
  while (*p != 0) {
    if (*p != '%') {
      LPCTSTR run = p;
      while (*p != 0 && *p != '%') ++p;
      out.Append(run, (int)(p - run));
      continue;
    }
    LPCTSTR specStart = p++;
    if (*p == '%') {
      out += L'%';
      ++p;
      continue;
    }
    Spec spec;
    for (;; ++p) {
      if (*p == '-') spec.left = true;
      else if (*p == '+') spec.plus = true;
      else if (*p == ' ') spec.space = true;
      else if (*p == '#') spec.alt = true;
      else if (*p == '0') spec.zero = true;
      else break;
    }
    if (*p == '*') {
      int w = va_arg(args, int);
      if (w < 0) {
        spec.left = true;
        w = w == (int)0x80000000 ? kMaxFieldWidth : -w;
      }
      spec.width = w;
      ++p;
    } else {
      while (*p >= '0' && *p <= '9') {
        if (spec.width < kMaxFieldWidth) spec.width = spec.width * 10 + (*p - '0');
        ++p;
      }
    }
    if (*p == '.') {
      ++p;
      spec.precision = 0;
      if (*p == '*') {
        int pr = va_arg(args, int);
        spec.precision = pr < 0 ? -1 : pr;
        ++p;
      } else {
        while (*p >= '0' && *p <= '9') {
          if (spec.precision < kMaxFieldWidth) spec.precision = spec.precision * 10 + (*p - '0');
          ++p;
        }
      }
    }
    if (spec.width > kMaxFieldWidth) spec.width = kMaxFieldWidth;
    if (spec.precision > kMaxFieldWidth) spec.precision = kMaxFieldWidth;
    // Size modifiers.
    if (*p == 'h') {
      ++p;
      spec.narrowExplicit = true;
      spec.size = sizeShort;
      if (*p == 'h') {
        ++p;
        spec.size = sizeChar;
      }
    } else if (*p == 'l') {
      ++p;
      spec.wideExplicit = true;
      spec.size = sizeLong;
      if (*p == 'l') {
        ++p;
        spec.size = sizeLongLong;
      }
    } else if (*p == 'w') {
      ++p;
      spec.wideExplicit = true;
      spec.size = sizeLong;
    } else if (*p == 'L') {
      ++p;
      spec.size = sizeLongDouble;
    } else if (*p == 'q' || *p == 'j') {
      ++p;
      spec.size = sizeLongLong;
    } else if (*p == 'z' || *p == 't') {
      ++p;
      spec.size = sizePtr;
    } else if (*p == 'I') {
      if (p[1] == '6' && p[2] == '4') {
        p += 3;
        spec.size = sizeLongLong;
      } else if (p[1] == '3' && p[2] == '2') {
        p += 3;
        spec.size = sizeLong;
      } else {
        ++p;
        spec.size = sizePtr;
      }
    }
    TCHAR conv = *p;
    if (conv == 0) {
      // A format that ends inside a conversion: show what was there.
      out.Append(specStart, (int)(p - specStart));
      break;
    }
    ++p;
    switch (conv) {
      case 'd':
      case 'i': {
        long long v;
        switch (spec.size) {
          case sizeChar: v = (signed char)va_arg(args, int); break;
          case sizeShort: v = (short)va_arg(args, int); break;
          case sizeLongLong: v = va_arg(args, long long); break;
          case sizePtr: v = (long long)va_arg(args, INT_PTR); break;
          default: v = va_arg(args, int); break;
        }
        AppendInteger(out, spec, "lld", v);
        break;
      }
      case 'u':
      case 'o':
      case 'x':
      case 'X': {
        unsigned long long v;
        switch (spec.size) {
          case sizeChar: v = (unsigned char)va_arg(args, unsigned int); break;
          case sizeShort: v = (unsigned short)va_arg(args, unsigned int); break;
          case sizeLongLong: v = va_arg(args, unsigned long long); break;
          case sizePtr: v = (unsigned long long)va_arg(args, UINT_PTR); break;
          default: v = va_arg(args, unsigned int); break;
        }
        const char llconv[4] = {'l', 'l', (char)conv, 0};
        AppendInteger(out, spec, llconv, v);
        break;
      }
      case 'e':
      case 'E':
      case 'f':
      case 'F':
      case 'g':
      case 'G':
      case 'a':
      case 'A': {
        double v = va_arg(args, double);
        AppendFloat(out, spec, (char)conv, v);
        break;
      }
      case 'p': {
        void* v = va_arg(args, void*);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%0*llX", (int)(2 * sizeof(void*)), (unsigned long long)(UINT_PTR)v);
        CString text(buf);
        Spec padSpec = spec;
        padSpec.zero = false;
        AppendPadded(out, text, text.GetLength(), padSpec);
        break;
      }
      case 'c':
      case 'C': {
        bool narrow = conv == 'C' ? !spec.wideExplicit : spec.narrowExplicit;
        int v = va_arg(args, int);
        CString text;
        if (narrow) {
          char ch = (char)v;
          text = AfxNarrowToString(&ch, 1);
        } else {
          text = CString((wchar_t)v);
        }
        AppendPadded(out, text, text.GetLength(), spec);
        break;
      }
      case 's':
      case 'S':
      case 'Z': {
        bool narrow = conv == 'S' ? !spec.wideExplicit : spec.narrowExplicit;
        CString text;
        if (narrow) {
          const char* v = va_arg(args, const char*);
          if (v == NULL) {
            text = L"(null)";
          } else {
            // Read no further than the precision allows: the text need not be terminated then.
            size_t n = spec.precision >= 0 ? strnlen(v, (size_t)spec.precision) : std::strlen(v);
            text = AfxNarrowToString(v, (int)n);
          }
        } else {
          const wchar_t* v = va_arg(args, const wchar_t*);
          if (v == NULL) {
            text = L"(null)";
          } else {
            size_t n = 0;
            if (spec.precision >= 0) {
              while (n < (size_t)spec.precision && v[n] != 0) ++n;
            } else {
              n = std::wcslen(v);
            }
            text = CString(v, (int)n);
          }
        }
        int nLen = text.GetLength();
        if (spec.precision >= 0 && nLen > spec.precision) nLen = spec.precision;
        AppendPadded(out, text, nLen, spec);
        break;
      }
      case 'n':
        // Never writes through the pointer: a format string must not be able to change memory.
        (void)va_arg(args, void*);
        break;
      default:
        // Unknown conversion: copied as it stands, no argument taken.
        out.Append(specStart, (int)(p - specStart));
        break;
    }
  }
  va_end(args);
  *this = std::move(out);
}
