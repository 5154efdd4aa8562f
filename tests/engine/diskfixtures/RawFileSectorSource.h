// A raw disk image file as a sector source.
#pragma once

#include "engine/volume/SectorSource.h"

#include <cstdio>
#include <string>

namespace morvick::test {

class RawFileSectorSource : public SectorSource {
public:
    explicit RawFileSectorSource(const std::string& path);
    ~RawFileSectorSource() override;
    RawFileSectorSource(const RawFileSectorSource&) = delete;
    RawFileSectorSource& operator=(const RawFileSectorSource&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override;
    uint64_t SectorCount() const override { return m_sectors; }

private:
    std::FILE* m_file = nullptr;
    uint64_t m_sectors = 0;
};

}  // namespace morvick::test
