// The NTFS side of the found-entry lists and the MFT's run table, over the engine's current source.
#pragma once

#include "engine/ntfs/AttributeList.h"
#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/RunList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FoundNtfsRecord;
struct MftEntryRecord;
struct NtfsFileRecord;
struct NtfsFolderRecord;

// The runs of the MFT of the volume being read (filled by WalkMftRecords).
extern morvick::SectorRunTable g_MftRunTable;

// The size of the records of the MFT being read, in 512-byte sectors and in bytes: g_MftRunTable's,
// which WalkMftRecords and FreeMftRunTable take from the chosen volume (g_VolumeParams'
// sectorsPerMftRecord; a value the engine does not read stands for the usual 2 sectors). Its records
// are read through the table at this size, and parsed and saved at it.
uint32_t CurrentMftRecordSectors();
size_t CurrentMftRecordBytes();

// Fills g_MftRunTable from the MFT at sector `mftStart` of the volume at `base` (see
// morvick::WalkMftRecords), its records of the chosen volume's size, its attribute list read within
// the chosen volume (ChosenVolumeClusters). Returns 1, or 0 (and an empty table) when record 0 is
// unreadable or damaged.
int WalkMftRecords(uint32_t base, uint32_t mftStart, uint32_t sectorsPerCluster);

// The sector of MFT record `number` through g_MftRunTable. 0 past the last run or in a sparse run
// (`sector` is then left alone).
int MapVcnToLcn(uint32_t number, uint64_t& sector);

// Empties g_MftRunTable; it takes the chosen volume's record size.
void FreeMftRunTable();

// The entries of the attribute list of a fixed-up record of the MFT being read (CurrentMftRecordBytes),
// resident or not (a non-resident one read through the engine's current source, inside the chosen
// volume up to its end: ChosenVolumeClusters).
std::vector<morvick::AttributeListEntry> ReadAttributeListEntries(const uint8_t* record);

// The extension record that holds the first piece of the unnamed $DATA of the fixed-up base record
// `record` (its header `header`, its number `number`), which keeps none itself: the first that its
// attribute list names for it which can be read through g_MftRunTable (each sector through the runs),
// keeps no other number than the one the list gives, and names that base record as its own
// (IsExtensionRecordOf). `sector` (its first sector) and `extension` (CurrentMftRecordBytes) get it.
// False when there is none.
bool ReadFirstDataExtension(const uint8_t* record, const morvick::MftRecordHeader& header, uint32_t number,
    uint64_t& sector, uint8_t* extension);

// Appends a file record of an NTFS volume at the tail of the MFT entry list.
MftEntryRecord* AppendMftEntry(uint32_t dataRecordSector, const std::u16string& name, uint32_t recordNumber,
    uint32_t parentRecord, uint64_t creationTime, uint64_t changeTime, uint32_t deleted, uint64_t size);

// Appends a folder record; during an Extensive Scan nothing is appended when a record with the same
// own record number exists (that record is returned).
NtfsFolderRecord* AppendNtfsFolder(const std::u16string& name, uint32_t recordNumber, uint32_t parentRecord,
    uint64_t creationTime, uint64_t changeTime, uint32_t treeItem, uint32_t deleted);
// The same without looking for a record of the same number (the caller knows there is none).
NtfsFolderRecord* AppendNewNtfsFolder(const std::u16string& name, uint32_t recordNumber, uint32_t parentRecord,
    uint64_t creationTime, uint64_t changeTime, uint32_t treeItem, uint32_t deleted);

// Reads the FILE record at `sector`, of the size its header gives (the usual 1,024 bytes where it
// gives none the engine reads), and appends it as an NtfsFileRecord (a file) or a FoundNtfsRecord (a
// folder). 1 when appended; 0 for an unreadable, torn or damaged record, or one without a name but for
// a file that keeps its data (DecodeNamelessFoundMftRecord). A base record whose name lies in an
// extension record is appended without it (marked nameless), and an extension record that holds a
// name is kept for its base record: GiveExtensionNames (ExtensionNames.h) joins them after the search.
int ProcessFoundMftRecord(uint32_t sector);
// The same for the record's `recordBytes` bytes already read (copied before the fix-ups): 1,024,
// 2,048 or 4,096, else nothing is appended.
int ProcessFoundMftRecordBytes(uint32_t sector, const uint8_t* bytes, size_t recordBytes);

// The size in 512-byte sectors of the FILE record whose first sector is `firstSector`, by its header:
// the usual 2 where that gives none the engine reads.
uint32_t FoundMftRecordSectors(const uint8_t* firstSector);

// Gives a found record the fields of `found` (its name copied), and keeps by the record's sector what
// its fields have no room for (KeepFoundRecordReference); the sector stays. False, with the record
// unchanged, when the name cannot be copied.
bool SetFoundRecordFields(FoundNtfsRecord& record, const morvick::FoundMftRecord& found);
bool SetFoundRecordFields(NtfsFileRecord& record, const morvick::FoundMftRecord& found);

// Reads the whole INDX record whose first sector (`header`, `length` bytes of it) was found at
// `sector` (when `length` covers the whole record its bytes are used as they are), and appends an IndexRecordNode when it is sound and names its folder. 1 when appended.
int AppendIndexRecord(uint32_t sector, const uint8_t* header, size_t length);
