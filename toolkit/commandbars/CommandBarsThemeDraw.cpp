// The drawing rules every command-bar theme shares: controls on toolbars and menu bars, captions,
// split-button faces, glyphs, status panes, bar borders, the bars' own buttons and the popup
// animations.
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ImageIcon.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"

#include <algorithm>

namespace {

BOOL IsPopupOpen(CTKPControl* pControl)
{
    return pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)) && static_cast<CTKPControlPopup*>(pControl)->GetPopup();
}

int BarPosition(CTKPControl* pControl)
{
    return pControl->GetParent() != NULL ? pControl->GetParent()->GetPosition() : tkpBarTop;
}

BOOL IsVerticalPosition(int nPosition)
{
    return nPosition == tkpBarLeft || nPosition == tkpBarRight;
}

}  // namespace

// --- Primitives ---------------------------------------------------------------------------------

void CTKPCommandBarsTheme::DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    CTKPDrawingHelper::DrawTriangle(pDC, pt0, pt1, pt2, clr);
}

void CTKPCommandBarsTheme::DrawRectangleByIndex(CDC* pDC, CRect rc, int nBorder, int nFill)
{
    if (nFill != -1)
        pDC->FillSolidRect(rc, GetColor(nFill));
    if (nBorder != -1 && nBorder != nFill)
        pDC->Draw3dRect(rc, GetColor(nBorder), GetColor(nBorder));
}

void CTKPCommandBarsTheme::Draw3dRectangle(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight)
{
    pDC->Draw3dRect(rc, GetColor(nTopLeft), GetColor(nBottomRight));
}

void CTKPCommandBarsTheme::DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, int nColor)
{
    CTKPPenSelector pen(pDC->GetSafeHdc(), GetColor(nColor));
    DrawLine(pDC, x0, y0, x1, y1);
}

void CTKPCommandBarsTheme::DrawLine(CDC* pDC, int x0, int y0, int x1, int y1)
{
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
}

void CTKPCommandBarsTheme::FillClientWithFaceColor(CDC* pDC, CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
}

// --- Dispatch -----------------------------------------------------------------------------------

CSize CTKPCommandBarsTheme::DrawControl(CDC* pDC, CTKPControl* pControl, BOOL bDraw)
{
    switch (pControl->GetType()) {
    case tkpControlEdit:
        return DrawControlEdit(pDC, pControl, bDraw);
    case tkpControlComboBox:
        return DrawControlComboBox(pDC, pControl, bDraw);
    }
    CTKPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == tkpBarTypePopup)
        return DrawControlPopupParent(pDC, pControl, bDraw);
    return DrawControlToolBarParent(pDC, pControl, bDraw);
}

void CTKPCommandBarsTheme::DrawControlFace(CDC* pDC, CTKPControl* pButton)
{
    DrawControlEntry(pDC, pButton->GetRect(), pButton->GetEnabled(), pButton->GetSelected(), pButton->GetPressed(),
        pButton->GetChecked(), IsPopupOpen(pButton), BarPosition(pButton));
}

// --- Controls on toolbars and menu bars ---------------------------------------------------------

