// Pixels of painted tab rows: frames, gradients, the faces of every colour set in the normal, hot
// and selected states, visual styles on and off, shaped tabs, the navigation buttons, and no two
// appearances painting the same row.
#include "TabTestSupport.h"

#include "tests/toolkit/base/DibCanvas.h"
#include "tests/toolkit/base/DistinctPictures.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabColorSet.h"

#include <gtest/gtest.h>

using namespace tabtest;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

COLORREF Toolkit(int index)
{
    return GetColorManager()->GetColor(index);
}

// Restores the colour scheme, the visual styles and the colour overrides a test changed.
class PaintTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        GetColorManager()->SetSelectedScheme(CTKPColorTable::SCHEME_FOLLOW);
        GetColorManager()->SetDisableScheme(false);
        CTKPUxThemeWrapper::SetForceUnavailable(FALSE);
    }

    // The row painted into a canvas of the window's size.
    static std::unique_ptr<DibCanvas> Paint(RowFixture& f)
    {
        CRect rc;
        f.row->CWnd::GetClientRect(&rc);
        std::unique_ptr<DibCanvas> canvas(new DibCanvas(rc.Width(), rc.Height(), RGB(255, 255, 255)));
        f.row->Paint(canvas->DC());
        return canvas;
    }
};

}  // namespace

