// The program's own command-bar theme: the scheme gradient theme on white, without separators between
// controls, with the logo in the top-right corner of the dock bars.
#pragma once

#include "toolkit/commandbars/SchemeGradientBarTheme.h"
#include "ui/controls/win/MaskedBitmap.h"

class CMorvickBarTheme : public CTKPSchemeGradientBarTheme {
public:
    // Where the logo stands in a dock bar: this far left of its right edge, this far down.
    static constexpr int kLogoFromRight = 250;
    static constexpr int kLogoTop = 28;

    CMorvickBarTheme();

    void RefreshColorsAndFonts() override;
    void DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar) override;
    CSize DrawControlSeparator(CDC* pDC, CTKPCommandBar* pBar, CTKPControl* pControl, BOOL bDraw) override;
    void DrawDockBarBackground(CDC* pDC, CWnd* pWnd) override;

private:
    morvick::ui::CMaskedBitmap m_logo;
};
