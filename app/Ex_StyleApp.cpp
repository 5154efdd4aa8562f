#include "app/Ex_StyleApp.h"

#include "app/EngineText.h"

#include <cstdio>

#include "app/AppMessages.h"
#include "app/Ex_StyleDoc.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "app/WizardState.h"
#include "app/dialogs/AboutDlg.h"
#include "app/dialogs/FileNameDialog.h"
#include "app/dialogs/SnapshotLoadProgress.h"
#include "app/dialogs/FileTypesDlg.h"
#include "app/pages/Ex_StyleView.h"
#include "app/pages/FileSystemView.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondView_HDD.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/workers/ScanStarters.h"
#include "app/workers/WizardScanObserver.h"
#include "engine/image/VirtualDisk.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "preview/win/host/PreviewSettings.h"
#include "resource.h"
#include "ui/msgbox/win/MessageChannel.h"
#include "ui/shell/win/FileTypeAccess.h"

IMPLEMENT_DYNAMIC(CEx_StyleApp, CWinApp)

BEGIN_MESSAGE_MAP(CEx_StyleApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

const UINT CEx_StyleApp::kPageIds[kPageCount] = {AFX_IDW_PANE_FIRST, 0xE901, 0xE902, 0xE903, 0xE904};

namespace {

const wchar_t kSecondInstanceText[] = L"Another instance of the application is already running.";
const wchar_t kInvalidFileText[] = L"Invalid File.";
const wchar_t kSnapshotSection[] = L"Most Recent Check Book File";
const wchar_t kImageFilter[] = L"vhd file (.vhd,.vhdx)\0*.vhd;*.vhdx\0\0";
const wchar_t kSnapshotImageTitle[] = L"Select the VHD/VHDX file of the snapshot";

// What the first character of a snapshot file names.
enum SnapshotKind { kKindUnreadable = -2, kKindInvalid = -1 };

// The scan mode a snapshot file's first UTF-16 character names ('D' Quick Scan, 'A' Extensive
// Scan, 'R' File Trace); kKindInvalid for any other, kKindUnreadable when the file cannot be read.
// Double quotes and blanks a command line leaves around the path are dropped.
int SnapshotKindMode(CString path)
{
    path.Remove(L'"');
    path.Trim();
    // For reading only: opened for updating, a read-only snapshot did not open and the loader of
    // whatever mode came before ran on it.
    FILE* file = _wfopen(path, L"rb");
    if (file == nullptr)
        return kKindUnreadable;
    unsigned char kind[2] = {};
    const size_t got = fread(kind, 1, 2, file);
    fclose(file);
    const wchar_t character = got == 2 ? static_cast<wchar_t>(kind[0] | (kind[1] << 8)) : 0;
    switch (character) {
    case L'D':
        return kScanQuick;
    case L'A':
        return kScanExtensive;
    case L'R':
        return kScanFileTrace;
    default:
        return kKindInvalid;
    }
}

}  // namespace

CEx_StyleApp::CEx_StyleApp()
{
    g_hDevice = 0;
    // What the database and table previews read: no system objects, ask before a deletion, and
    // at most 10000 records of a table.
    CPreviewSettings& settings = PreviewSettings();
    settings.m_bShowSystemObjects = 0;
    settings.m_bConfirmDeletion = 1;
    settings.m_nRecordLimit = 10000;
}

BOOL CEx_StyleApp::IsIdleMessage(MSG* pMsg)
{
    // A scan's notice changes the page's texts and bar, no command's state: the idle update after it
    // (every window walked, every command's state asked again, under Wine each step a call into its
    // server, which the scan's reads wait on too) cost the scan more than its own work did.
    if (wizard::IsWorkerReportNotice(*pMsg))
        return FALSE;
    return CWinApp::IsIdleMessage(pMsg);
}

BOOL CEx_StyleApp::InitInstance()
{
    if (g_dwMutexCreateError == ERROR_ALREADY_EXISTS) {
        AfxMessageBox(kSecondInstanceText, MB_OK);
        return FALSE;
    }
    AfxEnableControlContainer();
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxDaoInit();
    Enable3dControls();

    // The program's folder, ending with its backslash.
    GetCurrentDirectoryW(MAX_PATH, g_szProgramFolder);
    wchar_t module[MAX_PATH + 1] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    module[length < MAX_PATH ? length : MAX_PATH] = 0;
    wcscpy(g_szProgramFolder, module);
    if (wchar_t* slash = wcsrchr(g_szProgramFolder, L'\\'))
        slash[1] = 0;

    // Snapshot files open with the program (its path quoted: a folder name with blanks stays whole).
    morvick::ui::RegisterSnapshotFileType();

    SetRegistryKey(L"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    CSingleDocTemplate* pDocTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CEx_StyleDoc),
        RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CEx_StyleView));
    AddDocTemplate(pDocTemplate);
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // A snapshot named on the command line is not the document: the frame starts with a new one and
    // the snapshot is loaded below.
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    CMainFrame* frame = WizardFrame();
    if (frame == nullptr)
        return FALSE;
    morvick::ui::AttachMessageChannel(frame->m_hWnd);
    wizard::InstallWizardObserver();
    wizard::SetChooseTraceSignatures(&CFileTypesDlg::ChooseSignatures);
    InstallPreviewProgressDialog();

    frame->m_pFirstView = frame->GetActiveView();
    m_pPages[kStartPage] = frame->m_pFirstView;
    m_nShownPage = kStartPage;
    if (!CreatePages())
        return FALSE;

    ShowFrameFourTimes();

    CString commandLine = m_lpCmdLine != nullptr ? m_lpCmdLine : L"";
    commandLine.Trim();
    if (commandLine.IsEmpty()) {
        const CString last = GetLastSnapshotPath();
        if (!last.IsEmpty())
            OpenDocumentFile(last);
        return TRUE;
    }
    OpenCommandLineSnapshot();
    return TRUE;
}

