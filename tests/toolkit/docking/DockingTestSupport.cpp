#include "DockingTestSupport.h"

#include "classlib/core/CMemFile.h"
#include "toolkit/common/PropExchangeArchive.h"

#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"

namespace docktest {

BEGIN_MESSAGE_MAP(CTestSite, CFrameWnd)
ON_MESSAGE(TKPWM_DOCKINGPANENOTIFY, OnDockingNotify)
END_MESSAGE_MAP()

CTestSite::CTestSite() {}

BOOL CTestSite::CreateSite(const CRect& rcScreen)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    if (!CreateEx(0, lpszClass, L"Docking site", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rcScreen, NULL, 0))
        return FALSE;
    LPCTSTR lpszView = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_APPWORKSPACE + 1));
    m_wndView.CreateEx(WS_EX_CLIENTEDGE, lpszView, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this,
        AFX_IDW_PANE_FIRST);
    return TRUE;
}

LRESULT CTestSite::OnDockingNotify(WPARAM wParam, LPARAM lParam)
{
    Notification n = {wParam, -1, 0, 0, 0};
    LRESULT result = 0;
    switch (wParam) {
    case tkpdnAction: {
        TKPDOCKINGPANEACTION* pAction = reinterpret_cast<TKPDOCKINGPANEACTION*>(lParam);
        n.action = pAction->nAction;
        n.paneId = pAction->pPane ? pAction->pPane->GetId() : 0;
        n.param1 = pAction->dwParam1;
        n.param2 = pAction->dwParam2;
        auto it = m_actionAnswers.find(pAction->nAction);
        if (it != m_actionAnswers.end())
            pAction->nResult = it->second;
        if (m_actionFilter)
            pAction->nResult = m_actionFilter(n);
        break;
    }
    case tkpdnPaneShown:
    case tkpdnPaneClosing:
        n.paneId = reinterpret_cast<CTKPDockablePane*>(lParam)->GetId();
        if (wParam == tkpdnPaneClosing)
            result = m_closeAnswer;
        break;
    case tkpdnPaneMenu: {
        TKPDOCKINGPANEMENU* pMenu = reinterpret_cast<TKPDOCKINGPANEMENU*>(lParam);
        n.paneId = pMenu->pPane ? pMenu->pPane->GetId() : 0;
        n.param1 = static_cast<DWORD_PTR>(pMenu->x);
        n.param2 = static_cast<DWORD_PTR>(pMenu->y);
        result = m_menuAnswer;
        break;
    }
    case tkpdnContextMenu: {
        CTKPDockingNode* pNode = reinterpret_cast<CTKPDockingNode*>(lParam);
        n.param1 = pNode ? static_cast<DWORD_PTR>(pNode->GetType()) : 0;
        if (CTKPDockablePane* pPane = pNode ? pNode->AsPane() : NULL)
            n.paneId = pPane->GetId();
        break;
    }
    default:
        break;
    }
    m_log.push_back(n);
    if (m_onNotify)
        m_onNotify(n);
    return result;
}

int CTestSite::CountAction(int nAction) const
{
    int n = 0;
    for (const Notification& e : m_log)
        n += e.code == tkpdnAction && e.action == nAction ? 1 : 0;
    return n;
}

int CTestSite::CountCode(WPARAM code) const
{
    int n = 0;
    for (const Notification& e : m_log)
        n += e.code == code ? 1 : 0;
    return n;
}

CRect CTestSite::ViewRect()
{
    return HostFixture::InSite(m_wndView.GetSafeHwnd());
}

CTestSite* Site()
{
    static CTestSite* s_pSite = nullptr;
    if (!s_pSite) {
        s_pSite = new CTestSite;
        s_pSite->CreateSite(CRect(40, 40, 840, 640));
        s_pSite->ShowWindow(SW_SHOW);
        s_pSite->SetForegroundWindow();
        s_pSite->SetActiveWindow();
        s_pSite->UpdateWindow();
        PumpPending();
    }
    return s_pSite;
}

CRect SiteClient()
{
    CRect rc;
    Site()->GetClientRect(&rc);
    return rc;
}

DROPEFFECT DragTextTo(CWnd* pWnd, CPoint point)
{
    pWnd->ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    PumpUntil([&] {
        POINT cursor;
        return ::GetCursorPos(&cursor) && CPoint(cursor) == point;
    });
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_UNICODETEXT, ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8));
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    pSource->InternalRelease();
    return effect;
}

bool DragTextToUntil(CWnd* pWnd, CPoint point, const std::function<bool()>& done, DWORD timeoutMs)
{
    return PumpUntil(
        [&] {
            DragTextTo(pWnd, point);
            return done();
        },
        timeoutMs);
}

HostFixture::HostFixture() : m_host(new CTKPDockingPaneHost)
{
    CTestSite* pSite = Site();
    pSite->ClearLog();
    pSite->m_actionAnswers.clear();
    pSite->m_closeAnswer = 0;
    pSite->m_menuAnswer = 0;
    pSite->m_onNotify = nullptr;
    pSite->m_actionFilter = nullptr;
    m_host->InstallSite(pSite);
    Layout();
}

HostFixture::~HostFixture()
{
    if (::GetCapture())
        ::ReleaseCapture();
    m_host.reset();
    for (HWND h : m_paneWindows)
        if (::IsWindow(h))
            ::DestroyWindow(h);
    CTestSite* pSite = Site();
    pSite->m_onNotify = nullptr;
    pSite->m_actionFilter = nullptr;
    pSite->m_actionAnswers.clear();
    pSite->RecalcLayout();
    PumpPending();
}

