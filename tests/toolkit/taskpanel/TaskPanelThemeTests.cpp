// The thirteen themes as they paint: background, captions and client areas at a few points, the
// colours of the Windows XP schemes, caption buttons, the fading client, the pressed captions, each
// theme's own look, and no two themes drawing the same panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "TaskPanelTestSupport.h"
#include "tests/toolkit/base/DistinctPictures.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/taskpanel/TaskPanelThemes.h"

using namespace tptest;

namespace {

bool Near(COLORREF a, COLORREF b, int tolerance = 3)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
        std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

::testing::AssertionResult PixelIs(const PanelPicture& picture, CPoint pt, COLORREF expected, int tolerance = 3)
{
    const COLORREF actual = picture.Pixel(pt.x, pt.y);
    if (Near(actual, expected, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << pt.x << ", " << pt.y << ") is " << std::hex << actual
                                         << ", expected " << expected;
}

// Makes the colour manager use the scheme (0 none, 1 blue, 2 olive, 3 silver) until destroyed.
class SchemeScope {
public:
    explicit SchemeScope(int scheme)
    {
        GetColorManager()->SetSelectedScheme(scheme == 0 ? 4 : scheme);
        GetColorManager()->SetDisableScheme(scheme == 0);
        GetColorManager()->RefreshColors();
    }
    ~SchemeScope()
    {
        GetColorManager()->SetSelectedScheme(4);
        GetColorManager()->SetDisableScheme(false);
        GetColorManager()->RefreshColors();
    }
};

// An empty spot of the group's client area: inside its top inner margin, left of every item.
CPoint ClientSpot(const CTKPTaskPanelGroup* pGroup)
{
    const CRect rc = pGroup->GetClientRect();
    return CPoint(rc.left + 4, rc.top + 3);
}

}  // namespace

TEST(TaskPanelThemes, EveryNumberGivesItsClassAndOthersTheExplorerBar)
{
    PanelWindow panel;
    EXPECT_EQ(2, panel->GetCurrentTheme());
    EXPECT_NE(nullptr, dynamic_cast<CTKPTaskPanelTheme2*>(panel->GetPaintManager()));
    for (int n : {99, -1, 13}) {
        panel->SetTheme(n);
        EXPECT_NE(nullptr, dynamic_cast<CTKPTaskPanelTheme2*>(panel->GetPaintManager())) << n;
    }
    panel->SetTheme(0);
    EXPECT_EQ(nullptr, dynamic_cast<CTKPTaskPanelTheme2*>(panel->GetPaintManager()));
    panel->SetTheme(12);
    EXPECT_NE(nullptr, dynamic_cast<CTKPTaskPanelTheme12*>(panel->GetPaintManager()));
    EXPECT_NE(nullptr, dynamic_cast<CTKPTaskPanelTheme7*>(panel->GetPaintManager()));
}

TEST(TaskPanelThemes, EachThemePaintsItsBackgroundCaptionsAndClientAreas)
{
    SchemeScope plain(0);
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    for (int n = 0; n <= 12; ++n) {
        SCOPED_TRACE(n);
        panel->SetTheme(n);
        FinishAnimation(panel.Get());
        CTKPTaskPanelTheme* pTheme = panel->GetPaintManager();
        CTKPTaskPanelGroup* pTasks = panel->GetAt(0);
        PanelPicture picture(panel.Get());
        CTKPTaskPanelGroupColors* pColors = pTheme->GetGroupColors(pTasks);

        // The panel's own background where no group is: top left, unless the groups start there.
        const CRect rcTasks = pTasks->GetCurrentRect();
        if (rcTasks.top > 1 && rcTasks.left > 1) {
            EXPECT_TRUE(PixelIs(picture, CPoint(0, 0), pTheme->m_clrBackground.m_clrLight, 6));
        }
        // The client area's own colour at the top of its face.
        const COLORREF clrClient =
            (n == 8) ? (COLORREF)pColors->clrClient.m_clrDark : (COLORREF)pColors->clrClient.m_clrLight;
        EXPECT_TRUE(PixelIs(picture, ClientSpot(pTasks), clrClient, 8));
        // Captions filled with their colour at the left.
        const CRect rcCaption = pTasks->GetCaptionRect();
        if (n <= 2) {
            EXPECT_TRUE(
                PixelIs(picture, CPoint(rcCaption.left + 3, rcCaption.bottom - 3), pColors->clrHead.m_clrLight, 6));
        }
        // Some text of the first link is drawn in the link colour.
        const CRect rcOpen = pTasks->GetAt(0)->GetHitTestRect();
        BOOL bLinkColour = FALSE;
        for (int y = rcOpen.top; y < rcOpen.bottom && !bLinkColour; ++y) {
            for (int x = rcOpen.left + 16; x < rcOpen.right && !bLinkColour; ++x)
                bLinkColour = Near(picture.Pixel(x, y), pColors->clrClientLink, 40);
        }
        EXPECT_TRUE(bLinkColour);
    }
}

TEST(TaskPanelThemes, TheExplorerBarTakesTheBlueSchemesColoursAndItsOwnWithoutAScheme)
{
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    {
        SchemeScope blue(1);
        panel->SetTheme(2);
        FinishAnimation(panel.Get());
        PanelPicture picture(panel.Get());
        CTKPTaskPanelGroup* pTasks = panel->GetAt(0);
        EXPECT_TRUE(PixelIs(picture, CPoint(0, 0), RGB(123, 162, 231)));
        EXPECT_TRUE(PixelIs(picture, CPoint(0, picture.Height() - 1), RGB(99, 117, 214), 12));
        EXPECT_TRUE(PixelIs(picture, ClientSpot(pTasks), RGB(214, 223, 247)));
        const CRect rcCaption = pTasks->GetCaptionRect();
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.left + 3, rcCaption.top + 4), RGB(255, 255, 255)));
        // The gradient runs from the middle to the right end.
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.right - 2, rcCaption.top + 4), RGB(198, 211, 247), 8));
        // Rounded corners: two pixels along the top at each end are the panel's, the caption starts
        // right below them.
        const COLORREF clrLeft = picture.Pixel(rcCaption.left - 1, rcCaption.top);
        const COLORREF clrRight = picture.Pixel(rcCaption.right, rcCaption.top);
        EXPECT_TRUE(PixelIs(picture, rcCaption.TopLeft(), clrLeft, 6));
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.left + 1, rcCaption.top), clrLeft, 6));
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.left, rcCaption.top + 1), RGB(255, 255, 255)));
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.right - 1, rcCaption.top), clrRight, 6));
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.right - 2, rcCaption.top), clrRight, 6));
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.right - 1, rcCaption.top + 1), RGB(198, 211, 247), 8));

        panel->GetAt(1)->SetSpecialGroup(TRUE);
        PanelPicture special(panel.Get());
        const CRect rcSpecial = panel->GetAt(1)->GetCaptionRect();
        EXPECT_TRUE(PixelIs(special, CPoint(rcSpecial.left + 3, rcSpecial.top + 4), RGB(0, 73, 181)));
        panel->GetAt(1)->SetSpecialGroup(FALSE);
    }
    // With no scheme the Explorer bar keeps its look in colours made from the system's.
    SchemeScope plain(0);
    panel->SetTheme(2);
    PanelPicture picture(panel.Get());
    EXPECT_FALSE(Near(picture.Pixel(0, 0), ::GetSysColor(COLOR_WINDOW), 4));
    EXPECT_TRUE(PixelIs(picture, CPoint(0, 0), panel->GetPaintManager()->m_clrBackground.m_clrLight, 4));
}

