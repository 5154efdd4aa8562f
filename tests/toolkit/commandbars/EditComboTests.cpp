// The edit and combo-box controls of a toolbar: the hint, focus and Escape, the commands of the
// edit window and its context menu, typing ahead from the list, the drop-down list's height, keys
// and acceptance, the shell's suggestions, and copies of a combo box with its items.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "tests/support/win/InputSupport.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/commandbars/CommandBarEdit.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlComboBox.h"
#include "toolkit/commandbars/ControlComboBoxList.h"
#include "toolkit/commandbars/ControlEdit.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/EditAutoComplete.h"
#include "toolkit/commandbars/FrameWnd.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/MouseTracker.h"

#include <algorithm>

namespace {

// A frame that records the codes of every control notification.
class CNotifyFrame : public CBars3Frame {
public:
    std::vector<UINT> m_codes;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == TKPM_CONTROLNOTIFY && lParam != 0)
            m_codes.push_back(reinterpret_cast<NMTKPCONTROL*>(lParam)->hdr.code);
        return CBars3Frame::OnWndMsg(message, wParam, lParam, pResult);
    }
    bool Saw(UINT nCode) const { return std::find(m_codes.begin(), m_codes.end(), nCode) != m_codes.end(); }
};

class EditComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CNotifyFrame;
        ASSERT_TRUE(m_pFrame->CreateBars3Frame());
        m_pBar = m_pFrame->GetToolBar();
    }
    void TearDown() override
    {
        CTKPMouseTracker::GetThreadTracker()->CloseAll();
        m_pFrame->DestroyWindow();
        PumpPending();
    }
    void Layout()
    {
        m_pFrame->RecalcLayout();
        PumpPending();
    }
    CTKPControlEdit* AddEdit(int nId)
    {
        CTKPControlEdit* pEdit = DYNAMIC_DOWNCAST(CTKPControlEdit, m_pBar->GetControls()->Add(tkpControlEdit, nId));
        pEdit->SetCaption(L"Find");
        return pEdit;
    }
    CTKPControlComboBox* AddCombo(int nId, BOOL bEditable)
    {
        CTKPControlComboBox* pCombo =
            DYNAMIC_DOWNCAST(CTKPControlComboBox, m_pBar->GetControls()->Add(tkpControlComboBox, nId));
        pCombo->SetDropDownListStyle(bEditable);
        pCombo->SetWidth(150);
        return pCombo;
    }
    static CString WindowText(CWnd* pWnd)
    {
        CString s;
        pWnd->GetWindowText(s);
        return s;
    }
    static void Type(CWnd* pWnd, const wchar_t* psz)
    {
        for (; *psz != 0; ++psz)
            pWnd->SendMessage(WM_CHAR, *psz, 1);
    }
    CNotifyFrame* m_pFrame = nullptr;
    CTKPToolBar* m_pBar = nullptr;
};

}  // namespace

