// The NTFS analysis of the Extensive Scan: numbers the folder records found by the search and binds
// them to NTFS volumes. A folder's FILE record names the first cluster of its index allocation; on
// the right volume, first sector + that cluster x sectors per cluster begins an INDX record. A boot
// sector (or its copy at the volume's end) gives the first sector and cluster size; two folders and
// their first INDX records give them without one. Lookups go through hash maps and sorted tables,
// and the INDX test through the sectors at which the search met INDX records.
#pragma once

#include "engine/scan/ScanStop.h"

#include <cstdint>

extern const char16_t kAssigningMftNumbersText[];        // "Assigning MFT numbers ( Step 1/2 ) - "
extern const char16_t kAssigningMftNumbersStep2Text[];   // "Assigning MFT numbers ( Step 2/2 )..."
extern const char16_t kDeletingUnusedIndexEntriesText[]; // "Deleting unused index entries..."
extern const char16_t kSearchingUnassignedEntriesText[]; // "Searching for unassigned entries..."
// Follows the count of NTFS volumes whose boot sectors were found but whose MFT lies past 2 TiB.
extern const char16_t kVolumesPastSectorLimitText[];

// Gives the folder records their MFT numbers from the folder entries of the INDX records found (an
// entry names the first unnumbered record of equal parent, creation time and name), then numbers the
// rest by their distance from the record before them, in records of their size (two sectors, or
// eight on a volume of 4,096-byte records).
void AssignMftNumbers(const ScanFinishedWord& finished);

// Keeps only the first INDX record (VCN 0) of each folder in the index-record list.
void DeleteUnusedIndexEntries();

// Binds records to the volume of each NTFS boot sector (or boot-sector copy) in the list; sets the
// boot-sector-pass word. The volumes of boot sectors that gave none for their MFT lying past the
// sectors the search reads are counted and told (kVolumesPastSectorLimitText).
void AnalyzeFoundNtfsBootSectors(const ScanFinishedWord& finished);

// Binds the records still unbound to volumes inferred from pairs of folders that reach `rangeEnd`
// (the end of the searched range); sets the leftover-pass word.
void InferNtfsPartitions(uint64_t rangeEnd, const ScanFinishedWord& finished);

// The whole NTFS analysis after a search, ending with the pass that gives every record left without
// a volume the volume of the record before it.
void AnalyzeNtfsStructures(uint64_t rangeEnd, ScanFinishedWord& finished);
