// Renders message boxes of the program's fixed texts to PNG files under the build folder
// (message-gallery/), for people to look at. Nothing is compared; the test only checks that every
// picture was written.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/win/WindowCapture.h"
#include "tests/ui/win/MessageDialogWatch.h"
#include "ui/msgbox/win/MessageDialogs.h"
#include "ui/msgbox/win/RichMessageBox.h"

namespace morvick::ui {
namespace {

std::wstring g_outputPath;
bool g_saved = false;

// Takes the box as it shows on screen, buttons included, then presses the first button that ends it.
void Capture(HWND box) {
  g_saved = test::CaptureWindowToPng(box, g_outputPath);
  UINT end = IDCANCEL;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const UINT id = static_cast<UINT>(GetDlgCtrlID(c));
    if (id != 0 && id != 9 && id != kRmbIdReport && id != kRmbIdLess && id != kRmbIdMore) {
      end = id;
      break;
    }
  }
  PostMessageW(box, WM_COMMAND, end, 0);
}

// The same with the details area open.
void CaptureExpanded(HWND box) {
  SendMessageW(box, WM_COMMAND, kRmbIdMore, 0);
  Capture(box);
}

BOOL WINAPI Silent(UINT) { return TRUE; }

// Once dialog 204 is up: takes it as it shows on screen (its shape included) and presses OK.
void CaptureMessageDialog(HWND w) {
  g_saved = test::CaptureWindowToPng(w, g_outputPath);
  PostMessageW(w, WM_COMMAND, IDOK, 0);
}

struct Sample {
  const wchar_t* name;
  const wchar_t* text;
  UINT style;
  bool channelParams;
};

TEST(MessageGallery, RendersEveryFixedMessage) {
  CoInitialize(nullptr);
  const std::wstring folder = test::GalleryFolder("message");

  const std::wstring escapedName = EscapeMessageText(std::wstring(L"<b>report</b> & notes.txt"));
  const std::wstring errorCreating = L"Error creating file : " + escapedName + L".  Continue Recovery ? ";
  const Sample samples[] = {
      {L"mark-files-and-folders", L"Please mark the file(s) and folder(s) that you want to save\r\nby clicking on check box.", MB_ICONINFORMATION, true},
      {L"mark-files", L"Please mark the file(s) that you want to save\r\nby clicking on check box.", MB_ICONINFORMATION, true},
      {L"select-drive", L"Please select the drive that contain the lost data \r\nfrom the left panel and click [Next].", MB_ICONERROR, true},
      {L"corrupted-file", L"This file is highly corrupted or it is invalid file type.  Please select another file to recover.", MB_ICONERROR, true},
      {L"help-missing", L"Morvick.chm not found", MB_ICONERROR, true},
      {L"exit", L"Do you really want to exit ?", MB_YESNO | MB_ICONQUESTION, true},
      {L"stop-file-search", L"Do you want to stop file searching? This may result in incomplete \r\nrecovery and you will need to restart the process again.", MB_YESNO | MB_ICONQUESTION, true},
      {L"stop-partition-search", L"Do you want to stop partition searching ?", MB_YESNO | MB_ICONQUESTION, true},
      {L"error-creating-file", errorCreating.c_str(), MB_YESNO | MB_ICONERROR, true},
      {L"markup", L"<b>Bold</b>, <i>italic</i>, <font color=red>red</font>, a <a href=\"http://example.invalid\">link</a><hr><table border=1 cellpadding=3><tr><td>cell</td><td bgeffect=vgradient bgcolor=#ddeeff bgendcolor=#6688cc>gradient</td></tr></table>", MB_ICONINFORMATION, false},
      // A save's outcome with every reason line it can have, as the save dialog words them.
      {L"save-outcome-reasons", L"80 file(s) saved.\r\n6 of them damaged: parts that could not be read or found are zeros or left out.\r\n1 of them deleted files partly taken by a file in use: their bytes past that point may be another file's.\r\n4 file(s) could not be saved.\r\n2 of them are no longer on the disk as the recovery snapshot lists them: scan the image again to recover them.\r\n6 deleted file(s) had clusters that files written since now hold: those parts are zeros, and a file with none of its own left was not saved.\r\nThe volume's cluster bitmap could not be read: deleted files were saved from their clusters as they lie, which files written since may hold.", MB_ICONERROR, true},
      {L"every-button", L"Yes, no, to all and cancel.", MB_YESNOCANCEL | kRmbYesToAll | kRmbNoToAll | kRmbHelp | MB_ICONEXCLAMATION, false},
  };
  RichMsgBoxHooks saved = CurrentRichMsgBoxHooks();
  CurrentRichMsgBoxHooks().created = Capture;
  CurrentRichMsgBoxHooks().startHidden = true;
  CurrentRichMsgBoxHooks().messageBeep = Silent;
  int written = 0;
  for (const Sample& s : samples) {
    g_outputPath = folder + L"\\" + s.name + L".png";
    g_saved = false;
    RichMsgBoxParams p = DefaultRichMsgBoxParams();
    if (s.channelParams) {
      const COLORREF grey = RGB(0xF2, 0xF2, 0xF2);
      p.background = RichMsgBoxArea{0, 2, nullptr, 12, grey, grey, grey};
    } else {
      p.headerHeight = 1;
      p.headerText = L"<b>A header</b>";
      p.header = RichMsgBoxArea{1, 0, L"Details below", 1, RGB(255, 255, 255), RGB(255, 255, 255), RGB(200, 220, 255)};
      p.detailsText = L"More text in the details area.";
      p.style = s.style | kRmbCheckBox;
    }
    RichMessageBox(nullptr, s.text, L"Morvick", s.style | (s.channelParams ? 0 : kRmbCheckBox), &p);
    EXPECT_TRUE(g_saved) << "no picture for " << std::string(s.name, s.name + wcslen(s.name));
    written += g_saved;
  }

  // Long details, open: they wrap inside the box's own width.
  g_outputPath = folder + L"\\long-details.png";
  g_saved = false;
  CurrentRichMsgBoxHooks().created = CaptureExpanded;
  RichMsgBoxParams details = DefaultRichMsgBoxParams();
  std::wstring sectors = L"Sectors that could not be read: ";
  for (int i = 0; i < 40; ++i) sectors += std::to_wstring(1000 + 37 * i) + L", ";
  details.detailsText = sectors.c_str();
  RichMessageBox(nullptr, L"Some files were saved with gaps.", L"Morvick", MB_OK | MB_ICONEXCLAMATION, &details);
  EXPECT_TRUE(g_saved) << "no picture of the long details";
  CurrentRichMsgBoxHooks() = saved;
  EXPECT_EQ(written, static_cast<int>(sizeof(samples) / sizeof(samples[0])));

  // Dialog 204 itself, with the icon of each kind.
  const wchar_t* const kindNames[] = {L"information", L"error", L"question"};
  for (int kind = 1; kind <= 3; ++kind) {
    g_outputPath = folder + L"\\template-" + kindNames[kind - 1] + L".png";
    g_saved = false;
    g_strMessageText = L"Files Saved Successfully.";
    CConfirmDlg dlg;
    g_nMessageKind = kind;
    test::WhenMessageDialogShown(CaptureMessageDialog);
    EXPECT_EQ(dlg.DoModalTemplate(), IDOK);
    EXPECT_TRUE(g_saved) << "no picture of dialog 204 for kind " << kind;
  }
  CoUninitialize();
}

}  // namespace
}  // namespace morvick::ui