TEST(TaskPanelThemes, CaptionButtonsNeedTwentySixPixelsAndShowTheGroupsState)
{
    SchemeScope plain(0);
    PanelWindow panel(240, 400);
    panel->SetTheme(0);
    CTKPTaskPanelGroup* pGroup = AddGroup(panel.Get(), _T(""));
    AddItem(pGroup, _T("a"));
    CTKPTaskPanelTheme* pTheme = panel->GetPaintManager();
    EXPECT_EQ(0, pTheme->GetCaptionButtonWidth(pGroup, CRect(0, 0, 25, 25)));
    EXPECT_EQ(23, pTheme->GetCaptionButtonWidth(pGroup, CRect(0, 0, 26, 25)));
    pGroup->SetExpandable(FALSE);
    EXPECT_EQ(0, pTheme->GetCaptionButtonWidth(pGroup, CRect(0, 0, 200, 25)));
    pGroup->SetExpandable(TRUE);

    // The chevrons point up while the group is open and down once it is closed.
    const COLORREF clrText = pTheme->GetGroupColors(pGroup)->clrHeadTextNormal;
    auto chevronRows = [&](const PanelPicture& picture) {
        const CRect rc = pGroup->GetCaptionRect();
        int top = -1, topWidth = 0, bottomWidth = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            int width = 0;
            for (int x = rc.right - 23; x < rc.right - 6; ++x)
                width += Near(picture.Pixel(x, y), clrText, 10) ? 1 : 0;
            if (width == 0)
                continue;
            if (top < 0) {
                top = y;
                topWidth = width;
            }
            bottomWidth = width;
        }
        return std::make_pair(topWidth, bottomWidth);
    };
    const auto open = chevronRows(PanelPicture(panel.Get()));
    EXPECT_LT(open.first, open.second);  // narrow tip at the top: pointing up
    pGroup->SetExpanded(FALSE);
    FinishAnimation(panel.Get());
    const auto closed = chevronRows(PanelPicture(panel.Get()));
    EXPECT_GT(closed.first, closed.second);

    // The Explorer bar without the shell's pictures draws its own recoloured round button.
    panel->SetTheme(2);
    ASSERT_FALSE(panel->GetPaintManager()->HasShellBitmaps());
    EXPECT_NE(nullptr, panel->GetPaintManager()->m_hExpandIconNormal);
    EXPECT_NE(nullptr, panel->GetPaintManager()->m_hExpandIconSpecial);
}

