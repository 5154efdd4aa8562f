#include "app/pages/ThirdView_HDD.h"

#include <algorithm>

#include "app/AppMessages.h"
#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/dialogs/DriveInfoDlg.h"
#include "app/dialogs/FileFiltersDlg.h"
#include "app/dialogs/FindFilesDlg.h"
#include "app/dialogs/PropertiesDlg.h"
#include "app/dialogs/RecoverySettingsDlg.h"
#include "app/dialogs/SaveDataDlg.h"
#include "app/pages/FileSystemView.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "engine/save/TempFiles.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewLocation.h"
#include "preview/win/pane/MainPreviewView.h"
#include "resource.h"
#include "ui/controls/win/ShellIconHelper.h"

IMPLEMENT_DYNCREATE(CThirdView_HDD, CWizardPage)

BEGIN_MESSAGE_MAP(CThirdView_HDD, CWizardPage)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_SETCURSOR()
ON_WM_CTLCOLOR()
ON_COMMAND(ID_PAGE_NEXT, OnSaveCommand)
ON_COMMAND(ID_PAGE_BACK, OnBackCommand)
ON_COMMAND(ID_PAGE_HOME, OnHomeCommand)
END_MESSAGE_MAP()

const wchar_t CThirdView_HDD::kNothingMarkedText[] =
    L"Please mark the file(s) and folder(s) that you want to save\r\nby clicking on check box.";

namespace {

const wchar_t kLogicalDrivePrompt[] =
    L"You have selected logical drive for recovery. Please click [Scan] to continue with recovery.";
const wchar_t kPartitionPrompt[] =
    L"Please select a partition from the left panel and press [Scan] to continue with recovery";
const UINT kLabelIds[3] = {IDC_RESULT_LABEL, IDC_RESULT_NOTE_1, IDC_RESULT_NOTE_2};

template <class Page>
Page* PageOf(int number)
{
    CEx_StyleApp* app = WizardApp();
    return app != nullptr ? dynamic_cast<Page*>(app->GetPage(number)) : nullptr;
}

}  // namespace

CThirdView_HDD::CThirdView_HDD() : CWizardPage(CEx_StyleApp::kResultsPage)
{
    m_textFont.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    m_whiteBrush.CreateSolidBrush(RGB(255, 255, 255));
}

CThirdView_HDD::~CThirdView_HDD()
{
    delete m_pList;
    // The shell's own list: never destroyed here.
    m_systemImages.Detach();
}

BOOL CThirdView_HDD::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWizardPage::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return TRUE;
}

void CThirdView_HDD::HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const
{
    left = IDB_RESULTS_HEADER;
    middle = IDB_PAGE_HEADER_MIDDLE;
    right = IDB_PAGE_HEADER_PLAIN;
}

void CThirdView_HDD::DrawContents(CDC*, const CRect&)
{
    // The background and the header band only: the mode summary belongs to the drive and partition
    // pages, and the size label stands where it would be.
}

