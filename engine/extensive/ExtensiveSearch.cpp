#include "engine/extensive/ExtensiveSearch.h"

#include "engine/ScanObserver.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FatCandidates.h"
#include "engine/extensive/NtfsCandidates.h"
#include "engine/image/SectorReader.h"
#include "engine/listing/ResultListing.h"
#include "engine/ntfs/ExtensionNames.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "engine/util/PageAlignedBuffer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

const char16_t kTooManyStructuresText[] = u"Too many data structures found";
ExtensiveSearchCounters g_ExtensiveSearchCounters;

namespace {

class SectorTester {
public:
    SectorTester(unsigned kinds, ExtensiveSearchCounters& counters) : m_kinds(kinds), m_counters(counters) {}

    // False when a list reached its bound or memory ran out.
    bool Test(const uint8_t* s, size_t bytesLeft, uint32_t sector)
    {
        if ((m_kinds & kSearchFat) != 0) {
            if (morvick::IsFatBootCandidate(s))
                return AddBootSector(sector);
            morvick::FatDirectoryStart d;
            if (morvick::ReadFatDirectoryCandidate(s, sector, d)) {
                if (m_counters.fatDirectories >= kMaxFatDirectoryCandidates)
                    return false;
                if (!AddFoundFatDirectory(sector, d.cluster, d.parentCluster, d.writeDate, d.accessDate))
                    return OutOfMemory();
                ++m_counters.fatDirectories;
                return true;
            }
        }
        if ((m_kinds & kSearchNtfs) != 0) {
            if (morvick::IsNtfsBootCandidate(s))
                return AddBootSector(sector);
            if (morvick::IsMftRecordCandidate(s))
                return AddMftRecord(s, bytesLeft, sector);
            if (morvick::IsIndexRecordCandidate(s))
                return AddIndexRecord(s, bytesLeft, sector);
        }
        return true;
    }

private:
    bool AddBootSector(uint32_t sector)
    {
        if (m_counters.bootSectors >= kMaxBootSectorCandidates)
            return false;
        if (!AppendSectorNode(sector))
            return OutOfMemory();
        ++m_counters.bootSectors;
        return true;
    }

    bool AddMftRecord(const uint8_t* s, size_t bytesLeft, uint32_t sector)
    {
        if (uint64_t{m_counters.ntfsFiles} + m_counters.ntfsFolders >= kMaxNtfsRecordCandidates)
            return false;
        const uint32_t folders = g_FoundNtfsRecords.count;
        const uint32_t files = g_NtfsFileRecords.count;
        // The record whole from the run where it lies in it, of the size its header gives; else read.
        const size_t recordBytes = size_t{FoundMftRecordSectors(s)} * kSectorSize;
        if (bytesLeft >= recordBytes)
            ProcessFoundMftRecordBytes(sector, s, recordBytes);
        else
            ProcessFoundMftRecord(sector);
        m_counters.ntfsFolders += g_FoundNtfsRecords.count - folders;
        m_counters.ntfsFiles += g_NtfsFileRecords.count - files;
        return true;
    }

    bool AddIndexRecord(const uint8_t* s, size_t bytesLeft, uint32_t sector)
    {
        // Listed whether the record is sound or not: the analysis binds a folder to a volume by the
        // signature at its index allocation alone (an emptied folder's index has no entry to check).
        ListIndexRecordSector(sector);
        if (m_counters.indexRecords >= kMaxIndexRecordCandidates)
            return false;
        if (AppendIndexRecord(sector, s, bytesLeft))
            ++m_counters.indexRecords;
        return true;
    }

public:
    // The last false came from a failed allocation (already reported), not from a full list.
    bool RanOutOfMemory() const { return m_outOfMemory; }

private:
    bool OutOfMemory()
    {
        m_outOfMemory = true;
        return false;
    }

