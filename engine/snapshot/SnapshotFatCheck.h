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
// cluster, and of that size where the snapshot lists it deleted (a file deleted since is compared
// without the first character of its name, which the deletion overwrote, and by the low word of its
// cluster where Windows cleared the high word). A sampled file is contradicted where its folder,
// read to its end, lacks it, and in any folder where an entry of its name with another first cluster
// or size is met that the snapshot does not list: a card of the same camera formatted alike holds
// the same names in the same folders, at other clusters. Where a folder's chain ends before its
// entries do (a deleted folder's), and in the folders under "Lost Dir", a file not met tells
// nothing: the scan found it in free clusters. Where neither boot sector nor FAT vouched for the
// volume, at least one sampled file must be found.
bool HoldsFatVolume(const LoadedSnapshot& snapshot);
