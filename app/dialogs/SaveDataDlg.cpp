#include "app/dialogs/SaveDataDlg.h"

#include "app/EngineText.h"

#include <mutex>

#include "app/AppMessages.h"
#include "app/lists/FoundFileSave.h"
#include "engine/ScanObserver.h"
#include "engine/save/SaveFolder.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "ui/shell/win/SaveFolderPicker.h"

BEGIN_MESSAGE_MAP(CSaveDataDlg, CSkinnedDialog)
ON_BN_CLICKED(IDC_SKIP_FILE, OnSkip)
ON_WM_CLOSE()
ON_WM_TIMER()
ON_MESSAGE(WM_APP + 0x215, OnSaveReport)
END_MESSAGE_MAP()

const wchar_t CSaveDataDlg::kStopQuestion[] = L"Do you want to stop the saving process?";
const wchar_t CSaveDataDlg::kStopFirstText[] = L"Please Stop the Saving process first.";
const wchar_t CSaveDataDlg::kSuccessText[] = L"Files Saved Successfully.";
const wchar_t CSaveDataDlg::kNotStartedText[] = L"The saving could not be started. No file was saved.";

namespace {

constexpr UINT kReportMessage = WM_APP + 0x215;
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 100;

CSaveDataDlg::StopQuestion g_stopQuestion;

// Automated runs can hold a save at the start of each file, so that a test presses Skip or Stop, or
// reads the bar, while a file is known to be under way whatever the machine's speed.
// MORVICK_TEST_SAVE_HOLD names two events of the test: NAME-free, set while files may start freely,
// and NAME-step, which lets one file start. A held file also starts once the save is stopped, and
// at the latest after MORVICK_TEST_SAVE_HOLD_MS milliseconds (default a minute), so that a test that
// dies never leaves the program hanging.
class CTestSaveHold {
public:
    static constexpr DWORD kDefaultLimitMs = 60000;

    explicit CTestSaveHold(HANDLE stopped)
    {
        wchar_t name[200] = L"";
        const DWORD length = GetEnvironmentVariableW(L"MORVICK_TEST_SAVE_HOLD", name, 180);
        if (length == 0 || length >= 180)
            return;
        m_events[0] = OpenEventW(SYNCHRONIZE, FALSE, (std::wstring(name) + L"-free").c_str());
        m_events[1] = OpenEventW(SYNCHRONIZE, FALSE, (std::wstring(name) + L"-step").c_str());
        m_events[2] = stopped;
        wchar_t limit[20] = L"";
        const DWORD digits = GetEnvironmentVariableW(L"MORVICK_TEST_SAVE_HOLD_MS", limit, 20);
        if (digits > 0 && digits < 20) {
            wchar_t* end = nullptr;
            const unsigned long ms = wcstoul(limit, &end, 10);
            if (end != limit && *end == L'\0' && ms < INFINITE)
                m_limitMs = static_cast<DWORD>(ms);
        }
    }
    ~CTestSaveHold()
    {
        for (int i = 0; i < 2; ++i) {
            if (m_events[i] != nullptr)
                CloseHandle(m_events[i]);
        }
    }
    CTestSaveHold(const CTestSaveHold&) = delete;
    CTestSaveHold& operator=(const CTestSaveHold&) = delete;

    void WaitForFileStart() const
    {
        if (m_events[0] != nullptr && m_events[1] != nullptr && m_events[2] != nullptr)
            WaitForMultipleObjects(3, m_events, FALSE, m_limitMs);
    }

private:
    HANDLE m_events[3] = {nullptr, nullptr, nullptr};  // free, step, the save's stop (not ours)
    DWORD m_limitMs = kDefaultLimitMs;
};

}  // namespace

// The engine's reports while a save runs: the file being written and its progress, kept for the
// dialog, which shows them on its own thread from its timer, so that a save of many small files
// costs the window nothing per file. The worker stops at the dialog's gate each time it reports
// while a question is open on the user-interface thread.
class CSaveObserver : public ScanObserver {
public:
    explicit CSaveObserver(CSaveDataDlg& dialog) : m_dialog(dialog), m_hold(dialog.m_stopped) {}

