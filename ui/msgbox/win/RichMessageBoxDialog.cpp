#include "ui/msgbox/win/RichMessageBoxDialog.h"

#include <algorithm>
#include <cwchar>

#include "ui/msgbox/win/RichMessageBox.h"
#include "ui/msgbox/win/RichMsgBoxButtons.h"

namespace morvick::ui {

namespace {

constexpr UINT_PTR kCountdownTimer = 1;
const wchar_t kBoxProperty[] = L"Morvick.RichMessageBox";

bool IsId(LPCWSTR s) { return s && IS_INTRESOURCE(s); }

SIZE MeasureText(HDC dc, const std::wstring& text) {
  SIZE s = {0, 0};
  if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &s);
  return s;
}

std::wstring WindowText(HWND w) {
  wchar_t buffer[261] = {};
  int n = GetWindowTextW(w, buffer, 261);
  return std::wstring(buffer, n > 0 ? n : 0);
}

}  // namespace

CRichMessageBox::CRichMessageBox(const RichMsgBoxParams& params) : p_(params) {
  if (!p_.stringModule) p_.stringModule = GetModuleHandleW(nullptr);
  if (!p_.iconModule) p_.iconModule = GetModuleHandleW(nullptr);
  caption_ = LoadText(p_.caption);
  if (caption_.empty() && p_.owner) caption_ = WindowText(p_.owner);
  if (caption_.empty()) caption_ = L"Error";
  NONCLIENTMETRICSW ncm = {};
  ncm.cbSize = sizeof(ncm);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) font_ = CreateFontIndirectW(&ncm.lfMessageFont);
  if (!font_) {
    LOGFONTW lf = {};
    lf.lfHeight = -11;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    font_ = CreateFontIndirectW(&lf);
  }
  icon_ = LoadMessageIcon();
}

CRichMessageBox::~CRichMessageBox() {
  if (font_) DeleteObject(font_);
  if (background_) DeleteObject(background_);
  if (icon_) DestroyIcon(icon_);
}

bool CRichMessageBox::HasReport() const { return p_.reportMessage && p_.owner; }

int CRichMessageBox::UnattendedAnswer() const {
  const size_t custom = RichMsgBoxCustomLines(LoadText(p_.customButtons)).size();
  const std::vector<UINT> ids = RichMsgBoxButtonIds(p_.style, custom, HasReport(), !LoadText(p_.detailsText).empty());
  if (ids.empty()) return IDCANCEL;
  // "More >>" and "Help" leave a box open: nobody answering takes the close box's answer then.
  UINT id = ids[RichMsgBoxDefaultIndex(p_.style, ids.size())];
  if (id == kRmbIdMore || id == 9) id = IDCANCEL;
  const bool ticked = (p_.style & kRmbCheckBox) && (p_.style & kRmbChecked);
  return static_cast<int>(id | (ticked ? kRmbChecked : 0));
}

CRichMessageBox* CRichMessageBox::FromWindow(HWND window) {
  return static_cast<CRichMessageBox*>(GetPropW(window, kBoxProperty));
}

std::wstring CRichMessageBox::LoadText(LPCWSTR field) const {
  if (!field) return L"";
  if (!IsId(field)) return field;
  if (!p_.stringModule || (p_.style & kRmbTextsOnly)) return L"";
  wchar_t buffer[261] = {};
  int n = LoadStringW(p_.stringModule, static_cast<UINT>(reinterpret_cast<UINT_PTR>(field)), buffer, 261);
  return std::wstring(buffer, n > 0 ? n : 0);
}

std::wstring CRichMessageBox::ButtonText(UINT id, const std::wstring& given) const {
  std::wstring text;
  if (p_.buttonTexts) {
    auto it = p_.buttonTexts->find(id);
    if (it != p_.buttonTexts->end()) text = LoadText(it->second);
  }
  const RichMsgBoxButtonInfo* info = FindRichMsgBoxButton(id);
  if (text.empty() && info && p_.stringModule && !(p_.style & kRmbTextsOnly)) {
    wchar_t buffer[261] = {};
    int n = LoadStringW(p_.stringModule, info->stringId, buffer, 261);
    text.assign(buffer, n > 0 ? n : 0);
  }
  if (text.empty()) text = !given.empty() ? given : (info ? info->text : L"");
  return text;
}

