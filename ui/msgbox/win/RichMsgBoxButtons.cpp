#include "ui/msgbox/win/RichMsgBoxButtons.h"

#include "ui/msgbox/win/RichMsgBoxParams.h"

namespace morvick::ui {

namespace {

const RichMsgBoxButtonInfo kButtons[] = {
    {IDOK, 9001, L"OK"},
    {IDCANCEL, 9002, L"Cancel"},
    {IDABORT, 9005, L"Abort"},
    {IDRETRY, 9004, L"Retry"},
    {IDIGNORE, 9003, L"Ignore"},
    {IDYES, 9007, L"Yes"},
    {IDNO, 9008, L"No"},
    {9, 9006, L"Help"},
    {kRmbIdTryAgain, 9015, L"Try again"},
    {kRmbIdContinue, 9009, L"Continue"},
    {kRmbIdSkip, 9018, L"Skip"},
    {kRmbIdSkipAll, 9019, L"Skip all"},
    {kRmbIdIgnoreAll, 9017, L"Ignore all"},
    {kRmbIdYesToAll, 9013, L"Yes to all"},
    {kRmbIdNoToAll, 9014, L"No to all"},
    {kRmbIdReport, 9016, L"Report"},
    {kRmbIdLess, 9011, L"<< More"},
    {kRmbIdMore, 9010, L"More >>"},
    {kRmbIdCheckBoxText, 9012, L"Do not show again"},
    {kRmbIdCountdownFormat, 9020, L"%s (%d seconds remaining)"},
};

}  // namespace

const RichMsgBoxButtonInfo* FindRichMsgBoxButton(UINT id) {
  for (const RichMsgBoxButtonInfo& b : kButtons) {
    if (b.id == id) return &b;
  }
  return nullptr;
}

std::vector<UINT> RichMsgBoxButtonSet(UINT style) {
  const bool yesAll = (style & kRmbYesToAll) != 0, noAll = (style & kRmbNoToAll) != 0;
  std::vector<UINT> ids;
  switch (style & 0xF) {
    case 0: ids = {IDOK}; break;
    case 1: ids = {IDOK, IDCANCEL}; break;
    case 2: ids = {IDABORT, IDRETRY, IDIGNORE}; break;
    case 3:
    case 4:
      ids.push_back(IDYES);
      if (yesAll) ids.push_back(kRmbIdYesToAll);
      ids.push_back(IDNO);
      if (noAll) ids.push_back(kRmbIdNoToAll);
      if ((style & 0xF) == 3) ids.push_back(IDCANCEL);
      break;
    case 5: ids = {IDRETRY, IDCANCEL}; break;
    case 6: ids = {IDCANCEL, kRmbIdTryAgain, kRmbIdContinue}; break;
    case 7: ids = {kRmbIdContinue, IDABORT}; break;
    case 8: ids = {kRmbIdSkip, kRmbIdSkipAll, IDCANCEL}; break;
    case 9: ids = {IDIGNORE, kRmbIdIgnoreAll, IDCANCEL}; break;
    default: break;
  }
  return ids;
}

std::vector<UINT> RichMsgBoxButtonIds(UINT style, size_t customButtons, bool hasReport, bool hasDetails) {
  std::vector<UINT> ids;
  for (size_t i = 0; i < customButtons && i < 4; ++i) ids.push_back(static_cast<UINT>(kRmbIdCustom1 + i));
  if (ids.empty()) ids = RichMsgBoxButtonSet(style);
  if (style & kRmbHelp) ids.push_back(9);
  if (hasReport) ids.push_back(kRmbIdReport);
  if (hasDetails) ids.push_back(kRmbIdMore);
  return ids;
}

size_t RichMsgBoxDefaultIndex(UINT style, size_t count) {
  const size_t index = (style >> 8) & 0xF;
  return index < count ? index : 0;
}

bool RichMsgBoxSetAllowsCancel(UINT style, bool hasCustomButtons) {
  switch (style & 0xF) {
    case 0: return !hasCustomButtons;
    case 1: case 3: case 5: case 6: case 8: case 9: return true;
    default: return false;
  }
}

std::wstring FormatRichMsgBoxText(const std::wstring& format, const std::wstring& text, int number) {
  std::wstring out;
  bool usedText = false, usedNumber = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == L'%' && i + 1 < format.size()) {
      wchar_t c = format[i + 1];
      if (c == L's' && !usedText) {
        out += text;
        usedText = true;
        ++i;
        continue;
      }
      if (c == L'd' && !usedNumber) {
        out += std::to_wstring(number);
        usedNumber = true;
        ++i;
        continue;
      }
      if (c == L'%') {
        out += L'%';
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

std::vector<std::wstring> RichMsgBoxCustomLines(const std::wstring& field) {
  std::vector<std::wstring> lines;
  std::wstring line;
  for (wchar_t c : field + L"\n") {
    if (c == L'\r') continue;
    if (c == L'\n') {
      if (!line.empty() && lines.size() < 4) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  return lines;
}

}  // namespace morvick::ui
