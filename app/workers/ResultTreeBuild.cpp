#include "app/workers/ResultTreeBuild.h"

#include "app/pages/InfoPane.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/workers/MessageWindow.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/state/EngineState.h"

namespace wizard {

namespace {

const wchar_t kWindowClass[] = L"Morvick.ResultTreeBuild";
constexpr UINT_PTR kSliceTimer = 1;

}  // namespace

CString TreeBuildStatusText(int scanMode, FileSystemKind browsedType)
{
    const bool ntfs = browsedType == FileSystemKind::kNtfs;
    if (scanMode == kScanExtensive)
        return ntfs ? L"Please wait creating tree" : L"Please wait creating tree ( Step 5/5 )...";
    if (scanMode == kScanQuick && ntfs)
        return L"Please wait creating tree...";
    return L"Please wait creating tree";
}

DWORD CResultTreeBuild::s_sliceMs = CResultTreeBuild::kSliceMs;

DWORD CResultTreeBuild::SetSliceMs(DWORD ms)
{
    const DWORD before = s_sliceMs;
    s_sliceMs = ms;
    return before;
}

CResultTreeBuild::CResultTreeBuild() = default;

CResultTreeBuild::~CResultTreeBuild()
{
    Cancel();
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

bool CResultTreeBuild::Start(CThirdView_HDD& results, int scanMode, CInfoPane& display, std::function<void()> done)
{
    Cancel();
    if (m_hWnd == nullptr) {
        m_hWnd = CreateMessageWindow(kWindowClass, WindowProc);
        if (m_hWnd == nullptr)
            return false;
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    display.SetStatusText(TreeBuildStatusText(scanMode, g_VolumeParams.browsedFileSystemType));
    display.SetProgressPos(0);
    display.ShowStatusLine();
    display.ShowProgressBar();
    if (!results.BeginScanResults(scanMode))
        return false;
    m_pResults = &results;
    m_pDisplay = &display;
    m_done = std::move(done);
    // The first slice waits for the next timer message: the status is painted before it.
    SetTimer(m_hWnd, kSliceTimer, USER_TIMER_MINIMUM, nullptr);
    return true;
}

void CResultTreeBuild::Cancel()
{
    if (m_hWnd != nullptr)
        KillTimer(m_hWnd, kSliceTimer);
    m_pResults = nullptr;
    m_pDisplay = nullptr;
    m_done = nullptr;
}

void CResultTreeBuild::OnSlice()
{
    if (m_pResults == nullptr)
        return;
    // At the program's end nothing more goes in: the lists it reads are being freed.
    if (IsShuttingDown()) {
        Cancel();
        return;
    }
    CThirdView_HDD& results = *m_pResults;
    const bool complete = results.Tree().ContinueBuild(s_sliceMs);
    m_pDisplay->SetProgressPos(results.Tree().BuildPercent());
    if (!complete)
        return;
    results.CompleteScanResults();
    std::function<void()> done = std::move(m_done);
    Cancel();
    if (done)
        done();
}

LRESULT CALLBACK CResultTreeBuild::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kSliceTimer) {
        if (auto* build = reinterpret_cast<CResultTreeBuild*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            build->OnSlice();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wizard
