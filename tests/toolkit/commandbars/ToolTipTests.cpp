#include "toolkit/base/ColorManager.h"
#include "toolkit/commandbars/OfficeToolTipWindow.h"
#include "toolkit/commandbars/RichToolTipWindow.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/commandbars/ToolTipWindow.h"

#include "DibCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A top-level window with tools at fixed client rectangles.
class TipOwner : public CWnd {
public:
    struct Tool {
        CRect rect;
        UINT id;
        CString text;
        CString title;
        CString description;
        UINT flags;
    };

    TipOwner(int x = 200, int y = 200)
    {
        CreateEx(0, AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)), L"Tips",
            WS_POPUP | WS_VISIBLE, x, y, 300, 100, nullptr, nullptr);
    }
    // A child window of another owner, as a bar is of its frame.
    TipOwner(CWnd& parent, int x, int y)
    {
        CreateEx(0, AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)), L"Bar",
            WS_CHILD | WS_VISIBLE, x, y, 100, 50, parent.GetSafeHwnd(), nullptr);
    }
    ~TipOwner() override { DestroyWindow(); }

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        for (const Tool& tool : tools) {
            if (!tool.rect.PtInRect(point))
                continue;
            if (tool.text == L"<callback>") {
                pTI->hwnd = m_hWnd;
                pTI->rect = tool.rect;
                pTI->uId = tool.id;
                pTI->lpszText = LPSTR_TEXTCALLBACKW;
            } else {
                FillToolInfo(pTI, m_hWnd, tool.rect, tool.id, tool.text, tool.title, tool.description);
            }
            pTI->uFlags = tool.flags;
            return tool.id;
        }
        return -1;
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
        if (pHeader->code == TTN_GETDISPINFOW) {
            NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            callbackText = callbackAnswer;
            pInfo->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(callbackText));
            ++callbacks;
            *pResult = 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }

    // A mouse message at a client point, as the owner's message handling sees it.
    MSG Message(UINT message, POINT client)
    {
        POINT screen = client;
        ::ClientToScreen(m_hWnd, &screen);
        MSG msg = {};
        msg.hwnd = m_hWnd;
        msg.message = message;
        msg.lParam = MAKELPARAM(client.x, client.y);
        msg.pt = screen;
        return msg;
    }
    POINT Screen(POINT client)
    {
        ::ClientToScreen(m_hWnd, &client);
        return client;
    }

    std::vector<Tool> tools;
    CString callbackAnswer;
    CString callbackText;
    int callbacks = 0;
};

// Records the messages the manager sends to its tip.
class SpyTip : public CWnd {
public:
    struct Sent {
        UINT message;
        WPARAM wParam;
        std::wstring text;
    };

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER && message < WM_USER + 0x100) {
            Sent s{message, wParam, L""};
            if (message == TTM_SETTITLEW && lParam)
                s.text = reinterpret_cast<LPCWSTR>(lParam);
            if ((message == TTM_ADDTOOLW || message == TTM_UPDATETIPTEXTW) && lParam) {
                const TOOLINFOW* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam);
                s.text = pInfo->lpszText && pInfo->lpszText != LPSTR_TEXTCALLBACKW ? pInfo->lpszText : L"<none>";
                EXPECT_EQ(static_cast<UINT>(TTTOOLINFOW_V2_SIZE), pInfo->cbSize);
                EXPECT_EQ(0u, pInfo->uFlags & TKPTTF_PRIVATEMASK);
            }
            sent.push_back(s);
            if (message == TTM_WINDOWFROMPOINT)
                return reinterpret_cast<LRESULT>(TKPToolTipWindowFromPoint(*reinterpret_cast<POINT*>(lParam)));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    int Count(UINT message, WPARAM wParam = static_cast<WPARAM>(-1)) const
    {
        int n = 0;
        for (const Sent& s : sent)
            n += s.message == message && (wParam == static_cast<WPARAM>(-1) || s.wParam == wParam);
        return n;
    }
    const Sent* Last(UINT message) const
    {
        for (auto it = sent.rbegin(); it != sent.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

    std::vector<Sent> sent;
};

class SpyManager : public CTKPToolTipManager {
public:
    CWnd* CreateToolTip(CWnd* pOwner) override
    {
        ++created;
        SpyTip* pTip = new SpyTip;
        pTip->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), nullptr, WS_POPUP, 0, 0, 0, 0, pOwner->GetSafeHwnd(),
            nullptr);
        last = pTip;
        return pTip;
    }
    int created = 0;
    SpyTip* last = nullptr;
};

