// Image lists of the program's icons, loaded from its resources at one size.
#pragma once

#include <cstddef>

#include "classlib/win/AfxWin.h"

// Creates `images` (when it has no list yet) and adds the icons in order; an icon that is missing
// takes its place as an empty image, so that the positions stay those of `ids`.
void LoadIconImages(CImageList& images, const UINT* ids, size_t count, int size, UINT flags = ILC_COLOR8 | ILC_MASK);
