// What the results page looks up again and again, taken once from the engine's found-entry lists
// after the result tree has stored its items in the folder records: every folder with its key,
// parent key and tree item, every file with the key its row carries, its folder's key and its size,
// and the files of each folder. File Trace has no folders on the disk: its "folders" are the type
// names of the traced files. The index is dropped when the results are left; the lists must not
// change while it is kept (a rename changes only a record's name, which the index does not hold).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/state/FoundRecords.h"

enum class ResultFileKind { kFat, kMft, kNtfsFile, kTraced };

struct ResultFileInfo {
    ResultFileKind kind = ResultFileKind::kFat;
    uint32_t key = 0;        // the number in the row's ID column
    uint32_t parentKey = 0;  // its folder's key (File Trace: 0)
    uint64_t size = 0;
    bool deleted = false;
    const void* record = nullptr;

    // The record's name field, for reading and for a rename.
    char16_t** NameField() const;
    const char16_t* Name() const;
};

struct ResultFolderInfo {
    uint32_t key = 0;
    uint32_t parentKey = 0;
    uint32_t item = 0;  // the result tree's item
    bool deleted = false;
    const void* record = nullptr;  // FatFolderRecord or NtfsFolderRecord

    char16_t** NameField() const;
};

class CResultIndex {
public:
    // The key of the root folder: 0 on FAT, 5 on NTFS.
    static constexpr uint32_t kFatRootKey = 0;
    static constexpr uint32_t kNtfsRootKey = 5;

    // Takes the lists of the current scan mode and browsed file system.
    void Build();
    // The same a bounded number of records at a time (a window indexes a million files between its
    // messages): BeginBuild, then ContinueBuild until it answers true; the index is built (IsBuilt)
    // only then. The lists must not change meanwhile.
    void BeginBuild();
    bool ContinueBuild(size_t records);
    void Clear();
    bool IsBuilt() const { return m_built; }

    int ScanMode() const { return m_scanMode; }
    bool IsFileTrace() const;
    bool IsNtfs() const { return m_ntfs; }
    uint32_t RootKey() const { return m_ntfs ? kNtfsRootKey : kFatRootKey; }

    const ResultFileInfo* FileByKey(uint32_t key) const;
    const ResultFolderInfo* FolderByItem(uint32_t item) const;
    // The first folder record with the key (File Trace: none).
    const ResultFolderInfo* FolderByKey(uint32_t key) const;
    // The keys of the files directly in a folder, in list order.
    const std::vector<uint32_t>& FilesIn(uint32_t folderKey) const;
    // File Trace: the keys of the traced files of a type name (compared without regard to case).
    const std::vector<uint32_t>& FilesOfType(const std::u16string& typeName) const;
    // Every file key, in list order.
    const std::vector<uint32_t>& AllFiles() const { return m_allFiles; }
    const std::vector<ResultFolderInfo>& Folders() const { return m_folders; }

    // The case-free form of a type name used as a key.
    static std::u16string TypeKey(const std::u16string& typeName);

private:
    enum class Walk { kDone, kTraced, kFatFolders, kFatEntries, kNtfsFolders, kNtfsFiles, kMftEntries };
    void AddFile(const ResultFileInfo& file);
    void AddFolder(const ResultFolderInfo& folder);
    void NextList();
    void IndexNext();

    Walk m_walk = Walk::kDone;
    const void* m_next = nullptr;  // the next record of the list being indexed

    bool m_built = false;
    bool m_ntfs = false;
    int m_scanMode = -1;
    std::vector<ResultFileInfo> m_files;
    std::unordered_map<uint32_t, size_t> m_fileByKey;
    std::vector<ResultFolderInfo> m_folders;
    std::unordered_map<uint32_t, size_t> m_folderByItem;
    std::unordered_map<uint32_t, size_t> m_folderByKey;
    std::unordered_map<uint32_t, std::vector<uint32_t>> m_filesIn;
    std::unordered_map<std::u16string, std::vector<uint32_t>> m_filesOfType;
    std::vector<uint32_t> m_allFiles;
};