HICON CRichMessageBox::LoadMessageIcon() const {
  LPCWSTR system = nullptr;
  switch (p_.style & 0xF0) {
    case MB_ICONHAND: system = IDI_HAND; break;
    case MB_ICONQUESTION: system = IDI_QUESTION; break;
    case MB_ICONEXCLAMATION: system = IDI_EXCLAMATION; break;
    case MB_ICONASTERISK: system = IDI_ASTERISK; break;
    case MB_USERICON:
      if (p_.userIcon == 0) return nullptr;
      return static_cast<HICON>(LoadImageW(p_.iconModule, MAKEINTRESOURCEW(p_.userIcon), IMAGE_ICON, 0, 0, 0));
    default: return nullptr;
  }
  HICON shared = LoadIconW(nullptr, system);
  return shared ? CopyIcon(shared) : nullptr;
}

RECT CRichMessageBox::HeaderRect() const { return RECT{0, 0, clientWidth_, headerHeight_}; }
RECT CRichMessageBox::BodyRect() const { return RECT{0, headerHeight_, clientWidth_, headerHeight_ + bodyHeight_}; }
// The button area takes in the row of buttons and the details start below it: drawn from the button
// area's own height, the details would lie under the buttons.
RECT CRichMessageBox::ButtonAreaRect() const {
  return RECT{0, headerHeight_ + bodyHeight_, clientWidth_, CollapsedClientHeight()};
}
RECT CRichMessageBox::DetailsRect() const {
  int top = CollapsedClientHeight();
  return RECT{0, top, clientWidth_, top + detailsHeight_};
}
int CRichMessageBox::CollapsedClientHeight() const {
  return headerHeight_ + bodyHeight_ + buttonAreaHeight_ + (buttons_.empty() ? 0 : buttonHeight_);
}

INT_PTR CALLBACK CRichMessageBox::DialogProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  CRichMessageBox* box = m == WM_INITDIALOG ? reinterpret_cast<CRichMessageBox*>(lp) : FromWindow(w);
  if (!box) return FALSE;
  switch (m) {
    case WM_INITDIALOG: {
      SetPropW(w, kBoxProperty, box);
      BOOL r = box->OnInitDialog(w);
      if (CurrentRichMsgBoxHooks().created) CurrentRichMsgBoxHooks().created(w);
      return r;
    }
    case WM_COMMAND:
      box->OnCommand(LOWORD(wp));
      return TRUE;
    case WM_TIMER:
      if (wp == kCountdownTimer) box->OnTimer();
      return TRUE;
    case WM_ERASEBKGND:
      SetWindowLongPtrW(w, DWLP_MSGRESULT, 1);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      box->Paint(dc);
      EndPaint(w, &ps);
      return TRUE;
    }
    case WM_PRINTCLIENT:
      box->Paint(reinterpret_cast<HDC>(wp));
      return TRUE;
    case kRepaintMessage:
      InvalidateRect(w, nullptr, FALSE);
      return TRUE;
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(w, &p);
      if (reinterpret_cast<HWND>(wp) == w && box->OfferCursor(p)) {
        SetWindowLongPtrW(w, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    }
    case WM_LBUTTONDOWN:
      box->OfferClick(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
      return TRUE;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
    case WM_DESTROY:
      KillTimer(w, kCountdownTimer);
      for (Button& b : box->buttons_) DestroyWindow(b.window);
      box->buttons_.clear();
      if (box->check_) DestroyWindow(box->check_);
      if (box->label_) DestroyWindow(box->label_);
      box->check_ = box->label_ = nullptr;
      RemovePropW(w, kBoxProperty);
      return FALSE;
    default:
      return FALSE;
  }
}

