#include "toolkit/controls/FlatComboBoxTheme.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/SharedMetrics.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/FlatComboBox.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CTKFlatComboBoxThemeFactory, CTKThemeManagerStyleFactory)

CTKThemeManagerStyle* CTKFlatComboBoxThemeFactory::CreateTheme(int nTheme)
{
    CTKThemeManagerStyle* pStyle;
    if (nTheme == 1)
        pStyle = new CTKFlatComboBoxThemeFlat;
    else if (nTheme == 2)
        pStyle = new CTKFlatComboBoxThemeGradient;
    else
        pStyle = new CTKFlatComboBoxTheme;
    pStyle->m_nTheme = nTheme;
    return pStyle;
}

CTKFlatComboBoxTheme::CTKFlatComboBoxTheme()
    : m_nDropButtonWidth(15), m_cxHThumb(0), m_cyVThumb(0), m_cxBorder(1), m_cyBorder(1), m_cxEdge(2), m_cyEdge(2)
{}

void CTKFlatComboBoxTheme::RefreshMetrics()
{
    m_cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    m_cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    m_cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m_cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);

    TEXTMETRICW tm = {};
    HDC hdc = ::GetDC(NULL);
    {
        CTKPFontSelector font(hdc, static_cast<HFONT>(GetSharedMetrics()->m_fontNormal.GetSafeHandle()));
        ::GetTextMetricsW(hdc, &tm);
    }
    ::ReleaseDC(NULL, hdc);
    m_nDropButtonWidth = std::max<int>(15, 2 * tm.tmAveCharWidth + 4);
}

CRect CTKFlatComboBoxTheme::GetTextRect(const CRect& rcClient, int nState) const
{
    CRect rect = rcClient;
    rect.DeflateRect(m_cxEdge + m_cxBorder, m_cyEdge + m_cyBorder);
    rect.right -= m_nDropButtonWidth + ((nState == 2 || nState == 3) ? 1 : 0);
    return rect;
}

void CTKFlatComboBoxTheme::DrawFrame(CDC* pDC, CTKFlatComboBox* pCombo, int nState)
{
    CRect rcClient;
    pCombo->GetClientRect(&rcClient);
    CRect rcInner = rcClient;
    rcInner.DeflateRect(m_cxEdge, m_cyEdge);

    if (pCombo->IsWindowEnabled()) {
        pDC->FillSolidRect(&rcInner, tkcolor::Get(tkcolor::Window));
        if (nState == 2 || nState == 3)
            DrawActiveFrame(pDC, rcClient);
        else
            DrawIdleFrame(pDC, rcClient);
        // A list without an edit field shows its text on the control's own background.
        if (static_cast<int>(pCombo->SendMessage(CB_GETEDITSEL, 0, 0)) == -1) {
            const COLORREF clrBack = pCombo->GetBackColor();
            const CRect rcText = GetTextRect(rcClient, nState);
            pDC->FillSolidRect(&rcText, clrBack == (COLORREF)-1 ? tkcolor::Get(tkcolor::Window) : clrBack);
        }
    } else {
        pDC->FillSolidRect(&rcInner, tkcolor::Get(tkcolor::DisabledFill));
        const COLORREF clrFrame = tkcolor::Get(tkcolor::DisabledBorder);
        pDC->Draw3dRect(&rcClient, clrFrame, clrFrame);
    }
    DrawDropButton(pDC, rcInner, nState, pCombo);
}

void CTKFlatComboBoxTheme::DrawActiveFrame(CDC* pDC, const CRect& rcClient)
{
    pDC->Draw3dRect(&rcClient, tkcolor::Get(tkcolor::Shadow), tkcolor::Get(tkcolor::Hilite));
}

void CTKFlatComboBoxTheme::DrawDropButton(CDC* pDC, CRect rect, int nState, CTKFlatComboBox* pCombo)
{
    DrawButtonFace(pDC, rect, nState, pCombo);
    const int nShift = GetArrowShift(nState);
    const int x = (rect.left + rect.right - 4) / 2 + nShift;
    const int y = (rect.top + rect.bottom - 2) / 2 + nShift;
    const COLORREF clr = (pCombo == NULL || pCombo->IsWindowEnabled()) ? tkcolor::Get(tkcolor::WindowText)
                                                                       : tkcolor::Get(tkcolor::Shadow);
    // Rows of 5, 3 and 1 pixels.
    pDC->FillSolidRect(x, y, 5, 1, clr);
    pDC->FillSolidRect(x + 1, y + 1, 3, 1, clr);
    pDC->FillSolidRect(x + 2, y + 2, 1, 1, clr);
}

