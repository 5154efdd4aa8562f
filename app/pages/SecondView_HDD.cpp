#include "app/pages/SecondView_HDD.h"

#include "app/EngineText.h"

#include <cwctype>

#include "app/AppMessages.h"
#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/pages/FileSystemView.h"
#include "app/pages/FirstDisplay.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/workers/ScanStarters.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/ExtensiveSearch.h"
#include "engine/image/VirtualDisk.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "engine/state/SectorLimit.h"
#include "resource.h"
#include "ui/msgbox/win/MessageChannel.h"
#include "ui/msgbox/win/RichMessageBox.h"

IMPLEMENT_DYNCREATE(CSecondView_HDD, CWizardPage)

BEGIN_MESSAGE_MAP(CSecondView_HDD, CWizardPage)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_KEYDOWN()
ON_WM_CTLCOLOR()
ON_WM_SETCURSOR()
ON_COMMAND(ID_PAGE_NEXT, OnScanCommand)
ON_COMMAND(ID_PAGE_BACK, OnBackCommand)
ON_COMMAND(ID_STOP_WORKER, OnStopCommand)
ON_COMMAND(ID_PAGE_HOME, OnHomeCommand)
END_MESSAGE_MAP()

const wchar_t CSecondView_HDD::kStopQuestion[] =
    L"Do you want to stop file searching? This may result in incomplete \r\nrecovery and you will need to restart "
    L"the process again.";
const wchar_t CSecondView_HDD::kChoosePartitionScanText[] =
    L"Please select the partition that you want to recover \r\nfrom the left panel and click [Scan].";
const wchar_t CSecondView_HDD::kChoosePartitionNextText[] =
    L"Please select the partition that you want to recover \r\nfrom the left panel and click [Next].";
const wchar_t CSecondView_HDD::kInvalidStartText[] = L"Start sector value is not valid, It should be a positive number";
const wchar_t CSecondView_HDD::kInvalidEndText[] = L"End sector value is not valid, It should be a positive number";
const wchar_t CSecondView_HDD::kEndNotAboveStartText[] = L"End sector should be bigger than start sector";
const wchar_t CSecondView_HDD::kNoFileSystemFoundText[] =
    L"Morvick was unable to identify a file system in the selected sector range.";
const wchar_t CSecondView_HDD::kNoFileSystemFoundMessage[] =
    L"Morvick was unable to identify a file system in the selected sector range.\r\nPlease make sure that you made "
    L"appropriate selections on the previous step.\r\nPlease go back to the previous step and select VHD/VHDX for "
    L"full scan.";
const wchar_t CSecondView_HDD::kQuickScanHintText[] =
    L"If you don't find the required file(s) and folder(s) here then please go back \r\nto the first step and "
    L"select Extensive Scan for recovery.";

namespace {

const wchar_t kTraceDamagedText[] =
    L"Please use the Extensive Scan, as the selected file is damaged and unable to perform File Trace.";
const wchar_t kSearchingLostDataText[] = L"Searching for lost data. Please wait...";
const wchar_t kFileSystemPrompt[] =
    L"\nPlease select a file system from the left panel and click [Next] to continue with recovery. \r\nCheck all the "
    L"file systems one by one for the required data.";

CEx_StyleApp* App()
{
    return WizardApp();
}

template <class Page>
Page* PageOf(int number)
{
    CEx_StyleApp* app = App();
    return app != nullptr ? dynamic_cast<Page*>(app->GetPage(number)) : nullptr;
}

CString Decimal(uint64_t value)
{
    CString text;
    text.Format(L"%I64u", value);
    return text;
}

// The "no partition parameters" error, shown by the user-interface thread once the worker ended.
void ShowNoParametersMessage(HWND owner)
{
    const CString text = morvick::ui::EscapeMessageText(ToCString(std::u16string(NoParametersText())));
    const morvick::ui::RichMsgBoxParams params = morvick::ui::DefaultRichMsgBoxParams();
    morvick::ui::RichMessageBox(owner, text, morvick::ui::kMessageCaption, MB_ICONERROR, &params);
}

}  // namespace