TEST(TaskPanelThemes, AClosingGroupFadesWithAlphaBlendAndSlidesOpaqueWithout)
{
    SchemeScope plain(0);
    for (BOOL bAlpha : {TRUE, FALSE}) {
        SCOPED_TRACE(bAlpha);
        PanelWindow panel(240, 500);
        FillSamplePanel(panel.Get());
        panel->GetPaintManager()->EnableAlphaBlend(bAlpha);
        CTKPTaskPanelGroup* pTasks = panel->GetAt(0);
        pTasks->SetExpanded(FALSE);
        panel->SendMessage(WM_TIMER, CTKPTaskPanel::TIMER_ANIMATION, 0);
        panel->SendMessage(WM_TIMER, CTKPTaskPanel::TIMER_ANIMATION, 0);
        ASSERT_TRUE(pTasks->IsAnimating());
        const CRect rc = pTasks->GetClientRect();
        ASSERT_GT(rc.Height(), 10);
        PanelPicture picture(panel.Get());
        const CPoint spot(rc.left + 4, rc.bottom - 4);  // the face's bottom margin slides into view last
        const COLORREF clrClient = panel->GetPaintManager()->GetGroupColors(pTasks)->clrClient.m_clrDark;
        const COLORREF clrPanel = picture.Pixel(rc.left - 3, rc.bottom - 4);
        ASSERT_FALSE(Near(clrClient, clrPanel, 4));
        if (bAlpha) {
            EXPECT_FALSE(Near(picture.Pixel(spot.x, spot.y), clrClient, 2));
        } else {
            EXPECT_TRUE(PixelIs(picture, spot, clrClient, 8));
        }
    }
}

