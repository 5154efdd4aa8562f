#include "toolkit/taskpanel/TaskPanelTheme.h"

#include <algorithm>

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/taskpanel/TaskPanel.h"

using std::max;
using std::min;

namespace {

// Toolkit colours of the colour manager that the highlights use.
enum ToolkitColor {
    kColorToolbarFace = 30,
    kColorHighlight = 31,  // hot items
    kColorHighlightBorder = 32,
    kColorHighlightPushed = 33,   // selected and hot items
    kColorHighlightChecked = 36,  // selected items
};

}  // namespace

CTKPTaskPanelGroupColors::CTKPTaskPanelGroupColors() : dHeadGradientStart(0) {}

CTKPTaskPanelScrollButton::CTKPTaskPanelScrollButton(BOOL bUp)
    : bScrollUp(bUp), bEnabled(FALSE), bPressed(FALSE), rcButton(0, 0, 0, 0), bHot(FALSE), pGroupScroll(NULL),
      pGroupCaption(NULL), pPanel(NULL)
{}

BOOL CTKPTaskPanelScrollButton::IsVisible() const
{
    if (rcButton.IsRectEmpty() || pGroupScroll == NULL)
        return FALSE;
    if (bEnabled)
        return TRUE;
    const CTKPTaskPanelTheme* pTheme = pPanel ? pPanel->GetPaintManager() : NULL;
    return pTheme && pTheme->IsScrollButtonsInCaptions();
}

void CTKPTaskPanelScrollButton::Clear()
{
    bEnabled = FALSE;
    rcButton.SetRectEmpty();
    pGroupScroll = NULL;
    pGroupCaption = NULL;
}

CTKPTaskPanelTheme::CTKPTaskPanelTheme()
    : m_bOwnColorsWithoutScheme(TRUE), m_nCaptionButtonStyle(tkpTaskCaptionButtonBox), m_bBoldCaption(TRUE),
      m_rcGroupOuterMargins(0, 0, 0, 0), m_rcGroupInnerMargins(11, 8, 11, 8), m_rcItemOuterMargins(0, 0, 0, 0),
      m_rcItemInnerMargins(2, 2, 2, 2), m_rcControlMargins(12, 12, 12, 12), m_nGroupSpacing(15),
      m_rcIconGridPadding(6, 6, 6, 6), m_rcItemIconPadding(0, 0, 0, 0), m_rcGroupIconPadding(0, 0, 0, 0),
      m_nHighlightStyle(tkpTaskHighlightClassic), m_bInsertAfterDropItem(FALSE), m_bScrollButtonsInCaptions(FALSE),
      m_bEmbossedDisabledText(FALSE), m_bShellBitmaps(FALSE), m_hExpandIconNormal(NULL), m_hExpandIconSpecial(NULL),
      m_bClosedClientFrame(FALSE), m_bRoundedCaptionLeft(FALSE), m_bRoundedCaptionRight(FALSE), m_nCaptionHeight(25),
      m_bCaptionFontFromSystem(TRUE), m_bItemFontsFromSystem(TRUE), m_nItemTextFormat(DT_WORDBREAK | DT_NOPREFIX),
      m_nCaptionTextFormat(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX), m_nCaptionTextLead(13),
      m_hMsImg32(NULL), m_pfnAlphaBlend(NULL), m_pfnAlphaBlendFound(NULL)
{
    for (HBITMAP& hBitmap : m_hShellBitmaps)
        hBitmap = NULL;
    m_hMsImg32 = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsImg32)
        m_pfnAlphaBlendFound = reinterpret_cast<AlphaBlendProc>(::GetProcAddress(m_hMsImg32, "AlphaBlend"));
    m_pfnAlphaBlend = m_pfnAlphaBlendFound;
}

CTKPTaskPanelTheme::~CTKPTaskPanelTheme()
{
    FreeCaptionButtonImages();
    if (m_hMsImg32)
        ::FreeLibrary(m_hMsImg32);
}

void CTKPTaskPanelTheme::EnableAlphaBlend(BOOL bEnable)
{
    m_pfnAlphaBlend = bEnable ? m_pfnAlphaBlendFound : NULL;
}

BOOL CTKPTaskPanelTheme::AlphaBlend(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
    int cxSrc, int cySrc, BLENDFUNCTION blend)
{
    return m_pfnAlphaBlend && m_pfnAlphaBlend(hdcDest, x, y, cx, cy, hdcSrc, xSrc, ySrc, cxSrc, cySrc, blend);
}

COLORREF CTKPTaskPanelTheme::BlendColors(COLORREF clrFirst, COLORREF clrSecond, int nWeight255)
{
    const int w = max(0, min(255, nWeight255));
    return RGB((GetRValue(clrFirst) * w + GetRValue(clrSecond) * (255 - w)) / 255,
        (GetGValue(clrFirst) * w + GetGValue(clrSecond) * (255 - w)) / 255,
        (GetBValue(clrFirst) * w + GetBValue(clrSecond) * (255 - w)) / 255);
}

COLORREF CTKPTaskPanelTheme::GetToolkitColor(int nIndex)
{
    return nIndex == COLOR_SCROLLBAR ? ::GetSysColor(COLOR_SCROLLBAR) : GetColorManager()->GetColor((UINT)nIndex);
}

int CTKPTaskPanelTheme::GetCurrentScheme()
{
    const CTKPColorManager* pManager = GetColorManager();
    return pManager->m_bDisableScheme ? 0 : pManager->GetCurrentColorScheme();
}