CSecondView_HDD::CSecondView_HDD() : CWizardPage(CEx_StyleApp::kPartitionPage) {}

CSecondView_HDD::~CSecondView_HDD() = default;

void CSecondView_HDD::HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const
{
    if ((wizard::IsScanInProgress() && m_nRunningMode >= 0) || m_treeBuild.IsRunning())
        left = IDB_PARTITION_HEADER_BUSY;
    else if (g_wSourceType == kSourceLogicalDrive)
        left = IDB_PARTITION_HEADER_DRIVE;
    else
        left = g_nScanMode == kScanExtensive ? IDB_PARTITION_HEADER_DEEP : IDB_PARTITION_HEADER_QUICK;
    middle = IDB_PAGE_HEADER_MIDDLE;
    right = IDB_PAGE_HEADER_PLAIN;
}

int CSecondView_HDD::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWizardPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (WizardFrame() == nullptr && AfxGetMainWnd() == nullptr)
        return 1;
    m_pDisplay = new CSecondDisplay;
    if (!CreateTreeAndPane(m_wndDeviceTree, IDC_PARTITION_TREE, m_pDisplay, m_wndSplitter, 90, 110))
        return -1;
    CreateToolButton(m_btnScan, ID_PAGE_NEXT, IDB_SCAN, IDB_SCAN_HOVER, L"Scan");
    CreateToolButton(m_btnBack, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back");
    CreateToolButton(m_btnStop, ID_STOP_WORKER, IDB_STOP, IDB_STOP_HOVER, L"Stop");
    CreateToolButton(m_btnHome, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home");
    ShowEnabled(m_btnStop, FALSE);
    CRect client;
    GetClientRect(&client);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    return 0;
}

void CSecondView_HDD::OnSize(UINT nType, int cx, int cy)
{
    CWizardPage::OnSize(nType, cx, cy);
    PlaceButtonsAndSplitter(m_btnScan, m_btnStop, m_btnBack, m_btnHome, m_wndSplitter, cx, cy);
}

HBRUSH CSecondView_HDD::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    CWizardPage::OnCtlColor(pDC, pWnd, nCtlColor);
    return GetSysColorBrush(COLOR_WINDOW);
}

BOOL CSecondView_HDD::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_nBusy == 1) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
    }
    return CWizardPage::OnSetCursor(pWnd, nHitTest, message);
}

bool CSecondView_HDD::IsBusy() const
{
    // A worker that has ended still belongs to the page until its poll has seen the end: the poll
    // builds the results from what it found.
    return !wizard::IsWorkerOver() || m_nRunningMode >= 0 || m_treeBuild.IsRunning();
}

void CSecondView_HDD::OnScanCommand()
{
    OnScan();
}
void CSecondView_HDD::OnBackCommand()
{
    OnBack();
}
void CSecondView_HDD::OnStopCommand()
{
    OnStop();
}

void CSecondView_HDD::OnHomeCommand()
{
    if (IsBusy())
        return;
    OnBack();
    if (auto* drive = PageOf<CFirstView_HDD>(CEx_StyleApp::kDrivePage))
        drive->OnBack();
}

void CSecondView_HDD::ShowIdleButtons()
{
    ShowEnabled(m_btnScan, TRUE);
    ShowEnabled(m_btnBack, TRUE);
    ShowEnabled(m_btnStop, FALSE);
    m_btnHome.EnableWindow(TRUE);
    m_wndDeviceTree.EnableWindow(TRUE);
}

void CSecondView_HDD::ShowTree(BOOL show)
{
    m_wndDeviceTree.ShowWindow(show ? SW_SHOW : SW_HIDE);
    if (show)
        m_wndSplitter.ShowLeftPane();
    else
        m_wndSplitter.HideLeftPane();
}

bool CSecondView_HDD::ParseEndSectorNumber(const CString& text, uint64_t& value)
{
    CString trimmed = text;
    trimmed.Trim();
    // Up to 19 digits: no such number overflows 64 bits.
    if (trimmed.IsEmpty() || trimmed.GetLength() > 19)
        return false;
    unsigned long long number = 0;
    for (int i = 0; i < trimmed.GetLength(); ++i) {
        const wchar_t c = trimmed[i];
        if (c < L'0' || c > L'9')
            return false;
        number = number * 10 + static_cast<unsigned>(c - L'0');
    }
    value = number;
    return true;
}

