// The image button: colour setters, the owner-draw style kept, check-box mode, the flat border
// that comes and goes with the mouse, and clicks that open an address or play sounds through the
// replaceable calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/ControlShell.h"
#include "ui/controls/win/ImageButton.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;

// The box around the pixels of one colour, as "left,top,right,bottom".
std::string BoundsOf(const DibCanvas& c, COLORREF colour)
{
    RECT r = {c.Width(), c.Height(), 0, 0};
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            if (c.At(x, y) != colour)
                continue;
            r = RECT{std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
                std::max<LONG>(r.bottom, y + 1)};
        }
    }
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
        std::to_string(r.bottom);
}

// A screen-compatible bitmap of one colour.
HBITMAP SolidBitmap(int width, int height, COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r = {0, 0, width, height};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

std::vector<std::wstring> g_calls;
BOOL WINAPI RecordShellEx(SHELLEXECUTEINFOW* info)
{
    g_calls.push_back(std::wstring(L"open:") + info->lpVerb + L" " + info->lpFile);
    return TRUE;
}
BOOL WINAPI RecordSound(LPCWSTR name, HMODULE, DWORD)
{
    g_calls.push_back(std::wstring(L"sound:") + name);
    return TRUE;
}

// A drop-down menu that counts how often it is asked to measure and draw.
class CountingMenu : public COwnerDrawnMenu {
public:
    int measured = 0, drawn = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        ++measured;
        COwnerDrawnMenu::MeasureItem(mis);
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        ++drawn;
        COwnerDrawnMenu::DrawItem(dis);
    }
};

HWND g_menuOwner = nullptr;
// Chooses the second item of the open menu with the keyboard.
void CALLBACK ChooseSecondItem(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostMessageW(g_menuOwner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(g_menuOwner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(g_menuOwner, WM_KEYDOWN, VK_RETURN, 0);
}
// Closes a menu that is still open.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = CurrentControlShellHooks();
        CurrentControlShellHooks().shellExecuteEx = RecordShellEx;
        CurrentControlShellHooks().playSound = RecordSound;
        g_calls.clear();
        HWND hwnd = CreateWindowW(L"BUTTON", L"Find", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 30,
            parent.m_hWnd, reinterpret_cast<HMENU>(300), nullptr, nullptr);
        ASSERT_TRUE(button.SubclassWindow(hwnd));
    }
    void TearDown() override
    {
        CurrentControlShellHooks() = saved;
        SetCursorPos(1000, 900);
    }
    // Puts the cursor over the button and tells it the mouse moved there.
    void HoverOver()
    {
        SetForegroundWindow(parent.m_hWnd);
        POINT p = {5, 5};
        button.ClientToScreen(&p);
        SetCursorPos(p.x, p.y);
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    }
    void Click()
    {
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    }
    ControlShellHooks saved;
    test::TestParent parent;
    CImageButton button;
};

TEST_F(ImageButtonTest, ColoursAndStyles)
{
    EXPECT_EQ(button.GetStyle() & 0x0F, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(button.SetColor(6, RGB(1, 2, 3)), 3);
    EXPECT_EQ(button.SetColor(-1, RGB(1, 2, 3)), 3);
    EXPECT_EQ(button.GetColor(CImageButton::kBkOut), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(button.SetColor(CImageButton::kBkOut, RGB(1, 2, 3)), 0);
    EXPECT_EQ(button.GetColor(CImageButton::kBkOut), RGB(1, 2, 3));
    button.SetDefaultColors();
    EXPECT_EQ(button.GetColor(CImageButton::kBkOut), GetSysColor(COLOR_BTNFACE));
    button.SetButtonStyle(BS_AUTOCHECKBOX);
    EXPECT_EQ(button.GetStyle() & 0x0F, static_cast<DWORD>(BS_OWNERDRAW));
    Click();
    EXPECT_TRUE(button.IsChecked());
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_CHECKED);
    Click();
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_UNCHECKED);
    button.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_TRUE(button.IsChecked());
    std::wstring longUrl(400, L'x');
    button.SetURL(longUrl.c_str());
    EXPECT_EQ(button.GetURL().GetLength(), CImageButton::kUrlLength);
}

