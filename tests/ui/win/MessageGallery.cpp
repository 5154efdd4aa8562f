// Renders message boxes of the program's fixed texts to PNG files under the build folder
// (message-gallery/), for people to look at. Nothing is compared; the test only checks that every
// picture was written.

#include <gtest/gtest.h>
#include <wincodec.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ui/win/MessageDialogWatch.h"
#include "ui/msgbox/win/MessageDialogs.h"
#include "ui/msgbox/win/RichMessageBox.h"

namespace morvick::ui {
namespace {

std::wstring g_outputPath;
bool g_saved = false;

bool SavePng(HBITMAP bitmap, const std::wstring& path) {
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory)))) {
    return false;
  }
  bool ok = false;
  IWICBitmap* source = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  UINT w = 0, h = 0;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  if (SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, &source)) &&
      SUCCEEDED(source->GetSize(&w, &h)) && SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
      SUCCEEDED(frame->SetSize(w, h)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
      SUCCEEDED(frame->WriteSource(source, nullptr)) && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
    ok = true;
  }
  if (frame) frame->Release();
  if (encoder) encoder->Release();
  if (stream) stream->Release();
  if (source) source->Release();
  factory->Release();
  return ok;
}

// Prints the box's client area and its controls (the box is hidden, so each is printed in turn),
// saves the picture, then presses the first button that ends the box.
void Capture(HWND box) {
  RECT r;
  GetClientRect(box, &r);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(mem, bitmap);
  SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  UINT end = IDCANCEL;
  bool found = false;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT cr;
    GetWindowRect(c, &cr);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&cr), 2);
    POINT origin;
    SetViewportOrgEx(mem, cr.left, cr.top, &origin);
    SendMessageW(c, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(mem, origin.x, origin.y, nullptr);
    UINT id = static_cast<UINT>(GetDlgCtrlID(c));
    if (!found && id != 0 && id != 9 && id != kRmbIdReport && id != kRmbIdLess && id != kRmbIdMore) {
      end = id;
      found = true;
    }
  }
  SelectObject(mem, old);
  g_saved = SavePng(bitmap, g_outputPath);
  DeleteObject(bitmap);
  DeleteDC(mem);
  PostMessageW(box, WM_COMMAND, end, 0);
}

BOOL WINAPI Silent(UINT) { return TRUE; }

// Once dialog 204 is up: paints it, copies it from its window DC (its shape shows as the erase
// leaves it), saves the picture and presses OK.
void CaptureMessageDialog(HWND w) {
  RedrawWindow(w, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r;
  GetWindowRect(w, &r);
  HDC source = GetWindowDC(w);
  HDC mem = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, r.right - r.left, r.bottom - r.top);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(mem, 0, 0, r.right - r.left, r.bottom - r.top, source, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  ReleaseDC(w, source);
  g_saved = SavePng(bitmap, g_outputPath);
  DeleteObject(bitmap);
  DeleteDC(mem);
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
  const char* bin = std::getenv("MORVICK_BINARY_DIR");
  std::wstring folder = bin ? std::wstring(bin, bin + strlen(bin)) : L".";
  for (wchar_t& c : folder) {
    if (c == L'/') c = L'\\';
  }
  // Under Wine the Unix build folder is reachable through drive Z:.
  if (!folder.empty() && folder[0] == L'\\') folder = L"Z:" + folder;
  folder += L"\\message-gallery";
  CreateDirectoryW(folder.c_str(), nullptr);

  const std::wstring escapedName = EscapeMessageText(std::wstring(L"<b>report</b> & notes.txt"));
  const std::wstring errorCreating = L"Error creating file : " + escapedName;
  const Sample samples[] = {
      {L"mark-files-and-folders", L"Please mark the file(s) and folder(s) that you want to save\r\nby clicking on check box.", MB_ICONINFORMATION, true},
      {L"mark-files", L"Please mark the file(s) that you want to save\r\nby clicking on check box.", MB_ICONINFORMATION, true},
      {L"select-drive", L"Please select the drive that contain the lost data \r\nfrom the left panel and click [Next].", MB_ICONERROR, true},
      {L"corrupted-file", L"This file is highly corrupted or it is invalid file type.  Please select another file to recover.", MB_ICONERROR, true},
      {L"help-missing", L"Morvick.chm not found", MB_ICONERROR, true},
      {L"exit", L"Do you really want to exit ?", MB_YESNO | MB_ICONQUESTION, true},
      {L"stop-file-search", L"Do you want to stop file searching? This may result in incomplete \r\nrecovery and you will need to restart the process again.", MB_YESNO | MB_ICONQUESTION, true},
      {L"stop-partition-search", L"Do you want to stop partition searching ?", MB_YESNO | MB_ICONQUESTION, true},
      {L"error-creating-file", errorCreating.c_str(), MB_ICONERROR, true},
      {L"markup", L"<b>Bold</b>, <i>italic</i>, <font color=red>red</font>, a <a href=\"http://example.invalid\">link</a><hr><table border=1 cellpadding=3><tr><td>cell</td><td bgeffect=vgradient bgcolor=#ddeeff bgendcolor=#6688cc>gradient</td></tr></table>", MB_ICONINFORMATION, false},
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