bool CSecondView_HDD::ParseSectorNumber(const CString& text, uint32_t& value)
{
    uint64_t number = 0;
    if (!ParseEndSectorNumber(text, number) || number > 0xFFFFFFFFull)
        return false;
    value = static_cast<uint32_t>(number);
    return true;
}

void CSecondView_HDD::ShowRunning()
{
    m_pDisplay->ShowProgressBar();
    m_pDisplay->SetProgressPos(0);
    ShowEnabled(m_btnStop, TRUE);
    ShowEnabled(m_btnScan, FALSE);
    ShowEnabled(m_btnBack, FALSE);
    m_pDisplay->ShowHideProgressButton(TRUE);
    m_pDisplay->ShowStatusLine();
    m_pDisplay->SetStatusText(L"");
    ShowEnabled(m_btnHome, FALSE);
    m_wndDeviceTree.EnableWindow(FALSE);
    if (auto* drive = PageOf<CFirstView_HDD>(CEx_StyleApp::kDrivePage))
        drive->m_wndDeviceTree.EnableWindow(FALSE);
    if (CMainFrame* frame = WizardFrame())
        frame->SetOpenEnabled(FALSE);
    m_strCurrentSector.Empty();
    m_strLastName.Empty();
}

void CSecondView_HDD::ShowScanFailed()
{
    m_pDisplay->HideProgressBar();
    m_pDisplay->HideStatusLine();
    m_pDisplay->ShowHideProgressButton(FALSE);
    m_pDisplay->SetSearchNote(L"");
    ShowIdleButtons();
    if (auto* drive = PageOf<CFirstView_HDD>(CEx_StyleApp::kDrivePage))
        drive->m_wndDeviceTree.EnableWindow(TRUE);
}

