#include "app/pages/FileSystemView.h"

#include "app/EngineText.h"

#include "app/AppMessages.h"
#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/pages/FileSystemForm.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/workers/ScanStarters.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/save/TempFiles.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CFileSystemView, CWizardPage)

BEGIN_MESSAGE_MAP(CFileSystemView, CWizardPage)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_TIMER()
ON_COMMAND(ID_PAGE_NEXT, OnNextCommand)
ON_COMMAND(ID_PAGE_BACK, OnBackCommand)
ON_COMMAND(ID_STOP_WORKER, OnStopCommand)
ON_COMMAND(ID_PAGE_HOME, OnHomeCommand)
END_MESSAGE_MAP()

const wchar_t CFileSystemView::kChooseFileSystemText[] =
    L"Please select a File System from the left panel and then click [Next] to continue with recovery.";
const wchar_t CFileSystemView::kStopQuestion[] = L"Do you want to stop file searching ?";

namespace {

const wchar_t kRootText[] = L"File System";
const wchar_t kPartitionPrompt[] =
    L"Please select a partition from the left panel and press [Scan] to continue with recovery";
const wchar_t kLogicalDrivePrompt[] =
    L"You have selected logical drive for recovery. Please click [Scan] to continue with recovery.";

template <class Page>
Page* PageOf(int number)
{
    CEx_StyleApp* app = WizardApp();
    return app != nullptr ? dynamic_cast<Page*>(app->GetPage(number)) : nullptr;
}

CString Decimal(uint64_t value)
{
    CString text;
    text.Format(L"%I64u", value);
    return text;
}

CString SizeText(const FoundPartitionRecord& r)
{
    if (r.volumeEnd == 0)
        return L"Unknown";
    const uint64_t sectors = r.volumeEnd > r.clusterBase ? r.volumeEnd - r.clusterBase : 0;
    return Decimal(sectors >> 11) + L" MB";
}

}  // namespace

CFileSystemView::CFileSystemView() : CWizardPage(CEx_StyleApp::kFileSystemPage) {}

CFileSystemView::~CFileSystemView() = default;

void CFileSystemView::HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const
{
    const bool busy = (m_bRunning && !wizard::IsWorkerOver()) || m_treeBuild.IsRunning();
    left = busy ? IDB_PARTITION_HEADER_BUSY : IDB_FILESYSTEM_HEADER;
    middle = IDB_PAGE_HEADER_MIDDLE;
    right = IDB_PAGE_HEADER_PLAIN;
}

