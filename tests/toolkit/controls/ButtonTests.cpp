// The themed button: owner drawing through its style, the looks by state, text, focus and image
// layout, images from resources, hot tracking by timer and double clicks.
#include <gtest/gtest.h>

#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/Button.h"
#include "toolkit/common/IconPixels.h"
#include "toolkit/controls/ControlColors.h"

using namespace tktest;

namespace {

const int kWidth = 120, kHeight = 32;

// A button with its parent, drawn by hand into a canvas.
struct ButtonFixture {
    explicit ButtonFixture(LPCTSTR text = L"&Select", DWORD style = 0)
    {
        button.Create(text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | style, CRect(20, 20, 20 + kWidth, 20 + kHeight),
            &parent, 200);
    }
    // The picture of the button in the item state.
    void Draw(DibCanvas& canvas, UINT itemState)
    {
        canvas.Fill(RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = 200;
        dis.hwndItem = button.GetSafeHwnd();
        dis.hDC = canvas.Hdc();
        dis.rcItem = CRect(0, 0, kWidth, kHeight);
        dis.itemState = itemState;
        button.DrawItem(&dis);
    }
    TestParent parent;
    CTKButton button;
};

// The smallest rectangle holding every pixel of the colour.
CRect Bounds(DibCanvas& canvas, COLORREF clr, int width = kWidth, int height = kHeight)
{
    CRect rc(width, height, -1, -1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (canvas.Pixel(x, y) == clr) {
                rc.left = std::min<LONG>(rc.left, x);
                rc.top = std::min<LONG>(rc.top, y);
                rc.right = std::max<LONG>(rc.right, x + 1);
                rc.bottom = std::max<LONG>(rc.bottom, y + 1);
            }
    return rc;
}

}  // namespace

TEST(Button, CreatedAndSubclassedButtonsPaintThroughTheirStyle)
{
    ButtonFixture f;
    EXPECT_EQ(f.button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
    EXPECT_FALSE(f.button.m_bMakeOwnerDraw);

    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, L"BUTTON", L"Plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 80, 100, 30,
        f.parent.GetSafeHwnd(), reinterpret_cast<HMENU>(201)));
    HWND hPlain = plain.Detach();
    CTKButton subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hPlain));
    EXPECT_EQ(subclassed.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));

    // A real paint: the face colour of the style with the text on it, as the screen shows it.
    f.button.SetFaceColor(RGB(255, 255, 255));
    f.button.SetTextColor(RGB(29, 117, 189));
    f.button.RedrawWindow();
    PumpPending();
    DibCanvas screen(kWidth, kHeight);
    CDC* pDC = f.button.GetDC();
    screen.DC()->BitBlt(0, 0, kWidth, kHeight, pDC, 0, 0, SRCCOPY);
    f.button.ReleaseDC(pDC);
    EXPECT_EQ(screen.Pixel(kWidth / 2, 2), RGB(255, 255, 255));
    const CRect text = Bounds(screen, RGB(29, 117, 189));
    EXPECT_GT(text.Width(), 10);
    EXPECT_NEAR(text.CenterPoint().x, kWidth / 2, 4);
    EXPECT_NEAR(text.CenterPoint().y, kHeight / 2, 3);
    // The colours live in the shared style: give them back for the other tests.
    f.button.SetColors((COLORREF)-1, (COLORREF)-1, (COLORREF)-1, (COLORREF)-1);
    subclassed.DestroyWindow();
}