TEST_F(EditComboTest, EditHintIsAStateSoThatTypingTheHintsTextIsText)
{
    CTKPControlEdit* pEdit = AddEdit(150);
    pEdit->SetEditHint(L"Search");
    Layout();
    CTKPControlEditWnd* pWnd = pEdit->GetEditWindow();
    ASSERT_TRUE(pWnd != NULL && pWnd->GetSafeHwnd() != NULL);
    EXPECT_TRUE(pWnd->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(WindowText(pWnd), CString(L"Search"));
    EXPECT_TRUE(pEdit->IsHintShown());
    EXPECT_EQ(pEdit->GetEditText(), CString());

    // The edit window lies over the edit area, right of the label.
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    m_pBar->ScreenToClient(&rcWindow);
    const CRect rcControl = pEdit->GetRect();
    EXPECT_EQ(rcWindow.left, rcControl.left + pEdit->GetLabelWidth() + 4);
    EXPECT_EQ(rcWindow.top, rcControl.top + 3);
    EXPECT_EQ(rcWindow.right, rcControl.right - 3);
    EXPECT_GT(pEdit->GetLabelWidth(), 0);

    // The hint's own text typed in is text, not the hint.
    pEdit->SetEditText(L"Search");
    EXPECT_FALSE(pEdit->IsHintShown());
    EXPECT_EQ(pEdit->GetEditText(), CString(L"Search"));
    pEdit->SetEditText(L"");
    EXPECT_TRUE(pEdit->IsHintShown());

    // A new hint replaces the shown one.
    pEdit->SetEditHint(L"Look for");
    EXPECT_EQ(WindowText(pWnd), CString(L"Look for"));
}

TEST_F(EditComboTest, KeysTypedIntoAnEditAreItsOwnNotTheFramesShortcutsOrMnemonics)
{
    CTKPControlEdit* pEdit = AddEdit(150);
    pEdit->SetEditText(L"");
    // Mnemonics need the frame active.
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->SetForegroundWindow();
    ASSERT_TRUE(PumpUntil([this] { return ::GetForegroundWindow() == m_pFrame->GetSafeHwnd(); }));
    Layout();
    m_pFrame->GetCommandBars()->GetKeyBindings()->LoadFromResource(IDR_BARS3_ACCEL);
    CTKPControlEditWnd* pWnd = pEdit->GetEditWindow();
    ASSERT_TRUE(pWnd != NULL && pWnd->GetSafeHwnd() != NULL);
    const HWND hEdit = pWnd->GetSafeHwnd();
    MSG f5 = {hEdit, WM_KEYDOWN, VK_F5, 0x003F0001};
    MSG altO = {hEdit, WM_SYSKEYDOWN, 'O', 0x20180001};
    MSG letter = {hEdit, WM_KEYDOWN, 'O', 0x00180001};

    pEdit->SetFocused(TRUE);
    ASSERT_EQ(::GetFocus(), hEdit);
    // F5 (a shortcut), Alt+O and O (the mnemonic of Open) stay with the edit: nothing runs and no
    // other control is picked.
    for (MSG* pMsg : {&f5, &altO, &letter}) {
        EXPECT_TRUE(tkpframe::IsKeyForCommandBarEdit(pMsg)) << pMsg->wParam;
        EXPECT_FALSE(m_pFrame->PreTranslateMessage(pMsg)) << pMsg->wParam;
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(m_pBar->GetSelectedIndex(), pEdit->GetIndex());
    EXPECT_TRUE(pEdit->IsFocused());
    // Enter, Tab and Escape are the bar's: they end or move the editing.
    for (WPARAM vk : {VK_RETURN, VK_TAB, VK_ESCAPE}) {
        MSG key = {hEdit, WM_KEYDOWN, vk, 0x00010001};
        EXPECT_FALSE(tkpframe::IsKeyForCommandBarEdit(&key)) << vk;
    }

    // Out of the edit, and the bar let go, the shortcut and the mnemonic work again.
    pEdit->SetFocused(FALSE);
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    MSG f5ToFrame = {m_pFrame->GetSafeHwnd(), WM_KEYDOWN, VK_F5, 0x003F0001};
    EXPECT_FALSE(tkpframe::IsKeyForCommandBarEdit(&f5ToFrame));
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&f5ToFrame));
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{102}));
    MSG altOToFrame = {m_pFrame->GetSafeHwnd(), WM_SYSKEYDOWN, 'O', 0x20180001};
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&altOToFrame));
    EXPECT_EQ(m_pBar->GetSelectedIndex(), m_pBar->GetControls()->FindControl(100)->GetIndex());
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    m_pFrame->ShowWindow(SW_HIDE);
}