BOOL CRichMessageBox::OnInitDialog(HWND w) {
  window_ = w;
  if (p_.disabledSeconds > 0) seconds_ = p_.disabledSeconds;
  if (p_.autoCloseSeconds > 0) seconds_ = p_.autoCloseSeconds;
  headerDrawer_.SetWindow(w, kRepaintMessage, 0);
  bodyDrawer_.SetWindow(w, kRepaintMessage, 0);
  detailsDrawer_.SetWindow(w, kRepaintMessage, 0);

  text_ = LoadText(p_.text);
  if (p_.style & kRmbRightText) text_ = L"<right>" + text_ + L"</right>";
  if (icon_) {
    wchar_t prefix[160];
    // The handle to its last bit: cut to 32, it could name another icon in a 64-bit program.
    swprintf(prefix, 160, L"<table cellpadding=%d><tr><td width=%d><icon handle=0x%llX></td><td>", kSeparatorGap,
             GetSystemMetrics(SM_CXICON), static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(icon_)));
    text_ = prefix + text_ + L"</td></tr></table>";
  }

  SIZE client = {0, 0};
  CreateControls(&client);
  const bool countdownCaption = p_.disabledSeconds > 0 && p_.countdownInCaption;
  if (countdownCaption) {
    countdownFormat_ = ButtonText(kRmbIdCountdownFormat, L"");
    SetWindowTextW(w, FormatRichMsgBoxText(countdownFormat_, caption_, seconds_).c_str());
  } else {
    SetWindowTextW(w, caption_.c_str());
  }
  const bool defaultIsCancel = !buttons_.empty() && buttons_[defaultIndex_].id == IDCANCEL;
  if (!cancelAllowed_ || (p_.disabledSeconds > 0 && (countdownCaption || defaultIsCancel))) {
    EnableMenuItem(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }

  // Size the window for the wanted client area, then centre it over its parent or the screen.
  RECT frame = {0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE)));
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT over = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HWND parent = GetParent(w);
  // Over the screen when the parent is hidden too: centred over a hidden window's rectangle, the box
  // could open anywhere, off the screen included.
  if (parent && IsWindowVisible(parent)) GetWindowRect(parent, &over);
  SetWindowPos(w, nullptr, over.left + (over.right - over.left - width) / 2, over.top + (over.bottom - over.top - height) / 2,
               width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
  if (p_.style & kRmbTopmost) SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (p_.style & kRmbForeground) SetForegroundWindow(w);
  if (seconds_ > 0) SetTimer(w, kCountdownTimer, 1000, nullptr);
  if (!buttons_.empty()) {
    SendMessageW(w, DM_SETDEFID, buttons_[defaultIndex_].id, 0);
    if (IsWindowEnabled(buttons_[defaultIndex_].window)) {
      SetFocus(buttons_[defaultIndex_].window);
      return FALSE;  // the focus is set
    }
  }
  return TRUE;
}

