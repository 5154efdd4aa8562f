// The page text's way to boxes: the cleaning pass of a load (scripts, styles, comments, the title,
// unknown tags and surplus white space go) and the recursive tag parser. Used by CHtmlPage::Load.
#pragma once

#include "preview/html/HtmlBox.h"
#include "preview/html/HtmlColours.h"
#include "preview/html/HtmlStringList.h"

#include <string>
#include <vector>

class CHtmlPage;

// The cleaned text of a page: kept tags as written, white space outside preformatted parts
// collapsed to single spaces (none at the start). Hands the title to the page's host and the
// body's colour and background picture to the page.
std::wstring CleanHtml(const std::wstring& text, bool allPreformatted, CHtmlPage& page, const std::wstring& baseUrl);

// The style in force while one run of text is parsed.
struct HtmlTextStyle {
    std::wstring face;
    int size = 0;
    HtmlColour colour = 0;
    int bold = 0;
    int italic = 0;
    int underline = 0;
    int inLink = 0;
    int link = -1;
    int centre = 0;
    int sub = 0;
    int sup = 0;
    int strike = 0;
    int textFlag = 0;  // a word was seen since the last paragraph
};

class CHtmlParser {
public:
    CHtmlParser(CHtmlPage& page, const std::wstring& text, const std::wstring& baseUrl);

    // Parses text[begin..end) into boxes with the base style, inherited alignment, recursion
    // level and preformatted flag.
    void ParseHtml(size_t begin, size_t end, HtmlBoxList& boxes, const std::wstring& baseFace, int baseSize,
        HtmlColour baseColour, int align, int level, int preformatted);

private:
    struct Call {
        HtmlBoxList& boxes;
        std::wstring baseFace;
        int baseSize;
        HtmlColour baseColour;
        int align;
        int level;
        int preformatted;
        HtmlTextStyle style;
        int column = 0;  // characters of the text boxes since the last box of another kind
    };

    size_t ParseTag(Call& call, int tag, size_t at, size_t end);
    void AddBox(Call& call, std::unique_ptr<CHtmlBox> box);
    void AddText(Call& call, const std::wstring& text);
    void AddSpace(Call& call) { AddText(call, L" "); }
    void AddBreak(Call& call, int clear = 0);
    // A space (when text was seen, or always) and a line break.
    void AddParagraphBreak(Call& call, bool spaceAlways);
    int TextHeight(const Call& call);
    // The position of the tag that closes the block tag at `openAt` (nesting counted), or end
    // when it is not closed before end.
    size_t FindClose(size_t openAt, size_t end) const;
    // The position of the next tag of the set from `from` on, outside the tables and the lists
    // (with `skipLists`) that start there; end when there is none before end.
    size_t FindNextAtDepth0(size_t from, size_t end, const int* tags, int count, bool skipLists = false) const;
    const wchar_t* Attribute(const wchar_t* name) const;
    int NumberAttribute(const wchar_t* name, int fallback, int lo, int hi, int* percent = nullptr) const;
    std::wstring DecodedAttribute(const wchar_t* name) const;
    std::wstring ResolvedAttribute(const wchar_t* name) const;
    bool CanNest(const Call& call) const;

    size_t ParseImage(Call& call, size_t at, size_t end);
    size_t ParseTable(Call& call, size_t at, size_t end);
    size_t ParseList(Call& call, int tag, size_t at, size_t end);
    // A block quote or a preformatted block: one cell of its own, between line breaks.
    size_t ParseSingleCell(Call& call, size_t at, size_t end, int padding, const std::wstring& face, int preformatted);
    // A picture's "width" (negative: percent) and "height" (0 when given in percent).
    void PictureSize(int* width, int* height) const;
    size_t ParseAlignedBlock(Call& call, int tag, int align, size_t at, size_t from, size_t end);
    size_t ParseForm(Call& call, size_t at, size_t end);
    size_t ParseInput(Call& call, size_t at, size_t end);
    size_t ParseSelect(Call& call, size_t at, size_t end);
    size_t ParseTextarea(Call& call, size_t at, size_t end);
    void AddControlBox(Call& call, HtmlControl control, int width, int height, bool sunken);
    void ReportProgress(const Call& call, size_t at);

    // Every tag of the text, with the tag that closes it for the block tags that nest: built once,
    // so that finding the end of a block never scans the text again.
    struct TagEntry {
        size_t pos;
        int tag;
        size_t partner;  // index of the closing (or opening) entry, or kNoPartner
    };
    static constexpr size_t kNoPartner = static_cast<size_t>(-1);
    void IndexTags();
    size_t FirstEntryFrom(size_t pos) const;

    std::vector<TagEntry> m_tags;
    CHtmlPage& m_page;
    const std::wstring& m_text;
    const wchar_t* m_t;
    std::wstring m_baseUrl;
    CHtmlStringTable m_attributes;
};