void CSecondView_HDD::OnScan()
{
    CMainFrame* frame = WizardFrame();
    if (frame == nullptr || IsBusy())
        return;
    const bool logicalDrive = g_wSourceType == kSourceLogicalDrive;

    if (g_nScanMode == kScanExtensive) {
        if (frame->m_nChosenItem < -1) {
            ShowAppMessage(kChoosePartitionScanText, kAppInformation);
            return;
        }
        g_VolumeParams.chosenFileSystemType = m_pDisplay->ChosenFileSystemType();
        if (g_wSourceType == kSourceDisk) {
            uint32_t start = 0;
            uint64_t end = 0;
            if (!ParseSectorNumber(m_pDisplay->StartSectorText(), start)) {
                ShowAppMessage(kInvalidStartText, kAppError);
                return;
            }
            CVirtualDisk* disk = GetCurrentVirtualDisk();
            if (g_VolumeParams.partitionEnd == 0 && g_nImageKind == kImageVhdx && disk != nullptr) {
                end = disk->GetDiskSize() / 512 + start - 1;
            } else if (!ParseEndSectorNumber(m_pDisplay->EndSectorText(), end)) {
                ShowAppMessage(kInvalidEndText, kAppError);
                return;
            }
            if (end <= start) {
                ShowAppMessage(kEndNotAboveStartText, kAppError);
                return;
            }
            // The end sector is part of the range; an end past 2 TiB is held (engine/state/SectorLimit.h).
            SetPartitionRangeTo(g_VolumeParams, start, end);
        }
        g_strSelectedModeText = wizard::ModeAndDriveText(kScanExtensive, logicalDrive);
        if (g_VolumeParams.chosenFileSystemType == FileSystemKind::kNtfs) {
            m_pDisplay->ClearValues();
            m_pDisplay->ShowNtfsScanCounterLabels();
        } else {
            m_pDisplay->ShowFatScanCounterLabels();
        }
        ShowRunning();
        m_pDisplay->HideScanRangeOptions();
        m_nRunningMode = kScanExtensive;
        if (!wizard::StartDeepScan(this, this)) {
            m_nRunningMode = -1;
            ShowScanFailed();
            return;
        }
        if (auto* fileSystems = PageOf<CFileSystemView>(CEx_StyleApp::kFileSystemPage))
            fileSystems->PrepareForScan(g_VolumeParams.chosenFileSystemType, kFileSystemPrompt);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return;
    }

    if (g_nScanMode == kScanQuick) {
        if (frame->m_nChosenItem < 0) {
            ShowAppMessage(kChoosePartitionScanText, kAppInformation);
            return;
        }
        ShowRunning();
        m_pDisplay->ShowScanCounterLabels();
        g_strSelectedModeText = wizard::ModeAndDriveText(kScanQuick, logicalDrive);
        m_nRunningMode = kScanQuick;
        if (!wizard::StartQuickScan(this, this)) {
            m_nRunningMode = -1;
            ShowScanFailed();
            return;
        }
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return;
    }

    // File Trace.
    if (m_wndDeviceTree.GetSelectedItem() == nullptr) {
        ShowAppMessage(kChoosePartitionScanText, kAppInformation);
        return;
    }
    if (frame->m_nChosenItem < 0) {
        ShowAppMessage(kChoosePartitionNextText, kAppInformation);
        return;
    }
    if (g_nPartitionCount == 0) {
        // The source could not be read as a partitioned disk.
        ShowAppMessage(kTraceDamagedText, kAppInformation);
        if (CEx_StyleApp* app = App())
            app->RestartWizard();
        return;
    }
    if (!wizard::ChooseTraceSignatures(this))
        return;
    ShowRunning();
    m_pDisplay->ShowScanCounterLabels();
    g_strSelectedModeText = wizard::ModeAndDriveText(kScanFileTrace, logicalDrive);
    m_nRunningMode = kScanFileTrace;
    if (!wizard::StartFileTrace(this, this)) {
        m_nRunningMode = -1;
        ShowScanFailed();
        return;
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_pDisplay->SetSearchNote(kSearchingLostDataText);
}

void CSecondView_HDD::OnStop()
{
    if (!wizard::AskToStopWorker(kStopQuestion))
        return;
    ShowEnabled(m_btnStop, FALSE);
    m_pDisplay->ShowHideProgressButton(FALSE);
    m_pDisplay->ShowStatusLine();
}

void CSecondView_HDD::RefreshCounters()
{
    if (g_nProgressShown != 1 || m_nRunningMode < 0)
        return;
    if (m_nRunningMode == kScanExtensive) {
        const ExtensiveSearchCounters& c = g_ExtensiveSearchCounters;
        if (g_VolumeParams.chosenFileSystemType == FileSystemKind::kNtfs) {
            m_pDisplay->SetRowValue(0, Decimal(c.bootSectors));
            m_pDisplay->SetRowValue(1, Decimal(c.indexRecords));
            m_pDisplay->SetRowValue(2, Decimal(c.ntfsFiles));
            m_pDisplay->SetRowValue(3, Decimal(c.ntfsFolders));
            m_pDisplay->SetRowValue(4, m_strCurrentSector);
        } else {
            m_pDisplay->SetRowValue(0, Decimal(c.bootSectors));
            m_pDisplay->SetRowValue(1, Decimal(c.fatDirectories));
            m_pDisplay->SetRowValue(2, m_strCurrentSector);
        }
        return;
    }
    m_pDisplay->SetRowValue(0, Decimal(g_nFatFolderCount));
    m_pDisplay->SetRowValue(1, Decimal(g_nFatFileCount));
    m_pDisplay->SetRowValue(2, m_strCurrentSector);
    m_pDisplay->SetRowValue(3, m_strLastName);
}

bool CSecondView_HDD::IsReadingPositionStatus(const std::u16string& status)
{
    static const std::u16string kReading = u"Reading Sector ";
    return status.compare(0, kReading.size(), kReading) == 0;
}

void CSecondView_HDD::ApplyWorkerReports(const wizard::WorkerReports& reports)
{
    // The reading position in the status line is left still while the progress is hidden, as the
    // counters are; every other status shows.
    if (reports.hasStatus && (g_nProgressShown == 1 || !IsReadingPositionStatus(reports.status)))
        m_pDisplay->SetStatusText(ToCString(reports.status));
    if (reports.hasSector)
        m_strCurrentSector = Decimal(reports.sector);
    if (reports.hasProgress)
        m_pDisplay->SetProgressPos(reports.progress > 99 ? 99 : reports.progress);
    // The last file or folder found is the one the row shows.
    for (auto item = reports.items.rbegin(); item != reports.items.rend(); ++item) {
        if (item->kind == kFoundFile || item->kind == kFoundFolder) {
            m_strLastName = ToCString(item->text);
            break;
        }
    }
    RefreshCounters();
    HideStopForAnalysis();
}

void CSecondView_HDD::HideStopForAnalysis()
{
    // Once the NTFS analysis has gone through the boot sectors it found, the scan runs to its end:
    // Stop goes.
    if (m_nRunningMode == kScanExtensive && g_VolumeParams.chosenFileSystemType == FileSystemKind::kNtfs &&
        g_nBootPassFinished == 1 && m_btnStop.IsWindowEnabled())
        ShowEnabled(m_btnStop, FALSE);
}

void CSecondView_HDD::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != wizard::kPollTimer || m_nRunningMode < 0) {
        CWizardPage::OnTimer(nIDEvent);
        return;
    }
    if (!wizard::PollWorkerEnded(*this)) {
        HideStopForAnalysis();
        return;
    }
    const int outcome = wizard::WorkerResult();
    wizard::ReleaseWorker();
    const int mode = m_nRunningMode;
    m_nRunningMode = -1;
    if (mode == kScanExtensive)
        PollExtensiveScan(outcome);
    else
        PollQuickScanOrTrace(outcome);
    Invalidate(FALSE);
}

