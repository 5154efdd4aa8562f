// The drawer on a real DC: text measured against the DC's own widths, colours, a table's cell
// rectangles, link hit rectangles, hover notifications, message links and opening documents.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/win/SavedRegistry.h"
#include "tests/ui/win/DibCanvas.h"
#include "ui/html/win/HtmlDrawer.h"
#include "ui/html/win/HtmlImageLists.h"
#include "ui/html/win/HtmlShell.h"

namespace morvick::html {
namespace {

using test::DibCanvas;

// The width of a text in the body font (10 pt Verdana), measured on the same DC.
int BodyWidth(HDC dc, const wchar_t* text, int weight = 400) {
  int height = MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
  HFONT f = CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, L"Verdana");
  HGDIOBJ old = SelectObject(dc, f);
  SIZE s = {};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &s);
  SelectObject(dc, old);
  DeleteObject(f);
  return s.cx;
}

TEST(HtmlDrawer, MeasuresWithTheDcsOwnWidths) {
  DibCanvas c(300, 100);
  CHtmlDrawer d;
  SIZE s = d.SetTextAndMeasure(c.Dc(), L"Hello world");
  EXPECT_EQ(s.cx, BodyWidth(c.Dc(), L"Hello world") + 1);
  EXPECT_GT(s.cy, 1);
  SIZE bold = d.SetTextAndMeasure(c.Dc(), L"<b>Hello world</b>");
  EXPECT_EQ(bold.cx, BodyWidth(c.Dc(), L"Hello world", 800) + 1);
  SIZE empty = d.SetTextAndMeasure(c.Dc(), L"");
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, 0);
  SIZE two = d.SetTextAndMeasure(c.Dc(), L"a\nb");
  EXPECT_GT(two.cy, s.cy);
}

TEST(HtmlDrawer, DrawsColouredTextInsideItsRectangle) {
  DibCanvas c(300, 100);
  CHtmlDrawer d;
  d.SetTextAndMeasure(c.Dc(), L"<font color=#ff0000>XXXX</font>");
  d.Draw(c.Dc(), RECT{50, 20, 250, 80});
  RECT ink = c.InkBounds(RGB(255, 255, 255));
  EXPECT_GE(ink.left, 50);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.right, 50 + BodyWidth(c.Dc(), L"XXXX") + 1);
  const COLORREF white = RGB(255, 255, 255);
  EXPECT_GT(c.CountInk(RGB(255, 0, 0), white, RECT{50, 20, 250, 80}), 20);
  d.SetColorsEnabled(false);
  d.SetDisabledColor(RGB(0, 128, 0));
  c.Clear(RGB(255, 255, 255));
  d.SetTextAndMeasure(c.Dc(), L"<font color=#ff0000>XXXX</font>");
  d.Draw(c.Dc(), RECT{50, 20, 250, 80});
  EXPECT_EQ(c.CountInk(RGB(255, 0, 0), white, RECT{0, 0, 300, 100}), 0);
  EXPECT_GT(c.CountInk(RGB(0, 128, 0), white, RECT{0, 0, 300, 100}), 20);
}

TEST(HtmlDrawer, RulesRunAcrossTheAvailableWidth) {
  DibCanvas c(200, 80);
  CHtmlDrawer d;
  d.SetTextAndMeasure(c.Dc(), L"ab<hr size=2 color=#0000ff>cd");
  d.Draw(c.Dc(), RECT{10, 10, 190, 70});
  int longest = 0;
  for (int y = 10; y < 70; ++y) longest = std::max(longest, c.Count(RGB(0, 0, 255), RECT{0, y, 200, y + 1}));
  EXPECT_GE(longest, 178);
}

