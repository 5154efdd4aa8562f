#include "app/MainFrame.h"

#include "app/EngineText.h"

#include "app/AppMessages.h"
#include "app/Ex_StyleApp.h"
#include "app/MorvickBarTheme.h"
#include "app/WizardState.h"
#include "app/dialogs/FileNameDialog.h"
#include "app/pages/Ex_StyleView.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/trees/TreeImages.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/image/VirtualDisk.h"
#include "engine/save/EngineReset.h"
#include "engine/save/TempFiles.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/WindowPlacement.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/MenuBar.h"
#include "toolkit/commandbars/ToolBar.h"

IMPLEMENT_DYNCREATE(CMainFrame, CTKPFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CTKPFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_GETMINMAXINFO()
ON_COMMAND(ID_OPEN_IMAGE, OnOpenImage)
ON_COMMAND(ID_RECOVER_SELECTED, OnRecoverSelected)
ON_COMMAND(ID_SAVE_ALL, OnSaveAll)
ON_COMMAND(ID_SAVE_SNAPSHOT, OnSaveSnapshot)
ON_COMMAND(ID_LOAD_SNAPSHOT, OnLoadSnapshot)
ON_COMMAND(ID_EXIT_PROGRAM, OnExitProgram)
ON_COMMAND(ID_VIEW_ICONS, OnViewIcons)
ON_COMMAND(ID_VIEW_LIST_MODE, OnViewList)
ON_COMMAND(ID_VIEW_DETAILS, OnViewDetails)
ON_COMMAND(ID_FIND_FILES, OnFindFiles)
ON_COMMAND(ID_FILE_FILTERS, OnFileFilters)
ON_COMMAND(ID_RECOVERY_SETTINGS, OnRecoverySettings)
ON_COMMAND(ID_DRIVE_INFORMATION, OnDriveInformation)
ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
ON_UPDATE_COMMAND_UI(ID_RECOVER_SELECTED, OnUpdateRecoverSelected)
ON_UPDATE_COMMAND_UI(ID_SAVE_ALL, OnUpdateSaveAll)
ON_UPDATE_COMMAND_UI(ID_DRIVE_INFORMATION, OnUpdateSaveAll)
ON_UPDATE_COMMAND_UI(ID_SAVE_SNAPSHOT, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_VIEW_ICONS, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_VIEW_LIST_MODE, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_VIEW_DETAILS, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_FILE_FILTERS, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_FIND_FILES, OnUpdateFindFiles)
ON_UPDATE_COMMAND_UI(ID_RECOVERY_SETTINGS, OnUpdateRecoverySettings)
ON_UPDATE_COMMAND_UI(ID_LOAD_SNAPSHOT, OnUpdateLoadSnapshot)
ON_UPDATE_COMMAND_UI(ID_OPEN_IMAGE, OnUpdateOpenImage)
END_MESSAGE_MAP()

namespace {

const wchar_t kExitQuestion[] = L"Do you really want to exit ?";
const wchar_t kHelpFileName[] = L"Morvick.chm";
const wchar_t kProductPage[] = L"https://www.example.com/morvick/";
const wchar_t kSnapshotFilter[] = L"*.srzq\0*.srzq\0\0";

// How long the end of the program waits for a worker that was asked to stop (tests shorten it).
DWORD g_workerStopTimeoutMs = 60000;

// The docking pane the frame closes when its host has one.
constexpr UINT kClosedPaneId = 4001;

// The program's end: the process ends at once with exit code 0, its threads with it.
bool EndProcessNow(bool workerRunning)
{
    if (HANDLE self = OpenProcess(PROCESS_TERMINATE, FALSE, GetCurrentProcessId())) {
        TerminateProcess(self, 0);
        CloseHandle(self);
    }
    // A worker that still runs reads what the frame's destruction would free: the process ends
    // through its own handle rather than closing the frame.
    if (workerRunning)
        TerminateProcess(GetCurrentProcess(), 0);
    return false;
}

CMainFrame::ProcessEnd g_processEnd = EndProcessNow;

// The shell's flags of the two spreadsheet classes: each opens in its own program, not inside a
// browser window. Keys that are missing or cannot be opened for writing are left alone.
void WriteSpreadsheetFlags()
{
    struct Flag {
        const wchar_t* key;
        const wchar_t* name;
        BYTE value[4];
    };
    const Flag flags[] = {
        {L"SOFTWARE\\Classes\\Excel.Sheet.8", L"EditFlags", {0x00, 0x00, 0x01, 0x00}},
        {L"SOFTWARE\\Classes\\Excel.Sheet.8", L"BrowserFlags", {0x00, 0x00, 0x00, 0x00}},
        {L"SOFTWARE\\Classes\\Excel.Sheet.12", L"BrowserFlags", {0x00, 0x00, 0x00, 0x00}},
    };
    for (const Flag& flag : flags) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, flag.key, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            continue;
        RegSetValueExW(key, flag.name, 0, REG_BINARY, flag.value, sizeof(flag.value));
        RegCloseKey(key);
    }
}

// The profile section of the command bars' options, layout and shortcuts.
const wchar_t kCommandBarsSection[] = L"CommandBars";

// The toolbar's commands and their icons, in the toolbar's order.
const UINT kToolbarCommands[] = {ID_OPEN_IMAGE, ID_RECOVER_SELECTED, ID_SAVE_SNAPSHOT, ID_LOAD_SNAPSHOT, ID_FIND_FILES,
    ID_RECOVERY_SETTINGS, ID_HELP_CONTENTS};
const UINT kToolbarIcons[] = {IDI_TOOL_OPEN, IDI_TOOL_RECOVER, IDI_TOOL_SAVE_SNAPSHOT, IDI_TOOL_LOAD_SNAPSHOT,
    IDI_TOOL_FIND, IDI_TOOL_SETTINGS, IDI_TOOL_HELP};
const UINT kHiddenCommands[] = {ID_PRINT_COMMAND, ID_PRINT_PREVIEW_COMMAND};

const UINT kIndicators[] = {
    ID_SEPARATOR,
    ID_INDICATOR_SUPPORT,
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_SCRL,
};

CThirdView_HDD* ResultsPage()
{
    CEx_StyleApp* app = WizardApp();
    return app != nullptr ? dynamic_cast<CThirdView_HDD*>(app->GetPage(CEx_StyleApp::kResultsPage)) : nullptr;
}

}  // namespace

