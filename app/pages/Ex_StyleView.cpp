#include "app/pages/Ex_StyleView.h"

#include "app/EngineText.h"

#include "app/AppMessages.h"
#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/pages/PaneControls.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/ThirdView_HDD.h"
#include "engine/image/VirtualDisk.h"
#include "engine/io/DiskFile.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "ui/controls/win/HoverBitmaps.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CEx_StyleView, CWizardPage)

BEGIN_MESSAGE_MAP(CEx_StyleView, CWizardPage)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CTLCOLOR()
ON_COMMAND(ID_QUICK_SCAN, OnQuickScanCommand)
ON_COMMAND(ID_EXTENSIVE_SCAN, OnExtensiveScanCommand)
ON_COMMAND(ID_FILE_TRACE, OnFileTraceCommand)
ON_COMMAND(ID_BROWSE_IMAGE, OnBrowseCommand)
END_MESSAGE_MAP()

namespace {

const COLORREF kCaptionColour = 0xBD751D;
const COLORREF kLabelBackground = 0xF2F2F2;
const wchar_t kNoFileText[] = L"\nPlease Select VHD/VHDX file...";
const wchar_t kMissingFileText[] = L" file does not exists.";
const wchar_t kDamagedImageText[] =
    L"This file is highly corrupted or it is invalid file type.  Please select another file to recover.";
const wchar_t kPromptText[] = L"Please select VHD / VHDX file. ";
const wchar_t kNoHoverText[] = L"Please Select Recovery Option.";

void MakeArial(CFont& font, int height, int weight)
{
    font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

// The container a file holds by its first bytes: VHDX files begin with "vhdxfile"; anything else
// is tried as a VHD, whose reader checks its footer. Read with others writing, as the VHDX reader
// reads, so that an image its own program holds open is still told apart.
uint32_t SniffContainer(const CString& path)
{
    CDiskFile file;
    char id[8] = {};
    const bool vhdx =
        file.OpenRead(ToU16(path), true) && file.ReadAt(id, 0, sizeof(id)) && std::memcmp(id, "vhdxfile", 8) == 0;
    file.Close();
    return vhdx ? CVirtualDisk::kVhdx : CVirtualDisk::kVhd;
}

CFirstView_HDD* DrivePage()
{
    CEx_StyleApp* app = WizardApp();
    return app != nullptr ? dynamic_cast<CFirstView_HDD*>(app->GetPage(CEx_StyleApp::kDrivePage)) : nullptr;
}

}  // namespace

CEx_StyleView::CEx_StyleView() : CWizardPage(CEx_StyleApp::kStartPage) {}

CEx_StyleView::~CEx_StyleView()
{
    delete m_pSelectFont;
}

UINT CEx_StyleView::BackgroundBitmap() const
{
    return IDB_START_BACKGROUND;
}

void CEx_StyleView::HeaderBitmaps(UINT& left, UINT& middle, UINT& right) const
{
    left = IDB_START_HEADER_LEFT;
    middle = IDB_START_HEADER_MIDDLE;
    right = IDB_START_HEADER_RIGHT;
}

int CEx_StyleView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWizardPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_whiteBrush.CreateSolidBrush(RGB(255, 255, 255));
    m_labelBrush.CreateSolidBrush(kLabelBackground);
    MakeArial(m_buttonFont, 18, FW_NORMAL);

