// What the screen shows of the program where it draws pictures of its own: the preview pane's
// placeholder, found by comparing the screen with the program's bitmaps (copied unscaled, so the
// pixels are the bitmap's own), the text its document viewer shows, and the colours that cover a
// region (solid fills, never text).
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "tests/e2e/MorvickDriver.h"

namespace morvick::e2e {

// The placeholder pictures of the preview pane (the program's bitmap resources).
constexpr UINT kCorruptPicture = 196, kNotAvailablePicture = 197, kSelectFilePicture = 211, kTooLargePicture = 297;

// The placeholder the results page's preview pane shows: one of the four pictures above, 0 when
// none of them is on the screen where the pane's viewer lies.
UINT ShownPreviewPicture(MorvickDriver& driver);

// The beginning of the text the preview pane's viewer shows (the document viewer's, for texts and
// documents); empty while it shows none.
std::wstring ShownPreviewText(MorvickDriver& driver);

// How many pixels of a screen rectangle have each colour (COLORREF values).
std::map<COLORREF, size_t> ScreenColours(const RECT& screen);

}  // namespace morvick::e2e
