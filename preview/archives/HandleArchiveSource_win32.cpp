#include "preview/archives/HandleArchiveSource.h"

namespace morvick {

HandleArchiveSource::HandleArchiveSource(HANDLE file) : m_file(file)
{
    LARGE_INTEGER size = {};
    m_size = ::GetFileSizeEx(file, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

HandleArchiveSource::~HandleArchiveSource()
{
    ::CloseHandle(m_file);
}

size_t HandleArchiveSource::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    if (offset >= m_size)
        return 0;
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
    return ::ReadFile(m_file, buffer, chunk, &read, &at) ? read : 0;
}

}  // namespace morvick
