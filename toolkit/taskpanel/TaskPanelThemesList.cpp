// Themes 1 to 6: the Office task pane, the Explorer bar and the plain lists.
#include <algorithm>

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/taskpanel/TaskPanel.h"
#include "toolkit/taskpanel/TaskPanelThemes.h"

using std::max;
using std::min;

namespace {

COLORREF SysColor(int nIndex)
{
    return CTKPTaskPanelTheme::GetToolkitColor(nIndex);
}

// Channel-wise mix in per cent of the first colour, as the colour manager blends.
COLORREF BlendPercent(COLORREF clrFirst, COLORREF clrSecond, int nPercent)
{
    return CTKPColorTable::BlendColors(clrFirst, clrSecond, nPercent);
}

// The Explorer bar's colours of one Windows XP scheme.
struct ExplorerColors {
    COLORREF panelLight, panelDark;
    COLORREF captionLight, captionDark, captionText, captionTextHot;
    COLORREF client, clientBorder;
    COLORREF specialLight, specialDark, specialText, specialTextHot;
    COLORREF link, linkHot;
};

const ExplorerColors kExplorerSchemes[3] = {
    // blue
    {RGB(123, 162, 231), RGB(99, 117, 214), RGB(255, 255, 255), RGB(198, 211, 247), RGB(33, 93, 198), RGB(66, 142, 255),
        RGB(214, 223, 247), RGB(255, 255, 255), RGB(0, 73, 181), RGB(41, 93, 206), RGB(255, 255, 255),
        RGB(66, 142, 255), RGB(33, 93, 198), RGB(66, 142, 255)},
    // olive
    {RGB(204, 217, 173), RGB(165, 189, 132), RGB(255, 255, 255), RGB(224, 231, 184), RGB(86, 102, 45),
        RGB(114, 146, 29), RGB(246, 246, 236), RGB(255, 255, 255), RGB(119, 140, 64), RGB(150, 168, 103),
        RGB(255, 255, 255), RGB(224, 231, 184), RGB(86, 102, 45), RGB(114, 146, 29)},
    // silver
    {RGB(196, 200, 212), RGB(177, 179, 200), RGB(255, 255, 255), RGB(214, 215, 224), RGB(63, 61, 61),
        RGB(126, 124, 124), RGB(240, 241, 245), RGB(255, 255, 255), RGB(119, 119, 146), RGB(180, 182, 199),
        RGB(255, 255, 255), RGB(230, 230, 230), RGB(63, 61, 61), RGB(126, 124, 124)},
};

// Explorer bar colours made from the system colours, for desktops without a scheme.
ExplorerColors SystemExplorerColors()
{
    const COLORREF face = SysColor(COLOR_BTNFACE), window = SysColor(COLOR_WINDOW);
    const COLORREF caption = SysColor(COLOR_ACTIVECAPTION), highlight = SysColor(COLOR_HIGHLIGHT);
    ExplorerColors c;
    c.panelLight = CTKPTaskPanelTheme::BlendColors(caption, window, 110);
    c.panelDark = CTKPTaskPanelTheme::BlendColors(caption, window, 160);
    c.captionLight = window;
    c.captionDark = CTKPTaskPanelTheme::BlendColors(face, window, 160);
    c.captionText = SysColor(COLOR_BTNTEXT);
    c.captionTextHot = highlight;
    c.client = CTKPTaskPanelTheme::BlendColors(face, window, 90);
    c.clientBorder = window;
    c.specialLight = caption;
    c.specialDark = CTKPTaskPanelTheme::BlendColors(caption, window, 200);
    c.specialText = SysColor(COLOR_CAPTIONTEXT);
    c.specialTextHot = CTKPTaskPanelTheme::BlendColors(SysColor(COLOR_CAPTIONTEXT), caption, 180);
    c.link = SysColor(COLOR_BTNTEXT);
    c.linkHot = highlight;
    return c;
}

const ExplorerColors& CurrentExplorerColors(int nScheme, ExplorerColors& system)
{
    if (nScheme >= 1 && nScheme <= 3)
        return kExplorerSchemes[nScheme - 1];
    system = SystemExplorerColors();
    return system;
}

}  // namespace

CTKPTaskPanelTheme* TKPCreateTaskPanelTheme(int nTheme)
{
    switch (nTheme) {
    case 0:
        return new CTKPTaskPanelTheme;
    case 1:
        return new CTKPTaskPanelTheme1;
    case 3:
        return new CTKPTaskPanelTheme3;
    case 4:
        return new CTKPTaskPanelTheme4;
    case 5:
        return new CTKPTaskPanelTheme5;
    case 6:
        return new CTKPTaskPanelTheme6;
    case 7:
        return new CTKPTaskPanelTheme7;
    case 8:
        return new CTKPTaskPanelTheme8;
    case 9:
        return new CTKPTaskPanelTheme9;
    case 10:
        return new CTKPTaskPanelTheme10;
    case 11:
        return new CTKPTaskPanelTheme11;
    case 12:
        return new CTKPTaskPanelTheme12;
    default:
        return new CTKPTaskPanelTheme2;
    }
}