CFont* CTKPTaskPanelTheme::GetItemFont(BOOL bBold, BOOL bUnderline)
{
    if (bBold)
        return bUnderline ? &m_fntItemBoldUnderline : &m_fntItemBold;
    return bUnderline ? &m_fntItemUnderline : &m_fntItem;
}

void CTKPTaskPanelTheme::RefreshMetrics()
{
    CTKPColorManager::RefreshColorsThrottled();

    LOGFONT lf = {};
    ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
    if (m_bItemFontsFromSystem) {
        CFont* fonts[4] = {&m_fntItem, &m_fntItemBold, &m_fntItemUnderline, &m_fntItemBoldUnderline};
        for (int i = 0; i < 4; ++i) {
            LOGFONT lfItem = lf;
            lfItem.lfWeight = (i & 1) ? FW_BOLD : FW_NORMAL;
            lfItem.lfUnderline = (i & 2) ? TRUE : FALSE;
            fonts[i]->DeleteObject();
            fonts[i]->CreateFontIndirect(&lfItem);
        }
    }
    if (m_bCaptionFontFromSystem) {
        LOGFONT lfCaption = lf;
        lfCaption.lfWeight = m_bBoldCaption ? FW_BOLD : FW_NORMAL;
        lfCaption.lfUnderline = FALSE;
        m_fntCaption.DeleteObject();
        m_fntCaption.CreateFontIndirect(&lfCaption);
        m_nCaptionHeight = max(25, GetBlankHeight(&m_fntCaption));
    }

    m_clrBackground.SetStandardValue(GetToolkitColor(COLOR_WINDOW));

    m_groupNormal.clrHead.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
    m_groupNormal.clrHeadTextNormal.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
    m_groupNormal.clrHeadTextHot.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
    m_groupNormal.clrClient.SetStandardValue(GetToolkitColor(COLOR_WINDOW));
    m_groupNormal.clrClientBorder.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));

    m_groupSpecial.clrHead.SetStandardValue(GetToolkitColor(COLOR_ACTIVECAPTION));
    m_groupSpecial.clrHeadTextNormal.SetStandardValue(GetToolkitColor(COLOR_CAPTIONTEXT));
    m_groupSpecial.clrHeadTextHot.SetStandardValue(GetToolkitColor(COLOR_CAPTIONTEXT));
    m_groupSpecial.clrClient.SetStandardValue(GetToolkitColor(COLOR_WINDOW));
    m_groupSpecial.clrClientBorder.SetStandardValue(GetToolkitColor(COLOR_ACTIVECAPTION));

    for (CTKPTaskPanelGroupColors* pColors : {&m_groupNormal, &m_groupSpecial}) {
        pColors->clrClientText.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
        pColors->clrClientLink.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
        pColors->clrClientLinkHot.SetStandardValue(GetToolkitColor(COLOR_HIGHLIGHT));
        pColors->clrClientLinkSelected.SetStandardValue(GetToolkitColor(COLOR_HIGHLIGHT));
        pColors->dHeadGradientStart = 0;
    }
    m_bRoundedCaptionLeft = m_bRoundedCaptionRight = FALSE;

    if (m_nHighlightStyle != tkpTaskHighlightClassic) {
        const int nScheme = GetCurrentScheme();
        if (m_nHighlightStyle == tkpTaskHighlightScheme && nScheme != 0) {
            m_clrHighlightHot.SetStandardValue(RGB(255, 238, 194));
            m_clrHighlightSelected.SetStandardValue(RGB(255, 192, 111));
            m_clrHighlightSelectedHot.SetStandardValue(RGB(254, 128, 62));
            const COLORREF frames[3] = {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)};
            m_clrHighlightBorder.SetStandardValue(frames[nScheme == 2 ? 1 : nScheme == 3 ? 2 : 0]);
        } else {
            m_clrHighlightHot.SetStandardValue(GetToolkitColor(kColorHighlight));
            m_clrHighlightSelected.SetStandardValue(GetToolkitColor(kColorHighlightChecked));
            m_clrHighlightSelectedHot.SetStandardValue(GetToolkitColor(kColorHighlightPushed));
            m_clrHighlightBorder.SetStandardValue(GetToolkitColor(kColorHighlightBorder));
        }
    } else {
        m_clrHighlightHot.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
        m_clrHighlightSelected.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
        m_clrHighlightSelectedHot.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
        m_clrHighlightBorder.SetStandardValues(RGB(128, 128, 128), RGB(198, 198, 198));
    }
}

CTKPTaskPanelGroupColors* CTKPTaskPanelTheme::GetGroupColors(const CTKPTaskPanelGroup* pGroup)
{
    return pGroup && pGroup->IsSpecialGroup() ? &m_groupSpecial : &m_groupNormal;
}

// --- Geometry -----------------------------------------------------------------------------------

CRect CTKPTaskPanelTheme::GetItemOuterMargins(const CTKPTaskPanelGroupItem* pItem) const
{
    return pItem ? TKPResolveMargins(pItem->GetMargins(), m_rcItemOuterMargins) : m_rcItemOuterMargins;
}

CRect CTKPTaskPanelTheme::GetItemInnerMargins(const CTKPTaskPanelGroupItem*) const
{
    return m_rcItemInnerMargins;
}

