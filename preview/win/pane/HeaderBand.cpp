#include "preview/win/pane/HeaderBand.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/SharedMetrics.h"
#include "toolkit/commandbars/CommandBarsTheme.h"

namespace {

// Colour-manager indexes the band uses.
enum BandColor : uint32_t {
    kColorPaneBackground = 5,
    kColorFlatBand = 13,
    kColorFrameShadow = 16,
    kColorFrameLight = 20,
    kColorGradientLine = 54,
    kColorStyleBorder = 57,
};

// The process-wide command-bar theme: installs the default theme when none is installed yet.
PreviewBandTheme DefaultTheme()
{
    CTKPCommandBarsTheme* theme = CTKPCommandBarsTheme::GetInstalledTheme();
    if (theme == NULL) {
        CTKPCommandBarsTheme::SetTheme(0);
        theme = CTKPCommandBarsTheme::GetInstalledTheme();
    }
    PreviewBandTheme band;
    if (theme != NULL)
        band.kind = theme->GetThemeKind();
    return band;
}

PreviewBandThemeSource g_themeSource = DefaultTheme;

}  // namespace

void SetPreviewBandThemeSource(PreviewBandThemeSource source)
{
    g_themeSource = source != NULL ? source : DefaultTheme;
}

PreviewBandTheme GetPreviewBandTheme()
{
    return g_themeSource();
}

void DrawPreviewHeaderBand(CDC* pDC, const CRect& client, const CString& strCaption, const CString& strLocation)
{
    CTKPColorManager* colors = GetColorManager();
    pDC->FillSolidRect(&client, colors->GetColor(kColorPaneBackground));

    CRect band(client.left, client.top, client.right, client.top + kPreviewBandHeight);
    PreviewBandTheme theme = GetPreviewBandTheme();
    if (theme.kind == CTKPCommandBarsTheme::themeSchemeGradient) {
        const CTKPColorGradient& g = colors->m_gradients[0];
        CTKPDrawingHelper::GradientFill(pDC, &band, g.m_clrDark.GetEffective(), g.m_clrLight.GetEffective(), FALSE);
        CRect line(band.left, band.bottom - 1, band.right, band.bottom);
        pDC->FillSolidRect(&line, colors->GetColor(kColorGradientLine));
    } else {
        pDC->FillSolidRect(&band, colors->GetColor(kColorFlatBand));
        uint32_t shadow = theme.kind == CTKPCommandBarsTheme::themeNative
            ? kColorStyleBorder
            : (theme.kind == CTKPCommandBarsTheme::themeGradient ? kColorGradientLine : kColorFrameShadow);
        CRect frame(band.left + 1, band.top + 1, band.right - 1, band.bottom);
        pDC->Draw3dRect(&frame, colors->GetColor(kColorFrameLight), colors->GetColor(shadow));
    }

    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldColor = pDC->SetTextColor(colors->GetColor(kColorPaneBackground));
    CTKPSharedMetrics* metrics = GetSharedMetrics();
    CFont* oldFont = pDC->SelectObject(&metrics->m_fontBold);
    pDC->TextOut(4, 18, strCaption);
    pDC->SelectObject(&metrics->m_fontNormal);
    pDC->TextOut(75, 18, strLocation);
    pDC->SelectObject(oldFont);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);

    CRect below(client.left, client.top + kPreviewBandHeight, client.right, client.bottom);
    if (below.bottom > below.top)
        pDC->FillSolidRect(&below, kPreviewPaneBlue);
}
