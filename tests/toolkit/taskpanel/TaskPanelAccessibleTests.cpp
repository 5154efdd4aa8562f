// The panel, its groups and items as accessibility and automation clients see them through the
// system's calls.
#include <gtest/gtest.h>

#include <vector>

#include "TaskPanelTestSupport.h"
#include "tests/support/win/DispatchClient.h"
#include "tests/support/win/InputSupport.h"

using namespace tptest;

namespace {

VARIANT Child(long id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

CString Name(IAccessible* pAcc, long id = CHILDID_SELF)
{
    BSTR b = nullptr;
    if (pAcc->get_accName(Child(id), &b) != S_OK)
        return _T("<none>");
    CString s(b);
    ::SysFreeString(b);
    return s;
}

long Role(IAccessible* pAcc, long id = CHILDID_SELF)
{
    VARIANT v;
    ::VariantInit(&v);
    return pAcc->get_accRole(Child(id), &v) == S_OK ? v.lVal : -1;
}

long State(IAccessible* pAcc, long id = CHILDID_SELF)
{
    VARIANT v;
    ::VariantInit(&v);
    return pAcc->get_accState(Child(id), &v) == S_OK ? v.lVal : -1;
}

// The accessible object of the panel's child number id.
IAccessible* ChildObject(IAccessible* pPanel, long id)
{
    IDispatch* pDispatch = nullptr;
    if (pPanel->get_accChild(Child(id), &pDispatch) != S_OK || pDispatch == nullptr)
        return nullptr;
    IAccessible* pAcc = nullptr;
    pDispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&pAcc));
    pDispatch->Release();
    return pAcc;
}

std::vector<LONG> g_focusChildren;
HWND g_hPanel = nullptr;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
{
    if (event == EVENT_OBJECT_FOCUS && hWnd == g_hPanel && idObject == OBJID_CLIENT)
        g_focusChildren.push_back(idChild);
}

class TaskPanelAccessibility : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::CoInitialize(nullptr);
        Host::Get().Activate();
        Host::Get().Reset();
        for (LPCTSTR group : {_T("A"), _T("B")}) {
            CTKPTaskPanelGroup* pGroup = AddGroup(panel.Get(), group);
            for (int i = 1; i <= 3; ++i) {
                CString s;
                s.Format(_T("%s%d"), group, i);
                CTKPTaskPanelGroupItem* pItem = AddItem(pGroup, s);
                pItem->SetTooltip(s + _T(" tip"));
            }
        }
        FinishAnimation(panel.Get());
        ASSERT_EQ(S_OK,
            CTKPAccessible::AccessibleObjectFromWindow(panel->GetSafeHwnd(), (DWORD)OBJID_CLIENT, __uuidof(IAccessible),
                reinterpret_cast<void**>(&pAcc)));
    }
    void TearDown() override
    {
        if (pAcc)
            pAcc->Release();
        Host::Get().Reset();
        ::CoUninitialize();
    }

    PanelWindow panel{220, 500};
    IAccessible* pAcc = nullptr;
};

}  // namespace

TEST_F(TaskPanelAccessibility, ThePanelListsEachGroupFollowedByItsItems)
{
    long count = 0;
    ASSERT_EQ(S_OK, pAcc->get_accChildCount(&count));
    EXPECT_EQ(8, count);
    EXPECT_EQ(CString(_T("Tasks panel")), Name(pAcc));
    EXPECT_EQ(ROLE_SYSTEM_OUTLINE, Role(pAcc));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, State(pAcc));
    EXPECT_EQ(0, State(pAcc, 3));

    const LPCTSTR names[] = {_T("A"), _T("A1"), _T("A2"), _T("A3"), _T("B"), _T("B1"), _T("B2"), _T("B3")};
    for (long id = 1; id <= 8; ++id) {
        IAccessible* pChild = ChildObject(pAcc, id);
        ASSERT_NE(nullptr, pChild) << id;
        EXPECT_EQ(CString(names[id - 1]), Name(pChild));
        EXPECT_EQ(ROLE_SYSTEM_LISTITEM, Role(pChild));
        BSTR description = nullptr;
        if (id != 1 && id != 5) {
            ASSERT_EQ(S_OK, pChild->get_accDescription(Child(CHILDID_SELF), &description));
            EXPECT_EQ(CString(names[id - 1]) + _T(" tip"), CString(description));
            ::SysFreeString(description);
        }
        // The parent is the panel.
        IDispatch* pParent = nullptr;
        ASSERT_EQ(S_OK, pChild->get_accParent(&pParent));
        IAccessible* pParentAcc = nullptr;
        pParent->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&pParentAcc));
        EXPECT_EQ(ROLE_SYSTEM_OUTLINE, Role(pParentAcc));
        pParentAcc->Release();
        pParent->Release();
        pChild->Release();
    }
    IDispatch* pNone = nullptr;
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accChild(Child(9), &pNone));
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accChild(Child(0), &pNone));
}