TEST_F(EditComboTest, EditFocusTypingAndEscapeRestoreTheTextAndTheHint)
{
    CTKPControlEdit* pEdit = AddEdit(150);
    pEdit->SetEditHint(L"Search");
    pEdit->SetEditText(L"old");
    Layout();
    CTKPControlEditWnd* pWnd = pEdit->GetEditWindow();
    ASSERT_TRUE(pWnd != NULL);

    pEdit->SetFocused(TRUE);
    EXPECT_TRUE(pEdit->IsFocused());
    EXPECT_EQ(::GetFocus(), pWnd->GetSafeHwnd());
    EXPECT_EQ(m_pBar->GetTrackingMode(), (int)CTKPCommandBar::trackingKeyboard);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), pEdit->GetIndex());
    EXPECT_TRUE(CTKPMouseTracker::GetThreadTracker()->IsSuspended());
    EXPECT_TRUE(m_pFrame->Saw(TKPN_EDIT_SETFOCUS));

    pWnd->SetWindowText(L"");
    Type(pWnd, L"new");
    EXPECT_EQ(pEdit->GetEditText(), CString(L"new"));
    EXPECT_TRUE(m_pFrame->Saw(TKPN_EDIT_CHANGE));
    // Keys the box needs stay with it; Enter and Tab go to the bar.
    EXPECT_EQ(pEdit->OnHookKeyDown(VK_RETURN, 0), (int)CTKPHookSink::hookNotHandled);
    EXPECT_EQ(pEdit->OnHookKeyDown(VK_TAB, 0), (int)CTKPHookSink::hookNotHandled);
    EXPECT_EQ(pEdit->OnHookKeyDown('X', 0), (int)CTKPHookSink::hookPass);

    EXPECT_EQ(pEdit->OnHookKeyDown(VK_ESCAPE, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_FALSE(pEdit->IsFocused());
    EXPECT_EQ(pEdit->GetEditText(), CString(L"old"));
    EXPECT_TRUE(m_pFrame->Saw(TKPN_EDIT_KILLFOCUS));
    EXPECT_FALSE(CTKPMouseTracker::GetThreadTracker()->IsSuspended());

    // Emptied and left: the hint comes back, and the text reads as empty.
    pEdit->SetFocused(TRUE);
    EXPECT_FALSE(pEdit->IsHintShown());
    pWnd->SetWindowText(L"");
    pEdit->SetFocused(FALSE);
    EXPECT_TRUE(pEdit->IsHintShown());
    EXPECT_EQ(pEdit->GetEditText(), CString());
}

TEST_F(EditComboTest, EnterInAFocusedEditSendsItsCommandAndTheEditKeepsItsTextWhenItsWindowGoes)
{
    CTKPControlEdit* pEdit = AddEdit(151);
    Layout();
    pEdit->SetFocused(TRUE);
    Type(pEdit->GetEditWindow(), L"kept");
    m_pBar->ProcessSpecialKey(CTKPCommandBar::keyReturn);
    ASSERT_FALSE(m_pFrame->m_commands.empty());
    EXPECT_EQ(m_pFrame->m_commands.back(), 151u);
    EXPECT_FALSE(pEdit->IsFocused());

    pEdit->GetEditWindow()->DestroyWindow();
    EXPECT_EQ(pEdit->GetEditText(), CString(L"kept"));
}

TEST_F(EditComboTest, EditWindowOffersCutAndCopyOnlyForASelectionAndCarriesThemOut)
{
    CTKPControlEdit* pEdit = AddEdit(150);
    pEdit->SetEditText(L"hello");
    Layout();
    CTKPControlEditWnd* pWnd = pEdit->GetEditWindow();
    pWnd->SendMessage(EM_SETSEL, 0, 0);
    EXPECT_FALSE(pWnd->IsCommandEnabled(CTKPEdit::ID_EDIT_CUT_CMD));
    EXPECT_FALSE(pWnd->IsCommandEnabled(CTKPEdit::ID_EDIT_COPY_CMD));
    pWnd->SendMessage(EM_SETSEL, 0, 4);
    EXPECT_TRUE(pWnd->IsCommandEnabled(CTKPEdit::ID_EDIT_CUT_CMD));
    EXPECT_TRUE(pWnd->IsCommandEnabled(CTKPEdit::ID_EDIT_COPY_CMD));

    pWnd->OnCmdMsg(CTKPEdit::ID_EDIT_CUT_CMD, CN_COMMAND, NULL, NULL);
    EXPECT_EQ(WindowText(pWnd), CString(L"o"));
    EXPECT_TRUE(pWnd->IsCommandEnabled(CTKPEdit::ID_EDIT_PASTE_CMD));
    pWnd->SendMessage(EM_SETSEL, 0, -1);
    pWnd->OnCmdMsg(CTKPEdit::ID_EDIT_PASTE_CMD, CN_COMMAND, NULL, NULL);
    EXPECT_EQ(WindowText(pWnd), CString(L"hell"));
}

TEST_F(EditComboTest, TypingAheadCompletesFromTheSecondItemOnWrappingRoundAndBackspaceDoesNotCompleteAgain)
{
    CTKPControlComboBox* pCombo = AddCombo(152, TRUE);
    pCombo->EnableAutoComplete(TRUE);
    pCombo->AddString(L"abc");
    pCombo->AddString(L"xyz");
    pCombo->AddString(L"abd");
    Layout();
    CTKPControlEditWnd* pWnd = pCombo->GetEditWindow();
    ASSERT_TRUE(pWnd != NULL && pWnd->GetSafeHwnd() != NULL);
    pCombo->SetFocused(TRUE);
    auto typeKeys = [&](const wchar_t* psz) {
        for (; *psz != 0; ++psz) {
            pCombo->OnHookKeyDown(*psz - L'a' + 'A', 0);
            pWnd->SendMessage(WM_CHAR, *psz, 1);
        }
    };

    // The search begins at the second item: "abd" is found before "abc".
    typeKeys(L"ab");
    EXPECT_EQ(WindowText(pWnd), CString(L"abd"));
    DWORD dwStart = 0, dwEnd = 0;
    pWnd->SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    EXPECT_EQ(dwStart, 2u);
    EXPECT_EQ(dwEnd, 3u);
    EXPECT_EQ(pCombo->GetCurSel(), 2);
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_EDITCHANGE));

    // Backspace takes the completed part away and leaves "ab" as typed.
    pCombo->OnHookKeyDown(VK_BACK, 0);
    pWnd->SendMessage(WM_CHAR, L'\b', 1);
    EXPECT_EQ(WindowText(pWnd), CString(L"ab"));
    EXPECT_EQ(pCombo->GetEditText(), CString(L"ab"));
    // No item equals it: nothing is selected.
    EXPECT_EQ(pCombo->GetCurSel(), -1);

    // Typing on over the completion: only the first item starts with "abc", found by wrapping round.
    pWnd->SetWindowText(L"");
    typeKeys(L"abc");
    EXPECT_EQ(WindowText(pWnd), CString(L"abc"));
    EXPECT_EQ(pCombo->GetCurSel(), 0);

    // Without the in-box completion the text stays as typed, and an equal item is selected.
    pCombo->EnableAutoComplete(FALSE);
    pWnd->SetWindowText(L"");
    pCombo->OnHookKeyDown('X', 0);
    Type(pWnd, L"xyz");
    EXPECT_EQ(WindowText(pWnd), CString(L"xyz"));
    EXPECT_EQ(pCombo->GetCurSel(), 1);
}

