// A command-bar control that hosts a child window of the program (for example a dialog control of
// the frame): the window is moved into the bar, kept in the control's place, shown, hidden and
// enabled with it, and the pointer's movement over it still hot-tracks the bar. While the window
// is hidden (in a vertical bar, if so chosen) the control acts as an ordinary button. The layout
// keeps the hosted window's dialog id.
#pragma once

#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/HookSink.h"

class CTKPControlCustom : public CTKPControlButton {
    DECLARE_SERIAL(CTKPControlCustom)
public:
    CTKPControlCustom();
    ~CTKPControlCustom() override;

    // In a vertical bar: the control is hidden (0), or the window is hidden and the control acts as
    // a button (2); other values change nothing.
    enum { verticalHide = 0, verticalButton = 2 };

    // Hosts the window (null: none); its current size becomes the control size unless one is set.
    void SetControl(HWND hWnd);
    HWND GetControl() const { return m_hWndControl; }
    void SetBorders(const CRect& rcBorders) { m_rcBorders = rcBorders; }
    CRect GetBorders() const { return m_rcBorders; }
    void SetControlSize(CSize size) { m_szControl = size; }
    CSize GetControlSize() const { return m_szControl; }
    void SetVerticalOptions(int nOptions) { m_nVerticalOptions = nOptions; }
    int GetVerticalOptions() const { return m_nVerticalOptions; }
    int GetControlId() const { return m_nControlId; }
    void SetControlId(int nId) { m_nControlId = nId; }
    // Whether the hosted window is to be seen (cleared in vertical bars with the button option).
    BOOL IsControlShown() const { return m_bControlVisible; }

    // The command bars' frame's child with the dialog id, else the first bar's child with it.
    static HWND FindControlWindow(CTKPCommandBars* pCommandBars, int nId);

    void SetEnabled(BOOL bEnabled) override;
    void SetRect(CRect rcControl) override;
    void SetHideFlags(DWORD dwFlags) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
    void Copy(CTKPControl* pSource, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    BOOL IsCustomizeDragOverAvail(CTKPCommandBar* pBar, CPoint point, DWORD& dropEffect) override;

protected:
    // Sees the hosted window's messages: the pointer's moves go on to the bar.
    class CHookClient : public CTKPHookSink {
    public:
        explicit CHookClient(CTKPControlCustom* pControl) : m_pControl(pControl) {}
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
        CTKPControlCustom* m_pControl;
    };

    // The hosted window is there and is to be seen with the control.
    BOOL IsWindowShown() const;
    // Shows or hides the hosted window without moving it.
    void UpdateWindowVisibility();

    CHookClient m_hookClient;
    HWND m_hWndControl;
    CRect m_rcBorders;
    BOOL m_bControlVisible;
    CSize m_szControl;
    int m_nVerticalOptions;
    int m_nControlId;
};
