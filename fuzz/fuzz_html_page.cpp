// Loads arbitrary bytes as an HTML page with fixed metrics, lays it out, paints it, selects and hits
// links in it: the cleaning pass, the tag parser, the layout and the painting must never read out
// of bounds, recurse without end, overflow or loop for long.

#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

#include "tests/preview/html/HtmlTestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    using namespace morvick::test;
    if (size < 2)
        return 0;
    int width = 40 + data[0] * 4;
    bool utf16 = data[1] & 1;
    std::wstring text;
    if (utf16) {
        for (size_t i = 2; i + 1 < size; i += 2)
            text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    } else {
        // Markup is mostly ASCII: one character per byte.
        text.assign(data + 2, data + size);
    }
    TestPage t;
    t.Load(text, (data[1] & 2) ? L"file://C:\\dir\\page.txt" : L"file://C:\\dir\\page.html", 8 + (data[1] >> 4));
    // Every picture is fetched before the layout, so that what the layout does depends on the input
    // alone and not on how far the fetch threads got: the same input takes the same path every run.
    WaitForPictures(t.page.Images());
    HtmlRect extent = t.Layout(width);
    RecordingCanvas canvas;
    t.page.Paint(canvas, HtmlRect{0, 0, width, 300}, extent.right / 3, extent.bottom / 3);
    t.page.SetSelection(HtmlRect{width / 4, 10, width, extent.bottom / 2});
    t.page.OnMouseMove(width / 3, 15);
    t.page.OnClick(width / 2, 25);
    t.page.InvalidateImage(0);
    t.Layout(width / 2);
    // The fetch threads end by themselves once their queue is empty; wait for them here, so that
    // the leak check after this input never runs while one is still starting (the sanitizer does
    // not see what a thread that has not started yet holds).
    while (t.page.Images().PoolThreads() > 0)
        std::this_thread::yield();
    return 0;
}
