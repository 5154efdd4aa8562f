#include "tests/app/frame/FrameTestSupport.h"

#include <gtest/gtest.h>

#include "app/pages/Ex_StyleView.h"
#include "app/pages/FileSystemView.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondView_HDD.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/support/win/WindowCapture.h"

namespace morvick::test {

const char kWizardDisks[] = "make-wizard-disks.sh";
const char kTraceDisks[] = "make-cut-trace-disk.sh";

CEx_StyleApp& App()
{
    return *static_cast<CEx_StyleApp*>(AfxGetApp());
}

CMainFrame& Frame()
{
    return *static_cast<CMainFrame*>(App().m_pMainWnd);
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!AfxGetThread()->PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void RunIdleUpdates()
{
    AfxGetApp()->OnIdle(0);
}

bool PumpOne(DWORD ms)
{
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        RunIdleUpdates();
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT) != WAIT_OBJECT_0 ||
            !PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            return false;
    }
    if (msg.message != WM_QUIT && !AfxGetThread()->PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        PumpOne(20);
    }
    return true;
}

bool IsShown(CWnd& window)
{
    return window.GetSafeHwnd() != nullptr && window.IsWindowVisible();
}

void Press(CWnd& button)
{
    ASSERT_TRUE(IsShown(button)) << "button " << button.GetDlgCtrlID() << " is hidden";
    ASSERT_TRUE(button.IsWindowEnabled()) << "button " << button.GetDlgCtrlID() << " is disabled";
    button.GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(button.GetDlgCtrlID(), BN_CLICKED),
        reinterpret_cast<LPARAM>(button.GetSafeHwnd()));
}

std::wstring WizardDisk(const char* name)
{
    return FixtureDisk(kWizardDisks, name);
}

std::wstring FixtureDisk(const char* script, const char* name)
{
    std::wstring path = L"Z:";
    for (char c : FixtureFolder(script) + "/" + name)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

namespace {

// The drive page's question whether to search a disk that has a partition table: answered with
// its default (the table) as soon as it shows.
void CALLBACK AnswerPartitionType(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindWindowW(nullptr, L"Partition Type");
    if (dialog != nullptr && IsWindowVisible(dialog))
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace

void ReachPartitionPage(const std::wstring& image, UINT modeButton)
{
    ASSERT_EQ(App().ShownPage(), CEx_StyleApp::kStartPage);
    auto& start = PageAt<CEx_StyleView>(CEx_StyleApp::kStartPage);
    start.m_editFile.SetWindowText(image.c_str());
    CWnd* mode = start.GetDlgItem(modeButton);
    ASSERT_NE(mode, nullptr);
    ASSERT_NO_FATAL_FAILURE(Press(*mode));
    ASSERT_EQ(App().ShownPage(), CEx_StyleApp::kDrivePage) << "the image did not open";

    auto& drive = PageAt<CFirstView_HDD>(CEx_StyleApp::kDrivePage);
    const UINT_PTR answer = SetTimer(nullptr, 0, 50, AnswerPartitionType);
    Press(drive.m_btnNext);
    KillTimer(nullptr, answer);
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kPartitionPage; }))
        << "the partition page did not come";
}

void ChoosePartition(const wchar_t* text)
{
    auto& page = PageAt<CSecondView_HDD>(CEx_StyleApp::kPartitionPage);
    CTreeCtrl& tree = page.m_wndDeviceTree;
    HTREEITEM found = nullptr;
    for (HTREEITEM disk = tree.GetRootItem(); disk != nullptr && found == nullptr;
         disk = tree.GetNextSiblingItem(disk)) {
        for (HTREEITEM item = tree.GetChildItem(disk); item != nullptr; item = tree.GetNextSiblingItem(item)) {
            if (tree.GetItemText(item) == text)
                found = item;
        }
    }
    ASSERT_NE(found, nullptr) << "no partition item";
    tree.EnsureVisible(found);
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(found, &label, TRUE));
    const LPARAM at = MAKELPARAM(label.CenterPoint().x, label.CenterPoint().y);
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    tree.SendMessage(WM_LBUTTONUP, 0, at);
    ASSERT_EQ(tree.GetSelectedItem(), found);
}

void ReturnToStart()
{
    ASSERT_TRUE(PumpUntil([] {
        return wizard::IsWorkerOver() && !PageAt<CThirdView_HDD>(CEx_StyleApp::kResultsPage).Tree().IsBuilding() &&
               !PageAt<CFirstView_HDD>(CEx_StyleApp::kDrivePage).IsBusy() &&
               !PageAt<CSecondView_HDD>(CEx_StyleApp::kPartitionPage).IsBusy() &&
               !PageAt<CFileSystemView>(CEx_StyleApp::kFileSystemPage).IsBusy();
    })) << "the scan did not end";
    switch (App().ShownPage()) {
    case CEx_StyleApp::kResultsPage:
        Press(PageAt<CThirdView_HDD>(CEx_StyleApp::kResultsPage).m_btnHome);
        break;
    case CEx_StyleApp::kFileSystemPage:
        PageAt<CFileSystemView>(CEx_StyleApp::kFileSystemPage).OnHome();
        break;
    case CEx_StyleApp::kPartitionPage:
        PageAt<CSecondView_HDD>(CEx_StyleApp::kPartitionPage).OnBack();
        PageAt<CFirstView_HDD>(CEx_StyleApp::kDrivePage).OnBack();
        break;
    case CEx_StyleApp::kDrivePage:
        PageAt<CFirstView_HDD>(CEx_StyleApp::kDrivePage).OnBack();
        break;
    default:
        break;
    }
    PumpPending();
    ASSERT_EQ(App().ShownPage(), CEx_StyleApp::kStartPage);
}

