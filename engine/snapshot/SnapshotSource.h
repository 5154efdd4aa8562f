// Whether the open source holds the volume a loaded snapshot describes. A snapshot stores no image
// path, so the source it is loaded over must prove to be the one it was made from before any of
// its results are shown: nothing could be read or saved from the wrong one.
#pragma once

#include "engine/ntfs/RunList.h"

struct LoadedSnapshot;

// True when the current source can be read and holds the snapshot's volume:
// - FAT16 and FAT32: the boot sector where the volume starts (its first FAT less its reserved
//   sectors; FAT32 also its copy six sectors in) agrees with the snapshot's block: cluster size,
//   reserved sectors, FAT size, root-folder sectors, first FAT and cluster base. Where no boot
//   sector can be decoded there, and for an Extensive Scan's snapshot (which also rebuilds volumes
//   past a damaged boot sector) where none agrees, the FAT's first sector stands in: it must begin
//   with a media byte and 0xFF.
// - NTFS: the MFT can be walked from its start or, failing that, from its mirror; its runs are
//   returned in `mftRuns` for the savers. An Extensive Scan also browses volumes whose MFT cannot
//   be walked: for its snapshot the first file records it lists must be FILE records where it says.
// - File Trace, and a snapshot of no file system: any readable source.
bool SourceHoldsSnapshotVolume(const LoadedSnapshot& snapshot, morvick::SectorRunTable& mftRuns);
