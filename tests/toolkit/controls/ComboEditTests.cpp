// The flat combo box's type-ahead and hot tracking, the flat edit's border as painted, and the edit's
// context menu: where it opens, and its commands enabled by content and carried out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/toolkit-controls.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/ControlMenu.h"
#include "toolkit/controls/FlatComboBox.h"
#include "toolkit/controls/FlatEdit.h"

using namespace tktest;

namespace {

HWND EditOf(CComboBox& combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo.GetSafeHwnd(), &info);
    return info.hwndItem;
}

// Keys as the user types them: posted to the focused edit and run through the message loop, whose
// translation makes the characters.
void Type(HWND edit, UINT key)
{
    ::PostMessageW(edit, WM_KEYDOWN, key, 1);
    ::PostMessageW(edit, WM_KEYUP, key, 0xC0000001);
    PumpPending();
}

std::wstring TextOf(HWND wnd)
{
    WCHAR text[64] = L"";
    ::GetWindowTextW(wnd, text, 64);
    return text;
}

DWORD SelectionOf(HWND edit)
{
    return static_cast<DWORD>(::SendMessageW(edit, EM_GETSEL, 0, 0));
}

}  // namespace

TEST(FlatComboBox, TypeAheadCompletesFromTheList)
{
    TestParent parent;
    CTKFlatComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_SORT, CRect(10, 10, 170, 200), &parent, 800));
    combo.AddString(L"apple");
    combo.AddString(L"apricot");
    combo.AddString(L"banana");
    HWND edit = EditOf(combo);
    ASSERT_NE(edit, nullptr);
    ::SetFocus(edit);

    // The first letters fill in the whole item, the letters not typed selected.
    Type(edit, 'A');
    EXPECT_EQ(TextOf(edit), L"apple");
    EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(1, 5)));
    Type(edit, 'P');
    Type(edit, 'R');
    EXPECT_EQ(TextOf(edit), L"apricot");
    EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(3, 7)));

    // Deleting the completed part does not bring it back.
    Type(edit, VK_BACK);
    EXPECT_EQ(TextOf(edit), L"apr");

    // A text that matches nothing stays as typed, the caret where it was.
    Type(edit, 'X');
    EXPECT_EQ(TextOf(edit), L"aprx");
    EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(4, 4)));

    // Without completion the typed text stays alone.
    ::SetWindowTextW(edit, L"");
    combo.EnableAutoComplete(FALSE);
    Type(edit, 'B');
    EXPECT_EQ(TextOf(edit), L"b");
}

TEST(FlatComboBox, HotWhileTheCursorIsOver)
{
    TestParent parent;
    CTKFlatComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 170, 200), &parent, 801));
    PumpPending();
    CursorToClient(combo.GetSafeHwnd(), 20, 8);
    combo.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(combo.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_TRUE(combo.m_bHot);
    EXPECT_EQ(combo.GetDrawState(), 2);
    // What the screen shows: the hot frame of the default look.
    CClientDC dc(&combo);
    EXPECT_EQ(dc.GetPixel(0, 0), tkcolor::Get(tkcolor::Shadow));
    CursorAway();
    ASSERT_TRUE(PumpUntil([&] { return !combo.m_bHot; }));
    EXPECT_EQ(combo.GetDrawState(), 1);
    // Flat drawing off: neither tracked nor drawn.
    combo.SetFlat(FALSE);
    CursorToClient(combo.GetSafeHwnd(), 20, 8);
    combo.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(combo.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_FALSE(combo.m_bHot);
    CursorAway();
}

TEST(FlatEdit, BorderPaintedOutsideTheClientAreaByState)
{
    TestParent parent;
    CTKFlatEdit edit;
    ASSERT_TRUE(
        edit.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"text", WS_CHILD | WS_VISIBLE, CRect(10, 10, 130, 34), &parent, 810));
    CTKFlatEdit other;
    ASSERT_TRUE(
        other.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(10, 50, 130, 74), &parent, 811));
    PumpPending();
    auto corner = [&]() {
        CWindowDC dc(&edit);
        return dc.GetPixel(0, 0);
    };
    other.SetFocus();
    PumpPending();
    EXPECT_EQ(edit.GetDrawState(), 1);
    EXPECT_EQ(corner(), tkcolor::Get(tkcolor::Window));
    edit.SetFocus();
    PumpPending();
    EXPECT_EQ(edit.GetDrawState(), 3);
    EXPECT_EQ(corner(), tkcolor::Get(tkcolor::Shadow));
    other.SetFocus();
    PumpPending();
    // Hot under the cursor, until it leaves.
    CursorToClient(edit.GetSafeHwnd(), 10, 5);
    edit.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(edit.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(edit.GetDrawState(), 2);
    EXPECT_EQ(corner(), tkcolor::Get(tkcolor::Shadow));
    CursorAway();
    ASSERT_TRUE(PumpUntil([&] { return !edit.m_bHot; }));
    EXPECT_EQ(corner(), tkcolor::Get(tkcolor::Window));
    edit.EnableWindow(FALSE);
    edit.SendMessage(WM_NCPAINT, 1);
    EXPECT_EQ(corner(), tkcolor::Get(tkcolor::DisabledBorder));
}

