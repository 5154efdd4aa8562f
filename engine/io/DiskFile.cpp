#include "engine/io/DiskFile.h"

#include <cstring>

CDiskFile::~CDiskFile()
{
    Close();
}

int CDiskFile::OpenRead(const std::u16string& path, bool shareWrite)
{
    Close();
    const NativeFileHandle handle = OpenNativeFileForReading(path, shareWrite);
    if (handle == kInvalidNativeFile)
        return 0;
    uint64_t size = 0;
    if (!GetNativeFileSize(handle, size)) {
        CloseNativeFile(handle);
        return 0;
    }
    m_kind = kNative;
    m_handle = handle;
    m_size = size;
    m_position = 0;
    return 1;
}

int CDiskFile::OpenMemory(const uint8_t* data, size_t size)
{
    Close();
    m_kind = kMemory;
    m_data = data;
    m_size = size;
    m_position = 0;
    return 1;
}

int CDiskFile::Close()
{
    const Kind kind = m_kind;
    if (kind == kNative)
        CloseNativeFile(m_handle);
    m_kind = kClosed;
    m_handle = kInvalidNativeFile;
    m_data = nullptr;
    m_size = 0;
    m_position = 0;
    return kind == kClosed ? 0 : 1;
}

int64_t CDiskFile::Seek(uint64_t amount, int origin, int direction)
{
    if (m_kind == kClosed || amount > static_cast<uint64_t>(INT64_MAX))
        return -1;
    uint64_t base = 0;
    if (origin == kFromCurrent)
        base = m_position;
    else if (origin == kFromEnd)
        base = m_size;
    else if (origin != kFromStart)
        return -1;
    uint64_t target;
    if (origin == kFromStart || direction == kForward) {
        if (amount > static_cast<uint64_t>(INT64_MAX) - base)
            return -1;
        target = base + amount;
    } else {
        if (amount > base)
            return -1;
        target = base - amount;
    }
    m_position = target;
    return static_cast<int64_t>(target);
}

// A seek that cannot reach its target says so: a read after it would take bytes from the old position.
int CDiskFile::SeekTo(uint64_t offset)
{
    return Seek(offset, kFromStart, kForward) >= 0 ? 1 : 0;
}

int CDiskFile::SeekFromEnd(uint64_t amount)
{
    return Seek(amount, kFromEnd, kBackward) >= 0 ? 1 : 0;
}

int CDiskFile::Read(void* buffer, size_t count)
{
    return ReadAt(buffer, m_position, count);
}

int CDiskFile::ReadAt(void* buffer, uint64_t offset, size_t count)
{
    // Every byte or a failure: a short read would leave the buffer's old bytes passing for disk data.
    if (m_kind == kClosed || offset > m_size || count > m_size - offset)
        return 0;
    if (count == 0) {
        m_position = offset;
        return 1;
    }
    if (m_kind == kMemory)
        std::memcpy(buffer, m_data + offset, count);
    else if (!ReadNativeFileAt(m_handle, offset, buffer, count))
        return 0;
    m_position = offset + count;
    return 1;
}
