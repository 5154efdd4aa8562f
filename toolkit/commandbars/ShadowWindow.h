// One shadow strip beside a popup (along its right or its bottom edge): a top-most tool window
// that follows its owner through the window hook manager, hiding and showing with it and going
// when the owner window is destroyed.
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/commandbars/HookSink.h"

class CTKPCommandBar;

class CTKPShadowWindow : public CWnd, public CTKPHookSink {
public:
    CTKPShadowWindow(BOOL bBottom, int nThemeForced, CTKPCommandBar* pOwner);
    ~CTKPShadowWindow() override;

    // Makes the window (once) under the owner's site, layered when layered shadows are available.
    BOOL CreateShadowWindow(CWnd* pSite);
    // Paints the layered strip for its size.
    void UpdateLayeredPixels(int cx, int cy);

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    BOOL IsBottom() const { return m_bBottom; }
    int GetThemeForced() const { return m_nThemeForced; }
    CTKPCommandBar* GetOwnerBar() const { return m_pOwner; }
    void ClearOwner() { m_pOwner = NULL; }
    HWND GetOwnerHwnd() const { return m_hWndOwnerBar; }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

    BOOL m_bBottom;
    int m_nThemeForced;
    CTKPCommandBar* m_pOwner;
    HWND m_hWndOwnerBar;  // the owner's window, kept for unhooking after the owner is gone
};