int CThirdView_HDD::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWizardPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | CResultTreeCtrl::kTreeStyle,
            CRect(0, 0, 600, 300), this, IDC_RESULT_TREE))
        return -1;
    CreateToolButton(m_btnSave, ID_PAGE_NEXT, IDB_SAVE, IDB_SAVE_HOVER, L"Recover selected files and folders");
    CreateToolButton(m_btnBack, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back");
    CreateToolButton(m_btnHome, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home");
    for (int i = 0; i < 3; ++i)
        m_labels[i].Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 0, 0), this, kLabelIds[i]);
    m_labels[0].SetFont(&m_pageFont, FALSE);

    m_pList = new CResultListCtrl;
    if (!m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS |
                LVS_EDITLABELS | LVS_SHAREIMAGELISTS,
            CRect(0, 0, 600, 300), this, IDC_RESULT_LIST))
        return -1;
    // The boxes are the list's state images, handled by the list itself (not the control's own check
    // boxes, whose toggling differs between platforms).
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    if (HIMAGELIST shell = morvick::ui::CShellIconHelper::GetSystemImageList(TRUE))
        m_systemImages.Attach(shell);
    CImageList* images = m_systemImages.GetSafeHandle() != nullptr ? &m_systemImages : nullptr;
    m_wndTree.Init(images);
    m_pList->Init(images);
    m_wndTree.SetResultList(m_pList);
    m_wndTree.SetCommands(this);
    m_pList->SetTree(&m_wndTree);
    m_pList->SetCommands(this);

    // The preview pane: a view of the frame's document, under the list.
    CFrameWnd* frame = GetParentFrame();
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMainPreviewView);
    context.m_pCurrentDoc = GetDocument();
    CWnd* pane = AfxCreateView(frame != nullptr ? static_cast<CWnd*>(frame) : this, &context, IDC_PREVIEW_PANE);
    m_pPreview = dynamic_cast<CMainPreviewView*>(pane);
    if (m_pPreview != nullptr) {
        m_pPreview->OnInitialUpdate();
        m_pPreview->ShowWindow(SW_SHOW);
    }

    const CRect start(0, kHeaderHeight, 780, 560);
    const DWORD splitterStyle = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (m_pPreview != nullptr) {
        m_wndInnerSplitter.Create(splitterStyle | morvick::ui::CPaneSplitter::kHorizontal, this, m_pList, m_pPreview,
            IDC_RESULT_INNER_SPLITTER, start, 90, 110);
        m_wndOuterSplitter.Create(splitterStyle | morvick::ui::CPaneSplitter::kVertical, this, &m_wndTree,
            &m_wndInnerSplitter, IDC_PAGE_SPLITTER, start, 90, 110);
    } else {
        m_wndOuterSplitter.Create(splitterStyle | morvick::ui::CPaneSplitter::kVertical, this, &m_wndTree, m_pList,
            IDC_PAGE_SPLITTER, start, 90, 110);
    }
    ShowEnabled(m_btnSave, FALSE);
    ShowEnabled(m_btnBack, FALSE);
    ShowEnabled(m_btnHome, FALSE);
    m_bWait = false;
    return 0;
}

void CThirdView_HDD::OnSize(UINT nType, int cx, int cy)
{
    CWizardPage::OnSize(nType, cx, cy);
    if (m_btnSave.GetSafeHwnd() == nullptr)
        return;
    m_btnSave.MoveWindow(cx - 129, cy - 32, 74, 26);
    m_btnBack.MoveWindow(cx - 213, cy - 32, 74, 26);
    m_btnHome.MoveWindow(0, 0, 0, 0);
    PlaceSizeLabel();
    // The two note labels take no room.
    for (int i = 1; i < 3; ++i)
        m_labels[i].MoveWindow(0, 0, 0, 0);
    if (m_wndOuterSplitter.GetSafeHwnd() != nullptr) {
        // Below the header band and as wide as the page: 100 pixels wider put the right edges of the
        // list and the preview, with their scroll bars, out of sight.
        const int height = cy - kHeaderHeight - kBottomStrip;
        m_wndOuterSplitter.MoveWindow(0, kHeaderHeight, cx, height > 0 ? height : 0);
    }
    Invalidate(FALSE);
}

void CThirdView_HDD::PlaceSizeLabel()
{
    if (m_labels[0].GetSafeHwnd() == nullptr)
        return;
    // Shown in the bottom strip instead of taking no room: a label of no size hides the selected size.
    // It stands at the strip's left margin, where the other pages draw the mode summary, before Back.
    CRect client;
    GetClientRect(&client);
    const int left = client.left + kSizeLabelLeft;
    const int right = std::min(static_cast<int>(client.right) - 213 - 16, left + 320);
    m_labels[0].MoveWindow(left, client.bottom - 28, right > left ? right - left : 0, 18);
}