void CSecondView_HDD::PollQuickScanOrTrace(int outcome)
{
    CMainFrame* frame = WizardFrame();
    CEx_StyleApp* app = App();
    if (frame == nullptr || app == nullptr)
        return;
    const int mode = g_nScanMode;
    if (outcome == wizard::kOutcomeNoParameters) {
        // The worker could work out no parameters: the message here, then (Quick Scan) the restart.
        ShowScanFailed();
        ShowNoParametersMessage(m_hWnd);
        if (mode == kScanQuick) {
            app->RestartWizard();
        } else if (auto* drive = PageOf<CFirstView_HDD>(CEx_StyleApp::kDrivePage)) {
            drive->m_wndDeviceTree.EnableWindow(TRUE);
        }
        frame->SetStage(CMainFrame::kStagePartition);
        // "&Open" fills in the start page: offered only when the restart has shown it. A File Trace
        // stays on this page, and the drive page's Back offers it again on the way to the start.
        frame->m_bOpenEnabled = mode == kScanQuick;
        return;
    }
    // Stopped or not, what the scan found is shown: a stop that threw it away would lose the files
    // the user stopped for. The tree is built while this page shows its status: Stop, Scan, Back
    // and Home out of reach and the wait cursor over the page.
    auto* results = PageOf<CThirdView_HDD>(CEx_StyleApp::kResultsPage);
    m_pDisplay->ShowHideProgressButton(FALSE);
    m_pDisplay->SetSearchNote(L"");
    ShowEnabled(m_btnStop, FALSE);
    m_btnScan.EnableWindow(FALSE);
    m_btnBack.EnableWindow(FALSE);
    m_btnHome.EnableWindow(FALSE);
    m_nBusy = 1;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (results == nullptr || !m_treeBuild.Start(*results, mode, *m_pDisplay, [this, mode] { ShowScanResults(mode); }))
        ShowScanResults(mode);
}

