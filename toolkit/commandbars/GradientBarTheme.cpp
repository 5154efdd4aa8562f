#include "toolkit/commandbars/GradientBarTheme.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CTKPGradientBarTheme, CTKPFlatBarTheme)

// A disc shaded darker towards the bottom, with a light rim; 255 is transparent.
// clang-format off
const BYTE CTKPGradientBarTheme::s_expandShades[256] = {
    255, 255, 255, 255, 252, 234, 198, 180, 180, 180, 198, 252, 255, 255, 255, 255,
    255, 255, 255, 255, 252, 234, 234, 234, 234, 234, 234, 252, 255, 255, 255, 255,
    255, 255, 255, 252, 234, 180, 180, 144, 144, 180, 180, 234, 252, 255, 255, 255,
    255, 255, 252, 180, 144, 144, 144, 144, 144, 144, 144, 144, 180, 252, 255, 255,
    255, 252, 234, 144, 144, 144, 144, 144, 144, 144, 144, 144, 144, 234, 252, 255,
    255, 234, 144, 144, 144, 126, 126, 126, 126, 126, 126, 144, 144, 144, 234, 255,
    255, 234, 126, 126, 126, 126, 126, 108, 108, 126, 126, 126, 126, 126, 234, 255,
    252, 234, 126, 126, 108, 108, 108, 108, 108, 108, 108, 108, 126, 126, 234, 252,
    198, 144, 108, 108, 108, 108,  90,  90,  90,  90, 108, 108, 108, 108, 144, 198,
    255, 144, 108,  90,  90,  90,  90,  72,  72,  90,  90,  90,  90, 108, 144, 255,
    255, 144,  90,  90,  72,  72,  72,  72,  72,  72,  72,  72,  90,  90, 144, 255,
    255, 198, 144,  72,  72,  72,  54,  54,  54,  54,  72,  72,  72, 144, 198, 255,
    255, 255, 198,  54,  36,  18,  18,  18,  18,  18,  18,  36,  54, 198, 255, 255,
    255, 255, 255, 198, 144,  36,  18,   0,   0,  18,  36, 144, 198, 255, 255, 255,
    255, 255, 255, 255, 198, 144, 144, 144, 144, 144, 144, 198, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 198, 198, 255, 255, 255, 255, 255, 255, 255,
};
// clang-format on

