// A toolbar whose body is one child window (typically a dialog), with an optional caption strip that
// carries a title (which can open a popup bar) and a close button. The user resizes it by its
// edges; its docked and floating client sizes are remembered separately and never fall below a
// minimum.
#pragma once

#include "toolkit/commandbars/ToolBar.h"

class CTKPDialogBarCaptionPopup;

class CTKPDialogBar : public CTKPToolBar {
    DECLARE_SERIAL(CTKPDialogBar)
public:
    CTKPDialogBar();
    ~CTKPDialogBar() override;

    // --- Accessors -------------------------------------------------------------------------------
    HWND GetChild() const { return m_hwndChild; }
    // The body window (made by the caller, normally as a child of the bar); placed at once.
    void SetChild(HWND hWndChild);
    CString GetCaption() const { return m_strCaption; }
    // Empty: the bar's title.
    void SetCaption(LPCTSTR lpszCaption);
    BOOL IsCaptionVisible() const { return m_bCaption; }
    void SetCaptionVisible(BOOL bVisible);
    BOOL IsCaptionPopup() const { return m_bCaptionPopup; }
    void SetCaptionPopup(BOOL bPopup) { m_bCaptionPopup = bPopup; }
    BOOL IsResizable() const { return m_bResizable; }
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    CRect GetBorders() const { return CRect(m_nBorderLeft, m_nBorderTop, m_nBorderRight, m_nBorderBottom); }
    void SetBorders(int nLeft, int nTop, int nRight, int nBottom);
    CSize GetMinSize() const { return m_szMin; }
    void SetMinSize(CSize size) { m_szMin = size; }
    CSize GetDockedClientSize() const { return m_szDockedClient; }
    // Sizes are kept within 0 ... 32000 (a damaged saved layout may hold anything).
    void SetDockedClientSize(CSize size);
    CSize GetFloatingClientSize() const { return m_szFloatingClient; }
    void SetFloatingClientSize(CSize size);
    CTKPDialogBarCaptionPopup* GetCaptionPopupBar() const { return m_pCaptionPopup; }
    // The caption strip's height with the top border, as last measured.
    int GetCaptionHeight() const { return m_nCaptionHeight; }

    // The borders round the child: the caption (when shown, measured afresh) above it.
    CRect GetInsideBorders();
    // The size for a client size, a requested length and a layout mode (LM_ bits); places the caption
    // controls.
    CSize CalcDialogLayout(int nLength, DWORD dwMode, CSize szClient);
    // The user dragged an edge (hit code HTLEFT ... HTBOTTOMRIGHT) to the new window rectangle.
    void Resize(const CRect& rcWindow, int nHitTest);

    // --- Overrides -------------------------------------------------------------------------------
    CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    void ResizeBar(const CRect& rcWindow, int nHitTest) override { Resize(rcWindow, nHitTest); }
    BOOL HasPopupGripper() const override { return TRUE; }
    // 1 inside the caption strip, -2 elsewhere.
    int PtInWindow(CPoint ptScreen) const override;
    void Copy(CTKPCommandBar* pSource, BOOL bRecursive = FALSE) override;
    CTKPCommandBar* Clone(BOOL bRecursive = FALSE) override;

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);

protected:
    // The hit code of a sizing edge under the point, or 0.
    int HitTestEdge(CPoint point) const;
    // The caption strip's height (the theme's caption gripper) in the bar's font, without the border.
    int MeasureCaption();
    void PlaceChild();

    int m_nBorderLeft;
    int m_nBorderTop;
    int m_nBorderRight;
    int m_nBorderBottom;
    BOOL m_bResizable;
    CSize m_szMin;
    BOOL m_bCaption;
    BOOL m_bCaptionPopup;
    int m_nCaptionHeight;
    CSize m_szDockedClient;
    CSize m_szFloatingClient;
    HWND m_hwndChild;
    CString m_strCaption;
    CTKPDialogBarCaptionPopup* m_pCaptionPopup;

    DECLARE_MESSAGE_MAP()
};
