#include "engine/extensive/FoundFolderNamer.h"

#include "engine/fat/FatEntryLists.h"
#include "engine/state/EngineState.h"
#include "engine/state/RecordList.h"
#include "engine/state/SectorLimit.h"

#include <cstdlib>
#include <utility>

FoundFolderNamer::FoundFolderNamer(morvick::DeletedFolderClaims& claims, FolderReader readAhead)
    : m_claims(claims), m_readAhead(std::move(readAhead))
{
    for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
        m_folders.emplace(Key(f->parentCluster, f->firstCluster), f);
        m_byCluster.emplace(f->firstCluster, f);
        if (f->parentCluster == kLostDirCluster)
            m_orphans.emplace(f->firstCluster, f);
        else if (f->firstCluster != kLostDirCluster)
            m_found.emplace(f->firstCluster, f->parentCluster);
    }
}

void FoundFolderNamer::operator()(const morvick::FatFoundEntry& e)
{
    if (e.folder) {
        NameFolder(e);
        return;
    }
    if (AppendFatEntry(e.name, e.firstCluster, e.parentCluster, e.writeDate, e.accessDate, e.size, e.deleted ? 1 : 0,
            e.shortName ? 1 : 0)) {
        g_qwFoundBytes += e.size;
        ++g_nFatFileCount;
    }
}

void FoundFolderNamer::NameFolder(const morvick::FatFoundEntry& e)
{
    auto it = m_folders.find(Key(e.parentCluster, e.firstCluster));
    if (it != m_folders.end()) {
        if (e.deleted) {
            // Once a live entry names the folder no deleted one renames it: the entry the folder had
            // before it was renamed in place, met after the new one, listed it deleted under its old name.
            if (m_live.count(e.firstCluster) != 0)
                return;
            // Two deleted folder entries name the folder: it is the one its "." proves, not the last
            // met, which listed a later folder's files under an older folder's name.
            if (m_claims.Weigh(e) == morvick::DeletedFolderClaims::Claim::kWorse)
                return;
        } else {
            m_live.insert(e.firstCluster);
        }
        // Back under this parent where an entry of another folder had taken it.
        Take(*it->second, e);
        return;
    }
    if (m_found.count(e.firstCluster) != 0) {
        if (e.deleted) {
            TakeFromAnotherFolder(e);
        } else if (m_live.count(e.firstCluster) == 0 && ReachesTop(e.parentCluster, e.firstCluster)) {
            // A live entry of another folder than the one the ".." names, the first live entry met: the
            // folder is live whichever entry is met first, and a deleted one that took it before gives
            // it back. The live entry of the folder the ".." names, met later, takes it from this one.
            m_live.insert(e.firstCluster);
            Take(*m_byCluster.at(e.firstCluster), e);
        }
        return;
    }
    FatFolderRecord* folder = nullptr;
    if (PastTheSearch(e.firstCluster)) {
        // A folder past the sectors the search reads (engine/state/SectorLimit.h), which it could
        // not meet: its parent's entry lists it, and the walk of the folder list reads it.
        if (m_byCluster.count(e.firstCluster) != 0)
            return;
        folder = AppendNewFatFolder(e.name, e.firstCluster, e.parentCluster, e.writeDate, e.accessDate, 0,
            e.deleted ? 1 : 0);
        if (folder) {
            m_folders.emplace(Key(e.parentCluster, e.firstCluster), folder);
            m_byCluster.emplace(e.firstCluster, folder);
        }
        return;
    }
    // A folder whose own first sector the search did not meet (unreadable, or not starting with its
    // "." and ".." entries) was gathered under "Lost Dir" for its subfolders; its parent's entry
    // puts it back, unless that parent lies below it.
    auto orphan = m_orphans.find(e.firstCluster);
    if (orphan == m_orphans.end() || e.deleted || !ReachesTop(e.parentCluster, e.firstCluster))
        return;
    folder = orphan->second;
    m_orphans.erase(orphan);
    folder->parentCluster = e.parentCluster;
    m_folders.emplace(Key(e.parentCluster, e.firstCluster), folder);
    m_live.insert(e.firstCluster);
    Take(*folder, e);
}