HBRUSH CThirdView_HDD::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const UINT id = pWnd != nullptr ? static_cast<UINT>(pWnd->GetDlgCtrlID()) : 0;
    if (nCtlColor == CTLCOLOR_STATIC &&
        (id == IDC_RESULT_LABEL || id == 61483 || id == IDC_RESULT_NOTE_1 || id == IDC_RESULT_NOTE_2)) {
        pDC->SetTextColor(id == IDC_RESULT_LABEL ? RGB(0, 0, 0) : RGB(255, 0, 0));
        pDC->SetBkColor(RGB(255, 255, 255));
        return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
    }
    return GetSysColorBrush(COLOR_WINDOW);
}

BOOL CThirdView_HDD::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bWait) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
    }
    return CWizardPage::OnSetCursor(pWnd, nHitTest, message);
}

void CThirdView_HDD::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB) {
        if (m_nKeyFocus[0]) {
            m_btnSave.SetState(TRUE);
            SetFocus();
            m_nKeyFocus[0] = 0;
            m_nKeyFocus[1] = 1;
        } else if (m_nKeyFocus[1]) {
            m_btnSave.SetState(FALSE);
            m_btnBack.SetState(TRUE);
            m_nKeyFocus[1] = 0;
            m_nKeyFocus[2] = 1;
        } else {
            m_btnBack.SetState(FALSE);
            if (CMainFrame* frame = WizardFrame())
                frame->SetActiveView(this);
            m_wndTree.SetFocus();
            m_nKeyFocus[2] = 0;
            m_nKeyFocus[0] = 1;
        }
    } else if (nChar == VK_RETURN) {
        if (m_btnSave.GetState() & BST_PUSHED)
            OnSave();
        else if (m_btnBack.GetState() & BST_PUSHED)
            OnBack();
    }
    CWizardPage::OnKeyDown(nChar, nRepCnt, nFlags);
}

// --- What the frame and the other pages call ---------------------------------------------------

void CThirdView_HDD::SetColumnsForMode(int scanMode)
{
    if (m_pList != nullptr)
        m_pList->SetColumnsForMode(scanMode);
}

void CThirdView_HDD::ClearResultList()
{
    m_wndTree.ClearResults();
    if (m_pList != nullptr) {
        m_pList->ClearRows();
        m_pList->Sets().Clear();
    }
    m_nResultsMode = -1;
}

void CThirdView_HDD::ShowScanResults(int scanMode)
{
    if (!BeginScanResults(scanMode))
        return;
    CWaitCursor wait;
    // A snapshot's load shows its progress dialog, which the tree's building reports to as well.
    CMainFrame* frame = WizardFrame();
    m_wndTree.SetProgressWindow(frame != nullptr ? frame->m_hProgressWnd : nullptr);
    m_wndTree.ContinueBuild(INFINITE);
    m_wndTree.SetProgressWindow(nullptr);
    CompleteScanResults();
}

bool CThirdView_HDD::BeginScanResults(int scanMode)
{
    m_nResultsMode = scanMode;
    if (m_pList == nullptr)
        return false;
    if (m_pList->ColumnsMode() != scanMode || m_pList->GetHeaderCtrl() == nullptr ||
        m_pList->GetHeaderCtrl()->GetItemCount() == 0)
        m_pList->SetColumnsForMode(scanMode);
    m_pList->Sets().Clear();
    m_wndTree.BeginBuild();
    return true;
}

void CThirdView_HDD::CompleteScanResults()
{
    if (m_pList == nullptr)
        return;
    // New results are shown in detail, whatever view the last ones were left in.
    m_pList->SetView(LVS_REPORT);
    m_pList->ClearPreview();
    Invalidate(FALSE);
}

void CThirdView_HDD::ShowButtons()
{
    ShowEnabled(m_btnSave, TRUE);
    ShowEnabled(m_btnBack, TRUE);
    ShowEnabled(m_btnHome, TRUE);
    m_btnHome.ShowWindow(SW_SHOW);
}

void CThirdView_HDD::ResetPreview()
{
    if (m_pList != nullptr)
        m_pList->ClearPreview();
}

