// The tag parser: text runs, inline styles, links, fonts, headings and breaks. Tables, lists and
// blocks are in HtmlParserBlocks.cpp, forms in HtmlParserForms.cpp.
#include "preview/html/HtmlParser.h"

#include "preview/html/HtmlEntities.h"
#include "preview/html/HtmlPage.h"
#include "preview/html/HtmlTags.h"
#include "preview/html/HtmlText.h"
#include "preview/html/HtmlUrl.h"

#include <algorithm>

namespace {

constexpr HtmlColour kLinkColour = HtmlRgb(0, 0, 255);

int ClampFont(long long size)
{
    return HtmlClamp(size, 1, kHtmlMaxFontHeight);
}

}  // namespace

CHtmlParser::CHtmlParser(CHtmlPage& page, const std::wstring& text, const std::wstring& baseUrl)
    : m_page(page), m_text(text), m_t(text.c_str()), m_baseUrl(baseUrl)
{
    IndexTags();
}

const wchar_t* CHtmlParser::Attribute(const wchar_t* name) const
{
    return HtmlAttribute(m_attributes, name);
}

int CHtmlParser::NumberAttribute(const wchar_t* name, int fallback, int lo, int hi, int* percent) const
{
    if (percent != nullptr)
        *percent = 0;
    const wchar_t* value = Attribute(name);
    long long number = 0;
    if (value == nullptr || !HtmlParseNumber(value, &number))
        return fallback;
    for (const wchar_t* p = value; percent != nullptr && *p != 0; ++p) {
        if (*p == L'%')
            *percent = 1;
    }
    return HtmlClamp(number, lo, hi);
}

std::wstring CHtmlParser::DecodedAttribute(const wchar_t* name) const
{
    const wchar_t* value = Attribute(name);
    std::wstring text = value != nullptr ? value : L"";
    DecodeEntities(text);
    RepairUtf8Latin1(text);
    return text;
}

std::wstring CHtmlParser::ResolvedAttribute(const wchar_t* name) const
{
    const wchar_t* value = Attribute(name);
    if (value == nullptr || *value == 0)
        return std::wstring();
    std::wstring link = value;
    // References decoded before the address is resolved: "a.html?x=1&amp;y=2" would otherwise ask
    // for a different address than the page's author wrote.
    DecodeEntities(link);
    return ResolveUrl(link, m_baseUrl);
}

void CHtmlParser::PictureSize(int* width, int* height) const
{
    int percent = 0;
    *width = NumberAttribute(L"width", 0, 0, kHtmlMaxPixels, &percent);
    if (percent)
        *width = -std::min(*width, 100);
    *height = NumberAttribute(L"height", 0, 0, kHtmlMaxPixels, &percent);
    if (percent)
        *height = 0;
}

bool CHtmlParser::CanNest(const Call& call) const
{
    return call.level + 1 < kHtmlMaxNesting;
}

void CHtmlParser::ReportProgress(const Call& call, size_t at)
{
    if (call.level != 0 || m_page.Host() == nullptr)
        return;
    m_page.Host()->OnParseProgress(0, static_cast<int>(at), static_cast<int>(m_text.size()));
}

void CHtmlParser::AddBox(Call& call, std::unique_ptr<CHtmlBox> box)
{
    if (box->kind == kBoxText && box->control == kHtmlNoControl) {
        call.column += static_cast<int>(box->text.size());
    } else {
        call.column = 0;
    }
    m_page.AppendBox(call.boxes, std::move(box));
}

void CHtmlParser::AddText(Call& call, const std::wstring& text)
{
    const HtmlTextStyle& s = call.style;
    int decoration = 0;
    int lineWidth = 0;
    HtmlColour colour = s.colour;
    if (s.inLink || s.underline) {
        decoration = kEdgeBottom;
        lineWidth = 1;
    }
    if (s.inLink)
        colour = kLinkColour;
    if (s.strike) {
        decoration |= kEdgeMiddle;
        lineWidth = 1;
    }
    int align = s.centre ? kAlignCentre : call.align;
    int drawSize = s.sub || s.sup ? ClampFont(s.size * 2 / 3) : s.size;
    int measureSize = s.sub ? drawSize : s.size;
    AddBox(call,
        m_page.CreateTextBox(text, decoration, lineWidth, colour, s.face, drawSize, s.bold, s.italic, colour,
            kHtmlNoColour, align, measureSize, s.inLink ? s.link : -1, call.preformatted));
}

int CHtmlParser::TextHeight(const Call& call)
{
    return m_page
        .MeasureText(m_page.FaceIndex(call.style.face), call.style.size, call.style.bold, call.style.italic, L" ", 1)
        .cy;
}

void CHtmlParser::AddBreak(Call& call, int clear)
{
    int align = call.style.centre ? kAlignCentre : call.align;
    AddBox(call, m_page.CreateBreakBox(TextHeight(call), 0, align, clear));
}

void CHtmlParser::AddParagraphBreak(Call& call, bool spaceAlways)
{
    if (spaceAlways || call.style.textFlag)
        AddSpace(call);
    AddBreak(call);
}