TEST(HtmlDrawer, TableCellsSitWhereTheirWidthsPutThem) {
  DibCanvas c(300, 100);
  CHtmlDrawer d;
  const COLORREF blue = RGB(0, 0, 255);
  SIZE s = d.SetTextAndMeasure(c.Dc(), L"<table border=1 bordercolor=#0000ff cellpadding=0><tr><td>ab</td><td>c</td></tr></table>");
  d.Draw(c.Dc(), RECT{10, 10, 10 + s.cx - 1, 10 + s.cy - 1});
  const int ab = BodyWidth(c.Dc(), L"ab"), cw = BodyWidth(c.Dc(), L"c");
  // Table border 1, each cell inherits border 1: column 0 is ab + 2 wide, a 1-pixel gap, column 1.
  EXPECT_EQ(s.cx - 1, 1 + (ab + 2) + 1 + (cw + 2) + 1);
  auto& items = d.LastLayout().items;
  std::vector<HtmlDrawItem> texts;
  for (auto& i : items) {
    if (i.kind == HtmlDrawItem::kText) texts.push_back(i);
  }
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].box.left, 2);
  EXPECT_EQ(texts[1].box.left, 1 + ab + 2 + 1 + 1);
  EXPECT_EQ(c.At(10, 10), blue);                 // the table's top-left corner
  EXPECT_EQ(c.At(10 + 1 + ab + 2 + 1, 12), blue);  // the left edge of the second cell
  EXPECT_EQ(c.At(10 + s.cx - 2, 12), blue);       // the table's right edge
}

struct Recorder {
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == 0x8064) {
      ++hovers;
      lastHot = static_cast<int>(wp);
    }
    if (m == WM_APP + 7) linkText = reinterpret_cast<const wchar_t*>(wp);
    return DefWindowProcW(w, m, wp, lp);
  }
  static int hovers;
  static int lastHot;
  static std::wstring linkText;
};
int Recorder::hovers = 0;
int Recorder::lastHot = 0;
std::wstring Recorder::linkText;

HWND MakeRecorderWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Recorder::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MorvickHtmlRecorder";
  RegisterClassW(&wc);
  return CreateWindowW(L"MorvickHtmlRecorder", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

TEST(HtmlDrawer, LinkHitRectanglesAndNotifications) {
  HWND w = MakeRecorderWindow();
  DibCanvas c(300, 100);
  CHtmlDrawer d;
  d.SetWindow(w, 0x8064, 0);
  d.SetMessageLinkTarget(w, WM_APP + 7, 0);
  d.SetTextAndMeasure(c.Dc(), L"go <a msg=\"next page\">here</a>");
  d.Draw(c.Dc(), RECT{20, 30, 280, 90});
  ASSERT_EQ(d.LastLayout().links.size(), 1u);
  HtmlRect r = d.LastLayout().links[0].rect;
  EXPECT_EQ(r.left, BodyWidth(c.Dc(), L"go "));
  EXPECT_EQ(r.Width(), BodyWidth(c.Dc(), L"here"));
  Recorder::hovers = 0;
  POINT edge = {20 + r.right, 30 + r.bottom};
  EXPECT_TRUE(d.HitTest(edge));
  EXPECT_TRUE(d.HitTest(POINT{20 + r.left, 30 + r.top}));
  EXPECT_EQ(Recorder::hovers, 1);
  EXPECT_EQ(Recorder::lastHot, 0);
  EXPECT_FALSE(d.HitTest(POINT{20 + r.right + 1, 30 + r.top}));
  EXPECT_EQ(Recorder::hovers, 2);
  EXPECT_EQ(Recorder::lastHot, -2);
  EXPECT_TRUE(d.HitTest(edge));
  EXPECT_EQ(d.HotLink(), 0);
  d.SetTextAndMeasure(c.Dc(), L"<a msg=\"other\">new text</a>");
  EXPECT_EQ(d.HotLink(), -2);  // the new text's first link is not hot
  d.SetTextAndMeasure(c.Dc(), L"go <a msg=\"next page\">here</a>");
  d.Draw(c.Dc(), RECT{20, 30, 280, 90});
  EXPECT_TRUE(d.Click(edge));
  EXPECT_EQ(Recorder::linkText, L"next page");
  EXPECT_FALSE(d.Click(POINT{0, 0}));
  DestroyWindow(w);
}

HINSTANCE WINAPI FailingShell(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) { return reinterpret_cast<HINSTANCE>(2); }
std::wstring g_started;
BOOL WINAPI RecordingCreateProcess(LPCWSTR, LPWSTR cmd, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                                   LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION pi) {
  g_started = cmd;
  *pi = PROCESS_INFORMATION{};
  return TRUE;
}

std::wstring g_opened;
HINSTANCE WINAPI OpeningShell(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
  g_opened = file;
  return reinterpret_cast<HINSTANCE>(33);
}

TEST(HtmlDrawer, OpeningADocumentLinkGivesBackTheDefaultLinkCursor) {
  struct Hooks {
    HtmlShellHooks saved = CurrentHtmlShellHooks();
    ~Hooks() { CurrentHtmlShellHooks() = saved; }
  } hooks;
  CurrentHtmlShellHooks().shellExecute = OpeningShell;
  DibCanvas c(300, 100);
  CHtmlDrawer d;
  const HCURSOR custom = LoadCursorW(nullptr, IDC_CROSS);
  d.SetLinkCursor(custom);
  d.SetTextAndMeasure(c.Dc(), L"<a href=\"http://example.invalid/\">site</a>");
  d.Draw(c.Dc(), RECT{0, 0, 300, 100});
  const POINT inside = {2, 2};
  ASSERT_TRUE(d.HitTest(inside));
  EXPECT_EQ(GetCursor(), custom);
  g_opened.clear();
  EXPECT_TRUE(d.Click(inside));
  EXPECT_EQ(g_opened, L"http://example.invalid/");
  ASSERT_TRUE(d.HitTest(inside));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST(HtmlDrawer, DocumentFallbackQuotesTheAddressAndOnlyTakesWebAddresses) {
  EXPECT_EQ(BuildBrowserCommand(L"\"C:\\Program Files\\B\\b.exe\" \"%1\"", L"http://x/a b"),
            L"\"C:\\Program Files\\B\\b.exe\" \"http://x/a b\"");
  EXPECT_EQ(BuildBrowserCommand(L"b.exe -url %1", L"https://x"), L"b.exe -url \"https://x\"");
  EXPECT_EQ(BuildBrowserCommand(L"b.exe %1", L"C:\\x.exe"), L"");
  EXPECT_EQ(BuildBrowserCommand(L"b.exe %1", L"http://x\" --evil"), L"");

  struct Hooks {
    HtmlShellHooks saved = CurrentHtmlShellHooks();
    ~Hooks() { CurrentHtmlShellHooks() = saved; }
  } hooks;
  CurrentHtmlShellHooks().shellExecute = FailingShell;
  CurrentHtmlShellHooks().createProcess = RecordingCreateProcess;
  // The ".htm" class is the machine's: both hives are put back as they were, whatever happens here.
  std::vector<std::unique_ptr<test::SavedRegistryKey>> saved;
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    for (const wchar_t* key : {L"Software\\Classes\\.htm", L"Software\\Classes\\MorvickTest.Htm"})
      saved.push_back(std::make_unique<test::SavedRegistryKey>(hive, key));
  }
  HKEY k;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"MorvickTest.Htm\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &k, nullptr), ERROR_SUCCESS);
  const wchar_t cmd[] = L"browser.exe \"%1\"";
  RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(cmd), sizeof(cmd));
  RegCloseKey(k);
  ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, L".htm", REG_SZ, L"MorvickTest.Htm", 15 * sizeof(wchar_t)), ERROR_SUCCESS);
  g_started.clear();
  EXPECT_TRUE(CHtmlDrawer::OpenDocument(L"http://example.invalid/a b", SW_SHOW));
  EXPECT_EQ(g_started, L"browser.exe \"http://example.invalid/a b\"");
  g_started.clear();
  EXPECT_FALSE(CHtmlDrawer::OpenDocument(L"C:\\windows\\notepad.exe", SW_SHOW));
  EXPECT_TRUE(g_started.empty());
}

