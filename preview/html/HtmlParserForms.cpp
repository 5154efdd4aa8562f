// The tag parser's forms: each form registers with the host, and each field becomes a native
// control that the host makes and a box of the control's size that the layout places.
#include "preview/html/HtmlEntities.h"
#include "preview/html/HtmlPage.h"
#include "preview/html/HtmlParser.h"
#include "preview/html/HtmlTags.h"
#include "preview/html/HtmlText.h"

#include <algorithm>

namespace {

const wchar_t kControlFace[] = L"MS Sans serif";
constexpr int kControlTextHeight = 15;
constexpr int kCheckSize = 13;
// Characters of a text field or a text area at most (their boxes stay within the pixel limit).
constexpr int kMaxFieldChars = 1000;

std::wstring Decoded(std::wstring text)
{
    DecodeEntities(text);
    RepairUtf8Latin1(text);
    return text;
}

}  // namespace

void CHtmlParser::AddControlBox(Call& call, HtmlControl control, int width, int height, bool sunken)
{
    auto box = m_page.CreateTextBox(L"", 0, 0, 0, call.style.face, call.style.size, 0, 0, 0, kHtmlNoColour,
        call.style.centre ? kAlignCentre : call.align, 0, -1, 0);
    box->width = width;
    box->height = height;
    box->control = control;
    if (sunken) {
        box->SetEdges(kEdgeAll, 2, kEdgeSunken);
        box->background = HtmlRgb(255, 255, 255);
    }
    AddBox(call, std::move(box));
}

size_t CHtmlParser::ParseForm(Call& call, size_t at, size_t end)
{
    (void)call;
    ScanAttributes(m_t, at, end, m_attributes);
    std::wstring action = ResolvedAttribute(L"action");
    const wchar_t* method = Attribute(L"method");
    if (m_page.Host() != nullptr)
        m_page.SetFormIndex(m_page.Host()->AddFormField(action.c_str(), method != nullptr ? method : L"get"));
    return HtmlSkipTag(m_t, at, end);
}

size_t CHtmlParser::ParseInput(Call& call, size_t at, size_t end)
{
    size_t next = HtmlSkipTag(m_t, at, end);
    ScanAttributes(m_t, at, end, m_attributes);
    const wchar_t* type = Attribute(L"type");
    if (type == nullptr)
        type = L"text";
    int size = NumberAttribute(L"size", 10, 1, kMaxFieldChars);
    const wchar_t* maxLength = Attribute(L"maxlength");
    int limit = NumberAttribute(L"maxlength", 0, 0, 1 << 20);
    std::wstring value = DecodedAttribute(L"value");
    const wchar_t* nameValue = Attribute(L"name");
    std::wstring name = nameValue != nullptr ? nameValue : L"";
    int form = m_page.FormIndex();
    CHtmlHost* host = m_page.Host();
    int face = m_page.FaceIndex(kControlFace);

    if (HtmlEqualNoCase(type, L"text") || HtmlEqualNoCase(type, L"password")) {
        HtmlTextSize extent =
            m_page.MeasureText(face, kControlTextHeight, 0, 0, std::wstring(size, L'0').c_str(), size);
        int width = extent.cx + 8, height = extent.cy + 4;
        HtmlControl control = host == nullptr
            ? kHtmlNoControl
            : host->CreateEdit(maxLength != nullptr, limit, width, height, value.c_str(), 0, name.c_str(), form,
                  HtmlEqualNoCase(type, L"password"));
        AddControlBox(call, control, width, height, true);
    } else if (HtmlEqualNoCase(type, L"button") || HtmlEqualNoCase(type, L"submit")) {
        HtmlTextSize extent =
            m_page.MeasureText(face, kControlTextHeight, 0, 0, value.c_str(), static_cast<int>(value.size()));
        // Room around the text for the button's border: a button the size of its text clips it.
        int width = extent.cx + 12, height = extent.cy + 6;
        HtmlControl control =
            host == nullptr ? kHtmlNoControl : host->CreateButton(width, height, value.c_str(), name.c_str(), form);
        AddControlBox(call, control, width, height, false);
    } else if (HtmlEqualNoCase(type, L"radio") || HtmlEqualNoCase(type, L"checkbox")) {
        HtmlControl control = kHtmlNoControl;
        if (host != nullptr) {
            control = HtmlEqualNoCase(type, L"radio")
                ? host->CreateRadioButton(kCheckSize, kCheckSize, value.c_str(), name.c_str(), form)
                : host->CreateCheckBox(kCheckSize, kCheckSize, value.c_str(), name.c_str(), form);
        }
        AddControlBox(call, control, kCheckSize, kCheckSize, false);
    } else if (HtmlEqualNoCase(type, L"hidden")) {
        HtmlControl control =
            host == nullptr ? kHtmlNoControl : host->CreateEdit(0, 0, 0, 0, value.c_str(), 0, name.c_str(), form, 0);
        AddControlBox(call, control, 0, 0, false);
    } else if (HtmlEqualNoCase(type, L"image")) {
        std::wstring url = ResolvedAttribute(L"src");
        int width = 0, height = 0;
        PictureSize(&width, &height);
        int link = m_page.AddLink(L"Submit(" + std::to_wstring(form) + L")");
        int align = call.style.centre ? kAlignCentre : call.align;
        AddBox(call, m_page.CreateImageBox(url, width, height, link, align, 0, 0, call.style.colour));
    }
    return next;
}

