#include "ui/html/HtmlStyleState.h"

#include <algorithm>

namespace morvick::html {

HtmlStyleState::HtmlStyleState(const HtmlLanguage& language, HtmlDevice& device, int hotLink)
    : language_(language), device_(device), hotLink_(hotLink) {
  Reset();
}

HtmlValueContext HtmlStyleState::Context() const {
  HtmlValueContext ctx;
  ctx.fontHeight = metrics_.height > 0 ? metrics_.height : style_.fontSize;
  ctx.xHeight = metrics_.xHeight;
  ctx.dpiY = device_.PixelsPerInchY();
  ctx.colorsEnabled = language_.colorsEnabled;
  ctx.disabledColor = language_.disabledColor;
  ctx.colors = &language_.colors;
  return ctx;
}

void HtmlStyleState::Reset() {
  style_ = HtmlStyle();
  stack_.clear();
  nextLink_ = 0;
  Refresh();
  language_.styleSheet.Apply(L"body", &style_, Context());
  Refresh();
}

void HtmlStyleState::Refresh() {
  style_.fontSize = std::clamp(style_.fontSize, 1, 1000);
  style_.weight = std::clamp(style_.weight, 0, 1000);
  HtmlFontSpec spec = HtmlFontSpec::Of(style_);
  if (!haveSelected_ || spec != selected_) {
    metrics_ = device_.SelectFont(spec);
    selected_ = spec;
    haveSelected_ = true;
  }
}

bool HtmlStyleState::Push(const wchar_t* name) {
  if (stack_.size() >= kMaxDepth) return false;
  style_.tagName = name;
  stack_.push_back(style_);
  language_.styleSheet.Apply(name, &style_, Context());
  Refresh();
  return true;
}

bool HtmlStyleState::Pop(const wchar_t* name) {
  if (stack_.empty() || stack_.back().tagName != name) return false;
  style_ = stack_.back();
  stack_.pop_back();
  Refresh();
  return true;
}

void HtmlStyleState::Unwind(size_t depth) {
  if (stack_.size() <= depth) return;
  style_ = stack_[depth];
  stack_.resize(depth);
  Refresh();
}

void HtmlStyleState::ApplyTag(const HtmlToken& token, const HtmlTagInfo& info) {
  if (!info.styleName) return;
  if (token.closing) {
    Pop(info.styleName);
    return;
  }
  if (stack_.size() >= kMaxDepth) return;
  style_.tagName = info.styleName;
  stack_.push_back(style_);
  HtmlAttributes attributes(token.attributes);
  HtmlValueContext ctx = Context();
  switch (info.id) {
    case kTagBold: style_.weight = std::min(style_.weight * 2, 900); break;
    case kTagItalic: style_.italic = !style_.italic; break;
    case kTagUnderline: style_.underline = !style_.underline; break;
    case kTagStrikeout: style_.strikeout = !style_.strikeout; break;
    case kTagFont: ApplyFontAttributes(attributes); break;
    case kTagLeft: style_.hAlign = kAlignLeft; break;
    case kTagCenter: style_.hAlign = kAlignCenter; break;
    case kTagRight: style_.hAlign = kAlignRight; break;
    case kTagJustify: style_.hAlign = kAlignJustify; break;
    case kTagBaseline: style_.vAlign = kVAlignBaseline; break;
    case kTagTop: style_.vAlign = kVAlignTop; break;
    case kTagVCenter: style_.vAlign = kVAlignMiddle; break;
    case kTagBottom: style_.vAlign = kVAlignBottom; break;
    case kTagStyleSheet: language_.styleSheet.Apply(token.name, &style_, ctx); break;
    case kTagSpan: {
      std::wstring cls;
      if (attributes.Get(L"class", &cls)) language_.styleSheet.Apply(L"." + cls, &style_, ctx);
      break;
    }
    case kTagLink: ApplyLink(attributes); break;
    default: break;
  }
  Refresh();
}

void HtmlStyleState::ApplyFontAttributes(const HtmlAttributes& a) {
  HtmlValueContext ctx = Context();
  std::wstring v;
  if (a.Get(L"face", &v) && !v.empty()) style_.face = v;
  if (a.Get(L"size", &v)) style_.fontSize = ParseHtmlSize(v, style_.fontSize, true, ctx);
  if (a.Get(L"color", &v)) style_.textColor = ParseHtmlColor(v, style_.textColor, ctx);
  if (a.Get(L"style", &v)) {
    bool on = true;
    for (wchar_t c : v) {
      switch (c) {
        case L'-': on = false; continue;
        case L'+': continue;
        case L'b': style_.weight = on ? 700 : 400; break;
        case L'i': style_.italic = on; break;
        case L'u': style_.underline = on; break;
        case L's': style_.strikeout = on; break;
        case L'o': style_.overline = on; break;
        default: break;
      }
      on = true;
    }
  }
  if (a.Get(L"weight", &v)) style_.weight = ParseHtmlFontWeight(v, style_.weight);
  if (a.Get(L"bkgnd", &v)) {
    if (v == L"transparent") {
      style_.backMode = 1;
    } else {
      style_.backMode = 2;
      style_.backColor = ParseHtmlColor(v, style_.backColor, ctx);
    }
  }
}

void HtmlStyleState::ApplyLink(const HtmlAttributes& a) {
  std::wstring v;
  style_.linkKind = kLinkMessage;
  style_.linkTarget.clear();
  if (a.Get(L"href", &v)) {
    style_.linkKind = kLinkDocument;
    style_.linkTarget = v;
  } else if (a.Get(L"msg", &v)) {
    style_.linkTarget = v;
  }
  style_.linkIndex = nextLink_++;
  language_.styleSheet.Apply(style_.linkIndex == hotLink_ ? L"a:hover" : L"a:link", &style_, Context());
}

}  // namespace morvick::html
