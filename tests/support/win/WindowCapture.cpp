#include "tests/support/win/WindowCapture.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstdlib>
#include <cstring>

namespace morvick::test {
namespace {

// WIC needs COM on this thread; the tests may or may not have started it themselves.
class ComScope {
 public:
  ComScope() : m_started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (m_started) CoUninitialize();
  }

 private:
  bool m_started;
};

template <typename T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

}  // namespace

std::wstring GalleryFolder(const std::string& name) {
  const char* bin = std::getenv("MORVICK_BINARY_DIR");
  std::wstring folder;
  if (bin != nullptr && *bin != '\0') {
    const std::string narrow = bin;
    folder.assign(narrow.begin(), narrow.end());
    for (wchar_t& c : folder) {
      if (c == L'/') c = L'\\';
    }
    // Under Wine the Unix build folder is reachable through drive Z:.
    if (folder[0] == L'\\') folder = L"Z:" + folder;
  } else {
    // Started by hand: beside the test program, which lives in the build folder, never in the
    // current folder (which may be the work tree).
    wchar_t exe[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    folder.assign(exe, n);
    const size_t slash = folder.find_last_of(L"\\/");
    folder = slash == std::wstring::npos ? L"." : folder.substr(0, slash);
  }
  folder += L"\\" + std::wstring(name.begin(), name.end()) + L"-gallery";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void PumpMessagesFor(DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const DWORD spent = GetTickCount() - start;
    if (spent >= ms) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
  }
}

bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path) {
  ComScope com;
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
      SUCCEEDED(frame->WriteSource(source, nullptr)) && SUCCEEDED(frame->Commit()) &&
      SUCCEEDED(encoder->Commit())) {
    ok = true;
  }
  Release(frame);
  Release(encoder);
  Release(stream);
  Release(source);
  Release(factory);
  return ok;
}