namespace {

// The fixed colours of one desktop scheme.
struct SchemeSet {
    COLORREF barLight, barDark;
    float barFactor;
    COLORREF toolLight, toolDark;
    float toolFactor;
    COLORREF toolShadow, floatingCaption;
    COLORREF popupedLight, popupedDark;
    float popupedFactor;
    COLORREF expandLight, expandDark;
    float expandFactor;
    COLORREF columnLight, columnDark;
    float columnFactor;
    COLORREF imageLight, imageDark;
    float imageFactor;
    COLORREF statusPane, accentText, popupHandle;
    COLORREF faceLight, faceDark;
    float faceFactor;
    COLORREF entry12, entry51, entry52, entry53, entry56;
    // Entries 30, 31, 32, 33, 36, 37, 38, 39, 40, 41, 43, 47, 50 (37 and 50 as 32).
    COLORREF e30, e31, e32, e33, e36, e38, e39, e40, e41, e43, e47;
};

const SchemeSet kSchemes[3] = {
    // blue
    {0xF5BE9E, 0xFADAC4, 0.5f, 0xFEECDD, 0xE2A981, 0.75f, 0x9C613B, 0xC9662A, 0xFFEFE3, 0xE7B593, 0.5f, 0xF1A675,
        0x913500, 0.75f, 0xF6DDCB, 0xDCA179, 0.5f, 0xFEEFE3, 0xE2A981, 0.5f, 0xD3D3D3, 0x361E16, 0xF0C7A9, 0xF2ECE9,
        0xAC7A61, 0.5f, 0xAE9990, 0xFCE7D8, 0xF5BE9E, 0xFCE1CB, 0xF7D3BD, 0xF9DBC4, 0xC2EEFF, 0x800000, 0x3E80FE,
        0x6FC0FF, 0x764127, 0xCB8C6A, 0xD0966D, 0xF6F6F6, 0x962D00, 0x000000},
    // olive
    {0xA7D9D9, 0xE4F1F2, 0.5f, 0xDEF7F4, 0x91C6B7, 0.3f, 0x588060, 0x5E8674, 0xD5F0EC, 0x9FCEC2, 0.5f, 0x8CC2B0,
        0x6B7760, 0.3f, 0xD1E6E6, 0x78B4A4, 0.3f, 0xD5F0EC, 0x93C6B8, 0.5f, 0xD3D3D3, 0x19221F, 0x9FD4C5, 0xF0F4F3,
        0x719083, 0.5f, 0x7BA097, 0xBFE7E2, 0x8AC0AB, 0xB6E3D8, 0xBDE3DE, 0xADDED1, 0xC2EEFF, 0x385D3F, 0x3E80FE,
        0x6FC0FF, 0x335E51, 0x588060, 0x7AAE9F, 0xEEF4F4, 0x5E8D75, 0x000000},
    // silver
    {0xE5D7D7, 0xF7F3F3, 0.5f, 0xFFF9F9, 0xB79B9C, 0.75f, 0x947C7C, 0x99797A, 0xF1E7E9, 0xCDB9BA, 0.5f, 0xC8B2B3,
        0x927476, 0.75f, 0xE2D7D7, 0xA28385, 0.5f, 0xF1E8E8, 0xC5AEB0, 0.5f, 0xDAEAEC, 0x292024, 0xD3C0C0, 0xF9F5F7,
        0x99797A, 0.5f, 0xB39A9B, 0xEADFDF, 0xC3B0B1, 0xE7D3D6, 0xE7D7D6, 0xE4DADB, 0xC2EEFF, 0x6F4B4B, 0x3E80FE,
        0x6FC0FF, 0x755454, 0x8F6D6E, 0xBEA7A8, 0xFFFAFD, 0x947C7C, 0x000000},
};

COLORREF Blend(const CTKPCommandBarsTheme* pTheme, int a, int b, int nWeight)
{
    return CTKPColorTable::BlendColors(pTheme->GetColor(a), pTheme->GetColor(b), nWeight);
}

int HalfScreenWidth()
{
    return ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
}

BOOL IsPopupOpen(CTKPControl* pControl)
{
    return pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)) && static_cast<CTKPControlPopup*>(pControl)->GetPopup();
}

}  // namespace

CTKPGradientBarTheme::CTKPGradientBarTheme() : m_bSchemeActive(0), m_bSingleLineSeparator(0)
{
    m_grcChecked.SetStandardValues(0x8CD5FF, 0x55ADFF, 0.5f);
    m_grcPushed.SetStandardValues(0x4B8EFE, 0x8BCFFF, 0.5f);
    m_grcHot.SetStandardValues(0xC8F2FF, 0x97D4FF, 0.5f);
    m_bFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
}

CTKPGradientBarTheme::~CTKPGradientBarTheme() {}

BOOL CTKPGradientBarTheme::HasGradientFloatingLook(CTKPCommandBar* pBar)
{
    return pBar->GetType() != tkpBarTypeMenuBar && (pBar->GetFlags() & tkpFlagAlignAny) != 0;
}

