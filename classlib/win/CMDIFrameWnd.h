// CMDIFrameWnd and CMDIChildWnd: a frame whose client area is the system's MDI client window with
// any number of child frames inside it. The frame routes commands to the active child first,
// passes what it leaves to the system's frame procedure, and offers the MDI operations (activate,
// cascade, tile, maximise...). A child frame is created by the MDI client and destroyed through
// it, so that the client always knows its children.
#pragma once

#include "classlib/win/CFrameWnd.h"

// Commands of the Window menu.
#ifndef ID_WINDOW_NEW
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#endif
// The id of the first child in the Window menu (the MDI client numbers its children from it).
#define AFX_IDM_FIRST_MDICHILD 0xFF00

class CMDIChildWnd;
class CMenu;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    HWND m_hWndMDIClient;

    // Creates the MDI client (id AFX_IDW_PANE_FIRST) listing the children in pWindowMenu's popup
    // when given. FALSE when the window could not be made.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of the menu bar that holds the Window commands (ID_WINDOW_NEW ... ID_WINDOW_SPLIT),
    // else null.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child (null when there is none); *pbMaximized tells whether it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    // The active child's window, whether or not it has an object of this library.
    HWND MDIGetActiveHandle(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIIconArrange();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDICascade();
    void MDICascade(int nType);
    void MDITile();
    void MDITile(int nType);
    // Puts the menu and the Window popup into the frame; returns the old menu handle.
    HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The active child first, then the frame as any frame.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // What the frame leaves goes to the system's frame procedure (which activates a child chosen
    // from the Window menu, among others).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The active child's menu (its m_hMenuShared), else the given or the default one.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    afx_msg void OnWindowCommand(UINT nID);
    afx_msg void OnUpdateWindowCommand(CCmdUI* pCmdUI);

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // Asks the parent frame's MDI client for the window (the frame is the main window when null).
    // The context is passed on to OnCreate as with any frame.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
        CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;

    // The frame whose MDI client holds this child.
    CMDIFrameWnd* GetMDIFrame() const;
    // Destroys the window through the MDI client.
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    // Through the MDI client (MDIDestroy), which then activates another child.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // What the child leaves goes to the system's child procedure (maximising, the system menu...).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Shows the child when hidden and makes it the active one.
    void ActivateFrame(int nCmdShow = -1) override;

    // The child became active (bActivate) or inactive; the frame's menu and title follow at idle.
    virtual void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    HMENU m_hMenuShared;  // the frame's menu while this child is active (none: the frame's own)

protected:
    DECLARE_MESSAGE_MAP()
};
