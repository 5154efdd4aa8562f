// The cleaning pass of a page load.
#include "preview/html/HtmlEntities.h"
#include "preview/html/HtmlPage.h"
#include "preview/html/HtmlParser.h"
#include "preview/html/HtmlTags.h"
#include "preview/html/HtmlText.h"
#include "preview/html/HtmlUrl.h"

namespace {

// The longest title handed to the host.
constexpr size_t kMaxTitle = 1024;

// True when a tag named `name` (with its "<") starts at text[at], followed by the end, white space
// or ">".
bool IsTagAt(const wchar_t* text, size_t at, size_t end, const wchar_t* name)
{
    if (!HtmlStartsWithNoCase(text, at, end, name))
        return false;
    size_t after = at;
    while (name[after - at] != 0)
        ++after;
    return after >= end || HtmlIsSpace(text[after]) || text[after] == L'>';
}

// Past the ">" of the tag at `close`, or the end when there is no such tag.
size_t PastClose(const wchar_t* text, size_t close, size_t end)
{
    return close >= end ? end : HtmlSkipTag(text, close, end);
}

}  // namespace

std::wstring CleanHtml(const std::wstring& source, bool allPreformatted, CHtmlPage& page, const std::wstring& baseUrl)
{
    const wchar_t* t = source.c_str();
    const size_t n = source.size();
    std::wstring out;
    out.reserve(n);
    int preformatted = 0;
    bool lastSpace = false;
    CHtmlStringTable attributes;
    size_t i = 0;
    while (i < n) {
        wchar_t c = t[i];
        if (c == L'<') {
            if (IsTagAt(t, i, n, L"<script")) {
                i = PastClose(t, HtmlFindNoCase(t, i, n, L"</script"), n);
            } else if (HtmlStartsWithNoCase(t, i, n, L"<!--")) {
                size_t close = HtmlFindNoCase(t, i + 4, n, L"-->");
                i = close >= n ? n : close + 3;
            } else if (IsTagAt(t, i, n, L"<title")) {
                // Past its ">", not 7 characters: attributes would join the title, a "<title" at the end read past it.
                size_t from = HtmlSkipTag(t, i, n);
                while (from < n && HtmlIsSpace(t[from]))
                    ++from;
                size_t close = HtmlFindNoCase(t, from, n, L"</title");
                size_t to = close;
                while (to > from && HtmlIsSpace(t[to - 1]))
                    --to;
                std::wstring title(t + from, to - from < kMaxTitle ? to - from : kMaxTitle);
                DecodeEntities(title);
                RepairUtf8Latin1(title);
                if (page.Host() != nullptr)
                    page.Host()->SetTitle(title.c_str());
                i = PastClose(t, close, n);
            } else if (IsTagAt(t, i, n, L"<style")) {
                size_t close = HtmlFindNoCase(t, i, n, L"</style");
                i = close >= n ? HtmlSkipTag(t, i, n) : HtmlSkipTag(t, close, n);
            } else if (IsTagAt(t, i, n, L"<body")) {
                ScanAttributes(t, i, n, attributes);
                if (const wchar_t* colour = HtmlAttribute(attributes, L"bgcolor"))
                    page.SetBackground(ParseHtmlColour(colour));
                const wchar_t* picture = HtmlAttribute(attributes, L"background");
                if (picture != nullptr && *picture != 0) {
                    std::wstring url = ResolveUrl(picture, baseUrl);
                    page.SetBackgroundImage(page.Images().Add(url, 1));
                }
                i = HtmlSkipTag(t, i, n);
            } else {
                int tag = HtmlMatchTag(t, i, n);
                size_t next = HtmlSkipTag(t, i, n);
                if (tag >= 0) {
                    if (tag == kTagPre)
                        ++preformatted;
                    if (tag == kTagEndPre && preformatted > 0)
                        --preformatted;
                    out.append(t + i, next - i);
                    lastSpace = false;
                }
                i = next;
            }
            continue;
        }
        if (!allPreformatted && preformatted == 0 && HtmlIsSpace(c)) {
            if (!out.empty() && !lastSpace)
                out += L' ';
            lastSpace = true;
            ++i;
            continue;
        }
        out += c;
        lastSpace = false;
        ++i;
    }
    return out;
}
