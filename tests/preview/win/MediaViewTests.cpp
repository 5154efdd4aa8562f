// The media views: an uncompressed AVI written through the platform's AVI library played in the
// video window, the media player control's calls (the platform's control, and a fake one that
// records them), and the browser view (the platform's browser, and a fake one that reports what
// the view allows it to fetch and run).
#include "preview/win/media/AviView.h"
#include "preview/win/media/BrowserView.h"
#include "preview/win/media/MediaPlayerView.h"
#include "tests/preview/win/FakeControls.h"
#include "tests/preview/win/PreviewHarness.h"

#include <gtest/gtest.h>

#include <exdisp.h>
#include <mshtmdid.h>
#include <vfw.h>

#include <vector>

namespace morvick::test {
namespace {

bool ShowsPlaceholder()
{
    CView* placeholder = Harness().pane->Viewer(kViewerNoPreview);
    return placeholder != NULL && ::IsWindowVisible(placeholder->GetSafeHwnd());
}

// The messages a window receives from the moment it is watched until it goes.
class MessageLog {
public:
    explicit MessageLog(HWND hwnd) : m_hwnd(hwnd)
    {
        s_log = this;
        m_old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~MessageLog()
    {
        if (IsWindow(m_hwnd))
            SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_old));
        s_log = nullptr;
    }
    // The position of the first message of the kind, or -1.
    int IndexOf(UINT message) const
    {
        for (size_t i = 0; i < m_messages.size(); ++i)
            if (m_messages[i] == message)
                return static_cast<int>(i);
        return -1;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        MessageLog* log = s_log;
        if (log == nullptr)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        log->m_messages.push_back(message);
        WNDPROC old = log->m_old;
        if (message == WM_NCDESTROY)
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        return CallWindowProcW(old, hwnd, message, wParam, lParam);
    }
    static inline MessageLog* s_log = nullptr;
    HWND m_hwnd;
    WNDPROC m_old = NULL;
    std::vector<UINT> m_messages;
};

TEST(AviView, PlaysAtOnceAndStopsWhenClosed)
{
    // A hundred frames of 32 x 24 pixels, one a second: still playing whatever the load.
    std::wstring path = WriteAvi(L"clip.avi", 32, 24, 100, 1, [](int frame, int, int) {
        return RGB(0xE0, 0x80, frame * 2);
    });
    ASSERT_FALSE(path.empty());
    Preview(path, L".avi");
    CAviView* view = dynamic_cast<CAviView*>(Harness().pane->Viewer(kViewerAvi));
    ASSERT_NE(view, nullptr);
    HWND video = view->GetMciWindow();
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(GetParent(video), view->GetSafeHwnd());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(video, GWL_STYLE)) & 0x50000008u, 0x50000008u);
    EXPECT_EQ(MCIWndGetLength(video), 100);
    EXPECT_EQ(MCIWndGetMode(video, NULL, 0), MCI_MODE_PLAY);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    // Closed, the view stops the video before the window goes.
    MessageLog log(video);
    Harness().pane->CloseViewers();
    EXPECT_FALSE(IsWindow(video));
    int stop = log.IndexOf(MCI_STOP);
    EXPECT_GE(stop, 0);
    EXPECT_LT(stop, log.IndexOf(WM_DESTROY));
}

TEST(MediaView, ThePlatformsPlayerIsDrivenWithoutHarm)
{
    Preview(WriteWave(L"sound.wav"), L".wav");
    CMyMedia* view = dynamic_cast<CMyMedia*>(Harness().pane->Viewer(kViewerMedia));
    ASSERT_NE(view, nullptr);
    // Whether the player can play here or not, the view stays and is closed cleanly.
    Harness().pane->CloseViewers();
}

TEST(MediaView, ThePlayersCallsThroughItsDispatchInterface)
{
    FakeControlClass player(CWMPPlayer4::clsid);
    ASSERT_TRUE(player.Registered());
    player.Log().answer = [](DISPID id, VARIANT* result) {
        if (id == 18) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(L"12.0");
        }
    };
    std::wstring path = WriteWave(L"sound.wav");
    Preview(path, L".wav");
    CMyMedia* view = dynamic_cast<CMyMedia*>(Harness().pane->Viewer(kViewerMedia));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    const FakeControlLog& log = player.Log();
    ASSERT_EQ(log.calls.size(), 4u);
    EXPECT_EQ(log.calls[0].id, 1);
    EXPECT_EQ(log.calls[0].flags, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(CString(log.calls[0].arguments.at(0).c_str()), CString(path.c_str()).MakeLower());
    EXPECT_EQ(log.calls[1].id, 2);
    EXPECT_EQ(log.calls[2].id, 10);
    EXPECT_EQ(log.calls[3].id, 18);
    // The control takes the whole view once the pane sizes it.
    EXPECT_EQ(view->Player().GetDlgCtrlID(), CMyMedia::IDC_PLAYER);
    CRect client, control;
    view->GetClientRect(&client);
    view->Player().GetWindowRect(&control);
    EXPECT_EQ(control.Size(), client.Size());
    Harness().pane->CloseViewers();
    ASSERT_EQ(log.calls.size(), 5u);
    EXPECT_EQ(log.calls[4].id, 3);  // close
    EXPECT_EQ(log.closed, 1);

    // A file that cannot be read is never handed to the player: the placeholder.
    Harness().pane->CloseViewers();
    size_t before = log.calls.size();
    Preview(TempFile(L"gone.mp3"), L".mp3");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    Harness().pane->CloseViewers();
    ASSERT_GE(log.calls.size(), before);
    for (size_t i = before; i < log.calls.size(); ++i)
        EXPECT_NE(log.calls[i].id, 1) << "URL handed over";

    // A player that fails: the placeholder.
    player.Log().failCalls = true;
    Preview(path, L".mp3");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
}

