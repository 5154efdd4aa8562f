#pragma once
// The parameter block of the rich message box: fifty 32-bit words that a caller fills and the box
// copies whole. A string field holds a text or, when its high 16 bits are zero, a string id.

#include <windows.h>

#include <map>

namespace morvick::ui {

// Style bits beyond those of the system message box.
enum : UINT {
  kRmbHelp = 0x4000,             // bit 14: a "Help" button
  kRmbForeground = 0x10000,      // bit 16
  kRmbTopmost = 0x40000,         // bit 18
  kRmbRightText = 0x80000,       // bit 19
  kRmbCheckBox = 0x1000000,      // bit 24: "Do not show again", and the answer is remembered
  kRmbChecked = 0x2000000,       // bit 25: starts ticked; set in the result when ticked
  kRmbCheckBelow = 0x4000000,    // bit 26: the check box sits below the buttons
  kRmbYesToAll = 0x8000000,      // bit 27
  kRmbNoToAll = 0x10000000,      // bit 28
  kRmbTextsOnly = 0x20000000,    // bit 29: string fields are never string ids
  kRmbNoBeep = 0x40000000,       // bit 30
};

// Button ids beyond those of the system message box.
enum : UINT {
  kRmbIdTryAgain = 10,
  kRmbIdContinue = 11,
  kRmbIdSkip = 14,
  kRmbIdSkipAll = 15,
  kRmbIdIgnoreAll = 16,
  kRmbIdYesToAll = 19,
  kRmbIdNoToAll = 20,
  kRmbIdReport = 21,
  kRmbIdCustom1 = 23,
  kRmbIdLess = 30,
  kRmbIdMore = 31,
  kRmbIdCheckBoxText = 0x1000000,
  kRmbIdCountdownFormat = 0x80000000,
};

struct RichMsgBoxArea {
  int separator;          // 0 none, 1 etched line, 2 black line, 3 white line
  int separatorAlign;     // 0 left, 1 right, 2 centred
  LPCWSTR separatorText;  // string
  int effect;             // fill effect, -1 none
  COLORREF colour1;
  COLORREF colour2;
  COLORREF colour3;
};

using RichMsgBoxButtonTexts = std::map<UINT, LPCWSTR>;

struct RichMsgBoxParams {
  HWND owner;
  HINSTANCE stringModule;
  HINSTANCE iconModule;
  LPCWSTR caption;
  LPCWSTR answerPrefix;
  LPCWSTR answerSection;
  int messageId;
  UINT reportMessage;
  RichMsgBoxArea background;
  int headerHeight;
  LPCWSTR headerText;
  RichMsgBoxArea header;
  LPCWSTR text;
  int buttonAlign;  // 0 left, 1 right, else centred
  UINT style;
  RichMsgBoxArea buttons;
  LPCWSTR detailsText;
  RichMsgBoxArea details;
  int autoCloseSeconds;
  int disabledSeconds;
  int countdownInCaption;
  DWORD helpContext;
  UINT userIcon;
  LPCWSTR customButtons;
  LPCWSTR checkBoxText;
  const RichMsgBoxButtonTexts* buttonTexts;
};

#ifndef _WIN64
static_assert(sizeof(RichMsgBoxParams) == 50 * 4, "the parameter block is fifty 32-bit words");
#endif

// Resets an area record: no separator, no effect, three times the button face colour.
RichMsgBoxArea* InitFillEffect(RichMsgBoxArea* area);
// The defaults of every field.
RichMsgBoxParams DefaultRichMsgBoxParams();

}  // namespace morvick::ui
