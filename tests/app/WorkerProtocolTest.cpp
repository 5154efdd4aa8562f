// The worker protocol with real threads: Stop answered No holds the worker during the question, at
// its next step, and lets it go on from where it was (also the Quick Scan's FAT pass, which reports
// a percent only where it changes), Stop answered Yes makes it unwind by itself, a worker is over
// only when its thread has ended, every way out leaves a result, the poll that sees the end shows
// what the worker counted after its last report, and the end of the program stops and waits for a
// worker while messages are still dispatched. No thread is ever suspended or ended from outside.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include "app/workers/ScanStarters.h"
#include "app/workers/WizardScanObserver.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "tests/app/AppTestSupport.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/scan/ScanFixture.h"
#include "tests/support/StateWait.h"

namespace morvick::test {
namespace {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-deleted-folders-disk.sh"}));

class WorkerProtocol : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizard::ResetWorkerProtocolForTests();
        wizard::InstallWizardObserver();
        wizard::SetWorkerReportSink(nullptr);
    }
    void TearDown() override
    {
        // Whatever a test left running is stopped the program's way before the next one starts.
        EXPECT_TRUE(wizard::StopWorkerAndWait(kStateWaitMs));
        wizard::SetStopQuestion(nullptr);
        wizard::UninstallWizardObserver();
        wizard::ResetWorkerProtocolForTests();
    }

    // A scan that reports its progress at every step until it is told to stop (the engine's passes
    // report a percent only where it changes: see the FAT pass below); then it tidies up until
    // `unwound` is set (when given; the wait for a sure state at most). With `unchanged`, its percent
    // and status stay the same from step to step, as in a large folder, and only the sector moves on.
    static wizard::WorkerBody CountingScan(std::atomic<int>& steps, std::atomic<bool>& unwinding,
        std::atomic<bool>* unwound = nullptr, bool unchanged = false)
    {
        return [&steps, &unwinding, unwound, unchanged](ScanFinishedWord& finished) {
            while (finished != 1) {
                ++steps;
                ScanObserver& observer = CurrentScanObserver();
                if (unchanged)
                    observer.OnStatus(u"Please wait, Searching for Data...");
                observer.OnProgress(unchanged ? 7 : steps % 100);
                observer.OnCurrentSector(static_cast<uint64_t>(steps.load()));
                Sleep(1);
            }
            unwinding = true;
            if (unwound != nullptr) {
                const DWORD start = GetTickCount();
                while (!*unwound && GetTickCount() - start < kStateWaitMs)
                    Sleep(1);
            }
            return 7;
        };
    }

    static bool WaitUntil(const std::function<bool()>& done, DWORD ms = kStateWaitMs) { return PumpUntil(done, ms); }

    void ExpectStopAnsweredNoHoldsTheWorker(bool unchanged);
};

TEST_F(WorkerProtocol, StopAnsweredNoHoldsTheWorkerDuringTheQuestionThenLetsItGoOn)
{
    // Whether its reports change what the page shows or not: a report that changes nothing still
    // stops at the gate.
    for (bool unchanged : {false, true}) {
        SCOPED_TRACE(unchanged ? "unchanged reports" : "changing reports");
        ExpectStopAnsweredNoHoldsTheWorker(unchanged);
    }
}

