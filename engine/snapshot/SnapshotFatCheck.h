// Whether the current source holds the FAT16 or FAT32 volume of a loaded snapshot (see
// SourceHoldsSnapshotVolume), and which of its files the disk no longer holds as it lists them.
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
// sectors, where nothing begins).
// Then every file of the snapshot is looked for on the volume as the scan that made it reads it now,
// into scratch lists (the results on screen stay as they are): a Quick Scan's through the Quick
// Scan's FAT pass, an Extensive Scan's through the found-volume scan's reading of the snapshot's own
// folders. A stopped scan's snapshot lists part of what these read; each file it lists must be there.
// A live file must be in its folder with its first cluster, size, write date and name, live or deleted
// since. A file the disk now shows deleted, with its first cluster, size, write date and name, is the
// same file wherever the scan lists it now: in its folder, or under "Lost Dir" where its folder was
// deleted with it and the scan no longer ties the folder's later clusters to it (a deleted entry
// keeps all this). A file deleted since is listed deleted from then on and saved, under the
// snapshot's path, as a scan saves a deleted file, from its first cluster. A long name must be the
// same exactly (UTF-16 on the disk, it reads the same everywhere); a short name is read as its bytes,
// which must give the listed name exactly through the snapshot's one OEM code page (SnapshotCodePage:
// the real code page that reads most of its names, this computer's where it reads as many), any first
// byte where the deleted mark took it since. A file not found so is marked changed on the disk (`changedOnDisk`): it
// stays listed and is never saved. The snapshot keeps no time of day of a FAT file, and the access
// date is not compared: two volumes whose entries agree in all of this and differ only in their
// files' bytes cannot be told apart, such as a file written over the same day at the same cluster
// with the same size and name. A short name that the code page of the snapshot's computer could not
// read (listed with a stand-in character) matches no bytes: it is changed on every computer. Where
// every short name above 0x7F was written over since, a page that reads the new bytes as the old
// names (1258 reads FA\xC7ADE written in 850 as FAÇADE) wins the vote and those files pass: only a
// name above 0x7F that stayed tells the right page. The volume is another where more files changed than were found, or where
// neither boot sector nor FAT vouched for it and none was found.
bool HoldsFatVolume(LoadedSnapshot& snapshot);