    unsigned m_kinds;
    ExtensiveSearchCounters& m_counters;
    bool m_outOfMemory = false;
};

// The "Current Sector" row of the search, at each read of the sectors-per-attempt setting (the runs
// are larger): the NTFS search shows the sector a read starts at before it is searched, the FAT search
// the read's offset in the range once it is searched.
class CurrentSectorRow {
public:
    CurrentSectorRow(uint64_t first, uint64_t count, unsigned kinds)
        : m_first(first), m_count(count), m_perRead(std::max<uint32_t>(g_nSectorsPerRead, 1)),
          m_absolute((kinds & kSearchNtfs) != 0), m_observer(CurrentScanObserver())
    {}
    // Called before and after each sector is searched, in order.
    void Before(uint64_t offset)
    {
        if (m_searched != 0)
            return;
        m_readOffset = offset;
        if (m_absolute)
            m_observer.OnCurrentSector(m_first + offset);
    }
    void After(uint64_t offset)
    {
        if (++m_searched < m_perRead && offset + 1 < m_count)
            return;
        m_searched = 0;
        if (!m_absolute)
            m_observer.OnCurrentSector(m_readOffset);
    }

private:
    uint64_t m_first;
    uint64_t m_count;
    uint32_t m_perRead;
    bool m_absolute;
    ScanObserver& m_observer;
    uint32_t m_searched = 0;  // sectors of the current read searched so far
    uint64_t m_readOffset = 0;
};

// The bar and the status at each new percentage, not at every 88th read: the runs are not the
// setting's reads, and the status says the same a little more often.
void ReportReading(uint64_t offset, uint64_t count, int& shownPercent)
{
    const int percent = static_cast<int>(std::min<uint64_t>(offset * 100 / count, 99));
    if (percent == shownPercent)
        return;
    shownPercent = percent;
    ScanObserver& observer = CurrentScanObserver();
    observer.OnProgress(percent);
    observer.OnStatus(u"Reading Sector " + DecimalText(offset) + u" Of " + DecimalText(count));
}

}  // namespace

namespace {

ExtensiveSearchResult SearchSectors(uint64_t first, uint64_t count, unsigned kinds, const ScanFinishedWord& finished,
    ExtensiveSearchCounters& counters)
{
    // Nothing past the sectors the lists hold is searched (engine/state/SectorLimit.h).
    if (!FitsSectorField(first))
        return ExtensiveSearchResult::kCompleted;
    count = std::min<uint64_t>(count, kLastHeldSector + 1 - first);
    g_IndexRecordSectors.searchedFirst = first;
    g_IndexRecordSectors.searchedEnd = first;
    CurrentScanObserver().OnProgress(0);

    PageAlignedBuffer storage(size_t{kSearchRunSectors} * kSectorSize);
    uint8_t* const buffer = storage.data();
    SectorTester tester(kinds, counters);
    CurrentSectorRow row(first, count, kinds);
    ScanObserver& observer = CurrentScanObserver();
    int shownPercent = -1;
    for (uint64_t offset = 0; offset < count; offset += kSearchRunSectors) {
        if (ScanStopped(finished))
            return ExtensiveSearchResult::kStopped;
        ReportReading(offset, count, shownPercent);
        // The last run ends at the range's end: a full batch would list structures of what lies beyond.
        const uint32_t run = static_cast<uint32_t>(std::min<uint64_t>(kSearchRunSectors, count - offset));
        const uint64_t sector = first + offset;
        counters.unreadableSectors +=
            ReadSearchRun(static_cast<SectorRead>(ReadSectors), sector, run, g_nSectorsPerRead, buffer);
        MarkIndexSectorsSearched(sector + run);
        for (uint32_t i = 0; i < run; ++i) {
            const size_t at = size_t{i} * kSectorSize;
            // Each sector searched is a step that a Stop question holds: the finished word is tested
            // once a run of 2,048, and the percent reported only where it changes.
            observer.OnPausePoint();
            row.Before(offset + i);
            if (!tester.Test(buffer + at, size_t{run} * kSectorSize - at, static_cast<uint32_t>(sector + i))) {
                // The rest of the run was read but not searched: its INDX records are not known to be
                // absent, so the analysis reads them again rather than taking them for missing.
                MarkIndexSectorsSearched(sector + i + 1);
                if (tester.RanOutOfMemory())
                    return ExtensiveSearchResult::kOutOfMemory;
                ShowEngineMessage(kTooManyStructuresText, kMessageError);
                return ExtensiveSearchResult::kTooMany;
            }
            row.After(offset + i);
        }
    }
    return ExtensiveSearchResult::kCompleted;
}

}  // namespace

ExtensiveSearchResult SearchDiskStructures(uint64_t first, uint64_t count, unsigned kinds,
    const ScanFinishedWord& finished, ExtensiveSearchCounters& counters)
{
    ForgetExtensionNames();
    const ExtensiveSearchResult result = SearchSectors(first, count, kinds, finished, counters);
    // Records whose names lie in extension records take them now, however the search ended, before
    // anything reads the lists; those that find none are taken out again.
    const ExtensionNameOutcome names = GiveExtensionNames();
    counters.ntfsFolders -= names.foldersDropped;
    counters.ntfsFiles -= names.filesDropped;
    return result;
}
