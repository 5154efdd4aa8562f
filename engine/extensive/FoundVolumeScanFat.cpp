#include "engine/extensive/FoundVolumeScan.h"

#include "engine/ScanObserver.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/ExtensiveSearch.h"
#include "engine/extensive/FoundFolderNamer.h"
#include "engine/fat/DeletedFolderClaims.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/image/SectorReader.h"
#include "engine/listing/ResultListing.h"
#include "engine/scan/FreedFolderClusters.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

namespace {

constexpr uint32_t kFatRootSectors = 32;
constexpr uint32_t kMaxBatchSectors = 8;
// A FAT folder holds at most 65,536 entries of 32 bytes: a longer chain is damage.
constexpr size_t kMaxFolderSectors = 65536 * 32 / kSectorSize;
// How far before the cluster base the FAT copies of a volume are looked for.
constexpr uint32_t kFat16TableReach = 550;
constexpr uint32_t kFat32TableReach = 30000;
// The FAT of a FAT16 volume, of 4,085 clusters at least, has 4,087 entries of 2 bytes at least.
constexpr uint32_t kMinFat16Sectors = (4087 * 2 + kSectorSize - 1) / kSectorSize;

// The sectors of a folder's clusters: its chain in the FATs (as long as a folder can be), or only its
// first cluster when they give none (a volume whose FAT was not found): reading nothing there would
// list not one entry of a volume whose folders the search did find.
std::vector<uint64_t> FolderSectors(uint32_t first)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t sectorsPerCluster = b.sectorsPerCluster;  // the block is packed: no references into it
    morvick::EngineSectorSource disk;
    std::vector<uint32_t> clusters =
        FolderClusterChain(disk, b, first, kMaxFolderSectors / std::max<uint32_t>(sectorsPerCluster, 1));
    if (clusters.empty() && first >= 2 && first < kLostDirCluster)
        clusters.push_back(first);
    std::vector<uint64_t> sectors;
    for (uint32_t c : clusters) {
        const uint64_t start = b.clusterBase + uint64_t{c} * b.sectorsPerCluster;
        if (sectors.size() >= kMaxFolderSectors)
            break;
        for (uint32_t i = 0; i < b.sectorsPerCluster; ++i)
            sectors.push_back(start + i);
    }
    return sectors;
}

// Parses a folder's sectors in batches of `batch` sectors; the first batch of a folder other than a
// root must begin with its "." and ".." entries, which are not parsed. False when it did not, or could
// not be read.
bool ParseFolder(const std::vector<uint64_t>& sectors, uint32_t batch, bool root, morvick::FatDirectoryParser& parser,
    const ScanFinishedWord& finished)
{
    std::vector<uint8_t> buffer(size_t{batch} * kSectorSize);
    // Tested between entries too, as the Quick Scan's parser is: each entry a step that a Stop question
    // holds, not each batch of up to 128.
    parser.SetStopTest([&finished] { return ScanStopped(finished); });
    size_t at = 0;
    while (at < sectors.size() && !ScanStopped(finished) && !parser.Ended()) {
        // A batch is a run of consecutive sectors.
        uint32_t count = 1;
        while (count < batch && at + count < sectors.size() && sectors[at + count] == sectors[at] + count)
            ++count;
        const bool first = at == 0;
        const bool read = ReadSectors(sectors[at], count, buffer.data()) != 0;
        at += count;
        // Without its first sectors a folder cannot be told from whatever else its cluster may hold
        // now: its other sectors are not read as entries. A later batch loses only its own entries.
        if (!read && first && !root)
            return false;
        if (!read)
            continue;
        size_t skip = 0;
        if (first && !root) {
            if (!morvick::IsFatDirectoryStart(buffer.data(), buffer.size()))
                return false;
            skip = 64;
        }
        parser.Feed(buffer.data() + skip, size_t{count} * kSectorSize - skip);
    }
    return true;
}

}  // namespace

void AddOrphanFatFolders()
{
    ScanObserver& observer = CurrentScanObserver();
    observer.OnStatus(u"Searching for orphan entries ( Step 2/5 )...");
    observer.OnProgress(0);
    std::unordered_set<uint32_t> owned;
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        owned.insert(f->firstCluster);
    FatFolderRecord* walk = g_FatFolders.head;
    if (AppendNewFatFolder(u"Lost Dir", kLostDirCluster, 0, 0, 0, 0, 0))
        owned.insert(kLostDirCluster);
    if (!walk)
        walk = g_FatFolders.head;
    uint32_t walked = 0;
    for (FatFolderRecord* f = walk; f; f = f->next) {
        const uint32_t parent = f->parentCluster;
        if (parent != 0 && owned.insert(parent).second)
            AppendNewFatFolder(u"Dir" + DecimalText(parent), parent, kLostDirCluster, 0, 0, 0, 0);
        observer.OnProgress(ProgressPercent(++walked, g_nFatFolderCount));
    }
}

