// Windows hosted in status-bar panes: a child of its own class (double clicks, no cursor, icon or
// brush) that fills itself with the face colour and then draws its content. One variant repaints
// itself at once when it is enabled or disabled.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKPStatusBarPaneWnd : public CWnd {
    DECLARE_DYNCREATE(CTKPStatusBarPaneWnd)
public:
    CTKPStatusBarPaneWnd();

    // A child window of the pane class with the text, style and id; FALSE when it was not made.
    virtual BOOL Create(LPCTSTR lpszText, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = 0xFFFF);
    // The content over the face fill; nothing here.
    virtual void DrawContent(CDC* pDC, CRect rcClient) {}

    CString GetPaneText() const { return m_strWindowText; }

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

protected:
    CString m_strWindowText;

    DECLARE_MESSAGE_MAP()
};

// A pane window with no handlers of its own.
class CTKPStatusBarPlainPaneWnd : public CTKPStatusBarPaneWnd {
    DECLARE_DYNCREATE(CTKPStatusBarPlainPaneWnd)
};

// A pane window that repaints itself as soon as it is enabled or disabled.
class CTKPStatusBarSwitchPaneWnd : public CTKPStatusBarPaneWnd {
    DECLARE_DYNCREATE(CTKPStatusBarSwitchPaneWnd)
public:
    afx_msg void OnEnable(BOOL bEnable);

protected:
    DECLARE_MESSAGE_MAP()
};
