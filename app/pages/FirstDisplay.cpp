#include "app/pages/FirstDisplay.h"

#include <cmath>

#include "app/DiskTables.h"
#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/pages/PaneControls.h"
#include "engine/image/VirtualDisk.h"
#include "engine/state/EngineState.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CFirstDisplay, CInfoPane)

BEGIN_MESSAGE_MAP(CFirstDisplay, CInfoPane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

using wizard::kCaptionColour;
using wizard::kPaneBackground;

const wchar_t CFirstDisplay::kPromptText[] =
    L"Please select the Virtual Hard Disk (VHD/VHDX) that contains data from left panel and click [Next] to "
    L"continue with recovery.";

namespace {

const wchar_t* const kDiskLabels[CInfoPane::kRows] = {L"Model\t\t\t:", L"Capacity\t\t:", L"Cylinders\t\t:",
    L"Head\t\t\t:", L"Sectors Per Track\t:"};
const wchar_t* const kVolumeLabels[CInfoPane::kRows] = {L"Volume Name\t\t:", L"Capacity\t\t:", L"SPC\t\t\t:",
    L"Byte Per Sector\t\t:", L"File System\t\t:"};

struct PieColour {
    FileSystemKind type;
    LPCWSTR name;
    COLORREF colour;
};
const PieColour kPieColours[] = {
    {FileSystemKind::kFat16, L"FAT16", 0x8FA7F8},
    {FileSystemKind::kFat32, L"FAT32", 0xFF7777},
    {FileSystemKind::kNtfs, L"NTFS", 0x77FF77},
};

constexpr int kMargin = 16;
constexpr int kRowHeight = 24;
constexpr int kLabelWidth = 210;

}  // namespace

CFirstDisplay::CFirstDisplay() : CInfoPane(CEx_StyleApp::kDrivePage)
{
    m_partitionPie.m_ownsSlices = TRUE;
}

CFirstDisplay::~CFirstDisplay() = default;

int CFirstDisplay::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CInfoPane::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_driveGroup.Create(L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 0, 10, 10), this, IDC_DRIVE_GROUP);
    m_driveGroup.SetBorderColor(kCaptionColour).SetBackgroundColor(kPaneBackground);
    m_pieGroup.Create(L"", WS_CHILD | BS_GROUPBOX, CRect(0, 0, 10, 10), this, IDC_PARTITION_GROUP);
    m_pieGroup.SetBorderColor(kCaptionColour).SetBackgroundColor(kPaneBackground);
    wizard::MakeLabel(m_caption, L"Selected Drive Information", IDC_DRIVE_CAPTION, this, &m_labelFont);
    wizard::MakeLabel(m_prompt, kPromptText, IDC_PANE_PROMPT, this, &m_labelFont);
    CreateRowsAndProgress(kDiskLabels, &m_labelFont);
    m_capacityPie.Create(L"", WS_CHILD | SS_NOTIFY, CRect(0, 0, 10, 10), this, IDC_CAPACITY_PIE);
    ResetPane();
    return 0;
}

void CFirstDisplay::OnSize(UINT nType, int cx, int cy)
{
    CInfoPane::OnSize(nType, cx, cy);
    const int width = cx - 2 * kMargin;
    wizard::Place(m_caption, kMargin, kMargin, width, 20);
    // The prompt wraps over as many lines as its text needs in its font (two at least).
    const int promptHeight = PromptHeight(width);
    wizard::Place(m_prompt, kMargin, kMargin + 26, width, promptHeight);
    const int groupTop = kMargin + 32 + promptHeight;
    const int groupHeight = kRows * kRowHeight + 24;
    wizard::Place(m_driveGroup, kMargin, groupTop, width, groupHeight);
    PlaceRows(kMargin + 12, groupTop + 14, width - 24, RowLabelWidth({kDiskLabels, kVolumeLabels}, kLabelWidth),
        kRowHeight);
    const int pieTop = groupTop + groupHeight + 12;
    const int pieHeight = cy - pieTop - 80;
    wizard::Place(m_pieGroup, kMargin, pieTop, width, pieHeight);
    wizard::Place(m_capacityPie, kMargin + 8, pieTop + 8, width - 16, pieHeight - 16);
    PlaceProgress(kMargin, width, cy - 16, 24);
    Invalidate();
}