TEST(Button, StyleFlagsChooseSharedOrPrivateLooks)
{
    ButtonFixture f;
    CTKThemeManagerStyle* pShared =
        GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(CTKButtonThemeFactory))->GetStyle();
    EXPECT_EQ(f.button.GetButtonTheme(), pShared);
    EXPECT_EQ(f.button.GetButtonStyleFlags(), static_cast<DWORD>(TKBS_FLAT));

    EXPECT_EQ(f.button.SetButtonStyleFlags(TKBS_FLATSTYLE | TKBS_FLAT), static_cast<DWORD>(TKBS_FLAT));
    ASSERT_NE(dynamic_cast<CTKButtonThemeFlat*>(f.button.GetButtonTheme()), nullptr);
    EXPECT_NE(f.button.GetButtonTheme(), pShared);
    // The private flat look is made directly, with no theme number: the flat colours pass it by.
    CTKButtonThemeFlat* pFlat = static_cast<CTKButtonThemeFlat*>(f.button.GetButtonTheme());
    EXPECT_EQ(pFlat->m_nTheme, 0);
    const COLORREF lightBefore = pFlat->m_clrLight, hotBefore = pFlat->m_clrHotFill;
    f.button.SetFlatColors(RGB(9, 9, 9), RGB(8, 8, 8), RGB(7, 7, 7));
    EXPECT_EQ(static_cast<COLORREF>(pFlat->m_clrLight), lightBefore);
    EXPECT_EQ(static_cast<COLORREF>(pFlat->m_clrHotFill), hotBefore);
    // The factory's flat look, theme 1, takes them.
    CTKThemeManagerStyleFactory* pFactory = GetThemeManager()->GetSharedFactory(RUNTIME_CLASS(CTKButtonThemeFactory));
    f.button.SetStyle(pFactory->CreateTheme(1));
    pFlat = dynamic_cast<CTKButtonThemeFlat*>(f.button.GetButtonTheme());
    ASSERT_NE(pFlat, nullptr);
    f.button.SetFlatColors(RGB(9, 9, 9), RGB(8, 8, 8), RGB(7, 7, 7));
    EXPECT_EQ(static_cast<COLORREF>(pFlat->m_clrLight), RGB(9, 9, 9));
    EXPECT_EQ(static_cast<COLORREF>(pFlat->m_clrHotFill), RGB(8, 8, 8));
    EXPECT_EQ(static_cast<COLORREF>(pFlat->m_clrPressedFill), RGB(7, 7, 7));

    f.button.SetButtonStyleFlags(TKBS_FLAT);
    CTKButtonTheme* pOwn = f.button.GetButtonTheme();
    EXPECT_NE(pOwn, pShared);
    EXPECT_EQ(dynamic_cast<CTKButtonThemeFlat*>(pOwn), nullptr);
    // Any other look ignores the flat colours.
    const COLORREF light = pOwn->m_clrLight;
    f.button.SetFlatColors(RGB(9, 9, 9), RGB(8, 8, 8), RGB(7, 7, 7));
    EXPECT_EQ(static_cast<COLORREF>(pOwn->m_clrLight), light);

    f.button.SetButtonStyleFlags(0);
    EXPECT_EQ(f.button.GetButtonTheme(), pShared);
    EXPECT_FALSE(f.button.HasPrivateStyle());
}