CRect CTKPTaskPanelTheme::GetGroupOuterMargins(const CTKPTaskPanelGroup* pGroup) const
{
    return pGroup ? TKPResolveMargins(pGroup->GetOuterMargins(), m_rcGroupOuterMargins) : m_rcGroupOuterMargins;
}

CRect CTKPTaskPanelTheme::GetGroupInnerMargins(const CTKPTaskPanelGroup* pGroup) const
{
    return pGroup ? TKPResolveMargins(pGroup->GetInnerMargins(), m_rcGroupInnerMargins) : m_rcGroupInnerMargins;
}

CRect CTKPTaskPanelTheme::GetItemIconPadding(const CTKPTaskPanelItem* pItem) const
{
    if (pItem == NULL)
        return m_rcItemIconPadding;
    return TKPResolveMargins(pItem->GetIconPadding(), pItem->IsGroup() ? m_rcGroupIconPadding : m_rcItemIconPadding);
}

CRect CTKPTaskPanelTheme::GetControlMargins(const CTKPTaskPanel* pPanel) const
{
    return pPanel ? TKPResolveMargins(pPanel->GetMargins(), m_rcControlMargins) : m_rcControlMargins;
}

int CTKPTaskPanelTheme::GetGroupSpacing(const CTKPTaskPanel* pPanel) const
{
    if (pPanel && pPanel->GetGroupSpacingSetting() != TKP_TASKPANEL_DEFAULT)
        return pPanel->GetGroupSpacingSetting();
    return m_nGroupSpacing;
}

CPoint CTKPTaskPanelTheme::GetItemTextOffset(const CTKPTaskPanelItem* pItem) const
{
    const CTKPTaskPanelGroupItem* pGroupItem =
        DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, const_cast<CTKPTaskPanelItem*>(pItem));
    if (pGroupItem && pGroupItem->IsItemSelected() && m_nHighlightStyle == tkpTaskHighlightClassic)
        return CPoint(1, 1);
    return CPoint(0, 0);
}

// --- Small drawing helpers ----------------------------------------------------------------------

void CTKPTaskPanelTheme::FillRect(CDC* pDC, const CRect& rc, COLORREF clr)
{
    if (clr != (COLORREF)-1)
        pDC->FillSolidRect(rc, clr);
}

void CTKPTaskPanelTheme::Draw3dFrame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    pDC->Draw3dRect(rc, clrTopLeft, clrBottomRight);
}

void CTKPTaskPanelTheme::DrawDoubleChevron(CDC* pDC, CRect rc, BOOL bUp, COLORREF clr)
{
    // Two chevrons of 7 x 4 pixels, 4 pixels apart, each two pixels thick.
    const int cx = rc.left + rc.Width() / 2;
    const int cy = rc.top + rc.Height() / 2;
    CTKPPenSelector pen(pDC->GetSafeHdc(), clr);
    for (int nChevron = 0; nChevron < 2; ++nChevron) {
        const int yTip = bUp ? cy - 4 + nChevron * 4 : cy + 3 - nChevron * 4;
        const int dy = bUp ? 1 : -1;
        for (int nLine = 0; nLine < 2; ++nLine) {
            const int y = yTip + nLine * dy;
            pDC->MoveTo(cx - 3, y + 3 * dy);
            pDC->LineTo(cx, y);
            pDC->LineTo(cx + 4, y + 4 * dy);
        }
    }
}

// --- Panel and groups ---------------------------------------------------------------------------

void CTKPTaskPanelTheme::SetPanelColors(COLORREF clrPanel, COLORREF clrClient)
{
    m_clrBackground.SetStandardValue(clrPanel);
    m_groupNormal.clrClient.SetStandardValue(clrClient);
}

void CTKPTaskPanelTheme::SetItemTextColors(COLORREF clrText, COLORREF clrLink, COLORREF clrLinkHot)
{
    m_groupNormal.clrClientText.SetStandardValue(clrText);
    m_groupNormal.clrClientLink.SetStandardValue(clrLink);
    m_groupNormal.clrClientLinkHot.SetStandardValue(clrLinkHot);
    m_groupNormal.clrClientLinkSelected.SetStandardValue(clrLinkHot);
}

int CTKPTaskPanelTheme::GetBlankHeight(CFont* pFont)
{
    CWindowDC dc(NULL);
    CTKPFontSelector font(&dc, pFont);
    return dc.GetTextExtent(_T(" "), 1).cy;
}

CRect CTKPTaskPanelTheme::GetPanelFillRect(CTKPTaskPanel* pPanel)
{
    CRect rc;
    pPanel->GetClientRect(&rc);
    rc.bottom = max((int)rc.bottom + pPanel->GetScrollOffset(), pPanel->GetContentHeight());
    return rc;
}

void CTKPTaskPanelTheme::FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel)
{
    CTKPDrawingHelper::FillColorGradient(pDC, GetPanelFillRect(pPanel), &m_clrBackground, FALSE);
}

BOOL CTKPTaskPanelTheme::PrepareCaption(CDC* pDC, CTKPTaskPanelGroup* pGroup, const CRect& rc)
{
    if (rc.IsRectEmpty())
        return FALSE;
    if (!pGroup->IsCaptionVisible()) {
        FillRect(pDC, rc, GetGroupColors(pGroup)->clrClientBorder);
        return FALSE;
    }
    return TRUE;
}