void CSecondView_HDD::ShowScanResults(int mode)
{
    CMainFrame* frame = WizardFrame();
    CEx_StyleApp* app = App();
    m_nBusy = 0;
    if (frame == nullptr || app == nullptr)
        return;
    m_pDisplay->HideProgressBar();
    m_pDisplay->HideStatusLine();
    m_pDisplay->ResetProgressShown();
    ShowIdleButtons();
    app->SwitchView(CEx_StyleApp::kResultsPage);
    if (mode == kScanQuick)
        ShowAppMessage(kQuickScanHintText, kAppInformation);
    if (g_nScanFailed == 1) {
        // No stage: only "&Open" is offered.
        frame->m_bStageSource = frame->m_bStagePartition = frame->m_bResultsReady = frame->m_bDeepResultsReady = FALSE;
        frame->m_bOpenEnabled = TRUE;
    } else {
        frame->SetStage(CMainFrame::kStageResults);
    }
    if (auto* results = PageOf<CThirdView_HDD>(CEx_StyleApp::kResultsPage))
        results->ShowButtons();
}

void CSecondView_HDD::PollExtensiveScan(int)
{
    CMainFrame* frame = WizardFrame();
    CEx_StyleApp* app = App();
    // The analysis flags of this scan are read; the next starts without them.
    g_nBootPassFinished = 0;
    g_nLeftoverPassFinished = 0;
    if (frame == nullptr || app == nullptr)
        return;
    m_pDisplay->ShowProgressBar();
    ShowEnabled(m_btnStop, FALSE);
    m_pDisplay->ShowHideProgressButton(FALSE);
    m_pDisplay->ResetProgressShown();
    ShowIdleButtons();
    auto* fileSystems = PageOf<CFileSystemView>(CEx_StyleApp::kFileSystemPage);
    if (fileSystems != nullptr)
        fileSystems->ShowFoundVolumes();
    app->SwitchView(CEx_StyleApp::kFileSystemPage);
    if (g_FoundPartitions.head == nullptr) {
        if (fileSystems != nullptr)
            fileSystems->SetStatusText(kNoFileSystemFoundText);
        ShowAppMessage(kNoFileSystemFoundMessage, kAppError);
        return;
    }
    if (fileSystems != nullptr)
        fileSystems->ShowFirstFoundVolume();
    frame->SetStage(CMainFrame::kStageResults);
}

void CSecondView_HDD::OnBack()
{
    if (IsBusy())
        return;
    CMainFrame* frame = WizardFrame();
    m_wndDeviceTree.DeleteAllItems();
    if (frame != nullptr) {
        frame->m_bModeChosen = TRUE;
        frame->SetStage(CMainFrame::kStageSource);
    }
    m_pDisplay->ClearValues();
    if (auto* results = PageOf<CThirdView_HDD>(CEx_StyleApp::kResultsPage))
        results->ResetPreview();
    m_pDisplay->ResetProgressShown();
    m_pDisplay->HideProgressBar();
    m_pDisplay->HideStatusLine();
    m_pDisplay->ShowHideProgressButton(FALSE);
    ShowIdleButtons();
    if (auto* drive = PageOf<CFirstView_HDD>(CEx_StyleApp::kDrivePage)) {
        if (drive->m_pDisplay != nullptr) {
            drive->m_pDisplay->ResetPane();
            drive->m_pDisplay->SetPrompt(CFirstView_HDD::kBackPromptText);
        }
        drive->ShowIdleButtons();
    }
    g_strSelectedModeText = wizard::ModeOnlyText(g_nScanMode);
    if (CEx_StyleApp* app = App())
        app->SwitchView(CEx_StyleApp::kDrivePage);
}

void CSecondView_HDD::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB) {
        if (m_nKeyFocus[1]) {
            m_btnScan.SetState(FALSE);
            m_btnBack.SetState(TRUE);
            m_nKeyFocus[1] = 0;
            m_nKeyFocus[2] = 1;
        } else if (m_nKeyFocus[2]) {
            m_btnBack.SetState(FALSE);
            m_wndDeviceTree.SetFocus();
            m_nKeyFocus[2] = 0;
            m_nKeyFocus[0] = 1;
        } else {
            m_btnScan.SetState(TRUE);
            SetFocus();
            m_nKeyFocus[0] = 0;
            m_nKeyFocus[1] = 1;
        }
    } else if (nChar == VK_RETURN) {
        if (m_btnScan.GetState() & BST_PUSHED)
            OnScan();
        else if (m_btnBack.GetState() & BST_PUSHED)
            OnBack();
    }
    CWizardPage::OnKeyDown(nChar, nRepCnt, nFlags);
}
