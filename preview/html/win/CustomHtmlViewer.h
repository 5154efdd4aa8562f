// CCustomHTMLViewer: the preview of ".html" files with our own renderer. It holds a canvas (dialog
// 225) on which the page is painted, a status line under it, and the host through which the page
// reaches them; its window text is the page's title. One viewer exists at a time.
#pragma once

#include "classlib/win/AfxWin.h"

class CHtmlViewerHost;

class CCustomHTMLViewer : public CView {
    DECLARE_DYNCREATE(CCustomHTMLViewer)
public:
    CCustomHTMLViewer();
    ~CCustomHTMLViewer() override;
    void OnDraw(CDC* pDC) override;

    // The viewer's windows and host while it exists (else null).
    static HWND Canvas() { return s_canvasWindow; }
    static HWND StatusLine() { return s_statusWindow; }
    static CHtmlViewerHost* Host() { return s_viewerHost; }

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);

protected:
    DECLARE_MESSAGE_MAP()

private:
    static HWND s_canvasWindow;
    static HWND s_statusWindow;
    static CHtmlViewerHost* s_viewerHost;
};

// The canvas's dialog procedure: every message goes to the host while there is one.
INT_PTR CALLBACK CanvasDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