CMainFrame::CMainFrame()
{
    m_pointerMap.InitHashTable(17, FALSE);
}

CMainFrame::~CMainFrame()
{
    if (m_hLinkCursor != nullptr)
        DestroyCursor(m_hLinkCursor);
    if (GetCurrentVirtualDisk() == m_pVirtualDisk)
        SetCurrentVirtualDisk(nullptr);
    delete m_pVirtualDisk;
    m_pointerMap.RemoveAll();
}

void CMainFrame::SetProcessEndForTests(ProcessEnd end, DWORD workerWaitMs)
{
    g_processEnd = end != nullptr ? end : EndProcessNow;
    g_workerStopTimeoutMs = workerWaitMs;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMainFrameBase::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = AfxRegisterWndClass(0, NULL, NULL, AfxGetApp()->LoadIcon(IDR_MAINFRAME));
    cs.lpszName = L"Morvick";
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMainFrameBase::OnCreate(lpCreateStruct) == -1) {
        AfxMessageBox(L"OnCreate failed");
        return -1;
    }
    SetTitle(L"Morvick");
    m_hLinkCursor = AfxGetApp()->LoadCursor(IDC_HOVER_POINTER);

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, ID_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]))) {
        AfxMessageBox(L"OnCreate failed");
        return -1;
    }
    m_wndStatusBar.SetPaneInfo(1, ID_INDICATOR_SUPPORT, SBT_OWNERDRAW, 120);
    if (!CreateCommandBars()) {
        AfxMessageBox(L"OnCreate failed");
        return -1;
    }

    EnsureVirtualDisk();
    m_paneHost.ClosePane(m_paneHost.FindPaneById(kClosedPaneId));
    WriteSpreadsheetFlags();
    m_bStartMaximized = TRUE;
    ShowWindow(SW_SHOWMAXIMIZED);
    return 0;
}

