#include "preview/html/HtmlTags.h"

#include "preview/html/HtmlText.h"

namespace {

const wchar_t* const kForms[kTagCount] = {
    L"<br",
    L"<i",
    L"</i",
    L"<b",
    L"</b",
    L"<strong",
    L"</strong",
    L"<u",
    L"</u",
    L"<a",
    L"</a",
    L"<small",
    L"</small",
    L"<big",
    L"</big",
    L"<center",
    L"</center",
    L"<p",
    L"<font",
    L"</font",
    L"<img",
    L"<h1",
    L"</h1",
    L"<div",
    L"</div",
    L"<hr",
    L"<table",
    L"</table",
    L"<tr",
    L"</tr",
    L"<td",
    L"</td",
    L"<h2",
    L"</h2",
    L"<h3",
    L"</h3",
    L"<pre",
    L"</pre",
    L"<input",
    L"<ul",
    L"<ol",
    L"<li",
    L"</ul",
    L"</ol",
    L"<sub",
    L"</sub",
    L"<sup",
    L"</sup",
    L"<strike",
    L"</strike",
    L"<select",
    L"</select",
    L"<option",
    L"<textarea",
    L"</textarea",
    L"<th",
    L"</th",
    L"<form",
    L"</form",
    L"<blockquote",
    L"</blockquote",
    L"</p",
};

bool EndsTagName(const wchar_t* text, size_t at, size_t end)
{
    return at >= end || HtmlIsSpace(text[at]) || text[at] == L'>';
}

}  // namespace

const wchar_t* HtmlTagText(int tag)
{
    return tag >= 0 && tag < kTagCount ? kForms[tag] : L"";
}

int HtmlMatchTag(const wchar_t* text, size_t at, size_t end)
{
    if (at >= end || text[at] != L'<')
        return -1;
    for (int t = 0; t < kTagCount; ++t) {
        const wchar_t* form = kForms[t];
        if (!HtmlStartsWithNoCase(text, at, end, form))
            continue;
        size_t n = 0;
        while (form[n] != 0)
            ++n;
        if (EndsTagName(text, at + n, end))
            return t;
    }
    return -1;
}

size_t HtmlSkipTag(const wchar_t* text, size_t at, size_t end)
{
    for (size_t i = at; i < end; ++i) {
        if (text[i] == L'>')
            return i + 1;
    }
    return end;
}

void ScanAttributes(const wchar_t* text, size_t at, size_t end, CHtmlStringTable& table)
{
    table.RemoveAllRows();
    size_t tagEnd = at;
    while (tagEnd < end && text[tagEnd] != L'>')
        ++tagEnd;
    size_t i = at;
    while (i < tagEnd && !HtmlIsSpace(text[i]))
        ++i;  // the name
    while (i < tagEnd && table.GetRowCount() < kHtmlMaxAttributes) {
        while (i < tagEnd && HtmlIsSpace(text[i]))
            ++i;
        if (i >= tagEnd)
            break;
        size_t nameStart = i;
        while (i < tagEnd && text[i] != L'=' && !HtmlIsSpace(text[i]))
            ++i;
        int row = table.AddRow() - 1;
        table.AddCell(row, text + nameStart, static_cast<int>(i - nameStart));
        // Spaces may stand around the "=": otherwise "width = 50" lost its value to a nameless attribute.
        size_t look = i;
        while (look < tagEnd && HtmlIsSpace(text[look]))
            ++look;
        if (look >= tagEnd || text[look] != L'=')
            continue;
        i = look + 1;
        while (i < tagEnd && HtmlIsSpace(text[i]))
            ++i;
        size_t valueStart = i;
        size_t valueEnd;
        if (i < tagEnd && (text[i] == L'"' || text[i] == L'\'')) {
            wchar_t quote = text[i];
            valueStart = ++i;
            while (i < tagEnd && text[i] != quote)
                ++i;
            valueEnd = i;
            if (i < tagEnd)
                ++i;
        } else {
            while (i < tagEnd && !HtmlIsSpace(text[i]))
                ++i;
            valueEnd = i;
        }
        table.AddCell(row, text + valueStart, static_cast<int>(valueEnd - valueStart));
    }
}

const wchar_t* HtmlAttribute(const CHtmlStringTable& table, const wchar_t* name)
{
    for (int r = 0; r < table.GetRowCount(); ++r) {
        const CHtmlStringList& row = table.GetRow(r);
        if (HtmlEqualNoCase(row.GetAt(0), name))
            return row.GetAt(1);
    }
    return nullptr;
}
