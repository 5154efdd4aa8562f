// Command-bar theme 4: the gradient theme with single-line separators between the controls of a row
// and its own muted colour sets, chosen from the colour manager's current scheme. The program's own
// theme derives from it.
#pragma once

#include "toolkit/commandbars/GradientBarTheme.h"

class CTKPSchemeGradientBarTheme : public CTKPGradientBarTheme {
    DECLARE_DYNAMIC(CTKPSchemeGradientBarTheme)
public:
    CTKPSchemeGradientBarTheme();
    ~CTKPSchemeGradientBarTheme() override;

    void RefreshColorsAndFonts() override;
    int GetThemeKind() const override { return themeSchemeGradient; }
};
