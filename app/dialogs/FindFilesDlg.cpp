#include "app/dialogs/FindFilesDlg.h"

#include "app/EngineText.h"

#include "app/AppMessages.h"
#include "app/dialogs/SaveDataDlg.h"
#include "app/trees/ResultTreeCtrl.h"
#include "engine/listing/DateText.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/MatchWildcard.h"
#include "resource.h"
#include "ui/controls/win/ShellIconHelper.h"

BEGIN_MESSAGE_MAP(CFindFilesDlg, CSkinnedDialog)
ON_BN_CLICKED(IDC_FIND_STOP, OnStop)
ON_BN_CLICKED(IDC_FIND_SELECT_ALL, OnSelectAll)
ON_BN_CLICKED(IDC_FIND_SAVE, OnSave)
ON_WM_CLOSE()
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

const wchar_t CFindFilesDlg::kStopQuestion[] = L"Do you want to stop file searching ?";
const wchar_t CFindFilesDlg::kNothingMarkedText[] =
    L"Please mark the file(s) that you want to save\r\nby clicking on check box.";
const wchar_t CFindFilesDlg::kNoResultsText[] = L"Search is complete. There are no results to display.";

namespace {

constexpr UINT_PTR kDrainTimer = 1;
constexpr UINT kDrainMs = 100;
constexpr COLORREF kButtonColour = 0xBD751D;

std::atomic<bool> g_findOpen{false};
CFindFilesDlg::StopQuestion g_stopQuestion = nullptr;
bool g_holdNewSearches = false;

// The two date texts of a found file, as the result list writes them.
void FillDates(const ResultFileInfo& file, CFindFilesDlg::Hit& hit)
{
    switch (file.kind) {
    case ResultFileKind::kFat: {
        const auto* r = static_cast<const FatEntryRecord*>(file.record);
        hit.created = FormatFatDate(r->writeDate);
        hit.modified = FormatFatDate(r->accessDate);
        break;
    }
    case ResultFileKind::kMft: {
        const auto* r = static_cast<const MftEntryRecord*>(file.record);
        hit.created = FormatFileTime(r->creationTimeLow, r->creationTimeHigh);
        hit.modified = FormatFileTime(r->changeTimeLow, r->changeTimeHigh);
        break;
    }
    case ResultFileKind::kNtfsFile: {
        const auto* r = static_cast<const NtfsFileRecord*>(file.record);
        hit.created = FormatFileTime(r->creationTimeLow, r->creationTimeHigh);
        hit.modified = FormatFileTime(r->changeTimeLow, r->changeTimeHigh);
        break;
    }
    case ResultFileKind::kTraced:
        break;
    }
}

}  // namespace

CFindFilesDlg::CFindFilesDlg(CResultTreeCtrl& tree, CWnd* parent, IResultCommands* commands)
    : CSkinnedDialog(IDD_FIND_FILES, IDB_FIND_SKIN, parent), m_tree(tree), m_pCommands(commands)
{
    m_gate = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    m_whiteBrush.CreateSolidBrush(RGB(255, 255, 255));
}

CFindFilesDlg::~CFindFilesDlg()
{
    if (m_pThread != nullptr) {
        m_stop = 1;
        SetEvent(m_gate);
        WaitForSingleObject(m_pThread->m_hThread, INFINITE);
        delete m_pThread;
    }
    if (m_gate != nullptr)
        CloseHandle(m_gate);
    m_systemImages.Detach();
    g_findOpen = false;
}

bool CFindFilesDlg::IsOpen()
{
    return g_findOpen;
}

void CFindFilesDlg::SetStopQuestion(StopQuestion ask)
{
    g_stopQuestion = ask;
}

void CFindFilesDlg::HoldNewSearchesForTests(bool hold)
{
    g_holdNewSearches = hold;
}

