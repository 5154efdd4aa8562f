// Saving whole folders: each folder of a subtree is created on the target and its files are saved
// into it through the single-file savers. The walk follows the found-entry lists (a folder's
// children are the records whose parent is its key), which is what the result tree shows. A link
// (symbolic link, junction) already at a folder's name is not followed: the files that would have
// gone below it are reported as not saved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A FAT folder (first cluster `cluster`) named `name` inside `parentPath`, with everything below it.
void SaveFatFolderTree(uint32_t cluster, const std::u16string& parentPath, const char16_t* name);
// The same for an NTFS folder (MFT number `number`).
void SaveNtfsFolderTree(uint32_t number, const std::u16string& parentPath, const char16_t* name);

// What the user ticked: result-tree items of folders and row keys of files (the entry number of a
// FAT file, the record key of an NTFS file after a Quick Scan, the FILE-record sector after an
// Extensive Scan, the key of a traced file).
struct SaveSelection {
    std::vector<uint32_t> folderItems;
    std::vector<uint32_t> fileKeys;
};

// Saves the ticked folders (with their subtrees) and files into g_strSavePath. A folder inside
// another ticked folder is saved with it, once; an item or key without a record is passed over.
void SaveCheckedTreeItems(const SaveSelection& selection);

// Saves the whole browsed volume into `path`: the root's files, then every folder below the root
// with its subtree (File Trace: every traced file into its type's folder).
void SaveWholeVolume(const std::u16string& path);

// The bytes of what is ticked: the files below each ticked folder (a folder inside another ticked
// folder counts once) and each ticked file; nothing for File Trace.
uint64_t ComputeSelectedSize(const SaveSelection& selection);

// "Selected Size : " and the size in MiB (rounded down) and " MB".
std::u16string SelectedSizeText(uint64_t bytes);
