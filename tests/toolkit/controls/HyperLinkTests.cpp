// The hyperlink: the target and tooltip it takes from its text, its underlined font, the text
// rectangle by alignment, the colours of its states as painted, and a click passing the target to
// the shell (a stand-in here) or naming the shell's error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/win/InkColour.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/HyperLink.h"

using namespace tktest;

namespace {

struct ShellCall {
    std::wstring target;
    int show = 0;
};
std::vector<ShellCall> g_shellCalls;
INT_PTR g_shellResult = 42;
std::vector<std::pair<std::wstring, UINT>> g_messages;

HINSTANCE ShellStandIn(LPCTSTR lpszURL, LPCTSTR, LPCTSTR, int nShowCmd)
{
    g_shellCalls.push_back({lpszURL ? lpszURL : L"", nShowCmd});
    return reinterpret_cast<HINSTANCE>(g_shellResult);
}

int MessageStandIn(LPCTSTR lpszText, UINT nType)
{
    g_messages.emplace_back(lpszText, nType);
    return IDOK;
}

class StandIns {
public:
    StandIns()
    {
        g_shellCalls.clear();
        g_messages.clear();
        g_shellResult = 42;
        m_oldShell = CTKHyperLink::SetShellOpenFunction(ShellStandIn);
        m_oldMessage = CTKHyperLink::SetMessageFunction(MessageStandIn);
    }
    ~StandIns()
    {
        CTKHyperLink::SetShellOpenFunction(m_oldShell);
        CTKHyperLink::SetMessageFunction(m_oldMessage);
    }

private:
    CTKHyperLink::ShellOpenFunction m_oldShell;
    CTKHyperLink::MessageFunction m_oldMessage;
};

int TextWidth(CWnd& wnd, LPCWSTR text)
{
    CClientDC dc(&wnd);
    CFont* pOld = dc.SelectObject(wnd.GetFont());
    const int width = dc.GetTextExtent(text).cx;
    dc.SelectObject(pOld);
    return width;
}

// Clicks the link at a point of its client area, as the mouse does.
void ClickAt(CWnd& link, int x, int y)
{
    CursorToClient(link.GetSafeHwnd(), x, y);
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpPending();
}

// The pixels of the window's client area as the screen shows them.
struct ScreenPicture {
    ScreenPicture(CWnd& wnd, int width, int height) : canvas(width, height)
    {
        wnd.RedrawWindow();
        PumpPending();
        CDC* pDC = wnd.GetDC();
        canvas.DC()->BitBlt(0, 0, width, height, pDC, 0, 0, SRCCOPY);
        wnd.ReleaseDC(pDC);
    }
    // The pixels of the link's text in a colour (smoothed text counted by its blends).
    int Count(COLORREF clr, int width, int height)
    {
        return morvick::test::CountInk([this](int x, int y) { return canvas.Pixel(x, y); }, clr, CRect(0, 0, width, height));
    }
    DibCanvas canvas;
};

}  // namespace

