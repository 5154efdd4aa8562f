// The command-bar themes drawn into memory bitmaps: the faces of controls in every state, grippers,
// separators and dock-bar backgrounds of the flat, gradient and scheme gradient themes, the
// drawing every theme shares (captions, split buttons, text below icons, check marks, status
// panes), and the process-wide theme with its colours and fonts.
#include <gtest/gtest.h>

#include "tests/toolkit/base/DibCanvas.h"
#include "tests/toolkit/base/DistinctPictures.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlComboBox.h"
#include "toolkit/commandbars/ControlEdit.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/FlatBarTheme.h"
#include "toolkit/commandbars/GradientBarTheme.h"
#include "toolkit/commandbars/NativeBarTheme.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/SchemeGradientBarTheme.h"
#include "toolkit/commandbars/ToolBar.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

const COLORREF kPaper = RGB(1, 2, 3);
const int kNone = -1;

// A theme made and refreshed for one test, released at its end.
struct ThemeDeleter {
    void operator()(CTKPCommandBarsTheme* p) const { p->InternalRelease(); }
};
template <class T>
std::unique_ptr<T, ThemeDeleter> MakeTheme(int nTheme)
{
    T* pTheme = static_cast<T*>(CTKPCommandBarsTheme::CreateTheme(nTheme));
    pTheme->RefreshColorsAndFonts();
    return std::unique_ptr<T, ThemeDeleter>(pTheme);
}

// One state of a control face and what the flat theme draws for it.
struct FaceCase {
    const char* name;
    int nSelected, nPressed;
    BOOL bEnabled, bChecked, bPopuped;
    int nPosition;
    int nBorder, nFill;
};

const FaceCase kFlatFaces[] = {
    {"open popup", 0, 0, TRUE, FALSE, TRUE, tkpBarTop, 43, 30},
    {"checked", 0, 0, TRUE, TRUE, FALSE, tkpBarTop, 50, 36},
    {"checked and hot", 1, 0, TRUE, TRUE, FALSE, tkpBarTop, 37, 33},
    {"pressed while its popup is open", 0, 2, TRUE, FALSE, FALSE, tkpBarTop, 50, 33},
    {"hot and pressed", 1, 1, TRUE, FALSE, FALSE, tkpBarTop, 50, 33},
    {"pressed, mouse away", 0, 1, TRUE, FALSE, FALSE, tkpBarTop, 32, 31},
    {"hot", 1, 0, TRUE, FALSE, FALSE, tkpBarTop, 32, 31},
    {"idle", 0, 0, TRUE, FALSE, FALSE, tkpBarTop, kNone, kNone},
    {"disabled, keyboard selected, on a popup", 2, 0, FALSE, FALSE, FALSE, tkpBarPopup, 32, 41},
    {"disabled, keyboard selected, checked", 2, 0, FALSE, TRUE, FALSE, tkpBarTop, 32, 33},
    {"disabled, keyboard selected", 2, 0, FALSE, FALSE, FALSE, tkpBarTop, 32, 31},
    {"disabled checked on a popup", 0, 0, FALSE, TRUE, FALSE, tkpBarPopup, 58, kNone},
    {"disabled checked", 1, 0, FALSE, TRUE, FALSE, tkpBarTop, 58, 36},
    {"disabled", 1, 0, FALSE, FALSE, FALSE, tkpBarTop, kNone, kNone},
};

void DrawFace(CTKPCommandBarsTheme* pTheme, DibCanvas& canvas, const FaceCase& c, BOOL bToolBar = TRUE)
{
    canvas.Fill(kPaper);
    pTheme->DrawRectangle(canvas.DC(), CRect(2, 2, 22, 18), c.nSelected, c.nPressed, c.bEnabled, c.bChecked, c.bPopuped,
        bToolBar, c.nPosition);
}

bool SamePixels(DibCanvas& a, DibCanvas& b, int cx, int cy)
{
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
        }
    }
    return true;
}

// The largest difference of one colour channel.
int ChannelDistance(COLORREF a, COLORREF b)
{
    const int dr = abs((int)GetRValue(a) - (int)GetRValue(b)), dg = abs((int)GetGValue(a) - (int)GetGValue(b)),
              db = abs((int)GetBValue(a) - (int)GetBValue(b));
    return std::max(dr, std::max(dg, db));
}

// Puts the colour manager on a desktop scheme for the life of the object (0 is no scheme).
class ForcedScheme {
public:
    explicit ForcedScheme(int nScheme) : m_nOld(GetColorManager()->m_nSelectedScheme)
    {
        GetColorManager()->SetSelectedScheme(nScheme);
        GetColorManager()->RefreshColors();
    }
    ~ForcedScheme()
    {
        GetColorManager()->SetSelectedScheme(m_nOld);
        GetColorManager()->RefreshColors();
    }

private:
    int m_nOld;
};

}  // namespace

TEST(FlatTheme, EachControlStateHasItsBorderAndFill)
{
    auto pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    DibCanvas canvas(24, 20);
    for (const FaceCase& c : kFlatFaces) {
        SCOPED_TRACE(c.name);
        DrawFace(pTheme.get(), canvas, c);
        EXPECT_EQ(canvas.Pixel(1, 1), kPaper);
        EXPECT_EQ(canvas.Pixel(2, 2), c.nBorder != kNone ? pTheme->GetColor(c.nBorder) : kPaper);
        EXPECT_EQ(canvas.Pixel(21, 17), c.nBorder != kNone ? pTheme->GetColor(c.nBorder) : kPaper);
        COLORREF clrInside = kPaper;
        if (c.nFill != kNone)
            clrInside = pTheme->GetColor(c.nFill);
        EXPECT_EQ(canvas.Pixel(10, 9), clrInside);
    }
}