void CTKPTaskPanelTheme::DrawCaptionFocus(CDC* pDC, CTKPTaskPanelGroup* pGroup, const CRect& rc)
{
    CTKPTaskPanel* pPanel = pGroup->GetTaskPanel();
    if (pGroup->IsItemFocused() && pPanel && pPanel->IsDrawFocusRect()) {
        CRect rcFocus = rc;
        rcFocus.DeflateRect(2, 2);
        DrawFocusRect(pDC, rcFocus);
    }
}

void CTKPTaskPanelTheme::DrawCaptionDropMarker(CDC* pDC, CTKPTaskPanelGroup* pGroup, const CRect& rc)
{
    if (pGroup->IsItemDragOver() && !(pGroup->IsExpanded() && pGroup->GetItems()->GetFirstVisibleItem()))
        DrawDropMarker(pDC, pGroup, rc, TRUE);
}

int CTKPTaskPanelTheme::GetCaptionButtonWidth(const CTKPTaskPanelGroup* pGroup, const CRect& rc) const
{
    if (pGroup == NULL || !pGroup->IsExpandable() || rc.Width() < 26)
        return 0;
    switch (m_nCaptionButtonStyle) {
    case tkpTaskCaptionButtonShell:
    case tkpTaskCaptionButtonBox:
        return 23;
    case tkpTaskCaptionButtonTriangle:
        return 19;
    default:
        return 0;
    }
}

CRect CTKPTaskPanelTheme::DrawCaptionButton(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    const int nWidth = GetCaptionButtonWidth(pGroup, rc);
    if (nWidth == 0)
        return rc;
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    const BOOL bHot = pGroup->IsItemHot();
    const BOOL bExpanded = pGroup->IsExpanded();
    const COLORREF clrText = bHot ? pColors->clrHeadTextHot : pColors->clrHeadTextNormal;
    const int nMiddle = rc.top + rc.Height() / 2;

    switch (m_nCaptionButtonStyle) {
    case tkpTaskCaptionButtonShell: {
        const CPoint pt(rc.right - 23, max(nMiddle - 10, (int)rc.top));
        if (m_bShellBitmaps) {
            const int nIndex = (pGroup->IsSpecialGroup() ? 4 : 0) + (bExpanded ? 0 : 2) + (bHot ? 1 : 0);
            BITMAP bm = {};
            ::GetObject(m_hShellBitmaps[nIndex], sizeof(bm), &bm);
            CDC dcBitmap;
            dcBitmap.CreateCompatibleDC(pDC);
            HGDIOBJ hOld = ::SelectObject(dcBitmap.GetSafeHdc(), m_hShellBitmaps[nIndex]);
            BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(pDC->GetSafeHdc(), pt.x, pt.y, bm.bmWidth, bm.bmHeight, dcBitmap.GetSafeHdc(), 0, 0, bm.bmWidth,
                bm.bmHeight, blend);
            ::SelectObject(dcBitmap.GetSafeHdc(), hOld);
        } else {
            HICON hIcon = pGroup->IsSpecialGroup() ? m_hExpandIconSpecial : m_hExpandIconNormal;
            if (hIcon)
                ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, 19, 19, 0, NULL, DI_NORMAL);
            DrawDoubleChevron(pDC, CRect(pt.x, pt.y, pt.x + 19, pt.y + 19), bExpanded, clrText);
        }
        break;
    }
    case tkpTaskCaptionButtonBox: {
        CRect rcBox(rc.right - 6 - 17, nMiddle - 8, rc.right - 6, nMiddle + 8);
        if (bHot)
            Draw3dFrame(pDC, rcBox, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        DrawDoubleChevron(pDC, rcBox, bExpanded, clrText);
        break;
    }
    case tkpTaskCaptionButtonTriangle: {
        // In the caption's text colour: the items' may vanish on a caption drawn as a button.
        const COLORREF clr = pColors->clrHeadTextNormal;
        const int x = rc.right - 19 + 5;
        if (bExpanded)
            CTKPDrawingHelper::DrawTriangle(pDC, CPoint(x, nMiddle - 2), CPoint(x + 8, nMiddle - 2),
                CPoint(x + 4, nMiddle + 2), clr);
        else
            CTKPDrawingHelper::DrawTriangle(pDC, CPoint(x + 2, nMiddle - 4), CPoint(x + 2, nMiddle + 4),
                CPoint(x + 6, nMiddle), clr);
        break;
    }
    }
    rc.right -= nWidth;
    return rc;
}

CRect CTKPTaskPanelTheme::DrawCaptionIcon(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    CRect rcText(rc.left + m_nCaptionTextLead, rc.top, rc.right, rc.bottom);
    CTKPTaskPanel* pPanel = pGroup->GetTaskPanel();
    const int nWidth = pPanel ? pPanel->GetCaptionIconSize().cx : 32;
    CTKPImageIcon* pImage = pGroup->GetImage(nWidth);
    if (pImage == NULL)
        return rcText;
    const CRect rcPadding = GetItemIconPadding(pGroup);
    const int cx = nWidth;
    const int cy = pImage->GetWidth() > 0 ? pImage->GetHeight() * nWidth / pImage->GetWidth() : nWidth;
    if (rc.left + rcPadding.left + cx + rcPadding.right > rc.right)
        return rcText;
    const int nBottom = min((int)rc.bottom, (int)(rc.top + rc.Height() / 2 + cy / 2)) - rcPadding.bottom;
    const CPoint pt(rc.left + rcPadding.left, nBottom - cy);
    DrawItemImage(pDC, pGroup, pt, pImage, CSize(cx, cy));
    rcText.left = pt.x + cx + rcPadding.right;
    return rcText;
}

