#include "DibSurface.h"
#include "GdiTestResources.h"
#include "TestHost.h"

#include "classlib/win/AfxCtrls.h"

#include <gtest/gtest.h>

#include <algorithm>

// --- List and combo boxes ------------------------------------------------------------------------

TEST(ListBoxes, TextOfMissingItemsIsEmpty)
{
    TestHost host;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, CRect(0, 0, 100, 100), &host, 10));
    combo.AddString(L"one");
    combo.AddString(L"two");
    CString text = L"stale";
    combo.GetLBText(1, text);
    EXPECT_TRUE(text == L"two");
    combo.GetLBText(7, text);
    EXPECT_EQ(0, text.GetLength());

    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, CRect(0, 0, 100, 100), &host, 11));
    list.AddString(L"alpha");
    list.GetText(0, text);
    EXPECT_TRUE(text == L"alpha");
    list.GetText(-1, text);
    EXPECT_EQ(0, text.GetLength());
}

// --- Check list box ------------------------------------------------------------------------------

TEST(CheckListBox, ChecksTravelWithTheItemsAndLeaveTheItemData)
{
    TestHost host;
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 200, 150), &host, 12));
    list.AddString(L"Standard");
    list.AddString(L"Formatting");
    list.InsertString(0, L"Menu Bar");
    list.SetItemData(1, 1234);

    list.SetCheck(1, 1);
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_EQ(0, list.GetCheck(0));
    EXPECT_EQ((DWORD_PTR)1234, list.GetItemData(1));   // the program's data is untouched
    list.SetCheck(0, 2);
    EXPECT_EQ(1, list.GetCheck(0));   // no third state for a two-state list
    list.SetCheckStyle(BS_AUTO3STATE);
    list.SetCheck(0, 2);
    EXPECT_EQ(2, list.GetCheck(0));

    // Deleting an item moves the later ones up with their states.
    list.DeleteString(0);
    EXPECT_EQ(1, list.GetCheck(0));
    EXPECT_EQ((DWORD_PTR)1234, list.GetItemData(0));
    list.Enable(1, FALSE);
    EXPECT_FALSE(list.IsEnabled(1));
    EXPECT_TRUE(list.IsEnabled(0));
    EXPECT_EQ(0, list.GetCheck(9));
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
}

TEST(CheckListBox, ClickOnTheBoxTogglesAndTellsTheParent)
{
    TestHost host;
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 200, 150), &host, 13));
    list.AddString(L"Standard");
    list.AddString(L"Disabled");
    list.Enable(1, FALSE);
    CRect item;
    list.GetItemRect(0, &item);
    CPoint box(item.left + 4, item.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    EXPECT_EQ(1, list.GetCheck(0));
    // The change is told once, by the list's id (the list tells its selection besides).
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(1, std::count_if(host.commands.begin(), host.commands.end(), [](const auto& c) {
        return c.id == 13u && c.code == (UINT)CLBN_CHKCHANGE;
    }));
    EXPECT_TRUE(std::all_of(host.commands.begin(), host.commands.end(), [](const auto& c) { return c.id == 13u; }));

    // A click on the text selects and leaves the box alone.
    CPoint label(item.right - 10, item.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(label.x, label.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(label.x, label.y));
    EXPECT_EQ(1, list.GetCheck(0));
    EXPECT_EQ(0, list.GetCurSel());

    // A click on the box of a row that is not selected selects it too, as the platform's list does,
    // so the parent finds the changed row at the caret.
    list.AddString(L"Third");
    list.SetCurSel(0);
    list.GetItemRect(2, &item);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 4, item.CenterPoint().y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.left + 4, item.CenterPoint().y));
    EXPECT_EQ(1, list.GetCheck(2));
    EXPECT_EQ(1, list.GetCheck(0));
    EXPECT_EQ(2, list.GetCurSel());
    EXPECT_EQ(2, list.GetCaretIndex());

    // A disabled item does not change.
    list.GetItemRect(1, &item);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 4, item.CenterPoint().y));
    EXPECT_EQ(0, list.GetCheck(1));
}

// --- Bitmap button -------------------------------------------------------------------------------

