// What a screen reader hears from the bars of a shown frame: the objects that a toolbar and a menu
// bar answer for their windows, their controls as children, and each control's name, role, state,
// children and default action.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/MenuTestSupport.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"

#include <oleacc.h>

#include <string>

namespace {

// An interface pointer released at the end of its scope.
template <class T>
class Ref {
public:
    Ref() = default;
    ~Ref()
    {
        if (m_p != nullptr)
            m_p->Release();
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }

private:
    T* m_p = nullptr;
};

VARIANT Child(long nChild)
{
    VARIANT var;
    ::VariantInit(&var);
    var.vt = VT_I4;
    var.lVal = nChild;
    return var;
}

std::wstring Name(IAccessible* pAcc, long nChild = CHILDID_SELF)
{
    BSTR bstr = NULL;
    if (pAcc->get_accName(Child(nChild), &bstr) != S_OK || bstr == NULL)
        return L"<none>";
    std::wstring str(bstr);
    ::SysFreeString(bstr);
    return str;
}

long Role(IAccessible* pAcc, long nChild = CHILDID_SELF)
{
    VARIANT var;
    ::VariantInit(&var);
    if (pAcc->get_accRole(Child(nChild), &var) != S_OK || var.vt != VT_I4)
        return -1;
    return var.lVal;
}

long State(IAccessible* pAcc, long nChild = CHILDID_SELF)
{
    VARIANT var;
    ::VariantInit(&var);
    if (pAcc->get_accState(Child(nChild), &var) != S_OK || var.vt != VT_I4)
        return -1;
    return var.lVal;
}

long ChildCount(IAccessible* pAcc)
{
    long n = -1;
    return pAcc->get_accChildCount(&n) == S_OK ? n : -1;
}

std::wstring DefaultAction(IAccessible* pAcc)
{
    BSTR bstr = NULL;
    if (pAcc->get_accDefaultAction(Child(CHILDID_SELF), &bstr) != S_OK || bstr == NULL)
        return L"<none>";
    std::wstring str(bstr);
    ::SysFreeString(bstr);
    return str;
}

// The object of child n as an IAccessible (null when there is none).
IAccessible* ChildObject(IAccessible* pAcc, long nChild)
{
    IDispatch* pDispatch = NULL;
    if (pAcc->get_accChild(Child(nChild), &pDispatch) != S_OK || pDispatch == NULL)
        return NULL;
    IAccessible* pChild = NULL;
    pDispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&pChild));
    pDispatch->Release();
    return pChild;
}

// Whether two interface pointers are one object.
bool SameObject(IUnknown* a, IUnknown* b)
{
    IUnknown* pa = NULL;
    IUnknown* pb = NULL;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pa));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pb));
    const bool bSame = pa != NULL && pa == pb;
    if (pa != NULL)
        pa->Release();
    if (pb != NULL)
        pb->Release();
    return bSame;
}

class AccessibilityTest : public MenuFrameTest {
protected:
    void SetUp() override
    {
        ::CoInitialize(NULL);
        // The pointer stays off the bars, so that no control is hot when the states are read (the
        // move in absolute input units may land a pixel short of the point).
        MoveMouseTo(POINT{1, 1});
        PumpMenuUntil([] {
            POINT pt;
            return ::GetCursorPos(&pt) && pt.x <= 2 && pt.y <= 2;
        });
        MenuFrameTest::SetUp();
    }
    void TearDown() override
    {
        MenuFrameTest::TearDown();
        ::CoUninitialize();
    }
    // The object a screen reader gets for a bar's window.
    static HRESULT WindowObject(CWnd* pWnd, IAccessible** ppAcc)
    {
        return ::AccessibleObjectFromWindow(pWnd->GetSafeHwnd(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
            reinterpret_cast<void**>(ppAcc));
    }
};

}  // namespace