TEST(FlatTheme, GripperOfAHorizontalToolBarIsShortLinesEveryOtherRow)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CTKPToolBar* pBar = pFrame->GetToolBar();
    auto pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    pBar->SetWindowPos(NULL, 0, 0, 100, 22, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    DibCanvas canvas(100, 22);
    canvas.Fill(kPaper);
    EXPECT_EQ(pTheme->DrawCommandBarGripper(canvas.DC(), pBar, TRUE), CSize(6, 0));
    const COLORREF clr38 = pTheme->GetColor(38);
    for (int y = 0; y < 22; ++y) {
        const bool bLine = y >= 5 && y <= 15 && y % 2 == 1;
        SCOPED_TRACE(y);
        EXPECT_EQ(canvas.Pixel(3, y), bLine ? clr38 : kPaper);
        EXPECT_EQ(canvas.Pixel(5, y), bLine ? clr38 : kPaper);
        EXPECT_EQ(canvas.Pixel(6, y), kPaper);
    }
    pFrame->DestroyWindow();
}

// A floating bar's caption band: the title in colour 20 in the small caption font, an '&' in it
// marking the mnemonic as in a menu caption, cut at the room left for the caption buttons without an
// ellipsis.
TEST(FlatTheme, TheFloatingCaptionDrawsTheTitleWithItsMnemonicAndCutsIt)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CTKPToolBar* pBar = pFrame->GetToolBar();
    ASSERT_TRUE(pBar->SetPosition(tkpBarFloating));
    pBar->SetTitle(L"Find && &Replace in every one of the open documents, their folders and all their files");
    auto pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    DibCanvas drawn(rcClient.Width(), 40), expected(rcClient.Width(), 40);
    drawn.Fill(kPaper);
    expected.Fill(kPaper);
    const CSize size = pTheme->DrawCommandBarGripper(drawn.DC(), pBar, TRUE);
    ASSERT_GT(size.cy, 0);
    {
        CDC* pDC = expected.DC();
        pDC->FillSolidRect(CRect(3, 3, rcClient.Width() - 3, size.cy + 3), pTheme->GetColor(COLOR_BTNSHADOW));
        CTKPFontSelector font(pDC, pTheme->GetSmCaptionFont());
        pDC->SetTextColor(pTheme->GetColor(COLOR_BTNHIGHLIGHT));
        pDC->SetBkMode(TRANSPARENT);
        CRect rcText(5, 3, rcClient.Width() - 3 - 2 * size.cy, size.cy + 3);
        CSize extent = pDC->GetTextExtent(pBar->GetTitle());
        ASSERT_GT(extent.cx, rcText.Width());  // the title does not fit
        pDC->DrawText(pBar->GetTitle(), rcText, DT_SINGLELINE | DT_VCENTER);
    }
    EXPECT_TRUE(SamePixels(drawn, expected, rcClient.Width(), 40));
    pFrame->DestroyWindow();
}

TEST(FlatTheme, TheTearOffHandleOfAPopupIsLinesInAStrip)
{
    auto pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    DibCanvas canvas(100, 12);
    const CRect rc(0, 0, 100, 9);
    canvas.Fill(kPaper);
    EXPECT_EQ(pTheme->DrawPopupBarHandle(canvas.DC(), rc, FALSE, TRUE), CSize(0, 9));
    // A strip in colour 41; a handle of half-length 16 around x = 50 with lines at y = 3, 5, 7.
    EXPECT_EQ(canvas.Pixel(10, 1), pTheme->GetColor(41));
    for (int y = 2; y <= 8; ++y)
        EXPECT_EQ(canvas.Pixel(50, y), pTheme->GetColor(y % 2 == 1 ? 38 : 30)) << y;
    EXPECT_EQ(canvas.Pixel(33, 5), pTheme->GetColor(41));
    EXPECT_EQ(canvas.Pixel(36, 5), pTheme->GetColor(38));
    // Hot: framed in colour 32, two lines in colour 45.
    canvas.Fill(kPaper);
    pTheme->DrawPopupBarHandle(canvas.DC(), rc, TRUE, TRUE);
    EXPECT_EQ(canvas.Pixel(34, 5), pTheme->GetColor(32));
    EXPECT_EQ(canvas.Pixel(50, 4), pTheme->GetColor(45));
    EXPECT_EQ(canvas.Pixel(50, 5), pTheme->GetColor(31));
    // Too narrow for a handle: only the strip.
    canvas.Fill(kPaper);
    pTheme->DrawPopupBarHandle(canvas.DC(), CRect(0, 0, 20, 9), FALSE, TRUE);
    EXPECT_EQ(canvas.Pixel(10, 5), pTheme->GetColor(41));
}

TEST(GradientTheme, WithoutADesktopSchemeClosedControlsLookFlat)
{
    ForcedScheme none(0);
    auto pFlat = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    auto pGradient = MakeTheme<CTKPGradientBarTheme>(CTKPCommandBarsTheme::themeGradient);
    ASSERT_FALSE(pGradient->m_bSchemeActive);
    DibCanvas flat(24, 20), gradient(24, 20);
    for (const FaceCase& c : kFlatFaces) {
        if (c.bPopuped)
            continue;
        SCOPED_TRACE(c.name);
        DrawFace(pFlat.get(), flat, c);
        DrawFace(pGradient.get(), gradient, c);
        EXPECT_TRUE(SamePixels(flat, gradient, 24, 20));
    }
    // An open popup always gets the gradient, framed in colour 43.
    const FaceCase open = kFlatFaces[0];
    DrawFace(pGradient.get(), gradient, open);
    EXPECT_EQ(gradient.Pixel(2, 2), pGradient->GetColor(43));
    EXPECT_NE(gradient.Pixel(10, 9), kPaper);
}

