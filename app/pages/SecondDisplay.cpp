#include "app/pages/SecondDisplay.h"

#include "app/DiskTables.h"
#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/pages/PaneControls.h"
#include "engine/image/VirtualDisk.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CSecondDisplay, CInfoPane)

BEGIN_MESSAGE_MAP(CSecondDisplay, CInfoPane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SHOWWINDOW()
ON_WM_CTLCOLOR()
ON_COMMAND(ID_HIDE_PROGRESS, OnHideProgress)
END_MESSAGE_MAP()

using wizard::kCaptionColour;
using wizard::kPaneBackground;

const wchar_t* const CSecondDisplay::kRowLabels[5][CSecondDisplay::kRows] = {
    {L"Partition type\t\t:", L"Partition Start\t\t:", L"Partition End\t\t:", L"Partition Size\t\t:", L""},
    {L"Volume Name :", L"Capacity         :", L"SPC               :", L"File System    :", L""},
    {L"Folder(s) Found  :", L"File(s) Found    :", L"Current Sector    :", L"Last File/Folder   :", L""},
    {L"Boot Sector(s) Found\t\t:", L"Folder(s) Found\t\t\t:", L"Current Sector\t\t\t:", L"", L""},
    {L"Boot Sector(s) Found\t   :", L"Index Entries Found\t   :", L"File(s) Found\t\t   :", L"Folder(s) Found\t\t   :",
        L"Current Sector\t\t   :"},
};
const wchar_t CSecondDisplay::kHideProgressText[] = L"Hide Progress";
const wchar_t CSecondDisplay::kShowProgressText[] = L"Show Progress";

namespace {

const wchar_t kNoteText[] =
    L"Selecting \"Hide Progress\" will improve the performance. You may return to view the progress details at any "
    L"time by selecting \"Show Progress\".";
const COLORREF kPartitionCaptionColour = 0xDD8922;
const wchar_t kFileSystemLabel[] = L"Select File System\t:";
const wchar_t kStartLabel[] = L"Start Sector\t\t:";
const wchar_t kEndLabel[] = L"End Sector\t\t:";

constexpr int kMargin = 16;
constexpr int kRowHeight = 24;
constexpr int kLabelWidth = 230;

CString Number(uint64_t value)
{
    CString text;
    text.Format(L"%I64u", value);
    return text;
}

LPCWSTR FileSystemName(FileSystemKind type)
{
    switch (type) {
    case FileSystemKind::kFat16:
        return L"FAT16";
    case FileSystemKind::kFat32:
        return L"FAT32";
    case FileSystemKind::kNtfs:
        return L"NTFS";
    default:
        return L"UNKNOWN";
    }
}

}  // namespace

CSecondDisplay::CSecondDisplay() : CInfoPane(CEx_StyleApp::kPartitionPage)
{
    wizard::MakeArialFont(m_barFont, 18, 600);
}

CSecondDisplay::~CSecondDisplay()
{
    delete m_pStartEdit;
    delete m_pEndEdit;
    delete m_pFileSystemChoice;
}

int CSecondDisplay::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CInfoPane::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_captionBrush.CreateSolidBrush(kPaneBackground);
    m_partitionGroup.Create(L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 0, 10, 10), this, IDC_PARTITION_GROUP);
    m_partitionGroup.SetBorderColor(kCaptionColour).SetBackgroundColor(kPaneBackground);
    m_driveGroup.Create(L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 0, 10, 10), this, IDC_DRIVE_GROUP);
    m_driveGroup.SetBorderColor(kCaptionColour).SetBackgroundColor(kPaneBackground);
    wizard::MakeLabel(m_driveCaption, L"Selected Drive Information", IDC_DRIVE_CAPTION, this, &m_labelFont);
    wizard::MakeLabel(m_partitionCaption, L"Partition Information", IDC_PARTITION_CAPTION, this, &m_labelFont);
    wizard::MakeLabel(m_prompt, L"", IDC_PANE_PROMPT, this, &m_labelFont);
    CreateRowsAndProgress(kRowLabels[kPartitionRows], &m_barFont);
    wizard::MakeLabel(m_fsLabel, kFileSystemLabel, IDC_FS_LABEL, this, &m_labelFont);
    wizard::MakeLabel(m_startLabel, kStartLabel, IDC_START_LABEL, this, &m_labelFont);
    wizard::MakeLabel(m_endLabel, kEndLabel, IDC_END_LABEL, this, &m_labelFont);
    m_capacityPie.Create(L"", WS_CHILD, CRect(0, 0, 10, 10), this, IDC_CAPACITY_PIE);
    m_hideProgress.Create(kHideProgressText, WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 10, 10), this, ID_HIDE_PROGRESS);
    m_hideProgress.SetFont(&m_labelFont);
    wizard::MakeLabel(m_note, kNoteText, IDC_PANE_NOTE, this, &m_labelFont);
    m_note.ShowWindow(SW_HIDE);
    wizard::MakeLabel(m_searchNote, L"", IDC_SEARCH_NOTE, this, &m_labelFont);
    m_searchNote.ShowWindow(SW_HIDE);

    m_pStartEdit = new CEdit;
    m_pStartEdit->Create(WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, CRect(0, 0, 10, 10), this,
        IDC_START_SECTOR);
    m_pStartEdit->SetFont(&m_valueFont);
    m_pEndEdit = new CEdit;
    m_pEndEdit->Create(WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, CRect(0, 0, 10, 10), this, IDC_END_SECTOR);
    m_pEndEdit->SetFont(&m_valueFont);
    m_pFileSystemChoice = new CComboBox;
    m_pFileSystemChoice->Create(WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 10, 120), this,
        IDC_FILE_SYSTEM_CHOICE);
    m_pFileSystemChoice->SetFont(&m_valueFont);
    m_pFileSystemChoice->AddString(L"NTFS");
    m_pFileSystemChoice->AddString(L"FAT 32");
    m_pFileSystemChoice->AddString(L"FAT 16");
    m_pFileSystemChoice->SetCurSel(0);

    HideScanRangeOptions();
    if (CMainFrame* frame = WizardFrame())
        frame->m_pSecondDisplay = this;
    return 0;
}

