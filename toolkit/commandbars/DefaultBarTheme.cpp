#include "toolkit/commandbars/DefaultBarTheme.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ImageIcon.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CTKPDefaultBarTheme, CTKPCommandBarsTheme)

namespace {

// The field width of an edit or combo-box control that does not say its own.
const int kDefaultFieldWidth = 100;
// The drop-down part of a split button on a bar, and of a split item in a popup.
const int kSplitButtonDropWidth = 12;
const int kSplitPopupDropWidth = 20;

BOOL IsPopupOpen(CTKPControl* pControl)
{
    return pControl != NULL && pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)) &&
        static_cast<CTKPControlPopup*>(pControl)->GetPopup();
}

BOOL IsPopupBar(CTKPCommandBar* pBar)
{
    return pBar != NULL && pBar->GetType() == tkpBarTypePopup;
}

}  // namespace

CTKPDefaultBarTheme::CTKPDefaultBarTheme() : m_bSelectionFill(FALSE), m_nPopupTextColor(COLOR_BTNTEXT)
{
    m_bFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
}

// --- Primitives ---------------------------------------------------------------------------------

void CTKPDefaultBarTheme::FillCheckedPattern(CDC* pDC, CRect rc)
{
    static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, kRows);
    HBRUSH hBrush = ::CreatePatternBrush(hPattern);
    HDC hdc = pDC->GetSafeHdc();
    const COLORREF clrOldBk = ::SetBkColor(hdc, GetColor(COLOR_BTNFACE));
    const COLORREF clrOldText = ::SetTextColor(hdc, GetColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ hOld = ::SelectObject(hdc, hBrush);
    ::PatBlt(hdc, rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    ::SelectObject(hdc, hOld);
    ::SetBkColor(hdc, clrOldBk);
    ::SetTextColor(hdc, clrOldText);
    ::DeleteObject(hBrush);
    ::DeleteObject(hPattern);
}

BOOL CTKPDefaultBarTheme::AreCuesVisible(CTKPCommandBar* pBar) const
{
    if (m_bShowKeyboardCues != -1)
        return m_bShowKeyboardCues;
    return pBar != NULL ? pBar->IsKeyboardCuesVisible() : TRUE;
}

UINT CTKPDefaultBarTheme::PrepareCaption(CString& strCaption, BOOL bCues) const
{
    if (bCues)
        return 0;
    CTKPDrawingHelper::StripMnemonics(strCaption);
    return DT_NOPREFIX;
}

CSize CTKPDefaultBarTheme::DrawControlTextLine(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
    int nSelected, BOOL bEnabled)
{
    nFormat |= DT_SINGLELINE | DT_VCENTER;
    if (!bDraw) {
        CRect rcCalc(0, 0, 0, 0);
        pDC->DrawText(strText, &rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        return CSize(rcCalc.Width(), rcCalc.Height());
    }
    if (!bEnabled && !nSelected) {
        const COLORREF clrOld = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rcEmboss = rc;
        rcEmboss.OffsetRect(1, 1);
        pDC->DrawText(strText, &rcEmboss, nFormat);
        pDC->SetTextColor(clrOld);
    }
    const int nHeight = pDC->DrawText(strText, &rc, nFormat);
    return CSize(rc.Width(), nHeight);
}

// --- Button frames ------------------------------------------------------------------------------

void CTKPDefaultBarTheme::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
    BOOL bPopuped, BOOL bToolBar, int barPosition)
{
    if (bEnabled && bChecked) {
        if (!nSelected && !nPressed)
            FillCheckedPattern(pDC, rc);
        DrawSunkenFrame(pDC, rc);
        return;
    }
    if (bEnabled) {
        if (bPopuped || nPressed == 2 || (nSelected && nPressed))
            DrawSunkenFrame(pDC, rc);
        else if (nSelected || nPressed)
            DrawRaisedFrame(pDC, rc);
        return;
    }
    if (bChecked)
        DrawSunkenFrame(pDC, rc);
    if (nSelected == 2)
        DrawSunkenFrame(pDC, rc);
}

void CTKPDefaultBarTheme::DrawControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed,
    BOOL bChecked, BOOL bPopuped, int barPosition)
{
    DrawRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, TRUE, barPosition);
    int nText = COLOR_BTNTEXT;
    if (!bEnabled)
        nText = COLOR_GRAYTEXT;
    else if (barPosition == tkpBarPopup)
        nText = m_nPopupTextColor;
    pDC->SetTextColor(GetColor(nText));
    pDC->SetBkMode(TRANSPARENT);
}

