#include "app/pages/FileSystemForm.h"

#include "app/Ex_StyleApp.h"
#include "app/pages/PaneControls.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CFileSystemForm, CInfoPane)

BEGIN_MESSAGE_MAP(CFileSystemForm, CInfoPane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

const wchar_t* const CFileSystemForm::kFatLabels[kRows] = {L"", L"File System Start\t:", L"Sectors Per Cluster\t:",
    L"File System Size\t:", L""};
const wchar_t* const CFileSystemForm::kNtfsLabels[kRows] = {L"File System Start\t:", L"Sectors Per Cluster\t:",
    L"MFT Start\t\t:", L"MFT Mirror Start\t\t:", L"File System Size\t:"};

namespace {

constexpr int kMargin = 16;
constexpr int kRowHeight = 24;
constexpr int kLabelWidth = 200;  // wide enough for the colons at the second tab stop

}  // namespace

CFileSystemForm::CFileSystemForm() : CInfoPane(CEx_StyleApp::kFileSystemPage)
{
    wizard::MakeArialFont(m_titleFont, 18, FW_BOLD);
}

CFileSystemForm::~CFileSystemForm() = default;

int CFileSystemForm::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CInfoPane::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_group.Create(L"FileSystem Information", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 0, 10, 10), this,
        IDC_FS_GROUP);
    m_group.SetBorderColor(wizard::kCaptionColour).SetBackgroundColor(wizard::kPaneBackground);
    wizard::MakeLabel(m_title, L"File System Information", IDC_FS_TITLE, this, &m_titleFont, SS_CENTER);
    CreateRowsAndProgress(kNtfsLabels, &m_labelFont);
    return 0;
}

void CFileSystemForm::OnSize(UINT nType, int cx, int cy)
{
    CInfoPane::OnSize(nType, cx, cy);
    const int width = cx - 2 * kMargin;
    wizard::Place(m_title, kMargin, kMargin, width, 24);
    const int groupTop = kMargin + 40;
    wizard::Place(m_group, kMargin, groupTop, width, kRows * kRowHeight + 36);
    PlaceRows(kMargin + 12, groupTop + 24, width - 24, RowLabelWidth({kFatLabels, kNtfsLabels}, kLabelWidth),
        kRowHeight);
    PlaceProgress(kMargin, width, cy - 16, 24);
    // The page's prompt runs over three lines (an empty one first): the status line gets their height
    // above the bar.
    const int statusHeight = 3 * 18;
    wizard::Place(m_status, kMargin, cy - 16 - 24 - 6 - statusHeight, width, statusHeight);
    Invalidate();
}

HBRUSH CFileSystemForm::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(wizard::kPaneBackground);
        pDC->SetTextColor(id == IDC_FS_TITLE ? wizard::kCaptionColour : RGB(0, 0, 0));
        return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
    }
    return CView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CFileSystemForm::ShowFatFileSystemInfo(const CString& start, const CString& sectorsPerCluster, const CString& size)
{
    ShowFatFileSystemLabels();
    SetRowValue(1, start);
    SetRowValue(2, sectorsPerCluster);
    SetRowValue(3, size);
}

void CFileSystemForm::ShowNtfsFileSystemInfo(const CString& start, const CString& sectorsPerCluster,
    const CString& mftStart, const CString& mirrorStart, const CString& size)
{
    ShowNtfsFileSystemLabels();
    SetRowValue(0, start);
    SetRowValue(1, sectorsPerCluster);
    SetRowValue(2, mftStart);
    SetRowValue(3, mirrorStart);
    SetRowValue(4, size);
}

void CFileSystemForm::ShowFatFileSystemLabels()
{
    SetRowLabels(kFatLabels);
    ClearRowValues();
    wizard::ShowEnabled(m_labels[0], FALSE);
    wizard::ShowEnabled(m_values[0], FALSE);
}

void CFileSystemForm::ShowNtfsFileSystemLabels()
{
    SetRowLabels(kNtfsLabels);
    ClearRowValues();
    wizard::ShowEnabled(m_labels[0], TRUE);
    wizard::ShowEnabled(m_values[0], TRUE);
}

void CFileSystemForm::ClearFileSystemValues()
{
    ClearRowValues();
}