void ShowFatResults(const std::vector<ResultsFolder>& folders, const std::vector<ResultsFile>& files)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ResetEngineState();
    g_nScanMode = kScanQuick;
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
    for (const ResultsFolder& folder : folders)
        AppendNewFatFolder(folder.name, folder.cluster, folder.parent, 0, 0, 0, 0);
    for (const ResultsFile& file : files) {
        AppendFatEntry(file.name, 1000 + g_nFatFileCount, file.folder, 0, 0, file.size, 0);
        ++g_nFatFileCount;
    }
    App().SwitchView(CEx_StyleApp::kResultsPage);
    ResultsPage().ShowScanResults(kScanQuick);
    PumpPending();
}

HeldWorker::HeldWorker(std::function<bool(const std::u16string* status)> hold)
    : m_hold(std::move(hold)), m_released(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    m_previous = SetScanObserver(this);
}

HeldWorker::~HeldWorker()
{
    Release();
    PumpUntil([] { return wizard::IsWorkerOver(); }, 120000);
    SetScanObserver(m_previous);
    CloseHandle(m_released);
}

void HeldWorker::Release()
{
    m_done = true;
    SetEvent(m_released);
}

void HeldWorker::HoldIf(const std::u16string* status)
{
    if (m_done || !wizard::IsWorkerThread() || !m_hold(status))
        return;
    m_done = true;
    m_held = true;
    WaitForSingleObject(m_released, INFINITE);
}

void HeldWorker::OnStatus(const std::u16string& text)
{
    HoldIf(&text);
    m_previous->OnStatus(text);
}

void HeldWorker::OnProgress(int percent)
{
    HoldIf(nullptr);
    m_previous->OnProgress(percent);
}

void HeldWorker::OnCurrentSector(uint64_t sector)
{
    m_previous->OnCurrentSector(sector);
}

void HeldWorker::OnPausePoint()
{
    m_previous->OnPausePoint();
}

uint32_t HeldWorker::OnItemFound(const FoundItem& item)
{
    HoldIf(nullptr);
    return m_previous->OnItemFound(item);
}

bool HeldWorker::OnMessage(const std::u16string& text, MessageKind kind)
{
    return m_previous->OnMessage(text, kind);
}

bool HeldWorker::OnQuestion(const std::u16string& text, MessageKind kind)
{
    return m_previous->OnQuestion(text, kind);
}

void LeaveFatResults()
{
    ResultsPage().ShowButtons();
    ReturnToStart();
    ResultsPage().ClearResultList();
    ResetEngineState();
}

void CaptureFrameNow(const wchar_t* name)
{
    HWND frame = Frame().GetSafeHwnd();
    RunIdleUpdates();
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT shown = {};
    GetWindowRect(frame, &shown);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&shown, &shown, &screen);
    HDC screenDc = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screenDc);
    HBITMAP picture = CreateCompatibleBitmap(screenDc, shown.right - shown.left, shown.bottom - shown.top);
    HGDIOBJ old = SelectObject(dc, picture);
    BitBlt(dc, 0, 0, shown.right - shown.left, shown.bottom - shown.top, screenDc, shown.left, shown.top, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screenDc);
    EXPECT_TRUE(SaveBitmapPng(picture, GalleryFolder("app") + L"\\" + name));
    DeleteObject(picture);
}

CString PaneStatus(CWnd& pane)
{
    CString text;
    if (CWnd* status = pane.GetDlgItem(IDC_PANE_STATUS))
        status->GetWindowText(text);
    return text;
}

int PaneProgress(CWnd& pane)
{
    CWnd* bar = pane.GetDlgItem(IDC_PANE_PROGRESS);
    return bar != nullptr ? static_cast<int>(bar->SendMessage(PBM_GETPOS)) : -1;
}

bool PumpAllButTimersUntilTheWorkerEnds()
{
    const DWORD start = GetTickCount();
    while (!wizard::IsWorkerOver() && GetTickCount() - start < 120000) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
            PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    return wizard::IsWorkerOver();
}

CFirstView_HDD& DrivePage()
{
    return PageAt<CFirstView_HDD>(CEx_StyleApp::kDrivePage);
}

CSecondView_HDD& PartitionPage()
{
    return PageAt<CSecondView_HDD>(CEx_StyleApp::kPartitionPage);
}

CFileSystemView& FileSystemPage()
{
    return PageAt<CFileSystemView>(CEx_StyleApp::kFileSystemPage);
}

CThirdView_HDD& ResultsPage()
{
    return PageAt<CThirdView_HDD>(CEx_StyleApp::kResultsPage);
}

}  // namespace morvick::test
