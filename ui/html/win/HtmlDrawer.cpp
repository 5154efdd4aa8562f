#include "ui/html/win/HtmlDrawer.h"

#include "ui/html/HtmlLayout.h"
#include "ui/html/HtmlText.h"
#include "ui/html/win/GdiHtmlDevice.h"
#include "ui/html/win/HtmlPainter.h"
#include "ui/html/win/HtmlShell.h"

namespace morvick::html {

namespace {

HtmlColor SystemColour(int index) { return GetSysColor(index); }

// The hand cursor; where the system has none, cursor 106 of the help viewer, copied.
HCURSOR LoadLinkCursor(bool* owned) {
  *owned = false;
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  if (hand) return hand;
  wchar_t path[MAX_PATH];
  UINT n = GetWindowsDirectoryW(path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH - 20) return nullptr;
  lstrcatW(path, L"\\winhlp32.exe");
  HMODULE m = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!m) return nullptr;
  HCURSOR c = LoadCursorW(m, MAKEINTRESOURCEW(106));
  HCURSOR copy = c ? CopyCursor(c) : nullptr;
  FreeLibrary(m);
  *owned = copy != nullptr;
  return copy;
}

}  // namespace

CHtmlDrawer::CHtmlDrawer() : language_(SystemColour) { cursor_ = LoadLinkCursor(&ownsCursor_); }

CHtmlDrawer::~CHtmlDrawer() {
  if (ownsCursor_ && cursor_) DestroyCursor(cursor_);
  if (ownsModule_ && resourceModule_) FreeLibrary(resourceModule_);
}

void CHtmlDrawer::SetWindow(HWND window, UINT message, LPARAM parameter) {
  hoverWindow_ = window;
  hoverMessage_ = window ? message : 0;
  hoverParameter_ = window ? parameter : 0;
}

void CHtmlDrawer::SetMessageLinkTarget(HWND window, UINT message, LPARAM parameter) {
  linkWindow_ = window;
  linkMessage_ = window ? message : 0;
  linkParameter_ = window ? parameter : 0;
}

void CHtmlDrawer::SetLinkCursor(HCURSOR cursor) {
  if (ownsCursor_ && cursor_) DestroyCursor(cursor_);
  ownsCursor_ = false;
  cursor_ = cursor ? cursor : LoadLinkCursor(&ownsCursor_);
}

void CHtmlDrawer::SetResourceModule(HMODULE module, bool owned) {
  if (ownsModule_ && resourceModule_) FreeLibrary(resourceModule_);
  resourceModule_ = module;
  ownsModule_ = owned;
}

SIZE CHtmlDrawer::SetTextAndMeasure(HDC dc, const std::wstring& text) {
  links_.SetAreas({});
  links_.ClearHot();  // a new text starts with no link under the mouse
  layout_ = HtmlLayoutResult();
  prepared_.clear();
  SIZE size = {0, 0};
  if (text.empty() || !dc) return size;
  prepared_ = PrepareHtmlText(text, language_.multiLine);
  GdiHtmlDevice device(dc, resourceModule_);
  HtmlLayoutResult measured = LayoutHtml(language_, device, prepared_, maxWidth_, links_.Hot());
  int width = measured.width;
  if (maxWidth_ > 0 && width > maxWidth_) width = maxWidth_;
  size.cx = width + 1;
  size.cy = measured.height + 1;
  return size;
}

void CHtmlDrawer::Draw(HDC dc, const RECT& rect) {
  if (prepared_.empty() || !dc) return;
  GdiHtmlDevice device(dc, resourceModule_);
  layout_ = LayoutHtml(language_, device, prepared_, rect.right - rect.left, links_.Hot());
  std::vector<HtmlLinkArea> areas = layout_.links;
  for (HtmlLinkArea& a : areas) {
    a.rect.left += rect.left;
    a.rect.right += rect.left;
    a.rect.top += rect.top;
    a.rect.bottom += rect.top;
  }
  links_.SetAreas(std::move(areas));
  PaintHtmlLayout(dc, layout_, rect.left, rect.top, device, manager_, shadow_);
}

bool CHtmlDrawer::HitTest(POINT p) {
  const HtmlLinkArea* under = nullptr;
  if (links_.Track(p.x, p.y, &under) && hoverWindow_ && hoverMessage_) {
    SendMessageW(hoverWindow_, hoverMessage_, static_cast<WPARAM>(links_.Hot()), hoverParameter_);
  }
  if (under && !under->target.empty() && cursor_) {
    SetCursor(cursor_);
    return true;
  }
  return false;
}

bool CHtmlDrawer::Click(POINT p) {
  const HtmlLinkArea* under = links_.Find(p.x, p.y);
  if (!under) return false;
  if (under->kind == kLinkDocument) {
    // Opening a document gives the link cursor back to the default one.
    const std::wstring target = under->target;
    SetLinkCursor(nullptr);
    OpenDocument(target, SW_SHOW);
  } else if (under->kind == kLinkMessage && linkWindow_ && linkMessage_) {
    std::wstring target = under->target;
    SendMessageW(linkWindow_, linkMessage_, reinterpret_cast<WPARAM>(target.c_str()), linkParameter_);
  }
  return true;
}

bool CHtmlDrawer::OpenDocument(const std::wstring& target, int showCommand) {
  return OpenHtmlDocument(target, showCommand);
}

}  // namespace morvick::html
