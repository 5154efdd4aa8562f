#include "ui/html/HtmlBlockLayout.h"

#include <algorithm>

#include "ui/html/HtmlRunLayout.h"
#include "ui/html/HtmlTableLayout.h"

namespace morvick::html {

std::vector<HtmlBlock> SplitHtmlBlocks(const std::wstring& text, size_t begin, size_t end) {
  std::vector<HtmlBlock> blocks;
  HtmlScanner scanner(text, begin, end);
  HtmlToken token;
  size_t runStart = scanner.Position();
  size_t tableStart = 0;
  int depth = 0;
  for (;;) {
    size_t at = scanner.Position();
    if (!scanner.Next(&token)) break;
    if (token.kind != HtmlToken::kTag || token.name != L"table") continue;
    if (!token.closing) {
      if (depth == 0) {
        if (at > runStart) blocks.push_back(HtmlBlock{false, runStart, at});
        tableStart = at;
      }
      ++depth;
    } else if (depth > 0 && --depth == 0) {
      blocks.push_back(HtmlBlock{true, tableStart, scanner.Position()});
      runStart = scanner.Position();
    }
  }
  size_t stop = scanner.Position();
  if (depth > 0) {
    blocks.push_back(HtmlBlock{true, tableStart, stop});
  } else if (stop > runStart) {
    blocks.push_back(HtmlBlock{false, runStart, stop});
  }
  return blocks;
}

void OffsetHtmlItems(std::vector<HtmlDrawItem>* items, size_t from, int dx, int dy) {
  for (size_t i = from; i < items->size(); ++i) {
    HtmlRect& r = (*items)[i].box;
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
}

HtmlSize LayoutHtmlBlocks(HtmlLayoutContext& ctx, size_t begin, size_t end, int availableWidth,
                          std::vector<HtmlDrawItem>* out) {
  HtmlSize total;
  for (const HtmlBlock& block : SplitHtmlBlocks(ctx.text, begin, end)) {
    if (ctx.budget <= 0) break;
    size_t first = out->size();
    HtmlSize size;
    if (block.table && ctx.tableDepth < HtmlLayoutContext::kMaxTableDepth) {
      ++ctx.tableDepth;
      size = HtmlTableLayout(ctx, availableWidth).Layout(block.begin, block.end, out);
      --ctx.tableDepth;
    } else {
      size = HtmlRunLayout(ctx, availableWidth).Layout(block.begin, block.end, out);
    }
    OffsetHtmlItems(out, first, 0, total.cy);
    total.cx = std::max(total.cx, size.cx);
    total.cy = std::min(total.cy + size.cy, kMaxHtmlSize);
  }
  return total;
}

}  // namespace morvick::html
