// The later clusters of FAT folders whose chain was freed. Deleting a folder frees its chain in the
// FAT, so its first cluster, which its entry names, is all that leads to it: the entries of its other
// clusters are still on the disk, in free clusters that hold nothing but directory entries and no "."
// entry. Both scans parse their folders with Sink() and note each folder whose entries go on past its
// last cluster while the FAT has that cluster free; this then reads the chosen volume's
// (g_VolumeParams) free clusters once, whatever the scan found (FreeEntryClusterReader), decides once
// who owns each free cluster of entries (FreedClusterOwners, which states the order of the proofs),
// and lists them: in the folder they go on from, else in the folder their subfolders name as their
// parent, else under "Lost Dir" (a folder made again under its own name, or a later folder deleted
// too, leaves nothing found that leads to the old folder's later clusters). The free clusters that
// begin a folder that no folder found names are listed as folders "Dir" and their cluster. A cluster
// that a deleted file found claims for its data (engine/scan/FreeClusterClaims.h) is read as entries
// only past the file's last byte, or where its entries were made after the file was written; each file
// found, also in a cluster listed here, claims its clusters before the next cluster is listed.
#pragma once

#include "engine/fat/FatDirectoryParser.h"
#include "engine/scan/FreeEntryClusters.h"
#include "engine/state/FatFolderIndex.h"
#include "engine/state/FoundRecords.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class FreeClusterClaims;
class FreedClusterOwners;
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

    // Parses into its folder each free cluster of entries that goes on from a folder's last cluster
    // noted or parsed since the last call (FreedClusterOwners), and the clusters that go on from it.
    // On the first call it reads the free clusters, the progress going from 0 to 99 as it reads them.
    // True when it parsed any (their subfolders are new folders to read).
    bool AttachToTheirFolders();

    // Lists one of what is left, in this order; false when none is left:
    //  - a free cluster that begins a folder that no folder found names and no free cluster of entries
    //    names, as a deleted folder "Dir" and its cluster, under the folder its ".." entry names where
    //    that folder's first cluster is still free, else under "Lost Dir" (the next walk reads it);
    //  - a free cluster of entries that nothing went on into, one of whose entries names a file of
    //    some bytes or a folder at a free cluster (a cluster of empty files is no more a folder's than a
    //    file's data): into the folder that its subfolders name as their parent (their ".." entries),
    //    where they agree on one that is not the root and whose first cluster is still free (a folder
    //    "Dir" and its cluster under "Lost Dir" while that folder is not known), else into "Lost Dir".
    //    Those whose subfolders name a folder last: that folder may yet be found;
    //  - a folder start that a free cluster of entries names (listed there, it is read by its entry);
    //  - a cluster that went on from a folder that was never listed;
    //  - the entries past the last byte of a deleted file found after the free clusters were read.
    bool ParkNext();

private:
    // A parser whose last name may go on in another cluster, and the free cluster it read last.
    struct End {
        std::unique_ptr<morvick::FatDirectoryParser> parser;
        uint32_t cluster = 0;
        uint64_t owner = 0;  // the folder its files' claims are made for (FreeClusterClaims::Claim)
    };
    // A deleted file's last cluster whose entries past its last byte were not known when the free
    // clusters were read.
    struct LateTail {
        uint32_t cluster = 0;
        uint32_t dataBytes = 0;
    };

    // Reads and decides the free clusters the first time; false without them (no FAT is known).
    bool Searched();
    void FindCandidates();
    // Lists the next lost folder that is not known by now, of those that no free cluster of entries
    // names unless `named`; false when none is left.
    bool AdoptLostStart(bool named);
    void Adopt(const FreeFolderStart& start);
    // Takes in the folders and files listed since the last call: the folders' first clusters are
    // folders' now, and each deleted file claims its clusters.
    void CatchUp();
    // False, the candidate put aside, when it was taken or is now a file's data.
    bool Judge(size_t k);
    void Take(size_t k);
    // Parks one candidate of `order` from m_parkAt on; false when none is left.
    bool ParkFrom(const std::vector<size_t>& order);
    bool ParkLateTail();
    size_t CandidateAt(uint32_t cluster) const;
    uint64_t FirstSector(uint32_t cluster) const;
    std::vector<uint8_t> ClusterBytes(uint32_t cluster);
    // `liveFolders`: the cluster holds live entries of a live folder whose chain the FATs cut.
    void Parse(uint32_t folder, uint32_t cluster, const std::vector<uint8_t>& bytes, size_t from, bool liveFolders);
    // A record that the search appended (null where none was): walked.
    void Known(const FatFolderRecord* appended);
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
    bool m_liveChainCut = false;  // a live folder's entries go on past its chain (only to read more)
    std::unique_ptr<FreeClusterClaims> m_free;
    std::unique_ptr<FreedClusterOwners> m_owners;
    // The ends of the last clusters read; those before m_endsDone were looked at (and freed).
    std::vector<End> m_ends;
    size_t m_endsDone = 0;
    // The free clusters that begin a folder no folder found named, parents first; those before
    // m_startAt were listed or found named meanwhile.
    std::vector<FreeFolderStart> m_lostStarts;
    size_t m_startAt = 0;
    std::vector<FreeEntryCluster> m_candidates;  // in the order of their clusters, as read
    // The last clusters of the deleted files found before the free clusters were read, by index, and
    // how many bytes of each the file's data takes (32-byte aligned): the entries after them are read.
    std::unordered_map<uint32_t, uint32_t> m_tails;
    std::vector<LateTail> m_lateTails;
    std::unordered_set<uint32_t> m_lateTailClusters;  // by index: each read once
    size_t m_lateTailAt = 0;
    // When each deleted file was last written, by its first cluster (the latest of those there).
    std::unordered_map<uint32_t, uint32_t> m_written;
    // The files parsed under "Lost Dir" by their first cluster: the owner of the cluster listed from.
    std::unordered_map<uint32_t, uint64_t> m_lostOwners;
    std::vector<size_t> m_parkOrder;    // the clusters that nothing went on into
    std::vector<size_t> m_linkedOrder;  // those that went on from another
    size_t m_parkAt = 0;
    size_t m_linkedAt = 0;
    std::unordered_set<uint32_t> m_known;  // first clusters of the folder records
    FatFolderMark m_knownUpTo;             // where the list's tail stood when CatchUp last walked it
    const FatEntryRecord* m_entriesUpTo = nullptr;
};