void CTKPDefaultBarTheme::DrawSplitButtonFrame(CDC* pDC, CTKPControl* pButton, CRect rc)
{
    const BOOL bPopuped = IsPopupOpen(pButton);
    const int nPosition = pButton->GetParent() != NULL ? pButton->GetParent()->GetPosition() : tkpBarTop;
    const BOOL bEnabled = pButton->GetEnabled();
    CRect rcMain = rc;
    rcMain.right -= kSplitButtonDropWidth;
    const int nSelected = pButton->GetSelected() || bPopuped ? 1 : 0;
    DrawControlEntry(pDC, rcMain, bEnabled, nSelected, pButton->GetPressed(), pButton->GetChecked(), FALSE, nPosition);
    if (bEnabled && (pButton->GetSelected() || pButton->GetPressed() || bPopuped)) {
        const CRect rcDrop(rc.right - kSplitButtonDropWidth, rc.top, rc.right, rc.bottom);
        const COLORREF clrText = pDC->GetTextColor();
        DrawControlEntry(pDC, rcDrop, bEnabled, 1, 0, FALSE, bPopuped, nPosition);
        pDC->SetTextColor(clrText);
    }
    const int mid = (rc.top + rc.bottom) / 2;
    DrawTriangle(pDC, CPoint(rc.right - 9, mid - 1), CPoint(rc.right - 5, mid - 1), CPoint(rc.right - 7, mid + 1),
        pDC->GetTextColor());
}

CSize CTKPDefaultBarTheme::DrawControlToolBarParent(CDC* pDC, CTKPControl* pControl, BOOL bDraw)
{
    const int nType = pControl->GetType();
    if (bDraw && (nType == tkpControlPopup || nType == tkpControlButtonPopup)) {
        if (pControl->GetPressed() || pControl->GetSelected() ||
            (nType == tkpControlButtonPopup && IsPopupOpen(pControl)))
            pDC->FillSolidRect(pControl->GetRect(), GetColor(COLOR_BTNFACE));
    }
    return CTKPCommandBarsTheme::DrawControlToolBarParent(pDC, pControl, bDraw);
}

// --- Icons --------------------------------------------------------------------------------------

void CTKPDefaultBarTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CTKPImageIcon* pImage, int nSelected, int nPressed,
    BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBar)
{
    if (pImage == NULL)
        return;
    const int cx = sz.cx, cy = sz.cy;
    if (bEnabled) {
        if (bPopuped && !bChecked) {
            pImage->Draw(pDC, pt, pImage->GetIcon(), cx, cy);
        } else if (bChecked) {
            pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), cx, cy);
        } else if (!nSelected && !nPressed) {
            pImage->Draw(pDC, pt, m_bFadedIcons ? pImage->GetFadedIcon() : pImage->GetIcon(), cx, cy);
        } else if (!nSelected && (nPressed < 0 || nPressed > 2)) {
            // Pressed values the controls never set draw nothing.
        } else if ((nSelected && nPressed) || (!nSelected && nPressed == 2)) {
            pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetHotIcon(), cx, cy);
        } else if (m_bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty()) {
            pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon(), cx, cy);
            pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), cx, cy);
        } else {
            pImage->Draw(pDC, pt, pImage->GetHotIcon(), cx, cy);
        }
        return;
    }
    if (!m_bUseDisabledIcons && !pImage->IsAlpha()) {
        // An embossed silhouette: highlight one pixel down and right, shadow on top.
        pImage->DrawMonochrome(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetIcon(), GetColor(COLOR_BTNHIGHLIGHT));
        pImage->DrawMonochrome(pDC, pt, pImage->GetIcon(), GetColor(COLOR_BTNSHADOW));
        return;
    }
    if (m_bUseFadedDisabledIcons && !pImage->HasDisabledIcon())
        pImage->CreateDisabledIcon(m_grcFace.m_clrLight.GetEffective(), m_grcFace.m_clrDark.GetEffective());
    pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), cx, cy);
}

