// The caption bar: its button in each mode, the text and button rectangles, user colours across a
// system colour change, the backgrounds and button looks, and the popup's open, pin and focus-loss
// sequence (the popup must never be freed while one of its own handlers runs).
#include <gtest/gtest.h>

#include "tests/support/win/InputSupport.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/Caption.h"
#include "toolkit/controls/CaptionPopupWnd.h"
#include "toolkit/controls/ControlColors.h"

using namespace tktest;

namespace {

int TextWidth(CWnd& wnd, LPCWSTR text, int* pAveChar = nullptr)
{
    CClientDC dc(&wnd);
    CFont* pOld = dc.SelectObject(wnd.GetFont());
    TEXTMETRICW tm = {};
    dc.GetTextMetrics(&tm);
    const int width = dc.GetTextExtent(text).cx;
    dc.SelectObject(pOld);
    if (pAveChar)
        *pAveChar = tm.tmAveCharWidth;
    return width;
}

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

}  // namespace

TEST(Caption, ButtonByModeAndRectangles)
{
    TestParent parent;
    CTKCaption withButton;
    ASSERT_TRUE(withButton.Create(&parent, L"Folders", 0, WS_VISIBLE, CRect(10, 10, 210, 34), 700));
    EXPECT_TRUE(withButton.IsCaptionButtonMode());
    CTKCaptionButton& button = withButton.GetButton();
    ASSERT_TRUE(::IsWindow(button.GetSafeHwnd()));
    EXPECT_EQ(button.GetDlgCtrlID(), static_cast<int>(ID_TKCAPTION_BUTTON));
    EXPECT_FALSE(button.IsWindowVisible());  // shown once the caption has its child window
    CString text;
    button.GetWindowText(text);
    EXPECT_EQ(text, CString(L"Folders"));

    // The text rectangle: the text and an average character and 12 pixels, inside the border.
    withButton.ModifyCaptionStyle(3);
    int ave = 0;
    const int width = TextWidth(withButton, L"Folders", &ave);
    EXPECT_EQ(withButton.GetTextRect(), CRect(3, 3, 3 + width + ave + 12, 24 - 3));
    EXPECT_EQ(withButton.GetButtonRect(), withButton.GetTextRect());
    EXPECT_EQ(ChildRect(withButton, button), withButton.GetButtonRect());

    // With an icon the text never runs under the icon's place, which lies inside the border.
    withButton.ModifyCaptionStyle(0, nullptr, L"A caption text far too long for the two hundred pixels",
        ::LoadIcon(nullptr, IDI_INFORMATION));
    const int iconLeft = 200 - 3 - withButton.m_sizeIcon.cx - 2;
    EXPECT_EQ(withButton.GetTextRect().right, 200 - 3 - 18);
    EXPECT_LE(withButton.GetTextRect().right, iconLeft);
    EXPECT_LE(ChildRect(withButton, button).right, iconLeft);

    // Close-button mode: a 16 x 15 glyph at the right, visible at once.
    CTKCaption closing;
    ASSERT_TRUE(closing.Create(&parent, L"Details", TKCS_CLOSEBUTTON | WS_EX_STATICEDGE, WS_VISIBLE,
        CRect(10, 50, 210, 74), 701));
    EXPECT_FALSE(closing.IsCaptionButtonMode());
    EXPECT_TRUE(closing.GetExStyle() & WS_EX_STATICEDGE);
    CRect client;
    closing.GetClientRect(&client);
    const CRect glyph(client.Width() - 18, (client.Height() - 15) / 2, client.Width() - 2,
        (client.Height() - 15) / 2 + 15);
    EXPECT_EQ(closing.GetButtonRect(), glyph);
    EXPECT_TRUE(closing.GetButton().IsWindowVisible());
    EXPECT_EQ(ChildRect(closing, closing.GetButton()), glyph);
    ASSERT_NE(closing.GetButton().GetImage(), nullptr);

    // Pressing the glyph sends the caption's command to its parent.
    parent.commands.clear();
    closing.GetButton().SendMessage(BM_CLICK);
    PumpPending();
    EXPECT_NE(std::find(parent.commands.begin(), parent.commands.end(), static_cast<WPARAM>(701)),
        parent.commands.end());

    // A button that cannot be made fails the creation.
    CTKCaption failing;
    failing.GetButton().CreateEx(0, L"BUTTON", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr);
    EXPECT_FALSE(failing.Create(&parent, L"x", TKCS_CLOSEBUTTON, WS_VISIBLE, CRect(10, 90, 210, 110), 702));
    failing.GetButton().DestroyWindow();
    failing.DestroyWindow();
}

