// Customisation of the command bars in a test frame: the customise sheet and its pages, where a
// dragged control lands on a bar, the drag itself (driven step by step, through its message loop and
// once with real input), the toolbar name dialog, the context-menu commands and the saved layout.
#include <gtest/gtest.h>

#include "res/commandbars-customize.h"
#include "tests/support/win/InputSupport.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlEdit.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/customize/CustomizeDropSource.h"
#include "toolkit/commandbars/customize/CustomizeImagePopup.h"
#include "toolkit/commandbars/customize/CustomizeSheet.h"
#include "toolkit/commandbars/customize/CustomizeToolbarNameDialog.h"
#include "toolkit/commandbars/customize/ImageEditorPicture.h"

#include <functional>

namespace {

const UINT kFileCommands[] = {100, 101};
const UINT kViewCommands[] = {102, 103, 104};

std::vector<int> Ids(CTKPCommandBar* pBar)
{
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControlCount(); ++i) {
        if (!pBar->GetControl(i)->IsTemporary())  // the bar's own expand button
            ids.push_back(pBar->GetControl(i)->GetID());
    }
    return ids;
}

// Runs fn on the first top-level window of this thread with the caption once it exists (from inside
// whatever modal loop runs meanwhile).
class DialogAnswer {
public:
    DialogAnswer(LPCWSTR lpszCaption, std::function<void(HWND)> fn)
    {
        s_pCurrent = this;
        m_strCaption = lpszCaption;
        m_fn = fn;
        m_nTimer = ::SetTimer(NULL, 0, 10, &DialogAnswer::OnTimer);
    }
    ~DialogAnswer()
    {
        ::KillTimer(NULL, m_nTimer);
        s_pCurrent = nullptr;
    }
    bool m_bDone = false;

private:
    static BOOL CALLBACK FindWindowProc(HWND hWnd, LPARAM lParam)
    {
        WCHAR sz[128] = {};
        ::GetWindowTextW(hWnd, sz, 128);
        if (s_pCurrent->m_strCaption == sz && ::IsWindowVisible(hWnd)) {
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_pCurrent == nullptr || s_pCurrent->m_bDone)
            return;
        HWND hFound = NULL;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindWindowProc, (LPARAM)&hFound);
        if (hFound == NULL)
            return;
        s_pCurrent->m_bDone = true;
        s_pCurrent->m_fn(hFound);
    }
    static DialogAnswer* s_pCurrent;
    CString m_strCaption;
    std::function<void(HWND)> m_fn;
    UINT_PTR m_nTimer;
};
DialogAnswer* DialogAnswer::s_pCurrent = nullptr;

class CustomizeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CBars3Frame;
        ASSERT_TRUE(m_pFrame->CreateBars3Frame());
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pCommandBars->m_bCustomizeAvail = TRUE;
        m_pToolBar = m_pFrame->GetToolBar();
        m_pToolBar->SetCustomizable(TRUE);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        delete m_pSheet;
        m_pFrame->DestroyWindow();
        AfxGetApp()->WriteProfileString(L"CustomizeTest-Controls", NULL, NULL);
    }
    void OpenSheet()
    {
        m_pSheet = new CTKPCustomizeSheet(m_pCommandBars, m_pFrame);
        CTKPCustomizeCommandsPage* pPage = m_pSheet->GetCommandsPage();
        pPage->AddCategory(L"File", kFileCommands, 2);
        pPage->AddCategory(L"View", kViewCommands, 3);
        pPage->AddAllCommandsCategory();
        ASSERT_TRUE(m_pSheet->Create(m_pFrame));
        m_pSheet->SetWindowPos(NULL, 660, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CPoint ControlPoint(CTKPControl* pControl, int dx)
    {
        CRect rc = pControl->GetRect();
        CPoint pt(dx < 0 ? rc.left - dx - 1 : rc.right - dx, (rc.top + rc.bottom) / 2);
        if (dx == 0)
            pt.x = (rc.left + rc.right) / 2;
        return pt;
    }
    CPoint ToScreen(CWnd* pWnd, CPoint pt)
    {
        pWnd->ClientToScreen(&pt);
        return pt;
    }

    CBars3Frame* m_pFrame = nullptr;
    CTKPCommandBars* m_pCommandBars = nullptr;
    CTKPToolBar* m_pToolBar = nullptr;
    CTKPCustomizeSheet* m_pSheet = nullptr;
};

TEST_F(CustomizeTest, SheetOpensOnTheFrameWithItsPagesAndCustomiseMode)
{
    OpenSheet();
    EXPECT_TRUE(m_pCommandBars->IsCustomizeMode());
    EXPECT_EQ(m_pSheet, m_pCommandBars->GetCustomizeDialog());
    EXPECT_EQ(4, m_pSheet->GetPageCount());

    // Commands page: the categories and the commands of the first.
    CTKPCustomizeCommandsPage* pCommands = m_pSheet->GetCommandsPage();
    ASSERT_NE(nullptr, pCommands->GetSafeHwnd());
    CListBox* pCategories = static_cast<CListBox*>(pCommands->GetDlgItem(IDC_TKP_CATEGORIES_LIST));
    ASSERT_EQ(3, pCategories->GetCount());
    CString strAll;
    pCategories->GetText(2, strAll);
    EXPECT_EQ(CString(L"All Commands"), strAll);
    EXPECT_EQ(2, pCommands->GetCommandList().GetCount());
    pCategories->SetCurSel(2);
    pCommands->OnCategoryChange();
    EXPECT_EQ(5, pCommands->GetCommandList().GetCount());
    EXPECT_GE((int)pCommands->GetCommandList().GetItemHeight(0), 16);

    // Toolbars page: "Standard" checked; a built-in bar can be reset, not renamed or deleted.
    ASSERT_TRUE(m_pSheet->SetActivePage(1));
    CTKPCustomizeToolbarsPage* pToolbars = m_pSheet->GetToolbarsPage();
    CCheckListBox& list = pToolbars->GetList();
    ASSERT_EQ(1, list.GetCount());
    EXPECT_EQ(1, list.GetCheck(0));
    EXPECT_FALSE(pToolbars->GetDlgItem(IDC_TKP_TOOLBAR_RESET)->IsWindowEnabled());
    list.SetCurSel(0);
    pToolbars->OnSelChange();
    EXPECT_TRUE(pToolbars->GetDlgItem(IDC_TKP_TOOLBAR_RESET)->IsWindowEnabled());
    EXPECT_FALSE(pToolbars->GetDlgItem(IDC_TKP_TOOLBAR_RENAME)->IsWindowEnabled());
    EXPECT_FALSE(pToolbars->GetDlgItem(IDC_TKP_TOOLBAR_DELETE)->IsWindowEnabled());
    EXPECT_TRUE(pToolbars->GetDlgItem(IDC_TKP_TOOLBAR_NEW)->IsWindowEnabled());

    // A bar that may not be hidden stays shown when unchecked; one without a close button may be.
    m_pToolBar->SetHideable(FALSE);
    list.SetCheck(0, 0);
    pToolbars->OnCheckChange(0);
    EXPECT_TRUE(m_pToolBar->IsVisible());
    EXPECT_EQ(1, list.GetCheck(0));
    m_pToolBar->SetHideable(TRUE);
    m_pToolBar->SetCloseable(FALSE);
    list.SetCheck(0, 0);
    pToolbars->OnCheckChange(0);
    EXPECT_FALSE(m_pToolBar->IsVisible());
    EXPECT_EQ(0, pToolbars->GetList().GetCheck(0));
    m_pToolBar->SetCloseable(TRUE);

    // Options page: the options are written at once.
    ASSERT_TRUE(m_pSheet->SetActivePage(3));
    CTKPCustomizeOptionsPage* pOptions = m_pSheet->GetOptionsPage();
    m_pCommandBars->GetOptions()->bAlwaysShowFullMenus = FALSE;
    pOptions->CheckDlgButton(IDC_TKP_OPTION_FULLMENUS, 1);
    pOptions->OnFullMenus();
    EXPECT_TRUE(m_pCommandBars->GetOptions()->bAlwaysShowFullMenus);
    EXPECT_FALSE(pOptions->GetDlgItem(IDC_TKP_OPTION_AFTERDELAY)->IsWindowEnabled());

    m_pSheet->DestroyWindow();
    EXPECT_FALSE(m_pCommandBars->IsCustomizeMode());
    EXPECT_EQ(nullptr, m_pCommandBars->GetCustomizeDialog());
}

TEST_F(CustomizeTest, DropPositionAndInsertionMark)
{
    // Standard: 100, 101, | 102, 103, 104.
    CRect rcMark;
    int nIndex = -2;
    BOOL bAfter = FALSE;
    CTKPControl* p100 = m_pToolBar->GetControl(0);
    CTKPControl* p101 = m_pToolBar->GetControl(1);
    CTKPControl* p104 = m_pToolBar->GetControl(4);

    // After 100, whose next control starts no group: just outside its far edge.
    m_pToolBar->FindDropPosition(NULL, ControlPoint(p100, 1), rcMark, nIndex, bAfter);
    EXPECT_EQ(0, nIndex);
    EXPECT_TRUE(bAfter);
    EXPECT_EQ(CRect(p100->GetRect().right, p100->GetRect().top, p100->GetRect().right + 6, p100->GetRect().bottom),
        rcMark);
    EXPECT_FALSE(m_pToolBar->IsInsertMarkVertical());
    // After 101, whose next control begins a group, and after the last: inside the far edge.
    m_pToolBar->FindDropPosition(NULL, ControlPoint(p101, 1), rcMark, nIndex, bAfter);
    EXPECT_EQ(1, nIndex);
    EXPECT_EQ(p101->GetRect().right, rcMark.right);
    m_pToolBar->FindDropPosition(NULL, ControlPoint(p104, 1), rcMark, nIndex, bAfter);
    EXPECT_EQ(4, nIndex);
    EXPECT_EQ(p104->GetRect().right, rcMark.right);
    // Before 101: inside its near edge.
    m_pToolBar->FindDropPosition(NULL, ControlPoint(p101, -1), rcMark, nIndex, bAfter);
    EXPECT_EQ(1, nIndex);
    EXPECT_FALSE(bAfter);
    EXPECT_EQ(p101->GetRect().left, rcMark.left);
    EXPECT_EQ(6, rcMark.Width());
    // Over the dragged control itself: no mark.
    m_pToolBar->FindDropPosition(p101, ControlPoint(p101, 1), rcMark, nIndex, bAfter);
    EXPECT_TRUE(rcMark.IsRectEmpty());

    // An empty bar: a mark near its left edge, inserting at the end.
    CTKPToolBar* pEmpty = m_pCommandBars->AddCustomBar(L"Empty", 59392);
    ASSERT_NE(nullptr, pEmpty);
    m_pFrame->RecalcLayout();
    CRect rcClient;
    pEmpty->GetClientRect(&rcClient);
    pEmpty->FindDropPosition(p100, CPoint(5, 5), rcMark, nIndex, bAfter);
    EXPECT_EQ(-1, nIndex);
    EXPECT_TRUE(bAfter);
    EXPECT_EQ(CRect(2, 2, 8, rcClient.bottom - 2), rcMark);
}

namespace {

// The key messages that reach a plain window.
std::vector<UINT> g_keysSeen;

LRESULT CALLBACK KeyRecorderProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_KEYDOWN || nMessage == WM_KEYUP)
        g_keysSeen.push_back(nMessage);
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreateKeyRecorder()
{
    return CreatePlainWindow(L"MorvickKeyRecorder", KeyRecorderProc);
}

}  // namespace

