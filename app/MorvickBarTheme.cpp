#include "app/MorvickBarTheme.h"

#include "resource.h"
#include "toolkit/commandbars/CommandBar.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
// The entry of the theme's colour table that the program makes white.
constexpr UINT kWhiteColourEntry = 57;

}  // namespace

CMorvickBarTheme::CMorvickBarTheme()
{
    m_logo.LoadBitmap(IDB_LOGO);
}

void CMorvickBarTheme::RefreshColorsAndFonts()
{
    CTKPSchemeGradientBarTheme::RefreshColorsAndFonts();
    const UINT entry = kWhiteColourEntry;
    const COLORREF white = kWhite;
    SetColors(1, &entry, &white);
}

void CMorvickBarTheme::DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar)
{
    CRect client;
    pBar->GetClientRect(&client);
    pDC->FillSolidRect(&client, kWhite);
    // Black text on every bar: every bar carries the toolkit flag this could hinge on, so a test of it would change nothing.
    pDC->SetTextColor(RGB(0, 0, 0));
}

CSize CMorvickBarTheme::DrawControlSeparator(CDC*, CTKPCommandBar*, CTKPControl*, BOOL)
{
    return CSize(0, 0);
}

void CMorvickBarTheme::DrawDockBarBackground(CDC* pDC, CWnd* pWnd)
{
    CTKPSchemeGradientBarTheme::DrawDockBarBackground(pDC, pWnd);
    CRect client;
    pWnd->GetClientRect(&client);
    pDC->FillSolidRect(&client, kWhite);
    pDC->SetBkColor(kWhite);
    if (m_logo.GetSafeHandle() != nullptr)
        m_logo.Draw(pDC->GetSafeHdc(), client.Width() - kLogoFromRight, kLogoTop, kWhite);
}
