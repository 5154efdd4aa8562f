#include "app/workers/WorkerProtocol.h"

#include <memory>

#include "app/AppMessages.h"

CWinThread* g_pWorkerThread = nullptr;
ScanFinishedWord g_nWorkerFinished{1};
std::atomic<uint8_t> g_bWorkerRunning{0};

namespace wizard {

namespace {

// The protocol's own state. The lock orders the worker's end against the answer to a Stop
// question, so that a No never marks a worker that has just ended as running again.
struct ProtocolState {
    ProtocolState()
    {
        InitializeCriticalSection(&lock);
        gate = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    }
    CRITICAL_SECTION lock;
    HANDLE gate;  // manual reset; signalled while the worker may go on
    // True while the gate is closed: reset before it is set, cleared after the gate is signalled
    // again, so that a worker that sees it set always finds the gate closed.
    std::atomic<bool> gateClosed{false};
    int result = kNoWorkerResult;
    bool ended = true;
    bool stopRequested = false;
    std::atomic<DWORD> workerThreadId{0};
    std::atomic<bool> questionOpen{false};
    std::atomic<bool> held{false};  // the worker waits at the closed gate
    std::atomic<bool> shuttingDown{false};
    StopQuestion ask;
};

ProtocolState& State()
{
    static ProtocolState state;
    return state;
}

class Locked {
public:
    Locked() { EnterCriticalSection(&State().lock); }
    ~Locked() { LeaveCriticalSection(&State().lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

// The result of a body that left by an exception.
constexpr int kWorkerFailed = -2;

UINT AFX_CDECL WorkerThreadProc(LPVOID parameter)
{
    std::unique_ptr<WorkerBody> body(static_cast<WorkerBody*>(parameter));
    ProtocolState& s = State();
    s.workerThreadId = GetCurrentThreadId();
    int result = kWorkerFailed;
    try {
        result = (*body)(g_nWorkerFinished);
    } catch (...) {
        result = kWorkerFailed;
    }
    {
        Locked locked;
        s.result = result;
        s.ended = true;
        g_bWorkerRunning = 0;
        g_nWorkerFinished = 1;
    }
    s.workerThreadId = 0;
    return static_cast<UINT>(result);
}

bool DefaultStopQuestion(const CString& question)
{
    return AskAppQuestion(question, kAppQuestion);
}

void CloseGate()
{
    ResetEvent(State().gate);
    State().gateClosed = true;
}

void OpenGate()
{
    SetEvent(State().gate);
    State().gateClosed = false;
}

// Dispatches what the user-interface thread has queued, as the message loop would.
void DispatchPendingMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        CWinThread* thread = AfxGetThread();
        if (thread == nullptr || !thread->PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

}  // namespace

bool StartWorker(WorkerBody body)
{
    if (!IsWorkerOver())
        return false;
    ReleaseWorker();
    ProtocolState& s = State();
    auto* job = new WorkerBody(std::move(body));
    auto* thread = new CWinThread(WorkerThreadProc, job);
    thread->m_bAutoDelete = FALSE;
    {
        Locked locked;
        s.result = kNoWorkerResult;
        s.ended = false;
        s.stopRequested = false;
        g_nWorkerFinished = 0;
        g_bWorkerRunning = 1;
    }
    OpenGate();
    if (!thread->CreateThread(0)) {
        delete thread;
        delete job;
        Locked locked;
        s.ended = true;
        g_nWorkerFinished = 1;
        g_bWorkerRunning = 0;
        return false;
    }
    g_pWorkerThread = thread;
    return true;
}

bool IsWorkerOver()
{
    return g_pWorkerThread == nullptr || WaitForSingleObject(g_pWorkerThread->m_hThread, 0) == WAIT_OBJECT_0;
}

bool IsScanInProgress()
{
    return g_bWorkerRunning == 1 && g_nWorkerFinished == 0;
}

int WorkerResult()
{
    if (g_pWorkerThread != nullptr && !IsWorkerOver())
        return kNoWorkerResult;
    Locked locked;
    return State().result;
}

bool WorkerStopRequested()
{
    Locked locked;
    return State().stopRequested;
}

void ReleaseWorker()
{
    if (g_pWorkerThread == nullptr || !IsWorkerOver())
        return;
    delete g_pWorkerThread;  // closes the thread's handle
    g_pWorkerThread = nullptr;
}

bool AskToStopWorker(const CString& question)
{
    ProtocolState& s = State();
    if (!IsScanInProgress() || s.questionOpen || s.shuttingDown)
        return false;
    // The worker waits at the gate rather than being suspended: a thread suspended from outside
    // can hold a lock (the heap's, a file's) that the question itself then waits for.
    CloseGate();
    s.questionOpen = true;
    const bool yes = s.ask ? s.ask(question) : DefaultStopQuestion(question);
    {
        Locked locked;
        if (yes && !s.ended) {
            s.stopRequested = true;
            g_nWorkerFinished = 1;
            g_bWorkerRunning = 0;
        }
    }
    s.questionOpen = false;
    OpenGate();
    return yes;
}

bool IsStopQuestionOpen()
{
    return State().questionOpen;
}

void SetStopQuestion(StopQuestion ask)
{
    State().ask = std::move(ask);
}

bool StopWorkerAndWait(DWORD timeoutMs)
{
    ProtocolState& s = State();
    s.shuttingDown = true;
    if (g_pWorkerThread == nullptr)
        return true;
    const DWORD start = GetTickCount();
    for (;;) {
        {
            // A pass that cleared the finished word to let its own last step be stopped is told again.
            Locked locked;
            if (!s.ended) {
                s.stopRequested = true;
                g_nWorkerFinished = 1;
                g_bWorkerRunning = 0;
            }
        }
        OpenGate();
        if (IsWorkerOver()) {
            ReleaseWorker();
            return true;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        HANDLE thread = g_pWorkerThread->m_hThread;
        const DWORD wait = timeoutMs - elapsed < 50 ? timeoutMs - elapsed : 50;
        if (MsgWaitForMultipleObjects(1, &thread, FALSE, wait, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            DispatchPendingMessages();
    }
}

bool IsShuttingDown()
{
    return State().shuttingDown;
}

void WaitAtPauseGate()
{
    // The flag first: a wait on the event is a call into the system, and the engine passes a pause
    // point at every entry it reads.
    ProtocolState& s = State();
    if (!s.gateClosed || !IsWorkerThread())
        return;
    s.held = true;
    WaitForSingleObject(s.gate, INFINITE);
    s.held = false;
}

bool IsWorkerHeld()
{
    return State().held;
}

bool IsWorkerThread()
{
    const DWORD id = State().workerThreadId;
    return id != 0 && id == GetCurrentThreadId();
}

void ResetWorkerProtocolForTests()
{
    ReleaseWorker();
    ProtocolState& s = State();
    Locked locked;
    s.result = kNoWorkerResult;
    s.ended = true;
    s.stopRequested = false;
    s.questionOpen = false;
    s.shuttingDown = false;
    g_nWorkerFinished = 1;
    g_bWorkerRunning = 0;
    OpenGate();
}

}  // namespace wizard
