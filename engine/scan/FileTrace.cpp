#include "engine/scan/FileTrace.h"

#include "engine/ScanObserver.h"
#include "engine/image/SectorReader.h"
#include "engine/listing/ResultListing.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "engine/util/PageAlignedBuffer.h"

#include <vector>

namespace {

// The search has always read 64 sectors at a time; its reach past the end keeps that step.
constexpr uint64_t kTraceStepSectors = 64;
constexpr uint64_t kLastSectorNumber = 0xFFFFFFFF;

// Reads count sectors at first into buffer; the number of sectors read from the front. A failed
// large read is read again in steps, then sector by sector, so that what can be read is tested and
// nothing that could not is.
uint32_t ReadTraceRun(uint64_t first, uint32_t count, uint8_t* buffer)
{
    if (ReadSectors(first, count, buffer))
        return count;
    uint32_t done = 0;
    while (done < count) {
        const uint32_t step = count - done < kTraceStepSectors ? count - done : kTraceStepSectors;
        if (ReadSectors(first + done, step, buffer + size_t(done) * kSectorSize)) {
            done += step;
            continue;
        }
        for (uint32_t i = 0; i < step; ++i, ++done) {
            if (!ReadSectors(first + done, 1, buffer + size_t(done) * kSectorSize))
                return done;
        }
    }
    return done;
}

class SignatureSearch {
public:
    SignatureSearch(const ScanFinishedWord& finished, const OfficeKindReader& readKind)
        : m_finished(finished), m_readKind(readKind), m_observer(CurrentScanObserver()),
          m_signatures(g_TraceHits.head)
    {
    }

    bool Run()
    {
        const VolumeParameterBlock& b = g_VolumeParams;
        const uint64_t start = b.partitionStart;
        const uint64_t total = TracedSectorCount(b.partitionStart, b.partitionEnd);
        const uint64_t partitionSectors = b.partitionEnd >= b.partitionStart ? uint64_t(b.partitionEnd) - start + 1 : 1;
        const std::u16string ofEnd = u" Of " + DecimalText(b.partitionEnd);
        PageAlignedBuffer buffer(size_t(kTraceRunSectors) * kSectorSize);
        m_observer.OnProgress(0);
        for (uint64_t passed = 0; passed < total;) {
            if (ScanStopped(m_finished))
                return false;
            const uint64_t sector = start + passed;
            const uint32_t count = static_cast<uint32_t>(total - passed < kTraceRunSectors ? total - passed : kTraceRunSectors);
            m_observer.OnStatus(u"Reading Sector " + DecimalText(sector) + ofEnd);
            const uint32_t read = ReadTraceRun(sector, count, buffer.data());
            if (!Test(buffer.data(), read, static_cast<uint32_t>(sector)))
                return true;
            passed += read;
            Progress(passed, partitionSectors);
            if (read < count)
                break;
        }
        return !ScanStopped(m_finished);
    }

private:
    bool Test(const uint8_t* buffer, uint32_t count, uint32_t firstSector)
    {
        TracedFileRecord* last = g_TracedFiles.tail;
        const bool whole = TraceSectors(buffer, count, kSectorSize, firstSector, m_signatures, m_readKind, m_hitNumber,
            g_TracedFiles);
        for (TracedFileRecord* r = last ? last->next : g_TracedFiles.head; r; r = r->next) {
            ++g_nFatFileCount;
            if (g_nFatFileCount > 1)
                g_nFatFolderCount = g_nFatFileCount;
            m_observer.OnItemFound(FoundItem{kFoundFile, r->name, r, 0});
        }
        return whole;
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
};

} // namespace

uint64_t TracedSectorCount(uint32_t partitionStart, uint32_t partitionEnd)
{
    const uint64_t sectors = partitionEnd >= partitionStart ? uint64_t(partitionEnd) - partitionStart + 1 : 0;
    uint64_t count = (sectors / kTraceStepSectors + 1) * kTraceStepSectors;
    // Sector numbers of traced files are 32-bit.
    if (count > kLastSectorNumber - partitionStart + 1)
        count = kLastSectorNumber - partitionStart + 1;
    return count;
}

bool SearchSignatures(const ScanFinishedWord& finished, const OfficeKindReader& readKind)
{
    FreeTracedFileList();
    g_nFatFileCount = 0;
    g_nFatFolderCount = 0;
    return SignatureSearch(finished, readKind).Run();
}

FileTraceResult RunFileTrace(ScanFinishedWord& finished, const OfficeKindReader& readKind)
{
    switch (WorkOutScanParameters(finished)) {
    case QuickScanResult::kStopped:
        return FileTraceResult::kStopped;
    case QuickScanResult::kNoParameters:
        return FileTraceResult::kNoParameters;
    case QuickScanResult::kCompleted:
        break;
    }
    CurrentScanObserver().OnStatus(kSearchingForDataText);
    return SearchSignatures(finished, readKind) ? FileTraceResult::kCompleted : FileTraceResult::kStopped;
}
