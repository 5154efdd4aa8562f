#include "toolkit/commandbars/NativeBarTheme.h"

#include "classlib/win/CWinThread.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/DockBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CTKPNativeBarTheme, CTKPDefaultBarTheme)

namespace {

// Visual-style parts, states and properties.
enum {
    RP_BACKGROUND = 0,
    RP_GRIPPER_ = 1,
    RP_GRIPPERVERT_ = 2,
    RP_BAND_ = 3,
    TP_BUTTON_ = 1,
    TP_SPLITBUTTON_ = 3,
    TP_SPLITBUTTONDROPDOWN_ = 4,
    CP_DROPDOWNBUTTON_ = 1,
    SP_BACKGROUND = 0,
    SP_PANE_ = 1,
    SP_GRIPPERPANE_ = 2,
    SP_GRIPPER_ = 3,
    PROP_BORDERCOLOR = 3801,
    PROP_TEXTCOLOR = 3803,
    PROP_EDGESHADOWCOLOR = 3806,
    PROP_FILLCOLORHINT = 3821,
};

const int kSplitButtonDropWidth = 12;

BOOL IsPopupOpen(CTKPControl* pControl)
{
    return pControl != NULL && pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)) &&
        static_cast<CTKPControlPopup*>(pControl)->GetPopup();
}

}  // namespace

CTKPNativeBarTheme::CTKPNativeBarTheme() : m_clrRebarEdge(::GetSysColor(COLOR_BTNSHADOW)), m_bFlatMenus(TRUE)
{
    m_bFadedIcons = TRUE;
    m_bIconsWithShadow = FALSE;
    m_nPopupTextColor = COLOR_MENUTEXT;
}

CTKPNativeBarTheme::~CTKPNativeBarTheme()
{
    m_themeStatusBar.CloseThemeData();
    m_themeComboBox.CloseThemeData();
    m_themeToolbar.CloseThemeData();
    m_themeRebar.CloseThemeData();
}

BOOL CTKPNativeBarTheme::IsOpen(CTKPUxThemeWrapper& theme)
{
    return theme.GetThemeHandle() != NULL && theme.IsAppThemed();
}

void CTKPNativeBarTheme::RefreshColorsAndFonts()
{
    CTKPDefaultBarTheme::RefreshColorsAndFonts();

    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    const HWND hWnd = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    m_themeToolbar.OpenThemeData(hWnd, L"TOOLBAR");
    m_themeRebar.OpenThemeData(hWnd, L"REBAR");
    m_themeComboBox.OpenThemeData(hWnd, L"COMBOBOX");
    m_themeStatusBar.OpenThemeData(hWnd, L"STATUS");

    m_bFlatMenus = TRUE;
    if (!::SystemParametersInfoW(SPI_GETFLATMENU, 0, &m_bFlatMenus, 0))
        m_bFlatMenus = FALSE;

    COLORREF clr;
    if (SUCCEEDED(m_themeRebar.GetThemeColor(RP_BAND_, 0, PROP_EDGESHADOWCOLOR, &clr)))
        m_clrRebarEdge = clr;
    else
        m_clrRebarEdge = GetColor(COLOR_BTNSHADOW);
    if (SUCCEEDED(m_themeToolbar.GetThemeColor(0, 0, PROP_TEXTCOLOR, &clr)))
        m_arrColor[COLOR_BTNTEXT].SetStandardValue(clr);
    if (SUCCEEDED(m_themeRebar.GetThemeColor(RP_BACKGROUND, 0, PROP_FILLCOLORHINT, &clr)))
        m_arrColor[COLOR_BTNFACE].SetStandardValue(clr);
    if (SUCCEEDED(m_themeStatusBar.GetThemeColor(SP_PANE_, 0, PROP_TEXTCOLOR, &clr)))
        m_clrStatusText = clr;
}

// --- Buttons ------------------------------------------------------------------------------------