DWORD g_now = 1000;
DWORD FakeTicks()
{
    return g_now;
}

// Windows live for the whole suite: under Wine without a window manager, destroying the
// foreground window waits two seconds for the X server.
class ToolTipTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_pOwner = new TipOwner;
        s_pOther = new TipOwner(600, 200);
    }
    static void TearDownTestSuite()
    {
        delete s_pOther;
        delete s_pOwner;
    }

    ToolTipTest() : owner(*s_pOwner), other(*s_pOther)
    {
        owner.tools.clear();
        owner.callbackAnswer.Empty();
        owner.callbacks = 0;
        owner.SetWindowPos(nullptr, 200, 200, 300, 100, SWP_NOZORDER | SWP_NOACTIVATE);
        owner.tools.push_back({CRect(0, 0, 50, 30), 101, L"Open", L"", L"", 0});
        owner.tools.push_back({CRect(60, 0, 110, 30), 102, L"Save", L"Save", L"Saves the file.", 0});
        owner.tools.push_back({CRect(120, 0, 170, 30), 103, L"<callback>", L"", L"", 0});
        owner.SetForegroundWindow();
        g_now = 1000;
        CTKPToolTipWindow::SetTickSource(&FakeTicks);
        CTKPToolTipWindow::EnableMouseHook(FALSE);
    }
    ~ToolTipTest() override
    {
        CTKPToolTipWindow::SetTickSource(nullptr);
        CTKPToolTipWindow::EnableMouseHook(TRUE);
    }

    void Move(CTKPToolTipManager& manager, POINT client)
    {
        ::SetCursorPos(owner.Screen(client).x, owner.Screen(client).y);
        MSG msg = owner.Message(WM_MOUSEMOVE, client);
        manager.FilterToolTipMessage(&owner, &msg, TRUE);
    }

    static TipOwner* s_pOwner;
    static TipOwner* s_pOther;
    TipOwner& owner;
    TipOwner& other;
};

TipOwner* ToolTipTest::s_pOwner = nullptr;
TipOwner* ToolTipTest::s_pOther = nullptr;

TEST(ToolTipRecord, FillToolInfoByRecordSize)
{
    TOOLINFOW small = {};
    small.cbSize = TKP_TOOLINFO_MIN_SIZE - 4;
    FillToolInfo(&small, HWND(1), RECT{1, 2, 3, 4}, 7, L"Text");
    EXPECT_EQ(nullptr, small.lpszText);

    TKPTOOLINFO plain = {};
    plain.ti.cbSize = TKP_TOOLINFO_MIN_SIZE;
    FillToolInfo(&plain.ti, HWND(1), RECT{1, 2, 3, 4}, 7, L"Text", L"Title", L"Description");
    EXPECT_STREQ(L"Text", plain.ti.lpszText);
    EXPECT_EQ(7u, plain.ti.uId);
    EXPECT_EQ(nullptr, TKPGetExtendedToolInfo(&plain.ti));
    EXPECT_EQ(nullptr, plain.lpszTitle);
    TKPFreeToolInfoTexts(&plain.ti);
    EXPECT_EQ(nullptr, plain.ti.lpszText);

    TKPTOOLINFO extended = {};
    extended.ti.cbSize = sizeof(TKPTOOLINFO);
    FillToolInfo(&extended.ti, HWND(1), RECT{1, 2, 3, 4}, 7, L"Text", L"Title", L"");
    EXPECT_EQ(nullptr, extended.lpszTitle);  // both or neither
    TKPFreeToolInfoTexts(&extended.ti);
    FillToolInfo(&extended.ti, HWND(1), RECT{1, 2, 3, 4}, 7, L"Text", L"Title", L"Description");
    EXPECT_STREQ(L"Title", extended.lpszTitle);
    EXPECT_STREQ(L"Description", extended.lpszDescription);
    TKPFreeToolInfoTexts(&extended.ti);
    EXPECT_EQ(nullptr, extended.lpszDescription);

    // A callback marker is not heap memory.
    TOOLINFOW callback = {};
    callback.cbSize = TKP_TOOLINFO_MIN_SIZE;
    callback.lpszText = LPSTR_TEXTCALLBACKW;
    TKPFreeToolInfoTexts(&callback);
    EXPECT_EQ(LPSTR_TEXTCALLBACKW, callback.lpszText);
}

