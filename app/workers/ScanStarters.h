// The starters of the wizard's workers: each hands the engine's work for one mode to the worker
// protocol, makes the page the receiver of what the worker reports and starts the page's one-second
// poll (timer 1). The worker's result is the engine's result code, read by the page's poll once the
// thread has ended.
#pragma once

#include "classlib/win/AfxWin.h"

class CSecondView_HDD;
namespace wizard {
class IWorkerReportSink;
}

namespace wizard {

// The poll of the pages: timer 1 at 1000 ms.
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollIntervalMs = 1000;

// Results the page's poll reads (WorkerResult).
enum WorkerOutcome : int {
    kOutcomeCompleted = 1,
    kOutcomeStopped = 2,       // the user stopped it; what was found so far stays
    kOutcomeNoParameters = 3,  // Quick Scan and File Trace: no usable partition parameters
    kOutcomeTooMany = 4,       // Extensive Scan: a candidate list was full (the message was shown)
};

// The partition search of the drive page: lists the table's partitions, then searches the disk
// when it has none or searchRequested is set.
bool StartPartitionSearch(CWnd* page, IWorkerReportSink* sink, bool searchRequested);
// The Quick Scan of the chosen partition (the failure mark of an earlier scan is cleared first).
bool StartQuickScan(CWnd* page, IWorkerReportSink* sink);
// The Extensive Scan of the chosen range.
bool StartDeepScan(CWnd* page, IWorkerReportSink* sink);
// File Trace over the chosen partition for the chosen signatures.
bool StartFileTrace(CWnd* page, IWorkerReportSink* sink);
// The found-volume scan of the file-system page (it sets the flags itself).
bool StartFoundVolumeScan(CWnd* page, IWorkerReportSink* sink);

// One tick of a page's poll: the worker's reports delivered; true once the worker has ended and no
// stop question or shutdown holds it, and then the poll is stopped (the page reads the result) after
// a last delivery, made even when nothing was reported, that shows the worker's final counts.
bool PollWorkerEnded(CWnd& page);

// The File Types dialog of File Trace: runs modally and builds the chosen signatures; true on OK.
// The dialog that owns the signature table installs itself here; without one, File Trace cannot
// start.
using ChooseTraceSignaturesFn = bool (*)(CWnd* owner);
void SetChooseTraceSignatures(ChooseTraceSignaturesFn choose);
bool ChooseTraceSignatures(CWnd* owner);

}  // namespace wizard
