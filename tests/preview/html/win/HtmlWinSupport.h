// Helpers of the viewer's Windows tests: pages written to the temporary folder, the viewer shown
// in the pane, waiting on a condition while messages flow, and mouse messages to the canvas.
#pragma once

#include "preview/html/win/CustomHtmlViewer.h"
#include "preview/html/win/HtmlScroll.h"
#include "preview/html/win/HtmlViewerHost.h"
#include "tests/preview/win/PreviewHarness.h"
#include "tests/support/StateWait.h"

#include <functional>
#include <string>

namespace morvick::test {

// Writes text (as single bytes) to a file of the run's temporary folder; its path.
inline std::wstring WritePage(const std::wstring& name, const std::string& text)
{
    std::wstring path = TempFile(name);
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    return path;
}

// Lets messages flow until the condition holds (true) or about `ms` milliseconds passed (false).
inline bool WaitUntil(const std::function<bool()>& condition, DWORD ms = kStateWaitMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (condition())
            return true;
        if (GetTickCount() - start > ms)
            return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
}

// Previews the file in the pane with the HTML viewer; its host, or null.
inline CHtmlViewerHost* ShowHtml(const std::wstring& path)
{
    Preview(path, L".html");
    return CCustomHTMLViewer::Host();
}

inline std::string Narrow(const std::wstring& s)
{
    return std::string(s.begin(), s.end());
}

inline std::wstring WindowTextOf(HWND window)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

inline LPARAM Point(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

// The first text box with the text on the viewer's page, or null.
inline const CHtmlBox* Word(CHtmlViewerHost* host, const std::wstring& text)
{
    std::vector<const CHtmlBox*> stack;
    for (auto& b : host->Page().Boxes())
        stack.push_back(b.get());
    for (size_t i = 0; i < stack.size(); ++i) {
        if (stack[i]->kind == kBoxText && stack[i]->text == text)
            return stack[i];
        for (auto& c : stack[i]->children)
            stack.push_back(c.get());
    }
    return nullptr;
}

}  // namespace morvick::test
