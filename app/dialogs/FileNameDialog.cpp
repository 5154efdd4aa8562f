#include "app/dialogs/FileNameDialog.h"

CFileNameDialog::CFileNameDialog(BOOL openDialog, LPCWSTR defaultExtension, LPWSTR fileName, DWORD flags,
    LPCWSTR filter, CWnd* owner)
    : m_bOpenDialog(openDialog)
{
    ZeroMemory(&m_ofn, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    m_ofn.lpstrFile = fileName != nullptr ? fileName : m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFilter = filter;
    m_ofn.lpstrDefExt = defaultExtension;
}

DWORD CFileNameDialog::RecordSizeFor(DWORD majorVersion)
{
    return majorVersion < 5 ? OPENFILENAME_SIZE_VERSION_400W : sizeof(OPENFILENAMEW);
}

INT_PTR CFileNameDialog::DoModal()
{
    OSVERSIONINFOW version = {sizeof(version)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&version);
#pragma GCC diagnostic pop
    m_ofn.lStructSize = RecordSizeFor(version.dwMajorVersion);
    const BOOL ok = m_bOpenDialog ? GetOpenFileNameW(&m_ofn) : GetSaveFileNameW(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileNameDialog::GetPathName() const
{
    return CString(m_ofn.lpstrFile);
}

CString CFileNameDialog::GetNextPathName(size_t& position) const
{
    const wchar_t* buffer = m_ofn.lpstrFile;
    const size_t size = m_ofn.nMaxFile;
    const bool explorer = (m_ofn.Flags & OFN_EXPLORER) != 0;
    const wchar_t separator = explorer ? L'\0' : L' ';
    // The folder (or the single path) runs to the first separator.
    size_t folderEnd = 0;
    while (folderEnd < size && buffer[folderEnd] != 0 && buffer[folderEnd] != separator)
        ++folderEnd;
    const CString folder(buffer, static_cast<int>(folderEnd));
    const size_t firstName = folderEnd + 1;
    if (folderEnd >= size || (buffer[folderEnd] == 0 && (firstName >= size || buffer[firstName] == 0))) {
        // A single selection: the whole buffer is the path.
        position = 0;
        return folder;
    }
    size_t start = position == 0 ? firstName : position;
    if (start >= size) {
        position = 0;
        return CString();
    }
    size_t end = start;
    while (end < size && buffer[end] != 0 && buffer[end] != separator)
        ++end;
    const CString name(buffer + start, static_cast<int>(end - start));
    const size_t next = end + 1;
    position = (end < size && next < size && buffer[end] == separator && buffer[next] != 0) ? next : 0;
    if (!explorer && end < size && buffer[end] == 0)
        position = 0;
    CString path = folder;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != L'\\')
        path += L'\\';
    return path + name;
}