TEST(HyperLink, TakesItsTextAsTargetAndTooltipWithAnUnderlinedFont)
{
    TestParent parent;
    CTKHyperLink link;
    ASSERT_TRUE(link.Create(L"www.example.org", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 210, 30), &parent, 600));
    EXPECT_EQ(link.GetURL(), CString(L"www.example.org"));
    EXPECT_EQ(link.m_strToolTip, CString(L"www.example.org"));
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    ASSERT_TRUE(::IsWindow(link.GetToolTip().GetSafeHwnd()));
    CString tip;
    link.GetToolTip().GetText(tip, &link);
    EXPECT_EQ(tip, CString(L"www.example.org"));

    // Without a font of its own the link is underlined in the status font.
    LOGFONTW lf = {};
    ASSERT_NE(::GetObjectW(reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)), sizeof(lf), &lf), 0);
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_STREQ(lf.lfFaceName, metrics.lfStatusFont.lfFaceName);
    EXPECT_EQ(lf.lfHeight, metrics.lfStatusFont.lfHeight);
    link.SetUnderline(FALSE);
    ::GetObjectW(reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)), sizeof(lf), &lf);
    EXPECT_FALSE(lf.lfUnderline);

    // A new target replaces the tooltip's text.
    link.SetURL(L"https://example.org/other");
    link.GetToolTip().GetText(tip, &link);
    EXPECT_EQ(tip, CString(L"https://example.org/other"));

    // A subclassed static with a font of its own keeps that face, underlined.
    HWND hPlain = ::CreateWindowExW(0, L"STATIC", L"Help", WS_CHILD | WS_VISIBLE, 10, 40, 200, 20, parent.GetSafeHwnd(),
        reinterpret_cast<HMENU>(601), nullptr, nullptr);
    CFont bold;
    bold.CreatePointFont(120, L"Tahoma");
    ::SendMessageW(hPlain, WM_SETFONT, reinterpret_cast<WPARAM>(bold.GetSafeHandle()), FALSE);
    CTKHyperLink subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hPlain));
    ::GetObjectW(reinterpret_cast<HFONT>(subclassed.SendMessage(WM_GETFONT)), sizeof(lf), &lf);
    LOGFONTW boldLf = {};
    bold.GetLogFont(&boldLf);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(lf.lfHeight, boldLf.lfHeight);
    EXPECT_EQ(subclassed.GetURL(), CString(L"Help"));
    subclassed.DestroyWindow();

    // A text that shows its ampersand is a text all the same; a picture static has no text target.
    CTKHyperLink ampersand;
    ASSERT_TRUE(ampersand.Create(L"Q&A", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, CRect(10, 70, 210, 90),
        &parent, 602));
    EXPECT_TRUE(ampersand.IsTextStatic());
    EXPECT_EQ(ampersand.GetURL(), CString(L"Q&A"));
    CTKHyperLink picture;
    ASSERT_TRUE(picture.Create(L"", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(10, 100, 42, 132), &parent, 603));
    EXPECT_FALSE(picture.IsTextStatic());
    EXPECT_TRUE(picture.GetURL().IsEmpty());
}

TEST(HyperLink, ClicksOnTheTextOpenTheTargetOrNameTheError)
{
    StandIns standIns;
    TestParent parent;
    CTKHyperLink link;
    ASSERT_TRUE(link.Create(L"Open the manual", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 310, 30), &parent, 610));
    link.SetURL(L"C:\\manual.htm");
    const int textWidth = TextWidth(link, L"Open the manual");

    // Beside the text: nothing.
    ClickAt(link, textWidth + 20, 8);
    EXPECT_TRUE(g_shellCalls.empty());
    EXPECT_FALSE(link.GetVisited());

    // On the text: the shell opens the target, the link is visited and the parent hears the click.
    parent.commands.clear();
    ClickAt(link, textWidth / 2, 8);
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(g_shellCalls[0].target, L"C:\\manual.htm");
    EXPECT_EQ(g_shellCalls[0].show, SW_SHOW);
    EXPECT_TRUE(link.GetVisited());
    EXPECT_TRUE(g_messages.empty());
    EXPECT_NE(std::find(parent.commands.begin(), parent.commands.end(), MAKEWPARAM(610, STN_CLICKED)),
        parent.commands.end());

    // A failure names the shell's error, and the link is not visited.
    g_shellResult = SE_ERR_NOASSOC;
    ClickAt(link, textWidth / 2, 8);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].first, L"There is no application associated with the given file name extension.");
    EXPECT_EQ(g_messages[0].second, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_FALSE(link.GetVisited());
    g_shellResult = 4;
    EXPECT_FALSE(link.GotoURL());
    EXPECT_EQ(g_messages.back().first, L"An unknown error number 4 occured.");
    g_shellResult = 0;
    EXPECT_FALSE(link.GotoURL(L"other"));
    EXPECT_EQ(g_messages.back().first, L"The operating system is out of memory or resources.");
    EXPECT_EQ(g_shellCalls.back().target, L"other");
    link.ReportError(SE_ERR_DLLNOTFOUND);
    EXPECT_EQ(g_messages.back().first, L"The specified dynamic-link library was not found.");
    link.ReportError(ERROR_BAD_FORMAT);
    EXPECT_EQ(g_messages.back().first, L"The .exe file is invalid (non-Win32\u00AE .exe or error in .exe image).");

    // Without navigation a click only marks the link visited.
    const size_t calls = g_shellCalls.size();
    link.m_bNavigateOnClick = FALSE;
    ClickAt(link, textWidth / 2, 8);
    EXPECT_EQ(g_shellCalls.size(), calls);
    EXPECT_TRUE(link.GetVisited());
    CursorAway();
}