TEST_F(CustomizeTest, CommandDraggedFromTheListAndControlsMovedCopiedAndDraggedOff)
{
    OpenSheet();
    CTKPCustomizeDropSource* pSource = m_pCommandBars->GetDropSource();
    ASSERT_NE(nullptr, pSource);
    EXPECT_GE(pSource->GetTargetCount(), 1);
    CTKPControl* pCommand = m_pSheet->GetCommandsPage()->GetCategoryControls(1)->GetAt(2);  // 104
    ASSERT_EQ(104, pCommand->GetID());

    // A command from the list between 100 and 101: always a copy, which becomes the drag control.
    pSource->BeginDrag(pCommand, TRUE, CPoint(700, 200));
    pSource->SetCopyMode(FALSE);
    EXPECT_EQ((UINT)IDC_TKP_DRAG_NONE, pSource->GetCursorId());
    const CPoint ptDrop = ToScreen(m_pToolBar, ControlPoint(m_pToolBar->GetControl(0), 2));
    pSource->DragOver(ptDrop);
    EXPECT_EQ(m_pToolBar, pSource->GetCurrentTarget());
    EXPECT_EQ((UINT)IDC_TKP_DRAG_COPY, pSource->GetCursorId());
    EXPECT_FALSE(m_pToolBar->GetInsertMark().IsRectEmpty());
    // The drop reports the move the drag made; the bar inserts a copy all the same.
    EXPECT_EQ(CTKPCommandBar::dropMove, pSource->Drop(ptDrop));
    pSource->EndDrag();
    EXPECT_EQ((std::vector<int>{100, 104, 101, 102, 103, 104}), Ids(m_pToolBar));
    EXPECT_EQ(m_pToolBar->GetControl(1), m_pCommandBars->GetDragControl());
    EXPECT_TRUE(m_pToolBar->GetInsertMark().IsRectEmpty());

    // Dropped before a control that begins a group, the new control takes the group start over.
    pSource->BeginDrag(pCommand, TRUE, CPoint(700, 200));
    const CPoint ptBefore102 = ToScreen(m_pToolBar, ControlPoint(m_pToolBar->GetControl(3), -1));
    pSource->DragOver(ptBefore102);
    EXPECT_EQ(CTKPCommandBar::dropCopy, pSource->Drop(ptBefore102));
    pSource->EndDrag();
    EXPECT_EQ((std::vector<int>{100, 104, 101, 104, 102, 103, 104}), Ids(m_pToolBar));
    EXPECT_TRUE(m_pToolBar->GetControl(3)->GetBeginGroup());
    EXPECT_FALSE(m_pToolBar->GetControl(4)->GetBeginGroup());

    // A control of the bar dragged off through the drag's own loop (posted input): removed.
    m_pFrame->RecalcLayout();
    CTKPControl* p101 = m_pToolBar->GetControl(2);
    ASSERT_EQ(101, p101->GetID());
    CRect rcFrameClient;
    m_pFrame->GetClientRect(&rcFrameClient);
    const LPARAM lOutside = MAKELPARAM(rcFrameClient.Width() / 2, rcFrameClient.bottom - 20);
    m_pFrame->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, lOutside);
    m_pFrame->PostMessage(WM_LBUTTONUP, 0, lOutside);
    p101->OnCustomizeMouseDown(ControlPoint(p101, 0));
    EXPECT_EQ((std::vector<int>{100, 104, 104, 102, 103, 104}), Ids(m_pToolBar));

    // A click that never moves only picks the control.
    m_pFrame->RecalcLayout();
    CTKPControl* pPicked = m_pToolBar->GetControl(0);
    m_pFrame->PostMessage(WM_LBUTTONUP, 0, lOutside);
    pPicked->OnCustomizeMouseDown(ControlPoint(pPicked, 0));
    EXPECT_EQ((std::vector<int>{100, 104, 104, 102, 103, 104}), Ids(m_pToolBar));
    EXPECT_EQ(pPicked, m_pCommandBars->GetDragControl());

    // Other keys reach their windows while the drag goes on; Escape cancels it: the control stays.
    m_pFrame->RecalcLayout();
    CTKPControl* p102 = m_pToolBar->GetControl(3);
    const HWND hKeys = CreateKeyRecorder();
    g_keysSeen.clear();
    m_pFrame->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, lOutside);
    ::PostMessageW(hKeys, WM_KEYDOWN, 'A', 0);
    ::PostMessageW(hKeys, WM_KEYUP, 'A', 0xC0000001);
    m_pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    p102->OnCustomizeMouseDown(ControlPoint(p102, 0));
    EXPECT_EQ((std::vector<int>{100, 104, 104, 102, 103, 104}), Ids(m_pToolBar));
    EXPECT_EQ((std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}), g_keysSeen);
    ::DestroyWindow(hKeys);
    PumpPending();

    // A quit message cancels the drag and is put back for the program's loop (Escape only comes
    // later, to end a drag that lost the quit message).
    m_pFrame->RecalcLayout();
    p102 = m_pToolBar->GetControl(3);
    const UINT_PTR nTimer = morvick::test::PostEscapeLater(m_pFrame->GetSafeHwnd(), morvick::test::kStateWaitMs);
    ::PostQuitMessage(5);
    p102->OnCustomizeMouseDown(ControlPoint(p102, 0));
    ::KillTimer(NULL, nTimer);
    MSG msgQuit;
    ASSERT_TRUE(::PeekMessageW(&msgQuit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msgQuit.wParam, 5u);
    EXPECT_EQ((std::vector<int>{100, 104, 104, 102, 103, 104}), Ids(m_pToolBar));

    // Moved with Ctrl held: a copy after the last control, the original stays.
    m_pFrame->RecalcLayout();
    p102 = m_pToolBar->GetControl(3);
    CPoint ptEnd = ControlPoint(m_pToolBar->GetControl(5), 1);
    m_pToolBar->ClientToScreen(&ptEnd);
    m_pFrame->ScreenToClient(&ptEnd);
    m_pFrame->PostMessage(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(ptEnd.x, ptEnd.y));
    m_pFrame->PostMessage(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(ptEnd.x, ptEnd.y));
    p102->OnCustomizeMouseDown(ControlPoint(p102, 0));
    EXPECT_EQ((std::vector<int>{100, 104, 104, 102, 103, 104, 102}), Ids(m_pToolBar));
}

