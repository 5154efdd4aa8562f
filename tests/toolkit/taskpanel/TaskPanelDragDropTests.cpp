// Items dragged with the system's OLE drag and drop: within a group, to another group, to another
// panel, with and without the permissions they need; hovering over closed groups; the drop rules.
#include <gtest/gtest.h>

#include "TaskPanelTestSupport.h"
#include "tests/support/win/InputSupport.h"
#include "toolkit/taskpanel/TaskPanelThemes.h"

using namespace tptest;

namespace {

// A point of the item (in the target panel's client coordinates), a few pixels below its top or
// above its bottom.
CPoint UpperPart(const CTKPTaskPanelItem* pItem)
{
    const CRect rc = pItem->GetHitTestRect();
    return CPoint(rc.left + 5, rc.top + 2);
}
CPoint LowerPart(const CTKPTaskPanelItem* pItem)
{
    const CRect rc = pItem->GetHitTestRect();
    return CPoint(rc.left + 5, rc.bottom - 2);
}

// Drags the item with the buttons up: the system drops it at once where the cursor stands.
void DragTo(CTKPTaskPanel* pSource, CTKPTaskPanelGroupItem* pItem, CTKPTaskPanel* pTarget, CPoint ptTarget)
{
    CPoint screen = ptTarget;
    pTarget->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    Pump();
    pSource->StartItemDrag(pItem);
    Pump();
}

// A data object offering the item as another program's drag would.
class Offer {
public:
    Offer(CTKPTaskPanelItem* pItem, BOOL bWithText) : m_pSource(new COleDataSource)
    {
        if (CTKPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, pItem))
            pGroupItem->PrepareDrag(*m_pSource, bWithText);
        else
            m_pSource->CacheGlobalData(CTKPTaskPanelItem::GetClipboardFormat(), pItem->CopyToOleData());
        m_data.Attach(m_pSource->GetDataObject(), FALSE);
    }
    ~Offer()
    {
        m_data.Release();
        m_pSource->InternalRelease();
    }
    COleDataObject* Data() { return &m_data; }

private:
    COleDataSource* m_pSource;
    COleDataObject m_data;
};

// A drop source that lets the system ask the target once and then cancels, keeping the effect the
// target answered (the cursor the user would see).
class FeedbackSource : public IDropSource {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(QueryContinueDrag)(BOOL, DWORD) override { return m_bAnswered ? DRAGDROP_S_CANCEL : S_OK; }
    STDMETHOD(GiveFeedback)(DWORD dwEffect) override
    {
        m_dwEffect = dwEffect;
        m_bAnswered = true;
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    bool m_bAnswered = false;
    DWORD m_dwEffect = 0;
};

// What the panel answers to a drag of the data allowing the effects, with the cursor at a point.
DWORD DragOverAnswer(CTKPTaskPanel* pPanel, CPoint point, COleDataSource* pSource, DWORD dwAllowed)
{
    pPanel->ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    Pump();
    FeedbackSource source;
    DWORD dwResult = 0;
    ::DoDragDrop(pSource->GetDataObject(), &source, dwAllowed, &dwResult);
    return source.m_bAnswered ? source.m_dwEffect : 0xFFFFFFFF;
}

class TaskPanelDragDrop : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillSamplePanel(panel.Get());
        panel->SetAllowDrag(tkpTaskDragInherit);
        Host::Get().Activate();
        Host::Get().Reset();
        pTasks = panel->GetAt(0);
        pPlaces = panel->GetAt(1);
    }
    void TearDown() override { Host::Get().Reset(); }

    PanelWindow panel{220, 500};
    CTKPTaskPanelGroup* pTasks = nullptr;
    CTKPTaskPanelGroup* pPlaces = nullptr;
};

}  // namespace

