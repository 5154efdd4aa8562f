#include "toolkit/commandbars/FlatBarTheme.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ImageIcon.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CTKPFlatBarTheme, CTKPCommandBarsTheme)

namespace {

BOOL IsPopupOpen(CTKPControl* pControl)
{
    return pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)) && static_cast<CTKPControlPopup*>(pControl)->GetPopup();
}

// A default field width for edits and combo boxes whose own classes give none.
const int kDefaultFieldWidth = 100;

}  // namespace

CTKPFlatBarTheme::CTKPFlatBarTheme()
{
    m_bFadedIcons = TRUE;
    m_bUseDisabledIcons = TRUE;
    m_bIconsWithShadow = TRUE;
    m_bUseFadedDisabledIcons = TRUE;
}

// --- Faces --------------------------------------------------------------------------------------

void CTKPFlatBarTheme::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
    BOOL bPopuped, BOOL bToolBar, int barPosition)
{
    int nBorder = -1, nFill = -1;
    if (bEnabled) {
        if (bPopuped) {
            nBorder = 43;
            nFill = 30;
        } else if (bChecked && !nSelected && !nPressed) {
            nBorder = 50;
            nFill = 36;
        } else if (bChecked && nSelected && !nPressed) {
            nBorder = 37;
            nFill = 33;
        } else if (nPressed == 2 || (nSelected && nPressed)) {
            nBorder = 50;
            nFill = 33;
        } else if ((!nSelected && nPressed != 0 && nPressed != 2) || (nSelected && !nPressed && !bChecked)) {
            nBorder = 32;
            nFill = 31;
        }
    } else if (nSelected == 2) {
        nBorder = 32;
        nFill = barPosition == tkpBarPopup ? 41 : (bChecked ? 33 : 31);
    } else if (bChecked) {
        nBorder = 58;
        nFill = barPosition == tkpBarPopup ? -1 : 36;
    }
    if (nBorder != -1 || nFill != -1)
        DrawRectangleByIndex(pDC, rc, nBorder, nFill);
}

void CTKPFlatBarTheme::DrawControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked,
    BOOL bPopuped, int barPosition)
{
    DrawRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, TRUE, barPosition);
    int nText;
    if (!bEnabled)
        nText = 60;
    else if (bPopuped)
        nText = 46;
    else if (bChecked && !nSelected && !nPressed)
        nText = 45;
    else if (nPressed == 2)
        nText = 47;
    else if (nSelected)
        nText = (nPressed || bChecked) ? 47 : 45;
    else if (nPressed)
        nText = 45;
    else
        nText = barPosition == tkpBarPopup ? 44 : 46;
    pDC->SetTextColor(GetColor(nText));
    pDC->SetBkMode(TRANSPARENT);
}

void CTKPFlatBarTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CTKPImageIcon* pImage, int nSelected, int nPressed,
    BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBar)
{
    if (pImage == NULL)
        return;
    const int cx = sz.cx, cy = sz.cy;
    if (bEnabled) {
        if (bChecked) {
            pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), cx, cy);
        } else if (bPopuped) {
            pImage->Draw(pDC, pt, pImage->GetIcon(), cx, cy);
        } else if (nPressed < 0 || nPressed > 2) {
            // Nothing for pressed values the controls never set.
        } else if (!nSelected && !nPressed) {
            pImage->Draw(pDC, pt, m_bFadedIcons ? pImage->GetFadedIcon() : pImage->GetIcon(), cx, cy);
        } else if ((nSelected && nPressed) || (!nSelected && nPressed == 2)) {
            pImage->Draw(pDC, pt, pImage->GetHotIcon(), cx, cy);
        } else if (m_bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty()) {
            pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon(), cx, cy);
            pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), cx, cy);
        } else {
            pImage->Draw(pDC, pt, pImage->GetHotIcon(), cx, cy);
        }
        return;
    }
    if (!m_bUseDisabledIcons && !pImage->IsAlpha()) {
        pImage->DrawMonochrome(pDC, pt, pImage->GetIcon(), GetColor(40));
        return;
    }
    if (m_bUseFadedDisabledIcons && !pImage->HasDisabledIcon())
        pImage->CreateDisabledIcon(m_grcFace.m_clrLight.GetEffective(), m_grcFace.m_clrDark.GetEffective());
    pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), cx, cy);
}

