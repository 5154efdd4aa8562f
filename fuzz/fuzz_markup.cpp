// Lays out arbitrary bytes as message markup: the scanner, the style engine and the layout must
// never read out of bounds, loop without end or overflow.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/ui/FixedWidthDevice.h"
#include "ui/html/HtmlLayout.h"
#include "ui/html/HtmlLinkTracker.h"
#include "ui/html/HtmlText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace morvick::html;
  if (size < 2) return 0;
  int width = data[0] * 4;
  bool multiLine = data[1] & 1;
  std::wstring text;
  for (size_t i = 2; i + 1 < size; i += 2) {
    text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  }
  // Mostly ASCII markup is more interesting than random UTF-16: also read the bytes one by one.
  std::wstring ascii(reinterpret_cast<const char*>(data + 2), reinterpret_cast<const char*>(data + size));
  HtmlLanguage lang;
  morvick::html::test::FixedWidthDevice device;
  for (const std::wstring* t : {&text, &ascii}) {
    HtmlLayoutResult r = LayoutHtml(lang, device, PrepareHtmlText(*t, multiLine), width, 0);
    HtmlLinkTracker tracker;
    tracker.SetAreas(r.links);
    tracker.Track(r.width / 2, r.height / 2, nullptr);
    std::wstring escaped = EscapeHtml(*t);
    LayoutHtml(lang, device, PrepareHtmlText(escaped, multiLine), width, -2);
  }
  return 0;
}
