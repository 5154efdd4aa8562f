#pragma once
// Draws short texts in the program's markup: measures them, draws them into a rectangle, and
// tracks and opens their links.

#include <windows.h>

#include <string>

#include "ui/html/HtmlDisplayList.h"
#include "ui/html/HtmlLanguage.h"
#include "ui/html/HtmlLinkTracker.h"
#include "ui/html/win/HtmlDrawManager.h"

namespace morvick::html {

class CHtmlDrawer {
 public:
  CHtmlDrawer();
  ~CHtmlDrawer();
  CHtmlDrawer(const CHtmlDrawer&) = delete;
  CHtmlDrawer& operator=(const CHtmlDrawer&) = delete;

  // Hover notifications: message(hot link index or -2, parameter) to window. Window 0 clears.
  void SetWindow(HWND window, UINT message, LPARAM parameter);
  // Message links: message(target text, parameter) to window.
  void SetMessageLinkTarget(HWND window, UINT message, LPARAM parameter);

  // Prepares and measures a text; the size is one larger than the laid-out size (0 x 0 for an
  // empty text). Measured with the DC's current font settings ignored: the text's own styles rule.
  SIZE SetTextAndMeasure(HDC dc, const std::wstring& text);
  // Lays the text out inside rect and draws it.
  void Draw(HDC dc, const RECT& rect);

  // The link under a point (client coordinates of the last Draw): updates the hot link (telling the
  // bound window once per change) and sets the link cursor. True when the cursor was set.
  bool HitTest(POINT point);
  // Activates the link under a point: a document link is opened (and the link cursor set back to
  // the default), a message link sends its message. True when there was a link.
  bool Click(POINT point);
  static bool OpenDocument(const std::wstring& target, int showCommand);

  void SetLinkCursor(HCURSOR cursor);  // null: the system hand
  void SetMultiLine(bool on) { language_.multiLine = on; }
  void SetMaxWidth(int width) { maxWidth_ = width < 0 ? 0 : width; }
  void SetResourceModule(HMODULE module, bool owned);
  void SetStyleSheet(const wchar_t* text) { language_.styleSheet.Set(text); }
  void SetShadow(const HtmlShadow& shadow) { shadow_ = shadow; }
  void SetColorsEnabled(bool on) { language_.colorsEnabled = on; }
  void SetDisabledColor(COLORREF c) { language_.disabledColor = c; }

  const std::wstring& PreparedText() const { return prepared_; }
  const HtmlLayoutResult& LastLayout() const { return layout_; }
  int HotLink() const { return links_.Hot(); }

 private:
  HtmlLanguage language_;
  HtmlShadow shadow_;
  CHtmlDrawManager manager_;
  HtmlLinkTracker links_;
  HtmlLayoutResult layout_;
  std::wstring prepared_;
  int maxWidth_ = 0;
  HMODULE resourceModule_ = nullptr;
  bool ownsModule_ = false;
  HCURSOR cursor_ = nullptr;
  bool ownsCursor_ = false;
  HWND hoverWindow_ = nullptr;
  UINT hoverMessage_ = 0;
  LPARAM hoverParameter_ = 0;
  HWND linkWindow_ = nullptr;
  UINT linkMessage_ = 0;
  LPARAM linkParameter_ = 0;
};

}  // namespace morvick::html