TEST(HtmlDrawer, ForeignHandlesAreCheckedBeforeUse) {
  DibCanvas c(200, 60);
  CHtmlDrawer d;
  SIZE plain = d.SetTextAndMeasure(c.Dc(), L"x");
  // Not an icon and not a bitmap: takes no room and draws nothing.
  SIZE bogus = d.SetTextAndMeasure(c.Dc(), L"x<icon handle=0x12345678><bmp handle=0x7777>");
  EXPECT_EQ(bogus.cx, plain.cx);
  HICON icon = LoadIconW(nullptr, IDI_WARNING);
  wchar_t text[64];
  swprintf(text, 64, L"x<icon handle=0x%llX>", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(icon)));
  SIZE withIcon = d.SetTextAndMeasure(c.Dc(), text);
  EXPECT_EQ(withIcon.cx, plain.cx + GetSystemMetrics(SM_CXICON));
}

// A 24-bit strip of 16 x 16 squares of the given colours.
HBITMAP ColourStrip(const std::initializer_list<COLORREF>& colours, HDC dc) {
  const int n = static_cast<int>(colours.size());
  HBITMAP strip = CreateCompatibleBitmap(dc, 16 * n, 16);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, strip);
  int i = 0;
  for (COLORREF c : colours) {
    RECT r = {16 * i, 0, 16 * i + 16, 16};
    HBRUSH b = CreateSolidBrush(c);
    FillRect(mem, &r, b);
    DeleteObject(b);
    ++i;
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  return strip;
}

