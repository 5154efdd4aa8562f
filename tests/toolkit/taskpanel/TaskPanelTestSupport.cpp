#include "TaskPanelTestSupport.h"

#include "toolkit/base/ImageManager.h"

namespace tptest {

Host& Host::Get()
{
    static Host host;
    return host;
}

Host::Host()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &Host::WndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"MorvickTaskPanelTestHost";
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"Task panel tests",
        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 700, 700, nullptr, nullptr, wc.hInstance, nullptr);
    m_wnd.Attach(m_hWnd);
}

LRESULT CALLBACK Host::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == TKPWM_TASKPANEL_NOTIFY) {
        Host& host = Get();
        Notification n = {wParam, lParam, nullptr, FALSE};
        if (wParam == tkpTPN_GroupExpanding) {
            const TKPTASKPANELGROUPEXPANDING* p = reinterpret_cast<const TKPTASKPANELGROUPEXPANDING*>(lParam);
            n.group = p->pGroup;
            n.expanding = p->bExpanding;
        }
        host.notifications.push_back(n);
        auto it = host.answers.find(wParam);
        return it == host.answers.end() ? 0 : it->second;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

int Host::Count(WPARAM code) const
{
    int n = 0;
    for (const Notification& each : notifications)
        n += each.code == code ? 1 : 0;
    return n;
}

void Host::Activate()
{
    ::SetForegroundWindow(m_hWnd);
    ::SetActiveWindow(m_hWnd);
    Pump();
}

PanelWindow::PanelWindow(int width, int height, int x, int y) : m_pPanel(new CTKPTaskPanel)
{
    m_pPanel->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(x, y, x + width, y + height), Host::Get().Wnd(), 100);
    m_pPanel->SetWindowText(_T("Tasks panel"));
}

PanelWindow::~PanelWindow()
{
    delete m_pPanel;
}

CTKPTaskPanelGroup* AddGroup(CTKPTaskPanel* pPanel, LPCTSTR caption, int id)
{
    CTKPTaskPanelGroup* pGroup = new CTKPTaskPanelGroup;
    pGroup->SetCaption(caption);
    pGroup->SetID(id);
    if (pPanel)
        pPanel->GetGroups()->InsertAt(pPanel->GetGroupCount(), pGroup);
    return pGroup;
}

CTKPTaskPanelGroupItem* AddItem(CTKPTaskPanelGroup* pGroup, LPCTSTR caption, int type, int id, int iconIndex)
{
    CTKPTaskPanelGroupItem* pItem = new CTKPTaskPanelGroupItem;
    pItem->SetCaption(caption);
    pItem->SetType(type);
    pItem->SetID(id);
    pItem->SetIconIndex(iconIndex);
    pGroup->GetItems()->InsertAt(pGroup->GetItemCount(), pItem);
    return pItem;
}

void FillSamplePanel(CTKPTaskPanel* pPanel)
{
    AddSquareIcons(pPanel->GetImageManager(),
        {{1001, RGB(200, 40, 40)}, {1002, RGB(40, 160, 40)}, {1003, RGB(40, 40, 200)}, {1004, RGB(200, 160, 0)}});
    pPanel->LockRedraw(TRUE);
    CTKPTaskPanelGroup* pTasks = AddGroup(pPanel, _T("Tasks"), 1);
    AddItem(pTasks, _T("Open"), tkpTaskItemTypeLink, 11, 1001);
    AddItem(pTasks, _T("Save"), tkpTaskItemTypeLink, 12, 1002);
    AddItem(pTasks, _T("Print"), tkpTaskItemTypeLink, 13, 1003);
    AddItem(pTasks, _T("Three files are selected."), tkpTaskItemTypeText, 14);
    CTKPTaskPanelGroup* pPlaces = AddGroup(pPanel, _T("Places"), 2);
    AddItem(pPlaces, _T("Disk"), tkpTaskItemTypeLink, 21, 1004);
    AddItem(pPlaces, _T("Folder"), tkpTaskItemTypeLink, 22, 1001);
    CTKPTaskPanelGroup* pDetails = AddGroup(pPanel, _T("Details"), 3);
    AddItem(pDetails, _T("Recovered 12 files"), tkpTaskItemTypeText, 31);
    pPanel->LockRedraw(FALSE);
    FinishAnimation(pPanel);
}

CString Captions(const CTKPTaskPanelGroup* pGroup)
{
    CString s;
    for (int i = 0; i < pGroup->GetItemCount(); ++i) {
        if (i)
            s += _T(",");
        s += pGroup->GetAt(i)->GetCaption();
    }
    return s;
}

HeldKey::HeldKey(int vk) : m_vk(vk)
{
    Set(0x80);
}

HeldKey::~HeldKey()
{
    Set(0);
}

void HeldKey::Set(BYTE state)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[m_vk] = state;
    ::SetKeyboardState(keys);
}

int FinishAnimation(CTKPTaskPanel* pPanel)
{
    int ticks = 0;
    for (int guard = 0; guard < 100; ++guard) {
        BOOL moving = FALSE;
        for (int i = 0; i < pPanel->GetGroupCount(); ++i)
            moving = moving || pPanel->GetAt(i)->IsAnimating();
        if (!moving)
            break;
        pPanel->SendMessage(WM_TIMER, CTKPTaskPanel::TIMER_ANIMATION, 0);
        ++ticks;
    }
    return ticks;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

CPoint CentreOf(const CTKPTaskPanelItem* pItem)
{
    const CRect rc = pItem->GetHitTestRect();
    return CPoint(rc.left + rc.Width() / 2, rc.top + rc.Height() / 2);
}

CSize PanelPicture::ClientSize(CTKPTaskPanel* pPanel)
{
    CRect rc;
    pPanel->GetClientRect(&rc);
    return rc.Size();
}

PanelPicture::PanelPicture(CTKPTaskPanel* pPanel)
    : m_width(ClientSize(pPanel).cx), m_height(ClientSize(pPanel).cy), m_canvas(m_width, m_height)
{
    CDC* pDC = m_canvas.DC();
    const int offset = pPanel->GetScrollOffset();
    pDC->SetWindowOrg(0, offset);
    pPanel->OnDraw(pDC, CRect(0, offset, m_width, offset + m_height));
    pDC->SetWindowOrg(0, 0);
}

}  // namespace tptest