void CTKFlatComboBoxTheme::DrawButtonFace(CDC* pDC, CRect& rect, int nState, CTKFlatComboBox*)
{
    rect.left = rect.right - m_nDropButtonWidth + 4;
    const COLORREF clrFace = tkcolor::Get(tkcolor::Face);
    if (nState == 2 || nState == 3) {
        if (nState == 2)
            pDC->Draw3dRect(&rect, tkcolor::Get(tkcolor::Hilite), tkcolor::Get(tkcolor::Shadow));
        else
            pDC->Draw3dRect(&rect, tkcolor::Get(tkcolor::Shadow), tkcolor::Get(tkcolor::Hilite));
        rect.InflateRect(1, 1);
        pDC->Draw3dRect(&rect, clrFace, clrFace);
        rect.DeflateRect(2, 2);
        pDC->FillSolidRect(&rect, clrFace);
    } else {
        rect.DeflateRect(1, 1);
        pDC->FillSolidRect(&rect, clrFace);
    }
}

// --- Flat ---------------------------------------------------------------------------------------------

void CTKFlatComboBoxThemeFlat::DrawActiveFrame(CDC* pDC, const CRect& rcClient)
{
    const COLORREF clr = tkcolor::Get(tkcolor::HotBorder);
    pDC->Draw3dRect(&rcClient, clr, clr);
}

void CTKFlatComboBoxThemeFlat::DrawIdleFrame(CDC* pDC, const CRect& rcClient)
{
    const COLORREF clr = tkcolor::Get(tkcolor::DisabledFill);
    pDC->Draw3dRect(&rcClient, clr, clr);
}

COLORREF CTKFlatComboBoxThemeFlat::GetSeparatorColor() const
{
    return tkcolor::Get(tkcolor::HotBorder);
}

void CTKFlatComboBoxThemeFlat::DrawButtonFace(CDC* pDC, CRect& rect, int nState, CTKFlatComboBox*)
{
    rect.left = rect.right - m_nDropButtonWidth + 2;
    if (nState == 2 || nState == 3) {
        pDC->FillSolidRect(&rect, tkcolor::Get(nState == 2 ? tkcolor::HotFill : tkcolor::PressedFill));
        pDC->FillSolidRect(rect.left - 1, rect.top, 1, rect.Height(), GetSeparatorColor());
    } else {
        rect.DeflateRect(1, 1);
        pDC->FillSolidRect(&rect, tkcolor::Get(tkcolor::Face));
    }
}

// --- Gradient -----------------------------------------------------------------------------------------

void CTKFlatComboBoxThemeGradient::DrawActiveFrame(CDC* pDC, const CRect& rcClient)
{
    const COLORREF clr = tkcolor::GetScheme(tkcolor::HotBorder);
    pDC->Draw3dRect(&rcClient, clr, clr);
}

COLORREF CTKFlatComboBoxThemeGradient::GetSeparatorColor() const
{
    return tkcolor::GetScheme(tkcolor::HotBorder);
}

void CTKFlatComboBoxThemeGradient::DrawButtonFace(CDC* pDC, CRect& rect, int nState, CTKFlatComboBox* pCombo)
{
    rect.left = rect.right - m_nDropButtonWidth + 2;
    if (nState == 2 || nState == 3) {
        const tkcolor::Gradient gradient = nState == 2 ? tkcolor::HotButton : tkcolor::PressedButton;
        CTKPDrawingHelper::FillColorGradient(pDC, &rect, &tkcolor::GetGradient(gradient), FALSE);
        pDC->FillSolidRect(rect.left - 1, rect.top, 1, rect.Height(), GetSeparatorColor());
    } else if (pCombo == NULL || pCombo->IsWindowEnabled()) {
        rect.DeflateRect(1, 1);
        CTKPDrawingHelper::FillColorGradient(pDC, &rect, &tkcolor::GetGradient(tkcolor::IdleButton), FALSE);
    }
}
