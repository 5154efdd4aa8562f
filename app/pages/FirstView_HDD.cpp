#include "app/pages/FirstView_HDD.h"

#include "app/EngineText.h"

#include "app/AppMessages.h"
#include "app/DiskTables.h"
#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/dialogs/PartitionTypeDlg.h"
#include "app/pages/FirstDisplay.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/workers/ScanStarters.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/save/TempFiles.h"
#include "engine/state/EngineState.h"
#include "engine/volume/PartitionDiscovery.h"
#include "resource.h"
#include "ui/msgbox/win/MessageChannel.h"
#include "ui/msgbox/win/RichMessageBox.h"

IMPLEMENT_DYNCREATE(CFirstView_HDD, CWizardPage)

BEGIN_MESSAGE_MAP(CFirstView_HDD, CWizardPage)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_TIMER()
ON_WM_SHOWWINDOW()
ON_WM_CTLCOLOR()
ON_COMMAND(ID_PAGE_NEXT, OnNextCommand)
ON_COMMAND(ID_PAGE_BACK, OnBackCommand)
ON_COMMAND(ID_STOP_WORKER, OnStopCommand)
ON_COMMAND(ID_PAGE_HOME, OnBackCommand)
END_MESSAGE_MAP()

const wchar_t CFirstView_HDD::kBackPromptText[] =
    L" Please select the Virtual Hard Disk ( VHD/VHDX ) that contains data from left panel and click [Next] to "
    L"continue with recovery.";

namespace {

const wchar_t kChooseDriveText[] =
    L"Please select the drive that contain the lost data \r\nfrom the left panel and click [Next].";
const wchar_t kStopQuestion[] = L"Do you want to stop partition searching ?";
const wchar_t kNoDataText[] = L"Please use the Extensive Scan, as no data is found in Quick Scan.";
const wchar_t kPleaseWait[] = L"Please wait...";
const wchar_t kVirtualHardDisk[] = L"Virtual Hard Disk ";

CEx_StyleApp* App()
{
    return WizardApp();
}

CSecondView_HDD* PartitionPage()
{
    CEx_StyleApp* app = App();
    return app != nullptr ? dynamic_cast<CSecondView_HDD*>(app->GetPage(CEx_StyleApp::kPartitionPage)) : nullptr;
}

CThirdView_HDD* ResultsPage()
{
    CEx_StyleApp* app = App();
    return app != nullptr ? dynamic_cast<CThirdView_HDD*>(app->GetPage(CEx_StyleApp::kResultsPage)) : nullptr;
}

}  // namespace

CFirstView_HDD::ModeTexts CFirstView_HDD::TextsFor(int scanMode)
{
    switch (scanMode) {
    case kScanQuick:
        return {L"This partition is damaged, please select physical hard disk and proceed.",
            L"You have selected logical drive for recovery. Please click [Scan] to continue with recovery.",
            L"Please Select a Partition From The Left Panel and press [Scan] to continue with recovery."};
    case kScanExtensive:
        return {L"This partition is damaged, please select physical Device and proceed.",
            L"You have selected logical drive for recovery. Please click [Next] to continue with recovery.",
            L"Please select a partition from the left panel and press [Scan] to continue with recovery"};
    default:
        return {L"This partition is damaged, please select physical hard drive and proceed.",
            L"You have selected logical drive for recovery. Please click [Scan] to continue with recovery.",
            L"Please select a partition from the left panel and press [Scan] to continue with recovery"};
    }
}

CFirstView_HDD::CFirstView_HDD() : CWizardPage(CEx_StyleApp::kDrivePage) {}

CFirstView_HDD::~CFirstView_HDD() = default;

void CFirstView_HDD::HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const
{
    left = IDB_PAGE_HEADER_PLAIN;
    middle = IDB_PAGE_HEADER_MIDDLE;
    right = m_bSearching && wizard::IsScanInProgress() ? IDB_DRIVE_HEADER_BUSY : IDB_DRIVE_HEADER;
}

