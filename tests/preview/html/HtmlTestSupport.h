// Stand-ins for the renderer's platform in native tests and the fuzzer: fixed text metrics (every
// character is half the font height wide), pictures described by their bytes ("PIC w h"), a host
// that records what the page asks of it, and a canvas that records what is painted.
#pragma once

#include "preview/html/HtmlCanvas.h"
#include "preview/html/HtmlDevice.h"
#include "preview/html/HtmlHost.h"
#include "preview/html/HtmlImage.h"
#include "preview/html/HtmlPage.h"
#include "tests/support/StateWait.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace morvick::test {

class FixedMeasurer : public CHtmlMeasurer {
public:
    HtmlTextSize MeasureText(const wchar_t*, int height, int, int, const wchar_t*, int length) override
    {
        return HtmlTextSize{length * CharWidth(height), height};
    }
    int ScrollArrowWidth() override { return 16; }
    static int CharWidth(int height) { return height / 2 > 0 ? height / 2 : 1; }
};

class FakeBitmap : public CHtmlBitmap {
public:
    FakeBitmap(int w, int h, bool placeholder) : m_w(w), m_h(h), m_placeholder(placeholder) {}
    int Width() const override { return m_w; }
    int Height() const override { return m_h; }
    bool IsPlaceholder() const { return m_placeholder; }

private:
    int m_w, m_h;
    bool m_placeholder;
};

class FakeDecoder : public CHtmlPictureDecoder {
public:
    std::unique_ptr<CHtmlBitmap> DecodePicture(const uint8_t* data, size_t size, const wchar_t*) override
    {
        std::string text(reinterpret_cast<const char*>(data), size);
        int w = 0, h = 0;
        if (std::sscanf(text.c_str(), "PIC %d %d", &w, &h) != 2 || w <= 0 || h <= 0)
            return nullptr;
        return std::make_unique<FakeBitmap>(w, h, false);
    }
    std::unique_ptr<CHtmlBitmap> CreatePlaceholder(int width, int height) override
    {
        return std::make_unique<FakeBitmap>(width, height, true);
    }
};

// Serves pictures from a map of URL -> bytes; a URL in `blocked` waits until Release() (or, should
// nothing release it, gives up after the wait for a state that is sure to come, so that a close that
// waits for its fetches ends, and is told by Finished()).
class FakeSource : public CHtmlResourceSource {
public:
    int FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes) override
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        ++m_fetches[url];
        ++m_running;
        m_maxRunning = m_running > m_maxRunning ? m_running : m_maxRunning;
        m_changed.notify_all();
        m_changed.wait_for(lock, kStateWait, [&] { return !m_blockAll && m_blocked.count(url) == 0; });
        --m_running;
        ++m_finished;
        m_changed.notify_all();
        auto it = m_files.find(url);
        if (it == m_files.end())
            return 0;
        bytes->assign(it->second.begin(), it->second.end());
        return 1;
    }
    void Put(const std::wstring& url, const std::string& bytes)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_files[url] = bytes;
    }
    void Block(const std::wstring& url)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_blocked[url] = 1;
    }
    void BlockAll(bool on)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_blockAll = on;
        m_changed.notify_all();
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_blocked.clear();
        m_blockAll = false;
        m_changed.notify_all();
    }
    // Waits until `count` fetches run at once (false only on a hang).
    bool WaitRunning(int count)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, kStateWait, [&] { return m_running >= count; });
    }
    // Waits until no fetch runs (false only on a hang).
    bool WaitIdle()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, kStateWait, [&] { return m_running == 0; });
    }
    // The fetches that have returned, released or not.
    int Finished()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_finished;
    }
    int Fetches(const std::wstring& url)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_fetches[url];
    }
    int MaxRunning()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_maxRunning;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::wstring, std::string> m_files;
    std::map<std::wstring, int> m_blocked;
    std::map<std::wstring, int> m_fetches;
    bool m_blockAll = false;
    int m_running = 0;
    int m_maxRunning = 0;
    int m_finished = 0;
};

struct CreatedControl {
    std::wstring kind;  // "edit", "button", "radio", "check", "combo"
    int width = 0, height = 0;
    std::wstring text, name;
    int form = -1;
    int limit = -1, multiLine = 0, password = 0, selected = -1;
    std::vector<std::pair<std::wstring, std::wstring>> options;
};