TEST_F(AccessibilityTest, AToolBarAndItsButtonsAnswerNameRoleStateChildrenAndDefaultAction)
{
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    CTKPControl* pOpen = pBar->GetControl(0);
    pOpen->SetCaption(L"&Open it");
    pOpen->SetShortcutText(L"Ctrl+O");
    CTKPControl* pMore = pBar->GetControls()->Add(tkpControlButtonPopup, 130);
    pMore->SetCaption(L"&More");
    pMore->GetCommandBar()->SetTitle(L"More");
    m_pFrame->RecalcLayout();

    Ref<IAccessible> acc;
    ASSERT_EQ(S_OK, WindowObject(pBar, &acc));
    EXPECT_EQ(L"Standard", Name(acc.get()));
    EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, Role(acc.get()));
    EXPECT_EQ(0, State(acc.get()) & STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(pBar->GetControlCount(), ChildCount(acc.get()));
    // Children by number: the bar answers for them.
    EXPECT_EQ(L"Open it\tCtrl+O", Name(acc.get(), 1));
    EXPECT_EQ(ROLE_SYSTEM_MENUITEM, Role(acc.get(), 1));
    EXPECT_EQ(STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE, State(acc.get(), 1));

    // The button's own object.
    Ref<IAccessible> open;
    *&open = ChildObject(acc.get(), 1);
    ASSERT_NE(nullptr, open.get());
    EXPECT_EQ(L"Open it\tCtrl+O", Name(open.get()));
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, Role(open.get()));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, State(open.get()));
    EXPECT_EQ(0, ChildCount(open.get()));
    EXPECT_EQ(L"Click", DefaultAction(open.get()));
    {
        IDispatch* pParent = NULL;
        ASSERT_EQ(S_OK, open->get_accParent(&pParent));
        ASSERT_NE(nullptr, pParent);
        EXPECT_TRUE(SameObject(pParent, acc.get()));
        pParent->Release();
    }
    pOpen->SetChecked(1);
    pOpen->SetEnabled(FALSE);
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE, State(open.get()));
    pOpen->SetEnabled(TRUE);
    pOpen->SetChecked(0);
    pOpen->SetHideFlag(tkpHideCustomize, TRUE);
    EXPECT_TRUE(State(open.get()) & STATE_SYSTEM_INVISIBLE);
    pOpen->SetHideFlag(tkpHideCustomize, FALSE);
    // Doing the default action clicks the button: its command reaches the frame.
    m_pFrame->m_commands.clear();
    EXPECT_EQ(S_OK, open->accDoDefaultAction(Child(CHILDID_SELF)));
    EXPECT_TRUE(PumpMenuUntil([&] { return !m_pFrame->m_commands.empty(); }));
    ASSERT_FALSE(m_pFrame->m_commands.empty());
    EXPECT_EQ(static_cast<UINT>(pOpen->GetID()), m_pFrame->m_commands.front());

    // A button with a popup: its one child is the popup bar.
    Ref<IAccessible> more;
    *&more = ChildObject(acc.get(), pMore->GetIndex() + 1);
    ASSERT_NE(nullptr, more.get());
    EXPECT_EQ(L"More", Name(more.get()));
    EXPECT_EQ(ROLE_SYSTEM_BUTTONMENU, Role(more.get()));
    EXPECT_TRUE(State(more.get()) & STATE_SYSTEM_HASPOPUP);
    EXPECT_EQ(1, ChildCount(more.get()));
    Ref<IAccessible> popup;
    *&popup = ChildObject(more.get(), 1);
    ASSERT_NE(nullptr, popup.get());
    EXPECT_EQ(ROLE_SYSTEM_MENUPOPUP, Role(popup.get()));
    EXPECT_TRUE(State(popup.get()) & STATE_SYSTEM_INVISIBLE);  // not open
    // Numbers outside the bar are refused.
    EXPECT_EQ(-1, Role(acc.get(), pBar->GetControlCount() + 1));
}