void CTKPGradientBarTheme::RefreshColorsAndFonts()
{
    CTKPFlatBarTheme::RefreshColorsAndFonts();
    CWnd* pMainWnd = AfxGetMainWnd();
    m_themeStatusBar.OpenThemeData(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL, L"STATUS");

    m_grcExpandedColumn.SetStandardValues(Blend(this, COLOR_WINDOW, 42, 550), GetColor(42));
    m_grcToolBar.SetStandardValues(Blend(this, COLOR_BTNFACE, COLOR_WINDOW, 205), GetColor(COLOR_BTNFACE));
    m_grcDockBar.SetStandardValues(GetColor(COLOR_BTNFACE), Blend(this, COLOR_BTNFACE, COLOR_WINDOW, 205));
    m_clrPopupHandle.SetStandardValue(GetColor(30));
    m_clrToolBarShadow.SetStandardValue(GetColor(30));
    m_clrFloatingGripper.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_grcPopuped.SetStandardValues(GetColor(41), Blend(this, COLOR_WINDOW, COLOR_BTNFACE, 550));
    m_grcToolBarExpand.SetStandardValues(Blend(this, 51, COLOR_BTNSHADOW, 51), GetColor(COLOR_BTNSHADOW));
    m_bSchemeActive = FALSE;
    m_grcImage.SetStandardValues(GetColor(41), Blend(this, COLOR_WINDOW, COLOR_BTNFACE, 550));
    m_clrStatusPane.SetStandardValue(Blend(this, COLOR_BTNFACE, COLOR_WINDOW, 70));
    m_arrColor[55].SetStandardValue(GetColorManager()->m_gradients[1].m_clrDark.GetEffective());

    const int nScheme = GetCurrentColorScheme();
    if (nScheme >= 1 && nScheme <= 3) {
        const SchemeSet& s = kSchemes[nScheme - 1];
        m_grcDockBar.SetStandardValues(s.barLight, s.barDark, s.barFactor);
        m_grcToolBar.SetStandardValues(s.toolLight, s.toolDark, s.toolFactor);
        m_clrToolBarShadow.SetStandardValue(s.toolShadow);
        m_clrFloatingGripper.SetStandardValue(s.floatingCaption);
        m_grcPopuped.SetStandardValues(s.popupedLight, s.popupedDark, s.popupedFactor);
        m_grcToolBarExpand.SetStandardValues(s.expandLight, s.expandDark, s.expandFactor);
        m_grcExpandedColumn.SetStandardValues(s.columnLight, s.columnDark, s.columnFactor);
        m_grcImage.SetStandardValues(s.imageLight, s.imageDark, s.imageFactor);
        m_clrStatusPane.SetStandardValue(s.statusPane);
        m_clrAccentText = s.accentText;
        m_clrPopupHandle.SetStandardValue(s.popupHandle);
        m_grcFace.SetStandardValues(s.faceLight, s.faceDark, s.faceFactor);
        m_arrColor[12].SetStandardValue(s.entry12);
        m_arrColor[51].SetStandardValue(s.entry51);
        m_arrColor[52].SetStandardValue(s.entry52);
        m_arrColor[53].SetStandardValue(s.entry53);
        m_arrColor[56].SetStandardValue(s.entry56);
        const UINT indexes[] = {30, 31, 32, 33, 36, 37, 38, 39, 40, 41, 43, 47, 50};
        const COLORREF values[] = {s.e30, s.e31, s.e32, s.e33, s.e36, s.e32, s.e38, s.e39, s.e40, s.e41, s.e43, s.e47,
            s.e32};
        SetColors(13, indexes, values);
        m_bSchemeActive = TRUE;
        for (int n : {35, 58, 60})
            m_arrColor[n].SetStandardValue(0x8D8D8D);
    }
    BuildExpandImage();
}

COLORREF CTKPGradientBarTheme::GetExpandImagePixel(int x, int y) const
{
    const int s = s_expandShades[(y & 15) * 16 + (x & 15)];
    if (s == 255)
        return RGB(0, 255, 0);
    const COLORREF light = m_grcImage.m_clrLight.GetEffective();
    const COLORREF dark = m_grcImage.m_clrDark.GetEffective();
    const int r = GetRValue(dark) - (GetRValue(dark) - GetRValue(light)) * s / 255;
    const int g = GetGValue(dark) - (GetGValue(dark) - GetGValue(light)) * s / 255;
    const int b = GetBValue(dark) - (GetBValue(dark) - GetBValue(light)) * s / 255;
    return RGB(r, g, b);
}

void CTKPGradientBarTheme::BuildExpandImage()
{
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    ::ReleaseDC(NULL, hdcScreen);
    if (hBitmap == NULL || hdc == NULL) {
        if (hdc)
            ::DeleteDC(hdc);
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            ::SetPixelV(hdc, x, y, GetExpandImagePixel(x, y));
    }
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);

    m_ilExpand.DeleteImageList();
    m_ilExpand.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1);
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    m_ilExpand.Add(&bitmap, RGB(0, 255, 0));
}

