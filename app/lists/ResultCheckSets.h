// What the user ticked on the results page, kept beside the tree's and the list's check boxes: the
// checked tree items, the same items for the File Trace rows that are matched by name, the keys of
// the checked files, and, while a save is collected, its roots and the files saved one by one.
// A checked folder has all its files among the checked files, so a file is ticked exactly when its
// key is in checkedEntries.
#pragma once

#include <cstdint>
#include <unordered_set>

struct CResultCheckSets {
    std::unordered_set<uint32_t> checkedItems;
    std::unordered_set<uint32_t> checkedItemsByName;
    std::unordered_set<uint32_t> checkedEntries;
    std::unordered_set<uint32_t> saveRoots;
    std::unordered_set<uint32_t> filesToSave;

    void Clear()
    {
        checkedItems.clear();
        checkedItemsByName.clear();
        checkedEntries.clear();
        saveRoots.clear();
        filesToSave.clear();
    }
};
