// Renders tab rows to PNG files under the build folder (tabs-gallery/), for people to look at: every
// appearance in every colour set, the four positions, the layouts, visual styles on and off, and the
// navigation buttons. Nothing is compared; the test only checks that every picture was written.
#include "TabTestSupport.h"

#include "tests/support/win/WindowCapture.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/common/TabGeometry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace tabtest;

namespace {

// A framed window holding labelled tab rows, one per line.
class GalleryWindow : public CWnd {
public:
    GalleryWindow(const CString& title, int width, int height)
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        CRect rc(0, 0, width, height);
        ::AdjustWindowRectEx(&rc, WS_CAPTION | WS_SYSMENU, FALSE, 0);
        CreateEx(0, lpszClass, title, WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 40, 40, rc.Width(), rc.Height(), NULL,
            NULL);
        m_font.CreatePointFont(80, L"Tahoma");
    }
    ~GalleryWindow() override
    {
        m_rows.clear();
        m_themes.clear();
        DestroyWindow();
    }

    // A theme of its own for the row; the row gets the usual tabs, the second selected.
    CTabRowWindow* AddRow(const CString& label, const CRect& rcRow, int nLabelWidth = 110)
    {
        if (nLabelWidth > 0) {
            CWnd* pLabel = new CWnd;
            pLabel->CreateEx(0, L"STATIC", label, WS_CHILD | WS_VISIBLE,
                CRect(rcRow.left - nLabelWidth, rcRow.top + 4, rcRow.left - 6, rcRow.top + 22), this, 0);
            pLabel->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
            m_labels.emplace_back(pLabel);
        }
        m_themes.emplace_back(new CTKPTabTheme);
        m_rows.emplace_back(new CTabRowWindow(m_themes.back().get()));
        CTabRowWindow* row = m_rows.back().get();
        row->CreateChild(this, rcRow);
        return row;
    }

    static void FillRow(CTabRowWindow* row, int nTabs = 5)
    {
        const wchar_t* captions[] = {L"Drives", L"Partitions", L"Recovered files", L"Log", L"Disabled", L"Pictures",
            L"Documents", L"Archives", L"Mail", L"Music", L"Video", L"Settings"};
        for (int i = 0; i < nTabs; ++i) {
            CTKPTabManagerItem* tab = row->InsertTab(-1);
            tab->SetCaption(captions[i % 12]);
            tab->SetImage(i % 3 == 0 ? 1 + i % 4 : 0);
            tab->SetTooltip(captions[i % 12]);
        }
        if (nTabs > 4)
            row->GetItem(4)->SetEnabled(FALSE);
        row->SetSelectedTab(row->GetItem(1));
    }

    // The tab under the mouse, as hot tracking would light it.
    void MakeHot(CTabRowWindow* row, int nTab)
    {
        row->GetPaintManager()->m_bHotTracking = TRUE;
        ::SetActiveWindow(m_hWnd);
        row->HandleMouseMove(row, row->GetItem(nTab)->GetRect().CenterPoint());
    }

    std::vector<std::unique_ptr<CTKPTabTheme>> m_themes;
    std::vector<std::unique_ptr<CTabRowWindow>> m_rows;
    std::vector<std::unique_ptr<CWnd>> m_labels;
    CFont m_font;
};

const int kColorSets[5] = {1, 2, 4, 8, 16};
const wchar_t* kAppearanceNames[10] = {L"classic", L"classic-selected", L"rounded", L"slanted", L"faces", L"separated",
    L"box", L"sloped", L"stacked", L"trapezoid"};

bool Capture(CWnd& wnd, const std::wstring& folder, const std::wstring& name)
{
    for (auto& row : static_cast<GalleryWindow&>(wnd).m_rows)
        row->Layout();
    wnd.Invalidate();
    return morvick::test::CaptureWindowToPng(wnd.GetSafeHwnd(), folder + L"\\" + name + L".png");
}

}  // namespace

TEST(TabGallery, EveryAppearanceInEveryColourSet)
{
    CoInitialize(nullptr);
    const std::wstring folder = morvick::test::GalleryFolder("tabs");
    int written = 0;
    for (int appearance = 0; appearance < 10; ++appearance) {
        const bool stacked = appearance == 8;
        const int rowHeight = stacked ? 180 : 76;
        CString title;
        title.Format(L"Appearance %d (%s)", appearance, kAppearanceNames[appearance]);
        GalleryWindow wnd(title, stacked ? 5 * 170 + 20 : 580, (stacked ? 200 : 5 * (rowHeight + 8)) + 8);
        for (int i = 0; i < 5; ++i) {
            CString label;
            label.Format(L"colour set %d", kColorSets[i]);
            const CRect rc = stacked ? CRect(10 + i * 170, 24, 10 + i * 170 + 160, 24 + rowHeight)
                                     : CRect(120, 8 + i * (rowHeight + 8), 570, 8 + i * (rowHeight + 8) + rowHeight);
            CTabRowWindow* row = stacked ? wnd.AddRow(label, rc, 0) : wnd.AddRow(label, rc);
            CTKPTabTheme* theme = row->GetPaintManager();
            theme->SetAppearance(appearance);
            theme->SetColorSet(kColorSets[i]);
            GalleryWindow::FillRow(row);
            wnd.MakeHot(row, 3);
        }
        std::wstring name = L"appearance-" + std::to_wstring(appearance) + L"-" + kAppearanceNames[appearance];
        written += Capture(wnd, folder, name) ? 1 : 0;
    }
    EXPECT_EQ(10, written);
}

