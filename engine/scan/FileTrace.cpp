#include "engine/scan/FileTrace.h"

#include "engine/ScanObserver.h"
#include "engine/image/SectorReader.h"
#include "engine/listing/ResultListing.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "engine/state/SectorLimit.h"
#include "engine/util/PageAlignedBuffer.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <vector>

namespace {

// The search has always read 64 sectors at a time; its reach past the end keeps that step.
constexpr uint32_t kTraceStepSectors = 64;

// The sectors from start that the search covers, ending at the disk's last sector when the source
// knows it: nothing past it is read (or counted as unreadable).
uint64_t SearchedSectorCount(uint64_t start, uint64_t covered)
{
    const uint64_t diskSectors = morvick::EngineSectorSource().SectorCount();
    if (diskSectors == 0)
        return covered;
    return start >= diskSectors ? 0 : std::min(covered, diskSectors - start);
}

class SignatureSearch {
public:
    SignatureSearch(const ScanFinishedWord& finished, const OfficeKindReader& readKind)
        : m_finished(finished), m_readKind(readKind), m_observer(CurrentScanObserver()), m_signatures(g_TraceHits.head)
    {}

    bool Run()
    {
        const VolumeParameterBlock& b = g_VolumeParams;
        const uint64_t start = b.partitionStart;
        const uint64_t total = SearchedSectorCount(start, TracedSectorCount(b.partitionStart, b.partitionEnd));
        // Progress over the range's length, not over its end sector: a range far into the disk would
        // stop at a few percent and never come near its end.
        const uint64_t partitionSectors = b.partitionEnd >= b.partitionStart ? uint64_t(b.partitionEnd) - start + 1 : 1;
        const std::u16string ofEnd = u" Of " + DecimalText(b.partitionEnd);
        PageAlignedBuffer buffer(size_t(kTraceRunSectors) * kSectorSize);
        m_observer.OnProgress(0);
        for (uint64_t passed = 0; passed < total;) {
            // Tested before the read too: a run of a damaged disk can take long to read.
            if (ScanStopped(m_finished))
                return false;
            const uint64_t sector = start + passed;
            const uint32_t count =
                static_cast<uint32_t>(total - passed < kTraceRunSectors ? total - passed : kTraceRunSectors);
            std::u16string status = u"Reading Sector " + DecimalText(sector) + ofEnd;
            if (m_unreadable != 0)
                status += u", " + DecimalText(m_unreadable) + u" unreadable";
            m_observer.OnStatus(status);
            m_observer.OnCurrentSector(sector);
            // A sector that can't be read is searched as zeros (it matches no signature) and the
            // search goes on: ending it there would lose every file past one bad sector.
            m_unreadable +=
                ReadSearchRun(static_cast<SectorRead>(ReadSectors), sector, count, kTraceStepSectors, buffer.data());
            // The range ends at the 32-bit partitionEnd (TracedSectorCount), so `sector` fits 32 bits.
            switch (Test(buffer.data(), count, static_cast<uint32_t>(sector))) {
            case RunOutcome::kSearched:
                break;
            case RunOutcome::kStopped:
                return false;
            case RunOutcome::kOutOfMemory:
                return true;
            }
            passed += count;
            Progress(passed, partitionSectors);
        }
        if (m_unreadable != 0)
            m_observer.OnStatus(UnreadableSectorsText(m_unreadable));
        return !ScanStopped(m_finished);
    }

    uint64_t UnreadableSectors() const { return m_unreadable; }

private:
    enum class RunOutcome { kSearched, kStopped, kOutOfMemory };

    // Each sector of the run is a step of its own: the finished word is tested before it, so that a
    // Stop question holds the search there and a stop ends it before another sector is tested or
    // another file counted; a hit is counted and shown at once.
    RunOutcome Test(const uint8_t* buffer, uint32_t count, uint32_t firstSector)
    {
        for (uint32_t i = 0; i < count; ++i) {
            if (ScanStopped(m_finished))
                return RunOutcome::kStopped;
            switch (TraceSector(buffer + size_t{i} * kSectorSize, kSectorSize, firstSector + i, m_signatures,
                m_readKind, m_hitNumber, g_TracedFiles)) {
            case SectorTrace::kNoHit:
                break;
            case SectorTrace::kHit:
                // Traced files only: no folder is found, so the folder count stays 0 (the scan page's
                // "Folder(s) Found" row shows it), rather than taking the file count.
                ++g_nFatFileCount;
                m_observer.OnItemFound(FoundItem{kFoundFile, g_TracedFiles.tail->name, g_TracedFiles.tail, 0});
                break;
            case SectorTrace::kOutOfMemory:
                return RunOutcome::kOutOfMemory;
            }
        }
        return RunOutcome::kSearched;
    }

    void Progress(uint64_t passed, uint64_t partitionSectors)
    {
        uint64_t percent = passed * 100 / partitionSectors;
        if (percent > 99)
            percent = 99;
        if (static_cast<int>(percent) != m_percent) {
            m_percent = static_cast<int>(percent);
            m_observer.OnProgress(m_percent);
        }
    }

    const ScanFinishedWord& m_finished;
    const OfficeKindReader& m_readKind;
    ScanObserver& m_observer;
    TraceSignatureIndex m_signatures;
    uint32_t m_hitNumber = 0;
    int m_percent = 0;
    uint64_t m_unreadable = 0;
};

}  // namespace

uint64_t TracedSectorCount(uint32_t partitionStart, uint32_t partitionEnd)
{
    const uint64_t sectors = partitionEnd >= partitionStart ? uint64_t(partitionEnd) - partitionStart + 1 : 0;
    uint64_t count = (sectors / kTraceStepSectors + 1) * kTraceStepSectors;
    // Sector numbers of traced files are 32-bit: nothing past them is traced (engine/state/SectorLimit.h).
    if (count > kLastHeldSector - partitionStart + 1)
        count = kLastHeldSector - partitionStart + 1;
    return count;
}

std::u16string UnreadableSectorsText(uint64_t count)
{
    return DecimalText(count) +
        (count == 1 ? u" sector could not be read and was searched as zeros"
                    : u" sectors could not be read and were searched as zeros");
}

bool SearchSignatures(const ScanFinishedWord& finished, const OfficeKindReader& readKind, uint64_t* unreadableSectors)
{
    FreeTracedFileList();
    g_nFatFileCount = 0;
    g_nFatFolderCount = 0;
    SignatureSearch search(finished, readKind);
    const bool completed = search.Run();
    if (unreadableSectors != nullptr)
        *unreadableSectors = search.UnreadableSectors();
    return completed;
}

FileTraceResult RunFileTrace(ScanFinishedWord& finished, const OfficeKindReader& readKind, uint64_t* unreadableSectors)
{
    if (unreadableSectors != nullptr)
        *unreadableSectors = 0;
    switch (WorkOutScanParameters(finished)) {
    case QuickScanResult::kStopped:
        return FileTraceResult::kStopped;
    case QuickScanResult::kNoParameters:
        return FileTraceResult::kNoParameters;
    case QuickScanResult::kCompleted:
        break;
    }
    CurrentScanObserver().OnStatus(kSearchingForDataText);
    return SearchSignatures(finished, readKind, unreadableSectors) ? FileTraceResult::kCompleted
                                                                   : FileTraceResult::kStopped;
}
