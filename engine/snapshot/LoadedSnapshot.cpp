#include "engine/snapshot/LoadedSnapshot.h"

#include "engine/ntfs/NtfsFolderLoops.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"

#include <utility>

LoadedSnapshot::~LoadedSnapshot()
{
    FreeRecordList(fatFolders);
    FreeRecordList(fatEntries);
    FreeRecordList(ntfsFolders);
    FreeRecordList(mftEntries);
    FreeRecordList(ntfsFiles);
    FreeRecordList(traceHits);
    FreeRecordList(tracedFiles);
}

namespace {

template <class T>
void MoveList(RecordList<T>& from, RecordList<T>& to)
{
    FreeRecordList(to);
    to = from;
    from = RecordList<T>();
}

} // namespace

void LoadedSnapshot::Commit()
{
    ClearScanResults();
    FreeTraceTypeList();

    MoveList(fatFolders, g_FatFolders);
    MoveList(fatEntries, g_FatEntries);
    MoveList(ntfsFolders, g_NtfsFolders);
    MoveList(mftEntries, g_MftEntries);
    MoveList(ntfsFiles, g_NtfsFileRecords);
    MoveList(traceHits, g_TraceHits);
    MoveList(tracedFiles, g_TracedFiles);
    // A snapshot written before the scans broke loops of parent references into "Lost Dir" keeps them:
    // broken here too, or the looped folders and their files stay out of the tree, unsaved.
    BreakNtfsFolderLoops();

    uint32_t rootLocation = g_VolumeParams.rootLocation;
    g_VolumeParams = block;
    g_VolumeParams.rootLocation = rootLocation;
    g_nScanMode = scanMode;
    g_wDeviceIndex = deviceIndex;
    g_wSourceType = sourceType;
    g_nFatFileCount = g_FatEntries.count + g_TracedFiles.count;
    g_nFatFolderCount = g_FatFolders.count;
}