void WorkerProtocol::ExpectStopAnsweredNoHoldsTheWorker(bool unchanged)
{
    std::atomic<int> steps{0};
    std::atomic<bool> unwinding{false};
    ASSERT_TRUE(wizard::StartWorker(CountingScan(steps, unwinding, nullptr, unchanged)));
    ASSERT_TRUE(WaitUntil([&] { return steps > 20; }));
    EXPECT_TRUE(wizard::IsScanInProgress());

    int stepsDuringQuestion = -1;
    wizard::SetStopQuestion([&](const CString& question) {
        EXPECT_EQ(question, L"Stop?");
        EXPECT_TRUE(wizard::IsStopQuestionOpen());
        // The worker waits at its next report: while the question is open it takes at most the step
        // it was in when the question came (however long it took to get there), and no other.
        const int before = steps;
        EXPECT_TRUE(WaitUntil([] { return wizard::IsWorkerHeld(); })) << "the worker was not held";
        stepsDuringQuestion = steps - before;
        return false;
    });
    EXPECT_FALSE(wizard::AskToStopWorker(L"Stop?"));
    EXPECT_LE(stepsDuringQuestion, 1);
    EXPECT_GE(stepsDuringQuestion, 0);
    EXPECT_FALSE(wizard::IsStopQuestionOpen());
    EXPECT_TRUE(wizard::IsScanInProgress());
    EXPECT_FALSE(wizard::WorkerStopRequested());

    // It goes on where it was.
    const int afterAnswer = steps;
    EXPECT_TRUE(WaitUntil([&] { return steps > afterAnswer + 20; }));
    EXPECT_FALSE(wizard::IsWorkerOver());
    EXPECT_FALSE(unwinding);

    // Stopped before what it counts in goes.
    wizard::SetStopQuestion([](const CString&) { return true; });
    EXPECT_TRUE(wizard::AskToStopWorker(L"Stop?"));
    EXPECT_TRUE(WaitUntil([] { return wizard::IsWorkerOver(); }));
}

TEST_F(WorkerProtocol, StopAnsweredYesEndsTheWorkerWhichIsOverOnlyOnceItsThreadHasEnded)
{
    std::atomic<int> steps{0};
    std::atomic<bool> unwinding{false};
    std::atomic<bool> unwound{false};
    ASSERT_TRUE(wizard::StartWorker(CountingScan(steps, unwinding, &unwound)));
    ASSERT_TRUE(WaitUntil([&] { return steps > 5; }));
    wizard::SetStopQuestion([](const CString&) { return true; });
    EXPECT_TRUE(wizard::AskToStopWorker(L"Stop?"));
    EXPECT_TRUE(wizard::WorkerStopRequested());
    EXPECT_EQ(g_nWorkerFinished, 1);
    EXPECT_EQ(g_bWorkerRunning, 0);
    EXPECT_FALSE(wizard::IsScanInProgress());

    // The flags already say "stopped", but the worker is still unwinding (until it is let go after
    // these checks): not over yet.
    ASSERT_TRUE(WaitUntil([&] { return unwinding.load(); }));
    EXPECT_FALSE(wizard::IsWorkerOver());
    EXPECT_EQ(wizard::WorkerResult(), wizard::kNoWorkerResult);
    EXPECT_FALSE(wizard::StartWorker([](ScanFinishedWord&) { return 0; })) << "one worker at a time";

    unwound = true;
    ASSERT_TRUE(WaitUntil([] { return wizard::IsWorkerOver(); }));
    EXPECT_EQ(wizard::WorkerResult(), 7);
    // A further Stop has nothing to ask.
    bool asked = false;
    wizard::SetStopQuestion([&](const CString&) { return asked = true; });
    EXPECT_FALSE(wizard::AskToStopWorker(L"Stop?"));
    EXPECT_FALSE(asked);
}

TEST_F(WorkerProtocol, ANoAfterTheWorkerEndedDoesNotMarkItRunningAgain)
{
    std::atomic<bool> release{false};
    ASSERT_TRUE(wizard::StartWorker([&](ScanFinishedWord&) {
        while (!release)
            Sleep(1);
        return 3;
    }));
    wizard::SetStopQuestion([&](const CString&) {
        // The worker does not report while it finishes, so it ends during the question.
        release = true;
        WaitUntil([] { return wizard::IsWorkerOver(); });
        return false;
    });
    EXPECT_FALSE(wizard::AskToStopWorker(L"Stop?"));
    EXPECT_TRUE(wizard::IsWorkerOver());
    EXPECT_EQ(g_bWorkerRunning, 0);
    EXPECT_EQ(g_nWorkerFinished, 1);
    EXPECT_EQ(wizard::WorkerResult(), 3);
}

