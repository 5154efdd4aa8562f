// Copies a file's data from the source to an open output file: its sectors come as extents in file
// order. Unreadable sectors are never left out or filled with stale bytes: a failed read is retried,
// then read sector by sector, and the sectors that still fail are written as zeros and reported.
#pragma once

#include "engine/io/OutputFolder.h"

#include <cstdint>
#include <functional>
#include <vector>

// A run of the file's data: `count` sectors from `sector`, or `count` sectors of zeros (a sparse run).
struct SectorExtent {
    uint64_t sector = 0;
    uint64_t count = 0;
    bool zeros = false;
};

// Reads count sectors at sector into buffer; true only when all were read.
using SectorReadFunction = std::function<bool(uint64_t sector, uint32_t count, uint8_t* buffer)>;

// Called with the bytes written so far.
using CopyProgressFunction = std::function<void(uint64_t written)>;

struct CopyOutcome {
    uint64_t written = 0;
    uint64_t unreadableSectors = 0;   // written as zeros
    bool missingData = false;         // the extents end before the size: the rest is zeros
    bool undecodable = false;         // compressed data that did not expand: written as far as it did
    bool clustersTaken = false;       // a deleted file's clusters that files hold now: written as zeros
    bool writeFailed = false;
    bool stopped = false;             // the stop or skip flag ended the copy
    bool cutByClusterInUse = false;   // a deleted file with a cluster in use within its size: its bytes
                                      // past it may be another file's
};

// Sectors read at a time; reads of contiguous sectors are joined up to this size, not one read of a
// cluster or of 1, 8 or 16 sectors: a file of 4 GiB in 4 KiB clusters would take a million reads and
// writes. 1 MiB, not a whole file: Skip and Stop are tested between reads, so they take effect within
// a MiB.
constexpr uint32_t kCopyChunkSectors = 2048;

// Writes `size` bytes: the extents' sectors, cut at the size, then zeros when the extents are too
// short. Reads go through `read`; a failed chunk is tried `retries` more times, then sector by
// sector (each also retried). The stop and skip flags are tested between chunks.
CopyOutcome CopySectorExtents(COutputFile& file, const std::vector<SectorExtent>& extents, uint64_t size,
    const SectorReadFunction& read, uint32_t retries, const CopyProgressFunction& progress = nullptr);

// Reads count sectors (at most kCopyChunkSectors) into buffer: the whole run, tried `retries` more
// times, then sector by sector; sectors that cannot be read are zeros. Returns how many those are.
uint64_t ReadSectorsOrZeros(const SectorReadFunction& read, uint64_t sector, uint32_t count, uint8_t* buffer,
    uint32_t retries);

// Adds a run of sectors to a list of extents, joining it to the last one when they touch.
void AppendSectorExtent(std::vector<SectorExtent>& extents, uint64_t sector, uint64_t count, bool zeros);
