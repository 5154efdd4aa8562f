#include "ui/html/HtmlObject.h"

#include "ui/html/HtmlStrings.h"

namespace morvick::html {

std::uint32_t HtmlObjectSpec::ParseStyleLetters(const std::wstring& letters) {
  std::uint32_t bits = 0;
  for (wchar_t c : letters) {
    switch (c) {
      case L'g': bits |= kImageGrey; break;
      case L'd': bits |= kImageDark; break;
      case L'l': bits |= kImageLight; break;
      case L's': bits |= kImageShadowRequest; break;
      default: break;
    }
  }
  return bits;
}

HtmlObjectSpec HtmlObjectSpec::Parse(HtmlTagId tag, const HtmlAttributes& a, const HtmlValueContext& ctx) {
  HtmlObjectSpec o;
  o.tag = tag;
  std::wstring v;
  if (a.Get(L"index", &v)) o.index = ParseHtmlSize(v, -1, false, ctx);
  if (a.Get(L"idres", &v)) o.idres = ParseHtmlSize(v, 0, false, ctx);
  if (a.Get(L"iddll", &v)) o.iddll = ParseHtmlSize(v, 0, false, ctx);
  if (a.Get(L"handle", &v)) ParseHandle(v, &o.handle);
  a.Get(L"file", &o.file);
  a.Get(L"srcdll", &o.srcdll);
  if (a.Get(L"mask", &v) && !v.empty()) {
    o.hasMask = true;
    o.mask = ParseHtmlColor(v, 0, ctx);
  }
  if (a.Get(L"style", &v)) o.style = o.hotStyle = ParseStyleLetters(v);
  if (a.Get(L"hotstyle", &v)) o.hotStyle = ParseStyleLetters(v);
  if (a.Get(L"cx", &v)) o.cx = ParseHtmlSize(v, 0, false, ctx);
  if (a.Get(L"cy", &v)) o.cy = ParseHtmlSize(v, 0, false, ctx);
  a.Get(L"width", &o.width);
  a.Get(L"height", &o.height);
  if (a.Get(L"speed", &v)) o.speed = ParseHtmlSize(v, 0, false, ctx);
  return o;
}

}  // namespace morvick::html
