#include "ui/html/HtmlRunLayout.h"

#include <algorithm>
#include <climits>
#include <cwctype>

#include "ui/html/HtmlStrings.h"

namespace morvick::html {

namespace {

std::wstring Transform(const std::wstring& text, int transform) {
  switch (transform) {
    case 1: return ToUpper(text);
    case 2: return ToLower(text);
    case 3: {
      std::wstring r(text);
      bool wordStart = true;
      for (wchar_t& c : r) {
        if (c == L' ') {
          wordStart = true;
        } else {
          if (wordStart) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
          wordStart = false;
        }
      }
      return r;
    }
    default: return text;
  }
}

int CountSpaces(const std::wstring& s) { return static_cast<int>(std::count(s.begin(), s.end(), L' ')); }

}  // namespace

bool HtmlRunLayout::IsBreakChar(wchar_t c) {
  switch (c) {
    case L' ': case L'-': case L'.': case L',': case L'!': case L':':
    case L';': case L')': case L'}': case L']': case L'?':
      return true;
    default:
      return false;
  }
}

HtmlRunLayout::HtmlRunLayout(HtmlLayoutContext& ctx, int availableWidth)
    : ctx_(ctx), state_(ctx.state), available_(std::max(availableWidth, 0)) {}

int HtmlRunLayout::Remaining() const { return available_ > 0 ? available_ - x_ : INT_MAX / 2; }

void HtmlRunLayout::TagLink(HtmlDrawItem* item) const {
  const HtmlStyle& s = state_.Style();
  item->linkKind = s.linkKind;
  item->linkIndex = s.linkKind != kLinkNone ? s.linkIndex : -1;
  if (s.linkKind != kLinkNone) item->linkTarget = s.linkTarget;
}

HtmlSize HtmlRunLayout::Layout(size_t begin, size_t end, std::vector<HtmlDrawItem>* out) {
  out_ = out;
  HtmlScanner scanner(ctx_.text, begin, end);
  HtmlToken token;
  while (ctx_.budget > 0 && scanner.Next(&token)) {
    --ctx_.budget;
    if (token.kind == HtmlToken::kText) {
      AddText(token.text);
    } else {
      AddTag(token);
    }
  }
  if (!line_.empty() || x_ > 0) EndLine(false);
  for (size_t i = 0; i < rules_.size(); ++i) {
    int base = available_ > 0 ? available_ : width_;
    HtmlDrawItem& rule = (*out_)[rules_[i]];
    rule.box.right = rule.box.left + static_cast<int>(static_cast<long long>(base) * rulePercents_[i] / 100);
  }
  return HtmlSize{width_, y_};
}

void HtmlRunLayout::AddTag(const HtmlToken& token) {
  HtmlTagInfo info = FindHtmlTag(token.name);
  switch (info.id) {
    case kTagUnknown:
      break;  // a name the language does not know (names are lower case): ignored
    case kTagRule:
      if (!token.closing) AddRule(HtmlAttributes(token.attributes));
      break;
    case kTagBreak:
      if (!token.closing) EndLine(false);
      break;
    case kTagTab:
      if (!token.closing) {
        int tab = std::max(state_.Language().tabWidth, 1);
        x_ = (x_ / tab + 1) * tab;
        x_ = std::min(x_, kMaxHtmlSize);
      }
      break;
    case kTagBitmap:
    case kTagIcon:
    case kTagImageList:
    case kTagString:
      if (!token.closing) AddObject(token, info.id);
      break;
    case kTagTable:
    case kTagRow:
    case kTagCell:
      break;  // a table tag outside a table block: nothing
    default:
      state_.ApplyTag(token, info);
      break;
  }
}

void HtmlRunLayout::AddText(std::wstring text) {
  text = Transform(text, state_.Style().textTransform);
  while (!text.empty() && ctx_.budget > 0) {
    --ctx_.budget;
    size_t n = text.size();
    cumulative_.assign(n, 0);
    state_.Device().TextExtents(text.data(), n, cumulative_.data());
    int remaining = Remaining();
    if (cumulative_[n - 1] <= remaining) {
      PlaceText(text, cumulative_[n - 1]);
      return;
    }
    long best = -1;
    for (size_t i = 0; i < n && cumulative_[i] <= remaining; ++i) {
      if (IsBreakChar(text[i])) best = static_cast<long>(i);
    }
    bool lineEmpty = line_.empty() && x_ == 0;
    if (best >= 0) {
      std::wstring piece = TrimRight(text.substr(0, best + 1));
      if (!piece.empty()) PlaceText(piece, cumulative_[piece.size() - 1]);
      text = TrimLeft(text.substr(best + 1));
      if (!piece.empty() || !lineEmpty) EndLine(true);
    } else if (lineEmpty) {
      size_t k = 1;
      while (k < n && cumulative_[k] <= remaining) ++k;
      PlaceText(text.substr(0, k), cumulative_[k - 1]);
      text.erase(0, k);
      EndLine(true);
    } else {
      EndLine(true);
      text = TrimLeft(text);
    }
  }
}

void HtmlRunLayout::PlaceText(const std::wstring& piece, int width) {
  const HtmlStyle& s = state_.Style();
  const HtmlFontMetrics& m = state_.Metrics();
  Placed p;
  p.item.kind = HtmlDrawItem::kText;
  p.item.box = HtmlRect{x_, 0, x_ + width, m.height};
  p.item.text = piece;
  p.item.font = HtmlFontSpec::Of(s);
  p.item.color = s.textColor;
  p.item.backColor = s.backColor;
  p.item.backMode = s.backMode;
  p.item.overlineWidth = s.overline ? (s.weight >= 700 ? 2 : 1) : 0;
  TagLink(&p.item);
  p.height = m.height;
  p.ascent = m.ascent;
  p.descent = m.descent;
  p.vAlign = s.vAlign;
  if (line_.empty()) lineAlign_ = s.hAlign;
  line_.push_back(std::move(p));
  x_ = std::min(x_ + width, kMaxHtmlSize);
}

void HtmlRunLayout::AddRule(const HtmlAttributes& a) {
  if (!line_.empty() || x_ > 0) EndLine(false);
  HtmlStyle style = state_.Style();
  HtmlValueContext ctx = state_.Context();
  state_.Language().styleSheet.Apply(L"hr", &style, ctx);
  std::wstring v;
  int percent = 100;
  int fixedWidth = -1;
  if (a.Get(L"width", &v) && !Trim(v).empty()) {
    if (Trim(v).back() == L'%') {
      percent = ParseHtmlSize(v, 100, false, ctx);
    } else {
      fixedWidth = ParseHtmlSize(v, 100, false, ctx);
    }
  }
  int size = 1;
  if (a.Get(L"size", &v)) size = std::clamp(ParseHtmlSize(v, 1, false, ctx), 1, 1000);
  HtmlColor color = style.textColor;
  if (a.Get(L"color", &v)) color = ParseHtmlColor(v, color, ctx);

  HtmlDrawItem item;
  item.kind = HtmlDrawItem::kLine;
  int mid = y_ + 2 + size / 2;
  item.box = HtmlRect{0, mid, fixedWidth >= 0 ? fixedWidth : 0, mid};
  item.color = color;
  item.lineWidth = size;
  item.lineStyle = kBorderSolid;
  out_->push_back(item);
  if (fixedWidth < 0) {
    rules_.push_back(out_->size() - 1);
    rulePercents_.push_back(percent);
  } else {
    width_ = std::max(width_, fixedWidth);
  }
  y_ = std::min(y_ + size + 4, kMaxHtmlSize);
}

void HtmlRunLayout::AddObject(const HtmlToken& token, HtmlTagId tag) {
  HtmlObjectSpec spec = HtmlObjectSpec::Parse(tag, HtmlAttributes(token.attributes), state_.Context());
  if (tag == kTagString) {
    std::wstring text = state_.Device().ObjectString(spec);
    if (text.empty()) return;
    cumulative_.assign(text.size(), 0);
    state_.Device().TextExtents(text.data(), text.size(), cumulative_.data());
    PlaceText(text, cumulative_.back());
    return;
  }
  HtmlSize size = state_.Device().ObjectSize(spec);
  if (size.cx <= 0 || size.cy <= 0) return;  // cannot be loaded: takes no room
  size.cx = std::min(size.cx, kMaxHtmlSize);
  size.cy = std::min(size.cy, kMaxHtmlSize);
  if (available_ > 0 && x_ > 0 && x_ + size.cx > available_) EndLine(true);
  const HtmlStyle& s = state_.Style();
  Placed p;
  p.item.kind = HtmlDrawItem::kObject;
  p.item.box = HtmlRect{x_, 0, x_ + size.cx, size.cy};
  p.item.object = spec;
  TagLink(&p.item);
  p.item.hot = s.linkKind != kLinkNone && s.linkIndex == state_.HotLink();
  p.height = size.cy;
  p.ascent = size.cy;
  p.vAlign = s.vAlign;
  p.isObject = true;
  if (line_.empty()) lineAlign_ = s.hAlign;
  line_.push_back(std::move(p));
  x_ = std::min(x_ + size.cx, kMaxHtmlSize);
}

void HtmlRunLayout::EndLine(bool wrapped) {
  int maxHeight = 0;
  int maxDescent = 0;
  for (const Placed& p : line_) {
    maxHeight = std::max(maxHeight, p.height);
    if (!p.isObject) maxDescent = std::max(maxDescent, p.descent);
  }
  if (line_.empty()) maxHeight = state_.Metrics().height;
  int lineHeight = maxHeight + maxDescent;
  int lineWidth = x_;
  int align = lineAlign_ >= 0 ? lineAlign_ : state_.Style().hAlign;

  int shift = 0;
  int extra = 0;
  int breaks = 0;
  if (available_ > 0 && lineWidth < available_) {
    if (align == kAlignCenter) shift = (available_ - lineWidth) / 2;
    if (align == kAlignRight) shift = available_ - lineWidth;
    if (align == kAlignJustify && wrapped) {
      extra = available_ - lineWidth;
      for (const Placed& p : line_) {
        if (p.item.kind == HtmlDrawItem::kText) breaks += CountSpaces(p.item.text);
      }
    }
  }

  int given = 0;  // justification pixels given to the pieces so far
  int breaksSoFar = 0;
  for (Placed& p : line_) {
    int offset;
    int ascent = p.isObject ? p.height : p.ascent;
    switch (p.vAlign) {
      case kVAlignTop: offset = 0; break;
      case kVAlignMiddle: offset = (maxHeight - p.height) / 2; break;
      case kVAlignBottom: offset = maxHeight - ascent; break;
      default: offset = maxHeight - ascent - maxDescent; break;
    }
    offset = std::max(0, std::min(offset, lineHeight - p.height));
    HtmlDrawItem& item = p.item;
    item.box.left += shift + given;
    item.box.right += shift + given;
    item.box.top += y_ + offset;
    item.box.bottom += y_ + offset;
    if (breaks > 0 && item.kind == HtmlDrawItem::kText) {
      int mine = CountSpaces(item.text);
      int share = static_cast<int>(static_cast<long long>(extra) * (breaksSoFar + mine) / breaks -
                                   static_cast<long long>(extra) * breaksSoFar / breaks);
      breaksSoFar += mine;
      item.justifyExtra = share;
      item.justifyBreaks = mine;
      item.box.right += share;
      given += share;
    }
    out_->push_back(std::move(item));
  }
  width_ = std::max(width_, lineWidth + given);
  y_ = std::min(y_ + lineHeight, kMaxHtmlSize);
  x_ = 0;
  line_.clear();
  lineAlign_ = -1;
}

}  // namespace morvick::html