// --- Backgrounds --------------------------------------------------------------------------------

void CTKPGradientBarTheme::DrawDockBarBackground(CDC* pDC, CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    if (pWnd->GetStyle() & (0x100 | 0x4000)) {
        pDC->FillSolidRect(rc, m_grcDockBar.m_clrDark.GetEffective());
        return;
    }
    CRect rcFill = rc;
    rcFill.right = std::max<int>(rcFill.right, rcFill.left + HalfScreenWidth());
    CTKPDrawingHelper::FillColorGradient(pDC, rcFill, &m_grcDockBar, TRUE, rc);
}

void CTKPGradientBarTheme::FillDockBarRect(CDC* pDC, CWnd* pBar, CWnd* pParent, BOOL bHorz)
{
    CRect rcParent;
    pParent->GetWindowRect(&rcParent);
    pBar->ScreenToClient(&rcParent);
    if (pParent->GetStyle() & (0x100 | 0x4000)) {
        pDC->FillSolidRect(rcParent, m_grcDockBar.m_clrDark.GetEffective());
        return;
    }
    rcParent.right = std::max<int>(rcParent.right, rcParent.left + HalfScreenWidth());
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    CTKPDrawingHelper::FillColorGradient(pDC, rcParent, &m_grcDockBar, TRUE, rcClient);
}

void CTKPGradientBarTheme::DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    const int w = rc.Width(), h = rc.Height();
    const int nPosition = pBar->GetPosition();

    if (pBar->GetType() == tkpBarTypeMenuBar) {
        CRect rcFill = rc;
        rcFill.right = std::max<int>(rcFill.right, rcFill.left + HalfScreenWidth());
        CTKPDrawingHelper::FillColorGradient(pDC, rcFill, &m_grcDockBar, TRUE, rc);
        if (nPosition == tkpBarFloating) {
            DrawRectangleByIndex(pDC, rc, 43, -1);
            CRect rcInner = rc;
            rcInner.DeflateRect(1, 1);
            DrawRectangleByIndex(pDC, rcInner, 43, -1);
            const COLORREF clr = GetColor(43);
            pDC->SetPixel(2, 2, clr);
            pDC->SetPixel(w - 3, 2, clr);
            pDC->SetPixel(2, h - 3, clr);
            pDC->SetPixel(w - 3, h - 3, clr);
        }
        return;
    }

    // The row of the first visible control.
    CRect rcFirstRow(0, 0, 0, 0);
    for (int i = 0; i < pBar->GetControlCount(); ++i) {
        CTKPControl* pControl = pBar->GetControl(i);
        if (pControl->IsVisible()) {
            rcFirstRow = pControl->GetRowRect();
            break;
        }
    }

    if (nPosition == tkpBarTop || nPosition == tkpBarBottom) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        CWnd* pParent = pBar->GetParent();
        if (pParent != NULL)
            FillDockBarRect(pDC, pBar, pParent, TRUE);
        pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 3, rc.bottom);
        CTKPDrawingHelper::ExcludeCorners(pDC, rc.left + 3, rc.top + 1, rc.right, rc.bottom - 1);
        const int nRowBottom = std::min<int>(rcFirstRow.bottom + 1, rc.bottom - 1);
        CTKPDrawingHelper::FillColorGradient(pDC, CRect(rc.left, rc.top + 1, rc.right, nRowBottom), &m_grcToolBar,
            FALSE);
        if (nRowBottom < rc.bottom - 1)
            pDC->FillSolidRect(CRect(rc.left, nRowBottom, rc.right, rc.bottom - 1),
                m_grcToolBar.m_clrDark.GetEffective());
        pDC->FillSolidRect(rc.left + 5, rc.bottom - 1, w - 7, 1, m_clrToolBarShadow.GetEffective());
        pDC->SelectClipRgn(NULL);
    } else if (nPosition == tkpBarLeft || nPosition == tkpBarRight) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        CWnd* pParent = pBar->GetParent();
        if (pParent != NULL)
            FillDockBarRect(pDC, pBar, pParent, FALSE);
        pDC->ExcludeClipRect(rc.left, rc.top, rc.right, rc.top + 3);
        CTKPDrawingHelper::ExcludeCorners(pDC, rc.left + 1, rc.top + 3, rc.right - 1, rc.bottom);
        const int nRowRight = std::min<int>(rcFirstRow.right + 1, rc.right - 1);
        CTKPDrawingHelper::FillColorGradient(pDC, CRect(rc.left + 1, rc.top, nRowRight, rc.bottom), &m_grcToolBar,
            TRUE);
        pDC->FillSolidRect(rc.right - 1, rc.top + 5, 1, h - 7, m_clrToolBarShadow.GetEffective());
        pDC->SelectClipRgn(NULL);
    } else if (nPosition == tkpBarPopup) {
        DrawPopupBarBackground(pDC, pBar, GetColor(41));
    } else if (nPosition == tkpBarFloating && HasGradientFloatingLook(pBar)) {
        pDC->FillSolidRect(rc, GetColor(30));
        DrawRectangleByIndex(pDC, rc, 43, -1);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        DrawRectangleByIndex(pDC, rcInner, 43, -1);
        int nCaption;
        {
            CTKPFontSelector font(pDC, &m_fontSmCaption);
            nCaption = std::max<int>(15, pDC->GetTextExtent(CString(L" ")).cy);
        }
        int nTop = nCaption + 3;
        for (int i = 0; i < pBar->GetControlCount(); ++i) {
            CTKPControl* pControl = pBar->GetControl(i);
            if (!pControl->IsVisible() || !pControl->GetWrap() || pControl->GetRect().top <= nTop)
                continue;
            const int nRowTop = pControl->GetRowRect().top;
            CTKPDrawingHelper::FillColorGradient(pDC, CRect(3, nTop, w - 3, nRowTop), &m_grcToolBar, FALSE);
            nTop = nRowTop;
        }
        CTKPDrawingHelper::FillColorGradient(pDC, CRect(3, nTop, w - 3, h - 3), &m_grcToolBar, FALSE);
        const COLORREF clr = GetColor(43);
        pDC->SetPixel(2, 2, clr);
        pDC->SetPixel(w - 3, 2, clr);
        pDC->SetPixel(2, h - 3, clr);
        pDC->SetPixel(w - 3, h - 3, clr);
    } else {
        CTKPFlatBarTheme::DrawBarBackground(pDC, pBar);
    }
}

