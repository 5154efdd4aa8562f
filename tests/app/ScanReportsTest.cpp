// What a scan reports on its way to the page, with real threads and windows: a report that changes
// nothing brings no notice to the user-interface thread, the current sector and a counting status
// bring one only once in a while, the last of everything still arrives, and the information pane
// sets a text or the bar only when it changes. Counts and order, never time (the pause with reports
// that change nothing: WorkerProtocolTest.cpp).
#include <gtest/gtest.h>

#include <vector>

#include "app/pages/SecondDisplay.h"
#include "app/workers/WizardScanObserver.h"
#include "app/workers/WorkerProtocol.h"
#include "resource.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/StateWait.h"

namespace morvick::test {
namespace {

// Keeps every delivery the page would get.
struct RecordingSink : wizard::IWorkerReportSink {
    int deliveries = 0;
    std::vector<int> progress;
    std::u16string status;
    bool hasSector = false;
    uint64_t sector = 0;
    void ApplyWorkerReports(const wizard::WorkerReports& r) override
    {
        ++deliveries;
        if (r.hasProgress)
            progress.push_back(r.progress);
        if (r.hasStatus)
            status = r.status;
        if (r.hasSector) {
            hasSector = true;
            sector = r.sector;
        }
    }
};

// A window of the user-interface thread that a worker posts to after its reports and waits until it
// was handled: the notices the reports posted before it were handled by then too, so that every
// notice a report brings is seen as a delivery of its own.
class Handshake : public CWnd {
public:
    static constexpr UINT kPing = WM_APP + 91;
    Handshake()
    {
        m_handled = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr);
    }
    ~Handshake() override
    {
        DestroyWindow();
        CloseHandle(m_handled);
    }
    // Worker side.
    bool RoundTrip() { return PostMessage(kPing) && WaitForSingleObject(m_handled, kStateWaitMs) == WAIT_OBJECT_0; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kPing) {
            SetEvent(m_handled);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    HANDLE m_handled = nullptr;
};

class ScanReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizard::ResetWorkerProtocolForTests();
        wizard::InstallWizardObserver();
        wizard::WizardObserver().DiscardReports();
        wizard::SetWorkerReportSink(&m_sink);
    }
    void TearDown() override
    {
        EXPECT_TRUE(wizard::StopWorkerAndWait(kStateWaitMs));
        wizard::SetStopQuestion(nullptr);
        wizard::SetWorkerReportSink(nullptr);
        wizard::UninstallWizardObserver();
        wizard::ResetWorkerProtocolForTests();
    }

    // Starts body as the wizard starts a worker and pumps until it is over; then the poll's delivery.
    void RunWorker(wizard::WorkerBody body)
    {
        wizard::WizardObserver().DiscardReports();
        ASSERT_TRUE(wizard::StartWorker(std::move(body)));
        ASSERT_TRUE(PumpUntil([] { return wizard::IsWorkerOver(); }));
        PumpPending();
        wizard::DeliverWorkerReports();
        EXPECT_EQ(wizard::WorkerResult(), 1);
    }

    RecordingSink m_sink;
};

