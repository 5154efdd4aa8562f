// The tag parser's pictures and blocks: floating pictures, tables as runs of cells, lists as tables
// of two columns, block quotes, preformatted blocks and aligned blocks.
#include "preview/html/HtmlPage.h"
#include "preview/html/HtmlParser.h"
#include "preview/html/HtmlTags.h"
#include "preview/html/HtmlText.h"

#include <algorithm>
#include <vector>

namespace {

constexpr HtmlColour kLinkColour = HtmlRgb(0, 0, 255);

int AlignOf(const wchar_t* value, int fallback)
{
    if (value == nullptr)
        return fallback;
    if (HtmlEqualNoCase(value, L"left"))
        return kAlignLeft;
    if (HtmlEqualNoCase(value, L"right"))
        return kAlignRight;
    if (HtmlEqualNoCase(value, L"center") || HtmlEqualNoCase(value, L"middle"))
        return kAlignCentre;
    if (HtmlEqualNoCase(value, L"justify"))
        return kAlignJustify;
    return fallback;
}

int VerticalAlignOf(const wchar_t* value)
{
    if (value == nullptr)
        return kVAlignTop;
    if (HtmlEqualNoCase(value, L"bottom"))
        return kVAlignBottom;
    if (HtmlEqualNoCase(value, L"center") || HtmlEqualNoCase(value, L"middle"))
        return kVAlignMiddle;
    return kVAlignTop;
}

}  // namespace

size_t CHtmlParser::ParseImage(Call& call, size_t at, size_t end)
{
    size_t next = HtmlSkipTag(m_t, at, end);
    ScanAttributes(m_t, at, end, m_attributes);
    std::wstring url = ResolvedAttribute(L"src");
    if (url.empty())
        return next;
    int width = 0, height = 0;
    PictureSize(&width, &height);
    int border = NumberAttribute(L"border", 0, 0, kHtmlMaxBorder);
    const wchar_t* side = Attribute(L"align");
    int floatSide = kFloatNone;
    if (side != nullptr && HtmlEqualNoCase(side, L"left"))
        floatSide = kFloatLeft;
    if (side != nullptr && HtmlEqualNoCase(side, L"right"))
        floatSide = kFloatRight;

    const HtmlTextStyle& s = call.style;
    int align = s.centre ? kAlignCentre : call.align;
    auto box = m_page.CreateImageBox(url, width, height, s.inLink ? s.link : -1, align, 0, border,
        s.inLink ? kLinkColour : s.colour);
    if (floatSide == kFloatNone || !CanNest(call)) {
        AddBox(call, std::move(box));
        return next;
    }
    auto holder = std::make_unique<CHtmlBox>();
    holder->kind = kBoxContainer;
    holder->floatSide = floatSide;
    holder->align = floatSide == kFloatLeft ? kAlignLeft : kAlignRight;
    m_page.AppendBox(holder->children, std::move(box));
    AddBreak(call);
    AddBox(call, std::move(holder));
    AddBreak(call);
    AddBreak(call);
    return next;
}