TEST_F(AccessibilityTest, AMenuBarAndItsMenusAnswerNameRoleStateChildrenAndDefaultAction)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    Ref<IAccessible> acc;
    ASSERT_EQ(S_OK, WindowObject(pBar, &acc));
    EXPECT_EQ(L"Menu Bar", Name(acc.get()));
    EXPECT_EQ(ROLE_SYSTEM_MENUBAR, Role(acc.get()));
    EXPECT_EQ(pBar->GetControlCount(), ChildCount(acc.get()));
    EXPECT_EQ(L"File", Name(acc.get(), 1));

    Ref<IAccessible> file;
    *&file = ChildObject(acc.get(), 1);
    ASSERT_NE(nullptr, file.get());
    EXPECT_EQ(L"File", Name(file.get()));
    EXPECT_EQ(ROLE_SYSTEM_MENUITEM, Role(file.get()));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HASPOPUP, State(file.get()));
    EXPECT_EQ(L"Click", DefaultAction(file.get()));
    EXPECT_EQ(1, ChildCount(file.get()));

    // The File menu: its items with their shortcuts; the disabled Undo of the Edit menu says so.
    Ref<IAccessible> menu;
    *&menu = ChildObject(file.get(), 1);
    ASSERT_NE(nullptr, menu.get());
    EXPECT_EQ(ROLE_SYSTEM_MENUPOPUP, Role(menu.get()));
    CTKPCommandBar* pFileMenu = pBar->GetControl(0)->GetCommandBar();
    EXPECT_EQ(pFileMenu->GetControlCount(), ChildCount(menu.get()));
    EXPECT_EQ(L"New\tCtrl+N", Name(menu.get(), 1));
    Ref<IAccessible> item;
    *&item = ChildObject(menu.get(), 1);
    ASSERT_NE(nullptr, item.get());
    EXPECT_EQ(ROLE_SYSTEM_MENUITEM, Role(item.get()));
    EXPECT_EQ(0, ChildCount(item.get()));
    // Opened by a click, the menu's window answers with the same object, shown, and its parent is
    // the item that opened it.
    ClickAt(m_pFrame->GetMenuItemRect(0).CenterPoint());
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    {
        Ref<IAccessible> open;
        ASSERT_EQ(S_OK, WindowObject(GetDeepestPopup(), &open));
        EXPECT_TRUE(SameObject(open.get(), menu.get()));
        EXPECT_EQ(0, State(open.get()) & STATE_SYSTEM_INVISIBLE);
        IDispatch* pParent = NULL;
        ASSERT_EQ(S_OK, open->get_accParent(&pParent));
        ASSERT_NE(nullptr, pParent);
        EXPECT_TRUE(SameObject(pParent, file.get()));
        pParent->Release();
    }
    CloseAllPopups();
    CTKPControl* pUndo = pBar->GetControl(1)->GetCommandBar()->GetControl(0);
    ASSERT_EQ(120, pUndo->GetID());
    pUndo->SetEnabled(FALSE);
    Ref<IAccessible> undo;
    *&undo = ChildObject(pBar->GetControl(1)->GetCommandBar()->GetAccessible(), 1);
    ASSERT_NE(nullptr, undo.get());
    EXPECT_EQ(L"Undo\tCtrl+Z", Name(undo.get()));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE, State(undo.get()) & ~STATE_SYSTEM_INVISIBLE);

    // Selecting an item by keyboard makes it the focused, selected one.
    pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    pBar->SetSelected(0, TRUE);
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED |
            STATE_SYSTEM_HASPOPUP,
        State(file.get()));
    EXPECT_TRUE(State(acc.get(), 1) & STATE_SYSTEM_FOCUSED);
    pBar->SetTrackingMode(CTKPCommandBar::trackingNone);
}

// The default action of a menu opens it as a click does, with no item selected; Enter on an item
// selected from the keyboard opens it with its first item selected.
TEST_F(AccessibilityTest, TheDefaultActionOfAMenuOpensItAsAClickDoes)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    Ref<IAccessible> acc;
    ASSERT_EQ(S_OK, WindowObject(pBar, &acc));
    Ref<IAccessible> file;
    *&file = ChildObject(acc.get(), 1);
    ASSERT_NE(nullptr, file.get());
    CTKPControl* pFile = pBar->GetControl(0);
    CTKPCommandBar* pFileMenu = pFile->GetCommandBar();

    EXPECT_EQ(S_OK, file->accDoDefaultAction(Child(CHILDID_SELF)));
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    EXPECT_EQ(pFileMenu, GetDeepestPopup());
    EXPECT_EQ(1, pFile->GetSelected());
    EXPECT_EQ(-1, pFileMenu->GetSelectedIndex());
    CloseAllPopups();

    pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    pBar->SetSelected(0, TRUE);
    EXPECT_TRUE(pBar->ProcessSpecialKey(CTKPCommandBar::keyReturn));
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    EXPECT_EQ(2, pFile->GetSelected());
    EXPECT_EQ(0, pFileMenu->GetSelectedIndex());
    CloseAllPopups();
}
