// Where a preview's pages and pictures come from: files on this computer ("file://" addresses, read
// by the program itself) and the program's HTML resources ("res://"). Nothing else is fetched: no
// network, no shares, no devices.
#pragma once

#include "preview/html/HtmlImage.h"

#include <cstdint>
#include <string>
#include <vector>

// The most bytes read for one page or picture.
constexpr size_t kHtmlMaxFetchBytes = 16u * 1024u * 1024u;

// True for the addresses a preview reads: "file://" and "res://" (without case).
bool HtmlIsLocalUrl(const std::wstring& url);

// The path of a "file://" address on a drive of this computer ("file://C:\x", "file:///C:/x%20y"),
// query and fragment cut off. False for other schemes, relative paths, shares ("\\server"), and
// device paths.
bool HtmlFileUrlToPath(const std::wstring& url, std::wstring* path);

// The "file://" address of a path, such that HtmlFileUrlToPath gives the path back: "%" and "#"
// (which may be part of a file name) are escaped, everything else stands as it is.
std::wstring HtmlFileUrl(const std::wstring& path);

// The bytes of a local address: the file (a disk file only, at most kHtmlMaxFetchBytes), or the
// program's RT_HTML resource named by the text after "res://", else by the text after its last "/".
bool HtmlReadLocalBytes(const std::wstring& url, std::vector<uint8_t>* bytes);

// Page bytes as text: a UTF-8 or UTF-16 byte-order mark is honoured, anything else is read in the
// ANSI code page; zero characters become spaces.
std::wstring HtmlPageText(const std::vector<uint8_t>& bytes);

// The fetch threads' source: local bytes only.
class CHtmlLocalSource : public CHtmlResourceSource {
public:
    int FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes) override;
};
