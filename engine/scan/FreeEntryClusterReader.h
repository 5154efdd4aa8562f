// The one read of a FAT volume's free clusters that the deleted-folder search makes (FreedFolderClusters):
// each free cluster that no folder found holds is read once, in runs of up to 1 MiB, and what it
// holds noted (FreeEntryClusters.h); then the parents that the subfolders of each cluster of entries
// name are read, and the first sectors of the files that its clusters of live entries name (to prove
// them this volume's, EntryTypeProof). Every cluster read is a pause point.
#pragma once

#include "engine/scan/FreeEntryClusters.h"
#include "engine/scan/EntryTypeProof.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

class FreeClusterClaims;

class FreeEntryClusterReader {
public:
    FreeEntryClusterReader(morvick::SectorSource& disk, const FreeClusterClaims& free, const EntryTypeVolume& volume,
        std::function<bool()> stopped);

    // Reads the free clusters that no folder holds, the progress going from 0 to 99. `tails`: the
    // bytes that a deleted file's data takes at the start of its last cluster, by index (cluster - 2).
    // `liveSubfolders`: the parents of the subfolders of clusters of live entries are asked too (a
    // live folder's chain was cut).
    void Read(const std::unordered_map<uint32_t, uint32_t>& tails, bool liveSubfolders);

    std::vector<FreeEntryCluster> candidates;  // in the order of their clusters
    // The free clusters that begin a folder no folder found names: those that no free cluster of
    // entries names first, and parents before their subfolders.
    std::vector<FreeFolderStart> starts;

private:
    void Test(uint32_t index, const uint8_t* cluster, uint32_t dataBytes);
    // Proves the clusters and folder starts of live entries this volume's by the types of their files.
    void ProveTypes();
    void FindParents();
    void OrderStarts();

    morvick::SectorSource& m_disk;
    const FreeClusterClaims& m_free;
    EntryTypeVolume m_volume;
    std::function<bool()> m_stopped;
    bool m_liveSubfolders = false;
    std::vector<uint32_t> m_namedFolders;  // the folders that the free clusters of entries name
    // The files of known types that the clusters of live entries name (by candidate), and the folder
    // starts of live entries with theirs.
    std::vector<std::pair<size_t, std::vector<TypedFile>>> m_typedFiles;
    std::vector<std::pair<FreeFolderStart, std::vector<TypedFile>>> m_liveStarts;
    // The first clusters that the entries of the free clusters read name (and, before the proof, the
    // entries found).
    ClusterNameCounts m_names;
};