TEST_F(TaskPanelDragDrop, AMoveWithinTheGroupLeavesOneItemAtTheDropPlace)
{
    CTKPTaskPanelGroupItem* pOpen = pTasks->GetAt(0);
    // Below the middle of "Print": before the item after it.
    DragTo(panel.Get(), pOpen, panel.Get(), LowerPart(pTasks->GetAt(2)));
    EXPECT_EQ(CString(_T("Save,Print,Open,Three files are selected.")), Captions(pTasks));
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_StartDrag));
    ASSERT_EQ(1, Host::Get().Count(tkpTPN_ItemDrop));
    EXPECT_EQ((LPARAM)pTasks->GetAt(2), Host::Get().notifications.back().param);
    EXPECT_EQ(pTasks->GetAt(2), panel->GetFocusedItem());
    EXPECT_EQ(nullptr, panel->GetDraggedItem());
    EXPECT_EQ(nullptr, panel->GetDropTargetItem());

    // Below the middle of the last item there is no next one: the last item stays the target and
    // the drop goes before it.
    pTasks->GetAt(0)->SetDragText(_T("save"));
    Offer offer(pTasks->GetAt(0), TRUE);
    ASSERT_EQ(DROPEFFECT_MOVE, panel->OnItemDragOver(offer.Data(), 0, LowerPart(pTasks->GetAt(3))));
    EXPECT_EQ(pTasks->GetAt(3), panel->GetDropTargetItem());
    panel->OnItemDragOver(nullptr, 0, CPoint(-1, -1));
    DragTo(panel.Get(), pTasks->GetAt(0), panel.Get(), LowerPart(pTasks->GetAt(3)));
    EXPECT_EQ(CString(_T("Print,Open,Save,Three files are selected.")), Captions(pTasks));
}

TEST_F(TaskPanelDragDrop, AnItemKeptToItsGroupNeverLeavesItOthersMoveWithThePermissionForThePanel)
{
    CTKPTaskPanelGroupItem* pSave = pTasks->GetAt(1);
    pSave->SetAllowDrag(tkpTaskDragMoveWithinGroup);
    DragTo(panel.Get(), pSave, panel.Get(), UpperPart(pPlaces->GetAt(0)));
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(pPlaces));
    EXPECT_EQ(4, pTasks->GetItemCount());
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_ItemDrop));

    // Kept to its group, it stays there even with the permission for the panel; so does a copy, with
    // Ctrl held.
    pSave->SetAllowDrag(tkpTaskDragMoveWithinGroup | tkpTaskDragMoveWithinPanel);
    DragTo(panel.Get(), pSave, panel.Get(), UpperPart(pPlaces->GetAt(0)));
    ASSERT_EQ(CString(_T("Disk,Folder")), Captions(pPlaces));
    ASSERT_EQ(pSave, pTasks->GetAt(1));
    pSave->SetAllowDrag(tkpTaskDragCopyWithinGroup | tkpTaskDragCopyWithinPanel);
    {
        HeldKey control(VK_CONTROL);
        DragTo(panel.Get(), pSave, panel.Get(), UpperPart(pPlaces->GetAt(0)));
    }
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(pPlaces));
    EXPECT_EQ(4, pTasks->GetItemCount());
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_ItemDrop));

    // The permission for the panel alone takes it into another group.
    pSave->SetAllowDrag(tkpTaskDragMoveWithinPanel);
    DragTo(panel.Get(), pSave, panel.Get(), UpperPart(pPlaces->GetAt(0)));
    EXPECT_EQ(CString(_T("Save,Disk,Folder")), Captions(pPlaces));
    EXPECT_EQ(CString(_T("Open,Print,Three files are selected.")), Captions(pTasks));

    // A move within the panel alone also reaches the caption of a group: the end of its items.
    CTKPTaskPanelGroupItem* pPrint = pTasks->GetAt(1);
    pPrint->SetAllowDrag(tkpTaskDragMoveWithinPanel);
    const CRect rcCaption = pPlaces->GetHitTestRect();
    DragTo(panel.Get(), pPrint, panel.Get(), CPoint(rcCaption.left + 5, rcCaption.top + 5));
    EXPECT_EQ(CString(_T("Save,Disk,Folder,Print")), Captions(pPlaces));
}