class RecordingHost : public CHtmlHost {
public:
    void OnParseProgress(int phase, int current, int total) override
    {
        if (phase == 0) {
            ++parseReports;
            parsePositions.push_back(current);
        }
        lastProgress = current;
        lastTotal = total;
    }
    void Navigate(const wchar_t* url) override { navigations.push_back(url); }
    void OnLinkHover(int overLink, const wchar_t* url) override
    {
        hovers.push_back((overLink ? L"1 " : L"0 ") + std::wstring(url));
    }
    void SetTitle(const wchar_t* text) override { title = text; }
    int FetchPage(const wchar_t*, std::wstring*) override { return 0; }
    int FetchResource(const wchar_t*, std::vector<uint8_t>*) override { return 0; }
    void OnImageLoaded(int done, int total) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        loaded.push_back(std::to_wstring(done) + L"/" + std::to_wstring(total));
    }
    int AddFormField(const wchar_t* action, const wchar_t* method) override
    {
        forms.push_back(std::wstring(action) + L" " + method);
        return static_cast<int>(forms.size()) - 1;
    }
    HtmlControl CreateEdit(int hasLimit, int limit, int width, int height, const wchar_t* text, int multiLine,
        const wchar_t* name, int formIndex, int password) override
    {
        CreatedControl c = Base(L"edit", width, height, text, name, formIndex);
        c.limit = hasLimit ? limit : -1;
        c.multiLine = multiLine;
        c.password = password;
        return Add(c);
    }
    HtmlControl CreateButton(int width, int height, const wchar_t* text, const wchar_t* name, int formIndex) override
    {
        return Add(Base(L"button", width, height, text, name, formIndex));
    }
    HtmlControl CreateRadioButton(int width, int height, const wchar_t* text, const wchar_t* name,
        int formIndex) override
    {
        return Add(Base(L"radio", width, height, text, name, formIndex));
    }
    HtmlControl CreateCheckBox(int width, int height, const wchar_t* text, const wchar_t* name, int formIndex) override
    {
        return Add(Base(L"check", width, height, text, name, formIndex));
    }
    HtmlControl CreateComboBox(int width, int height, const CHtmlStringTable& options, int selectedIndex,
        const wchar_t* name, int formIndex) override
    {
        CreatedControl c = Base(L"combo", width, height, L"", name, formIndex);
        c.selected = selectedIndex;
        for (int r = 0; r < options.GetRowCount(); ++r)
            c.options.emplace_back(options.GetCell(r, 0), options.GetCell(r, 1));
        return Add(c);
    }
    void MoveControl(HtmlControl control, int x, int y) override { moves[control] = std::make_pair(x, y); }
    void InvalidatePageRect(const HtmlRect& rect) override { invalidated.push_back(rect); }
    void OnOutOfMemory() override { ++outOfMemory; }

    std::mutex mutex;
    int parseReports = 0, lastProgress = 0, lastTotal = 0;
    std::vector<int> parsePositions;
    std::vector<std::wstring> navigations, hovers, forms, loaded;
    std::wstring title;
    std::vector<CreatedControl> controls;
    std::map<HtmlControl, std::pair<int, int>> moves;
    std::vector<HtmlRect> invalidated;
    int outOfMemory = 0;

private:
    static CreatedControl Base(const wchar_t* kind, int w, int h, const wchar_t* text, const wchar_t* name, int form)
    {
        CreatedControl c;
        c.kind = kind;
        c.width = w;
        c.height = h;
        c.text = text;
        c.name = name;
        c.form = form;
        return c;
    }
    HtmlControl Add(const CreatedControl& c)
    {
        controls.push_back(c);
        return static_cast<HtmlControl>(100 + controls.size());
    }
};

struct PaintOp {
    std::string op;  // "fill", "text", "line", "draw", "stretch", "tile"
    HtmlRect rect;
    std::wstring text;
    HtmlColour colour = 0;
    HtmlFont font;
    std::wstring face;
};