TEST(BrowserView, ACoverTakesTheFocusAndLeavesAStripOfTheBrowser)
{
    std::wstring page = TempFile(L"page.htm");
    const char html[] = "<html><body><p>Recovered page</p><script>document.title='ran'</script></body></html>";
    WriteBytes(page, std::vector<uint8_t>(html, html + sizeof html - 1));
    Preview(page, L".htm");
    CHtml_View* view = dynamic_cast<CHtml_View*>(Harness().pane->Viewer(kViewerHtml));
    ASSERT_NE(view, nullptr);
    EXPECT_NE(view->GetApplication(), nullptr);
    EXPECT_NE(view->GetStyle() & WS_CLIPCHILDREN, 0u);
    CDialog* cover = view->GetCoverDialog();
    ASSERT_NE(cover, nullptr);
    EXPECT_TRUE(IsWindowVisible(cover->GetSafeHwnd()));
    EXPECT_NE(cover->GetExStyle() & WS_EX_TRANSPARENT, 0u);
    CRect client, covered;
    view->GetClientRect(&client);
    cover->GetWindowRect(&covered);
    view->ScreenToClient(&covered);
    EXPECT_EQ(covered.left, 0);
    EXPECT_EQ(covered.top, 0);
    EXPECT_EQ(covered.Width(), client.Width() - 8);
    EXPECT_EQ(covered.Height(), client.Height() - 8);
    // After every resize the focus is on the cover, not on the page.
    CRect pane;
    Harness().pane->GetWindowRect(&pane);
    Harness().frame->ScreenToClient(&pane);
    Harness().pane->MoveWindow(pane.left, pane.top, pane.Width(), pane.Height() - 10, TRUE);
    HWND focus = GetFocus();
    Harness().pane->MoveWindow(&pane, TRUE);
    EXPECT_TRUE(focus == cover->GetSafeHwnd() || IsChild(cover->GetSafeHwnd(), focus));
    // A point in the bottom strip lies on the browser, one elsewhere on the cover.
    CPoint inStrip(client.Width() / 2, client.Height() - 3), inside(client.Width() / 2, client.Height() / 2);
    EXPECT_EQ(ChildWindowFromPointEx(view->GetSafeHwnd(), inside, CWP_SKIPINVISIBLE), cover->GetSafeHwnd());
    EXPECT_EQ(ChildWindowFromPointEx(view->GetSafeHwnd(), inStrip, CWP_SKIPINVISIBLE),
        view->GetBrowserWindow()->GetSafeHwnd());
}

TEST(BrowserView, PagesAreShownOfflineWithoutScriptsJavaOrControls)
{
    const DWORD flags = CHtml_View::DownloadControl();
    EXPECT_NE(flags & DLCTL_NO_SCRIPTS, 0u);
    EXPECT_NE(flags & DLCTL_NO_JAVA, 0u);
    EXPECT_NE(flags & DLCTL_NO_RUNACTIVEXCTLS, 0u);
    EXPECT_NE(flags & DLCTL_NO_DLACTIVEXCTLS, 0u);
    EXPECT_NE(flags & DLCTL_FORCEOFFLINE, 0u);
    EXPECT_NE(flags & DLCTL_DLIMAGES, 0u);
    // The control hosted for the view is told so through its site.
    FakeControlClass browser(CLSID_WebBrowser);
    ASSERT_TRUE(browser.Registered());
    Preview(TempFile(L"page.htm"), L".htm");
    EXPECT_EQ(browser.Log().created, 1);
    EXPECT_TRUE(browser.Log().ambientAsked);
    EXPECT_EQ(static_cast<DWORD>(browser.Log().ambientDownloadControl), flags);
    // That control is no browser: the view cannot be made and the placeholder shows.
    EXPECT_TRUE(ShowsPlaceholder());
}

}  // namespace
}  // namespace morvick::test
