// The thirteen themes as they paint: background, captions and client areas at a few points, the
// colours of the Windows XP schemes, caption buttons, the fading client and the pressed captions.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TaskPanelTestSupport.h"
#include "toolkit/base/ColorManager.h"
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
        // Rounded corners: the very corner pixel is the panel's.
        EXPECT_TRUE(PixelIs(picture, rcCaption.TopLeft(), picture.Pixel(rcCaption.left - 1, rcCaption.top), 6));

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
    panel->SetTheme(3);
    FinishAnimation(panel.Get());
    {
        PanelPicture picture(panel.Get());
        CTKPTaskPanelTheme* pTheme = panel->GetPaintManager();
        const COLORREF clrItems = pTheme->GetGroupColors(nullptr)->clrClient.m_clrDark;
        // Between two groups: inside the shared rounded frame, not the panel's background.
        const int yGap = panel->GetAt(0)->GetCurrentRect().bottom + 5;
        EXPECT_TRUE(PixelIs(picture, CPoint(panel->GetAt(0)->GetCurrentRect().left + 5, yGap), clrItems, 4));
        EXPECT_TRUE(PixelIs(picture, CPoint(3, yGap), ::GetSysColor(COLOR_SCROLLBAR), 4));
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