TEST(BitmapButton, DrawsTheBitmapOfItsState)
{
    TestHost host;
    CBitmapButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 40, 40), &host, 14));
    EXPECT_TRUE(button.LoadBitmaps(IDB_TEST_RED, IDB_TEST_GREEN, 0, IDB_TEST_BLUE));
    button.SizeToContent();
    CRect rect;
    button.GetWindowRect(&rect);
    EXPECT_EQ(CSize(16, 16), rect.Size());

    DibSurface surface(16, 16);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.hDC = surface.dc().m_hDC;
    dis.rcItem = CRect(0, 0, 16, 16);
    dis.hwndItem = button.m_hWnd;
    const struct {
        UINT state;
        COLORREF colour;
    } cases[] = {{0, RGB(255, 0, 0)}, {ODS_SELECTED, RGB(0, 255, 0)}, {ODS_FOCUS, RGB(255, 0, 0)},
                 {ODS_DISABLED, RGB(0, 0, 255)}};
    for (const auto& c : cases) {
        dis.itemState = c.state;
        button.DrawItem(&dis);
        EXPECT_EQ(256, surface.Count(c.colour)) << "state " << c.state;
    }
    // Through the parent: WM_DRAWITEM is reflected to the button.
    surface.dc().FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    dis.itemState = ODS_SELECTED;
    host.SendMessage(WM_DRAWITEM, 14, (LPARAM)&dis);
    EXPECT_EQ(256, surface.Count(RGB(0, 255, 0)));
    AfxDeleteTempGdiMaps();

    EXPECT_FALSE(button.LoadBitmaps(4711));
    EXPECT_FALSE(button.LoadBitmaps(IDB_TEST_RED, 4711));
}

// --- Tooltips ------------------------------------------------------------------------------------

TEST(ToolTipCtrl, ToolsAreAddedReadAndRemoved)
{
    TestHost host;
    CButton target;
    ASSERT_TRUE(target.Create(L"Save", WS_CHILD | WS_VISIBLE, CRect(10, 10, 80, 30), &host, 15));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&host));
    EXPECT_TRUE(tips.AddTool(&target, L"Recover selected files and folders"));
    EXPECT_TRUE(tips.AddTool(&host, L"Area", CRect(100, 100, 150, 150), 77));
    EXPECT_EQ(2, tips.GetToolCount());

    CString text;
    tips.GetText(text, &target);
    EXPECT_TRUE(text == L"Recover selected files and folders");
    tips.UpdateTipText(L"Save now", &target);
    CToolInfo info;
    ASSERT_TRUE(tips.GetToolInfo(info, &target));
    EXPECT_STREQ(L"Save now", info.szText);
    EXPECT_TRUE(info.uFlags & TTF_IDISHWND);

    TOOLINFO hit = {};
    EXPECT_TRUE(tips.HitTest(&host, CPoint(120, 120), &hit));
    EXPECT_EQ((UINT_PTR)77, hit.uId);
    EXPECT_FALSE(tips.HitTest(&host, CPoint(300, 300), &hit));

    tips.DelTool(&target);
    EXPECT_EQ(1, tips.GetToolCount());
    EXPECT_FALSE(tips.AddTool(nullptr, L"nothing"));
}

// --- Status bar ----------------------------------------------------------------------------------

TEST(StatusBarCtrl, PartsAndTexts)
{
    TestHost host;
    CStatusBarCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &host, 16));
    int edges[3] = {100, 200, -1};
    EXPECT_TRUE(bar.SetParts(3, edges));
    EXPECT_EQ(3, bar.GetParts(0, nullptr));
    EXPECT_TRUE(bar.SetText(L"Ready", 0, 0));
    EXPECT_TRUE(bar.SetText(L"Popped", 1, SBT_POPOUT));
    int type = 0;
    EXPECT_TRUE(bar.GetText(1, &type) == L"Popped");
    EXPECT_EQ(SBT_POPOUT, type);
    EXPECT_EQ(5, bar.GetTextLength(0));
    CRect part;
    ASSERT_TRUE(bar.GetRect(1, &part));
    EXPECT_GT(part.right, part.left);
    EXPECT_FALSE(bar.SetText(L"x", 300, 0));   // the pane number has one byte
}