size_t CHtmlParser::ParseSelect(Call& call, size_t at, size_t end)
{
    size_t next = HtmlSkipTag(m_t, at, end);
    ScanAttributes(m_t, at, end, m_attributes);
    const wchar_t* nameValue = Attribute(L"name");
    std::wstring name = nameValue != nullptr ? nameValue : L"";
    size_t close = HtmlFindNoCase(m_t, next, end, L"</select");
    size_t after = close < end ? HtmlSkipTag(m_t, close, end) : end;

    CHtmlStringTable options;
    int selected = 0;
    int face = m_page.FaceIndex(kControlFace);
    int width = 0;
    int height = m_page.MeasureText(face, kControlTextHeight, 0, 0, L"0", 1).cy;
    size_t pos = HtmlFindNoCase(m_t, next, close, L"<option");
    while (pos < close) {
        ScanAttributes(m_t, pos, close, m_attributes);
        size_t from = HtmlSkipTag(m_t, pos, close);
        size_t to = HtmlFindNoCase(m_t, from, close, L"<option");
        // The option's text, without the tags it holds, trimmed.
        std::wstring text;
        for (size_t i = from; i < to;) {
            if (m_t[i] == L'<') {
                i = HtmlSkipTag(m_t, i, to);
                continue;
            }
            text += m_t[i++];
        }
        while (!text.empty() && HtmlIsSpace(text.back()))
            text.pop_back();
        while (!text.empty() && HtmlIsSpace(text.front()))
            text.erase(0, 1);
        text = Decoded(text);
        int row = options.AddRow() - 1;
        options.AddCell(row, text.c_str());
        if (const wchar_t* value = Attribute(L"value"))
            options.AddCell(row, value);
        if (Attribute(L"selected") != nullptr)
            selected = row;
        HtmlTextSize extent =
            m_page.MeasureText(face, kControlTextHeight, 0, 0, text.c_str(), static_cast<int>(text.size()));
        width = std::max(width, extent.cx);
        pos = to;
    }
    width = std::min(width + m_page.Measurer()->ScrollArrowWidth(), kHtmlMaxPixels);
    height += 8;
    HtmlControl control = m_page.Host() == nullptr
        ? kHtmlNoControl
        : m_page.Host()->CreateComboBox(width, height, options, selected, name.c_str(), m_page.FormIndex());
    AddControlBox(call, control, width, height, false);
    return after;
}

size_t CHtmlParser::ParseTextarea(Call& call, size_t at, size_t end)
{
    size_t next = HtmlSkipTag(m_t, at, end);
    ScanAttributes(m_t, at, end, m_attributes);
    int cols = NumberAttribute(L"cols", 15, 1, kMaxFieldChars);
    int rows = NumberAttribute(L"rows", 3, 1, kMaxFieldChars);
    const wchar_t* nameValue = Attribute(L"name");
    std::wstring name = nameValue != nullptr ? nameValue : L"";
    size_t close = HtmlFindNoCase(m_t, next, end, L"</textarea");
    size_t after = close < end ? HtmlSkipTag(m_t, close, end) : end;
    std::wstring text = Decoded(std::wstring(m_t + next, close - next));

    HtmlTextSize space = m_page.MeasureText(m_page.FaceIndex(L"Courier New"), 15, 0, 0, L" ", 1);
    int width = std::min(cols * space.cx + 4, kHtmlMaxPixels);
    int height = std::min(rows * space.cy, kHtmlMaxPixels);
    HtmlControl control = m_page.Host() == nullptr
        ? kHtmlNoControl
        : m_page.Host()->CreateEdit(0, 0, width, height, text.c_str(), 1, name.c_str(), m_page.FormIndex(), 0);
    AddControlBox(call, control, width, height, true);
    return after;
}