void CRichMessageBox::CreateControls(SIZE* client) {
  for (Button& b : buttons_) DestroyWindow(b.window);
  buttons_.clear();
  if (check_) DestroyWindow(check_);
  if (label_) DestroyWindow(label_);
  check_ = label_ = nullptr;

  HDC dc = GetDC(window_);
  HGDIOBJ oldFont = SelectObject(dc, font_);
  int width = 0;

  headerHeight_ = p_.headerHeight > 0 ? p_.headerHeight : 0;
  header_ = LoadText(p_.headerText);
  if (p_.headerHeight > 0 && !header_.empty()) {
    SIZE s = headerDrawer_.SetTextAndMeasure(dc, header_);
    width = std::max<int>(width, s.cx + 2 * kMargin);
    headerHeight_ = std::max<int>(s.cy + 2 * kMargin, p_.headerHeight);
  }
  separatorTexts_[0] = LoadText(p_.header.separatorText);
  if (p_.header.separator != 0) width = std::max<int>(width, MeasureText(dc, separatorTexts_[0]).cx + 2 * kSeparatorGap);

  // However long a name in the text, the box stays narrower than the screen: the text wraps.
  const int widest = GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
  headerDrawer_.SetMaxWidth(widest);
  bodyDrawer_.SetMaxWidth(widest);
  SIZE body = bodyDrawer_.SetTextAndMeasure(dc, text_);
  bodyHeight_ = body.cy + 2 * kMargin;
  width = std::max<int>(width, body.cx + 2 * kMargin);

  details_ = LoadText(p_.detailsText);

  buttonAreaHeight_ = (p_.buttons.effect >= 0 || p_.buttons.separator != 0) ? 2 * kGap : kGap;
  separatorTexts_[1] = LoadText(p_.buttons.separatorText);
  if (p_.buttons.separator != 0) width = std::max<int>(width, MeasureText(dc, separatorTexts_[1]).cx + 2 * kSeparatorGap);
  separatorTexts_[2] = LoadText(p_.details.separatorText);

  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (p_.style & kRmbCheckBox) {
    buttonAreaHeight_ += kCheckSize + kGap;
    std::wstring label = LoadText(p_.checkBoxText);
    if (label.empty()) label = ButtonText(kRmbIdCheckBoxText, L"");
    width = std::max<int>(width, MeasureText(dc, label).cx + 20 + 2 * kCheckLeft);
    check_ = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, kCheckSize,
                             kCheckSize, window_, nullptr, instance, nullptr);
    if (p_.style & kRmbChecked) SendMessageW(check_, BM_SETCHECK, BST_CHECKED, 0);
    label_ = CreateWindowExW(0, L"STATIC", label.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_, nullptr,
                             instance, nullptr);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }

  std::vector<std::wstring> custom = RichMsgBoxCustomLines(LoadText(p_.customButtons));
  cancelAllowed_ = RichMsgBoxSetAllowsCancel(p_.style, !custom.empty());
  if (!details_.empty()) {
    lessText_ = ButtonText(kRmbIdLess, L"");
    moreText_ = ButtonText(kRmbIdMore, L"");
  }
  for (UINT id : RichMsgBoxButtonIds(p_.style, custom.size(), HasReport(), !details_.empty())) {
    if (id >= kRmbIdCustom1 && id < kRmbIdCustom1 + custom.size()) {
      buttons_.push_back(Button{id, nullptr, custom[id - kRmbIdCustom1]});
    } else {
      buttons_.push_back(Button{id, nullptr, id == kRmbIdMore ? moreText_ : ButtonText(id, L"")});
    }
  }
  // A box without any button could never be closed: let Escape and the close box end it.
  if (buttons_.empty()) cancelAllowed_ = true;
  defaultIndex_ = RichMsgBoxDefaultIndex(p_.style, buttons_.size());

  buttonWidth_ = 80;
  buttonHeight_ = 23;
  for (const Button& b : buttons_) {
    SIZE s = MeasureText(dc, b.text);
    if (b.id == kRmbIdMore) {
      SIZE other = MeasureText(dc, lessText_);
      s.cx = std::max(s.cx, other.cx);
    }
    buttonWidth_ = std::max(buttonWidth_, MulDiv(s.cx, 80, 45));
    buttonHeight_ = std::max(buttonHeight_, MulDiv(s.cy, 23, 13));
  }

  const bool countdownCaption = p_.disabledSeconds > 0 && p_.countdownInCaption;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    Button& b = buttons_[i];
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    std::wstring shown = b.text;
    const bool isDefault = i == defaultIndex_;
    if (b.id == 9) {
      if (isDefault) {
        style |= BS_DEFPUSHBUTTON;
        if (p_.autoCloseSeconds > 0 || (p_.disabledSeconds > 0 && !countdownCaption)) {
          defaultText_ = b.text;
          shown = FormatRichMsgBoxText(L"%s = %d", b.text, seconds_);
        }
      }
    } else if (countdownCaption) {
      style |= WS_DISABLED;
    } else if (isDefault) {
      defaultText_ = b.text;
      if (p_.disabledSeconds <= 0) style |= BS_DEFPUSHBUTTON;
      if (seconds_ > 0) shown = FormatRichMsgBoxText(L"%s = %d", b.text, seconds_);
      if (p_.disabledSeconds > 0) style |= WS_DISABLED;
    }
    b.window = CreateWindowExW(0, L"BUTTON", shown.c_str(), style, 0, 0, buttonWidth_, buttonHeight_, window_,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(b.id)), instance, nullptr);
    SendMessageW(b.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  if (defaultText_.empty() && !buttons_.empty()) defaultText_ = buttons_[defaultIndex_].text;

  const int row = static_cast<int>(buttons_.size()) * (buttonWidth_ + kGap) + kGap;
  clientWidth_ = std::max(width, row);
  // The details wrap at the box's width, not widening it; measured there, as drawn, so no line falls below their area.
  detailsDrawer_.SetMaxWidth(std::max(1, clientWidth_ - 2 * kMargin));
  SIZE details = detailsDrawer_.SetTextAndMeasure(dc, details_);
  detailsHeight_ = details_.empty() ? 0 : details.cy + 2 * kMargin;
  SelectObject(dc, oldFont);
  ReleaseDC(window_, dc);
  client->cx = clientWidth_;
  client->cy = CollapsedClientHeight();
}

