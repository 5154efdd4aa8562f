// The multiple-document frame with command bars: like CTKPFrameWnd it holds the manager and routes
// the frame's keys, window messages and frame loading through it. Commands the active child leaves
// go to the MDI client's own object when it has one (the tab client's workspace commands).
#pragma once

#include "classlib/win/CMDIFrameWnd.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPMDIFrameWnd : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CTKPMDIFrameWnd)
public:
    CTKPMDIFrameWnd();
    ~CTKPMDIFrameWnd() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    // With a menu bar the frame has no menu of its own; the active child's menu still goes to the
    // MDI client, whose menu message the menu bar takes to switch its controls.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    CTKPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    CTKPCommandBars* m_pCommandBars;
};

// The command bars of a toolkit frame (single or multiple document); null for any other window.
CTKPCommandBars* TKPGetFrameCommandBars(CWnd* pFrame);
