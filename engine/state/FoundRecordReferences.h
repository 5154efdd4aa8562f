// What the Extensive Scan's search read of each found NTFS record (g_FoundNtfsRecords,
// g_NtfsFileRecords) beyond the fields of its list record, whose layout the snapshot files fix: the
// whole parent reference and the record's own sequence number, which tell whether the folder found
// under a number is the one the record was made in, and whether a file's data begins in an extension
// record. Kept by the record's sector and forgotten with the lists (FreeScanRecordLists).
#pragma once

#include <cstdint>

struct FoundRecordReference {
    uint32_t parent = 0;          // the parent's record number, as the list record has it
    uint16_t parentHigh = 0;      // its high 16 bits
    uint16_t parentSequence = 0;  // the parent's sequence number in the reference
    uint16_t sequence = 0;        // the record's own sequence number
    bool inUse = false;
    bool dataElsewhere = false;  // a file whose base record has no unnamed $DATA but an attribute list
    bool nameless = false;       // no $FILE_NAME found for it yet (FoundMftRecord::nameless)
    uint32_t recordSectors = 2;  // the record's size in 512-byte sectors, as its header gives it
};

// Keeps the reference of the record at `sector`, in place of any kept before for that sector.
void KeepFoundRecordReference(uint32_t sector, const FoundRecordReference& reference);

// The reference kept for the record at `sector`; null when none was (a record of a loaded snapshot).
const FoundRecordReference* FoundRecordReferenceAt(uint32_t sector);

void ForgetFoundRecordReferences();