TEST_F(CustomizeTest, DropOnItselfSetsTheGroupStartOnlyAfterARealMove)
{
    CTKPControl* p101 = m_pToolBar->GetControl(1);
    const CPoint ptAfter = ControlPoint(p101, 1);
    DWORD dropEffect = CTKPCommandBar::dropMove;
    m_pToolBar->OnCustomizeDrop(p101, dropEffect, ptAfter, ptAfter + CSize(3, 3));
    EXPECT_EQ((DWORD)CTKPCommandBar::dropCancelled, dropEffect);
    EXPECT_FALSE(p101->GetBeginGroup());
    dropEffect = CTKPCommandBar::dropMove;
    m_pToolBar->OnCustomizeDrop(p101, dropEffect, ptAfter, ptAfter - CSize(10, 0));
    EXPECT_EQ((DWORD)CTKPCommandBar::dropCancelled, dropEffect);
    EXPECT_TRUE(p101->GetBeginGroup());
    m_pFrame->RecalcLayout();
    const CPoint ptBefore = ControlPoint(m_pToolBar->GetControl(1), -1);
    m_pToolBar->OnCustomizeDrop(p101, dropEffect, ptBefore, ptBefore + CSize(10, 0));
    EXPECT_FALSE(p101->GetBeginGroup());
    EXPECT_EQ(5u, Ids(m_pToolBar).size());
}

TEST_F(CustomizeTest, RealInputDragFromTheCommandListOntoTheToolbar)
{
    m_pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 640, 480, SWP_SHOWWINDOW);
    m_pFrame->RecalcLayout();
    OpenSheet();
    m_pSheet->SetForegroundWindow();
    PumpPending();
    CTKPCustomizeCommandsPage* pPage = m_pSheet->GetCommandsPage();
    CRect rcItem;
    pPage->GetCommandList().GetItemRect(1, &rcItem);  // 101
    CPoint ptFrom = rcItem.CenterPoint();
    pPage->GetCommandList().ClientToScreen(&ptFrom);
    const CPoint ptTo = ToScreen(m_pToolBar, ControlPoint(m_pToolBar->GetControl(4), 2));

    morvick::test::SettleCursorAt(ptFrom.x, ptFrom.y);
    morvick::test::MouseDown(ptFrom.x, ptFrom.y);
    morvick::test::MouseMoveTo((ptFrom.x + ptTo.x) / 2, (ptFrom.y + ptTo.y) / 2);
    morvick::test::MouseMoveTo(ptTo.x, ptTo.y);
    morvick::test::MouseUp(ptTo.x, ptTo.y);
    EXPECT_TRUE(morvick::test::PumpUntil([&] { return Ids(m_pToolBar).size() == 6; }));
    EXPECT_EQ((std::vector<int>{100, 101, 102, 103, 104, 101}), Ids(m_pToolBar));
    EXPECT_EQ(nullptr, ::GetCapture());
    m_pSheet->DestroyWindow();
    m_pFrame->ShowWindow(SW_HIDE);
}

