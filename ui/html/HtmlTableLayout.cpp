#include "ui/html/HtmlTableLayout.h"

#include <algorithm>

#include "ui/html/HtmlBlockLayout.h"
#include "ui/html/HtmlStrings.h"

namespace morvick::html {

namespace {

int BorderThickness(const HtmlStyle& s) {
  if (s.borderStyle == kBorderNone || s.borderWidth <= 0) return 0;
  return s.borderStyle == kBorderDouble ? 3 : std::min(s.borderWidth, 1000);
}

int SpanOf(const HtmlAttributes& a, const wchar_t* name) {
  std::wstring v;
  long long n = 1;
  if (!a.Get(name, &v) || !ParseInteger(Trim(v), &n)) return 1;
  return ClampToInt(n, 1, 100000);
}

}  // namespace

HtmlTableLayout::HtmlTableLayout(HtmlLayoutContext& ctx, int availableWidth)
    : ctx_(ctx), state_(ctx.state), available_(std::max(availableWidth, 0)) {}

void HtmlTableLayout::Parse(size_t begin, size_t end) {
  HtmlScanner scanner(ctx_.text, begin, end);
  HtmlToken token;
  if (!scanner.Next(&token)) return;
  tableAttributes_ = token.attributes;
  int depth = 0;
  bool rowOpen = false;
  bool cellOpen = false;
  auto closeCell = [&](size_t at) {
    if (cellOpen) rows_.back().cells.back().end = at;
    cellOpen = false;
  };
  for (;;) {
    size_t at = scanner.Position();
    if (ctx_.budget <= 0 || !scanner.Next(&token)) {
      closeCell(scanner.Position());
      break;
    }
    --ctx_.budget;
    if (token.kind != HtmlToken::kTag) continue;
    if (token.name == L"table") {
      if (!token.closing) {
        ++depth;
      } else if (depth > 0) {
        --depth;
      } else {
        closeCell(at);
        break;
      }
      continue;
    }
    if (depth > 0) continue;
    if (token.name == L"tr") {
      closeCell(at);
      rowOpen = false;
      if (!token.closing && static_cast<int>(rows_.size()) < kMaxRows) {
        rows_.push_back(RowSource{token.attributes, {}});
        rowOpen = true;
      }
    } else if (token.name == L"td") {
      closeCell(at);
      if (!token.closing && rowOpen) {
        CellSource cell;
        cell.attributes = token.attributes;
        cell.begin = cell.end = scanner.Position();
        rows_.back().cells.push_back(cell);
        cellOpen = true;
      }
    }
  }
}

void HtmlTableLayout::Place() {
  int rowCount = static_cast<int>(rows_.size());
  std::vector<std::vector<char>> used(rowCount);
  for (int r = 0; r < rowCount; ++r) {
    int col = 0;
    for (CellSource& src : rows_[r].cells) {
      auto& slots = used[r];
      while (col < static_cast<int>(slots.size()) && slots[col]) ++col;
      if (col >= kMaxColumns) break;
      HtmlAttributes a(src.attributes);
      Cell cell;
      cell.row = r;
      cell.col = col;
      cell.colSpan = std::min(SpanOf(a, L"colspan"), kMaxColumns - col);
      cell.rowSpan = std::min(SpanOf(a, L"rowspan"), rowCount - r);
      ctx_.budget -= static_cast<long>(cell.colSpan) * cell.rowSpan;
      if (ctx_.budget <= 0) return;
      for (int rr = r; rr < r + cell.rowSpan; ++rr) {
        auto& row = used[rr];
        if (static_cast<int>(row.size()) < col + cell.colSpan) row.resize(col + cell.colSpan, 0);
        for (int cc = col; cc < col + cell.colSpan; ++cc) row[cc] = 1;
      }
      src.placed = static_cast<int>(cells_.size());
      cells_.push_back(cell);
      columns_ = std::max(columns_, col + cell.colSpan);
      col += cell.colSpan;
    }
  }
}

void HtmlTableLayout::ApplyBoxAttributes(const std::wstring& text, bool isCell) {
  HtmlStyle& s = state_.MutableStyle();
  // Sizes, fills and images belong to the element that names them, not to what it contains.
  s.width = s.height = 0;
  s.fillEffect = -1;
  s.backImage.clear();
  HtmlAttributes a(text);
  HtmlValueContext ctx = state_.Context();
  std::wstring v;
  if (a.Get(L"cellpadding", &v)) s.cellPadding = ParseHtmlSize(v, s.cellPadding, false, ctx);
  if (a.Get(L"cellspacing", &v)) s.cellSpacing = ParseHtmlSize(v, s.cellSpacing, false, ctx);
  if (a.Get(L"background", &v)) s.backImage = v;
  bool hasWidth = a.Get(L"border", &v);
  if (hasWidth) s.borderWidth = ParseHtmlSize(v, s.borderWidth, false, ctx);
  bool hasStyle = a.Get(L"borderstyle", &v);
  if (hasStyle) s.borderStyle = ParseHtmlBorderStyle(v, s.borderStyle);
  if (hasWidth || hasStyle) {
    if (s.borderWidth > 0 && s.borderStyle == kBorderNone) s.borderStyle = kBorderSolid;
    if (s.borderStyle != kBorderNone && s.borderWidth <= 0) s.borderWidth = 1;
  }
  if (a.Get(L"bordercolor", &v)) s.borderLight = s.borderDark = ParseHtmlColor(v, s.borderLight, ctx);
  if (a.Get(L"bordercolorlight", &v)) s.borderLight = ParseHtmlColor(v, s.borderLight, ctx);
  if (a.Get(L"bordercolordark", &v)) s.borderDark = ParseHtmlColor(v, s.borderDark, ctx);
  if (a.Get(L"bgcolor", &v)) s.backColor = ParseHtmlColor(v, s.backColor, ctx);
  if (a.Get(L"bgmidcolor", &v)) s.midColor = ParseHtmlColor(v, s.midColor, ctx);
  if (a.Get(L"bgendcolor", &v)) s.endColor = ParseHtmlColor(v, s.endColor, ctx);
  if (a.Get(L"bgeffect", &v)) s.fillEffect = ParseHtmlFillEffect(v, s.fillEffect, ctx);
  if (a.Get(L"align", &v)) s.hAlign = ParseHtmlAlign(v, s.hAlign);
  if (a.Get(L"valign", &v)) s.vAlign = ParseHtmlVAlign(v, s.vAlign);
  if (a.Get(L"width", &v)) s.width = std::max(0, ParseHtmlSize(v, available_, false, ctx));
  if (a.Get(L"height", &v)) s.height = std::max(0, ParseHtmlSize(v, 0, false, ctx));
  (void)isCell;
  state_.Refresh();
}

void HtmlTableLayout::ForEachCell(const std::function<void(Cell&, const CellSource&)>& visit) {
  for (RowSource& row : rows_) {
    size_t rowDepth = state_.Depth();
    if (!state_.Push(L"tr")) return;
    ApplyBoxAttributes(row.attributes, false);
    for (const CellSource& src : row.cells) {
      if (src.placed < 0 || ctx_.budget <= 0) continue;
      size_t cellDepth = state_.Depth();
      if (!state_.Push(L"td")) break;
      ApplyBoxAttributes(src.attributes, true);
      visit(cells_[src.placed], src);
      state_.Unwind(cellDepth);
    }
    state_.Unwind(rowDepth);
  }
}

void HtmlTableLayout::Grow(std::vector<int>* sizes, int first, int count, int gap, int need) {
  long long have = static_cast<long long>(count - 1) * gap;
  for (int i = first; i < first + count; ++i) have += (*sizes)[i];
  if (need <= have) return;
  long long extra = need - have;
  for (int i = 0; i < count; ++i) {
    long long share = (i == count - 1) ? extra - extra / count * (count - 1) : extra / count;
    (*sizes)[first + i] = ClampToInt((*sizes)[first + i] + share, 0, kMaxHtmlSize);
  }
}

HtmlSize HtmlTableLayout::Layout(size_t begin, size_t end, std::vector<HtmlDrawItem>* out) {
  size_t depth0 = state_.Depth();
  int linkStart = state_.NextLinkIndex();
  Parse(begin, end);
  if (!state_.Push(L"table")) return HtmlSize{};
  ApplyBoxAttributes(tableAttributes_, false);
  const HtmlStyle table = state_.Style();
  Place();
  if (cells_.empty() || columns_ == 0) {
    state_.Unwind(depth0);
    return HtmlSize{};
  }

  // Measure every cell's content.
  std::vector<HtmlDrawItem> scratch;
  ForEachCell([&](Cell& cell, const CellSource& src) {
    cell.style = state_.Style();
    cell.inset = BorderThickness(cell.style) + std::clamp(cell.style.cellPadding, 0, 1000);
    // A cell's content wraps at its own width, or at the width the table may take.
    int limit = cell.style.width > 0 ? std::max(cell.style.width - 2 * cell.inset, 1)
                                     : (available_ > 0 ? std::max(available_ - 2 * cell.inset, 1) : 0);
    scratch.clear();
    cell.content = LayoutHtmlBlocks(ctx_, src.begin, src.end, limit, &scratch);
  });

  int rowCount = static_cast<int>(rows_.size());
  int spacing = std::clamp(table.cellSpacing, 0, 1000);
  std::vector<int> colWidth(columns_, 0), rowHeight(rowCount, 0);
  std::vector<char> colFixed(columns_, 0), rowFixed(rowCount, 0);
  for (int pass = 0; pass < 2; ++pass) {  // single cells first, then the spanning ones
    for (const Cell& c : cells_) {
      if ((c.colSpan > 1) == (pass == 0)) continue;
      int needW = std::max(c.content.cx + 2 * c.inset, c.style.width);
      if (c.style.width > 0 && c.colSpan == 1) colFixed[c.col] = 1;
      Grow(&colWidth, c.col, c.colSpan, spacing + 1, needW);
    }
    for (const Cell& c : cells_) {
      if ((c.rowSpan > 1) == (pass == 0)) continue;
      int needH = std::max(c.content.cy + 2 * c.inset, c.style.height);
      if (c.style.height > 0 && c.rowSpan == 1) rowFixed[c.row] = 1;
      Grow(&rowHeight, c.row, c.rowSpan, spacing + 1, needH);
    }
  }

  int border = BorderThickness(table);
  auto total = [&](const std::vector<int>& sizes) {
    long long t = static_cast<long long>(sizes.size() + 1) * spacing + static_cast<long long>(sizes.size()) - 1 +
                  2LL * border;
    for (int v : sizes) t += v;
    return ClampToInt(t, 0, kMaxHtmlSize);
  };
  auto share = [](std::vector<int>* sizes, const std::vector<char>& fixed, int surplus) {
    int open = 0;
    for (char f : fixed) open += f ? 0 : 1;
    for (size_t i = 0; i < sizes->size() && open > 0; ++i) {
      if (fixed[i]) continue;
      int part = open == 1 ? surplus : surplus / open;
      (*sizes)[i] += part;
      surplus -= part;
      --open;
    }
  };
  int width = total(colWidth);
  // What the table needs: a table of auto width is measured at that, however much room there is,
  // so that a box sized by the measure is not stretched to the widest it may be.
  const int needed = width;
  int target = table.width > 0 ? table.width : available_;
  if (target > width) {
    share(&colWidth, colFixed, target - width);
    width = total(colWidth);
  }
  int height = total(rowHeight);
  if (table.height > height) {
    share(&rowHeight, rowFixed, table.height - height);
    height = total(rowHeight);
  }
  int shift = 0;
  if (available_ > width) {
    if (table.hAlign == kAlignCenter) shift = (available_ - width) / 2;
    if (table.hAlign == kAlignRight) shift = available_ - width;
  }

  const HtmlLanguage& lang = state_.Language();
  auto addBox = [&](const HtmlStyle& s, const HtmlRect& r, bool isTable) {
    if (s.fillEffect >= 0) {
      HtmlDrawItem fill;
      fill.kind = HtmlDrawItem::kFill;
      fill.box = r;
      fill.effect = s.fillEffect;
      fill.color = s.backColor;
      fill.color2 = s.midColor;
      fill.color3 = s.endColor;
      out->push_back(fill);
    } else if (isTable && s.backImage.size() >= 6 && lang.colorsEnabled) {
      HtmlDrawItem tile;
      tile.kind = HtmlDrawItem::kTile;
      tile.box = r;
      tile.image = s.backImage;
      out->push_back(tile);
    }
    if (BorderThickness(s) > 0) {
      HtmlDrawItem b;
      b.kind = HtmlDrawItem::kBorder;
      b.box = r;
      b.color = lang.colorsEnabled ? s.borderLight : lang.disabledColor;
      b.darkColor = lang.colorsEnabled ? s.borderDark : lang.disabledColor;
      b.lineStyle = s.borderStyle;
      b.lineWidth = s.borderWidth;
      out->push_back(b);
    }
  };
  addBox(table, HtmlRect{shift, 0, shift + width, height}, true);

  std::vector<int> colX(columns_ + 1), rowY(rowCount + 1);
  colX[0] = shift + border + spacing;
  for (int c = 0; c < columns_; ++c) colX[c + 1] = ClampToInt(static_cast<long long>(colX[c]) + colWidth[c] + 1 + spacing, 0, kMaxHtmlSize);
  rowY[0] = border + spacing;
  for (int r = 0; r < rowCount; ++r) rowY[r + 1] = ClampToInt(static_cast<long long>(rowY[r]) + rowHeight[r] + 1 + spacing, 0, kMaxHtmlSize);

  // Lay every cell out again at its final width and put it in place.
  state_.SetNextLinkIndex(linkStart);
  ForEachCell([&](Cell& cell, const CellSource& src) {
    HtmlRect r;
    r.left = colX[cell.col];
    r.right = colX[cell.col + cell.colSpan] - 1 - spacing;
    r.top = rowY[cell.row];
    r.bottom = rowY[cell.row + cell.rowSpan] - 1 - spacing;
    addBox(state_.Style(), r, false);
    int innerWidth = std::max(r.Width() - 2 * cell.inset, 1);
    int innerHeight = r.Height() - 2 * cell.inset;
    size_t first = out->size();
    HtmlSize content = LayoutHtmlBlocks(ctx_, src.begin, src.end, innerWidth, out);
    int dy = 0;
    if (cell.style.vAlign == kVAlignMiddle) dy = std::max(0, (innerHeight - content.cy) / 2);
    if (cell.style.vAlign == kVAlignBottom) dy = std::max(0, innerHeight - content.cy);
    OffsetHtmlItems(out, first, r.left + cell.inset, r.top + cell.inset + dy);
  });
  state_.Unwind(depth0);
  return HtmlSize{table.width > 0 ? shift + width : std::max(shift + needed, 0), height};
}

}  // namespace morvick::html