void CThirdView_HDD::ShowPreview(const CString& path, const CString& extension)
{
    CMainFrame* frame = WizardFrame();
    if (frame == nullptr)
        return;
    // A preview asked for from the Find dialog's hits leaves the keyboard with the dialog.
    HWND focus = ::GetFocus();
    const bool fromOutside = focus != nullptr && !::IsChild(frame->GetSafeHwnd(), focus);
    m_bWait = true;
    {
        CWaitCursor wait;
        frame->ShowFilePreview(path, extension);
    }
    m_bWait = false;
    if (fromOutside && ::IsWindow(focus))
        ::SetFocus(focus);
    // The file's type no longer counts once its preview is up: a placeholder shown now tells a
    // viewer's failure (corrupt) from a file that has no viewer here (not available).
    frame->m_bPreviewable = 0;
}

void CThirdView_HDD::ShowPreviewFile(const CString& path, const CString& extension)
{
    if (path.IsEmpty())
        g_strPreviewLocation.Empty();
    ShowPreview(path, extension);
}

void CThirdView_HDD::RecoverSelected()
{
    OnSave();
}

void CThirdView_HDD::SaveAll()
{
    if (m_nResultsMode < 0 || !m_wndTree.Index().IsBuilt())
        return;
    SaveJob job;
    job.mode = SaveMode::kAll;
    RunSave(job, this);
}

void CThirdView_HDD::FindFiles()
{
    if (g_nScanMode == kScanFileTrace || !m_wndTree.Index().IsBuilt())
        return;
    CFindFilesDlg dialog(m_wndTree, this, this);
    dialog.DoModal();
    // A hit renamed there is renamed here too.
    if (m_pList != nullptr)
        m_pList->RefreshNames();
}

void CThirdView_HDD::EditFileFilters()
{
    CFileFiltersDlg dialog(this);
    if (dialog.DoModal() == IDCANCEL && m_wndTree.GetRootItem() != nullptr) {
        // The listing follows the filters: the root folder is listed anew.
        m_wndTree.SetFocus();
        HTREEITEM root = m_wndTree.GetRootItem();
        if (m_wndTree.GetSelectedItem() == root)
            m_wndTree.ListItem(root);
        else
            m_wndTree.SelectItem(root);
    }
}

void CThirdView_HDD::EditRecoverySettings()
{
    if (g_nScanMode == kScanFileTrace)
        return;
    CRecoverySettingsDlg dialog(this);
    dialog.DoModal();
}

void CThirdView_HDD::ShowDriveInformation()
{
    CDriveInfoDlg dialog(this);
    dialog.DoModal();
}

void CThirdView_HDD::SetListView(DWORD viewStyle)
{
    if (m_pList != nullptr)
        m_pList->SetView(viewStyle);
}

void CThirdView_HDD::RunResultCommand(UINT command, HTREEITEM folder)
{
    switch (command) {
    case ID_RECOVER_SELECTED:
        OnSave();
        break;
    case ID_VIEW_ICONS:
        SetListView(LVS_SMALLICON);
        break;
    case ID_VIEW_LIST_MODE:
        SetListView(LVS_LIST);
        break;
    case ID_VIEW_DETAILS:
        SetListView(LVS_REPORT);
        break;
    case ID_FIND_FILES:
        FindFiles();
        break;
    case ID_RECOVERY_SETTINGS:
        EditRecoverySettings();
        break;
    case ID_SHOW_PROPERTIES:
        if (g_nScanMode == kScanFileTrace)
            break;
        if (folder != nullptr)
            ShowFolderProperties(m_wndTree, folder, this);
        else if (m_pList != nullptr)
            m_pList->ShowRowProperties();
        break;
    default:
        break;
    }
}

// --- Save, Back and Home -----------------------------------------------------------------------