void CTKPGradientBarTheme::FillPopupIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    CTKPDrawingHelper::FillColorGradient(pDC, CRect(x, y, x + cx, y + cy),
        bExpanded ? &m_grcExpandedColumn : &m_grcToolBar, TRUE);
}

// --- Faces --------------------------------------------------------------------------------------

void CTKPGradientBarTheme::DrawGradientFace(CDC* pDC, CRect rc, int nBorder, const CTKPColorGradient* pFill, BOOL bHorz)
{
    if (pFill != NULL)
        CTKPDrawingHelper::FillColorGradient(pDC, rc, pFill, bHorz);
    if (nBorder != -1)
        DrawRectangleByIndex(pDC, rc, nBorder, -1);
}

void CTKPGradientBarTheme::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
    BOOL bPopuped, BOOL bToolBar, int barPosition)
{
    if (bPopuped) {
        DrawGradientFace(pDC, rc, 43, &m_grcPopuped, FALSE);
        return;
    }
    if (!m_bSchemeActive || !bToolBar || barPosition < tkpBarTop || barPosition > tkpBarFloating) {
        CTKPFlatBarTheme::DrawRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, FALSE, bToolBar, barPosition);
        return;
    }
    const BOOL bHorz = barPosition == tkpBarLeft || barPosition == tkpBarRight;
    if (bEnabled) {
        if (bChecked && !nSelected && !nPressed)
            DrawGradientFace(pDC, rc, 50, &m_grcChecked, bHorz);
        else if (nPressed == 2 || (nSelected && nPressed) || (bChecked && nSelected && !nPressed))
            DrawGradientFace(pDC, rc, 50, &m_grcPushed, bHorz);
        else if ((!nSelected && nPressed != 0 && nPressed != 2) || (nSelected && !nPressed && !bChecked))
            DrawGradientFace(pDC, rc, 32, &m_grcHot, bHorz);
    } else if (nSelected == 2) {
        DrawGradientFace(pDC, rc, 50, bChecked ? &m_grcPushed : &m_grcHot, bHorz);
    } else if (bChecked) {
        DrawGradientFace(pDC, rc, 58, &m_grcChecked, bHorz);
    }
}