TEST_F(TaskPanelDragDrop, ControlCopiesAndAVetoedStartLeavesEverything)
{
    CTKPTaskPanelGroupItem* pDisk = pPlaces->GetAt(0);
    {
        HeldKey control(VK_CONTROL);
        DragTo(panel.Get(), pDisk, panel.Get(), LowerPart(pPlaces->GetAt(1)));
    }
    EXPECT_EQ(CString(_T("Disk,Disk,Folder")), Captions(pPlaces));
    EXPECT_EQ(pDisk, pPlaces->GetAt(0));

    Host::Get().Reset();
    Host::Get().answers[tkpTPN_StartDrag] = -1;
    DragTo(panel.Get(), pTasks->GetAt(0), panel.Get(), UpperPart(pPlaces->GetAt(0)));
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_StartDrag));
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_ItemDrop));
    EXPECT_EQ(CString(_T("Open,Save,Print,Three files are selected.")), Captions(pTasks));

    // An item that may not be dragged at all does not even ask.
    Host::Get().Reset();
    pTasks->GetAt(0)->SetAllowDrag(tkpTaskDragNone);
    DragTo(panel.Get(), pTasks->GetAt(0), panel.Get(), UpperPart(pPlaces->GetAt(0)));
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_StartDrag));
}

TEST_F(TaskPanelDragDrop, AnItemTravelsToAnotherPanelWhenItCarriesText)
{
    PanelWindow other(220, 500, 300, 0);
    FillSamplePanel(other.Get());
    CTKPTaskPanelGroupItem* pFolder = pPlaces->GetAt(1);
    // Without text the other panel does not take it.
    DragTo(panel.Get(), pFolder, other.Get(), UpperPart(other->GetAt(0)->GetAt(0)));
    EXPECT_EQ(4, other->GetAt(0)->GetItemCount());
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(pPlaces));

    pFolder->SetDragText(_T("C:\\Recovered"));
    DragTo(panel.Get(), pFolder, other.Get(), UpperPart(other->GetAt(0)->GetAt(0)));
    EXPECT_EQ(CString(_T("Folder,Open,Save,Print,Three files are selected.")), Captions(other->GetAt(0)));
    EXPECT_EQ(CString(_T("Disk")), Captions(pPlaces));
    EXPECT_EQ(CString(_T("C:\\Recovered")), other->GetAt(0)->GetAt(0)->GetDragText());
    EXPECT_EQ(other.Get(), other->GetAt(0)->GetAt(0)->GetTaskPanel());
}

TEST_F(TaskPanelDragDrop, ItemsThatOnlyCopyOrOnlyMoveReachAnotherPanelWithAndWithoutControl)
{
    PanelWindow other(220, 500, 300, 0);
    FillSamplePanel(other.Get());
    CTKPTaskPanelGroup* pOtherPlaces = other->GetAt(1);
    CTKPTaskPanelGroupItem* pDisk = pPlaces->GetAt(0);
    CTKPTaskPanelGroupItem* pFolder = pPlaces->GetAt(1);
    pDisk->SetDragText(_T("D:\\"));
    pFolder->SetDragText(_T("C:\\Recovered"));

    // The other panel asks for a move without Ctrl: an item that may only be copied is copied.
    pFolder->SetAllowDrag(tkpTaskDragAllowCopy);
    DragTo(panel.Get(), pFolder, other.Get(), UpperPart(pOtherPlaces->GetAt(0)));
    EXPECT_EQ(CString(_T("Folder,Disk,Folder")), Captions(pOtherPlaces));
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(pPlaces));
    {
        HeldKey control(VK_CONTROL);
        DragTo(panel.Get(), pFolder, other.Get(), UpperPart(pOtherPlaces->GetAt(0)));
    }
    EXPECT_EQ(CString(_T("Folder,Folder,Disk,Folder")), Captions(pOtherPlaces));
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(pPlaces));

    // It asks for a copy with Ctrl: an item that may only be moved is moved.
    pDisk->SetAllowDrag(tkpTaskDragAllowMove);
    {
        HeldKey control(VK_CONTROL);
        DragTo(panel.Get(), pDisk, other.Get(), UpperPart(pOtherPlaces->GetAt(0)));
    }
    EXPECT_EQ(CString(_T("Disk,Folder,Folder,Disk,Folder")), Captions(pOtherPlaces));
    EXPECT_EQ(CString(_T("Folder")), Captions(pPlaces));
    DragTo(other.Get(), pOtherPlaces->GetAt(0), panel.Get(), UpperPart(pPlaces->GetAt(0)));
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(pPlaces));
    EXPECT_EQ(CString(_T("Folder,Folder,Disk,Folder")), Captions(pOtherPlaces));
}