TEST(TabGallery, PositionsLayoutsAndButtons)
{
    const std::wstring folder = morvick::test::GalleryFolder("tabs");
    int written = 0;
    {
        // The four positions, with rows of each appearance family.
        for (int appearance : {0, 2, 3, 5, 7, 9}) {
            CString title;
            title.Format(L"Positions, appearance %d", appearance);
            GalleryWindow wnd(title, 700, 420);
            const CRect rects[4] = {CRect(10, 10, 340, 200), CRect(360, 10, 690, 200), CRect(10, 220, 340, 410),
                CRect(360, 220, 690, 410)};
            for (int position = 0; position < 4; ++position) {
                CTabRowWindow* row = wnd.AddRow(L"", rects[position], 0);
                row->GetPaintManager()->SetAppearance(appearance);
                row->GetPaintManager()->SetPosition(position);
                GalleryWindow::FillRow(row, 4);
            }
            written += Capture(wnd, folder, L"positions-appearance-" + std::to_wstring(appearance)) ? 1 : 0;
        }
    }
    {
        GalleryWindow wnd(L"Layouts", 580, 5 * 96 + 150 + 8);
        const wchar_t* names[6] = {L"natural", L"shrink to fit", L"fixed width", L"compressed", L"multi-row",
            L"rotated"};
        for (int layout = 0; layout < 6; ++layout) {
            // The rotated row is as thick as its longest caption.
            const CRect rc(120, 8 + layout * 96, 570, 8 + layout * 96 + (layout == 5 ? 150 : 88));
            CTabRowWindow* row = wnd.AddRow(names[layout], rc);
            row->GetPaintManager()->SetAppearance(layout == 4 ? 0 : 2);
            row->GetPaintManager()->SetLayout(layout);
            GalleryWindow::FillRow(row, layout == 3 || layout == 5 ? 5 : 9);
        }
        written += Capture(wnd, folder, L"layouts") ? 1 : 0;
    }
    {
        // Rows longer than their room: the scroll buttons, scrolled and not, and the close button.
        GalleryWindow wnd(L"Navigation buttons", 580, 3 * 60 + 8);
        for (int i = 0; i < 3; ++i) {
            const CRect rc(120, 8 + i * 60, 570, 8 + i * 60 + 52);
            const wchar_t* labels[3] = {L"at the start", L"scrolled", L"close button"};
            CTabRowWindow* row = wnd.AddRow(labels[i], rc);
            row->GetPaintManager()->SetAppearance(i == 1 ? 3 : 0);
            GalleryWindow::FillRow(row, 12);
            if (i == 1)
                row->ScrollTabs(1);
            if (i == 2) {
                row->FindNavigateButton(2)->SetMode(CTKPTabManagerNavigateButton::modeAuto);
                row->GetPaintManager()->SetColorSet(4);
            }
        }
        written += Capture(wnd, folder, L"navigation-buttons") ? 1 : 0;
    }
    {
        // Colour set 8 with and without visual styles, and a static frame with a focused row.
        GalleryWindow wnd(L"Visual styles", 580, 3 * 84 + 8);
        CTabRowWindow* themed = wnd.AddRow(L"visual style", CRect(120, 8, 570, 84));
        themed->GetPaintManager()->SetColorSet(8);
        GalleryWindow::FillRow(themed);
        CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
        CTabRowWindow* plain = wnd.AddRow(L"without", CRect(120, 92, 570, 168));
        plain->GetPaintManager()->SetColorSet(8);
        CTKPUxThemeWrapper::SetForceUnavailable(FALSE);
        GalleryWindow::FillRow(plain);
        CTabRowWindow* framed = wnd.AddRow(L"static frame, focus", CRect(120, 176, 570, 252));
        framed->GetPaintManager()->m_bStaticFrame = TRUE;
        framed->GetPaintManager()->m_bBoldSelected = TRUE;
        framed->m_bFocus = TRUE;
        GalleryWindow::FillRow(framed);
        written += Capture(wnd, folder, L"visual-styles") ? 1 : 0;
    }
    {
        // The scheme colour sets light the hot tab, the selected one too: the docking scheme theme's
        // rounded tabs and plain boxes in the blue scheme (where the hot face differs from the
        // selected one), with the mouse over the selected tab and over another.
        GetColorManager()->SetSelectedScheme(1);
        GalleryWindow wnd(L"Hot tabs", 580, 4 * 60 + 8);
        for (int i = 0; i < 4; ++i) {
            const int colorSet = i < 2 ? 4 : 16;
            CString label;
            label.Format(L"set %d, %s", colorSet, i % 2 ? L"other hot" : L"selected hot");
            CTabRowWindow* row = wnd.AddRow(label, CRect(120, 8 + i * 60, 570, 8 + i * 60 + 52));
            row->GetPaintManager()->SetAppearance(colorSet == 4 ? 2 : 6);
            row->GetPaintManager()->SetColorSet(colorSet);
            GalleryWindow::FillRow(row);
            wnd.MakeHot(row, i % 2 ? 3 : 1);
        }
        written += Capture(wnd, folder, L"hot-tabs") ? 1 : 0;
        GetColorManager()->SetSelectedScheme(CTKPColorTable::SCHEME_FOLLOW);
    }
    EXPECT_EQ(6 + 4, written);
}
