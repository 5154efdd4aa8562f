#include "tests/engine/diskfixtures/PatchedSectorSource.h"

#include <cstring>

namespace morvick::test {

std::array<uint8_t, kSectorSize>& PatchedSectorSource::Patch(uint64_t sector)
{
    auto it = m_patches.find(sector);
    if (it != m_patches.end())
        return it->second;
    std::array<uint8_t, kSectorSize> bytes{};
    m_base.ReadSectors(sector, 1, bytes.data());
    return m_patches.emplace(sector, bytes).first->second;
}

bool PatchedSectorSource::ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer)
{
    if (!m_base.ReadSectors(sector, count, buffer))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (m_unreadable.count(sector + i))
            return false;
        auto it = m_patches.find(sector + i);
        if (it != m_patches.end())
            std::memcpy(buffer + static_cast<size_t>(i) * kSectorSize, it->second.data(), kSectorSize);
    }
    return true;
}

}  // namespace morvick::test