TEST(Button, FacesAndBordersByStateAndLook)
{
    ButtonFixture f;
    DibCanvas canvas(kWidth, kHeight);
    CTKButtonTheme* pTheme = f.button.GetButtonTheme();
    const COLORREF face = pTheme->m_clrFace, hilite = pTheme->m_clrHighlight, shadow = pTheme->m_clrShadow,
                   dark = pTheme->m_clrDarkShadow, light = pTheme->m_clrLight;
    const int r = kWidth - 1, b = kHeight - 1;

    // Flat borders: none when idle, raised when hot, sunken when pressed or checked.
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), face);
    f.button.m_bHot = TRUE;
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), hilite);
    EXPECT_EQ(canvas.Pixel(r, b), shadow);
    f.Draw(canvas, ODS_SELECTED);
    EXPECT_EQ(canvas.Pixel(0, 0), shadow);
    EXPECT_EQ(canvas.Pixel(r, b), hilite);
    f.button.m_bHot = FALSE;
    f.button.SetChecked(TRUE);
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), shadow);
    f.button.SetChecked(FALSE);

    // The 3D border: two rings, turned round when pressed.
    f.button.SetButtonStyleFlags(0);
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), hilite);
    EXPECT_EQ(canvas.Pixel(r, b), dark);
    EXPECT_EQ(canvas.Pixel(1, 1), light);
    EXPECT_EQ(canvas.Pixel(r - 1, b - 1), shadow);
    f.Draw(canvas, ODS_SELECTED);
    EXPECT_EQ(canvas.Pixel(0, 0), dark);
    EXPECT_EQ(canvas.Pixel(1, 1), shadow);
    EXPECT_EQ(canvas.Pixel(r - 1, b - 1), light);

    // Semi-flat: one raised ring.
    f.button.SetButtonStyleFlags(TKBS_SEMIFLAT);
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), hilite);
    EXPECT_EQ(canvas.Pixel(1, 1), face);

    // The pattern on a pressed face.
    f.button.SetButtonStyleFlags(TKBS_FLAT | TKBS_PATTERNPRESSED);
    f.Draw(canvas, ODS_SELECTED);
    EXPECT_NE(canvas.Pixel(kWidth / 2, 3), canvas.Pixel(kWidth / 2 + 1, 3));
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(kWidth / 2, 3), canvas.Pixel(kWidth / 2 + 1, 3));

    // Flat look: one-colour fills framed in the border colour.
    f.button.SetButtonStyleFlags(TKBS_FLATSTYLE);
    CTKButtonThemeFlat* pFlat = static_cast<CTKButtonThemeFlat*>(f.button.GetButtonTheme());
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), static_cast<COLORREF>(pFlat->m_clrFace));
    f.button.m_bHot = TRUE;
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), static_cast<COLORREF>(pFlat->m_clrLight));
    EXPECT_EQ(canvas.Pixel(3, 3), static_cast<COLORREF>(pFlat->m_clrHotFill));
    f.button.SetChecked(TRUE);
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(3, 3), static_cast<COLORREF>(pFlat->m_clrPressedFill));
    f.button.m_bHot = FALSE;
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(3, 3), static_cast<COLORREF>(pFlat->m_clrCheckedFill));
    f.button.SetChecked(FALSE);
    f.Draw(canvas, ODS_SELECTED);
    EXPECT_EQ(canvas.Pixel(3, 3), static_cast<COLORREF>(pFlat->m_clrPressedFill));
    pFlat->SetAlternateFace(TRUE);
    f.Draw(canvas, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), static_cast<COLORREF>(pFlat->m_clrShadow));
    EXPECT_EQ(canvas.Pixel(3, 3), tkcolor::Get(tkcolor::AltFace));

    // Gradient look: the hot gradient from top to bottom.
    CTKButtonThemeGradient* pGradient = new CTKButtonThemeGradient;
    f.button.SetStyle(pGradient);
    f.button.m_bHot = TRUE;
    f.Draw(canvas, 0);
    const CTKPColorGradient& hot = tkcolor::GetGradient(tkcolor::HotButton);
    EXPECT_EQ(canvas.Pixel(0, 0), static_cast<COLORREF>(pGradient->m_clrLight));
    EXPECT_TRUE(ColorNear(canvas.Pixel(kWidth / 2, 1), hot.m_clrLight.GetEffective(), 12));
    EXPECT_TRUE(ColorNear(canvas.Pixel(kWidth / 2, b - 1), hot.m_clrDark.GetEffective(), 12));
}