// --- Grippers, separators, handles --------------------------------------------------------------

CSize CTKPGradientBarTheme::DrawCommandBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->HasPopupGripper())
        return DrawPopupBarGripper(pDC, pBar, bDraw);
    CRect rc;
    pBar->GetClientRect(&rc);
    switch (pBar->GetPosition()) {
    case tkpBarTop:
    case tkpBarBottom:
        if (bDraw && rc.Height() - 8 >= 6) {
            for (int y = 8; y - 3 < rc.Height() - 8; y += 4) {
                pDC->FillSolidRect(CRect(6, y - 2, 8, y), GetColor(COLOR_BTNHIGHLIGHT));
                pDC->FillSolidRect(CRect(5, y - 3, 7, y - 1), GetColor(38));
            }
        }
        return CSize(6, 0);
    case tkpBarLeft:
    case tkpBarRight:
        if (bDraw) {
            for (int x = 8; x - 3 < rc.Width() - 8; x += 4) {
                pDC->FillSolidRect(CRect(x - 2, 7, x, 9), GetColor(COLOR_BTNHIGHLIGHT));
                pDC->FillSolidRect(CRect(x - 3, 6, x - 1, 8), GetColor(38));
            }
        }
        return CSize(0, 9);
    case tkpBarFloating:
        return DrawFloatingCaption(pDC, pBar, bDraw, m_clrFloatingGripper.GetEffective());
    }
    return CSize(0, 0);
}

CSize CTKPGradientBarTheme::DrawControlSeparator(CDC* pDC, CTKPCommandBar* pBar, CTKPControl* pControl, BOOL bDraw)
{
    const int nPosition = pBar->GetPosition();
    const BOOL bPopup = pBar->GetType() == tkpBarTypePopup;
    if (!bDraw) {
        if (nPosition == tkpBarFloating && !bPopup)
            return CSize(6, 0);
        return CTKPFlatBarTheme::DrawControlSeparator(pDC, pBar, pControl, FALSE);
    }
    if (pControl == NULL)
        return CSize(0, 0);
    if (bPopup || nPosition > tkpBarFloating)
        return CTKPFlatBarTheme::DrawControlSeparator(pDC, pBar, pControl, TRUE);

    const CRect rcControl = pControl->GetRect();
    const CRect rcRow = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    const BOOL bHighlight = !(m_bSingleLineSeparator && !bWrap);
    if (nPosition == tkpBarLeft || nPosition == tkpBarRight) {
        if (bWrap) {
            DrawLine(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.right + 2, rcRow.bottom, 39);
            DrawLine(pDC, rcRow.right + 3, rcRow.top + 5, rcRow.right + 3, rcRow.bottom + 1, COLOR_BTNHIGHLIGHT);
        } else {
            DrawLine(pDC, rcRow.left + 4, rcControl.top - 4, rcRow.right - 4, rcControl.top - 4, 39);
            if (bHighlight)
                DrawLine(pDC, rcRow.left + 5, rcControl.top - 3, rcRow.right - 3, rcControl.top - 3,
                    COLOR_BTNHIGHLIGHT);
        }
    } else if (bWrap) {
        if (nPosition != tkpBarFloating) {
            DrawLine(pDC, rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 4, 39);
            DrawLine(pDC, rcRow.left + 5, rcRow.top - 3, rcRow.right + 1, rcRow.top - 3, COLOR_BTNHIGHLIGHT);
        }
    } else {
        DrawLine(pDC, rcControl.left - 4, rcRow.top + 4, rcControl.left - 4, rcRow.bottom - 4, 39);
        if (bHighlight)
            DrawLine(pDC, rcControl.left - 3, rcRow.top + 5, rcControl.left - 3, rcRow.bottom - 3, COLOR_BTNHIGHLIGHT);
    }
    return CSize(0, 0);
}