// --- Backgrounds --------------------------------------------------------------------------------

int CTKPFlatBarTheme::GetPopupIconColumnWidth(CTKPCommandBar* pBar) const
{
    const CSize szIcon = pBar->GetIconSize();
    int nColumn = std::max<int>(szIcon.cx + 4, m_nPopupItemHeight + 4);
    if (pBar->IsDoubleColumn())
        nColumn *= 2;
    return nColumn + 1;
}

void CTKPFlatBarTheme::FillPopupIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    pDC->FillSolidRect(x, y, cx, cy, GetColor(bExpanded ? 42 : 30));
}

void CTKPFlatBarTheme::DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    const int w = rc.Width(), h = rc.Height();
    if (pBar->GetPosition() == tkpBarFloating) {
        CTKPPenSelector pen(pDC->GetSafeHdc(), GetColor(43));
        CTKPBrushSelector brush(pDC->GetSafeHdc(), GetColor(pBar->GetType() == tkpBarTypeMenuBar ? 15 : 30));
        pDC->Rectangle(rc);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        pDC->Rectangle(rcInner);
        const COLORREF clr = GetColor(43);
        pDC->SetPixel(2, 2, clr);
        pDC->SetPixel(w - 3, 2, clr);
        pDC->SetPixel(2, h - 3, clr);
        pDC->SetPixel(w - 3, h - 3, clr);
    } else if (pBar->GetType() == tkpBarTypeMenuBar) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    } else if (pBar->GetPosition() != tkpBarPopup) {
        pDC->FillSolidRect(rc, GetColor(30));
        Draw3dRectangle(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
        const COLORREF clr = GetColor(COLOR_BTNFACE);
        pDC->SetPixel(1, 1, clr);
        pDC->SetPixel(w - 2, 1, clr);
        pDC->SetPixel(1, h - 2, clr);
        pDC->SetPixel(w - 2, h - 2, clr);
    } else {
        DrawPopupBarBackground(pDC, pBar, GetColor(30));
    }
}

void CTKPFlatBarTheme::DrawPopupBarBackground(CDC* pDC, CTKPCommandBar* pBar, COLORREF clrOverlap)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    DrawRectangleByIndex(pDC, rc, 43, 41);
    if (pBar->GetType() == tkpBarTypePopup)
        FillPopupIconColumn(pDC, 1, 2, GetPopupIconColumnWidth(pBar), rc.Height() - 4, FALSE);
    // Where the popup overlaps the control that opened it, the two read as one shape.
    CTKPControlPopup* pControlPopup = pBar->GetControlPopup();
    CTKPCommandBar* pParent = pControlPopup != NULL ? pControlPopup->GetParent() : NULL;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    CRect rcControl = pControlPopup->GetRect();
    pParent->ClientToScreen(&rcControl);
    CRect rcWindow;
    pBar->GetWindowRect(&rcWindow);
    CRect rcOverlap;
    if (!rcOverlap.IntersectRect(rcControl, rcWindow))
        return;
    if (rcOverlap.Width() > 1)
        rcOverlap.DeflateRect(1, 0);
    if (rcOverlap.Height() > 1)
        rcOverlap.DeflateRect(0, 1);
    pBar->ScreenToClient(&rcOverlap);
    pDC->FillSolidRect(rcOverlap, clrOverlap);
}

// --- Popup items --------------------------------------------------------------------------------

