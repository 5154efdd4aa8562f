// Derived images: a copy of an image record with a pixel rule applied to its visible pixels (every
// pixel of an alpha bitmap, the pixels of an icon whose mask bit is 0).
#pragma once

#include "toolkit/base/IconHandle.h"

#include <functional>

// The rule gets each pixel as blue, green, red, alpha bytes. FALSE when no copy could be made.
BOOL TKPTransformImage(const CTKPIconHandle& source, CTKPIconHandle& target,
                       const std::function<void(BYTE*)>& rule);
