#pragma once
// Which link is under the mouse: hit tests over the link areas of the last layout and the hot link.

#include <vector>

#include "ui/html/HtmlDisplayList.h"

namespace morvick::html {

class HtmlLinkTracker {
 public:
  static constexpr int kNoLink = -2;

  void SetAreas(std::vector<HtmlLinkArea> areas) { areas_ = std::move(areas); }
  const std::vector<HtmlLinkArea>& Areas() const { return areas_; }

  // The first link area that contains the point (edges included), or null.
  const HtmlLinkArea* Find(int x, int y) const;

  // Makes the link under the point the hot link. Returns true when the hot link changed (the
  // owner is then told once, and repaints).
  bool Track(int x, int y, const HtmlLinkArea** under);

  int Hot() const { return hot_; }
  void ClearHot() { hot_ = kNoLink; }

 private:
  std::vector<HtmlLinkArea> areas_;
  int hot_ = kNoLink;
};

}  // namespace morvick::html
