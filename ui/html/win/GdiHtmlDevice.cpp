#include "ui/html/win/GdiHtmlDevice.h"

#include <algorithm>

#include "ui/html/HtmlStrings.h"
#include "ui/html/win/HtmlDrawManager.h"
#include "ui/html/win/HtmlImageLists.h"

namespace morvick::html {

namespace {

std::wstring FontKey(const HtmlFontSpec& f) {
  return f.face + L"|" + std::to_wstring(f.size) + L"|" + std::to_wstring(f.weight) + (f.italic ? L"i" : L"") +
         (f.underline ? L"u" : L"") + (f.strikeout ? L"s" : L"");
}

std::wstring ObjectKey(const HtmlObjectSpec& o) {
  return std::to_wstring(o.tag) + L"|" + std::to_wstring(o.index) + L"|" + std::to_wstring(o.idres) + L"|" +
         std::to_wstring(o.iddll) + L"|" + std::to_wstring(o.handle) + L"|" + o.file + L"|" + o.srcdll + L"|" +
         std::to_wstring(o.cx) + L"|" + std::to_wstring(o.cy) + L"|" + o.width + L"|" + o.height;
}

// "width" and "height": pixels, or a percentage of base.
int Dimension(const std::wstring& text, int base, int fallback) {
  std::wstring t = Trim(text);
  if (t.empty()) return fallback;
  long long v = 0;
  if (!ParseInteger(t, &v)) return fallback;
  if (t.back() == L'%') v = v * base / 100;
  return ClampToInt(v, 0, 4096);
}

}  // namespace

GdiHtmlDevice::GdiHtmlDevice(HDC dc, HMODULE resourceModule) : dc_(dc), resourceModule_(resourceModule) {
  originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
}

GdiHtmlDevice::~GdiHtmlDevice() {
  if (originalFont_) SelectObject(dc_, originalFont_);
  for (auto& f : fonts_) DeleteObject(f.second);
  for (auto& i : images_) {
    if (!i.second.owned) continue;
    if (i.second.bitmap) DeleteObject(i.second.bitmap);
    if (i.second.icon) DestroyIcon(i.second.icon);
  }
  for (HBITMAP b : backgrounds_) DeleteObject(b);
  for (auto& m : dataModules_) {
    if (m.second) FreeLibrary(m.second);
  }
}

HFONT GdiHtmlDevice::FontOf(const HtmlFontSpec& f) {
  std::wstring key = FontKey(f);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf = {};
  lf.lfHeight = f.size;  // positive: the cell height
  lf.lfWeight = f.weight;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfStrikeOut = f.strikeout;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, f.face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_[key] = font;
  return font;
}

HtmlFontMetrics GdiHtmlDevice::SelectFont(const HtmlFontSpec& f) {
  SelectObject(dc_, FontOf(f));
  TEXTMETRICW tm = {};
  HtmlFontMetrics m;
  if (GetTextMetricsW(dc_, &tm)) {
    m.height = tm.tmHeight;
    m.ascent = tm.tmAscent;
    m.descent = tm.tmDescent;
    m.xHeight = std::max<int>(1, (tm.tmAscent - tm.tmInternalLeading) / 2);
  } else {
    m.height = f.size;
    m.descent = f.size / 5;
    m.ascent = m.height - m.descent;
    m.xHeight = f.size / 2;
  }
  return m;
}

void GdiHtmlDevice::TextExtents(const wchar_t* text, size_t length, int* cumulative) {
  size_t done = 0;
  int base = 0;
  while (done < length) {
    int chunk = static_cast<int>(std::min<size_t>(length - done, 4096));
    SIZE size = {};
    if (!GetTextExtentExPointW(dc_, text + done, chunk, 0, nullptr, cumulative + done, &size)) {
      for (int i = 0; i < chunk; ++i) cumulative[done + i] = (i + 1) * 8;
    }
    for (int i = 0; i < chunk; ++i) cumulative[done + i] += base;
    base = cumulative[done + chunk - 1];
    done += chunk;
  }
}

int GdiHtmlDevice::PixelsPerInchY() {
  int dpi = GetDeviceCaps(dc_, LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

HMODULE GdiHtmlDevice::ModuleFor(const HtmlObjectSpec& o) {
  if (!o.srcdll.empty()) {
    // Loaded as data only: no code of the named module ever runs.
    auto it = dataModules_.find(o.srcdll);
    if (it != dataModules_.end()) return it->second;
    HMODULE m = LoadLibraryExW(o.srcdll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!m) m = LoadLibraryExW(o.srcdll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    dataModules_[o.srcdll] = m;
    return m;
  }
  if (o.iddll > 0) return resourceModule_;
  return GetModuleHandleW(nullptr);
}

GdiHtmlDevice::LoadedImage GdiHtmlDevice::Load(const HtmlObjectSpec& o) {
  LoadedImage img;
  const int id = o.iddll > 0 ? o.iddll : o.idres;
  if (o.tag == kTagIcon) {
    const int sysW = GetSystemMetrics(SM_CXICON), sysH = GetSystemMetrics(SM_CYICON);
    int w = o.cx > 0 ? o.cx : Dimension(o.width, sysW, sysW);
    int h = o.cy > 0 ? o.cy : Dimension(o.height, sysH, sysH);
    if (o.handle != 0) {
      HICON given = reinterpret_cast<HICON>(static_cast<UINT_PTR>(o.handle));
      ICONINFO ii = {};
      if (!GetIconInfo(given, &ii)) return img;  // not an icon: nothing
      if (ii.hbmColor) DeleteObject(ii.hbmColor);
      if (ii.hbmMask) DeleteObject(ii.hbmMask);
      SIZE s = CHtmlDrawManager::IconSize(given);
      img.icon = given;
      img.width = s.cx;
      img.height = s.cy;
      return img;
    }
    if (!o.file.empty()) {
      img.icon = static_cast<HICON>(LoadImageW(nullptr, o.file.c_str(), IMAGE_ICON, w, h, LR_LOADFROMFILE));
    } else if (id > 0) {
      HMODULE m = ModuleFor(o);
      if (m) img.icon = static_cast<HICON>(LoadImageW(m, MAKEINTRESOURCEW(id), IMAGE_ICON, w, h, 0));
    }
    if (img.icon) {
      img.owned = true;
      img.width = w;
      img.height = h;
    }
    return img;
  }
  if (o.tag == kTagBitmap) {
    if (o.handle != 0) {
      HBITMAP given = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(o.handle));
      if (GetObjectType(given) != OBJ_BITMAP) return img;
      img.bitmap = given;
    } else {
      img.bitmap = LoadBitmapOf(o);
      img.owned = img.bitmap != nullptr;
    }
    if (!img.bitmap) return img;
    SIZE s = CHtmlDrawManager::BitmapSize(img.bitmap);
    img.width = o.cx > 0 ? o.cx : Dimension(o.width, s.cx, s.cx);
    img.height = o.cy > 0 ? o.cy : Dimension(o.height, s.cy, s.cy);
    return img;
  }
  if (o.tag == kTagImageList) return LoadListImage(o);
  return img;
}

HBITMAP GdiHtmlDevice::LoadBitmapOf(const HtmlObjectSpec& o) {
  if (!o.file.empty()) {
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, o.file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  }
  const int id = o.iddll > 0 ? o.iddll : o.idres;
  HMODULE m = id > 0 ? ModuleFor(o) : nullptr;
  if (!m) return nullptr;
  return static_cast<HBITMAP>(LoadImageW(m, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// An image of a list: a list the program registered (by handle), or a bitmap strip of images
// "cx" pixels wide (square by default). An index outside the list gives no image.
GdiHtmlDevice::LoadedImage GdiHtmlDevice::LoadListImage(const HtmlObjectSpec& o) {
  LoadedImage img;
  if (o.index < 0) return img;
  HIMAGELIST list = nullptr;
  bool ownList = false;
  if (o.handle != 0) {
    list = reinterpret_cast<HIMAGELIST>(static_cast<UINT_PTR>(o.handle));
    if (!IsRegisteredHtmlImageList(list)) return img;
  } else {
    HBITMAP strip = LoadBitmapOf(o);
    if (!strip) return img;
    const SIZE s = CHtmlDrawManager::BitmapSize(strip);
    const int cx = o.cx > 0 ? o.cx : s.cy;
    if (cx > 0 && s.cy > 0 && s.cx >= cx) {
      list = ImageList_Create(cx, s.cy, ILC_COLOR32 | ILC_MASK, s.cx / cx, 0);
      if (list && (o.hasMask ? ImageList_AddMasked(list, strip, o.mask) : ImageList_Add(list, strip, nullptr)) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
      }
    }
    DeleteObject(strip);
    ownList = list != nullptr;
  }
  if (list && o.index < ImageList_GetImageCount(list)) {
    int w = 0, h = 0;
    img.icon = ImageList_GetIcon(list, o.index, ILD_NORMAL);
    if (img.icon && ImageList_GetIconSize(list, &w, &h)) {
      img.owned = true;
      img.width = w;
      img.height = h;
    } else if (img.icon) {
      DestroyIcon(img.icon);
      img.icon = nullptr;
    }
  }
  if (ownList) ImageList_Destroy(list);
  return img;
}

const GdiHtmlDevice::LoadedImage& GdiHtmlDevice::Image(const HtmlObjectSpec& o) {
  std::wstring key = ObjectKey(o);
  auto it = images_.find(key);
  if (it != images_.end()) return it->second;
  return images_[key] = Load(o);
}

HtmlSize GdiHtmlDevice::ObjectSize(const HtmlObjectSpec& o) {
  const LoadedImage& img = Image(o);
  if (!img.bitmap && !img.icon) return HtmlSize{};
  return HtmlSize{img.width, img.height};
}

std::wstring GdiHtmlDevice::ObjectString(const HtmlObjectSpec& o) {
  int id = o.iddll > 0 ? o.iddll : o.idres;
  HMODULE m = ModuleFor(o);
  if (!m || id <= 0) return std::wstring();
  wchar_t buffer[1024];
  int n = LoadStringW(m, static_cast<UINT>(id), buffer, 1024);
  return n > 0 ? std::wstring(buffer, n) : std::wstring();
}

HBITMAP GdiHtmlDevice::BackgroundImage(const std::wstring& ref) {
  size_t colon = ref.find(L':');
  if (ref.size() < 6 || colon == std::wstring::npos) return nullptr;
  std::wstring kind = ToLower(ref.substr(0, colon)), value = ref.substr(colon + 1);
  HBITMAP b = nullptr;
  long long id = 0;
  if (kind == L"file") {
    b = static_cast<HBITMAP>(LoadImageW(nullptr, value.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  } else if ((kind == L"idres" || kind == L"iddll") && ParseInteger(value, &id) && id > 0 && id < 65536) {
    HMODULE m = kind == L"idres" ? GetModuleHandleW(nullptr) : resourceModule_;
    if (m) b = static_cast<HBITMAP>(LoadImageW(m, MAKEINTRESOURCEW(static_cast<int>(id)), IMAGE_BITMAP, 0, 0, 0));
  }
  if (b) backgrounds_.push_back(b);
  return b;
}

}  // namespace morvick::html
