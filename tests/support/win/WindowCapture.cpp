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
  std::string narrow = bin ? bin : ".";
  std::wstring folder(narrow.begin(), narrow.end());
  for (wchar_t& c : folder) {
    if (c == L'/') c = L'\\';
  }
  // Under Wine the Unix build folder is reachable through drive Z:.
  if (!folder.empty() && folder[0] == L'\\') folder = L"Z:" + folder;
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

bool CaptureScreenRectToPng(const RECT& screenRect, const std::wstring& path) {
  const int width = screenRect.right - screenRect.left;
  const int height = screenRect.bottom - screenRect.top;
  if (width <= 0 || height <= 0) return false;
  // What is on the screen only gets there once the windows' drawing is flushed to the display,
  // which happens while the thread waits for messages.
  GdiFlush();
  PumpMessagesFor(150);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(mem, 0, 0, width, height, screen, screenRect.left, screenRect.top, SRCCOPY | CAPTUREBLT);
  SelectObject(mem, old);
  ReleaseDC(nullptr, screen);
  const bool ok = SaveBitmapPng(bitmap, path);
  DeleteObject(bitmap);
  DeleteDC(mem);
  return ok;
}

bool CaptureWindowToPng(HWND window, const std::wstring& path) {
  if (!IsWindow(window)) return false;
  const bool wasHidden = !IsWindowVisible(window);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (wasHidden ? SWP_SHOWWINDOW : 0));
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessagesFor(100);
  RECT r;
  GetWindowRect(window, &r);
  const bool ok = CaptureScreenRectToPng(r, path);
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (wasHidden ? SWP_HIDEWINDOW : 0));
  return ok;
}

}  // namespace morvick::test