void CFirstDisplay::OnDraw(CDC* pDC)
{
    CInfoPane::OnDraw(pDC);
    if (!m_pieShown || m_partitionPie.m_slices.GetSize() == 0)
        return;
    const CRect box = PieRect();
    if (box.Width() < 20 || box.Height() < 20)
        return;
    // The slices clockwise from the top, each its share of the circle.
    const int diameter = box.Height() < box.Width() / 2 ? box.Height() : box.Width() / 2;
    const CRect circle(box.left, box.top, box.left + diameter, box.top + diameter);
    const CPoint centre = circle.CenterPoint();
    const double pi = 3.14159265358979323846;
    double angle = pi / 2;
    int total = 0;
    for (int i = 0; i < m_partitionPie.m_slices.GetSize(); ++i)
        total += static_cast<const morvick::ui::CPieSlice*>(m_partitionPie.m_slices[i])->m_value;
    if (total <= 0)
        total = 1;
    CPen border(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    CPen* oldPen = pDC->SelectObject(&border);
    for (int i = 0; i < m_partitionPie.m_slices.GetSize(); ++i) {
        const auto* slice = static_cast<const morvick::ui::CPieSlice*>(m_partitionPie.m_slices[i]);
        if (slice->m_value <= 0)
            continue;
        const double sweep = 2 * pi * slice->m_value / total;
        CBrush brush(slice->m_color);
        CBrush* oldBrush = pDC->SelectObject(&brush);
        const int r = diameter / 2;
        const CPoint start(centre.x + static_cast<int>(r * std::cos(angle)),
            centre.y - static_cast<int>(r * std::sin(angle)));
        const CPoint end(centre.x + static_cast<int>(r * std::cos(angle - sweep)),
            centre.y - static_cast<int>(r * std::sin(angle - sweep)));
        if (slice->m_value >= total)
            pDC->Ellipse(&circle);
        else
            pDC->Pie(&circle, end, start);
        pDC->SelectObject(oldBrush);
        angle -= sweep;
    }
    pDC->SelectObject(oldPen);
    CFont* oldFont = pDC->SelectObject(&m_labelFont);
    pDC->SetTextColor(RGB(0, 0, 0));
    m_partitionPie.DrawLegend(pDC->GetSafeHdc(), circle.right + 24, circle.top + 8, FALSE);
    pDC->SelectObject(oldFont);
}

int CFirstDisplay::PromptHeight(int width)
{
    const int needed = wizard::WrappedTextHeight(m_prompt, &m_labelFont, wizard::WindowText(m_prompt), width);
    return needed > 40 ? needed : 40;
}

CRect CFirstDisplay::PieRect() const
{
    CRect group;
    m_pieGroup.GetWindowRect(&group);
    ScreenToClient(&group);
    group.DeflateRect(16, 20);
    return group;
}

HBRUSH CFirstDisplay::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(kPaneBackground);
        pDC->SetTextColor(id == IDC_DRIVE_CAPTION ? kCaptionColour : RGB(0, 0, 0));
        return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
    }
    return CView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CFirstDisplay::ShowDiskDetails(int diskIndex)
{
    SetRowLabels(kDiskLabels);
    if (diskIndex < 0 || diskIndex >= kMaxVirtualDisks || diskIndex >= g_nVirtualDiskCount) {
        HideDrivePies();
        return;
    }
    wizard::ShowEnabled(m_capacityPie, FALSE);
    CString text;
    m_values[0].SetWindowText(CString(g_DiskNames[diskIndex]));
    if (g_nImageKind != kImageVhdx) {
        // The whole size, not the 32-bit table entry held at 2^32 sectors.
        text.Format(L"%I64u MB (Approx)", DiskTotalSectors(diskIndex) >> 11);
        m_values[1].SetWindowText(text);
        text.Format(L"%d", static_cast<int>(g_DeviceGeometry.cylinders[diskIndex]));
        m_values[2].SetWindowText(text);
        text.Format(L"%d", static_cast<int>(g_DeviceGeometry.heads[diskIndex]));
        m_values[3].SetWindowText(text);
        text.Format(L"%ld", static_cast<long>(g_DeviceGeometry.sectorsPerTrack[diskIndex]));
        m_values[4].SetWindowText(text);
    } else {
        CVirtualDisk* disk = GetCurrentVirtualDisk();
        // The disk's own size: 4 MB added before the division told every disk 4 MB larger than it is.
        text.Format(L"%I64u MB ", disk != nullptr ? disk->GetDiskSize() / 1048576 : uint64_t{0});
        m_values[1].SetWindowText(text);
        for (int row = 2; row < kRows; ++row)
            m_values[row].SetWindowText(L"");
    }
}

