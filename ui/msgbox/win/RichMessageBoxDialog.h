#pragma once
// The dialog behind RichMessageBox: creates its buttons and check box, measures, paints, counts
// down and ends with the pressed button.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/html/win/HtmlDrawer.h"
#include "ui/html/win/HtmlDrawManager.h"
#include "ui/msgbox/win/RichMsgBoxParams.h"

namespace morvick::ui {

class CRichMessageBox {
 public:
  // The drawers' repaint request.
  static constexpr UINT kRepaintMessage = 0x8064;
  static constexpr int kMargin = 14;
  static constexpr int kGap = 11;
  static constexpr int kCheckSize = 13;
  static constexpr int kCheckLeft = 10;
  static constexpr int kSeparatorGap = 5;

  explicit CRichMessageBox(const RichMsgBoxParams& params);
  ~CRichMessageBox();
  CRichMessageBox(const CRichMessageBox&) = delete;
  CRichMessageBox& operator=(const CRichMessageBox&) = delete;

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Draws the whole client area (the details too while expanded) into dc.
  void Paint(HDC dc);

  // The answer of the box when nobody is there to press a button (automated runs): its default
  // button, with the check box's bit when the box starts ticked. Nothing is remembered.
  int UnattendedAnswer() const;

  // For tests and the message channel: the box of a window, or null.
  static CRichMessageBox* FromWindow(HWND window);
  bool Expanded() const { return expanded_; }
  // The message text as it is laid out (the icon table around it included).
  const std::wstring& Text() const { return text_; }
  int DetailsHeight() const { return detailsHeight_; }

 private:
  struct Button {
    UINT id;
    HWND window;
    std::wstring text;
  };

  BOOL OnInitDialog(HWND window);
  void CreateControls(SIZE* client);
  void PlaceControls();
  void OnCommand(UINT id);
  void OnTimer();
  void Toggle();
  void End(UINT id);
  void DrawBackground(HDC dc, const RECT& all);
  void DrawSeparator(HDC dc, const RECT& area, const RichMsgBoxArea& record, const std::wstring& text);
  bool OfferCursor(POINT p);
  void OfferClick(POINT p);

  bool HasReport() const;
  std::wstring LoadText(LPCWSTR field) const;
  std::wstring ButtonText(UINT id, const std::wstring& given) const;
  HICON LoadMessageIcon() const;
  RECT HeaderRect() const;
  RECT BodyRect() const;
  RECT ButtonAreaRect() const;
  RECT DetailsRect() const;
  int CollapsedClientHeight() const;

  RichMsgBoxParams p_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HICON icon_ = nullptr;
  std::vector<Button> buttons_;
  HWND check_ = nullptr;
  HWND label_ = nullptr;
  int headerHeight_ = 0;
  int bodyHeight_ = 0;
  int buttonAreaHeight_ = 0;
  int detailsHeight_ = 0;
  int buttonWidth_ = 80;
  int buttonHeight_ = 23;
  int clientWidth_ = 0;
  size_t defaultIndex_ = 0;
  bool cancelAllowed_ = false;
  bool expanded_ = false;
  int seconds_ = 0;
  std::wstring countdownFormat_;
  std::wstring separatorTexts_[3];  // header, buttons, details
  std::wstring text_;
  std::wstring caption_;
  std::wstring header_;
  std::wstring details_;
  std::wstring lessText_;
  std::wstring moreText_;
  std::wstring defaultText_;
  html::CHtmlDrawer headerDrawer_;
  html::CHtmlDrawer bodyDrawer_;
  html::CHtmlDrawer detailsDrawer_;
  html::CHtmlDrawManager manager_;
  HBITMAP background_ = nullptr;
};

}  // namespace morvick::ui
