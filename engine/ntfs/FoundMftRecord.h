// What the engine keeps of one MFT record: a file (name, parent, times, size) or a folder (its own
// number from its index root, its index allocation).
#pragma once

#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/MftRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvick {

struct FoundMftRecord {
    bool folder = false;
    bool deleted = false;  // flags 0 (file) or 2 (folder): no longer in use
    std::u16string name;
    uint32_t parent = 0;
    uint16_t parentHigh = 0;  // the rest of the parent reference (see NtfsFileName)
    uint16_t parentSequence = 0;
    uint16_t sequence = 0;  // the record's own sequence number
    uint64_t creationTime = 0;
    uint64_t changeTime = 0;
    uint64_t size = 0;  // files: the unnamed $DATA's size, 0 without one
    // Files: the base record has no unnamed $DATA but an attribute list, which places its first piece
    // in an extension record (size is then 0 until that record is read).
    bool dataElsewhere = false;
    uint32_t recordSectors = 2;           // the record's size in 512-byte sectors (set by its reader)
    uint32_t ownNumber = 0;               // folders: 5 for ".", 11 for "$Extend", else from the index root
    uint64_t indexAllocationCluster = 0;  // folders
    // No $FILE_NAME was found for it (see DecodeNamelessFoundMftRecord): a file is listed under the name
    // made from its number in "Lost Dir", a folder is named once its volume's MFT is known, or left out.
    bool nameless = false;
};

// Decodes a fixed-up record. False when it is not a FILE record, its flags are above 3, it is an
// extension record of another one, or it has no $FILE_NAME.
bool DecodeFoundMftRecord(const uint8_t* record, size_t length, FoundMftRecord& out);

// True for a base record whose $FILE_NAME lies in one of its extension records: one that
// DecodeFoundMftRecord would take but for its name, which it lacks, and that has an attribute list.
bool AwaitsExtensionFileName(const uint8_t* record, size_t length);

// Decodes such a record with `name`, read from its extension record, standing for its own. False
// for any other record.
bool DecodeFoundMftRecordNamed(const uint8_t* record, size_t length, const NtfsFileName& name, FoundMftRecord& out);

// Decodes a base record that holds no $FILE_NAME and is numbered: a file whose unnamed $DATA holds
// bytes or lies in an extension record gets the name, parent and times that NamelessFileNameOf gives;
// a folder that may find its name in an extension record (AwaitsExtensionFileName) an empty name and
// parent. `nameless` is set. False for any other record.
bool DecodeNamelessFoundMftRecord(const uint8_t* record, size_t length, FoundMftRecord& out);

// The $FILE_NAME of a fixed-up extension record (in the name space ReadPreferredFileName prefers),
// which stands for its base record's; `header` gets the record's header. False when the record is no
// extension record, its flags are above 3 or it holds no $FILE_NAME.
bool ReadExtensionFileName(const uint8_t* record, size_t length, MftRecordHeader& header, NtfsFileName& out);

}  // namespace morvick
