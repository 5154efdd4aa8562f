// The "Lost Dir" branch of an NTFS Quick Scan: folders and files whose parent folder was never found
// are gathered under "Lost Dir", one folder "Dir0", "Dir1"... per missing parent, in the order found.
#pragma once

#include "engine/scan/ScanStop.h"

#include <cstdint>

constexpr uint32_t kNtfsRootRecordNumber = 5;

extern const char16_t kLostDataStep1Text[];   // "Searching for Lost Data ( Step 1/2 )..."
extern const char16_t kLostDataStep2Text[];   // "Searching for Lost Data ( Step 2/2 )..."

// Appends "Lost Dir" (own number 0xFFFFFFFE, parent the root) and one lost folder for every distinct
// missing parent of the NTFS folder and MFT entry lists, and breaks loops of parent references into
// "Lost Dir" (BreakNtfsFolderLoops); then sets the finished word to 0 so that building the tree can
// still be stopped.
void AddLostNtfsFolders(ScanFinishedWord& finished);