// --- Popup items --------------------------------------------------------------------------------

void CTKPDefaultBarTheme::GetPopupMetrics(CTKPCommandBar* pBar, CSize& szIcon, int& nRowHeight, int& nColumn) const
{
    szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    nRowHeight = std::max<int>(m_nPopupItemHeight, szIcon.cy + 4);
    nColumn = std::max<int>(m_nPopupItemHeight, szIcon.cx + 4);
}

BOOL CTKPDefaultBarTheme::ShowsPopupIcon(CTKPControl* pControl)
{
    const int nStyle = pControl->GetStyle();
    if (nStyle == 0)
        return pControl->GetType() != tkpControlPopup;
    return nStyle == 2 || nStyle == 3;
}

CSize CTKPDefaultBarTheme::DrawControlPopupParent(CDC* pDC, CTKPControl* pControl, BOOL bDraw)
{
    CTKPCommandBar* pBar = pControl->GetParent();
    CSize szIcon;
    int nRowHeight, nColumn;
    GetPopupMetrics(pBar, szIcon, nRowHeight, nColumn);
    const BOOL bDoubleColumn = pBar != NULL && pBar->IsDoubleColumn();
    const int nColumnArea = bDoubleColumn ? 2 * nColumn : nColumn;

    CTKPFontSelector font(pDC, GetControlFont(pBar, pControl->GetDefaultItem()));
    CString strCaption = pControl->GetCaption();
    if (pBar != NULL && pBar->IsLayoutRTL())
        UpdateRTLCaption(strCaption);
    const BOOL bCues = AreCuesVisible(pBar);
    const UINT nPrefix = PrepareCaption(strCaption, bCues);
    const int nType = pControl->GetType();
    CString strShortcut = nType == tkpControlButton ? pControl->GetShortcutText() : CString();

    if (!bDraw) {
        const CSize szCaption = DrawControlTextLine(pDC, strCaption, CRect(0, 0, 0, 0), nPrefix, FALSE, 0, TRUE);
        const int nShortcut =
            strShortcut.IsEmpty() ? 0 : DrawControlTextLine(pDC, strShortcut, CRect(0, 0, 0, 0), 0, FALSE, 0, TRUE).cx;
        return CSize(szCaption.cx + nShortcut + nColumnArea + 40, nRowHeight);
    }

    const CRect rc = pControl->GetRect();
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected() != 0;
    const BOOL bChecked = pControl->GetChecked() != 0;
    const BOOL bPopuped = IsPopupOpen(pControl);

    // Background and text colour.
    if (pControl->IsRarelyUsed())
        pDC->FillSolidRect(rc, GetColor(COLOR_3DLIGHT));
    const int nTextColor = !bEnabled ? COLOR_GRAYTEXT : (bSelected ? COLOR_HIGHLIGHTTEXT : m_nPopupTextColor);
    if (m_bSelectionFill && bSelected)
        pDC->FillSolidRect(rc, GetColor(COLOR_HIGHLIGHT));

    const CRect rcCheck(rc.left, rc.top, rc.left + nColumn, rc.bottom);
    const CRect rcIconColumn =
        bDoubleColumn ? CRect(rc.left + nColumn + 1, rc.top, rc.left + 2 * nColumn + 1, rc.bottom) : rcCheck;
    int nTextAreaLeft = rc.left;

    // Check box.
    if (!m_bSelectionFill && bChecked) {
        DrawRectangle(pDC, rcCheck, pControl->GetSelected(), 0, bEnabled, TRUE, FALSE, FALSE, tkpBarPopup);
        nTextAreaLeft = rcCheck.right + 1;
    }

    // Icon.
    BOOL bIconDrawn = FALSE;
    CTKPImageIcon* pImage = NULL;
    if (ShowsPopupIcon(pControl) && pControl->GetIconId() != 0)
        pImage = pControl->GetImage(szIcon.cx);
    if (pImage != NULL) {
        const int cx = szIcon.cx;
        const int cy = pImage->GetWidth() > 0 ? pImage->GetHeight() * cx / pImage->GetWidth() : szIcon.cy;
        if (!m_bSelectionFill)
            DrawRectangle(pDC, rcIconColumn, pControl->GetSelected(), 0, bEnabled, bChecked && !bDoubleColumn, FALSE,
                FALSE, tkpBarPopup);
        const CPoint pt(rcIconColumn.left + (rcIconColumn.Width() - cx) / 2,
            rcIconColumn.top + (rcIconColumn.Height() - cy) / 2);
        DrawImage(pDC, pt, CSize(cx, cy), pImage, pControl->GetSelected(), 0, bEnabled, bChecked, FALSE, FALSE);
        bIconDrawn = TRUE;
        nTextAreaLeft = rcIconColumn.right + 1;
    }

    // Check mark.
    if (bChecked && (!bIconDrawn || bDoubleColumn)) {
        const COLORREF clrMark =
            m_bSelectionFill ? GetColor(nTextColor) : GetColor(!bEnabled ? COLOR_GRAYTEXT : m_nPopupTextColor);
        const CPoint ptCenter = rcCheck.CenterPoint();
        DrawCheckMark(pDC, CRect(ptCenter.x - 10, ptCenter.y - 10, ptCenter.x + 10, ptCenter.y + 10), clrMark);
    }

    // Highlight, the popup arrow and the split part.
    CRect rcTextArea(nTextAreaLeft, rc.top, rc.right, rc.bottom);
    const int mid = (rc.top + rc.bottom) / 2;
    if (nType == tkpControlSplitButtonPopup && bEnabled) {
        if (bPopuped && bSelected) {
            rcTextArea.right -= kSplitPopupDropWidth;
            DrawSunkenFrame(pDC, CRect(rc.right - kSplitPopupDropWidth, rc.top, rc.right, rc.bottom));
            if (!m_bSelectionFill)
                pDC->FillSolidRect(rcTextArea, GetColor(COLOR_HIGHLIGHT));
            DrawTriangle(pDC, CPoint(rc.right - 11, mid - 3), CPoint(rc.right - 8, mid), CPoint(rc.right - 11, mid + 3),
                GetColor(m_nPopupTextColor));
        } else {
            int nLine = m_nPopupTextColor;
            if (bSelected) {
                if (!m_bSelectionFill)
                    pDC->FillSolidRect(rcTextArea, GetColor(COLOR_HIGHLIGHT));
                nLine = COLOR_BTNSHADOW;
            }
            DrawLine(pDC, rc.right - kSplitPopupDropWidth, rc.top + 1, rc.right - kSplitPopupDropWidth, rc.bottom - 1,
                nLine);
            DrawTriangle(pDC, CPoint(rc.right - 11, mid - 3), CPoint(rc.right - 8, mid), CPoint(rc.right - 11, mid + 3),
                GetColor(nTextColor));
        }
    } else {
        if (!m_bSelectionFill && bSelected)
            pDC->FillSolidRect(rcTextArea, GetColor(COLOR_HIGHLIGHT));
        if (TKPIsPopupType(nType))
            DrawTriangle(pDC, CPoint(rc.right - 11, mid - 3), CPoint(rc.right - 8, mid), CPoint(rc.right - 11, mid + 3),
                GetColor(nTextColor));
    }

    // Caption and shortcut.
    pDC->SetTextColor(GetColor(nTextColor));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rc.left + nColumnArea + 4, rc.top, rc.right, rc.bottom);
    if (!strShortcut.IsEmpty()) {
        const int nShortcut = DrawControlTextLine(pDC, strShortcut, CRect(0, 0, 0, 0), 0, FALSE, 0, TRUE).cx;
        rcText.right = rc.right - 19 - nShortcut;
        const CRect rcShortcut(rc.left + nColumnArea + 8, rc.top, rc.right - 19, rc.bottom);
        DrawControlTextLine(pDC, strShortcut, rcShortcut, DT_RIGHT, TRUE, pControl->GetSelected(), bEnabled);
    }
    DrawControlTextLine(pDC, strCaption, rcText, DT_END_ELLIPSIS | nPrefix, TRUE, pControl->GetSelected(), bEnabled);
    return CSize(rc.Width(), rc.Height());
}

