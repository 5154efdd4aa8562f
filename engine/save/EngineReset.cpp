#include "engine/save/EngineReset.h"

#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/save/FileFilters.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"

void ClearScanResults()
{
    FreeFoundEntryLists();
    FreeNtfsEntryLists();
    FreeScanRecordLists();
    FreeTracedFileList();
    FreeClusterChain();
    FreeMftRunTable();
}

void ResetEngineState()
{
    ClearScanResults();
    ResetSaveState();
    ResetEngineWords();
    ClearFileFilters();
    g_strSavePath.clear();
    g_nTraceSizeClass = 1;
    g_nTickedFileCount = 0;
}