TEST_F(ToolTipTest, ManagerAddsRelaysAndReplacesTools)
{
    SpyManager manager;
    Move(manager, {10, 10});
    ASSERT_EQ(1, manager.created);
    SpyTip* pTip = manager.last;
    EXPECT_EQ(1, pTip->Count(TTM_SETMAXTIPWIDTH));
    EXPECT_EQ(1, pTip->Count(TTM_ADDTOOLW));
    EXPECT_EQ(L"Open", pTip->Last(TTM_ADDTOOLW)->text);
    EXPECT_EQ(1, pTip->Count(TTM_ACTIVATE, TRUE));
    EXPECT_EQ(1, pTip->Count(TTM_RELAYEVENT));

    // Still over the same tool: only relayed.
    Move(manager, {12, 11});
    EXPECT_EQ(1, pTip->Count(TTM_ADDTOOLW));
    EXPECT_EQ(2, pTip->Count(TTM_RELAYEVENT));

    // Another tool replaces it; empty space deactivates the tip.
    Move(manager, {70, 10});
    EXPECT_EQ(1, pTip->Count(TTM_DELTOOLW));
    EXPECT_EQ(L"Save", pTip->Last(TTM_ADDTOOLW)->text);
    Move(manager, {200, 60});
    EXPECT_EQ(2, pTip->Count(TTM_DELTOOLW));
    EXPECT_EQ(2, pTip->Count(TTM_ACTIVATE, FALSE));  // once when made, once here

    // A key or a press hides the tip.
    MSG key = owner.Message(WM_KEYDOWN, {0, 0});
    manager.FilterToolTipMessage(&owner, &key, TRUE);
    EXPECT_EQ(3, pTip->Count(TTM_ACTIVATE, FALSE));

    // A message of a window outside the owner is ignored when it does not come from the owner.
    MSG foreign = other.Message(WM_LBUTTONDOWN, {5, 5});
    manager.FilterToolTipMessage(&owner, &foreign, FALSE);
    EXPECT_EQ(3, pTip->Count(TTM_ACTIVATE, FALSE));
}

TEST_F(ToolTipTest, TheWindowsOfOneFrameShareOneTip)
{
    TipOwner first(owner, 0, 40), second(owner, 150, 40);
    first.tools.push_back({CRect(0, 0, 40, 40), 201, L"First", L"", L"", 0});
    second.tools.push_back({CRect(0, 0, 40, 40), 202, L"Second", L"", L"", 0});
    SpyManager manager;
    MSG overFirst = first.Message(WM_MOUSEMOVE, {10, 10});
    manager.FilterToolTipMessage(&first, &overFirst, TRUE);
    ASSERT_EQ(1, manager.created);
    SpyTip* pTip = manager.last;
    EXPECT_EQ(owner.GetSafeHwnd(), ::GetWindow(pTip->GetSafeHwnd(), GW_OWNER));

    // Moving on to the next window of the same frame only swaps the tools.
    MSG overSecond = second.Message(WM_MOUSEMOVE, {10, 10});
    manager.FilterToolTipMessage(&second, &overSecond, TRUE);
    EXPECT_EQ(1, manager.created);
    EXPECT_EQ(1, pTip->Count(TTM_DELTOOLW));
    EXPECT_EQ(L"Second", pTip->Last(TTM_ADDTOOLW)->text);

    // Another top-level window gets a tip of its own.
    other.tools.clear();
    other.tools.push_back({CRect(0, 0, 50, 30), 301, L"Other", L"", L"", 0});
    MSG overOther = other.Message(WM_MOUSEMOVE, {10, 10});
    manager.FilterToolTipMessage(&other, &overOther, TRUE);
    EXPECT_EQ(2, manager.created);
    EXPECT_EQ(other.GetSafeHwnd(), ::GetWindow(manager.last->GetSafeHwnd(), GW_OWNER));
    other.tools.clear();
}