TEST_F(EditComboTest, DropDownListIsAsManyLinesHighAsItHasItemsUpToTheMaximum)
{
    CTKPControlComboBox* pCombo = AddCombo(153, FALSE);
    Layout();
    CTKPControlComboBoxList* pList = pCombo->GetListBar();
    pList->CreateListWindow();
    const int h = (int)pList->SendMessage(LB_GETITEMHEIGHT, 0);
    EXPECT_EQ(pList->CalcListSize(pCombo), CSize(pCombo->GetRect().Width(), h + 4));
    for (int i = 0; i < 3; ++i)
        pCombo->AddString(L"item");
    EXPECT_EQ(pList->CalcListSize(pCombo).cy, 3 * h + 4);
    for (int i = 0; i < 20; ++i)
        pCombo->AddString(L"more");
    EXPECT_EQ(pList->CalcListSize(pCombo).cy, 12 * h + 4);
    pList->SetListWidth(300);
    EXPECT_EQ(pList->CalcListSize(pCombo).cx, 300);

    // Shown below the combo box, and hidden (not destroyed) again.
    pCombo->ShowDropDown(TRUE);
    ASSERT_TRUE(pCombo->IsDroppedDown());
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_DROPDOWN));
    // The list measures its lines in the font it opened with.
    const int hOpen = (int)pList->SendMessage(LB_GETITEMHEIGHT, 0);
    CRect rcList, rcCombo = pCombo->GetRect();
    pList->GetWindowRect(&rcList);
    m_pBar->ClientToScreen(&rcCombo);
    EXPECT_EQ(rcList.top, rcCombo.bottom);
    EXPECT_EQ(rcList.Height(), 12 * hOpen + 4);
    pCombo->ShowDropDown(FALSE);
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_CLOSEUP));
    EXPECT_TRUE(pList->GetSafeHwnd() != NULL);
    EXPECT_EQ(pCombo->GetCount(), 23);
}

