#include "engine/save/FolderTreeSave.h"

#include "engine/io/OutputFolder.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"

#include <unordered_map>
#include <unordered_set>

namespace {

constexpr uint32_t kNtfsRoot = 5;

bool Stopped()
{
    return g_nSaveStop.load() == 1;
}

uint64_t Join64(uint32_t low, uint32_t high)
{
    return (static_cast<uint64_t>(high) << 32) | low;
}

bool IsExtensiveNtfs()
{
    return g_nScanMode == kScanExtensive && g_VolumeParams.browsedFileSystemType == FileSystemKind::kNtfs;
}

bool InsideBrowsedVolume(const NtfsFileRecord* r)
{
    return r->sector > g_VolumeParams.clusterBase && r->sector <= g_VolumeParams.volumeEnd;
}

// The folder's own path: parent path, "\" and the folder's name made safe; the folder is created
// (an existing one is used; a failure shows up when its files cannot be created).
std::u16string MakeFolder(const std::u16string& parentPath, const char16_t* name)
{
    std::u16string path = JoinOutputPath(parentPath, MakeSafeFileName(name ? name : u""));
    CreateOutputFolder(path);
    return path;
}

// Children by parent key, built once per walk, in list order.
template <class Folder>
class FolderChildren {
public:
    template <class ParentOf>
    FolderChildren(Folder* head, ParentOf parent)
    {
        for (Folder* f = head; f; f = f->next)
            m_children[parent(f)].push_back(f);
    }
    const std::vector<Folder*>& Of(uint32_t key) const
    {
        static const std::vector<Folder*> none;
        auto it = m_children.find(key);
        return it == m_children.end() ? none : it->second;
    }

private:
    std::unordered_map<uint32_t, std::vector<Folder*>> m_children;
};

void SaveFatTree(const FolderChildren<FatFolderRecord>& children, std::unordered_set<uint32_t>& visited,
    uint32_t cluster, const std::u16string& parentPath, const char16_t* name)
{
    if (Stopped() || !visited.insert(cluster).second)
        return;
    std::u16string path = MakeFolder(parentPath, name);
    SaveFatFolderFiles(cluster, path);
    for (FatFolderRecord* child : children.Of(cluster)) {
        if (Stopped())
            return;
        SaveFatTree(children, visited, child->firstCluster, path, child->name);
    }
}

void SaveNtfsTree(const FolderChildren<NtfsFolderRecord>& children, std::unordered_set<uint32_t>& visited,
    uint32_t number, const std::u16string& parentPath, const char16_t* name)
{
    if (Stopped() || !visited.insert(number).second)
        return;
    std::u16string path = MakeFolder(parentPath, name);
    SaveNtfsFolderFiles(number, path);
    for (NtfsFolderRecord* child : children.Of(number)) {
        if (Stopped())
            return;
        SaveNtfsTree(children, visited, child->recordNumber, path, child->name);
    }
}

FolderChildren<FatFolderRecord> FatChildren()
{
    return FolderChildren<FatFolderRecord>(g_FatFolders.head, [](FatFolderRecord* f) { return f->parentCluster; });
}

FolderChildren<NtfsFolderRecord> NtfsChildren()
{
    return FolderChildren<NtfsFolderRecord>(g_NtfsFolders.head, [](NtfsFolderRecord* f) { return f->parentRecord; });
}

// The first record of each key, built once per save: a save of many single files (Find hits, File
// Trace hits) looks each key up instead of walking the list for it.
template <class Record, class KeyOf>
std::unordered_map<uint32_t, const Record*> FirstRecordByKey(const Record* head, KeyOf keyOf)
{
    std::unordered_map<uint32_t, const Record*> byKey;
    for (const Record* r = head; r; r = r->next)
        byKey.emplace(keyOf(r), r);
    return byKey;
}

// Saves the record of each key in the order of the keys; a key without a record is passed over.
template <class Record, class KeyOf, class Save>
void SaveFilesByKey(const std::vector<uint32_t>& keys, const Record* head, KeyOf keyOf, Save save)
{
    if (keys.empty())
        return;
    const std::unordered_map<uint32_t, const Record*> byKey = FirstRecordByKey(head, keyOf);
    for (uint32_t key : keys) {
        if (Stopped())
            return;
        auto it = byKey.find(key);
        if (it != byKey.end())
            save(it->second);
    }
}

void SaveTracedFileRecord(const TracedFileRecord* r, const std::u16string& folder)
{
    g_qwSaveFileTime = 0;
    SaveTracedFile(folder, r->name, r->sector, 1);
}

}  // namespace

void SaveFatFolderFiles(uint32_t cluster, const std::u16string& path)
{
    for (const FatEntryRecord* r = g_FatEntries.head; r && !Stopped(); r = r->next) {
        if (r->parentCluster != cluster)
            continue;
        g_qwSaveFileTime = r->writeDate;
        SaveFatFile(path, r->name, r->firstCluster, r->size, 1, r->deleted);
    }
}

