#include "tests/engine/volume/BootRecordBuilder.h"

#include <cstring>

namespace morvick::test {

namespace {
void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
}  // namespace

BootRecordBuilder::BootRecordBuilder(uint64_t sectors) : m_bytes(static_cast<size_t>(sectors) * kSectorSize, 0) {}

BootRecordBuilder& BootRecordBuilder::Entry(uint64_t recordSector, int slot, uint8_t type, uint32_t first,
    uint32_t count)
{
    uint8_t* s = m_bytes.data() + recordSector * kSectorSize;
    uint8_t* e = s + 446 + 16 * slot;
    e[4] = type;
    Put32(e + 8, first);
    Put32(e + 12, count);
    s[510] = 0x55;
    s[511] = 0xAA;
    return *this;
}

BootRecordBuilder& BootRecordBuilder::BootSector(uint64_t sector, FileSystemKind fileSystem, uint32_t total)
{
    uint8_t* s = m_bytes.data() + sector * kSectorSize;
    if (fileSystem == FileSystemKind::kFat32) {
        std::memcpy(s + 82, "FAT32   ", 8);
        Put32(s + 32, total);
    } else if (fileSystem == FileSystemKind::kFat16) {
        std::memcpy(s + 54, "FAT16   ", 8);
        Put32(s + 32, total);
    } else {
        std::memcpy(s + 3, "NTFS    ", 8);
        Put32(s + 40, total);
    }
    s[510] = 0x55;
    s[511] = 0xAA;
    return *this;
}

BootRecordBuilder& BootRecordBuilder::Bytes(uint64_t sector, size_t offset, const char* text)
{
    std::memcpy(m_bytes.data() + sector * kSectorSize + offset, text, std::strlen(text));
    return *this;
}

BootRecordBuilder& BootRecordBuilder::SectorSize(uint64_t sector, uint16_t bytes)
{
    m_bytes[sector * kSectorSize + 11] = static_cast<uint8_t>(bytes);
    m_bytes[sector * kSectorSize + 12] = static_cast<uint8_t>(bytes >> 8);
    return *this;
}

}  // namespace morvick::test
