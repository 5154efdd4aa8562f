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
    uint32_t LogicalSectorSize() const override { return m_logicalSectorSize; }

    std::vector<uint8_t>& Bytes() { return m_bytes; }
    // Makes the disk one of `bytes`-byte logical sectors (512 until then).
    void SetLogicalSectorSize(uint32_t bytes) { m_logicalSectorSize = bytes; }

private:
    std::vector<uint8_t> m_bytes;
    uint32_t m_logicalSectorSize = kSectorSize;
};

}  // namespace morvick
