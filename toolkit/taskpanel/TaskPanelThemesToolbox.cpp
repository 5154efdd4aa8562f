// Themes 7 to 12: captions drawn as buttons, in a toolbox and in a button bar.
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

// Toolkit colours of the colour manager.
enum ToolkitColor {
    kColorToolbarFace = 30,
    kColorHighlight = 31,
    kColorHighlightPushed = 33,
    kColorCaptionFrame = 54,
};

const CTKPColorGradient& ManagerGradient(int nIndex)
{
    return GetColorManager()->m_gradients[nIndex];
}

void FillVertical(CDC* pDC, const CRect& rc, const CTKPColorGradient& gradient)
{
    CTKPDrawingHelper::GradientFill(pDC, rc, gradient.m_clrLight, gradient.m_clrDark, FALSE);
}

}  // namespace

// --- Theme 7 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme7::CTKPTaskPanelTheme7()
{
    m_bRoundedFrame = FALSE;
    m_nCaptionInset = 0;
    m_rcGroupInnerMargins.SetRect(0, 4, 0, 2);
    m_rcControlMargins.SetRect(2, 2, 2, 2);
    m_nGroupSpacing = 1;
    m_bBoldCaption = FALSE;
    m_nHighlightStyle = tkpTaskHighlightClassic;
    m_bInsertAfterDropItem = TRUE;
    m_bScrollButtonsInCaptions = TRUE;
    m_rcGroupIconPadding.SetRect(2, 2, 0, 2);
    m_nCaptionTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
}

void CTKPTaskPanelTheme7::RefreshMetrics()
{
    CTKPTaskPanelTheme3::RefreshMetrics();
    const COLORREF face = SysColor(COLOR_BTNFACE);
    SetPanelColors(face, face);
    m_groupNormal.clrHead.SetStandardValue(face);
    m_groupNormal.clrHeadTextNormal.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_groupNormal.clrHeadTextHot.SetStandardValue(SysColor(COLOR_BTNTEXT));
    SetItemTextColors(SysColor(COLOR_BTNTEXT), SysColor(COLOR_BTNTEXT), SysColor(COLOR_HIGHLIGHT));
    m_nCaptionHeight = max(18, GetBlankHeight(&m_fntCaption) + 5);
}

void CTKPTaskPanelTheme7::FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel)
{
    CTKPTaskPanelTheme::FillTaskPanel(pDC, pPanel);
}

BOOL CTKPTaskPanelTheme7::IsCaptionPressed(const CTKPTaskPanelGroup* pGroup)
{
    return pGroup->IsItemHot() && pGroup->IsItemPressed();
}

CRect CTKPTaskPanelTheme7::DrawGroupCaptionFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    pDC->FillSolidRect(rc, pColors->clrHead.m_clrLight);
    if (IsCaptionPressed(pGroup)) {
        Draw3dFrame(pDC, rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rc.OffsetRect(1, 1);
    } else {
        Draw3dFrame(pDC, rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    return rc;
}

int CTKPTaskPanelTheme7::DrawGroupCaption(CDC* pDC, CTKPTaskPanelGroup* pGroup, BOOL bDraw)
{
    if (!bDraw)
        return CTKPTaskPanelTheme::DrawGroupCaption(pDC, pGroup, FALSE);
    const CRect rc = pGroup->GetCaptionRect();
    if (!PrepareCaption(pDC, pGroup, rc))
        return rc.Height();
    CRect rcText = DrawGroupCaptionFace(pDC, pGroup, rc);
    DrawCaptionFocus(pDC, pGroup, rc);
    CTKPFontSelector font(pDC, &m_fntCaption);
    rcText = DrawCaptionButton(pDC, pGroup, rcText);
    rcText = DrawCaptionIcon(pDC, pGroup, rcText);
    DrawCaptionText(pDC, pGroup, rcText, pGroup->IsItemHot());
    DrawCaptionDropMarker(pDC, pGroup, rc);
    return rc.Height();
}

// --- Theme 8 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme8::CTKPTaskPanelTheme8()
{
    m_nHighlightStyle = tkpTaskHighlightToolkit;
    m_bBoldCaption = TRUE;
    m_bInsertAfterDropItem = FALSE;
    m_bScrollButtonsInCaptions = FALSE;
    m_nCaptionTextLead = 0;  // the face leaves the room after its marker
}

void CTKPTaskPanelTheme8::RefreshMetrics()
{
    CTKPTaskPanelTheme7::RefreshMetrics();
    // Caption and panel gradients of the blue, olive and silver schemes.
    struct SchemeColors {
        COLORREF captionLight, captionDark, panelLight, panelDark;
    };
    const SchemeColors schemes[3] = {
        {RGB(227, 239, 255), RGB(123, 164, 224), RGB(196, 218, 250), RGB(123, 164, 224)},
        {RGB(241, 245, 219), RGB(153, 174, 110), RGB(226, 233, 196), RGB(153, 174, 110)},
        {RGB(243, 243, 247), RGB(165, 164, 189), RGB(226, 226, 236), RGB(165, 164, 189)},
    };
    const int nScheme = GetCurrentScheme();
    if (nScheme >= 1 && nScheme <= 3) {
        const SchemeColors& c = schemes[nScheme - 1];
        m_groupNormal.clrHead.SetStandardValues(c.captionLight, c.captionDark);
        m_clrBackground.SetStandardValues(c.panelLight, c.panelDark);
        m_clrHighlightHot.SetStandardValue(RGB(255, 238, 194));
        m_clrHighlightSelected.SetStandardValue(RGB(255, 192, 111));
        m_clrHighlightSelectedHot.SetStandardValue(RGB(254, 128, 62));
    } else {
        m_groupNormal.clrHead.SetStandardValues(SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNFACE));
        m_clrBackground.SetStandardValues(SysColor(COLOR_BTNFACE), SysColor(COLOR_BTNSHADOW));
    }
    m_groupNormal.clrClient.SetStandardValue(SysColor(COLOR_WINDOW));
    m_groupNormal.clrClientBorder.SetStandardValue(m_groupNormal.clrHead.m_clrDark.GetEffective());
}

void CTKPTaskPanelTheme8::FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel)
{
    CTKPDrawingHelper::FillColorGradient(pDC, GetPanelFillRect(pPanel), &m_clrBackground, TRUE);
}