TEST(GradientTheme, ADesktopSchemeGivesGradientFacesUntilItIsGone)
{
    auto pTheme = MakeTheme<CTKPGradientBarTheme>(CTKPCommandBarsTheme::themeGradient);
    const COLORREF clrHotBefore = pTheme->GetColor(31);
    DibCanvas canvas(24, 20);
    const FaceCase& checked = kFlatFaces[1];
    {
        ForcedScheme blue(1);
        pTheme->RefreshColorsAndFonts();
        ASSERT_TRUE(pTheme->m_bSchemeActive);
        EXPECT_EQ(pTheme->GetColor(31), 0xC2EEFFu);
        EXPECT_EQ(pTheme->GetColor(50), 0x800000u);
        EXPECT_EQ(pTheme->GetColor(60), 0x8D8D8Du);
        DrawFace(pTheme.get(), canvas, checked);
        EXPECT_EQ(canvas.Pixel(2, 2), 0x800000u);
        // The checked gradient runs from top to bottom.
        EXPECT_NE(canvas.Pixel(10, 3), canvas.Pixel(10, 16));
        EXPECT_EQ(canvas.Pixel(10, 3), canvas.Pixel(20, 3));

        // Docked on a side the same face runs from left to right.
        FaceCase side = checked;
        side.nPosition = tkpBarLeft;
        DrawFace(pTheme.get(), canvas, side);
        EXPECT_EQ(canvas.Pixel(3, 3), canvas.Pixel(3, 16));
        EXPECT_NE(canvas.Pixel(3, 9), canvas.Pixel(20, 9));

        // Popup items keep the flat table.
        DrawFace(pTheme.get(), canvas, checked, FALSE);
        EXPECT_EQ(canvas.Pixel(10, 3), pTheme->GetColor(36));
    }
    pTheme->RefreshColorsAndFonts();
    EXPECT_FALSE(pTheme->m_bSchemeActive);
    EXPECT_EQ(pTheme->GetColor(31), clrHotBefore);
    DrawFace(pTheme.get(), canvas, checked);
    EXPECT_EQ(canvas.Pixel(10, 3), pTheme->GetColor(36));
}

TEST(GradientTheme, GripperDotsNeedRoomAndDockBarsShareOneHalfScreenGradient)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CTKPToolBar* pBar = pFrame->GetToolBar();
    auto pTheme = MakeTheme<CTKPGradientBarTheme>(CTKPCommandBarsTheme::themeGradient);

    DibCanvas canvas(100, 22);
    canvas.Fill(kPaper);
    pBar->SetWindowPos(NULL, 0, 0, 100, 7, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pTheme->DrawCommandBarGripper(canvas.DC(), pBar, TRUE);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(canvas.Pixel(x, y), kPaper);
    }
    pBar->SetWindowPos(NULL, 0, 0, 100, 22, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pTheme->DrawCommandBarGripper(canvas.DC(), pBar, TRUE);
    // Dots at y = 8, 12 and 16: a dark square up and left of a light one.
    for (int y : {8, 12, 16}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(canvas.Pixel(5, y - 3), pTheme->GetColor(38));
        EXPECT_EQ(canvas.Pixel(7, y - 1), pTheme->GetColor(COLOR_BTNHIGHLIGHT));
    }
    EXPECT_EQ(canvas.Pixel(5, 17), kPaper);

    // A narrow dock bar shows the first part of the gradient a half-screen-wide one shows (the blue
    // scheme's bar gradient changes enough over 100 pixels to tell).
    ForcedScheme blue(1);
    pTheme->RefreshColorsAndFonts();
    const int cxHalf = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    CWnd narrow, wide, side;
    narrow.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, 100, 10), pFrame, 1);
    wide.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, cxHalf, 10), pFrame, 2);
    side.CreateEx(0, L"STATIC", L"", WS_CHILD | 0x4000, CRect(0, 0, 100, 10), pFrame, 3);
    DibCanvas narrowDC(100, 10), wideDC(cxHalf, 10), sideDC(100, 10);
    pTheme->DrawDockBarBackground(narrowDC.DC(), &narrow);
    pTheme->DrawDockBarBackground(wideDC.DC(), &wide);
    pTheme->DrawDockBarBackground(sideDC.DC(), &side);
    for (int x = 0; x < 100; x += 9) {
        SCOPED_TRACE(x);
        EXPECT_LE(ChannelDistance(narrowDC.Pixel(x, 5), wideDC.Pixel(x, 5)), 2);
    }
    const COLORREF clrDark = pTheme->m_grcDockBar.m_clrDark.GetEffective();
    EXPECT_GT(ChannelDistance(narrowDC.Pixel(99, 5), clrDark), 10);
    EXPECT_LE(ChannelDistance(wideDC.Pixel(cxHalf - 1, 5), clrDark), 2);
    // The right dock bar is one colour, the gradient's dark end.
    EXPECT_EQ(sideDC.Pixel(0, 5), clrDark);
    EXPECT_EQ(sideDC.Pixel(99, 5), clrDark);
    pFrame->DestroyWindow();
}