// --- Edits and combo boxes ----------------------------------------------------------------------

CSize CTKPDefaultBarTheme::DrawEditOrCombo(CDC* pDC, CTKPControl* pControl, BOOL bDraw, BOOL bCombo)
{
    CTKPCommandBar* pBar = pControl->GetParent();
    const BOOL bPopup = IsPopupBar(pBar);
    // A toolbar shows the label of an edit when asked, of a combo box only when asked with 1.
    const BOOL bLabel = bPopup || pControl->GetLabelSetting() == 1;
    const CSize szIcon = pBar != NULL ? pBar->GetIconSize() : CSize(16, 16);
    const int nColumn = std::max<int>(m_nPopupItemHeight, szIcon.cx + 4);
    const int nEditWidth = pControl->GetEditWidth() > 0 ? pControl->GetEditWidth() : kDefaultFieldWidth;

    CTKPFontSelector fontIcon(pDC, &m_fontIcon);
    CString strCaption = pControl->GetCaption();
    CTKPDrawingHelper::StripMnemonics(strCaption);
    int h = pDC->GetTextExtent(CString(L" ")).cy + 1;
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int nButtonWidth = bCombo ? std::max<int>(15, 2 * tm.tmAveCharWidth + 4) : 0;
    int nLabelWidth = 0;
    {
        CTKPFontSelector fontRegular(pDC, &m_fontRegular);
        if (bLabel)
            h = std::max<int>(h, pDC->GetTextExtent(CString(L" ")).cy + 1);
        if (bPopup)
            nLabelWidth = pDC->GetTextExtent(strCaption).cx + nColumn + 9;
        else if (bLabel)
            nLabelWidth = pDC->GetTextExtent(strCaption).cx + 5;
    }
    pControl->SetMeasuredWidths(nLabelWidth, nButtonWidth);
    // A popup's entry adds its label column; elsewhere the label takes its room from the width.
    if (!bDraw)
        return CSize(bPopup ? nLabelWidth + nEditWidth : nEditWidth, h + 7);

    const CRect rc = pControl->GetRect();
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    if (bLabel) {
        CTKPFontSelector fontRegular(pDC, &m_fontRegular);
        CString strLabel = pControl->GetCaption();
        const UINT nPrefix = PrepareCaption(strLabel, AreCuesVisible(pBar));
        pDC->SetTextColor(GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        pDC->SetBkMode(TRANSPARENT);
        const CRect rcLabel(rc.left + (bPopup ? nColumn + 4 : 2), rc.top, rc.left + nLabelWidth, rc.bottom);
        DrawControlTextLine(pDC, strLabel, rcLabel, nPrefix, TRUE, 0, bEnabled);
    }
    const CRect rcField(rc.left + nLabelWidth, rc.top, std::max<int>(rc.left + nLabelWidth, rc.right), rc.bottom);
    if (bEnabled)
        pDC->FillSolidRect(rcField, GetColor(COLOR_WINDOW));
    if (bCombo) {
        const CRect rcButton(rcField.right - nButtonWidth, rcField.top, rcField.right, rcField.bottom);
        pControl->DrawEditAreaText(pDC,
            CRect(rcField.left + 3, rcField.top + 1, rcButton.left + 1, rcField.bottom - 1));
        DrawComboBoxDropButton(pDC, rcButton, bEnabled, nSelected != 0, IsPopupOpen(pControl));
    }
    DrawComboBoxFrame(pDC, rcField, bEnabled, nSelected);
    return CSize(0, 0);
}

CSize CTKPDefaultBarTheme::DrawControlEdit(CDC* pDC, CTKPControl* pEdit, BOOL bDraw)
{
    return DrawEditOrCombo(pDC, pEdit, bDraw, FALSE);
}

CSize CTKPDefaultBarTheme::DrawControlComboBox(CDC* pDC, CTKPControl* pComboBox, BOOL bDraw)
{
    return DrawEditOrCombo(pDC, pComboBox, bDraw, TRUE);
}

void CTKPDefaultBarTheme::DrawComboBoxFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (!bEnabled) {
        rc.DeflateRect(1, 1);
        const int nColor = nSelected == 2 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
        Draw3dRectangle(pDC, rc, nColor, nColor);
        return;
    }
    if (nSelected)
        DrawSunkenFrame(pDC, rc);
    else
        Draw3dRectangle(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
    rc.DeflateRect(1, 1);
    Draw3dRectangle(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
}

void CTKPDefaultBarTheme::DrawComboBoxDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped)
{
    rc.left += 1;
    rc.top += 2;
    rc.right -= 2;
    rc.bottom -= 2;
    if (bEnabled) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        if (bDropped) {
            pDC->FillSolidRect(rc.left - 1, rc.top, 1, rc.Height(), GetColor(COLOR_BTNFACE));
            DrawSunkenFrame(pDC, rc);
            rc.OffsetRect(1, 1);
        } else if (bSelected) {
            pDC->FillSolidRect(rc.left - 1, rc.top, 1, rc.Height(), GetColor(COLOR_BTNFACE));
            DrawRaisedFrame(pDC, rc);
        } else {
            Draw3dRectangle(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
        }
    }
    DrawDropDownGlyph(pDC, rc, GetColor(COLOR_BTNTEXT));
}

// --- Backgrounds, grippers, separators ----------------------------------------------------------

void CTKPDefaultBarTheme::DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    const int nPosition = pBar->GetPosition();
    if (nPosition == tkpBarFloating || nPosition == tkpBarPopup) {
        Draw3dRectangle(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
    }
    DrawRaisedFrame(pDC, rc);
}

CSize CTKPDefaultBarTheme::DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw)
{
    const int nHeight = std::max<int>(22, m_nPopupItemHeight + 4);
    if (bDraw)
        DrawRaisedFrame(pDC, CRect(3, 3, 6, nHeight));
    return CSize(6, nHeight);
}