void CTKPNativeBarTheme::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
    BOOL bPopuped, BOOL bToolBar, int barPosition)
{
    if (!IsOpen(m_themeToolbar)) {
        CTKPDefaultBarTheme::DrawRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, bToolBar,
            barPosition);
        return;
    }
    int nState;
    if (!bEnabled)
        nState = bChecked ? 3 : 4;
    else if (bPopuped)
        nState = 3;
    else if (bChecked && !nPressed)
        nState = nSelected ? 6 : 5;
    else if ((nSelected && nPressed) || nPressed == 2)
        nState = 3;
    else
        nState = nSelected ? 2 : 1;
    m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON_, nState, &rc, NULL);
}

void CTKPNativeBarTheme::DrawSplitButtonFrame(CDC* pDC, CTKPControl* pButton, CRect rc)
{
    if (!IsOpen(m_themeToolbar)) {
        CTKPDefaultBarTheme::DrawSplitButtonFrame(pDC, pButton, rc);
        return;
    }
    const BOOL bEnabled = pButton->GetEnabled();
    const BOOL bSelected = pButton->GetSelected() != 0;
    const BOOL bPopuped = IsPopupOpen(pButton);
    int nState;
    if (!bEnabled)
        nState = 4;
    else if (pButton->GetPressed() && bSelected)
        nState = 3;
    else if (pButton->GetChecked())
        nState = 5;
    else if (bSelected || bPopuped)
        nState = 2;
    else
        nState = 1;
    const CRect rcMain(rc.left, rc.top, rc.right - kSplitButtonDropWidth, rc.bottom);
    const CRect rcDrop(rc.right - kSplitButtonDropWidth, rc.top, rc.right, rc.bottom);
    m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), TP_SPLITBUTTON_, nState, &rcMain, NULL);
    m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), TP_SPLITBUTTONDROPDOWN_, bPopuped ? 3 : nState, &rcDrop,
        NULL);
    pDC->SetTextColor(GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
}

// --- Backgrounds and grippers -------------------------------------------------------------------

void CTKPNativeBarTheme::FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pPatternWnd)
{
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    CRect rcPattern;
    pPatternWnd->GetWindowRect(&rcPattern);
    pWnd->ScreenToClient(&rcPattern);
    m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), RP_BACKGROUND, 0, &rcPattern, &rcClient);
}

void CTKPNativeBarTheme::DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar)
{
    if (!IsOpen(m_themeRebar)) {
        CTKPDefaultBarTheme::DrawBarBackground(pDC, pBar);
        return;
    }
    CRect rc;
    pBar->GetClientRect(&rc);
    const int nPosition = pBar->GetPosition();
    if (nPosition == tkpBarPopup) {
        pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
        if (m_bFlatMenus) {
            Draw3dRectangle(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
        } else {
            Draw3dRectangle(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
            rc.DeflateRect(1, 1);
            DrawRaisedFrame(pDC, rc);
        }
        return;
    }
    if (nPosition == tkpBarFloating) {
        CTKPDefaultBarTheme::DrawBarBackground(pDC, pBar);
        return;
    }
    CWnd* pParent = pBar->GetParent();
    if (nPosition == tkpBarTop && pParent != NULL && pParent->GetSafeHwnd() != NULL)
        FillRebarBackground(pDC, pBar, pParent);
    else
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    pDC->Draw3dRect(rc, GetColor(COLOR_BTNHIGHLIGHT), m_clrRebarEdge);
}

void CTKPNativeBarTheme::DrawDockBarBackground(CDC* pDC, CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    const BOOL bTop =
        pWnd->IsKindOf(RUNTIME_CLASS(CTKPDockBar)) && static_cast<CTKPDockBar*>(pWnd)->GetPosition() == tkpBarTop;
    if (bTop && IsOpen(m_themeRebar))
        m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), RP_BACKGROUND, 0, &rc, NULL);
    else
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
}

CSize CTKPNativeBarTheme::DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw)
{
    if (!IsOpen(m_themeRebar))
        return CTKPDefaultBarTheme::DrawPopupBarGripper(pDC, pBar, bDraw);
    const int nHeight = std::max<int>(22, m_nPopupItemHeight + 4);
    if (bDraw) {
        const CRect rc(2, 3, 8, nHeight);
        m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), RP_GRIPPER_, 1, &rc, NULL);
    }
    return CSize(8, nHeight);
}