TEST(GradientTheme, TheExpandRowImageShadesFromTheImageGradientsDarkEnd)
{
    ForcedScheme blue(1);
    auto pTheme = MakeTheme<CTKPGradientBarTheme>(CTKPCommandBarsTheme::themeGradient);
    const COLORREF light = pTheme->m_grcImage.m_clrLight.GetEffective();
    const COLORREF dark = pTheme->m_grcImage.m_clrDark.GetEffective();
    // Each channel is dark - (dark - light) * shade / 255; shade 255 is the mask colour.
    auto shade = [&](int s) {
        auto channel = [&](int l, int d) { return d - (d - l) * s / 255; };
        return RGB(channel(GetRValue(light), GetRValue(dark)), channel(GetGValue(light), GetGValue(dark)),
            channel(GetBValue(light), GetBValue(dark)));
    };
    EXPECT_EQ(pTheme->GetExpandImagePixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(pTheme->GetExpandImagePixel(4, 0), shade(252));
    EXPECT_EQ(pTheme->GetExpandImagePixel(7, 0), shade(180));
    // The first row as given; the darkest shade, 0, is the dark end itself.
    const int firstRow[16] = {255, 255, 255, 255, 252, 234, 198, 180, 180, 180, 198, 252, 255, 255, 255, 255};
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(CTKPGradientBarTheme::s_expandShades[x], firstRow[x]) << x;
    bool bDarkest = false;
    for (int i = 0; i < 256; ++i)
        bDarkest |= CTKPGradientBarTheme::s_expandShades[i] == 0;
    EXPECT_TRUE(bDarkest);
}

TEST(SchemeGradientTheme, OliveDiffersFromBlueOnlyInTheAccents)
{
    auto pTheme = MakeTheme<CTKPSchemeGradientBarTheme>(CTKPCommandBarsTheme::themeSchemeGradient);
    EXPECT_EQ(pTheme->GetThemeKind(), CTKPCommandBarsTheme::themeSchemeGradient);
    struct Look {
        COLORREF toolBarLight, toolBarDark, barLight, shadow, expandLight, expandDark, faceDark;
        COLORREF c31, c33, c36, c47;
    };
    auto take = [&](int nScheme) {
        ForcedScheme scheme(nScheme);
        pTheme->RefreshColorsAndFonts();
        EXPECT_FALSE(pTheme->m_bSchemeActive);
        return Look{pTheme->m_grcToolBar.m_clrLight.GetEffective(), pTheme->m_grcToolBar.m_clrDark.GetEffective(),
            pTheme->m_grcDockBar.m_clrLight.GetEffective(), pTheme->m_clrToolBarShadow.GetEffective(),
            pTheme->m_grcToolBarExpand.m_clrLight.GetEffective(), pTheme->m_grcToolBarExpand.m_clrDark.GetEffective(),
            pTheme->m_grcFace.m_clrDark.GetEffective(), pTheme->GetColor(31), pTheme->GetColor(33),
            pTheme->GetColor(36), pTheme->GetColor(47)};
    };
    const Look blue = take(1), olive = take(2);
    EXPECT_EQ(blue.toolBarLight, 0xF5F9FAu);
    EXPECT_EQ(olive.toolBarLight, blue.toolBarLight);
    EXPECT_EQ(olive.toolBarDark, blue.toolBarDark);
    EXPECT_EQ(olive.barLight, blue.barLight);
    EXPECT_EQ(olive.shadow, blue.shadow);
    EXPECT_EQ(olive.expandLight, blue.expandLight);
    EXPECT_NE(olive.expandDark, blue.expandDark);
    EXPECT_NE(olive.faceDark, blue.faceDark);
    EXPECT_NE(olive.c31, blue.c31);
    EXPECT_NE(olive.c33, blue.c33);
    EXPECT_NE(olive.c36, blue.c36);
    EXPECT_NE(olive.c47, blue.c47);
    pTheme->RefreshColorsAndFonts();
}

TEST(SchemeGradientTheme, SeparatorsInsideARowHaveNoHighlightLine)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CTKPToolBar* pBar = pFrame->GetToolBar();
    CTKPControl* pControl = pBar->GetControls()->GetAt(2);
    ASSERT_TRUE(pControl->GetBeginGroup());
    const CRect rcControl = pControl->GetRect();
    const CRect rcRow = pControl->GetRowRect();
    ForcedScheme none(0);
    auto pGradient = MakeTheme<CTKPGradientBarTheme>(CTKPCommandBarsTheme::themeGradient);
    auto pScheme = MakeTheme<CTKPSchemeGradientBarTheme>(CTKPCommandBarsTheme::themeSchemeGradient);

    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    DibCanvas canvas(rcClient.Width(), rcClient.Height());
    const int y = rcRow.top + 8;
    canvas.Fill(kPaper);
    pGradient->DrawControlSeparator(canvas.DC(), pBar, pControl, TRUE);
    EXPECT_EQ(canvas.Pixel(rcControl.left - 4, y), pGradient->GetColor(39));
    EXPECT_EQ(canvas.Pixel(rcControl.left - 3, y), pGradient->GetColor(COLOR_BTNHIGHLIGHT));
    canvas.Fill(kPaper);
    pScheme->DrawControlSeparator(canvas.DC(), pBar, pControl, TRUE);
    EXPECT_EQ(canvas.Pixel(rcControl.left - 4, y), pScheme->GetColor(39));
    EXPECT_EQ(canvas.Pixel(rcControl.left - 3, y), kPaper);
    pFrame->DestroyWindow();
}

TEST(ThemeStates, AToolBarShowsTheStatesOfItsControlsInEachTheme)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CTKPToolBar* pBar = pFrame->GetToolBar();
    CTKPControls* pControls = pBar->GetControls();
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    DibCanvas canvas(rcClient.Width(), rcClient.Height());
    struct State {
        const char* name;
        int nSelected, nPressed, nChecked;
        BOOL bEnabled;
        int nBorder;
    };
    const State states[] = {
        {"hot", 1, 0, 0, TRUE, 32},
        {"pressed", 1, 1, 0, TRUE, 50},
        {"checked", 0, 0, 1, TRUE, 50},
        {"checked and hot", 1, 0, 1, TRUE, 37},
        {"disabled and checked", 0, 0, 1, FALSE, 58},
    };
    for (int nTheme : {CTKPCommandBarsTheme::themeFlat, CTKPCommandBarsTheme::themeGradient,
             CTKPCommandBarsTheme::themeSchemeGradient}) {
        for (int nScheme : {0, 1}) {
            ForcedScheme scheme(nScheme);
            CTKPCommandBarsTheme::SetTheme(nTheme);
            CTKPCommandBarsTheme* pTheme = CTKPCommandBarsTheme::GetInstalledTheme();
            for (const State& state : states) {
                SCOPED_TRACE(testing::Message() << nTheme << "/" << nScheme << " " << state.name);
                CTKPControl* pControl = pControls->GetAt(1);
                pControl->SetSelected(state.nSelected);
                pControl->SetPressed(state.nPressed);
                pControl->SetChecked(state.nChecked);
                pControl->SetEnabled(state.bEnabled);
                canvas.Fill(kPaper);
                pBar->DrawCommandBar(canvas.DC(), rcClient);
                const CRect rc = pControl->GetRect();
                EXPECT_EQ(canvas.Pixel(rc.left, rc.CenterPoint().y), pTheme->GetColor(state.nBorder));
                EXPECT_EQ(canvas.Pixel(rc.right - 1, rc.CenterPoint().y), pTheme->GetColor(state.nBorder));
                // Its idle neighbour has no frame.
                const CRect rcIdle = pControls->GetAt(0)->GetRect();
                EXPECT_NE(canvas.Pixel(rcIdle.left, rcIdle.CenterPoint().y), pTheme->GetColor(state.nBorder));
                pControl->SetSelected(0);
                pControl->SetPressed(0);
                pControl->SetChecked(0);
                pControl->SetEnabled(TRUE);
            }
        }
    }
    CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeFlat);
    pFrame->DestroyWindow();
}

// --- What every theme shares ---------------------------------------------------------------------