BOOL CMainFrame::CreateCommandBars()
{
    if (CTKPCommandBarsTheme::GetInstalledTheme() == nullptr)
        CTKPCommandBarsTheme::SetTheme(0);
    auto* bars = static_cast<CTKPCommandBars*>(RUNTIME_CLASS(CTKPCommandBars)->CreateObject());
    if (bars == nullptr)
        return FALSE;
    bars->AttachToFrame(this);
    bars->CreateDockBars();
    m_pCommandBars = bars;
    m_pBars = bars;
    bars->GetOptions()->animationType = 3;

    // The menu bar, docked at the top only; it takes the place of the frame's system menu.
    CTKPMenuBar* menuBar = bars->CreateMenuBar(L"Menu Bar", IDR_MAINFRAME);
    if (menuBar == nullptr)
        return FALSE;
    menuBar->EnableBarDocking(tkpFlagAlignTop | tkpFlagStretched);
    menuBar->SetShowGripper(FALSE);

    // The toolbar "Standard": fixed at the top, 32 x 32 icons with their texts below them.
    m_pStandardBar = bars->CreateToolBar(L"Standard", tkpBarTop);
    if (m_pStandardBar == nullptr)
        return FALSE;
    m_pStandardBar->ModifyBarFlags(0, tkpFlagAlignAny | tkpFlagFloating);
    m_pStandardBar->SetCloseable(FALSE);
    m_pStandardBar->SetContextMenuPresent(FALSE);
    m_pStandardBar->SetShowExpandButton(FALSE);
    m_pStandardBar->SetShowGripper(FALSE);
    if (!m_pStandardBar->LoadToolBar(IDR_STANDARD_TOOLBAR))
        return FALSE;
    const int count = sizeof(kToolbarIcons) / sizeof(kToolbarIcons[0]);
    LoadIconImages(m_toolbarImages, kToolbarIcons, count, 32, ILC_COLOR32 | ILC_MASK);
    m_toolbarImages.SetBkColor(RGB(255, 255, 255));
    TKPGetImageManager()->SetIconsFromImageList(&m_toolbarImages, kToolbarCommands, count, CSize(32, 32));
    m_pStandardBar->SetTextBelowIcons(1);

    CTKPCommandBarsTheme::InstallTheme(new CMorvickBarTheme);
    bars->HideCommands(kHiddenCommands, sizeof(kHiddenCommands) / sizeof(kHiddenCommands[0]));
    bars->GetOptions()->bAlwaysShowFullMenus = FALSE;
    bars->GetKeyBindings()->LoadFromResource(IDR_MAINFRAME);
    bars->LoadOptions(kCommandBarsSection);
    bars->LoadLayout(kCommandBarsSection);
    bars->GetKeyBindings()->LoadFromProfile(kCommandBarsSection);
    return TRUE;
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    if (IsWindowVisible() && m_wndStatusBar.GetSafeHwnd() != nullptr)
        m_wndStatusBar.UpdatePaneWidths(cx);
    CMainFrameBase::OnSize(nType, cx, cy);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = 875;
    lpMMI->ptMinTrackSize.y = 690;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN) {
        // The logo in the top-right corner of the bars opens the product page.
        CRect client;
        GetClientRect(&client);
        CPoint point(pMsg->pt);
        ScreenToClient(&point);
        const CRect hot(client.right - 380, client.top + 20, client.right - 5, client.top + 70);
        const CRect link(client.right - 245, client.top + 25, client.right - 5, client.top + 60);
        // Only over the bars: the page below them keeps its own clicks.
        CRect page(0, 0, 0, 0);
        if (CView* shown = GetActiveView()) {
            shown->GetWindowRect(&page);
            ScreenToClient(&page);
        }
        const bool overBars = page.IsRectEmpty() || point.y < page.top;
        if (pMsg->message == WM_MOUSEMOVE && overBars && hot.PtInRect(point) && m_hLinkCursor != nullptr)
            SetCursor(m_hLinkCursor);
        if (pMsg->message == WM_LBUTTONDOWN && overBars && link.PtInRect(point))
            ShellExecuteW(m_hWnd, L"open", kProductPage, nullptr, nullptr, SW_SHOWNORMAL);
    }
    return CMainFrameBase::PreTranslateMessage(pMsg);
}