TEST_F(TaskPanelDragDrop, RealMouseInputDragsAnItemToAnotherGroup)
{
    CTKPTaskPanelGroupItem* pOpen = pTasks->GetAt(0);
    CPoint from = CentreOf(pOpen), to = UpperPart(pPlaces->GetAt(1));
    panel->ClientToScreen(&from);
    panel->ClientToScreen(&to);
    ::SetCursorPos(from.x, from.y);
    Pump();
    const int w = ::GetSystemMetrics(SM_CXSCREEN) - 1, h = ::GetSystemMetrics(SM_CYSCREEN) - 1;
    auto absolute = [&](CPoint pt, DWORD flags) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = (pt.x * 65535 + w / 2) / w;
        in.mi.dy = (pt.y * 65535 + h / 2) / h;
        in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        return in;
    };
    INPUT inputs[] = {absolute(from, MOUSEEVENTF_LEFTDOWN), absolute(from + CPoint(0, 8), 0), absolute(to, 0),
        absolute(to, MOUSEEVENTF_LEFTUP)};
    ::SendInput(4, inputs, sizeof(INPUT));
    morvick::test::PumpUntil([] { return Host::Get().Count(tkpTPN_ItemDrop) != 0; });
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_StartDrag));
    EXPECT_EQ(CString(_T("Disk,Open,Folder")), Captions(pPlaces));
    EXPECT_EQ(CString(_T("Save,Print,Three files are selected.")), Captions(pTasks));
}

TEST_F(TaskPanelDragDrop, HoveringOverAClosedGroupOpensItAndLeavingForgetsTheTarget)
{
    pPlaces->SetExpanded(FALSE);
    FinishAnimation(panel.Get());
    Offer offer(pTasks->GetAt(0), FALSE);
    // This panel's own drags carry no text; another program's data must.
    EXPECT_EQ(DROPEFFECT_NONE, panel->OnItemDragOver(offer.Data(), 0, CentreOf(pPlaces)));
    pTasks->GetAt(0)->SetDragText(_T("open"));
    Offer text(pTasks->GetAt(0), TRUE);
    EXPECT_EQ(DROPEFFECT_MOVE, panel->OnItemDragOver(text.Data(), 0, CentreOf(pPlaces)));
    EXPECT_EQ(DROPEFFECT_COPY, panel->OnItemDragOver(text.Data(), MK_CONTROL, CentreOf(pPlaces)));
    EXPECT_EQ(pPlaces, panel->GetDropTargetItem());
    EXPECT_FALSE(pPlaces->IsExpanded());
    panel->SendMessage(WM_TIMER, CTKPTaskPanel::TIMER_HOVER_EXPAND, 0);
    EXPECT_TRUE(pPlaces->IsExpanded());
    FinishAnimation(panel.Get());

    panel->OnItemDragOver(nullptr, 0, CPoint(-1, -1));
    EXPECT_EQ(nullptr, panel->GetDropTargetItem());
    // Nothing to drop on: nothing happens.
    EXPECT_FALSE(panel->OnItemDrop(text.Data(), DROPEFFECT_MOVE, CPoint(-1, -1)));
    EXPECT_EQ(2, pPlaces->GetItemCount());
}

