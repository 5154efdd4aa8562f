// Whether the current source holds the NTFS volume of a loaded snapshot (see
// SourceHoldsSnapshotVolume), and which of its files the disk no longer holds as it lists them.
#pragma once

#include "engine/ntfs/RunList.h"

struct LoadedSnapshot;

// The boot sector (at the volume's start, or its copy at the end) agrees with the snapshot's block
// or says nothing; the MFT can be walked from the snapshot's MFT or mirror, and its record 0 maps
// back to the MFT's start. Then every file of the snapshot is looked for on the volume as the scan
// that made it reads it now: a Quick Scan's through the Quick Scan's own pass over the MFT, into
// scratch lists (the results on screen stay as they are), at its record number with its name, parent
// folder (or the folder its parent reference names, where the pass placed it in "Lost Dir": a scan
// stopped before placing its files lists them so), creation and MFT-change times, size, deleted state
// and the sector of its data's record; an Extensive Scan's at its sector, decoded as the Extensive
// search decodes it, with the same name, parent (or "Lost Dir", where the scan gathered it), times,
// size and deleted state. A stopped scan's snapshot lists part of what these read. A file listed live
// whose record is now deleted and otherwise as listed was deleted since: the same file, listed deleted
// from then on. A file that is not there so is marked changed on the disk (`changedOnDisk`): it stays
// listed and is never saved.
// The volume is another where more files changed than were found. An Extensive Scan's snapshot
// (which also rebuilds volumes past a damaged boot sector or MFT) is refused only by its files:
// where its MFT cannot be walked, at least one of them must be found, unless it has neither an MFT
// place nor any file (folders alone). The MFT's runs are returned in `mftRuns` for the savers.
bool HoldsNtfsVolume(LoadedSnapshot& snapshot, morvick::SectorRunTable& mftRuns);
