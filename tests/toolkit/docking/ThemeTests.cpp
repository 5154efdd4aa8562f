// Docking themes: the theme of each number, colours and metrics, the caption band and its buttons,
// splitter bars by style, scheme colours with the scheme injected, and each theme's caption and
// tab pixels in a container painted into a bitmap, no two themes painting the same container.
#include "DockingTestSupport.h"

#include "DibCanvas.h"
#include "DistinctPictures.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneGradientTheme.h"
#include "toolkit/docking/DockingPaneGripperTheme.h"
#include "toolkit/docking/DockingPaneSchemeTheme.h"
#include "toolkit/docking/DockingPaneShadedTheme.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneSplitterBar.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabTheme.h"

#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>
#include <vector>

using namespace docktest;

namespace {

struct ThemePtr {
    CTKPDockingPaneTheme* p;
    explicit ThemePtr(int n) : p(CTKPDockingPaneTheme::Create(n)) { p->RefreshMetrics(); }
    ~ThemePtr() { p->InternalRelease(); }
    CTKPDockingPaneTheme* operator->() { return p; }
};

TEST(DockingTheme, NumbersGiveTheirThemesAndOthersTheDefault)
{
    const std::type_info* kinds[10] = {&typeid(CTKPDockingPaneDefaultTheme), &typeid(CTKPDockingPaneGradientTheme),
        &typeid(CTKPDockingPaneSchemeTheme), &typeid(CTKPDockingPaneExplorerTheme),
        &typeid(CTKPDockingPaneGripperTheme), &typeid(CTKPDockingPaneFlatTabTheme), &typeid(CTKPDockingPaneShadedTheme),
        &typeid(CTKPDockingPaneSchemeLargeCaptionTheme), &typeid(CTKPDockingPaneNativeTheme),
        &typeid(CTKPDockingPaneVisualTheme)};
    for (int n = 0; n < 10; ++n) {
        ThemePtr t(n);
        EXPECT_EQ(typeid(*t.p), *kinds[n]) << n;
    }
    for (int n : {-1, 10, 99}) {
        ThemePtr t(n);
        EXPECT_EQ(typeid(*t.p), typeid(CTKPDockingPaneDefaultTheme)) << n;
    }
    // The host keeps the rounded stickers once theme 9 was chosen.
    CTKPDockingPaneHost host;
    EXPECT_FALSE(host.m_bRoundStickers);
    host.SetTheme(9);
    EXPECT_EQ(host.GetTheme()->m_nTheme, 9);
    host.SetTheme(2);
    EXPECT_TRUE(host.m_bRoundStickers);
}

TEST(DockingTheme, ColoursAreIndexesOrLiteralsAndBlackIsBlack)
{
    CTKPColorManager* pColors = GetColorManager();
    // A system palette whose scroll-bar colour (system colour 0) is not black.
    pColors->SetSysColorCallback([](int index) -> TKColor {
        return index == COLOR_SCROLLBAR ? 0x00C08040 : static_cast<TKColor>(::GetSysColor(index));
    });
    pColors->RefreshColors();
    ThemePtr t(0);
    EXPECT_EQ(t->GetColor(0), RGB(0, 0, 0));
    EXPECT_EQ(t->GetColor(15), pColors->GetColor(15));
    EXPECT_EQ(t->GetColor(0x123456), 0x123456u);
    EXPECT_EQ(t->GetColor(62), 62u);
    // Painting black with index 0 gives black.
    DibCanvas canvas(4, 4);
    t->DrawPixel(canvas.DC(), 1, 1, 0);
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(0, 0, 0));
    const UINT indexes[2] = {20, 0};
    const COLORREF values[2] = {RGB(1, 2, 3), RGB(9, 9, 9)};
    t->SetColors(2, indexes, values);
    EXPECT_EQ(t->GetColor(20), RGB(1, 2, 3));
    EXPECT_EQ(t->GetColor(0), RGB(0, 0, 0));
    pColors->SetSysColorCallback(nullptr);
    pColors->RefreshColors();
}

