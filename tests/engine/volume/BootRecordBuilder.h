// Hand-made disks for the damaged-table cases that no partitioning tool writes.
#pragma once

#include "engine/volume/FileSystemKind.h"
#include "engine/volume/MemorySectorSource.h"

#include <cstdint>

namespace morvick::test {

class BootRecordBuilder {
public:
    explicit BootRecordBuilder(uint64_t sectors);

    // A partition entry (slot 0-3) in the boot record at `recordSector`, with 55 AA.
    BootRecordBuilder& Entry(uint64_t recordSector, int slot, uint8_t type, uint32_t first, uint32_t count);
    // A boot sector at `sector` naming a file system by its text, with 55 AA and the
    // 32-bit total at 32 (FAT) or the 64-bit total at 40 (NTFS).
    BootRecordBuilder& BootSector(uint64_t sector, FileSystemKind fileSystem, uint32_t total);
    BootRecordBuilder& Bytes(uint64_t sector, size_t offset, const char* text);
    // The boot sector's sector size (the 16-bit value at 11).
    BootRecordBuilder& SectorSize(uint64_t sector, uint16_t bytes);

    MemorySectorSource Build() const { return MemorySectorSource(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace morvick::test
