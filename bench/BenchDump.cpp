// morvick-bench dump IMAGE: writes every byte of the virtual disk of a VHD or VHDX image, read
// through the facade and ReadSectors, to standard output.
#include "BenchCommand.h"
#include "BenchSession.h"

#include "engine/image/SectorReader.h"
#include "engine/image/VirtualDisk.h"
#include "engine/util/PageAlignedBuffer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kChunkSectors = 256;  // 128 KiB per read: the copy out of the page cache stays in the processor's cache

int RunDump(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: morvick-bench dump IMAGE\n");
        return 2;
    }
    CVirtualDisk disk;
    if (!OpenBenchImage(args[0], disk))
        return 1;
    const uint64_t size = disk.GetDiskSize();
    const uint64_t sectors = size / kSectorSize;
    PageAlignedBuffer buffer(static_cast<size_t>(kChunkSectors) * kSectorSize);
    int status = 0;
    for (uint64_t sector = 0; sector < sectors && status == 0;) {
        const uint32_t count = sectors - sector < kChunkSectors ? static_cast<uint32_t>(sectors - sector) : kChunkSectors;
        if (!ReadSectors(CurrentDevicePath(), static_cast<uint32_t>(sector), static_cast<uint32_t>(sector >> 32), count,
                         buffer.data())) {
            std::fprintf(stderr, "read failed at sector %llu\n", static_cast<unsigned long long>(sector));
            status = 1;
        } else if (std::fwrite(buffer.data(), kSectorSize, count, stdout) != count) {
            status = 1;
        }
        sector += count;
    }
    const size_t tail = static_cast<size_t>(size % kSectorSize);
    if (status == 0 && tail > 0) {
        if (!disk.ReadAt(sectors * kSectorSize, buffer.data(), tail) || std::fwrite(buffer.data(), 1, tail, stdout) != tail)
            status = 1;
    }
    if (std::fflush(stdout) != 0)
        status = 1;
    SetCurrentVirtualDisk(nullptr);
    return status;
}

BenchCommandRegistration dump("dump", "dump IMAGE", RunDump);

} // namespace