TEST(TaskPanelThemes, ListThemesFrameTheGroupsAndToolboxCaptionsPressLikeButtons)
{
    SchemeScope plain(0);
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    // Theme 6 is theme 3 on the Explorer bar's gradient: the same frame around the groups.
    for (int n : {3, 6}) {
        SCOPED_TRACE(n);
        panel->SetTheme(n);
        FinishAnimation(panel.Get());
        PanelPicture picture(panel.Get());
        CTKPTaskPanelTheme* pTheme = panel->GetPaintManager();
        const COLORREF clrItems = pTheme->GetGroupColors(nullptr)->clrClient.m_clrDark;
        // Between two groups: inside the shared rounded frame, not the panel's background.
        const CRect rcTasks = panel->GetAt(0)->GetCurrentRect();
        const int yGap = rcTasks.bottom + 5;
        ASSERT_LT(yGap + 3, panel->GetAt(1)->GetCurrentRect().top);
        EXPECT_TRUE(PixelIs(picture, CPoint(rcTasks.left + 5, yGap), clrItems, 4));
        if (n == 3)
            EXPECT_TRUE(PixelIs(picture, CPoint(3, yGap), ::GetSysColor(COLOR_SCROLLBAR), 4));
        else
            EXPECT_FALSE(Near(picture.Pixel(3, yGap), clrItems, 12));
        // The frame's outline just left of the groups, in the client border colour.
        EXPECT_TRUE(
            PixelIs(picture, CPoint(rcTasks.left - 1, yGap), pTheme->GetGroupColors(nullptr)->clrClientBorder, 4));
    }

    panel->SetTheme(7);
    FinishAnimation(panel.Get());
    Host::Get().Activate();
    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    const CRect rcCaption = pPlaces->GetCaptionRect();
    {
        PanelPicture picture(panel.Get());
        EXPECT_TRUE(PixelIs(picture, rcCaption.TopLeft(), ::GetSysColor(COLOR_BTNHIGHLIGHT)));
        EXPECT_TRUE(
            PixelIs(picture, CPoint(rcCaption.right - 1, rcCaption.bottom - 1), ::GetSysColor(COLOR_BTNSHADOW)));
    }
    const CPoint pt = CentreOf(pPlaces);
    panel->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    panel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ASSERT_TRUE(pPlaces->IsItemHot() && pPlaces->IsItemPressed());
    {
        PanelPicture picture(panel.Get());
        EXPECT_TRUE(PixelIs(picture, rcCaption.TopLeft(), ::GetSysColor(COLOR_BTNSHADOW)));
    }
    panel->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

namespace {

// Pixels clearly brighter than the background in a rectangle: the light half of embossed text.
int BrighterPixels(const PanelPicture& picture, const CRect& rc, COLORREF background)
{
    const int level = GetRValue(background) + GetGValue(background) + GetBValue(background);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = picture.Pixel(x, y);
            n += GetRValue(c) + GetGValue(c) + GetBValue(c) > level + 150 ? 1 : 0;
        }
    return n;
}

// The first and last columns of a caption's text: pixels far from the caption's face at its left
// edge in the same row, between from and to.
std::pair<int, int> TextColumns(const PanelPicture& picture, const CRect& rcCaption, int from, int to)
{
    int first = -1, last = -1;
    for (int y = rcCaption.top + 2; y < rcCaption.bottom - 2; ++y) {
        const COLORREF face = picture.Pixel(rcCaption.left + 2, y);
        for (int x = from; x < to; ++x) {
            if (Near(picture.Pixel(x, y), face, 60))
                continue;
            first = first < 0 ? x : std::min(first, x);
            last = std::max(last, x);
        }
    }
    return std::make_pair(first, last);
}

}  // namespace

TEST(TaskPanelThemes, NoTwoThemesDrawThePanelAlike)
{
    for (int scheme : {0, 1}) {
        SCOPED_TRACE(scheme == 0 ? "no colour scheme" : "blue scheme");
        SchemeScope colours(scheme);
        PanelWindow panel(240, 420);
        FillSamplePanel(panel.Get());
        std::vector<ThemePicture> pictures;
        for (int n = 0; n <= 12; ++n) {
            panel->SetTheme(n);
            FinishAnimation(panel.Get());
            PanelPicture picture(panel.Get());
            pictures.push_back(ReadThemePicture(n, picture.Width(), picture.Height(),
                [&](int x, int y) { return picture.Pixel(x, y); }));
        }
        EXPECT_EQ("", AlikePictures(pictures));
    }
}

