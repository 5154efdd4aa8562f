// Whether the current source holds the NTFS volume of a loaded snapshot (see SourceHoldsSnapshotVolume).
#pragma once

#include "engine/ntfs/RunList.h"

struct LoadedSnapshot;

// The boot sector (at the volume's start, or its copy at the end) agrees with the snapshot's block
// or says nothing; the MFT can be walked from the snapshot's MFT or mirror, and its record 0 maps
// back to the MFT's start; and a sample of the snapshot's files is there: the file record at each
// one's number (an Extensive Scan's: at its sector) is or was in use, carries that number, that name,
// that parent folder and that creation time. An Extensive Scan's snapshot (which also rebuilds volumes past a damaged
// boot sector or MFT) is refused only by its files: where its MFT cannot be walked, at least one of
// them must be found, unless it has neither an MFT place nor any file (folders alone). The MFT's runs are returned in `mftRuns` for the savers.
bool HoldsNtfsVolume(const LoadedSnapshot& snapshot, morvick::SectorRunTable& mftRuns);
