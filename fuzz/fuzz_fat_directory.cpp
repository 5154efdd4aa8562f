// A FAT directory cluster, and the same bytes as a FAT and a boot sector. The first byte chooses
// FAT32 and the parent's deleted flag. Parsing must stay inside the bytes, give the same entries fed
// whole or a sector at a time, and never list a name longer than a FAT name can be (one that a
// folder cannot hold is listed as it is, for the saver to make safe) or an entry without clusters but
// an empty file; chains must end and never repeat, and a deleted file's clusters lie after its first.
// Split in two, the second half must be taken for the next cluster of a name only when parsing it
// after the first lists an entry, and a cluster's leading name parts stay inside it.
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirectoryContinuation.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/fat/FatTable.h"
#include "engine/volume/MemorySectorSource.h"

#include <cstdlib>
#include <set>

namespace {

std::vector<morvick::FatFoundEntry> Parse(const uint8_t* data, size_t size, bool fat32, bool parentDeleted,
    size_t piece)
{
    std::vector<morvick::FatFoundEntry> out;
    morvick::FatDirectoryParser parser(fat32, 7, parentDeleted, [&](const morvick::FatFoundEntry& e) {
        if (e.name.size() > morvick::kFatMaxNameLength || (e.firstCluster == 0 && (e.folder || e.size != 0)))
            std::abort();
        out.push_back(e);
    });
    for (size_t off = 0; off < size; off += piece) {
        if (!parser.Feed(data + off, std::min(piece, size - off)))
            break;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > (1u << 20))
        return 0;
    const bool fat32 = (data[0] & 1) != 0;
    const bool parentDeleted = (data[0] & 2) != 0;
    const uint8_t* dir = data + 1;
    const size_t dirSize = size - 1;

    const std::vector<morvick::FatFoundEntry> whole = Parse(dir, dirSize, fat32, parentDeleted, dirSize ? dirSize : 1);
    const std::vector<morvick::FatFoundEntry> bySector = Parse(dir, dirSize, fat32, parentDeleted, 512);
    if (whole.size() != bySector.size())
        std::abort();
    for (size_t i = 0; i < whole.size(); ++i) {
        if (whole[i].name != bySector[i].name || whole[i].firstCluster != bySector[i].firstCluster)
            std::abort();
    }

    // The two halves as a cluster and the one that may follow it.
    const size_t half = dirSize / 64 * 32;
    morvick::IsFatDirectoryContinuation(dir + half, dirSize - half, fat32, 100000, 4096);
    const size_t tail = morvick::LeadingNameTailBytes(dir + half, dirSize - half);
    if (tail > dirSize - half || tail % 32 != 0)
        std::abort();
    size_t listed = 0;
    morvick::FatDirectoryParser first(fat32, 7, parentDeleted, [&listed](const morvick::FatFoundEntry&) { ++listed; });
    first.Feed(dir, half);
    if (first.NameGoesOnInto(dir + half, dirSize - half)) {
        const size_t before = listed;
        first.Feed(dir + half, dirSize - half);
        if (listed == before)
            std::abort();
    }

    // The same bytes as a FAT after one empty sector.
    std::vector<uint8_t> bytes(512, 0);
    bytes.insert(bytes.end(), dir, dir + dirSize);
    const uint32_t fatSectors = static_cast<uint32_t>(dirSize / 512 + 1);
    morvick::MemorySectorSource disk(bytes);
    const uint32_t clusters = fat32 ? fatSectors * 128 : fatSectors * 256;
    morvick::FatTable fat(disk, fat32 ? FileSystemKind::kFat32 : FileSystemKind::kFat16, 1, fatSectors, clusters);
    for (uint32_t first = 0; first < 64; ++first) {
        const std::vector<uint32_t> chain = morvick::FollowClusterChain(fat, first, clusters + 10);
        const std::set<uint32_t> distinct(chain.begin(), chain.end());
        if (distinct.size() != chain.size())
            std::abort();
        for (uint32_t c : chain) {
            if (!fat.IsDataCluster(c))
                std::abort();
        }
        // A deleted file's clusters: its first, then clusters after it, each in the volume.
        const std::vector<uint32_t> free = morvick::FollowFreeClusters(fat, first, 50);
        for (size_t i = 0; i < free.size(); ++i) {
            if (!fat.IsDataCluster(free[i]) || (i == 0 ? free[i] != first : free[i] <= free[i - 1]))
                std::abort();
        }
    }

    // The same bytes as a directory's first sector and as a boot sector of either kind.
    morvick::FatDirectoryStart start;
    if (morvick::ReadFatDirectoryStart(dir, dirSize, fat32, start) != morvick::IsFatDirectoryStart(dir, dirSize))
        std::abort();
    for (FileSystemKind kind : {FileSystemKind::kFat16, FileSystemKind::kFat32}) {
        morvick::FatBootSector boot;
        if (!morvick::ParseFatBootSector(dir, dirSize, kind, boot))
            continue;
        const morvick::FatLayout layout = morvick::MakeFatLayout(boot, 100);
        // Every cluster counted has its FAT entry, and lies inside the volume when its size is known.
        const uint64_t entries = uint64_t{boot.sectorsPerFat} * 512 / (kind == FileSystemKind::kFat32 ? 4 : 2);
        // Its counts are in 512-byte sectors, whole sectors of the volume's own size.
        const uint32_t units = boot.bytesPerSector / 512;
        if (units == 0 || (units & (units - 1)) != 0 || units > 8 || boot.sectorsPerCluster % units != 0 ||
            boot.reservedSectors % units != 0 || boot.sectorsPerFat % units != 0 ||
            boot.rootDirectorySectors % units != 0 || boot.totalSectors % units != 0)
            std::abort();
        if (boot.reservedSectors == 0 || boot.numberOfFats < 1 || boot.numberOfFats > 2 ||
            layout.dataStart < layout.firstFat || uint64_t{layout.clusterCount} + 2 > entries ||
            (100 + boot.totalSectors > layout.dataStart &&
                layout.dataStart + uint64_t{layout.clusterCount} * layout.sectorsPerCluster > 100 + boot.totalSectors))
            std::abort();
    }
    return 0;
}