CSize CTKPGradientBarTheme::DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw)
{
    const int nHeight = std::max(25, m_nPopupItemHeight + 6);
    if (bDraw) {
        CRect rc;
        pBar->GetClientRect(&rc);
        rc.DeflateRect(3, 3);
        rc.bottom = std::min<int>(rc.bottom, rc.top + nHeight);
        CTKPDrawingHelper::FillColorGradient(pDC, rc, &m_grcToolBar, FALSE);
        for (int y = rc.top + 4; y < rc.top + nHeight - 5; y += 4) {
            pDC->FillSolidRect(CRect(6, y + 1, 8, y + 3), GetColor(COLOR_BTNHIGHLIGHT));
            pDC->FillSolidRect(CRect(5, y, 7, y + 2), GetColor(38));
        }
    }
    return CSize(8, nHeight);
}

CSize CTKPGradientBarTheme::DrawPopupBarHandle(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw)
{
    if (!bDraw)
        return CSize(0, 9);
    const CRect rcHandle = FillPopupHandleStrip(pDC, rc, 32, bHot, m_clrPopupHandle.GetEffective());
    for (int x = rcHandle.left + 3; !rcHandle.IsRectEmpty() && x < rcHandle.right; x += 4) {
        pDC->FillSolidRect(CRect(x - 2, rc.top + 5, x, rc.top + 7), GetColor(COLOR_BTNHIGHLIGHT));
        pDC->FillSolidRect(CRect(x - 3, rc.top + 4, x - 1, rc.top + 6), GetColor(38));
    }
    return CSize(0, 9);
}

void CTKPGradientBarTheme::GetBarBorders(CRect& rcBorders, CTKPCommandBar* pBar)
{
    const int nPosition = pBar != NULL ? pBar->GetPosition() : tkpBarNone;
    if (nPosition == tkpBarTop || nPosition == tkpBarBottom)
        rcBorders.SetRect(4, 2, 2, 2);
    else
        rcBorders.SetRect(2, 2, 2, 2);
}

// --- Status bar ---------------------------------------------------------------------------------

void CTKPGradientBarTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc)
{
    const COLORREF clr = m_clrStatusPane.GetEffective();
    pDC->Draw3dRect(rc, clr, clr);
}

void CTKPGradientBarTheme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (m_themeStatusBar.IsAppThemed()) {
        CRect rc(rcClient.right - 18, rcClient.top, rcClient.right, rcClient.bottom);
        m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), 3, 0, rc, NULL);
        return;
    }
    const int W = rcClient.right, H = rcClient.bottom;
    for (int group = 0; group < 3; ++group) {
        for (int k = 0; k < 3; ++k) {
            const int d = group * 5 + k + 2;
            DrawLine(pDC, W - d, H - 1, W, H - 1 - d, COLOR_BTNSHADOW);
        }
        const int d = group * 5 + 5;
        DrawLine(pDC, W - d, H - 1, W, H - 1 - d, COLOR_BTNHIGHLIGHT);
    }
}

// --- The bars' own buttons ----------------------------------------------------------------------

void CTKPGradientBarTheme::DrawExpandGlyph(CDC* pDC, CTKPCommandBar* pBar, CRect rc, BOOL bHiddenControls, COLORREF clr)
{
    const BOOL bHorz = pBar->IsHorizontal() && pBar->GetPosition() != tkpBarPopup;
    const int x = rc.left, y = rc.top;
    CTKPPenSelector pen(pDC->GetSafeHdc(), clr);
    if (bHorz) {
        const int cx = (rc.left + rc.right) / 2;
        DrawLine(pDC, cx - 2, rc.bottom - 10, cx + 3, rc.bottom - 10);
        DrawTriangle(pDC, CPoint(cx - 2, rc.bottom - 7), CPoint(cx + 2, rc.bottom - 7), CPoint(cx, rc.bottom - 5), clr);
        if (bHiddenControls) {
            DrawTriangle(pDC, CPoint(x + 3, y + 5), CPoint(x + 4, y + 6), CPoint(x + 3, y + 7), clr);
            DrawTriangle(pDC, CPoint(x + 7, y + 5), CPoint(x + 8, y + 6), CPoint(x + 7, y + 7), clr);
        }
    } else {
        const int cy = (rc.top + rc.bottom) / 2;
        DrawLine(pDC, rc.right - 10, cy - 2, rc.right - 10, cy + 3);
        DrawTriangle(pDC, CPoint(rc.right - 5, cy), CPoint(rc.right - 7, cy - 2), CPoint(rc.right - 7, cy + 2), clr);
        if (bHiddenControls) {
            DrawTriangle(pDC, CPoint(x + 5, y + 3), CPoint(x + 6, y + 4), CPoint(x + 7, y + 3), clr);
            DrawTriangle(pDC, CPoint(x + 5, y + 7), CPoint(x + 6, y + 8), CPoint(x + 7, y + 7), clr);
        }
    }
}

