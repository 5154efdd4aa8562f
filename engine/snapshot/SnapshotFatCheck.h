// Whether the current source holds the FAT16 or FAT32 volume of a loaded snapshot (see
// SourceHoldsSnapshotVolume).
#pragma once

struct LoadedSnapshot;

// The boot sector where the volume starts (its first FAT less its reserved sectors; FAT32 also its
// copy six sectors in) agrees with the snapshot's block: cluster size, reserved sectors, FAT size,
// root-folder sectors, first FAT and cluster base. Where none can be decoded there, and for an
// Extensive Scan's snapshot (which also rebuilds volumes past a damaged boot sector) where none
// agrees, the FAT's first sector stands in: it must begin with a media byte and 0xFF. A volume that
// the Extensive Scan rebuilt from its folders alone has neither (reserved sectors and first FAT 0).
// In every case a sample of the snapshot's files must be in their folders: each folder's entries,
// read as the scan read them, name a file of that name and first cluster; where neither boot sector
// nor FAT vouched for the volume, at least one of them must be found.
bool HoldsFatVolume(const LoadedSnapshot& snapshot);
