// The wizard's pages on real windows: every label holds its text in the font it is drawn with, in
// every set of texts a pane shows (each text measured on the label's own DC), with the pages' own
// fonts and with a wider face in their place, as a machine whose fonts differ gives them; the mode
// summary at the bottom of the pages has room for all of it; and Stop answered Yes on the
// file-system page takes its progress away at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WizardState.h"
#include "app/dialogs/AboutDlg.h"
#include "app/dialogs/DriveInfoDlg.h"
#include "app/dialogs/FileFiltersDlg.h"
#include "app/dialogs/PartitionTypeDlg.h"
#include "app/dialogs/RecoverySettingsDlg.h"
#include "app/pages/Ex_StyleView.h"
#include "app/pages/FileSystemForm.h"
#include "app/pages/FileSystemView.h"
#include "app/pages/FirstDisplay.h"
#include "app/pages/PaneControls.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/app/AppTestSupport.h"

namespace morvick::test {
namespace {

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c == L'\t' ? '~' : c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// The visible text labels below `parent` whose text does not fit their client area, as they draw
// it (tabs expanded, words wrapped unless the label keeps to one line), each with what it needs.
BOOL CALLBACK CollectChild(HWND child, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

std::vector<std::string> ClippedLabels(HWND parent)
{
    std::vector<std::string> clipped;
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND label : children) {
        wchar_t className[32] = L"";
        GetClassNameW(label, className, 32);
        const LONG style = GetWindowLongW(label, GWL_STYLE);
        // Shown by its parent (which itself may be hidden).
        if (lstrcmpiW(className, L"Static") != 0 || !(style & WS_VISIBLE))
            continue;
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
            continue;
        wchar_t text[1024] = L"";
        GetWindowTextW(label, text, 1024);
        if (text[0] == 0)
            continue;
        RECT client = {};
        GetClientRect(label, &client);
        const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        UINT format = DT_CALCRECT | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0u);
        if (wraps)
            format |= DT_WORDBREAK;
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        RECT needed = {0, 0, client.right, 0};
        DrawTextW(dc, text, -1, &needed, format);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        if (needed.right > client.right || needed.bottom > client.bottom) {
            clipped.push_back("\"" + Narrow(text) + "\" (id " + std::to_string(GetDlgCtrlID(label)) + ") needs " +
                std::to_string(needed.right) + " x " + std::to_string(needed.bottom) + ", has " +
                std::to_string(client.right) + " x " + std::to_string(client.bottom));
        }
    }
    return clipped;
}

// A page or pane made as the wizard makes it, in a host window of the frame's smallest size.
template <class View>
View* MakeView(HostWindow& host, int width, int height)
{
    auto* view = new View;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &host, AFX_IDW_PANE_FIRST,
            nullptr))
        return nullptr;  // a view that failed is deleted with its window
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    PumpPending();
    return view;
}

// A font replaced by a wider face a quarter taller: what another machine's fonts may make of it.
void Widen(CFont& font, int height, int weight)
{
    font.DeleteObject();
    font.CreateFont(height * 5 / 4, 0, 0, 0, weight, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"DejaVu Sans");
}

template <class Pane>
class WideLabelPane : public Pane {
public:
    WideLabelPane()
    {
        Widen(this->m_labelFont, 16, FW_NORMAL);
        Widen(this->m_valueFont, 16, FW_NORMAL);
    }
};

class WideStartPage : public CEx_StyleView {
public:
    WideStartPage() { Widen(m_labelFont, 27, FW_BOLD); }
};

// The frame is at least 875 x 690; a page is as wide, and its pane takes what the tree leaves.
constexpr int kPageWidth = 860, kPageHeight = 580;
constexpr int kPaneWidth = 560, kPaneHeight = 460;

template <class StartPage>
void ExpectModeLabelFits()
{
    HostWindow host(kPageWidth, kPageHeight);
    StartPage* page = MakeView<StartPage>(host, kPageWidth, kPageHeight);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ClippedLabels(page->GetSafeHwnd()), std::vector<std::string>());
    // Above the image's box, around the same centre as before.
    CRect label, box;
    page->m_wndModeLabel.GetWindowRect(&label);
    page->m_editFile.GetWindowRect(&box);
    page->ScreenToClient(&label);
    page->ScreenToClient(&box);
    EXPECT_LT(label.bottom, box.top);
    EXPECT_NEAR(label.CenterPoint().x, kPageWidth / 2 - 2, 1);
}

TEST(PageLabels, TheStartPagesModeLabelHoldsItsTextInItsFont)
{
    ExpectModeLabelFits<CEx_StyleView>();
    ExpectModeLabelFits<WideStartPage>();
}