BOOL CEx_StyleApp::CreatePages()
{
    CMainFrame* frame = WizardFrame();
    CView* first = m_pPages[kStartPage];
    if (frame == nullptr || first == nullptr)
        return FALSE;
    m_pPages[kDrivePage] = new CFirstView_HDD;
    m_pPages[kPartitionPage] = new CSecondView_HDD;
    m_pPages[kFileSystemPage] = new CFileSystemView;
    m_pPages[kResultsPage] = new CThirdView_HDD;
    CCreateContext context;
    context.m_pCurrentDoc = first->GetDocument();
    for (int page = kDrivePage; page < kPageCount; ++page) {
        if (!m_pPages[page]->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), frame, kPageIds[page],
                &context))
            return FALSE;
    }
    for (int page = kDrivePage; page < kPageCount; ++page)
        m_pPages[page]->OnInitialUpdate();
    return TRUE;
}

void CEx_StyleApp::ShowFrameFourTimes()
{
    if (m_pMainWnd == nullptr)
        return;
    CMainFrame* frame = WizardFrame();
    // Hidden, normal, shown, not minimised in between: under Wine with no window manager (the program
    // inside Xvfb) a frame minimised here comes back on its own later, no longer maximised.
    for (int show : {SW_HIDE, SW_SHOWNORMAL, SW_SHOW})
        m_pMainWnd->ShowWindow(show);
    // The frame made itself maximised; the sequence leaves it so.
    if (frame != nullptr && frame->m_bStartMaximized)
        m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
    m_pMainWnd->UpdateWindow();
}

void CEx_StyleApp::ExchangeFrameView(CFrameWnd* frame, CView* oldView, CView* newView)
{
    if (frame == nullptr || oldView == nullptr || newView == nullptr || oldView == newView)
        return;
    const LONG_PTR oldId = GetWindowLongPtrW(oldView->m_hWnd, GWLP_ID);
    const LONG_PTR newId = GetWindowLongPtrW(newView->m_hWnd, GWLP_ID);
    SetWindowLongPtrW(oldView->m_hWnd, GWLP_ID, newId);
    SetWindowLongPtrW(newView->m_hWnd, GWLP_ID, oldId);
    oldView->ShowWindow(SW_HIDE);
    newView->ShowWindow(SW_SHOW);
    frame->SetActiveView(newView, TRUE);
    frame->RecalcLayout(TRUE);
    newView->InvalidateRect(nullptr, TRUE);
}

void CEx_StyleApp::SwitchView(int page)
{
    CView* newView = GetPage(page);
    // The page shown, whichever view took the focus last (a pane of a page can be the active view).
    CView* oldView = GetPage(m_nShownPage);
    auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
    if (frame == nullptr || newView == nullptr || oldView == nullptr || newView == oldView)
        return;
    m_nShownPage = page;
    ExchangeFrameView(frame, oldView, newView);
}