void FindLostFatTables(const ScanFinishedWord& finished)
{
    ScanObserver& observer = CurrentScanObserver();
    observer.OnStatus(u"Searching for lost FAT fragments ( Step 1/5 )...");
    observer.OnProgress(0);
    VolumeParameterBlock& b = g_VolumeParams;
    // Without a chosen type the volume's kind is only a guess: its FAT copies decide it, and they
    // are the two nearest the cluster base.
    const bool kindUnknown = b.chosenFileSystemType == FileSystemKind::kNone;
    const bool fat32 = b.browsedFileSystemType == FileSystemKind::kFat32;
    const uint32_t reach = fat32 || kindUnknown ? kFat32TableReach : kFat16TableReach;
    uint32_t from = b.clusterBase > reach ? b.clusterBase - reach : 63;
    if (from == 0)
        from = 63;
    std::vector<std::pair<uint32_t, uint8_t>> found;  // sector, the byte after F8 FF FF
    std::vector<uint8_t> buffer(size_t{kSearchRunSectors} * kSectorSize);
    for (uint64_t sector = from; sector < b.clusterBase && !ScanStopped(finished);) {
        if (!kindUnknown && found.size() >= 2)
            break;
        const uint32_t run = static_cast<uint32_t>(std::min<uint64_t>(kSearchRunSectors, b.clusterBase - sector));
        if (ReadSectors(sector, run, buffer.data())) {
            for (uint32_t i = 0; i < run; ++i) {
                const uint8_t* s = buffer.data() + size_t{i} * kSectorSize;
                if (s[0] == 0xF8 && s[1] == 0xFF && s[2] == 0xFF)
                    found.emplace_back(static_cast<uint32_t>(sector + i), s[3]);
            }
        }
        sector += run;
        observer.OnProgress(ProgressPercent(sector, b.clusterBase));
    }
    if (kindUnknown && found.size() > 2)
        found.erase(found.begin(), found.end() - 2);
    else if (found.size() > 2)
        found.resize(2);
    const uint64_t dataStart = uint64_t{b.clusterBase} + 2ull * b.sectorsPerCluster;
    // Two copies nearest the base are one volume's only when the second, as long as the first, ends
    // before the data area; otherwise the farther one is another volume's, and this volume lost a copy.
    if (kindUnknown && found.size() == 2 && 2ull * found[1].first - found[0].first > dataStart)
        found.erase(found.begin());
    if (found.empty())
        return;
    if (kindUnknown && found[0].second == 0x0F) {
        b.browsedFileSystemType = FileSystemKind::kFat32;
        if (b.rootLocation == 0)
            b.rootLocation = 2;
    }
    b.firstFat = found[0].first;
    const bool fat16 = b.browsedFileSystemType == FileSystemKind::kFat16;
    if (found.size() == 2) {
        b.secondFat = found[1].first;
        b.sectorsPerFat = found[1].first - found[0].first;
        const uint64_t root = uint64_t{found[1].first} + b.sectorsPerFat;
        if (fat16 && FitsSectorField(root))
            b.rootLocation = static_cast<uint32_t>(root);
    } else {
        // One copy alone: the other was damaged (the first, at the start of the volume, most often),
        // so the one found is most likely the last, and it reaches to the data area (FAT16: to its
        // root folder). Without a size the FAT would bound no cluster, and no chain could be followed.
        const uint64_t fatEnd = fat16 ? dataStart - std::min<uint64_t>(dataStart, kFatRootSectors) : dataStart;
        if (b.sectorsPerFat != 0 || fatEnd <= found[0].first || !FitsSectorField(fatEnd))
            return;
        b.sectorsPerFat = static_cast<uint32_t>(fatEnd - found[0].first);
        if (fat16)
            b.rootLocation = static_cast<uint32_t>(fatEnd);
    }
    // A FAT too small for FAT16 (4,085 clusters at least) is a FAT12 volume's, its entries 12 bits
    // wide: it is not taken, where read as FAT16 entries it gave chains through other files' clusters.
    if (fat16 && b.sectorsPerFat < kMinFat16Sectors)
        b.firstFat = b.secondFat = b.sectorsPerFat = 0;
}

