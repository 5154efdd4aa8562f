#include "engine/extensive/FoundVolumeScan.h"

#include "engine/extensive/ExtensiveScanState.h"
#include "engine/state/EngineState.h"

void RunFoundVolumeScan(ScanFinishedWord& finished)
{
    finished.store(0);
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if (type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32)
        FoundVolumeScanFat(finished);
    else if (type == FileSystemKind::kNtfs)
        FoundVolumeScanNtfs(finished);
    finished.store(1);
}