TEST(Caption, UserColoursSurviveASystemColourChange)
{
    TestParent parent;
    CTKCaption caption;
    ASSERT_TRUE(caption.Create(&parent, L"Pane", 0, WS_VISIBLE, CRect(10, 10, 210, 34), 710));
    caption.m_clrText = RGB(1, 2, 3);
    caption.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(caption.m_clrText, GetSysColor(COLOR_BTNTEXT));
    caption.SetCaptionColors(RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90));
    caption.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(caption.m_clrBorder, RGB(10, 20, 30));
    EXPECT_EQ(caption.m_clrBackground, RGB(40, 50, 60));
    EXPECT_EQ(caption.m_clrText, RGB(70, 80, 90));
}

TEST(Caption, BackgroundsIconAndButtonLooks)
{
    TestParent parent;
    CTKCaption caption;
    ASSERT_TRUE(
        caption.Create(&parent, L"", TKCS_DOUBLE3D | TKCS_CLOSEBUTTON, WS_VISIBLE, CRect(10, 10, 210, 34), 720));
    caption.SetCaptionColors(RGB(200, 0, 0), RGB(0, 0, 200), RGB(255, 255, 255));
    CRect client;
    caption.GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    DibCanvas canvas(w, h);
    CTKCaptionTheme* pTheme = caption.GetCaptionTheme();
    const COLORREF shadow = pTheme->m_clrShadow, hilite = pTheme->m_clrHighlight;
    auto draw = [&](CTKCaptionTheme& style) {
        canvas.Fill(RGB(1, 2, 3));
        style.DrawBackground(canvas.DC(), &caption, client);
        style.DrawIcon(canvas.DC(), &caption, client);
    };

    // Default look: a double 3D frame, the border colour, then the background inside the border.
    draw(*pTheme);
    EXPECT_EQ(canvas.Pixel(0, 0), shadow);
    EXPECT_EQ(canvas.Pixel(1, 1), hilite);
    EXPECT_EQ(canvas.Pixel(w - 2, h - 2), shadow);
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(0, 0, 200));
    caption.ModifyCaptionStyle(4);
    draw(*pTheme);
    EXPECT_EQ(canvas.Pixel(3, h / 2), RGB(200, 0, 0));
    EXPECT_EQ(canvas.Pixel(6, h / 2), RGB(0, 0, 200));
    caption.m_dwCaptionStyle = TKCS_RAISED | TKCS_CLOSEBUTTON;
    draw(*pTheme);
    EXPECT_EQ(canvas.Pixel(0, 0), hilite);
    EXPECT_EQ(canvas.Pixel(w - 1, h - 1), shadow);

    // The icon sits inside the right border.
    caption.ModifyCaptionStyle(0, nullptr, nullptr, ::LoadIcon(nullptr, IDI_WARNING));
    draw(*pTheme);
    EXPECT_NE(canvas.Pixel(w - 4 - 2 - 8, h / 2), RGB(0, 0, 200));
    EXPECT_EQ(canvas.Pixel(w - 3, h / 2), RGB(200, 0, 0));

    // Flat: with a close button a frame; gradient: a line in the caption frame colour at the bottom.
    CTKCaptionThemeFlat flat;
    flat.RefreshMetrics();
    draw(flat);
    EXPECT_EQ(canvas.Pixel(0, 0), hilite);
    EXPECT_EQ(canvas.Pixel(w - 1, h - 1), shadow);
    CTKCaptionThemeGradient gradient;
    gradient.RefreshMetrics();
    draw(gradient);
    EXPECT_EQ(canvas.Pixel(w / 2, h - 1), tkcolor::Get(tkcolor::CaptionFrame));

    // The caption button: its caption's colours and text in caption-button mode.
    CTKCaption folders;
    ASSERT_TRUE(folders.Create(&parent, L"Folders", 0, WS_VISIBLE, CRect(10, 50, 210, 74), 721));
    folders.SetCaptionColors(RGB(200, 0, 0), RGB(0, 0, 200), RGB(255, 255, 0));
    CTKCaptionButton& button = folders.GetButton();
    const CRect rcButton = folders.GetButtonRect();
    DibCanvas face(rcButton.Width(), rcButton.Height());
    auto drawButton = [&](UINT state) {
        face.Fill(RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.hDC = face.Hdc();
        dis.rcItem = CRect(0, 0, rcButton.Width(), rcButton.Height());
        dis.itemState = state;
        button.DrawItem(&dis);
    };
    auto count = [&](COLORREF clr) {
        int n = 0;
        for (int y = 0; y < rcButton.Height(); ++y)
            for (int x = 0; x < rcButton.Width(); ++x)
                n += face.Pixel(x, y) == clr;
        return n;
    };
    drawButton(0);
    EXPECT_EQ(face.Pixel(rcButton.Width() / 2, 3), RGB(0, 0, 200));
    EXPECT_GT(count(RGB(255, 255, 0)), 10);
    button.SetStyle(new CTKCaptionButtonThemeFlat);
    drawButton(0);
    EXPECT_EQ(face.Pixel(rcButton.Width() / 2, 3), RGB(0, 0, 200));
    button.m_bHot = TRUE;
    drawButton(0);
    EXPECT_EQ(face.Pixel(rcButton.Width() / 2, 3), tkcolor::Get(tkcolor::HotFill));
    EXPECT_EQ(face.Pixel(0, 0), tkcolor::Get(tkcolor::HotBorder));
    drawButton(ODS_SELECTED);
    EXPECT_EQ(face.Pixel(rcButton.Width() / 2, 3), tkcolor::Get(tkcolor::PressedFill));
    button.m_bHot = FALSE;

    // The gradient button continues the caption's own gradient.
    folders.SetStyle(new CTKCaptionThemeGradient);
    button.SetStyle(new CTKCaptionButtonThemeGradient);
    DibCanvas band(w, h);
    folders.GetCaptionTheme()->DrawBackground(band.DC(), &folders, client);
    drawButton(0);
    EXPECT_TRUE(ColorNear(face.Pixel(rcButton.Width() / 2, 0),
        band.Pixel(rcButton.left + rcButton.Width() / 2, rcButton.top), 8));
    EXPECT_TRUE(ColorNear(face.Pixel(rcButton.Width() / 2, rcButton.Height() - 1),
        band.Pixel(rcButton.left + rcButton.Width() / 2, rcButton.bottom - 1), 8));
}

