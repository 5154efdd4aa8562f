// The style binding (shared and private styles, lazy creation, notifications, the parent-background
// snapshot) and the looks of the flat combo box and the flat edit, read from DIB sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/ButtonTheme.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/FlatComboBox.h"
#include "toolkit/controls/FlatEdit.h"

using namespace tktest;

namespace {

// A factory that counts the styles it makes.
class CountingFactory : public CTKThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CountingFactory)
public:
    static int s_created;
    CTKThemeManagerStyle* CreateTheme(int nTheme) override
    {
        ++s_created;
        CTKThemeManagerStyle* pStyle = new CTKFlatEditTheme;
        pStyle->m_nTheme = nTheme;
        return pStyle;
    }
};
IMPLEMENT_DYNCREATE(CountingFactory, CTKThemeManagerStyleFactory)
int CountingFactory::s_created = 0;

class CountingHolder : public CTKThemeStyleHolder {
public:
    explicit CountingHolder(CRuntimeClass* pClass) : CTKThemeStyleHolder(pClass) {}
    int changes = 0;
    void OnStyleChanged() override { ++changes; }
};

}  // namespace

TEST(ThemeStyles, ControlsShareTheKindsStyleUntilOneGetsItsOwn)
{
    CountingHolder first(RUNTIME_CLASS(CTKButtonThemeFactory));
    CountingHolder second(RUNTIME_CLASS(CTKButtonThemeFactory));
    CountingHolder third(RUNTIME_CLASS(CTKButtonThemeFactory));
    CTKThemeManagerStyle* pShared = first.GetStyle();
    ASSERT_NE(pShared, nullptr);
    EXPECT_EQ(second.GetStyle(), pShared);
    EXPECT_EQ(third.GetStyle(), pShared);
    EXPECT_EQ(first.GetFactory(), GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(CTKButtonThemeFactory)));

    // Returning to the shared style without having a private one changes nothing.
    third.SetStyle(nullptr);
    EXPECT_EQ(third.changes, 0);
    EXPECT_FALSE(third.HasPrivateStyle());

    CTKButtonThemeFlat* pOwn = new CTKButtonThemeFlat;
    third.SetStyle(pOwn);
    EXPECT_EQ(third.GetStyle(), pOwn);
    EXPECT_EQ(pOwn->m_pFactory, third.GetFactory());
    EXPECT_NE(third.GetFactory(), first.GetFactory());
    EXPECT_EQ(first.GetStyle(), pShared);
    EXPECT_EQ(second.GetStyle(), pShared);
    EXPECT_EQ(third.changes, 1);

    // A new shared style reaches the holders of the shared factory only.
    CTKThemeManagerStyleFactory* pFactory = first.GetFactory();
    const int firstBefore = first.changes;
    pFactory->SetStyle(new CTKButtonTheme);
    EXPECT_EQ(first.changes, firstBefore + 1);
    EXPECT_EQ(second.changes, 1);
    EXPECT_EQ(third.changes, 1);
    EXPECT_EQ(first.GetStyle(), second.GetStyle());
    EXPECT_EQ(third.GetStyle(), pOwn);

    third.SetStyle(nullptr);
    EXPECT_EQ(third.GetStyle(), first.GetStyle());
    EXPECT_FALSE(third.HasPrivateStyle());
    EXPECT_EQ(third.changes, 2);
}