    void OnStatus(const std::u16string& text) override
    {
        m_hold.WaitForFileStart();
        m_dialog.PassGate();
        std::lock_guard<std::mutex> lock(m_lock);
        m_path = text;
    }
    void OnProgress(int percent) override
    {
        m_dialog.PassGate();
        m_percent = percent < 0 ? 0 : (percent > 99 ? 99 : percent);
    }
    // OK alone, the question kind too, as for every observer: the engine asks through OnQuestion.
    bool OnMessage(const std::u16string& text, MessageKind kind) override
    {
        m_dialog.PassGate();
        ShowAppMessage(ToCString(text), kind);
        return false;
    }
    // "Error creating file : ..." comes with the error icon.
    bool OnQuestion(const std::u16string& text, MessageKind kind) override
    {
        m_dialog.PassGate();
        return AskAppQuestion(ToCString(text), kind);
    }

    void Take(std::u16string& path, int& percent)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        path = m_path;
        percent = m_percent.load();
    }

private:
    CSaveDataDlg& m_dialog;
    const CTestSaveHold m_hold;
    std::mutex m_lock;
    std::u16string m_path;
    std::atomic<int> m_percent{0};
};

namespace {

CSaveObserver* g_saveObserver = nullptr;

}  // namespace

bool SaveOutcome::Success() const
{
    // Success only when every file was written whole: a save told successful with files missing
    // or damaged would let the user trust a copy that is not there. Nor where deleted files were
    // saved from clusters that files written since may hold.
    return ran && !stopped && report.failedFiles == 0 && report.damagedFiles == 0 && report.skippedFiles == 0 &&
        !report.clusterUseUnknown;
}

CSaveDataDlg::CSaveDataDlg(const SaveJob& job, CWnd* parent)
    : CSkinnedDialog(IDD_SAVING, IDB_SAVING_SKIN, parent), m_job(job)
{
    m_gate = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    m_stopped = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CSaveDataDlg::~CSaveDataDlg()
{
    // The dialog ends only after its worker; a window that failed to open started none.
    if (m_pThread != nullptr) {
        OpenGate();
        WaitForSingleObject(m_pThread->m_hThread, INFINITE);
        delete m_pThread;
    }
    if (m_gate != nullptr)
        CloseHandle(m_gate);
    if (m_stopped != nullptr)
        CloseHandle(m_stopped);
}

void CSaveDataDlg::CloseGate()
{
    ResetEvent(m_gate);
    m_bGateClosed = true;
}

void CSaveDataDlg::OpenGate()
{
    SetEvent(m_gate);
    m_bGateClosed = false;
}

void CSaveDataDlg::PassGate() const
{
    // The event is waited on only while the gate is closed: a wait is a call into the system.
    if (m_bGateClosed.load())
        WaitForSingleObject(m_gate, INFINITE);
}

void CSaveDataDlg::SetStopQuestion(StopQuestion ask)
{
    g_stopQuestion = std::move(ask);
}

BOOL CSaveDataDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_bar.SubclassDlgItem(IDC_SAVE_PROGRESS, this);
    m_bar.SetRange(0, 100);
    m_bar.SetPos(0);
    if (CWnd* hidden = GetDlgItem(IDCANCEL))
        hidden->ShowWindow(SW_HIDE);
    SetDlgItemText(IDC_SAVE_COUNT, L"0");

    ResetSaveState();
    if (g_nScanMode == kScanFileTrace)
        g_nTickedFileCount = static_cast<uint32_t>(m_job.selection.fileKeys.size());
    g_saveObserver = new CSaveObserver(*this);
    m_pPreviousObserver = SetScanObserver(g_saveObserver);
    m_pThread = new CWinThread(SaveThreadProc, this);
    m_pThread->m_bAutoDelete = FALSE;
    if (!m_pThread->CreateThread(0)) {
        delete m_pThread;
        m_pThread = nullptr;
        m_bEnded = true;
        SetScanObserver(m_pPreviousObserver);
        delete g_saveObserver;
        g_saveObserver = nullptr;
        EndDialog(IDABORT);
        return TRUE;
    }
    SetTimer(kRefreshTimer, kRefreshMs, nullptr);
    return TRUE;
}

UINT AFX_CDECL CSaveDataDlg::SaveThreadProc(LPVOID parameter)
{
    auto* dialog = static_cast<CSaveDataDlg*>(parameter);
    try {
        dialog->RunJob();
    } catch (...) {
        // A save that failed inside is reported with what it had done.
    }
    ::PostMessageW(dialog->GetSafeHwnd(), kReportMessage, 1, 0);
    return 0;
}