void ReadFoundFatDirectories(const ScanFinishedWord& finished)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const bool fat32 = b.browsedFileSystemType == FileSystemKind::kFat32;
    const uint32_t sectorsPerCluster = b.sectorsPerCluster;  // the block is packed: no references into it
    const uint32_t batch = std::min(std::max<uint32_t>(sectorsPerCluster, 1), kMaxBatchSectors);
    morvick::EngineSectorSource disk;
    const uint32_t clusterCount = ChosenVolumeClusterCount();
    morvick::DeletedFolderClaims claims(disk, fat32, b.clusterBase, sectorsPerCluster, clusterCount);
    // A folder read ahead for a live entry naming a found folder: never a cluster past the volume's end.
    auto readAhead = [&](uint32_t folder, const morvick::FatDirectoryParser::EntrySink& sink) {
        if (folder < 2 || folder == kLostDirCluster || (clusterCount != 0 && folder - 2 >= clusterCount))
            return;
        morvick::FatDirectoryParser parser(fat32, folder, false, sink);
        ParseFolder(FolderSectors(folder), batch, false, parser, finished);
    };
    FoundFolderNamer namer(claims, readAhead);
    auto sink = [&namer](const morvick::FatFoundEntry& e) { namer(e); };

    std::vector<uint64_t> root;
    if (fat32) {
        root = FolderSectors(b.rootLocation != 0 ? b.rootLocation : 2);
    } else if (b.rootLocation != 0) {
        // The root's own size where its boot sector gave one, not 32 sectors always: the entries of a
        // larger root would be lost, and a smaller one's would run into the data.
        const uint32_t count = b.rootDirectorySectors != 0 ? b.rootDirectorySectors : kFatRootSectors;
        for (uint32_t i = 0; i < count; ++i)
            root.push_back(uint64_t{b.rootLocation} + i);
    }
    FreedFolderClusters freed(disk, sink, [&finished] { return ScanStopped(finished); });
    auto rootParser = std::make_unique<morvick::FatDirectoryParser>(fat32, 0, false, freed.Sink());
    // A FAT32 root whose chain the FATs cut goes on in free clusters as any live folder does.
    if (ParseFolder(root, batch, true, *rootParser, finished) && fat32 && !root.empty())
        freed.NoteFolderEnd(0, static_cast<uint32_t>((root.back() - b.clusterBase) / sectorsPerCluster),
            std::move(rootParser));

    uint32_t done = 0;
    auto readFolders = [&](const FatFolderRecord* from) {
        for (const FatFolderRecord* f = from; f && !ScanStopped(finished); f = f->next) {
            if (f->firstCluster >= 2 && f->firstCluster != kLostDirCluster) {
                auto parser = std::make_unique<morvick::FatDirectoryParser>(fat32, f->firstCluster, f->deleted != 0,
                    freed.Sink());
                const std::vector<uint64_t> sectors = FolderSectors(f->firstCluster);
                if (ParseFolder(sectors, batch, false, *parser, finished) && !sectors.empty()) {
                    const uint32_t last = static_cast<uint32_t>((sectors.back() - b.clusterBase) / sectorsPerCluster);
                    freed.NoteFolderEnd(f->firstCluster, last, std::move(parser));
                }
            }
            CurrentScanObserver().OnProgress(ProgressPercent(++done, g_nFatFolderCount));
        }
    };
    readFolders(g_FatFolders.head);
    // The freed chain read as its first cluster alone loses a deleted folder's other entries, and a deleted folder
    // whose first cluster a later file took all of them: free clusters give them.
    // The folders they list that the search could not meet (past the sectors it reads) are read as the walk reads
    // such folders: else their entries were lost.
    while (!ScanStopped(finished)) {
        const FatFolderRecord* last = g_FatFolders.tail;
        if (!freed.AttachToTheirFolders() && !freed.ParkNext())
            break;
        readFolders(last ? last->next : g_FatFolders.head);
    }
}

void FoundVolumeScanFat(const ScanFinishedWord& finished)
{
    ScanObserver& observer = CurrentScanObserver();
    observer.OnProgress(0);
    observer.OnStatus(u"Extracting entries for the selected file system ( Step 1/5 )...");
    FreeFoundEntryLists();
    const uint16_t volume = g_VolumeParams.volumeNumber;
    // One folder per first cluster: a directory found twice (a copy, a stale sector) would list and
    // save every file in it twice, and a folder named twice in the tree has no one parent.
    std::unordered_set<uint32_t> clusters;
    for (const FoundFatDirectoryRecord* r = g_FoundFatDirectories.head; r; r = r->next) {
        if (r->volumeNumber != volume || !clusters.insert(r->firstCluster).second)
            continue;
        AppendNewFatFolder(u"Dir" + DecimalText(r->firstCluster), r->firstCluster, r->parentCluster, r->dotValue1,
            r->dotValue2, 0, 0);
        observer.OnProgress(ProgressPercent(g_nFatFolderCount, g_FoundFatDirectories.count));
    }
    AddOrphanFatFolders();
    if (g_VolumeParams.firstFat == 0)
        FindLostFatTables(finished);
    observer.OnStatus(u"Step 4 / 5...");
    ReadFoundFatDirectories(finished);
}
