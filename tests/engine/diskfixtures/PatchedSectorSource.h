// A sector source with some sectors replaced: damage made by a test without copying the disk.
#pragma once

#include "engine/volume/SectorSource.h"

#include <array>
#include <map>

namespace morvick::test {

class PatchedSectorSource : public SectorSource {
public:
    explicit PatchedSectorSource(SectorSource& base) : m_base(base) {}

    std::array<uint8_t, kSectorSize>& Patch(uint64_t sector);  // starts as the base's bytes
    void Unreadable(uint64_t sector) { m_unreadable[sector] = true; }

    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override;
    uint64_t SectorCount() const override { return m_base.SectorCount(); }

private:
    SectorSource& m_base;
    std::map<uint64_t, std::array<uint8_t, kSectorSize>> m_patches;
    std::map<uint64_t, bool> m_unreadable;
};

}  // namespace morvick::test
