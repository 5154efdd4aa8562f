// The tab theme: choosing appearances and colour sets, fonts, row heights, tab widths, caption
// fitting, and the layout of a row in every appearance and position.
#include "TabTestSupport.h"

#include "tests/toolkit/base/DibCanvas.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/common/TabCaptionFit.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabColorSet.h"

#include <gtest/gtest.h>

using namespace tabtest;

namespace {

LOGFONT Tahoma(int height)
{
    LOGFONT lf = {};
    lf.lfHeight = height;
    lstrcpy(lf.lfFaceName, L"Tahoma");
    return lf;
}

}  // namespace

TEST(TabThemeChoice, AnAppearanceBringsItsOwnColourSet)
{
    CTKPTabTheme theme;
    EXPECT_EQ(0, theme.GetAppearance());
    EXPECT_EQ(1, theme.GetColorSet());
    const int defaults[10] = {1, 1, 1, 4, 2, 2, 2, 2, 1, 4};
    for (int n = 0; n < 10; ++n) {
        theme.SetColorSet(16);
        theme.SetAppearance(n);
        EXPECT_EQ(n, theme.GetAppearance());
        EXPECT_EQ(defaults[n], theme.GetColorSet()) << "appearance " << n;
        EXPECT_EQ(&theme, theme.GetAppearanceObject()->m_pTheme);
        EXPECT_EQ(&theme, theme.GetColorSetObject()->m_pTheme);
    }
    for (int n : {-1, 10, 42}) {
        theme.SetAppearance(n);
        EXPECT_EQ(0, theme.GetAppearance());
        EXPECT_EQ(1, theme.GetColorSet());
    }
    theme.SetColorSet(3);
    EXPECT_EQ(1, theme.GetColorSet());
    // A null object changes nothing.
    CTKPTabAppearance* appearance = theme.GetAppearanceObject();
    theme.SetAppearanceObject(nullptr);
    theme.SetColorSetObject(nullptr);
    EXPECT_EQ(appearance, theme.GetAppearanceObject());
    EXPECT_NE(nullptr, theme.GetColorSetObject());
}

TEST(TabThemeFonts, VerticalTextIsAtLeastElevenPixelsAndRunsDownwards)
{
    CTKPTabTheme theme;
    LOGFONT lf = Tahoma(-8);
    theme.SetFontIndirect(&lf);
    EXPECT_FALSE(theme.m_bUseSystemFont);
    LOGFONT out = {};
    theme.GetVerticalFont()->GetLogFont(&out);
    EXPECT_EQ(-11, out.lfHeight);
    EXPECT_EQ(2700, out.lfEscapement);
    EXPECT_EQ(900, out.lfOrientation);
    EXPECT_EQ(FW_NORMAL, out.lfWeight);
    theme.GetVerticalBoldFont()->GetLogFont(&out);
    EXPECT_EQ(FW_BOLD, out.lfWeight);
    theme.GetNormalFont()->GetLogFont(&out);
    EXPECT_EQ(-8, out.lfHeight);
    EXPECT_EQ(0, out.lfEscapement);

    lf.lfHeight = -12;
    theme.m_bBoldTabs = TRUE;
    theme.SetFontIndirect(&lf, TRUE);
    EXPECT_TRUE(theme.m_bUseSystemFont);
    theme.GetVerticalFont()->GetLogFont(&out);
    EXPECT_EQ(-12, out.lfHeight);
    theme.GetNormalFont()->GetLogFont(&out);
    EXPECT_EQ(FW_BOLD, out.lfWeight);

    // No font: only the switch changes.
    theme.SetFontIndirect(nullptr, FALSE);
    EXPECT_FALSE(theme.m_bUseSystemFont);
    theme.GetNormalFont()->GetLogFont(&out);
    EXPECT_EQ(-12, out.lfHeight);
}

TEST(TabThemeFonts, TheSelectedTabOfAnActiveRowIsBold)
{
    RowFixture f({L"A", L"B"});
    f.row->SetSelectedTab(f.Tab(0));
    EXPECT_EQ(f.theme.GetNormalFont(), f.theme.GetTabFont(f.Tab(0)));
    f.theme.m_bBoldSelected = TRUE;
    EXPECT_EQ(f.theme.GetBoldFont(), f.theme.GetTabFont(f.Tab(0)));
    EXPECT_EQ(f.theme.GetNormalFont(), f.theme.GetTabFont(f.Tab(1)));
    f.row->SetActive(FALSE);
    EXPECT_EQ(f.theme.GetNormalFont(), f.theme.GetTabFont(f.Tab(0)));
    f.row->SetActive(TRUE);
    f.theme.SetPosition(tktab::posRight);
    EXPECT_EQ(f.theme.GetVerticalBoldFont(), f.theme.GetTabFont(f.Tab(0)));
    // Rotated tabs turn the text the other way.
    f.theme.SetLayout(tktab::layoutRotated);
    EXPECT_EQ(f.theme.GetBoldFont(), f.theme.GetTabFont(f.Tab(0)));
    f.theme.SetPosition(tktab::posTop);
    EXPECT_EQ(f.theme.GetVerticalFont(), f.theme.GetTabFont(f.Tab(1)));
}

