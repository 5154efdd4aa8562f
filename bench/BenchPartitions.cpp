// morvick-bench partitions IMAGE: walks the partition table of a VHD or VHDX image through the
// facade (the master boot record at sector 0, else at 61 or 62) and, when it holds nothing, searches
// the disk as the drive page does. Prints one line per partition: index, start sector, sector count
// and file-system code, in decimal.
#include "BenchCommand.h"

#include "engine/image/VirtualDisk.h"
#include "engine/io/DiskFile.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"
#include "engine/volume/PartitionDiscovery.h"

#include <cstdio>
#include <cstring>

namespace {

uint32_t ImageType(const std::u16string& path)
{
    CDiskFile file;
    char identifier[8] = {};
    if (file.OpenRead(path) && file.ReadAt(identifier, 0, sizeof identifier) &&
        std::memcmp(identifier, "vhdxfile", 8) == 0)
        return CVirtualDisk::kVhdx;
    return CVirtualDisk::kVhd;
}

int RunPartitions(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: morvick-bench partitions IMAGE\n");
        return 2;
    }
    const std::u16string path = Utf8ToUtf16(args[0]);
    const uint32_t type = ImageType(path);
    CVirtualDisk disk;
    if (!disk.Create(type) || !disk.Open(path)) {
        std::fprintf(stderr, "%s\n", Utf16ToUtf8(kCannotOpenImageText).c_str());
        return 1;
    }
    ResetEngineState();
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    g_wDeviceIndex = 0;
    g_nImageKind = type == CVirtualDisk::kVhdx ? kImageVhdx : kImageVhd;
    g_DeviceGeometry.cylinders[0] = static_cast<uint32_t>(disk.GetCylinders());
    g_DeviceGeometry.heads[0] = static_cast<uint32_t>(disk.GetHeads());
    g_DeviceGeometry.sectorsPerTrack[0] = static_cast<uint32_t>(disk.GetSectorsPerTrack());

    for (uint32_t mbr : {0u, 61u, 62u}) {
        if (WalkPartitionTable(mbr) != 0)
            break;
    }
    SearchPartitions(false, 0, nullptr);
    for (uint32_t i = 0; i < g_nPartitionCount; ++i) {
        const PartitionTableEntry& p = g_PartitionTable[i];
        std::printf("%u %u %u %u\n", i, p.startSector, p.sectorCount, static_cast<unsigned>(p.fileSystemType));
    }
    SetCurrentVirtualDisk(nullptr);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

BenchCommandRegistration partitions("partitions", "partitions IMAGE", RunPartitions);

}  // namespace
