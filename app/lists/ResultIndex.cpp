#include "app/lists/ResultIndex.h"

#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"

namespace {

uint64_t Join64(uint32_t low, uint32_t high)
{
    return (static_cast<uint64_t>(high) << 32) | low;
}

const std::vector<uint32_t>& NoKeys()
{
    static const std::vector<uint32_t> none;
    return none;
}

}  // namespace

char16_t** ResultFileInfo::NameField() const
{
    switch (kind) {
    case ResultFileKind::kFat:
        return &static_cast<FatEntryRecord*>(const_cast<void*>(record))->name;
    case ResultFileKind::kMft:
        return &static_cast<MftEntryRecord*>(const_cast<void*>(record))->name;
    case ResultFileKind::kNtfsFile:
        return &static_cast<NtfsFileRecord*>(const_cast<void*>(record))->name;
    case ResultFileKind::kTraced:
        return &static_cast<TracedFileRecord*>(const_cast<void*>(record))->name;
    }
    return nullptr;
}

const char16_t* ResultFileInfo::Name() const
{
    char16_t** field = NameField();
    return field != nullptr && *field != nullptr ? *field : u"";
}

char16_t** ResultFolderInfo::NameField() const
{
    // Both folder records begin with their name.
    return record != nullptr ? reinterpret_cast<char16_t**>(const_cast<void*>(record)) : nullptr;
}

bool CResultIndex::IsFileTrace() const
{
    return m_scanMode == kScanFileTrace;
}

std::u16string CResultIndex::TypeKey(const std::u16string& typeName)
{
    std::u16string key = typeName;
    for (char16_t& c : key)
        c = LowerCaseChar(c);
    return key;
}

void CResultIndex::Clear()
{
    *this = CResultIndex();
}

void CResultIndex::AddFile(const ResultFileInfo& file)
{
    if (!m_fileByKey.emplace(file.key, m_files.size()).second)
        return;  // the first record of a key is the one its row finds
    m_files.push_back(file);
    m_allFiles.push_back(file.key);
    m_filesIn[file.parentKey].push_back(file.key);
}

void CResultIndex::Build()
{
    BeginBuild();
    ContinueBuild(SIZE_MAX);
}

void CResultIndex::BeginBuild()
{
    Clear();
    m_scanMode = g_nScanMode;
    m_ntfs = g_VolumeParams.browsedFileSystemType == FileSystemKind::kNtfs;
    if (m_scanMode == kScanFileTrace) {
        m_walk = Walk::kTraced;
        m_next = g_TracedFiles.head;
    } else if (!m_ntfs) {
        m_walk = Walk::kFatFolders;
        m_next = g_FatFolders.head;
    } else {
        m_walk = Walk::kNtfsFolders;
        m_next = g_NtfsFolders.head;
    }
}

bool CResultIndex::ContinueBuild(size_t records)
{
    // Lists with nothing left are passed at once: the last record's step ends the walk.
    for (size_t looked = 0;; ++looked) {
        while (m_walk != Walk::kDone && m_next == nullptr)
            NextList();
        if (m_walk == Walk::kDone || looked == records)
            break;
        IndexNext();
    }
    if (m_walk == Walk::kDone)
        m_built = true;
    return m_built;
}

void CResultIndex::NextList()
{
    // The folders are indexed: their files come next.
    if (m_walk == Walk::kFatFolders) {
        m_walk = Walk::kFatEntries;
        m_next = g_FatEntries.head;
    } else if (m_walk == Walk::kNtfsFolders && m_scanMode == kScanExtensive) {
        m_walk = Walk::kNtfsFiles;
        m_next = g_NtfsFileRecords.head;
    } else if (m_walk == Walk::kNtfsFolders) {
        m_walk = Walk::kMftEntries;
        m_next = g_MftEntries.head;
    } else {
        m_walk = Walk::kDone;
    }
}