TEST_F(CustomizeTest, RealClickOnTheCheckBoxOfAnUnselectedToolbarActsOnThatToolbar)
{
    CTKPToolBar* pTools = m_pCommandBars->AddCustomBar(L"Tools", 59401);
    ASSERT_NE(nullptr, pTools);
    pTools->GetControls()->Add(tkpControlButton, 102);
    m_pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 640, 480, SWP_SHOWWINDOW);
    m_pFrame->RecalcLayout();
    OpenSheet();
    ASSERT_TRUE(m_pSheet->SetActivePage(1));
    m_pSheet->SetForegroundWindow();
    PumpPending();
    CTKPCustomizeToolbarsPage* pPage = m_pSheet->GetToolbarsPage();
    CCheckListBox& list = pPage->GetList();
    ASSERT_EQ(2, list.GetCount());
    list.SetCurSel(0);  // Standard
    pPage->OnSelChange();
    ASSERT_EQ(1, list.GetCheck(1));

    // A click on the box of Tools, the row that is not selected.
    CRect rcItem;
    list.GetItemRect(1, &rcItem);
    CRect rcBox = list.OnGetCheckPosition(rcItem, CRect(0, 0, 9, 9));
    CPoint pt = rcBox.TopLeft() + CSize(2, 2);
    list.ClientToScreen(&pt);
    morvick::test::SettleCursorAt(pt.x, pt.y);
    morvick::test::MouseDown(pt.x, pt.y);
    morvick::test::MouseUp(pt.x, pt.y);
    EXPECT_TRUE(morvick::test::PumpUntil([&] { return !pTools->IsVisible(); }));
    EXPECT_TRUE(m_pToolBar->IsVisible());
    EXPECT_EQ(1, list.GetCheck(0));
    EXPECT_EQ(0, list.GetCheck(1));
    // As with the platform's list, the click also selects the row it was on.
    EXPECT_EQ(1, list.GetCurSel());
    EXPECT_TRUE(pPage->GetDlgItem(IDC_TKP_TOOLBAR_DELETE)->IsWindowEnabled());

    // The space bar changes the box of the row with the focus.
    list.SetFocus();
    morvick::test::KeyPress(VK_SPACE);
    EXPECT_TRUE(morvick::test::PumpUntil([&] { return pTools->IsVisible(); }));
    EXPECT_TRUE(m_pToolBar->IsVisible());
    m_pSheet->DestroyWindow();
    m_pFrame->ShowWindow(SW_HIDE);
}

TEST_F(CustomizeTest, ToolbarNameDialogNamesIdsAndItsChecks)
{
    MessageBoxRecorder recorder;
    // Default names skip the titles that exist.
    EXPECT_EQ(CString(L"Custom 1"), CTKPCustomizeToolbarNameDialog::MakeDefaultName(m_pCommandBars));
    m_pCommandBars->AddCustomBar(L"Custom 1", 59392);
    m_pCommandBars->AddCustomBar(L"Custom 2", 59393);
    EXPECT_EQ(CString(L"Custom 3"), CTKPCustomizeToolbarNameDialog::MakeDefaultName(m_pCommandBars));

    CTKPCustomizeToolbarNameDialog dlg(m_pCommandBars);
    dlg.m_strName = L"";
    EXPECT_EQ(CTKPCustomizeToolbarNameDialog::nameRejected, dlg.CheckName());
    ASSERT_EQ(1u, recorder.m_texts.size());
    EXPECT_EQ(L"The toolbar name cannot be blank. Type a name.", recorder.m_texts[0]);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONERROR), recorder.m_types[0]);
    dlg.m_strName = L"Custom 2";
    EXPECT_EQ(CTKPCustomizeToolbarNameDialog::nameRejected, dlg.CheckName());
    EXPECT_EQ(L"A toolbar named 'Custom 2' already exists. Type another name.", recorder.m_texts[1]);
    // Case counts: a name differing only in case is new; it takes the first free id.
    dlg.m_strName = L"custom 2";
    EXPECT_EQ(CTKPCustomizeToolbarNameDialog::nameAccepted, dlg.CheckName());
    EXPECT_EQ(59394, dlg.m_nNewID);

    // Renaming a bar to its own name is fine.
    CTKPCustomizeToolbarNameDialog rename(m_pCommandBars, m_pCommandBars->GetToolBar(59393));
    rename.m_strName = L"Custom 2";
    EXPECT_EQ(CTKPCustomizeToolbarNameDialog::nameAccepted, rename.CheckName());

    // Every user id taken: the limit message, and the dialog closes as cancelled.
    m_pCommandBars->LockLayout(TRUE);
    for (UINT nId = 59394; nId < 59647; ++nId) {
        CString strName;
        strName.Format(L"Bar %u", nId);
        ASSERT_NE(nullptr, m_pCommandBars->AddCustomBar(strName, nId));
    }
    m_pCommandBars->LockLayout(FALSE);
    dlg.m_strName = L"One more";
    EXPECT_EQ(CTKPCustomizeToolbarNameDialog::nameNoIdLeft, dlg.CheckName());
    EXPECT_EQ(L"Sorry you have reached your limit.", recorder.m_texts.back());
}