TEST_F(ToolTipTest, TipsComeAliveOnlyWhileTheOwnersFrameIsActive)
{
    SpyManager manager;
    other.SetForegroundWindow();
    ASSERT_NE(owner.GetSafeHwnd(), ::GetForegroundWindow());
    Move(manager, {10, 10});
    EXPECT_EQ(1, manager.last->Count(TTM_ADDTOOLW));
    EXPECT_EQ(0, manager.last->Count(TTM_ACTIVATE, TRUE));

    // A tool that asks for it is activated anyway.
    owner.tools[1].flags = TKPTTF_ALWAYSACTIVATE;
    Move(manager, {70, 10});
    EXPECT_EQ(1, manager.last->Count(TTM_ACTIVATE, TRUE));
}

TEST_F(ToolTipTest, TitlesByStyleAndVersion)
{
    struct Case {
        int style;
        DWORD version;
        bool title;
    } cases[] = {{0, 0x50050, true}, {0, 0x5004F, false}, {1, 0x40000, true}, {2, 0, true}, {3, 0x60000, false},
        {4, 0, true}};
    for (const Case& c : cases) {
        SpyManager manager;
        manager.SetTipStyle(c.style);
        manager.SetComCtlVersion(c.version);
        manager.SetExtendedToolInfo(TRUE);
        Move(manager, {70, 10});  // the tool with a title and a description
        SpyTip* pTip = manager.last;
        ASSERT_NE(nullptr, pTip);
        if (c.title) {
            ASSERT_NE(nullptr, pTip->Last(TTM_SETTITLEW)) << c.style;
            EXPECT_EQ(L"Save", pTip->Last(TTM_SETTITLEW)->text);
            EXPECT_EQ(L"Saves the file.", pTip->Last(TTM_UPDATETIPTEXTW)->text);
            // A tool without them clears the title.
            Move(manager, {10, 10});
            EXPECT_EQ(L"", pTip->Last(TTM_SETTITLEW)->text);
        } else {
            EXPECT_EQ(0, pTip->Count(TTM_SETTITLEW)) << c.style;
        }
    }
    // Without the extended record no title is asked for.
    SpyManager manager;
    manager.SetTipStyle(2);
    Move(manager, {70, 10});
    EXPECT_EQ(L"", manager.last->Last(TTM_SETTITLEW)->text);
}

TEST_F(ToolTipTest, ChangingTheFlagsReplacesTheTip)
{
    SpyManager manager;
    Move(manager, {10, 10});
    EXPECT_EQ(1, manager.created);
    EXPECT_EQ(static_cast<DWORD>(TTS_NOPREFIX), manager.ModifyTipFlags(0, 0));
    EXPECT_NE(nullptr, manager.GetToolTip());
    manager.ModifyTipFlags(TTS_NOPREFIX, 0);
    EXPECT_EQ(nullptr, manager.GetToolTip());
    Move(manager, {12, 10});
    EXPECT_EQ(2, manager.created);
    // The new tip learns the tool again.
    EXPECT_EQ(1, manager.last->Count(TTM_ADDTOOLW));
}

// The size of a text in the tips' font (the status-bar font of the system).
CSize TipTextExtent(LPCWSTR text)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT hFont = ::CreateFontIndirectW(&metrics.lfStatusFont);
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, text, lstrlenW(text), &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    ::DeleteObject(hFont);
    return CSize(size);
}

CTKPToolTipWindow* PlainTip(CTKPToolTipManager& manager)
{
    return dynamic_cast<CTKPToolTipWindow*>(manager.GetToolTip());
}

