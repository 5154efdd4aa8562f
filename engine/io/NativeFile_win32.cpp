#include "engine/io/NativeFile.h"

#include <windows.h>

namespace {

HANDLE ToHandle(NativeFileHandle file)
{
    return reinterpret_cast<HANDLE>(file);
}

} // namespace

NativeFileHandle OpenNativeFileForReading(const std::u16string& path, bool shareWrite)
{
    if (path.empty() || path.find(u'\0') != std::u16string::npos)
        return kInvalidNativeFile;
    const DWORD share = FILE_SHARE_READ | (shareWrite ? FILE_SHARE_WRITE : 0);
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, share, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return kInvalidNativeFile;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(h);
        return kInvalidNativeFile;
    }
    return reinterpret_cast<NativeFileHandle>(h);
}

bool ReadNativeFileAt(NativeFileHandle file, uint64_t offset, void* buffer, size_t size)
{
    if (file == kInvalidNativeFile || file == 0 || size > UINT64_MAX - offset)
        return false;
    auto* out = static_cast<uint8_t*>(buffer);
    while (size > 0) {
        const DWORD piece = size < (size_t(1) << 30) ? static_cast<DWORD>(size) : (DWORD(1) << 30);
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        if (!ReadFile(ToHandle(file), out, piece, &got, &at) || got == 0)
            return false;
        out += got;
        offset += got;
        size -= got;
    }
    return true;
}

bool GetNativeFileSize(NativeFileHandle file, uint64_t& size)
{
    LARGE_INTEGER value;
    if (file == kInvalidNativeFile || file == 0 || !GetFileSizeEx(ToHandle(file), &value) || value.QuadPart < 0)
        return false;
    size = static_cast<uint64_t>(value.QuadPart);
    return true;
}

bool CloseNativeFile(NativeFileHandle file)
{
    if (file == kInvalidNativeFile || file == 0)
        return false;
    return CloseHandle(ToHandle(file)) != 0;
}

bool FileExists(const std::u16string& path)
{
    return !path.empty() && GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}