void CTKPTaskPanelTheme::DrawCaptionText(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc, BOOL bHot)
{
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    if (pGroup->GetEnabled())
        pDC->SetTextColor(bHot ? pColors->clrHeadTextHot : pColors->clrHeadTextNormal);
    else
        pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
    CTKPFontSelector font(pDC, &m_fntCaption);
    DrawItemCaption(pDC, pGroup, rc, m_nCaptionTextFormat);
}

int CTKPTaskPanelTheme::DrawGroupCaption(CDC* pDC, CTKPTaskPanelGroup* pGroup, BOOL bDraw)
{
    if (!bDraw) {
        if (pGroup->IsCaptionVisible())
            return m_nCaptionHeight;
        return m_bClosedClientFrame ? 0 : 1;
    }
    const CRect rc = pGroup->GetCaptionRect();
    if (!PrepareCaption(pDC, pGroup, rc))
        return rc.Height();
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    const int nSaved = pDC->SaveDC();
    if (m_bRoundedCaptionLeft)
        pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 2, rc.top + 1);
    if (m_bRoundedCaptionRight)
        pDC->ExcludeClipRect(rc.right - 2, rc.top, rc.right, rc.top + 1);
    FillRect(pDC, rc, pColors->clrHead.m_clrLight);
    CRect rcGradient = rc;
    rcGradient.left += (int)(rc.Width() * pColors->dHeadGradientStart);
    CTKPDrawingHelper::GradientFill(pDC, rcGradient, pColors->clrHead.m_clrLight, pColors->clrHead.m_clrDark, TRUE);
    pDC->RestoreDC(nSaved);

    DrawCaptionFocus(pDC, pGroup, rc);
    CTKPFontSelector font(pDC, &m_fntCaption);
    CRect rcText = DrawCaptionButton(pDC, pGroup, rc);
    rcText = DrawCaptionIcon(pDC, pGroup, rcText);
    rcText.bottom += 2;
    DrawCaptionText(pDC, pGroup, rcText, pGroup->IsItemHot());
    DrawCaptionDropMarker(pDC, pGroup, rc);
    return rc.Height();
}

void CTKPTaskPanelTheme::DrawGroupClient(CDC* pDC, CTKPTaskPanelGroup* pGroup)
{
    const CRect rc = pGroup->GetClientRect();
    if (rc.IsRectEmpty())
        return;
    const int nFullHeight = max((int)rc.Height(), pGroup->GetClientHeight());
    const BOOL bMoving = pGroup->IsAnimating() || pGroup->IsExpanding();

    CDC dcMem;
    CBitmap bmp;
    if (!dcMem.CreateCompatibleDC(pDC) || !bmp.CreateCompatibleBitmap(pDC, rc.Width(), nFullHeight)) {
        DrawGroupClientFace(pDC, pGroup, rc);
        return;
    }
    CBitmap* pOldBitmap = dcMem.SelectObject(&bmp);
    // The face is drawn in content x and in y from the client top.
    dcMem.SetWindowOrg(rc.left, 0);
    DrawGroupClientFace(&dcMem, pGroup, CRect(rc.left, 0, rc.right, nFullHeight));
    dcMem.SetWindowOrg(0, 0);

    // Only the lower part is shown while the group opens or closes, so the content slides.
    const int ySource = nFullHeight - rc.Height();
    BOOL bDone = FALSE;
    if (bMoving && nFullHeight > 0) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, (BYTE)(rc.Height() * 255 / nFullHeight), 0};
        bDone = AlphaBlend(pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), dcMem.GetSafeHdc(), 0, ySource,
            rc.Width(), rc.Height(), blend);
    }
    if (!bDone)
        pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcMem, 0, ySource, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}

void CTKPTaskPanelTheme::DrawGroupClientFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    CTKPDrawingHelper::FillColorGradient(pDC, rc, &pColors->clrClient, FALSE);
    pGroup->DrawClientBitmap(pDC, rc.left, rc.top);
    if (pGroup->IsExpanded() || pGroup->IsAnimating() || pGroup->IsExpanding()) {
        const COLORREF clrBorder = pColors->clrClientBorder;
        if (clrBorder != (COLORREF)-1) {
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrBorder);
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBorder);
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBorder);
            if (m_bClosedClientFrame)
                pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrBorder);
        }
    }
    DrawGroupItems(pDC, pGroup, rc);
}

void CTKPTaskPanelTheme::DrawGroupItems(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    const int nOffset = rc.top - pGroup->GetItemScrollOffset();
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rc);
    for (int i = max(0, pGroup->GetFirstShownIndex()); i < pGroup->GetItemCount(); ++i) {
        CTKPTaskPanelGroupItem* pItem = pGroup->GetAt(i);
        if (!pItem->IsVisible())
            continue;
        CRect rcItem = pItem->GetItemRect();
        rcItem.OffsetRect(0, nOffset);
        if (rcItem.top >= rc.bottom)
            break;
        pItem->OnDrawItem(pDC, rcItem);
    }
    pDC->RestoreDC(nSaved);
}

// --- Items --------------------------------------------------------------------------------------

