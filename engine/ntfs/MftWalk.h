// Reading MFT records from a volume and finding where the MFT itself lies.
#pragma once

#include "engine/ntfs/RunList.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace morvick {

// Every record is read into a buffer of `recordSectors` x 512 bytes, the MFT's record size (its run
// table's recordSectors): at most kLargestMftRecordSize.

// Reads the record of `recordSectors` sectors at `sector`, applies its fix-ups and checks "FILE".
// False when the read fails, the record is torn or it is not a FILE record.
bool ReadMftRecordAt(SectorSource& disk, uint64_t sector, uint32_t recordSectors, uint8_t* record);

// Reads record `number` through the MFT's run table, each of its sectors mapped on its own. False
// when the record lies outside the table or cannot be read as above.
bool ReadMftRecord(SectorSource& disk, const SectorRunTable& mft, uint32_t number, uint8_t* record);

// The same sectors as they lie on the disk, without the fix-ups or any check.
bool ReadMftRecordSectors(SectorSource& disk, const SectorRunTable& mft, uint32_t number, uint8_t* record);

// The records that lie split across two of the MFT's runs, by number with the sector each begins at:
// with clusters smaller than a record, a run that does not hold whole records ends in a record's
// first part, whose rest begins the next run.
std::vector<std::pair<uint32_t, uint64_t>> SplitMftRecords(const SectorRunTable& mft);

// Reads the record that begins at `sector`: through the MFT's run table where one of its runs holds
// it (each sector where its run puts it: a record may lie split across two runs), with `mapped` true
// and `number` its number; else the record's sectors from there, with `mapped` false.
bool ReadMftRecordFrom(SectorSource& disk, const SectorRunTable& mft, uint64_t sector, uint8_t* record, bool& mapped,
                       uint32_t& number);

// The sector of record `number` (its first sector) through the MFT's run table.
bool MapRecordToSector(const SectorRunTable& mft, uint32_t number, uint64_t& sector);

// The number of the record whose first sector is `sector` through the MFT's run table: its place in
// the MFT read as one stream of records across its runs. False when no run holds the sector or it
// lies inside a record, not at its start.
bool MapSectorToRecord(const SectorRunTable& mft, uint64_t sector, uint32_t& number);

// Builds the MFT's run table from the runs of record 0's unnamed $DATA (at `mftStart`), followed by
// the runs held in extension records that its attribute list names, in the order of their first
// virtual cluster; its records are of `recordSectors` sectors (the table keeps that, also when the
// walk fails). `base` is the volume's first sector; `volumeClusters` its clusters from cluster 0
// up to its end (0 when unknown), which bound every run read: record 0's, its attribute list's (see
// ReadAttributeList) and the extension records'. False when record 0 cannot be read or its runs are
// damaged (one past the volume's end too); runs of extension records that cannot be read, reach past
// the volume or do not continue the table are left out.
bool WalkMftRecords(SectorSource& disk, uint64_t base, uint64_t mftStart, uint32_t sectorsPerCluster,
    uint32_t recordSectors, uint64_t volumeClusters, SectorRunTable& mft);

// An MFT run table without runs for records of `recordSectors` sectors.
SectorRunTable EmptyMftRunTable(uint32_t recordSectors);

}  // namespace morvick