void CSaveDataDlg::RunJob()
{
    switch (m_job.mode) {
    case SaveMode::kAll:
        SaveWholeVolume(g_strSavePath);
        break;
    case SaveMode::kSelectedTree:
        if (m_job.wholeVolume)
            SaveWholeVolume(g_strSavePath);
        else
            SaveCheckedTreeItems(m_job.selection);
        break;
    case SaveMode::kFindHits:
        SaveHits();
        break;
    }
}

void CSaveDataDlg::SaveHits()
{
    const std::vector<uint32_t>& keys = m_job.selection.fileKeys;
    if (m_job.hitIndex == nullptr) {
        SaveSelection files;
        files.fileKeys = keys;
        SaveCheckedTreeItems(files);
        return;
    }
    // Each hit by itself, into the chosen folder; after each the bar shows the rows done.
    const int rows = m_job.hitRowCount > 0 ? m_job.hitRowCount : static_cast<int>(keys.size());
    for (size_t i = 0; i < keys.size() && g_nSaveStop.load() != 1; ++i) {
        const ResultFileInfo* file = m_job.hitIndex->FileByKey(keys[i]);
        if (file != nullptr && file->Name() != nullptr)
            SaveFoundFile(*file, g_strSavePath, file->Name(), true);
        const int row = i < m_job.hitRows.size() ? m_job.hitRows[i] : static_cast<int>(i);
        const int64_t percent = static_cast<int64_t>(row) * 100 / rows;
        m_nHitsPercent = static_cast<int>(percent > 99 ? 99 : percent);
    }
}

void CSaveDataDlg::Refresh()
{
    if (g_saveObserver == nullptr)
        return;
    std::u16string path;
    int percent = 0;
    g_saveObserver->Take(path, percent);
    const std::wstring shown(reinterpret_cast<const wchar_t*>(path.c_str()), path.size());
    if (shown != m_shownPath) {
        m_shownPath = shown;
        const size_t slash = shown.find_last_of(L"\\/");
        SetDlgItemText(IDC_SAVE_PATH, slash == std::wstring::npos ? L"" : shown.substr(0, slash).c_str());
        SetDlgItemText(IDC_SAVE_NAME, slash == std::wstring::npos ? shown.c_str() : shown.substr(slash + 1).c_str());
    }
    const uint32_t count = g_nSavedFileCount.load();
    if (count != m_shownCount) {
        m_shownCount = count;
        CString text;
        text.Format(L"%u", count);
        SetDlgItemText(IDC_SAVE_COUNT, text);
    }
    // The Find dialog's hits move the bar by rows, every other save by the file's own progress.
    const int position =
        m_job.mode == SaveMode::kFindHits && m_job.hitIndex != nullptr ? m_nHitsPercent.load() : percent;
    if (position != m_bar.GetPos())
        m_bar.SetPos(position);
}

void CSaveDataDlg::FinishIfOver()
{
    if (m_bEnded || m_bQuestionOpen || m_pThread == nullptr)
        return;
    if (WaitForSingleObject(m_pThread->m_hThread, 0) != WAIT_OBJECT_0)
        return;
    m_bEnded = true;
    KillTimer(kRefreshTimer);
    Refresh();
    SetScanObserver(m_pPreviousObserver);
    delete g_saveObserver;
    g_saveObserver = nullptr;
    m_outcome.ran = true;
    m_outcome.stopped = g_nSaveStop.load() == 1;
    m_outcome.report = g_SaveReport;
    m_outcome.filesStarted = g_nSavedFileCount.load();
    // The words of this save are cleared for the next one and for the preview's copies.
    ResetSaveState();
    EndDialog(IDOK);
}

LRESULT CSaveDataDlg::OnSaveReport(WPARAM, LPARAM)
{
    Refresh();
    FinishIfOver();
    return 0;
}

void CSaveDataDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRefreshTimer) {
        Refresh();
        FinishIfOver();
        return;
    }
    CSkinnedDialog::OnTimer(nIDEvent);
}