TEST_F(EditComboTest, EnterInTheOpenListAcceptsTheItemAndSendsTheCommand)
{
    CTKPControlComboBox* pCombo = AddCombo(154, FALSE);
    pCombo->AddString(L"one");
    pCombo->AddString(L"two");
    pCombo->AddString(L"three");
    pCombo->SetEditHint(L"Pick");
    Layout();
    EXPECT_EQ(pCombo->GetEditText(), CString());

    m_pBar->SetPopuped(pCombo->GetIndex(), TRUE);
    ASSERT_TRUE(pCombo->IsDroppedDown());
    CTKPControlComboBoxList* pList = pCombo->GetListBar();
    EXPECT_EQ(pList->OnHookKeyDown(VK_DOWN, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_EQ(pList->OnHookKeyDown(VK_DOWN, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_EQ(pCombo->GetCurSel(), 1);
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_SELCHANGE));
    EXPECT_EQ(pList->OnHookKeyDown(VK_RETURN, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_SELENDOK));
    EXPECT_EQ(pCombo->GetEditText(), CString(L"two"));
    EXPECT_EQ(pCombo->GetListText(), CString(L"two"));
    ASSERT_FALSE(m_pFrame->m_commands.empty());
    EXPECT_EQ(m_pFrame->m_commands.back(), 154u);

    // The release of the button over an item accepts it too.
    m_pFrame->m_commands.clear();
    pCombo->ShowDropDown(TRUE);
    ASSERT_TRUE(pCombo->IsDroppedDown());
    const int h = (int)pList->SendMessage(LB_GETITEMHEIGHT, 0);
    pList->OnLButtonUp(0, CPoint(5, 2 * h + h / 2));
    EXPECT_EQ(pCombo->GetCurSel(), 2);
    EXPECT_EQ(pCombo->GetEditText(), CString(L"three"));
    EXPECT_FALSE(m_pFrame->m_commands.empty());
}

TEST_F(EditComboTest, EscapeInAFocusedComboBoxRestoresTheSelectionAndTextOfItsFocus)
{
    CTKPControlComboBox* pCombo = AddCombo(155, TRUE);
    pCombo->AddString(L"red");
    pCombo->AddString(L"green");
    pCombo->AddString(L"blue");
    pCombo->SetCurSel(1);
    Layout();
    EXPECT_EQ(pCombo->GetEditText(), CString(L"green"));
    pCombo->SetFocused(TRUE);
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_SETFOCUS));

    // Down moves the list's selection and shows its text; F4 opens the list.
    EXPECT_EQ(pCombo->OnHookKeyDown(VK_DOWN, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_EQ(pCombo->GetCurSel(), 2);
    EXPECT_EQ(pCombo->GetEditText(), CString(L"blue"));
    EXPECT_EQ(pCombo->OnHookKeyDown(VK_F4, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_TRUE(pCombo->IsDroppedDown());
    EXPECT_TRUE(pCombo->IsFocused());

    EXPECT_EQ(pCombo->OnHookKeyDown(VK_ESCAPE, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_FALSE(pCombo->IsFocused());
    EXPECT_EQ(pCombo->GetCurSel(), 1);
    EXPECT_EQ(pCombo->GetEditText(), CString(L"green"));
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_KILLFOCUS));
    EXPECT_FALSE(m_pFrame->Saw(TKPN_COMBO_SELENDCANCEL));

    // A drop-down list without an edit box also tells its site that the choice was cancelled.
    CTKPControlComboBox* pPick = AddCombo(156, FALSE);
    pPick->AddString(L"small");
    pPick->AddString(L"large");
    pPick->SetCurSel(0);
    Layout();
    pPick->SetFocused(TRUE);
    m_pFrame->m_codes.clear();
    EXPECT_EQ(pPick->OnHookKeyDown(VK_ESCAPE, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_FALSE(pPick->IsFocused());
    EXPECT_EQ(pPick->GetCurSel(), 0);
    EXPECT_EQ(pPick->GetEditText(), CString(L"small"));
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_SELENDCANCEL));
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_KILLFOCUS));
}

TEST_F(EditComboTest, ClosingTheListOfAFocusedComboBoxGivesTheKeyboardBack)
{
    CTKPControlComboBox* pCombo = AddCombo(157, TRUE);
    pCombo->AddString(L"one");
    pCombo->AddString(L"two");
    Layout();
    m_pFrame->SetFocus();
    ASSERT_EQ(::GetFocus(), m_pFrame->GetSafeHwnd());
    pCombo->SetFocused(TRUE);
    ASSERT_EQ(::GetFocus(), pCombo->GetEditWindow()->GetSafeHwnd());
    EXPECT_EQ(pCombo->OnHookKeyDown(VK_F4, 0), (int)CTKPHookSink::hookHandled);
    ASSERT_TRUE(pCombo->IsDroppedDown());

    // F4 again closes the list: the bar lets go of the box and the frame has the keyboard again.
    EXPECT_EQ(pCombo->OnHookKeyDown(VK_F4, 0), (int)CTKPHookSink::hookHandled);
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_FALSE(pCombo->IsFocused());
    EXPECT_EQ(m_pBar->GetSelectedIndex(), -1);
    EXPECT_EQ(::GetFocus(), m_pFrame->GetSafeHwnd());
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_KILLFOCUS));
    EXPECT_FALSE(CTKPMouseTracker::GetThreadTracker()->IsSuspended());
}

