#include "ui/html/HtmlLayout.h"

#include "ui/html/HtmlBlockLayout.h"

namespace morvick::html {

HtmlLayoutResult LayoutHtml(const HtmlLanguage& language, HtmlDevice& device, const std::wstring& prepared,
                            int availableWidth, int hotLink) {
  HtmlLayoutResult result;
  if (prepared.empty()) return result;
  HtmlStyleState state(language, device, hotLink);
  HtmlLayoutContext ctx(prepared, state);
  HtmlSize size = LayoutHtmlBlocks(ctx, 0, prepared.size(), availableWidth, &result.items);
  result.width = size.cx;
  result.height = size.cy;
  for (const HtmlDrawItem& item : result.items) {
    if (item.linkKind == kLinkNone) continue;
    if (item.kind != HtmlDrawItem::kText && item.kind != HtmlDrawItem::kObject) continue;
    result.links.push_back(HtmlLinkArea{item.box, item.linkKind, item.linkIndex, item.linkTarget});
  }
  return result;
}

}  // namespace morvick::html
