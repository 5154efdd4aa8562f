#include "engine/state/FoundEntryLists.h"

#include "engine/state/FatFolderIndex.h"
#include "engine/state/FoundRecordReferences.h"

RecordList<FatEntryRecord> g_FatEntries;
RecordList<FatFolderRecord> g_FatFolders;
RecordList<NtfsFolderRecord> g_NtfsFolders;
RecordList<MftEntryRecord> g_MftEntries;
RecordList<ClusterNode> g_ClusterChain;
RecordList<SectorNode> g_BootSectors;
RecordList<FoundFatDirectoryRecord> g_FoundFatDirectories;
RecordList<FoundPartitionRecord> g_FoundPartitions;
RecordList<FoundNtfsRecord> g_FoundNtfsRecords;
RecordList<NtfsFileRecord> g_NtfsFileRecords;
RecordList<IndexRecordNode> g_IndexRecords;
RecordList<TraceHitRecord> g_TraceHits;
RecordList<TracedFileRecord> g_TracedFiles;

uint32_t g_nFatFolderCount = 0;
uint32_t g_nFatFileCount = 0;
uint32_t g_nEntriesParsed = 0;
uint64_t g_qwFoundBytes = 0;

void FreeFoundEntryLists()
{
    g_nFatFolderCount = 0;
    g_nFatFileCount = 0;
    g_nEntriesParsed = 0;
    g_qwFoundBytes = 0;
    FreeRecordList(g_FatEntries);
    FreeRecordList(g_FatFolders);
    ForgetFatFolderIndex();
    FreeRecordList(g_NtfsFolders);
    FreeRecordList(g_MftEntries);
}

void FreeNtfsEntryLists()
{
    FreeRecordList(g_NtfsFolders);
    FreeRecordList(g_MftEntries);
}

void FreeScanRecordLists()
{
    FreeRecordList(g_BootSectors);
    FreeRecordList(g_FoundFatDirectories);
    FreeRecordList(g_FoundPartitions);
    FreeRecordList(g_FoundNtfsRecords);
    FreeRecordList(g_NtfsFileRecords);
    FreeRecordList(g_IndexRecords);
    ForgetFoundRecordReferences();
}

void FreeTraceTypeList()
{
    FreeRecordList(g_TraceHits);
}

void FreeTracedFileList()
{
    FreeRecordList(g_TracedFiles);
}

void FreeClusterChain()
{
    FreeRecordList(g_ClusterChain);
}
