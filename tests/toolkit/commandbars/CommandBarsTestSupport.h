// Shared pieces of the command-bar tests: the application object, a frame with command bars built
// the way the program builds its own, message pumping and a recorder of what reaches the frame.
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/commandbars/CommandBars.h"
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

    std::vector<UINT> m_commands;       // WM_COMMAND ids in order
    std::vector<UINT> m_notifications;  // control notifications (0x2862) in order
    LRESULT m_nNotifyAnswer;            // what the frame answers to a control notification
    std::map<UINT, BOOL> m_enabled;
    std::map<UINT, int> m_checked;
    int m_nUpdates;

    afx_msg void OnTestCommand(UINT nID);
    afx_msg void OnUpdateTest(CCmdUI* pCmdUI);
    afx_msg void OnNotifyExecute(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

protected:
    BOOL m_bNoToolBar;
    CTKPToolBar* m_pToolBar;

    DECLARE_MESSAGE_MAP()
};

// Dispatches what is queued for this thread (a quit message is put back).
void PumpPending();
// Pumps until pred() holds or timeout ms pass; returns pred().
bool PumpUntil(const std::function<bool()>& pred, DWORD timeout = 3000);
// The idle pass of the application: command UI and delayed layout.
void RunIdle();