template <class First, class Second, class FileSystems>
void ExpectPaneLabelsFit()
{
    HostWindow host(kPaneWidth, kPaneHeight);
    {
        SCOPED_TRACE("drive page");
        First* pane = MakeView<First>(host, kPaneWidth, kPaneHeight);
        ASSERT_NE(pane, nullptr);
        pane->ShowDiskDetails(-1);
        EXPECT_EQ(ClippedLabels(pane->GetSafeHwnd()), std::vector<std::string>());
        pane->ShowVolumeDetails(-1);
        EXPECT_EQ(ClippedLabels(pane->GetSafeHwnd()), std::vector<std::string>());
        pane->DestroyWindow();
    }
    {
        SCOPED_TRACE("partition page");
        Second* pane = MakeView<Second>(host, kPaneWidth, kPaneHeight);
        ASSERT_NE(pane, nullptr);
        pane->ShowScanRangeOptions();
        pane->ShowPartitionDetailsPlain();
        pane->SetPrompt(L"Please select a partition from the left panel and press [Scan] to continue with recovery",
            L"Selected Drive Information");
        pane->ShowHideProgressButton(TRUE);
        EXPECT_EQ(ClippedLabels(pane->GetSafeHwnd()), std::vector<std::string>());
        pane->SetSearchNote(L"Searching for lost data. Please wait...");
        EXPECT_EQ(ClippedLabels(pane->GetSafeHwnd()), std::vector<std::string>());
        pane->SetSearchNote(L"");
        pane->HideScanRangeOptions();
        for (void (CSecondDisplay::*labels)() :
            {&CSecondDisplay::ShowDriveDetailsPlain, &CSecondDisplay::ShowScanCounterLabels,
                &CSecondDisplay::ShowFatScanCounterLabels, &CSecondDisplay::ShowNtfsScanCounterLabels}) {
            (pane->*labels)();
            EXPECT_EQ(ClippedLabels(pane->GetSafeHwnd()), std::vector<std::string>());
        }
        // The button beside the note holds either of its texts.
        CWnd* button = pane->GetDlgItem(ID_HIDE_PROGRESS);
        ASSERT_NE(button, nullptr);
        for (const wchar_t* text : {CSecondDisplay::kHideProgressText, CSecondDisplay::kShowProgressText}) {
            CClientDC dc(button);
            CFont* old = dc.SelectObject(button->GetFont());
            const CSize needed = dc.GetTextExtent(text, static_cast<int>(wcslen(text)));
            dc.SelectObject(old);
            CRect client;
            button->GetClientRect(&client);
            EXPECT_LE(needed.cx + 8, client.Width()) << Narrow(text);
        }
        pane->DestroyWindow();
    }
    {
        SCOPED_TRACE("file-system page");
        FileSystems* pane = MakeView<FileSystems>(host, kPaneWidth, kPaneHeight);
        ASSERT_NE(pane, nullptr);
        pane->ShowFatFileSystemLabels();
        EXPECT_EQ(ClippedLabels(pane->GetSafeHwnd()), std::vector<std::string>());
        pane->ShowNtfsFileSystemLabels();
        EXPECT_EQ(ClippedLabels(pane->GetSafeHwnd()), std::vector<std::string>());
        pane->DestroyWindow();
    }
}

TEST(PageLabels, TheInformationPanesHoldEverySetOfTheirLabels)
{
    {
        SCOPED_TRACE("the pages' fonts");
        ExpectPaneLabelsFit<CFirstDisplay, CSecondDisplay, CFileSystemForm>();
    }
    {
        SCOPED_TRACE("a wider face");
        ExpectPaneLabelsFit<WideLabelPane<CFirstDisplay>, WideLabelPane<CSecondDisplay>,
            WideLabelPane<CFileSystemForm>>();
    }
}

// A partition that crosses sector 2^32 (2 TiB): its end is shown whole and the range's end box reads
// back whole, not cut to 32 bits (an end before the start, which the Extensive Scan's range check
// then refused); the block's 32-bit end field holds it at its largest.
TEST(PartitionDetails, APartitionCrossingTwoTebibytesShowsItsWholeEnd)
{
    HostWindow host(kPaneWidth, kPaneHeight);
    CSecondDisplay* pane = MakeView<CSecondDisplay>(host, kPaneWidth, kPaneHeight);
    ASSERT_NE(pane, nullptr);
    const VolumeParameterBlock saved = g_VolumeParams;
    g_VolumeParams.partitionStart = 4294965248u;
    g_VolumeParams.partitionSectors = 65536;
    pane->ShowScanRangeOptions();
    pane->ShowPartitionDetails(0, 0);
    EXPECT_EQ(Narrow(static_cast<LPCWSTR>(pane->EndSectorText())), "4295030783");
    EXPECT_EQ(uint32_t{g_VolumeParams.partitionEnd}, 0xFFFFFFFFu);
    uint64_t end = 0;
    EXPECT_TRUE(CSecondView_HDD::ParseEndSectorNumber(pane->EndSectorText(), end));
    EXPECT_EQ(end, 4295030783ull);
    g_VolumeParams = saved;
    pane->DestroyWindow();
}

