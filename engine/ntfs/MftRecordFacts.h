// What a scan lists of one MFT base record of the volume being read, from the record and from the
// extension records that its attribute list names, each read through the MFT's runs (g_MftRunTable):
// a record that fills up has its name moved out as well as its data, and a base record with no name
// of its own would hide the file, or a folder and all it holds.
#pragma once

#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/MftRecord.h"

#include <cstdint>

struct MftRecordFacts {
    morvick::NtfsFileName name;
    bool named = false;       // `name` is a $FILE_NAME of the record or of one of its extension records
    bool nameless = false;    // a file without one, listed as morvick::NamelessFileNameOf gives it
    uint64_t size = 0;        // files: the unnamed $DATA's size (0 without one)
    uint64_t dataSector = 0;  // the first sector of the record that holds the first piece of that $DATA
};

// Reads the facts of the fixed-up base record `record` (its header `header`, its number `number`, its
// first sector `sector`). True when a scan lists it: a folder or a file with a name, the root's "."
// aside, or a file without one whose unnamed $DATA holds bytes (`nameless`).
bool ReadListedRecordFacts(const uint8_t* record, const morvick::MftRecordHeader& header, uint32_t number,
    uint64_t sector, MftRecordFacts& facts);