int CFileSystemView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWizardPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                TVS_LINESATROOT | TVS_SHOWSELALWAYS,
            CRect(0, 0, 600, 300), this, IDC_FILESYSTEM_TREE))
        return -1;
    const CRect start(20, 20, 780, 580);
    m_pForm = new CFileSystemForm;
    if (!m_pForm->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, start, this, AFX_IDW_PANE_FIRST + 1, nullptr))
        return -1;
    m_pForm->OnInitialUpdate();
    if (!m_wndSplitter.Create(WS_VISIBLE | WS_CLIPSIBLINGS | morvick::ui::CPaneSplitter::kVertical, this, &m_wndTree,
            m_pForm, IDC_PAGE_SPLITTER, start, 90, 170))
        return -1;
    m_wndTree.Init();
    m_wndTree.SetChooseHandler([this](HTREEITEM item) { ShowFileSystemInfo(item); });
    CreateToolButton(m_btnNext, ID_PAGE_NEXT, IDB_NEXT, IDB_NEXT_HOVER, L"Next");
    CreateToolButton(m_btnBack, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back");
    CreateToolButton(m_btnStop, ID_STOP_WORKER, IDB_STOP, IDB_STOP_HOVER, L"Stop");
    CreateToolButton(m_btnHome, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home");
    for (CWnd* button : {static_cast<CWnd*>(&m_btnNext), static_cast<CWnd*>(&m_btnBack), static_cast<CWnd*>(&m_btnStop),
             static_cast<CWnd*>(&m_btnHome)})
        ShowEnabled(*button, FALSE);
    return 0;
}

void CFileSystemView::OnSize(UINT nType, int cx, int cy)
{
    CWizardPage::OnSize(nType, cx, cy);
    if (m_btnNext.GetSafeHwnd() == nullptr)
        return;
    m_btnNext.MoveWindow(cx - 129, cy - 32, 74, 26);
    m_btnStop.MoveWindow(cx - 129, cy - 32, 74, 26);
    m_btnBack.MoveWindow(cx - 158 - 55, cy - 32, 74, 26);
    m_btnHome.MoveWindow(0, 0, 0, 0);
    const int height = cy - kHeaderHeight - kBottomStrip;
    m_wndSplitter.MoveWindow(0, kHeaderHeight, cx, height > 0 ? height : 0);
    Invalidate(FALSE);
}

void CFileSystemView::ShowIdle()
{
    ShowEnabled(m_btnNext, TRUE);
    ShowEnabled(m_btnBack, TRUE);
    ShowEnabled(m_btnStop, FALSE);
    m_btnHome.EnableWindow(TRUE);
    m_wndTree.EnableWindow(TRUE);
}

void CFileSystemView::ShowTypeLabels()
{
    if (m_pForm == nullptr)
        return;
    if (m_chosenType == FileSystemKind::kNtfs)
        m_pForm->ShowNtfsFileSystemLabels();
    else
        m_pForm->ShowFatFileSystemLabels();
}

void CFileSystemView::PrepareForScan(FileSystemKind fileSystemType, const CString& prompt)
{
    m_strPrompt = prompt;
    m_chosenType = fileSystemType;
    m_nChosenVolume = 0;
    m_wndTree.DeleteAllItems();
    ShowTypeLabels();
    SetStatusText(L"");
}

void CFileSystemView::ShowFoundVolumes()
{
    m_wndTree.DeleteAllItems();
    m_nChosenVolume = 0;
    HTREEITEM root = m_wndTree.AddItem(kRootText, nullptr);
    int position = 0;
    for (const FoundPartitionRecord* r = g_FoundPartitions.head; r != nullptr; r = r->next) {
        const std::u16string text = FoundVolumeText(*r);
        HTREEITEM item = m_wndTree.AddItem(ToCString(text), root);
        m_wndTree.SetItemData(item, static_cast<DWORD_PTR>(++position));
    }
    m_wndTree.Expand(root, TVE_EXPAND);
    ShowTypeLabels();
    if (m_pForm != nullptr) {
        m_pForm->HideProgressBar();
        m_pForm->SetProgressPos(0);
        m_pForm->ShowStatusLine();
    }
    SetStatusText(m_strPrompt);
    ShowIdle();
    m_btnHome.ShowWindow(SW_SHOW);
}

void CFileSystemView::SetStatusText(const CString& text)
{
    if (m_pForm != nullptr)
        m_pForm->SetStatusText(text);
}

void CFileSystemView::ResetForm()
{
    if (m_pForm == nullptr)
        return;
    m_pForm->ClearFileSystemValues();
    m_pForm->SetProgressPos(0);
    m_pForm->HideProgressBar();
    SetStatusText(m_strPrompt);
    m_pForm->ShowStatusLine();
    m_nChosenVolume = 0;
    ShowTypeLabels();
    ShowIdle();
}

void CFileSystemView::ShowFileSystemInfo(HTREEITEM item)
{
    if (m_pForm == nullptr || item == nullptr)
        return;
    const CString text = m_wndTree.GetItemText(item);
    if (text.IsEmpty() || text == kRootText) {
        m_nChosenVolume = 0;
        ShowTypeLabels();
        return;
    }
    const int number = static_cast<int>(m_wndTree.GetItemData(item));
    int position = 0;
    const FoundPartitionRecord* record = nullptr;
    for (const FoundPartitionRecord* r = g_FoundPartitions.head; r != nullptr; r = r->next) {
        if (++position == number) {
            record = r;
            break;
        }
    }
    if (record == nullptr || !ChooseFoundVolume(static_cast<uint16_t>(number)))
        return;
    m_nChosenVolume = number;
    if (CMainFrame* frame = WizardFrame())
        frame->m_strChosenItem = text;
    if (record->fileSystemType == FileSystemKind::kNtfs) {
        m_pForm->ShowNtfsFileSystemInfo(Decimal(record->clusterBase), Decimal(record->sectorsPerCluster),
            Decimal(record->mftStart), Decimal(record->mftMirrorStart), SizeText(*record));
    } else {
        m_pForm->ShowFatFileSystemInfo(Decimal(record->clusterBase), Decimal(record->sectorsPerCluster),
            SizeText(*record));
    }
}

void CFileSystemView::ShowFirstFoundVolume()
{
    HTREEITEM root = m_wndTree.GetRootItem();
    HTREEITEM first = root != nullptr ? m_wndTree.GetChildItem(root) : nullptr;
    if (first == nullptr)
        return;
    m_wndTree.SelectItem(first);
    ShowFileSystemInfo(first);
}

bool CFileSystemView::IsBusy() const
{
    // An ended worker is the page's until its poll has seen the end and built the results.
    return !wizard::IsWorkerOver() || m_bRunning || m_treeBuild.IsRunning();
}

void CFileSystemView::OnNext()
{
    if (IsBusy())
        return;
    if (m_nChosenVolume <= 0) {
        ShowAppMessage(kChooseFileSystemText, kAppInformation);
        return;
    }
    // The chosen volume may have been shown before another was clicked: it is the browsed one again.
    ChooseFoundVolume(static_cast<uint16_t>(m_nChosenVolume));
    FreeFoundEntryLists();
    FreeNtfsEntryLists();
    CMainFrame* frame = WizardFrame();
    if (frame != nullptr) {
        frame->SetStage(CMainFrame::kStagePartition);
        frame->m_bResultsReady = FALSE;
    }
    if (m_pForm != nullptr) {
        m_pForm->SetProgressPos(0);
        m_pForm->ShowProgressBar();
        m_pForm->ShowStatusLine();
        m_pForm->SetStatusText(L"");
    }
    ShowEnabled(m_btnStop, TRUE);
    ShowEnabled(m_btnNext, FALSE);
    ShowEnabled(m_btnBack, FALSE);
    ShowEnabled(m_btnHome, FALSE);
    m_wndTree.EnableWindow(FALSE);
    m_bRunning = true;
    if (!wizard::StartFoundVolumeScan(this, this)) {
        m_bRunning = false;
        ShowIdle();
        return;
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CFileSystemView::OnStop()
{
    if (!wizard::AskToStopWorker(kStopQuestion))
        return;
    // The worker unwinds by itself; what it showed goes at once, not at the next poll.
    if (m_pForm != nullptr) {
        m_pForm->HideProgressBar();
        m_pForm->HideStatusLine();
    }
    ShowEnabled(m_btnStop, FALSE);
    if (CMainFrame* frame = WizardFrame())
        frame->SetStage(CMainFrame::kStageResults);
}

void CFileSystemView::ApplyWorkerReports(const wizard::WorkerReports& reports)
{
    if (m_pForm == nullptr)
        return;
    if (reports.hasStatus)
        m_pForm->SetStatusText(ToCString(reports.status));
    if (reports.hasProgress)
        m_pForm->SetProgressPos(reports.progress > 99 ? 99 : reports.progress);
}

void CFileSystemView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != wizard::kPollTimer || !m_bRunning) {
        CWizardPage::OnTimer(nIDEvent);
        return;
    }
    if (!wizard::PollWorkerEnded(*this))
        return;
    wizard::ReleaseWorker();
    m_bRunning = false;
    // The tree is built while this page shows its status and progress, Stop out of reach.
    ShowEnabled(m_btnStop, FALSE);
    auto* results = PageOf<CThirdView_HDD>(CEx_StyleApp::kResultsPage);
    if (results == nullptr || m_pForm == nullptr ||
        !m_treeBuild.Start(*results, kScanExtensive, *m_pForm, [this] { ShowScanResults(); }))
        ShowScanResults();
}

void CFileSystemView::ShowScanResults()
{
    if (m_pForm != nullptr) {
        m_pForm->HideProgressBar();
        m_pForm->SetStatusText(m_strPrompt);
    }
    ShowIdle();
    m_btnHome.ShowWindow(SW_SHOW);
    CMainFrame* frame = WizardFrame();
    CEx_StyleApp* app = WizardApp();
    if (auto* results = PageOf<CThirdView_HDD>(CEx_StyleApp::kResultsPage))
        results->ShowButtons();
    if (frame != nullptr)
        frame->SetStage(CMainFrame::kStageDeepResults);
    if (app != nullptr)
        app->SwitchView(CEx_StyleApp::kResultsPage);
    Invalidate(FALSE);
}

void CFileSystemView::OnBack()
{
    if (IsBusy())
        return;
    CEx_StyleApp* app = WizardApp();
    m_wndTree.DeleteAllItems();
    m_nChosenVolume = 0;
    if (m_pForm != nullptr) {
        m_pForm->ClearFileSystemValues();
        m_pForm->SetStatusText(L"");
        m_pForm->HideStatusLine();
        m_pForm->SetProgressPos(0);
        m_pForm->HideProgressBar();
    }
    CleanUpTempFiles();
    auto* partition = PageOf<CSecondView_HDD>(CEx_StyleApp::kPartitionPage);
    if (partition != nullptr && partition->m_pDisplay != nullptr) {
        CSecondDisplay* display = partition->m_pDisplay;
        display->ClearValues();
        display->HideProgressBar();
        display->SetStatusText(L"");
        display->HideStatusLine();
        display->SetProgressPos(0);
        // The prompt goes above the rows, where the page shows it, and asks for Scan: the drive page
        // left its own "[Next]" there for a logical drive in the Extensive Scan.
        if (g_wSourceType == kSourceLogicalDrive) {
            display->SetPrompt(kLogicalDrivePrompt);
            display->EnableFileSystemChoice();
            display->ShowDriveDetailsPlain();
        } else {
            display->SetPrompt(kPartitionPrompt);
            display->ShowScanRangeOptions();
            display->ShowPartitionDetailsPlain();
            // The range just scanned goes back into the start and end boxes (hidden on a VHDX),
            // which the next Scan reads.
            display->ShowPartitionDetails(0, 0);
        }
        if (g_VolumeParams.chosenFileSystemType == FileSystemKind::kNtfs) {
            display->EmptyRow(3);
            display->EmptyRow(4);
        }
        partition->ShowIdleButtons();
    }
    if (CMainFrame* frame = WizardFrame()) {
        frame->SetStage(CMainFrame::kStagePartition);
        frame->m_bResultsReady = TRUE;
    }
    FreeScanRecordLists();
    if (app != nullptr)
        app->SwitchView(CEx_StyleApp::kPartitionPage);
}

void CFileSystemView::OnHome()
{
    if (IsBusy())
        return;
    OnBack();
    if (auto* partition = PageOf<CSecondView_HDD>(CEx_StyleApp::kPartitionPage))
        partition->OnBack();
    if (auto* drive = PageOf<CFirstView_HDD>(CEx_StyleApp::kDrivePage))
        drive->OnBack();
}

void CFileSystemView::OnNextCommand()
{
    OnNext();
}

void CFileSystemView::OnBackCommand()
{
    OnBack();
}

void CFileSystemView::OnStopCommand()
{
    OnStop();
}

void CFileSystemView::OnHomeCommand()
{
    OnHome();
}
