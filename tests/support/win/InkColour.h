#pragma once
// Telling the colour text was drawn in from what a picture shows. Smoothed text is drawn in blends
// of its colour and the background and has few pixels of exactly its colour; how few depends on the
// faces a machine has. So a pixel counts as ink of a colour when it lies on the blend from the
// background to that colour, at least half way to it.

#include <windows.h>

#include <map>

namespace morvick::test {

inline bool IsInk(COLORREF pixel, COLORREF ink, COLORREF background) {
  const double d[3] = {double(GetRValue(ink)) - GetRValue(background), double(GetGValue(ink)) - GetGValue(background),
                       double(GetBValue(ink)) - GetBValue(background)};
  const double q[3] = {double(GetRValue(pixel)) - GetRValue(background),
                       double(GetGValue(pixel)) - GetGValue(background),
                       double(GetBValue(pixel)) - GetBValue(background)};
  const double len2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  if (len2 == 0) return pixel == ink;
  const double t = (q[0] * d[0] + q[1] * d[1] + q[2] * d[2]) / len2;
  if (t < 0.5 || t > 1.25) return false;
  double off2 = 0;
  for (int i = 0; i < 3; ++i) off2 += (q[i] - t * d[i]) * (q[i] - t * d[i]);
  return off2 <= 48.0 * 48.0;
}

// The number of pixels of a rectangle inked in a colour over the given background.
template <typename PixelAt>
int CountInk(PixelAt at, COLORREF ink, COLORREF background, RECT r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) n += IsInk(at(x, y), ink, background);
  }
  return n;
}

// The same over the rectangle's most frequent colour, the background text is drawn on.
template <typename PixelAt>
int CountInk(PixelAt at, COLORREF ink, RECT r) {
  std::map<COLORREF, int> seen;
  COLORREF background = 0;
  int most = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF pixel = at(x, y);
      const int n = ++seen[pixel];
      if (n > most) {
        most = n;
        background = pixel;
      }
    }
  }
  return CountInk(at, ink, background, r);
}

}  // namespace morvick::test
