// A frame that hosts docking panes the way the program's frame would: it is the host's site, keeps a
// view in its client area, records every docking notification and answers vetoes from a table.
// One frame serves a whole test program (showing and hiding top-level windows is slow under Wine);
// each test makes its own host in it.
#pragma once

#include "classlib/win/AfxOle.h"
#include "classlib/win/AfxWin.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/docking/DockingPaneArrangement.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "tests/support/win/InputSupport.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace docktest {

struct Notification {
    WPARAM code;  // TKPDockingNotification
    int action;   // the action code for tkpdnAction, else -1
    UINT paneId;  // the pane concerned (0 for none)
    DWORD_PTR param1;
    DWORD_PTR param2;
};

class CTestSite : public CFrameWnd {
public:
    CTestSite();

    // A frame at a screen rectangle with a view filling what the panes leave.
    BOOL CreateSite(const CRect& rcScreen);
    CWnd m_wndView;

    std::vector<Notification> m_log;
    // Result written into action records, by action code; the filter, when set, decides instead.
    std::map<int, int> m_actionAnswers;
    std::function<int(const Notification&)> m_actionFilter;
    // Answer to notification 3 (closing a pane): -1 keeps it.
    LRESULT m_closeAnswer = 0;
    // Answer to notification 5 (pane menu).
    LRESULT m_menuAnswer = 0;
    // Called for every notification after it is logged (tests may act inside the callback).
    std::function<void(const Notification&)> m_onNotify;

    int CountAction(int nAction) const;
    int CountCode(WPARAM code) const;
    void ClearLog() { m_log.clear(); }
    // The view's rectangle in the frame's client coordinates.
    CRect ViewRect();

protected:
    afx_msg LRESULT OnDockingNotify(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The program-wide site, made on first use (shown, active).
CTestSite* Site();
// The site's client rectangle.
CRect SiteClient();

// The site laid out right to left while the object lives.
struct RightToLeftSite {
    RightToLeftSite() { Site()->ModifyStyleEx(0, WS_EX_LAYOUTRTL); }
    ~RightToLeftSite() { Site()->ModifyStyleEx(WS_EX_LAYOUTRTL, 0); }
    RightToLeftSite(const RightToLeftSite&) = delete;
    RightToLeftSite& operator=(const RightToLeftSite&) = delete;
};

// A setting of the process (a switch of the docking classes) set for a scope and put back however
// the scope ends.
template <class T>
class ScopedSetting {
public:
    ScopedSetting(T& setting, T value) : m_setting(setting), m_saved(setting) { m_setting = value; }
    ~ScopedSetting() { m_setting = m_saved; }
    ScopedSetting(const ScopedSetting&) = delete;
    ScopedSetting& operator=(const ScopedSetting&) = delete;

private:
    T& m_setting;
    T m_saved;
};

// A host whose node factory a test replaces for some types (null from the factory: the host's own).
class CFactoryHost : public CTKPDockingPaneHost {
public:
    typedef std::function<CTKPDockingNode*(int, CTKPDockingPaneArrangement*, bool&)> Factory;
    explicit CFactoryHost(Factory factory) : m_factory(std::move(factory)) {}
    CTKPDockingNode* CreateNode(int nType, CTKPDockingPaneArrangement* pArrangement) override
    {
        bool bHandled = false;
        CTKPDockingNode* pNode = m_factory(nType, pArrangement, bHandled);
        return bHandled ? pNode : CTKPDockingPaneHost::CreateNode(nType, pArrangement);
    }

private:
    Factory m_factory;
};

// Lets queued messages through, and real input: the shared test helpers.
using morvick::test::MouseDown;
using morvick::test::MouseMoveTo;
using morvick::test::MouseUp;
using morvick::test::PumpPending;
inline bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = morvick::test::kStateWaitMs)
{
    return morvick::test::PumpUntil(pred, timeoutMs);
}

// An OLE drag of text to a point of a window (client coordinates) with the buttons up: the system
// drops it at once where the cursor is. Returns the drop's effect.
DROPEFFECT DragTextTo(CWnd* pWnd, CPoint point);
// The same drag made again until done() holds: a busy machine may start a drag with the cursor
// still where it was. A target that ignores drags never gets there; FALSE after the time out.
bool DragTextToUntil(CWnd* pWnd, CPoint point, const std::function<bool()>& done,
    DWORD timeoutMs = morvick::test::kStateWaitMs);

// A host installed in the site, with helpers to make panes and lay the frame out.
class HostFixture {
public:
    HostFixture();
    ~HostFixture();

    CTKPDockingPaneHost* host() { return m_host.get(); }
    CTKPDockingPaneArrangement* arrangement() { return m_host->GetArrangement(); }
    // A pane with a window of its own (a plain child window) and a docking size.
    CTKPDockablePane* MakePane(UINT nId, const wchar_t* title, CSize size = CSize(200, 150));
    // Runs the frame's layout now.
    void Layout();
    // A window's rectangle in the site's client coordinates.
    static CRect InSite(HWND hWnd);
    static CRect InSite(CWnd* pWnd) { return InSite(pWnd->GetSafeHwnd()); }
    CTKPDockingPaneTabbedContainer* ContainerOf(CTKPDockablePane* pPane);
    // The panes as the tabs of one container docked at a side (the first docked, the others
    // attached to it), laid out; the container.
    CTKPDockingPaneTabbedContainer* DockAsTabs(int nSide, std::initializer_list<CTKPDockablePane*> panes);
    // The pane docked at a side and hidden there, laid out; the side panel (null when none).
    CTKPDockingPaneSideBar* DockHidden(int nSide, CTKPDockablePane* pPane);

    std::unique_ptr<CTKPDockingPaneHost> m_host;
    std::vector<HWND> m_paneWindows;
};

// The tree of an arrangement as text: S/s (split side by side / one above the other) with children
// in brackets, T with pane ids (the selected one starred), C the client node, F a floating window,
// and the side panels after a bar: "|b:T(7)".
std::string Dump(CTKPDockingPaneArrangement* pArrangement);
std::string DumpNode(CTKPDockingNode* pNode);

// The host's saved state as the bytes of an archive, and those bytes loaded into a host (FALSE
// when the host refuses them).
std::vector<BYTE> SaveArchive(CTKPDockingPaneHost* pHost);
BOOL LoadArchive(CTKPDockingPaneHost* pHost, std::vector<BYTE> bytes);

}  // namespace docktest