TEST_F(ToolTipTest, DelaysOfTheToolkitTip)
{
    CTKPToolTipManager manager;
    manager.SetTipStyle(CTKPToolTipManager::stylePlain);
    Move(manager, {10, 10});
    CTKPToolTipWindow* pTip = PlainTip(manager);
    ASSERT_NE(nullptr, pTip);
    EXPECT_EQ(TRUE, pTip->IsActive());
    // The first tip waits for the initial delay.
    EXPECT_EQ(101u, pTip->GetPendingTool().uId);
    EXPECT_FALSE(pTip->IsWindowVisible());
    pTip->OnPendingTimer();
    EXPECT_TRUE(pTip->IsWindowVisible());
    EXPECT_EQ(101u, pTip->GetCurrentTool().uId);

    // Within 200 ms of the last show the next tool shows at once.
    g_now += 150;
    Move(manager, {70, 10});
    EXPECT_TRUE(pTip->IsWindowVisible());
    EXPECT_EQ(102u, pTip->GetCurrentTool().uId);

    // Off every tool the tip hides; a tool reached later than 200 ms waits again.
    g_now += 10;
    Move(manager, {200, 60});
    EXPECT_FALSE(pTip->IsWindowVisible());
    g_now += 300;
    Move(manager, {10, 10});
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_EQ(101u, pTip->GetPendingTool().uId);
    // The delay ends with the cursor elsewhere: nothing shows.
    ::SetCursorPos(owner.Screen({250, 80}).x, owner.Screen({250, 80}).y);
    pTip->OnPendingTimer();
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_TRUE(pTip->GetPendingTool().IsNone());
}

TEST_F(ToolTipTest, APressedToolStaysQuietUntilTheMouseLeavesIt)
{
    CTKPToolTipManager manager;
    manager.SetTipStyle(CTKPToolTipManager::stylePlain);
    Move(manager, {10, 10});
    CTKPToolTipWindow* pTip = PlainTip(manager);
    ASSERT_NE(nullptr, pTip);
    pTip->OnPendingTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());

    MSG down = owner.Message(WM_LBUTTONDOWN, {10, 10});
    pTip->RelayEvent(&down);
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_EQ(101u, pTip->GetClickedTool().uId);
    g_now += 10;  // within the reshow window: would show at once if it were not pressed
    MSG move = owner.Message(WM_MOUSEMOVE, {11, 10});
    pTip->RelayEvent(&move);
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_TRUE(pTip->GetPendingTool().IsNone());

    // Leaving forgets the press.
    MSG away = owner.Message(WM_MOUSEMOVE, {200, 60});
    pTip->RelayEvent(&away);
    EXPECT_TRUE(pTip->GetClickedTool().IsNone());
    g_now += 10;
    pTip->RelayEvent(&move);
    EXPECT_TRUE(pTip->IsWindowVisible());
}

TEST_F(ToolTipTest, CallbackTextsEmptyTextsAndMnemonics)
{
    CTKPToolTipManager manager;
    manager.SetTipStyle(CTKPToolTipManager::stylePlain);
    owner.callbackAnswer = L"&Print && Preview";
    Move(manager, {130, 10});
    CTKPToolTipWindow* pTip = PlainTip(manager);
    ASSERT_NE(nullptr, pTip);
    ASSERT_EQ(1, pTip->GetToolCount());
    // The manager keeps '&' (TTS_NOPREFIX) unless told otherwise.
    EXPECT_EQ(CString(L"&Print && Preview"), pTip->GetToolText(pTip->GetTool(0)));
    manager.ModifyTipFlags(TTS_NOPREFIX, 0);
    Move(manager, {131, 10});
    pTip = PlainTip(manager);
    ASSERT_NE(nullptr, pTip);
    EXPECT_EQ(CString(L"Print & Preview"), pTip->GetToolText(pTip->GetTool(0)));

    // A tool whose text comes back empty shows nothing.
    owner.callbackAnswer = L"";
    pTip->OnPendingTimer();
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_GT(owner.callbacks, 0);
}

