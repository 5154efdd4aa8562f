#include "preview/html/win/HtmlResourceHost.h"

#include "preview/html/HtmlText.h"
#include "preview/html/win/HtmlLocalFetch.h"

int CHtmlResourceHost::FetchPage(const wchar_t* url, std::wstring* page)
{
    std::wstring address = url != nullptr ? url : L"";
    std::vector<uint8_t> bytes;
    if (!HtmlStartsWithNoCase(address, L"res://") || !HtmlReadLocalBytes(address, &bytes))
        return 0;
    *page = HtmlPageText(bytes);
    return 1;
}

int CHtmlResourceHost::FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes)
{
    std::wstring address = url != nullptr ? url : L"";
    return HtmlStartsWithNoCase(address, L"res://") && HtmlReadLocalBytes(address, bytes) ? 1 : 0;
}

CHtmlResourceHost& CHtmlResourceHost::Instance()
{
    static CHtmlResourceHost host;
    return host;
}
