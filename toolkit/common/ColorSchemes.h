// Fixed colours of the three visual-style colour schemes (1 blue, 2 olive, 3 silver).
#pragma once

#include "toolkit/common/ColorTypes.h"

namespace tkscheme {

enum { kNone = 0, kBlue = 1, kOlive = 2, kSilver = 3 };

struct SchemeColor
{
  int index;
  TKColor colors[3];  // blue, olive, silver
};

struct SchemeGradient
{
  TKColor light, dark;
  float factor;
};

// The fourteen colour-table entries that a scheme replaces.
extern const SchemeColor kSchemeColors[14];
// Gradients 0 to 6 of each scheme: kSchemeGradients[scheme - 1][gradient].
extern const SchemeGradient kSchemeGradients[3][7];
// Colour 54 (frame of the gradient caption) of each scheme.
extern const TKColor kSchemeCaptionFrame[3];

}  // namespace tkscheme