TEST(TabRowHeight, FontMarginsImagesAndTheManagersMinimum)
{
    CTKPTabTheme theme;
    LOGFONT lf = Tahoma(-9);
    theme.SetFontIndirect(&lf);
    theme.GetAppearanceObject()->RefreshMetrics();
    // A small font still gives 18.
    EXPECT_EQ(18, theme.GetAppearanceObject()->m_nRowHeight);
    lf.lfHeight = -30;
    theme.SetFontIndirect(&lf);
    theme.GetAppearanceObject()->RefreshMetrics();
    EXPECT_GT(theme.GetAppearanceObject()->m_nRowHeight, 30);
    lf.lfHeight = -9;
    theme.SetFontIndirect(&lf);
    theme.GetAppearanceObject()->RefreshMetrics();

    CTKPTabAppearance* appearance = theme.GetAppearanceObject();
    // Without a manager (a side panel measuring its strip): the images of the theme's size count.
    EXPECT_EQ(20, appearance->GetRowHeight(nullptr));
    theme.m_bShowImages = FALSE;
    EXPECT_EQ(18, appearance->GetRowHeight(nullptr));
    theme.m_rcTabMargin.SetRect(0, 2, 0, 2);
    EXPECT_EQ(22, appearance->GetRowHeight(nullptr));

    CTabRowWindow row(&theme);
    EXPECT_EQ(22, appearance->GetRowHeight(&row));
    row.SetItemMetrics(CSize(70, 18), CSize(0, 30), CSize(0, 0));
    EXPECT_EQ(30, appearance->GetRowHeight(&row));
    row.SetItemMetrics(CSize(70, 18), CSize(0, 0), CSize(0, 0));
    // The host may change the image size the theme asks with.
    theme.m_bShowImages = TRUE;
    row.m_szIcon = CSize(24, 24);
    EXPECT_EQ(32, appearance->GetRowHeight(&row));
    EXPECT_GT(row.m_nIconSizeQueries, 0);
}

TEST(TabRowHeight, HeaderBandsOfSeveralRows)
{
    CTKPTabTheme theme;
    LOGFONT lf = Tahoma(-9);
    theme.SetFontIndirect(&lf);
    theme.m_bShowImages = FALSE;
    theme.m_rcTabMargin.SetRect(0, 2, 0, 2);
    theme.RefreshMetrics();
    CTabRowWindow row(&theme);
    row.GetRows()->SetCount(2);
    CRect rcHeader;
    theme.GetAppearanceObject()->GetHeaderRect(rcHeader, CRect(0, 0, 300, 200), &row);
    EXPECT_EQ(CRect(0, 0, 300, 45), rcHeader);

    // Appearance 4: no overlap between rows, two pixels below them.
    theme.SetAppearance(4);
    EXPECT_EQ(0, theme.GetAppearanceObject()->m_nRowSpacing);
    theme.GetAppearanceObject()->GetHeaderRect(rcHeader, CRect(0, 0, 300, 200), &row);
    EXPECT_EQ(2 * 22 + 2 + 2, rcHeader.Height());

    // A bottom row keeps its band at the bottom edge.
    theme.SetPosition(tktab::posBottom);
    theme.GetAppearanceObject()->GetHeaderRect(rcHeader, CRect(0, 0, 300, 200), &row);
    EXPECT_EQ(200, rcHeader.bottom);
}

