// Whether the current source holds the FAT16 or FAT32 volume of a loaded snapshot (see
// SourceHoldsSnapshotVolume).
#pragma once

struct LoadedSnapshot;

// The boot sector where the volume starts (its first FAT less its reserved sectors; FAT32 also its
// copy six sectors in) agrees with the snapshot's block: cluster size, reserved sectors, FAT size,
// root-folder sectors, first FAT and cluster base. Where none can be decoded there, and for an
// Extensive Scan's snapshot (which also rebuilds volumes past a damaged boot sector) where none
// agrees, the FAT's first sector stands in: it begins with a media byte and 0xFF, or, for an
// Extensive Scan's snapshot past a boot sector that disagrees, the volume is another. A volume that
// a scan rebuilt from its folders alone has neither boot sector nor FAT (the Extensive Scan keeps
// reserved sectors and first FAT 0; the Quick Scan puts a first FAT after the usual reserved
// sectors, where nothing begins). In every case a sample of the snapshot's files must be in their
// folders: each folder's entries, read as the scan read them, name a file of that name and first
// cluster (a file deleted since is compared without the first character of its name, which the
// deletion overwrote, and by the low word of its cluster where Windows cleared the high word);
// where neither boot sector nor FAT vouched for the volume, at least one of them must be found.
bool HoldsFatVolume(const LoadedSnapshot& snapshot);