void CSecondDisplay::OnSize(UINT nType, int cx, int cy)
{
    CInfoPane::OnSize(nType, cx, cy);
    const int width = cx - 2 * kMargin;
    wizard::Place(m_driveCaption, kMargin, kMargin, width, 20);
    // The prompt and the search note (shown in its place) wrap over as many lines as they need.
    int promptHeight = wizard::WrappedTextHeight(m_prompt, &m_labelFont, wizard::WindowText(m_prompt), width);
    const int noteHeight =
        wizard::WrappedTextHeight(m_searchNote, &m_labelFont, wizard::WindowText(m_searchNote), width);
    if (promptHeight < noteHeight)
        promptHeight = noteHeight;
    if (promptHeight < 40)
        promptHeight = 40;
    wizard::Place(m_prompt, kMargin, kMargin + 24, width, promptHeight);
    wizard::Place(m_searchNote, kMargin, kMargin + 24, width, promptHeight);
    const int rowsTop = kMargin + 30 + promptHeight;
    wizard::Place(m_partitionCaption, kMargin + 12, rowsTop, width - 24, 20);
    const int rowsHeight = 28 + kRows * kRowHeight + 8;
    wizard::Place(m_partitionGroup, kMargin, rowsTop - 6, width, rowsHeight + 6);
    // The labels' column as wide as the widest of every set of rows and of the scan options.
    int labelWidth =
        RowLabelWidth({kRowLabels[0], kRowLabels[1], kRowLabels[2], kRowLabels[3], kRowLabels[4]}, kLabelWidth);
    const int optionsWidth = wizard::WidestText(*this, &m_labelFont, {kFileSystemLabel, kStartLabel, kEndLabel}) + 4;
    if (optionsWidth > labelWidth)
        labelWidth = optionsWidth;
    PlaceRows(kMargin + 12, rowsTop + 28, width - 24, labelWidth, kRowHeight);
    const int optionsTop = rowsTop + rowsHeight + 10;
    wizard::Place(m_driveGroup, kMargin, optionsTop, width, 3 * 30 + 20);
    const int boxX = kMargin + 16 + labelWidth;
    const int boxWidth = width - labelWidth - 40 < 220 ? width - labelWidth - 40 : 220;
    wizard::Place(m_fsLabel, kMargin + 12, optionsTop + 14, labelWidth, 20);
    if (m_pFileSystemChoice != nullptr)
        wizard::Place(*m_pFileSystemChoice, boxX, optionsTop + 10, boxWidth, 120);
    wizard::Place(m_startLabel, kMargin + 12, optionsTop + 44, labelWidth, 20);
    if (m_pStartEdit != nullptr)
        wizard::Place(*m_pStartEdit, boxX, optionsTop + 40, boxWidth, 24);
    wizard::Place(m_endLabel, kMargin + 12, optionsTop + 74, labelWidth, 20);
    if (m_pEndEdit != nullptr)
        wizard::Place(*m_pEndEdit, boxX, optionsTop + 70, boxWidth, 24);
    wizard::Place(m_capacityPie, kMargin + 8, optionsTop + 10, width - 16, 100);
    // The button holds either of its two texts with room for its frame.
    const int buttonWidth =
        wizard::WidestText(*this, &m_labelFont, {kHideProgressText, kShowProgressText}, 130 - 20) + 20;
    wizard::Place(m_hideProgress, kMargin, cy - 118, buttonWidth, 28);
    // The note beside it ends where it always did and grows upwards when its text needs more lines.
    const int noteWidth = width - buttonWidth - 10;
    int hintHeight = wizard::WrappedTextHeight(m_note, &m_labelFont, kNoteText, noteWidth);
    if (hintHeight < 36)
        hintHeight = 36;
    wizard::Place(m_note, kMargin + buttonWidth + 10, cy - 86 - hintHeight, noteWidth, hintHeight);
    PlaceProgress(kMargin, width, cy - 18, 28);
    Invalidate();
}

