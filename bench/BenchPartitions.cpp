// morvick-bench partitions IMAGE: walks the partition table of a VHD or VHDX image through the
// facade (the master boot record at sector 0, else at 61 or 62) and, when it holds nothing, searches
// the disk as the drive page does. Prints one line per partition: index, start sector, sector count
// and file-system code, in decimal.
#include "BenchCommand.h"
#include "BenchSession.h"

#include "engine/image/VirtualDisk.h"
#include "engine/state/EngineState.h"

#include <cstdio>

namespace {

int RunPartitions(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: morvick-bench partitions IMAGE\n");
        return 2;
    }
    CVirtualDisk disk;
    if (!OpenBenchImage(args[0], disk))
        return 1;
    FindBenchPartitions();
    for (uint32_t i = 0; i < g_nPartitionCount; ++i) {
        const PartitionTableEntry& p = g_PartitionTable[i];
        std::printf("%u %u %u %u\n", i, p.startSector, p.sectorCount, static_cast<unsigned>(p.fileSystemType));
    }
    SetCurrentVirtualDisk(nullptr);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

BenchCommandRegistration partitions("partitions", "partitions IMAGE", RunPartitions);

}  // namespace
