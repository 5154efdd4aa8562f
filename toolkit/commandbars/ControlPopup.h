// The popup controls (types 2, 3 and 4): each owns a popup bar that it opens and closes through its
// parent bar's popup state. Type 4 is a split button whose main part executes and whose arrow part
// (the last 11 pixels on bars, 20 in popup bars) opens the popup.
#pragma once

#include "toolkit/commandbars/Control.h"

class CTKPControlPopup : public CTKPControl {
    DECLARE_SERIAL(CTKPControlPopup)
public:
    CTKPControlPopup();
    ~CTKPControlPopup() override;

    // A popup control of type 2, 3 or 4; the caller owns the reference.
    static CTKPControlPopup* CreateControlPopup(int nType);

    enum { SPLIT_BAR = 11, SPLIT_POPUP = 20 };

    BOOL Compare(CTKPControl* pOther) override;
    CTKPCommandBar* GetCommandBar() override { return m_pCommandBar; }
    void DoPropExchange(CTKPPropExchange* pPX) override;
    void OnUnderlineActivate() override;
    void Copy(CTKPControl* pSource, BOOL bRecursive = FALSE) override;
    BOOL OnSetPopup(BOOL bPopup) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseHover() override;
    BOOL SetSelected(int nSelected) override;
    void OnCustomizeDragOver(CTKPControl* pDragged, CPoint point, DWORD& dropEffect) override;
    // Shadows that join the control to its open popup (popup bars that cast shadows only).
    virtual void UpdateShadow();
    // Lets the theme adjust the rectangle that the popup must leave visible.
    virtual void AdjustExcludeRect(CRect& rc);

    // Releases the previous popup bar and takes a reference on the new one.
    void SetCommandBar(CTKPCommandBar* pBar);
    // Takes the caller's reference (no extra one).
    void AttachCommandBar(CTKPCommandBar* pBar);
    BOOL GetPopup() const { return m_bPopup; }
    // The id of the popup bar a loaded layout names, kept until the bars are linked again.
    UINT GetLoadedCommandBarId() const { return m_dwReserved; }
    void SetLoadedCommandBarId(UINT nId) { m_dwReserved = nId; }
    // Shows the popup bar's full menu when it is open.
    void ExpandPopup();
    // TRUE when the other control's popup bar is this one's or lies below it: the other may then
    // not take this popup into itself.
    BOOL IsContainPopup(CTKPControlPopup* pOther);

protected:
    BOOL m_bPopup;
    CTKPCommandBar* m_pCommandBar;
    DWORD m_dwReserved;
};