BOOL CFindFilesDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    g_findOpen = true;
    m_hits.SubclassDlgItem(IDC_FIND_HITS, this);
    m_pattern.SubclassDlgItem(IDC_FIND_PATTERN, this);
    m_btnStart.SubclassDlgItem(IDOK, this);
    m_btnSave.SubclassDlgItem(IDC_FIND_SAVE, this);
    for (morvick::ui::CImageButton* button : {&m_btnStart, &m_btnSave}) {
        for (int state = 0; state < morvick::ui::CImageButton::kColorCount; ++state)
            button->SetColor(state, state % 2 == 0 ? kButtonColour : RGB(255, 255, 255), FALSE);
    }
    m_btnSave.SetBitmaps(IDB_FIND_SAVE, IDB_FIND_SAVE, RGB(255, 0, 255));
    m_btnSave.SetWindowText(L"&Save Selected File");
    // The result list's own boxes (its state images), the shell's icons, and names that F2 edits.
    m_hits.ModifyStyle(0, LVS_SHAREIMAGELISTS | LVS_EDITLABELS);
    m_hits.SetExtendedStyle(m_hits.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    if (HIMAGELIST shell = morvick::ui::CShellIconHelper::GetSystemImageList(TRUE))
        m_systemImages.Attach(shell);
    m_hits.Init(m_systemImages.GetSafeHandle() != nullptr ? &m_systemImages : nullptr);
    m_hits.SetTree(&m_tree);
    m_hits.SetCommands(m_pCommands);
    m_hits.SetHitColumns();
    SetDlgItemText(IDC_FIND_COUNT, L"0");
    ShowIdleControls();
    m_hits.EnableWindow(FALSE);
    m_pattern.SetFocus();
    return FALSE;
}

bool CFindFilesDlg::MatchHit(const CResultIndex& index, uint32_t key, const std::u16string& wanted, Hit& hit)
{
    const ResultFileInfo* file = index.FileByKey(key);
    if (file == nullptr)
        return false;
    hit.name = file->Name();
    if (!MatchWildcard(UpperCaseName(hit.name), wanted))
        return false;
    hit.key = key;
    hit.parentKey = file->parentKey;
    hit.size = file->size;
    return true;
}

std::vector<CFindFilesDlg::Hit> CFindFilesDlg::Search(const CResultTreeCtrl& tree, const std::u16string& pattern)
{
    std::vector<Hit> hits;
    const CResultIndex& index = tree.Index();
    const std::u16string wanted = UpperCaseName(pattern);
    for (uint32_t key : index.AllFiles()) {
        Hit hit;
        if (!MatchHit(index, key, wanted, hit))
            continue;
        if (const ResultFileInfo* file = index.FileByKey(key))
            FillDates(*file, hit);
        hits.push_back(std::move(hit));
    }
    return hits;
}

UINT AFX_CDECL CFindFilesDlg::SearchThreadProc(LPVOID parameter)
{
    auto* dialog = static_cast<CFindFilesDlg*>(parameter);
    const CResultIndex& index = dialog->m_tree.Index();
    const std::u16string wanted = UpperCaseName(dialog->m_strPattern);
    bool stopped = false;
    for (uint32_t key : index.AllFiles()) {
        WaitForSingleObject(dialog->m_gate, INFINITE);
        if (dialog->m_stop.load() != 0) {
            stopped = true;
            break;
        }
        Hit hit;
        const bool matched = MatchHit(index, key, wanted, hit);
        std::lock_guard<std::mutex> lock(dialog->m_lock);
        if (!hit.name.empty())
            dialog->m_lastName = hit.name;
        if (!matched)
            continue;
        // Listed by the dialog's own thread, not written into its windows from here: a worker that
        // waits on the dialog's windows stalls a dialog that waits for the worker to end.
        dialog->m_pending.push_back(std::move(hit));
    }
    dialog->m_bWalkedAll = !stopped;
    return 0;
}

bool CFindFilesDlg::IsSearching() const
{
    return m_pThread != nullptr && WaitForSingleObject(m_pThread->m_hThread, 0) != WAIT_OBJECT_0;
}

void CFindFilesDlg::ShowIdleControls()
{
    m_btnStart.EnableWindow(TRUE);
    m_btnSave.EnableWindow(TRUE);
    GetDlgItem(IDC_FIND_SELECT_ALL)->EnableWindow(TRUE);
    GetDlgItem(IDC_FIND_STOP)->EnableWindow(FALSE);
    m_hits.EnableWindow(TRUE);
    m_pattern.EnableWindow(TRUE);
}

