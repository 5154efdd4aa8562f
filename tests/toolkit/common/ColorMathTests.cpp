#include "toolkit/common/ColorMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tkcolor;

TEST(ColorBlend, WeightsBelowHundredArePerCent)
{
  EXPECT_EQ(0xFCFCFCu, Blend(0xFFFFFF, 0x000000, 99));
  EXPECT_EQ(0x000000u, Blend(0xFFFFFF, 0x000000, 0));
  EXPECT_EQ(0x808080u, Blend(0xFFFFFF, 0x000000, 50));  // 127.5 rounds up
}

TEST(ColorBlend, WeightsFromHundredArePerMille)
{
  EXPECT_EQ(0x1A1A1Au, Blend(0xFFFFFF, 0x000000, 100));
  EXPECT_EQ(0xFFFFFFu, Blend(0xFFFFFF, 0x000000, 1000));
  // 16.5 per cent of white over button face.
  EXPECT_EQ(0xCACACAu, Blend(0xFFFFFF, 0xC0C0C0, 165));
}

TEST(ColorBlend, ChannelsStaySeparateAndInRange)
{
  EXPECT_EQ(0x0000FFu, Blend(0x0000FF, 0x0000FF, 37));
  EXPECT_EQ(0x00FF00u, Blend(0x00FF00, 0x00FF00, 500));
  // Out-of-range weights would leave 0..255: the channels are kept to a byte.
  EXPECT_EQ(0x000000u, Blend(0xFFFFFF, 0x000000, -20));
  EXPECT_EQ(0xFFFFFFu, Blend(0xFFFFFF, 0x000000, 2000));
}

TEST(ColorContrast, ThresholdDependsOnReferenceBrightness)
{
  EXPECT_DOUBLE_EQ(100.0, ContrastThreshold(0.0, 50.0));
  EXPECT_NEAR(50.0, ContrastThreshold(220.0, 50.0), 1e-5);
  EXPECT_NEAR(50.0, ContrastThreshold(441.0, 50.0), 1e-5);  // capped at 220
  EXPECT_NEAR(ContrastThreshold(110.0, 50.0), ContrastThreshold(110.9, 50.9), 1e-9);  // both truncated
  EXPECT_NEAR(441.0, Brightness(0xFFFFFF), 1.0);
  EXPECT_DOUBLE_EQ(0.0, Brightness(0x000000));
}

TEST(ColorContrast, IsFarIsStrict)
{
  // Pure red and black are 195 apart; the threshold next to black doubles the distance.
  EXPECT_TRUE(IsFar(0x000000, 0x0000FF, false, 194));
  EXPECT_FALSE(IsFar(0x000000, 0x0000FF, false, 195));
  EXPECT_FALSE(IsFar(0x000000, 0x0000FF, true, 98));
  EXPECT_TRUE(IsFar(0x000000, 0x0000FF, true, 97));
}

namespace {

struct Pair
{
  TKColor reference, tested;
  int distance;
  // Black or white where the separation runs past the end of the colour range, else none.
  TKColor end = TK_COLOR_NONE;
};

}  // namespace

TEST(ColorContrast, SeparateLandsAtTheThreshold)
{
  const Pair pairs[] = {
      {0xC0C0C0, 0xC8C8C8, 50}, {0xCACACA, 0xA0A0A0, 100}, {0xFFFFFF, 0xF0F0F0, 80},
      {0x202020, 0x282828, 100}, {0xD4D0C8, 0xD8D4CC, 85}, {0xF6F6F6, 0xA0A0A0, 180},
      {0x6A240A, 0x6A240A, 60}, {0x808080, 0x808080, 30},
      // The threshold reaches beyond black or white: brighter goes towards black and ends there,
      // darker towards white; the last only just, by rounding near white.
      {0x575757, 0x585858, 250, 0x000000}, {0x575757, 0x565656, 250, 0xFFFFFF},
      {0x86999F, 0x839A9E, 176, 0xFFFFFF},
  };
  for (const Pair& p : pairs) {
    SCOPED_TRACE(::testing::Message() << std::hex << p.reference << " / " << p.tested);
    // Only colours that are too close are ever separated.
    ASSERT_FALSE(IsFar(p.reference, p.tested, true, p.distance));
    const TKColor moved = Separate(p.reference, p.tested, p.distance);
    const double t = ContrastThreshold(Brightness(p.reference), p.distance);
    const double d = Distance(p.reference, moved);
    // Past black or white the colour stops there, short of the threshold, every channel kept in
    // range rather than wrapped round; otherwise the rounding of channels is all that separates the
    // result from the threshold.
    if (p.end != TK_COLOR_NONE) {
      EXPECT_EQ(p.end, moved);
      EXPECT_LT(d, t);
    } else {
      EXPECT_NEAR(t, d, 2.5);
    }
  }
}

TEST(ColorContrast, LimitPullsTowardsTheReference)
{
  const TKColor moved = LimitDistance(0xC0C0C0, 0x000000, 35);
  const double t = ContrastThreshold(Brightness(0xC0C0C0), 35);
  EXPECT_NEAR(t, Distance(0xC0C0C0, moved), 2.0);
  EXPECT_EQ(0x123456u, LimitDistance(0x123456, 0x123456, 35));  // already within: unchanged
}