TEST_F(TaskPanelDragDrop, DataOfAGroupIsNotDroppedAmongItems)
{
    CTKPTaskPanelGroup* pForeign = AddGroup(nullptr, _T("Foreign"));
    AddItem(pForeign, _T("inside"));
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CTKPTaskPanelItem::GetClipboardFormat(), pForeign->CopyToOleData());
    HGLOBAL hText = TKPCreateAnsiTextBlock(CString(_T("foreign")));
    pSource->CacheGlobalData(CF_TEXT, hText);
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), FALSE);
    ASSERT_NE(DROPEFFECT_NONE, panel->OnItemDragOver(&data, 0, UpperPart(pPlaces->GetAt(0))));
    EXPECT_FALSE(panel->OnItemDrop(&data, DROPEFFECT_MOVE, UpperPart(pPlaces->GetAt(0))));
    EXPECT_EQ(CString(_T("Disk,Folder")), Captions(pPlaces));
    data.Release();
    pSource->InternalRelease();
    pForeign->InternalRelease();
}

TEST_F(TaskPanelDragDrop, ThemesThatInsertAfterTheTargetPutTheDropBelowIt)
{
    panel->SetTheme(7);
    ASSERT_TRUE(panel->GetPaintManager()->IsInsertAfterDropItem());
    pTasks->GetAt(0)->SetDragText(_T("open"));
    Offer offer(pTasks->GetAt(0), TRUE);
    // Anywhere on "Disk", even its upper half: after it.
    ASSERT_EQ(DROPEFFECT_MOVE, panel->OnItemDragOver(offer.Data(), 0, UpperPart(pPlaces->GetAt(0))));
    EXPECT_EQ(pPlaces->GetAt(0), panel->GetDropTargetItem());
    EXPECT_TRUE(panel->OnItemDrop(offer.Data(), DROPEFFECT_MOVE, UpperPart(pPlaces->GetAt(0))));
    EXPECT_EQ(CString(_T("Disk,Open,Folder")), Captions(pPlaces));

    // With the insert-before themes the lower half of an item means the next one.
    panel->SetTheme(2);
    ASSERT_EQ(DROPEFFECT_MOVE, panel->OnItemDragOver(offer.Data(), 0, LowerPart(pPlaces->GetAt(0))));
    EXPECT_EQ(pPlaces->GetAt(1), panel->GetDropTargetItem());
    // A link (neither copy nor move) is refused, so that its source does not take it as done.
    EXPECT_FALSE(panel->OnItemDrop(offer.Data(), DROPEFFECT_LINK, LowerPart(pPlaces->GetAt(0))));
    EXPECT_EQ(nullptr, panel->GetDropTargetItem());
    EXPECT_EQ(3, pPlaces->GetItemCount());
}

// A source that allows only a link gets "none" over the panel, where a drop of it would be refused;
// the same data allowing copy and move gets a move.
TEST_F(TaskPanelDragDrop, ALinkOnlyDragIsAnsweredNoneOverThePanel)
{
    pTasks->GetAt(0)->SetDragText(_T("open"));
    COleDataSource* pSource = new COleDataSource;
    pTasks->GetAt(0)->PrepareDrag(*pSource, TRUE);
    const CPoint point = LowerPart(pPlaces->GetAt(0));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE),
        DragOverAnswer(panel.Get(), point, pSource, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), DragOverAnswer(panel.Get(), point, pSource, DROPEFFECT_LINK));
    EXPECT_EQ(nullptr, panel->GetDropTargetItem());
    EXPECT_EQ(2, pPlaces->GetItemCount());
    pSource->InternalRelease();
}