CSize CTKPFlatBarTheme::DrawControlPopupParent(CDC* pDC, CTKPControl* pButton, BOOL bDraw)
{
    CTKPCommandBar* pBar = pButton->GetParent();
    if (pBar == NULL)
        return CSize(0, 0);
    const CSize szIcon = pBar->GetIconSize();
    const int nType = pButton->GetType();
    const int nStyle = pButton->GetStyle();
    const BOOL bDoubleColumn = pBar->IsDoubleColumn();
    const BOOL bShowImage = !((nStyle == 0 && nType == tkpControlPopup) || nStyle == 1);
    const int nSingleColumn = std::max<int>(szIcon.cx + 4, m_nPopupItemHeight + 4);
    const int nColumn = bDoubleColumn ? nSingleColumn * 2 : nSingleColumn;
    const int nItemHeight = std::max<int>(szIcon.cy + 6, m_nPopupItemHeight);
    const BOOL bEnabled = pButton->GetEnabled();
    const int nSelected = pButton->GetSelected();
    const BOOL bChecked = pButton->GetChecked() != 0;
    BOOL bCues = pBar->IsKeyboardCuesVisible();
    if (m_bShowKeyboardCues != -1)
        bCues = m_bShowKeyboardCues;

    CString strCaption = pButton->GetCaption();
    CString strStripped = strCaption;
    CTKPDrawingHelper::StripMnemonics(strStripped);
    const CString strShortcut = pButton->GetShortcutText();
    const int nShortcutWidth = strShortcut.IsEmpty() ? 0 : pDC->GetTextExtent(strShortcut).cx;

    const CRect rc = bDraw ? pButton->GetRect() : CRect(0, 0, 0, nItemHeight);
    if (bDraw) {
        if (pButton->IsRarelyUsed())
            FillPopupIconColumn(pDC, 1, rc.top, nColumn + 1, rc.Height(), TRUE);
        if (pButton->IsHighlighted())
            pDC->FillSolidRect(CRect(rc.left + nColumn + 3, rc.top, rc.right, rc.bottom), GetColor(56));
        else
            DrawRectangle(pDC, rc, nSelected, 0, bEnabled, FALSE, FALSE, FALSE, tkpBarPopup);

        const CRect rcCheck(CPoint(rc.left + (nSingleColumn - (szIcon.cx + 4)) / 2,
                                rc.top + (rc.Height() - (szIcon.cy + 4)) / 2),
            CSize(szIcon.cx + 4, szIcon.cy + 4));
        if (bChecked)
            DrawRectangle(pDC, rcCheck, nSelected, 0, bEnabled, TRUE, FALSE, FALSE, tkpBarPopup);

        CTKPImageIcon* pImage = bShowImage ? pButton->GetImage(szIcon.cx) : NULL;
        if (pImage != NULL) {
            const int cx = szIcon.cx;
            const int cy = pImage->GetWidth() > 0 ? pImage->GetHeight() * cx / pImage->GetWidth() : szIcon.cy;
            const int nColumnLeft = rc.left + (bDoubleColumn ? nSingleColumn : 0);
            const CPoint pt(nColumnLeft + (nSingleColumn - cx) / 2, rc.top + (rc.Height() - cy) / 2);
            DrawImage(pDC, pt, CSize(cx, cy), pImage, nSelected, 0, bEnabled, bChecked, FALSE, FALSE);
        }
        if (bChecked && (pImage == NULL || bDoubleColumn))
            DrawCheckMark(pDC, rcCheck, GetColor(bEnabled ? 0 : 40), pBar->IsLayoutRTL() ? 1 : 0);

        const COLORREF clrText = GetColor(bEnabled ? (nSelected ? 45 : 44) : 35);
        pDC->SetTextColor(clrText);
        pDC->SetBkMode(TRANSPARENT);
        if (TKPIsPopupType(nType)) {
            const int mid = (rc.top + rc.bottom) / 2;
            COLORREF clrTriangle = clrText;
            if (nType == tkpControlSplitButtonPopup && bEnabled) {
                if (nSelected && IsPopupOpen(pButton)) {
                    DrawRectangleByIndex(pDC,
                        CRect(rc.right - CTKPControlPopup::SPLIT_POPUP, rc.top, rc.right, rc.bottom), 32, 33);
                    clrTriangle = GetColor(47);
                } else {
                    DrawLine(pDC, rc.right - CTKPControlPopup::SPLIT_POPUP, rc.top + 1,
                        rc.right - CTKPControlPopup::SPLIT_POPUP, rc.bottom - 1, nSelected ? 32 : COLOR_BTNSHADOW);
                }
            }
            DrawTriangle(pDC, CPoint(rc.right - 11, mid - 3), CPoint(rc.right - 8, mid), CPoint(rc.right - 11, mid + 3),
                clrTriangle);
        }

        CRect rcText(rc.left + nColumn + 8, rc.top, rc.right - (strShortcut.IsEmpty() ? 0 : 19 + nShortcutWidth),
            rc.bottom);
        const UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (bCues ? 0 : DT_NOPREFIX);
        pDC->DrawText(bCues ? strCaption : strStripped, rcText, nFormat);
        if (!strShortcut.IsEmpty() && nType == tkpControlButton) {
            CRect rcShortcut(rc.left + nColumn + 8, rc.top, rc.right - 19, rc.bottom);
            pDC->DrawText(strShortcut, rcShortcut, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        }
    }

    const int nCaptionWidth = pDC->GetTextExtent(strStripped.IsEmpty() ? CString(L" ") : strStripped).cx;
    return CSize(nCaptionWidth + nShortcutWidth + nColumn + 40, nItemHeight);
}

CSize CTKPFlatBarTheme::DrawControlPopupListItem(CDC* pDC, CTKPControl* pButton, CRect rc, BOOL bSelected,
    LPCTSTR lpszCaption, CTKPCommandBars* pCommandBars)
{
    CSize szIcon(16, 16);
    if (pCommandBars != NULL && pCommandBars->GetOptions() != NULL && pCommandBars->GetOptions()->szPopupIcons.cx > 0)
        szIcon = pCommandBars->GetOptions()->szPopupIcons;
    const int nColumn = std::max<int>(szIcon.cx + 4, m_nPopupItemHeight + 4);
    const int nItemHeight = std::max<int>(szIcon.cy + 6, m_nPopupItemHeight);
    if (lpszCaption == NULL)
        return CSize(nColumn, nItemHeight);

    pDC->FillSolidRect(rc, GetColor(41));
    FillPopupIconColumn(pDC, 0, rc.top, nColumn + 1, rc.Height(), FALSE);
    if (bSelected)
        DrawRectangle(pDC, rc, TRUE, 0, TRUE, FALSE, FALSE, FALSE, tkpBarPopup);

    if (pButton != NULL) {
        CTKPImageIcon* pImage = pButton->GetImage(szIcon.cx);
        if (pImage != NULL) {
            const int cx = szIcon.cx;
            const int cy = pImage->GetWidth() > 0 ? pImage->GetHeight() * cx / pImage->GetWidth() : szIcon.cy;
            DrawImage(pDC, CPoint(rc.left + (nColumn - cx) / 2, rc.top + (rc.Height() - cy) / 2), CSize(cx, cy), pImage,
                bSelected, 0, TRUE, FALSE, FALSE, FALSE);
        }
    }

    const COLORREF clrText = GetColor(bSelected ? 45 : 44);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    CString strCaption = lpszCaption;
    if (pCommandBars != NULL && pCommandBars->IsLayoutRTL())
        UpdateRTLCaption(strCaption);
    {
        CTKPFontSelector font(pDC, &m_fontRegular);
        CRect rcText(rc.left + nColumn + 8, rc.top, rc.right, rc.bottom);
        pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }

    const int nType = pButton != NULL ? pButton->GetType() : tkpControlButton;
    const int mid = (rc.top + rc.bottom) / 2;
    if (TKPIsPopupType(nType)) {
        DrawTriangle(pDC, CPoint(rc.right - 7, mid), CPoint(rc.right - 12, mid - 5), CPoint(rc.right - 12, mid + 5),
            clrText);
        if (nType == tkpControlSplitButtonPopup)
            DrawLine(pDC, rc.right - 20, rc.top + 1, rc.right - 20, rc.bottom - 1, bSelected ? 32 : COLOR_BTNSHADOW);
    } else if (nType == tkpControlComboBox || nType == tkpControlEdit) {
        CRect rcField(rc.right - kDefaultFieldWidth, rc.top + 2, rc.right - 2, rc.bottom - 2);
        pDC->FillSolidRect(rcField, GetColor(COLOR_WINDOW));
        DrawRectangleByIndex(pDC, rcField, bSelected ? 32 : COLOR_BTNFACE, -1);
        if (nType == tkpControlComboBox) {
            CRect rcButton(rcField.right - 15, rcField.top, rcField.right, rcField.bottom);
            if (bSelected)
                DrawRectangle(pDC, rcButton, TRUE, 0, TRUE, FALSE, FALSE, FALSE, tkpBarPopup);
            else
                pDC->FillSolidRect(CRect(rcButton.left + 2, rcButton.top + 2, rcButton.right - 2, rcButton.bottom - 2),
                    GetColor(COLOR_BTNFACE));
            DrawDropDownGlyph(pDC, rcButton, GetColor(bSelected ? 45 : 46));
        }
    }
    return CSize(nColumn, nItemHeight);
}

// --- Edits and combo boxes ----------------------------------------------------------------------

CSize CTKPFlatBarTheme::DrawEditOrCombo(CDC* pDC, CTKPControl* pControl, BOOL bDraw, BOOL bCombo)
{
    CTKPCommandBar* pBar = pControl->GetParent();
    const BOOL bPopup = pBar != NULL && pBar->GetType() == tkpBarTypePopup;
    CTKPFontSelector font(pDC, &m_fontRegular);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);

    int nLabelWidth = 0;
    const CString strCaption = pControl->GetCaption();
    // The label's "&" marks its mnemonic: it is underlined or left out, never drawn or measured.
    CString strStripped = strCaption;
    CTKPDrawingHelper::StripMnemonics(strStripped);
    const BOOL bLabel = bPopup || pControl->GetLabelSetting() == 1;
    if (bLabel) {
        nLabelWidth = pDC->GetTextExtent(strStripped.IsEmpty() ? CString(L" ") : strStripped).cx;
        if (bPopup && pBar != NULL)
            nLabelWidth += GetPopupIconColumnWidth(pBar) + 12;
    }
    const int nButtonWidth = std::max<int>(15, 2 * tm.tmAveCharWidth + 4);
    const int nFieldHeight = tm.tmHeight;
    pControl->SetMeasuredWidths(nLabelWidth, bCombo ? nButtonWidth : 0);
    const int nFieldWidth = pControl->GetEditWidth() > 0 ? pControl->GetEditWidth() : kDefaultFieldWidth;
    if (!bDraw)
        return CSize(nLabelWidth + nFieldWidth, nFieldHeight + 7);

    const CRect rc = pControl->GetRect();
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    if (bLabel) {
        if (bPopup && bEnabled && nSelected)
            DrawRectangle(pDC, rc, nSelected, 0, TRUE, FALSE, FALSE, FALSE, tkpBarPopup);
        if (bPopup)
            pDC->SetTextColor(GetColor(!bEnabled ? 35 : (nSelected ? 45 : 44)));
        else
            pDC->SetTextColor(GetColor(!bEnabled ? 60 : 46));
        pDC->SetBkMode(TRANSPARENT);
        CRect rcLabel(rc.left + (bPopup && pBar ? GetPopupIconColumnWidth(pBar) + 8 : 0), rc.top,
            rc.left + nLabelWidth, rc.bottom);
        BOOL bCues = pBar != NULL ? pBar->IsKeyboardCuesVisible() : TRUE;
        if (m_bShowKeyboardCues != -1)
            bCues = m_bShowKeyboardCues;
        pDC->DrawText(bCues ? strCaption : strStripped, rcLabel,
            DT_SINGLELINE | DT_VCENTER | (bCues ? 0 : DT_NOPREFIX));
    }
    CRect rcField(rc.left + nLabelWidth, rc.top + 3, rc.right - 3, rc.bottom - 3);
    if (bEnabled) {
        pDC->FillSolidRect(rcField, GetColor(COLOR_WINDOW));
        DrawRectangleByIndex(pDC, rcField, nSelected ? 32 : 53, -1);
    } else {
        pDC->FillSolidRect(rcField, GetColor(COLOR_BTNFACE));
        DrawRectangleByIndex(pDC, rcField, nSelected == 2 ? 32 : 40, -1);
    }
    if (bCombo) {
        CRect rcButton(rcField.right - nButtonWidth, rcField.top, rcField.right, rcField.bottom);
        pControl->DrawEditAreaText(pDC, CRect(rcField.left + 3, rcField.top + 1, rcButton.left + 1, rcField.bottom - 1));
        const BOOL bDropped = IsPopupOpen(pControl);
        if (bEnabled && (bDropped || nSelected))
            DrawRectangleByIndex(pDC, rcButton, 32, bDropped ? 33 : 31);
        const int nGlyph = !bEnabled ? 40 : (bDropped ? 47 : (nSelected ? 45 : 46));
        DrawDropDownGlyph(pDC, rcButton, GetColor(nGlyph));
    }
    return CSize(rc.Width(), rc.Height());
}

