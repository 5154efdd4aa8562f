#include "engine/scan/QuickScan.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/image/SectorReader.h"
#include "engine/state/EngineState.h"

#include <cstring>
#include <vector>

namespace {

// Feeds a folder's sectors to a parser, sector by sector (a failed read is passed over), until the
// parser meets the end of the folder or the scan stops, which the parser also tests between entries.
// False when the first sector is not the start of a folder and `checkStart` asks for one.
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
        if (!ReadSectors(sectors[i], 1, sector))
            continue;
        if (i == 0 && checkStart && !morvick::IsFatDirectoryStart(sector, sizeof sector))
            return false;
        parser.Feed(sector, sizeof sector);
    }
    return true;
}

// The sectors of the clusters of the chain from `first` (the whole chain, up to the volume's size).
std::vector<uint64_t> ChainSectors(uint32_t first)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    std::vector<uint64_t> sectors;
    BuildClusterChain(first);
    for (const ClusterNode* n = g_ClusterChain.head; n; n = n->next) {
        // In 64 bits: the clusters of a volume crossing 2 TiB lie past what 32 bits hold.
        const uint64_t firstSector = uint64_t{b.clusterBase} + uint64_t{n->cluster} * b.sectorsPerCluster;
        for (uint32_t i = 0; i < b.sectorsPerCluster; ++i)
            sectors.push_back(uint64_t{firstSector} + i);
    }
    FreeClusterChain();
    return sectors;
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
    if (fat32) {
        rootSectors = ChainSectors(b.rootLocation);
    } else {
        for (uint32_t i = 0; i < b.rootDirectorySectors; ++i)
            rootSectors.push_back(uint64_t{b.rootLocation} + i);
    }
    morvick::FatDirectoryParser root(fat32, 0, false, AddFatDirectoryEntry);
    ParseSectors(rootSectors, root, finished, false);

    // Every folder found, in the order found; the parser appends to the list being walked, and the
    // folder list holds each first cluster once. The live folders first, then the deleted ones: in
    // one walk, a deleted folder whose cluster a live folder found later took gave that folder's
    // entries as deleted. A folder that a live entry takes moves to the tail, so the first walk meets
    // it; the entries of a deleted folder are all deleted, so the second walk changes no folder.
    for (const bool deletedFolders : {false, true}) {
        for (const FatFolderRecord* folder = g_FatFolders.head; folder && !ScanStopped(finished);
             folder = folder->next) {
            if (folder->firstCluster < 2 || (folder->deleted != 0) != deletedFolders)
                continue;
            morvick::FatDirectoryParser parser(fat32, folder->firstCluster, deletedFolders, AddFatDirectoryEntry);
            ParseSectors(ChainSectors(folder->firstCluster), parser, finished, true);
        }
    }
}
