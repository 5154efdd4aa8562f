// Shared pieces of the command-bar tests: the application object, a frame with command bars built
// the way the program builds its own, message pumping and a recorder of what reaches the frame.
#pragma once

#include "classlib/win/AfxWin.h"
#include "tests/support/StateWait.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/FrameWnd.h"

#include <functional>
#include <map>
#include <vector>

class CCommandBarsTestApp : public CWinApp {
public:
    CCommandBarsTestApp() : CWinApp(L"MorvickCommandBarsTests") {}
};

extern CCommandBarsTestApp theTestApp;

// A frame whose commands 100-199 are handled: each command is recorded, and the update handlers
// enable and check them as the maps say (enabled when not listed).
class CTestFrame : public CTKPFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CTestFrame();

    // Creates the window (hidden) with command bars: dock bars, and unless bNoToolBar a toolbar
    // "Standard" loaded from toolbar resource 200 (32 x 32 icons) docked at the top.
    BOOL CreateTestFrame(BOOL bNoToolBar = FALSE, CRect rc = CRect(0, 0, 640, 480));
    CTKPToolBar* GetToolBar() const { return m_pToolBar; }

    std::vector<UINT> m_commands;           // WM_COMMAND ids in order
    std::vector<UINT> m_notifications;      // control notifications (0x2862) in order
    LRESULT m_nNotifyAnswer;                // what the frame answers to a control notification
    std::function<void(UINT)> m_onCommand;  // runs inside the command handler
    std::function<LRESULT(TKPCREATECONTROLSTRUCT*)> m_onCreateControl;
    int m_nAfterCreateControl;
    std::function<void(CTKPCommandBar*)> m_onToolbarContextMenu;  // sees the toolbars popup first
    std::map<UINT, BOOL> m_enabled;
    std::map<UINT, int> m_checked;
    std::function<void(CCmdUI*)> m_onUpdate;  // runs inside the update handler, after the maps
    int m_nUpdates;

    afx_msg void OnTestCommand(UINT nID);
    afx_msg void OnUpdateTest(CCmdUI* pCmdUI);
    afx_msg void OnNotifyExecute(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Alt on its own enters the system's menu mode unless a menu bar takes it: the test frame,
    // which has none, ignores it.
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAfterCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);

protected:
    BOOL m_bNoToolBar;
    CTKPToolBar* m_pToolBar;

    DECLARE_MESSAGE_MAP()
};

// A popup bar that records how it was opened: it tracks (popup mode) from Popup or PopupAt until
// something closes it; its window is a hidden tool window.
class CFakePopupBar : public CTKPCommandBar {
    DECLARE_DYNCREATE(CFakePopupBar)
public:
    CFakePopupBar();
    BOOL Popup(CTKPControlPopup* pControlPopup, BOOL bSelectFirst = FALSE) override;
    BOOL PopupAt(int x, int y, LPCRECT lpExclude = NULL) override;
    void SetPopupFlags(DWORD dwFlags) override { m_dwPopupFlags = dwFlags; }
    CTKPControlPopup* GetControlPopup() const override { return m_pControlPopup; }
    CTKPCommandBar* GetParentCommandBar() const override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;

    static int s_nPopups;  // Popup and PopupAt calls of every fake popup
    CTKPControlPopup* m_pControlPopup;
    DWORD m_dwPopupFlags;
    CPoint m_ptPopup;
    // Runs once the popup tracks (from inside PopupAt), e.g. to post the input that picks an item.
    std::function<void(CFakePopupBar*)> m_onOpen;

protected:
    BOOL Open();
};

// Makes popup bars of CFakePopupBar for the life of the object.
class CFakePopupBarClass {
public:
    CFakePopupBarClass();
    ~CFakePopupBarClass();

private:
    CRuntimeClass* m_pOld;
};

// Dispatches what is queued for this thread (a quit message is put back).
void PumpPending();
// Pumps until pred() holds or timeout ms pass; returns pred().
bool PumpUntil(const std::function<bool()>& pred, DWORD timeout = morvick::test::kStateWaitMs);
// The idle pass of the application for a frame (which may be hidden): its command UI and its
// delayed layout, and the command UI of every bar below it.
void RunIdle(CWnd* pFrame);
// A hidden top-level window of a class of the test's own (registered on first use), outside every
// frame and command bar.
HWND CreatePlainWindow(LPCWSTR lpszClassName, WNDPROC pfnWndProc);
