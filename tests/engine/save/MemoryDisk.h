// A fixed VHD built in memory around raw sectors and installed as the current source, so that
// ReadSectors reads them. Reads past the last sector fail, like an unreadable region.
#pragma once

#include "engine/image/VirtualDisk.h"

#include <cstdint>
#include <vector>

class MemoryDisk {
public:
    explicit MemoryDisk(const std::vector<uint8_t>& raw);
    ~MemoryDisk();
    bool Opened() const { return m_opened; }

private:
    std::vector<uint8_t> m_image;
    CVirtualDisk m_disk;
    bool m_opened = false;
};

// Sector-sized helpers for building raw disks.
void PutBytes(std::vector<uint8_t>& raw, uint64_t offset, const void* data, size_t size);
void Put16(std::vector<uint8_t>& raw, uint64_t offset, uint16_t v);
void Put32(std::vector<uint8_t>& raw, uint64_t offset, uint32_t v);