CTKPDockablePane* HostFixture::MakePane(UINT nId, const wchar_t* title, CSize size)
{
    CTKPDockingNode* pNode = m_host->CreateNode(tkdock::nodePane, m_host->GetArrangement(TRUE));
    CTKPDockablePane* pPane = pNode->AsPane();
    pPane->SetId(nId);
    pPane->SetTitle(title);
    pPane->SetDockingSize(size);
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", pPane->GetTitle(), WS_CHILD | SS_CENTER, 0, 0, 10, 10,
        m_host->GetSafeHwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    m_paneWindows.push_back(hWnd);
    pPane->SetPaneWindow(hWnd);
    return pPane;
}

void HostFixture::Layout()
{
    Site()->RecalcLayout();
    PumpPending();
}

CRect HostFixture::InSite(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    Site()->ScreenToClient(&rc);
    return rc;
}

CTKPDockingPaneTabbedContainer* HostFixture::DockAsTabs(int nSide, std::initializer_list<CTKPDockablePane*> panes)
{
    CTKPDockablePane* pFirst = *panes.begin();
    m_host->DockPane(pFirst, nSide, NULL);
    for (CTKPDockablePane* pPane : panes)
        if (pPane != pFirst)
            m_host->AttachNode(pPane, pFirst);
    Layout();
    return ContainerOf(pFirst);
}

CTKPDockingPaneSideBar* HostFixture::DockHidden(int nSide, CTKPDockablePane* pPane)
{
    m_host->DockPane(pPane, nSide, NULL);
    Layout();
    m_host->HidePane(pPane);
    Layout();
    return arrangement()->GetSideBar(nSide);
}

CTKPDockingPaneTabbedContainer* HostFixture::ContainerOf(CTKPDockablePane* pPane)
{
    return pPane && pPane->GetParentContainer() ? pPane->GetParentContainer()->AsTabbedContainer() : nullptr;
}

std::string DumpNode(CTKPDockingNode* pNode)
{
    if (!pNode)
        return "-";
    switch (pNode->GetType()) {
    case tkdock::nodePane:
        return std::to_string(pNode->AsPane()->GetId());
    case tkdock::nodeClient:
        return "C";
    case tkdock::nodeTabbedContainer: {
        CTKPDockingPaneTabbedContainer* p = pNode->AsTabbedContainer();
        std::string s = "T(";
        for (int i = 0; i < p->GetPaneCount(); ++i) {
            if (i)
                s += ",";
            s += std::to_string(p->GetPane(i)->GetId());
            if (p->GetPane(i) == p->GetSelectedPane())
                s += "*";
        }
        return s + ")";
    }
    case tkdock::nodeSplitContainer: {
        CTKPDockingPaneSplitContainer* p = pNode->AsSplitContainer();
        std::string s = p->IsHorizontal() ? "S[" : "s[";
        bool first = true;
        for (POSITION pos = p->m_lstChildren.GetHeadPosition(); pos != NULL;) {
            CTKPDockingNode* pChild = p->m_lstChildren.GetNext(pos);
            if (pChild->IsEmpty() && pChild->GetType() == tkdock::nodeTabbedContainer)
                continue;
            if (!first)
                s += ",";
            first = false;
            s += DumpNode(pChild);
        }
        return s + "]";
    }
    case tkdock::nodeMiniWindow: {
        CTKPDockingPaneMiniWnd* p = pNode->AsMiniWnd();
        return "F" + DumpNode(p->GetTopContainer());
    }
    case tkdock::nodeSideBar: {
        CTKPDockingPaneSideBar* p = pNode->AsSideBar();
        static const char* kSides[4] = {"l", "r", "t", "b"};
        std::string s = std::string(kSides[p->GetSide() & 3]) + ":";
        for (POSITION pos = p->m_lstContainers.GetHeadPosition(); pos != NULL;) {
            CTKPDockingNode* pChild = p->m_lstContainers.GetNext(pos);
            if (!pChild->IsEmpty())
                s += DumpNode(pChild);
        }
        return s;
    }
    default:
        return "?";
    }
}

std::string Dump(CTKPDockingPaneArrangement* pArrangement)
{
    if (!pArrangement)
        return "(none)";
    std::string s = DumpNode(pArrangement->GetTopContainer());
    for (POSITION pos = pArrangement->GetNodeList().GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pNode = pArrangement->GetNodeList().GetNext(pos);
        CTKPDockingPaneMiniWnd* pMini = pNode->AsMiniWnd();
        if (pMini && pMini->GetTopContainer() && !pMini->GetTopContainer()->IsEmpty())
            s += " " + DumpNode(pMini);
    }
    for (int side = 0; side < 4; ++side) {
        CTKPDockingPaneSideBar* pSide = pArrangement->GetSideBar(side);
        if (pSide && !pSide->IsEmpty())
            s += " |" + DumpNode(pSide);
    }
    return s;
}

std::vector<BYTE> SaveArchive(CTKPDockingPaneHost* pHost)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store);
        CTKPPropExchangeArchive px(ar);
        pHost->SaveState(&px);
        ar.Close();
    }
    const BYTE* p = file.GetBufferPtr();
    return std::vector<BYTE>(p, p + static_cast<size_t>(file.GetLength()));
}

BOOL LoadArchive(CTKPDockingPaneHost* pHost, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
    BOOL bResult = FALSE;
    {
        CArchive ar(&file, CArchive::load);
        CTKPPropExchangeArchive px(ar);
        bResult = pHost->LoadState(&px);
        ar.Abort();
    }
    file.Detach();
    return bResult;
}

}  // namespace docktest
