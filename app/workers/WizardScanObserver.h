// The wizard's scan observer: what the engine reports from a worker thread is kept here and handed
// to the user-interface thread, which shows it. The worker never touches a window: it stores its
// status, progress and found items and posts one notice; the user-interface thread takes them all
// and gives them to the page that started the worker (its report sink). Messages and questions go
// through the message channel, which shows them on the user-interface thread.
//
// The engine reports for every entry, record or read, far more often than anything it shows changes,
// and each notice costs the user-interface thread a round of repainting: a report of the worker that
// changes nothing (the same percent, the same status) costs it no lock and no notice; a new percent
// or a found item brings a notice at once; the texts that change at every record or read (the
// current sector, a status that counts them) bring one only once for kReportsPerNotice of them, the
// notices of the percent and the page's poll showing the latest meanwhile. The pause holds the worker
// at its next pause point (every entry, cluster, record or sector it steps through, every test of the
// finished word, which File Trace makes before each sector it tests) or report, changed or not: a
// scan that tests the word at each step takes none after a Stop.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "engine/ScanObserver.h"

namespace wizard {

// A found item as the engine reported it, with the id the observer gave it.
struct FoundItemReport {
    uint32_t id = 0;
    FoundItemKind kind = kFoundDisk;
    std::u16string text;
    const void* record = nullptr;
    uint32_t parentItem = 0;
};

// What the engine reported since the user-interface thread last looked.
struct WorkerReports {
    bool hasStatus = false;
    std::u16string status;
    bool hasProgress = false;
    int progress = 0;
    bool hasSector = false;
    uint64_t sector = 0;  // the number of the scan display's "Current Sector" row
    std::vector<FoundItemReport> items;

    bool Empty() const { return !hasStatus && !hasProgress && !hasSector && items.empty(); }
};

// The page that shows what the current worker reports.
class IWorkerReportSink {
public:
    virtual ~IWorkerReportSink() = default;
    // Runs on the user-interface thread; `reports` may be empty (the worker's end), and counters
    // the engine keeps are read here.
    virtual void ApplyWorkerReports(const WorkerReports& reports) = 0;
};

class CWizardScanObserver : public ScanObserver {
public:
    CWizardScanObserver() = default;

    void OnStatus(const std::u16string& text) override;
    void OnProgress(int percent) override;
    // Kept without waiting while the worker is held paused: each comes after a pause point of the
    // same step.
    void OnCurrentSector(uint64_t sector) override;
    // Waits while the worker is held paused (a flag read while it is not).
    void OnPausePoint() override;
    // Returns the item's id: 1, 2, 3 ... in the order reported (counted across workers).
    uint32_t OnItemFound(const FoundItem& item) override;
    // Shown with OK alone through the message channel (kMessagePlain: the plain system box); a
    // worker first waits while it is held paused. During the program's end nothing more is shown
    // and every question is answered No.
    bool OnMessage(const std::u16string& text, MessageKind kind) override;
    // A yes/no question with the icon of its kind, on the same terms.
    bool OnQuestion(const std::u16string& text, MessageKind kind) override;

    // User-interface side: takes what was reported (and clears it).
    WorkerReports TakeReports();
    // The window that gets `message` when new reports wait; one notice at a time.
    void SetNotifyWindow(HWND window, UINT message);
    // Forgets what waits and what was reported last (a new worker starts).
    void DiscardReports();

    // The worker's new statuses and sectors that bring one notice when nothing else does.
    static constexpr uint32_t kReportsPerNotice = 1024;

private:
    void Notify(std::unique_lock<std::mutex>& lock);
    // A status or sector: a notice at once from the user-interface thread, else now and then.
    void NotifyNowAndThen(std::unique_lock<std::mutex>& lock, bool worker);

    std::mutex m_lock;
    WorkerReports m_reports;
    // The last percent reported (-1 none), read without the lock by the worker.
    std::atomic<int> m_lastProgress{-1};
    std::u16string m_lastStatus;
    bool m_hasLastStatus = false;
    uint32_t m_quietReports = 0;  // the worker's statuses and sectors since the last notice
    uint32_t m_nextItemId = 1;
    bool m_notified = false;
    HWND m_notifyWindow = nullptr;
    UINT m_notifyMessage = 0;
};

// The process-wide observer of the wizard.
CWizardScanObserver& WizardObserver();

// Installs the wizard's observer in the engine and makes a message window on the calling (user-
// interface) thread that hands the reports to the current sink. Call once the main window exists.
void InstallWizardObserver();
// Removes it again (the engine's null observer takes over).
void UninstallWizardObserver();

// The page that gets the reports from now on (null: reports are dropped).
void SetWorkerReportSink(IWorkerReportSink* sink);
IWorkerReportSink* CurrentWorkerReportSink();
// Hands waiting reports to the sink at once (user-interface thread); with `always`, an empty
// delivery too when none wait (the sink then reads the engine's counters as they are now).
void DeliverWorkerReports(bool always = false);
// True for the notice that reports wait: it changes what a page shows, never a command's state.
bool IsWorkerReportNotice(const MSG& msg);

}  // namespace wizard
