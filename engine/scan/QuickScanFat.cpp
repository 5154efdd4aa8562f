#include "engine/scan/QuickScan.h"

#include "engine/ScanObserver.h"
#include "engine/fat/DeletedFolderClaims.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/image/SectorReader.h"
#include "engine/scan/FreedFolderClusters.h"
#include "engine/state/EngineState.h"
#include "engine/state/FatFolderIndex.h"
#include "engine/volume/EngineSectorSource.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Feeds a folder's sectors to a parser, sector by sector (a failed read is passed over), until the
// parser meets the end of the folder or the scan stops, which the parser also tests between entries.
// False when the first sector is not the start of a folder, or cannot be read, and `checkStart`
// asks for one.
bool ParseSectors(const std::vector<uint64_t>& sectors, morvick::FatDirectoryParser& parser,
    const ScanFinishedWord& finished, bool checkStart)
{
    uint8_t sector[kSectorSize];
    ScanObserver& observer = CurrentScanObserver();
    parser.SetStopTest([&finished] { return ScanStopped(finished); });
    for (size_t i = 0; i < sectors.size(); ++i) {
        if (ScanStopped(finished) || parser.Ended())
            break;
        observer.OnCurrentSector(sectors[i]);
        const bool read = ReadSectors(sectors[i], 1, sector) != 0;
        if (i == 0 && checkStart && (!read || !morvick::IsFatDirectoryStart(sector, sizeof sector)))
            return false;
        if (read)
            parser.Feed(sector, sizeof sector);
    }
    return true;
}

// The clusters of the chain from `first` (the whole chain, up to the volume's size).
std::vector<uint32_t> ChainClusters(uint32_t first)
{
    std::vector<uint32_t> clusters;
    BuildClusterChain(first);
    for (const ClusterNode* n = g_ClusterChain.head; n; n = n->next)
        clusters.push_back(n->cluster);
    FreeClusterChain();
    return clusters;
}

// The sectors of those clusters, in order.
std::vector<uint64_t> ClusterSectors(const std::vector<uint32_t>& clusters)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    std::vector<uint64_t> sectors;
    for (uint32_t cluster : clusters) {
        // In 64 bits: the clusters of a volume crossing 2 TiB lie past what 32 bits hold.
        const uint64_t firstSector = uint64_t{b.clusterBase} + uint64_t{cluster} * b.sectorsPerCluster;
        for (uint32_t i = 0; i < b.sectorsPerCluster; ++i)
            sectors.push_back(firstSector + i);
    }
    return sectors;
}

// Reads the folders of the list from `from` on whose deleted mark is `deletedFolders`, and notes in
// `freed` each whose entries go on past its chain.
void ReadFolders(const FatFolderRecord* from, bool deletedFolders, FreedFolderClusters& freed,
    const ScanFinishedWord& finished)
{
    const bool fat32 = g_VolumeParams.browsedFileSystemType == FileSystemKind::kFat32;
    for (const FatFolderRecord* folder = from; folder && !ScanStopped(finished); folder = folder->next) {
        if (folder->firstCluster < 2 || folder->firstCluster == kLostDirCluster ||
            (folder->deleted != 0) != deletedFolders)
            continue;
        auto parser =
            std::make_unique<morvick::FatDirectoryParser>(fat32, folder->firstCluster, deletedFolders, freed.Sink());
        const std::vector<uint32_t> clusters = ChainClusters(folder->firstCluster);
        if (ParseSectors(ClusterSectors(clusters), *parser, finished, true) && !clusters.empty())
            freed.NoteFolderEnd(folder->firstCluster, clusters.back(), std::move(parser));
    }
}

}  // namespace

void QuickScanFat(const ScanFinishedWord& finished)
{
    FreeFoundEntryLists();
    const VolumeParameterBlock& b = g_VolumeParams;
    const bool fat32 = b.browsedFileSystemType == FileSystemKind::kFat32;
    if (b.sectorsPerCluster == 0)
        return;

    // The root: FAT32 a cluster chain, FAT16 the fixed area after the FATs.
    std::vector<uint64_t> rootSectors;
    std::vector<uint32_t> rootClusters;
    if (fat32) {
        rootClusters = ChainClusters(b.rootLocation);
        rootSectors = ClusterSectors(rootClusters);
    } else {
        for (uint32_t i = 0; i < b.rootDirectorySectors; ++i)
            rootSectors.push_back(uint64_t{b.rootLocation} + i);
    }
    morvick::EngineSectorSource disk;
    morvick::DeletedFolderClaims claims(disk, fat32, b.clusterBase, b.sectorsPerCluster, ChosenVolumeClusterCount());
    auto sink = [&claims](const morvick::FatFoundEntry& e) {
        // Two deleted folder entries name the cluster: it is the folder of the one its "." proves, not
        // the first found, which listed a later folder's files under an older folder's name.
        if (e.folder && e.deleted && claims.Weigh(e) == morvick::DeletedFolderClaims::Claim::kBetter)
            RenameDeletedFatFolder(e);
        AddFatDirectoryEntry(e);
    };
    FreedFolderClusters freed(disk, sink, [&finished] { return ScanStopped(finished); });
    auto root = std::make_unique<morvick::FatDirectoryParser>(fat32, 0, false, freed.Sink());
    ParseSectors(rootSectors, *root, finished, false);
    // A FAT32 root whose chain the FATs cut goes on in free clusters as any live folder does.
    if (!rootClusters.empty())
        freed.NoteFolderEnd(0, rootClusters.back(), std::move(root));

    // Every folder found, in the order found; the parser appends to the list being walked, and the
    // folder list holds each first cluster once. The live folders first, then the deleted ones: in
    // one walk, a deleted folder whose cluster a live folder found later took gave that folder's
    // entries as deleted. A folder that a live entry takes moves to the tail, so the first walk meets
    // it; the entries of a deleted folder are all deleted, so the second walk changes no folder.
    ReadFolders(g_FatFolders.head, false, freed, finished);
    ReadFolders(g_FatFolders.head, true, freed, finished);
    // The freed chain read as its first cluster alone loses a deleted folder's other entries, and a deleted folder
    // whose first cluster a later file took all of them: free clusters give them.
    // The folders they list are read from the first record that came to the list's tail since, found
    // again for each pass, not from a record remembered: a live entry may move that one to the tail
    // (the last folder read before, or the first one the live pass meets), past folders added before
    // it, which were never read.
    while (!ScanStopped(finished)) {
        const FatFolderMark mark = FatFolderTailMark();
        if (!freed.AttachToTheirFolders() && !freed.ParkNext())
            break;
        ReadFolders(FirstFatFolderAfter(mark), false, freed, finished);
        ReadFolders(FirstFatFolderAfter(mark), true, freed, finished);
    }
}
