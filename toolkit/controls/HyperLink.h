// CTKHyperLink: a static control shown as a link. Its text is underlined and drawn in the link,
// hover or visited colour, the hand cursor and a tooltip appear over the text, and a click on the
// text opens the target through the shell's "open" verb; a failure names the shell's error.
#pragma once

#include "classlib/win/AfxCtrls.h"

class CTKHyperLink : public CStatic {
    DECLARE_DYNAMIC(CTKHyperLink)
public:
    CTKHyperLink();
    ~CTKHyperLink() override;

    virtual void SetURL(LPCTSTR lpszURL);
    virtual CString GetURL() const { return m_strURL; }
    virtual void SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover, BOOL bRedraw = TRUE);
    virtual COLORREF GetLinkColor() const { return m_clrLink; }
    virtual COLORREF GetVisitedColor() const { return m_clrVisited; }
    virtual COLORREF GetHoverColor() const { return m_clrHover; }
    virtual void SetVisited(BOOL bVisited = TRUE, BOOL bRedraw = TRUE);
    virtual BOOL GetVisited() const { return m_bVisited; }
    virtual void SetLinkCursor(HCURSOR hCursor) { m_hLinkCursor = hCursor; }
    virtual HCURSOR GetLinkCursor() const { return m_hLinkCursor; }
    virtual void SetUnderline(BOOL bUnderline = TRUE);
    virtual BOOL GetUnderline() const { return m_bUnderline; }
    // (COLORREF)-1: the face colour.
    virtual void SetBackColor(COLORREF clr, BOOL bRedraw = TRUE);
    virtual COLORREF GetBackColor() const;
    // Opens the target (the stored one for null); FALSE (after the message) when the shell fails.
    virtual BOOL GotoURL(LPCTSTR lpszURL = NULL, int nShowCmd = SW_SHOW, LPCTSTR lpszParameters = NULL,
        LPCTSTR lpszDirectory = NULL);
    // A left, centred or right text static (other statics act as a whole).
    virtual BOOL IsTextStatic() const;
    // The cursor lies over the text (over any part of a static that shows no text).
    virtual BOOL IsCursorOverText();
    // Shows the message for the shell's error code.
    virtual void ReportError(int nError);
    virtual void Init();
    virtual BOOL ApplyFont();
    // The control's font (the status font when it has none) with the underline as given.
    virtual BOOL CreateUnderlineFont(CFont& font, BOOL bUnderline);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // One step of hot tracking (timer 1 runs it every 10 ms while the cursor is over the text).
    void OnHotTrackTimer();
    BOOL IsHot() const { return m_bHot; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

    // Test switches: what opens targets and what shows the messages (null: the shell and the
    // message box again). Each returns the previous one.
    typedef HINSTANCE (
        *ShellOpenFunction)(LPCTSTR lpszURL, LPCTSTR lpszParameters, LPCTSTR lpszDirectory, int nShowCmd);
    typedef int (*MessageFunction)(LPCTSTR lpszText, UINT nType);
    static ShellOpenFunction SetShellOpenFunction(ShellOpenFunction pfn);
    static MessageFunction SetMessageFunction(MessageFunction pfn);

    BOOL m_bNavigateOnClick;
    BOOL m_bInitOnSubclass;
    BOOL m_bUnderline;
    BOOL m_bHot;
    BOOL m_bVisited;
    BOOL m_bToolTip;
    CFont m_fontLink;
    CString m_strURL;
    CString m_strToolTip;
    HCURSOR m_hLinkCursor;
    COLORREF m_clrLink;
    COLORREF m_clrHover;
    COLORREF m_clrVisited;
    COLORREF m_clrBack;
    CToolTipCtrl m_toolTip;

protected:
    void Redraw();

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg BOOL OnClicked();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
