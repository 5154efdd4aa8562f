// The edit and combo-box controls of a toolbar: the hint, focus and Escape, the commands of the
// edit window, typing ahead from the list, the drop-down list's height, keys and acceptance, and
// copies of a combo box with its items.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlComboBox.h"
#include "toolkit/commandbars/ControlComboBoxList.h"
#include "toolkit/commandbars/ControlEdit.h"
#include "toolkit/commandbars/Controls.h"
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

TEST_F(EditComboTest, TypingAheadCompletesToTheFirstItemThatStartsTheTextAndBackspaceDoesNotCompleteAgain)
{
    CTKPControlComboBox* pCombo = AddCombo(152, TRUE);
    pCombo->EnableAutoComplete(TRUE);
    pCombo->AddString(L"abc");
    pCombo->AddString(L"abd");
    pCombo->AddString(L"xyz");
    Layout();
    CTKPControlEditWnd* pWnd = pCombo->GetEditWindow();
    ASSERT_TRUE(pWnd != NULL && pWnd->GetSafeHwnd() != NULL);
    pCombo->SetFocused(TRUE);

    for (const wchar_t* p = L"ab"; *p != 0; ++p) {
        pCombo->OnHookKeyDown(*p - L'a' + 'A', 0);
        pWnd->SendMessage(WM_CHAR, *p, 1);
    }
    EXPECT_EQ(WindowText(pWnd), CString(L"abc"));
    DWORD dwStart = 0, dwEnd = 0;
    pWnd->SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    EXPECT_EQ(dwStart, 2u);
    EXPECT_EQ(dwEnd, 3u);
    EXPECT_EQ(pCombo->GetCurSel(), 0);
    EXPECT_TRUE(m_pFrame->Saw(TKPN_COMBO_EDITCHANGE));

    // Backspace takes the completed part away and leaves "ab" as typed.
    pCombo->OnHookKeyDown(VK_BACK, 0);
    pWnd->SendMessage(WM_CHAR, L'\b', 1);
    EXPECT_EQ(WindowText(pWnd), CString(L"ab"));
    EXPECT_EQ(pCombo->GetEditText(), CString(L"ab"));
    // No item equals it: nothing is selected.
    EXPECT_EQ(pCombo->GetCurSel(), -1);

    // Without the in-box completion the text stays as typed, and an equal item is selected.
    pCombo->EnableAutoComplete(FALSE);
    pWnd->SetWindowText(L"");
    pCombo->OnHookKeyDown('X', 0);
    Type(pWnd, L"xyz");
    EXPECT_EQ(WindowText(pWnd), CString(L"xyz"));
    EXPECT_EQ(pCombo->GetCurSel(), 2);
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