TEST_F(ImageButtonTest, AFlatButtonShowsItsBorderOnlyUnderTheMouse)
{
    const RECT r = {0, 0, 100, 30};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    DibCanvas c(100, 30, RGB(1, 2, 3));
    button.Paint(c.Dc(), r, 0);
    EXPECT_EQ(c.At(0, 0), face);
    EXPECT_EQ(c.At(99, 29), face);

    HoverOver();
    ASSERT_TRUE(button.IsMouseOver());
    button.Paint(c.Dc(), r, 0);
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(99, 29), GetSysColor(COLOR_BTNSHADOW));
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsMouseOver());
    button.Paint(c.Dc(), r, 0);
    EXPECT_EQ(c.At(0, 0), face);

    button.Paint(c.Dc(), r, ODS_SELECTED);  // pressed: sunken
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(99, 29), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(ImageButtonTest, ARaisedButtonHasTheClassicEdgeAndAFocusRectangle)
{
    button.SetFlat(FALSE);
    const RECT r = {0, 0, 100, 30};
    DibCanvas c(100, 30, RGB(1, 2, 3));
    button.Paint(c.Dc(), r, ODS_FOCUS);
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(99, 29), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(98, 28), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_3DLIGHT));
    // The focus rectangle's dots three pixels inside, and nothing between them and the edge.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(c.Count(face, RECT{3, 3, 97, 4}), 0);
    EXPECT_LT(c.Count(face, RECT{3, 3, 97, 4}), 94);
    EXPECT_EQ(c.Count(face, RECT{2, 2, 98, 3}), 96);
    EXPECT_EQ(c.Count(face, RECT{4, 4, 96, 5}), 92);
    button.Paint(c.Dc(), r, 0);  // without the focus: no dots
    EXPECT_EQ(c.Count(face, RECT{3, 3, 97, 4}), 94);

    button.SetFlat(TRUE);  // a flat button shows no focus rectangle unless asked to
    button.Paint(c.Dc(), r, ODS_FOCUS);
    EXPECT_EQ(c.Count(face, RECT{3, 3, 97, 4}), 94);
    button.SetFocusRect(TRUE);
    button.Paint(c.Dc(), r, ODS_FOCUS);
    EXPECT_LT(c.Count(face, RECT{3, 3, 97, 4}), 94);
}

TEST_F(ImageButtonTest, PrintingTheButtonDrawsItThroughItsOwnerDrawRoutine)
{
    button.SetWindowText(L"");
    button.SetColor(CImageButton::kBkOut, RGB(5, 150, 5));
    button.SetColor(CImageButton::kBkFocus, RGB(5, 5, 150));
    DibCanvas c(100, 30, RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
    EXPECT_EQ(c.At(50, 15), RGB(5, 150, 5));
    EXPECT_EQ(c.At(0, 0), RGB(5, 150, 5));  // flat: no border
    button.SetFocus();
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
    EXPECT_EQ(c.At(50, 15), RGB(5, 5, 150));
}

TEST_F(ImageButtonTest, EachStateTakesItsOwnColours)
{
    button.SetWindowText(L"");
    const RECT r = {0, 0, 100, 30};
    for (int i = 0; i < CImageButton::kColorCount; ++i)
        button.SetColor(i, RGB(10 * i, 100, 200), FALSE);
    DibCanvas c(100, 30, RGB(1, 2, 3));
    button.Paint(c.Dc(), r, 0);
    EXPECT_EQ(c.At(50, 15), RGB(10 * CImageButton::kBkOut, 100, 200));
    button.Paint(c.Dc(), r, ODS_FOCUS);
    EXPECT_EQ(c.At(50, 15), RGB(10 * CImageButton::kBkFocus, 100, 200));
    HoverOver();
    button.Paint(c.Dc(), r, ODS_FOCUS);
    EXPECT_EQ(c.At(50, 15), RGB(10 * CImageButton::kBkIn, 100, 200));

    // The caption takes the state's foreground colour, or the grey text colour when disabled. The
    // foreground is black, whose smoothed text has grey pixels too: a disabled caption shows none of
    // its pixels past the grey, on the way to black.
    button.SetWindowText(L"Find");
    const COLORREF fgIn = RGB(0, 0, 0);
    button.SetColor(CImageButton::kFgIn, fgIn, FALSE);
    button.Paint(c.Dc(), r, 0);
    EXPECT_GT(c.CountInk(fgIn, r), 5);
    button.Paint(c.Dc(), r, ODS_DISABLED);
    EXPECT_EQ(c.CountInk(fgIn, r), 0);
    EXPECT_EQ(c.CountInk(fgIn, GetSysColor(COLOR_GRAYTEXT), r), 0);
    EXPECT_GT(c.CountInk(GetSysColor(COLOR_GRAYTEXT), r), 5);
}

TEST_F(ImageButtonTest, TheImageSitsBesideAboveOrAfterTheCaptionAndMovesWhenPressed)
{
    button.SetBitmaps(SolidBitmap(10, 10, RGB(0, 128, 0)), nullptr, RGB(255, 0, 255));
    const RECT r = {0, 0, 100, 30};
    DibCanvas c(100, 30, RGB(1, 2, 3));
    const COLORREF green = RGB(0, 128, 0);
    button.Paint(c.Dc(), r, 0);  // left: inside the margins, centred vertically
    EXPECT_EQ(BoundsOf(c, green), "3,10,13,20");
    button.Paint(c.Dc(), r, ODS_SELECTED);
    EXPECT_EQ(BoundsOf(c, green), "4,11,14,21");
    button.SetAlign(CImageButton::kImageTop);
    button.Paint(c.Dc(), r, 0);
    EXPECT_EQ(BoundsOf(c, green), "45,3,55,13");
    button.SetAlign(CImageButton::kImageRight);
    button.Paint(c.Dc(), r, 0);
    EXPECT_EQ(BoundsOf(c, green), "87,10,97,20");
    button.SetCheckBox(TRUE);  // a check box stays in place while pressed
    button.Paint(c.Dc(), r, ODS_SELECTED);
    EXPECT_EQ(BoundsOf(c, green), "87,10,97,20");
    button.Paint(c.Dc(), r, ODS_DISABLED);  // disabled: drawn greyed
    EXPECT_EQ(c.Count(green, r), 0);
}

TEST_F(ImageButtonTest, HoverIsTrackedUntilTheMouseLeavesOrTheButtonIsDisabled)
{
    HoverOver();
    ASSERT_TRUE(button.IsMouseOver());
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, button.m_hWnd);
    EXPECT_NE(query.dwFlags & TME_LEAVE, 0u);
    SetCursorPos(1000, 900);  // the system sends WM_MOUSELEAVE
    EXPECT_TRUE(test::PumpUntil([&] { return !button.IsMouseOver(); }));

    HoverOver();
    button.EnableWindow(FALSE);
    EXPECT_FALSE(button.IsMouseOver());
    button.EnableWindow(TRUE);
    HoverOver();
    button.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(button.IsMouseOver());
    HoverOver();
    button.SetFocus();
    parent.SetFocus();
    EXPECT_FALSE(button.IsMouseOver());
}