void CFindFilesDlg::ShowSearchingControls()
{
    m_btnStart.EnableWindow(FALSE);
    m_btnSave.EnableWindow(FALSE);
    GetDlgItem(IDC_FIND_SELECT_ALL)->EnableWindow(FALSE);
    GetDlgItem(IDC_FIND_STOP)->EnableWindow(TRUE);
    m_hits.EnableWindow(FALSE);
}

void CFindFilesDlg::StartSearch()
{
    if (IsSearching())
        return;
    if (m_pThread != nullptr) {
        delete m_pThread;
        m_pThread = nullptr;
    }
    CheckDlgButton(IDC_FIND_SELECT_ALL, BST_UNCHECKED);
    SetDlgItemText(IDC_FIND_SELECT_ALL, L"Select All");
    ShowSearchingControls();
    m_hits.ClearRows();
    m_nFound = 0;
    // The count and the words of the last search go with its rows: kept, they told its numbers
    // beside a list that the new search fills from nothing.
    SetDlgItemText(IDC_FIND_COUNT, L"0");
    SetDlgItemText(IDC_FIND_STATUS, L"");
    CString pattern;
    m_pattern.GetWindowText(pattern);
    m_strPattern.assign(reinterpret_cast<const char16_t*>(pattern.GetString()), pattern.GetLength());
    m_stop = 0;
    m_bWalkedAll = false;
    if (g_holdNewSearches)
        ResetEvent(m_gate);
    else
        SetEvent(m_gate);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_pending.clear();
        m_lastName.clear();
    }
    m_pThread = new CWinThread(SearchThreadProc, this);
    m_pThread->m_bAutoDelete = FALSE;
    if (!m_pThread->CreateThread(0)) {
        delete m_pThread;
        m_pThread = nullptr;
        ShowIdleControls();
        return;
    }
    SetTimer(kDrainTimer, kDrainMs, nullptr);
}

void CFindFilesDlg::AddRows(const std::vector<Hit>& hits)
{
    const CResultIndex& index = m_tree.Index();
    std::vector<ResultRow> rows;
    rows.reserve(hits.size());
    for (const Hit& found : hits) {
        // The dates come from the record, read here on the dialog's own thread.
        Hit hit = found;
        const ResultFileInfo* file = index.FileByKey(hit.key);
        if (file != nullptr)
            FillDates(*file, hit);
        ResultRow row;
        row.kind = ResultRowKind::kFile;
        row.name = hit.name;
        // The hits' second column is the folder's path.
        if (HTREEITEM folder = m_tree.ItemOfFolderKey(hit.parentKey)) {
            const CString path = m_tree.GetItemPath(folder);
            row.type.assign(reinterpret_cast<const char16_t*>(path.GetString()), static_cast<size_t>(path.GetLength()));
        }
        row.size = DecimalText(hit.size);
        row.firstDate = hit.created;
        row.secondDate = hit.modified;
        row.key = DecimalText(hit.key);
        row.deleted = file != nullptr && file->deleted;
        rows.push_back(std::move(row));
    }
    m_hits.AppendRows(rows);
    m_nFound += rows.size();
    CString count;
    count.Format(L"%u", static_cast<unsigned>(m_nFound));
    SetDlgItemText(IDC_FIND_COUNT, count);
}

void CFindFilesDlg::Drain()
{
    std::vector<Hit> hits;
    std::u16string last;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        hits.swap(m_pending);
        last = m_lastName;
    }
    SetDlgItemText(IDC_FIND_LAST, ToCString(last));
    if (!hits.empty())
        AddRows(hits);
}

void CFindFilesDlg::FinishIfOver()
{
    if (m_pThread == nullptr || m_bQuestionOpen || IsSearching())
        return;
    KillTimer(kDrainTimer);
    Drain();
    delete m_pThread;
    m_pThread = nullptr;
    // Only a search that went through every file says what it found; one the user stopped leaves
    // the words as they were.
    if (m_bWalkedAll) {
        if (m_nFound > 0) {
            CString text;
            text.Format(L"There were %u files found.", static_cast<unsigned>(m_nFound));
            SetDlgItemText(IDC_FIND_STATUS, text);
        } else {
            SetDlgItemText(IDC_FIND_STATUS, kNoResultsText);
        }
    }
    ShowIdleControls();
}

void CFindFilesDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDrainTimer) {
        CSkinnedDialog::OnTimer(nIDEvent);
        return;
    }
    Drain();
    FinishIfOver();
}

void CFindFilesDlg::AskToStop()
{
    if (!IsSearching() || m_bQuestionOpen)
        return;
    GetDlgItem(IDC_FIND_STOP)->EnableWindow(FALSE);
    m_bQuestionOpen = true;
    // Held at a gate and let end by itself rather than suspended and killed: a thread killed while it
    // holds the heap's or the list's lock leaves the program hanging at its next allocation.
    ResetEvent(m_gate);
    const bool yes = g_stopQuestion != nullptr ? g_stopQuestion() : AskAppQuestion(kStopQuestion, kAppQuestion);
    if (yes)
        m_stop = 1;
    else
        ShowSearchingControls();
    SetEvent(m_gate);
    m_bQuestionOpen = false;
    if (yes) {
        // The search ends at its next step; what it found stays listed.
        WaitForSingleObject(m_pThread->m_hThread, 5000);
        FinishIfOver();
    }
}

void CFindFilesDlg::ToggleSelectAll()
{
    const bool select = IsDlgButtonChecked(IDC_FIND_SELECT_ALL) == BST_CHECKED && m_hits.GetItemCount() > 0;
    SetDlgItemText(IDC_FIND_SELECT_ALL, select ? L"Unselect All" : L"Select All");
    if (select)
        m_hits.CheckAllRows();
    else
        m_hits.UncheckAllRows();
    Invalidate();
}

void CFindFilesDlg::SaveSelected()
{
    SaveJob job;
    job.mode = SaveMode::kFindHits;
    job.hitIndex = &m_tree.Index();
    job.hitRowCount = m_hits.GetItemCount();
    for (int row = 0; row < m_hits.GetItemCount(); ++row) {
        const CResultListCtrl::RowInfo* info = m_hits.Row(row);
        if (m_hits.GetCheck(row) == 1 && info != nullptr && info->hasKey) {
            job.selection.fileKeys.push_back(info->key);
            job.hitRows.push_back(row);
        }
    }
    if (job.selection.fileKeys.empty()) {
        ShowAppMessage(kNothingMarkedText, kAppInformation);
        return;
    }
    if (!RunSave(job, this))
        return;
    m_hits.UncheckAllRows();
    CheckDlgButton(IDC_FIND_SELECT_ALL, BST_UNCHECKED);
    SetDlgItemText(IDC_FIND_SELECT_ALL, L"Select All");
}

void CFindFilesDlg::OnOK()
{
    StartSearch();
}

void CFindFilesDlg::OnCancel()
{
    if (IsSearching())
        return;
    // Cleared here, where the dialog really ends: cleared at a refused close, the result list
    // would offer its context menu under a dialog that is still open.
    g_findOpen = false;
    CSkinnedDialog::OnCancel();
}

void CFindFilesDlg::OnClose()
{
    if (IsSearching())
        return;
    g_findOpen = false;
    CSkinnedDialog::OnClose();
}

void CFindFilesDlg::OnStop()
{
    AskToStop();
}

void CFindFilesDlg::OnSelectAll()
{
    ToggleSelectAll();
}

void CFindFilesDlg::OnSave()
{
    SaveSelected();
}

HBRUSH CFindFilesDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_FIND_PATTERN) {
        pDC->SetTextColor(RGB(0xB0, 0xB0, 0xB0));
        pDC->SetBkColor(RGB(255, 255, 255));
        return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
    }
    return CSkinnedDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CFindFilesDlg::OnPaint()
{
    CPaintDC dc(this);
    if (m_pattern.GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    m_pattern.GetWindowRect(&rect);
    ScreenToClient(&rect);
    rect.InflateRect(1, 1);
    CPen pen(PS_SOLID, 1, kTextColour);
    CPen* old = dc.SelectObject(&pen);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(&rect);
    dc.SelectObject(old);
}