TEST(TaskPanelThemes, ToolboxGradientsRunAcrossThePanelAndDownTheCaptionsWithAMarker)
{
    SchemeScope blue(1);
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    panel->SetTheme(8);
    FinishAnimation(panel.Get());
    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    const CRect rcCaption = pPlaces->GetCaptionRect();
    {
        PanelPicture picture(panel.Get());
        // Below the last group the panel runs from its light colour at the left to its dark one at
        // the right, the same in every row.
        const int yLow = picture.Height() - 2, yHigh = panel->GetAt(2)->GetCurrentRect().bottom + 4;
        ASSERT_LT(yHigh, yLow - 10);
        EXPECT_TRUE(PixelIs(picture, CPoint(0, yLow), RGB(196, 218, 250), 6));
        EXPECT_TRUE(PixelIs(picture, CPoint(picture.Width() - 1, yLow), RGB(123, 164, 224), 6));
        for (int x : {0, picture.Width() / 2, picture.Width() - 1})
            EXPECT_TRUE(PixelIs(picture, CPoint(x, yHigh), picture.Pixel(x, yLow), 2));
        // A caption runs from the light colour at its top to the dark one, a line along its bottom.
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.left + 3, rcCaption.top), RGB(227, 239, 255), 8));
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.left + 3, rcCaption.bottom - 2), RGB(123, 164, 224), 16));
        EXPECT_TRUE(PixelIs(picture, CPoint(rcCaption.left + 3, rcCaption.bottom - 1), RGB(123, 164, 224)));
        // The small square in the caption text's colour, 8 pixels in; the text after it.
        const int yMid = rcCaption.top + rcCaption.Height() / 2;
        const COLORREF clrText = panel->GetPaintManager()->GetGroupColors(pPlaces)->clrHeadTextNormal;
        for (int x = rcCaption.left + 8; x < rcCaption.left + 13; ++x)
            EXPECT_TRUE(PixelIs(picture, CPoint(x, yMid), clrText)) << x;
        EXPECT_FALSE(Near(picture.Pixel(rcCaption.left + 6, yMid), clrText, 20));
        EXPECT_FALSE(Near(picture.Pixel(rcCaption.left + 15, yMid), clrText, 20));
        const int nText = TextColumns(picture, rcCaption, rcCaption.left + 14, rcCaption.right - 30).first;
        EXPECT_GE(nText, rcCaption.left + 19);
        EXPECT_LE(nText, rcCaption.left + 21);
    }
    {
        // A group's icon stands after the square, its text after the icon.
        pPlaces->SetIconIndex(1002);
        panel->SetCaptionIconSize(CSize(16, 16));
        PanelPicture picture(panel.Get());
        const int yMid = rcCaption.top + rcCaption.Height() / 2;
        const COLORREF clrText = panel->GetPaintManager()->GetGroupColors(pPlaces)->clrHeadTextNormal;
        for (int x = rcCaption.left + 8; x < rcCaption.left + 13; ++x)
            EXPECT_TRUE(PixelIs(picture, CPoint(x, yMid), clrText)) << x;
        int nIconLeft = -1, nIconRight = -1;
        for (int y = rcCaption.top; y < rcCaption.bottom; ++y)
            for (int x = rcCaption.left; x < rcCaption.right; ++x)
                if (Near(picture.Pixel(x, y), RGB(40, 160, 40), 4)) {
                    nIconLeft = nIconLeft < 0 ? x : std::min(nIconLeft, x);
                    nIconRight = std::max(nIconRight, x);
                }
        const CRect rcPadding = panel->GetPaintManager()->GetItemIconPadding(pPlaces);
        EXPECT_EQ(nIconLeft, rcCaption.left + 19 + rcPadding.left);
        EXPECT_EQ(nIconRight, nIconLeft + 15);
        const int nText = TextColumns(picture, rcCaption, nIconRight + 1, rcCaption.right - 30).first;
        EXPECT_GE(nText, nIconRight + 1 + rcPadding.right);
        EXPECT_LE(nText, nIconRight + 3 + rcPadding.right);
        pPlaces->SetIconIndex(-1);
    }
    // The focused group's caption is a flat box in the hot highlight.
    panel->SetFocusedItem(pPlaces);
    PanelPicture focused(panel.Get());
    EXPECT_TRUE(PixelIs(focused, CPoint(rcCaption.left + 3, rcCaption.top + 3), RGB(255, 238, 194)));
    EXPECT_TRUE(PixelIs(focused, CPoint(rcCaption.left + 3, rcCaption.bottom - 3), RGB(255, 238, 194)));
}

TEST(TaskPanelThemes, TheDarkButtonBarEmbossesDisabledText)
{
    SchemeScope plain(0);
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    CTKPTaskPanelGroupItem* pSave = panel->GetAt(0)->GetAt(1);
    pSave->SetEnabled(FALSE);
    for (int n : {9, 10}) {
        SCOPED_TRACE(n);
        panel->SetTheme(n);
        FinishAnimation(panel.Get());
        PanelPicture picture(panel.Get());
        const CRect rcText = pSave->GetHitTestRect();
        const COLORREF clrBack = picture.Pixel(rcText.right - 2, rcText.top + 1);
        // Theme 9 draws the text's light copy one pixel down and right; theme 10 does not emboss.
        if (n == 9)
            EXPECT_GT(BrighterPixels(picture, rcText, clrBack), 3);
        else
            EXPECT_EQ(BrighterPixels(picture, rcText, clrBack), 0);
    }
}