TEST_F(CustomizeTest, ToolbarCreatedRenamedAndTheLayoutRestored)
{
    MessageBoxRecorder recorder;
    OpenSheet();
    ASSERT_TRUE(m_pSheet->SetActivePage(1));
    CTKPCustomizeToolbarsPage* pPage = m_pSheet->GetToolbarsPage();

    // New: the dialog offers "Custom 1"; OK makes the bar.
    {
        DialogAnswer answer(L"New Toolbar", [](HWND hDlg) { ::SendMessageW(hDlg, WM_COMMAND, IDOK, 0); });
        pPage->OnNewToolbar();
        EXPECT_TRUE(answer.m_bDone);
    }
    CTKPToolBar* pUser = m_pCommandBars->GetToolBar(59392);
    ASSERT_NE(nullptr, pUser);
    EXPECT_EQ(CString(L"Custom 1"), pUser->GetTitle());
    EXPECT_FALSE(pUser->IsBuiltIn());
    ASSERT_EQ(2, pPage->GetList().GetCount());

    // Rename: the dialog says so and the entry keeps its place.
    pPage->GetList().SetCurSel(1);
    pPage->OnSelChange();
    EXPECT_TRUE(pPage->GetDlgItem(IDC_TKP_TOOLBAR_RENAME)->IsWindowEnabled());
    EXPECT_FALSE(pPage->GetDlgItem(IDC_TKP_TOOLBAR_RESET)->IsWindowEnabled());
    {
        DialogAnswer answer(L"Rename Toolbar", [](HWND hDlg) {
            ::SetDlgItemTextW(hDlg, IDC_TKP_TOOLBAR_NAME, L"Recovery Tools");
            ::SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
        });
        pPage->OnRenameToolbar();
        EXPECT_TRUE(answer.m_bDone);
    }
    EXPECT_EQ(CString(L"Recovery Tools"), pUser->GetTitle());
    CString strText;
    pPage->GetList().GetText(1, strText);
    EXPECT_EQ(CString(L"Recovery Tools"), strText);
    EXPECT_EQ(1, pPage->GetList().GetCurSel());

    // A command dropped onto the new bar, a button of Standard restyled, then saved.
    CTKPControl* pCommand = m_pSheet->GetCommandsPage()->GetCategoryControls(0)->GetAt(1);  // 101
    CTKPCustomizeDropSource* pSource = m_pCommandBars->GetDropSource();
    m_pFrame->RecalcLayout();
    CRect rcUser;
    pUser->GetWindowRect(&rcUser);
    pSource->BeginDrag(pCommand, TRUE, CPoint(0, 0));
    pSource->DragOver(rcUser.TopLeft() + CSize(4, 4));
    EXPECT_EQ(pUser, pSource->GetCurrentTarget());
    pSource->Drop(rcUser.TopLeft() + CSize(4, 4));
    pSource->EndDrag();
    EXPECT_EQ((std::vector<int>{101}), Ids(pUser));
    m_pCommandBars->SetDragControl(m_pToolBar->GetControl(3));
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_TEXTONLY);
    m_pSheet->DestroyWindow();
    m_pCommandBars->SaveLayout(L"CustomizeTest");

    CBars3Frame* pOther = new CBars3Frame;
    ASSERT_TRUE(pOther->CreateBars3Frame());
    pOther->GetCommandBars()->m_bCustomizeAvail = TRUE;
    pOther->GetCommandBars()->LoadLayout(L"CustomizeTest");
    CTKPToolBar* pRestored = pOther->GetCommandBars()->GetToolBar(59392);
    ASSERT_NE(nullptr, pRestored);
    EXPECT_EQ(CString(L"Recovery Tools"), pRestored->GetTitle());
    EXPECT_EQ((std::vector<int>{101}), Ids(pRestored));
    CTKPToolBar* pStandard = pOther->GetToolBar();
    ASSERT_EQ(5u, Ids(pStandard).size());
    EXPECT_EQ(1, pStandard->GetControl(3)->GetCustomStyle());
    pOther->DestroyWindow();
}