CSize CTKPFlatBarTheme::DrawControlEdit(CDC* pDC, CTKPControl* pEdit, BOOL bDraw)
{
    return DrawEditOrCombo(pDC, pEdit, bDraw, FALSE);
}

CSize CTKPFlatBarTheme::DrawControlComboBox(CDC* pDC, CTKPControl* pComboBox, BOOL bDraw)
{
    return DrawEditOrCombo(pDC, pComboBox, bDraw, TRUE);
}

// --- Grippers, separators, handles --------------------------------------------------------------

int CTKPFlatBarTheme::GetFloatingCaptionHeight(CDC* pDC)
{
    CTKPFontSelector font(pDC, &m_fontSmCaption);
    return std::max<int>(pDC->GetTextExtent(CString(L" ")).cy, 15);
}

CSize CTKPFlatBarTheme::DrawFloatingCaption(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw, COLORREF clrFill)
{
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    const int nBand = GetFloatingCaptionHeight(pDC);
    CRect rcBand(3, 3, rcClient.Width() - 3, nBand + 3);
    if (bDraw) {
        pDC->FillSolidRect(rcBand, clrFill);
        CTKPFontSelector font(pDC, &m_fontSmCaption);
        pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        pDC->SetBkMode(TRANSPARENT);
        CRect rcText(5, 3, (rcClient.Width() - 3) - 2 * nBand, rcBand.bottom);
        pDC->DrawText(pBar->GetTitle(), rcText, DT_SINGLELINE | DT_VCENTER);
    }
    return CSize(rcBand.Width(), nBand);
}