TEST(ThemeStyles, TheStyleAlreadyInUseGivenAgainChangesNothing)
{
    CountingHolder shared(RUNTIME_CLASS(CTKButtonThemeFactory));
    CountingHolder own(RUNTIME_CLASS(CTKButtonThemeFactory));

    // The shared style handed back stays shared: no private factory comes to own it as well.
    CTKThemeManagerStyle* pShared = shared.GetStyle();
    shared.SetStyle(pShared);
    EXPECT_FALSE(shared.HasPrivateStyle());
    EXPECT_EQ(shared.GetFactory(), GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(CTKButtonThemeFactory)));
    EXPECT_EQ(shared.GetStyle(), pShared);
    EXPECT_EQ(shared.changes, 0);

    // The control's own style handed back is kept alive and in place.
    CTKButtonThemeFlat* pOwn = new CTKButtonThemeFlat;
    own.SetStyle(pOwn);
    CTKThemeManagerStyleFactory* pPrivate = own.GetFactory();
    ASSERT_EQ(own.changes, 1);
    own.SetStyle(pOwn);
    EXPECT_EQ(own.changes, 1);
    EXPECT_EQ(own.GetFactory(), pPrivate);
    EXPECT_EQ(own.GetStyle(), pOwn);
    EXPECT_EQ(pOwn->m_pFactory, pPrivate);
    EXPECT_TRUE(own.HasPrivateStyle());
}

TEST(ThemeStyles, StyleIsMadeOnFirstUseWithTheManagersNumber)
{
    CountingFactory::s_created = 0;
    CountingHolder holder(RUNTIME_CLASS(CountingFactory));
    EXPECT_EQ(CountingFactory::s_created, 0);
    EXPECT_FALSE(holder.GetFactory()->HasStyle());
    CTKThemeManagerStyle* pStyle = holder.GetStyle();
    ASSERT_NE(pStyle, nullptr);
    EXPECT_EQ(pStyle->m_nTheme, GetThemeManager()->GetThemeNumber());
    EXPECT_EQ(holder.GetStyle(), pStyle);
    EXPECT_EQ(CountingFactory::s_created, 1);
}

TEST(ThemeStyles, EveryFactoryMakesItsThreeLooksByNumber)
{
    CTKFlatComboBoxThemeFactory combo;
    CTKFlatEditThemeFactory edit;
    CTKButtonThemeFactory button;
    for (int nTheme : {0, 1, 2, 7}) {
        SCOPED_TRACE(nTheme);
        std::unique_ptr<CTKThemeManagerStyle> c(combo.CreateTheme(nTheme)), e(edit.CreateTheme(nTheme)),
            b(button.CreateTheme(nTheme));
        EXPECT_EQ(c->m_nTheme, nTheme);
        EXPECT_EQ(dynamic_cast<CTKFlatComboBoxThemeGradient*>(c.get()) != nullptr, nTheme == 2);
        EXPECT_EQ(dynamic_cast<CTKFlatComboBoxThemeFlat*>(c.get()) != nullptr, nTheme == 1 || nTheme == 2);
        EXPECT_EQ(dynamic_cast<CTKFlatEditThemeGradient*>(e.get()) != nullptr, nTheme == 2);
        EXPECT_EQ(dynamic_cast<CTKFlatEditThemeFlat*>(e.get()) != nullptr, nTheme == 1 || nTheme == 2);
        EXPECT_EQ(dynamic_cast<CTKButtonThemeGradient*>(b.get()) != nullptr, nTheme == 2);
        EXPECT_EQ(dynamic_cast<CTKButtonThemeFlat*>(b.get()) != nullptr, nTheme == 1 || nTheme == 2);
    }
}