TEST_F(CustomizeTest, ContextMenuCommandsOnThePickedControl)
{
    OpenSheet();
    BOOL bEnabled = TRUE, bChecked = TRUE;
    // Nothing picked: every command does nothing.
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_DELETE, bEnabled, bChecked);
    EXPECT_FALSE(bEnabled);
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_DELETE);
    EXPECT_EQ(5u, Ids(m_pToolBar).size());

    CTKPControl* p100 = m_pToolBar->GetControl(0);
    m_pCommandBars->SetDragControl(p100);
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_BEGINGROUP, bEnabled, bChecked);
    EXPECT_FALSE(bEnabled);  // the first control of its bar
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_DEFAULTSTYLE, bEnabled, bChecked);
    EXPECT_TRUE(bEnabled);
    EXPECT_TRUE(bChecked);
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_RESET, bEnabled, bChecked);
    EXPECT_FALSE(bEnabled);

    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_IMAGEANDTEXT);
    EXPECT_EQ(3, p100->GetCustomStyle());
    m_pSheet->SetSelectedCaption(L"&Open it");
    EXPECT_EQ(CString(L"&Open it"), p100->GetCaption());
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_RESET, bEnabled, bChecked);
    EXPECT_TRUE(bEnabled);
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_RESET);
    EXPECT_EQ(0, p100->GetCustomStyle());
    EXPECT_EQ(CString(L""), p100->GetCustomCaption());

    // The menu: a name entry with its label, and the image grid as a popup of its own.
    CTKPCommandBar* pMenu = m_pSheet->GetCustomizeMenu();
    ASSERT_NE(nullptr, pMenu);
    CTKPControl* pEntry = pMenu->GetControls()->FindControl(ID_TKP_CUSTOMIZE_NAME);
    ASSERT_NE(nullptr, pEntry);
    ASSERT_TRUE(pEntry->IsKindOf(RUNTIME_CLASS(CTKPControlEdit)));
    EXPECT_EQ(CString(L"&Name:"), pEntry->GetCaption());
    CTKPControl* pGridItem = pMenu->GetControls()->FindControl(ID_TKP_CUSTOMIZE_CHANGEIMAGE);
    ASSERT_NE(nullptr, pGridItem);
    EXPECT_TRUE(pGridItem->GetCommandBar()->IsKindOf(RUNTIME_CLASS(CTKPCustomizeImagePopup)));
    // The items take their state from the sheet, not from customise mode.
    pMenu->OnUpdateCmdUI(m_pSheet, TRUE);
    EXPECT_FALSE(pMenu->GetControls()->FindControl(ID_TKP_CUSTOMIZE_BEGINGROUP)->GetEnabled());
    EXPECT_TRUE(pMenu->GetControls()->FindControl(ID_TKP_CUSTOMIZE_DEFAULTSTYLE)->GetChecked());
    EXPECT_FALSE(pMenu->IsCustomizeMode());
    // Enter in the entry names the picked control.
    static_cast<CTKPControlEdit*>(pEntry)->SetEditText(L"Fetch");
    NMTKPCONTROL nm = {};
    nm.hdr.idFrom = ID_TKP_CUSTOMIZE_NAME;
    nm.hdr.code = TKPN_EXECUTE;
    nm.pControl = pEntry;
    EXPECT_EQ(1, m_pSheet->SendMessage(TKPM_CONTROLNOTIFY, ID_TKP_CUSTOMIZE_NAME, (LPARAM)&nm));
    EXPECT_EQ(CString(L"Fetch"), p100->GetCaption());
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_RESET);
    EXPECT_EQ(CString(L"Open"), p100->GetCaption());
    // Commands of other controls go on to the frame.
    nm.hdr.idFrom = 103;
    nm.pControl = m_pToolBar->GetControl(3);
    m_pFrame->m_commands.clear();
    m_pSheet->SendMessage(TKPM_CONTROLNOTIFY, 103, (LPARAM)&nm);
    EXPECT_EQ((std::vector<UINT>{103}), m_pFrame->m_commands);

    CTKPControl* p101 = m_pToolBar->GetControl(1);
    m_pCommandBars->SetDragControl(p101);
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_BEGINGROUP);
    EXPECT_TRUE(p101->GetBeginGroup());

    // The image grid: one button per image, 23 x floor(sqrt(n)) + 6 wide.
    for (int i = 0; i < 16; ++i) {
        CTKPIconHandle icon;
        icon.AssignIcon(::LoadIconW(NULL, IDI_APPLICATION));
        m_pSheet->GetImageManager()->SetIcon(icon, (UINT)(i + 1), CSize(16, 16));
    }
    CTKPCustomizeImagePopup* pGrid = new CTKPCustomizeImagePopup;
    m_pSheet->FillImagePopup(pGrid);
    EXPECT_EQ(16, pGrid->GetControlCount());
    EXPECT_EQ(98, pGrid->GetGridWidth());
    EXPECT_EQ(5, pGrid->GetControl(4)->GetIconId());
    EXPECT_EQ(8, pGrid->GetControl(4)->GetStyle());  // the image alone
    pGrid->InternalRelease();
    m_pSheet->ChangeButtonImage(3);
    EXPECT_GT(p101->GetCustomIconId(), 0);
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_RESETIMAGE, bEnabled, bChecked);
    EXPECT_TRUE(bEnabled);

    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_DELETE);
    EXPECT_EQ((std::vector<int>{100, 102, 103, 104}), Ids(m_pToolBar));
    EXPECT_EQ(nullptr, m_pCommandBars->GetDragControl());
}

// The normal image of a command as a picture (null when there is none).
CTKPEditorPicture* ImageOf(CTKPCommandBars* pCommandBars, int nId)
{
    CTKPImageIcon* pIcon = pCommandBars->GetImageManager()->GetImage((UINT)nId, 16);
    if (pIcon == nullptr)
        return nullptr;
    CTKPIconHandle& image = pIcon->GetIcon();
    return image.IsAlpha() ? CTKPEditorPicture::FromAlphaBitmap(image.GetBitmap())
                           : CTKPEditorPicture::FromIcon(image.GetIcon());
}

TEST_F(CustomizeTest, ButtonImagesCopiedAndPastedThroughTheClipboard)
{
    OpenSheet();
    BOOL bEnabled = FALSE, bChecked = FALSE;
    CTKPControl* p100 = m_pToolBar->GetControl(0);
    CTKPControl* p101 = m_pToolBar->GetControl(1);
    CTKPControl* p102 = m_pToolBar->GetControl(3);
    m_pCommandBars->SetDragControl(p100);
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_COPYIMAGE, bEnabled, bChecked);
    ASSERT_TRUE(bEnabled);
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_COPYIMAGE);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(::IsClipboardFormatAvailable(CTKPImageManager::GetToolBarImageFormat()));

    // Pasted in the image manager's own format: the same picture under a custom id.
    m_pCommandBars->SetDragControl(p101);
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_PASTEIMAGE);
    ASSERT_GT(p101->GetCustomIconId(), 0);
    CTKPEditorPicture* pOriginal = ImageOf(m_pCommandBars, 100);
    CTKPEditorPicture* pPasted = ImageOf(m_pCommandBars, p101->GetCustomIconId());
    ASSERT_NE(nullptr, pOriginal);
    ASSERT_NE(nullptr, pPasted);
    EXPECT_EQ(pOriginal->GetPixel(8, 8), pPasted->GetPixel(8, 8));
    delete pOriginal;
    delete pPasted;

    // A plain bitmap: the button face becomes transparent.
    CTKPEditorPicture* pDrawn = CTKPEditorPicture::Create(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pDrawn->SetPixel(x, y,
                x >= 4 && x < 12 && y >= 4 && y < 12 ? RGB(255, 0, 0) : ::GetSysColor(COLOR_BTNFACE));
    HBITMAP hBitmap = pDrawn->CreateOpaqueBitmap(::GetSysColor(COLOR_BTNFACE));
    delete pDrawn;
    ASSERT_TRUE(::OpenClipboard(m_pSheet->GetSafeHwnd()));
    ::EmptyClipboard();
    ::SetClipboardData(CF_BITMAP, hBitmap);
    ::CloseClipboard();
    m_pCommandBars->SetDragControl(p102);
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_PASTEIMAGE);
    ASSERT_GT(p102->GetCustomIconId(), 0);
    CTKPEditorPicture* pFromBitmap = ImageOf(m_pCommandBars, p102->GetCustomIconId());
    ASSERT_NE(nullptr, pFromBitmap);
    EXPECT_EQ(RGB(255, 0, 0), pFromBitmap->GetPixel(8, 8));
    EXPECT_EQ(CTKPEditorPicture::kTransparent, pFromBitmap->GetPixel(1, 1));
    delete pFromBitmap;

    // Nothing on the clipboard: nothing to paste.
    ASSERT_TRUE(::OpenClipboard(m_pSheet->GetSafeHwnd()));
    ::EmptyClipboard();
    ::CloseClipboard();
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_PASTEIMAGE, bEnabled, bChecked);
    EXPECT_FALSE(bEnabled);
}