int CFirstView_HDD::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWizardPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_helpGroup.Create(L"Quarne Help", WS_CHILD | BS_GROUPBOX, CRect(0, 0, 0, 0), this, IDC_HELP_GROUP);
    m_emptyStatic.Create(L"", WS_CHILD, CRect(0, 0, 0, 0), this, IDC_EMPTY_STATIC);
    m_pDisplay = new CFirstDisplay;
    if (!CreateTreeAndPane(m_wndDeviceTree, IDC_DRIVE_TREE, m_pDisplay, m_wndSplitter, 50, 150))
        return -1;
    g_wSourceType = kSourceBranchHeader;
    CreateToolButton(m_btnNext, ID_PAGE_NEXT, IDB_NEXT, IDB_NEXT_HOVER, L"Next");
    CreateToolButton(m_btnBack, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back");
    CreateToolButton(m_btnStop, ID_STOP_WORKER, IDB_STOP, IDB_STOP_HOVER, L"Stop");
    CreateToolButton(m_btnHome, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home");
    ShowEnabled(m_btnStop, FALSE);
    if (CMainFrame* frame = WizardFrame())
        frame->m_pFirstDisplay = m_pDisplay;
    return 0;
}

void CFirstView_HDD::OnSize(UINT nType, int cx, int cy)
{
    CWizardPage::OnSize(nType, cx, cy);
    PlaceButtonsAndSplitter(m_btnNext, m_btnStop, m_btnBack, m_btnHome, m_wndSplitter, cx, cy);
}

HBRUSH CFirstView_HDD::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    CWizardPage::OnCtlColor(pDC, pWnd, nCtlColor);
    return GetSysColorBrush(COLOR_WINDOW);
}

void CFirstView_HDD::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_wndDeviceTree.GetSelectedItem();
    CWizardPage::OnLButtonDown(nFlags, point);
}

void CFirstView_HDD::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWizardPage::OnShowWindow(bShow, nStatus);
    Invalidate();
    if (m_wndDeviceTree.GetSafeHwnd() != nullptr)
        m_wndDeviceTree.Invalidate();
}

void CFirstView_HDD::OnNextCommand()
{
    OnNext();
}
void CFirstView_HDD::OnBackCommand()
{
    OnBack();
}
void CFirstView_HDD::OnStopCommand()
{
    OnStop();
}

void CFirstView_HDD::FillDeviceTree()
{
    ResetRecoverySettings();
    const int count = AddVirtualDiskEntry() + 1;
    m_wndDeviceTree.DeleteAllItems();
    for (int i = 0; i < count; ++i) {
        CString path;
        path.Format(L"My Computer\\Physical Devices\\Virtual Hard Disk %d \\", i);
        m_wndDeviceTree.AddPath(path);
    }
    m_wndDeviceTree.ExpandRoot();
    HTREEITEM root = m_wndDeviceTree.GetRootItem();
    HTREEITEM branch = root != nullptr ? m_wndDeviceTree.GetChildItem(root) : nullptr;
    if (branch != nullptr)
        m_wndDeviceTree.Expand(branch, TVE_EXPAND);
    HTREEITEM disk = branch != nullptr ? m_wndDeviceTree.GetChildItem(branch) : nullptr;
    if (disk != nullptr) {
        m_wndDeviceTree.SelectItem(disk);
        m_wndDeviceTree.SetFocus();
        m_wndDeviceTree.OnSelectItem(disk);
    }
}

void CFirstView_HDD::ShowIdleButtons()
{
    ShowEnabled(m_btnNext, TRUE);
    ShowEnabled(m_btnBack, TRUE);
    ShowEnabled(m_btnStop, FALSE);
    m_btnHome.EnableWindow(TRUE);
    m_wndDeviceTree.EnableWindow(TRUE);
}

bool CFirstView_HDD::IsBusy() const
{
    // An ended search is the page's until its poll has seen the end and listed the partitions.
    return !wizard::IsWorkerOver() || m_bSearching;
}

