// The found-volume scan: after an Extensive Scan, turns the candidates that the analysis bound to the
// chosen found volume (ChooseFoundVolume) into the found-entry lists, which the result tree, the
// listing and the savers read. FAT: a folder per found directory, orphans under "Lost Dir", the FAT
// copies looked for when the volume has none, and every folder's entries read. NTFS: the volume's
// folder records and orphans under "Lost Dir". The wizard runs it on its worker and builds the tree
// afterwards; everything shown goes through the scan observer, and the finished word stops it.
#pragma once

#include "engine/scan/ScanStop.h"

// The whole scan for the browsed type of g_VolumeParams; the finished word is 1 at the end.
void RunFoundVolumeScan(ScanFinishedWord& finished);

void FoundVolumeScanFat(const ScanFinishedWord& finished);
void FoundVolumeScanNtfs(const ScanFinishedWord& finished);

// Appends "Lost Dir" and a folder "Dir" + cluster for every parent cluster that no folder has.
void AddOrphanFatFolders();
// Looks for the FAT copies (sectors beginning F8 FF FF) before the cluster base; fills first FAT,
// second FAT, sectors per FAT and, for FAT16, the root location when both are found. When only one
// is found it becomes the first FAT and, when no FAT size is known yet, the size runs from it to the
// data area (FAT16: to the root folder before it, which becomes the root location).
void FindLostFatTables(const ScanFinishedWord& finished);
// Reads the root and every folder of the list and appends their files; a folder entry names the
// folder record of the same parent and cluster, and a deleted one of another folder the record whose
// "." entry repeats its stamp, where it outweighs the deleted entries of that cluster met before and
// no live entry names it (FoundFolderNamer): a folder a live entry names is live.
void ReadFoundFatDirectories(const ScanFinishedWord& finished);
// The size of a file whose first piece of data lies in an extension record (its base record at
// `recordSector`), read there through the MFT's runs, as is its base record (it may lie split across
// two runs, as the save reads it). False when that record cannot be found.
bool ReadFoundFileSizeFromExtension(uint32_t recordSector, uint64_t& size);
// Appends "Lost Dir" and a folder "Dir" + running number for every missing parent of the volume's
// folders and files, and breaks loops of parent references into "Lost Dir" (BreakNtfsFolderLoops).
void AddLostFoundNtfsFolders(const ScanFinishedWord& finished);