namespace {
struct EditMenuCall {
    int calls = 0;
    CPoint at;
    HWND owner = nullptr;
    int toolbar = 0;
    UINT flags = 0;
    std::vector<UINT> items;
} g_editMenu;

UINT EditMenuStandIn(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, int nIDToolBar)
{
    ++g_editMenu.calls;
    g_editMenu.at = CPoint(x, y);
    g_editMenu.owner = pWnd->GetSafeHwnd();
    g_editMenu.toolbar = nIDToolBar;
    g_editMenu.flags = nFlags;
    g_editMenu.items.clear();
    for (UINT i = 0; i < pMenu->GetMenuItemCount(); ++i)
        if (UINT id = pMenu->GetMenuItemID(i))
            g_editMenu.items.push_back(id);
    return 0;
}

// Whether the edit's update handler enables the command.
bool Enabled(CTKEdit& edit, UINT id)
{
    CTestCmdUI state;
    state.m_nID = id;
    state.DoUpdate(&edit, TRUE);
    return state.m_bEnabled;
}

void SetClipboardText(HWND owner, const wchar_t* text)
{
    OpenClipboard(owner);
    EmptyClipboard();
    if (text) {
        const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(mem), text, bytes);
        GlobalUnlock(mem);
        SetClipboardData(CF_UNICODETEXT, mem);
    }
    CloseClipboard();
}
}  // namespace

TEST(EditMenu, OpensAtTheCornerForTheKeyboardWithTheEditCommands)
{
    g_editMenu = EditMenuCall();
    TKTrackMenuFunction old = TKSetTrackMenuFunction(EditMenuStandIn);
    TestParent parent;
    CTKEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 210, 34), &parent, 820));
    edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.GetSafeHwnd()), MAKELPARAM(-1, -1));
    ASSERT_EQ(g_editMenu.calls, 1);
    CPoint corner(0, 0);
    edit.ClientToScreen(&corner);
    EXPECT_EQ(g_editMenu.at, corner + CPoint(5, 5));
    EXPECT_EQ(g_editMenu.owner, edit.GetSafeHwnd());
    EXPECT_EQ(g_editMenu.toolbar, IDR_TKEDIT_MENU_ICONS);
    EXPECT_EQ(g_editMenu.flags, static_cast<UINT>(TPM_RIGHTBUTTON));
    EXPECT_EQ(g_editMenu.items,
        (std::vector<UINT>{ID_TKEDIT_UNDO, ID_TKEDIT_CUT, ID_TKEDIT_COPY, ID_TKEDIT_PASTE, ID_TKEDIT_CLEAR,
            ID_TKEDIT_SELECT_ALL}));
    // A click opens it where the mouse is.
    edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.GetSafeHwnd()), MAKELPARAM(300, 200));
    EXPECT_EQ(g_editMenu.at, CPoint(300, 200));
    TKSetTrackMenuFunction(old);
}

TEST(EditMenu, CommandsEnabledByContentAndCarriedOut)
{
    TestParent parent;
    CTKEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 210, 34), &parent, 830));
    SetClipboardText(edit.GetSafeHwnd(), nullptr);

    // Empty: nothing to select, cut, copy, delete or undo, nothing to paste.
    EXPECT_FALSE(Enabled(edit, ID_TKEDIT_SELECT_ALL));
    EXPECT_FALSE(Enabled(edit, ID_TKEDIT_CUT));
    EXPECT_FALSE(Enabled(edit, ID_TKEDIT_COPY));
    EXPECT_FALSE(Enabled(edit, ID_TKEDIT_CLEAR));
    EXPECT_FALSE(Enabled(edit, ID_TKEDIT_UNDO));
    EXPECT_FALSE(Enabled(edit, ID_TKEDIT_PASTE));

    edit.ReplaceSel(L"recovered files", TRUE);
    EXPECT_TRUE(Enabled(edit, ID_TKEDIT_SELECT_ALL));
    EXPECT_TRUE(Enabled(edit, ID_TKEDIT_UNDO));
    EXPECT_FALSE(Enabled(edit, ID_TKEDIT_COPY));
    // Select All through the command, then Cut puts the text on the clipboard.
    edit.SendMessage(WM_COMMAND, ID_TKEDIT_SELECT_ALL);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 15);
    EXPECT_TRUE(Enabled(edit, ID_TKEDIT_CUT));
    EXPECT_TRUE(Enabled(edit, ID_TKEDIT_CLEAR));
    edit.SendMessage(WM_COMMAND, ID_TKEDIT_CUT);
    EXPECT_EQ(edit.GetWindowTextLength(), 0);
    EXPECT_TRUE(Enabled(edit, ID_TKEDIT_PASTE));
    edit.SendMessage(WM_COMMAND, ID_TKEDIT_PASTE);
    edit.SendMessage(WM_COMMAND, ID_TKEDIT_PASTE);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"recovered filesrecovered files"));
    edit.SendMessage(WM_COMMAND, ID_TKEDIT_UNDO);
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"recovered files"));
    edit.SetSel(0, 10);
    edit.SendMessage(WM_COMMAND, ID_TKEDIT_CLEAR);
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"files"));

    // A read-only edit takes nothing from the clipboard.
    edit.SetReadOnly(TRUE);
    EXPECT_FALSE(Enabled(edit, ID_TKEDIT_PASTE));
    edit.SetReadOnly(FALSE);

    // The plain popup's way: WM_INITMENUPOPUP greys what the handlers disable.
    edit.SetWindowText(L"");
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TKCONTROL_MENUS));
    CMenu* pPopup = menu.GetSubMenu(1);
    edit.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pPopup->GetSafeHmenu()), 1);
    EXPECT_TRUE(pPopup->GetMenuState(ID_TKEDIT_SELECT_ALL, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(pPopup->GetMenuState(ID_TKEDIT_PASTE, MF_BYCOMMAND) & MF_GRAYED);
    menu.DestroyMenu();
    SetClipboardText(edit.GetSafeHwnd(), nullptr);
}
