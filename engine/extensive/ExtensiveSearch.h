// The sector search of the Extensive Scan: reads a sector range in large runs and puts whatever
// looks like a boot sector, a FAT directory's first sector, an MFT record or an INDX record into the
// candidate lists (engine/state) for the analyses.
#pragma once

#include "engine/scan/ScanStop.h"

#include <cstdint>

enum ExtensiveSearchKind : unsigned {
    kSearchFat = 1,   // FAT boot sectors and directories
    kSearchNtfs = 2,  // NTFS boot sectors, FILE and INDX records
};

struct ExtensiveSearchCounters {
    uint32_t bootSectors = 0;
    uint32_t fatDirectories = 0;
    uint32_t ntfsFolders = 0;
    uint32_t ntfsFiles = 0;
    uint32_t indexRecords = 0;
    uint64_t unreadableSectors = 0;  // read as zeros
};

enum class ExtensiveSearchResult {
    kCompleted,
    kStopped,      // the finished word ended the search
    kTooMany,      // a candidate list reached its bound; "Too many data structures found" was shown
    kOutOfMemory,  // an allocation failed (and was reported); the lists keep what was found
};

// The counters of the running search, for the scan display's rows; the worker writes them, the
// user interface's timer reads them.
extern ExtensiveSearchCounters g_ExtensiveSearchCounters;

// Sectors read at a time. A run that cannot be read is read again in pieces of g_nSectorsPerRead
// sectors (the sectors-per-attempt setting), and a piece that fails sector by sector (ReadSearchRun).
// Runs are larger than the setting's reads, which made the search of a large disk millions of reads.
constexpr uint32_t kSearchRunSectors = 2048;

// Bounds of the candidate lists, every list's and not only the FAT boot sectors': a disk full of
// lookalike sectors would otherwise take all of a 32-bit process's memory and end it.
constexpr uint32_t kMaxBootSectorCandidates = 60000;
constexpr uint32_t kMaxFatDirectoryCandidates = 1000000;
constexpr uint32_t kMaxNtfsRecordCandidates = 4000000;
constexpr uint32_t kMaxIndexRecordCandidates = 1000000;

extern const char16_t kTooManyStructuresText[];  // "Too many data structures found"

// Searches `count` sectors from `first` (sectors past 2^32 - 1 are not searched: the lists keep
// 32-bit sector numbers). A sector that cannot be read is taken as zeros, which match nothing (not as
// the buffer's earlier bytes, which would list their candidates a second time), and counted in
// unreadableSectors. Reports "Reading Sector n Of total", the progress and the current
// sector. The lists are appended to; the caller frees them before a new scan. A record whose name
// lies in an extension record is named from it at the end (see engine/ntfs/ExtensionNames.h).
ExtensiveSearchResult SearchDiskStructures(uint64_t first, uint64_t count, unsigned kinds,
    const ScanFinishedWord& finished, ExtensiveSearchCounters& counters);
