#include "preview/win/host/PreviewFile.h"

bool PreviewFileReadable(LPCWSTR path)
{
    if (path == NULL || *path == 0)
        return false;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info = {};
    bool readable =
        ::GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    ::CloseHandle(file);
    return readable;
}

namespace {

PreviewFileDeleter g_deleter = ::DeleteFileW;

}  // namespace

void SetPreviewFileDeleter(PreviewFileDeleter deleter)
{
    g_deleter = deleter != NULL ? deleter : ::DeleteFileW;
}

BOOL DeletePreviewFile(LPCWSTR path)
{
    return g_deleter(path) || g_deleter(path);
}
