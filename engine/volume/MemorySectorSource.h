// A disk held in memory (fuzzers, hand-made structures in tests). A trailing partial sector reads as
// unreadable.
#pragma once

#include "engine/volume/SectorSource.h"

#include <cstddef>
#include <vector>

namespace morvick {

class MemorySectorSource : public SectorSource {
public:
    MemorySectorSource(const uint8_t* data, size_t size);
    explicit MemorySectorSource(std::vector<uint8_t> bytes);

    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override;
    uint64_t SectorCount() const override;

    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace morvick