namespace {

class StatusFrame : public CFrameWnd {
public:
    StatusFrame()
    {
        Create(nullptr, L"status frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 300));
    }
};

} // namespace

TEST(StatusBar, IndicatorsPanesAndLayoutAlongTheBottom)
{
    StatusFrame* frame = new StatusFrame;
    ASSERT_NE(nullptr, frame->m_hWnd);
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(frame));
    const UINT indicators[] = {0, IDS_TEST_INDICATOR, 0};
    EXPECT_TRUE(bar.SetIndicators(indicators, 3));
    EXPECT_EQ(3, bar.GetCount());
    EXPECT_EQ(1, bar.CommandToIndex(IDS_TEST_INDICATOR));
    EXPECT_EQ(-1, bar.CommandToIndex(999));
    EXPECT_TRUE(bar.GetPaneText(1) == L"INDICATOR");

    // The first id-0 pane stretches and carries the bar's window text.
    EXPECT_TRUE(bar.GetPaneStyle(0) & SBPS_STRETCH);
    bar.SetWindowText(L"Ready");
    EXPECT_TRUE(bar.GetPaneText(0) == L"Ready");
    EXPECT_TRUE(bar.GetStatusBarCtrl().GetText(0) == L"Ready");

    EXPECT_TRUE(bar.SetPaneText(2, L"12 files"));
    EXPECT_TRUE(bar.GetStatusBarCtrl().GetText(2) == L"12 files");
    EXPECT_FALSE(bar.SetPaneText(3, L"no such pane"));
    EXPECT_FALSE(bar.SetPaneText(-1, L"no such pane"));
    EXPECT_EQ(0, bar.GetPaneText(5).GetLength());

    bar.SetPaneInfo(2, 0, SBPS_NORMAL, 40);
    UINT id = 1, style = 1;
    int width = 0;
    bar.GetPaneInfo(2, id, style, width);
    EXPECT_EQ(0u, id);
    EXPECT_EQ(40, width);
    // A disabled pane shows no text but keeps it.
    bar.SetPaneStyle(2, SBPS_DISABLED);
    EXPECT_EQ(0, bar.GetStatusBarCtrl().GetText(2).GetLength());
    EXPECT_TRUE(bar.GetPaneText(2) == L"12 files");

    // Layout: the bar spans the frame's bottom edge; the stretching pane takes the spare width.
    frame->RecalcLayout();
    CRect client, barRect;
    frame->GetClientRect(&client);
    bar.GetWindowRect(&barRect);
    frame->ScreenToClient(&barRect);
    EXPECT_EQ(client.bottom, barRect.bottom);
    EXPECT_EQ(client.Width(), barRect.Width());
    EXPECT_GT(barRect.Height(), 10);
    int parts[3] = {0, 0, 0};
    ASSERT_EQ(3, bar.GetStatusBarCtrl().GetParts(3, parts));
    EXPECT_GT(parts[0], client.Width() / 2);
    EXPECT_LT(parts[0], parts[1]);
    EXPECT_LT(parts[1], parts[2]);

    bar.DestroyWindow();
    frame->DestroyWindow();
}

// --- Property sheet ------------------------------------------------------------------------------

namespace {

class RecordingPage : public CPropertyPage {
public:
    explicit RecordingPage(UINT id) : CPropertyPage(id) {}
    BOOL OnSetActive() override { ++activated; return CPropertyPage::OnSetActive(); }
    BOOL OnApply() override { ++applied; return CPropertyPage::OnApply(); }
    int activated = 0;
    int applied = 0;
};

} // namespace

TEST(PropertySheets, PagesAreAttachedActivatedAndApplied)
{
    TestHost host;
    RecordingPage first(IDD_TEST_PAGE1), second(IDD_TEST_PAGE2);
    CPropertySheet sheet(L"Customize", &host);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    EXPECT_EQ(2, sheet.GetPageCount());
    ASSERT_TRUE(sheet.Create(&host, WS_POPUP | WS_CAPTION | WS_SYSMENU));
    PumpMessages();

    ASSERT_NE(nullptr, first.m_hWnd);
    EXPECT_EQ(&first, CWnd::FromHandlePermanent(first.m_hWnd));
    EXPECT_EQ(1, first.activated);
    EXPECT_EQ(&first, sheet.GetActivePage());
    EXPECT_EQ(nullptr, second.m_hWnd);   // pages are made when first shown

    EXPECT_TRUE(sheet.SetActivePage(&second));
    PumpMessages();
    ASSERT_NE(nullptr, second.m_hWnd);
    EXPECT_EQ(1, second.activated);
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_EQ(&sheet, second.GetSheet());
    EXPECT_FALSE(sheet.SetActivePage(5));

    sheet.PressButton(PSBTN_APPLYNOW);
    PumpMessages();
    EXPECT_EQ(1, first.applied);
    EXPECT_EQ(1, second.applied);
    sheet.DestroyWindow();
    EXPECT_EQ(nullptr, sheet.m_hWnd);
}

