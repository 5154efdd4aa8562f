#pragma once
// The image lists that texts may name by handle in an ilst tag. A number in a text is taken as an
// image list only when the program registered that very list here: an image list handle cannot be
// checked otherwise, and a stray number would be read as one.

#include <windows.h>
#include <commctrl.h>

namespace morvick::html {

void RegisterHtmlImageList(HIMAGELIST list);
void UnregisterHtmlImageList(HIMAGELIST list);
bool IsRegisteredHtmlImageList(HIMAGELIST list);

}  // namespace morvick::html
