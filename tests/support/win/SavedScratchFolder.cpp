#include "tests/support/win/SavedScratchFolder.h"

#include <windows.h>

namespace morvick::test {

namespace {

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder and the files directly in it, as the program makes them; a file of that name too.
void RemoveScratch(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(folder.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

SavedScratchFolder::SavedScratchFolder()
{
    wchar_t temp[MAX_PATH + 1] = L"";
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH)
        return;
    m_folder = std::wstring(temp) + L"ssss";
    if (!Exists(m_folder))
        return;
    const std::wstring kept = std::wstring(temp) + L"ssss-kept-" + std::to_wstring(GetCurrentProcessId());
    if (MoveFileW(m_folder.c_str(), kept.c_str()))
        m_kept = kept;
    else
        m_folder.clear();  // not to be moved: not to be touched at the end either
}

void SavedScratchFolder::Restore()
{
    if (m_folder.empty())
        return;
    RemoveScratch(m_folder);
    if (!m_kept.empty())
        MoveFileW(m_kept.c_str(), m_folder.c_str());
    m_folder.clear();
    m_kept.clear();
}

}  // namespace morvick::test
