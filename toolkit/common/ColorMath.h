// Colour arithmetic of the toolkit: blending, mixing, and the contrast rules that keep derived
// colours distinguishable from the colours they are drawn on.
//
// Contrast works in a weighted colour space in which red, green and blue run from 0 to 195, 390
// and 65: distances there follow how bright a colour looks rather than its raw channel values.
#pragma once

#include "toolkit/common/ColorTypes.h"

namespace tkcolor {

// Channel-wise mix of two colours. Weights below 100 count in per cent of the first colour, weights
// of 100 and more in per mille (165 is 16.5 per cent). Results are rounded and kept to 0..255.
TKColor Blend(TKColor first, TKColor second, int weight);

// factor x a + (1 - factor) x b per channel, truncated and capped at 255.
TKColor Mix(TKColor a, TKColor b, float factor);

double DistanceSquared(TKColor c1, TKColor c2);
double Distance(TKColor c1, TKColor c2);
// Distance from black in the weighted space (0 .. about 441).
double Brightness(TKColor c);

// The distance wanted between a colour of the given brightness and another: twice the nominal
// distance next to black, the nominal distance next to colours of brightness 220 or more.
double ContrastThreshold(double brightness, double distance);

// TRUE when c2 lies further than the distance (adjusted for c1's brightness when asked) from c1.
bool IsFar(TKColor c1, TKColor c2, bool adjust, double distance);

// c2 moved along the line towards c1 until its distance from c1 is the threshold.
TKColor LimitDistance(TKColor c1, TKColor c2, double distance);

// c2 moved along the line through black or white until its distance from c1 is the threshold.
TKColor Separate(TKColor c1, TKColor c2, double distance);

}  // namespace tkcolor
