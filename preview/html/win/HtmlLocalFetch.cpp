#include "preview/html/win/HtmlLocalFetch.h"

#include "preview/html/HtmlText.h"

#include <windows.h>

namespace {

// "%xx" escapes decoded; a run of escapes is read as UTF-8 when it is that, else byte by byte.
std::wstring PercentDecode(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size();) {
        std::string bytes;
        while (i + 2 < text.size() && text[i] == L'%' && HtmlHexDigit(text[i + 1]) >= 0 &&
            HtmlHexDigit(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HtmlHexDigit(text[i + 1]) * 16 + HtmlHexDigit(text[i + 2]));
            i += 3;
        }
        if (!bytes.empty()) {
            int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                NULL, 0);
            if (n > 0) {
                std::wstring wide(static_cast<size_t>(n), L'\0');
                MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
                out += wide;
            } else {
                for (char b : bytes)
                    out += static_cast<wchar_t>(static_cast<unsigned char>(b));
            }
            continue;
        }
        out += text[i++];
    }
    return out;
}

bool ReadDiskFile(const std::wstring& path, std::vector<uint8_t>* bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = false;
    LARGE_INTEGER size;
    // A disk file of a sensible size: no console, pipe or device behind a reserved name.
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
        static_cast<unsigned long long>(size.QuadPart) <= kHtmlMaxFetchBytes) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes->empty() ||
            (ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &read, NULL) && read == bytes->size());
    }
    CloseHandle(file);
    if (!ok)
        bytes->clear();
    return ok;
}

bool ReadResource(const std::wstring& url, std::vector<uint8_t>* bytes)
{
    std::wstring whole = url.substr(6);
    size_t slash = whole.rfind(L'/');
    std::wstring names[2] = {whole, slash == std::wstring::npos ? std::wstring() : whole.substr(slash + 1)};
    for (const std::wstring& name : names) {
        if (name.empty())
            continue;
        HRSRC found = FindResourceW(NULL, name.c_str(), MAKEINTRESOURCEW(23));
        if (found == NULL)
            continue;
        HGLOBAL loaded = LoadResource(NULL, found);
        const void* data = loaded != NULL ? LockResource(loaded) : NULL;
        DWORD size = SizeofResource(NULL, found);
        if (data == NULL)
            continue;
        const uint8_t* p = static_cast<const uint8_t*>(data);
        bytes->assign(p, p + size);
        return true;
    }
    return false;
}

}  // namespace

bool HtmlIsLocalUrl(const std::wstring& url)
{
    return HtmlStartsWithNoCase(url, L"file:") || HtmlStartsWithNoCase(url, L"res://");
}

bool HtmlFileUrlToPath(const std::wstring& url, std::wstring* path)
{
    if (!HtmlStartsWithNoCase(url, L"file:"))
        return false;
    std::wstring rest = url.substr(5);
    rest = rest.substr(0, rest.find_first_of(L"?#"));
    rest = PercentDecode(rest);
    for (wchar_t& c : rest) {
        if (c == L'/')
            c = L'\\';
    }
    // "file://C:\x", "file:///C:\x" and "file:C:\x" all name C:\x.
    size_t start = 0;
    while (start < rest.size() && start < 3 && rest[start] == L'\\')
        ++start;
    std::wstring p = rest.substr(start);
    bool drive = p.size() >= 3 && ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')) && p[1] == L':' &&
        p[2] == L'\\';
    // Only a drive path: a share or a device ("file://server/x", "\\?\", "\\.\") is never opened.
    if (!drive || p.find(L"\\\\") != std::wstring::npos)
        return false;
    // Nor a drive that is a network share under a letter.
    wchar_t root[4] = {p[0], L':', L'\\', 0};
    if (GetDriveTypeW(root) == DRIVE_REMOTE)
        return false;
    *path = p;
    return true;
}

std::wstring HtmlFileUrl(const std::wstring& path)
{
    std::wstring url = L"file://";
    for (wchar_t c : path) {
        if (c == L'%')
            url += L"%25";
        else if (c == L'#')
            url += L"%23";
        else
            url += c;
    }
    return url;
}

bool HtmlReadLocalBytes(const std::wstring& url, std::vector<uint8_t>* bytes)
{
    bytes->clear();
    if (HtmlStartsWithNoCase(url, L"res://"))
        return ReadResource(url, bytes);
    std::wstring path;
    if (!HtmlFileUrlToPath(url, &path))
        return false;
    return ReadDiskFile(path, bytes);
}

std::wstring HtmlPageText(const std::vector<uint8_t>& bytes)
{
    // A byte-order mark is honoured: read in the ANSI code page, UTF-8 and UTF-16 pages came out garbled.
    std::wstring text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    } else {
        UINT codePage = CP_ACP;
        size_t skip = 0;
        if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
            codePage = CP_UTF8;
            skip = 3;
        }
        const char* data = reinterpret_cast<const char*>(bytes.data()) + skip;
        int count = static_cast<int>(bytes.size() - skip);
        int n = count > 0 ? MultiByteToWideChar(codePage, 0, data, count, NULL, 0) : 0;
        if (n > 0) {
            text.resize(static_cast<size_t>(n));
            MultiByteToWideChar(codePage, 0, data, count, &text[0], n);
        }
    }
    for (wchar_t& c : text) {
        if (c == 0)
            c = L' ';
    }
    return text;
}

int CHtmlLocalSource::FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes)
{
    return HtmlReadLocalBytes(url != nullptr ? url : L"", bytes) ? 1 : 0;
}
