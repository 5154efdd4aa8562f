// CHtmlView: a view that shows a web page, a picture or another document in the platform's web
// browser control (hosted through COleControlSite). The browser fills the view's client area. A
// derived view may set m_dwDownloadControl before the window is created: the browser gets it as
// its download-control ambient property (what it may fetch and run).
#pragma once

#include "classlib/win/CView.h"

#include <exdisp.h>

class COleControlSite;

class CHtmlView : public CView {
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView();
    ~CHtmlView() override;

    // Navigates to a URL or a file path. FALSE when there is no browser or it refuses.
    BOOL Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL, LPCTSTR lpszHeaders = NULL,
        LPVOID lpvPostData = NULL, DWORD dwPostDataLen = 0);
    // The browser's automation interface (not AddRef'd), or NULL.
    IWebBrowser2* GetApplication() const { return m_pBrowserApp; }
    CWnd* GetBrowserWindow() { return &m_wndBrowser; }

    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The browser shows or hides itself (its visible event).
    virtual void OnVisible(BOOL bVisible);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();

protected:
    DWORD m_dwDownloadControl;  // 0: the browser's own default
    CWnd m_wndBrowser;
    IWebBrowser2* m_pBrowserApp;

private:
    class EventSink;
    friend class EventSink;
    EventSink* m_pSink;
    DWORD m_dwSinkCookie;

    DECLARE_MESSAGE_MAP()
};