namespace {

class SharedDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
        m_pBar = m_pFrame->GetToolBar();
        m_pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }
    CTKPControl* AddControl(int nType, LPCTSTR lpszCaption)
    {
        CTKPControl* pControl = m_pBar->GetControls()->Add(nType, 150);
        pControl->SetCaption(lpszCaption);
        return pControl;
    }

    CTestFrame* m_pFrame = nullptr;
    CTKPToolBar* m_pBar = nullptr;
    std::unique_ptr<CTKPFlatBarTheme, ThemeDeleter> m_pTheme;
};

}  // namespace

TEST_F(SharedDrawingTest, CaptionsMeasureWithoutMnemonicMarkersAndEmptyOnesAsASpace)
{
    DibCanvas canvas(200, 40);
    CDC* pDC = canvas.DC();
    pDC->SelectObject(m_pTheme->GetRegularFont());
    const CRect rc(0, 0, 200, 40);
    const CSize sizeMarked = m_pTheme->DrawControlText(pDC, L"&Open", rc, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
    const CSize sizePlain = m_pTheme->DrawControlText(pDC, L"Open", rc, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
    EXPECT_EQ(sizeMarked, sizePlain);
    const CSize sizeArrow = m_pTheme->DrawControlText(pDC, L"Open", rc, FALSE, FALSE, FALSE, TRUE, FALSE, TRUE);
    EXPECT_EQ(sizeArrow, sizePlain + CSize(10, 0));
    const CSize sizeVert = m_pTheme->DrawControlText(pDC, L"Open", rc, FALSE, TRUE, FALSE, FALSE, FALSE, TRUE);
    EXPECT_EQ(sizeVert, CSize(sizePlain.cy, sizePlain.cx));
    EXPECT_EQ(m_pTheme->DrawControlText(pDC, L"", rc, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE),
        m_pTheme->DrawControlText(pDC, L" ", rc, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE));

    // Drawn with cues the marked letter is underlined; hidden cues (or a theme that forces them
    // off) draw the plain caption.
    DibCanvas withCues(200, 40), withoutCues(200, 40), plain(200, 40), forcedOff(200, 40);
    for (DibCanvas* p : {&withCues, &withoutCues, &plain, &forcedOff})
        p->DC()->SelectObject(m_pTheme->GetRegularFont());
    m_pTheme->DrawControlText(withCues.DC(), L"&Open", rc, TRUE, FALSE, FALSE, FALSE, FALSE, TRUE);
    m_pTheme->DrawControlText(withoutCues.DC(), L"&Open", rc, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE);
    m_pTheme->DrawControlText(plain.DC(), L"Open", rc, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE);
    m_pTheme->m_bShowKeyboardCues = 0;
    m_pTheme->DrawControlText(forcedOff.DC(), L"&Open", rc, TRUE, FALSE, FALSE, FALSE, FALSE, TRUE);
    EXPECT_TRUE(SamePixels(withoutCues, plain, 200, 40));
    EXPECT_TRUE(SamePixels(forcedOff, plain, 200, 40));
    EXPECT_FALSE(SamePixels(withCues, plain, 200, 40));
}

TEST_F(SharedDrawingTest, OnlyHorizontalCaptionsGetTheEmbossedShadowWhenDisabled)
{
    // The shadow is the highlight colour: dark paper shows it.
    DibCanvas blank(40, 120, kPaper), plainV(40, 120, kPaper), embossedV(40, 120, kPaper);
    DibCanvas plainH(120, 40, kPaper), embossedH(120, 40, kPaper);
    for (DibCanvas* p : {&plainV, &embossedV})
        p->DC()->SelectObject(m_pTheme->GetVerticalFont());
    for (DibCanvas* p : {&plainH, &embossedH})
        p->DC()->SelectObject(m_pTheme->GetRegularFont());
    for (DibCanvas* p : {&plainV, &embossedV, &plainH, &embossedH}) {
        p->DC()->SetTextColor(RGB(0, 0, 255));
        p->DC()->SetBkMode(TRANSPARENT);
    }
    m_pTheme->DrawControlText(plainV.DC(), L"Open", CRect(0, 0, 40, 120), TRUE, TRUE, FALSE, FALSE, FALSE, TRUE);
    m_pTheme->DrawControlText(embossedV.DC(), L"Open", CRect(0, 0, 40, 120), TRUE, TRUE, FALSE, FALSE, TRUE, TRUE);
    m_pTheme->DrawControlText(plainH.DC(), L"Open", CRect(0, 0, 120, 40), TRUE, FALSE, FALSE, FALSE, FALSE, TRUE);
    m_pTheme->DrawControlText(embossedH.DC(), L"Open", CRect(0, 0, 120, 40), TRUE, FALSE, FALSE, FALSE, TRUE, TRUE);
    EXPECT_FALSE(SamePixels(plainV, blank, 40, 120));  // the vertical text is there
    EXPECT_TRUE(SamePixels(plainV, embossedV, 40, 120));
    EXPECT_FALSE(SamePixels(plainH, embossedH, 120, 40));
}

TEST_F(SharedDrawingTest, EveryPopupItemWithAShortcutMakesRoomForIt)
{
    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    DibCanvas canvas(10, 10);
    canvas.DC()->SelectObject(m_pTheme->GetRegularFont());
    for (int nType : {tkpControlButton, tkpControlPopup, tkpControlButtonPopup, tkpControlSplitButtonPopup}) {
        SCOPED_TRACE(nType);
        CTKPControl* pItem = pPopup->GetControls()->Add(nType, 150);
        pItem->SetCaption(L"Item");
        const CSize plain = m_pTheme->DrawControlPopupParent(canvas.DC(), pItem, FALSE);
        pItem->SetShortcutText(L"Ctrl+K");
        const CSize withShortcut = m_pTheme->DrawControlPopupParent(canvas.DC(), pItem, FALSE);
        EXPECT_EQ(withShortcut.cx - plain.cx, canvas.DC()->GetTextExtent(CString(L"Ctrl+K")).cx);
    }
    pPopup->InternalRelease();
}

TEST_F(SharedDrawingTest, ControlSizesOnAToolBar)
{
    DibCanvas canvas(10, 10);
    // A split button without a caption on a bar of 23-pixel buttons.
    m_pBar->SetButtonSize(CSize(23, 23));
    m_pBar->SetIconSize(CSize(16, 16));
    CTKPControl* pSplit = AddControl(tkpControlSplitButtonPopup, L"");
    EXPECT_EQ(m_pTheme->DrawControl(canvas.DC(), pSplit, FALSE), CSize(34, 23));

    // A popup control without an image: its caption, an arrow, and 6 pixels each way.
    CTKPControl* pPopup = AddControl(tkpControlPopup, L"File");
    canvas.DC()->SelectObject(m_pTheme->GetRegularFont());
    const CSize sizeText =
        m_pTheme->DrawControlText(canvas.DC(), L"File", CRect(0, 0, 100, 30), FALSE, FALSE, TRUE, TRUE, FALSE, TRUE);
    EXPECT_EQ(m_pTheme->DrawControl(canvas.DC(), pPopup, FALSE), sizeText + CSize(6, 6));
}

TEST_F(SharedDrawingTest, TextBelowIconsMakesAtLeastASquare)
{
    m_pBar->SetTextBelowIcons(1);
    ASSERT_TRUE(m_pBar->IsTextBelowIcons());
    CTKPControl* pControl = m_pBar->GetControls()->GetAt(0);
    pControl->SetCaption(L"A");
    pControl->SetStyle(3);
    DibCanvas canvas(10, 10);
    const CSize size = m_pTheme->DrawControl(canvas.DC(), pControl, FALSE);
    EXPECT_GE(size.cx, size.cy);
    EXPECT_GT(size.cy, m_pBar->GetButtonSize().cy);
    EXPECT_GE(size.cx, m_pBar->GetButtonSize().cx);
}

TEST_F(SharedDrawingTest, APopupArrowIsDrawnOnAToolBarButNotOnAMenuBar)
{
    CTKPControl* pPopup = AddControl(tkpControlPopup, L"File");
    pPopup->SetRect(CRect(0, 0, 60, 24));
    DibCanvas onToolBar(60, 24), onMenuBar(60, 24);
    m_pTheme->DrawControl(onToolBar.DC(), pPopup, TRUE);
    m_pBar->SetType(tkpBarTypeMenuBar);
    m_pTheme->DrawControl(onMenuBar.DC(), pPopup, TRUE);
    m_pBar->SetType(tkpBarTypeNormal);

    // The caption sits a little differently (centred with or without the arrow's room); the toolbar
    // drawing has the arrow's pixels on top.
    auto ink = [](DibCanvas& canvas) {
        int n = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 60; ++x)
                n += canvas.Pixel(x, y) != RGB(255, 255, 255);
        }
        return n;
    };
    EXPECT_GE(ink(onToolBar), ink(onMenuBar) + 5);
    EXPECT_GT(ink(onMenuBar), 10);
}