int CEx_StyleApp::RestartWizard()
{
    if (auto* partition = dynamic_cast<CSecondView_HDD*>(GetPage(kPartitionPage)))
        partition->OnBack();
    if (auto* drive = dynamic_cast<CFirstView_HDD*>(GetPage(kDrivePage)))
        drive->OnBack();
    ShowFrameFourTimes();
    CString commandLine = m_lpCmdLine != nullptr ? m_lpCmdLine : L"";
    commandLine.Trim();
    if (!commandLine.IsEmpty()) {
        OpenCommandLineSnapshot();
    } else {
        const CString last = GetLastSnapshotPath();
        if (!last.IsEmpty())
            OpenDocumentFile(last);
    }
    if (CMainFrame* frame = WizardFrame())
        frame->ShowWithPlacement(SW_SHOW);
    return 1;
}

CString CEx_StyleApp::GetLastSnapshotPath()
{
    return GetProfileString(kSnapshotSection, L"File", L"");
}

BOOL CEx_StyleApp::OpenCommandLineSnapshot()
{
    const CString commandLine = m_lpCmdLine != nullptr ? m_lpCmdLine : L"";
    if (LoadSnapshot(commandLine))
        return TRUE;
    if (CMainFrame* frame = WizardFrame())
        frame->ShowWithPlacement(SW_SHOW);
    return FALSE;
}

BOOL CEx_StyleApp::EnsureSnapshotImage()
{
    CMainFrame* frame = WizardFrame();
    auto* start = dynamic_cast<CEx_StyleView*>(GetPage(kStartPage));
    if (frame == nullptr || start == nullptr)
        return FALSE;
    // Past the start page the wizard works on the image chosen there.
    const CVirtualDisk* disk = frame->VirtualDisk();
    if (m_nShownPage != kStartPage && disk != nullptr && disk->GetDiskSize() != 0)
        return TRUE;
    CFileNameDialog dialog(TRUE, L"vhd", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
        kImageFilter, frame);
    dialog.m_ofn.lpstrTitle = kSnapshotImageTitle;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    // Opened as the start page opens a typed image, with its messages for one that cannot be.
    start->m_editFile.SetWindowText(dialog.GetPathName());
    return start->ValidateSourceFile();
}

BOOL CEx_StyleApp::LoadSnapshot(const CString& path)
{
    CMainFrame* frame = WizardFrame();
    const int mode = SnapshotKindMode(path);
    if (mode == kKindInvalid) {
        ShowAppMessage(kInvalidFileText, kAppQuestion);
        return FALSE;
    }
    const bool fromStartPage = m_nShownPage == kStartPage;
    auto* results = dynamic_cast<CThirdView_HDD*>(GetPage(kResultsPage));
    bool loaded = false;
    // A file that cannot be read is reported by the loader, before any image is asked for.
    if (mode == kKindUnreadable || EnsureSnapshotImage()) {
        // The records read, then the result tree built, under the progress dialog.
        CSnapshotLoadProgress progress(results);
        loaded = LoadSnapshotFile(ToU16(path));
        if (loaded && results != nullptr) {
            if (frame != nullptr)
                frame->m_hProgressWnd = progress.Window();
            results->SetColumnsForMode(g_nScanMode);
            results->ShowScanResults(g_nScanMode);
            if (frame != nullptr)
                frame->m_hProgressWnd = nullptr;
        }
    }
    if (!loaded) {
        // Nothing of the refused snapshot is offered; the start page waits for an image again.
        if (frame != nullptr && fromStartPage)
            frame->SetOpenEnabled(TRUE);
        return FALSE;
    }
    // The results stage of the snapshot's own mode, and none for a refused file: the Quick Scan stage
    // for every snapshot left an Extensive Scan's commands disabled and offered saving of nothing.
    if (frame != nullptr)
        frame->SetStage(g_nScanMode == kScanExtensive ? CMainFrame::kStageDeepResults : CMainFrame::kStageResults);
    if (results != nullptr)
        results->ShowButtons();
    SwitchView(kResultsPage);
    return TRUE;
}

void CEx_StyleApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}