CSize CTKPDefaultBarTheme::DrawCommandBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->HasPopupGripper())
        return DrawPopupBarGripper(pDC, pBar, bDraw);
    CRect rc;
    pBar->GetClientRect(&rc);
    switch (pBar->GetPosition()) {
    case tkpBarTop:
    case tkpBarBottom:
        if (bDraw)
            DrawRaisedFrame(pDC, CRect(3, 3, 6, rc.bottom - 3));
        return CSize(6, 0);
    case tkpBarLeft:
    case tkpBarRight:
        if (bDraw)
            DrawRaisedFrame(pDC, CRect(3, 3, rc.right - 3, 6));
        return CSize(0, 8);
    case tkpBarFloating: {
        CTKPFontSelector font(pDC, &m_fontSmCaption);
        const int nStrip = std::max<int>(15, pDC->GetTextExtent(CString(L" ")).cy);
        const CRect rcStrip(3, 3, rc.right - 3, 3 + nStrip);
        if (bDraw) {
            pDC->FillSolidRect(rcStrip, GetColor(COLOR_ACTIVECAPTION));
            pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
            pDC->SetBkMode(TRANSPARENT);
            CRect rcTitle(5, 3, rc.right - 2 * nStrip, rcStrip.bottom);
            pDC->DrawText(pBar->GetTitle(), &rcTitle, DT_SINGLELINE | DT_VCENTER);
        }
        return CSize(rcStrip.Width(), rcStrip.Height());
    }
    }
    return CSize(0, 0);
}