void CFirstDisplay::ShowVolumeDetails(int driveIndex)
{
    SetRowLabels(kVolumeLabels);
    ClearRowValues();
    // No list of logical drives is kept: there is never a drive to describe.
    (void)driveIndex;
}

void CFirstDisplay::ShowPartitionPie()
{
    m_pieShown = true;
    wizard::ShowEnabled(m_pieGroup, TRUE);
    m_partitionPie.RemoveAllSlices();
    // The disk's own size, a VHDX's from its container: without one, a VHDX's partitions had no share
    // and a full disk was drawn as all free.
    const uint64_t total = DiskTotalSectors(g_wDeviceIndex);
    uint64_t sum = 0;
    for (uint32_t i = 0; i < g_nPartitionCount && i < kMaxPartitionTableEntries; ++i) {
        const PartitionTableEntry& p = g_PartitionTable[i];
        const uint64_t share = total > 0 ? static_cast<uint64_t>(p.sectorCount) * 100 / total : 0;
        sum += share;
        LPCWSTR name = L"UNKNOWN";
        COLORREF colour = 0xFFFFFF;
        for (const PieColour& c : kPieColours) {
            if (c.type == p.fileSystemType) {
                name = c.name;
                colour = c.colour;
            }
        }
        m_partitionPie.AddSlice(new morvick::ui::CPieSlice(static_cast<int>(share > 100 ? 100 : share), colour, name));
    }
    if (sum != 100) {
        const uint64_t rest = sum < 100 ? 100 - sum : 0;
        m_partitionPie.AddSlice(new morvick::ui::CPieSlice(static_cast<int>(rest), 0xFF00FF, L"FREE"));
    }
    Invalidate();
}

void CFirstDisplay::HideDrivePies()
{
    wizard::ShowEnabled(m_capacityPie, FALSE);
    wizard::ShowEnabled(m_pieGroup, FALSE);
    m_partitionPie.RemoveAllSlices();
    m_pieShown = false;
    Invalidate();
}

void CFirstDisplay::ResetPane()
{
    SetRowLabels(kDiskLabels);
    ClearRowValues();
    HideDrivePies();
    HideProgressBar();
    HideStatusLine();
    m_prompt.SetWindowText(kPromptText);
    Relayout();
}

void CFirstDisplay::SetPrompt(const CString& text)
{
    if (m_prompt.GetSafeHwnd() != nullptr) {
        m_prompt.SetWindowText(text);
        Relayout();
    }
}

void CFirstDisplay::PrepareForSearch()
{
    SetProgressPos(0);
    ShowProgressBar();
    SetStatusText(L"");
    ShowStatusLine();
}