namespace {

// A popup that knows whether one of its own handlers is running when it dies; the popups made and
// the timer messages of all of them are counted.
int g_popupsAlive = 0;
int g_diedInsideHandler = 0;
int g_popupsMade = 0;
int g_popupTimerTicks = 0;

class WatchedPopup : public CTKCaptionPopupWnd {
public:
    int depth = 0;
    WatchedPopup()
    {
        ++g_popupsAlive;
        ++g_popupsMade;
    }
    ~WatchedPopup() override
    {
        --g_popupsAlive;
        if (depth > 0)
            ++g_diedInsideHandler;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER)
            ++g_popupTimerTicks;
        ++depth;
        const LRESULT result = CTKCaptionPopupWnd::WindowProc(message, wParam, lParam);
        --depth;
        return result;
    }
};

class WatchedCaption : public CTKCaption {
protected:
    CTKCaptionPopupWnd* CreatePopupWindow() override { return new WatchedPopup; }
};

}  // namespace

TEST(CaptionPopup, OpenPinAndFocusLossEndWithoutTouchingAFreedPopup)
{
    g_popupsAlive = g_diedInsideHandler = 0;
    TestParent host(400, 300);
    // A pane with the caption above its child window; the host hears the caption's messages.
    CWnd pane;
    ASSERT_TRUE(pane.CreateEx(0, AfxRegisterWndClass(0), L"pane", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 200,
        160, host.GetSafeHwnd(), nullptr));
    WatchedCaption caption;
    ASSERT_TRUE(caption.Create(&pane, L"Folders", 0, WS_VISIBLE, CRect(0, 0, 200, 24), 730));
    CEdit child;
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 24, 200, 160), &pane, 731));
    CEdit elsewhere;
    ASSERT_TRUE(elsewhere.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(250, 20, 350, 40), &host, 732));
    caption.SetChildWindow(&child, &host);
    EXPECT_EQ(caption.m_nPopupOffset, 24);
    EXPECT_TRUE(caption.GetButton().IsWindowVisible());

    // The caption button drops the child in the popup over the pane; showing it again keeps that popup.
    caption.GetButton().SendMessage(BM_CLICK);
    PumpPending();
    CTKCaptionPopupWnd* pPopup = caption.GetPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(pPopup->IsWindowVisible());
    EXPECT_EQ(child.GetParent(), pPopup);
    EXPECT_TRUE(caption.GetButton().GetState() & BST_PUSHED);
    CRect rcPopup, rcPane;
    pPopup->GetWindowRect(&rcPopup);
    pane.GetWindowRect(&rcPane);
    EXPECT_EQ(rcPopup.TopLeft(), rcPane.TopLeft());
    EXPECT_TRUE(caption.ShowPopup());
    EXPECT_EQ(caption.GetPopup(), pPopup);
    EXPECT_EQ(g_popupsAlive, 1);

    // The focus goes elsewhere: the popup closes itself through the caption, the host hears of it.
    host.messages.clear();
    elsewhere.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return caption.GetPopup() == nullptr; }));
    EXPECT_EQ(g_popupsAlive, 0);
    EXPECT_EQ(g_diedInsideHandler, 0);
    EXPECT_EQ(host.messages, (std::vector<UINT>{WM_TKCAPTION_FOCUSLOST}));
    EXPECT_EQ(child.GetParent(), &pane);
    EXPECT_FALSE(caption.GetButton().GetState() & BST_PUSHED);

    // Open again and pin: the child goes back below the caption and the empty popup closes.
    child.MoveWindow(5, 5, 10, 10);
    ASSERT_TRUE(caption.ShowPopup());
    pPopup = caption.GetPopup();
    ASSERT_NE(pPopup, nullptr);
    host.messages.clear();
    pPopup->m_btnPin.SendMessage(BM_CLICK);
    ASSERT_TRUE(PumpUntil([&] { return caption.GetPopup() == nullptr; }));
    PumpPending();
    EXPECT_EQ(g_popupsAlive, 0);
    EXPECT_EQ(g_diedInsideHandler, 0);
    EXPECT_EQ(host.messages, (std::vector<UINT>{WM_TKCAPTION_PINNED}));
    EXPECT_EQ(child.GetParent(), &pane);
    EXPECT_EQ(ChildRect(pane, child), CRect(0, 24, 200, 160));

    // Hiding without a popup is harmless.
    caption.HidePopup();
    caption.HidePopup();
    elsewhere.DestroyWindow();
    pane.DestroyWindow();
}

