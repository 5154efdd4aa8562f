// The default and native themes: button frames by state, popup items, separators, grippers,
// borders and combo boxes, read as pixels from a 32-bit DIB section; the native theme with visual
// styles switched off draws what the default theme draws.
#include <gtest/gtest.h>

#include "DibCanvas.h"
#include "tests/toolkit/commandbars/MenuTestSupport.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlComboBox.h"
#include "toolkit/commandbars/ControlEdit.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DefaultBarTheme.h"
#include "toolkit/commandbars/NativeBarTheme.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

const COLORREF kGround = RGB(1, 2, 3);

// A popup control whose popup counts as open without a window.
class CTestPopupControl : public CTKPControlPopup {
public:
    void SetOpen(BOOL bOpen) { m_bPopup = bOpen; }
};

class ThemeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pDefault = new CTKPDefaultBarTheme;
        m_pDefault->RefreshColorsAndFonts();
        m_pPopup = CTKPPopupBar::CreatePopupBar(NULL);
        m_pPopup->SetPaintManager(m_pDefault);
        m_pDefault->InternalAddRef();
    }
    void TearDown() override
    {
        m_pPopup->InternalRelease();
        m_pDefault->InternalRelease();
        CTKPUxThemeWrapper::SetForceUnavailable(FALSE);
    }
    COLORREF C(int nIndex) const { return m_pDefault->GetColor(nIndex); }
    CTKPControl* AddItem(int nType, int nID, LPCTSTR lpszCaption, CRect rc)
    {
        CTKPControl* pControl = nType == 4 ? new CTestPopupControl : nullptr;
        if (pControl != nullptr) {
            pControl->SetType(4);
            m_pPopup->GetControls()->Add(pControl, nID);
        } else {
            pControl = m_pPopup->GetControls()->Add(nType, nID);
        }
        pControl->SetCaption(lpszCaption);
        pControl->SetRect(rc);
        return pControl;
    }
    CTKPDefaultBarTheme* m_pDefault = nullptr;
    CTKPPopupBar* m_pPopup = nullptr;
};

bool AllGround(DibCanvas& canvas, int cx, int cy)
{
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (canvas.Pixel(x, y) != kGround)
                return false;
    return true;
}

}  // namespace

