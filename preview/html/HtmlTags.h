// The tags the renderer understands (62 forms, end tags included), and the attributes of a tag.
#pragma once

#include "preview/html/HtmlStringList.h"

#include <cstddef>

enum HtmlTag {
    kTagBr,
    kTagI,
    kTagEndI,
    kTagB,
    kTagEndB,
    kTagStrong,
    kTagEndStrong,
    kTagU,
    kTagEndU,
    kTagA,
    kTagEndA,
    kTagSmall,
    kTagEndSmall,
    kTagBig,
    kTagEndBig,
    kTagCenter,
    kTagEndCenter,
    kTagP,
    kTagFont,
    kTagEndFont,
    kTagImg,
    kTagH1,
    kTagEndH1,
    kTagDiv,
    kTagEndDiv,
    kTagHr,
    kTagTable,
    kTagEndTable,
    kTagTr,
    kTagEndTr,
    kTagTd,
    kTagEndTd,
    kTagH2,
    kTagEndH2,
    kTagH3,
    kTagEndH3,
    kTagPre,
    kTagEndPre,
    kTagInput,
    kTagUl,
    kTagOl,
    kTagLi,
    kTagEndUl,
    kTagEndOl,
    kTagSub,
    kTagEndSub,
    kTagSup,
    kTagEndSup,
    kTagStrike,
    kTagEndStrike,
    kTagSelect,
    kTagEndSelect,
    kTagOption,
    kTagTextarea,
    kTagEndTextarea,
    kTagTh,
    kTagEndTh,
    kTagForm,
    kTagEndForm,
    kTagBlockquote,
    kTagEndBlockquote,
    kTagEndP,
    kTagCount
};

// The form of a tag as written ("<br", "</table").
const wchar_t* HtmlTagText(int tag);

// The tag that text[at..end) starts with: one of the forms (without case) followed by the end, a
// space, tab, CR, LF or ">"; -1 for any other.
int HtmlMatchTag(const wchar_t* text, size_t at, size_t end);

// The most attributes read from one tag; the rest are ignored.
constexpr int kHtmlMaxAttributes = 256;

// Reads the attributes of the tag at text[at] (its "<"), which ends at its first ">" or at `end`:
// one row per attribute, [name] or [name, value]; a quoted value runs to the same quote (or the
// tag's end). The table is emptied first.
void ScanAttributes(const wchar_t* text, size_t at, size_t end, CHtmlStringTable& table);

// The value of an attribute (name without case): "" when it has none, nullptr when it is absent.
const wchar_t* HtmlAttribute(const CHtmlStringTable& table, const wchar_t* name);

// The position just past the ">" of the tag at text[at], or `end`.
size_t HtmlSkipTag(const wchar_t* text, size_t at, size_t end);