TEST_F(ImageButtonTest, ATransparentButtonShowsItsParentsBackground)
{
    class PaintedParent : public test::TestParent {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_ERASEBKGND) {  // a band of colour by the parent's client position
                HDC dc = reinterpret_cast<HDC>(wParam);
                HBRUSH top = CreateSolidBrush(RGB(200, 30, 30)), rest = CreateSolidBrush(RGB(30, 30, 200));
                RECT a = {0, 0, 400, 30}, b = {0, 30, 400, 300};
                FillRect(dc, &a, top);
                FillRect(dc, &b, rest);
                DeleteObject(top);
                DeleteObject(rest);
                return 1;
            }
            return TestParent::WindowProc(message, wParam, lParam);
        }
    } painted;
    CImageButton see;
    HWND hwnd = CreateWindowW(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 30, painted.m_hWnd,
        reinterpret_cast<HMENU>(301), nullptr, nullptr);
    ASSERT_TRUE(see.SubclassWindow(hwnd));
    see.SetDrawTransparent(TRUE);
    DibCanvas c(100, 30, RGB(1, 2, 3));
    see.Paint(c.Dc(), RECT{0, 0, 100, 30}, 0);
    EXPECT_EQ(c.At(50, 5), RGB(200, 30, 30));  // parent rows 20..29
    EXPECT_EQ(c.At(50, 15), RGB(30, 30, 200));
    see.SetDrawTransparent(FALSE);
    see.Paint(c.Dc(), RECT{0, 0, 100, 30}, 0);
    EXPECT_EQ(c.At(50, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ImageButtonTest, ABitmapIsDrawnThroughItsMask)
{
    HBITMAP bitmap = SolidBitmap(10, 10, RGB(0, 128, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 5; ++x)
            SetPixel(dc, x, y, RGB(255, 0, 255));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    button.SetWindowText(L"");
    button.SetBitmaps(bitmap, nullptr, RGB(255, 0, 255));
    DibCanvas c(100, 30, RGB(1, 2, 3));
    button.Paint(c.Dc(), RECT{0, 0, 100, 30}, 0);
    EXPECT_EQ(c.Count(RGB(0, 128, 0), RECT{0, 0, 100, 30}), 50);
    EXPECT_EQ(c.Count(RGB(255, 0, 255), RECT{0, 0, 100, 30}), 0);
    EXPECT_EQ(c.At(50, 15), RGB(0, 128, 0));  // centred without a caption: 45..55, 10..20
    EXPECT_EQ(c.At(47, 15), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ImageButtonTest, ClicksOpenTheAddressAndPlayTheSoundAndStillNotifyTheParent)
{
    Click();
    EXPECT_TRUE(g_calls.empty());  // a plain click only notifies the parent
    ASSERT_EQ(parent.commands.size(), 1u);
    EXPECT_EQ(parent.commands[0], MAKEWPARAM(300, BN_CLICKED));

    button.SetURL(L"https://www.example.com/morvick");
    button.SetSounds(L"hover.wav", L"click.wav");
    Click();
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0], L"sound:click.wav");
    EXPECT_EQ(g_calls[1], L"open:open https://www.example.com/morvick");
    EXPECT_EQ(parent.commands.size(), 2u);

    HoverOver();
    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_EQ(g_calls[2], L"sound:hover.wav");
}

// An icon of one colour, size x size.
HICON SolidIcon(int size, COLORREF colour)
{
    HBITMAP color = SolidBitmap(size, size, colour);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);  // all black: every pixel opaque
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, size, size, BLACKNESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info = {TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(color);
    DeleteObject(mask);
    return icon;
}

TEST_F(ImageButtonTest, TheMouseInIconShowsWhileHovered)
{
    HICON in = SolidIcon(16, RGB(200, 0, 0)), out = SolidIcon(16, RGB(0, 0, 200));
    button.SetWindowText(L"");
    button.SetIcons(in, out);
    DibCanvas c(100, 30, RGB(1, 2, 3));
    const RECT r = {0, 0, 100, 30};
    button.Paint(c.Dc(), r, 0);
    EXPECT_EQ(c.At(50, 15), RGB(0, 0, 200));  // centred: 42..58, 7..23
    EXPECT_EQ(BoundsOf(c, RGB(0, 0, 200)), "42,7,58,23");
    HoverOver();
    button.Paint(c.Dc(), r, 0);
    EXPECT_EQ(c.At(50, 15), RGB(200, 0, 0));
    button.Paint(c.Dc(), r, ODS_DISABLED);  // disabled: greyed, neither colour
    EXPECT_EQ(c.Count(RGB(200, 0, 0), r) + c.Count(RGB(0, 0, 200), r), 0);
    button.SetIcons(nullptr, nullptr, FALSE);
    DestroyIcon(in);
    DestroyIcon(out);
}

TEST_F(ImageButtonTest, CursorTooltipAndDoubleClick)
{
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);  // no cursor of its own: the default handling
    button.SetBtnCursor(hand);
    EXPECT_TRUE(
        button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), hand);

    button.SetTooltipText(L"Save the files found");
    ASSERT_NE(button.ToolTip().m_hWnd, nullptr);
    EXPECT_EQ(button.ToolTip().GetMaxTipWidth(), 400);
    CString tip;
    button.ToolTip().GetText(tip, &button, 1);
    EXPECT_STREQ(tip.GetString(), L"Save the files found");
    button.SetTooltipText(L"Save");
    button.ToolTip().GetText(tip, &button, 1);
    EXPECT_STREQ(tip.GetString(), L"Save");
    EXPECT_EQ(button.ToolTip().GetToolCount(), 1);

    MSG msg = {button.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)};
    button.PreTranslateMessage(&msg);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONDOWN));  // a double click counts as a click
}