CSize CTKPDefaultBarTheme::DrawControlSeparator(CDC* pDC, CTKPCommandBar* pBar, CTKPControl* pControl, BOOL bDraw)
{
    const BOOL bPopup = IsPopupBar(pBar);
    if (!bDraw)
        return bPopup ? CSize(8, 8) : CSize(6, 6);
    if (pControl == NULL || pBar == NULL)
        return CSize(0, 0);
    const CRect rc = pControl->GetRect();
    const CRect rcRow = pControl->GetRowRect();
    CRect rcStrip;
    if (bPopup) {
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        rcStrip.SetRect(14, rc.top - 5, rcClient.right - 14, rc.top - 3);
    } else if (pBar->GetPosition() == tkpBarLeft || pBar->GetPosition() == tkpBarRight) {
        if (pControl->GetWrap())
            rcStrip.SetRect(rcRow.right + 2, rcRow.top + 4, rcRow.right + 4, rcRow.bottom);
        else
            rcStrip.SetRect(rcRow.left, rc.top - 4, rcRow.right, rc.top - 2);
    } else {
        if (pControl->GetWrap())
            rcStrip.SetRect(rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 2);
        else
            rcStrip.SetRect(rc.left - 4, rcRow.top, rc.left - 2, rcRow.bottom);
    }
    DrawSunkenFrame(pDC, rcStrip);
    return CSize(0, 0);
}