void CSaveDataDlg::AskToStop()
{
    // Asked only while the save's stop flag is clear: a save the worker stopped itself (No to
    // "Continue Recovery ?") is ending already.
    if (m_bStopAsked || m_bEnded || m_bQuestionOpen || g_nSaveStop.load() == 1)
        return;
    m_bQuestionOpen = true;
    CloseGate();
    const bool yes = g_stopQuestion ? g_stopQuestion() : AskAppQuestion(kStopQuestion, kAppQuestion);
    if (yes) {
        m_bStopAsked = true;
        g_nSaveStop = 1;
        SetEvent(m_stopped);
        if (CWnd* stop = GetDlgItem(IDOK))
            stop->EnableWindow(FALSE);
    }
    OpenGate();
    m_bQuestionOpen = false;
    FinishIfOver();
}

void CSaveDataDlg::SkipFile()
{
    if (!m_bEnded)
        g_nSaveSkip = 1;
}

void CSaveDataDlg::OnOK()
{
    AskToStop();
}

void CSaveDataDlg::OnCancel()
{
    // Escape does not end a running save.
}

void CSaveDataDlg::OnSkip()
{
    SkipFile();
}

void CSaveDataDlg::OnClose()
{
    if (m_bEnded) {
        CSkinnedDialog::OnClose();
        return;
    }
    m_bQuestionOpen = true;
    CloseGate();
    AfxMessageBox(kStopFirstText, MB_OK);
    OpenGate();
    m_bQuestionOpen = false;
    FinishIfOver();
}

CString CSaveDataDlg::OutcomeText(const SaveOutcome& outcome)
{
    if (!outcome.ran)
        return kNotStartedText;  // no dialog or no worker: nothing was saved
    if (outcome.Success())
        return kSuccessText;
    const SaveReport& r = outcome.report;
    if (r.failedFiles == 0 && r.damagedFiles == 0 && r.skippedFiles == 0 && !r.clusterUseUnknown)
        return CString();  // stopped, and nothing went wrong before
    CString text;
    text.Format(L"%u file(s) saved.", r.savedFiles + r.damagedFiles);
    CString line;
    if (r.damagedFiles > 0) {
        // A damaged file may also be cut short where its data ends on the volume, not only hold zeros.
        line.Format(L"\r\n%u of them damaged: parts that could not be read or found are zeros or left out.",
            r.damagedFiles);
        text += line;
    }
    if (!r.cutPaths.empty()) {
        line.Format(L"\r\n%u of them deleted files partly taken by a file in use: their bytes past that point may be "
                    L"another file's.",
            static_cast<unsigned>(r.cutPaths.size()));
        text += line;
    }
    if (r.failedFiles > 0) {
        line.Format(L"\r\n%u file(s) could not be saved.", r.failedFiles);
        text += line;
    }
    if (r.changedFiles > 0) {
        line.Format(L"\r\n%u of them are no longer on the disk as the recovery snapshot lists them: scan the image "
                    L"again to recover them.",
            r.changedFiles);
        text += line;
    }
    if (r.reusedClusterFiles > 0) {
        line.Format(L"\r\n%u deleted file(s) had clusters that files written since now hold: those parts are zeros, "
                    L"and a file with none of its own left was not saved.",
            r.reusedClusterFiles);
        text += line;
    }
    if (r.clusterUseUnknown) {
        text += L"\r\nThe volume's cluster bitmap could not be read: deleted files were saved from their clusters as "
                L"they lie, which files written since may hold.";
    }
    if (r.skippedFiles > 0) {
        line.Format(L"\r\n%u file(s) skipped.", r.skippedFiles);
        text += line;
    }
    return text;
}

bool RunSave(const SaveJob& job, CWnd* owner, SaveOutcome* outcome)
{
    HWND ownerWindow = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    if (!AcceptSaveFolder(morvick::ui::BrowseForSaveFolder(ownerWindow)))
        return false;
    RunSaveIntoChosenFolder(job, owner, outcome);
    return true;
}

void RunSaveIntoChosenFolder(const SaveJob& job, CWnd* owner, SaveOutcome* outcome)
{
    CSaveDataDlg dialog(job, owner);
    dialog.DoModal();
    const SaveOutcome& result = dialog.Outcome();
    if (outcome != nullptr)
        *outcome = result;
    if (result.Success()) {
        AfxMessageBox(CSaveDataDlg::kSuccessText, MB_OK);
    } else {
        const CString text = CSaveDataDlg::OutcomeText(result);
        if (!text.IsEmpty())
            ShowAppMessage(text, kAppError);
    }
}
