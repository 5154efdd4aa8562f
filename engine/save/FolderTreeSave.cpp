#include "engine/save/FolderTreeSave.h"

#include "engine/io/OutputFolder.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/ByParent.h"
#include "engine/save/FileSavers.h"
#include "engine/save/FolderTreeWalk.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/save/SaveTarget.h"
#include "engine/state/EngineState.h"

#include <memory>
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

DeletedState DeletedOf(uint32_t deleted)
{
    return deleted ? DeletedState::kDeleted : DeletedState::kLive;
}

// One file of each kind of record through its saver, with the file time the record gives; a file
// that a loaded snapshot lists but the disk no longer holds is refused.
void SaveRecord(const FatEntryRecord* r, const std::u16string& folder)
{
    if (RefusedAsChangedOnDisk(r->changedOnDisk, folder, r->name, true, DeletedOf(r->deleted)))
        return;
    g_qwSaveFileTime = r->writeDate;
    SaveFatFile(folder, r->name, r->firstCluster, r->size, 1, r->deleted);
}

void SaveRecord(const MftEntryRecord* r, const std::u16string& folder)
{
    if (RefusedAsChangedOnDisk(r->changedOnDisk, folder, r->name, true, DeletedOf(r->deleted)))
        return;
    g_qwSaveFileTime = Join64(r->creationTimeLow, r->creationTimeHigh);
    SaveNtfsFile(folder, r->name, r->dataRecordSector, r->recordNumber, Join64(r->sizeLow, r->sizeHigh), 1, r->deleted);
}

void SaveRecord(const NtfsFileRecord* r, const std::u16string& folder)
{
    if (RefusedAsChangedOnDisk(r->changedOnDisk, folder, r->name, true, DeletedOf(r->deleted)))
        return;
    g_qwSaveFileTime = Join64(r->creationTimeLow, r->creationTimeHigh);
    SaveNtfsFile(folder, r->name, r->sector, kAnyRecordNumber, Join64(r->sizeLow, r->sizeHigh), 1, r->deleted);
}

void SaveRecord(const TracedFileRecord* r, const std::u16string& folder)
{
    if (RefusedAsChangedOnDisk(r->changedOnDisk, folder, r->name, true, DeletedState::kNotApplicable))
        return;
    g_qwSaveFileTime = 0;
    SaveTracedFile(folder, r->name, r->sector, 1);
}

// A file that the save would have written into `folder` (its name passes the filters, and the
// deleted-file setting takes it) is recorded as not saved.
void RecordNotSavedInto(const std::u16string& folder, const char16_t* name, DeletedState deleted)
{
    std::u16string path;
    if (PrepareSaveTarget(folder, name, true, deleted, path))
        RecordNotSaved(name);
}

// The files of one kind of record, grouped by their parent folder once per save.
template <class Record>
class FilesOf : public FolderFiles {
public:
    template <class ParentOf, class Keep>
    FilesOf(const Record* head, ParentOf parentOf, Keep keep) : m_files(GroupByParent(head, parentOf, keep))
    {}

    void Save(uint32_t folder, const std::u16string& path) const override
    {
        for (const Record* r : m_files.Of(folder)) {
            if (Stopped())
                return;
            SaveRecord(r, path);
        }
    }

    void RecordNotSaved(uint32_t folder, const std::u16string& path) const override
    {
        for (const Record* r : m_files.Of(folder))
            RecordNotSavedInto(path, r->name, DeletedOf(r->deleted));
    }

private:
    ByParent<const Record*> m_files;
};

const auto kEveryRecord = [](const void*) { return true; };

std::unique_ptr<FolderFiles> FatFiles()
{
    return std::make_unique<FilesOf<FatEntryRecord>>(
        g_FatEntries.head, [](const FatEntryRecord* r) { return r->parentCluster; }, kEveryRecord);
}

std::unique_ptr<FolderFiles> NtfsFiles()
{
    if (IsExtensiveNtfs()) {
        return std::make_unique<FilesOf<NtfsFileRecord>>(
            g_NtfsFileRecords.head, [](const NtfsFileRecord* r) { return r->parentRecord; }, InsideBrowsedVolume);
    }
    return std::make_unique<FilesOf<MftEntryRecord>>(
        g_MftEntries.head, [](const MftEntryRecord* r) { return r->parentRecord; }, kEveryRecord);
}

