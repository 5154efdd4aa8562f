#include "ui/html/HtmlLinkTracker.h"

namespace morvick::html {

const HtmlLinkArea* HtmlLinkTracker::Find(int x, int y) const {
  for (const HtmlLinkArea& a : areas_) {
    if (a.rect.Contains(x, y)) return &a;
  }
  return nullptr;
}

bool HtmlLinkTracker::Track(int x, int y, const HtmlLinkArea** under) {
  const HtmlLinkArea* link = Find(x, y);
  if (under) *under = link;
  int index = link ? link->index : kNoLink;
  if (index == hot_) return false;
  hot_ = index;
  return true;
}

}  // namespace morvick::html
