#include "engine/volume/MemorySectorSource.h"

#include <cstring>

namespace morvick {

MemorySectorSource::MemorySectorSource(const uint8_t* data, size_t size) : m_bytes(data, data + size) {}

MemorySectorSource::MemorySectorSource(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

bool MemorySectorSource::ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer)
{
    const uint64_t sectors = SectorCount();
    if (count == 0 || sector >= sectors || count > sectors - sector)
        return false;
    std::memcpy(buffer, m_bytes.data() + sector * kSectorSize, static_cast<size_t>(count) * kSectorSize);
    return true;
}

uint64_t MemorySectorSource::SectorCount() const
{
    return m_bytes.size() / kSectorSize;
}

}  // namespace morvick
