// CHtml_View: shows a picture, page or spreadsheet in the platform's web browser control, with
// scripts, Java and ActiveX controls off and the browser offline (recovered pages are untrusted).
// An empty transparent dialog lies over the browser so that clicks and the keyboard focus go to
// it, not to the page; an 8-pixel strip at the right and the bottom stays uncovered.
#pragma once

#include "classlib/win/AfxWin.h"
#include "classlib/win/CHtmlView.h"

class CHtml_View : public CHtmlView {
    DECLARE_DYNCREATE(CHtml_View)
public:
    CHtml_View();
    ~CHtml_View() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnVisible(BOOL bVisible) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);

    CDialog* GetCoverDialog() const { return m_pCover; }
    // What the browser may fetch and run.
    static DWORD DownloadControl();

protected:
    CDialog* m_pCover;

    DECLARE_MESSAGE_MAP()
};