// --- Theme 1 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme1::CTKPTaskPanelTheme1()
{
    m_rcControlMargins.SetRect(8, 8, 0, 8);
    m_nHighlightStyle = tkpTaskHighlightScheme;
    m_nCaptionButtonStyle = tkpTaskCaptionButtonNone;
    m_bCaptionFontFromSystem = FALSE;
}

void CTKPTaskPanelTheme1::RefreshMetrics()
{
    CTKPTaskPanelTheme::RefreshMetrics();

    LOGFONT lf = {};
    ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
    if (CTKPDrawingHelper::FontExists(_T("Tahoma")))
        lstrcpyn(lf.lfFaceName, _T("Tahoma"), LF_FACESIZE);
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = 18;
    lf.lfUnderline = FALSE;
    m_fntCaption.DeleteObject();
    m_fntCaption.CreateFontIndirect(&lf);
    m_nCaptionHeight = max(20, GetBlankHeight(&m_fntCaption));

    const COLORREF face = SysColor(COLOR_BTNFACE), window = SysColor(COLOR_WINDOW);
    switch (GetCurrentScheme()) {
    case 1:
        m_groupNormal.clrHead.SetStandardValues(RGB(227, 239, 255), RGB(135, 173, 228));
        m_groupNormal.clrClient.SetStandardValues(RGB(240, 246, 255), RGB(214, 229, 251));
        m_clrBackground.SetStandardValues(RGB(214, 229, 251), RGB(214, 229, 251));
        break;
    case 2:
        m_groupNormal.clrHead.SetStandardValues(RGB(244, 247, 222), RGB(183, 198, 145));
        m_groupNormal.clrClient.SetStandardValues(RGB(251, 252, 243), RGB(236, 240, 213));
        m_clrBackground.SetStandardValues(RGB(236, 240, 213), RGB(236, 240, 213));
        break;
    case 3:
        m_groupNormal.clrHead.SetStandardValues(RGB(248, 248, 250), RGB(183, 183, 204));
        m_groupNormal.clrClient.SetStandardValues(RGB(252, 252, 253), RGB(232, 232, 240));
        m_clrBackground.SetStandardValues(RGB(232, 232, 240), RGB(232, 232, 240));
        break;
    default:
        m_groupNormal.clrHead.SetStandardValues(BlendPercent(face, window, 20), BlendPercent(face, window, 90));
        m_groupNormal.clrClient.SetStandardValues(window, BlendPercent(face, window, 30));
        m_clrBackground.SetStandardValue(BlendPercent(face, window, 30));
        break;
    }
    m_groupNormal.clrClientBorder.SetStandardValue(m_groupNormal.clrHead.m_clrDark.GetEffective());
}

CTKPTaskPanelGroupColors* CTKPTaskPanelTheme1::GetGroupColors(const CTKPTaskPanelGroup*)
{
    return &m_groupNormal;
}

// --- Theme 2 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme2::CTKPTaskPanelTheme2()
{
    m_nHighlightStyle = tkpTaskHighlightScheme;
    m_nCaptionButtonStyle = tkpTaskCaptionButtonShell;
}

void CTKPTaskPanelTheme2::RefreshMetrics()
{
    CTKPTaskPanelTheme::RefreshMetrics();
    ExplorerColors system;
    const ExplorerColors& c = CurrentExplorerColors(GetCurrentScheme(), system);
    m_clrBackground.SetStandardValues(c.panelLight, c.panelDark);
    m_groupNormal.clrHead.SetStandardValues(c.captionLight, c.captionDark);
    m_groupNormal.dHeadGradientStart = 0.5;
    m_groupNormal.clrHeadTextNormal.SetStandardValue(c.captionText);
    m_groupNormal.clrHeadTextHot.SetStandardValue(c.captionTextHot);
    m_groupNormal.clrClient.SetStandardValue(c.client);
    m_groupNormal.clrClientBorder.SetStandardValue(c.clientBorder);
    m_groupSpecial.clrHead.SetStandardValues(c.specialLight, c.specialDark);
    m_groupSpecial.dHeadGradientStart = 0.5;
    m_groupSpecial.clrHeadTextNormal.SetStandardValue(c.specialText);
    m_groupSpecial.clrHeadTextHot.SetStandardValue(c.specialTextHot);
    m_groupSpecial.clrClient.SetStandardValue(c.client);
    m_groupSpecial.clrClientBorder.SetStandardValue(c.clientBorder);
    for (CTKPTaskPanelGroupColors* pColors : {&m_groupNormal, &m_groupSpecial}) {
        pColors->clrClientLink.SetStandardValue(c.link);
        pColors->clrClientLinkHot.SetStandardValue(c.linkHot);
        pColors->clrClientLinkSelected.SetStandardValue(c.linkHot);
    }
    m_bRoundedCaptionLeft = m_bRoundedCaptionRight = TRUE;
    LoadShellBitmaps();
}