// Writes a bitmap as a 24-bit BMP file.
bool SaveBmp(HBITMAP bitmap, HDC dc, const std::wstring& path) {
  BITMAP bm = {};
  GetObjectW(bitmap, sizeof bm, &bm);
  BITMAPINFOHEADER bi = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const int stride = (bm.bmWidth * 3 + 3) & ~3;
  std::string pixels(static_cast<size_t>(stride) * bm.bmHeight, '\0');
  GetDIBits(dc, bitmap, 0, bm.bmHeight, &pixels[0], reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  BITMAPFILEHEADER fh = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  fwrite(&fh, sizeof fh, 1, f);
  fwrite(&bi, sizeof bi, 1, f);
  fwrite(pixels.data(), 1, pixels.size(), f);
  return fclose(f) == 0;
}

TEST(HtmlDrawer, ImageListImagesComeByIndexFromRegisteredListsAndStrips) {
  DibCanvas c(200, 60);
  CHtmlDrawer d;
  HBITMAP strip = ColourStrip({RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)}, c.Dc());
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 3, 0);
  ASSERT_EQ(ImageList_Add(list, strip, nullptr), 0);
  ASSERT_EQ(ImageList_GetImageCount(list), 3);
  wchar_t text[96];
  auto withList = [&](int index) {
    swprintf(text, 96, L"<ilst handle=0x%llX index=%d>", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(list)),
             index);
    return std::wstring(text);
  };

  // A list the program did not register is never touched.
  EXPECT_EQ(d.SetTextAndMeasure(c.Dc(), withList(1)).cx, 1);
  RegisterHtmlImageList(list);
  SIZE s = d.SetTextAndMeasure(c.Dc(), withList(1));
  EXPECT_EQ(s.cx, 17);
  EXPECT_EQ(s.cy, 17);
  d.Draw(c.Dc(), RECT{10, 10, 190, 50});
  EXPECT_EQ(c.At(18, 18), RGB(0, 160, 0));
  EXPECT_EQ(c.Count(RGB(255, 0, 0), RECT{0, 0, 200, 60}), 0);
  // An index past the list's count gives no image.
  EXPECT_EQ(d.SetTextAndMeasure(c.Dc(), withList(3)).cx, 1);
  EXPECT_EQ(d.SetTextAndMeasure(c.Dc(), L"<ilst index=0>").cx, 1);  // no list at all
  UnregisterHtmlImageList(list);
  EXPECT_EQ(d.SetTextAndMeasure(c.Dc(), withList(0)).cx, 1);
  ImageList_Destroy(list);

  // A bitmap strip: square images by default, "cx" wide when given.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"morvick-ilst-" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
  ASSERT_TRUE(SaveBmp(strip, c.Dc(), path));
  c.Clear(RGB(255, 255, 255));
  d.SetTextAndMeasure(c.Dc(), L"<ilst file=\"" + path + L"\" index=2>");
  d.Draw(c.Dc(), RECT{0, 0, 200, 60});
  EXPECT_EQ(c.At(8, 8), RGB(0, 0, 255));
  EXPECT_EQ(d.SetTextAndMeasure(c.Dc(), L"<ilst file=\"" + path + L"\" index=3>").cx, 1);
  // 48 pixels hold one whole image 32 pixels wide: red and green.
  SIZE wide = d.SetTextAndMeasure(c.Dc(), L"<ilst file=\"" + path + L"\" index=0 cx=32>");
  EXPECT_EQ(wide.cx, 33);
  c.Clear(RGB(255, 255, 255));
  d.Draw(c.Dc(), RECT{0, 0, 200, 60});
  EXPECT_EQ(c.At(4, 8), RGB(255, 0, 0));
  EXPECT_EQ(c.At(20, 8), RGB(0, 160, 0));
  EXPECT_EQ(d.SetTextAndMeasure(c.Dc(), L"<ilst file=\"" + path + L"\" index=1 cx=32>").cx, 1);
  EXPECT_EQ(d.SetTextAndMeasure(c.Dc(), L"<ilst file=\"" + path + L"\" index=0 cx=64>").cx, 1);
  DeleteFileW(path.c_str());
  DeleteObject(strip);
}

}  // namespace
}  // namespace morvick::html
