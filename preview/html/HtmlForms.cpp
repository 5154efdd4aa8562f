#include "preview/html/HtmlForms.h"

namespace {

void AppendEscape(std::wstring& out, unsigned byte)
{
    static const wchar_t kHex[] = L"0123456789abcdef";
    out += L'%';
    out += kHex[(byte >> 4) & 0xF];
    out += kHex[byte & 0xF];
}

void AppendUtf8Escapes(std::wstring& out, unsigned long code)
{
    if (code < 0x800) {
        AppendEscape(out, 0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        AppendEscape(out, 0xE0 | (code >> 12));
        AppendEscape(out, 0x80 | ((code >> 6) & 0x3F));
    } else {
        AppendEscape(out, 0xF0 | (code >> 18));
        AppendEscape(out, 0x80 | ((code >> 12) & 0x3F));
        AppendEscape(out, 0x80 | ((code >> 6) & 0x3F));
    }
    AppendEscape(out, 0x80 | (code & 0x3F));
}

}  // namespace

std::wstring EncodeFormValue(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long c = static_cast<unsigned long>(text[i]);
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) {
            out += static_cast<wchar_t>(c);
        } else if (c == L' ') {
            out += L'+';
        } else if (c <= 0xFF) {
            AppendEscape(out, static_cast<unsigned>(c));
        } else {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
                unsigned long low = static_cast<unsigned long>(text[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
                c = 0xFFFD;
            AppendUtf8Escapes(out, c);
        }
    }
    return out;
}

std::wstring BuildFormQuery(const std::vector<HtmlFormField>& fields)
{
    std::wstring query;
    for (const HtmlFormField& f : fields) {
        query += query.empty() ? L'?' : L'&';
        query += f.name;
        query += L'=';
        query += EncodeFormValue(f.value);
    }
    return query;
}

std::wstring BuildFormGetUrl(const std::wstring& action, const std::wstring& query)
{
    std::wstring tail = query;
    if (!tail.empty() && tail[0] == L'?' && action.find(L'?') != std::wstring::npos)
        tail[0] = L'&';
    return action + tail;
}