TEST_F(TaskPanelAccessibility, StatesFollowOpeningFocusSelectionAndAvailability)
{
    IAccessible* pGroupB = ChildObject(pAcc, 5);
    IAccessible* pB2 = ChildObject(pAcc, 7);
    ASSERT_TRUE(pGroupB && pB2);
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_EXPANDED, State(pGroupB));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE, State(pB2));

    panel->GetAt(1)->SetExpanded(FALSE);
    FinishAnimation(panel.Get());
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_COLLAPSED, State(pGroupB));
    EXPECT_TRUE(State(pB2) & STATE_SYSTEM_INVISIBLE);
    // The default action opens it again.
    BSTR action = nullptr;
    ASSERT_EQ(S_OK, pGroupB->get_accDefaultAction(Child(CHILDID_SELF), &action));
    EXPECT_STREQ(L"Expand", action);
    ::SysFreeString(action);
    EXPECT_EQ(S_OK, pGroupB->accDoDefaultAction(Child(CHILDID_SELF)));
    FinishAnimation(panel.Get());
    EXPECT_TRUE(State(pGroupB) & STATE_SYSTEM_EXPANDED);
    EXPECT_FALSE(State(pB2) & STATE_SYSTEM_INVISIBLE);

    // Focus and selection through the accessible object, and the system's focus event for it.
    g_hPanel = panel->GetSafeHwnd();
    g_focusChildren.clear();
    HWINEVENTHOOK hHook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnWinEvent,
        ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_EQ(S_OK, pB2->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(CHILDID_SELF)));
    morvick::test::PumpUntil([] { return !g_focusChildren.empty(); });
    ::UnhookWinEvent(hHook);
    EXPECT_EQ(panel->GetAt(1)->GetAt(1), panel->GetFocusedItem());
    ASSERT_FALSE(g_focusChildren.empty());
    EXPECT_EQ(7, g_focusChildren.back());
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED,
        State(pB2));

    panel->GetAt(1)->GetAt(1)->SetEnabled(FALSE);
    EXPECT_TRUE(State(pB2) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(State(pB2) & STATE_SYSTEM_FOCUSED);

    // An item's default action clicks it.
    Host::Get().Reset();
    IAccessible* pA1 = ChildObject(pAcc, 2);
    EXPECT_EQ(S_OK, pA1->accDoDefaultAction(Child(CHILDID_SELF)));
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_Click));
    EXPECT_EQ(panel->GetAt(0)->GetAt(0), panel->GetFocusedItem());
    pA1->Release();
    pGroupB->Release();
    pB2->Release();
}

TEST_F(TaskPanelAccessibility, LocationsAndHitTestsAreOnTheScreen)
{
    CTKPTaskPanelGroupItem* pA2 = panel->GetAt(0)->GetAt(1);
    CRect rc = pA2->GetHitTestRect();
    panel->ClientToScreen(&rc);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, pAcc->accLocation(&x, &y, &cx, &cy, Child(3)));
    EXPECT_EQ(CRect(rc.left, rc.top, rc.left + cx, rc.top + cy), rc);
    EXPECT_EQ(rc.left, x);
    EXPECT_EQ(rc.top, y);
    CRect rcWindow;
    panel->GetWindowRect(&rcWindow);
    ASSERT_EQ(S_OK, pAcc->accLocation(&x, &y, &cx, &cy, Child(CHILDID_SELF)));
    EXPECT_EQ(rcWindow, CRect(x, y, x + cx, y + cy));

    VARIANT hit;
    ::VariantInit(&hit);
    const CPoint centre = rc.CenterPoint();
    ASSERT_EQ(S_OK, pAcc->accHitTest(centre.x, centre.y, &hit));
    ASSERT_EQ(VT_DISPATCH, hit.vt);
    IAccessible* pHit = nullptr;
    hit.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&pHit));
    EXPECT_EQ(CString(_T("A2")), Name(pHit));
    VARIANT self;
    ::VariantInit(&self);
    EXPECT_EQ(S_OK, pHit->accHitTest(centre.x, centre.y, &self));
    EXPECT_EQ(VT_I4, self.vt);
    EXPECT_EQ(S_FALSE, pHit->accHitTest(centre.x, rc.bottom + 30, &self));
    pHit->Release();
    ::VariantClear(&hit);

    // Empty panel area: the panel itself; outside the window: nothing.
    ASSERT_EQ(S_OK, pAcc->accHitTest(rcWindow.left + 2, rcWindow.bottom - 2, &hit));
    EXPECT_EQ(VT_I4, hit.vt);
    EXPECT_EQ(CHILDID_SELF, hit.lVal);
    EXPECT_EQ(S_FALSE, pAcc->accHitTest(rcWindow.right + 5, rcWindow.top, &hit));
    EXPECT_EQ(VT_EMPTY, hit.vt);
}

TEST_F(TaskPanelAccessibility, ThePanelItsGroupsAndItemsAreAutomationObjectsWithoutMembers)
{
    // The IDispatch part of the panel's and its children's IAccessible, as an accessibility client
    // gets them, is not implemented.
    EXPECT_TRUE(LeavesDispatchUnimplemented(pAcc));
    IDispatch* pChild = nullptr;
    ASSERT_EQ(S_OK, pAcc->get_accChild(Child(2), &pChild));
    EXPECT_TRUE(LeavesDispatchUnimplemented(pChild));
    pChild->Release();

    // Through the automation dispatch each object hands out.
    CTKPTaskPanelGroup* pGroup = panel->GetAt(1);
    CTKPTaskPanelGroupItem* pItem = pGroup->GetAt(2);
    for (CCmdTarget* pTarget :
        {static_cast<CCmdTarget*>(panel.Get()), static_cast<CCmdTarget*>(pGroup), static_cast<CCmdTarget*>(pItem)})
        EXPECT_TRUE(HandsOutADispatchWithoutMembers(pTarget));
}