void SaveNtfsFolderFiles(uint32_t number, const std::u16string& path)
{
    if (IsExtensiveNtfs()) {
        for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r && !Stopped(); r = r->next) {
            if (r->parentRecord != number || !InsideBrowsedVolume(r))
                continue;
            g_qwSaveFileTime = Join64(r->creationTimeLow, r->creationTimeHigh);
            SaveNtfsFile(path, r->name, r->sector, Join64(r->sizeLow, r->sizeHigh), 1, r->deleted);
        }
        return;
    }
    for (const MftEntryRecord* r = g_MftEntries.head; r && !Stopped(); r = r->next) {
        if (r->parentRecord != number)
            continue;
        g_qwSaveFileTime = Join64(r->creationTimeLow, r->creationTimeHigh);
        SaveNtfsFile(path, r->name, r->dataRecordSector, Join64(r->sizeLow, r->sizeHigh), 1, r->deleted);
    }
}

void SaveFatFolderTree(uint32_t cluster, const std::u16string& parentPath, const char16_t* name)
{
    std::unordered_set<uint32_t> visited;
    SaveFatTree(FatChildren(), visited, cluster, parentPath, name);
}

void SaveNtfsFolderTree(uint32_t number, const std::u16string& parentPath, const char16_t* name)
{
    std::unordered_set<uint32_t> visited;
    SaveNtfsTree(NtfsChildren(), visited, number, parentPath, name);
}

void SaveCheckedTreeItems(const SaveSelection& selection)
{
    const std::u16string& target = g_strSavePath;
    const std::unordered_set<uint32_t> ticked(selection.folderItems.begin(), selection.folderItems.end());
    if (g_nScanMode == kScanFileTrace) {
        SaveFilesByKey(
            selection.fileKeys, g_TracedFiles.head, [](const TracedFileRecord* r) { return r->hitNumber; },
            [&](const TracedFileRecord* r) { SaveTracedFileRecord(r, target); });
        return;
    }
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if (type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32) {
        std::unordered_map<uint32_t, const FatFolderRecord*> byCluster;
        for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
            byCluster.emplace(f->firstCluster, f);
        FolderChildren<FatFolderRecord> children = FatChildren();
        std::unordered_set<uint32_t> visited;
        for (const FatFolderRecord* f = g_FatFolders.head; f && !Stopped(); f = f->next) {
            if (!f->treeItem || !ticked.count(f->treeItem))
                continue;
            // Saved with a ticked folder above it.
            bool underTicked = false;
            std::unordered_set<uint32_t> seen{f->firstCluster};
            for (auto it = byCluster.find(f->parentCluster); it != byCluster.end() && !underTicked;
                 it = byCluster.find(it->second->parentCluster)) {
                if (!seen.insert(it->second->firstCluster).second)
                    break;
                underTicked = it->second->treeItem && ticked.count(it->second->treeItem);
            }
            if (!underTicked)
                SaveFatTree(children, visited, f->firstCluster, target, f->name);
        }
        SaveFilesByKey(
            selection.fileKeys, g_FatEntries.head, [](const FatEntryRecord* r) { return r->ordinal; },
            [&](const FatEntryRecord* r) {
                g_qwSaveFileTime = r->writeDate;
                SaveFatFile(target, r->name, r->firstCluster, r->size, 1, r->deleted);
            });
    } else if (type == FileSystemKind::kNtfs) {
        std::unordered_map<uint32_t, const NtfsFolderRecord*> byNumber;
        for (const NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next)
            byNumber.emplace(f->recordNumber, f);
        FolderChildren<NtfsFolderRecord> children = NtfsChildren();
        std::unordered_set<uint32_t> visited;
        for (const NtfsFolderRecord* f = g_NtfsFolders.head; f && !Stopped(); f = f->next) {
            if (!f->treeItem || !ticked.count(f->treeItem))
                continue;
            bool underTicked = false;
            std::unordered_set<uint32_t> seen{f->recordNumber};
            for (auto it = byNumber.find(f->parentRecord); it != byNumber.end() && !underTicked;
                 it = byNumber.find(it->second->parentRecord)) {
                if (!seen.insert(it->second->recordNumber).second)
                    break;
                underTicked = it->second->treeItem && ticked.count(it->second->treeItem);
            }
            if (!underTicked)
                SaveNtfsTree(children, visited, f->recordNumber, target, f->name);
        }
        if (IsExtensiveNtfs()) {
            SaveFilesByKey(
                selection.fileKeys, g_NtfsFileRecords.head, [](const NtfsFileRecord* r) { return r->sector; },
                [&](const NtfsFileRecord* r) {
                    g_qwSaveFileTime = Join64(r->creationTimeLow, r->creationTimeHigh);
                    SaveNtfsFile(target, r->name, r->sector, Join64(r->sizeLow, r->sizeHigh), 1, r->deleted);
                });
        } else {
            SaveFilesByKey(
                selection.fileKeys, g_MftEntries.head, [](const MftEntryRecord* r) { return r->dataRecordSector; },
                [&](const MftEntryRecord* r) {
                    g_qwSaveFileTime = Join64(r->creationTimeLow, r->creationTimeHigh);
                    SaveNtfsFile(target, r->name, r->dataRecordSector, Join64(r->sizeLow, r->sizeHigh), 1, r->deleted);
                });
        }
    }
}

