#include "engine/snapshot/SnapshotRefilledClusters.h"

#include <unordered_map>
#include <unordered_set>

namespace {

// Clusters below 2 name no data: an empty file's first cluster is 0.
constexpr uint32_t kFirstDataCluster = 2;

}  // namespace

void MarkRefilledFiles(const std::vector<SnapshotFilePair>& found, const RecordList<FatEntryRecord>& read,
    const RecordList<FatFolderRecord>& readFolders, const RecordList<FatFolderRecord>& listedFolders,
    const std::function<bool(const FatEntryRecord&, const FatEntryRecord&)>& same, SnapshotFileCounts& counts)
{
    std::unordered_set<uint32_t> deletedClusters;
    for (const SnapshotFilePair& pair : found) {
        if (pair.deletedSince && pair.listed->firstCluster >= kFirstDataCluster)
            deletedClusters.insert(pair.listed->firstCluster);
    }
    if (deletedClusters.empty())
        return;
    std::unordered_set<const FatEntryRecord*> matched;
    for (const SnapshotFilePair& pair : found)
        matched.insert(pair.now);
    // The entries read now that name one of those clusters and that no listed file was found as.
    std::unordered_multimap<uint32_t, const FatEntryRecord*> files;
    for (const FatEntryRecord* r = read.head; r; r = r->next) {
        if (deletedClusters.count(r->firstCluster) != 0 && matched.count(r) == 0)
            files.emplace(r->firstCluster, r);
    }
    std::unordered_set<uint32_t> listedFolderClusters;
    for (const FatFolderRecord* f = listedFolders.head; f; f = f->next)
        listedFolderClusters.insert(f->firstCluster);
    std::unordered_multimap<uint32_t, const FatFolderRecord*> folders;
    for (const FatFolderRecord* f = readFolders.head; f; f = f->next) {
        if (deletedClusters.count(f->firstCluster) != 0 && listedFolderClusters.count(f->firstCluster) == 0)
            folders.emplace(f->firstCluster, f);
    }
    for (const auto& [listed, now, deletedSince] : found) {
        if (!deletedSince || listed->firstCluster < kFirstDataCluster || listed->changedOnDisk != 0)
            continue;
        bool refilled = false;
        auto [from, to] = files.equal_range(listed->firstCluster);
        for (; from != to && !refilled; ++from) {
            const FatEntryRecord& other = *from->second;
            refilled = other.writeDate >= listed->writeDate && !same(*listed, other);
        }
        auto [folderFrom, folderTo] = folders.equal_range(listed->firstCluster);
        for (; folderFrom != folderTo && !refilled; ++folderFrom)
            refilled = folderFrom->second->writeDate >= listed->writeDate;
        if (refilled) {
            listed->changedOnDisk = 1;
            --counts.confirmed;
            ++counts.changed;
        }
    }
}