size_t CHtmlParser::ParseTable(Call& call, size_t at, size_t end)
{
    const HtmlTextStyle& s = call.style;
    size_t contentStart = HtmlSkipTag(m_t, at, end);
    ScanAttributes(m_t, at, end, m_attributes);
    const wchar_t* value = Attribute(L"bgcolor");
    HtmlColour tableBackground = value != nullptr ? ParseHtmlColour(value) : kHtmlNoColour;
    value = Attribute(L"bordercolor");
    HtmlColour borderColour = value != nullptr ? ParseHtmlColour(value) : kEdgeSunken;
    int percent = 0;
    int tableWidth = NumberAttribute(L"width", 0, 0, kHtmlMaxPixels, &percent);
    if (percent)
        tableWidth = -std::min(tableWidth, 100);
    int tableHeight = NumberAttribute(L"height", 0, 0, kHtmlMaxPixels);
    int border = NumberAttribute(L"border", Attribute(L"border") != nullptr ? 1 : 0, 0, kHtmlMaxBorder);
    int padding = NumberAttribute(L"cellpadding", 4, 0, kHtmlMaxPadding);
    int spacing = NumberAttribute(L"cellspacing", 4, 0, kHtmlMaxPadding);
    std::wstring picture = ResolvedAttribute(L"background");
    int tablePicture = picture.empty() ? -1 : m_page.Images().Add(picture, 1);
    int tableAlign = AlignOf(Attribute(L"align"), s.centre ? kAlignCentre : call.align);

    size_t close = FindClose(at, end);
    size_t after = close < end ? HtmlSkipTag(m_t, close, end) : end;
    AddBreak(call);

    int row = -1;
    HtmlColour rowBackground = kHtmlNoColour;
    int rowAlign = -1;
    int column = 0;
    std::vector<int> busyUntil;  // per column: the last row a cell from above covers
    static const int kCellEnds[] = {kTagTd, kTagTh, kTagTr, kTagEndTd, kTagEndTh, kTagEndTr};
    size_t pos = contentStart;
    while (pos < close && !m_page.Full()) {
        size_t lt = pos;
        while (lt < close && m_t[lt] != L'<')
            ++lt;
        if (lt >= close)
            break;
        int tag = HtmlMatchTag(m_t, lt, close);
        size_t past = HtmlSkipTag(m_t, lt, close);
        if (tag == kTagTr) {
            ScanAttributes(m_t, lt, close, m_attributes);
            ++row;
            value = Attribute(L"bgcolor");
            rowBackground = value != nullptr ? ParseHtmlColour(value) : kHtmlNoColour;
            rowAlign = AlignOf(Attribute(L"align"), -1);
            column = 0;
            pos = past;
        } else if (tag == kTagTd || tag == kTagTh) {
            if (row < 0)
                row = 0;
            ScanAttributes(m_t, lt, close, m_attributes);
            int cellPercent = 0;
            int cellWidth = NumberAttribute(L"width", 0, 0, kHtmlMaxPixels, &cellPercent);
            if (cellPercent)
                cellWidth = std::min(cellWidth, 100);
            int cellHeight = NumberAttribute(L"height", 0, 0, kHtmlMaxPixels, &percent);
            if (percent)
                cellHeight = 0;
            value = Attribute(L"bgcolor");
            HtmlColour background = value != nullptr ? ParseHtmlColour(value)
                : rowBackground != kHtmlNoColour     ? rowBackground
                                                     : tableBackground;
            int colSpan = NumberAttribute(L"colspan", 1, 1, kHtmlMaxSpan);
            int rowSpan = NumberAttribute(L"rowspan", 1, 1, kHtmlMaxSpan);
            int contentAlign = AlignOf(Attribute(L"align"),
                rowAlign >= 0       ? rowAlign
                    : tag == kTagTh ? kAlignCentre
                                    : kAlignLeft);
            int verticalAlign = VerticalAlignOf(Attribute(L"valign"));
            std::wstring cellPicture = ResolvedAttribute(L"background");
            int pictureIndex = cellPicture.empty() ? tablePicture : m_page.Images().Add(cellPicture, 1);
            int nowrap = Attribute(L"nowrap") != nullptr || Attribute(L"nobreak") != nullptr;

            // The first place of the row that no cell from above covers.
            while (column < static_cast<int>(busyUntil.size()) && busyUntil[static_cast<size_t>(column)] >= row)
                ++column;
            if (column >= kHtmlMaxColumns)
                column = kHtmlMaxColumns - 1;
            colSpan = std::min(colSpan, kHtmlMaxColumns - column);
            if (busyUntil.size() < static_cast<size_t>(column + colSpan))
                busyUntil.resize(static_cast<size_t>(column + colSpan), -1);
            for (int c = column; c < column + colSpan; ++c)
                busyUntil[static_cast<size_t>(c)] = std::max(busyUntil[static_cast<size_t>(c)], row + rowSpan - 1);

            auto box = m_page.CreateCellBox(row, column, tableAlign, background);
            CHtmlCell& cell = *box->cell;
            cell.colSpan = colSpan;
            cell.rowSpan = rowSpan;
            cell.fixedWidth = cellWidth;
            cell.percentWidth = cellPercent;
            cell.heightAttr = cellHeight;
            cell.nowrap = nowrap;
            cell.border = border;
            cell.padding = padding + (border > 0 ? 1 : 0);
            cell.spacing = spacing;
            cell.tableWidth = tableWidth;
            cell.tableHeight = tableHeight;
            box->verticalAlign = verticalAlign;
            box->backgroundImage = pictureIndex;
            if (border > 0)
                box->SetEdges(kEdgeAll, 1, borderColour);
            size_t cellEnd = FindNextAtDepth0(past, close, kCellEnds, 6);
            ParseHtml(past, cellEnd, box->children, s.face, s.size + (tag == kTagTh ? 4 : 0), s.colour, contentAlign,
                call.level + 1, call.preformatted);
            AddBox(call, std::move(box));
            column += colSpan;
            pos = cellEnd;
            if (cellEnd < close) {
                int endTag = HtmlMatchTag(m_t, cellEnd, close);
                if (endTag == kTagEndTd || endTag == kTagEndTh)
                    pos = HtmlSkipTag(m_t, cellEnd, close);
            }
        } else if (tag == kTagForm) {
            pos = ParseForm(call, lt, close);
        } else if (tag == kTagEndForm) {
            m_page.SetFormIndex(-1);
            pos = past;
        } else {
            // Text and tags between the cells are not shown.
            pos = past > lt ? past : lt + 1;
        }
    }
    AddBreak(call);
    return after;
}

