// The walk of a folder tree that a save makes: each folder is created on the target and its files
// are saved into it, then its subfolders follow in list order. Subfolders and files come from
// tables built once per save, so that the walk is linear in the number of entries.
#pragma once

#include "engine/save/ByParent.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

// The files of each folder (by the folder's key) and how they are saved.
class FolderFiles {
public:
    virtual ~FolderFiles() = default;
    // Saves the folder's files into `path`, in list order, until the save is stopped.
    virtual void Save(uint32_t folder, const std::u16string& path) const = 0;
    // Records as not saved each file of the folder that the save would have written into `path`.
    virtual void RecordNotSaved(uint32_t folder, const std::u16string& path) const = 0;
};

// A folder as the walk sees it: its key (FAT: its first cluster; NTFS: its MFT number) and name.
struct FolderNode {
    uint32_t key;
    const char16_t* name;
};

class FolderTreeWalk {
public:
    FolderTreeWalk(ByParent<FolderNode> subfolders, std::unique_ptr<const FolderFiles> files)
        : m_subfolders(std::move(subfolders)), m_files(std::move(files))
    {}

    // The folder `key` named `name` inside `parentPath`, with everything below it. A folder that is
    // walked already (damaged lists can hold cycles) is passed over; the walk ends when the save's
    // stop flag is raised.
    void SaveTree(uint32_t key, const std::u16string& parentPath, const char16_t* name);
    // The files and subfolders of the folder `key` into `path`, which exists (the target itself).
    void SaveContents(uint32_t key, const std::u16string& path);

private:
    void RecordTreeNotSaved(uint32_t key, const std::u16string& path);

    ByParent<FolderNode> m_subfolders;
    std::unique_ptr<const FolderFiles> m_files;
    std::unordered_set<uint32_t> m_visited;
};
