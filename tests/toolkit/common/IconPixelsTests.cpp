#include "toolkit/common/IconPixels.h"

#include <gtest/gtest.h>

using namespace tkpixels;

TEST(IconPixels, FadedMovesThirtyPerCentTowardsWhite)
{
  EXPECT_EQ(76, FadeChannel(0));
  EXPECT_EQ(255, FadeChannel(255));
  EXPECT_EQ(146, FadeChannel(100));  // 70 + 76.5
  std::uint8_t px[4] = {0, 10, 255, 128};
  FadePixel(px);
  EXPECT_EQ(76, px[0]);
  EXPECT_EQ(83, px[1]);
  EXPECT_EQ(255, px[2]);
  EXPECT_EQ(128, px[3]);  // alpha kept
}

TEST(IconPixels, GreyDisabledKeepsWhiteAndLiftsDarkColours)
{
  std::uint8_t white[4] = {255, 255, 255, 200};
  GreyPixel(white);
  EXPECT_EQ(255, white[0]);
  EXPECT_EQ(255, white[2]);
  EXPECT_EQ(200, white[3]);
  std::uint8_t blue[4] = {255, 0, 0, 255};
  GreyPixel(blue);
  EXPECT_EQ(86, blue[0]);
  EXPECT_EQ(86, blue[1]);
  EXPECT_EQ(86, blue[2]);
  std::uint8_t black[4] = {0, 0, 0, 255};
  GreyPixel(black);
  EXPECT_EQ(0, black[1]);
}

TEST(IconPixels, TwoColourDisabledMapsDarkToSecondAndLightToFirst)
{
  const TKColor first = 0xFFFFFF, second = 0x800000;  // white and navy
  std::uint8_t black[4] = {0, 0, 0, 255};
  TwoColorPixel(black, first, second);
  EXPECT_EQ(0x80, black[0]);
  EXPECT_EQ(0, black[1]);
  EXPECT_EQ(0, black[2]);
  std::uint8_t white[4] = {255, 255, 255, 255};
  TwoColorPixel(white, first, second);
  EXPECT_EQ(255, white[0]);
  EXPECT_EQ(255, white[2]);
}

TEST(IconPixels, PremultiplyAndShadow)
{
  std::uint8_t px[8] = {255, 128, 10, 128, 200, 200, 200, 0};
  Premultiply(px, 2);
  EXPECT_EQ(128, px[0]);
  EXPECT_EQ(64, px[1]);
  EXPECT_EQ(5, px[2]);
  EXPECT_EQ(128, px[3]);
  EXPECT_EQ(0, px[4]);
  EXPECT_EQ(0, px[7]);
  EXPECT_EQ(0x91B2BFu, ShadowColor(0xC2EEFF));
  std::uint8_t target[4] = {1, 2, 3, 4};
  SetPixelColor(target, 0x112233);
  EXPECT_EQ(0x11, target[0]);  // blue first
  EXPECT_EQ(0x33, target[2]);
  EXPECT_EQ(4, target[3]);
}