TEST(TaskPanelThemes, ButtonBarCaptionsLightUpWhenHotAndDarkenWhenPressed)
{
    SchemeScope blue(1);
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    Host::Get().Activate();
    for (int n : {11, 12}) {
        SCOPED_TRACE(n);
        panel->SetTheme(n);
        FinishAnimation(panel.Get());
        CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
        const CRect rc = pPlaces->GetCaptionRect();
        const CPoint top(rc.left + 3, rc.top + 2), bottom(rc.left + 3, rc.bottom - 3);
        const COLORREF clrNormal = PanelPicture(panel.Get()).Pixel(top.x, top.y);
        const CPoint pt = CentreOf(pPlaces);
        panel->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        ASSERT_TRUE(pPlaces->IsItemHot());
        // Near the ends of the gradients (a few rows in from the caption's edges).
        {
            PanelPicture hot(panel.Get());
            EXPECT_TRUE(PixelIs(hot, top, RGB(255, 255, 220), 24));
            EXPECT_TRUE(PixelIs(hot, bottom, RGB(247, 192, 91), 32));
            EXPECT_FALSE(Near(hot.Pixel(top.x, top.y), clrNormal, 8));
        }
        panel->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        {
            PanelPicture pressed(panel.Get());
            EXPECT_TRUE(PixelIs(pressed, top, RGB(232, 127, 8), 32));
            EXPECT_TRUE(PixelIs(pressed, bottom, RGB(247, 218, 124), 32));
        }
        panel->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        panel->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 499));
    }
}

TEST(TaskPanelThemes, TheLastButtonBarThemeCentresCaptionsUnderASeparator)
{
    SchemeScope plain(0);
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    const COLORREF clrSeparator = CTKPTaskPanelTheme::GetToolkitColor(54);
    for (int n : {11, 12}) {
        SCOPED_TRACE(n);
        panel->SetTheme(n);
        FinishAnimation(panel.Get());
        PanelPicture picture(panel.Get());
        CTKPTaskPanelGroup* pTasks = panel->GetAt(0);
        CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
        const CRect rcTasks = pTasks->GetCaptionRect(), rcPlaces = pPlaces->GetCaptionRect();
        // The text's middle against the middle of the room between the caption's 13-pixel lead and
        // its button.
        const int nButton = panel->GetPaintManager()->GetCaptionButtonWidth(pPlaces, rcPlaces);
        const int nRoomCentre = (rcPlaces.left + 13 + rcPlaces.right - nButton) / 2;
        const std::pair<int, int> text =
            TextColumns(picture, rcPlaces, rcPlaces.left + 3, rcPlaces.right - nButton - 3);
        ASSERT_GE(text.first, 0);
        if (n == 12) {
            EXPECT_NEAR((text.first + text.second) / 2, nRoomCentre, 3);
            // A line in the caption frame colour over every caption but the first.
            EXPECT_TRUE(PixelIs(picture, CPoint(rcPlaces.CenterPoint().x, rcPlaces.top), clrSeparator, 2));
            EXPECT_TRUE(PixelIs(picture, CPoint(rcTasks.CenterPoint().x, rcTasks.top),
                picture.Pixel(rcTasks.CenterPoint().x, rcTasks.top + 1), 6));
        } else {
            // Theme 11: at the left, 13 pixels in as in every theme.
            EXPECT_GE(text.first, rcPlaces.left + 13);
            EXPECT_LE(text.first, rcPlaces.left + 15);
        }
    }
}