// --- Theme 3 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme3::CTKPTaskPanelTheme3() : m_bRoundedFrame(TRUE), m_bCaptionLine(FALSE), m_nCaptionInset(13)
{
    m_nCaptionButtonStyle = tkpTaskCaptionButtonTriangle;
    m_nCaptionTextFormat = DT_WORDBREAK | DT_NOPREFIX;
    m_rcGroupIconPadding.SetRect(0, 0, 3, 0);
}

void CTKPTaskPanelTheme3::RefreshMetrics()
{
    CTKPTaskPanelTheme::RefreshMetrics();
    SetPanelColors(SysColor(COLOR_SCROLLBAR), SysColor(COLOR_WINDOW));
    m_groupNormal.clrHead.SetStandardValue(SysColor(COLOR_BTNFACE));
    m_groupNormal.clrHeadTextNormal.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_groupNormal.clrHeadTextHot.SetStandardValue(SysColor(COLOR_BTNTEXT));
    SetItemTextColors(SysColor(COLOR_BTNTEXT), SysColor(COLOR_BTNTEXT), SysColor(COLOR_HIGHLIGHT));
    m_groupNormal.clrClientBorder.SetStandardValue(SysColor(COLOR_BTNSHADOW));
}

CTKPTaskPanelGroupColors* CTKPTaskPanelTheme3::GetGroupColors(const CTKPTaskPanelGroup*)
{
    return &m_groupNormal;
}

void CTKPTaskPanelTheme3::FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel)
{
    CTKPTaskPanelTheme::FillTaskPanel(pDC, pPanel);
    if (!m_bRoundedFrame)
        return;
    // One rounded rectangle around the span of the visible groups.
    CRect rcSpan(0, 0, 0, 0);
    for (int i = 0; i < pPanel->GetGroupCount(); ++i) {
        const CTKPTaskPanelGroup* pGroup = pPanel->GetAt(i);
        if (!pGroup->IsVisible())
            continue;
        if (rcSpan.IsRectEmpty())
            rcSpan = pGroup->GetCurrentRect();
        else
            rcSpan.UnionRect(rcSpan, pGroup->GetCurrentRect());
    }
    if (rcSpan.IsRectEmpty())
        return;
    rcSpan.InflateRect(1, 3, 1, 8);
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(NULL);
    CTKPPenSelector pen(pDC->GetSafeHdc(), pColors->clrClientBorder);
    CTKPBrushSelector brush(pDC->GetSafeHdc(), pColors->clrClient.m_clrDark);
    pDC->RoundRect(rcSpan, CPoint(10, 10));
}

CRect CTKPTaskPanelTheme3::GetCaptionTextRect(const CRect& rcCaption) const
{
    return CRect(rcCaption.left + m_nCaptionInset, rcCaption.top, rcCaption.right - m_nCaptionInset, rcCaption.bottom);
}

int CTKPTaskPanelTheme3::DrawGroupCaption(CDC* pDC, CTKPTaskPanelGroup* pGroup, BOOL bDraw)
{
    if (!bDraw) {
        if (!pGroup->IsCaptionVisible() || (m_nCaptionTextFormat & DT_SINGLELINE))
            return CTKPTaskPanelTheme::DrawGroupCaption(pDC, pGroup, FALSE);
        // The word-wrapped caption sets the height.
        CRect rcCaption = pGroup->GetTargetCaptionRect();
        CRect rcText = GetCaptionTextRect(rcCaption);
        rcText.right -= GetCaptionButtonWidth(pGroup, rcCaption);
        rcText.bottom = rcText.top;
        if (rcText.right <= rcText.left)
            rcText.right = rcText.left + 1;
        CTKPFontSelector font(pDC, &m_fntCaption);
        pDC->DrawText(pGroup->GetMeasuredCaption(), rcText, m_nCaptionTextFormat | DT_CALCRECT);
        return max(18, (int)rcText.Height() + 10);
    }
    const CRect rc = pGroup->GetCaptionRect();
    if (!PrepareCaption(pDC, pGroup, rc))
        return rc.Height();
    if (m_bCaptionLine)
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetGroupColors(pGroup)->clrHead.m_clrDark);
    DrawCaptionFocus(pDC, pGroup, rc);
    CTKPFontSelector font(pDC, &m_fntCaption);
    CRect rcText = GetCaptionTextRect(DrawCaptionButton(pDC, pGroup, rc));
    rcText.left -= m_nCaptionInset;
    rcText = DrawCaptionIcon(pDC, pGroup, rcText);
    rcText.left = max((int)rcText.left, (int)(rc.left + m_nCaptionInset));
    DrawCaptionText(pDC, pGroup, rcText, pGroup->IsItemHot());
    DrawCaptionDropMarker(pDC, pGroup, rc);
    return rc.Height();
}