CRect CTKPTaskPanelTheme::DrawGroupItem(CDC* pDC, CTKPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw)
{
    CTKPTaskPanelGroup* pGroup = pItem->GetItemGroup();
    const int nLayout = pGroup ? pGroup->GetItemLayout() : tkpTaskItemLayoutImagesWithText;
    CRect rcItem;
    if (nLayout == tkpTaskItemLayoutImages)
        rcItem = DrawImageOnlyItem(pDC, pItem, rc, bDraw);
    else if (nLayout == tkpTaskItemLayoutImagesWithTextBelow)
        rcItem = DrawImageAboveTextItem(pDC, pItem, rc, bDraw);
    else
        rcItem = DrawImageAndTextItem(pDC, pItem, rc, bDraw);

    if (bDraw && pGroup) {
        if (pItem->IsItemDragOver() && !pItem->IsItemDragging())
            DrawDropMarker(pDC, pItem, rcItem, FALSE);
        else if (pGroup->IsItemDragOver() && pGroup->GetItems()->GetLastVisibleItem() == pItem)
            DrawDropMarker(pDC, pItem, rcItem, TRUE);
    }
    return rcItem;
}

CTKPTaskPanelTheme::ItemLook CTKPTaskPanelTheme::GetItemLook(CTKPTaskPanelGroupItem* pItem) const
{
    CTKPTaskPanelGroup* pGroup = pItem->GetItemGroup();
    CTKPTaskPanel* pPanel = pItem->GetTaskPanel();
    ItemLook look;
    look.nHotTrack = pPanel ? pPanel->GetHotTrackStyle() : tkpTaskHotTrackText;
    look.szIcon = pGroup ? pGroup->GetIconSize() : CSize(16, 16);
    look.pImage = pItem->GetType() == tkpTaskItemTypeControl ? NULL : pItem->GetImage(look.szIcon.cx);
    look.rcInner = GetItemInnerMargins(pItem);
    return look;
}

CFont* CTKPTaskPanelTheme::GetItemFont(CTKPTaskPanelGroupItem* pItem, const ItemLook& look)
{
    return GetItemFont(pItem->IsBold(), pItem->IsItemHot() && look.nHotTrack == tkpTaskHotTrackText);
}

CPoint CTKPTaskPanelTheme::DrawItemHighlight(CDC* pDC, CTKPTaskPanelGroupItem* pItem, const ItemLook& look,
    const CRect& rc)
{
    if (look.nHotTrack != tkpTaskHotTrackItem)
        return CPoint(0, 0);
    DrawItemFrame(pDC, pItem, rc);
    return GetItemTextOffset(pItem);
}

void CTKPTaskPanelTheme::DrawItemIcon(CDC* pDC, CTKPTaskPanelGroupItem* pItem, const ItemLook& look, CPoint ptImage)
{
    if (look.pImage == NULL)
        return;
    if (look.nHotTrack == tkpTaskHotTrackImage) {
        CRect rcFrame(ptImage, look.szIcon);
        rcFrame.InflateRect(2, 2);
        DrawItemFrame(pDC, pItem, rcFrame);
    }
    DrawItemImage(pDC, pItem, ptImage, look.pImage, look.szIcon);
}

CRect CTKPTaskPanelTheme::DrawImageAndTextItem(CDC* pDC, CTKPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw)
{
    const ItemLook look = GetItemLook(pItem);
    CTKPFontSelector font(pDC, GetItemFont(pItem, look));
    const CSize szIcon = look.szIcon;
    const CRect rcInner = look.rcInner;
    const BOOL bIconSpace = look.pImage != NULL || pItem->GetType() == tkpTaskItemTypeLink;
    const CRect rcPadding = GetItemIconPadding(pItem);
    const int nIconWidth = bIconSpace ? rcPadding.left + szIcon.cx + rcPadding.right : 0;
    const int nIconHeight = bIconSpace ? rcPadding.top + szIcon.cy + rcPadding.bottom : 0;

    if (!bDraw) {
        CRect rcText(rc.left + rcInner.left + nIconWidth, rc.top + rcInner.top, rc.right - rcInner.right, rc.top);
        if (rcText.right < rcText.left)
            rcText.right = rcText.left;
        const CString strCaption = pItem->GetMeasuredCaption();
        pDC->DrawText(strCaption, rcText, (m_nItemTextFormat | DT_CALCRECT) & ~(DT_CENTER | DT_VCENTER));
        const int nHeight = max((int)rcText.Height(), nIconHeight);
        const int nRight = min((int)rc.right, (int)(rcText.right + rcInner.right));
        return CRect(rc.left, rc.top, max(nRight, (int)(rc.left + rcInner.left + nIconWidth + rcInner.right)),
            rc.top + rcInner.top + nHeight + rcInner.bottom);
    }

    const CPoint ptOffset = DrawItemHighlight(pDC, pItem, look, rc);
    const CPoint ptImage(rc.left + rcInner.left + rcPadding.left + ptOffset.x,
        rc.top + rcInner.top + rcPadding.top + ptOffset.y);
    DrawItemIcon(pDC, pItem, look, ptImage);
    CRect rcText(rc.left + rcInner.left + nIconWidth, rc.top + rcInner.top, rc.right - rcInner.right,
        rc.bottom - rcInner.bottom);
    rcText.OffsetRect(ptOffset);
    DrawItemCaption(pDC, pItem, rcText, m_nItemTextFormat);
    // Framed when focused by keyboard, as in the icons-only layout: without the frame a link reached
    // with Tab showed no sign of the focus.
    DrawItemFocus(pDC, pItem, rc);
    return rc;
}