void CResultIndex::AddFolder(const ResultFolderInfo& folder)
{
    if (folder.item != 0)
        m_folderByItem.emplace(folder.item, m_folders.size());
    m_folderByKey.emplace(folder.key, m_folders.size());
    m_folders.push_back(folder);
}

void CResultIndex::IndexNext()
{
    switch (m_walk) {
    case Walk::kTraced: {
        const auto* r = static_cast<const TracedFileRecord*>(m_next);
        m_next = r->next;
        const uint64_t size = uint64_t{g_nTraceSizeClass ? g_nTraceSizeClass : 1} * 1024 * 1024;
        ResultFileInfo file;
        file.kind = ResultFileKind::kTraced;
        file.key = r->hitNumber;
        file.size = size;
        file.record = r;
        const size_t before = m_files.size();
        AddFile(file);
        if (m_files.size() != before)
            m_filesOfType[TypeKey(r->typeName ? r->typeName : u"")].push_back(file.key);
        break;
    }
    case Walk::kFatFolders: {
        const auto* r = static_cast<const FatFolderRecord*>(m_next);
        m_next = r->next;
        AddFolder({r->firstCluster, r->parentCluster, r->treeItem, r->deleted != 0, r});
        break;
    }
    case Walk::kFatEntries: {
        const auto* r = static_cast<const FatEntryRecord*>(m_next);
        m_next = r->next;
        AddFile({ResultFileKind::kFat, r->ordinal, r->parentCluster, r->size, r->deleted != 0, r});
        break;
    }
    case Walk::kNtfsFolders: {
        const auto* r = static_cast<const NtfsFolderRecord*>(m_next);
        m_next = r->next;
        AddFolder({r->recordNumber, r->parentRecord, r->treeItem, r->deleted != 0, r});
        break;
    }
    case Walk::kNtfsFiles: {
        const auto* r = static_cast<const NtfsFileRecord*>(m_next);
        m_next = r->next;
        const uint32_t first = g_VolumeParams.clusterBase;
        const uint32_t last = g_VolumeParams.volumeEnd;
        // After the volume's first sector (its boot sector, never a file record), as the listing and
        // the save bound it: a file counted or found here is one they list and save.
        if (r->sector > first && r->sector <= last) {
            AddFile({ResultFileKind::kNtfsFile, r->sector, r->parentRecord, Join64(r->sizeLow, r->sizeHigh),
                r->deleted != 0, r});
        }
        break;
    }
    case Walk::kMftEntries: {
        const auto* r = static_cast<const MftEntryRecord*>(m_next);
        m_next = r->next;
        AddFile({ResultFileKind::kMft, r->dataRecordSector, r->parentRecord, Join64(r->sizeLow, r->sizeHigh),
            r->deleted != 0, r});
        break;
    }
    case Walk::kDone:
        m_next = nullptr;
        break;
    }
}

const ResultFileInfo* CResultIndex::FileByKey(uint32_t key) const
{
    auto it = m_fileByKey.find(key);
    return it == m_fileByKey.end() ? nullptr : &m_files[it->second];
}

const ResultFolderInfo* CResultIndex::FolderByItem(uint32_t item) const
{
    auto it = m_folderByItem.find(item);
    return it == m_folderByItem.end() ? nullptr : &m_folders[it->second];
}

const ResultFolderInfo* CResultIndex::FolderByKey(uint32_t key) const
{
    auto it = m_folderByKey.find(key);
    return it == m_folderByKey.end() ? nullptr : &m_folders[it->second];
}

const std::vector<uint32_t>& CResultIndex::FilesIn(uint32_t folderKey) const
{
    auto it = m_filesIn.find(folderKey);
    return it == m_filesIn.end() ? NoKeys() : it->second;
}

const std::vector<uint32_t>& CResultIndex::FilesOfType(const std::u16string& typeName) const
{
    auto it = m_filesOfType.find(TypeKey(typeName));
    return it == m_filesOfType.end() ? NoKeys() : it->second;
}
