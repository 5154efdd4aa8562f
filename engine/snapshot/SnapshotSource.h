// Whether the open source holds the volume a loaded snapshot describes. A snapshot stores no image
// path, so the source it is loaded over must prove to be the one it was made from before any of
// its results are shown: nothing could be read or saved from the wrong one. The checks of FAT and
// NTFS volumes read the volume's own structures and every file the snapshot lists, and mark the
// files the disk no longer holds as listed (changed since the snapshot: listed, never saved);
// File Trace's reads the first sector of every hit and marks those that no longer begin with their
// type's signature.
#pragma once

#include "engine/ntfs/RunList.h"

struct LoadedSnapshot;

// True when the current source can be read and holds the snapshot's volume:
// - a snapshot made from a logical drive never does: a load opens no drive;
// - FAT16 and FAT32: HoldsFatVolume (SnapshotFatCheck.h);
// - NTFS: HoldsNtfsVolume (SnapshotNtfsCheck.h); the MFT's runs are returned in `mftRuns`;
// - File Trace: HoldsTracedFiles (SnapshotTraceCheck.h);
// - a snapshot of no file system: any readable source.
bool SourceHoldsSnapshotVolume(LoadedSnapshot& snapshot, morvick::SectorRunTable& mftRuns);