void CSecondDisplay::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CInfoPane::OnShowWindow(bShow, nStatus);
    Invalidate();
    if (m_pFileSystemChoice != nullptr && m_pFileSystemChoice->GetSafeHwnd() != nullptr)
        m_pFileSystemChoice->Invalidate();
}

HBRUSH CSecondDisplay::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_PARTITION_CAPTION) {
        pDC->SetTextColor(kPartitionCaptionColour);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(kPaneBackground);
        return static_cast<HBRUSH>(m_captionBrush.GetSafeHandle());
    }
    if (id == ID_HIDE_PROGRESS) {
        pDC->SetTextColor(RGB(255, 255, 255));
        pDC->SetBkColor(kCaptionColour);
        return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
    }
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(kPaneBackground);
        pDC->SetTextColor(id == IDC_DRIVE_CAPTION ? kCaptionColour : RGB(0, 0, 0));
        return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
    }
    return CView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CSecondDisplay::OnHideProgress()
{
    if (g_nProgressShown == 1) {
        m_hideProgress.SetWindowText(kShowProgressText);
        g_nProgressShown = 0;
    } else {
        m_hideProgress.SetWindowText(kHideProgressText);
        g_nProgressShown = 1;
    }
    ActivatePage();
}

void CSecondDisplay::ResetProgressShown()
{
    g_nProgressShown = 1;
    if (m_hideProgress.GetSafeHwnd() != nullptr)
        m_hideProgress.SetWindowText(kHideProgressText);
}

void CSecondDisplay::SetRowSet(RowSet set)
{
    SetRowLabels(kRowLabels[set]);
}

void CSecondDisplay::SetChoiceByType(FileSystemKind type)
{
    if (m_pFileSystemChoice == nullptr)
        return;
    if (type == FileSystemKind::kFat16)
        m_pFileSystemChoice->SetCurSel(2);
    if (type == FileSystemKind::kFat32)
        m_pFileSystemChoice->SetCurSel(1);
    if (type == FileSystemKind::kNtfs)
        m_pFileSystemChoice->SetCurSel(0);
}

void CSecondDisplay::ShowPartitionDetails(int, int flag)
{
    if (flag < 0) {
        ClearPartitionDetails();
        return;
    }
    SetRowSet(kPartitionRows);
    VolumeParameterBlock& v = g_VolumeParams;
    // The end whole, shown as it is and held in the block's field (engine/state/SectorLimit.h), not
    // worked out in 32 bits: a partition crossing 2 TiB showed an end before its start, which the
    // Extensive Scan's range check then refused.
    uint64_t end = v.partitionSectors != 0 ? uint64_t{v.partitionStart} + v.partitionSectors - 1
                                           : static_cast<uint32_t>(v.partitionStart - 1);
    if (end == 0xFFFFFFFFu && g_nImageKind == kImageVhdx) {
        // No sectors chosen on a VHDX: the range ends at the disk's last sector.
        CVirtualDisk* disk = GetCurrentVirtualDisk();
        const uint64_t sectors = disk != nullptr ? disk->GetDiskSize() / 512 : 0;
        end = sectors > 0 ? sectors - 1 : 0;
    }
    v.partitionEnd = HeldSector(end);
    m_values[0].SetWindowText(FileSystemName(v.chosenFileSystemType));
    SetChoiceByType(v.chosenFileSystemType);
    // Sector numbers are unsigned: a partition that starts past 2^31 is no negative number.
    m_values[1].SetWindowText(Number(v.partitionStart));
    if (m_pStartEdit != nullptr)
        m_pStartEdit->SetWindowText(Number(v.partitionStart));
    m_values[2].SetWindowText(Number(end));
    if (m_pEndEdit != nullptr)
        m_pEndEdit->SetWindowText(Number(end));
    m_values[3].SetWindowText(Number(v.partitionSectors >> 11) + L" MB (Approx)");
    m_values[4].SetWindowText(L"");
    wizard::ShowEnabled(m_capacityPie, FALSE);
}