TEST_F(ToolTipTest, TheTipStaysOnTheScreenAtTheRightAndBottomEdges)
{
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // The owner in the bottom-right corner with a long tool text.
    TipOwner& corner = owner;
    corner.SetWindowPos(nullptr, work.right - 300, work.bottom - 100, 300, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    corner.tools.push_back({CRect(250, 70, 300, 100), 7, L"A rather long tooltip text near the corner", L"", L"", 0});
    CTKPToolTipManager manager;
    manager.SetTipStyle(CTKPToolTipManager::stylePlain);
    const POINT client = {295, 95};
    ::SetCursorPos(corner.Screen(client).x, corner.Screen(client).y);
    MSG msg = corner.Message(WM_MOUSEMOVE, client);
    manager.FilterToolTipMessage(&corner, &msg, TRUE);
    CTKPToolTipWindow* pTip = PlainTip(manager);
    ASSERT_NE(nullptr, pTip);
    pTip->OnPendingTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());
    CRect rc;
    pTip->GetWindowRect(&rc);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_LE(rc.right, work.right);
    EXPECT_LE(rc.bottom, work.bottom);
    EXPECT_GE(rc.left, work.left);
    // No room below the cursor: the tip goes above it.
    EXPECT_LE(rc.bottom, cursor.y);
    EXPECT_GT(rc.Width(), 20);

    // In open space it hangs 21 pixels below the cursor.
    pTip->ShowTip(nullptr);
    g_now += 1000;
    ::SetCursorPos(work.left + 100, work.top + 100);
    pTip->ShowTip(pTip->GetTool(pTip->GetToolCount() - 1));
    pTip->GetWindowRect(&rc);
    EXPECT_EQ(work.left + 100, rc.left);
    EXPECT_EQ(work.top + 121, rc.top);
}

TEST_F(ToolTipTest, ChildrenThatAskForItCountAsTheirParent)
{
    class Transparent : public CWnd {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_TKP_TOOLTIPTRANSPARENT)
                return 1;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } child;
    child.CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_CHILD | WS_VISIBLE, 0, 40, 50, 30, owner.GetSafeHwnd(),
        nullptr);
    const POINT pt = owner.Screen({10, 50});
    EXPECT_EQ(owner.GetSafeHwnd(), TKPToolTipWindowFromPoint(pt));
    EXPECT_EQ(child.GetSafeHwnd(), ::WindowFromPoint(pt));
    child.DestroyWindow();
}

TEST_F(ToolTipTest, RichTextTipsReadRtfAndPlainText)
{
    CTKPToolTipManager manager;
    manager.SetTipStyle(CTKPToolTipManager::styleRichText);
    owner.tools[0].text = L"{\\rtf1 Hello \\b World\\b0}";
    owner.tools[1].text = L"1 < 2 {not rtf}";
    Move(manager, {10, 10});
    CTKPRichToolTipWindow* pTip = dynamic_cast<CTKPRichToolTipWindow*>(manager.GetToolTip());
    ASSERT_NE(nullptr, pTip);
    ASSERT_NE(nullptr, pTip->GetRichEdit().GetSafeHwnd());
    const CSize rtfSize = pTip->CalcTipSize(pTip->GetTool(0));
    EXPECT_GT(rtfSize.cx, 10);
    EXPECT_GT(rtfSize.cy, 5);
    CString text;
    pTip->GetRichEdit().GetWindowText(text);
    EXPECT_EQ(CString(L"Hello World"), text.Trim());

    Move(manager, {70, 10});
    ASSERT_EQ(1, pTip->GetToolCount());
    const CSize plainSize = pTip->CalcTipSize(pTip->GetTool(0));
    EXPECT_GT(plainSize.cx, 10);
    pTip->GetRichEdit().GetWindowText(text);
    EXPECT_EQ(CString(L"1 < 2 {not rtf}"), text.Trim());
    // The tip is as narrow as its text allows...
    const CSize szText = TipTextExtent(L"1 < 2 {not rtf}");
    EXPECT_GE(plainSize.cx, szText.cx);
    EXPECT_LE(plainSize.cx, szText.cx + 24);

    // ...and a text longer than the widest tip wraps within it.
    manager.SetMaxTipWidth(150);
    owner.tools[1].text = L"A tip text far too long to stay on a single line of one hundred and fifty pixels";
    Move(manager, {200, 60});
    Move(manager, {70, 10});
    ASSERT_EQ(1, pTip->GetToolCount());
    const CSize longSize = pTip->CalcTipSize(pTip->GetTool(0));
    EXPECT_LE(longSize.cx, 150 + 6);
    EXPECT_GT(longSize.cx, 150 / 2);
    EXPECT_GE(longSize.cy, 2 * szText.cy);
}

