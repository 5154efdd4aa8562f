#pragma once
// Window regions for the skinned dialogs: the shape of a bitmap without its key colour.

#include <windows.h>

namespace morvick::ui {

// Returns a region (owned by the caller) of the pixels that do not match key; null on failure.
// Method 0 collects the key's runs and inverts them, any other method collects the other runs
// directly. Black matches 0-16 in each channel, white 239-255, any other colour its values +-17.
HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF key, int method);

}  // namespace morvick::ui
