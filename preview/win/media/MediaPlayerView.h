// CMyMedia: plays sound and video files in the media player control (CWMPPlayer4) filling the
// view; the control opens and starts the file at once and is closed when the view goes.
#pragma once

#include "classlib/win/AfxWin.h"

class CWMPPlayer4 : public CWnd {
    DECLARE_DYNCREATE(CWMPPlayer4)
public:
    static const CLSID clsid;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
        UINT nID, CCreateContext* pContext = NULL) override;

    // The control's dispatch calls; each throws COleException or COleDispatchException on failure.
    void close();
    void put_URL(LPCTSTR newValue);
    long get_openState();
    long get_playState();
    CString get_versionInfo();
};

class CMyMedia : public CView {
    DECLARE_DYNCREATE(CMyMedia)
public:
    CMyMedia();
    ~CMyMedia() override;

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();

    CWMPPlayer4& Player() { return m_player; }
    enum { IDC_PLAYER = 185 };

protected:
    CWMPPlayer4 m_player;

    DECLARE_MESSAGE_MAP()
};
