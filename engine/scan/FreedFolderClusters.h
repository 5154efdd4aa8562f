// The later clusters of FAT folders whose chain was freed. Deleting a folder frees its chain in the
// FAT, so its first cluster, which its entry names, is all that leads to it: the entries of its other
// clusters are still on the disk, in free clusters that hold nothing but directory entries and no "."
// entry. Both scans parse their folders with Sink() and note each folder whose entries go on past its
// last cluster while the FAT has that cluster free; this then looks for such free clusters over the
// chosen volume (g_VolumeParams) once, whatever the scan found, parses those that the engine can tell
// belong to a noted folder into it, and the rest under "Lost Dir": a folder made again under its own
// name, or a later folder deleted too, leaves nothing found that leads to the old folder's later
// clusters. The search also lists the free clusters that begin a folder (a "." entry naming the
// cluster itself) that no folder found names: a deleted folder whose entry went with the cluster that
// held it. A cluster the FATs mark in use (a live folder's or file's) is never read as entries, nor
// one that a deleted file found claims for its data (engine/scan/FreeClusterClaims.h): each file
// found, also in a cluster parsed here, claims its clusters before the next cluster is judged.
#pragma once

#include "engine/fat/FatDirectoryParser.h"
#include "engine/state/FoundRecords.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class FreeClusterClaims;
namespace morvick {
class FatTable;
}

class FreedFolderClusters {
public:
    // Entries go to `sink` as the folder parsers give them; `stopped` ends every loop.
    FreedFolderClusters(morvick::SectorSource& disk, morvick::FatDirectoryParser::EntrySink sink,
        std::function<bool()> stopped);
    ~FreedFolderClusters();

    // The sink that the scan parses its folders with: `sink`, which gets every entry.
    morvick::FatDirectoryParser::EntrySink Sink();

    // After a folder's chain was parsed with `parser`: keeps the parser when the folder's entries go on
    // past `lastCluster` (no end of the folder was met) and the first FAT has that cluster free: the
    // folder's chain was freed before its end.
    void NoteFolderEnd(uint32_t folderCluster, uint32_t lastCluster,
        std::unique_ptr<morvick::FatDirectoryParser> parser);

    // Parses into their folders the free clusters of entries that finish a long name which the last
    // cluster of a noted folder, or a cluster parsed before, began (also one that begins with the
    // name's short entry alone): the first free cluster of entries after that one. The name goes on
    // only where its parts prove their order: by their sequence numbers, or, for a deleted name,
    // whose parts lost theirs, where nothing lies between the two clusters that the FATs keep, that
    // another folder holds, or that a file of another folder claims. On the first call it finds the
    // free clusters of entries,
    // the progress going from 0 to 99 as it reads them. True when it parsed any (their subfolders are
    // new folders to read).
    bool AttachToTheirFolders();

    // Lists one free cluster that begins a folder no folder found names, as a deleted folder "Dir" and
    // its cluster, under the folder its ".." entry names where that folder's first cluster is still
    // free (as below), else under "Lost Dir"; the next walk of the folders reads it. Those that a free
    // cluster of entries names wait until every such cluster is parked. Else parses one free cluster
    // of entries that no folder took, one of whose entries names a file of some bytes or a folder at a
    // free cluster (a cluster of empty files is no more a folder's than a file's data): into the folder that its subfolders name as their parent (their
    // ".." entries) when they agree on one that is not the root and whose first cluster is still free
    // (a folder "Dir" and its cluster under "Lost Dir" while that folder is not known), else into
    // "Lost Dir". The clusters that go on from it follow on the next AttachToTheirFolders. False when
    // none is left.
    bool ParkNext();

private:
    struct Candidate;
    struct LostStart;
    // A parser whose last name may go on in another cluster, and the free cluster it read last.
    struct End {
        std::unique_ptr<morvick::FatDirectoryParser> parser;
        uint32_t cluster = 0;
        uint64_t owner = 0;  // the folder its files' claims are made for (FreeClusterClaims::Claim)
    };

    // Finds the free clusters of entries the first time; false without them (no FAT is known).
    bool Searched();
    void FindCandidates();
    void ReadFreeClusters();
    void FindParents();
    void OrderLostStarts();
    // Lists the next lost folder that is not known by now, of those that no free cluster of entries
    // names unless `named`; false when none is left.
    bool AdoptLostStart(bool named);
    void Adopt(const LostStart& start);
    // Takes in the folders and files listed since the last call: the folders' first clusters are
    // folders' now, and each deleted file claims its clusters.
    void CatchUp();
    // False, the candidate put aside, when it was taken or its cluster is now claimed: file data.
    bool Judge(size_t k);
    void Take(size_t k);
    // The candidate that the waiting name of `end` goes on into, its bytes in `bytes`; null for none.
    // Only the first candidate after the end's cluster is tried.
    Candidate* NextOfName(const End& end, std::vector<uint8_t>& bytes);
    // Whether the waiting name of `end` goes on into `data`, the start of the candidate `next`.
    bool NameGoesOn(const End& end, const Candidate& next, const uint8_t* data, size_t size) const;
    uint64_t FirstSector(uint32_t cluster) const;
    std::vector<uint8_t> ClusterBytes(uint32_t cluster);
    // `liveFolders`: the cluster holds live entries of a live folder whose chain the FATs cut.
    void Parse(uint32_t folder, uint32_t cluster, const std::vector<uint8_t>& bytes, size_t from, bool liveFolders);
    // The folder to list a cluster in whose entries name `parent` as theirs (`hasParent`).
    uint32_t ParkingFolder(bool hasParent, uint32_t parent);

    morvick::SectorSource& m_disk;
    morvick::FatDirectoryParser::EntrySink m_sink;
    std::function<bool()> m_stopped;
    bool m_fat32;
    uint32_t m_clusterCount;
    uint32_t m_sectorsPerCluster;
    std::unique_ptr<morvick::FatTable> m_fat;  // the first FAT; null where none is known
    bool m_searched = false;
    // A live folder's entries go on past the end of its chain, which the FATs give free: they are
    // damaged, and the free clusters of live entries may be live folders' later ones.
    bool m_liveChainCut = false;
    std::unique_ptr<FreeClusterClaims> m_free;
    // The ends of the last clusters read; those before m_endsDone were looked at (and freed).
    std::vector<End> m_ends;
    size_t m_endsDone = 0;
    // The free clusters that begin a folder no folder found named, parents first; those before
    // m_startAt were listed or found named meanwhile.
    std::vector<LostStart> m_lostStarts;
    size_t m_startAt = 0;
    std::unordered_set<uint32_t> m_namedFolders;  // the folders that the free clusters of entries name
    std::vector<Candidate> m_candidates;          // in the order of their clusters, as read
    std::vector<uint32_t> m_startClusters;        // the clusters of m_lostStarts, in order
    // The last clusters of the deleted files found, by index, and how many bytes of each the file's
    // data takes (32-byte aligned): the entries after them are read.
    std::unordered_map<uint32_t, uint32_t> m_tails;
    // The files parsed under "Lost Dir" by their first cluster: the owner of the cluster listed from.
    std::unordered_map<uint32_t, uint64_t> m_lostOwners;
    std::vector<size_t> m_parkOrder;
    size_t m_parkAt = 0;
    std::unordered_set<uint32_t> m_known;  // first clusters of the folder records
    const FatFolderRecord* m_knownUpTo = nullptr;
    const FatEntryRecord* m_entriesUpTo = nullptr;
};