TEST(EditCharFormat, TheStructureFitsTheLibraryAndCarriesBothColours)
{
    const CHARFORMAT2W version2 = TKPMakeEditCharFormat(TRUE, TRUE, FALSE);
    EXPECT_EQ(version2.cbSize, 116u);
    EXPECT_EQ(version2.dwMask, static_cast<DWORD>(CFM_COLOR | CFM_BACKCOLOR));
    const CHARFORMAT2W version1 = TKPMakeEditCharFormat(FALSE, FALSE, FALSE);
    EXPECT_EQ(version1.cbSize, 60u);
    EXPECT_EQ(version1.dwMask, static_cast<DWORD>(CFM_COLOR | CFM_BACKCOLOR));
    EXPECT_EQ(version1.crBackColor, GetColorManager()->GetColor(COLOR_BTNFACE));
    EXPECT_EQ(version1.crTextColor, GetColorManager()->GetColor(COLOR_GRAYTEXT));
    // The hint is grey in an enabled box.
    EXPECT_EQ(TKPMakeEditCharFormat(TRUE, TRUE, TRUE).crTextColor, GetColorManager()->GetColor(COLOR_GRAYTEXT));
    EXPECT_EQ(version2.crTextColor, GetColorManager()->GetColor(COLOR_BTNTEXT));
}

TEST_F(EditComboTest, ACopiedComboBoxHasItsOwnListWithTheItemsAndSettings)
{
    CTKPControlComboBox* pCombo = AddCombo(156, TRUE);
    pCombo->AddString(L"first");
    pCombo->AddString(L"second");
    pCombo->SetEditHint(L"hint");
    pCombo->EnableAutoComplete(TRUE);
    pCombo->SetMaxVisibleItems(5);
    Layout();

    CTKPControl* pClone = pCombo->Clone();
    CTKPControlComboBox* pCopy = DYNAMIC_DOWNCAST(CTKPControlComboBox, pClone);
    ASSERT_TRUE(pCopy != NULL);
    EXPECT_NE(pCopy->GetListBar(), pCombo->GetListBar());
    EXPECT_EQ(pCopy->GetCount(), 2);
    EXPECT_EQ(pCopy->GetItemText(1), CString(L"second"));
    EXPECT_TRUE(pCopy->GetDropDownListStyle());
    EXPECT_TRUE(pCopy->IsAutoCompleteEnabled());
    EXPECT_EQ(pCopy->GetMaxVisibleItems(), 5);
    EXPECT_EQ(pCopy->GetEditHint(), CString(L"hint"));
    EXPECT_TRUE(pCopy->Compare(pCombo));
    pCopy->SetWidth(90);
    EXPECT_FALSE(pCopy->Compare(pCombo));
    pCopy->DeleteItem(0);
    EXPECT_EQ(pCombo->GetCount(), 2);
    pClone->InternalRelease();
}

namespace {

// A popup bar that does not show itself: what opens is recorded and a test function picks.
class CEditMenuPopup : public CFakePopupBar {
    DECLARE_DYNCREATE(CEditMenuPopup)
public:
    CEditMenuPopup() { m_onOpen = s_onOpen; }
    static std::function<void(CFakePopupBar*)> s_onOpen;
};
IMPLEMENT_DYNCREATE(CEditMenuPopup, CFakePopupBar)
std::function<void(CFakePopupBar*)> CEditMenuPopup::s_onOpen;

std::vector<std::pair<HWND, DWORD>> g_autoCompleteCalls;
HRESULT g_autoCompleteAnswer = S_OK;

HRESULT WINAPI RecordAutoComplete(HWND hWnd, DWORD dwFlags)
{
    g_autoCompleteCalls.push_back({hWnd, dwFlags});
    return g_autoCompleteAnswer;
}

}  // namespace

TEST_F(EditComboTest, TheRightButtonInAnEditOffersCutCopyAndPasteAndCarriesOutTheChoice)
{
    CTKPControlEdit* pEdit = AddEdit(157);
    pEdit->SetEditText(L"recover");
    Layout();
    CTKPControlEditWnd* pWnd = pEdit->GetEditWindow();
    pWnd->SendMessage(EM_SETSEL, 0, 3);

    std::vector<std::pair<int, BOOL>> items;
    CEditMenuPopup::s_onOpen = [&](CFakePopupBar* pPopup) {
        for (int i = 0; i < pPopup->GetControlCount(); ++i)
            items.push_back({pPopup->GetControl(i)->GetID(), pPopup->GetControl(i)->GetEnabled()});
        CTKPControl* pCut = pPopup->GetControls()->FindControl(CTKPEdit::ID_EDIT_CUT_CMD);
        if (pCut != NULL)
            pCut->OnExecute();
    };
    CRuntimeClass* pOldClass = CTKPCommandBars::m_pPopupBarClass;
    CTKPCommandBars::m_pPopupBarClass = RUNTIME_CLASS(CEditMenuPopup);
    pWnd->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    CTKPCommandBars::m_pPopupBarClass = pOldClass;
    CEditMenuPopup::s_onOpen = nullptr;

    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], std::make_pair((int)CTKPEdit::ID_EDIT_CUT_CMD, TRUE));
    EXPECT_EQ(items[1], std::make_pair((int)CTKPEdit::ID_EDIT_COPY_CMD, TRUE));
    EXPECT_EQ(items[2].first, (int)CTKPEdit::ID_EDIT_PASTE_CMD);
    EXPECT_TRUE(pEdit->IsFocused());
    EXPECT_EQ(WindowText(pWnd), CString(L"over"));
    // The cut text is on the clipboard: paste is offered now.
    EXPECT_TRUE(pWnd->IsCommandEnabled(CTKPEdit::ID_EDIT_PASTE_CMD));
}

