// The partition walk and search over a disk made of the fuzzer's bytes: master and extended boot
// records, links anywhere, boot sectors with any totals and sector sizes; the walk also as the tables
// of a disk of 4 KiB logical sectors. Both must end, read inside the disk and keep the table within its
// 25 entries.
#include "engine/volume/PartitionFileSystem.h"
#include "engine/volume/MemorySectorSource.h"
#include "engine/volume/PartitionSearch.h"
#include "engine/volume/PartitionTableWalk.h"

#include <cstdlib>

namespace {

void CheckTable(const std::vector<morvick::DiskPartition>& table)
{
    if (table.size() > morvick::kMaxDiskPartitions)
        std::abort();
    for (const morvick::DiskPartition& p : table) {
        if (p.fileSystem != FileSystemKind::kFat16 && p.fileSystem != FileSystemKind::kFat32 &&
            p.fileSystem != FileSystemKind::kNtfs)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (4u << 20))
        return 0;
    std::vector<uint8_t> bytes(data, data + size);
    bytes.resize((size + 511) / 512 * 512, 0);
    morvick::MemorySectorSource disk(std::move(bytes));
    for (uint32_t mbr : {0u, 61u, 62u}) {
        std::vector<morvick::DiskPartition> table = morvick::WalkPartitionTable(disk, mbr);
        CheckTable(table);
        if (mbr == 0) {
            morvick::SearchPartitions(disk, morvick::GeometryFromSectorCount(disk.SectorCount()), true, table, {});
            CheckTable(table);
        }
    }
    // The same bytes as a disk of 4 KiB logical sectors, whose tables count in them.
    morvick::MemorySectorSource large(disk.Bytes());
    large.SetLogicalSectorSize(4096);
    CheckTable(morvick::WalkPartitionTable(large, 0));
    // A geometry taken from the input, as a damaged VHD footer would give it.
    if (size >= 12) {
        morvick::DiskGeometry g{static_cast<uint32_t>(data[0] | (data[1] << 8)), data[2], data[3] % 80u};
        std::vector<morvick::DiskPartition> table;
        morvick::SearchPartitions(disk, g, true, table, {});
        CheckTable(table);
    }
    return 0;
}
