// The pane's header band in the flat and the gradient look, the latter also under the program's own
// bar theme.
#include "app/MorvickBarTheme.h"
#include "preview/win/host/PreviewLocation.h"
#include "preview/win/pane/HeaderBand.h"
#include "tests/preview/win/PreviewHarness.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/commandbars/SchemeGradientBarTheme.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

PreviewBandTheme GradientKind()
{
    PreviewBandTheme t;
    t.kind = 2;
    return t;
}

PreviewBandTheme NativeKind()
{
    PreviewBandTheme t;
    t.kind = 3;
    return t;
}

Pixels PaintBand()
{
    return Render(400, 120,
        [](CDC* dc) { DrawPreviewHeaderBand(dc, CRect(0, 0, 400, 120), L"Preview:", g_strPreviewLocation); });
}

// Whether a colour appears in a rectangle.
bool HasColor(const Pixels& p, RECT r, COLORREF c)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (p.At(x, y) == c)
                return true;
    return false;
}

TEST(HeaderBand, FlatLookWithCaptionAndLocation)
{
    CTKPColorManager* colors = GetColorManager();
    g_strPreviewLocation = L"\\Documents\\report.png";
    Pixels p = PaintBand();
    EXPECT_EQ(p.At(200, 4), colors->GetColor(13));
    EXPECT_EQ(p.At(1, 1), colors->GetColor(20));     // top-left of the frame
    EXPECT_EQ(p.At(398, 30), colors->GetColor(16));  // its right side
    EXPECT_EQ(p.At(0, 30), colors->GetColor(13));    // left of the frame: the band's colour
    EXPECT_EQ(p.At(200, 60), RGB(29, 117, 189));
    EXPECT_EQ(p.At(399, 119), RGB(29, 117, 189));
    // "Preview:" from x 4 and the location from x 75, in colour 5.
    EXPECT_TRUE(HasColor(p, RECT{4, 18, 70, 34}, colors->GetColor(5)));
    EXPECT_TRUE(HasColor(p, RECT{75, 18, 200, 34}, colors->GetColor(5)));
    g_strPreviewLocation.Empty();
    Pixels empty = PaintBand();
    EXPECT_TRUE(HasColor(empty, RECT{4, 18, 70, 34}, colors->GetColor(5)));
    EXPECT_FALSE(HasColor(empty, RECT{80, 18, 200, 34}, colors->GetColor(5)));

    // The frame's shadow follows the theme's kind.
    SetPreviewBandThemeSource(GradientKind);
    EXPECT_EQ(PaintBand().At(398, 30), colors->GetColor(54));
    SetPreviewBandThemeSource(NativeKind);
    EXPECT_EQ(PaintBand().At(398, 30), colors->GetColor(57));
    SetPreviewBandThemeSource(NULL);
}

// The scheme-gradient look, with a theme of that kind installed both ways: by its number, and the
// program's own theme (derived from it) as the main frame installs it, a custom theme numbered 5.
void ExpectGradientBand()
{
    CTKPColorManager* colors = GetColorManager();
    const CTKPColorGradient& g = colors->m_gradients[0];
    Pixels p = PaintBand();
    COLORREF dark = g.m_clrDark.GetEffective(), light = g.m_clrLight.GetEffective();
    auto similar = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
            std::abs(GetBValue(a) - GetBValue(b)) <= 8;
    };
    EXPECT_TRUE(similar(p.At(300, 0), dark));
    EXPECT_TRUE(similar(p.At(300, 48), light));
    EXPECT_EQ(p.At(300, 49), colors->GetColor(54));
    EXPECT_EQ(p.At(300, 50), RGB(29, 117, 189));
}

TEST(HeaderBand, SchemeGradientThemeRunsFromDarkToLight)
{
    {
        SCOPED_TRACE("installed by its number");
        ScopedBarTheme theme(CTKPCommandBarsTheme::themeSchemeGradient);
        ExpectGradientBand();
    }
    {
        SCOPED_TRACE("the program's own theme");
        ScopedBarTheme theme(new CMorvickBarTheme);
        ASSERT_EQ(CTKPCommandBarsTheme::GetInstalledTheme()->GetThemeNumber(), CTKPCommandBarsTheme::themeCustom);
        ExpectGradientBand();
    }
}

}  // namespace
}  // namespace morvick::test
