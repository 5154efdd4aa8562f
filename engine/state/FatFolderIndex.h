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
#pragma once

#include <cstdint>

struct FatFolderRecord;

// The first record of g_FatFolders whose first cluster is `cluster`; null where there is none.
FatFolderRecord* FatFolderOfCluster(uint32_t cluster);

// Appends a record that is in no list at the tail of g_FatFolders and indexes it.
void AppendIndexedFatFolder(FatFolderRecord* record);

// Moves a record of g_FatFolders to its tail.
void MoveFatFolderToTail(FatFolderRecord* record);

// Forgets every record: the list was freed.
void ForgetFatFolderIndex();
