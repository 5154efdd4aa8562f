// Each file a loaded snapshot lists, looked for among the files that the scan that made it lists of
// the disk now, read again the same way: a file not found as listed is marked changed on the disk
// (its `changedOnDisk`), which keeps it listed but never saved.
#pragma once

#include "engine/state/RecordList.h"

#include <array>
#include <cstdint>
#include <unordered_map>

// What the files showed: how many the disk holds as listed, and how many it no longer does.
struct SnapshotFileCounts {
    uint32_t confirmed = 0;
    uint32_t changed = 0;
};

// True when the files show that the disk holds another volume than the snapshot's: more of them
// changed than confirmed (a file deleted since is confirmed: deleting files makes no other volume),
// or, where neither the boot sector nor the FAT or MFT vouched for the volume (`vouched` false), none
// confirmed of a snapshot that lists any.
inline bool FilesShowAnotherVolume(const SnapshotFileCounts& files, bool vouched)
{
    return files.changed > files.confirmed || (!vouched && files.confirmed == 0 && files.changed != 0);
}

// Marks the files of `listed` that `read` does not hold: both lists in the scan's order, compared
// side by side as long as they agree (an unchanged disk: one pass, no table), the rest looked up among
// the records of `read` not matched yet, each taken once, where `same` says the two are one file as
// listed: a record of `read` under `readKey` of it, a listed one under each of `listedKeys` of it in
// turn (the keys a record read now may have for it). Each listed file found is handed to `take` with
// its record as read, for what it takes of the disk's state now (a file deleted since).
template <class Listed, class Read, class ReadKey, class ListedKeys, class Same, class Take>
SnapshotFileCounts MarkChangedFiles(RecordList<Listed>& listed, const RecordList<Read>& read, ReadKey readKey,
    ListedKeys listedKeys, Same same, Take take)
{
    SnapshotFileCounts counts;
    Listed* l = listed.head;
    const Read* r = read.head;
    for (; l && r && same(*l, *r); l = l->next, r = r->next) {
        take(*l, *r);
        ++counts.confirmed;
    }
    if (!l)
        return counts;
    using Key = decltype(readKey(*r));
    std::unordered_multimap<Key, const Read*> left;
    for (; r; r = r->next)
        left.emplace(readKey(*r), r);
    for (; l; l = l->next) {
        bool found = false;
        for (const Key& key : listedKeys(*l)) {
            auto [from, to] = left.equal_range(key);
            for (; from != to && !same(*l, *from->second); ++from) {}
            if (from != to) {
                take(*l, *from->second);
                left.erase(from);
                found = true;
                break;
            }
        }
        if (found) {
            ++counts.confirmed;
        } else {
            l->changedOnDisk = 1;
            ++counts.changed;
        }
    }
    return counts;
}

// The same where a listed record has one key, as a record read has (`keyOf`, which both kinds give).
template <class Listed, class Read, class KeyOf, class Same, class Take>
SnapshotFileCounts MarkChangedFiles(RecordList<Listed>& listed, const RecordList<Read>& read, KeyOf keyOf, Same same,
    Take take)
{
    return MarkChangedFiles(
        listed, read, keyOf, [&keyOf](const Listed& l) { return std::array<decltype(keyOf(l)), 1>{keyOf(l)}; }, same,
        take);
}