// A deleted entry of another folder than the one the ".." entry names, naming a folder the search
// found: it takes the folder where the "." repeats its stamp and it outweighs the deleted entries
// weighed before, unless a live entry names the folder (met already, or in the folder the ".." names,
// read ahead) or that folder lies below this one.
void FoundFolderNamer::TakeFromAnotherFolder(const morvick::FatFoundEntry& e)
{
    if (m_live.count(e.firstCluster) != 0 || !m_claims.DotRepeatsStamp(e) || !ReachesTop(e.parentCluster, e.firstCluster))
        return;
    FatFolderRecord& folder = *m_byCluster.at(e.firstCluster);
    if (const morvick::FatFoundEntry* live = LiveEntryInDotDotFolder(e.firstCluster)) {
        // Taken, the folder's files were read as deleted before the live entry was met, and saved
        // empty where the FAT still holds their chains.
        m_live.insert(e.firstCluster);
        Take(folder, *live);
        return;
    }
    if (m_claims.Weigh(e) == morvick::DeletedFolderClaims::Claim::kWorse)
        return;
    Take(folder, e);
}

// The live entry naming the folder at `cluster` in the folder its ".." entry names, which is read
// once, on the first question; null where there is none. The root's entries were all met first, and a
// folder listed deleted holds none.
const morvick::FatFoundEntry* FoundFolderNamer::LiveEntryInDotDotFolder(uint32_t cluster)
{
    const uint32_t parent = m_found.at(cluster);
    auto folder = m_byCluster.find(parent);
    if (parent == 0 || parent == cluster || folder == m_byCluster.end() || folder->second->deleted != 0 || !m_readAhead)
        return nullptr;
    auto read = m_readAheadEntries.find(parent);
    if (read == m_readAheadEntries.end()) {
        read = m_readAheadEntries.emplace(parent, std::unordered_map<uint32_t, morvick::FatFoundEntry>()).first;
        auto& live = read->second;
        m_readAhead(parent, [&live](const morvick::FatFoundEntry& e) {
            if (e.folder && !e.deleted)
                live.emplace(e.firstCluster, e);
        });
    }
    auto entry = read->second.find(cluster);
    return entry == read->second.end() ? nullptr : &entry->second;
}

// Gives the folder the entry's name, deleted mark and folder as its parent; a parent that lies
// below the folder (a damaged volume) is not taken, and nothing changes when the name cannot be
// copied.
void FoundFolderNamer::Take(FatFolderRecord& folder, const morvick::FatFoundEntry& e)
{
    char16_t* name = CopyRecordName(e.name);
    if (!name)
        return;
    std::free(folder.name);
    folder.name = name;
    folder.deleted = e.deleted ? 1 : 0;
    if (folder.parentCluster != e.parentCluster && ReachesTop(e.parentCluster, folder.firstCluster))
        folder.parentCluster = e.parentCluster;
}

bool FoundFolderNamer::PastTheSearch(uint32_t cluster)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    return !FitsSectorField(uint64_t{b.clusterBase} + uint64_t{cluster} * b.sectorsPerCluster);
}

// True when the folders above `parent` lead to the root or to "Lost Dir" without passing `folder`:
// only then does putting `folder` under `parent` keep it in the tree. On a cross-linked volume a
// folder may list one of its own ancestors as a subfolder, which would close a loop that neither
// the root nor "Lost Dir" reaches, and every folder and file in it would be lost from view.
bool FoundFolderNamer::ReachesTop(uint32_t parent, uint32_t folder) const
{
    for (size_t steps = 0; steps <= m_byCluster.size(); ++steps) {
        if (parent == folder)
            return false;
        if (parent == 0 || parent == kLostDirCluster)
            return true;
        auto it = m_byCluster.find(parent);
        if (it == m_byCluster.end())
            return false;
        parent = it->second->parentCluster;
    }
    return false;  // the folders above already go round in a loop
}
