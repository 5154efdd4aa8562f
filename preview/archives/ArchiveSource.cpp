#include "preview/archives/ArchiveSource.h"

#include <cstring>

namespace morvick {

size_t MemoryArchiveSource::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    if (offset >= m_size)
        return 0;
    size_t n = m_size - static_cast<size_t>(offset) < count ? m_size - static_cast<size_t>(offset) : count;
    std::memcpy(buffer, m_data + offset, n);
    return n;
}

}  // namespace morvick
