#include "app/workers/WizardScanObserver.h"

#include "app/EngineText.h"

#include "app/AppMessages.h"
#include "app/workers/MessageWindow.h"
#include "app/workers/WorkerProtocol.h"

namespace wizard {

namespace {

constexpr UINT kReportsWaiting = WM_APP + 0x3A1;
const wchar_t kNotifyClass[] = L"Morvick.WorkerReports";

IWorkerReportSink* g_sink = nullptr;
HWND g_notifyWindow = nullptr;

LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kReportsWaiting) {
        DeliverWorkerReports();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// Only the worker's repeats are dropped and its texts held back: between two reports of the
// user-interface thread itself (a listing) a page may have set its bar or status line directly.
void CWizardScanObserver::OnStatus(const std::u16string& text)
{
    WaitAtPauseGate();
    std::unique_lock<std::mutex> lock(m_lock);
    const bool worker = IsWorkerThread();
    if (worker) {
        if (m_hasLastStatus && text == m_lastStatus)
            return;
        m_hasLastStatus = true;
        m_lastStatus = text;
    }
    m_reports.hasStatus = true;
    m_reports.status = text;
    NotifyNowAndThen(lock, worker);
}

void CWizardScanObserver::OnProgress(int percent)
{
    WaitAtPauseGate();
    const int shown = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    if (IsWorkerThread() && m_lastProgress.exchange(shown) == shown)
        return;
    std::unique_lock<std::mutex> lock(m_lock);
    m_reports.hasProgress = true;
    m_reports.progress = shown;
    Notify(lock);
}

void CWizardScanObserver::OnCurrentSector(uint64_t sector)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_reports.hasSector = true;
    m_reports.sector = sector;
    NotifyNowAndThen(lock, IsWorkerThread());
}

void CWizardScanObserver::OnPausePoint()
{
    WaitAtPauseGate();
}

uint32_t CWizardScanObserver::OnItemFound(const FoundItem& item)
{
    WaitAtPauseGate();
    std::unique_lock<std::mutex> lock(m_lock);
    FoundItemReport report;
    report.id = m_nextItemId++;
    report.kind = item.kind;
    report.text = item.text;
    report.record = item.record;
    report.parentItem = item.parentItem;
    m_reports.items.push_back(std::move(report));
    const uint32_t id = m_reports.items.back().id;
    Notify(lock);
    return id;
}

// The engine's kinds are handed on as the program's own.
static_assert(kMessageInformation == kAppInformation && kMessageError == kAppError &&
    kMessageQuestion == kAppQuestion && kMessagePlain == kAppPlain);

bool CWizardScanObserver::OnMessage(const std::u16string& text, MessageKind kind)
{
    WaitAtPauseGate();
    if (IsShuttingDown())
        return false;
    // Every kind has OK alone, the question kind too: the engine's questions come through OnQuestion.
    ShowAppMessage(ToCString(text), kind);
    return false;
}

bool CWizardScanObserver::OnQuestion(const std::u16string& text, MessageKind kind)
{
    WaitAtPauseGate();
    if (IsShuttingDown())
        return false;
    return AskAppQuestion(ToCString(text), kind);
}

WorkerReports CWizardScanObserver::TakeReports()
{
    std::lock_guard<std::mutex> lock(m_lock);
    WorkerReports taken = std::move(m_reports);
    m_reports = WorkerReports();
    m_notified = false;
    return taken;
}

void CWizardScanObserver::SetNotifyWindow(HWND window, UINT message)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_notifyWindow = window;
    m_notifyMessage = message;
    m_notified = false;
}

void CWizardScanObserver::DiscardReports()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_reports = WorkerReports();
    m_notified = false;
    // The display is set anew for each worker: its first percent and status are shown whatever the
    // last worker's were.
    m_lastProgress = -1;
    m_hasLastStatus = false;
    m_lastStatus.clear();
    m_quietReports = 0;
}

void CWizardScanObserver::NotifyNowAndThen(std::unique_lock<std::mutex>& lock, bool worker)
{
    if (!worker || ++m_quietReports >= kReportsPerNotice)
        Notify(lock);
}

void CWizardScanObserver::Notify(std::unique_lock<std::mutex>& lock)
{
    if (m_notified || m_notifyWindow == nullptr)
        return;
    m_notified = true;
    m_quietReports = 0;
    HWND window = m_notifyWindow;
    const UINT message = m_notifyMessage;
    lock.unlock();
    // Posted, never sent, and shown by the user-interface thread: a worker that touched windows
    // itself would wait on a thread that may be waiting on it.
    PostMessageW(window, message, 0, 0);
}

bool IsWorkerReportNotice(const MSG& msg)
{
    return msg.hwnd != nullptr && msg.hwnd == g_notifyWindow && msg.message == kReportsWaiting;
}

CWizardScanObserver& WizardObserver()
{
    static CWizardScanObserver observer;
    return observer;
}

void InstallWizardObserver()
{
    if (g_notifyWindow == nullptr)
        g_notifyWindow = CreateMessageWindow(kNotifyClass, NotifyProc);
    WizardObserver().SetNotifyWindow(g_notifyWindow, kReportsWaiting);
    SetScanObserver(&WizardObserver());
}

void UninstallWizardObserver()
{
    if (&CurrentScanObserver() == &WizardObserver())
        SetScanObserver(nullptr);
    WizardObserver().SetNotifyWindow(nullptr, 0);
    if (g_notifyWindow != nullptr)
        DestroyWindow(g_notifyWindow);
    g_notifyWindow = nullptr;
}

void SetWorkerReportSink(IWorkerReportSink* sink)
{
    g_sink = sink;
}

IWorkerReportSink* CurrentWorkerReportSink()
{
    return g_sink;
}

void DeliverWorkerReports(bool always)
{
    WorkerReports reports = WizardObserver().TakeReports();
    if (g_sink != nullptr && (always || !reports.Empty()))
        g_sink->ApplyWorkerReports(reports);
}

}  // namespace wizard
