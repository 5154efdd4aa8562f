#pragma once
// Draws a laid-out text into a device context.

#include <windows.h>

#include "ui/html/HtmlDisplayList.h"
#include "ui/html/win/GdiHtmlDevice.h"
#include "ui/html/win/HtmlDrawManager.h"

namespace morvick::html {

// Draws the items of a layout with its top-left corner at (x, y). The device must be the one the
// layout measured with (its fonts and images are reused).
void PaintHtmlLayout(HDC dc, const HtmlLayoutResult& layout, int x, int y, GdiHtmlDevice& device,
                     CHtmlDrawManager& manager, const HtmlShadow& shadow);

}  // namespace morvick::html
