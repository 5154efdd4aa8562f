#include "engine/extensive/FoundVolumeScan.h"

#include "engine/extensive/ExtensiveScanState.h"
#include "engine/state/EngineState.h"

void RunFoundVolumeScan(ScanFinishedWord& finished)
{
    finished.store(0);
    const uint16_t type = g_VolumeParams.browsedFileSystemType;
    if (type == kFileSystemFat16 || type == kFileSystemFat32)
        FoundVolumeScanFat(finished);
    else if (type == kFileSystemNtfs)
        FoundVolumeScanNtfs(finished);
    finished.store(1);
}