TEST_F(ThemeTest, ButtonFramesByState)
{
    DibCanvas canvas(20, 20, kGround);
    const CRect rc(0, 0, 20, 20);
    // Checked and idle: the dither of 15 and 20 inside a sunken frame.
    m_pDefault->DrawRectangle(canvas.DC(), rc, 0, 0, TRUE, TRUE, FALSE, TRUE, tkpBarTop);
    EXPECT_EQ(canvas.Pixel(0, 0), C(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(19, 19), C(COLOR_BTNHIGHLIGHT));
    const COLORREF a = canvas.Pixel(5, 5), b = canvas.Pixel(6, 5);
    EXPECT_NE(a, b);
    EXPECT_TRUE(
        (a == C(COLOR_BTNFACE) && b == C(COLOR_BTNHIGHLIGHT)) || (b == C(COLOR_BTNFACE) && a == C(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(canvas.Pixel(5, 6), b);
    // Checked and hovered: the sunken frame only.
    canvas.Fill(kGround);
    m_pDefault->DrawRectangle(canvas.DC(), rc, 1, 0, TRUE, TRUE, FALSE, TRUE, tkpBarTop);
    EXPECT_EQ(canvas.Pixel(0, 0), C(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(5, 5), kGround);
    // Hovered: raised; pressed, open or pressed by the keyboard: sunken.
    canvas.Fill(kGround);
    m_pDefault->DrawRectangle(canvas.DC(), rc, 1, 0, TRUE, FALSE, FALSE, TRUE, tkpBarTop);
    EXPECT_EQ(canvas.Pixel(0, 0), C(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(19, 19), C(COLOR_BTNSHADOW));
    const int pressedCases[][3] = {{1, 1, FALSE}, {0, 2, FALSE}, {0, 0, TRUE}};
    for (const auto& c : pressedCases) {
        canvas.Fill(kGround);
        m_pDefault->DrawRectangle(canvas.DC(), rc, c[0], c[1], TRUE, FALSE, c[2], TRUE, tkpBarTop);
        EXPECT_EQ(canvas.Pixel(0, 0), C(COLOR_BTNSHADOW)) << c[0] << c[1] << c[2];
        EXPECT_EQ(canvas.Pixel(19, 19), C(COLOR_BTNHIGHLIGHT));
    }
    // Disabled and unchecked: nothing, unless selected by the keyboard.
    canvas.Fill(kGround);
    m_pDefault->DrawRectangle(canvas.DC(), rc, 1, 1, FALSE, FALSE, FALSE, TRUE, tkpBarTop);
    EXPECT_TRUE(AllGround(canvas, 20, 20));
    m_pDefault->DrawRectangle(canvas.DC(), rc, 2, 0, FALSE, FALSE, FALSE, TRUE, tkpBarTop);
    EXPECT_EQ(canvas.Pixel(0, 0), C(COLOR_BTNSHADOW));
}

TEST_F(ThemeTest, SizesOfSeparatorsGrippersBordersAndTearOffStrips)
{
    CTKPToolBar* pToolBar = new CTKPToolBar;
    EXPECT_EQ(m_pDefault->DrawControlSeparator(NULL, m_pPopup, NULL, FALSE), CSize(8, 8));
    EXPECT_EQ(m_pDefault->DrawControlSeparator(NULL, pToolBar, NULL, FALSE), CSize(6, 6));
    CRect rcBorders;
    m_pDefault->GetBarBorders(rcBorders, m_pPopup);
    EXPECT_EQ(rcBorders, CRect(3, 3, 3, 3));
    m_pDefault->GetBarBorders(rcBorders, pToolBar);
    EXPECT_EQ(rcBorders, CRect(2, 2, 2, 2));
    // The caption gripper is never shorter than 22 pixels.
    const int nItemHeight = m_pDefault->m_nPopupItemHeight;
    m_pDefault->m_nPopupItemHeight = 10;
    EXPECT_EQ(m_pDefault->DrawPopupBarGripper(NULL, pToolBar, FALSE), CSize(6, 22));
    m_pDefault->m_nPopupItemHeight = 30;
    EXPECT_EQ(m_pDefault->DrawPopupBarGripper(NULL, pToolBar, FALSE), CSize(6, 34));
    m_pDefault->m_nPopupItemHeight = nItemHeight;
    // The tear-off strip: 8 high, hot in the active caption colour, its last row left alone.
    DibCanvas canvas(40, 10, kGround);
    EXPECT_EQ(m_pDefault->DrawPopupBarHandle(canvas.DC(), CRect(0, 0, 40, 8), TRUE, TRUE), CSize(0, 8));
    EXPECT_EQ(canvas.Pixel(10, 6), C(COLOR_ACTIVECAPTION));
    EXPECT_EQ(canvas.Pixel(10, 7), kGround);
    m_pDefault->DrawPopupBarHandle(canvas.DC(), CRect(0, 0, 40, 8), FALSE, TRUE);
    EXPECT_EQ(canvas.Pixel(10, 6), C(COLOR_INACTIVECAPTION));
    pToolBar->InternalRelease();
}

TEST_F(ThemeTest, PopupItemsAreHighlightedRightOfTheirIcon)
{
    DibCanvas canvas(200, 30, kGround);
    // Without an icon the whole row.
    CTKPControl* pPlain = AddItem(tkpControlButton, 199, L"Plain", CRect(0, 0, 200, 24));
    pPlain->SetSelected(1);
    m_pDefault->DrawControlPopupParent(canvas.DC(), pPlain, TRUE);
    EXPECT_EQ(canvas.Pixel(1, 12), C(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(198, 12), C(COLOR_HIGHLIGHT));

    // With an icon only to the right of the icon column, which gets a raised frame.
    CTKPImageManager* pImages = new CTKPImageManager;
    ASSERT_TRUE(pImages->SetIconsFromToolBar(IDR_TEST_MENU_ICONS, 0));
    m_pPopup->SetImageManager(pImages);
    canvas.Fill(kGround);
    CTKPControl* pIcon = AddItem(tkpControlButton, 110, L"With icon", CRect(0, 0, 200, 24));
    pIcon->SetSelected(1);
    m_pDefault->DrawControlPopupParent(canvas.DC(), pIcon, TRUE);
    int nColumn = 0;
    while (nColumn < 60 && canvas.Pixel(nColumn, 12) != C(COLOR_HIGHLIGHT))
        ++nColumn;
    EXPECT_GE(nColumn, 20);  // the column of a 16-pixel icon, at least 20 wide
    EXPECT_LT(nColumn, 60);
    EXPECT_EQ(canvas.Pixel(0, 0), C(COLOR_BTNHIGHLIGHT));  // raised icon frame
    EXPECT_EQ(canvas.Pixel(198, 12), C(COLOR_HIGHLIGHT));

    // An open, selected split item: a sunken box of 20 pixels at its right end, no highlight there.
    canvas.Fill(kGround);
    CTestPopupControl* pSplit = static_cast<CTestPopupControl*>(AddItem(4, 198, L"Split", CRect(0, 0, 200, 24)));
    pSplit->SetOpen(TRUE);
    pSplit->SetSelected(1);
    m_pDefault->DrawControlPopupParent(canvas.DC(), pSplit, TRUE);
    EXPECT_EQ(canvas.Pixel(180, 0), C(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(199, 23), C(COLOR_BTNHIGHLIGHT));
    EXPECT_NE(canvas.Pixel(185, 3), C(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(170, 3), C(COLOR_HIGHLIGHT));
    pSplit->SetOpen(FALSE);

    // The item's size: caption, shortcut, column area and 40.
    CTKPControl* pShortcut = AddItem(tkpControlButton, 197, L"Caption\tCtrl+K", CRect(0, 0, 0, 0));
    CDC* pDC = canvas.DC();
    CFont* pOld = pDC->SelectObject(m_pDefault->GetRegularFont());
    const CSize szCaption = pDC->GetTextExtent(CString(L"Caption"));
    const CSize szShortcut = pDC->GetTextExtent(CString(L"Ctrl+K"));
    pDC->SelectObject(pOld);
    const CSize size = m_pDefault->DrawControlPopupParent(pDC, pShortcut, FALSE);
    const int nColumnWidth = std::max<int>(m_pDefault->m_nPopupItemHeight, 16 + 4);
    EXPECT_EQ(size.cx, szCaption.cx + szShortcut.cx + nColumnWidth + 40);
}

TEST_F(ThemeTest, ComboBoxButtonIsAtLeastFifteenPixelsWide)
{
    CTKPToolBar* pToolBar = new CTKPToolBar;
    CTKPControlComboBox* pCombo = new CTKPControlComboBox;
    pToolBar->GetControls()->Add(pCombo, 196);
    pCombo->SetRect(CRect(0, 0, 120, 22));
    DibCanvas canvas(120, 22, kGround);
    // An icon-title font so small that twice its average character and 4 stay below 15.
    CFont* pIconFont = m_pDefault->GetIconFont();
    LOGFONTW lf = {};
    pIconFont->GetLogFont(&lf);
    lf.lfHeight = -4;
    lf.lfWidth = 2;
    pIconFont->DeleteObject();
    ASSERT_TRUE(pIconFont->CreateFontIndirect(&lf));
    {
        CTKPFontSelector font(canvas.DC(), pIconFont);
        TEXTMETRIC tm;
        canvas.DC()->GetTextMetrics(&tm);
        ASSERT_LT(2 * tm.tmAveCharWidth + 4, 15);
    }
    m_pDefault->DrawControlComboBox(canvas.DC(), pCombo, FALSE);
    EXPECT_EQ(pCombo->GetDropButtonWidth(), 15);
    m_pDefault->DrawControlComboBox(canvas.DC(), pCombo, TRUE);
    // The field is the window colour; the button face colour 15 fills the button less its own
    // inner margins.
    EXPECT_EQ(canvas.Pixel(30, 11), C(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(120 - 15 + 2, 4), C(COLOR_BTNFACE));

    // A larger font widens it with its characters.
    lf.lfHeight = -30;
    lf.lfWidth = 12;
    pIconFont->DeleteObject();
    ASSERT_TRUE(pIconFont->CreateFontIndirect(&lf));
    TEXTMETRIC tm;
    {
        CTKPFontSelector font(canvas.DC(), pIconFont);
        canvas.DC()->GetTextMetrics(&tm);
    }
    m_pDefault->DrawControlComboBox(canvas.DC(), pCombo, FALSE);
    EXPECT_EQ(pCombo->GetDropButtonWidth(), 2 * tm.tmAveCharWidth + 4);
    pToolBar->InternalRelease();
}

TEST_F(ThemeTest, ALabelledEditOrComboBoxKeepsItsWidthOnAToolbarAndAddsItsLabelInAPopup)
{
    CTKPToolBar* pToolBar = new CTKPToolBar;
    pToolBar->SetPaintManager(m_pDefault);
    m_pDefault->InternalAddRef();
    DibCanvas canvas(400, 40, kGround);
    for (CTKPCommandBar* pBar : {static_cast<CTKPCommandBar*>(pToolBar), static_cast<CTKPCommandBar*>(m_pPopup)}) {
        const bool bPopup = pBar == m_pPopup;
        SCOPED_TRACE(bPopup ? "popup" : "toolbar");
        CTKPControlEdit* pEdit = new CTKPControlEdit;
        pBar->GetControls()->Add(pEdit, 197);
        pEdit->SetCaption(L"&Find");
        pEdit->SetShowLabel(TRUE);
        pEdit->SetWidth(150);
        CTKPControlComboBox* pCombo = new CTKPControlComboBox;
        pBar->GetControls()->Add(pCombo, 198);
        pCombo->SetCaption(L"&Size");
        pCombo->SetShowLabel(TRUE);
        pCombo->SetWidth(120);

        const CSize szEdit = m_pDefault->DrawControlEdit(canvas.DC(), pEdit, FALSE);
        ASSERT_GT(pEdit->GetLabelWidth(), 0);
        EXPECT_EQ(szEdit.cx, bPopup ? pEdit->GetLabelWidth() + 150 : 150);
        const CSize szCombo = m_pDefault->DrawControlComboBox(canvas.DC(), pCombo, FALSE);
        ASSERT_GT(pCombo->GetLabelWidth(), 0);
        EXPECT_EQ(szCombo.cx, bPopup ? pCombo->GetLabelWidth() + 120 : 120);

        // An empty caption takes no room of its own: only the label's column and margins.
        pEdit->SetCaption(L"");
        m_pDefault->DrawControlEdit(canvas.DC(), pEdit, FALSE);
        const int nColumn = std::max<int>(m_pDefault->m_nPopupItemHeight, pBar->GetIconSize().cx + 4);
        EXPECT_EQ(pEdit->GetLabelWidth(), bPopup ? nColumn + 9 : 5);
    }
    pToolBar->InternalRelease();
}

TEST_F(ThemeTest, NativeWithoutVisualStylesDrawsTheDefault)
{
    CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
    CTKPNativeBarTheme* pNative = new CTKPNativeBarTheme;
    pNative->RefreshColorsAndFonts();
    EXPECT_EQ(pNative->GetThemeKind(), CTKPCommandBarsTheme::themeNative);
    EXPECT_FALSE(CTKPNativeBarTheme::IsOpen(pNative->m_themeToolbar));
    DibCanvas a(24, 24, kGround), b(24, 24, kGround);
    const int states[][5] = {{0, 0, TRUE, TRUE, FALSE}, {1, 0, TRUE, FALSE, FALSE}, {1, 1, TRUE, FALSE, FALSE},
        {0, 0, TRUE, FALSE, TRUE}, {2, 0, FALSE, FALSE, FALSE}};
    for (const auto& s : states) {
        a.Fill(kGround);
        b.Fill(kGround);
        m_pDefault->DrawRectangle(a.DC(), CRect(0, 0, 24, 24), s[0], s[1], s[2], s[3], s[4], TRUE, tkpBarTop);
        pNative->DrawRectangle(b.DC(), CRect(0, 0, 24, 24), s[0], s[1], s[2], s[3], s[4], TRUE, tkpBarTop);
        for (int y = 0; y < 24; y++)
            for (int x = 0; x < 24; x++)
                ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
    }
    CTKPToolBar* pToolBar = new CTKPToolBar;
    EXPECT_EQ(pNative->DrawPopupBarGripper(NULL, pToolBar, FALSE),
        m_pDefault->DrawPopupBarGripper(NULL, pToolBar, FALSE));
    pToolBar->InternalRelease();
    // What stays its own: popup text in the menu text colour, idle icons faded.
    EXPECT_EQ(pNative->m_nPopupTextColor, COLOR_MENUTEXT);
    EXPECT_TRUE(pNative->m_bFadedIcons);
    pNative->InternalRelease();
}

TEST_F(ThemeTest, NativeWithVisualStylesDrawsThroughThem)
{
    CTKPNativeBarTheme* pNative = new CTKPNativeBarTheme;
    pNative->RefreshColorsAndFonts();
    if (!CTKPNativeBarTheme::IsOpen(pNative->m_themeToolbar)) {
        pNative->InternalRelease();
        GTEST_SKIP() << "no visual style is active";
    }
    // A hot toolbar button comes from the style, not from the raised frame.
    DibCanvas a(24, 24, kGround), b(24, 24, kGround);
    m_pDefault->DrawRectangle(a.DC(), CRect(0, 0, 24, 24), 1, 0, TRUE, FALSE, FALSE, TRUE, tkpBarTop);
    pNative->DrawRectangle(b.DC(), CRect(0, 0, 24, 24), 1, 0, TRUE, FALSE, FALSE, TRUE, tkpBarTop);
    int nDiffering = 0;
    for (int y = 0; y < 24; y++)
        for (int x = 0; x < 24; x++)
            nDiffering += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
    // Not a stray pixel: a good part of the button looks different.
    EXPECT_GE(nDiffering, 24 * 24 / 4);
    // The native gripper is the style's, 8 wide.
    CTKPToolBar* pToolBar = new CTKPToolBar;
    EXPECT_EQ(pNative->DrawPopupBarGripper(NULL, pToolBar, FALSE).cx, 8);
    pToolBar->InternalRelease();
    pNative->InternalRelease();
}