namespace {

// The groups' captions in their order, separated by commas.
CString GroupOrder(CTKPTaskPanel* pPanel)
{
    CString s;
    for (int i = 0; i < pPanel->GetGroupCount(); ++i)
        s += (i ? _T(",") : _T("")) + pPanel->GetAt(i)->GetCaption();
    return s;
}

// Presses the button on a group's caption and moves the mouse 5 pixels down, which hands the drag to
// the group's own loop; the loop then reads what was posted to the panel before.
void DragCaption(CTKPTaskPanel* pPanel, CPoint pt, const std::function<void(HWND)>& post)
{
    CPoint screen = pt;
    pPanel->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    pPanel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    post(pPanel->GetSafeHwnd());
    pPanel->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y + 5));
}

void PostMove(HWND hWnd, CPoint pt)
{
    ::PostMessage(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

// Counts the system key-downs that reach a window while the object lives, and keeps them from it.
class SysKeyCounter {
public:
    explicit SysKeyCounter(HWND hWnd) : m_hWnd(hWnd)
    {
        s_pCounter = this;
        m_pfnOld = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~SysKeyCounter()
    {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOld));
        s_pCounter = nullptr;
    }
    SysKeyCounter(const SysKeyCounter&) = delete;
    SysKeyCounter& operator=(const SysKeyCounter&) = delete;
    int m_nCount = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SYSKEYDOWN) {
            ++s_pCounter->m_nCount;
            return 0;
        }
        return ::CallWindowProcW(s_pCounter->m_pfnOld, hWnd, message, wParam, lParam);
    }
    static SysKeyCounter* s_pCounter;
    HWND m_hWnd;
    WNDPROC m_pfnOld;
};
SysKeyCounter* SysKeyCounter::s_pCounter = nullptr;

}  // namespace

// A group dragged by its caption takes the place of each other group whose caption the mouse
// reaches; the button's release or Escape ends the drag where it got to, other keys (system keys
// too) do nothing meanwhile, and the panel gives the capture back.
TEST_F(TaskPanelDragDrop, AGroupDraggedByItsCaptionTakesThePlaceOfTheCaptionsItReaches)
{
    FinishAnimation(panel.Get());
    CTKPTaskPanelGroup* pDetails = panel->GetAt(2);
    ASSERT_EQ(CString(_T("Tasks,Places,Details")), GroupOrder(panel.Get()));
    const CPoint top = CentreOf(pTasks);

    // Over another group's items nothing moves; over its caption the dragged group takes its place.
    {
        SysKeyCounter sysKeys(panel->GetSafeHwnd());
        DragCaption(panel.Get(), top, [&](HWND hWnd) {
            PostMove(hWnd, CentreOf(pPlaces->GetAt(0)));
            ::PostMessage(hWnd, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessage(hWnd, WM_SYSKEYDOWN, VK_F4, 1 << 29);
            PostMove(hWnd, CentreOf(pDetails));
            ::PostMessage(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(top.x, top.y));
        });
        EXPECT_EQ(0, sysKeys.m_nCount);
    }
    EXPECT_EQ(CString(_T("Places,Details,Tasks")), GroupOrder(panel.Get()));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(nullptr, panel->GetDraggedItem());
    EXPECT_EQ(pTasks, panel->GetFocusedItem());  // the arrow key was not the panel's
    EXPECT_TRUE(pTasks->IsExpanded());           // nor was the button's release a click
    Pump();
    FinishAnimation(panel.Get());

    // Escape ends it with the order reached; what follows is no longer the drag's.
    DragCaption(panel.Get(), top, [&](HWND hWnd) {
        PostMove(hWnd, CentreOf(pTasks));
        ::PostMessage(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMove(hWnd, top);
        ::PostMessage(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(top.x, top.y));
    });
    Pump();
    EXPECT_EQ(CString(_T("Details,Tasks,Places")), GroupOrder(panel.Get()));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(nullptr, panel->GetDraggedItem());
    EXPECT_TRUE(pPlaces->IsExpanded());
}