TEST_F(ScanReports, ManyEntriesWithAnUnchangedPercentBringABoundedNumberOfNoticesAndTheLastOfEach)
{
    // As the Quick Scan of a large folder: the same percent for every entry, a new sector and a status
    // that counts them for every one, each report handled by the user-interface thread before the
    // next is made.
    constexpr int kPerNotice = static_cast<int>(wizard::CWizardScanObserver::kReportsPerNotice);
    constexpr int kEntries = 2 * kPerNotice + 100;
    Handshake handshake;
    RunWorker([&](ScanFinishedWord&) {
        ScanObserver& observer = CurrentScanObserver();
        for (int i = 0; i < kEntries; ++i) {
            observer.OnProgress(40);
            observer.OnStatus(u"Reading Sector " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
            observer.OnCurrentSector(1000 + i);
            if (!handshake.RoundTrip())
                return 0;
        }
        return 1;
    });
    // One notice for the percent, one for every kReportsPerNotice statuses and sectors, and the poll's
    // delivery at the end.
    EXPECT_LE(m_sink.deliveries, 2 * kEntries / kPerNotice + 2);
    EXPECT_EQ(m_sink.progress, std::vector<int>{40});
    EXPECT_EQ(m_sink.status, u"Reading Sector " + std::u16string(1, static_cast<char16_t>(u'0' + (kEntries - 1) % 10)));
    EXPECT_TRUE(m_sink.hasSector);
    EXPECT_EQ(m_sink.sector, 1000u + kEntries - 1) << "the last sector is shown";
}

TEST_F(ScanReports, TheBarReachesItsEndAndTheNextWorkerShowsItsFirstPercentWhateverTheLastOnesWas)
{
    Handshake handshake;
    RunWorker([&](ScanFinishedWord&) {
        ScanObserver& observer = CurrentScanObserver();
        for (int percent = 0; percent <= 100; ++percent) {
            for (int repeat = 0; repeat < 5; ++repeat)
                observer.OnProgress(percent);
            if (percent % 10 == 0 && !handshake.RoundTrip())
                return 0;
        }
        return 1;
    });
    ASSERT_FALSE(m_sink.progress.empty());
    EXPECT_EQ(m_sink.progress.back(), 100);
    for (size_t i = 1; i < m_sink.progress.size(); ++i)
        EXPECT_LT(m_sink.progress[i - 1], m_sink.progress[i]) << "each percent once, in order";

    // A new worker starts from the same percent and status: the page shows them again.
    m_sink.progress.clear();
    m_sink.status.clear();
    RunWorker([](ScanFinishedWord&) {
        CurrentScanObserver().OnStatus(u"Step");
        CurrentScanObserver().OnProgress(100);
        return 1;
    });
    EXPECT_EQ(m_sink.progress, std::vector<int>{100});
    EXPECT_EQ(m_sink.status, u"Step");
}

// Counts the messages that set a text or a position, sent to the windows of this thread.
class SetMessageCounter {
public:
    SetMessageCounter()
    {
        s_counter = this;
        m_hook = SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~SetMessageCounter()
    {
        UnhookWindowsHookEx(m_hook);
        s_counter = nullptr;
    }
    int Count(HWND window, UINT message) const
    {
        int n = 0;
        for (const auto& seen : m_seen)
            n += seen.first == window && seen.second == message ? 1 : 0;
        return n;
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && s_counter != nullptr && (sent->message == WM_SETTEXT || sent->message == PBM_SETPOS))
            s_counter->m_seen.emplace_back(sent->hwnd, sent->message);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static SetMessageCounter* s_counter;
    HHOOK m_hook = nullptr;
    std::vector<std::pair<HWND, UINT>> m_seen;
};

SetMessageCounter* SetMessageCounter::s_counter = nullptr;

TEST(ScanPane, ACounterTheStatusLineAndTheBarAreSetOnlyWhenTheyChange)
{
    HostWindow host(420, 400);
    auto* pane = new CSecondDisplay;
    ASSERT_TRUE(pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 420, 400), &host, AFX_IDW_PANE_FIRST,
        nullptr));
    PumpPending();
    pane->ShowScanCounterLabels();
    HWND value = ::GetDlgItem(pane->GetSafeHwnd(), IDC_ROW_VALUE_1);
    HWND status = ::GetDlgItem(pane->GetSafeHwnd(), IDC_PANE_STATUS);
    HWND bar = ::GetDlgItem(pane->GetSafeHwnd(), IDC_PANE_PROGRESS);
    ASSERT_NE(value, nullptr);
    ASSERT_NE(status, nullptr);
    ASSERT_NE(bar, nullptr);
    {
        SetMessageCounter counter;
        for (int i = 0; i < 3; ++i) {
            pane->SetRowValue(0, L"12");
            pane->SetStatusText(L"Please wait, Searching for Data...");
            pane->SetProgressPos(40);
        }
        pane->SetRowValue(0, L"13");
        pane->SetProgressPos(41);
        EXPECT_EQ(counter.Count(value, WM_SETTEXT), 2);
        EXPECT_EQ(counter.Count(status, WM_SETTEXT), 1);
        EXPECT_EQ(counter.Count(bar, PBM_SETPOS), 2);
    }
    EXPECT_EQ(pane->RowValue(0), L"13");
    EXPECT_EQ(static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0)), 41);
    pane->DestroyWindow();
}

}  // namespace
}  // namespace morvick::test