CRect CTKPTaskPanelTheme::DrawImageAboveTextItem(CDC* pDC, CTKPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw)
{
    const ItemLook look = GetItemLook(pItem);
    CTKPFontSelector font(pDC, GetItemFont(pItem, look));
    const CSize szIcon = look.szIcon;
    const CRect rcInner = look.rcInner;

    if (!bDraw) {
        CRect rcText(0, 0, max(0, (int)(rc.Width() - rcInner.left - rcInner.right)), 0);
        const CString strCaption = pItem->GetMeasuredCaption();
        pDC->DrawText(strCaption, rcText, (m_nItemTextFormat | DT_CALCRECT | DT_CENTER) & ~DT_VCENTER);
        int nWidth = max((int)rcText.Width(), (int)(szIcon.cx + 4));
        nWidth = min(nWidth, (int)rc.Width());
        if (look.nHotTrack == tkpTaskHotTrackItem)
            nWidth = rc.Width();
        const int nHeight = szIcon.cy + 3 + rcText.Height() + rcInner.top + rcInner.bottom;
        const int nLeft = rc.left + (rc.Width() - nWidth) / 2;
        return CRect(nLeft, rc.top, nLeft + nWidth, rc.top + nHeight);
    }

    const CPoint ptOffset = DrawItemHighlight(pDC, pItem, look, rc);
    const CPoint ptImage(rc.left + (rc.Width() - szIcon.cx) / 2 + ptOffset.x, rc.top + rcInner.top + ptOffset.y);
    DrawItemIcon(pDC, pItem, look, ptImage);
    // The caption spans the item's whole width: the item is only as wide as the measured caption, so
    // inner margins here would cut it.
    CRect rcText(rc.left, ptImage.y + szIcon.cy + 3, rc.right, rc.bottom - rcInner.bottom);
    rcText.OffsetRect(ptOffset.x, 0);
    DrawItemCaption(pDC, pItem, rcText, m_nItemTextFormat | DT_CENTER);
    // Framed when focused by keyboard, as in the icons-only layout: without the frame a link reached
    // with Tab showed no sign of the focus.
    DrawItemFocus(pDC, pItem, rc);
    return rc;
}

CRect CTKPTaskPanelTheme::DrawImageOnlyItem(CDC* pDC, CTKPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw)
{
    CTKPTaskPanelGroup* pGroup = pItem->GetItemGroup();
    CTKPTaskPanel* pPanel = pItem->GetTaskPanel();
    const CSize szIcon = pGroup ? pGroup->GetIconSize() : CSize(16, 16);
    const CRect rcInner = GetItemInnerMargins(pItem);
    const int cx = szIcon.cx + rcInner.left + rcInner.right;
    const int cy = szIcon.cy + rcInner.top + rcInner.bottom;
    CRect rcCell(rc.left + (rc.Width() - cx) / 2, rc.top, rc.left + (rc.Width() - cx) / 2 + cx, rc.top + cy);
    if (!bDraw)
        return rcCell;
    CPoint ptOffset(0, 0);
    if (pPanel == NULL || pPanel->GetHotTrackStyle() != tkpTaskHotTrackNone) {
        DrawItemFrame(pDC, pItem, rcCell);
        ptOffset = GetItemTextOffset(pItem);
    }
    CTKPImageIcon* pImage = pItem->GetImage(szIcon.cx);
    if (pImage)
        DrawItemImage(pDC, pItem,
            CPoint(rcCell.left + rcInner.left + ptOffset.x, rcCell.top + rcInner.top + ptOffset.y), pImage, szIcon);
    DrawItemFocus(pDC, pItem, rcCell);
    return rcCell;
}

void CTKPTaskPanelTheme::DrawItemFocus(CDC* pDC, CTKPTaskPanelGroupItem* pItem, const CRect& rc)
{
    CTKPTaskPanel* pPanel = pItem->GetTaskPanel();
    if (pItem->IsItemFocused() && pPanel && pPanel->IsDrawFocusRect())
        DrawFocusRect(pDC, rc);
}

void CTKPTaskPanelTheme::DrawItemCaption(CDC* pDC, CTKPTaskPanelItem* pItem, CRect rc, UINT nFormat)
{
    pDC->SetBkMode(TRANSPARENT);
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pItem->GetItemGroup());
    CTKPTaskPanel* pPanel = pItem->GetTaskPanel();
    pItem->SetTextRect(pDC, rc, nFormat);
    CRect rcText = pItem->GetTextRect();
    const CString strCaption = pItem->GetCaption();

    if (!pItem->GetEnabled()) {
        if (m_bEmbossedDisabledText) {
            pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
            CRect rcEmboss = rcText;
            rcEmboss.OffsetRect(1, 1);
            pDC->DrawText(strCaption, rcEmboss, nFormat & ~DT_VCENTER);
        }
        pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
    } else if (!pItem->IsGroup()) {
        COLORREF clr = pColors->clrClientText;
        if (pItem->GetType() == tkpTaskItemTypeLink) {
            const int nHotTrack = pPanel ? pPanel->GetHotTrackStyle() : tkpTaskHotTrackText;
            const CTKPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, pItem);
            const BOOL bSelected = pGroupItem && pGroupItem->IsItemSelected();
            clr = pColors->clrClientLink;
            if (nHotTrack == tkpTaskHotTrackText && pItem->IsItemHot())
                clr = pColors->clrClientLinkHot;
            else if (nHotTrack == tkpTaskHotTrackItem && (pItem->IsItemHot() || bSelected))
                clr = pColors->clrClientLinkSelected;
        }
        pDC->SetTextColor(clr);
    }
    pDC->DrawText(strCaption, rcText, nFormat & ~DT_VCENTER);
}