    struct ModeButton {
        morvick::ui::CHoverButton* button;
        UINT command, normal, hover, hoverId;
    } buttons[] = {
        {&m_btnQuickScan, ID_QUICK_SCAN, IDB_QUICK_SCAN, IDB_QUICK_SCAN_HOVER, 1},
        {&m_btnFileTrace, ID_FILE_TRACE, IDB_FILE_TRACE, IDB_FILE_TRACE_HOVER, 2},
        {&m_btnExtensiveScan, ID_EXTENSIVE_SCAN, IDB_EXTENSIVE_SCAN, IDB_EXTENSIVE_SCAN_HOVER, 3},
    };
    for (const ModeButton& b : buttons) {
        b.button->Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, CRect(0, 0, 10, 10), this, b.command);
        b.button->LoadHoverBitmaps(b.normal, b.hover);
        b.button->SetHoverId(b.hoverId);
        b.button->SetBuddy(this);
    }

    m_pSelectFont = new CFont;
    MakeArial(*m_pSelectFont, 17, FW_NORMAL);
    m_btnSelect.Create(L"Select", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(0, 0, 80, 40), this,
        ID_BROWSE_IMAGE);
    // A style of its own, so that its colours are not every themed button's.
    m_btnSelect.SetButtonStyleFlags(TKBS_SEMIFLAT);
    m_btnSelect.SetFont(m_pSelectFont);
    m_btnSelect.SetFaceColor(RGB(255, 255, 255));
    m_btnSelect.SetTextColor(kCaptionColour);

    m_editFile.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, CRect(0, 0, 400, 40), this,
        IDC_IMAGE_PATH);
    m_editFile.SetFont(&m_buttonFont);
    m_wndModeLabel.Create(L"VHD/VHDX", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(0, 0, 130, 30), this, IDC_MODE_LABEL);
    return 0;
}

void CEx_StyleView::OnSize(UINT nType, int cx, int cy)
{
    CWizardPage::OnSize(nType, cx, cy);
    const int x = cx / 2, y = cy / 2;
    auto place = [](CWnd& w, int left, int top, int width, int height) {
        if (w.GetSafeHwnd() != nullptr)
            w.MoveWindow(left, top, width, height, TRUE);
    };
    place(m_btnQuickScan, x - 259, y - 81, 181, 203);
    place(m_btnExtensiveScan, x - 96, y - 81, 173, 203);
    place(m_btnFileTrace, x + 69, y - 81, 163, 203);
    place(m_btnSelect, x + 151, y - 148, 80, 40);
    place(m_editFile, x - 249, y - 148, 400, 40);
    if (m_wndModeLabel.GetSafeHwnd() != nullptr) {
        if (m_labelFont.GetSafeHandle() == nullptr)
            MakeArial(m_labelFont, 27, FW_BOLD);
        m_wndModeLabel.SetFont(&m_labelFont);
        // 130 x 30 around its centre, or as large as its text needs in the font it is drawn with.
        const CSize text = wizard::TextExtent(m_wndModeLabel, &m_labelFont, wizard::WindowText(m_wndModeLabel));
        const int width = text.cx + 8 > 130 ? text.cx + 8 : 130;
        const int height = text.cy > 30 ? text.cy : 30;
        place(m_wndModeLabel, x - 2 - width / 2, y - 200 - (height - 30) / 2, width, height);
    }
    Invalidate(FALSE);
}

HBRUSH CEx_StyleView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_MODE_LABEL) {
        pDC->SetTextColor(kCaptionColour);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(kLabelBackground);
        return static_cast<HBRUSH>(m_labelBrush.GetSafeHandle());
    }
    return CWizardPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

CString CEx_StyleView::HoverText(UINT hovered)
{
    switch (hovered) {
    case 1:
        return L"\tSelect this mode to recover data from minor corruptions of VHD/VHDX files.";
    case 2:
        return L"\t    Select the File Trace mode if both Quick scan and Extensive scan mode do not work for you.";
    case 3:
        return L"  Select this mode to recover data from high corruptions of VHD/VHDX files.";
    default:
        return kNoHoverText;
    }
}

