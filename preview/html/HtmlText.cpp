#include "preview/html/HtmlText.h"

#include <cwchar>

bool HtmlStartsWithNoCase(const wchar_t* text, size_t at, size_t end, const wchar_t* prefix)
{
    for (size_t i = 0; prefix[i] != 0; ++i) {
        if (at + i >= end)
            return false;
        if (HtmlLowerAscii(text[at + i]) != HtmlLowerAscii(prefix[i]))
            return false;
    }
    return true;
}

bool HtmlStartsWithNoCase(const std::wstring& text, const wchar_t* prefix)
{
    return HtmlStartsWithNoCase(text.c_str(), 0, text.size(), prefix);
}

bool HtmlEqualNoCase(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        if (HtmlLowerAscii(*a) != HtmlLowerAscii(*b))
            return false;
        if (*a == 0)
            return true;
    }
}

size_t HtmlFindNoCase(const wchar_t* text, size_t from, size_t end, const wchar_t* needle)
{
    if (needle[0] == 0)
        return from;
    wchar_t first = HtmlLowerAscii(needle[0]);
    for (size_t i = from; i < end; ++i) {
        if (HtmlLowerAscii(text[i]) == first && HtmlStartsWithNoCase(text, i, end, needle))
            return i;
    }
    return end;
}

std::wstring HtmlExtension(const std::wstring& url)
{
    size_t dot = url.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : url.substr(dot + 1);
}

bool HtmlParseNumber(const wchar_t* text, long long* value)
{
    if (text == nullptr)
        return false;
    while (HtmlIsSpace(*text))
        ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-') {
        negative = *text == L'-';
        ++text;
    }
    if (*text < L'0' || *text > L'9')
        return false;
    long long v = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        if (v < 1000000000)
            v = v * 10 + (*text - L'0');
    }
    if (v > 1000000000)
        v = 1000000000;
    *value = negative ? -v : v;
    return true;
}

int HtmlHexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    c = HtmlLowerAscii(c);
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

int HtmlClamp(long long value, int lo, int hi)
{
    return value < lo ? lo : value > hi ? hi : static_cast<int>(value);
}