CSize CTKPCommandBarsTheme::DrawControlToolBarParent(CDC* pDC, CTKPControl* pButton, BOOL bDraw)
{
    CTKPCommandBar* pBar = pButton->GetParent();
    if (pBar == NULL)
        return CSize(0, 0);
    CTKPFontSelector font(pDC, GetControlFont(pBar, pButton->GetDefaultItem()));

    CRect rc = bDraw ? pButton->GetRect() : CRect(0, 0, 0, 0);
    const int nType = pButton->GetType();
    const int nStyle = pButton->GetStyle();
    const CSize szIcon = pBar->GetIconSize();
    const CSize szButton = pBar->GetButtonSize();

    CTKPImageIcon* pImage = NULL;
    if (!(nStyle == 0 && nType == tkpControlPopup) && nStyle != 1)
        pImage = pButton->GetImage(szIcon.cx);

    const BOOL bEmbossed = !pButton->GetEnabled() && !IsFlatDisabledText();
    const BOOL bPopuped = IsPopupOpen(pButton);
    const BOOL bCues = pBar->IsKeyboardCuesVisible();
    const BOOL bVert = IsVerticalPosition(pBar->GetPosition());
    const BOOL bCaption = pButton->IsCaptionVisible();
    const CString strCaption = pButton->GetCaption();

    if (bDraw) {
        if (nType == tkpControlSplitButtonPopup)
            DrawSplitButtonFrame(pDC, pButton, rc);
        else
            DrawControlFace(pDC, pButton);
    }

    if (pBar->IsTextBelowIcons() && pImage != NULL) {
        CTKPFontSelector fontBelow(pDC, pButton->GetDefaultItem() ? &m_fontRegularBold : &m_fontRegular);
        if (nType == tkpControlSplitButtonPopup)
            rc.right -= CTKPControlPopup::SPLIT_BAR;
        if (bDraw) {
            CPoint pt((rc.left + rc.right) / 2 - szIcon.cx / 2, rc.top + 4);
            DrawImage(pDC, pt, CSize(szIcon.cx, 0), pImage, pButton->GetSelected(), pButton->GetPressed(),
                pButton->GetEnabled(), pButton->GetChecked(), bPopuped, TRUE);
            CRect rcText(rc.left, rc.top + szButton.cy - 4, rc.right, rc.bottom);
            DrawControlText(pDC, strCaption, rcText, TRUE, FALSE, TRUE, nType == tkpControlPopup, bEmbossed, bCues);
            return szButton;
        }
        const CSize szText =
            DrawControlText(pDC, strCaption, CRect(0, 0, 0, 0), FALSE, FALSE, TRUE, FALSE, bEmbossed, bCues);
        int cx = std::max<int>(szButton.cx, szText.cx + 10);
        if (nType == tkpControlSplitButtonPopup)
            cx += CTKPControlPopup::SPLIT_BAR;
        const int cy = szButton.cy + szText.cy;
        return CSize(std::max(cx, cy), cy);
    }

    if (bDraw && pImage != NULL) {
        const int cx = szIcon.cx;
        const int cy = pImage->GetWidth() > 0 ? pImage->GetHeight() * cx / pImage->GetWidth() : szIcon.cy;
        const BOOL bAtLeft = !bVert || nType == tkpControlSplitButtonPopup || (nType == tkpControlPopup && !bCaption);
        const CPoint pt = bAtLeft ? CPoint(rc.left + 3, rc.top + (rc.Height() - cy) / 2)
                                  : CPoint(rc.left + (rc.Width() - cx) / 2, rc.top + 4);
        DrawImage(pDC, pt, CSize(cx, cy), pImage, pButton->GetSelected(), pButton->GetPressed(), pButton->GetEnabled(),
            pButton->GetChecked(), bPopuped, TRUE);
    }

    switch (nType) {
    case tkpControlButton:
    case tkpControlButtonPopup:
    case tkpControlLabel: {
        if (!bCaption)
            return szButton;
        const CSize szBtn = pImage != NULL ? szButton : CSize(23, 23);
        return DrawControlTextAndIcon(pDC, strCaption, rc, bVert, bDraw, bEmbossed, FALSE, szBtn.cx, szBtn.cy,
            pImage != NULL, bCues);
    }
    case tkpControlPopup: {
        if (pImage == NULL) {
            const BOOL bArrow = !bDraw || pBar->GetType() != tkpBarTypeMenuBar;
            const CSize sz = DrawControlText(pDC, strCaption, rc, bDraw, bVert, TRUE, bArrow, bEmbossed, bCues);
            return CSize(sz.cx + 6, sz.cy + 6);
        }
        if (!bCaption) {
            if (bDraw) {
                const int mid = (rc.top + rc.bottom) / 2;
                DrawTriangle(pDC, CPoint(rc.right - 9, mid - 1), CPoint(rc.right - 5, mid - 1),
                    CPoint(rc.right - 7, mid + 1), pDC->GetTextColor());
            }
            return CSize(szButton.cy + 7, szButton.cy);
        }
        return DrawControlTextAndIcon(pDC, strCaption, rc, bVert, bDraw, bEmbossed, TRUE, szButton.cx, szButton.cy,
            TRUE, bCues);
    }
    case tkpControlSplitButtonPopup: {
        const CSize szBtn = pImage != NULL ? szButton : CSize(23, 23);
        if (!bCaption)
            return CSize(szBtn.cx + CTKPControlPopup::SPLIT_BAR, szBtn.cy);
        CRect rcText = rc;
        rcText.right -= CTKPControlPopup::SPLIT_BAR;
        const CSize sz = DrawControlTextAndIcon(pDC, strCaption, rcText, bVert, bDraw, bEmbossed, FALSE, szBtn.cx,
            szBtn.cy, pImage != NULL, bCues);
        return CSize(sz.cx + CTKPControlPopup::SPLIT_BAR, sz.cy);
    }
    }
    return CSize(0, 0);
}

