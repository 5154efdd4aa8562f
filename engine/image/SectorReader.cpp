#include "engine/image/SectorReader.h"

#include "engine/image/VirtualDisk.h"
#include "engine/io/NativeFile.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// The byte count of count sectors, or false when it does not fit this process's memory.
bool SectorBytes(uint32_t count, size_t& bytes)
{
    const uint64_t total = static_cast<uint64_t>(count) * kSectorSize;
    if (total > SIZE_MAX)
        return false;
    bytes = static_cast<size_t>(total);
    return true;
}

} // namespace

int ReadSectors(const char* /*devicePath*/, uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer)
{
    const uint64_t sector = (static_cast<uint64_t>(sectorHigh) << 32) | sectorLow;
    return ReadSectors(sector, count, buffer);
}

int ReadSectors(uint64_t sector, uint32_t count, void* buffer)
{
    if (g_wSourceType == kSourceLogicalDrive)
        return ReadLogicalDriveSectors(static_cast<uint32_t>(sector), static_cast<uint32_t>(sector >> 32), count,
                                       buffer);
    // The image is read whatever the physical-drive handle holds: a drive that a loaded snapshot could
    // not open (it is never read) would otherwise make every read of the image fail.
    CVirtualDisk* disk = GetCurrentVirtualDisk();
    size_t bytes = 0;
    if (!disk || !buffer || !SectorBytes(count, bytes) || sector > UINT64_MAX / kSectorSize)
        return 0;
    // One read at the offset, not a seek and a read: the pair could interleave with another caller's.
    return disk->ReadAt(sector * kSectorSize, buffer, bytes) ? 1 : 0;
}

uint32_t ReadSearchRun(SectorRead read, uint64_t sector, uint32_t count, uint32_t piece, uint8_t* buffer)
{
    if (read(sector, count, buffer))
        return 0;
    piece = std::min(std::max<uint32_t>(piece, 1), count);
    uint32_t unreadable = 0;
    for (uint32_t at = 0; at < count; at += piece) {
        const uint32_t n = std::min(piece, count - at);
        uint8_t* p = buffer + size_t{at} * kSectorSize;
        // A piece as long as the run is the request that just failed: a bad region can take long to
        // fail, so it is not asked again.
        if (n > 1 && n < count && read(sector + at, n, p))
            continue;
        for (uint32_t i = 0; i < n; ++i) {
            uint8_t* s = p + size_t{i} * kSectorSize;
            if (!read(sector + at + i, 1, s)) {
                std::memset(s, 0, kSectorSize);
                ++unreadable;
            }
        }
    }
    return unreadable;
}

int ReadLogicalDriveSectors(uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer)
{
    // The count is taken whole, not modulo 65536, where 65,536 sectors would read nothing and succeed.
    const uint64_t sector = (static_cast<uint64_t>(sectorHigh) << 32) | sectorLow;
    size_t bytes = 0;
    if (g_hVolume == 0 || g_hVolume == kInvalidEngineHandle || !buffer || !SectorBytes(count, bytes) ||
        sector > UINT64_MAX / kSectorSize)
        return 0;
    if (bytes == 0)
        return 1;
    return ReadNativeFileAt(g_hVolume, sector * kSectorSize, buffer, bytes) ? 1 : 0;
}

std::u16string LogicalDrivePath(const std::u16string& driveListEntry)
{
    if (driveListEntry.size() < 2 || driveListEntry[1] != u':')
        return std::u16string();
    const char16_t letter = driveListEntry[0];
    if (!((letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z')))
        return std::u16string();
    return std::u16string(u"\\\\.\\") + letter + u':';
}

int OpenLogicalDriveVolume(const std::u16string& driveListEntry)
{
    if (g_hVolume != 0 && g_hVolume != kInvalidEngineHandle)
        CloseNativeFile(g_hVolume);
    g_hVolume = 0;
    const std::u16string path = LogicalDrivePath(driveListEntry);
    if (path.empty())
        return 0;
    const EngineHandle handle = OpenNativeFileForReading(path, true);
    if (handle == kInvalidEngineHandle)
        return 0;
    g_hVolume = handle;
    return 1;
}

EngineHandle OpenPhysicalDrive()
{
    if (g_hDevice != 0 && g_hDevice != kInvalidEngineHandle)
        CloseNativeFile(g_hDevice);
    g_hDevice = 0;
    const char* narrow = CurrentDevicePath();
    std::u16string path;
    for (const char* p = narrow; *p; ++p)
        path += static_cast<char16_t>(static_cast<unsigned char>(*p));
    g_hDevice = OpenNativeFileForReading(path);
    return g_hDevice;
}