TEST_F(EditComboTest, TheShellsSuggestionsAreAttachedAndTheirDropDownClosesTheComboBoxList)
{
    g_autoCompleteCalls.clear();
    CTKPEditAutoComplete::SetAutoCompleteFunction(RecordAutoComplete);
    CTKPControlComboBox* pCombo = AddCombo(158, TRUE);
    pCombo->AddString(L"C:\\Images");
    pCombo->AddString(L"D:\\Recovered");
    pCombo->EnableShellAutoComplete(0x1);
    Layout();
    CTKPControlEditWnd* pWnd = pCombo->GetEditWindow();
    ASSERT_TRUE(pWnd != NULL && pWnd->GetSafeHwnd() != NULL);
    ASSERT_FALSE(g_autoCompleteCalls.empty());
    EXPECT_EQ(g_autoCompleteCalls.back().first, pWnd->GetSafeHwnd());
    EXPECT_EQ(g_autoCompleteCalls.back().second, 0x1u);
    CTKPEditAutoComplete* pAutoComplete = pCombo->GetShellAutoComplete();
    ASSERT_TRUE(pAutoComplete != NULL);

    pCombo->SetFocused(TRUE);
    pCombo->ShowDropDown(TRUE);
    ASSERT_TRUE(pCombo->IsDroppedDown());

    // The shell's drop-down appears: it is taken as the suggestions and the combo box's own list goes.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"Auto-Suggest Dropdown";
    ::RegisterClassW(&wc);
    const HWND hDropDown = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"Auto-Suggest Dropdown", NULL, WS_POPUP, 0, 0, 100, 60,
        NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(hDropDown != NULL);
    ::SetWindowPos(hDropDown, NULL, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EXPECT_EQ(pAutoComplete->GetDropDown(), hDropDown);
    PumpPending();
    EXPECT_FALSE(pCombo->IsDroppedDown());
    // The user goes on typing: the box keeps the keyboard.
    EXPECT_TRUE(pCombo->IsFocused());
    EXPECT_EQ(::GetFocus(), pWnd->GetSafeHwnd());
    ::SetWindowPos(hDropDown, NULL, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    EXPECT_EQ(pAutoComplete->GetDropDown(), (HWND)NULL);
    ::DestroyWindow(hDropDown);
    pCombo->SetFocused(FALSE);

    // A shell that refuses leaves the box without suggestions.
    g_autoCompleteAnswer = E_FAIL;
    pCombo->EnableShellAutoComplete(0x2);
    EXPECT_TRUE(pCombo->GetShellAutoComplete() == NULL);
    g_autoCompleteAnswer = S_OK;
    CTKPEditAutoComplete::SetAutoCompleteFunction(NULL);
}

namespace {

// Keys that reach each window of the shell's drop-down as built by the test.
std::map<HWND, std::vector<WPARAM>> g_dropDownKeys;

LRESULT CALLBACK DropDownPartProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_GETDLGCODE)
        return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    if (nMessage == WM_KEYDOWN)
        g_dropDownKeys[hWnd].push_back(wParam);
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

}  // namespace

TEST_F(EditComboTest, UpAndDownInTheEditGoToTheListOfTheShellsDropDown)
{
    CTKPControlEdit* pEdit = AddEdit(160);
    Layout();
    CTKPControlEditWnd* pWnd = pEdit->GetEditWindow();
    ASSERT_TRUE(pWnd != NULL && pWnd->GetSafeHwnd() != NULL);
    CTKPEditAutoComplete autoComplete(pWnd->GetSafeHwnd());
    autoComplete.SetFocused(TRUE);

    // The platform's drop-down: a frame whose first child holds a scroll bar and, last, the list;
    // a size grip follows the first child.
    const HINSTANCE hInstance = ::GetModuleHandleW(NULL);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance;
    wc.lpszClassName = L"Auto-Suggest Dropdown";
    ::RegisterClassW(&wc);
    WNDCLASSW part = {};
    part.lpfnWndProc = DropDownPartProc;
    part.hInstance = hInstance;
    part.lpszClassName = L"MorvickDropDownPart";
    ::RegisterClassW(&part);
    const HWND hDropDown = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"Auto-Suggest Dropdown", NULL, WS_POPUP, 0, 0, 200, 100,
        NULL, NULL, hInstance, NULL);
    ASSERT_TRUE(hDropDown != NULL);
    const HWND hHolder = ::CreateWindowExW(0, part.lpszClassName, NULL, WS_CHILD | WS_VISIBLE, 0, 0, 200, 90, hDropDown,
        NULL, hInstance, NULL);
    const HWND hGrip = ::CreateWindowExW(0, part.lpszClassName, NULL, WS_CHILD | WS_VISIBLE, 190, 90, 10, 10, hDropDown,
        NULL, hInstance, NULL);
    const HWND hScroll = ::CreateWindowExW(0, part.lpszClassName, NULL, WS_CHILD | WS_VISIBLE, 180, 0, 20, 90, hHolder,
        NULL, hInstance, NULL);
    const HWND hList = ::CreateWindowExW(0, part.lpszClassName, NULL, WS_CHILD | WS_VISIBLE, 0, 0, 180, 90, hHolder,
        NULL, hInstance, NULL);
    ASSERT_TRUE(hHolder != NULL && hGrip != NULL && hScroll != NULL && hList != NULL);
    ASSERT_EQ(hList, ::GetWindow(::GetWindow(hHolder, GW_CHILD), GW_HWNDLAST));
    ::SetWindowPos(hDropDown, NULL, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_EQ(autoComplete.GetDropDown(), hDropDown);

    g_dropDownKeys.clear();
    EXPECT_TRUE(autoComplete.ProcessKey(VK_DOWN));
    EXPECT_TRUE(autoComplete.ProcessKey(VK_UP));
    EXPECT_EQ(g_dropDownKeys[hList], (std::vector<WPARAM>{VK_DOWN, VK_UP}));
    EXPECT_TRUE(g_dropDownKeys[hGrip].empty());
    EXPECT_TRUE(g_dropDownKeys[hScroll].empty());
    // Other keys stay with the edit.
    EXPECT_FALSE(autoComplete.ProcessKey(VK_LEFT));

    ::DestroyWindow(hDropDown);
    autoComplete.SetFocused(FALSE);
}

TEST_F(EditComboTest, RealClicksAndKeysReachTheEditThroughTheBarsHooks)
{
    CTKPControlEdit* pEdit = AddEdit(159);
    pEdit->SetEditHint(L"Search");
    pEdit->SetEditText(L"x");
    m_pFrame->SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->SetForegroundWindow();
    Layout();
    CTKPControlEditWnd* pWnd = pEdit->GetEditWindow();
    ASSERT_TRUE(pWnd != NULL);
    CRect rc;
    pWnd->GetWindowRect(&rc);

    morvick::test::SettleCursorAt(rc.left + 5, rc.CenterPoint().y);
    morvick::test::MouseDown(rc.left + 5, rc.CenterPoint().y);
    morvick::test::MouseUp(rc.left + 5, rc.CenterPoint().y);
    ASSERT_TRUE(PumpUntil([&] { return pEdit->IsFocused(); }));
    EXPECT_EQ(m_pBar->GetTrackingMode(), (int)CTKPCommandBar::trackingKeyboard);

    pWnd->SendMessage(EM_SETSEL, 0, -1);
    morvick::test::KeyPress('A');
    morvick::test::KeyPress('B');
    ASSERT_TRUE(PumpUntil([&] { return pEdit->GetEditText().GetLength() == 2; }));
    EXPECT_EQ(pEdit->GetEditText().CompareNoCase(L"ab"), 0);
    // Backspace reaches the box, not the bar.
    morvick::test::KeyPress(VK_BACK);
    ASSERT_TRUE(PumpUntil([&] { return pEdit->GetEditText().GetLength() == 1; }));

    morvick::test::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !pEdit->IsFocused(); }));
    EXPECT_EQ(pEdit->GetEditText(), CString(L"x"));
    // The bar keeps the keyboard with the edit selected; a second Escape lets go of it.
    EXPECT_EQ(m_pBar->GetSelectedIndex(), pEdit->GetIndex());
    morvick::test::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return m_pBar->GetTrackingMode() == CTKPCommandBar::trackingNone; }));
    m_pFrame->ShowWindow(SW_HIDE);
}
