// The Quick Scan: reads the chosen volume's existing structures into the found-entry lists. The
// worker thread, the result tree and the page belong to the wizard, which calls RunQuickScan on its
// worker and builds the tree from the lists afterwards; everything shown goes through the scan
// observer, and the finished word stops every loop.
#pragma once

#include "engine/scan/ScanStop.h"

#include <cstdint>
#include <unordered_map>

enum class QuickScanResult {
    kCompleted,       // the lists hold what was found
    kStopped,         // the finished word ended the scan; the lists are partial
    kNoParameters,    // neither the boot sector nor the reconstruction gave the volume's parameters
};

// Set to 1 when a scan found no usable partition parameters.
extern int32_t g_nScanFailed;

extern const char16_t kSearchingForDataText[];        // "Please wait, Searching for Data..."
extern const char16_t kCalculatingParametersWaitText[];// "Please wait, Calculating partition parameters..."
extern const char16_t kNoPartitionParametersText[];   // the message of a scan without parameters
extern const char16_t kVolumePastSectorLimitText[];   // the same for a volume whose structures lie past 2 TiB
// Follows the count of files and folders that the NTFS pass left out for their records past 2 TiB.
extern const char16_t kRecordsPastSectorLimitText[];

// The message of the last scan that ended without parameters: kVolumePastSectorLimitText where the
// volume was found but lies past the sectors the engine holds, else kNoPartitionParametersText.
const char16_t* NoParametersText();

// The first steps of the Quick Scan and of File Trace: the chosen partition's parameters from its
// boot sector, else (with the status text) rebuilt from its directories. kCompleted when they are
// known; on kNoParameters it sets g_nScanFailed.
QuickScanResult WorkOutScanParameters(ScanFinishedWord& finished);

// The scan of the chosen partition (g_VolumeParams): the previous results cleared (ClearScanResults),
// the volume parameters, then the FAT or NTFS pass.
// On kNoParameters it sets g_nScanFailed; the caller shows NoParametersText().
QuickScanResult RunQuickScan(ScanFinishedWord& finished);

// The FAT pass: the root folder, then every folder found, breadth first.
void QuickScanFat(const ScanFinishedWord& finished);

// The files that the NTFS pass placed elsewhere than the folder number their parent reference names
// (in "Lost Dir": that folder's record is another's now), by their record numbers: that number, as a
// pass stopped before placing them lists them.
using NtfsReferencedParents = std::unordered_map<uint32_t, uint32_t>;

// The NTFS pass: every MFT record through the MFT's runs, then the "Lost Dir" branch. Where `moved` is
// given, it gets the files placed elsewhere than their parent references name.
void QuickScanNtfs(ScanFinishedWord& finished, NtfsReferencedParents* moved = nullptr);