TEST(HyperLink, TextRectangleFollowsTheAlignment)
{
    TestParent parent;
    CTKHyperLink centred, right;
    ASSERT_TRUE(centred.Create(L"centre", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(10, 10, 210, 30), &parent, 620));
    ASSERT_TRUE(right.Create(L"right", WS_CHILD | WS_VISIBLE | SS_RIGHT, CRect(10, 40, 210, 60), &parent, 621));
    const int wc = TextWidth(centred, L"centre"), wr = TextWidth(right, L"right");
    const int inset = (200 - wc) / 2;
    CursorToClient(centred.GetSafeHwnd(), inset - 2, 5);
    EXPECT_FALSE(centred.IsCursorOverText());
    CursorToClient(centred.GetSafeHwnd(), inset + 1, 18);
    EXPECT_TRUE(centred.IsCursorOverText());
    CursorToClient(centred.GetSafeHwnd(), 200 - inset + 1, 5);
    EXPECT_FALSE(centred.IsCursorOverText());
    CursorToClient(right.GetSafeHwnd(), 200 - wr - 2, 5);
    EXPECT_FALSE(right.IsCursorOverText());
    CursorToClient(right.GetSafeHwnd(), 199, 5);
    EXPECT_TRUE(right.IsCursorOverText());
    // The link cursor shows over the text only.
    EXPECT_TRUE(right.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(right.GetSafeHwnd()),
        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), right.GetLinkCursor());
    CursorAway();
}

TEST(HyperLink, PaintsLinkHoverAndVisitedColoursOnItsBackground)
{
    TestParent parent;
    CTKHyperLink link;
    ASSERT_TRUE(link.Create(L"Colours", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 130, 30), &parent, 630));
    const int w = 120, h = 20;
    {
        ScreenPicture picture(link, w, h);
        EXPECT_GT(picture.Count(RGB(0, 0, 255), w, h), 10);
        EXPECT_EQ(picture.canvas.Pixel(w - 2, h - 2), tkcolor::Get(tkcolor::Face));
    }
    // Under the cursor the timer turns the link hot; it cools when the cursor leaves.
    CursorToClient(link.GetSafeHwnd(), 5, 8);
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 8));
    ASSERT_TRUE(PumpUntil([&] { return link.IsHot(); }));
    {
        ScreenPicture picture(link, w, h);
        EXPECT_GT(picture.Count(RGB(255, 0, 0), w, h), 10);
        EXPECT_EQ(picture.Count(RGB(0, 0, 255), w, h), 0);
    }
    CursorAway();
    ASSERT_TRUE(PumpUntil([&] { return !link.IsHot(); }));
    link.SetVisited(TRUE);
    link.SetBackColor(RGB(255, 255, 255));
    {
        ScreenPicture picture(link, w, h);
        EXPECT_GT(picture.Count(RGB(128, 0, 128), w, h), 10);
        EXPECT_EQ(picture.canvas.Pixel(w - 2, h - 2), RGB(255, 255, 255));
    }
}