void CMainFrame::SetStage(Stage stage)
{
    m_bStageSource = stage == kStageSource;
    m_bStagePartition = stage == kStagePartition;
    m_bResultsReady = stage == kStageResults;
    m_bDeepResultsReady = stage == kStageDeepResults;
}

void CMainFrame::EnsureVirtualDisk()
{
    if (m_pVirtualDisk == nullptr)
        m_pVirtualDisk = new CVirtualDisk;
    SetCurrentVirtualDisk(m_pVirtualDisk);
}

void CMainFrame::ShowWithPlacement(int)
{
    m_placement.LoadWindowPos(this);
    ShowWindow(SW_SHOW);
}

CWnd* CMainFrame::GetPreviewFocusTarget()
{
    CThirdView_HDD* results = ResultsPage();
    return results != nullptr ? &results->List() : nullptr;
}

int CMainFrame::GetScanMode() const
{
    return g_nScanMode;
}

int CMainFrame::ConfirmExit()
{
    CleanUpTempFiles();
    if (!AskAppQuestion(kExitQuestion, kAppQuestion))
        return 0;

    if (m_pCommandBars != nullptr) {
        m_pCommandBars->SaveOptions(kCommandBarsSection);
        m_pCommandBars->SaveLayout(kCommandBarsSection, TRUE);
        m_pCommandBars->GetKeyBindings()->SaveToProfile(kCommandBarsSection);
    }
    m_placement.SaveWindowPos(this);

    // A worker still running is told to stop and given a while; its lists are freed only once it
    // is gone. Then the process ends, a worker that would not stop with it: nothing it reads (the
    // facade, the lists) is ever freed under it.
    EnableWindow(FALSE);
    const bool workerGone = wizard::StopWorkerAndWait(g_workerStopTimeoutMs);
    EnableWindow(TRUE);
    if (workerGone)
        ResetEngineState();
    if (g_processEnd(!workerGone))
        return 0;
    return 1;
}

void CMainFrame::OnClose()
{
    if (IsIconic()) {
        WINDOWPLACEMENT wp = {sizeof(wp)};
        GetWindowPlacement(&wp);
        wp.showCmd = SW_RESTORE;
        SetWindowPlacement(&wp);
    }
    if (ConfirmExit())
        CMainFrameBase::OnClose();
}

void CMainFrame::OnExitProgram()
{
    if (ConfirmExit())
        CMainFrameBase::OnClose();
}

void CMainFrame::OnOpenImage()
{
    CEx_StyleApp* app = WizardApp();
    if (app == nullptr)
        return;
    if (auto* start = dynamic_cast<CEx_StyleView*>(app->GetPage(CEx_StyleApp::kStartPage)))
        start->OnBrowse();
}

void CMainFrame::OnRecoverSelected()
{
    if (CThirdView_HDD* results = ResultsPage())
        results->RecoverSelected();
}

void CMainFrame::OnSaveAll()
{
    if (CThirdView_HDD* results = ResultsPage())
        results->SaveAll();
}