TEST(CaptionPopup, ClicksOnTheButtonOfTheOpenPopupLeaveItOpen)
{
    g_popupsAlive = g_diedInsideHandler = g_popupsMade = 0;
    TestParent host(400, 300);
    host.GetTopLevelParent()->SetForegroundWindow();
    // The caption above the pane, out of the popup's way; the pane holds the child window.
    WatchedCaption caption;
    ASSERT_TRUE(caption.Create(&host, L"Folders", 0, WS_VISIBLE, CRect(20, 20, 220, 44), 740));
    CWnd pane;
    ASSERT_TRUE(pane.CreateEx(0, AfxRegisterWndClass(0), L"pane", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 44, 200,
        160, host.GetSafeHwnd(), nullptr));
    CEdit child;
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 200, 160), &pane, 741));
    caption.SetChildWindow(&child, &host);
    CRect rcButton;
    caption.GetButton().GetWindowRect(&rcButton);
    // Real clicks (posted ones move no focus and take no capture).
    const CPoint pt = rcButton.CenterPoint();
    morvick::test::SettleCursorAt(pt.x, pt.y);
    // Pumps until the popups' focus check has run twice more, or the host heard from the caption.
    auto pumpPastTheFocusCheck = [&] {
        const int nTicks = g_popupTimerTicks;
        return PumpUntil([&] { return g_popupTimerTicks >= nTicks + 2 || !host.messages.empty(); });
    };

    // The first click opens the popup, which takes the focus.
    morvick::test::MouseDown(pt.x, pt.y);
    morvick::test::MouseUp(pt.x, pt.y);
    ASSERT_TRUE(PumpUntil([&] { return caption.GetPopup() != nullptr; }));
    CTKCaptionPopupWnd* pPopup = caption.GetPopup();
    ASSERT_TRUE(pumpPastTheFocusCheck());
    ASSERT_TRUE(host.messages.empty());
    ASSERT_EQ(child.GetParent(), pPopup);

    // A quick click, and one whose button is held while the focus check runs: the popup stays open
    // with the focus, the same popup, and the button stays pushed.
    for (bool bHeld : {false, true}) {
        SCOPED_TRACE(bHeld ? "held" : "quick");
        morvick::test::MouseDown(pt.x, pt.y);
        if (bHeld) {
            ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == caption.GetButton().GetSafeHwnd(); }));
            EXPECT_TRUE(pumpPastTheFocusCheck());
        }
        morvick::test::MouseUp(pt.x, pt.y);
        EXPECT_TRUE(pumpPastTheFocusCheck());
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(g_popupsMade, 1);
        ASSERT_EQ(caption.GetPopup(), pPopup);
        EXPECT_TRUE(pPopup->IsWindowVisible());
        EXPECT_TRUE(::GetFocus() == pPopup->GetSafeHwnd() || ::IsChild(pPopup->GetSafeHwnd(), ::GetFocus()));
        EXPECT_TRUE(caption.GetButton().GetState() & BST_PUSHED);
    }

    caption.HidePopup();
    EXPECT_EQ(g_popupsAlive, 0);
    EXPECT_EQ(child.GetParent(), &pane);
    pane.DestroyWindow();
}