CRect CTKPTaskPanelTheme8::DrawGroupCaptionFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    if (pGroup->IsItemFocused()) {
        const COLORREF clrFill = pGroup->IsItemPressed() ? m_clrHighlightSelectedHot : m_clrHighlightHot;
        pDC->FillSolidRect(rc, clrFill);
        pDC->Draw3dRect(rc, m_clrHighlightBorder.m_clrLight, m_clrHighlightBorder.m_clrLight);
    } else {
        FillVertical(pDC, rc, pColors->clrHead);
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pColors->clrClientBorder);
    }
    // A small square marks the caption; the group's icon or text starts after it, 19 pixels in.
    const int y = rc.top + rc.Height() / 2 - 2;
    pDC->FillSolidRect(rc.left + 8, y, 5, 5, pColors->clrHeadTextNormal);
    rc.left += 19;
    return rc;
}

void CTKPTaskPanelTheme8::DrawGroupClientFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    pDC->FillSolidRect(rc, pColors->clrClient.m_clrDark);
    pGroup->DrawClientBitmap(pDC, rc.left, rc.top);
    // A frame in the caption's colour on the sides and the bottom.
    const COLORREF clrBorder = pColors->clrClientBorder;
    pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrBorder);
    pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBorder);
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBorder);
    DrawGroupItems(pDC, pGroup, rc);
}

// --- Theme 9 ------------------------------------------------------------------------------------

CTKPTaskPanelTheme9::CTKPTaskPanelTheme9()
{
    m_rcGroupInnerMargins.SetRect(8, 6, 8, 6);
    m_rcControlMargins.SetRect(0, 0, 0, 0);
    m_nGroupSpacing = 0;
    m_nHighlightStyle = tkpTaskHighlightClassic;
    m_bInsertAfterDropItem = FALSE;
    m_bScrollButtonsInCaptions = FALSE;
    m_bEmbossedDisabledText = TRUE;
}

void CTKPTaskPanelTheme9::RefreshMetrics()
{
    CTKPTaskPanelTheme7::RefreshMetrics();
    const COLORREF shadow = SysColor(COLOR_BTNSHADOW);
    // Client dark too, hot links white: white text on the inherited light client, or blue on dark, would not read.
    SetPanelColors(shadow, shadow);
    SetItemTextColors(SysColor(COLOR_WINDOW), SysColor(COLOR_WINDOW), SysColor(COLOR_WINDOW));
    m_nCaptionHeight = max(20, m_nCaptionHeight);
    if (m_nHighlightStyle == tkpTaskHighlightClassic) {
        m_clrHighlightHot.SetStandardValue(shadow);
        m_clrHighlightBorder.SetStandardValues(SysColor(COLOR_BTNTEXT), SysColor(COLOR_BTNFACE));
    }
}

// --- Theme 10 -----------------------------------------------------------------------------------

