#include "engine/save/SaveState.h"

#include "engine/save/ClustersInUse.h"

std::atomic<int32_t> g_nSaveStop{0};
std::atomic<int32_t> g_nSaveSkip{0};
std::atomic<uint32_t> g_nSavedFileCount{0};
uint64_t g_qwSaveFileTime = 0;
std::u16string g_strSavePath;
uint32_t g_nTraceSizeClass = 1;
uint32_t g_nTickedFileCount = 0;
SaveReport g_SaveReport;

bool SaveInterrupted()
{
    return g_nSaveStop.load() == 1 || g_nSaveSkip.load() == 1;
}

void ResetSaveState()
{
    g_nSaveStop = 0;
    g_nSaveSkip = 0;
    g_nSavedFileCount = 0;
    g_qwSaveFileTime = 0;
    g_SaveReport = SaveReport();
    ForgetSavedVolumeBitmap();
}
