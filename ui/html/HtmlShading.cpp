#include "ui/html/HtmlShading.h"

#include <algorithm>

namespace morvick::html {

namespace {

HtmlColor Blend128(HtmlColor from, HtmlColor to, int i) {
  auto ch = [i](unsigned f, unsigned t) { return (f * (128 - i) + t * i) / 128; };
  return HtmlRgb(ch(HtmlRed(from), HtmlRed(to)), ch(HtmlGreen(from), HtmlGreen(to)), ch(HtmlBlue(from), HtmlBlue(to)));
}

}  // namespace

void BuildShadingPalette(HtmlColor c1, HtmlColor c2, HtmlColor c3, int tint, HtmlColor* palette) {
  for (int i = 0; i <= 128; ++i) palette[i] = Blend128(c3, c2, i);
  for (int i = 1; i <= 128; ++i) palette[127 + i] = Blend128(c2, c1, i);
  int p = std::clamp(tint, 0, 100);
  for (int i = 0; i < 256; ++i) {
    HtmlColor e = palette[i];
    auto ch = [p](unsigned v, unsigned c) { return (v * (100 - p) + c * p) / 100; };
    palette[i] = HtmlRgb(ch(HtmlRed(e), HtmlRed(c1)), ch(HtmlGreen(e), HtmlGreen(c1)), ch(HtmlBlue(e), HtmlBlue(c1)));
  }
}

HtmlShadedSurface ShadeSurface(int effect, int W, int H, HtmlColor c1, HtmlColor c2, HtmlColor c3, int aIn, int bIn,
                               std::uint32_t seed) {
  HtmlShadedSurface s;
  if (W <= 0 || H <= 0) return s;
  s.width = W;
  s.height = H;
  const int a = std::clamp(aIn, 0, 255);
  BuildShadingPalette(c1, c2, c3, std::clamp(bIn, 0, 100), s.palette);
  s.indexes.assign(static_cast<size_t>(W) * H, 0);
  HtmlNoise rng(seed);
  const int divisor = std::max(32767 / std::max(2 * a, 1), 1);
  const int span = 255 - 2 * a;
  const int half = span / 2;
  auto cube = [](int t) { return t * t * t / 128 / 128; };
  auto tx = [W](int x) { return (W - x) * 255 / W - 127; };
  auto ty = [H](int y) { return y * 255 / H - 127; };
  for (int row = 0; row < H; ++row) {
    const int y = H - 1 - row;  // rows counted from the bottom
    for (int x = 0; x < W; ++x) {
      const int n = a > 0 ? rng.Next() / divisor - a : 0;
      int v;
      switch (effect) {
        case 7: v = 128 + n; break;
        case 8: v = a + half * (W - x) / W + half * y / H + n; break;
        case 9: v = a + span * y / H + n; break;
        case 10: v = a + span * (W - x) / W + n; break;
        case 11: v = cube(ty(y)) * (128 - a) / 128 + 128 + n; break;
        case 12: v = cube(tx(x)) * (128 - a) / 128 + 128 + n; break;
        case 13: v = std::clamp((cube(tx(x)) + cube(ty(y))) * (128 - a) / 128 + 128, a, 255 - a) + n; break;
        case 14: {
          // Hard bump: a raised tile with sharp light and dark rims of width a / 16 + 2.
          const int rim = a / 16 + 2;
          if (x < rim || row < rim) v = 255 - a / 2;
          else if (x >= W - rim || row >= H - rim) v = a / 2;
          else v = 128 + (ty(y) - tx(x)) / 8;
          v += n;
          break;
        }
        case 15: v = 0; break;
        default: v = 128; break;
      }
      s.indexes[static_cast<size_t>(row) * W + x] = static_cast<std::uint8_t>(v & 0xFF);
    }
  }
  if (effect == 15) {
    // Metal: 200 horizontal strokes of random length and brightness over a dark base.
    for (int k = 0; k < 200; ++k) {
      const int row = rng.Next() % H;
      const int x0 = rng.Next() % W;
      const int len = 1 + rng.Next() % std::max(W / 2, 1);
      const int shade = 64 + rng.Next() % 128 + a / 4;
      for (int x = x0; x < std::min(W, x0 + len); ++x) {
        s.indexes[static_cast<size_t>(row) * W + x] = static_cast<std::uint8_t>(shade & 0xFF);
      }
    }
  }
  return s;
}

std::vector<double> BoxAverage(const std::vector<std::uint8_t>& values, int W, int H, int bw, int bh,
                               std::uint8_t outside) {
  std::vector<double> out;
  if (W <= 0 || H <= 0 || values.size() < static_cast<size_t>(W) * H) return out;
  bw = std::max(bw, 1);
  bh = std::max(bh, 1);
  // Summed-area table of (value - outside), so that the area beyond the image adds nothing.
  std::vector<long long> sat(static_cast<size_t>(W + 1) * (H + 1), 0);
  for (int y = 0; y < H; ++y) {
    long long rowSum = 0;
    for (int x = 0; x < W; ++x) {
      rowSum += static_cast<int>(values[static_cast<size_t>(y) * W + x]) - outside;
      sat[static_cast<size_t>(y + 1) * (W + 1) + x + 1] = sat[static_cast<size_t>(y) * (W + 1) + x + 1] + rowSum;
    }
  }
  auto at = [&](int x, int y) { return sat[static_cast<size_t>(y) * (W + 1) + x]; };
  out.resize(static_cast<size_t>(W) * H);
  const double area = static_cast<double>(bw) * bh;
  for (int y = 0; y < H; ++y) {
    const int y0 = std::clamp(y - bh / 2, 0, H), y1 = std::clamp(y - bh / 2 + bh, 0, H);
    for (int x = 0; x < W; ++x) {
      const int x0 = std::clamp(x - bw / 2, 0, W), x1 = std::clamp(x - bw / 2 + bw, 0, W);
      const long long sum = at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
      out[static_cast<size_t>(y) * W + x] = (static_cast<double>(sum) + outside * area) / area;
    }
  }
  return out;
}

}  // namespace morvick::html
