// The free clusters of the chosen volume (g_VolumeParams), as the search for a deleted folder's later
// clusters sees them: those free in every FAT, the ones among them taken for a folder's entries, and
// the ones that the data of the deleted files found is taken from (their claims), with the time each
// file was last written: a claimed cluster is a folder's entries only where they were made after that
// (FreedClusterOwners). Clusters are given by index (cluster - 2); a time is a stamp (FatStampOf).
#pragma once

#include "engine/scan/ClaimOwnerBlocks.h"
#include "engine/state/EngineState.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

class FreeClusterClaims {
public:
    // Reads the FATs of the block's volume of `clusterCount` clusters; `stopped` ends the walk, and
    // then no cluster is free.
    FreeClusterClaims(morvick::SectorSource& disk, const VolumeParameterBlock& b, uint32_t clusterCount,
        const std::function<bool()>& stopped);

    // The free clusters as index ranges [start, end), in order.
    const std::vector<std::pair<uint32_t, uint32_t>>& Runs() const { return m_runs; }
    uint64_t FreeCount() const { return m_freeCount; }
    bool IsFree(uint32_t index) const;
    // How many free clusters lie before `index`.
    uint64_t FreeBefore(uint32_t index) const;
    // True when `a` and `b` are free and every cluster between them is free too: no file or folder
    // that the FATs keep lies between them.
    bool InOneRun(uint32_t a, uint32_t b) const;

    // A free cluster taken for a folder: a folder's first cluster or a later one of its entries.
    void TakeForFolder(uint32_t index);
    bool IsFolders(uint32_t index) const { return m_folders.count(index) != 0; }

    // A deleted file of `count` clusters from `first` claims them as the saver takes its data: `first`
    // and the free clusters after it. It claims nothing when `first` is in use or a folder's (its
    // start was written over), and its claim stops at a cluster taken for a folder.
    void Claim(uint32_t first, uint64_t count);
    // The same for a file of the folder `owner` (any number that tells folders apart) last written at
    // `written` (UINT32_MAX where not known: newer than anything). Returns the last cluster claimed
    // where the claim ran its whole count, else UINT32_MAX.
    uint32_t Claim(uint32_t first, uint64_t count, uint64_t owner, uint32_t written = UINT32_MAX);
    bool IsClaimed(uint32_t index) const;
    // The latest time a file whose claim covers `index` was written (claims that touch are one: the
    // latest of them); 0 where none covers it.
    uint32_t ClaimWritten(uint32_t index) const;

    // Whether a cluster after `a` and before `b` is taken for a folder, or begins the claim of a file
    // of a folder other than `owner` written at `made` or later (0: any such file): the folder that
    // `a` holds a part of did not write `b` next. A file written before the entries of `b` were made
    // (`made`) did not take the cluster that went on from `a`: that one was written after it.
    bool OtherFolderBetween(uint32_t a, uint32_t b, uint64_t owner, uint32_t made = 0) const;

private:
    // The end of a claim of `count` clusters from the free cluster `first`, counted in free clusters.
    uint64_t ClaimEnd(uint32_t first, uint64_t count) const;
    // The free cluster that `n` free clusters come before.
    uint32_t FreeClusterAt(uint64_t n) const;
    // The run that holds `index`, else the first after it (m_runs.size() when none).
    size_t RunAtOrAfter(uint32_t index) const;

    std::vector<std::pair<uint32_t, uint32_t>> m_runs;
    std::vector<uint64_t> m_freeBefore;  // free clusters before each run
    uint64_t m_freeCount = 0;
    std::set<uint32_t> m_folders;
    struct Range {
        uint64_t end;
        uint32_t written;  // the latest of its files
    };
    // The claims, as ranges [start, end) of free clusters counted from the volume's first (disjoint,
    // by start): a claim over the clusters in use between is one range.
    std::map<uint64_t, Range> m_claims;
    // The first cluster of each claim made for a folder's file, that folder and when the file was written.
    ClaimOwnerBlocks::Claims m_owners;
    // m_owners in blocks, built again at the first question after a claim.
    mutable ClaimOwnerBlocks m_ownerBlocks;
    mutable bool m_ownerBlocksBuilt = false;
    void Add(uint32_t first, uint64_t count, uint32_t written);
};
