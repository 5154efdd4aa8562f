// Colour arithmetic, shaded surfaces and the shadow blur, without a device.

#include <gtest/gtest.h>

#include "ui/html/HtmlColorMath.h"
#include "ui/html/HtmlObject.h"
#include "ui/html/HtmlShading.h"

namespace morvick::html {
namespace {

TEST(HtmlColorMath, HelpersAtTheirEdges) {
  EXPECT_EQ(GreyColor(HtmlRgb(255, 255, 255)), HtmlRgb(255, 255, 255));
  EXPECT_EQ(GreyColor(HtmlRgb(255, 0, 0)), HtmlRgb(76, 76, 76));
  EXPECT_EQ(InvertColor(HtmlRgb(0, 128, 255)), HtmlRgb(255, 127, 0));
  EXPECT_EQ(DarkenColor(HtmlRgb(200, 100, 40), 1.0), HtmlRgb(200, 100, 40));
  EXPECT_EQ(DarkenColor(HtmlRgb(200, 100, 40), 0.5), HtmlRgb(100, 50, 20));
  EXPECT_EQ(LightenColor(HtmlRgb(255, 255, 255), 0.25), HtmlRgb(255, 255, 255));
  EXPECT_EQ(LightenColor(HtmlRgb(100, 220, 0), 0.25), HtmlRgb(125, 255, 0));
  EXPECT_EQ(LightenColor(HtmlRgb(100, 220, 0), 1.0), HtmlRgb(100, 220, 0));
  EXPECT_EQ(MixColors(HtmlRgb(255, 0, 100), 0.5, HtmlRgb(0, 255, 100), 0.5), HtmlRgb(127, 127, 100));
  EXPECT_EQ(GradientBandColor(0, HtmlRgb(64, 128, 255), 1), HtmlRgb(1, 2, 3));
  EXPECT_EQ(GradientBandColor(HtmlRgb(64, 0, 0), 0, 63), HtmlRgb(1, 0, 0));
  EXPECT_EQ(StyleColor(HtmlRgb(10, 20, 30), kImageFill | kImageInvert, HtmlRgb(0, 0, 0)), HtmlRgb(255, 255, 255));
}

TEST(HtmlShading, PaletteRunsFromColourThreeToOneAndTintSaturates) {
  HtmlColor pal[256];
  BuildShadingPalette(HtmlRgb(255, 0, 0), HtmlRgb(0, 255, 0), HtmlRgb(0, 0, 255), 0, pal);
  EXPECT_EQ(pal[0], HtmlRgb(0, 0, 255));
  EXPECT_EQ(pal[127], HtmlRgb(0, 253, 1));
  EXPECT_EQ(pal[128], HtmlRgb(1, 253, 0));  // the second run starts one step past colour 2
  EXPECT_EQ(pal[255], HtmlRgb(255, 0, 0));
  BuildShadingPalette(HtmlRgb(9, 8, 7), HtmlRgb(0, 255, 0), HtmlRgb(0, 0, 255), 150, pal);
  for (HtmlColor c : pal) EXPECT_EQ(c, HtmlRgb(9, 8, 7));
}

TEST(HtmlShading, SurfacesAreFlatWhereTheyShouldBe) {
  HtmlShadedSurface noise = ShadeSurface(7, 20, 10, 1, 2, 3, 0, 0);
  for (auto i : noise.indexes) EXPECT_EQ(i, 128);
  HtmlShadedSurface bump = ShadeSurface(12, 20, 10, 5, 5, 5, 40, 0);
  for (HtmlColor c : bump.palette) EXPECT_EQ(c, 5u);
  HtmlShadedSurface loud = ShadeSurface(7, 50, 50, 1, 2, 3, 100000, 100000);  // clamped, no division by 0
  EXPECT_EQ(loud.indexes.size(), 2500u);
  for (int effect = 7; effect <= 15; ++effect) {
    HtmlShadedSurface s = ShadeSurface(effect, 3, 1, 1, 2, 3, 30, 10);
    EXPECT_EQ(s.indexes.size(), 3u) << effect;
  }
  EXPECT_TRUE(ShadeSurface(9, 0, 10, 1, 2, 3, 0, 0).indexes.empty());
}

TEST(HtmlShading, HorizontalShadeRisesTowardsTheTop) {
  HtmlShadedSurface s = ShadeSurface(9, 4, 100, 1, 2, 3, 0, 0);
  EXPECT_GT(s.indexes[0], s.indexes[99 * 4]);  // first row is the top
}

TEST(HtmlShading, BoxAverageMatchesANaiveAverage) {
  const int W = 13, H = 9, bw = 5, bh = 3;
  std::vector<std::uint8_t> v(W * H);
  for (int i = 0; i < W * H; ++i) v[i] = static_cast<std::uint8_t>((i * 37) % 256);
  std::vector<double> fast = BoxAverage(v, W, H, bw, bh, 255);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      double sum = 0;
      for (int dy = 0; dy < bh; ++dy) {
        for (int dx = 0; dx < bw; ++dx) {
          int xx = x - bw / 2 + dx, yy = y - bh / 2 + dy;
          sum += (xx < 0 || yy < 0 || xx >= W || yy >= H) ? 255 : v[yy * W + xx];
        }
      }
      EXPECT_NEAR(fast[y * W + x], sum / (bw * bh), 1e-9) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace morvick::html
