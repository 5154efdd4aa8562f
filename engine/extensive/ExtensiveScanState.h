// The words of the Extensive Scan beside its candidate lists (engine/state): the counters of the
// analyses, the two analysis-finished words that the wizard's poll waits for, the sectors at which
// the search met INDX records, and the appenders of the candidate lists and of found volumes.
#pragma once

#include "engine/state/RecordList.h"

#include <cstdint>
#include <string>
#include <vector>

// Partition number of a candidate that no volume claims.
constexpr uint16_t kBoundToNone = 0xFFFF;

extern uint32_t g_nFoundRecordTotal;     // candidates to analyse: the denominator of the progress
extern uint32_t g_nAnalysedCount;        // candidates bound or given up so far
extern uint16_t g_wPartitionCounter;     // volumes recorded; the next one is counter + 1
extern int32_t g_nBootPassFinished;      // 1 once the boot-sector pass has run
extern int32_t g_nLeftoverPassFinished;  // 1 once the pass over the leftovers has run

// The sectors that the search found beginning with "INDX", sound records or not, in ascending
// order, and the range over which the list is complete. At kMaxListedIndexSectors the list stops
// growing and the range ends at the first sector left out.
constexpr size_t kMaxListedIndexSectors = size_t(1) << 23;
struct IndexRecordSectors {
    std::vector<uint32_t> sectors;
    uint64_t searchedFirst = 0;
    uint64_t searchedEnd = 0;  // one past the last sector whose signature is known
    bool full = false;
};
extern IndexRecordSectors g_IndexRecordSectors;

// Adds a sector that begins with "INDX" (the search meets them in ascending order).
void ListIndexRecordSector(uint32_t sector);
// The search has looked at every sector before `end`.
void MarkIndexSectorsSearched(uint64_t end);

// Clears the words above (the lists are freed by FreeScanRecordLists).
void ResetExtensiveScanState();

// Appends a boot-sector candidate. False after the out-of-memory report.
bool AppendSectorNode(uint32_t sector);
// Appends a found FAT directory, not yet bound to a volume. False after the out-of-memory report.
bool AddFoundFatDirectory(uint32_t sector, uint32_t cluster, uint32_t parentCluster, uint16_t writeDate,
    uint16_t accessDate);
// Appends a found volume (the record's `next` is ignored). Null after the out-of-memory report.
FoundPartitionRecord* AppendFoundPartition(const FoundPartitionRecord& values);

// The top item "File System" of the file-system page's tree, added once per analysis; returns its id.
uint32_t FileSystemRootItem();
// Adds the item of a found volume ("FAT16 @", "FAT32 @" or "NTFS @" and the sector) under the root
// and keeps its id in the record.
void AddFoundVolumeItem(FoundPartitionRecord& record);
// The text of a found volume's item.
std::u16string FoundVolumeText(const FoundPartitionRecord& record);

// part x 100 / whole, at most 99 (0 when whole is 0).
int ProgressPercent(uint64_t part, uint64_t whole);
// Progress of an analysis: analysed x 100 / total, at most 99 (nothing when the total is 0).
void ReportAnalysisProgress();

// Makes found volume `number` (1 = the first of the list) the browsed volume of g_VolumeParams as the
// file-system page does; the chosen range is kept. False when there is no such volume.
bool ChooseFoundVolume(uint16_t number);
