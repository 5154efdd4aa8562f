// Win32 back end of the output layer.
#include "engine/io/OutputFolder.h"

#include <windows.h>
#include <winternl.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected");

namespace {

// Paths past MAX_PATH need the "\\?\" form, which takes the path literally: only "\" separators.
std::wstring ToWin32Path(const std::u16string& path)
{
    std::wstring p(reinterpret_cast<const wchar_t*>(path.c_str()), path.size());
    if (p.size() < 240)
        return p;
    for (wchar_t& c : p) {
        if (c == L'/')
            c = L'\\';
    }
    if (p.size() > 2 && p[1] == L':' && p[2] == L'\\')
        return L"\\\\?\\" + p;
    if (p.size() > 2 && p[0] == L'\\' && p[1] == L'\\' && p[2] != L'?')
        return L"\\\\?\\UNC\\" + p.substr(2);
    return p;
}

// True when the entry at `path` (its attributes given) is a link: a reparse point whose tag stands
// for another name (symbolic links, junctions), unlike the placeholders of synchronised folders.
// Wine shows its links as reparse points without a tag: those count as links too.
bool IsLinkAt(const std::wstring& path, DWORD attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(path.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return true;
    FindClose(h);
    const DWORD tag = found.dwReserved0;
    return tag == 0 || (tag & 0x20000000) != 0;  // the name-surrogate bit of a reparse tag
}

// Opening with FILE_FLAG_OPEN_REPARSE_POINT takes a link at the path as the entry it is: a new file
// is then refused as "already there" instead of being made where the link points, dangling or not.
constexpr DWORD kNoLinkFollowing = FILE_FLAG_OPEN_REPARSE_POINT;

// Creates a folder at the path itself. CreateDirectoryW has no way to say so, and on Windows a
// dangling link at the name would have the folder made at the link's target; the system's own
// request takes the flag that keeps the link as it is. True when the folder was made.
bool CreateFolderHere(const std::wstring& path)
{
    UNICODE_STRING ntPath;
    if (!RtlDosPathNameToNtPathName_U(path.c_str(), &ntPath, nullptr, nullptr))
        return false;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &ntPath, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
    IO_STATUS_BLOCK io;
    HANDLE h = nullptr;
    const NTSTATUS status = NtCreateFile(&h, FILE_LIST_DIRECTORY | SYNCHRONIZE, &attributes, &io, nullptr,
        FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_CREATE,
        FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT, nullptr, 0);
    RtlFreeUnicodeString(&ntPath);
    if (!NT_SUCCESS(status))
        return false;
    CloseHandle(h);
    return true;
}

}  // namespace

bool CreateOutputFolder(const std::u16string& path)
{
    std::wstring p = ToWin32Path(path);
    while (p.size() > 3 && (p.back() == L'\\' || p.back() == L'/'))
        p.pop_back();
    if (CreateFolderHere(p))
        return true;
    DWORD attributes = GetFileAttributesW(p.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsLinkAt(p, attributes);
}

bool OutputPathIsLink(const std::u16string& path)
{
    std::wstring p = ToWin32Path(path);
    while (p.size() > 3 && (p.back() == L'\\' || p.back() == L'/'))
        p.pop_back();
    DWORD attributes = GetFileAttributesW(p.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && IsLinkAt(p, attributes);
}

bool OutputPathExists(const std::u16string& path)
{
    return GetFileAttributesW(ToWin32Path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool OutputFolderExists(const std::u16string& path)
{
    DWORD attributes = GetFileAttributesW(ToWin32Path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteOutputFile(const std::u16string& path)
{
    return DeleteFileW(ToWin32Path(path).c_str()) != FALSE;
}

bool ReplaceOutputFile(const std::u16string& from, const std::u16string& to)
{
    // Renaming replaces the entry itself: a link there is replaced, not followed.
    return MoveFileExW(ToWin32Path(from).c_str(), ToWin32Path(to).c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool ReserveOutputFile(const std::u16string& path)
{
    HANDLE h = CreateFileW(ToWin32Path(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_NORMAL | kNoLinkFollowing, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

std::vector<std::u16string> ListOutputFolderFiles(const std::u16string& folder)
{
    std::vector<std::u16string> names;
    std::u16string pattern = folder;
    if (!pattern.empty() && pattern.back() != u'\\' && pattern.back() != u'/')
        pattern += u'\\';
    pattern += u'*';
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(ToWin32Path(pattern).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0)
            names.push_back(reinterpret_cast<const char16_t*>(found.cFileName));
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return names;
}

bool RemoveOutputFolder(const std::u16string& path)
{
    return RemoveDirectoryW(ToWin32Path(path).c_str()) != FALSE;
}

std::u16string TemporaryFolderPath()
{
    wchar_t buffer[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH)
        return std::u16string();
    std::u16string path(reinterpret_cast<const char16_t*>(buffer), n);
    if (path.back() != u'\\')
        path += u'\\';
    return path;
}

uint32_t CurrentProcessNumber()
{
    return GetCurrentProcessId();
}

bool COutputFile::Create(const std::u16string& path)
{
    const NewFileResult created = CreateNew(path);
    if (created != NewFileResult::kExists)
        return created == NewFileResult::kCreated;
    // Something is there: the entry itself is opened and emptied, but only when it is a file. A link
    // is refused, as by CreateNew, and so is a folder. Another kind of reparse point (a file that a
    // sync or deduplication service keeps) is the file itself and is opened as usual. No sharing:
    // nothing else may write the file while it is being saved.
    const std::wstring p = ToWin32Path(path);
    HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | kNoLinkFollowing,
        nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool file = GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        !IsLinkAt(p, info.dwFileAttributes);
    if (file && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        CloseHandle(h);
        h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
    }
    if (!file || !SetEndOfFile(h)) {
        CloseHandle(h);
        return false;
    }
    m_handle = h;
    m_path = path;
    m_target.clear();
    return true;
}

NewFileResult COutputFile::CreateNew(const std::u16string& path)
{
    Close();
    // No sharing: nothing else may write the file while it is being saved.
    HANDLE h = CreateFileW(ToWin32Path(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_NORMAL | kNoLinkFollowing, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        m_handle = h;
        m_path = path;
        m_target.clear();
        return NewFileResult::kCreated;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
        return NewFileResult::kExists;
    // A folder at the path may be refused with another error: looked at once more (this path is rare).
    return OutputPathExists(path) ? NewFileResult::kExists : NewFileResult::kFailed;
}

bool COutputFile::SetTimes(uint64_t fileTime)
{
    if (!m_handle || fileTime >= (1ULL << 63))
        return false;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(fileTime);
    ft.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    return SetFileTime(static_cast<HANDLE>(m_handle), &ft, &ft, &ft) != FALSE;
}

bool COutputFile::Write(const void* data, size_t count)
{
    if (!m_handle)
        return false;
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        DWORD chunk = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
        DWORD written = 0;
        if (!WriteFile(static_cast<HANDLE>(m_handle), p, chunk, &written, nullptr) || written == 0)
            return false;
        p += written;
        count -= written;
    }
    return true;
}

bool COutputFile::Close()
{
    if (!m_handle)
        return true;
    BOOL ok = CloseHandle(static_cast<HANDLE>(m_handle));
    m_handle = nullptr;
    return ok != FALSE;
}

bool COutputFile::IsOpen() const
{
    return m_handle != nullptr;
}