TEST_F(SharedDrawingTest, EditAndComboLabelsLeaveTheirMnemonicMarkerOutWhenCuesAreHidden)
{
    // A label "&Find" with hidden cues is measured and drawn as "Find", in the flat theme and in
    // the themes that take their edits and combo boxes from it.
    for (int nTheme : {CTKPCommandBarsTheme::themeFlat, CTKPCommandBarsTheme::themeGradient,
             CTKPCommandBarsTheme::themeSchemeGradient}) {
        auto pTheme = MakeTheme<CTKPCommandBarsTheme>(nTheme);
        pTheme->m_bShowKeyboardCues = 0;
        for (int nType : {tkpControlEdit, tkpControlComboBox}) {
            SCOPED_TRACE(testing::Message() << "theme " << nTheme << ", control type " << nType);
            CTKPControl* pMarked = AddControl(nType, L"&Find");
            CTKPControl* pPlain = AddControl(nType, L"Find");
            for (CTKPControl* pControl : {pMarked, pPlain}) {
                if (nType == tkpControlEdit)
                    static_cast<CTKPControlEdit*>(pControl)->SetShowLabel(TRUE);
                else
                    static_cast<CTKPControlComboBox*>(pControl)->SetShowLabel(TRUE);
            }
            DibCanvas marked(200, 30), plain(200, 30);
            const CSize size = pTheme->DrawControl(marked.DC(), pMarked, FALSE);
            EXPECT_EQ(size, pTheme->DrawControl(plain.DC(), pPlain, FALSE));
            pMarked->SetRect(CRect(CPoint(0, 0), size));
            pPlain->SetRect(CRect(CPoint(0, 0), size));
            pTheme->DrawControl(marked.DC(), pMarked, TRUE);
            pTheme->DrawControl(plain.DC(), pPlain, TRUE);
            EXPECT_TRUE(SamePixels(marked, plain, 200, 30));
            m_pBar->GetControls()->Remove(pMarked);
            m_pBar->GetControls()->Remove(pPlain);
        }
    }
}

TEST(SharedDrawing, AThickCheckMarkIsTheGlyphAndTheGlyphOnePixelLower)
{
    auto pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    DibCanvas thin(20, 20), thick(20, 20);
    const CRect rc(0, 0, 20, 20);
    pTheme->m_bThickCheckMark = 0;
    pTheme->DrawCheckMark(thin.DC(), rc, RGB(0, 0, 0));
    pTheme->m_bThickCheckMark = 1;
    pTheme->DrawCheckMark(thick.DC(), rc, RGB(0, 0, 0));
    // Shape 0 around the centre (10, 10): from (6, 9) down to (8, 11), up towards (13, 6).
    EXPECT_EQ(thin.Pixel(6, 9), 0u);
    EXPECT_EQ(thin.Pixel(8, 11), 0u);
    EXPECT_EQ(thin.Pixel(8, 12), 0u);
    EXPECT_EQ(thin.Pixel(8, 13), RGB(255, 255, 255));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool bInk = thin.Pixel(x, y) == 0 || (y > 0 && thin.Pixel(x, y - 1) == 0);
            EXPECT_EQ(thick.Pixel(x, y) == 0, bInk) << x << "," << y;
        }
    }
}