TEST(ThemeStyles, TransparentControlsDrawTheParentsPixelsAndFreeTheirDC)
{
    TestParent parent(300, 200);
    CWnd child;
    ASSERT_TRUE(child.CreateEx(WS_EX_TRANSPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 40, 30, 50, 20,
        parent.GetSafeHwnd(), nullptr));
    CWnd opaque;
    ASSERT_TRUE(
        opaque.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 140, 30, 50, 20, parent.GetSafeHwnd(), nullptr));
    PumpPending();
    {
        // The parent's pixels under the child, as the screen shows them.
        CDC* pDC = parent.GetDC();
        pDC->FillSolidRect(40, 30, 50, 20, RGB(200, 10, 20));
        pDC->FillSolidRect(40, 30, 10, 5, RGB(5, 120, 30));
        parent.ReleaseDC(pDC);
    }
    CTKFlatEditTheme style;
    DibCanvas canvas(50, 20, RGB(1, 1, 1));
    EXPECT_FALSE(style.DrawTransparentBackground(canvas.DC(), &opaque));
    EXPECT_EQ(canvas.Pixel(20, 10), RGB(1, 1, 1));

    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(style.DrawTransparentBackground(canvas.DC(), &child));
        EXPECT_EQ(canvas.Pixel(2, 2), RGB(5, 120, 30));
        EXPECT_EQ(canvas.Pixel(30, 15), RGB(200, 10, 20));
    }
    // The snapshot is in no DC after the copy, so it can be selected wherever it is drawn.
    HDC hdc = CreateCompatibleDC(nullptr);
    EXPECT_NE(SelectObject(hdc, style.m_bmpParentSnapshot.GetSafeHandle()), nullptr);
    DeleteDC(hdc);
    child.DestroyWindow();
    opaque.DestroyWindow();

    CWnd orphan;
    EXPECT_FALSE(style.CopyParentBackground(&orphan));
}

namespace {

// Draws the combo box's frame in one look and state on a canvas of the client size.
struct ComboPicture {
    ComboPicture(CTKFlatComboBox& combo, CTKFlatComboBoxTheme& style, int state)
        : rect(ClientOf(combo)), canvas(rect.Width(), rect.Height(), kSentinel)
    {
        style.DrawFrame(canvas.DC(), &combo, state);
    }
    static CRect ClientOf(CWnd& wnd)
    {
        CRect rc;
        wnd.GetClientRect(&rc);
        return rc;
    }
    // The lengths of the rows of pixels of one colour inside the columns [left, right), leaving out
    // the outermost ring of the picture; the first such row and its first column.
    std::vector<int> RowLengths(COLORREF clr, int left, int right, int* firstRow, int* firstCol)
    {
        std::vector<int> rows;
        *firstRow = -1;
        *firstCol = -1;
        right = std::min(right, rect.Width() - 1);
        for (int y = 1; y < rect.Height() - 1; ++y) {
            int count = 0;
            for (int x = left; x < right; ++x)
                if (canvas.Pixel(x, y) == clr) {
                    if (count == 0 && *firstRow < 0)
                        *firstCol = x;
                    ++count;
                }
            if (count) {
                if (*firstRow < 0)
                    *firstRow = y;
                rows.push_back(count);
            }
        }
        return rows;
    }
    static constexpr COLORREF kSentinel = RGB(1, 2, 3);
    CRect rect;
    DibCanvas canvas;
};

}  // namespace

