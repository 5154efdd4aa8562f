// The grid of button images that "Change Button Image" opens: a popup toolbar of a fixed width.
#pragma once

#include "toolkit/commandbars/PopupBar.h"

class CTKPCustomizeImagePopup : public CTKPPopupToolBar {
    DECLARE_DYNAMIC(CTKPCustomizeImagePopup)
public:
    CTKPCustomizeImagePopup() : m_nGridWidth(0) {}
    // The width of the popup; its buttons wrap within it (less the 3-pixel borders).
    void SetGridWidth(int nWidth)
    {
        m_nGridWidth = nWidth;
        SetMRUWidth(nWidth - 6);
    }
    int GetGridWidth() const { return m_nGridWidth; }
    CSize CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth = 0) override;

protected:
    int m_nGridWidth;
};
