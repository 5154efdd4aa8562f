// The FAT folder list's records by their first cluster, kept beside g_FatFolders so that a folder is
// found without walking the list. A scan looks for the record of a folder's cluster at every folder
// entry it meets, and a walk of the list at each made its time grow with the square of the folders
// (160,000 deleted folders took minutes).
//
// The index holds, for each first cluster, the record a walk from the head would meet first, and the
// record before it. It follows the list through the appends and moves made here; FreeFoundEntryLists
// clears it. A list replaced or filled elsewhere (a loaded snapshot, the lists a scratch scan sets
// aside and puts back, records appended by AppendRecord) no longer has the head, tail and count the
// index last saw, and is indexed again, once, at the next call.
//
// It also keeps where the list's tail stood (FatFolderTailMark): a walk that goes on later from the
// records that came to the tail since, appended or moved there, starts at FirstFatFolderAfter. A
// remembered record cannot tell that: moved to the tail, it leaves behind it the records appended
// after it, and a walk from the record after it never met them.
#pragma once

#include <cstddef>
#include <cstdint>

struct FatFolderRecord;

// Where the tail of g_FatFolders stood. The default mark stands before the first record.
struct FatFolderMark {
    uint32_t generation = 0;  // the list it was taken of
    size_t arrivals = 0;      // how many times a record had come to the tail
};

// The first record of g_FatFolders whose first cluster is `cluster`; null where there is none.
FatFolderRecord* FatFolderOfCluster(uint32_t cluster);

// Appends a record that is in no list at the tail of g_FatFolders and indexes it.
void AppendIndexedFatFolder(FatFolderRecord* record);

// Moves a record of g_FatFolders to its tail.
void MoveFatFolderToTail(FatFolderRecord* record);

// Where the tail of g_FatFolders stands now.
FatFolderMark FatFolderTailMark();

// The first record of g_FatFolders that came to its tail after `mark` was taken, appended or moved
// there; the list from it on holds every such record, and no other. Null when none came. The head
// where the list was replaced or filled elsewhere since (each of its records is new to the walk).
FatFolderRecord* FirstFatFolderAfter(const FatFolderMark& mark);

// Forgets every record: the list was freed.
void ForgetFatFolderIndex();