TEST_F(CustomizeTest, DamagedCustomImageIdOffersNoImageToCopyEditOrChange)
{
    OpenSheet();
    BOOL bEnabled = TRUE, bChecked = TRUE;
    // A layout saved by a faulty build gave the control a custom image id below zero: it shows
    // no image, so there is none to copy, edit or replace, and nothing is done with that id.
    CTKPControl* p101 = m_pToolBar->GetControl(1);
    p101->SetCustomIconId(-5);
    m_pCommandBars->SetDragControl(p101);
    for (UINT nID : {ID_TKP_CUSTOMIZE_COPYIMAGE, ID_TKP_CUSTOMIZE_EDITIMAGE, ID_TKP_CUSTOMIZE_CHANGEIMAGE,
                     ID_TKP_CUSTOMIZE_RESETIMAGE}) {
        m_pSheet->GetCommandState(nID, bEnabled, bChecked);
        EXPECT_FALSE(bEnabled) << nID;
    }
    ASSERT_TRUE(::OpenClipboard(m_pSheet->GetSafeHwnd()));
    ::EmptyClipboard();
    ::CloseClipboard();
    m_pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_COPYIMAGE);
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CTKPImageManager::GetToolBarImageFormat()));
    EXPECT_EQ(-5, p101->GetCustomIconId());

    // The same control with its custom id cleared offers its own command image again.
    p101->SetCustomIconId(0);
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_COPYIMAGE, bEnabled, bChecked);
    EXPECT_TRUE(bEnabled);
    m_pSheet->GetCommandState(ID_TKP_CUSTOMIZE_EDITIMAGE, bEnabled, bChecked);
    EXPECT_TRUE(bEnabled);
}

TEST_F(CustomizeTest, KeyboardPageAssignsReassignsAndRemovesShortcuts)
{
    MessageBoxRecorder recorder;
    m_pCommandBars->GetKeyBindings()->LoadFromResource(IDR_BARS3_ACCEL);
    OpenSheet();
    ASSERT_TRUE(m_pSheet->SetActivePage(2));
    CTKPCustomizeKeyboardPage* pPage = m_pSheet->GetKeyboardPage();
    // File: Open (Ctrl+O) and Save (Ctrl+S).
    ASSERT_EQ(2, pPage->GetCommandList().GetCount());
    EXPECT_EQ(1, pPage->GetKeyList().GetCount());
    EXPECT_FALSE(pPage->GetDlgItem(IDC_TKP_KEYS_ASSIGN)->IsWindowEnabled());

    // Ctrl+K for Open: appended.
    ASSERT_TRUE(pPage->GetShortcutEdit().SetKey('K', TRUE, FALSE, FALSE));
    pPage->OnShortcutChange();
    EXPECT_TRUE(pPage->GetDlgItem(IDC_TKP_KEYS_ASSIGN)->IsWindowEnabled());
    pPage->OnAssign();
    EXPECT_EQ(2, pPage->GetKeyList().GetCount());
    EXPECT_TRUE(recorder.m_texts.empty());

    // Ctrl+S for Open: asks first; No leaves Save its key, Yes moves it.
    pPage->GetShortcutEdit().SetKey('S', TRUE, FALSE, FALSE);
    recorder.m_answers = {IDNO};
    pPage->OnAssign();
    ASSERT_EQ(1u, recorder.m_texts.size());
    EXPECT_EQ(2, pPage->GetKeyList().GetCount());
    recorder.m_answers = {IDYES};
    pPage->OnAssign();
    EXPECT_EQ(3, pPage->GetKeyList().GetCount());

    // Removing every key of Open.
    while (pPage->GetKeyList().GetCount() > 0) {
        pPage->GetKeyList().SetCurSel(0);
        pPage->OnRemove();
    }
    pPage->GetCommandList().SetCurSel(1);
    pPage->OnCommandChange();
    EXPECT_EQ(0, pPage->GetKeyList().GetCount());  // Save lost Ctrl+S to Open

    // The last shortcut of the table can be removed too.
    pPage->GetCategoryCombo().SetCurSel(1);  // View: Refresh (F5), Print
    pPage->OnCategoryChange();
    ASSERT_EQ(1, pPage->GetKeyList().GetCount());
    pPage->GetKeyList().SetCurSel(0);
    pPage->OnRemove();
    EXPECT_EQ(0, pPage->GetKeyList().GetCount());
    EXPECT_EQ(nullptr, m_pCommandBars->GetKeyBindings()->GetAccelTable());
}

}  // namespace