TEST(FlatComboBoxLooks, FramesButtonsAndArrowsByLookAndState)
{
    TestParent parent;
    CTKFlatComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 170, 200), &parent, 100));
    const COLORREF window = tkcolor::Get(tkcolor::Window), shadow = tkcolor::Get(tkcolor::Shadow),
                   hilite = tkcolor::Get(tkcolor::Hilite), face = tkcolor::Get(tkcolor::Face),
                   arrow = tkcolor::Get(tkcolor::WindowText);

    CTKFlatComboBoxTheme plain;
    CTKFlatComboBoxThemeFlat flat;
    CTKFlatComboBoxThemeGradient gradient;
    for (CTKFlatComboBoxTheme* pStyle :
        {&plain, static_cast<CTKFlatComboBoxTheme*>(&flat), static_cast<CTKFlatComboBoxTheme*>(&gradient)})
        pStyle->RefreshMetrics();
    EXPECT_GE(plain.m_nDropButtonWidth, 15);

    const CRect rc = ComboPicture::ClientOf(combo);
    const int w = rc.Width(), h = rc.Height();
    const int buttonLeft = w - plain.m_cxEdge - plain.m_nDropButtonWidth;

    // Default look: no frame when idle, sunken when hot, the arrow one pixel lower right when pressed.
    int row1, col1, row2, col2, row3, col3;
    {
        ComboPicture idle(combo, plain, 1);
        EXPECT_EQ(idle.canvas.Pixel(0, 0), ComboPicture::kSentinel);
        EXPECT_EQ(idle.canvas.Pixel(plain.m_cxEdge, plain.m_cyEdge), window);
        EXPECT_EQ(idle.RowLengths(arrow, buttonLeft, w, &row1, &col1), (std::vector<int>{5, 3, 1}));
    }
    {
        ComboPicture hot(combo, plain, 2);
        EXPECT_EQ(hot.canvas.Pixel(0, 0), shadow);
        EXPECT_EQ(hot.canvas.Pixel(w - 1, h - 1), hilite);
        EXPECT_EQ(hot.RowLengths(arrow, buttonLeft, w, &row2, &col2), (std::vector<int>{5, 3, 1}));
        // The raised face: highlight on its top edge, shadow on its bottom edge.
        const int faceLeft = w - plain.m_cxEdge - plain.m_nDropButtonWidth + 4;
        EXPECT_EQ(hot.canvas.Pixel(faceLeft + 3, plain.m_cyEdge), hilite);
        EXPECT_EQ(hot.canvas.Pixel(faceLeft + 3, h - plain.m_cyEdge - 1), shadow);
        EXPECT_EQ(hot.canvas.Pixel(faceLeft + 3, h / 2 + 4), face);
    }
    {
        ComboPicture pressed(combo, plain, 3);
        EXPECT_EQ(pressed.canvas.Pixel(0, 0), shadow);
        pressed.RowLengths(arrow, buttonLeft, w, &row3, &col3);
        EXPECT_EQ(row3, row2 + 1);
        EXPECT_EQ(col3, col2 + 1);
    }
    // The arrow sits in the middle of the button's height.
    EXPECT_NEAR(row1 + 1, h / 2, 1);

    // Flat look: a one-colour frame, the hot and pressed fills with a separator line.
    {
        ComboPicture idle(combo, flat, 1);
        EXPECT_EQ(idle.canvas.Pixel(0, 0), tkcolor::Get(tkcolor::DisabledFill));
        ComboPicture hot(combo, flat, 2);
        EXPECT_EQ(hot.canvas.Pixel(0, 0), tkcolor::Get(tkcolor::HotBorder));
        const int faceLeft = w - flat.m_cxEdge - flat.m_nDropButtonWidth + 2;
        EXPECT_EQ(hot.canvas.Pixel(faceLeft + 1, flat.m_cyEdge + 1), tkcolor::Get(tkcolor::HotFill));
        EXPECT_EQ(hot.canvas.Pixel(faceLeft - 1, h / 2), tkcolor::Get(tkcolor::HotBorder));
        int r, c;
        EXPECT_EQ(hot.RowLengths(arrow, faceLeft, w, &r, &c), (std::vector<int>{5, 3, 1}));
        ComboPicture pressed(combo, flat, 3);
        EXPECT_EQ(pressed.canvas.Pixel(faceLeft + 1, flat.m_cyEdge + 1), tkcolor::Get(tkcolor::PressedFill));
        int rp, cp;
        pressed.RowLengths(arrow, faceLeft, w, &rp, &cp);
        EXPECT_EQ(rp, r);  // the flat arrow does not move
        EXPECT_EQ(cp, c);
    }
    // Gradient look: the scheme's border colour.
    {
        ComboPicture hot(combo, gradient, 2);
        EXPECT_EQ(hot.canvas.Pixel(0, 0), tkcolor::GetScheme(tkcolor::HotBorder));
        ComboPicture idle(combo, gradient, 1);
        EXPECT_EQ(idle.canvas.Pixel(0, 0), ComboPicture::kSentinel);
    }

    // A list without an edit field shows the control's background; disabled, everything greys.
    combo.SetBackColor(RGB(250, 240, 10));
    {
        ComboPicture idle(combo, plain, 1);
        EXPECT_EQ(idle.canvas.Pixel(plain.m_cxEdge + 3, h / 2), RGB(250, 240, 10));
    }
    combo.EnableWindow(FALSE);
    for (CTKFlatComboBoxTheme* pStyle : {&plain, static_cast<CTKFlatComboBoxTheme*>(&flat)}) {
        ComboPicture disabled(combo, *pStyle, 1);
        EXPECT_EQ(disabled.canvas.Pixel(0, 0), tkcolor::Get(tkcolor::DisabledBorder));
        EXPECT_EQ(disabled.canvas.Pixel(plain.m_cxEdge + 1, h / 2), tkcolor::Get(tkcolor::DisabledFill));
        int r, c;
        EXPECT_EQ(disabled.RowLengths(shadow, buttonLeft, w, &r, &c), (std::vector<int>{5, 3, 1}));
    }
    combo.EnableWindow(TRUE);

    // With an edit field the text area keeps the window colour.
    CTKFlatComboBox editable;
    ASSERT_TRUE(editable.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 60, 170, 200), &parent, 101));
    editable.SetBackColor(RGB(250, 240, 10));
    ComboPicture withEdit(editable, plain, 1);
    EXPECT_EQ(withEdit.canvas.Pixel(plain.m_cxEdge + 3, ComboPicture::ClientOf(editable).Height() / 2), window);
}