TEST(Button, TextColourShiftAndFocusRectangle)
{
    ButtonFixture f(L"&Open");
    DibCanvas canvas(kWidth, kHeight);
    CTKButtonTheme* pTheme = f.button.GetButtonTheme();
    const COLORREF text = pTheme->m_clrText, grey = pTheme->m_clrDisabledText, face = pTheme->m_clrFace;

    f.Draw(canvas, 0);
    const CRect normal = Bounds(canvas, text);
    ASSERT_GT(normal.Width(), 5);
    f.Draw(canvas, ODS_SELECTED);
    const CRect pressed = Bounds(canvas, text);
    EXPECT_EQ(pressed.TopLeft(), normal.TopLeft() + CPoint(1, 1));
    f.Draw(canvas, ODS_DISABLED);
    EXPECT_EQ(Bounds(canvas, grey), normal);

    // The focus rectangle, two pixels in, only with its flag.
    auto columnHasOther = [&](int x) {
        for (int y = 3; y < kHeight - 3; ++y)
            if (canvas.Pixel(x, y) != face)
                return true;
        return false;
    };
    f.Draw(canvas, ODS_FOCUS);
    EXPECT_FALSE(columnHasOther(2));
    f.button.SetButtonStyleFlags(TKBS_FLAT | TKBS_FOCUSRECT);
    f.Draw(canvas, ODS_FOCUS);
    EXPECT_TRUE(columnHasOther(2));
    EXPECT_FALSE(columnHasOther(3));
    f.Draw(canvas, 0);
    EXPECT_FALSE(columnHasOther(2));

    // The flat look does not move its text, and shows the hot text colour.
    f.button.SetButtonStyleFlags(TKBS_FLATSTYLE);
    CTKButtonThemeFlat* pFlat = static_cast<CTKButtonThemeFlat*>(f.button.GetButtonTheme());
    pFlat->SetHotTextColor(RGB(200, 0, 0));
    f.Draw(canvas, ODS_SELECTED);
    EXPECT_EQ(Bounds(canvas, pFlat->m_clrPressedText), normal);
    f.button.m_bHot = TRUE;
    f.Draw(canvas, 0);
    EXPECT_EQ(Bounds(canvas, RGB(200, 0, 0)), normal);
    f.button.m_bHot = FALSE;
    // With the alternate face the focus is a double frame in the highlight colour.
    pFlat->SetAlternateFace(TRUE);
    f.button.m_dwStyleFlags |= TKBS_FOCUSRECT;
    f.Draw(canvas, ODS_FOCUS);
    EXPECT_EQ(canvas.Pixel(0, kHeight / 2), tkcolor::Get(tkcolor::Highlight));
    EXPECT_EQ(canvas.Pixel(1, kHeight / 2), tkcolor::Get(tkcolor::Highlight));
}

TEST(Button, ImagesFromResourcesAndTheirPlaces)
{
    ButtonFixture f(L"");
    DibCanvas canvas(kWidth, kHeight);
    const COLORREF blue = RGB(0, 0, 255), green = RGB(0, 255, 0);

    // An icon at its own size, left at the margin and centred vertically; the hot image when hot.
    ASSERT_TRUE(f.button.SetIcon(CSize(0, 0), 710u, 711u));
    EXPECT_EQ(f.button.GetImageSize(), CSize(16, 16));
    CTKPImageIcon* pImage = f.button.GetImage();
    f.Draw(canvas, 0);
    EXPECT_EQ(Bounds(canvas, blue), CRect(4 + 2, 8 + 2, 4 + 14, 8 + 14));
    f.button.m_bHot = TRUE;
    f.Draw(canvas, 0);
    EXPECT_EQ(Bounds(canvas, green), CRect(6, 10, 18, 22));
    f.button.m_bHot = FALSE;
    f.Draw(canvas, ODS_DISABLED);
    const COLORREF disabled = canvas.Pixel(10, 16);
    EXPECT_EQ(GetRValue(disabled), GetGValue(disabled));
    EXPECT_EQ(GetGValue(disabled), GetBValue(disabled));

    // A hot image that cannot be loaded fails and keeps what the button had.
    EXPECT_FALSE(f.button.SetIcon(CSize(16, 16), 710u, 999u));
    EXPECT_EQ(f.button.GetImage(), pImage);

    // Without text, BS_CENTER | BS_VCENTER centre the image.
    f.button.ModifyStyle(0, BS_CENTER | BS_VCENTER);
    f.Draw(canvas, 0);
    EXPECT_EQ(Bounds(canvas, blue), CRect(52 + 2, 8 + 2, 52 + 14, 8 + 14));
    f.button.ModifyStyle(BS_CENTER | BS_VCENTER, 0);

    // A 32-bit bitmap keeps its alpha; a 24-bit one loses its corner colour.
    ASSERT_TRUE(f.button.SetBitmap(CSize(0, 0), 701));
    EXPECT_TRUE(f.button.GetImage()->IsAlpha());
    f.Draw(canvas, 0);
    EXPECT_EQ(Bounds(canvas, green), CRect(4, 8, 12, 24));
    ASSERT_TRUE(f.button.SetBitmap(CSize(0, 0), 700));
    EXPECT_FALSE(f.button.GetImage()->IsAlpha());
    f.Draw(canvas, 0);
    EXPECT_EQ(Bounds(canvas, RGB(255, 0, 0)), CRect(8, 12, 16, 20));
    EXPECT_EQ(canvas.Pixel(4, 8), f.button.GetButtonTheme()->m_clrFace);
    EXPECT_FALSE(f.button.SetBitmap(CSize(0, 0), 999));
    EXPECT_EQ(f.button.GetImage(), nullptr);

    // Fixed places win over the layout.
    ASSERT_TRUE(f.button.SetIcon(CSize(0, 0), 710u));
    f.button.SetTextImagePos(CPoint(30, 2), CPoint(0, 0));
    f.Draw(canvas, 0);
    EXPECT_EQ(Bounds(canvas, blue), CRect(32, 4, 44, 16));
}

