// The worker protocol with real threads: Stop answered No lets the worker go on from where it was,
// Stop answered Yes makes it unwind by itself, a worker is over only when its thread has ended, every
// way out leaves a result, and the end of the program stops and waits for a worker while messages
// are still dispatched. No thread is ever suspended or ended from outside.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "app/workers/WizardScanObserver.h"
#include "app/workers/WorkerProtocol.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/StateWait.h"

namespace morvick::test {
namespace {

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

    // A scan that reports its progress at every step, as the engine does, until it is told to stop;
    // then it tidies up until `unwound` is set (when given; the wait for a sure state at most). With
    // `unchanged`, its percent and status stay the same from step to step, as in a large folder, and
    // only the sector moves on.
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
        // it was in when the question came (however long it took to get there), and no other. The
        // question stays open for a while to give a worker that does not wait the time to run on.
        const int before = steps;
        Sleep(300);
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

}  // namespace
}  // namespace morvick::test