TEST(FlatEditLooks, BordersByLookAndState)
{
    TestParent parent;
    CTKFlatEdit edit;
    ASSERT_TRUE(
        edit.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"text", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 34), &parent, 100));
    CTKFlatEditTheme plain;
    CTKFlatEditThemeFlat flat;
    CTKFlatEditThemeGradient gradient;
    flat.RefreshMetrics();
    gradient.RefreshMetrics();
    const CRect rect(0, 0, 100, 24);
    struct Case {
        CTKFlatEditTheme* style;
        int state;
        COLORREF topLeft, bottomRight;
    } cases[] = {
        {&plain, 1, tkcolor::Get(tkcolor::Window), tkcolor::Get(tkcolor::Window)},
        {&plain, 2, tkcolor::Get(tkcolor::Shadow), tkcolor::Get(tkcolor::Hilite)},
        {&plain, 3, tkcolor::Get(tkcolor::Shadow), tkcolor::Get(tkcolor::Hilite)},
        {&flat, 1, tkcolor::Get(tkcolor::Window), tkcolor::Get(tkcolor::Window)},
        {&flat, 2, tkcolor::Get(tkcolor::HotBorder), tkcolor::Get(tkcolor::HotBorder)},
        {&gradient, 3, tkcolor::GetScheme(tkcolor::HotBorder), tkcolor::GetScheme(tkcolor::HotBorder)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "theme " << c.style->m_nTheme << " state " << c.state);
        DibCanvas canvas(100, 24, RGB(1, 2, 3));
        c.style->DrawBorder(canvas.DC(), &edit, rect, c.state);
        EXPECT_EQ(canvas.Pixel(0, 0), c.topLeft);
        EXPECT_EQ(canvas.Pixel(99, 23), c.bottomRight);
        EXPECT_EQ(canvas.Pixel(50, 12), tkcolor::Get(tkcolor::Window));
    }
    edit.EnableWindow(FALSE);
    DibCanvas canvas(100, 24, RGB(1, 2, 3));
    flat.DrawBorder(canvas.DC(), &edit, rect, 2);
    EXPECT_EQ(canvas.Pixel(0, 0), tkcolor::Get(tkcolor::DisabledBorder));
    EXPECT_EQ(canvas.Pixel(50, 12), tkcolor::Get(tkcolor::DisabledFill));
}
