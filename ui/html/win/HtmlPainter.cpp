#include "ui/html/win/HtmlPainter.h"

namespace morvick::html {

namespace {

RECT Offset(const HtmlRect& r, int x, int y) { return RECT{r.left + x, r.top + y, r.right + x, r.bottom + y}; }

void PaintText(HDC dc, const HtmlDrawItem& item, int x, int y, GdiHtmlDevice& device) {
  SelectObject(dc, device.FontOf(item.font));
  SetTextColor(dc, item.color);
  SetBkColor(dc, item.backColor);
  SetBkMode(dc, item.backMode == 2 ? OPAQUE : TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  if (item.justifyBreaks > 0) SetTextJustification(dc, item.justifyExtra, item.justifyBreaks);
  TextOutW(dc, item.box.left + x, item.box.top + y, item.text.c_str(), static_cast<int>(item.text.size()));
  if (item.justifyBreaks > 0) SetTextJustification(dc, 0, 0);
  if (item.overlineWidth > 0) {
    RECT line = {item.box.left + x, item.box.top + y, item.box.right + x, item.box.top + y + item.overlineWidth};
    HBRUSH brush = CreateSolidBrush(item.color);
    FillRect(dc, &line, brush);
    DeleteObject(brush);
  }
}

void PaintObject(HDC dc, const HtmlDrawItem& item, int x, int y, GdiHtmlDevice& device, CHtmlDrawManager& manager,
                 const HtmlShadow& shadow) {
  const GdiHtmlDevice::LoadedImage& img = device.Image(item.object);
  unsigned style = item.hot ? item.object.hotStyle : item.object.style;
  HtmlShadow s = shadow;
  if (style & kImageShadowRequest) {
    style &= ~kImageShadowRequest;
    if (shadow.on && (shadow.offsetX != 0 || shadow.offsetY != 0)) {
      style |= shadow.blur ? kImageBlurShadow : kImageHardShadow;
    }
  }
  s.on = false;  // images without a shadow style stay where the layout put them
  const int w = item.box.Width(), h = item.box.Height();
  if (img.icon) {
    manager.DrawIcon(dc, item.box.left + x, item.box.top + y, w, h, img.icon, style, s);
  } else if (img.bitmap) {
    manager.DrawBitmap(dc, item.box.left + x, item.box.top + y, w, h, img.bitmap, item.object.hasMask,
                       item.object.mask, style, s);
  }
}

void PaintTile(HDC dc, const HtmlDrawItem& item, int x, int y, GdiHtmlDevice& device) {
  HBITMAP b = device.BackgroundImage(item.image);
  SIZE s = CHtmlDrawManager::BitmapSize(b);
  if (!b || s.cx <= 0 || s.cy <= 0) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, b);
  CHtmlDrawManager::Tile(dc, item.box.left + x, item.box.top + y, item.box.Width(), item.box.Height(), mem, 0, 0,
                         s.cx, s.cy);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace

void PaintHtmlLayout(HDC dc, const HtmlLayoutResult& layout, int x, int y, GdiHtmlDevice& device,
                     CHtmlDrawManager& manager, const HtmlShadow& shadow) {
  const int savedDc = SaveDC(dc);
  for (const HtmlDrawItem& item : layout.items) {
    switch (item.kind) {
      case HtmlDrawItem::kText: PaintText(dc, item, x, y, device); break;
      case HtmlDrawItem::kLine:
        CHtmlDrawManager::Line(dc, item.box.left + x, item.box.top + y, item.box.right + x, item.box.bottom + y,
                               item.color, item.lineStyle, item.lineWidth);
        break;
      case HtmlDrawItem::kFill:
        manager.FillEffect(dc, item.effect, Offset(item.box, x, y), item.color, item.color2, item.color3);
        break;
      case HtmlDrawItem::kBorder:
        CHtmlDrawManager::Border(dc, Offset(item.box, x, y), item.color, item.darkColor, item.lineStyle,
                                 item.lineWidth);
        break;
      case HtmlDrawItem::kTile: PaintTile(dc, item, x, y, device); break;
      case HtmlDrawItem::kObject: PaintObject(dc, item, x, y, device, manager, shadow); break;
    }
  }
  RestoreDC(dc, savedDc);
}

}  // namespace morvick::html