// --- File dialog ---------------------------------------------------------------------------------

TEST(FileDialog, MultipleSelectionPaths)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, L"Images|*.bmp;*.png|All files|*.*||");
    EXPECT_EQ(0, memcmp(dialog.m_ofn.lpstrFilter, L"Images\0*.bmp;*.png\0All files\0*.*\0\0", 34 * sizeof(wchar_t)));

    // Nothing chosen: no positions at all.
    EXPECT_EQ(nullptr, dialog.GetStartPosition());

    static wchar_t several[] = L"C:\\out\0a.txt\0b.txt\0";
    dialog.m_ofn.lpstrFile = several;
    std::vector<std::wstring> paths;
    POSITION pos = dialog.GetStartPosition();
    while (pos != nullptr)
        paths.push_back((LPCTSTR)dialog.GetNextPathName(pos));
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\out\\a.txt", L"C:\\out\\b.txt"}), paths);

    static wchar_t single[] = L"C:\\out\\only.txt\0";
    dialog.m_ofn.lpstrFile = single;
    dialog.m_ofn.nFileExtension = 12;
    dialog.m_ofn.lpstrFileTitle = nullptr;
    pos = dialog.GetStartPosition();
    EXPECT_TRUE(dialog.GetNextPathName(pos) == L"C:\\out\\only.txt");
    EXPECT_EQ(nullptr, pos);
    EXPECT_TRUE(dialog.GetFileName() == L"only.txt");
    EXPECT_TRUE(dialog.GetFileExt() == L"txt");
    EXPECT_TRUE(dialog.GetFileTitle() == L"only");

    static wchar_t root[] = L"C:\\\0x.bin\0";
    dialog.m_ofn.lpstrFile = root;
    pos = dialog.GetStartPosition();
    EXPECT_TRUE(dialog.GetNextPathName(pos) == L"C:\\x.bin");
}

// --- Data exchange with list and combo boxes -----------------------------------------------------

namespace {

class ListsDialog : public CDialog {
public:
    ListsDialog() : CDialog(IDD_TEST_PAGE1) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_CBString(pDX, IDC_TEST_COMBO, comboText);
        DDX_LBString(pDX, IDC_TEST_LIST, listText);
        DDX_LBIndex(pDX, IDC_TEST_LIST, listIndex);
    }
    void Fill()
    {
        const wchar_t* items[] = {L"1 MB", L"25 MB", L"50 MB"};
        for (const wchar_t* item : items) {
            SendDlgItemMessage(IDC_TEST_COMBO, CB_ADDSTRING, 0, (LPARAM)item);
            SendDlgItemMessage(IDC_TEST_LIST, LB_ADDSTRING, 0, (LPARAM)item);
        }
    }
    CString comboText;
    CString listText;
    int listIndex = -1;
};

} // namespace

TEST(DataExchange, ListAndComboSelectionsByTextAndIndex)
{
    TestHost host;
    ListsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_PAGE1, &host));
    dialog.Fill();

    // Loading selects by the text's beginning; saving reads the selected item back in full.
    dialog.comboText = L"25";
    dialog.listText = L"50 MB";
    dialog.listIndex = 2;
    ASSERT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(1, (int)dialog.SendDlgItemMessage(IDC_TEST_COMBO, CB_GETCURSEL));
    dialog.comboText.Empty();
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_TRUE(dialog.comboText == L"25 MB");
    EXPECT_TRUE(dialog.listText == L"50 MB");
    EXPECT_EQ(2, dialog.listIndex);

    // No selection reads as empty text and index -1.
    dialog.SendDlgItemMessage(IDC_TEST_LIST, LB_SETCURSEL, (WPARAM)-1);
    dialog.SendDlgItemMessage(IDC_TEST_COMBO, CB_SETCURSEL, (WPARAM)-1);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(0, dialog.listText.GetLength());
    EXPECT_EQ(0, dialog.comboText.GetLength());
    EXPECT_EQ(-1, dialog.listIndex);
    dialog.DestroyWindow();
}

