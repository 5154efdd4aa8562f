// The one OEM code page a loaded FAT snapshot's short names are read in.
#pragma once

#include "engine/state/RecordList.h"

#include <cstdint>

// Decided once for the whole snapshot: among its files that the disk holds now with their first
// cluster, size and write date (whatever their names and folders), those whose short names hold a
// byte above 0x7F vote, each for every real OEM code page (OemCodePages) that reads its bytes now as
// its listed name exactly (SameShortName); the page read most wins, this computer's (OemCodePage)
// where it is read as often as any other, then the first listed. `read` is the disk's files as a scan
// reads them now under an OemBytesReading. A name read leniently (a stand-in) votes for none; where
// no name votes, as where every name above 0x7F was written over since, this computer's page wins.
uint32_t SnapshotCodePage(const RecordList<FatEntryRecord>& listed, const RecordList<FatEntryRecord>& read);