namespace {

// A copy of a rectangle of the screen. What is on the screen only gets there once the windows'
// drawing is flushed to the display, which happens while the thread waits for messages.
HBITMAP GrabScreen(const RECT& screenRect) {
  const int width = screenRect.right - screenRect.left;
  const int height = screenRect.bottom - screenRect.top;
  if (width <= 0 || height <= 0) return nullptr;
  GdiFlush();
  PumpMessagesFor(150);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(mem, bitmap);
  // Only the part on the screen is copied (a copy that starts off the screen copies nothing at all
  // here); the rest stays black.
  RECT all = {0, 0, width, height};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT desktop = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT shown;
  if (IntersectRect(&shown, &screenRect, &desktop)) {
    BitBlt(mem, shown.left - screenRect.left, shown.top - screenRect.top, shown.right - shown.left,
           shown.bottom - shown.top, screen, shown.left, shown.top, SRCCOPY | CAPTUREBLT);
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// Without a window manager nobody draws frames and captions on the screen, and the platform does
// not print them either: draw the window's frame, caption (icon, text, buttons) and plain menu bar
// with the system's own drawing calls, around what the screen shows of its client area.
void DrawFrame(HWND window, HBITMAP picture) {
  WINDOWINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetWindowInfo(window, &info)) return;
  const int width = info.rcWindow.right - info.rcWindow.left;
  const int height = info.rcWindow.bottom - info.rcWindow.top;
  RECT client = info.rcClient;
  OffsetRect(&client, -info.rcWindow.left, -info.rcWindow.top);
  if (client.left == 0 && client.top == 0 && client.right == width && client.bottom == height) return;

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, picture);
  HRGN around = CreateRectRgn(0, 0, width, height);
  HRGN inside = CreateRectRgnIndirect(&client);
  CombineRgn(around, around, inside, RGN_DIFF);
  SelectClipRgn(dc, around);

  RECT all = {0, 0, width, height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  const DWORD style = info.dwStyle;
  if (style & (WS_THICKFRAME | WS_DLGFRAME)) {
    DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
  } else if (style & WS_BORDER) {
    FrameRect(dc, &all, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  const int bx = static_cast<int>(info.cxWindowBorders), by = static_cast<int>(info.cyWindowBorders);
  int top = by;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    const bool tool = (info.dwExStyle & WS_EX_TOOLWINDOW) != 0;
    const int captionHeight = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
    RECT caption = {bx, by, width - bx, by + captionHeight};
    UINT flags = DC_TEXT | DC_GRADIENT | DC_ACTIVE | (tool ? DC_SMALLCAP : DC_ICON);
    DrawCaption(window, dc, &caption, flags);
    // The caption buttons, right to left: close, then maximise/restore and minimise.
    if (style & WS_SYSMENU) {
      const int size = captionHeight - 4;
      RECT button = {caption.right - 2 - size, caption.top + 2, caption.right - 2, caption.top + 2 + size};
      DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
      if (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
        OffsetRect(&button, -(size + 2), 0);
        DrawFrameControl(dc, &button, DFC_CAPTION,
                         (IsZoomed(window) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
                             ((style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
        OffsetRect(&button, -size, 0);
        DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONMIN | ((style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
      }
    }
    top = caption.bottom;
  }
  // A plain menu bar between the caption and the client area.
  HMENU menu = (style & WS_CHILD) ? nullptr : GetMenu(window);
  if (menu && client.top > top) {
    using DrawMenuBarTempFn = DWORD(WINAPI*)(HWND, HDC, LPRECT, HMENU, HFONT);
    auto drawMenuBar = reinterpret_cast<DrawMenuBarTempFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "DrawMenuBarTemp")));
    RECT bar = {bx, top, width - bx, client.top};
    if (drawMenuBar) drawMenuBar(window, dc, &bar, menu, nullptr);
  }

  SelectClipRgn(dc, nullptr);
  DeleteObject(inside);
  DeleteObject(around);
  SelectObject(dc, old);
  DeleteDC(dc);
}

// The part of a window's picture that lies on the screen (a maximised frame reaches past its edges
// by the width of its borders); the picture itself when all of it does.
HBITMAP CropToScreen(HBITMAP picture, const RECT& windowRect) {
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT shown;
  if (!IntersectRect(&shown, &windowRect, &screen) || EqualRect(&shown, &windowRect)) return picture;
  const int width = shown.right - shown.left, height = shown.bottom - shown.top;
  HDC screenDc = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screenDc);
  HDC to = CreateCompatibleDC(screenDc);
  HBITMAP cropped = CreateCompatibleBitmap(screenDc, width, height);
  ReleaseDC(nullptr, screenDc);
  if (cropped) {
    HGDIOBJ oldFrom = SelectObject(from, picture);
    HGDIOBJ oldTo = SelectObject(to, cropped);
    BitBlt(to, 0, 0, width, height, from, shown.left - windowRect.left, shown.top - windowRect.top, SRCCOPY);
    SelectObject(to, oldTo);
    SelectObject(from, oldFrom);
  }
  DeleteDC(to);
  DeleteDC(from);
  if (!cropped) return picture;
  DeleteObject(picture);
  return cropped;
}

}  // namespace

bool CaptureScreenRectToPng(const RECT& screenRect, const std::wstring& path) {
  HBITMAP bitmap = GrabScreen(screenRect);
  if (!bitmap) return false;
  const bool ok = SaveBitmapPng(bitmap, path);
  DeleteObject(bitmap);
  return ok;
}

bool CaptureShownWindowToPng(HWND window, const std::wstring& path) {
  RECT r;
  if (!IsWindow(window) || !GetWindowRect(window, &r)) return false;
  HBITMAP bitmap = GrabScreen(r);
  if (!bitmap) return false;
  DrawFrame(window, bitmap);
  bitmap = CropToScreen(bitmap, r);
  const bool ok = SaveBitmapPng(bitmap, path);
  DeleteObject(bitmap);
  return ok;
}

bool CaptureWindowToPng(HWND window, const std::wstring& path) {
  if (!IsWindow(window)) return false;
  const bool wasHidden = !IsWindowVisible(window);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (wasHidden ? SWP_SHOWWINDOW : 0));
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessagesFor(100);
  const bool ok = CaptureShownWindowToPng(window, path);
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (wasHidden ? SWP_HIDEWINDOW : 0));
  return ok;
}

}  // namespace morvick::test
