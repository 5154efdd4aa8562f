// The later clusters of FAT folders whose chain was freed. Deleting a folder frees its chain in the
// FAT, so its first cluster, which its entry names, is all that leads to it: the entries of its other
// clusters are still on the disk, in free clusters that hold nothing but directory entries and no "."
// entry. Both scans note each folder whose entries go on past its last cluster while the FAT has that
// cluster free; this then looks for such free clusters over the chosen volume (g_VolumeParams) once,
// parses those that the engine can tell belong to a noted folder into it, and the rest under
// "Lost Dir". A cluster the FATs mark in use (a live folder's or file's) is never read as entries,
// nor one that a deleted file found claims for its data (engine/scan/FreeClusterClaims.h): each file
// found, also in a cluster parsed here, claims its clusters before the next cluster is judged.
#pragma once

#include "engine/fat/FatDirectoryParser.h"
#include "engine/state/FoundRecords.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class FreeClusterClaims;

class FreedFolderClusters {
public:
    // Entries go to `sink` as the folder parsers give them; `stopped` ends every loop.
    FreedFolderClusters(morvick::SectorSource& disk, morvick::FatDirectoryParser::EntrySink sink,
        std::function<bool()> stopped);
    ~FreedFolderClusters();

    // After a folder's chain was parsed with `parser`: keeps the parser when the folder's entries go on
    // past `lastCluster` (no end of the folder was met) and the first FAT has that cluster free: the
    // folder's chain was freed before its end.
    void NoteFolderEnd(uint32_t folderCluster, uint32_t lastCluster,
        std::unique_ptr<morvick::FatDirectoryParser> parser);

    // Parses into their folders the free clusters of entries that finish a long name which the last
    // cluster of a noted folder, or a cluster parsed before, began (also one that begins with the
    // name's short entry alone). On the first call with a noted folder it finds the free clusters of
    // entries, the progress going from 0 to 99 as it reads them. True when it parsed any (their
    // subfolders are new folders to read).
    bool AttachToTheirFolders();

    // Parses one free cluster of entries that no folder took: into the folder that its subfolders
    // name as their parent (their ".." entries) when they agree on one that is not the root and whose
    // first cluster is still free (a folder "Dir" and its cluster under "Lost Dir" while that folder is
    // not known), else into "Lost Dir". The clusters that go on from it follow on the next
    // AttachToTheirFolders. False when none is left.
    bool ParkNext();

private:
    struct Candidate;

    void FindCandidates();
    void ReadFreeClusters();
    void FindParents();
    // Takes in the folders and files listed since the last call: the folders' first clusters are
    // folders' now, and each deleted file claims its clusters.
    void CatchUp();
    // False, the candidate put aside, when it was taken or its cluster is now claimed: file data.
    bool Judge(size_t k);
    void Take(size_t k);
    // The candidate that the waiting name of `parser` goes on into, its bytes in `bytes`; null for none.
    Candidate* NextOfName(const morvick::FatDirectoryParser& parser, std::vector<uint8_t>& bytes);
    std::vector<uint8_t> ClusterBytes(uint32_t cluster);
    void Parse(uint32_t folder, const std::vector<uint8_t>& bytes, size_t from);
    uint32_t ParkingFolder(const Candidate& c);

    morvick::SectorSource& m_disk;
    morvick::FatDirectoryParser::EntrySink m_sink;
    std::function<bool()> m_stopped;
    bool m_fat32;
    uint32_t m_clusterCount;
    uint32_t m_sectorsPerCluster;
    bool m_searched = false;
    std::unique_ptr<FreeClusterClaims> m_free;
    // The parsers of the last clusters read, whose last name may go on in another cluster; those
    // before m_endsDone were looked at (and freed).
    std::vector<std::unique_ptr<morvick::FatDirectoryParser>> m_ends;
    size_t m_endsDone = 0;
    std::vector<Candidate> m_candidates;
    std::unordered_multimap<uint8_t, size_t> m_byLeadingChecksum;
    std::set<size_t> m_shortLeads;  // the candidates not yet taken that begin with a short entry
    size_t m_shortLeadTrials = 0;
    std::vector<size_t> m_parkOrder;
    size_t m_parkAt = 0;
    std::unordered_set<uint32_t> m_known;  // first clusters of the folder records
    const FatFolderRecord* m_knownUpTo = nullptr;
    const FatEntryRecord* m_entriesUpTo = nullptr;
};