void SaveWholeVolume(const std::u16string& path)
{
    CreateOutputFolder(path);
    if (g_nScanMode == kScanFileTrace) {
        for (const TracedFileRecord* r = g_TracedFiles.head; r && !Stopped(); r = r->next)
            SaveTracedFileRecord(r, MakeFolder(path, r->typeName));
        return;
    }
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if (type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32) {
        FolderChildren<FatFolderRecord> children = FatChildren();
        std::unordered_set<uint32_t> visited{0};
        SaveFatFolderFiles(0, path);
        for (FatFolderRecord* child : children.Of(0))
            SaveFatTree(children, visited, child->firstCluster, path, child->name);
    } else if (type == FileSystemKind::kNtfs) {
        FolderChildren<NtfsFolderRecord> children = NtfsChildren();
        std::unordered_set<uint32_t> visited{kNtfsRoot};
        SaveNtfsFolderFiles(kNtfsRoot, path);
        for (NtfsFolderRecord* child : children.Of(kNtfsRoot))
            SaveNtfsTree(children, visited, child->recordNumber, path, child->name);
    }
}

namespace {

// The file bytes of a folder and its subtree.
template <class Folder, class KeyOf, class AddFiles>
uint64_t TreeBytes(const FolderChildren<Folder>& children, uint32_t key, KeyOf keyOf, AddFiles filesOf,
    std::unordered_set<uint32_t>& visited)
{
    if (!visited.insert(key).second)
        return 0;
    uint64_t total = filesOf(key);
    for (Folder* child : children.Of(key))
        total += TreeBytes(children, keyOf(child), keyOf, filesOf, visited);
    return total;
}

}  // namespace

uint64_t ComputeSelectedSize(const SaveSelection& selection)
{
    if (g_nScanMode == kScanFileTrace)
        return 0;
    const std::unordered_set<uint32_t> ticked(selection.folderItems.begin(), selection.folderItems.end());
    const std::unordered_set<uint32_t> keys(selection.fileKeys.begin(), selection.fileKeys.end());
    std::unordered_set<uint32_t> visited;
    uint64_t total = 0;
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if (type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32) {
        std::unordered_map<uint32_t, uint64_t> bytesIn;
        for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next) {
            bytesIn[r->parentCluster] += r->size;
            if (keys.count(r->ordinal))
                total += r->size;
        }
        FolderChildren<FatFolderRecord> children = FatChildren();
        // Ticked folders in list order; a subtree already counted is not counted again.
        for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
            if (f->treeItem && ticked.count(f->treeItem)) {
                total += TreeBytes(
                    children, f->firstCluster, [](FatFolderRecord* c) { return c->firstCluster; },
                    [&](uint32_t k) { return bytesIn[k]; }, visited);
            }
        }
    } else if (type == FileSystemKind::kNtfs) {
        std::unordered_map<uint32_t, uint64_t> bytesIn;
        if (IsExtensiveNtfs()) {
            for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next) {
                if (!InsideBrowsedVolume(r))
                    continue;
                bytesIn[r->parentRecord] += Join64(r->sizeLow, r->sizeHigh);
                if (keys.count(r->sector))
                    total += Join64(r->sizeLow, r->sizeHigh);
            }
        } else {
            for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next) {
                bytesIn[r->parentRecord] += Join64(r->sizeLow, r->sizeHigh);
                if (keys.count(r->dataRecordSector))
                    total += Join64(r->sizeLow, r->sizeHigh);
            }
        }
        FolderChildren<NtfsFolderRecord> children = NtfsChildren();
        for (const NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next) {
            if (f->treeItem && ticked.count(f->treeItem)) {
                total += TreeBytes(
                    children, f->recordNumber, [](NtfsFolderRecord* c) { return c->recordNumber; },
                    [&](uint32_t k) { return bytesIn[k]; }, visited);
            }
        }
    }
    return total;
}

std::u16string SelectedSizeText(uint64_t bytes)
{
    return u"Selected Size : " + DecimalText(bytes / 1024 / 1024) + u" MB";
}