void CSecondDisplay::ShowPartitionDetailsPlain()
{
    SetRowSet(kPartitionRows);
    const VolumeParameterBlock& v = g_VolumeParams;
    m_values[0].SetWindowText(FileSystemName(v.chosenFileSystemType));
    SetChoiceByType(v.chosenFileSystemType);
    m_values[1].SetWindowText(Number(v.partitionStart));
    m_values[2].SetWindowText(Number(PartitionLastSector(v)));
    m_values[3].SetWindowText(Number(v.partitionSectors >> 11) + L" MB ( Aprox )");
    m_values[4].SetWindowText(L"");
}

void CSecondDisplay::ClearPartitionDetails()
{
    SetRowSet(kPartitionRows);
    ClearValues();
    wizard::ShowEnabled(m_capacityPie, FALSE);
}

void CSecondDisplay::ShowDriveDetails()
{
    // No list of logical drives is kept, so there is never a selected one to describe.
    ClearPartitionDetails();
}

void CSecondDisplay::ShowDriveDetailsPlain()
{
    ClearPartitionDetails();
}

void CSecondDisplay::ShowScanCounterLabels()
{
    SetRowSet(kQuickScanRows);
    ClearValues();
}

void CSecondDisplay::ShowFatScanCounterLabels()
{
    SetRowSet(kFatScanRows);
    for (int row = 0; row < 4; ++row)
        m_values[row].SetWindowText(L"");
}

void CSecondDisplay::ShowNtfsScanCounterLabels()
{
    for (int row = 0; row < kRows; ++row) {
        m_labels[row].ShowWindow(SW_SHOW);
        m_values[row].ShowWindow(SW_SHOW);
    }
    SetRowSet(kNtfsScanRows);
}

void CSecondDisplay::ClearValues()
{
    ClearRowValues();
    if (m_pStartEdit != nullptr)
        m_pStartEdit->SetWindowText(L"");
    if (m_pEndEdit != nullptr)
        m_pEndEdit->SetWindowText(L"");
}

void CSecondDisplay::ShowRangeControls(BOOL show)
{
    wizard::ShowEnabled(m_startLabel, show);
    wizard::ShowEnabled(m_endLabel, show);
    if (m_pStartEdit != nullptr)
        wizard::ShowEnabled(*m_pStartEdit, show);
    if (m_pEndEdit != nullptr)
        wizard::ShowEnabled(*m_pEndEdit, show);
}

void CSecondDisplay::ShowScanRangeOptions()
{
    if (g_nScanMode != kScanExtensive)
        return;
    EnableFileSystemChoice();
    ShowRangeControls(g_nImageKind != kImageVhdx);
}

void CSecondDisplay::ShowFileSystemChoiceOnly()
{
    EnableFileSystemChoice();
    ShowRangeControls(FALSE);
}

void CSecondDisplay::HideScanRangeOptions()
{
    wizard::ShowEnabled(m_fsLabel, FALSE);
    if (m_pFileSystemChoice != nullptr)
        wizard::ShowEnabled(*m_pFileSystemChoice, FALSE);
    ShowRangeControls(FALSE);
    wizard::ShowEnabled(m_driveGroup, FALSE);
}

void CSecondDisplay::EnableFileSystemChoice()
{
    wizard::ShowEnabled(m_driveGroup, TRUE);
    wizard::ShowEnabled(m_fsLabel, TRUE);
    if (m_pFileSystemChoice != nullptr)
        wizard::ShowEnabled(*m_pFileSystemChoice, TRUE);
}

void CSecondDisplay::ShowHideProgressButton(BOOL show)
{
    wizard::ShowEnabled(m_hideProgress, show);
    wizard::ShowEnabled(m_note, show);
}

void CSecondDisplay::SetPrompt(const CString& text, const CString& caption)
{
    m_driveCaption.SetWindowText(caption);
    SetPrompt(text);
}

void CSecondDisplay::SetPrompt(const CString& text)
{
    m_prompt.SetWindowText(text);
    Relayout();
}

void CSecondDisplay::SetSearchNote(const CString& text)
{
    m_searchNote.SetWindowText(text);
    m_searchNote.ShowWindow(text.IsEmpty() ? SW_HIDE : SW_SHOW);
    m_prompt.ShowWindow(text.IsEmpty() ? SW_SHOW : SW_HIDE);
    Relayout();
}

FileSystemKind CSecondDisplay::ChosenFileSystemType() const
{
    const int index = m_pFileSystemChoice != nullptr ? m_pFileSystemChoice->GetCurSel() : 0;
    if (index == 1)
        return FileSystemKind::kFat32;
    if (index == 2)
        return FileSystemKind::kFat16;
    return FileSystemKind::kNtfs;
}

CString CSecondDisplay::StartSectorText() const
{
    return m_pStartEdit != nullptr ? wizard::WindowText(*m_pStartEdit) : CString();
}

CString CSecondDisplay::EndSectorText() const
{
    return m_pEndEdit != nullptr ? wizard::WindowText(*m_pEndEdit) : CString();
}