namespace {

int CaptionWidth(CTKPTabTheme& theme, CTKPTabManagerItem* pItem)
{
    CWindowDC dc(NULL);
    CFont* pOld = dc.SelectObject(theme.GetTabFont(pItem));
    CRect rc(0, 0, 0, 0);
    dc.DrawText(pItem->GetCaption(), &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    dc.SelectObject(pOld);
    return rc.Width();
}

}  // namespace

TEST(TabWidths, EachLayoutMeasuresTabsItsOwnWay)
{
    RowFixture f({L"Pictures", L"Recovered documents"});
    CTKPTabAppearance* appearance = f.theme.GetAppearanceObject();
    CTKPTabManagerItem* pictures = f.Tab(0);
    CTKPTabManagerItem* documents = f.Tab(1);
    CClientDC dc(f.row.get());
    const int picturesText = CaptionWidth(f.theme, pictures);
    const int documentsText = CaptionWidth(f.theme, documents);
    EXPECT_EQ(12 + picturesText, appearance->GetTabWidth(&dc, pictures));
    // An image adds its width.
    pictures->SetImage(1);
    EXPECT_EQ(16 + 12 + picturesText, appearance->GetTabWidth(&dc, pictures));
    // Inner margins add theirs; the minimum and the maximum bound the result.
    f.theme.m_rcTabMargin.SetRect(3, 0, 5, 0);
    EXPECT_EQ(16 + 12 + 8 + picturesText, appearance->GetTabWidth(&dc, pictures));
    f.theme.m_rcTabMargin.SetRectEmpty();
    f.row->SetItemMetrics(CSize(70, 18), CSize(200, 0), CSize(0, 0));
    EXPECT_EQ(200, appearance->GetTabWidth(&dc, documents));
    f.row->SetItemMetrics(CSize(70, 18), CSize(0, 0), CSize(40, 0));
    EXPECT_EQ(40, appearance->GetTabWidth(&dc, documents));
    f.row->SetItemMetrics(CSize(70, 18), CSize(0, 0), CSize(0, 0));

    f.theme.SetLayout(tktab::layoutFixed);
    EXPECT_EQ(70, appearance->GetTabWidth(&dc, documents));

    // Compressed: only the selected tab has room for a caption, as wide as the widest.
    f.theme.SetLayout(tktab::layoutCompressed);
    f.row->SetSelectedTab(pictures);
    EXPECT_EQ(16 + 8, appearance->GetTabWidth(&dc, documents));
    EXPECT_EQ(16 + 12 + std::max(picturesText, documentsText), appearance->GetTabWidth(&dc, pictures));

    // Without a DC the screen measures.
    f.theme.SetLayout(tktab::layoutNatural);
    EXPECT_EQ(12 + documentsText, appearance->GetTabWidth(nullptr, documents));
}

namespace {

// Pixels of two canvases, equal everywhere.
bool SamePixels(DibCanvas& a, DibCanvas& b, int width, int height)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
        }
    }
    return true;
}

}  // namespace

TEST(TabCaptionFitting, PathsUseThePathEllipsisOthersLoseTheirMiddle)
{
    CTKPTabTheme theme;
    DibCanvas fitted(200, 20), expected(200, 20);
    CFont* pFont = theme.GetNormalFont();
    fitted.DC()->SelectObject(pFont);
    expected.DC()->SelectObject(pFont);
    const UINT nFormat = DT_SINGLELINE | DT_NOPREFIX;
    // The fitted drawing of a caption in a width, against DrawText of what it should come to.
    auto drawsAs = [&](const CString& caption, int width, const CString& drawn, UINT extra) {
        fitted.Fill(RGB(255, 255, 255));
        expected.Fill(RGB(255, 255, 255));
        CRect rc(0, 0, width, 20);
        theme.DrawTextFitted(fitted.DC(), caption, &rc, nFormat);
        expected.DC()->DrawText(drawn, &rc, nFormat | extra);
        return SamePixels(fitted, expected, 200, 20);
    };
    const CString path(L"C:\\Recovered\\Pictures\\Summer holiday\\beach.jpg");
    EXPECT_TRUE(drawsAs(path, 90, path, DT_PATH_ELLIPSIS));
    // A caption that fits is drawn as it stands; narrower than "...", the dots alone.
    EXPECT_TRUE(drawsAs(L"Pictures", 190, L"Pictures", 0));
    EXPECT_TRUE(drawsAs(L"Pictures", 4, L"...", 0));

    // Otherwise both ends with "..." between, fitting the width: drawn as that cut text.
    const CString caption(L"Recovered documents of the office");
    const CString cut = tktab::FitCaptionMiddle(caption, 80,
        [&](const CString& str) { return theme.GetTextWidth(fitted.DC(), str, nFormat); });
    const int dots = cut.Find(L"...");
    ASSERT_GT(dots, 0);
    EXPECT_EQ(caption.Left(dots), cut.Left(dots));
    EXPECT_EQ(caption.Right(cut.GetLength() - dots - 3), cut.Mid(dots + 3));
    EXPECT_LT(cut.GetLength(), caption.GetLength());
    EXPECT_LE(theme.GetTextWidth(fitted.DC(), cut, nFormat), 80);
    EXPECT_TRUE(drawsAs(caption, 80, cut, 0));

    // Mnemonic markers do not count when the caption is drawn with them.
    const int plain = theme.GetTextWidth(fitted.DC(), L"Save", DT_NOPREFIX);
    EXPECT_EQ(plain, theme.GetTextWidth(fitted.DC(), L"&Save", 0));
    EXPECT_GT(theme.GetTextWidth(fitted.DC(), L"&Save", DT_NOPREFIX), plain);
}

