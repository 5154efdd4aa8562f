// Names that lie in extension records, for the Extensive Scan. NTFS moves a file's or folder's
// $FILE_NAME into an extension record when its base record fills up. The search meets the two
// records apart, in either order, before the MFT's map is known: the base record is listed in its
// place without a name, the extension record is remembered, and after the search each waiting record
// takes the name from an extension record that names it as its base: where the disk holds several
// (old copies, other volumes), the one that lies where its number puts it in an unbroken MFT, else
// the nearest.
#pragma once

#include "engine/ntfs/MftRecord.h"

#include <cstdint>

// Remembers that the base record at `sector` (a numbered record) waits for its name, before it is
// listed. False when no more can be remembered: the record is then not listed.
bool AwaitFoundExtensionName(uint32_t sector, const morvick::MftRecordHeader& header);
// Remembers an extension record at `sector` that holds a $FILE_NAME.
void KeepFoundExtensionName(uint32_t sector, const morvick::MftRecordHeader& header);

struct ExtensionNameOutcome {
    uint32_t named = 0;           // records given their names
    uint32_t foldersDropped = 0;  // folder records left without one and taken out of g_FoundNtfsRecords
    uint32_t filesDropped = 0;    // file records left without one and taken out of g_NtfsFileRecords
};

// Gives each waiting record of g_FoundNtfsRecords and g_NtfsFileRecords its name, parent and times
// (read again from its base record and the extension record, through the engine's current source);
// a record left without a name stays nameless (DecodeNamelessFoundMftRecord: the browse of its volume
// looks for its name through the MFT's runs), or is taken out of its list where it is neither a file
// that keeps its data nor a folder. Then forgets what was remembered.
ExtensionNameOutcome GiveExtensionNames();

// Forgets what was remembered; the lists are left alone.
void ForgetExtensionNames();