size_t CHtmlParser::ParseList(Call& call, int tag, size_t at, size_t end)
{
    const HtmlTextStyle s = call.style;
    size_t next = HtmlSkipTag(m_t, at, end);
    size_t close = FindClose(at, end);
    size_t after = close < end ? HtmlSkipTag(m_t, close, end) : end;
    bool ordered = tag == kTagOl;
    AddBreak(call);

    // The next "<li" of this list (not of a list inside it), or close.
    static const int kItem[] = {kTagLi};
    auto nextItem = [&](size_t from) { return FindNextAtDepth0(from, close, kItem, 1, true); };
    int item = 0;
    for (size_t pos = nextItem(next); pos < close && !m_page.Full(); ++item) {
        size_t from = HtmlSkipTag(m_t, pos, close);
        size_t to = nextItem(from);
        int nesting = m_page.ListNesting();

        auto marker = m_page.CreateCellBox(item, 0, call.align, kHtmlNoColour);
        marker->cell->padding = 2;
        marker->cell->spacing = 0;
        Call markerCall{marker->children, s.face, s.size, s.colour, call.align, call.level + 1, 0, HtmlTextStyle{}};
        markerCall.style.face = s.face;
        markerCall.style.size = s.size;
        markerCall.style.colour = s.colour;
        if (ordered) {
            std::wstring number =
                nesting % 2 == 0 ? std::to_wstring(item + 1) : std::wstring(1, static_cast<wchar_t>(L'a' + item % 26));
            AddText(markerCall, number + L".");
        } else {
            markerCall.style.face = L"Wingdings";
            AddText(markerCall, nesting % 2 == 0 ? L"l" : L"m");
        }
        AddSpace(markerCall);

        auto content = m_page.CreateCellBox(item, 1, call.align, kHtmlNoColour);
        content->cell->padding = 2;
        content->cell->spacing = 0;
        ++m_page.ListNesting();
        ParseHtml(from, to, content->children, s.face, s.size, s.colour, call.align, call.level + 1, call.preformatted);
        --m_page.ListNesting();
        AddBox(call, std::move(marker));
        AddBox(call, std::move(content));
        pos = to;
    }
    AddBreak(call);
    return after;
}

size_t CHtmlParser::ParseSingleCell(Call& call, size_t at, size_t end, int padding, const std::wstring& face,
    int preformatted)
{
    const HtmlTextStyle& s = call.style;
    size_t next = HtmlSkipTag(m_t, at, end);
    size_t close = FindClose(at, end);
    size_t after = close < end ? HtmlSkipTag(m_t, close, end) : end;
    AddBreak(call);
    auto box = m_page.CreateCellBox(0, 0, call.align, kHtmlNoColour);
    box->cell->padding = padding;
    box->cell->spacing = 0;
    ParseHtml(next, close, box->children, face, s.size, s.colour, call.align, call.level + 1, preformatted);
    AddBox(call, std::move(box));
    AddBreak(call);
    return after;
}

size_t CHtmlParser::ParseAlignedBlock(Call& call, int tag, int align, size_t at, size_t from, size_t end)
{
    const HtmlTextStyle& s = call.style;
    size_t close;
    bool atNextParagraph = false;
    if (tag == kTagDiv) {
        close = FindClose(at, end);
    } else {
        static const int kParagraphEnds[] = {kTagEndP, kTagP};
        close = FindNextAtDepth0(from, end, kParagraphEnds, 2);
        atNextParagraph = close < end && HtmlMatchTag(m_t, close, end) == kTagP;
    }
    ParseHtml(from, close, call.boxes, s.face, s.size, s.colour, align, call.level + 1, call.preformatted);
    AddBreak(call);
    if (close >= end)
        return end;
    return atNextParagraph ? close : HtmlSkipTag(m_t, close, end);
}