TEST(TaskPanelThemes, OfficeCaptionsAreLargeWithoutButtonsAndPlainListsUnderlineTheirs)
{
    SchemeScope blue(1);
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    // The rows of a caption's text: rows with a pixel far from the caption's face at its left edge.
    auto textRows = [&](const PanelPicture& picture, const CRect& rc) {
        int rows = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            const COLORREF face = picture.Pixel(rc.left + 2, y);
            bool ink = false;
            for (int x = rc.left + 4; x < rc.left + 60 && !ink; ++x)
                ink = !Near(picture.Pixel(x, y), face, 60);
            rows += ink ? 1 : 0;
        }
        return rows;
    };
    // Whether something stands out at the caption's right end, where a caption button would be.
    auto buttonShown = [&](const PanelPicture& picture, const CRect& rc) {
        for (int y = rc.top + 2; y < rc.bottom - 2; ++y)
            for (int x = rc.right - 24; x < rc.right - 2; ++x)
                if (!Near(picture.Pixel(x, y), picture.Pixel(x - 1, y), 24))
                    return true;
        return false;
    };

    panel->SetTheme(0);
    FinishAnimation(panel.Get());
    const CRect rcPlain = panel->GetAt(1)->GetCaptionRect();
    const PanelPicture plain(panel.Get());
    ASSERT_TRUE(buttonShown(plain, rcPlain));
    panel->SetTheme(1);
    FinishAnimation(panel.Get());
    const CRect rcOffice = panel->GetAt(1)->GetCaptionRect();
    const PanelPicture office(panel.Get());
    EXPECT_FALSE(buttonShown(office, rcOffice));
    EXPECT_GT(textRows(office, rcOffice), textRows(plain, rcPlain));
    EXPECT_GE(rcOffice.Height(), 20);

    // Themes 4 and 5: a line in the caption colour under each caption, no frame, no button; theme 5
    // in the blue scheme's colours.
    for (int n : {4, 5}) {
        SCOPED_TRACE(n);
        panel->SetTheme(n);
        FinishAnimation(panel.Get());
        PanelPicture picture(panel.Get());
        const CRect rc = panel->GetAt(1)->GetCaptionRect();
        const COLORREF clrLine = n == 4 ? CTKPTaskPanelTheme::GetToolkitColor(COLOR_BTNSHADOW) : RGB(123, 164, 224);
        const COLORREF clrPanel = n == 4 ? CTKPTaskPanelTheme::GetToolkitColor(COLOR_WINDOW) : RGB(221, 236, 254);
        EXPECT_TRUE(PixelIs(picture, CPoint(rc.CenterPoint().x, rc.bottom - 1), clrLine, 2));
        EXPECT_TRUE(PixelIs(picture, CPoint(rc.right - 3, rc.bottom - 3), clrPanel, 2));
        EXPECT_FALSE(buttonShown(picture, rc));
        // Between the groups: the panel, no frame.
        const CRect rcTasks = panel->GetAt(0)->GetCurrentRect();
        EXPECT_TRUE(PixelIs(picture, CPoint(rcTasks.left - 1, rcTasks.bottom + 2), clrPanel, 2));
    }

    // Themes 9 and 10: the dark bar in the button shadow colour, the light one in the toolbar face.
    for (int n : {9, 10}) {
        SCOPED_TRACE(n);
        panel->SetTheme(n);
        FinishAnimation(panel.Get());
        PanelPicture picture(panel.Get());
        const COLORREF clrPanel = CTKPTaskPanelTheme::GetToolkitColor(n == 9 ? COLOR_BTNSHADOW : 30);
        EXPECT_TRUE(PixelIs(picture, CPoint(3, picture.Height() - 3), clrPanel, 2));
    }
}

// Beside its image a caption starts right after the image and its padding, at the item's top.
TEST(TaskPanelThemes, CaptionsBesideImagesFollowThemFromTheItemsTop)
{
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    pPlaces->SetItemLayout(tkpTaskItemLayoutImagesWithText);
    pPlaces->SetIconSize(CSize(32, 32));
    FinishAnimation(panel.Get());
    CTKPTaskPanelGroupItem* pDisk = pPlaces->GetAt(0);
    for (int n : {0, 2, 7}) {
        SCOPED_TRACE(n);
        panel->SetTheme(n);
        CTKPTaskPanelTheme* pTheme = panel->GetPaintManager();
        const CRect rcInner = pTheme->GetItemInnerMargins(pDisk);
        const CRect rcPadding = pTheme->GetItemIconPadding(pDisk);
        CClientDC dc(panel.Get());
        const CRect rcItem = pTheme->DrawGroupItem(&dc, pDisk, CRect(10, 20, 210, 120), FALSE);
        EXPECT_EQ(rcItem.Height(), rcInner.top + rcPadding.top + 32 + rcPadding.bottom + rcInner.bottom);
        pTheme->DrawGroupItem(&dc, pDisk, rcItem, TRUE);
        const CRect rcText = pDisk->GetTextRect();
        EXPECT_EQ(rcText.left, 10 + rcInner.left + rcPadding.left + 32 + rcPadding.right);
        EXPECT_EQ(rcText.top, 20 + rcInner.top);
    }
}

