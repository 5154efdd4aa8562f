#pragma once
// Splits a stretch of markup into run blocks and table blocks and stacks them top to bottom.

#include <vector>

#include "ui/html/HtmlDisplayList.h"
#include "ui/html/HtmlLayoutContext.h"

namespace morvick::html {

struct HtmlBlock {
  bool table = false;
  size_t begin = 0;
  size_t end = 0;
};

// The blocks of text[begin, end): a table block runs from a "<table" tag to its matching "</table>"
// (nested tables counted) or, unterminated, to the end.
std::vector<HtmlBlock> SplitHtmlBlocks(const std::wstring& text, size_t begin, size_t end);

// Lays the blocks out from (0, 0) and appends their items to out; returns the size.
HtmlSize LayoutHtmlBlocks(HtmlLayoutContext& ctx, size_t begin, size_t end, int availableWidth,
                          std::vector<HtmlDrawItem>* out);

// Moves items by (dx, dy).
void OffsetHtmlItems(std::vector<HtmlDrawItem>* items, size_t from, int dx, int dy);

}  // namespace morvick::html