CSize CTKPNativeBarTheme::DrawCommandBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->HasPopupGripper())
        return DrawPopupBarGripper(pDC, pBar, bDraw);
    if (!IsOpen(m_themeRebar))
        return CTKPDefaultBarTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    CRect rc;
    pBar->GetClientRect(&rc);
    switch (pBar->GetPosition()) {
    case tkpBarTop:
    case tkpBarBottom:
        if (bDraw) {
            const CRect rcGripper(rc.left + 2, rc.top, rc.left + 8, rc.bottom);
            m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), RP_GRIPPER_, 1, &rcGripper, NULL);
        }
        return CSize(8, 0);
    case tkpBarLeft:
    case tkpBarRight:
        if (bDraw) {
            const CRect rcGripper(rc.left, rc.top + 2, rc.right, rc.top + 8);
            m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), RP_GRIPPERVERT_, 1, &rcGripper, NULL);
        }
        return CSize(0, 8);
    case tkpBarFloating:
        return CTKPDefaultBarTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    }
    return CSize(0, 0);
}

void CTKPNativeBarTheme::AdjustExcludeRect(CRect& rc, CTKPControl* pControl, BOOL bVertical)
{
    if (!IsOpen(m_themeRebar)) {
        CTKPDefaultBarTheme::AdjustExcludeRect(rc, pControl, bVertical);
        return;
    }
    if (pControl != NULL && pControl->GetType() == tkpControlComboBox)
        return;
    CTKPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (pBar != NULL && pBar->GetType() == tkpBarTypePopup)
        rc.InflateRect(-3, 3);
}

// --- Edits and combo boxes ----------------------------------------------------------------------

void CTKPNativeBarTheme::DrawComboBoxFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (!IsOpen(m_themeComboBox)) {
        CTKPDefaultBarTheme::DrawComboBoxFrame(pDC, rc, bEnabled, nSelected);
        return;
    }
    COLORREF clrBorder;
    if (FAILED(m_themeComboBox.GetThemeColor(CP_DROPDOWNBUTTON_, bEnabled ? 1 : 4, PROP_BORDERCOLOR, &clrBorder)))
        clrBorder = GetColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(rc, clrBorder, clrBorder);
}

void CTKPNativeBarTheme::DrawComboBoxDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped)
{
    if (!IsOpen(m_themeComboBox)) {
        CTKPDefaultBarTheme::DrawComboBoxDropButton(pDC, rc, bEnabled, bSelected, bDropped);
        return;
    }
    rc.left -= 2;
    rc.top += 1;
    rc.right -= 1;
    rc.bottom -= 1;
    const int nState = !bEnabled ? 4 : (bDropped ? 3 : (bSelected ? 2 : 1));
    m_themeComboBox.DrawThemeBackground(pDC->GetSafeHdc(), CP_DROPDOWNBUTTON_, nState, &rc, NULL);
}

// --- Status bar ---------------------------------------------------------------------------------

void CTKPNativeBarTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc)
{
    DrawStatusBarPaneBorder(pDC, rc, FALSE);
}

void CTKPNativeBarTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane)
{
    if (!IsOpen(m_themeStatusBar)) {
        CTKPDefaultBarTheme::DrawStatusBarPaneBorder(pDC, rc);
        return;
    }
    m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), bGripperPane ? SP_GRIPPERPANE_ : SP_PANE_, 0, &rc, NULL);
}

void CTKPNativeBarTheme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (!IsOpen(m_themeStatusBar)) {
        CTKPDefaultBarTheme::DrawStatusBarGripper(pDC, rcClient);
        return;
    }
    const CRect rc(rcClient.right - 18, rcClient.top, rcClient.right, rcClient.bottom);
    m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), SP_GRIPPER_, 0, &rc, NULL);
}

void CTKPNativeBarTheme::FillStatusBar(CDC* pDC, CWnd* pWnd)
{
    if (!IsOpen(m_themeStatusBar)) {
        CTKPDefaultBarTheme::FillStatusBar(pDC, pWnd);
        return;
    }
    CRect rc;
    pWnd->GetClientRect(&rc);
    m_themeStatusBar.DrawThemeBackground(pDC->GetSafeHdc(), SP_BACKGROUND, 0, &rc, NULL);
}