TEST(TabTextColours, DisabledThenInactiveThenSelectedThenHot)
{
    RowFixture f({L"A", L"B", L"C"});
    f.theme.m_bHotTracking = TRUE;
    CTKPTabColorSet* colors = f.theme.GetColorSetObject();
    colors->m_clrNormalText.SetOverrideValue(RGB(1, 0, 0));
    colors->m_clrSelectedText.SetOverrideValue(RGB(2, 0, 0));
    colors->m_clrHotText.SetOverrideValue(RGB(3, 0, 0));
    colors->m_clrInactiveText.SetOverrideValue(RGB(4, 0, 0));
    colors->m_clrDisabledText.SetOverrideValue(RGB(5, 0, 0));
    f.row->SetSelectedTab(f.Tab(0));
    f.row->HandleMouseMove(f.row.get(), f.Centre(1));
    CClientDC dc(f.row.get());
    auto textOf = [&](int i) {
        colors->SetTextColor(&dc, f.Tab(i));
        return dc.GetTextColor();
    };
    EXPECT_EQ(RGB(2, 0, 0), textOf(0));
    EXPECT_EQ(RGB(3, 0, 0), textOf(1));
    EXPECT_EQ(RGB(1, 0, 0), textOf(2));
    f.row->SetActive(FALSE);
    EXPECT_EQ(RGB(4, 0, 0), textOf(0));
    EXPECT_EQ(RGB(4, 0, 0), textOf(1));
    f.Tab(0)->SetEnabled(FALSE);
    EXPECT_EQ(RGB(5, 0, 0), textOf(0));
}

class TabRowGeometry : public ::testing::TestWithParam<std::tuple<int, int, int, int>> {};

TEST_P(TabRowGeometry, TabsStayInTheBandAndOutOfTheClientArea)
{
    const int appearance = std::get<0>(GetParam());
    const int position = std::get<1>(GetParam());
    const int layout = std::get<2>(GetParam());
    const int size = std::get<3>(GetParam());
    std::vector<CString> captions;
    for (int i = 0; i < 14; ++i) {
        CString s;
        s.Format(i % 3 ? L"File %d" : L"Recovered folder %d", i);
        captions.push_back(s);
    }
    RowFixture f(captions, 0, CRect(100, 100, 100 + size, 100 + size));
    f.theme.SetAppearance(appearance);
    f.theme.SetPosition(position);
    f.theme.SetLayout(layout);
    f.Tab(3)->SetVisible(FALSE);
    f.row->SetSelectedTab(f.Tab(7));
    f.row->Layout();

    const CRect control(0, 0, size, size);
    const CRect client = f.row->GetTabClientRect();
    CRect header;
    f.theme.GetAppearanceObject()->GetHeaderRect(header, control, f.row.get());
    int total = 0;
    for (int i = 0; i < f.row->GetItemCount(); ++i) {
        CTKPTabManagerItem* tab = f.Tab(i);
        const CRect& rc = tab->GetRect();
        EXPECT_GE(tab->GetLength(), 0) << i;
        if (!tab->IsVisible()) {
            EXPECT_TRUE(rc.IsRectEmpty()) << i;
            continue;
        }
        total += tab->GetLength();
        CRect meet;
        EXPECT_FALSE(meet.IntersectRect(rc, client)) << "tab " << i;
        if (appearance == 8)
            continue;
        // Across the row every tab lies inside the header band.
        if (tktab::IsVertical(position)) {
            EXPECT_GE(rc.left, header.left) << i;
            EXPECT_LE(rc.right, header.right) << i;
        } else {
            EXPECT_GE(rc.top, header.top) << i;
            EXPECT_LE(rc.bottom, header.bottom) << i;
        }
    }
    // Shrunk rows fit between the margins.
    if (layout == tktab::layoutShrink && appearance != 8) {
        CRect margin;
        f.theme.GetAppearanceObject()->GetHeaderMargin(margin);
        EXPECT_LE(total, std::max<int>(0, size - margin.left - margin.right));
    }
    // The selected tab is in view.
    const CRect& clip = f.row->GetClipRect();
    if (!clip.IsRectEmpty()) {
        CRect meet;
        EXPECT_TRUE(meet.IntersectRect(clip, f.Tab(7)->GetRect()));
    }
}