void CRichMessageBox::PlaceControls() {
  const int bottom = CollapsedClientHeight();
  const int n = static_cast<int>(buttons_.size());
  const int total = n * (buttonWidth_ + kGap) - kGap;
  int top = bottom - kGap - buttonHeight_;
  if ((p_.style & kRmbCheckBox) && (p_.style & kRmbCheckBelow)) top -= kCheckSize + kGap;
  int left;
  if (p_.buttonAlign == 0) left = kGap;
  else if (p_.buttonAlign == 1) left = clientWidth_ - kGap - total;
  else left = (clientWidth_ - total) / 2;
  for (Button& b : buttons_) {
    SetWindowPos(b.window, nullptr, left, top, buttonWidth_, buttonHeight_, SWP_NOZORDER | SWP_NOACTIVATE);
    left += buttonWidth_ + kGap;
  }
  if (check_) {
    int checkBottom = bottom - kGap;
    if (!(p_.style & kRmbCheckBelow)) checkBottom -= kGap + buttonHeight_;
    SetWindowPos(check_, nullptr, kCheckLeft, checkBottom - kCheckSize, kCheckSize, kCheckSize, SWP_NOZORDER | SWP_NOACTIVATE);
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE s = MeasureText(dc, WindowText(label_));
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    SetWindowPos(label_, nullptr, kCheckLeft + kCheckSize + kCheckSize / 2, checkBottom - kCheckSize, s.cx + 2,
                 std::max<int>(s.cy, kCheckSize), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CRichMessageBox::OnCommand(UINT id) {
  if (id == 0) return;
  if (id == IDCANCEL && !cancelAllowed_) return;
  if (id == 9) {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring help(path, n < MAX_PATH ? n : 0);
    size_t dot = help.find_last_of(L'.');
    size_t slash = help.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return;
    help = help.substr(0, dot) + L".hlp";
    // Without a context, the index: the viewer opens it for an empty keyword and would read data 0 as
    // a keyword's address.
    if (p_.helpContext) CurrentRichMsgBoxHooks().winHelp(window_, help.c_str(), HELP_CONTEXT, p_.helpContext);
    else CurrentRichMsgBoxHooks().winHelp(window_, help.c_str(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(L""));
    return;
  }
  if (id == kRmbIdReport) {
    if (p_.owner && p_.reportMessage) SendMessageW(p_.owner, p_.reportMessage, 0, 0);
    return;
  }
  if (id == kRmbIdLess || id == kRmbIdMore) {
    Toggle();
    return;
  }
  End(id);
}

void CRichMessageBox::End(UINT id) {
  KillTimer(window_, kCountdownTimer);
  UINT result = id;
  if (check_ && SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    result |= kRmbChecked;
    if (p_.answerPrefix && !IS_INTRESOURCE(p_.answerPrefix) && p_.answerPrefix[0]) {
      std::wstring section = (p_.answerSection && !IS_INTRESOURCE(p_.answerSection)) ? p_.answerSection : L"";
      HKEY k = nullptr;
      if (RegCreateKeyExW(HKEY_CURRENT_USER, RichMsgBoxAnswerKey(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &k, nullptr) == ERROR_SUCCESS) {
        DWORD value = result;
        RegSetValueExW(k, RichMsgBoxAnswerValue(p_.answerPrefix, p_.messageId).c_str(), 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(k);
      }
    }
  }
  EndDialog(window_, static_cast<INT_PTR>(result));
}

void CRichMessageBox::Toggle() {
  expanded_ = !expanded_;
  for (Button& b : buttons_) {
    if (b.id == kRmbIdMore) SetWindowTextW(b.window, (expanded_ ? lessText_ : moreText_).c_str());
  }
  RECT r;
  GetWindowRect(window_, &r);
  int height = r.bottom - r.top + (expanded_ ? detailsHeight_ : -detailsHeight_);
  SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, FALSE);
}

void CRichMessageBox::OnTimer() {
  if (seconds_ > 0) --seconds_;
  const bool countdownCaption = p_.disabledSeconds > 0 && p_.countdownInCaption;
  if (buttons_.empty()) {
    if (seconds_ == 0) KillTimer(window_, kCountdownTimer);
    return;
  }
  Button& def = buttons_[defaultIndex_];
  if (seconds_ != 0) {
    if (countdownCaption) SetWindowTextW(window_, FormatRichMsgBoxText(countdownFormat_, caption_, seconds_).c_str());
    else SetWindowTextW(def.window, FormatRichMsgBoxText(L"%s = %d", defaultText_, seconds_).c_str());
    return;
  }
  KillTimer(window_, kCountdownTimer);
  if (p_.disabledSeconds <= 0) {
    if (p_.autoCloseSeconds > 0) {
      SetWindowTextW(def.window, defaultText_.c_str());
      SendMessageW(window_, WM_COMMAND, MAKEWPARAM(def.id, BN_CLICKED), reinterpret_cast<LPARAM>(def.window));
    }
    return;
  }
  if (cancelAllowed_) EnableMenuItem(GetSystemMenu(window_, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
  if (countdownCaption) {
    SetWindowTextW(window_, caption_.c_str());
    for (size_t i = 0; i < buttons_.size(); ++i) {
      if (i != defaultIndex_) EnableWindow(buttons_[i].window, TRUE);
    }
  } else {
    SetWindowTextW(def.window, defaultText_.c_str());
  }
  EnableWindow(def.window, TRUE);
  SendMessageW(def.window, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  SendMessageW(window_, DM_SETDEFID, def.id, 0);
  SetFocus(def.window);
}

bool CRichMessageBox::OfferCursor(POINT p) {
  if (headerHeight_ > 0 && !header_.empty() && headerDrawer_.HitTest(p)) return true;
  if (bodyDrawer_.HitTest(p)) return true;
  if (expanded_ && detailsHeight_ > 0 && detailsDrawer_.HitTest(p)) return true;
  return false;
}

void CRichMessageBox::OfferClick(POINT p) {
  if (headerHeight_ > 0 && !header_.empty() && headerDrawer_.Click(p)) return;
  if (bodyDrawer_.Click(p)) return;
  if (expanded_ && detailsHeight_ > 0) detailsDrawer_.Click(p);
}

void CRichMessageBox::DrawSeparator(HDC dc, const RECT& area, const RichMsgBoxArea& rec, const std::wstring& text) {
  if (rec.separator == 0) return;
  const int y = area.top;
  int left = area.left + kSeparatorGap, right = area.right - kSeparatorGap;
  auto line = [&](int x1, int x2) {
    if (x2 <= x1) return;
    if (rec.separator == 1) {
      RECT r = {x1, y, x2, y + 2};
      DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
    } else {
      html::CHtmlDrawManager::Line(dc, x1, y, x2, y, rec.separator == 2 ? RGB(0, 0, 0) : RGB(255, 255, 255), 1, 1);
    }
  };
  if (text.empty()) {
    line(left, right);
    return;
  }
  HGDIOBJ old = SelectObject(dc, font_);
  SIZE s = MeasureText(dc, text);
  int tx = rec.separatorAlign == 1 ? right - s.cx : rec.separatorAlign == 2 ? left + (right - left - s.cx) / 2 : left;
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), static_cast<WPARAM>(text.size()), tx,
             y - s.cy / 2, s.cx, s.cy, DST_TEXT | DSS_DISABLED);
  SelectObject(dc, old);
  if (rec.separatorAlign != 1) line(tx + s.cx + kSeparatorGap, right);
  if (rec.separatorAlign != 0) line(left, tx - kSeparatorGap);
}

void CRichMessageBox::DrawBackground(HDC dc, const RECT& all) {
  if (p_.background.effect >= 0) {
    manager_.FillEffect(dc, p_.background.effect, all, p_.background.colour1, p_.background.colour2, p_.background.colour3);
  } else {
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  }
  RECT header = HeaderRect(), buttons = ButtonAreaRect(), details = DetailsRect();
  if (headerHeight_ > 0) {
    manager_.FillEffect(dc, p_.header.effect, header, p_.header.colour1, p_.header.colour2, p_.header.colour3);
    RECT edge = {header.left, header.bottom - 1, header.right, header.bottom};
    DrawSeparator(dc, edge, p_.header, separatorTexts_[0]);
  }
  manager_.FillEffect(dc, p_.buttons.effect, buttons, p_.buttons.colour1, p_.buttons.colour2, p_.buttons.colour3);
  DrawSeparator(dc, buttons, p_.buttons, separatorTexts_[1]);
  if (detailsHeight_ > 0) {
    manager_.FillEffect(dc, p_.details.effect, details, p_.details.colour1, p_.details.colour2, p_.details.colour3);
    DrawSeparator(dc, details, p_.details, separatorTexts_[2]);
  }
}

void CRichMessageBox::Paint(HDC target) {
  const int height = CollapsedClientHeight() + detailsHeight_;
  RECT all = {0, 0, clientWidth_, height};
  if (clientWidth_ <= 0 || height <= 0) return;
  HDC mem = CreateCompatibleDC(target);
  HDC cache = CreateCompatibleDC(target);
  if (!background_) {
    background_ = CreateCompatibleBitmap(target, clientWidth_, height);
    if (background_) {
      HGDIOBJ o = SelectObject(cache, background_);
      DrawBackground(cache, all);
      SelectObject(cache, o);
    }
  }
  HBITMAP frame = CreateCompatibleBitmap(target, clientWidth_, height);
  if (!mem || !cache || !background_ || !frame) {
    // Out of GDI resources: draw straight onto the target instead of through the buffers.
    if (frame) DeleteObject(frame);
    if (mem) DeleteDC(mem);
    if (cache) DeleteDC(cache);
    DrawBackground(target, all);
    RECT body = BodyRect();
    InflateRect(&body, -kMargin, -kMargin);
    bodyDrawer_.Draw(target, body);
    return;
  }
  HGDIOBJ oldFrame = SelectObject(mem, frame);
  HGDIOBJ oldCache = SelectObject(cache, background_);
  BitBlt(mem, 0, 0, clientWidth_, height, cache, 0, 0, SRCCOPY);
  SelectObject(cache, oldCache);
  if (headerHeight_ > 0 && !header_.empty()) {
    RECT h = HeaderRect();
    InflateRect(&h, -kMargin, -kMargin);
    headerDrawer_.Draw(mem, h);
  }
  RECT b = BodyRect();
  InflateRect(&b, -kMargin, -kMargin);
  bodyDrawer_.Draw(mem, b);
  if (expanded_ && detailsHeight_ > 0) {
    RECT d = DetailsRect();
    InflateRect(&d, -kMargin, -kMargin);
    detailsDrawer_.Draw(mem, d);
  }
  BitBlt(target, 0, 0, clientWidth_, expanded_ ? height : CollapsedClientHeight(), mem, 0, 0, SRCCOPY);
  SelectObject(mem, oldFrame);
  DeleteObject(frame);
  DeleteDC(mem);
  DeleteDC(cache);
}

}  // namespace morvick::ui
