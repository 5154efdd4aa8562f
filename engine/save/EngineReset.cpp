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
    ResetSaveState();
}

void ResetEngineState()
{
    ClearScanResults();
    ResetEngineWords();
    ClearFileFilters();
    g_strSavePath.clear();
    g_nTraceSizeClass = 1;
    g_nTickedFileCount = 0;
}