// --- Rebar ---------------------------------------------------------------------------------------

TEST(ReBar, BandsHoldWindowsAndTheFrameLeavesRoomForThem)
{
    StatusFrame* frame = new StatusFrame;
    CReBar rebar;
    ASSERT_TRUE(rebar.Create(frame));
    CStatic first, second;
    ASSERT_TRUE(first.Create(L"one", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 24), &rebar, 1));
    ASSERT_TRUE(second.Create(L"two", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 30), &rebar, 2));
    EXPECT_TRUE(rebar.AddBar(&first, L"First"));
    EXPECT_TRUE(rebar.AddBar(&second, nullptr, nullptr, RBBS_BREAK));
    EXPECT_FALSE(rebar.AddBar(nullptr));
    ASSERT_EQ(2u, rebar.GetReBarCtrl().GetBandCount());

    REBARBANDINFO info = {};
    info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
    ASSERT_TRUE(rebar.GetReBarCtrl().GetBandInfo(1, &info));
    EXPECT_EQ(second.m_hWnd, info.hwndChild);
    EXPECT_EQ(30u, info.cyMinChild);

    // Two rows (the second band breaks): the rebar is at least as high as both windows.
    frame->RecalcLayout();
    CSize size = rebar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(32767, size.cx);
    EXPECT_GE(size.cy, 24 + 30);
    CRect rect;
    rebar.GetWindowRect(&rect);
    frame->ScreenToClient(&rect);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(size.cy, rect.Height());

    // A hidden window's band stops counting.
    second.ShowWindow(SW_HIDE);
    CSize smaller = rebar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_LT(smaller.cy, size.cy);

    rebar.DestroyWindow();
    frame->DestroyWindow();
}

namespace {

// A frame whose update handlers decide about the indicator pane.
class IndicatorFrame : public CFrameWnd {
public:
    IndicatorFrame() { Create(nullptr, L"indicator frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 300)); }
    BOOL enableIndicator = TRUE;
    const wchar_t* indicatorText = nullptr;

    void OnUpdateIndicator(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(enableIndicator);
        if (indicatorText != nullptr)
            pCmdUI->SetText(indicatorText);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(IndicatorFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(IDS_TEST_INDICATOR, OnUpdateIndicator)
END_MESSAGE_MAP()

} // namespace

TEST(StatusBar, IdleUpdateAsksTheFrameAboutEachPane)
{
    IndicatorFrame* frame = new IndicatorFrame;
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(frame));
    const UINT indicators[] = {0, IDS_TEST_INDICATOR};
    ASSERT_TRUE(bar.SetIndicators(indicators, 2));
    CStatusBarCtrl& ctrl = bar.GetStatusBarCtrl();

    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(ctrl.GetText(1) == L"INDICATOR");

    frame->enableIndicator = FALSE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(bar.GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_EQ(0, ctrl.GetText(1).GetLength());

    frame->enableIndicator = TRUE;
    frame->indicatorText = L"NUM";
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(bar.GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_TRUE(ctrl.GetText(1) == L"NUM");

    bar.DestroyWindow();
    frame->DestroyWindow();
}

TEST(ControlBar, DelayedHideTakesEffectAtTheNextLayout)
{
    StatusFrame* frame = new StatusFrame;
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(frame));
    const UINT indicators[] = {0};
    bar.SetIndicators(indicators, 1);
    frame->RecalcLayout();
    ASSERT_TRUE(bar.GetStyle() & WS_VISIBLE);

    bar.DelayShow(FALSE);
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);   // nothing happened to the window yet
    frame->RecalcLayout();
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(bar.IsVisible());

    bar.DelayShow(TRUE);
    EXPECT_TRUE(bar.IsVisible());
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);   // the idle pass carries it out too
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);

    bar.DestroyWindow();
    frame->DestroyWindow();
}
