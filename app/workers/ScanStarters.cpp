#include "app/workers/ScanStarters.h"

#include "app/workers/WizardScanObserver.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/scan/FileTrace.h"
#include "engine/scan/OfficeDocumentKind.h"
#include "engine/scan/QuickScan.h"
#include "engine/volume/PartitionDiscovery.h"

namespace wizard {

namespace {

ChooseTraceSignaturesFn g_chooseTraceSignatures = nullptr;

// The common start: reports go to the sink, the worker runs body, the page polls.
bool Start(CWnd* page, IWorkerReportSink* sink, WorkerBody body)
{
    WizardObserver().DiscardReports();
    SetWorkerReportSink(sink);
    if (!StartWorker(std::move(body)))
        return false;
    if (page != nullptr && page->GetSafeHwnd() != nullptr)
        page->SetTimer(kPollTimer, kPollIntervalMs, nullptr);
    return true;
}

int OutcomeOf(QuickScanResult result)
{
    switch (result) {
    case QuickScanResult::kCompleted:
        return kOutcomeCompleted;
    case QuickScanResult::kStopped:
        return kOutcomeStopped;
    default:
        return kOutcomeNoParameters;
    }
}

int OutcomeOf(FileTraceResult result)
{
    switch (result) {
    case FileTraceResult::kCompleted:
        return kOutcomeCompleted;
    case FileTraceResult::kStopped:
        return kOutcomeStopped;
    default:
        return kOutcomeNoParameters;
    }
}

}  // namespace

bool StartPartitionSearch(CWnd* page, IWorkerReportSink* sink, bool searchRequested)
{
    return Start(page, sink, [searchRequested](ScanFinishedWord& finished) {
        SearchPartitions(searchRequested, 0, &finished);
        return WorkerStopRequested() ? static_cast<int>(kOutcomeStopped) : static_cast<int>(kOutcomeCompleted);
    });
}

bool StartQuickScan(CWnd* page, IWorkerReportSink* sink)
{
    // Cleared at each start: a failure mark left by an earlier scan would disable this one's results.
    g_nScanFailed = 0;
    return Start(page, sink, [](ScanFinishedWord& finished) { return OutcomeOf(RunQuickScan(finished)); });
}

bool StartDeepScan(CWnd* page, IWorkerReportSink* sink)
{
    return Start(page, sink, [](ScanFinishedWord& finished) {
        const ExtensiveScanOutcome outcome = RunExtensiveScan(finished);
        switch (outcome.search) {
        case ExtensiveSearchResult::kStopped:
            return static_cast<int>(kOutcomeStopped);
        case ExtensiveSearchResult::kTooMany:
            return static_cast<int>(kOutcomeTooMany);
        default:
            return static_cast<int>(kOutcomeCompleted);
        }
    });
}

bool StartFileTrace(CWnd* page, IWorkerReportSink* sink)
{
    // As for the Quick Scan: no earlier scan's failure mark carries over.
    g_nScanFailed = 0;
    return Start(page, sink, [](ScanFinishedWord& finished) {
        return OutcomeOf(RunFileTrace(finished, [](uint32_t sector) { return DetectOfficeDocumentKind(sector); }));
    });
}

bool StartFoundVolumeScan(CWnd* page, IWorkerReportSink* sink)
{
    return Start(page, sink, [](ScanFinishedWord& finished) {
        RunFoundVolumeScan(finished);
        return WorkerStopRequested() ? static_cast<int>(kOutcomeStopped) : static_cast<int>(kOutcomeCompleted);
    });
}

void SetChooseTraceSignatures(ChooseTraceSignaturesFn choose)
{
    g_chooseTraceSignatures = choose;
}

bool ChooseTraceSignatures(CWnd* owner)
{
    return g_chooseTraceSignatures != nullptr && g_chooseTraceSignatures(owner);
}

bool PollWorkerEnded(CWnd& page)
{
    DeliverWorkerReports();
    if (!IsWorkerOver() || IsStopQuestionOpen() || IsShuttingDown())
        return false;
    // Once more now that the worker has ended, whether it reported anything since or not: what it
    // counted after its last report (the entries of its last sector, the clusters parked under "Lost
    // Dir") reaches the page, which reads its counters at each delivery.
    DeliverWorkerReports(true);
    page.KillTimer(kPollTimer);
    return true;
}

}  // namespace wizard
