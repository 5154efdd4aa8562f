#include "engine/volume/PartitionFileSystem.h"

#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"
#include "engine/volume/SectorSource.h"

#include <cstring>

namespace morvick {

namespace {
bool TextAt(const uint8_t* sector, size_t size, size_t offset, const char* text)
{
    const size_t n = std::strlen(text);
    return FitsIn(size, offset, n) && std::memcmp(sector + offset, text, n) == 0;
}
}  // namespace

FileSystemKind FileSystemFromBootText(const uint8_t* sector, size_t size)
{
    if (TextAt(sector, size, 82, "FAT32"))
        return FileSystemKind::kFat32;
    if (TextAt(sector, size, 54, "FAT16"))
        return FileSystemKind::kFat16;
    if (TextAt(sector, size, 3, "NTFS"))
        return FileSystemKind::kNtfs;
    return FileSystemKind::kNone;
}

FileSystemKind FileSystemFromTypeByte(uint8_t type, bool insideExtended)
{
    switch (type) {
    case 4:
    case 6:
    case 14:
        return FileSystemKind::kFat16;
    case 11:
    case 12:
        return FileSystemKind::kFat32;
    case 7:
        return FileSystemKind::kNtfs;
    case 1:
        return insideExtended ? FileSystemKind::kFat16 : FileSystemKind::kNone;
    default:
        return FileSystemKind::kNone;
    }
}

bool IsUnsupportedFileSystem(const uint8_t* sector, size_t size)
{
    return TextAt(sector, size, 3, "EXFAT   ") || TextAt(sector, size, 54, "FAT12   ");
}

FileSystemKind FatKindFromSearchText(const uint8_t* sector, size_t size)
{
    if (TextAt(sector, size, 85, "32"))
        return FileSystemKind::kFat32;
    if (TextAt(sector, size, 57, "16"))
        return FileSystemKind::kFat16;
    return FileSystemKind::kNone;
}

bool HasNtfsSearchText(const uint8_t* sector, size_t size)
{
    return TextAt(sector, size, 3, "NTFS");
}

FileSystemKind FileSystemFromSearchText(const uint8_t* sector, size_t size)
{
    const FileSystemKind fat = FatKindFromSearchText(sector, size);
    if (fat != FileSystemKind::kNone)
        return fat;
    return HasNtfsSearchText(sector, size) ? FileSystemKind::kNtfs : FileSystemKind::kNone;
}

uint32_t VolumeSectorBytes(const uint8_t* sector, size_t size)
{
    if (size < kSectorSize)
        return 0;
    const uint32_t bytes = ReadLittleEndian16(sector + 11);
    return bytes == 512 || bytes == 1024 || bytes == 2048 || bytes == 4096 ? bytes : 0;
}

uint64_t BootSectorTotalSectors(const uint8_t* sector, size_t size, FileSystemKind fileSystem)
{
    if (size < kSectorSize)
        return 0;
    // In the engine's sectors, not the volume's: a volume of 4,096-byte sectors was taken as an eighth
    // of its size, and its files past that lost.
    const uint32_t bytes = VolumeSectorBytes(sector, size);
    const uint64_t units = bytes != 0 ? bytes / kSectorSize : 1;
    if (fileSystem == FileSystemKind::kNtfs) {
        const uint64_t total = ReadLittleEndian64(sector + 40);
        return total > UINT64_MAX / units ? UINT64_MAX : total * units;
    }
    // The 16-bit total counts when it is set, not the 32-bit one alone: a FAT16 volume under 32 MiB
    // keeps 0 at 32, and its volume would end where it begins (lost to the search and the analysis).
    const uint16_t small = ReadLittleEndian16(sector + 19);
    return (small != 0 ? small : ReadLittleEndian32(sector + 32)) * units;
}

}  // namespace morvick
