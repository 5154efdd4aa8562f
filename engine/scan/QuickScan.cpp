#include "engine/scan/QuickScan.h"

#include "engine/ScanObserver.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/VolumeParameters.h"
#include "engine/state/EngineState.h"

int32_t g_nScanFailed = 0;

const char16_t kSearchingForDataText[] = u"Please wait, Searching for Data...";
const char16_t kCalculatingParametersWaitText[] = u"Please wait, Calculating partition parameters...";
const char16_t kNoPartitionParametersText[] =
    u"Morvick was unable to find correct partition parameters. \r\nPlease go back to the first step and select "
    u"Extensive Scan \r\nfor recovery.";
const char16_t kVolumePastSectorLimitText[] =
    u"The file system of this partition keeps its tables past the first 2 TiB of the disk (past sector "
    u"4294967295), which Morvick does not read.";
const char16_t kRecordsPastSectorLimitText[] =
    u" files and folders are not listed: their MFT records lie past the first 2 TiB of the disk (past sector "
    u"4294967295), which Morvick does not read.";

// A volume left out for lying past the sectors the block holds is told so, not sent to the Extensive
// Scan, which reads nothing there either.
const char16_t* NoParametersText()
{
    return g_nVolumePastSectorLimit ? kVolumePastSectorLimitText : kNoPartitionParametersText;
}

QuickScanResult WorkOutScanParameters(ScanFinishedWord& finished)
{
    ScanObserver& observer = CurrentScanObserver();
    int found = ReadVolumeParameters(finished);
    if (ScanStopped(finished))
        return QuickScanResult::kStopped;
    if (!found) {
        observer.OnStatus(kCalculatingParametersWaitText);
        found = ReconstructFatParameters(finished);
        if (ScanStopped(finished))
            return QuickScanResult::kStopped;
    }
    if (!found) {
        g_nScanFailed = 1;
        return QuickScanResult::kNoParameters;
    }
    return QuickScanResult::kCompleted;
}

QuickScanResult RunQuickScan(ScanFinishedWord& finished)
{
    ClearScanResults();
    const QuickScanResult parameters = WorkOutScanParameters(finished);
    if (parameters != QuickScanResult::kCompleted)
        return parameters;
    ScanObserver& observer = CurrentScanObserver();
    const FileSystemKind type = g_VolumeParams.chosenFileSystemType;
    if (type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32) {
        observer.OnStatus(kSearchingForDataText);
        QuickScanFat(finished);
    } else if (type == FileSystemKind::kNtfs) {
        QuickScanNtfs(finished);
    }
    return ScanStopped(finished) ? QuickScanResult::kStopped : QuickScanResult::kCompleted;
}
