// The dockable command bar: a window of controls in rows that docks in one of its manager's four
// dock bars, floats in its own popup window with a small caption, can sit in a rebar band, and
// fills itself from a toolbar resource. The menu bar and the dialog bar derive from it.
#pragma once

#include "toolkit/commandbars/CommandBar.h"

class CTKPToolBarDockContext;

class CTKPToolBar : public CTKPCommandBar {
    DECLARE_SERIAL(CTKPToolBar)
public:
    CTKPToolBar();
    ~CTKPToolBar() override;

    // Makes the dock context on first use and sets the bar flags.
    void EnableBarDocking(DWORD dwFlags);
    // The bar id becomes the resource id; on success the controls are kept as the reference set.
    BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE) override;
    BOOL SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override { return m_bVisible; }
    // 0-3 dock there, 4 floats; other values FALSE.
    BOOL SetPosition(int nPosition) override;
    void OnFloatingLayoutChanged() override;
    // A bar whose controls changed sizes itself again (floating) or has the frame laid out again.
    void OnRecalcLayout() override { OnFloatingLayoutChanged(); }
    void DoPropExchange(CTKPPropExchange* pPX) override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    void Copy(CTKPCommandBar* pSource, BOOL bRecursive = FALSE) override;
    CTKPCommandBar* Clone(BOOL bRecursive = FALSE) override;
    // The size of a docked bar for a length and a mode.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0);
    // Restores a built-in bar's controls after asking (string 9349).
    virtual void ResetToolBar();
    // Whether the toolbar's own reset asks and restores: a built-in, customizable bar with an id.
    BOOL CanResetToolBar() const { return m_bBuiltIn && IsCustomizable() && m_nBarID != 0; }
    // The window: docked as a child of the dock bar, floating as a popup owned by the frame.
    virtual BOOL CreateBarWindow(CWnd* pFrame, BOOL bFloating);
    // The menu bar fills itself from a menu resource; FALSE here.
    virtual BOOL LoadMenuBar(UINT nIDResource) { return FALSE; }
    // A bar that sizes itself (its caption-gripper query answers TRUE, as the dialog bar's does) is
    // given each new window rectangle of an edge drag with the hit code; nothing here.
    virtual void ResizeBar(const CRect& rcWindow, int nHitTest) {}

    // Print preview hides a visible bar; its end shows it again.
    virtual void OnSetPreviewMode(BOOL bPreview);
    CTKPDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CTKPDockBar* pDockBar) { m_pDockBar = pDockBar; }
    CTKPToolBarDockContext* GetDockContext() const { return m_pDockContext; }
    // Whether the user may hide the bar from the customise sheet's Toolbars page (TRUE by default).
    BOOL IsHideable() const { return m_bHideable; }
    void SetHideable(BOOL bHideable) { m_bHideable = bHideable; }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    BOOL GetShowExpandButton() const { return m_bShowExpandButton; }
    void SetShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }
    BOOL IsFloating() const { return m_barPosition == tkpBarFloating; }
    // Docked left or right.
    BOOL IsVerticalDocked() const { return m_barPosition == tkpBarLeft || m_barPosition == tkpBarRight; }
    // The toolbar's add-or-remove popup: one check item per control of the reference set.
    CTKPCommandBar* CreateAddOrRemovePopup();
    // The mode of a docked bar's layout in WM_SIZEPARENT (0x4A plus 0x80 and 1 by the bar flags).
    DWORD GetDockLayoutMode() const;
    // The expand button, made on first use and left hidden; bShow says whether the layout shows it:
    // always with the option ShowExpandButtonAlways, else only when the controls wrapped or some had
    // no room. Null when the bar has none.
    CTKPControl* PrepareExpandButton(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nWidth,
        BOOL& bShow);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    BOOL m_bBuiltIn;
    BOOL m_bTearOff;
    BOOL m_bHideable;
    BOOL m_bPreviewVisible;
    BOOL m_bPreviewMode;
    BOOL m_bExemptOnlyCustomized;
    BOOL m_bShowExpandButton;

protected:
    CTKPDockBar* m_pDockBar;
    CTKPToolBarDockContext* m_pDockContext;
    HWND m_hwndFocusLost;

    DECLARE_MESSAGE_MAP()
};