ByParent<FolderNode> FatSubfolders()
{
    ByParent<FolderNode> subfolders;
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        subfolders.Add(f->parentCluster, FolderNode{f->firstCluster, f->name});
    return subfolders;
}

ByParent<FolderNode> NtfsSubfolders()
{
    ByParent<FolderNode> subfolders;
    for (const NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next)
        subfolders.Add(f->parentRecord, FolderNode{f->recordNumber, f->name});
    return subfolders;
}

// The walk of the browsed volume's folder tree, its tables built once per save.
FolderTreeWalk FatWalk()
{
    return FolderTreeWalk(FatSubfolders(), FatFiles());
}

FolderTreeWalk NtfsWalk()
{
    return FolderTreeWalk(NtfsSubfolders(), NtfsFiles());
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
template <class Record, class KeyOf>
void SaveFilesByKey(const std::vector<uint32_t>& keys, const Record* head, KeyOf keyOf, const std::u16string& folder)
{
    if (keys.empty())
        return;
    const std::unordered_map<uint32_t, const Record*> byKey = FirstRecordByKey(head, keyOf);
    for (uint32_t key : keys) {
        if (Stopped())
            return;
        auto it = byKey.find(key);
        if (it != byKey.end())
            SaveRecord(it->second, folder);
    }
}

// Saves each ticked folder of the list with its subtree, unless a ticked folder above it saves it:
// saved again on its own, it would come out a second time as numbered copies (or overwrite itself).
template <class Folder, class KeyOf, class ParentOf>
void SaveTickedFolders(const Folder* head, const std::unordered_set<uint32_t>& ticked, KeyOf keyOf, ParentOf parentOf,
    FolderTreeWalk& walk, const std::u16string& target)
{
    std::unordered_map<uint32_t, const Folder*> byKey;
    for (const Folder* f = head; f; f = f->next)
        byKey.emplace(keyOf(f), f);
    for (const Folder* f = head; f && !Stopped(); f = f->next) {
        if (!f->treeItem || !ticked.count(f->treeItem))
            continue;
        bool underTicked = false;
        std::unordered_set<uint32_t> seen{keyOf(f)};
        for (auto it = byKey.find(parentOf(f)); it != byKey.end() && !underTicked;
             it = byKey.find(parentOf(it->second))) {
            if (!seen.insert(keyOf(it->second)).second)
                break;
            underTicked = it->second->treeItem && ticked.count(it->second->treeItem);
        }
        if (!underTicked)
            walk.SaveTree(keyOf(f), target, f->name);
    }
}

uint32_t FatKey(const FatFolderRecord* f)
{
    return f->firstCluster;
}
uint32_t FatParent(const FatFolderRecord* f)
{
    return f->parentCluster;
}
uint32_t NtfsKey(const NtfsFolderRecord* f)
{
    return f->recordNumber;
}
uint32_t NtfsParent(const NtfsFolderRecord* f)
{
    return f->parentRecord;
}

}  // namespace

void SaveFatFolderTree(uint32_t cluster, const std::u16string& parentPath, const char16_t* name)
{
    FatWalk().SaveTree(cluster, parentPath, name);
}

void SaveNtfsFolderTree(uint32_t number, const std::u16string& parentPath, const char16_t* name)
{
    NtfsWalk().SaveTree(number, parentPath, name);
}

void SaveCheckedTreeItems(const SaveSelection& selection)
{
    const std::u16string& target = g_strSavePath;
    const std::unordered_set<uint32_t> ticked(selection.folderItems.begin(), selection.folderItems.end());
    if (g_nScanMode == kScanFileTrace) {
        SaveFilesByKey(
            selection.fileKeys, g_TracedFiles.head, [](const TracedFileRecord* r) { return r->hitNumber; }, target);
        return;
    }
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if (type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32) {
        if (!ticked.empty()) {
            FolderTreeWalk walk = FatWalk();
            SaveTickedFolders(g_FatFolders.head, ticked, FatKey, FatParent, walk, target);
        }
        SaveFilesByKey(
            selection.fileKeys, g_FatEntries.head, [](const FatEntryRecord* r) { return r->ordinal; }, target);
    } else if (type == FileSystemKind::kNtfs) {
        if (!ticked.empty()) {
            FolderTreeWalk walk = NtfsWalk();
            SaveTickedFolders(g_NtfsFolders.head, ticked, NtfsKey, NtfsParent, walk, target);
        }
        if (IsExtensiveNtfs()) {
            SaveFilesByKey(
                selection.fileKeys, g_NtfsFileRecords.head, [](const NtfsFileRecord* r) { return r->sector; }, target);
        } else {
            SaveFilesByKey(
                selection.fileKeys, g_MftEntries.head, [](const MftEntryRecord* r) { return r->dataRecordSector; },
                target);
        }
    }
}