TEST_F(ToolTipTest, BackgroundsOfThePlainAndOfficeTipsTakeTheirManagersColour)
{
    const int nOldScheme = GetColorManager()->m_nSelectedScheme;
    const COLORREF back = RGB(200, 220, 240);
    CTKPToolTipWindow unattached;
    DibCanvas canvas(40, 20);
    unattached.DrawBackground(canvas.DC(), nullptr, CRect(0, 0, 40, 20));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 0));  // no manager: black border
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), canvas.Pixel(20, 10));

    CTKPToolTipManager plainManager;
    plainManager.SetTipStyle(CTKPToolTipManager::stylePlain);
    plainManager.SetColors(back, RGB(0, 0, 0));
    Move(plainManager, {10, 10});
    CTKPToolTipWindow* pPlain = PlainTip(plainManager);
    ASSERT_NE(nullptr, pPlain);
    pPlain->DrawBackground(canvas.DC(), nullptr, CRect(0, 0, 40, 20));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(back, canvas.Pixel(20, 10));

    CTKPToolTipManager officeManager;
    officeManager.SetTipStyle(CTKPToolTipManager::styleOffice);
    officeManager.SetColors(back, RGB(0, 0, 0));
    Move(officeManager, {10, 10});
    CTKPOfficeToolTipWindow* pOffice = dynamic_cast<CTKPOfficeToolTipWindow*>(officeManager.GetToolTip());
    ASSERT_NE(nullptr, pOffice);
    GetColorManager()->SetSelectedScheme(1);
    pOffice->DrawBackground(canvas.DC(), nullptr, CRect(0, 0, 40, 20));
    EXPECT_EQ(RGB(0, 0, 128), canvas.Pixel(0, 10));
    EXPECT_TRUE(ColorNear(RGB(255, 213, 151), canvas.Pixel(20, 1), 3));
    EXPECT_TRUE(ColorNear(RGB(255, 242, 200), canvas.Pixel(20, 18), 6));
    GetColorManager()->SetSelectedScheme(2);
    pOffice->DrawBackground(canvas.DC(), nullptr, CRect(0, 0, 40, 20));
    EXPECT_EQ(RGB(63, 93, 56), canvas.Pixel(39, 10));
    // Without a scheme: from the manager's colour down to white.
    GetColorManager()->SetSelectedScheme(0);
    pOffice->DrawBackground(canvas.DC(), nullptr, CRect(0, 0, 40, 20));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 10));
    EXPECT_TRUE(ColorNear(back, canvas.Pixel(20, 1), 6));
    EXPECT_TRUE(ColorNear(RGB(255, 255, 255), canvas.Pixel(20, 18), 12));
    GetColorManager()->SetSelectedScheme(nOldScheme);
}

}  // namespace

TEST_F(ToolTipTest, StyleZeroUsesThePlatformTooltip)
{
    CTKPToolTipManager manager;
    manager.SetTipStyle(CTKPToolTipManager::styleStandard);
    Move(manager, {10, 10});
    CWnd* pTip = manager.GetToolTip();
    ASSERT_NE(nullptr, pTip);
    WCHAR szClass[64] = {};
    ::GetClassNameW(pTip->GetSafeHwnd(), szClass, 64);
    EXPECT_STREQ(TOOLTIPS_CLASSW, szClass);
    EXPECT_EQ(1, pTip->SendMessage(TTM_GETTOOLCOUNT));
    // The tooltip control's own query finds the owner window under the tool.
    POINT pt = owner.Screen({10, 10});
    EXPECT_EQ(owner.GetSafeHwnd(),
        reinterpret_cast<HWND>(pTip->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt))));
    // A balloon tip carries the balloon style.
    CTKPToolTipManager balloon;
    balloon.SetTipStyle(CTKPToolTipManager::styleBalloon);
    Move(balloon, {10, 10});
    ASSERT_NE(nullptr, balloon.GetToolTip());
    EXPECT_TRUE(balloon.GetToolTip()->GetStyle() & TTS_BALLOON);
}