TEST_F(WorkerProtocol, EveryWayOutOfTheWorkerLeavesAResult)
{
    ASSERT_TRUE(wizard::StartWorker([](ScanFinishedWord&) -> int { throw std::runtime_error("broken"); }));
    ASSERT_TRUE(WaitUntil([] { return wizard::IsWorkerOver(); }));
    EXPECT_EQ(wizard::WorkerResult(), -2);
    EXPECT_EQ(g_bWorkerRunning, 0);
    EXPECT_EQ(g_nWorkerFinished, 1);

    // The next start clears the words again.
    ASSERT_TRUE(wizard::StartWorker([](ScanFinishedWord& finished) { return finished.load() == 0 ? 11 : 12; }));
    ASSERT_TRUE(WaitUntil([] { return wizard::IsWorkerOver(); }));
    EXPECT_EQ(wizard::WorkerResult(), 11);
}

TEST_F(WorkerProtocol, TheEndOfTheProgramStopsAWorkerThatClearsItsOwnStopAndDispatchesMessagesMeanwhile)
{
    std::atomic<int> phase{0};
    ASSERT_TRUE(wizard::StartWorker([&](ScanFinishedWord& finished) {
        // Two passes, the second of which clears the finished word to be stoppable on its own, as the
        // engine's last steps do.
        while (finished != 1)
            Sleep(1);
        phase = 1;
        finished = 0;
        while (finished != 1) {
            CurrentScanObserver().OnStatus(u"second pass");
            Sleep(1);
        }
        phase = 2;
        return 5;
    }));
    HostWindow window;
    bool handled = false;
    const UINT kPing = WM_APP + 77;
    class Pinged : public CWnd {
    public:
        bool* handled = nullptr;
        LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
        {
            if (m == WM_APP + 77)
                *handled = true;
            return CWnd::WindowProc(m, w, l);
        }
    } pinged;
    pinged.handled = &handled;
    ASSERT_TRUE(pinged.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    pinged.PostMessage(kPing);

    ASSERT_TRUE(wizard::StopWorkerAndWait(kStateWaitMs));
    EXPECT_EQ(phase, 2);
    EXPECT_TRUE(handled) << "messages were dispatched while waiting";
    EXPECT_TRUE(wizard::IsShuttingDown());
    EXPECT_EQ(g_pWorkerThread, nullptr);
    pinged.DestroyWindow();
}

TEST_F(WorkerProtocol, ReportsReachTheSinkOnTheUserInterfaceThread)
{
    struct Sink : wizard::IWorkerReportSink {
        DWORD thread = 0;
        std::u16string status;
        int progress = -1;
        std::vector<uint32_t> ids;
        void ApplyWorkerReports(const wizard::WorkerReports& r) override
        {
            thread = GetCurrentThreadId();
            if (r.hasStatus)
                status = r.status;
            if (r.hasProgress)
                progress = r.progress;
            for (const auto& item : r.items)
                ids.push_back(item.id);
        }
    } sink;
    wizard::SetWorkerReportSink(&sink);
    ASSERT_TRUE(wizard::StartWorker([](ScanFinishedWord&) {
        ScanObserver& observer = CurrentScanObserver();
        observer.OnStatus(u"Please wait, searching for Partition...");
        observer.OnProgress(140);  // beyond the bar: kept at 100
        const uint32_t first = observer.OnItemFound(FoundItem{kFoundPartition, u"Partition 0", nullptr, 0});
        const uint32_t second = observer.OnItemFound(FoundItem{kFoundPartition, u"Partition 1", nullptr, 0});
        return second == first + 1 ? 1 : 0;
    }));
    ASSERT_TRUE(WaitUntil([&] { return wizard::IsWorkerOver() && sink.ids.size() == 2; }));
    EXPECT_EQ(wizard::WorkerResult(), 1);
    EXPECT_EQ(sink.thread, GetCurrentThreadId());
    EXPECT_EQ(sink.status, u"Please wait, searching for Partition...");
    EXPECT_EQ(sink.progress, 100);
    wizard::SetWorkerReportSink(nullptr);
}

// Stands between the engine and the wizard's observer and passes every call on. After each percent and
// each current sector the worker reports, it has a Stop question opened and goes on once it is open:
// the question then comes between two reports, where the engine of itself reports nothing until the
// next (a percent only where it changes, a sector at each read).
class QuestionAfterEachReport : public ScanObserver {
public:
    QuestionAfterEachReport()
        : m_wanted(CreateEventW(nullptr, FALSE, FALSE, nullptr)), m_open(CreateEventW(nullptr, FALSE, FALSE, nullptr))
    {
        m_wizard = SetScanObserver(this);
    }
    ~QuestionAfterEachReport() override
    {
        SetScanObserver(m_wizard);
        CloseHandle(m_wanted);
        CloseHandle(m_open);
    }

    void OnStatus(const std::u16string& text) override { m_wizard->OnStatus(text); }
    void OnProgress(int percent) override
    {
        m_wizard->OnProgress(percent);
        percentShown = percent;
        AskNow();
    }
    void OnCurrentSector(uint64_t sector) override
    {
        m_wizard->OnCurrentSector(sector);
        sectorShown = sector;
        AskNow();
    }
    void OnPausePoint() override { m_wizard->OnPausePoint(); }
    uint32_t OnItemFound(const FoundItem& item) override { return m_wizard->OnItemFound(item); }
    bool OnMessage(const std::u16string& text, MessageKind kind) override { return m_wizard->OnMessage(text, kind); }
    bool OnQuestion(const std::u16string& text, MessageKind kind) override { return m_wizard->OnQuestion(text, kind); }

    // Signalled when the worker waits for a question.
    HANDLE Wanted() const { return m_wanted; }
    // True while the worker waits for a question.
    bool Waiting() const { return m_waiting; }
    // The question is open: the worker goes on.
    void Opened()
    {
        m_waiting = false;
        SetEvent(m_open);
    }

    std::atomic<int> percentShown{-1};
    std::atomic<uint64_t> sectorShown{0};

private:
    void AskNow()
    {
        if (!wizard::IsWorkerThread())
            return;
        m_waiting = true;
        SetEvent(m_wanted);
        WaitForSingleObject(m_open, kStateWaitMs);
    }

    ScanObserver* m_wizard = nullptr;
    HANDLE m_wanted;
    HANDLE m_open;
    std::atomic<bool> m_waiting{false};
};

// What the scan display shows of a running Quick Scan.
struct Shown {
    uint32_t files, folders, entries;
    int percent;
    uint64_t sector;
    bool operator==(const Shown& o) const
    {
        return files == o.files && folders == o.folders && entries == o.entries && percent == o.percent &&
            sector == o.sector;
    }
    std::string Text() const
    {
        return std::to_string(files) + " files, " + std::to_string(folders) + " folders, " + std::to_string(entries) +
            " entries, " + std::to_string(percent) + " %, sector " + std::to_string(sector);
    }
};

class WorkerProtocolOnDisk : public WorkerProtocol {
protected:
    void TearDown() override
    {
        WorkerProtocol::TearDown();
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }
    CVirtualDisk m_disk;
};

TEST_F(WorkerProtocolOnDisk, AStopQuestionHoldsTheFatQuickScanAtItsNextEntryInEveryPassAndNoLetsItGoOn)
{
    // A FAT32 volume with live folders and deleted ones whose later clusters lie among the free ones:
    // the root, the folders, the search of the free clusters, the clusters that go on a folder's
    // names and those parked under "Lost Dir". Its entries are far fewer than 1 % of its clusters, so
    // that the pass reports a percent only at its start, then nothing but the sectors it reads.
    ASSERT_FALSE(FixtureFolder("make-deleted-folders-disk.sh").empty()) << "the disk was not built";
    ASSERT_TRUE(OpenFixtureImage(FixtureFile("make-deleted-folders-disk.sh", "deleted.vhd"), m_disk));
    ASSERT_TRUE(ChooseFixturePartition(0));
    ASSERT_TRUE(wizard::StartQuickScan(nullptr, nullptr));
    ASSERT_TRUE(WaitUntil([] { return wizard::IsWorkerOver(); }));
    ASSERT_EQ(wizard::WorkerResult(), wizard::kOutcomeCompleted);
    const uint32_t files = g_nFatFileCount;
    const uint32_t folders = g_nFatFolderCount;
    ASSERT_GT(files, 500u);

    // The same scan with a question after each of its reports, each answered No.
    QuestionAfterEachReport reports;
    auto shownNow = [&reports] {
        return Shown{g_nFatFileCount, g_nFatFolderCount, g_nEntriesParsed, reports.percentShown.load(),
            reports.sectorShown.load()};
    };
    int questions = 0, held = 0;
    std::string firstFault;
    wizard::SetStopQuestion([&](const CString&) {
        ++questions;
        // The worker waits at its report until it is let go; whatever it shows now stays as it is.
        const Shown before = shownNow();
        reports.Opened();
        // It goes on to its next step and is held there; one that is not reaches its next report or
        // its end instead.
        HANDLE thread = g_pWorkerThread->m_hThread;
        const DWORD start = GetTickCount();
        while (!wizard::IsWorkerHeld() && !reports.Waiting() && WaitForSingleObject(thread, 1) == WAIT_TIMEOUT &&
            GetTickCount() - start < kStateWaitMs) {
        }
        const Shown after = shownNow();
        if (wizard::IsWorkerHeld() && after == before)
            ++held;
        else if (firstFault.empty())
            firstFault = "question " + std::to_string(questions) + ": " + before.Text() + " before, " + after.Text() +
                (wizard::IsWorkerHeld() ? " when held" : " and not held");
        return false;
    });
    ASSERT_TRUE(ChooseFixturePartition(0));
    ASSERT_TRUE(wizard::StartQuickScan(nullptr, nullptr));
    HANDLE waits[2] = {reports.Wanted(), g_pWorkerThread->m_hThread};
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(2, waits, FALSE, kStateWaitMs, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            EXPECT_FALSE(wizard::AskToStopWorker(L"Stop?"));
        else if (woken == WAIT_OBJECT_0 + 2)
            PumpPending();
        else
            break;
    }
    ASSERT_TRUE(WaitUntil([] { return wizard::IsWorkerOver(); }));
    EXPECT_EQ(wizard::WorkerResult(), wizard::kOutcomeCompleted);
    EXPECT_GT(questions, 20);
    EXPECT_EQ(held, questions) << firstFault;
    // It went on each time where it was: it found what it finds without a question.
    EXPECT_EQ(g_nFatFileCount, files);
    EXPECT_EQ(g_nFatFolderCount, folders);
}

TEST_F(WorkerProtocol, ThePollThatSeesTheEndShowsWhatTheWorkerCountedAfterItsLastReport)
{
    // As the Quick Scan's last steps (the entries of the last sector it reads, clusters parked under
    // "Lost Dir"): the worker counts on after the page has shown its last report and ends with nothing
    // more to report. The page reads the engine's counters at each delivery.
    struct CountingPage : wizard::IWorkerReportSink {
        std::atomic<int> deliveries{0};
        uint32_t files = 0, folders = 0;
        void ApplyWorkerReports(const wizard::WorkerReports&) override
        {
            files = g_nFatFileCount;
            folders = g_nFatFolderCount;
            ++deliveries;
        }
    } page;
    wizard::SetWorkerReportSink(&page);
    ASSERT_TRUE(wizard::StartWorker([&page](ScanFinishedWord&) {
        g_nFatFolderCount = 2;
        g_nFatFileCount = 10;
        CurrentScanObserver().OnProgress(99);
        const DWORD start = GetTickCount();
        while (page.deliveries == 0 && GetTickCount() - start < kStateWaitMs)
            Sleep(1);
        g_nFatFolderCount = 4;
        g_nFatFileCount = 25;
        return 1;
    }));
    HostWindow window;
    ASSERT_TRUE(WaitUntil([&window] { return wizard::PollWorkerEnded(window); }));
    EXPECT_EQ(page.files, 25u);
    EXPECT_EQ(page.folders, 4u);
    wizard::SetWorkerReportSink(nullptr);
    ResetEngineState();
}

}  // namespace
}  // namespace morvick::test