void CFirstView_HDD::OnNext()
{
    CMainFrame* frame = WizardFrame();
    if (frame == nullptr || IsBusy())
        return;
    const ModeTexts texts = TextsFor(g_nScanMode);
    if (g_wSourceType == kSourceLogicalDrive && g_VolumeParams.partitionSectors == 0) {
        ShowAppMessage(texts.damagedPartition, kAppError);
        return;
    }
    // A branch header ("Physical Devices") is no drive either.
    if (frame->m_nChosenItem < 0 || g_wSourceType == kSourceBranchHeader) {
        ShowAppMessage(kChooseDriveText, kAppError);
        return;
    }
    CSecondView_HDD* partitionPage = PartitionPage();
    CSecondDisplay* partitionPane = frame->m_pSecondDisplay;

    if (g_wSourceType == kSourceDisk) {
        const int chosen = frame->m_nChosenItem;
        frame->m_nChosenItem = -1;
        g_nPartitionCount = 0;
        m_wndDeviceTree.EnableWindow(FALSE);
        for (uint32_t sector : {0u, 0u, 61u, 62u}) {
            if (g_nPartitionCount != 0)
                break;
            WalkPartitionTable(sector);
        }
        // Whether to search the disk although its table lists partitions: asked here, before anything
        // starts, so that Cancel leaves the page as it was.
        bool searchRequested = false;
        if (g_nPartitionCount > 0) {
            CPartitionTypeDlg question(this);
            if (question.DoModal() != IDOK) {
                frame->m_nChosenItem = chosen;
                m_wndDeviceTree.EnableWindow(TRUE);
                return;
            }
            searchRequested = CPartitionTypeDlg::g_nPartitionSearchChoice == 1;
        }
        m_pDisplay->PrepareForSearch();
        ShowEnabled(m_btnStop, TRUE);
        ShowEnabled(m_btnNext, FALSE);
        ShowEnabled(m_btnBack, FALSE);
        ShowEnabled(m_btnHome, FALSE);
        m_pDisplay->SetStatusText(kPleaseWait);
        g_strSelectedModeText = wizard::ModeAndDriveText(g_nScanMode, false);
        if (partitionPage != nullptr)
            partitionPage->m_wndDeviceTree.DeleteAllItems();
        m_bSearching = true;
        if (!wizard::StartPartitionSearch(this, this, searchRequested)) {
            m_bSearching = false;
            ShowIdleButtons();
            m_pDisplay->HideProgressBar();
            m_pDisplay->HideStatusLine();
            return;
        }
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    if (g_wSourceType == kSourceLogicalDrive) {
        if (partitionPane != nullptr)
            partitionPane->SetPrompt(texts.logicalDrivePrompt, L"Selected Drive Information");
        if (partitionPage != nullptr)
            partitionPage->ShowTree(g_nScanMode == kScanQuick);
        g_strSelectedModeText = wizard::ModeAndDriveText(g_nScanMode, true);
        if (CEx_StyleApp* app = App())
            app->SwitchView(CEx_StyleApp::kPartitionPage);
    } else {
        if (partitionPane != nullptr)
            partitionPane->SetPrompt(texts.partitionPrompt, L"Partition Information");
        if (partitionPage != nullptr)
            partitionPage->ShowTree(TRUE);
        if (g_nScanMode == kScanExtensive) {
            ChooseWholeDisk(g_wDeviceIndex);
            m_pDisplay->ResetPane();
            m_pDisplay->PrepareForSearch();
        } else {
            g_wSourceType = kSourceBranchHeader;
            if (g_nScanMode == kScanFileTrace) {
                m_pDisplay->ResetPane();
                m_pDisplay->PrepareForSearch();
            }
        }
    }

    if (partitionPane != nullptr) {
        partitionPane->HideProgressBar();
        partitionPane->HideStatusLine();
        partitionPane->ShowHideProgressButton(FALSE);
        partitionPane->SetSearchNote(L"");
        if (g_nScanMode == kScanExtensive) {
            partitionPane->ShowPartitionDetails(0, 0);
            partitionPane->ShowScanRangeOptions();
        } else {
            partitionPane->HideScanRangeOptions();
            partitionPane->ClearPartitionDetails();
        }
    }
    frame->m_bModeChosen = FALSE;
}

void CFirstView_HDD::ApplyWorkerReports(const wizard::WorkerReports& reports)
{
    if (reports.hasStatus)
        m_pDisplay->SetStatusText(ToCString(reports.status));
    if (reports.hasProgress)
        m_pDisplay->SetProgressPos(reports.progress);
    CSecondView_HDD* partitionPage = PartitionPage();
    for (const wizard::FoundItemReport& item : reports.items) {
        if (item.kind == kFoundPartition && partitionPage != nullptr)
            partitionPage->m_wndDeviceTree.AddPartitionItem(kVirtualHardDisk, ToCString(item.text));
    }
}

void CFirstView_HDD::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == wizard::kPollTimer && m_bSearching && wizard::IsWorkerOver() && !wizard::IsStopQuestionOpen() &&
        !wizard::IsShuttingDown()) {
        wizard::DeliverWorkerReports();
        FinishSearch();
        return;
    }
    CWizardPage::OnTimer(nIDEvent);
}

