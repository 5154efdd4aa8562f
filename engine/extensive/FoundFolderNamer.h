// Names the folder records that the Extensive Scan found from the folder entries of their parents,
// and appends the files, as the found-volume scan parses the folders (engine/extensive/FoundVolumeScan.h).
// A folder the search found is named by the entries of the folder its ".." entry names. A deleted
// entry of another folder takes it, with that folder as its parent, only where the "." entry repeats
// its stamp (the folder was made as that entry's and moved since; one the "." does not prove named an
// older folder of the cluster, which the ".." outweighs) and it outweighs the deleted entries weighed
// before (DeletedFolderClaims), as the Quick Scan weighs them: a later folder made in an older one's
// cluster and moved was listed under the older folder's name.
// A folder that a live entry names is live, whichever entry the scan meets first: before a deleted
// entry of another folder takes it, the folder its ".." entry names is read ahead once for a live entry
// naming it (a folder moved out of a folder deleted later leaves a deleted entry there that is met
// first where the old folder lies before the new), and a live entry met later takes it back.
#pragma once

#include "engine/fat/DeletedFolderClaims.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/state/FoundRecords.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>

class FoundFolderNamer {
public:
    // Parses the entries of the folder whose first cluster is given into the sink, as a live folder's;
    // nothing where it cannot be read or does not begin with its "." and ".." entries.
    using FolderReader = std::function<void(uint32_t folder, const morvick::FatDirectoryParser::EntrySink& sink)>;

    // The folders are those of g_FatFolders now: each parent cluster a folder names is one of them.
    FoundFolderNamer(morvick::DeletedFolderClaims& claims, FolderReader readAhead);

    void operator()(const morvick::FatFoundEntry& e);

private:
    void NameFolder(const morvick::FatFoundEntry& e);
    void TakeFromAnotherFolder(const morvick::FatFoundEntry& e);
    const morvick::FatFoundEntry* LiveEntryInDotDotFolder(uint32_t cluster);
    void Take(FatFolderRecord& folder, const morvick::FatFoundEntry& e);
    bool ReachesTop(uint32_t parent, uint32_t folder) const;

    static uint64_t Key(uint32_t parent, uint32_t cluster) { return (uint64_t{parent} << 32) | cluster; }
    static bool PastTheSearch(uint32_t cluster);

    morvick::DeletedFolderClaims& m_claims;
    FolderReader m_readAhead;
    std::unordered_map<uint64_t, FatFolderRecord*> m_folders;  // by the parent whose entries name it, and cluster
    std::unordered_map<uint32_t, FatFolderRecord*> m_byCluster;
    std::unordered_map<uint32_t, FatFolderRecord*> m_orphans;
    std::unordered_map<uint32_t, uint32_t> m_found;  // the folders the search found: the folder their ".." names
    std::unordered_set<uint32_t> m_live;             // and of those a live entry names
    // The live folder entries of the folders read ahead, by the cluster they name; each folder is read once.
    std::unordered_map<uint32_t, std::unordered_map<uint32_t, morvick::FatFoundEntry>> m_readAheadEntries;
};