void CHtmlParser::IndexTags()
{
    static const int kPairs[][2] = {{kTagTable, kTagEndTable}, {kTagUl, kTagEndUl}, {kTagOl, kTagEndOl},
        {kTagPre, kTagEndPre}, {kTagBlockquote, kTagEndBlockquote}, {kTagDiv, kTagEndDiv}};
    std::vector<size_t> open[sizeof kPairs / sizeof kPairs[0]];
    const size_t n = m_text.size();
    for (size_t i = 0; i < n; ++i) {
        if (m_t[i] != L'<')
            continue;
        int tag = HtmlMatchTag(m_t, i, n);
        if (tag < 0)
            continue;
        m_tags.push_back(TagEntry{i, tag, kNoPartner});
        size_t index = m_tags.size() - 1;
        for (size_t k = 0; k < sizeof kPairs / sizeof kPairs[0]; ++k) {
            if (tag == kPairs[k][0])
                open[k].push_back(index);
            if (tag == kPairs[k][1] && !open[k].empty()) {
                m_tags[open[k].back()].partner = index;
                m_tags[index].partner = open[k].back();
                open[k].pop_back();
            }
        }
    }
}

size_t CHtmlParser::FirstEntryFrom(size_t pos) const
{
    size_t lo = 0, hi = m_tags.size();
    while (lo < hi) {
        size_t mid = lo + (hi - lo) / 2;
        if (m_tags[mid].pos < pos) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

size_t CHtmlParser::FindClose(size_t openAt, size_t end) const
{
    size_t i = FirstEntryFrom(openAt);
    if (i >= m_tags.size() || m_tags[i].pos != openAt || m_tags[i].partner == kNoPartner)
        return end;
    size_t close = m_tags[m_tags[i].partner].pos;
    return close < end && close > openAt ? close : end;
}

size_t CHtmlParser::FindNextAtDepth0(size_t from, size_t end, const int* tags, int count, bool skipLists) const
{
    for (size_t i = FirstEntryFrom(from); i < m_tags.size() && m_tags[i].pos < end; ++i) {
        const TagEntry& e = m_tags[i];
        bool nests = e.tag == kTagTable || (skipLists && (e.tag == kTagUl || e.tag == kTagOl));
        if (nests) {
            // What is inside a nested table (or list) is its own; unclosed, it holds the rest.
            if (e.partner == kNoPartner || e.partner < i)
                return end;
            i = e.partner;
            continue;
        }
        for (int k = 0; k < count; ++k) {
            if (e.tag == tags[k])
                return e.pos;
        }
    }
    return end;
}

void CHtmlParser::ParseHtml(size_t begin, size_t end, HtmlBoxList& boxes, const std::wstring& baseFace, int baseSize,
    HtmlColour baseColour, int align, int level, int preformatted)
{
    Call call{boxes, baseFace, ClampFont(baseSize), baseColour, align, level, preformatted, HtmlTextStyle{}};
    call.style.face = baseFace;
    call.style.size = call.baseSize;
    call.style.colour = baseColour;
    m_page.NoteLevel(level);
    if (end > m_text.size())
        end = m_text.size();

    size_t i = begin;
    // Only outside preformatted text: skipping there takes a text file's first blank lines and a block's indent.
    if (!preformatted) {
        while (i < end && HtmlIsSpace(m_t[i]))
            ++i;
    }
    while (i < end && !m_page.Full()) {
        ReportProgress(call, i);
        wchar_t c = m_t[i];
        if (c == L'<') {
            int tag = HtmlMatchTag(m_t, i, end);
            size_t next = tag < 0 ? HtmlSkipTag(m_t, i, end) : ParseTag(call, tag, i, end);
            i = next > i ? next : i + 1;
            continue;
        }
        if (HtmlIsSpace(c)) {
            if (!preformatted) {
                AddSpace(call);
                while (i < end && HtmlIsSpace(m_t[i]))
                    ++i;
                continue;
            }
            if (c == L' ') {
                AddSpace(call);
            } else if (c == L'\t') {
                int fill = 5 - call.column % 5;
                AddText(call, std::wstring(static_cast<size_t>(fill), L' '));
            } else {
                if (c == L'\r' && i + 1 < end && m_t[i + 1] == L'\n')
                    ++i;
                AddBreak(call);
            }
            ++i;
            continue;
        }
        size_t j = i;
        while (j < end && !HtmlIsSpace(m_t[j]) && m_t[j] != L'<')
            ++j;
        AddText(call, std::wstring(m_t + i, j - i));
        call.style.textFlag = 1;
        i = j;
    }
}

size_t CHtmlParser::ParseTag(Call& call, int tag, size_t at, size_t end)
{
    HtmlTextStyle& s = call.style;
    size_t next = HtmlSkipTag(m_t, at, end);
    switch (tag) {
    case kTagI:
        s.italic = 1;
        break;
    case kTagEndI:
        s.italic = 0;
        break;
    case kTagB:
    case kTagStrong:
        s.bold = 1;
        break;
    case kTagEndB:
    case kTagEndStrong:
        s.bold = 0;
        break;
    case kTagU:
        s.underline = 1;
        break;
    case kTagEndU:
        s.underline = 0;
        break;
    case kTagSmall:
        s.size = ClampFont(s.size - s.size / 3);
        break;
    case kTagBig:
        s.size = ClampFont(s.size + s.size / 3);
        break;
    case kTagEndSmall:
    case kTagEndBig:
        s.size = call.baseSize;
        break;
    case kTagSub:
        s.sub = 1;
        break;
    case kTagEndSub:
        s.sub = 0;
        break;
    case kTagSup:
        s.sup = 1;
        break;
    case kTagEndSup:
        s.sup = 0;
        break;
    case kTagStrike:
        s.strike = 1;
        break;
    case kTagEndStrike:
        s.strike = 0;
        break;
    case kTagA: {
        ScanAttributes(m_t, at, end, m_attributes);
        if (Attribute(L"href") != nullptr) {
            s.link = m_page.AddLink(ResolvedAttribute(L"href"));
            s.inLink = 1;
        }
        break;
    }
    case kTagEndA:
        s.inLink = 0;
        s.link = -1;
        break;
    case kTagFont: {
        ScanAttributes(m_t, at, end, m_attributes);
        if (const wchar_t* face = Attribute(L"face"))
            s.face = face;
        if (const wchar_t* colour = Attribute(L"color"))
            s.colour = ParseHtmlColour(colour);
        if (const wchar_t* size = Attribute(L"size")) {
            long long n = 0;
            const wchar_t* p = size;
            while (HtmlIsSpace(*p))
                ++p;
            if (HtmlParseNumber(p, &n) && n != 0) {
                s.size = ClampFont(*p == L'+' || *p == L'-' ? call.baseSize + n : 4 * n + 8);
            }
        }
        break;
    }
    case kTagEndFont:
        s.face = call.baseFace;
        s.size = call.baseSize;
        s.colour = call.baseColour;
        break;
    case kTagH1:
    case kTagH2:
    case kTagH3:
        AddSpace(call);
        AddBreak(call);
        AddSpace(call);
        s.size = ClampFont(tag == kTagH1 ? s.size * 2 : tag == kTagH2 ? s.size + s.size / 2 : s.size + s.size / 3);
        s.bold = 1;
        break;
    case kTagEndH1:
    case kTagEndH2:
    case kTagEndH3:
        AddParagraphBreak(call, false);
        s.size = call.baseSize;
        s.bold = 0;
        break;
    case kTagBr: {
        ScanAttributes(m_t, at, end, m_attributes);
        AddSpace(call);
        AddBreak(call, Attribute(L"clear") != nullptr ? 1 : 0);
        break;
    }
    case kTagP:
    case kTagDiv: {
        ScanAttributes(m_t, at, end, m_attributes);
        const wchar_t* a = Attribute(L"align");
        int align = -1;
        if (a != nullptr) {
            if (HtmlEqualNoCase(a, L"left"))
                align = kAlignLeft;
            if (HtmlEqualNoCase(a, L"right"))
                align = kAlignRight;
            if (HtmlEqualNoCase(a, L"center") || HtmlEqualNoCase(a, L"middle"))
                align = kAlignCentre;
            if (HtmlEqualNoCase(a, L"justify"))
                align = kAlignJustify;
        }
        bool hadText = s.textFlag != 0;
        AddParagraphBreak(call, false);
        if (tag == kTagP) {
            if (hadText)
                AddParagraphBreak(call, true);
            s.textFlag = 0;
        }
        if (align >= 0 && CanNest(call))
            return ParseAlignedBlock(call, tag, align, at, next, end);
        break;
    }
    case kTagEndDiv:
        AddParagraphBreak(call, false);
        break;
    case kTagCenter:
    case kTagEndCenter:
        AddParagraphBreak(call, false);
        s.centre = tag == kTagCenter;
        break;
    case kTagHr: {
        if (s.textFlag)
            AddSpace(call);
        int align = s.centre ? kAlignCentre : call.align;
        AddBox(call, m_page.CreateBreakBox(2, 1, align, 0));
        AddSpace(call);
        AddBreak(call);
        break;
    }
    case kTagImg:
        return ParseImage(call, at, end);
    case kTagTable:
        return CanNest(call) ? ParseTable(call, at, end) : next;
    case kTagUl:
    case kTagOl:
        return CanNest(call) ? ParseList(call, tag, at, end) : next;
    case kTagBlockquote:
        return CanNest(call) ? ParseSingleCell(call, at, end, 15, s.face, call.preformatted) : next;
    case kTagPre:
        return CanNest(call) ? ParseSingleCell(call, at, end, 0, L"Courier New", 1) : next;
    case kTagForm:
        return ParseForm(call, at, end);
    case kTagEndForm:
        m_page.SetFormIndex(-1);
        break;
    case kTagInput:
        return ParseInput(call, at, end);
    case kTagSelect:
        return ParseSelect(call, at, end);
    case kTagTextarea:
        return ParseTextarea(call, at, end);
    default:
        // End tags without their start, and the parts of tables and lists met outside them.
        break;
    }
    return next;
}