CSize CTKPCommandBarsTheme::DrawControlTextAndIcon(CDC* pDC, LPCTSTR lpszText, CRect rc, BOOL bVert, BOOL bDraw,
    BOOL bEmbossed, BOOL bTriangle, int nButtonWidth, int nButtonHeight, BOOL bHasImage, BOOL bKeyboardCues)
{
    if (bVert) {
        const int nTop = bHasImage ? nButtonHeight : 4;
        CRect rcText(rc.left, rc.top + nTop, rc.right, rc.bottom);
        const CSize sz =
            DrawControlText(pDC, lpszText, rcText, bDraw, TRUE, FALSE, bTriangle, bEmbossed, bKeyboardCues);
        return CSize(std::max<int>(sz.cx + 6, nButtonWidth), nTop + sz.cy + 3);
    }
    const int nLeft = bHasImage ? nButtonWidth - 1 : 4;
    CRect rcText(rc.left + nLeft, rc.top, rc.right, rc.bottom);
    const CSize sz = DrawControlText(pDC, lpszText, rcText, bDraw, FALSE, FALSE, bTriangle, bEmbossed, bKeyboardCues);
    return CSize((bHasImage ? nButtonWidth : 4) + sz.cx + 3, std::max<int>(sz.cy + 6, nButtonHeight));
}