void CThirdView_HDD::OnSave()
{
    if (m_pList == nullptr)
        return;
    const ResultSaveChoice choice = m_wndTree.CollectSaveChoice();
    CResultCheckSets& sets = m_pList->Sets();
    sets.saveRoots.clear();
    sets.filesToSave.clear();
    sets.saveRoots.insert(choice.selection.folderItems.begin(), choice.selection.folderItems.end());
    sets.filesToSave.insert(choice.selection.fileKeys.begin(), choice.selection.fileKeys.end());
    if (choice.wholeVolume)
        sets.saveRoots.insert(TreeItemNumber(m_wndTree.GetRootItem()));
    if (choice.Empty()) {
        ShowAppMessage(kNothingMarkedText, kAppInformation);
        return;
    }
    SaveJob job;
    job.mode = SaveMode::kSelectedTree;
    job.wholeVolume = choice.wholeVolume;
    job.selection = choice.selection;
    if (!RunSave(job, this))
        return;
    // The ticks are cleared once a save has run.
    if (HTREEITEM root = m_wndTree.GetRootItem())
        m_wndTree.UncheckItemAndChildren(root);
    sets.saveRoots.clear();
    sets.filesToSave.clear();
    m_wndTree.RefreshListCheckStates();
    m_wndTree.Invalidate(FALSE);
    m_pList->Invalidate(FALSE);
}

void CThirdView_HDD::LeaveResults()
{
    if (m_pList != nullptr)
        m_pList->ClearPreview();
    CleanUpTempFiles();
    if (CMainFrame* frame = WizardFrame()) {
        frame->m_bPreviewShown = 1;
        frame->m_bNoFileSelected = 0;
    }
    ClearResultList();
}

void CThirdView_HDD::OnBack()
{
    CEx_StyleApp* app = WizardApp();
    LeaveResults();
    CMainFrame* frame = WizardFrame();
    auto* partition = PageOf<CSecondView_HDD>(CEx_StyleApp::kPartitionPage);
    const int mode = g_nScanMode;
    if (mode == kScanExtensive) {
        // The volumes found stay, so that another one can be chosen.
        FreeFoundEntryLists();
        FreeNtfsEntryLists();
        if (auto* fileSystems = PageOf<CFileSystemView>(CEx_StyleApp::kFileSystemPage))
            fileSystems->ResetForm();
        if (frame != nullptr)
            frame->SetStage(CMainFrame::kStageResults);
        if (app != nullptr)
            app->SwitchView(CEx_StyleApp::kFileSystemPage);
        return;
    }
    if (mode == kScanFileTrace) {
        FreeTracedFileList();
        FreeTraceTypeList();
    } else {
        FreeFoundEntryLists();
    }
    if (partition != nullptr && partition->m_pDisplay != nullptr) {
        CSecondDisplay* display = partition->m_pDisplay;
        // The finished scan's counters go: the rows of the partition (or logical drive) come back.
        display->ShowDriveDetails();
        display->ResetProgressShown();
        display->SetProgressPos(0);
        display->HideProgressBar();
        display->HideStatusLine();
        display->SetStatusText(g_wSourceType == kSourceLogicalDrive ? kLogicalDrivePrompt : kPartitionPrompt);
        partition->ShowIdleButtons();
    }
    if (frame != nullptr)
        frame->SetStage(CMainFrame::kStagePartition);
    if (app != nullptr)
        app->SwitchView(CEx_StyleApp::kPartitionPage);
}

void CThirdView_HDD::OnHome()
{
    const int mode = g_nScanMode;
    OnBack();
    if (mode == kScanExtensive) {
        if (auto* fileSystems = PageOf<CFileSystemView>(CEx_StyleApp::kFileSystemPage))
            fileSystems->OnBack();
    }
    if (auto* partition = PageOf<CSecondView_HDD>(CEx_StyleApp::kPartitionPage))
        partition->OnBack();
    if (auto* drive = PageOf<CFirstView_HDD>(CEx_StyleApp::kDrivePage))
        drive->OnBack();
}

void CThirdView_HDD::OnSaveCommand()
{
    OnSave();
}

void CThirdView_HDD::OnBackCommand()
{
    OnBack();
}

void CThirdView_HDD::OnHomeCommand()
{
    OnHome();
}