void CEx_StyleView::DrawContents(CDC* dc, const CRect& client)
{
    const int x = client.Width() / 2, y = client.Height() / 2;
    CFont* old = dc->SelectObject(&m_buttonFont);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kCaptionColour);
    CRect prompt(x - 147, y - 100, x + 230, y - 80);
    dc->DrawText(kPromptText, &prompt, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    const UINT hovered = morvick::ui::g_nHoveredModeButton;
    CRect line(x - 380, y + 140, x + 360, y + 160);
    if (hovered == 0) {
        line.left = x - 360;
        dc->SetTextColor(0x3A3A3A);
    }
    dc->DrawText(HoverText(hovered), &line, DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    dc->SelectObject(old);
}

void CEx_StyleView::OnQuickScanCommand()
{
    OnQuickScan();
}
void CEx_StyleView::OnExtensiveScanCommand()
{
    OnExtensiveScan();
}
void CEx_StyleView::OnFileTraceCommand()
{
    OnFileTrace();
}
void CEx_StyleView::OnBrowseCommand()
{
    OnBrowse();
}

BOOL CEx_StyleView::OnQuickScan()
{
    return StartMode(kScanQuick);
}
BOOL CEx_StyleView::OnExtensiveScan()
{
    return StartMode(kScanExtensive);
}
BOOL CEx_StyleView::OnFileTrace()
{
    return StartMode(kScanFileTrace);
}

BOOL CEx_StyleView::StartMode(int scanMode)
{
    CMainFrame* frame = WizardFrame();
    if (frame != nullptr)
        frame->SetStage(CMainFrame::kStageSource);
    if (!ValidateSourceFile())
        return FALSE;
    if (frame != nullptr)
        frame->m_bModeChosen = TRUE;
    g_nScanMode = scanMode;
    g_strSelectedModeText = wizard::ModeOnlyText(scanMode);
    CEx_StyleApp* app = WizardApp();
    if (app != nullptr) {
        if (auto* results = dynamic_cast<CThirdView_HDD*>(app->GetPage(CEx_StyleApp::kResultsPage)))
            results->SetColumnsForMode(scanMode);
    }
    morvick::ui::g_nHoveredModeButton = 0;
    if (app != nullptr)
        app->SwitchView(CEx_StyleApp::kDrivePage);
    return TRUE;
}

bool CEx_StyleView::OpenImage(const CString& path)
{
    CMainFrame* frame = WizardFrame();
    if (frame == nullptr)
        return false;
    frame->EnsureVirtualDisk();
    CVirtualDisk* disk = frame->VirtualDisk();
    // The extension decides, without regard to case; another name is known by its first bytes: a
    // literal match left "X.VHD" without a reader of its own, read by whatever reader came before.
    const int dot = path.ReverseFind(L'.');
    const CString extension = dot >= 0 ? path.Mid(dot + 1) : CString();
    uint32_t type = CVirtualDisk::kVhd;
    if (extension.CompareNoCase(L"vhdx") == 0)
        type = CVirtualDisk::kVhdx;
    else if (extension.CompareNoCase(L"vhd") != 0)
        type = SniffContainer(path);
    g_nImageKind = type == CVirtualDisk::kVhdx ? kImageVhdx : kImageVhd;
    disk->Create(type);
    return disk->Open(ToU16(path)) != 0;
}

int CEx_StyleView::ValidateSourceFile()
{
    CString path = wizard::WindowText(m_editFile);
    path.Trim();
    if (path.IsEmpty()) {
        ShowAppMessage(kNoFileText, kAppInformation);
        return 0;
    }
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        ShowAppMessage(path + kMissingFileText, kAppQuestion);
        return 0;
    }
    // A failed open stops here for the image opened last time too: going on, the drive page would offer
    // a disk that can no longer be read.
    if (!OpenImage(path)) {
        m_editFile.SetWindowText(L"");
        ShowAppMessage(kDamagedImageText, kAppError);
        return 0;
    }
    // Opened once, and the one entry of the drive page's tree whether it is the same file again or a
    // new one: each new press added another entry, whose empty geometry the pie then divided by.
    if (CFirstView_HDD* drive = DrivePage())
        drive->FillDeviceTree();
    m_strLastImagePath = path;
    if (CMainFrame* frame = WizardFrame())
        frame->SetOpenEnabled(FALSE);
    return 1;
}

void CEx_StyleView::OnBrowse()
{
    // Both patterns named: "*.vhd?" does not list plain .vhd files in every file dialog.
    CFileDialog dialog(TRUE, nullptr, nullptr,
        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_LONGNAMES,
        L"vhd file (.vhd,.vhdx)|*.vhd;*.vhdx||", this);
    dialog.m_ofn.lpstrTitle = L"Add  file to repair";
    if (dialog.DoModal() != IDOK)
        return;
    CString chosen;
    POSITION position = dialog.GetStartPosition();
    while (position != nullptr)
        chosen = dialog.GetNextPathName(position);
    if (GetFileAttributesW(chosen) == INVALID_FILE_ATTRIBUTES) {
        CString trimmed = chosen;
        trimmed.Trim();
        ShowAppMessage(trimmed + kMissingFileText, kAppQuestion);
        return;
    }
    m_editFile.SetWindowText(chosen);
}
