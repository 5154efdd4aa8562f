// File Trace: finds files by the signature at the start of a sector, over the chosen partition
// (g_VolumeParams), for the chosen signatures (g_TraceHits), into the traced-file list
// (g_TracedFiles). The wizard runs RunFileTrace on its worker and builds the File Trace branch of
// the result tree from the list afterwards; everything shown goes through the scan observer (the
// status line, the bar, and each traced file as a found file), and the finished word stops it.
#pragma once

#include "engine/scan/ScanStop.h"
#include "engine/scan/TraceSectors.h"

#include <cstdint>
#include <string>

enum class FileTraceResult {
    kCompleted,     // the list holds every hit
    kStopped,       // the finished word ended the search; the hits so far stay
    kNoParameters,  // neither the boot sector nor the reconstruction gave the volume's parameters
};

// Sectors read at a time.
constexpr uint32_t kTraceRunSectors = 2048;

// The partition's parameters as the Quick Scan works them out, then SearchSignatures. On
// kNoParameters it sets g_nScanFailed; the caller shows NoParametersText() (engine/scan/QuickScan.h).
FileTraceResult RunFileTrace(ScanFinishedWord& finished, const OfficeKindReader& readKind,
    uint64_t* unreadableSectors = nullptr);

// The search: from the partition's start sector, every sector is tested, through the partition's
// end and on to the end of the 64-sector step (counted from the start) after the one holding the
// end sector, as the search has always covered, but never past the disk's last sector. A sector
// that can't be read is searched as zeros (it matches nothing) and the search goes on; how many
// there were goes into `unreadableSectors` (when given) and, once there are any, into the status
// line ("Reading Sector n Of end, N unreadable" while it searches, UnreadableSectorsText at the
// end). The finished word is tested before each sector, a pause point each: once it is 1 the search
// ends there, the hits so far kept and none counted after. False only when it was stopped.
bool SearchSignatures(const ScanFinishedWord& finished, const OfficeKindReader& readKind,
    uint64_t* unreadableSectors = nullptr);

// "N sectors could not be read and were searched as zeros" ("1 sector ... was ..." for one).
std::u16string UnreadableSectorsText(uint64_t count);

// The number of sectors the search covers from a partition's start to its end sector.
uint64_t TracedSectorCount(uint32_t partitionStart, uint32_t partitionEnd);