// Below its image an item is as wide as its caption, or as its image and 4 pixels where that is
// wider, and the mouse finds it only there; its caption is centred under the image and drawn across
// the item's whole width.
TEST(TaskPanelThemes, ItemsBelowTheirImagesAreAsWideAsCaptionOrImageWithTheCaptionCentred)
{
    SchemeScope plain(0);
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    panel->SetTheme(2);
    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    pPlaces->SetItemLayout(tkpTaskItemLayoutImagesWithTextBelow);
    CTKPTaskPanelGroupItem* pDisk = pPlaces->GetAt(0);
    CTKPTaskPanelGroupItem* pFolder = pPlaces->GetAt(1);
    // A caption narrower than its picture.
    pDisk->SetCaption(_T("i"));
    FinishAnimation(panel.Get());
    const int nIcon = pPlaces->GetIconSize().cx;
    EXPECT_EQ(nIcon + 4, pDisk->GetHitTestRect().Width());
    CRect rcCaption(0, 0, 200, 0);
    {
        CClientDC dc(panel.Get());
        CTKPFontSelector font(&dc, panel->GetPaintManager()->GetItemFont(FALSE, FALSE));
        dc.DrawText(pFolder->GetCaption(), rcCaption, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_CENTER);
    }
    ASSERT_GT(rcCaption.Width(), nIcon + 4);
    EXPECT_EQ(rcCaption.Width(), pFolder->GetHitTestRect().Width());

    PanelPicture picture(panel.Get());
    EXPECT_EQ(rcCaption.Width(), pFolder->GetTextRect().Width());
    const CRect rc = pDisk->GetHitTestRect();
    // The picture (icon 1004 is a plain square) and, below it, the caption's ink.
    int iconLeft = -1, iconRight = -1, iconBottom = -1;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (Near(picture.Pixel(x, y), RGB(200, 160, 0), 4)) {
                iconLeft = iconLeft < 0 ? x : std::min(iconLeft, x);
                iconRight = std::max(iconRight, x);
                iconBottom = std::max(iconBottom, y);
            }
    ASSERT_GE(iconLeft, 0);
    const COLORREF clrBack = picture.Pixel(rc.left + 1, rc.bottom - 2);
    int inkLeft = -1, inkRight = -1;
    for (int y = iconBottom + 2; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (!Near(picture.Pixel(x, y), clrBack, 60)) {
                inkLeft = inkLeft < 0 ? x : std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    ASSERT_GE(inkLeft, 0);
    EXPECT_NEAR(inkLeft + inkRight, iconLeft + iconRight, 4);

    Host::Get().Activate();
    for (const int x : {rc.left - 1, rc.right}) {
        panel->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, rc.CenterPoint().y));
        EXPECT_NE(pDisk, panel->GetHotItem()) << x;
    }
    panel->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rc.left, rc.CenterPoint().y));
    EXPECT_EQ(pDisk, panel->GetHotItem());
    panel->SendMessage(WM_MOUSELEAVE, 0, 0);
}

TEST(TaskPanelThemes, AKeyboardFocusedLinkIsFramedInEveryItemLayout)
{
    SchemeScope plain(0);
    const int layouts[] = {tkpTaskItemLayoutImages, tkpTaskItemLayoutImagesWithText,
        tkpTaskItemLayoutImagesWithTextBelow};
    for (int layout : layouts) {
        PanelWindow panel(240, 500);
        FillSamplePanel(panel.Get());
        panel->SetTheme(0);
        panel->SetItemLayout(layout);
        FinishAnimation(panel.Get());
        CTKPTaskPanelGroupItem* pSave = panel->GetAt(0)->GetAt(1);
        Host::Get().Activate();
        panel->SetFocus();
        panel->SetFocusedItem(pSave, TRUE);
        ASSERT_TRUE(panel->IsDrawFocusRect());
        PanelPicture focused(panel.Get());
        // Leaving the panel takes the focus rectangle away; the item stays the focused one.
        ::SetFocus(Host::Get().Handle());
        ASSERT_FALSE(panel->IsDrawFocusRect());
        PanelPicture unfocused(panel.Get());

        // The dotted frame: about every other pixel around the item changes, nothing elsewhere.
        const CRect rc = pSave->GetHitTestRect();
        ASSERT_FALSE(rc.IsRectEmpty());
        CRect rcChanged(0, 0, 0, 0);
        int changed = 0;
        for (int y = 0; y < focused.Height(); ++y)
            for (int x = 0; x < focused.Width(); ++x)
                if (focused.Pixel(x, y) != unfocused.Pixel(x, y)) {
                    rcChanged = changed++
                        ? CRect(std::min<int>(rcChanged.left, x), std::min<int>(rcChanged.top, y),
                              std::max<int>(rcChanged.right, x + 1), std::max<int>(rcChanged.bottom, y + 1))
                        : CRect(x, y, x + 1, y + 1);
                }
        ASSERT_GT(changed, 0) << "layout " << layout;
        CRect rcBoth;
        rcBoth.UnionRect(rc, rcChanged);
        EXPECT_EQ(rc, rcBoth) << "layout " << layout;
        EXPECT_GE(rcChanged.Width() * 2, rc.Width()) << "layout " << layout;
        EXPECT_GE(changed, (rcChanged.Width() + rcChanged.Height()) * 2 / 3) << "layout " << layout;
    }
}