CSize CTKPCommandBarsTheme::DrawControlText(CDC* pDC, LPCTSTR lpszText, CRect rcText, BOOL bDraw, BOOL bVert,
    BOOL bCentered, BOOL bTriangle, BOOL bEmbossed, BOOL bKeyboardCues)
{
    if (m_bShowKeyboardCues != -1)
        bKeyboardCues = m_bShowKeyboardCues;
    CString strText = lpszText != NULL ? lpszText : L"";
    CString strStripped = strText;
    CTKPDrawingHelper::StripMnemonics(strStripped);
    CSize szText = pDC->GetTextExtent(strStripped.IsEmpty() ? CString(L" ") : strStripped);

    CSize szResult(szText.cx + (bTriangle ? 10 : 0), szText.cy);
    if (bVert)
        szResult = CSize(szResult.cy, szResult.cx);
    if (!bDraw)
        return szResult;

    const COLORREF clrText = pDC->GetTextColor();
    const int a = bTriangle ? 5 : 0;
    if (!bVert) {
        CRect rc = rcText;
        if (bCentered)
            rc.left += (rc.Width() - szText.cx - a) / 2;
        const UINT nFormat = DT_SINGLELINE | DT_VCENTER | (bKeyboardCues ? 0 : DT_NOPREFIX);
        const CString& strDraw = bKeyboardCues ? strText : strStripped;
        if (bEmbossed) {
            CRect rcShadow = rc;
            rcShadow.OffsetRect(1, 1);
            pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
            pDC->DrawText(strDraw, rcShadow, nFormat);
            pDC->SetTextColor(clrText);
        }
        pDC->DrawText(strDraw, rc, nFormat);
        if (bTriangle) {
            const int x = rc.left + szText.cx + 5;
            const int y = (rc.top + rc.bottom) / 2;
            DrawTriangle(pDC, CPoint(x - 2, y - 1), CPoint(x + 2, y - 1), CPoint(x, y + 1), clrText);
        }
    } else {
        CRect rc = rcText;
        rc.left = rc.right - (rc.right - szText.cy - rc.left + 1) / 2;
        if (bCentered)
            rc.top += (rc.Height() - szText.cx - a + 1) / 2;
        pDC->DrawText(strStripped, rc, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        if (bTriangle) {
            const int cx = (rcText.left + rcText.right) / 2;
            const int y = rc.top + szText.cx + 4;
            DrawTriangle(pDC, CPoint(cx + 2, y - 2), CPoint(cx + 2, y + 2), CPoint(cx, y), clrText);
        }
    }
    return szResult;
}

void CTKPCommandBarsTheme::DrawSplitButtonFrame(CDC* pDC, CTKPControl* pButton, CRect rc)
{
    const BOOL bPopuped = IsPopupOpen(pButton);
    const int nPosition = BarPosition(pButton);
    CRect rcFace = rc;
    if (!bPopuped)
        rcFace.right -= CTKPControlPopup::SPLIT_BAR;
    DrawControlEntry(pDC, rcFace, pButton->GetEnabled(), pButton->GetSelected(), pButton->GetPressed(),
        pButton->GetChecked(), bPopuped, nPosition);
    if (!bPopuped && pButton->GetEnabled() && (pButton->GetSelected() || pButton->GetPressed())) {
        CRect rcArrow(rc.right - 12, rc.top, rc.right, rc.bottom);
        DrawControlEntry(pDC, rcArrow, TRUE, pButton->GetSelected() ? pButton->GetSelected() : 1, 0, FALSE, FALSE,
            nPosition);
    }
    const int mid = (rc.top + rc.bottom) / 2;
    DrawTriangle(pDC, CPoint(rc.right - 9, mid - 1), CPoint(rc.right - 5, mid - 1), CPoint(rc.right - 7, mid + 1),
        pDC->GetTextColor());
}

// --- Glyphs -------------------------------------------------------------------------------------

void CTKPCommandBarsTheme::DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr, int nShape)
{
    const int cx = rc.left + rc.Width() / 2;
    const int cy = rc.top + rc.Height() / 2;
    CTKPPenSelector pen(pDC->GetSafeHdc(), clr);
    const int nPasses = m_bThickCheckMark ? 2 : 1;
    for (int k = 0; k < nPasses; ++k) {
        const int dy = k;
        if (nShape == 1) {
            POINT a[] = {{cx - 4, cy - 3 + dy}, {cx, cy + 1 + dy}, {cx + 3, cy - 2 + dy}};
            POINT b[] = {{cx - 4, cy - 2 + dy}, {cx, cy + 2 + dy}, {cx + 3, cy - 1 + dy}};
            pDC->Polyline(a, 3);
            pDC->Polyline(b, 3);
        } else {
            POINT a[] = {{cx - 4, cy - 1 + dy}, {cx - 2, cy + 1 + dy}, {cx + 3, cy - 4 + dy}};
            POINT b[] = {{cx - 4, cy + dy}, {cx - 2, cy + 2 + dy}, {cx + 3, cy - 3 + dy}};
            pDC->Polyline(a, 3);
            pDC->Polyline(b, 3);
        }
    }
}

void CTKPCommandBarsTheme::DrawDropDownGlyph(CDC* pDC, CRect rc, COLORREF clr)
{
    const int cx = (rc.left + rc.right) / 2;
    const int half = std::max(rc.Width() / 2 - 4, 2);
    const int top = (rc.top + rc.bottom) / 2 - half / 2;
    DrawTriangle(pDC, CPoint(cx - half, top), CPoint(cx + half, top), CPoint(cx, top + half), clr);
}

// --- Status bar ---------------------------------------------------------------------------------

void CTKPCommandBarsTheme::DrawStatusBarPane(CDC* pDC, CRect rc, const TKPStatusPaneDraw& pane)
{
    const BOOL bDisabled = (pane.dwStyle & (1u << 26)) != 0;
    if (pane.clrBackground != (COLORREF)-1) {
        CRect rcFill = rc;
        if (!(pane.dwStyle & 0x100))
            rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFill, pane.clrBackground);
    }
    CTKPFontSelector font(pDC, pane.pFont != NULL ? pane.pFont : pDC->GetCurrentFont());
    rc.DeflateRect(2, 1);

    CSize szIcon(0, 0);
    if (pane.pIcon != NULL)
        szIcon = CSize(pane.pIcon->GetWidth(), pane.pIcon->GetHeight());
    if (pane.nAlignment != 0) {
        const int nTextWidth = pane.strText.IsEmpty() ? 0 : pDC->GetTextExtent(pane.strText).cx;
        const int nRun = szIcon.cx + (pane.strText.IsEmpty() ? 0 : 2) + nTextWidth;
        if (rc.Width() > nRun) {
            if (pane.nAlignment == 1)
                rc.left += (rc.Width() - nRun) / 2;
            else
                rc.left = rc.right - nRun;
        }
    }
    if (pane.pIcon != NULL && szIcon.cx <= rc.Width()) {
        CTKPIconHandle& image = bDisabled ? pane.pIcon->GetDisabledIcon() : pane.pIcon->GetIcon();
        pane.pIcon->Draw(pDC, CPoint(rc.left, rc.top + (rc.Height() - szIcon.cy) / 2), image);
        rc.left += szIcon.cx + 2;
    }
    if (!bDisabled || pane.bDrawDisabledText) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(
            bDisabled ? GetColor(COLOR_GRAYTEXT) : (pane.clrText != (COLORREF)-1 ? pane.clrText : m_clrStatusText));
        pDC->DrawText(pane.strText, rc, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
    }
}

void CTKPCommandBarsTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc)
{
    Draw3dRectangle(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void CTKPCommandBarsTheme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    const int W = rcClient.right;
    const int H = rcClient.bottom;
    for (int k = 0; k < 3; ++k) {
        DrawLine(pDC, W - 3 - 4 * k, H - 2, W - 1, H - 4 - 4 * k, COLOR_BTNSHADOW);
        DrawLine(pDC, W - 4 - 4 * k, H - 2, W - 1, H - 5 - 4 * k, COLOR_BTNSHADOW);
    }
    for (int k = 0; k < 3; ++k)
        DrawLine(pDC, W - 5 - 4 * k, H - 2, W - 1, H - 6 - 4 * k, COLOR_BTNHIGHLIGHT);
}

void CTKPCommandBarsTheme::FillStatusBar(CDC* pDC, CWnd* pWnd)
{
    FillClientWithFaceColor(pDC, pWnd);
}

void CTKPCommandBarsTheme::DrawDockBarBackground(CDC* pDC, CWnd* pWnd)
{
    FillClientWithFaceColor(pDC, pWnd);
}

void CTKPCommandBarsTheme::GetBarBorders(CRect& rcBorders, CTKPCommandBar* pBar)
{
    rcBorders.SetRect(2, 2, 2, 2);
}

// --- The bars' own buttons ----------------------------------------------------------------------

CSize CTKPCommandBarsTheme::DrawSpecialControl(CDC* pDC, int nKind, CTKPControl* pButton, CTKPCommandBar* pBar,
    BOOL bDraw, CSize szBar, LPARAM lParam)
{
    switch (nKind) {
    case specialToolbarExpand: {
        const BOOL bHorz = pBar != NULL && pBar->IsHorizontal() && pBar->GetPosition() != tkpBarPopup;
        if (!bDraw) {
            if (bHorz)
                pButton->SetRect(CRect(szBar.cx - 13, 2, szBar.cx - 2, szBar.cy - 2));
            else
                pButton->SetRect(CRect(2, szBar.cy - 13, szBar.cx - 2, szBar.cy - 2));
            return CSize(0, 0);
        }
        DrawControlFace(pDC, pButton);
        const CRect rc = pButton->GetRect();
        const COLORREF clr = pDC->GetTextColor();
        CTKPPenSelector pen(pDC->GetSafeHdc(), clr);
        const int l = rc.left, t = rc.top, r = rc.right;
        if (bHorz) {
            const int cx = (rc.left + rc.right) / 2;
            DrawTriangle(pDC, CPoint(cx - 2, rc.bottom - 7), CPoint(cx + 2, rc.bottom - 7), CPoint(cx, rc.bottom - 5),
                clr);
            if (lParam) {
                const int strokes[4][6] = {{2, 4, 4, 6, 1, 9}, {3, 4, 5, 6, 2, 9}, {6, 4, 8, 6, 5, 9},
                    {7, 4, 9, 6, 6, 9}};
                for (const auto& s : strokes) {
                    POINT pts[] = {{l + s[0], t + s[1]}, {l + s[2], t + s[3]}, {l + s[4], t + s[5]}};
                    pDC->Polyline(pts, 3);
                }
            }
        } else {
            DrawTriangle(pDC, CPoint(l + 6, t + 3), CPoint(l + 6, t + 7), CPoint(l + 4, t + 5), clr);
            if (lParam) {
                for (int dy = 0; dy <= 4; dy += 4) {
                    for (int k = 0; k < 2; ++k) {
                        POINT pts[] = {{r - 8, t + 2 + k + dy}, {r - 6, t + 4 + k + dy}, {r - 3, t + 1 + k + dy}};
                        pDC->Polyline(pts, 3);
                    }
                }
            }
        }
        return CSize(0, 0);
    }
    case specialPopupExpand: {
        if (bDraw) {
            DrawControlFace(pDC, pButton);
            const CRect rc = pButton->GetRect();
            const int cx = (rc.left + rc.right) / 2, t = rc.top;
            for (int dy = 0; dy <= 4; dy += 4) {
                POINT a[] = {{cx - 2, t + 2 + dy}, {cx, t + 4 + dy}, {cx + 3, t + 1 + dy}};
                POINT b[] = {{cx - 2, t + 3 + dy}, {cx, t + 5 + dy}, {cx + 3, t + 2 + dy}};
                pDC->Polyline(a, 3);
                pDC->Polyline(b, 3);
            }
        }
        return CSize(0, 12);
    }
    case specialFloatingClose: {
        if (!bDraw)
            return CSize(0, 0);
        CFont fontMarlett;
        LOGFONTW lf = {};
        lf.lfCharSet = SYMBOL_CHARSET;
        lf.lfHeight = -::MulDiv(::MulDiv(80, 96, std::max(1, pDC->GetDeviceCaps(LOGPIXELSX))),
            pDC->GetDeviceCaps(LOGPIXELSY), 720);
        lstrcpynW(lf.lfFaceName, L"Marlett", LF_FACESIZE);
        fontMarlett.CreateFontIndirect(&lf);
        CTKPFontSelector font(pDC, &fontMarlett);
        DrawControlFace(pDC, pButton);
        if (!pButton->GetPressed() && !pButton->GetSelected())
            pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rc = pButton->GetRect();
        pDC->DrawText(L"r", 1, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return CSize(0, 0);
    }
    case specialFloatingExpand: {
        if (!bDraw)
            return CSize(0, 0);
        DrawControlFace(pDC, pButton);
        const CRect rc = pButton->GetRect();
        const CPoint c = rc.CenterPoint();
        const BOOL bOpen = IsPopupOpen(pButton);
        const COLORREF clr = (pButton->GetSelected() || bOpen) ? pDC->GetTextColor() : GetColor(COLOR_BTNHIGHLIGHT);
        DrawTriangle(pDC, CPoint(c.x - 3, c.y - 2), CPoint(c.x + 3, c.y - 2), CPoint(c.x, c.y + 1), clr);
        return CSize(0, 0);
    }
    }
    return CSize(0, 0);
}

// --- Animations ---------------------------------------------------------------------------------

void CTKPCommandBarsTheme::AnimateExpanding(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nType)
{
    const int n = m_nAnimationSteps;
    if (n < 1)
        return;
    const int nStepTime = m_nAnimationTime / n;
    const int cx = rc.Width(), cy = rc.Height();
    switch (nType) {
    case 2:  // unfold: width and height grow together
        for (int i = 1; i <= n; ++i) {
            const int w = cx * i / n, h = cy * i / n;
            pDestDC->BitBlt(rc.left, rc.top, w, h, pSrcDC, rc.left + cx - w, rc.top + cy - h, SRCCOPY);
            AnimationSleep(nStepTime);
        }
        break;
    case 3:  // slide: the image slides down into place
        for (int i = 1; i <= n; ++i) {
            const int h = cy * i / n;
            pDestDC->BitBlt(rc.left, rc.top, cx, h, pSrcDC, rc.left, rc.top + cy - h, SRCCOPY);
            AnimationSleep(nStepTime);
        }
        break;
    case 4: {  // fade from what is on the screen to the image
        if (cx <= 0 || cy <= 0)
            return;
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pOldBits = NULL;
        void* pNewBits = NULL;
        void* pMixBits = NULL;
        HBITMAP hOld = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pOldBits, NULL, 0);
        HBITMAP hNew = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pNewBits, NULL, 0);
        HBITMAP hMix = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pMixBits, NULL, 0);
        HDC hdc = ::CreateCompatibleDC(pDestDC->GetSafeHdc());
        if (hOld && hNew && hMix && hdc) {
            HGDIOBJ hPrev = ::SelectObject(hdc, hOld);
            ::BitBlt(hdc, 0, 0, cx, cy, pDestDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
            ::SelectObject(hdc, hNew);
            ::BitBlt(hdc, 0, 0, cx, cy, pSrcDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
            ::SelectObject(hdc, hMix);
            ::GdiFlush();
            const BYTE* pOld = static_cast<const BYTE*>(pOldBits);
            const BYTE* pNew = static_cast<const BYTE*>(pNewBits);
            BYTE* pMix = static_cast<BYTE*>(pMixBits);
            for (int i = 1; i < n; ++i) {
                const DWORD dwStart = ::GetTickCount();
                const int w = 255 * i / n;
                for (int p = 0; p < cx * cy * 4; p += 4) {
                    for (int c = 0; c < 3; ++c)
                        pMix[p + c] = (BYTE)((pNew[p + c] * w + pOld[p + c] * (255 - w)) / 256);
                }
                ::BitBlt(pDestDC->GetSafeHdc(), rc.left, rc.top, cx, cy, hdc, 0, 0, SRCCOPY);
                const DWORD dwSpent = ::GetTickCount() - dwStart;
                if ((int)dwSpent < nStepTime)
                    AnimationSleep(nStepTime - dwSpent);
            }
            ::SelectObject(hdc, hPrev);
        }
        if (hdc)
            ::DeleteDC(hdc);
        if (hOld)
            ::DeleteObject(hOld);
        if (hNew)
            ::DeleteObject(hNew);
        if (hMix)
            ::DeleteObject(hMix);
        // The last frame is the image itself: the blended steps stop short of it (and lose a little
        // in the division by 256), so the popup would otherwise stay a shade off its own picture.
        pDestDC->BitBlt(rc.left, rc.top, cx, cy, pSrcDC, rc.left, rc.top, SRCCOPY);
        break;
    }
    }
}

void CTKPCommandBarsTheme::AnimateUnfold(CTKPCommandBar* pBar, CDC* pDestDC, CDC* pSrcDC, BOOL bDownward)
{
    const int n = m_nAnimationSteps;
    if (n < 1 || pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    const int nStepTime = m_nAnimationTime / n;

    // Runs of controls of one kind (rarely used or not) and the band of the image each covers.
    struct Run {
        int nTop, nBottom;
        BOOL bRarely;
    };
    CArray<Run, const Run&> runs;
    const int nCount = pBar->GetControlCount();
    for (int i = 0; i < nCount; ++i) {
        CTKPControl* pControl = pBar->GetControl(i);
        if (!pControl->IsVisible())
            continue;
        const BOOL bRarely = pControl->IsRarelyUsed();
        if (runs.GetSize() == 0 || runs[runs.GetSize() - 1].bRarely != bRarely) {
            Run run = {runs.GetSize() == 0 ? 0 : pControl->GetRect().top, rcClient.bottom, bRarely};
            if (runs.GetSize() > 0)
                runs[runs.GetSize() - 1].nBottom = run.nTop;
            runs.Add(run);
        }
    }
    if (runs.GetSize() == 0)
        return;

    for (int i = 1; i <= n; ++i) {
        if (bDownward) {
            int y = 0;
            for (INT_PTR r = 0; r < runs.GetSize(); ++r) {
                const int h = runs[r].nBottom - runs[r].nTop;
                const int hDest = runs[r].bRarely ? h * i / n : h;
                pDestDC->StretchBlt(0, y, rcClient.Width(), hDest, pSrcDC, 0, runs[r].nTop, rcClient.Width(), h,
                    SRCCOPY);
                y += hDest;
            }
        } else {
            int y = rcClient.bottom;
            for (INT_PTR r = runs.GetSize() - 1; r >= 0; --r) {
                const int h = runs[r].nBottom - runs[r].nTop;
                const int hDest = runs[r].bRarely ? h * i / n : h;
                y -= hDest;
                pDestDC->StretchBlt(0, y, rcClient.Width(), hDest, pSrcDC, 0, runs[r].nTop, rcClient.Width(), h,
                    SRCCOPY);
            }
        }
        AnimationSleep(nStepTime);
    }
}