namespace {

// Every traced file into the folder of its type, each folder made once; the files of a type whose
// folder is a link are recorded as not saved.
void SaveTracedFilesByType(const std::u16string& path)
{
    std::unordered_map<std::u16string, std::pair<std::u16string, bool>> folders;  // path, usable
    for (const TracedFileRecord* r = g_TracedFiles.head; r && !Stopped(); r = r->next) {
        const std::u16string typeName = r->typeName ? r->typeName : u"";
        auto it = folders.find(typeName);
        if (it == folders.end()) {
            const std::u16string folder = JoinOutputPath(path, MakeSafeFileName(typeName));
            const bool usable = CreateOutputFolder(folder) || !OutputPathIsLink(folder);
            it = folders.emplace(typeName, std::make_pair(folder, usable)).first;
        }
        if (it->second.second)
            SaveRecord(r, it->second.first);
        else
            RecordNotSavedInto(it->second.first, r->name, DeletedState::kNotApplicable);
    }
}

}  // namespace

void SaveWholeVolume(const std::u16string& path)
{
    CreateOutputFolder(path);
    if (g_nScanMode == kScanFileTrace) {
        SaveTracedFilesByType(path);
        return;
    }
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if (type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32) {
        FatWalk().SaveContents(0, path);
    } else if (type == FileSystemKind::kNtfs) {
        NtfsWalk().SaveContents(kNtfsRoot, path);
    }
}

namespace {

// The file bytes of a folder and its subtree; a folder counted already counts nothing.
uint64_t TreeBytes(const ByParent<FolderNode>& subfolders, uint32_t key,
    const std::unordered_map<uint32_t, uint64_t>& bytesIn, std::unordered_set<uint32_t>& visited)
{
    if (!visited.insert(key).second)
        return 0;
    auto it = bytesIn.find(key);
    uint64_t total = it == bytesIn.end() ? 0 : it->second;
    for (const FolderNode& child : subfolders.Of(key))
        total += TreeBytes(subfolders, child.key, bytesIn, visited);
    return total;
}

// The bytes below the ticked folders of a list, in list order.
template <class Folder, class KeyOf>
uint64_t TickedFolderBytes(const Folder* head, const std::unordered_set<uint32_t>& ticked, KeyOf keyOf,
    const ByParent<FolderNode>& subfolders, const std::unordered_map<uint32_t, uint64_t>& bytesIn)
{
    std::unordered_set<uint32_t> visited;
    uint64_t total = 0;
    for (const Folder* f = head; f; f = f->next) {
        if (f->treeItem && ticked.count(f->treeItem))
            total += TreeBytes(subfolders, keyOf(f), bytesIn, visited);
    }
    return total;
}

}  // namespace

uint64_t ComputeSelectedSize(const SaveSelection& selection)
{
    if (g_nScanMode == kScanFileTrace)
        return 0;
    const std::unordered_set<uint32_t> ticked(selection.folderItems.begin(), selection.folderItems.end());
    const std::unordered_set<uint32_t> keys(selection.fileKeys.begin(), selection.fileKeys.end());
    std::unordered_map<uint32_t, uint64_t> bytesIn;
    uint64_t total = 0;
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if (type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32) {
        for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next) {
            bytesIn[r->parentCluster] += r->size;
            if (keys.count(r->ordinal))
                total += r->size;
        }
        total += TickedFolderBytes(g_FatFolders.head, ticked, FatKey, FatSubfolders(), bytesIn);
    } else if (type == FileSystemKind::kNtfs) {
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
        total += TickedFolderBytes(g_NtfsFolders.head, ticked, NtfsKey, NtfsSubfolders(), bytesIn);
    }
    return total;
}

std::u16string SelectedSizeText(uint64_t bytes)
{
    return u"Selected Size : " + DecimalText(bytes / 1024 / 1024) + u" MB";
}
