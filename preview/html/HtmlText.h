// Small text helpers of the renderer. Comparisons "without case" fold ASCII letters only, as the
// markup's names are ASCII.
#pragma once

#include <cstddef>
#include <string>

inline wchar_t HtmlLowerAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
}

inline bool HtmlIsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// True when text[at..end) starts with prefix, compared without case.
bool HtmlStartsWithNoCase(const wchar_t* text, size_t at, size_t end, const wchar_t* prefix);
bool HtmlStartsWithNoCase(const std::wstring& text, const wchar_t* prefix);
bool HtmlEqualNoCase(const wchar_t* a, const wchar_t* b);

// The first position at or after `from` where `needle` starts (without case), or `end`.
size_t HtmlFindNoCase(const wchar_t* text, size_t from, size_t end, const wchar_t* needle);

// The text after the last "." of a URL or path, or "" without one.
std::wstring HtmlExtension(const std::wstring& url);

// Reads the leading decimal digits of text (after spaces and an optional sign); the value is
// limited to +-1e9 while reading, so that no digit string overflows. False without digits.
bool HtmlParseNumber(const wchar_t* text, long long* value);

int HtmlClamp(long long value, int lo, int hi);

// The value of a hex digit, or -1.
int HtmlHexDigit(wchar_t c);
