#pragma once
// Small string helpers shared by the markup scanner, the value parsers and the layout.

#include <cstdint>
#include <string>

namespace morvick::html {

std::wstring TrimLeft(const std::wstring& s);
std::wstring TrimRight(const std::wstring& s);
std::wstring Trim(const std::wstring& s);
std::wstring ToLower(const std::wstring& s);
std::wstring ToUpper(const std::wstring& s);
bool EndsWith(const std::wstring& s, const wchar_t* suffix);

// Reads a whole integer, decimal or hexadecimal after "0x", with an optional leading sign.
// Trailing text after the digits is ignored. False when there are no digits.
bool ParseInteger(const std::wstring& s, long long* value);
// A handle's value, decimal or hexadecimal after "0x", to its last bit; false (and value untouched)
// for no digits or more than 64 bits.
bool ParseHandle(const std::wstring& s, std::uint64_t* value);

// Limits a value to a range that every size and position calculation can take without overflow.
int ClampToInt(long long v, int lo, int hi);
int ClampToInt(double v, int lo, int hi);

inline bool IsAsciiAlnum(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
}

}  // namespace morvick::html
