#include "preview/html/HtmlUrl.h"

#include "preview/html/HtmlText.h"

#include <cwchar>

namespace {

constexpr size_t kMaxChars = kHtmlUrlChars - 1;

bool IsAbsolute(const std::wstring& link)
{
    for (size_t i = 0; i < link.size(); ++i) {
        if (link[i] == L'/')
            return false;
        if (link.compare(i, 3, L"://") == 0)
            return true;
    }
    return false;
}

}  // namespace

std::wstring ResolveUrl(const std::wstring& link, const std::wstring& base)
{
    if (IsAbsolute(link))
        return link.substr(0, kMaxChars);

    // The base's directory: no query, forward slashes, at least "scheme://host/". The base is
    // taken whole (it may be longer than the result); only the result is cut.
    std::wstring out = base;
    size_t query = out.rfind(L'?');
    if (query != std::wstring::npos)
        out.erase(query);
    size_t scheme = out.find(L"://");
    size_t p = scheme == std::wstring::npos ? 0 : scheme;
    for (wchar_t& c : out) {
        if (c == L'\\')
            c = L'/';
    }
    if (out.find(L'/', p + 3) == std::wstring::npos)
        out += L'/';
    size_t last = out.rfind(L'/');
    if (last != std::wstring::npos && !(last >= 3 && out.compare(last - 3, 3, L"://") == 0)) {
        out.erase(last + 1);
    } else if (out.empty() || out.back() != L'/') {
        out += L'/';
    }

    size_t at = 0;
    while (link.compare(at, 3, L"../") == 0) {
        if (!out.empty() && out.back() == L'/')
            out.pop_back();
        size_t up = out.rfind(L'/');
        // Never above the host: the slashes of "://" stay.
        bool beyondScheme = scheme == std::wstring::npos || up > p + 2;
        if (up != std::wstring::npos && up > 4 && beyondScheme)
            out.erase(up + 1);
        at += 3;
    }
    std::wstring rest = link.substr(at);

    if (!rest.empty() && rest[0] == L'/') {
        size_t hostEnd = out.find(L'/', p + 3);
        if (hostEnd != std::wstring::npos && hostEnd >= p + 4)
            out.erase(hostEnd);
    } else if (out.empty() || out.back() != L'/') {
        out += L'/';
    }
    if (out.size() < kMaxChars)
        out += rest.substr(0, kMaxChars - out.size());
    if (out.size() > kMaxChars)
        out.erase(kMaxChars);

    if (p + 3 == 7 && HtmlStartsWithNoCase(out, L"file://")) {
        for (size_t i = 7; i < out.size(); ++i) {
            if (out[i] == L'/')
                out[i] = L'\\';
        }
    }
    return out;
}

void ResolveUrl(const wchar_t* link, wchar_t* out, const wchar_t* base)
{
    if (out == nullptr)
        return;
    std::wstring r = ResolveUrl(std::wstring(link != nullptr ? link : L""), std::wstring(base != nullptr ? base : L""));
    size_t n = r.size() < kMaxChars ? r.size() : kMaxChars;
    std::wmemcpy(out, r.c_str(), n);
    out[n] = 0;
}
