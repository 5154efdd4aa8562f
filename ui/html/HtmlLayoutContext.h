#pragma once
// State shared by the block, run and table layouts of one layout pass.

#include <string>

#include "ui/html/HtmlStyleState.h"

namespace morvick::html {

struct HtmlLayoutContext {
  // Tables nested deeper than this are laid out as plain runs.
  static constexpr int kMaxTableDepth = 6;
  // Tokens a single pass reads at most; the rest of an absurd text is dropped.
  static constexpr long kTokenBudget = 200000;

  HtmlLayoutContext(const std::wstring& t, HtmlStyleState& s) : text(t), state(s) {}

  const std::wstring& text;
  HtmlStyleState& state;
  long budget = kTokenBudget;
  int tableDepth = 0;
};

}  // namespace morvick::html