class RecordingCanvas : public CHtmlCanvas {
public:
    void FillRect(const HtmlRect& rect, HtmlColour colour) override { Add("fill", rect, L"", colour); }
    void PaintText(int x, int y, const wchar_t* text, int length, const HtmlFont& font, HtmlColour colour) override
    {
        PaintOp& op = Add("text", HtmlRect{x, y, x, y}, std::wstring(text, static_cast<size_t>(length)), colour);
        op.font = font;
        op.face = font.face;
    }
    void DrawLine(int x1, int y1, int x2, int y2, HtmlColour colour) override
    {
        Add("line", HtmlRect{x1, y1, x2, y2}, L"", colour);
    }
    void DrawBitmap(const CHtmlBitmap&, int x, int y, int w, int h) override
    {
        Add("draw", HtmlRect{x, y, x + w, y + h}, L"", 0);
    }
    void StretchBitmap(const CHtmlBitmap&, const HtmlRect& rect) override { Add("stretch", rect, L"", 0); }
    void TileBitmap(const CHtmlBitmap& b, const HtmlRect& area, int ox, int oy) override
    {
        PaintOp& op = Add("tile", area, L"", 0);
        op.font.height = ox;  // the origin, kept in spare fields
        op.font.bold = oy;
        (void)b;
    }
    const PaintOp* FindText(const std::wstring& text) const
    {
        for (const PaintOp& op : ops)
            if (op.op == "text" && op.text == text)
                return &op;
        return nullptr;
    }
    std::vector<PaintOp> ops;

private:
    PaintOp& Add(const char* name, const HtmlRect& rect, const std::wstring& text, HtmlColour colour)
    {
        PaintOp op;
        op.op = name;
        op.rect = rect;
        op.text = text;
        op.colour = colour;
        ops.push_back(op);
        return ops.back();
    }
};

// A page with the stand-ins, loaded from markup at a base URL.
struct TestPage {
    explicit TestPage(std::shared_ptr<FakeSource> source = std::make_shared<FakeSource>())
        : source(source), page(&host, 0, &measurer, &decoder, source)
    {}
    void Load(const std::wstring& markup, const wchar_t* base = L"file://C:\\pages\\page.html", int size = 10)
    {
        page.Load(markup, L"Arial", size, 0, base);
    }
    // Lays out in a client rectangle of the width (the page gets width - 2); the extent.
    HtmlRect Layout(int width, int height = 400)
    {
        HtmlRect r{0, 0, width, height};
        page.Layout(r);
        return r;
    }
    RecordingHost host;
    FixedMeasurer measurer;
    FakeDecoder decoder;
    std::shared_ptr<FakeSource> source;
    CHtmlPage page;
};

// Waits, on the list's own signal, until every picture of the list was fetched (and decodes it).
inline void WaitForPictures(CHtmlImageList& list)
{
    for (int i = 0; i < list.GetCount(); ++i)
        list.GetAt(i)->Decode(1);
}

// Every box of a list, depth first, in order.
inline void CollectBoxes(const HtmlBoxList& boxes, std::vector<const CHtmlBox*>& out)
{
    for (const auto& box : boxes) {
        out.push_back(box.get());
        CollectBoxes(box->children, out);
    }
}

// The text boxes' texts joined, with "|" for line breaks, "-" for rules and "[" "]" around
// containers.
inline std::wstring Outline(const HtmlBoxList& boxes)
{
    std::wstring s;
    for (const auto& box : boxes) {
        switch (box->kind) {
        case kBoxText:
            s += box->control != kHtmlNoControl ? L"#" : box->text;
            break;
        case kBoxImage:
            s += L"<img>";
            break;
        case kBoxBreak:
            s += box->IsRule() ? L"-" : L"|";
            break;
        case kBoxContainer:
            s += L"[" + Outline(box->children) + L"]";
            break;
        default:
            break;
        }
    }
    return s;
}

// The first text box with the text, or null.
inline const CHtmlBox* FindWord(const HtmlBoxList& boxes, const std::wstring& text)
{
    std::vector<const CHtmlBox*> all;
    CollectBoxes(boxes, all);
    for (const CHtmlBox* b : all)
        if (b->kind == kBoxText && b->text == text)
            return b;
    return nullptr;
}

}  // namespace morvick::test