TEST(Button, AnImageOfAGivenSizeIsLaidOutAndDrawnAtThatSize)
{
    ButtonFixture f(L"");
    DibCanvas canvas(kWidth, kHeight);
    HICON hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(NULL), MAKEINTRESOURCEW(710), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(nullptr, hIcon);
    ASSERT_TRUE(f.button.SetIcon(CSize(24, 24), CTKPIconHandle(hIcon), CTKPIconHandle()));
    ::DestroyIcon(hIcon);
    EXPECT_EQ(f.button.GetImageSize(), CSize(24, 24));
    EXPECT_EQ(f.button.GetImage()->GetWidth(), 24);
    EXPECT_EQ(f.button.GetImage()->GetHeight(), 24);
    // Placed for 24 x 24 (centred vertically: (32 - 24) / 2) and drawn at 24 x 24: the icon's blue
    // square, 2 to 14 of 16, covers 3 to 21 of 24.
    f.Draw(canvas, 0);
    EXPECT_EQ(Bounds(canvas, RGB(0, 0, 255)), CRect(4 + 3, 4 + 3, 4 + 21, 4 + 21));
}

TEST(Button, TheFlatLookShadowsTheHotImageAlsoWhilePressed)
{
    ButtonFixture f(L"");
    DibCanvas canvas(kWidth, kHeight);
    f.button.SetButtonStyleFlags(TKBS_FLATSTYLE, FALSE);
    ASSERT_TRUE(f.button.SetIcon(CSize(0, 0), 710u, 711u));
    const COLORREF green = RGB(0, 255, 0);
    const COLORREF shadow = static_cast<COLORREF>(tkpixels::ShadowColor(tkcolor::Get(tkcolor::HotFill)));
    f.button.m_bHot = TRUE;
    f.Draw(canvas, 0);
    const CRect hot = Bounds(canvas, green);
    const CRect hotShadow = Bounds(canvas, shadow);
    EXPECT_EQ(hot, CRect(5, 9, 17, 21));  // the hot image one pixel up and left
    EXPECT_FALSE(hotShadow.IsRectEmpty());
    f.Draw(canvas, ODS_SELECTED);
    EXPECT_EQ(Bounds(canvas, green), hot);
    EXPECT_EQ(Bounds(canvas, shadow), hotShadow);
    // Pressed but not hot: the hot image where it belongs, no shadow.
    f.button.m_bHot = FALSE;
    f.Draw(canvas, ODS_SELECTED);
    EXPECT_EQ(Bounds(canvas, green), CRect(6, 10, 18, 22));
    EXPECT_TRUE(Bounds(canvas, shadow).IsRectEmpty());
}