TEST(PageLabels, TheModeSummaryHasRoomForAllOfItAndKeepsClearOfTheButtons)
{
    HostWindow host(kPageWidth, kPageHeight);
    CFont pageFont, wideFont;
    wizard::MakeArialFont(pageFont, 16, FW_NORMAL);
    Widen(wideFont, 16, FW_NORMAL);
    CClientDC dc(&host);
    const CRect client(0, 0, kPageWidth, kPageHeight);
    for (CFont* font : {&pageFont, &wideFont})
        for (int mode : {kScanQuick, kScanExtensive, kScanFileTrace}) {
            for (bool logicalDrive : {false, true}) {
                for (const CString& text : {wizard::ModeAndDriveText(mode, logicalDrive),
                         wizard::TreeModeText(mode, logicalDrive), wizard::ModeOnlyText(mode)}) {
                    g_strSelectedModeText = text;
                    CFont* old = dc.SelectObject(font);
                    CRect needed(0, 0, 0, 0);
                    dc.DrawText(text, &needed, DT_CALCRECT | DT_LEFT | DT_TOP | DT_NOPREFIX);
                    const CRect room = CWizardPage::ModeTextRect(&dc, client);
                    dc.SelectObject(old);
                    EXPECT_GE(room.Width(), needed.Width()) << Narrow(std::wstring(text.GetString()));
                    EXPECT_GE(room.Height(), needed.Height()) << Narrow(std::wstring(text.GetString()));
                    EXPECT_EQ(room.bottom, client.bottom);
                    // Back stands 213 pixels left of the page's right edge.
                    EXPECT_LT(room.right, client.right - 213);
                }
            }
        }
    g_strSelectedModeText.Empty();
}

// A dialog of the wizard made from its template without being run, and its labels checked.
template <class Dialog, class... Arguments>
void ExpectDialogLabelsFit(UINT templateId, Arguments... arguments)
{
    HostWindow owner;
    Dialog dialog(arguments...);
    ASSERT_TRUE(dialog.Create(templateId, &owner)) << templateId;
    PumpPending();
    EXPECT_EQ(ClippedLabels(dialog.GetSafeHwnd()), std::vector<std::string>()) << templateId;
    dialog.DestroyWindow();
}

TEST(DialogLabels, TheWizardsDialogsHoldTheirLabels)
{
    ExpectDialogLabelsFit<CAboutDlg>(IDD_ABOUT);
    ExpectDialogLabelsFit<CPartitionTypeDlg>(IDD_PARTITION_TYPE, nullptr);
    HostWindow parent;
    ExpectDialogLabelsFit<CRecoverySettingsDlg>(IDD_RECOVERY_SETTINGS, &parent);
    ExpectDialogLabelsFit<CFileFiltersDlg>(IDD_FILE_FILTERS, &parent);
    ExpectDialogLabelsFit<CDriveInfoDlg>(IDD_DRIVE_INFO, &parent);
}

// A scan that runs until it is told to stop.
int RunUntilStopped(ScanFinishedWord& finished)
{
    while (finished != 1)
        Sleep(1);
    return 0;
}

TEST(FileSystemPageStop, YesTakesTheProgressBarAndTheStatusLineAwayAtOnce)
{
    wizard::ResetWorkerProtocolForTests();
    HostWindow host(kPageWidth, kPageHeight);
    CFileSystemView* page = MakeView<CFileSystemView>(host, kPageWidth, kPageHeight);
    ASSERT_NE(page, nullptr);
    ASSERT_NE(page->m_pForm, nullptr);
    CWnd* bar = page->m_pForm->GetDlgItem(IDC_PANE_PROGRESS);
    CWnd* status = page->m_pForm->GetDlgItem(IDC_PANE_STATUS);
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(status, nullptr);
    // As the page shows a running scan of a found volume.
    page->m_pForm->ShowProgressBar();
    page->m_pForm->ShowStatusLine();
    page->m_pForm->SetStatusText(L"Reading Sector 100 Of 200");
    page->m_btnStop.ShowWindow(SW_SHOW);
    page->m_btnStop.EnableWindow(TRUE);
    ASSERT_TRUE(wizard::StartWorker(RunUntilStopped));

    // No: everything stays.
    wizard::SetStopQuestion([](const CString&) { return false; });
    page->OnStop();
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_TRUE(status->IsWindowVisible());
    EXPECT_TRUE(page->m_btnStop.IsWindowVisible());

    // Yes: the bar, the status line and Stop go before the worker has even ended.
    wizard::SetStopQuestion([](const CString&) { return true; });
    page->OnStop();
    EXPECT_FALSE(bar->IsWindowVisible());
    EXPECT_FALSE(status->IsWindowVisible());
    EXPECT_FALSE(page->m_btnStop.IsWindowVisible());

    EXPECT_TRUE(wizard::StopWorkerAndWait(10000));
    wizard::SetStopQuestion(nullptr);
    wizard::ResetWorkerProtocolForTests();
}

}  // namespace
}  // namespace morvick::test
