#include "engine/volume/ReadAheadSectorSource.h"

#include <algorithm>
#include <cstring>

namespace morvick {

ReadAheadSectorSource::ReadAheadSectorSource(SectorSource& disk, uint32_t windowSectors)
    : m_disk(disk), m_windowSectors(std::max<uint32_t>(windowSectors, 1))
{}

bool ReadAheadSectorSource::Spans(uint64_t sector, uint32_t count) const
{
    return sector >= m_first && sector - m_first <= m_span && count <= m_span - (sector - m_first);
}

bool ReadAheadSectorSource::ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer)
{
    if (count == 0)
        return true;
    if (!Spans(sector, count) && count <= m_windowSectors) {
        uint64_t take = m_windowSectors;
        const uint64_t end = m_disk.SectorCount();
        if (end != 0 && sector < end)
            take = std::max<uint64_t>(std::min<uint64_t>(take, end - sector), count);
        m_window.resize(static_cast<size_t>(take) * kSectorSize);
        m_first = sector;
        m_span = static_cast<uint32_t>(take);
        m_read = m_disk.ReadSectors(sector, m_span, m_window.data());
    }
    if (!m_read || !Spans(sector, count))
        return m_disk.ReadSectors(sector, count, buffer);
    std::memcpy(buffer, m_window.data() + static_cast<size_t>(sector - m_first) * kSectorSize,
        static_cast<size_t>(count) * kSectorSize);
    return true;
}

}  // namespace morvick
