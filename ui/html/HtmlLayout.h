#pragma once
// Lays out a prepared text (see PrepareHtmlText) for a given width.

#include <string>

#include "ui/html/HtmlDevice.h"
#include "ui/html/HtmlDisplayList.h"
#include "ui/html/HtmlLanguage.h"

namespace morvick::html {

// availableWidth 0: no limit. hotLink: the index of the link under the mouse (-2: none), whose
// items take the "a:hover" rule.
HtmlLayoutResult LayoutHtml(const HtmlLanguage& language, HtmlDevice& device, const std::wstring& prepared,
                            int availableWidth, int hotLink);

}  // namespace morvick::html