CSize CTKPFlatBarTheme::DrawCommandBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->HasPopupGripper())
        return DrawPopupBarGripper(pDC, pBar, bDraw);
    CRect rc;
    pBar->GetClientRect(&rc);
    switch (pBar->GetPosition()) {
    case tkpBarTop:
    case tkpBarBottom:
        if (bDraw) {
            CTKPPenSelector pen(pDC->GetSafeHdc(), GetColor(38));
            for (int y = 5; y < rc.Height() - 5; y += 2)
                DrawLine(pDC, 3, y, 6, y);
        }
        return CSize(6, 0);
    case tkpBarLeft:
    case tkpBarRight:
        if (bDraw) {
            CTKPPenSelector pen(pDC->GetSafeHdc(), GetColor(38));
            for (int x = 5; x < rc.Width() - 5; x += 2)
                DrawLine(pDC, x, 3, x, 6);
        }
        return CSize(0, 8);
    case tkpBarFloating:
        return DrawFloatingCaption(pDC, pBar, bDraw, GetColor(COLOR_BTNSHADOW));
    }
    return CSize(0, 0);
}

CSize CTKPFlatBarTheme::DrawControlSeparator(CDC* pDC, CTKPCommandBar* pBar, CTKPControl* pControl, BOOL bDraw)
{
    const BOOL bPopup = pBar->GetType() == tkpBarTypePopup;
    if (!bDraw)
        return bPopup ? CSize(3, 3) : CSize(6, 6);
    if (pControl == NULL)
        return CSize(0, 0);
    CTKPPenSelector pen(pDC->GetSafeHdc(), GetColor(39));
    const CRect rcControl = pControl->GetRect();
    const CRect rcRow = pControl->GetRowRect();
    if (bPopup) {
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        DrawLine(pDC, GetPopupIconColumnWidth(pBar) - 1 + 9, rcControl.top - 2, rcClient.right - 1, rcControl.top - 2);
    } else if (pBar->GetPosition() == tkpBarLeft || pBar->GetPosition() == tkpBarRight) {
        if (pControl->GetWrap())
            DrawLine(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.right + 2, rcRow.bottom);
        else
            DrawLine(pDC, rcRow.left, rcControl.top - 4, rcRow.right, rcControl.top - 4);
    } else {
        if (pControl->GetWrap())
            DrawLine(pDC, rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 4);
        else
            DrawLine(pDC, rcControl.left - 4, rcRow.top, rcControl.left - 4, rcRow.bottom);
    }
    return CSize(0, 0);
}