void CTKPDefaultBarTheme::AdjustExcludeRect(CRect& rc, CTKPControl* pControl, BOOL bVertical)
{
    if (pControl != NULL && pControl->GetType() == tkpControlComboBox)
        return;
    if (IsPopupBar(pControl != NULL ? pControl->GetParent() : NULL))
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

void CTKPDefaultBarTheme::GetBarBorders(CRect& rcBorders, CTKPCommandBar* pBar)
{
    if (IsPopupBar(pBar))
        rcBorders.SetRect(3, 3, 3, 3);
    else
        CTKPCommandBarsTheme::GetBarBorders(rcBorders, pBar);
}

CSize CTKPDefaultBarTheme::DrawPopupBarHandle(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw)
{
    if (bDraw) {
        CRect rcFill = rc;
        rcFill.bottom -= 1;
        pDC->FillSolidRect(rcFill, GetColor(bHot ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    }
    return CSize(0, 8);
}

// --- Command lists ------------------------------------------------------------------------------

CSize CTKPDefaultBarTheme::DrawControlPopupListItem(CDC* pDC, CTKPControl* pButton, CRect rc, BOOL bSelected,
    LPCTSTR lpszCaption, CTKPCommandBars* pCommandBars)
{
    CSize szIcon(16, 16);
    if (pCommandBars != NULL && pCommandBars->GetOptions() != NULL) {
        const CSize szPopup = pCommandBars->GetOptions()->szPopupIcons;
        if (szPopup.cx > 0 && szPopup.cy > 0)
            szIcon = szPopup;
    }
    const int nRowHeight = std::max<int>(m_nPopupItemHeight, szIcon.cy + 4);
    const int nColumn = std::max<int>(m_nPopupItemHeight, szIcon.cx + 4);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    if (pButton == NULL)
        return CSize(0, 0);

    CTKPFontSelector font(pDC, &m_fontRegular);
    const CRect rcColumn(rc.left, rc.top, rc.left + nColumn, rc.bottom);
    BOOL bIcon = FALSE;
    CTKPImageIcon* pImage = NULL;
    if (ShowsPopupIcon(pButton) && pButton->GetIconId() != 0)
        pImage = pButton->GetImage(szIcon.cx);
    if (pImage != NULL) {
        const int cx = szIcon.cx;
        const int cy = pImage->GetWidth() > 0 ? pImage->GetHeight() * cx / pImage->GetWidth() : szIcon.cy;
        DrawImage(pDC, CPoint(rcColumn.left + (nColumn - cx) / 2, rcColumn.top + (rcColumn.Height() - cy) / 2),
            CSize(cx, cy), pImage, bSelected, 0, TRUE, FALSE, FALSE, FALSE);
        DrawRectangle(pDC, rcColumn, bSelected, 0, TRUE, FALSE, FALSE, FALSE, tkpBarPopup);
        bIcon = TRUE;
    }
    if (bSelected)
        pDC->FillSolidRect(CRect(bIcon ? rcColumn.right + 1 : rc.left + 1, rc.top, rc.right - 1, rc.bottom),
            GetColor(COLOR_HIGHLIGHT));
    const COLORREF clrText = GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);

    CString strCaption = lpszCaption != NULL ? CString(lpszCaption) : pButton->GetCaption();
    CTKPDrawingHelper::StripMnemonics(strCaption);
    if (pCommandBars != NULL && pCommandBars->IsLayoutRTL())
        UpdateRTLCaption(strCaption);
    CRect rcText(rc.left + nColumn + 4, rc.top, rc.right, rc.bottom);
    pDC->DrawText(strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);

    const int nType = pButton->GetType();
    const int mid = (rc.top + rc.bottom) / 2;
    if (TKPIsPopupType(nType)) {
        DrawTriangle(pDC, CPoint(rc.right - 12, mid - 5), CPoint(rc.right - 7, mid), CPoint(rc.right - 12, mid + 5),
            clrText);
        if (nType == tkpControlSplitButtonPopup) {
            CTKPPenSelector pen(pDC->GetSafeHdc(), clrText);
            DrawLine(pDC, rc.right - 20, rc.top + 1, rc.right - 20, rc.bottom - 1);
        }
    } else if (nType == tkpControlComboBox || nType == tkpControlEdit) {
        CRect rcCaption(0, 0, 0, 0);
        pDC->DrawText(strCaption, &rcCaption, DT_CALCRECT | DT_SINGLELINE);
        const CRect rcBox(rc.left + nColumn + rcCaption.Width() + 9, rc.top, rc.right, rc.bottom);
        DrawRectangleByIndex(pDC, rcBox, bSelected ? COLOR_HIGHLIGHT : COLOR_BTNFACE, COLOR_WINDOW);
        if (nType == tkpControlComboBox) {
            const int nButton = pDC->GetTextExtent(CString(L" ")).cy + 2;
            const CRect rcButton(rcBox.right - nButton, rcBox.top, rcBox.right, rcBox.bottom);
            if (bSelected) {
                DrawRectangleByIndex(pDC, rcButton, COLOR_HIGHLIGHT, COLOR_BTNFACE);
            } else {
                CRect rcInner = rcButton;
                rcInner.DeflateRect(2, 2);
                pDC->FillSolidRect(rcInner, GetColor(COLOR_BTNFACE));
            }
            CRect rcGlyph = rcButton;
            rcGlyph.DeflateRect(1, 1);
            DrawDropDownGlyph(pDC, rcGlyph, GetColor(COLOR_BTNTEXT));
        }
    }
    return CSize(nColumn, nRowHeight);
}