TEST(Button, ImageAboveOrBesideTheText)
{
    ButtonFixture f(L"Go", BS_LEFT);
    f.button.MoveWindow(20, 20, kWidth, 60);
    DibCanvas canvas(kWidth, 60);
    ASSERT_TRUE(f.button.SetIcon(CSize(0, 0), 710u));
    const COLORREF text = f.button.GetButtonTheme()->m_clrText;
    auto draw = [&]() {
        canvas.Fill(RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.hDC = canvas.Hdc();
        dis.rcItem = CRect(0, 0, kWidth, 60);
        f.button.DrawItem(&dis);
    };
    // Beside: the text starts after the margin, the image and the gap.
    draw();
    const CRect image = Bounds(canvas, RGB(0, 0, 255), kWidth, 60);
    const CRect words = Bounds(canvas, text, kWidth, 60);
    EXPECT_EQ(image.left, 4 + 2);
    EXPECT_GE(words.left, 4 + 16 + 8);
    EXPECT_LE(words.left, 4 + 16 + 8 + 2);
    // Hiding the image keeps its room: the text stays where it was.
    f.button.ToggleImage();
    draw();
    EXPECT_TRUE(Bounds(canvas, RGB(0, 0, 255), kWidth, 60).IsRectEmpty());
    EXPECT_EQ(Bounds(canvas, text, kWidth, 60).left, words.left);
    f.button.ToggleImage();

    // Above: both centred, the image over the text.
    f.button.ModifyStyle(BS_LEFT, 0);
    f.button.SetButtonStyleFlags(TKBS_FLAT | TKBS_IMAGEABOVETEXT, FALSE);
    draw();
    const CRect imageAbove = Bounds(canvas, RGB(0, 0, 255), kWidth, 60);
    const CRect wordsBelow = Bounds(canvas, text, kWidth, 60);
    EXPECT_NEAR(imageAbove.CenterPoint().x, kWidth / 2, 1);
    EXPECT_NEAR(wordsBelow.CenterPoint().x, kWidth / 2, 2);
    EXPECT_LT(imageAbove.bottom, wordsBelow.top);
}

namespace {
class CountingButton : public CTKButton {
public:
    int downs = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN)
            ++downs;
        return CTKButton::WindowProc(message, wParam, lParam);
    }
};
}  // namespace

TEST(Button, HotTrackingByTimerAndDoubleClicks)
{
    TestParent parent;
    CountingButton button;
    ASSERT_TRUE(button.Create(L"Hot", WS_CHILD | WS_VISIBLE, CRect(20, 20, 140, 52), &parent, 300));
    PumpPending();

    // Under the cursor the button turns hot at once; the timer notices when the cursor has left.
    CursorToClient(button.GetSafeHwnd(), 10, 10);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(button.IsHot());
    CursorAway();
    EXPECT_TRUE(PumpUntil([&] { return !button.IsHot(); }));
    EXPECT_FALSE(button.m_bHotPainted);

    // A pressed button is not hot.
    CursorToClient(button.GetSafeHwnd(), 10, 10);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(button.IsPressed());
    button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_FALSE(button.IsHot());
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(button.IsPressed());

    // Without flat borders (and without visual styles) nothing is tracked.
    button.SetButtonStyleFlags(0);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(button.IsHot());
    button.SetButtonStyleFlags(TKBS_FLAT);

    // A double click is a second click.
    parent.commands.clear();
    button.downs = 0;
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PumpPending();
    EXPECT_EQ(button.downs, 2);
    int clicks = 0;
    for (WPARAM w : parent.commands)
        if (w == MAKEWPARAM(300, BN_CLICKED))
            ++clicks;
    EXPECT_EQ(clicks, 2);
    CursorAway();
}