TEST_F(ImageButtonTest, TheDropDownMenuIsMeasuredDrawnAndAnsweredThroughTheButton)
{
    CountingMenu menu;
    ASSERT_TRUE(menu.AppendODMenu(L"&Open", 0, 41001));
    ASSERT_TRUE(menu.AppendODMenu(L"&Save", 0, 41002));
    button.SetMenu(&menu, &parent);
    EXPECT_EQ(button.SendMessage(WM_MENUCHAR, MAKEWPARAM('S', MF_POPUP), reinterpret_cast<LPARAM>(menu.m_hMenu)),
        0x20001);
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 41001, 0, 0, reinterpret_cast<ULONG_PTR>(menu.Items()[0].get())};
    button.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(menu.measured, 1);
    EXPECT_GT(mis.itemWidth, 0u);

    g_menuOwner = button.m_hWnd;
    SetTimer(nullptr, 0, 300, ChooseSecondItem);
    const UINT_PTR safety = SetTimer(nullptr, 0, test::kStateWaitMs, CloseMenu);
    Click();
    KillTimer(nullptr, safety);
    EXPECT_GT(menu.measured, 1);
    EXPECT_GT(menu.drawn, 0);
    EXPECT_TRUE(test::PumpUntil([&] {
        return std::find(parent.commands.begin(), parent.commands.end(), MAKEWPARAM(41002, 0)) != parent.commands.end();
    }));
    EXPECT_TRUE(g_calls.empty());
}

}  // namespace
}  // namespace morvick::ui