void CMainFrame::OnSaveSnapshot()
{
    // Without file-must-exist, which would refuse every new file, and without the dialog's own
    // overwrite prompt, which would ask a second time what the save asks itself.
    CFileNameDialog dialog(FALSE, L"srzq", nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, kSnapshotFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    SaveSnapshotAs(ToU16(dialog.GetPathName()));
}

void CMainFrame::OnLoadSnapshot()
{
    // One existing file, not a multiple selection (whose answer is a folder and names, of which one is
    // loaded) nor an overwrite prompt (a load overwrites nothing).
    CFileNameDialog dialog(TRUE, L"srzq", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kSnapshotFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    // The path as the save command takes it: in the case the user chose and ending in ".srzq".
    const std::u16string path = NormaliseSnapshotPath(ToU16(dialog.GetPathName()));
    CEx_StyleApp* app = WizardApp();
    if (app != nullptr)
        app->LoadSnapshot(ToCString(path));
}

void CMainFrame::SetResultListView(DWORD viewStyle)
{
    if (CThirdView_HDD* results = ResultsPage())
        results->SetListView(viewStyle);
}

void CMainFrame::OnViewIcons()
{
    // Small icons, list, small icons again: the rows are arranged anew.
    SetResultListView(LVS_SMALLICON);
    SetResultListView(LVS_LIST);
    SetResultListView(LVS_SMALLICON);
}

void CMainFrame::OnViewList()
{
    SetResultListView(LVS_LIST);
}

void CMainFrame::OnViewDetails()
{
    SetResultListView(LVS_REPORT);
}

void CMainFrame::OnFindFiles()
{
    if (CThirdView_HDD* results = ResultsPage())
        results->FindFiles();
}

void CMainFrame::OnFileFilters()
{
    if (CThirdView_HDD* results = ResultsPage())
        results->EditFileFilters();
}

void CMainFrame::OnRecoverySettings()
{
    if (CThirdView_HDD* results = ResultsPage())
        results->EditRecoverySettings();
}

void CMainFrame::OnDriveInformation()
{
    if (CThirdView_HDD* results = ResultsPage())
        results->ShowDriveInformation();
}

void CMainFrame::OnHelpContents()
{
    CString path = g_szProgramFolder;
    path += kHelpFileName;
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        ShowAppMessage(CString(kHelpFileName) + L" not found", kAppError);
        return;
    }
    ShellExecuteW(m_hWnd, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void CMainFrame::EnableByMode(CCmdUI* pCmdUI, int extensive, int fileTrace, int quick)
{
    int rule = quick;
    BOOL flag = m_bResultsReady;
    if (g_nScanMode == kScanExtensive) {
        rule = extensive;
        flag = m_bDeepResultsReady;
    } else if (g_nScanMode == kScanFileTrace) {
        rule = fileTrace;
    }
    if (rule == 0)
        pCmdUI->Enable(FALSE);
    if (rule == 1)
        pCmdUI->Enable(flag);
}

void CMainFrame::OnUpdateRecoverSelected(CCmdUI* pCmdUI)
{
    EnableByMode(pCmdUI, 1, 1, 1);
}

void CMainFrame::OnUpdateSaveAll(CCmdUI* pCmdUI)
{
    EnableByMode(pCmdUI, 1, -1, 1);
}

void CMainFrame::OnUpdateResultsCommand(CCmdUI* pCmdUI)
{
    EnableByMode(pCmdUI, 1, 1, 1);
}

void CMainFrame::OnUpdateFindFiles(CCmdUI* pCmdUI)
{
    EnableByMode(pCmdUI, 1, 0, 1);
}

void CMainFrame::OnUpdateRecoverySettings(CCmdUI* pCmdUI)
{
    EnableByMode(pCmdUI, -1, 0, -1);
}

void CMainFrame::OnUpdateLoadSnapshot(CCmdUI* pCmdUI)
{
    // Also on the start page, where the snapshot's image is asked for.
    CEx_StyleApp* app = WizardApp();
    pCmdUI->Enable(m_bModeChosen || (app != nullptr && app->ShownPage() == CEx_StyleApp::kStartPage));
}

void CMainFrame::OnUpdateOpenImage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bOpenEnabled);
}