void CTKPTaskPanelTheme::DrawItemFrame(CDC* pDC, CTKPTaskPanelItem* pItem, CRect rc)
{
    const CTKPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, pItem);
    const BOOL bSelected = pGroupItem && pGroupItem->IsItemSelected();
    const BOOL bHot = pItem->IsItemHot();
    const BOOL bPressed = pItem->IsItemPressed();
    if (m_nHighlightStyle != tkpTaskHighlightClassic) {
        COLORREF clrFill = (COLORREF)-1;
        if (bSelected && !bHot && !bPressed)
            clrFill = m_clrHighlightSelected;
        else if ((bSelected && bHot) || (bHot && bPressed))
            clrFill = m_clrHighlightSelectedHot;
        else if (bHot || bPressed)
            clrFill = m_clrHighlightHot;
        if (clrFill != (COLORREF)-1) {
            pDC->FillSolidRect(rc, clrFill);
            const COLORREF clrBorder = m_clrHighlightBorder.m_clrLight;
            pDC->Draw3dRect(rc, clrBorder, clrBorder);
        }
        return;
    }
    if (bSelected)
        pDC->FillSolidRect(rc, m_clrHighlightHot);
    if (bPressed || bSelected)
        Draw3dFrame(pDC, rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (bHot)
        Draw3dFrame(pDC, rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

void CTKPTaskPanelTheme::DrawItemImage(CDC* pDC, CTKPTaskPanelItem* pItem, CPoint pt, CTKPImageIcon* pImage,
    CSize szIcon)
{
    if (pImage == NULL)
        return;
    const CTKPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, pItem);
    if (!pItem->GetEnabled())
        pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), szIcon.cx, szIcon.cy);
    else if (pItem->IsItemHot() || pItem->IsItemPressed())
        pImage->Draw(pDC, pt, pImage->GetHotIcon(), szIcon.cx, szIcon.cy);
    else if (pGroupItem && pGroupItem->IsItemSelected())
        pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), szIcon.cx, szIcon.cy);
    else
        pImage->Draw(pDC, pt, pImage->GetIcon(), szIcon.cx, szIcon.cy);
}

void CTKPTaskPanelTheme::DrawFocusRect(CDC* pDC, CRect rc)
{
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rc);
}

void CTKPTaskPanelTheme::DrawDropMarker(CDC* pDC, CTKPTaskPanelItem* pItem, CRect rc, BOOL bAfter)
{
    // A two-pixel line across the item with ticks at both ends that taper toward the middle.
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pItem->GetItemGroup());
    const COLORREF clr = pColors->clrClientText;
    const int y = bAfter ? rc.bottom - 1 : rc.top - 1;
    const int nLeft = rc.left + 1;
    const int nRight = rc.right - 1;
    if (nRight - nLeft < 8)
        return;
    pDC->FillSolidRect(nLeft, y, nRight - nLeft, 2, clr);
    for (int i = 0; i < 3; ++i) {
        const int nHalf = 3 - i;
        pDC->FillSolidRect(nLeft + i, y - nHalf, 1, 2 + 2 * nHalf, clr);
        pDC->FillSolidRect(nRight - 1 - i, y - nHalf, 1, 2 + 2 * nHalf, clr);
    }
}

void CTKPTaskPanelTheme::DrawScrollButton(CDC* pDC, CTKPTaskPanelScrollButton* pButton)
{
    if (pButton == NULL || !pButton->IsVisible())
        return;
    const CRect rc = pButton->rcButton;
    if (m_nHighlightStyle == tkpTaskHighlightClassic || m_bScrollButtonsInCaptions) {
        pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
        if (pButton->bPressed)
            Draw3dFrame(pDC, rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        else
            Draw3dFrame(pDC, rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    } else {
        COLORREF clrFill = GetGroupColors(pButton->pGroupScroll)->clrClient.m_clrDark;
        if (pButton->bPressed)
            clrFill = m_clrHighlightSelectedHot;
        else if (pButton->bHot)
            clrFill = m_clrHighlightHot;
        pDC->FillSolidRect(rc, clrFill);
        pDC->Draw3dRect(rc, m_clrHighlightBorder.m_clrLight, m_clrHighlightBorder.m_clrLight);
    }
    const int cx = rc.left + rc.Width() / 2;
    const int cy = rc.top + rc.Height() / 2;
    const int dy = pButton->bScrollUp ? -1 : 1;
    // An 8 x 4 triangle pointing up or down.
    const CPoint pt0(cx - 4, cy - 2 * dy), pt1(cx + 4, cy - 2 * dy), pt2(cx, cy + 2 * dy);
    if (pButton->bEnabled) {
        CTKPDrawingHelper::DrawTriangle(pDC, pt0, pt1, pt2, RGB(0, 0, 0));
    } else {
        const CPoint shift(1, 1);
        CTKPDrawingHelper::DrawTriangle(pDC, pt0 + shift, pt1 + shift, pt2 + shift, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CTKPDrawingHelper::DrawTriangle(pDC, pt0, pt1, pt2, ::GetSysColor(COLOR_BTNSHADOW));
    }
}