CTKPTaskPanelTheme10::CTKPTaskPanelTheme10()
{
    m_nHighlightStyle = tkpTaskHighlightToolkit;
    m_bEmbossedDisabledText = FALSE;
}

void CTKPTaskPanelTheme10::RefreshMetrics()
{
    CTKPTaskPanelTheme9::RefreshMetrics();
    const COLORREF face = SysColor(kColorToolbarFace);
    // Client light again, links dark: dark text on theme 9's dark client, or its white links, would not read.
    SetPanelColors(face, face);
    SetItemTextColors(SysColor(COLOR_BTNTEXT), SysColor(COLOR_BTNTEXT), SysColor(COLOR_HIGHLIGHT));
}

// --- Theme 11 -----------------------------------------------------------------------------------

CTKPTaskPanelTheme11::CTKPTaskPanelTheme11()
{
    m_nHighlightStyle = tkpTaskHighlightScheme;
}

void CTKPTaskPanelTheme11::RefreshMetrics()
{
    CTKPTaskPanelTheme10::RefreshMetrics();
    const int nScheme = GetCurrentScheme();
    if (nScheme != 0) {
        const COLORREF panels[3] = {RGB(216, 231, 252), RGB(236, 240, 213), RGB(232, 232, 240)};
        const COLORREF clrPanel = panels[nScheme == 2 ? 1 : nScheme == 3 ? 2 : 0];
        m_clrBackground.SetStandardValue(clrPanel);
        m_groupNormal.clrClient.SetStandardValue(clrPanel);
        m_clrCaptionHot.SetStandardValues(RGB(255, 255, 220), RGB(247, 192, 91));
        m_clrCaptionPressed.SetStandardValues(RGB(232, 127, 8), RGB(247, 218, 124));
    } else {
        m_clrCaptionHot.SetStandardValues(SysColor(kColorHighlight), SysColor(kColorHighlight));
        m_clrCaptionPressed.SetStandardValues(SysColor(kColorHighlightPushed), SysColor(kColorHighlightPushed));
    }
    m_clrCaptionNormal.CopyEffective(ManagerGradient(1));
}

const CTKPColorGradient& CTKPTaskPanelTheme11::GetCaptionFace(const CTKPTaskPanelGroup* pGroup) const
{
    if (IsCaptionPressed(pGroup))
        return m_clrCaptionPressed;
    return pGroup->IsItemHot() ? m_clrCaptionHot : m_clrCaptionNormal;
}

CRect CTKPTaskPanelTheme11::DrawGroupCaptionFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    FillVertical(pDC, rc, GetCaptionFace(pGroup));
    if (IsCaptionPressed(pGroup))
        Draw3dFrame(pDC, rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else
        Draw3dFrame(pDC, rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    return rc;
}

// --- Theme 12 -----------------------------------------------------------------------------------

CTKPTaskPanelTheme12::CTKPTaskPanelTheme12()
{
    m_nCaptionTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_CENTER;
}

void CTKPTaskPanelTheme12::RefreshMetrics()
{
    CTKPTaskPanelTheme11::RefreshMetrics();
    m_nCaptionHeight = max(22, GetBlankHeight(&m_fntCaption) + 3);
    m_clrBackground.CopyEffective(ManagerGradient(0));
    m_groupNormal.clrClient.CopyEffective(ManagerGradient(0));
    m_clrCaptionNormal.CopyEffective(ManagerGradient(2));
    m_groupNormal.clrClientBorder.SetStandardValue(SysColor(kColorCaptionFrame));
}

void CTKPTaskPanelTheme12::FillTaskPanel(CDC* pDC, CTKPTaskPanel* pPanel)
{
    FillVertical(pDC, GetPanelFillRect(pPanel), m_clrBackground);
}

CRect CTKPTaskPanelTheme12::DrawGroupCaptionFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    FillVertical(pDC, rc, GetCaptionFace(pGroup));
    CTKPTaskPanel* pPanel = pGroup->GetTaskPanel();
    const BOOL bFirst = pPanel && pPanel->GetNextVisibleGroup(-1, 1) == pGroup;
    if (!bFirst)
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, SysColor(kColorCaptionFrame));
    return rc;
}

void CTKPTaskPanelTheme12::DrawGroupClientFace(CDC* pDC, CTKPTaskPanelGroup* pGroup, CRect rc)
{
    CTKPTaskPanelGroupColors* pColors = GetGroupColors(pGroup);
    FillVertical(pDC, rc, pColors->clrClient);
    pGroup->DrawClientBitmap(pDC, rc.left, rc.top);
    DrawGroupItems(pDC, pGroup, rc);
}