void CTKPTaskPanelTheme3::DrawGroupClientFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    CTKPDrawingHelper::FillColorGradient(pDC, rc, &pColors->clrClient, FALSE);
    pGroup->DrawClientBitmap(pDC, rc.left, rc.top);
    DrawGroupItems(pDC, pGroup, rc);
}

// --- Theme 4 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme4::CTKPTaskPanelTheme4()
{
    m_bRoundedFrame = FALSE;
    m_bCaptionLine = TRUE;
    m_nCaptionInset = 2;
    m_nCaptionButtonStyle = tkpTaskCaptionButtonNone;
    m_nHighlightStyle = tkpTaskHighlightToolkit;
}

void CTKPTaskPanelTheme4::RefreshMetrics()
{
    CTKPTaskPanelTheme3::RefreshMetrics();
    SetPanelColors(SysColor(COLOR_WINDOW), SysColor(COLOR_WINDOW));
    m_groupNormal.clrHead.SetStandardValue(SysColor(COLOR_BTNSHADOW));
    SetItemTextColors(SysColor(COLOR_BTNTEXT), RGB(0, 0, 255), RGB(0, 0, 255));
}

// --- Theme 5 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme5::CTKPTaskPanelTheme5()
{
    m_nHighlightStyle = tkpTaskHighlightScheme;
}

void CTKPTaskPanelTheme5::RefreshMetrics()
{
    CTKPTaskPanelTheme4::RefreshMetrics();
    COLORREF clrPanel, clrCaption;
    switch (GetCurrentScheme()) {
    case 1:
        clrPanel = RGB(221, 236, 254);
        clrCaption = RGB(123, 164, 224);
        break;
    case 2:
        clrPanel = RGB(243, 244, 234);
        clrCaption = RGB(153, 174, 110);
        break;
    case 3:
        clrPanel = RGB(238, 238, 244);
        clrCaption = RGB(165, 164, 189);
        break;
    default:
        clrPanel = BlendPercent(SysColor(COLOR_BTNFACE), SysColor(COLOR_WINDOW), 50);
        clrCaption = SysColor(COLOR_BTNSHADOW);
        break;
    }
    m_clrBackground.SetStandardValue(clrPanel);
    m_groupNormal.clrClient.SetStandardValue(clrPanel);
    m_groupNormal.clrHead.SetStandardValue(clrCaption);
}

// --- Theme 6 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme6::CTKPTaskPanelTheme6()
{
    m_nHighlightStyle = tkpTaskHighlightScheme;
    m_nCaptionButtonStyle = tkpTaskCaptionButtonShell;
}

void CTKPTaskPanelTheme6::RefreshMetrics()
{
    CTKPTaskPanelTheme3::RefreshMetrics();
    ExplorerColors system;
    const ExplorerColors& c = CurrentExplorerColors(GetCurrentScheme(), system);
    m_clrBackground.SetStandardValues(c.panelLight, c.panelDark);
    m_groupNormal.clrClient.SetStandardValue(c.client);
    m_groupNormal.clrHeadTextNormal.SetStandardValue(SysColor(COLOR_WINDOW));
    m_groupNormal.clrHeadTextHot.SetStandardValue(SysColor(COLOR_WINDOW));
    // Text lines in the link colour: they stand on the light client colour that also fills the
    // rounded frame, where white would not show.
    SetItemTextColors(c.link, c.link, c.linkHot);
    m_groupNormal.clrClientBorder.SetStandardValue(c.panelDark);
    LoadShellBitmaps();
}

CRect CTKPTaskPanelTheme6::DrawCaptionButton(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    // The button stands beside the first line of the wrapped caption, not at the caption's middle.
    const int nWidth = GetCaptionButtonWidth(pGroup, rc);
    if (nWidth == 0)
        return rc;
    CRect rcButton(rc.left, rc.top + 2, rc.right, min((int)rc.bottom, (int)(rc.top + 2 + 20)));
    CTKPTaskPanelTheme::DrawCaptionButton(pDC, pGroup, rcButton);
    rc.right -= nWidth;
    return rc;
}
