#pragma once
// The current style and the style stack while a text is laid out, and how tags change them.

#include <string>
#include <vector>

#include "ui/html/HtmlDevice.h"
#include "ui/html/HtmlLanguage.h"
#include "ui/html/HtmlScanner.h"
#include "ui/html/HtmlStyle.h"
#include "ui/html/HtmlTags.h"

namespace morvick::html {

class HtmlStyleState {
 public:
  // Deeper nesting than this is not pushed: the opening tag is ignored.
  static constexpr size_t kMaxDepth = 256;

  HtmlStyleState(const HtmlLanguage& language, HtmlDevice& device, int hotLink);

  // Back to the reset style with the "body" rule applied and an empty stack.
  void Reset();

  const HtmlStyle& Style() const { return style_; }
  HtmlStyle& MutableStyle() { return style_; }
  const HtmlFontMetrics& Metrics() const { return metrics_; }
  HtmlValueContext Context() const;
  const HtmlLanguage& Language() const { return language_; }
  HtmlDevice& Device() { return device_; }

  // Makes the device's font match the style (after any change of the style).
  void Refresh();

  // Applies a style tag (ids 1-5, 9-16, 21-23) and refreshes the font.
  void ApplyTag(const HtmlToken& token, const HtmlTagInfo& info);

  // Opens a level named name (pushes) and applies the style-sheet rule of the same name.
  bool Push(const wchar_t* name);
  // Closes the top level when it carries this name.
  bool Pop(const wchar_t* name);
  size_t Depth() const { return stack_.size(); }
  // Closes every level above depth (levels that a block left open).
  void Unwind(size_t depth);

  int HotLink() const { return hotLink_; }
  int NextLinkIndex() const { return nextLink_; }
  void SetNextLinkIndex(int index) { nextLink_ = index; }

 private:
  void ApplyFontAttributes(const HtmlAttributes& attributes);
  void ApplyLink(const HtmlAttributes& attributes);

  const HtmlLanguage& language_;
  HtmlDevice& device_;
  int hotLink_;
  int nextLink_ = 0;
  HtmlStyle style_;
  std::vector<HtmlStyle> stack_;
  HtmlFontMetrics metrics_;
  HtmlFontSpec selected_;
  bool haveSelected_ = false;
};

}  // namespace morvick::html