CSize CTKPGradientBarTheme::DrawSpecialControl(CDC* pDC, int nKind, CTKPControl* pButton, CTKPCommandBar* pBar,
    BOOL bDraw, CSize szBar, LPARAM lParam)
{
    if (nKind == specialToolbarExpand) {
        const BOOL bHorz = pBar != NULL && pBar->IsHorizontal() && pBar->GetPosition() != tkpBarPopup;
        if (!bDraw) {
            if (bHorz)
                pButton->SetRect(CRect(szBar.cx - 12, 1, szBar.cx, szBar.cy));
            else
                pButton->SetRect(CRect(0, szBar.cy - 12, szBar.cx, szBar.cy));
            return CSize(0, 0);
        }
        const CRect rc = pButton->GetRect();
        CTKPDrawingHelper::ExcludeCorners(pDC, rc);
        const BOOL bOpen = IsPopupOpen(pButton);
        const BOOL bSelected = pButton->GetSelected() != 0;
        if (!bOpen) {
            if (bSelected) {
                if (m_bSchemeActive)
                    CTKPDrawingHelper::FillColorGradient(pDC, rc, &m_grcHot, !bHorz);
                else
                    pDC->FillSolidRect(rc, GetColor(31));
            } else {
                CTKPDrawingHelper::FillColorGradient(pDC, rc, &m_grcToolBarExpand, !bHorz);
            }
        } else if (m_bSchemeActive) {
            CTKPColorGradient grcOpen;
            grcOpen.SetStandardValues(0x4B8EFE, 0x8BCFFF, 0.5f);
            CTKPDrawingHelper::FillColorGradient(pDC, rc, &grcOpen, !bHorz);
        } else {
            pDC->FillSolidRect(rc, GetColor(36));
        }
        pDC->SelectClipRgn(NULL);
        CRect rcShadow = rc;
        rcShadow.OffsetRect(1, 1);
        DrawExpandGlyph(pDC, pBar, rcShadow, lParam != 0, GetColor(COLOR_BTNHIGHLIGHT));
        DrawExpandGlyph(pDC, pBar, rc, lParam != 0, GetColor(bSelected && !bOpen ? 45 : 46));
        return CSize(0, 0);
    }
    if (nKind == specialPopupExpand) {
        if (bDraw) {
            DrawControlFace(pDC, pButton);
            const CRect rc = pButton->GetRect();
            const int cx = (rc.left + rc.right) / 2, t = rc.top;
            if (m_ilExpand.GetSafeHandle() != NULL)
                m_ilExpand.Draw(pDC, 0, CPoint(cx - 7, t + 1), ILD_NORMAL);
            CTKPPenSelector pen(pDC->GetSafeHdc(), pDC->GetTextColor());
            for (int dy = 0; dy <= 4; dy += 4) {
                const int y = t + 6 + dy;
                POINT a[] = {{cx - 2, y}, {cx, y + 2}, {cx + 3, y - 1}};
                POINT b[] = {{cx - 2, y + 1}, {cx, y + 3}, {cx + 3, y}};
                pDC->Polyline(a, 3);
                pDC->Polyline(b, 3);
            }
        }
        return CSize(0, 18);
    }
    return CTKPFlatBarTheme::DrawSpecialControl(pDC, nKind, pButton, pBar, bDraw, szBar, lParam);
}
