#pragma once
// The buttons of the rich message box: the button sets of the style, built-in texts and their
// string ids, and the safe formatting of countdown texts.

#include <windows.h>

#include <string>
#include <vector>

namespace morvick::ui {

struct RichMsgBoxButtonInfo {
  UINT id;
  UINT stringId;
  const wchar_t* text;
};

// The built-in text and string id of a button id (null text for ids without one).
const RichMsgBoxButtonInfo* FindRichMsgBoxButton(UINT id);

// The button ids of a button set (style bits 0-3) with the "Yes/No to all" bits.
std::vector<UINT> RichMsgBoxButtonSet(UINT style);

// The ids of a box's buttons in the order it makes them: its custom buttons (23 on) or else the
// button set of its style, then "Help" (style bit 14), "Report" and "More >>" when it has them.
std::vector<UINT> RichMsgBoxButtonIds(UINT style, size_t customButtons, bool hasReport, bool hasDetails);

// The index of the default button among count buttons: style bits 8-11, or 0 when that is past the last.
size_t RichMsgBoxDefaultIndex(UINT style, size_t count);

// Whether Escape and the close box may end a box of this style without custom buttons.
bool RichMsgBoxSetAllowsCancel(UINT style, bool hasCustomButtons);

// Formats "%s" with text and "%d" with a number, each at most once, "%%" as "%"; any other
// conversion is copied as written, so that no format text can read what was not given.
std::wstring FormatRichMsgBoxText(const std::wstring& format, const std::wstring& text, int number);

// The lines of a custom-buttons field: carriage returns dropped, empty lines skipped, at most four.
std::vector<std::wstring> RichMsgBoxCustomLines(const std::wstring& field);

}  // namespace morvick::ui