TEST_F(PaintTest, TheStaticFrameIsTwoLinesAroundTheControl)
{
    RowFixture f({L"A", L"B"}, 0, CRect(100, 100, 400, 200));
    f.theme.SetAppearance(6);
    f.theme.m_bStaticFrame = TRUE;
    CTKPTabColorSet* colors = f.theme.GetColorSetObject();
    colors->m_clrFrame.SetOverrideValue(kRed);
    colors->m_clrClient.SetOverrideValue(kGreen);
    f.row->Layout();
    auto canvas = Paint(f);
    for (CPoint pt : {CPoint(0, 50), CPoint(299, 50), CPoint(150, 0), CPoint(150, 99)})
        EXPECT_EQ(kRed, canvas->Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    // The inner line; at the top the header band covers it.
    for (CPoint pt : {CPoint(1, 50), CPoint(298, 50), CPoint(150, 98)})
        EXPECT_EQ(kGreen, canvas->Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    // The row keeps out of the frame: two pixels at the sides, one at the top.
    EXPECT_GE(f.Tab(0)->GetRect().left, 4);
    EXPECT_GE(f.Tab(0)->GetRect().top, 1 + 2);
}

TEST_F(PaintTest, TheHeaderGradientsLightEndLiesAtTheControlEdge)
{
    for (int position : {tktab::posTop, tktab::posBottom}) {
        for (BOOL invert : {FALSE, TRUE}) {
            RowFixture f({L"A"}, 0, CRect(100, 100, 400, 200));
            f.theme.SetAppearance(6);
            f.theme.SetPosition(position);
            f.theme.m_bInvertGradient = invert;
            CTKPTabColorSet* colors = f.theme.GetColorSetObject();
            colors->m_grcHeader.m_clrLight.SetOverrideValue(kRed);
            colors->m_grcHeader.m_clrDark.SetOverrideValue(kBlue);
            f.row->Layout();
            auto canvas = Paint(f);
            CRect header;
            f.theme.GetAppearanceObject()->GetHeaderRect(header, CRect(0, 0, 300, 100), f.row.get());
            const COLORREF edge = canvas->Pixel(250, position == tktab::posTop ? header.top : header.bottom - 1);
            const COLORREF inner = canvas->Pixel(250, position == tktab::posTop ? header.bottom - 2 : header.top + 1);
            const bool lightAtEdge = GetRValue(edge) > GetRValue(inner);
            EXPECT_EQ(!invert, lightAtEdge) << "position " << position << " invert " << invert;
        }
    }
}

TEST_F(PaintTest, ButtonFacesShowTheSelectedTabDitheredInASunkenFrame)
{
    RowFixture f({L"A", L"B"});
    f.theme.SetAppearance(4);
    f.theme.SetColorSet(1);
    f.row->SetSelectedTab(f.Tab(0));
    auto canvas = Paint(f);
    const CRect rc = f.Tab(0)->GetRect();
    const COLORREF a = canvas->Pixel(rc.left + 2, rc.top + 2);
    const COLORREF b = canvas->Pixel(rc.left + 3, rc.top + 2);
    const COLORREF c = canvas->Pixel(rc.left + 3, rc.top + 3);
    EXPECT_TRUE(a == Toolkit(15) || a == Toolkit(20));
    EXPECT_TRUE(b == Toolkit(15) || b == Toolkit(20));
    EXPECT_NE(a, b);
    EXPECT_EQ(a, c);
    EXPECT_EQ(Toolkit(16), canvas->Pixel(rc.left, rc.top + 5));
    EXPECT_EQ(Toolkit(20), canvas->Pixel(rc.right - 1, rc.top + 5));
    // The other tabs get an etched line at their trailing edge.
    const CRect other = f.Tab(1)->GetRect();
    EXPECT_EQ(Toolkit(16), canvas->Pixel(other.right - 2, other.top + 5));
    EXPECT_EQ(Toolkit(20), canvas->Pixel(other.right - 1, other.top + 5));
}

namespace {

struct FaceCase {
    int colorSet;
    int scheme;                      // injected colour scheme
    BOOL flat;                       // the theme's flat-colours switch
    COLORREF normal, hot, selected;  // indexes up to 61, literal colours above
};

COLORREF Resolve(COLORREF value)
{
    return value <= 61 ? Toolkit(static_cast<int>(value)) : value;
}

}  // namespace

class TabFaces : public PaintTest, public ::testing::WithParamInterface<FaceCase> {};

TEST_P(TabFaces, NormalHotAndSelectedTabs)
{
    const FaceCase& c = GetParam();
    GetColorManager()->SetSelectedScheme(c.scheme);
    RowFixture f({L"A", L"B", L"C"});
    f.theme.m_bHotTracking = TRUE;
    f.theme.m_bFlatColors = c.flat;
    f.theme.SetAppearance(6);
    f.theme.SetColorSet(c.colorSet);
    f.row->SetSelectedTab(f.Tab(0));
    f.row->HandleMouseMove(f.row.get(), f.Centre(1));
    ASSERT_EQ(f.Tab(1), f.row->GetHotItem());
    auto canvas = Paint(f);
    // Just inside each box, at the client side, where gradients reach the face colour.
    auto face = [&](int i) {
        const CRect& rc = f.Tab(i)->GetRect();
        return canvas->Pixel(rc.left + 2, rc.bottom - 2);
    };
    EXPECT_TRUE(ColorNear(Resolve(c.selected), face(0), 24)) << std::hex << face(0);
    EXPECT_TRUE(ColorNear(Resolve(c.hot), face(1), 24)) << std::hex << face(1);
    EXPECT_TRUE(ColorNear(Resolve(c.normal), face(2), 24)) << std::hex << face(2);
}

INSTANTIATE_TEST_SUITE_P(ColourSets, TabFaces,
    ::testing::Values(FaceCase{1, 0, FALSE, 15, 15, 15}, FaceCase{2, 0, FALSE, 15, 15, 15},
        FaceCase{4, 0, FALSE, 15, 36, 36}, FaceCase{4, 1, FALSE, 0xF6C0A2, 0xC9F0FF, 0x73C2FF},
        FaceCase{4, 2, FALSE, 0xAADED0, 0xC7F0FF, 0x73C2FF}, FaceCase{4, 3, FALSE, 0xE6D9D9, 0xC2EEFF, 0x73C2FF},
        // Scheme colours kept off: the toolkit's colours, never the palettes.
        FaceCase{4, 1, TRUE, 15, 36, 36}, FaceCase{16, 0, FALSE, 15, 36, 36}, FaceCase{16, 0, TRUE, 15, 36, 0xFFFFFF},
        FaceCase{16, 1, FALSE, 0xF6C0A2, 0xC9F0FF, 0x73C2FF}, FaceCase{16, 3, TRUE, 0xF8F5F5, 36, 0xFFFFFF}));

// Colour sets 4 and 16 give the hot face to the hot tab whatever else it is: the selected tab under
// the mouse lights too, and so does a tab drawn in its own colour.
TEST_F(PaintTest, SchemeSetsLightTheHotTabEvenSelectedOrInItsOwnColour)
{
    for (int colorSet : {4, 16}) {
        for (BOOL itemColors : {FALSE, TRUE}) {
            SCOPED_TRACE(testing::Message() << "colour set " << colorSet << " item colours " << itemColors);
            RowFixture f({L"A", L"B", L"C"});
            f.theme.m_bHotTracking = TRUE;
            f.theme.m_bItemColors = itemColors;
            f.theme.SetAppearance(6);
            f.theme.SetColorSet(colorSet);
            auto* colors = static_cast<CTKPTabColorSetScheme*>(f.theme.GetColorSetObject());
            colors->m_clrHotFace.SetOverrideValue(kRed);
            f.row->SetSelectedTab(f.Tab(0));
            for (int hot : {0, 1}) {
                f.row->HandleMouseMove(f.row.get(), f.Centre(hot));
                ASSERT_EQ(f.Tab(hot), f.row->GetHotItem());
                auto canvas = Paint(f);
                auto face = [&](int i) {
                    const CRect& rc = f.Tab(i)->GetRect();
                    return canvas->Pixel(rc.left + 2, rc.bottom - 2);
                };
                // The selected tab is one pixel taller: its gradient is a little further from its end.
                EXPECT_TRUE(ColorNear(kRed, face(hot), 40)) << "hot tab " << hot << " " << std::hex << face(hot);
                EXPECT_FALSE(ColorNear(kRed, face(2), 40)) << std::hex << face(2);
            }
        }
    }
}

TEST_F(PaintTest, ColourSetFourTakesItsFramesFromThePalette)
{
    GetColorManager()->SetSelectedScheme(2);
    CTKPTabTheme theme;
    theme.SetColorSet(4);
    CTKPTabColorSet* colors = theme.GetColorSetObject();
    EXPECT_EQ(0x588060u, static_cast<COLORREF>(colors->m_clrFrame));
    EXPECT_EQ(0x588060u, static_cast<COLORREF>(colors->m_clrSelectedTabBorder));
    EXPECT_EQ(0x6B7760u, static_cast<COLORREF>(colors->m_clrTabBorder));
    EXPECT_EQ(0xE4F1F2u, static_cast<COLORREF>(colors->m_grcHeader.m_clrLight));
    EXPECT_EQ(0xFEFEFCu, static_cast<COLORREF>(colors->m_grcHeader.m_clrDark));
    EXPECT_EQ(0xA7D9D9u, static_cast<COLORREF>(colors->m_grcHeaderSecond.m_clrLight));
    EXPECT_EQ(0x588060u, static_cast<COLORREF>(colors->m_clrSelectedOutline[0]));
    EXPECT_EQ(CLR_NONE, static_cast<COLORREF>(colors->m_clrSelectedOutline[3]));
    // The disabled scheme keeps the toolkit's colours.
    GetColorManager()->SetDisableScheme(true);
    theme.RefreshMetrics();
    EXPECT_EQ(Toolkit(36), static_cast<COLORREF>(colors->m_clrSelectedFace));
    EXPECT_EQ(Toolkit(16), static_cast<COLORREF>(colors->m_clrFrame));
    // Appearance 4 keeps a plain header.
    GetColorManager()->SetDisableScheme(false);
    theme.SetAppearance(4);
    theme.SetColorSet(4);
    EXPECT_EQ(Toolkit(15), static_cast<COLORREF>(theme.GetColorSetObject()->m_grcHeader.m_clrDark));
}

TEST_F(PaintTest, VisualStylesDrawTheTabsOrStepAside)
{
    RowFixture f({L"A", L"B"});
    f.theme.SetColorSet(8);
    CTKPTabColorSet* colors = f.theme.GetColorSetObject();
    if (!colors->IsThemed())
        GTEST_SKIP() << "no visual style here";
    EXPECT_EQ(CLR_NONE, static_cast<COLORREF>(colors->m_clr3DHighlight));
    EXPECT_EQ(static_cast<COLORREF>(colors->m_clrNormalText), static_cast<COLORREF>(colors->m_clrHotText));
    f.row->SetSelectedTab(f.Tab(0));
    auto themed = Paint(f);

    // The unselected tab is the style's tab part, one pixel wider on each side and up to the top.
    const CRect rc = f.Tab(1)->GetRect();
    CTKPUxThemeWrapper reference;
    reference.OpenThemeData(NULL, L"TAB");
    DibCanvas expected(400, 100, RGB(255, 255, 255));
    f.row->Paint(expected.DC());
    const CRect part(rc.left, rc.top, rc.right, rc.bottom - 1);
    reference.DrawThemeBackground(expected.Hdc(), 1, 1, part, NULL);
    EXPECT_EQ(expected.Pixel(rc.left + 2, rc.top + 2), themed->Pixel(rc.left + 2, rc.top + 2));
    EXPECT_EQ(expected.Pixel(rc.right - 2, rc.bottom - 3), themed->Pixel(rc.right - 2, rc.bottom - 3));

    // Without visual styles the set is colour set 1 again.
    CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
    f.theme.RefreshMetrics();
    EXPECT_FALSE(colors->IsThemed());
    EXPECT_EQ(Toolkit(20), static_cast<COLORREF>(colors->m_clr3DHighlight));
    auto plain = Paint(f);
    EXPECT_EQ(Toolkit(15), plain->Pixel(rc.left + 3, rc.bottom - 3));
    EXPECT_EQ(Toolkit(21), plain->Pixel(rc.right - 1, rc.top + 5));
    EXPECT_EQ(Toolkit(16), plain->Pixel(rc.right - 2, rc.top + 5));
}

namespace {

// The rectangle of a tab that, after colour set 8's own growing for the position, covers `target`.
CRect TabRectFor(int position, const CRect& target)
{
    switch (position) {
    case tktab::posLeft:
        return CRect(target.left + 1, target.top + 1, target.right, target.bottom - 1);
    case tktab::posBottom:
        return CRect(target.left + 1, target.top, target.right - 1, target.bottom - 2);
    case tktab::posRight:
        return CRect(target.left, target.top + 1, target.right - 2, target.bottom - 1);
    default:
        return CRect(target.left + 1, target.top + 1, target.right - 1, target.bottom);
    }
}

}  // namespace

TEST_F(PaintTest, VisualStyleTabsAreTurnedWithTheRow)
{
    {
        RowFixture f({L"A", L"B"});
        f.theme.SetColorSet(8);
        CTKPTabColorSet* colors = f.theme.GetColorSetObject();
        if (!colors->IsThemed())
            GTEST_SKIP() << "no visual style here";
        CTKPTabManagerItem* tab = f.Tab(1);

        // Top row: a tab part of 60 x 20 pixels at (10, 10).
        DibCanvas top(100, 100);
        colors->FillTab(top.DC(), TabRectFor(tktab::posTop, CRect(10, 10, 70, 30)), tab);
        for (int position : {tktab::posBottom, tktab::posLeft, tktab::posRight}) {
            f.theme.SetPosition(position);
            const bool across = tktab::IsVertical(position);
            const CRect target = across ? CRect(10, 10, 30, 70) : CRect(10, 10, 70, 30);
            DibCanvas turned(100, 100);
            colors->FillTab(turned.DC(), TabRectFor(position, target), tab);
            int mismatches = 0;
            for (int y = 0; y < target.Height(); ++y) {
                for (int x = 0; x < target.Width(); ++x) {
                    int ux = x, uy = y;
                    if (position == tktab::posBottom)
                        uy = target.Height() - 1 - y;
                    else if (position == tktab::posLeft)
                        ux = y, uy = x;
                    else if (position == tktab::posRight)
                        ux = target.Height() - 1 - y, uy = target.Width() - 1 - x;
                    mismatches += turned.Pixel(10 + x, 10 + y) != top.Pixel(10 + ux, 10 + uy) ? 1 : 0;
                }
            }
            EXPECT_EQ(0, mismatches) << "position " << position;
        }
    }
}

TEST_F(PaintTest, ClassicTabsAtTheBottomAreTheTopOnesMirrored)
{
    CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
    std::unique_ptr<DibCanvas> rows[2];
    CRect tabs[2];
    for (int i = 0; i < 2; ++i) {
        RowFixture f({L"", L"", L""});
        f.theme.SetColorSet(8);
        f.theme.SetLayout(tktab::layoutFixed);
        f.theme.SetPosition(i == 0 ? tktab::posTop : tktab::posBottom);
        f.row->SetSelectedTab(f.Tab(0));
        rows[i] = Paint(f);
        tabs[i] = f.Tab(1)->GetRect();
    }
    ASSERT_EQ(tabs[0].Width(), tabs[1].Width());
    EXPECT_EQ(100 - tabs[0].bottom, tabs[1].top);
    // The unselected tab, but for its line on the client frame.
    int mismatches = 0;
    for (int y = tabs[0].top - 2; y < tabs[0].bottom - 1; ++y) {
        for (int x = tabs[0].left + 2; x < tabs[0].right; ++x)
            mismatches += rows[0]->Pixel(x, y) != rows[1]->Pixel(x, 99 - y) ? 1 : 0;
    }
    EXPECT_EQ(0, mismatches);
}

TEST_F(PaintTest, SlopedTabsLeaveOutUnsetOutlines)
{
    RowFixture f({L"A", L"B", L"C"});
    f.theme.SetAppearance(7);
    ASSERT_EQ(2, f.theme.GetColorSet());
    CTKPTabColorSet* colors = f.theme.GetColorSetObject();
    // The other tabs' fourth outline colour in red; the selected tab's is unset in this set.
    ASSERT_EQ(CLR_NONE, static_cast<COLORREF>(colors->m_clrSelectedOutline[3]));
    colors->m_clrOutline[3].SetOverrideValue(kRed);
    colors->m_clrNormalFace.SetOverrideValue(kGreen);
    colors->m_grcHeader.m_clrLight.SetOverrideValue(kBlue);
    colors->m_grcHeader.m_clrDark.SetOverrideValue(kBlue);
    f.row->SetSelectedTab(f.Tab(2));
    auto canvas = Paint(f);

    auto figure = [&](int i, int& l, int& t, int& r, int& b, int& k) {
        const CRect& rc = f.Tab(i)->GetRect();
        t = rc.top;
        b = rc.bottom - 1;
        k = (b - t) / 2;
        l = rc.left - k / 2;
        r = rc.right - k / 2;
    };
    int l, t, r, b, k;
    figure(0, l, t, r, b, k);
    // The inner top line of an unselected tab, and the body below it.
    EXPECT_EQ(kRed, canvas->Pixel((l + k + r) / 2, t + 1));
    EXPECT_EQ(kGreen, canvas->Pixel(l + k + 2, b - 2));
    // Outside the leading slope the header shows; the first tab has no neighbour there.
    EXPECT_EQ(kBlue, canvas->Pixel(l + 1, t + 2));
    EXPECT_EQ(kBlue, canvas->Pixel(l - 1, b - 1));
    figure(2, l, t, r, b, k);
    EXPECT_NE(kRed, canvas->Pixel((l + k + r) / 2, t + 1));
}

TEST_F(PaintTest, SlantedTabsLeanIntoTheMarginBeforeThem)
{
    RowFixture f({L"A", L"B"});
    f.theme.SetAppearance(3);
    CTKPTabColorSet* colors = f.theme.GetColorSetObject();
    colors->m_clrNormalFace.SetOverrideValue(kGreen);
    colors->m_grcHeader.m_clrLight.SetOverrideValue(kBlue);
    colors->m_grcHeader.m_clrDark.SetOverrideValue(kBlue);
    f.row->SetSelectedTab(f.Tab(1));
    auto canvas = Paint(f);
    const CRect& rc = f.Tab(0)->GetRect();
    const int h = rc.Height();
    // Three rows above the bottom the slant's outer edge lies at left + 9 - h.
    const int y = rc.bottom - 3;
    EXPECT_TRUE(ColorNear(kGreen, canvas->Pixel(rc.left + 12 - h, y), 40));
    EXPECT_EQ(kBlue, canvas->Pixel(rc.left + 7 - h, y));
    // The row leaves the room for the first slant: the tab starts a row height into the header.
    EXPECT_EQ(2 + f.theme.GetAppearanceObject()->m_nRowHeight, rc.left);
    EXPECT_GE(rc.left + 8 - h, 0);
}

TEST_F(PaintTest, ClientFramesOfEachStyle)
{
    for (int style : {0, 1, 2}) {
        RowFixture f({L"A", L"B"}, 0, CRect(100, 100, 400, 200));
        f.theme.SetAppearance(6);
        f.theme.m_nClientFrame = style;
        CTKPTabColorSet* colors = f.theme.GetColorSetObject();
        colors->m_clrFrame.SetOverrideValue(kRed);
        colors->m_clrClient.SetOverrideValue(kGreen);
        colors->m_clrSelectedFace.SetOverrideValue(kBlue);
        f.row->SetSelectedTab(f.Tab(0));
        auto canvas = Paint(f);
        CRect header;
        f.theme.GetAppearanceObject()->GetHeaderRect(header, CRect(0, 0, 300, 100), f.row.get());
        const int top = header.bottom - 1;
        const COLORREF side = canvas->Pixel(0, 60), line = canvas->Pixel(280, top), inside = canvas->Pixel(150, 60);
        if (style == 0) {
            EXPECT_EQ(kRed, side);
            EXPECT_EQ(kRed, line);
            EXPECT_EQ(kBlue, inside);
        } else if (style == 1) {
            EXPECT_EQ(kBlue, side);
            EXPECT_EQ(kRed, line);
            EXPECT_EQ(kBlue, inside);
        } else {
            EXPECT_EQ(kGreen, side);
            EXPECT_NE(kRed, line);
            EXPECT_EQ(kGreen, inside);
        }
        // The client rectangle keeps the frame's room.
        const CRect client = f.row->GetTabClientRect();
        EXPECT_EQ(style == 0 ? 2 : 0, client.left) << style;
        EXPECT_EQ(top + (style == 2 ? 0 : 2), client.top) << style;
    }
}

TEST_F(PaintTest, AFocusedRowFramesItsSelectedTab)
{
    RowFixture f({L"A", L"B"});
    f.row->SetSelectedTab(f.Tab(1));
    auto plain = Paint(f);
    f.row->m_bFocus = TRUE;
    auto focused = Paint(f);
    const CRect rc = f.Tab(1)->GetRect();
    int changed = 0;
    for (int x = rc.left; x < rc.right; ++x)
        changed += plain->Pixel(x, rc.top + 3) != focused->Pixel(x, rc.top + 3) ? 1 : 0;
    EXPECT_GT(changed, 0);
    f.theme.m_bFocusRect = FALSE;
    auto off = Paint(f);
    for (int x = rc.left; x < rc.right; ++x)
        EXPECT_EQ(plain->Pixel(x, rc.top + 3), off->Pixel(x, rc.top + 3));
}

namespace {

// A button whose pressed and hot states a test sets.
class StateButton : public CTKPTabManagerScrollButton {
public:
    StateButton(CTKPTabManager* pManager) : CTKPTabManagerScrollButton(pManager, idScrollEnd) {}
    void Set(BOOL bHot, BOOL bPressed)
    {
        m_bHot = bHot;
        m_bPressed = bPressed;
    }
};

}  // namespace

TEST_F(PaintTest, NavigationButtonFacesByColourSet)
{
    GetColorManager()->SetSelectedScheme(1);
    RowFixture f({L"A"});
    StateButton button(f.row.get());
    f.theme.SetColorSet(4);
    CTKPTabColorSet* colors = f.theme.GetColorSetObject();

    DibCanvas canvas(14, 15);
    CRect rc(0, 0, 14, 15);
    button.Set(TRUE, TRUE);
    colors->DrawNavigateButton(canvas.DC(), &button, rc);
    EXPECT_TRUE(ColorNear(0x4B8EFE, canvas.Pixel(6, 1), 12));
    EXPECT_TRUE(ColorNear(0x8BCFFF, canvas.Pixel(6, 13), 12));
    EXPECT_EQ(0x800000u, canvas.Pixel(0, 7));  // the blue scheme's button frame
    EXPECT_EQ(Toolkit(18), canvas.DC()->GetTextColor());

    button.Set(TRUE, FALSE);
    colors->DrawNavigateButton(canvas.DC(), &button, rc);
    EXPECT_TRUE(ColorNear(0xC8F2FF, canvas.Pixel(6, 1), 12));

    // Without the palette: the toolkit's hot face, and the text colour that goes with it.
    GetColorManager()->SetSelectedScheme(0);
    f.theme.RefreshMetrics();
    colors->DrawNavigateButton(canvas.DC(), &button, rc);
    EXPECT_EQ(Toolkit(31), canvas.Pixel(6, 7));
    EXPECT_EQ(Toolkit(45), canvas.DC()->GetTextColor());

    // Colour set 1: sunken when pressed, the glyph one pixel down and right.
    f.theme.SetColorSet(1);
    canvas.Fill(RGB(255, 255, 255));
    button.Set(TRUE, TRUE);
    CRect glyph = rc;
    f.theme.GetColorSetObject()->DrawNavigateButton(canvas.DC(), &button, glyph);
    EXPECT_EQ(Toolkit(16), canvas.Pixel(0, 7));
    EXPECT_EQ(Toolkit(20), canvas.Pixel(13, 7));
    EXPECT_EQ(CPoint(1, 1), glyph.TopLeft());
}

TEST_F(PaintTest, ScrollGlyphsAreFilledWhileTheirButtonWorks)
{
    std::vector<CString> captions;
    for (int i = 0; i < 12; ++i)
        captions.push_back(L"Recovered");
    RowFixture f(captions);
    auto canvas = Paint(f);
    const COLORREF glyph = Toolkit(18);
    // The end button is enabled: its triangle is filled.
    const CPoint e = f.row->FindNavigateButton(1)->GetRect().CenterPoint();
    EXPECT_EQ(glyph, canvas->Pixel(e.x - 2, e.y - 5));
    EXPECT_EQ(glyph, canvas->Pixel(e.x + 2, e.y - 1));
    EXPECT_EQ(glyph, canvas->Pixel(e.x - 1, e.y - 1));
    // The start button is not: only the outline.
    const CPoint s = f.row->FindNavigateButton(0)->GetRect().CenterPoint();
    EXPECT_EQ(glyph, canvas->Pixel(s.x + 2, s.y - 5));
    EXPECT_EQ(glyph, canvas->Pixel(s.x - 2, s.y - 1));
    EXPECT_NE(glyph, canvas->Pixel(s.x + 1, s.y - 1));
}

TEST_F(PaintTest, WorkspacePartsOfTabGroups)
{
    CTKPTabTheme theme;
    CTKPTabAppearance* appearance = theme.GetAppearanceObject();
    CTKPTabColorSet* colors = theme.GetColorSetObject();
    colors->m_clrFrame.SetOverrideValue(kRed);
    colors->m_clrClient.SetOverrideValue(kGreen);
    colors->m_grcHeader.m_clrLight.SetOverrideValue(kBlue);

    // Without the static frame: the border grows the client by 2, splitters take the header colour.
    CRect rc(10, 10, 50, 40);
    appearance->DrawWorkspacePart(NULL, &rc, 1);
    EXPECT_EQ(CRect(8, 8, 52, 42), rc);
    DibCanvas canvas(60, 60);
    rc.SetRect(10, 10, 20, 50);
    appearance->DrawWorkspacePart(canvas.DC(), &rc, 2);
    EXPECT_EQ(kBlue, canvas.Pixel(15, 30));

    // With it: a frame-coloured border round a face-coloured one, the top moved up by one, and
    // splitters in the client colour with a frame line at their far edge.
    theme.m_bStaticFrame = TRUE;
    rc.SetRect(10, 10, 50, 40);
    appearance->DrawWorkspacePart(NULL, &rc, 1);
    EXPECT_EQ(CRect(10, 9, 50, 40), rc);
    canvas.Fill(RGB(255, 255, 255));
    rc.SetRect(0, 0, 60, 60);
    appearance->DrawWorkspacePart(canvas.DC(), &rc, 0);
    EXPECT_EQ(kRed, canvas.Pixel(0, 30));
    EXPECT_EQ(Toolkit(15), canvas.Pixel(1, 30));
    rc.SetRect(10, 10, 20, 50);
    appearance->DrawWorkspacePart(canvas.DC(), &rc, 2);
    EXPECT_EQ(kGreen, canvas.Pixel(15, 30));
    EXPECT_EQ(kRed, canvas.Pixel(19, 30));
    rc.SetRect(10, 10, 50, 20);
    appearance->DrawWorkspacePart(canvas.DC(), &rc, 3);
    EXPECT_EQ(kGreen, canvas.Pixel(30, 15));
    EXPECT_EQ(kRed, canvas.Pixel(30, 19));
}

namespace {

// Paints nothing; notes the index of every tab it is asked to paint, in order.
class OrderAppearance : public CTKPTabAppearance {
public:
    void DrawSingleTab(CDC*, CTKPTabManagerItem* pItem) override { painted.push_back(pItem->GetIndex()); }
    std::vector<int> painted;
};

}  // namespace

TEST_F(PaintTest, TheSelectedTabIsPaintedInItsTurnAndAgainOverItsNeighbours)
{
    RowFixture f({L"A", L"B", L"C", L"D"});
    OrderAppearance* appearance = new OrderAppearance;
    f.theme.SetAppearanceObject(appearance);
    f.row->SetSelectedTab(f.Tab(1));
    f.row->Layout();
    Paint(f);
    EXPECT_EQ((std::vector<int>{3, 2, 1, 0, 1}), appearance->painted);
    // Towards the selected tab from both ends, the selected one last.
    appearance->painted.clear();
    appearance->m_bDrawTowardsSelected = TRUE;
    Paint(f);
    EXPECT_EQ((std::vector<int>{0, 3, 2, 1}), appearance->painted);
}

TEST_F(PaintTest, NoTwoAppearancesDrawTheRowAlike)
{
    std::vector<ThemePicture> pictures;
    RowFixture f({L"First", L"Second", L"Third"});
    f.row->SetSelectedTab(f.Tab(1));
    CRect rc;
    f.row->CWnd::GetClientRect(&rc);
    for (int n = 0; n < 10; ++n) {
        // Each appearance with the colour set it brings.
        f.theme.SetAppearance(n);
        f.row->Layout();
        auto canvas = Paint(f);
        pictures.push_back(
            ReadThemePicture(n, rc.Width(), rc.Height(), [&](int x, int y) { return canvas->Pixel(x, y); }));
    }
    EXPECT_EQ("", AlikePictures(pictures));
}