void CFirstView_HDD::FinishSearch()
{
    KillTimer(wizard::kPollTimer);
    m_bSearching = false;
    wizard::ReleaseWorker();
    CMainFrame* frame = WizardFrame();
    CEx_StyleApp* app = App();
    if (frame == nullptr || app == nullptr)
        return;
    frame->SetStage(CMainFrame::kStagePartition);
    ShowIdleButtons();
    m_pDisplay->HideProgressBar();
    m_pDisplay->HideStatusLine();
    CSecondView_HDD* partitionPage = PartitionPage();
    if (partitionPage != nullptr) {
        partitionPage->m_wndDeviceTree.ExpandRoot();
        partitionPage->ShowIdleButtons();
    }
    app->SwitchView(CEx_StyleApp::kPartitionPage);
    if (frame->m_pSecondDisplay != nullptr)
        frame->m_pSecondDisplay->Invalidate();

    if (g_nScanMode == kScanQuick && g_nPartitionCount == 0) {
        g_strMessageText = kNoDataText;
        // The message dialogs' parameters, with a white fill.
        morvick::ui::RichMsgBoxParams params = morvick::ui::DefaultRichMsgBoxParams();
        const COLORREF white = RGB(255, 255, 255);
        params.background = morvick::ui::RichMsgBoxArea{0, 2, nullptr, 12, white, white, white};
        if ((morvick::ui::RichMessageBox(m_hWnd, kNoDataText, morvick::ui::kMessageCaption, MB_ICONINFORMATION,
                 &params) &
                0xFFFF) == IDOK)
            app->RestartWizard();
    }
}

void CFirstView_HDD::OnStop()
{
    if (wizard::AskToStopWorker(kStopQuestion)) {
        // The worker unwinds by itself; the poll moves on once its thread has ended.
    }
}

void CFirstView_HDD::OnBack()
{
    if (IsBusy())
        return;
    if (CThirdView_HDD* results = ResultsPage())
        results->ClearResultList();
    CleanUpTempFiles();
    CleanUpTempFiles();
    CMainFrame* frame = WizardFrame();
    if (frame != nullptr) {
        frame->m_bModeChosen = FALSE;
        frame->SetStage(CMainFrame::kStageSource);
        frame->m_hProgressWnd = nullptr;
    }
    if (g_hDevice != 0 && g_hDevice != kInvalidEngineHandle)
        CloseNativeFile(g_hDevice);
    g_hDevice = 0;
    m_pDisplay->ResetPane();
    g_wSourceType = kSourceBranchHeader;
    if (CEx_StyleApp* app = App())
        app->SwitchView(CEx_StyleApp::kStartPage);
    if (frame != nullptr)
        frame->SetOpenEnabled(TRUE);
}

void CFirstView_HDD::RestartKeyRing()
{
    m_btnNext.SetState(FALSE);
    m_btnBack.SetState(FALSE);
    m_nKeyFocus[0] = 1;
    m_nKeyFocus[1] = m_nKeyFocus[2] = m_nKeyFocus[3] = 0;
}

void CFirstView_HDD::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB) {
        if (m_nKeyFocus[0]) {
            m_btnNext.SetState(TRUE);
            m_nKeyFocus[0] = 0;
            m_nKeyFocus[1] = 1;
            SetFocus();
        } else if (m_nKeyFocus[1]) {
            m_btnNext.SetState(FALSE);
            m_btnBack.SetState(TRUE);
            m_nKeyFocus[1] = 0;
            m_nKeyFocus[2] = 1;
        } else if (m_nKeyFocus[2]) {
            m_btnBack.SetState(FALSE);
            m_wndDeviceTree.SetFocus();
            m_nKeyFocus[2] = 0;
            m_nKeyFocus[3] = 1;
        } else {
            m_nKeyFocus[3] = 0;
            m_nKeyFocus[0] = 1;
        }
    } else if (nChar == VK_RETURN) {
        if (m_btnNext.GetState() & BST_PUSHED)
            OnNext();
        else if (m_btnBack.GetState() & BST_PUSHED)
            OnBack();
    }
    CWizardPage::OnKeyDown(nChar, nRepCnt, nFlags);
}
