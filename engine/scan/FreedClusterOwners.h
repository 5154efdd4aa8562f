// Who owns each free cluster of entries that the deleted-folder search found: one decision for each,
// in the order of the clusters, by the disk's proofs in this order:
//   1. A cluster that a deleted file found claims for its data is that file's, unless all its entries
//      were made after the file was last written (then the claim is stale).
//   2. The folders that can go on into it: those whose last known cluster, before it, is full (a
//      never-used entry ends the entries of a folder's last cluster) and whose next is not known, and
//      that end as it begins: inside the name it goes on with (its checksum), or with a whole entry
//      where it begins with one (not a short name with a numeric tail, made for a long name).
//   3. A cluster of live entries is a file's data (a disk image's folders, records shaped as entries),
//      unless it is the one that goes on from a live folder whose chain the FATs cut (the nearest such
//      folder among those before it, or live entries that went on from one), or the files its entries
//      name begin with their types' signatures. That folder goes on into no other cluster after it:
//      only from the cluster that went on from it, where that one's last entry slot is used.
//   4. It goes on from a folder's last cluster only where that folder is the one that can go on into
//      it, it is the one free cluster of entries after that folder's end, not gone on into from
//      another, that begins with the rest of a name of that checksum and part number
//      (CutNameContinuations: unique from both sides, also where another folder whose name was cut
//      so lost its last cluster to a later file), and a name cut at that folder's end runs on into it:
//      by the parts' numbers, or, for a deleted name, by its checksum where nothing the FATs keep, no
//      folder's start and no claim of another folder's file written after the cluster's entries lies
//      between (such a file may have taken the cluster that went on). A cluster that two folders can
//      go on into belongs to neither.
// What is left is parked by FreedFolderClusters: in the folder its subfolders name as their parent,
// else under "Lost Dir".
#pragma once

#include "engine/fat/FatDirectoryParser.h"
#include "engine/scan/FreeEntryClusters.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class CutNameContinuations;
class FreeClusterClaims;

class FreedClusterOwners {
public:
    // The last cluster of a folder found whose entries go on past it (its parser waits for them).
    struct FolderEnd {
        uint32_t cluster = 0;
        const morvick::FatDirectoryParser* parser = nullptr;
        uint64_t owner = 0;  // the folder its files' claims are made for
        bool live = false;   // a live folder's: the FATs cut its chain
    };
    // The bytes of a cluster (empty where it cannot be read).
    using ClusterReader = std::function<std::vector<uint8_t>(uint32_t)>;

    FreedClusterOwners(const FreeClusterClaims& free, bool fat32, ClusterReader read);
    ~FreedClusterOwners();

    // Decides every cluster of `candidates` (in the order of their clusters): sets `admitted`,
    // `liveChain` and `linked`, and which cluster goes on from which. `starts` in any order.
    void Decide(std::vector<FreeEntryCluster>& candidates, const std::vector<FreeFolderStart>& starts,
        const std::vector<FolderEnd>& ends);

    // The cluster that goes on from `cluster` (a folder's last known one), 0 where none does.
    uint32_t Next(uint32_t cluster) const;

    // Whether a claimed cluster's entries were all made after the files that claim it were written.
    static bool LaterThanClaim(const FreeEntryCluster& c, const FreeClusterClaims& free);

private:
    struct Open;
    bool GoesOn(const Open& from, const FreeEntryCluster& next, const std::vector<FreeEntryCluster>& candidates,
        const std::vector<FolderEnd>& ends);

    const FreeClusterClaims& m_free;
    bool m_fat32;
    ClusterReader m_read;
    std::vector<uint32_t> m_startClusters;  // in order
    std::vector<bool> m_startEndsInName;
    std::unordered_map<uint32_t, uint32_t> m_next;
    std::unique_ptr<CutNameContinuations> m_continuations;
};