INSTANTIATE_TEST_SUITE_P(AppearancesPositionsLayouts, TabRowGeometry,
    ::testing::Combine(::testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 9), ::testing::Range(0, 4),
        ::testing::Values(tktab::layoutNatural, tktab::layoutShrink, tktab::layoutMultiRow),
        ::testing::Values(360, 140)));
// Stacked bars (appearance 8) have no room to share when they do not all fit the control's height:
// only the tall control.
INSTANTIATE_TEST_SUITE_P(StackedBars, TabRowGeometry,
    ::testing::Combine(::testing::Values(8), ::testing::Range(0, 4),
        ::testing::Values(tktab::layoutNatural, tktab::layoutShrink, tktab::layoutMultiRow), ::testing::Values(360)));

TEST(TabStackedLayout, BarsOpenTheClientBelowTheSelectedBar)
{
    RowFixture f({L"Drives", L"Partitions", L"Files", L"Log"}, 0, CRect(100, 100, 300, 400));
    f.theme.SetAppearance(8);
    f.row->SetSelectedTab(f.Tab(1));
    f.row->Layout();
    const int h = f.theme.GetAppearanceObject()->GetRowHeight(f.row.get());
    EXPECT_EQ(CRect(1, 1, 200, 1 + h), f.Tab(0)->GetRect());
    EXPECT_EQ(CRect(1, 1 + h, 200, 1 + 2 * h), f.Tab(1)->GetRect());
    EXPECT_EQ(CRect(1, 300 - 2 * h, 200, 300 - h), f.Tab(2)->GetRect());
    EXPECT_EQ(CRect(1, 300 - h, 200, 300), f.Tab(3)->GetRect());
    EXPECT_EQ(CRect(1, 1 + 2 * h, 199, 300 - 2 * h), f.row->GetTabClientRect());
    // No header band, no clip, no buttons.
    EXPECT_TRUE(f.row->GetClipRect().IsRectEmpty());
    EXPECT_EQ(f.Tab(2), f.row->HitTest(f.Centre(2)));

    // The last bar selected: the client reaches the bottom, less the frame line.
    f.row->SetSelectedTab(f.Tab(3));
    EXPECT_EQ(CRect(1, 1 + 4 * h, 199, 299), f.row->GetTabClientRect());
    // Without a frame the client takes the full width.
    f.theme.m_nClientFrame = 2;
    f.row->Layout();
    EXPECT_EQ(CRect(0, 4 * h + 1, 200, 300), f.row->GetTabClientRect());
    EXPECT_EQ(0, f.Tab(0)->GetRect().left);
}

TEST(TabSharedTheme, RowsSharingAThemeRunAlongTheirOwnSides)
{
    RowFixture top({L"Drives", L"Partitions"}, 0, CRect(100, 100, 300, 300));
    CTabRowWindow right(&top.theme);
    right.Create(CRect(320, 100, 520, 300));
    right.m_nPosition = tktab::posRight;
    right.AddTabs({L"Drives", L"Partitions"});
    right.Layout();
    // One theme at the top; the second row keeps to its right edge, with vertical text.
    EXPECT_EQ(tktab::posTop, top.theme.GetPosition());
    EXPECT_LT(top.Tab(0)->GetRect().bottom, 40);
    EXPECT_GT(right.GetItem(0)->GetRect().left, 150);
    EXPECT_LT(right.GetItem(0)->GetRect().top, right.GetItem(1)->GetRect().top);
    EXPECT_EQ(top.theme.GetVerticalFont(), top.theme.GetTabFont(right.GetItem(0)));
    EXPECT_EQ(top.theme.GetNormalFont(), top.theme.GetTabFont(top.Tab(0)));
    EXPECT_LT(right.GetTabClientRect().right, right.GetItem(0)->GetRect().left + 1);
    // Painting follows it as well: the header band lies at the right.
    DibCanvas canvas(200, 200);
    top.theme.GetColorSetObject()->m_grcHeader.m_clrLight.SetOverrideValue(RGB(255, 0, 0));
    top.theme.GetColorSetObject()->m_grcHeader.m_clrDark.SetOverrideValue(RGB(255, 0, 0));
    right.Paint(canvas.DC());
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(195, 190));
    EXPECT_NE(RGB(255, 0, 0), canvas.Pixel(100, 5));
    right.DestroyWindow();
}
