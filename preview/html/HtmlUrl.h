// Resolving a page's links against the page's own address.
#pragma once

#include <string>

// The room of a resolved address, terminating zero included.
constexpr int kHtmlUrlChars = 1024;

// Writes the absolute address of link, seen from the page at base, into out (room for
// kHtmlUrlChars characters; longer results are cut). A link in which "://" comes before any "/"
// stands as it is; file addresses come out with "\" separators after "file://".
void ResolveUrl(const wchar_t* link, wchar_t* out, const wchar_t* base);
std::wstring ResolveUrl(const std::wstring& link, const std::wstring& base);
