// Working out the chosen volume's parameters for the Quick Scan (and File Trace): from its boot
// sector, or for a FAT volume whose boot sector is unusable, from the directories in its data area.
// Both read the chosen partition of g_VolumeParams (type, start, sectors, end) and fill the rest of
// the block.
#pragma once

#include "engine/scan/ScanStop.h"

#include <cstdint>

// 1 when the block was filled from the boot sector (or its copy), 0 when it is unusable or the scan
// was stopped. Types other than FAT16, FAT32 and NTFS give 1 without reading. The block then browses
// the chosen partition, no found volume: its volume end and volume number are 0.
int ReadVolumeParameters(const ScanFinishedWord& finished);

// 1 when a FAT16 or FAT32 volume's parameters were rebuilt from two directories' "." entries, else 0.
int ReconstructFatParameters(const ScanFinishedWord& finished);

// 1 when the last ReadVolumeParameters (or the reconstruction after it) found the volume but left it
// out because its structures lie past the sectors the block holds (engine/state/SectorLimit.h).
extern int32_t g_nVolumePastSectorLimit;

// The status text of the reconstruction.
extern const char16_t kCalculatingParametersText[];  // "Please wait, calculating partition parameters"