TEST(DockingTheme, ASystemColourChangeReachesTheThemesCopy)
{
    HostFixture f;
    CTKPColorManager* pColors = GetColorManager();
    const COLORREF clrBefore = f.host()->GetTheme()->GetColor(15);
    pColors->SetSysColorCallback([](int index) -> TKColor {
        return index == COLOR_BTNFACE ? 0x00336699 : static_cast<TKColor>(::GetSysColor(index));
    });
    f.host()->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(f.host()->GetTheme()->GetColor(15), 0x00336699u);
    pColors->SetSysColorCallback(nullptr);
    f.host()->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(f.host()->GetTheme()->GetColor(15), clrBefore);
}

TEST(DockingTheme, CaptionAndTabRowHeights)
{
    ThemePtr t(0);
    LOGFONT lf = {};
    lf.lfHeight = -6;
    lstrcpyn(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    t->SetCaptionFont(&lf, TRUE);
    // A small font still leaves 13 pixels above the extra height.
    EXPECT_EQ(t->m_nCaptionHeight, t->m_nCaptionExtraHeight + 13);
    LOGFONT vertical = {};
    t->m_fntCaptionVertical.GetLogFont(&vertical);
    EXPECT_EQ(vertical.lfHeight, -11);
    EXPECT_EQ(vertical.lfEscapement, 2700);
    lf.lfHeight = -30;
    t->SetCaptionFont(&lf, TRUE);
    EXPECT_GT(t->m_nCaptionHeight, t->m_nCaptionExtraHeight + 13);
    EXPECT_GE(t->m_nTabRowHeight, 24);
    // Extra heights by theme.
    const int extras[10] = {5, 5, 7, 7, 5, 2, 5, 3, 9, 5};
    for (int n = 0; n < 10; ++n) {
        ThemePtr u(n);
        EXPECT_EQ(u->m_nCaptionExtraHeight, extras[n]) << n;
    }
}

TEST(DockingTheme, TheLargeCaptionFontIsSetOnce)
{
    ThemePtr t(7);
    LOGFONT lf = {};
    t->m_fntCaption.GetLogFont(&lf);
    EXPECT_EQ(CString(lf.lfFaceName), CString(L"Arial"));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_FALSE(t->m_bUseSystemFont);
    const int nHeight = t->m_nCaptionHeight;
    t->RefreshMetrics();
    t->m_fntCaption.GetLogFont(&lf);
    EXPECT_EQ(CString(lf.lfFaceName), CString(L"Arial"));
    EXPECT_EQ(t->m_nCaptionHeight, nHeight);
}

TEST(DockingTheme, SchemeColoursWithTheSchemeInForce)
{
    CTKPColorManager* pColors = GetColorManager();
    const int nSaved = pColors->m_nSelectedScheme;
    struct Expect {
        int scheme;
        COLORREF c38, c32, second;
    };
    for (const Expect& e : {Expect{1, 0x764127, 0x800000, 0xFCE7D8}, Expect{2, 0x335E51, 0x385D3F, 0xBFE7E2},
             Expect{3, 0x755454, 0x6F4B4B, 0xEADFDF}}) {
        SCOPED_TRACE(e.scheme);
        pColors->SetSelectedScheme(e.scheme);
        pColors->RefreshColors();
        ThemePtr t(2);
        CTKPDockingPaneSchemeTheme* s = static_cast<CTKPDockingPaneSchemeTheme*>(t.p);
        EXPECT_TRUE(s->m_bSchemeColors);
        EXPECT_EQ(t->GetColor(38), e.c38);
        EXPECT_EQ(t->GetColor(32), e.c32);
        EXPECT_EQ(t->GetColor(37), e.c32);
        EXPECT_EQ(t->GetColor(50), e.c32);
        EXPECT_EQ(t->GetColor(47), 0u);
        EXPECT_EQ(t->m_clrSecond.GetEffective(), e.second);
        EXPECT_EQ(s->m_grcActiveCaption.m_clrLight.GetEffective(), 0x8CD5FFu);
        // Theme 7 with a scheme: white inactive caption text.
        ThemePtr u(7);
        EXPECT_EQ(static_cast<CTKPDockingPaneSchemeTheme*>(u.p)->m_clrInactiveCaptionText.GetEffective(), 0xFFFFFFu);
    }
    // Schemes kept off: the first step's values stay.
    pColors->SetDisableScheme(true);
    pColors->RefreshColors();
    ThemePtr t(2);
    EXPECT_FALSE(static_cast<CTKPDockingPaneSchemeTheme*>(t.p)->m_bSchemeColors);
    EXPECT_EQ(static_cast<CTKPDockingPaneSchemeTheme*>(t.p)->m_grcActiveCaption.m_clrLight.GetEffective(),
        t->GetColor(36));
    pColors->SetDisableScheme(false);
    pColors->SetSelectedScheme(nSaved);
    pColors->RefreshColors();
}

struct Painted {
    HostFixture f;
    CTKPDockablePane* p1;
    CTKPDockablePane* p2;
    CTKPDockingPaneTabbedContainer* c;
    std::unique_ptr<DibCanvas> canvas;
    CRect rc;

    explicit Painted(int nTheme, BOOL bActive)
    {
        f.host()->SetTheme(nTheme);
        p1 = f.MakePane(1, L"Files");
        p2 = f.MakePane(2, L"Found");
        f.host()->DockPane(p1, tkdock::sideLeft, NULL);
        f.host()->AttachNode(p2, p1);
        f.Layout();
        c = f.ContainerOf(p1);
        if (bActive) {
            p2->SetFocus();
            f.host()->OnIdleUpdateCmdUI(0, 0);
        } else {
            Site()->SetFocus();
            f.host()->OnIdleUpdateCmdUI(0, 0);
        }
        c->GetClientRect(&rc);
        canvas.reset(new DibCanvas(rc.Width(), rc.Height(), RGB(255, 0, 255)));
        c->Draw(canvas->DC());
    }
    CTKPDockingPaneTheme* theme() { return f.host()->GetTheme(); }
    COLORREF At(int x, int y) { return canvas->Pixel(x, y); }
    // A point in the caption band left of the title, and one in the tab row of the selected tab.
    CPoint CaptionPoint() { return CPoint(2, theme()->m_rcCaptionMargin.top + theme()->m_nCaptionHeight / 2 + 1); }
    CPoint SelectedTabPoint()
    {
        const CRect rcTab = c->GetTabStrip()->GetItem(1)->GetRect();
        return CPoint(rcTab.left + 3, rcTab.CenterPoint().y);
    }
};

TEST(DockingThemePixels, DefaultCaptionsInTheSystemCaptionColours)
{
    {
        Painted p(0, TRUE);
        ASSERT_TRUE(p.c->IsActive());
        EXPECT_EQ(p.At(p.CaptionPoint().x, p.CaptionPoint().y), p.theme()->GetColor(COLOR_ACTIVECAPTION));
        EXPECT_EQ(p.At(2, 0), p.theme()->GetColor(15));
    }
    Painted p(0, FALSE);
    EXPECT_EQ(p.At(p.CaptionPoint().x, p.CaptionPoint().y), p.theme()->GetColor(COLOR_INACTIVECAPTION));
    // The close button at the band's far end, the title not reaching it.
    CTKPDockingPaneCaptionButton* pClose = p.c->FindCaptionButton(tkpcbClose);
    EXPECT_EQ(pClose->GetRect().right, p.rc.right - 2);
    EXPECT_EQ(pClose->GetRect().Width(), 12);
    // The tab row at the bottom: the selected tab in the checker of the default colour set.
    const CPoint tab = p.SelectedTabPoint();
    EXPECT_GT(tab.y, p.rc.bottom - p.theme()->m_nTabRowHeight - 4);
    const COLORREF clrTab = p.At(tab.x, tab.y);
    EXPECT_TRUE(clrTab == p.theme()->GetColor(15) || clrTab == p.theme()->GetColor(20)) << std::hex << clrTab;
}

// The default theme draws the close button as the system's caption button and every other button
// as a plain push button, pushed or not: only the pin carries a glyph, in the glyph colour.
TEST(DockingThemePixels, DefaultCaptionButtonsArePlainPushButtonsButThePin)
{
    ThemePtr theme(0);
    const CRect rc(2, 2, 16, 16);
    for (BOOL bPushed : {FALSE, TRUE}) {
        for (int nId : {tkpcbMaximise, tkpcbRestore, tkpcbMenu, tkpcbPin}) {
            SCOPED_TRACE(testing::Message() << "button " << nId << " pushed " << bPushed);
            CTKPDockingPaneCaptionButton button(nId, nullptr);
            button.SetRect(rc);
            button.SetPressed(bPushed);
            DibCanvas drawn(18, 18, RGB(255, 0, 255)), plain(18, 18, RGB(255, 0, 255));
            theme->DrawCaptionButton(drawn.DC(), &button, 18);
            CRect rcPlain = rc;
            plain.DC()->DrawFrameControl(rcPlain, DFC_BUTTON,
                DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (bPushed ? DFCS_PUSHED : 0));
            int nDiffering = 0, nGlyph = 0;
            for (int y = 0; y < 18; ++y) {
                for (int x = 0; x < 18; ++x) {
                    nDiffering += drawn.Pixel(x, y) != plain.Pixel(x, y) ? 1 : 0;
                    nGlyph +=
                        drawn.Pixel(x, y) == theme->GetColor(18) && plain.Pixel(x, y) != theme->GetColor(18) ? 1 : 0;
                }
            }
            if (nId == tkpcbPin) {
                EXPECT_GT(nGlyph, 10);
                EXPECT_EQ(nDiffering, nGlyph);
            } else {
                EXPECT_EQ(nDiffering, 0);
            }
        }
    }
}

TEST(DockingThemePixels, GradientAndGripperCaptions)
{
    {
        // Theme 1 without gradients: the active band in the gradient's light end, the inactive one
        // outlined in colour 52 with its corners left out.
        Painted a(1, TRUE);
        CTKPDockingPaneGradientTheme* g = static_cast<CTKPDockingPaneGradientTheme*>(a.theme());
        EXPECT_EQ(a.At(a.CaptionPoint().x, a.CaptionPoint().y), g->m_grcActiveCaption.m_clrLight.GetEffective());
    }
    {
        Painted i(1, FALSE);
        const int top = i.theme()->m_rcCaptionMargin.top;
        EXPECT_EQ(i.At(5, top), i.theme()->GetColor(52));
        EXPECT_EQ(i.At(0, top + 5), i.theme()->GetColor(52));
        EXPECT_NE(i.At(0, top), i.theme()->GetColor(52));
    }
    // Theme 4: two raised bars beside the title.
    Painted g(4, TRUE);
    // The band below the margin, less one pixel at its top; the bars 3 pixels before and 1 after
    // its centre line.
    const int mid = (g.theme()->m_rcCaptionMargin.top + 1 + g.theme()->m_nCaptionHeight + 1) / 2;
    const int x = g.rc.Width() / 2;
    EXPECT_EQ(g.At(x, mid - 3), g.theme()->GetColor(20));
    EXPECT_EQ(g.At(x, mid - 1), g.theme()->GetColor(16));
}

TEST(DockingThemePixels, SchemeFlatTabShadedAndVisualCaptions)
{
    {
        // Theme 2: the caption frame in the second colour on its left, the band beside it.
        Painted s(2, TRUE);
        EXPECT_EQ(s.At(0, 8), s.theme()->m_clrSecond.GetEffective());
    }
    {
        // Theme 5: the container in colour 31 (active) with its corners in colour 51, tabs at the top.
        Painted f(5, TRUE);
        EXPECT_EQ(f.At(0, f.rc.bottom - 1), f.theme()->GetColor(51));
        EXPECT_EQ(f.At(f.rc.right - 1, 1), f.theme()->GetColor(51));
        EXPECT_LT(f.SelectedTabPoint().y, f.rc.Height() / 2);
    }
    {
        // Theme 6: the caption band filled with the caption gradient from left to right.
        Painted sh(6, FALSE);
        CTKPDockingPaneGradientTheme* g = static_cast<CTKPDockingPaneGradientTheme*>(sh.theme());
        EXPECT_EQ(sh.At(0, sh.theme()->m_nCaptionHeight / 2), g->m_grcInactiveCaption.m_clrLight.GetEffective());
    }
    // Theme 9: an outline in the frame colour along the band's left and top.
    Painted v(9, TRUE);
    CTKPDockingPaneVisualTheme* t9 = static_cast<CTKPDockingPaneVisualTheme*>(v.theme());
    EXPECT_EQ(v.At(0, v.theme()->m_nCaptionHeight / 2), t9->m_clrFrame);
    EXPECT_EQ(v.At(v.rc.Width() / 2, 0), t9->m_clrFrame);
}

TEST(DockingThemePixels, LargeCaptionNativeAndExplorerCaptions)
{
    {
        // Theme 7: no frame, the band in the active gradient (one colour without a scheme) with
        // lines of colour 54 on its left and top.
        Painted l(7, TRUE);
        CTKPDockingPaneSchemeTheme* t = static_cast<CTKPDockingPaneSchemeTheme*>(l.theme());
        EXPECT_EQ(l.At(0, 8), l.theme()->GetColor(54));
        EXPECT_EQ(l.At(20, 0), l.theme()->GetColor(54));
        EXPECT_EQ(l.At(3, 4), t->m_grcActiveCaption.m_clrLight.GetEffective());
    }
    {
        // Theme 8: 16-pixel buttons with drawn glyphs in colour 18.
        Painted n(8, TRUE);
        CTKPDockingPaneCaptionButton* pClose = n.c->FindCaptionButton(tkpcbClose);
        EXPECT_EQ(pClose->GetRect().Width(), 16);
        const CPoint c((pClose->GetRect().left + pClose->GetRect().right) / 2,
            (pClose->GetRect().top + pClose->GetRect().bottom) / 2);
        EXPECT_EQ(n.At(c.x - 4, c.y - 3), n.theme()->GetColor(18));
        EXPECT_EQ(n.At(c.x + 2, c.y - 3), n.theme()->GetColor(18));  // lines end before their last point
    }
    // Theme 3: the visual style's small caption under the band.
    Painted e(3, TRUE);
    CTKPDockingPaneExplorerTheme* t3 = static_cast<CTKPDockingPaneExplorerTheme*>(e.theme());
    if (t3->IsWindowThemed()) {
        const CRect band(0, 0, e.rc.right, e.theme()->m_nCaptionHeight + 1);
        DibCanvas expected(e.rc.Width(), e.rc.Height(), RGB(255, 0, 255));
        t3->m_themeWindow.DrawThemeBackground(expected.Hdc(), 2, 1, &band, NULL);
        EXPECT_EQ(e.At(2, 2), expected.Pixel(2, 2));
        EXPECT_EQ(e.At(2, band.bottom - 2), expected.Pixel(2, band.bottom - 2));
    }
}

TEST(DockingTheme, CaptionBandsTurnForVerticalCaptions)
{
    HostFixture f;
    CTKPDockablePane* p = f.MakePane(1, L"Files");
    f.host()->DockPane(p, tkdock::sideLeft, NULL);
    f.Layout();
    CTKPDockingPaneTabbedContainer* c = f.ContainerOf(p);
    CTKPDockingPaneTheme* t = f.host()->GetTheme();
    const int nBand = t->m_rcCaptionMargin.top + t->m_rcCaptionMargin.bottom + t->m_nCaptionHeight;
    CRect rc(0, 0, 200, 300);
    t->AdjustCaptionRect(c, rc);
    EXPECT_EQ(rc, CRect(0, nBand, 200, 300));
    f.host()->m_nCaptionOrientation = 1;
    EXPECT_TRUE(c->IsCaptionVertical());
    rc = CRect(0, 0, 200, 300);
    t->AdjustCaptionRect(c, rc);
    EXPECT_EQ(rc, CRect(nBand, 0, 200, 300));
    // Mode 3 by shape, mode 2 by side.
    f.host()->m_nCaptionOrientation = 3;
    EXPECT_FALSE(c->IsCaptionVertical());
    f.host()->m_nCaptionOrientation = 2;
    EXPECT_FALSE(c->IsCaptionVertical());
    // Vertical captions put their buttons at the bottom.
    f.host()->m_nCaptionOrientation = 1;
    f.Layout();
    DibCanvas canvas(c->m_rcNode.Width(), c->m_rcNode.Height());
    c->Draw(canvas.DC());
    CTKPDockingPaneCaptionButton* pClose = c->FindCaptionButton(tkpcbClose);
    EXPECT_GT(pClose->GetRect().top, c->m_rcNode.Height() - 20);
    EXPECT_LT(pClose->GetRect().right, nBand + 2);
    f.host()->m_nCaptionOrientation = 0;
}

TEST(DockingTheme, SplitterBarsByStyle)
{
    HostFixture f;
    CTKPDockablePane* p = f.MakePane(1, L"Log");
    f.host()->DockPane(p, tkdock::sideBottom, NULL);
    f.Layout();
    CTKPDockingPaneSplitterBar* pBar = f.arrangement()->GetTopContainer()->GetSplitterBar(0);
    ASSERT_NE(pBar, nullptr);
    ASSERT_TRUE(pBar->IsHorizontalBar());
    CTKPDockingPaneTheme* t = f.host()->GetTheme();
    CRect rc;
    pBar->GetClientRect(&rc);
    ASSERT_EQ(rc.Height(), 4);
    auto paint = [&](DWORD dwStyle) {
        t->m_dwSplitterStyle = dwStyle;
        std::unique_ptr<DibCanvas> canvas(new DibCanvas(rc.Width(), rc.Height(), RGB(255, 0, 255)));
        pBar->Draw(canvas->DC());
        return canvas;
    };
    auto plain = paint(0);
    EXPECT_EQ(plain->Pixel(10, 0), t->GetColor(15));
    EXPECT_EQ(plain->Pixel(10, 3), t->GetColor(15));
    auto etched = paint(CTKPDockingPaneTheme::splitterEtched);
    EXPECT_EQ(etched->Pixel(10, 0), t->GetColor(20));
    EXPECT_EQ(etched->Pixel(10, 2), t->GetColor(52));
    EXPECT_EQ(etched->Pixel(10, 3), t->GetColor(18));
    EXPECT_EQ(etched->Pixel(10, 1), t->m_clrSecond.GetEffective());
    auto shaded = paint(CTKPDockingPaneTheme::splitterShaded);
    EXPECT_EQ(shaded->Pixel(10, 0), t->GetColor(21));
    EXPECT_EQ(shaded->Pixel(10, 1), t->GetColor(5));
    EXPECT_EQ(shaded->Pixel(10, 2), t->m_clrSecond.GetEffective());
    EXPECT_EQ(shaded->Pixel(10, 3), t->GetColor(21));
    auto dashed = paint(CTKPDockingPaneTheme::splitterEtched | CTKPDockingPaneTheme::splitterDash);
    EXPECT_EQ(dashed->Pixel(rc.Width() / 2 + 5, 2), t->m_clrFirst.GetEffective());
    t->m_dwSplitterStyle = 0;
}

}  // namespace

TEST(DockingThemePixels, NoTwoThemesDrawTheContainerAlike)
{
    for (BOOL bActive : {TRUE, FALSE}) {
        SCOPED_TRACE(bActive ? "active" : "inactive");
        std::vector<ThemePicture> pictures;
        for (int n = 0; n < 10; ++n) {
            Painted p(n, bActive);
            pictures.push_back(
                ReadThemePicture(n, p.rc.Width(), p.rc.Height(), [&](int x, int y) { return p.At(x, y); }));
        }
        EXPECT_EQ("", AlikePictures(pictures));
    }
}