TEST(SharedDrawing, ARightAlignedStatusPaneEndsTwoPixelsBeforeTheEdge)
{
    auto pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    TKPStatusPaneDraw pane = {};
    pane.clrBackground = (COLORREF)-1;
    pane.clrText = RGB(0, 0, 0);
    pane.nAlignment = 2;
    pane.strText = L"Ready";
    pane.pFont = pTheme->GetRegularFont();
    DibCanvas drawn(200, 20), expected(200, 20);
    pTheme->DrawStatusBarPane(drawn.DC(), CRect(0, 0, 200, 20), pane);

    CDC* pDC = expected.DC();
    pDC->SelectObject(pTheme->GetRegularFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    // Inside the 2-pixel margin the run keeps its 2 pixels before the text even without an icon.
    CRect rcText(2, 1, 196, 19);
    pDC->DrawText(CString(L"Ready"), &rcText, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
    EXPECT_TRUE(SamePixels(drawn, expected, 200, 20));
}

// --- The process-wide theme, colours and fonts ----------------------------------------------------

namespace {

LONG g_nMenuFontHeight = 0;
BOOL FakeMetrics(NONCLIENTMETRICSW* pMetrics)
{
    pMetrics->lfMenuFont.lfHeight = g_nMenuFontHeight;
    lstrcpyW(pMetrics->lfMenuFont.lfFaceName, L"Tahoma");
    pMetrics->lfSmCaptionFont = pMetrics->lfMenuFont;
    return TRUE;
}

}  // namespace

TEST(ThemeBase, MenuFontsSmallerThanElevenPixelsAreRaisedToEleven)
{
    auto pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    CTKPCommandBarsTheme::SetMetricsSource(FakeMetrics);
    for (LONG nIn : {-8L, -14L, 0L}) {
        g_nMenuFontHeight = nIn;
        pTheme->RefreshColorsAndFonts();
        LOGFONTW lf;
        pTheme->GetRegularFont()->GetLogFont(&lf);
        EXPECT_EQ(lf.lfHeight, nIn == -8 ? -11 : nIn) << nIn;
    }
    CTKPCommandBarsTheme::SetMetricsSource(NULL);
}

TEST(ThemeBase, TheInstalledThemeKeepsItsNumberAndSurvivesBeingInstalledAgain)
{
    CTKPCommandBarsTheme* pOld = CTKPCommandBarsTheme::GetInstalledTheme();
    if (pOld != NULL)
        pOld->InternalAddRef();

    CTKPCommandBarsTheme::SetTheme(7);
    ASSERT_NE(CTKPCommandBarsTheme::GetInstalledTheme(), nullptr);
    EXPECT_EQ(CTKPCommandBarsTheme::GetInstalledTheme()->GetThemeNumber(), 7);

    CTKPCommandBarsTheme* pTheme = CTKPCommandBarsTheme::CreateTheme(CTKPCommandBarsTheme::themeGradient);
    CTKPCommandBarsTheme::InstallTheme(pTheme);
    EXPECT_EQ(CTKPCommandBarsTheme::GetInstalledTheme(), pTheme);
    EXPECT_EQ(pTheme->GetThemeNumber(), CTKPCommandBarsTheme::themeCustom);
    // Installing it again or installing nothing keeps it alive and installed.
    CTKPCommandBarsTheme::InstallTheme(pTheme);
    CTKPCommandBarsTheme::InstallTheme(NULL);
    ASSERT_EQ(CTKPCommandBarsTheme::GetInstalledTheme(), pTheme);
    EXPECT_EQ(pTheme->GetThemeKind(), CTKPCommandBarsTheme::themeGradient);

    // Colour numbers above the table are literal colours; an empty list of colours changes nothing.
    EXPECT_EQ(pTheme->GetColor(62), 62u);
    const COLORREF clr31 = pTheme->GetColor(31);
    const UINT index = 31;
    const COLORREF value = RGB(9, 9, 9);
    pTheme->SetColors(0, &index, &value);
    EXPECT_EQ(pTheme->GetColor(31), clr31);
    pTheme->SetColors(1, &index, &value);
    EXPECT_EQ(pTheme->GetColor(31), value);

    if (pOld != NULL)
        CTKPCommandBarsTheme::InstallTheme(pOld);
    else
        CTKPCommandBarsTheme::ReleaseTheme();
}

// --- Menu animations -----------------------------------------------------------------------------

namespace {

// The frames an animation shows on a screen canvas, as the colours at a few points.
struct AnimationFrames {
    DibCanvas* pScreen = nullptr;
    std::vector<CPoint> points;
    std::vector<std::vector<COLORREF>> frames;
};
AnimationFrames* g_pFrames = nullptr;

void RecordAnimationFrame(DWORD)
{
    std::vector<COLORREF> frame;
    for (const CPoint& pt : g_pFrames->points)
        frame.push_back(g_pFrames->pScreen->Pixel(pt.x, pt.y));
    g_pFrames->frames.push_back(frame);
}

bool Near(COLORREF a, COLORREF b, int tolerance = 2)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
        std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace

TEST(ThemeAnimation, EachKindOfMenuAnimationShowsItsFramesAndEndsOnTheMenu)
{
    auto pTheme = MakeTheme<CTKPFlatBarTheme>(CTKPCommandBarsTheme::themeFlat);
    pTheme->m_nAnimationSteps = 4;
    pTheme->m_nAnimationTime = 4 * 100000;  // every frame is recorded, however slow the machine
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255), yellow = RGB(255, 255, 0);
    const COLORREF white = RGB(255, 255, 255);
    // The menu's image: one colour per quarter.
    DibCanvas image(40, 40);
    image.DC()->FillSolidRect(0, 0, 20, 20, red);
    image.DC()->FillSolidRect(20, 0, 20, 20, green);
    image.DC()->FillSolidRect(0, 20, 20, 20, blue);
    image.DC()->FillSolidRect(20, 20, 20, 20, yellow);
    DibCanvas screen(40, 40);
    AnimationFrames frames;
    frames.pScreen = &screen;
    frames.points = {CPoint(5, 5), CPoint(30, 5), CPoint(5, 30), CPoint(30, 30)};
    g_pFrames = &frames;
    CTKPCommandBarsTheme::SetAnimationStepFunction(RecordAnimationFrame);

    struct Case {
        int nKind;
        const char* name;
        size_t nFrames;
        std::vector<COLORREF> second;  // the second frame at the four points
    };
    const Case cases[] = {
        // The menu unfolds from its top left corner, its bottom right part showing first.
        {2, "unfold", 4, {yellow, white, white, white}},
        // The menu slides down, its bottom half showing first.
        {3, "slide", 4, {blue, yellow, white, white}},
        // The screen fades into the menu: halfway between them.
        {4, "fade", 3, {RGB(255, 127, 127), RGB(127, 255, 127), RGB(127, 127, 255), RGB(255, 255, 127)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.Fill(white);
        frames.frames.clear();
        pTheme->AnimateExpanding(screen.DC(), image.DC(), CRect(0, 0, 40, 40), c.nKind);
        ASSERT_EQ(c.nFrames, frames.frames.size());
        for (size_t i = 0; i < 4; ++i)
            EXPECT_TRUE(Near(c.second[i], frames.frames[1][i])) << i << ": " << std::hex << frames.frames[1][i];
        // The frames change as the animation goes on.
        EXPECT_NE(frames.frames.front(), frames.frames.back());
        // The animation ends on the menu itself.
        EXPECT_EQ(red, screen.Pixel(5, 5));
        EXPECT_EQ(green, screen.Pixel(30, 5));
        EXPECT_EQ(blue, screen.Pixel(5, 30));
        EXPECT_EQ(yellow, screen.Pixel(30, 30));
    }
    CTKPCommandBarsTheme::SetAnimationStepFunction(NULL);
    g_pFrames = nullptr;
}

// --- Bar backgrounds of the themes ---------------------------------------------------------------

namespace {

bool Between(COLORREF c, COLORREF a, COLORREF b)
{
    auto in = [](int v, int x, int y) { return v >= std::min(x, y) - 1 && v <= std::max(x, y) + 1; };
    return in(GetRValue(c), GetRValue(a), GetRValue(b)) && in(GetGValue(c), GetGValue(a), GetGValue(b)) &&
        in(GetBValue(c), GetBValue(a), GetBValue(b));
}

}  // namespace

TEST(ThemeBackgrounds, EachThemeFillsADockedToolBarWithItsOwnBackgroundAndNoTwoDrawItAlike)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame());
    CTKPToolBar* pBar = pFrame->GetToolBar();
    const int themes[] = {CTKPCommandBarsTheme::themeDefault, CTKPCommandBarsTheme::themeFlat,
        CTKPCommandBarsTheme::themeGradient, CTKPCommandBarsTheme::themeNative,
        CTKPCommandBarsTheme::themeSchemeGradient};
    std::vector<ThemePicture> pictures;
    bool bNativeHasVisualStyles = false;
    for (int nTheme : themes) {
        SCOPED_TRACE(nTheme);
        CTKPCommandBarsTheme::SetTheme(nTheme);
        CTKPCommandBarsTheme* pTheme = CTKPCommandBarsTheme::GetInstalledTheme();
        ASSERT_EQ(nTheme, pTheme->GetThemeKind());
        pFrame->RecalcLayout();
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        // The buttons stay out of the picture: only the bar itself is drawn.
        for (int i = 0; i < pBar->GetControlCount(); ++i)
            pBar->GetControl(i)->SetHideFlag(tkpHideCustomize, TRUE);
        DibCanvas canvas(rcClient.Width(), rcClient.Height());
        canvas.Fill(kPaper);
        pBar->DrawCommandBar(canvas.DC(), rcClient);
        for (int i = 0; i < pBar->GetControlCount(); ++i)
            pBar->GetControl(i)->SetHideFlag(tkpHideCustomize, FALSE);
        const COLORREF clrMiddle = canvas.Pixel(rcClient.Width() / 2, rcClient.Height() / 2);
        switch (nTheme) {
        case CTKPCommandBarsTheme::themeDefault:
            EXPECT_EQ(pTheme->GetColor(COLOR_BTNFACE), clrMiddle);
            break;
        case CTKPCommandBarsTheme::themeFlat:
            EXPECT_EQ(pTheme->GetColor(30), clrMiddle);
            EXPECT_NE(pTheme->GetColor(30), pTheme->GetColor(COLOR_BTNFACE));
            break;
        case CTKPCommandBarsTheme::themeNative:
            bNativeHasVisualStyles = CTKPNativeBarTheme::IsOpen(static_cast<CTKPNativeBarTheme*>(pTheme)->m_themeRebar);
            if (!bNativeHasVisualStyles) {  // the system's classic look
                EXPECT_EQ(pTheme->GetColor(COLOR_BTNFACE), clrMiddle);
            }
            break;
        default: {  // the gradients run from their light to their dark end
            const CTKPColorGradient& grc = static_cast<CTKPGradientBarTheme*>(pTheme)->m_grcToolBar;
            EXPECT_TRUE(Between(clrMiddle, grc.m_clrLight.GetEffective(), grc.m_clrDark.GetEffective()))
                << std::hex << clrMiddle;
            EXPECT_NE(kPaper, canvas.Pixel(rcClient.Width() / 2, 1));
            break;
        }
        }
        // The whole bar, buttons and separators with it, for the comparison of the themes.
        canvas.Fill(kPaper);
        pBar->DrawCommandBar(canvas.DC(), rcClient);
        pictures.push_back(ReadThemePicture(nTheme, rcClient.Width(), rcClient.Height(),
            [&canvas](int x, int y) { return canvas.Pixel(x, y); }));
    }
    for (size_t i = 0; i < pictures.size(); ++i) {
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            // Without visual styles the native theme is the default one on purpose.
            if (!bNativeHasVisualStyles && themes[i] == CTKPCommandBarsTheme::themeDefault &&
                themes[j] == CTKPCommandBarsTheme::themeNative)
                continue;
            // A look of its own shows: one stray pixel is no difference a person sees.
            EXPECT_GE(DifferingPixels(pictures[i], pictures[j]) * 50, pictures[i].pixels.size())
                << "themes " << themes[i] << " and " << themes[j];
        }
    }
    CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeFlat);
    pFrame->DestroyWindow();
}
