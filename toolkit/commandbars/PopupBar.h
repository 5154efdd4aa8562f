// The command bar that shows a drop-down menu in its own top-level tool window: the sub-menus of
// the menu bar, the drop-downs of popup controls and the context menus. It opens beside or below
// its opener, flipped and shortened to fit the monitor (scrolling when it is too tall), may hide
// rarely used commands behind an expand button, animates its opening, casts shadows and can be
// torn off as a floating toolbar.
#pragma once

#include "toolkit/commandbars/CommandBar.h"

class CTKPPopupBar : public CTKPCommandBar {
    DECLARE_SERIAL(CTKPPopupBar)
public:
    CTKPPopupBar();
    ~CTKPPopupBar() override;

    enum { TIMERID_SCROLLDOWN = 5001, TIMERID_SCROLLUP = 5002, TIMERID_GRIPPER = 5003, TIMERID_EXPAND = 5004 };
    enum { SCROLL_PERIOD = 80, EXPAND_DELAY = 900 };

    // A new popup bar of the command bars' popup-bar class for the manager (may be null); the
    // caller owns the reference.
    static CTKPPopupBar* CreatePopupBar(CTKPCommandBars* pCommandBars);

    // --- Overrides of the command bar ------------------------------------------------------------
    BOOL DestroyWindow() override;
    void DelayRedraw() override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE) override;
    BOOL Popup(CTKPControlPopup* pControlPopup, BOOL bSelectFirst = FALSE) override;
    BOOL PopupAt(int x, int y, LPCRECT lpExclude = NULL) override;
    void SetPopupFlags(DWORD dwFlags) override { m_popupFlags = dwFlags; }
    void ExpandBar() override;
    BOOL HasHiddenCommands() const override { return m_bHasHiddenCommands; }
    int FindDefaultItem(BOOL bIndex) override;
    void CreateControlShadows(CTKPControl* pControl) override;
    CTKPControlPopup* GetControlPopup() const override { return m_pControlPopup; }
    BOOL IsDoubleColumn() const override { return m_bDoubleColumn; }
    BOOL IsVisible() const override;
    void OnRecalcLayout() override { Reposition(); }
    CTKPCommandBar* GetParentCommandBar() const override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override;
    void OnControlsChanged() override;
    void Copy(CTKPCommandBar* pSource, BOOL bRecursive = FALSE) override;
    CTKPCommandBar* Clone(BOOL bRecursive = FALSE) override;

    // --- Popup operations ------------------------------------------------------------------------
    // The shortcut texts of the items from the key bindings.
    virtual void UpdateShortcuts();
    // The popup flags, exclude rectangle and anchor from the opening control.
    virtual void UpdateFlags();
    // Which commands hide behind the expand button.
    void UpdateExpandingState();
    // The popup's screen rectangle for a size; may switch scrolling on and shorten it.
    CRect CalcPopupRect(int cx, int cy);
    // Places and shows the window for a size.
    void UpdateLocation(int cx, int cy);
    // Lays out an open popup again (after expanding or a change of its controls).
    void Reposition();
    // Places the visible range of a scrolling popup and its scroll buttons.
    void LayoutScrollRange(CSize* pSize, BOOL bKeepLast, BOOL bRedraw);
    BOOL CreatePopupWindow();
    // 2 unfold, 3 slide, 4 fade, 5 none.
    int ChooseAnimationType() const;

    // --- Fields read by others and by tests ------------------------------------------------------
    DWORD GetPopupFlags() const { return m_popupFlags; }
    CPoint GetAnchor() const { return m_ptAnchor; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    void SetExcludeRect(const RECT& rc) { m_rcExclude = rc; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetScrollFirst() const { return m_nScrollFirst; }
    int GetScrollEnd() const { return m_nScrollEnd; }
    CRect GetScrollUpRect() const { return m_scrollUp.rc; }
    CRect GetScrollDownRect() const { return m_scrollDown.rc; }
    void SetDoubleColumn(BOOL bDouble) { m_bDoubleColumn = bDouble; }
    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    void SetTearOffPopup(LPCTSTR lpszCaption, UINT nID, int nWidth = 400);
    BOOL IsTearOffPopup() const { return m_bTearOffPopup; }
    CRect GetTearOffGripperRect() const { return m_rcTearOffGripper; }
    CTKPToolBar* GetTearOffBar() const { return m_pTearOffBar; }
    CRect GetBorders() const { return m_rcBorders; }
    void SetBorders(const CRect& rc) { m_rcBorders = rc; }

    // The timers' actions, reachable without waiting.
    void OnScrollTimer(BOOL bDown);
    void OnExpandTimer();
    // One step of the tear-off loop: the cursor inside the gripper area (grown by 10) or not.
    void MoveTearOff(BOOL bInside, int x, int y);

    // Test switches: no opening animation at all, and the system's menu animation settings
    // (-1: ask the system).
    static void EnableAnimation(BOOL bEnable);
    static void SetSystemMenuAnimation(int nAnimation, int nFade);
    // The work area popups are placed on (null: the monitor's).
    static void SetWorkAreaOverride(LPCRECT lpWorkArea);

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);

protected:
    struct ScrollButton {
        CRect rc;
        UINT_PTR nTimer;
        CTKPPopupBar* pPopup;
        UINT nID;
    };

    void AnimateOpen();
    BOOL HasChildWindow() const;
    // The toolbar layout of a popup toolbar, the one-column layout of a menu.
    CSize CalcToolBarLayout(CDC* pDC, int nLength);
    CSize CalcMenuLayout(CDC* pDC);
    // The expand button among the controls, or null.
    CTKPControl* FindExpandButton() const;
    void KillScrollTimer(ScrollButton& button);
    void TrackTearOff();
    // The bar drawn into a memory image of the client area (for the animations).
    void AnimateFrom(int nKind, BOOL bUnfold, BOOL bDownward);

    CTKPControlPopup* m_pControlPopup;
    CPoint m_ptAnchor;
    CRect m_rcExclude;
    DWORD m_popupFlags;
    BOOL m_bInLayout;
    BOOL m_bHasHiddenCommands;
    BOOL m_bExpanded;
    BOOL m_bExpandAnimationPending;
    BOOL m_bTearOffPopup;
    CRect m_rcTearOffGripper;
    BOOL m_bTearOffSelected;
    UINT_PTR m_nTearOffTimer;
    BOOL m_bTearOffTracking;
    CSize m_szTearOffBar;
    CTKPToolBar* m_pTearOffBar;
    CString m_strTearOffCaption;
    UINT m_nTearOffID;
    int m_nTearOffWidth;
    BOOL m_bShowShadow;
    CRect m_rcBorders;
    BOOL m_bDoubleColumn;
    BOOL m_bScrolling;
    int m_nScrollFirst;
    int m_nScrollEnd;
    ScrollButton m_scrollDown;
    ScrollButton m_scrollUp;
    BOOL m_bClosing;

    DECLARE_MESSAGE_MAP()
};

// The same window laid out as a small toolbar instead of a menu.
class CTKPPopupToolBar : public CTKPPopupBar {
    DECLARE_SERIAL(CTKPPopupToolBar)
public:
    CTKPPopupToolBar();

    static CTKPPopupToolBar* CreatePopupToolBar(CTKPCommandBars* pCommandBars);

    CSize CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    CTKPCommandBar* Clone(BOOL bRecursive = FALSE) override;
};
