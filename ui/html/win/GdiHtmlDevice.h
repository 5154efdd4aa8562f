#pragma once
// The layout's device over a GDI device context: fonts, text widths, and the inline images of a
// text, loaded once and kept until the device goes.

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "ui/html/HtmlDevice.h"

namespace morvick::html {

class GdiHtmlDevice : public HtmlDevice {
 public:
  // resourceModule: the module of "iddll" images (may be null).
  GdiHtmlDevice(HDC dc, HMODULE resourceModule);
  ~GdiHtmlDevice() override;
  GdiHtmlDevice(const GdiHtmlDevice&) = delete;
  GdiHtmlDevice& operator=(const GdiHtmlDevice&) = delete;

  HtmlFontMetrics SelectFont(const HtmlFontSpec& font) override;
  void TextExtents(const wchar_t* text, size_t length, int* cumulative) override;
  int PixelsPerInchY() override;
  HtmlSize ObjectSize(const HtmlObjectSpec& object) override;
  std::wstring ObjectString(const HtmlObjectSpec& object) override;

  struct LoadedImage {
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
    bool owned = false;  // loaded here, destroyed with the device
    int width = 0;
    int height = 0;
  };
  // The image of an object (loaded on first use); null members when it cannot be loaded.
  const LoadedImage& Image(const HtmlObjectSpec& object);
  // Loads a background image reference "idres:<id>", "iddll:<id>" or "file:<path>".
  HBITMAP BackgroundImage(const std::wstring& reference);

  HDC Dc() const { return dc_; }
  HFONT FontOf(const HtmlFontSpec& font);

 private:
  HMODULE ModuleFor(const HtmlObjectSpec& object);
  LoadedImage Load(const HtmlObjectSpec& object);
  LoadedImage LoadListImage(const HtmlObjectSpec& object);
  // The bitmap of a "file", "idres" or "iddll" reference, owned by the caller; null when none.
  HBITMAP LoadBitmapOf(const HtmlObjectSpec& object);

  HDC dc_;
  HMODULE resourceModule_;
  HGDIOBJ originalFont_ = nullptr;
  std::map<std::wstring, HFONT> fonts_;
  std::map<std::wstring, LoadedImage> images_;
  std::map<std::wstring, HMODULE> dataModules_;
  std::vector<HBITMAP> backgrounds_;
};

}  // namespace morvick::html