void CTKPFlatBarTheme::AdjustExcludeRect(CRect& rc, CTKPControl* pControl, BOOL bVertical)
{
    CTKPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == tkpBarTypePopup) {
        rc.InflateRect(1, 0);
    } else if (pControl->GetType() != tkpControlComboBox) {
        if (bVertical)
            rc.DeflateRect(1, 0);
        else
            rc.DeflateRect(0, 1);
    }
}

void CTKPFlatBarTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc)
{
    Draw3dRectangle(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
}

CRect CTKPFlatBarTheme::FillPopupHandleStrip(CDC* pDC, CRect rc, int nMaxHalf, BOOL bHot, COLORREF clrHandle)
{
    CRect rcFill(rc.left + 1, rc.top + 1, rc.right + 1, rc.top + 9 + 1);
    pDC->FillSolidRect(rcFill, GetColor(41));
    rcFill.DeflateRect(1, 1);
    const int cx = (rc.left + rc.right) / 2;
    const int half = std::min(rc.Width() / 2 - 10, nMaxHalf);
    if (half <= 0)
        return CRect(0, 0, 0, 0);
    const CRect rcHandle(cx - half, rcFill.top, cx + half, rcFill.bottom);
    if (bHot)
        DrawRectangleByIndex(pDC, rcHandle, 32, 31);
    else
        pDC->FillSolidRect(rcHandle, clrHandle);
    return rcHandle;
}

CSize CTKPFlatBarTheme::DrawPopupBarHandle(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw)
{
    if (!bDraw)
        return CSize(0, 9);
    const CRect rcHandle = FillPopupHandleStrip(pDC, rc, 16, bHot, GetColor(30));
    if (rcHandle.IsRectEmpty())
        return CSize(0, 9);
    const int nColor = bHot ? 45 : 38;
    for (int y : bHot ? std::vector<int>{4, 6} : std::vector<int>{3, 5, 7})
        DrawLine(pDC, rcHandle.left + 2, rc.top + y, rcHandle.right - 2, rc.top + y, nColor);
    return CSize(0, 9);
}

CSize CTKPFlatBarTheme::DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw)
{
    const int nHeight = std::max(22, m_nPopupItemHeight + 4);
    if (bDraw) {
        CTKPPenSelector pen(pDC->GetSafeHdc(), GetColor(38));
        for (int y = 6; y < nHeight - 2; y += 2)
            DrawLine(pDC, 3, y, 6, y);
    }
    return CSize(6, nHeight);
}
