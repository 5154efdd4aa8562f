// Resolving links against a page's address.
#include "preview/html/HtmlUrl.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlResolveUrl, RelativeLinksTakeTheBasesSchemeHostAndDirectory)
{
    EXPECT_EQ(ResolveUrl(L"b.html", L"http://host/d/a.html?x=1"), L"http://host/d/b.html");
    EXPECT_EQ(ResolveUrl(L"../c.html", L"http://host/d/e/a.html"), L"http://host/d/c.html");
    EXPECT_EQ(ResolveUrl(L"../../c.html", L"http://host/d/e/a.html"), L"http://host/c.html");
    EXPECT_EQ(ResolveUrl(L"/r.html", L"http://host/d/e/a.html"), L"http://host/r.html");
    EXPECT_EQ(ResolveUrl(L"x.html", L"http://host"), L"http://host/x.html");
    EXPECT_EQ(ResolveUrl(L"x.html", L"http://host/"), L"http://host/x.html");
    EXPECT_EQ(ResolveUrl(L"/r.html", L"http://host"), L"http://host/r.html");
    // A query of the base does not take part; a query of the link does.
    EXPECT_EQ(ResolveUrl(L"q?a=1", L"http://host/d/a.html?x=/y"), L"http://host/d/q?a=1");
}

TEST(HtmlResolveUrl, LinksWithASchemeBeforeAnySlashStandAsTheyAre)
{
    EXPECT_EQ(ResolveUrl(L"ftp://h/x", L"http://host/d/a.html"), L"ftp://h/x");
    EXPECT_EQ(ResolveUrl(L"ftp://h/x", L"file://C:\\a.html"), L"ftp://h/x");
    EXPECT_EQ(ResolveUrl(L"HTTP://Other/Y.GIF", L""), L"HTTP://Other/Y.GIF");
    // "://" after a slash is no scheme: the link is relative.
    EXPECT_EQ(ResolveUrl(L"a/b://c", L"http://host/d/"), L"http://host/d/a/b://c");
}

TEST(HtmlResolveUrl, FileAddressesUseBackslashesAfterTheScheme)
{
    EXPECT_EQ(ResolveUrl(L"img/a.gif", L"file://D:\\dir\\page.html"), L"file://D:\\dir\\img\\a.gif");
    EXPECT_EQ(ResolveUrl(L"../up.html", L"file://D:\\dir\\sub\\page.html"), L"file://D:\\dir\\up.html");
    EXPECT_EQ(ResolveUrl(L"/root.html", L"file://D:\\dir\\page.html"), L"file://D:\\root.html");
    // Going up past the drive stays on the drive instead of making the file name a host.
    EXPECT_EQ(ResolveUrl(L"../../../x.html", L"file://D:\\dir\\page.html"), L"file://D:\\x.html");
    EXPECT_EQ(ResolveUrl(L"../../x.html", L"http://host/a.html"), L"http://host/x.html");
}

TEST(HtmlResolveUrl, LongAddressesAreCutToTheRoomOfTheResult)
{
    // A base of 2048 characters (the viewer's current address) into a result of 1024.
    std::wstring base = L"file://C:\\" + std::wstring(2040, L'd') + L"\\p.html";
    wchar_t out[kHtmlUrlChars + 16];
    std::fill(std::begin(out), std::end(out), L'#');
    ResolveUrl(L"a.gif", out, base.c_str());
    EXPECT_EQ(std::wstring(out).size(), static_cast<size_t>(kHtmlUrlChars - 1));
    EXPECT_EQ(out[kHtmlUrlChars], L'#');
    std::wstring longLink = L"http://h/" + std::wstring(5000, L'x');
    ResolveUrl(longLink.c_str(), out, L"http://host/");
    EXPECT_EQ(std::wstring(out).size(), static_cast<size_t>(kHtmlUrlChars - 1));
    ResolveUrl(std::wstring(3000, L'.').c_str(), out, base.c_str());
    EXPECT_EQ(std::wstring(out).size(), static_cast<size_t>(kHtmlUrlChars - 1));
    // Nulls are empty texts.
    ResolveUrl(nullptr, out, nullptr);
    EXPECT_STREQ(out, L"/");
}

}  // namespace
