// The process-wide found-entry lists and the counters of the Quick Scan FAT pass.
#pragma once

#include "engine/state/RecordList.h"

#include <cstdint>

extern RecordList<FatEntryRecord> g_FatEntries;
extern RecordList<FatFolderRecord> g_FatFolders;
extern RecordList<NtfsFolderRecord> g_NtfsFolders;
extern RecordList<MftEntryRecord> g_MftEntries;
extern RecordList<ClusterNode> g_ClusterChain;
extern RecordList<SectorNode> g_BootSectors;
extern RecordList<FoundFatDirectoryRecord> g_FoundFatDirectories;
extern RecordList<FoundPartitionRecord> g_FoundPartitions;
extern RecordList<FoundNtfsRecord> g_FoundNtfsRecords;
extern RecordList<NtfsFileRecord> g_NtfsFileRecords;
extern RecordList<IndexRecordNode> g_IndexRecords;
extern RecordList<TraceHitRecord> g_TraceHits;
extern RecordList<TracedFileRecord> g_TracedFiles;

extern uint32_t g_nFatFolderCount;   // folders appended
extern uint32_t g_nFatFileCount;     // files appended
extern uint32_t g_nEntriesParsed;    // directory entries handled, for progress
extern uint64_t g_qwFoundBytes;      // sum of the sizes of the FAT file records appended

// Clears the four counters, then frees the FAT entry, FAT folder, NTFS folder and MFT entry lists
// (the FAT folders' index by first cluster with them, FatFolderIndex.h).
void FreeFoundEntryLists();
// Frees the NTFS folder and MFT entry lists.
void FreeNtfsEntryLists();
// Frees the candidate lists of the Extensive Scan, and forgets their records' references
// (FoundRecordReferences.h).
void FreeScanRecordLists();
// Frees the chosen File Trace signatures.
void FreeTraceTypeList();
// Frees the File Trace hits.
void FreeTracedFileList();
// Frees the cluster chain.
void FreeClusterChain();
