#include "toolkit/commandbars/ShadowPixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

BYTE AlphaOf(DWORD pixel)
{
    return static_cast<BYTE>(pixel >> 24);
}

TEST(ShadowPixels, RightStripFadesAwayFromThePopupAndInAtTheTop)
{
    const int cx = TKP_SHADOW_LAYERED_SIZE, cy = 20;
    std::vector<DWORD> bits(cx * cy);
    TKPBuildShadowPixels(bits.data(), cx, cy, FALSE, RGB(0, 0, 0), 2);
    // Below the corner: 120, 90, 60, 30 from the popup outwards.
    EXPECT_EQ(120, AlphaOf(bits[10 * cx + 0]));
    EXPECT_EQ(90, AlphaOf(bits[10 * cx + 1]));
    EXPECT_EQ(60, AlphaOf(bits[10 * cx + 2]));
    EXPECT_EQ(30, AlphaOf(bits[10 * cx + 3]));
    EXPECT_EQ(120, AlphaOf(bits[(cy - 1) * cx + 0]));
    // The top corner grows from its outer pixel inwards.
    EXPECT_EQ(6, AlphaOf(bits[0 * cx + 3]));
    EXPECT_EQ(24, AlphaOf(bits[0 * cx + 0]));
    EXPECT_EQ(24, AlphaOf(bits[3 * cx + 3]));
    EXPECT_EQ(96, AlphaOf(bits[3 * cx + 0]));
    EXPECT_LT(AlphaOf(bits[3 * cx + 0]), AlphaOf(bits[4 * cx + 0]));
}

TEST(ShadowPixels, BottomStripFadesAtBothEnds)
{
    const int cx = 40, cy = TKP_SHADOW_LAYERED_SIZE;
    std::vector<DWORD> bits(cx * cy);
    TKPBuildShadowPixels(bits.data(), cx, cy, TRUE, RGB(0, 0, 0), 2);
    EXPECT_EQ(120, AlphaOf(bits[0 * cx + 20]));
    EXPECT_EQ(30, AlphaOf(bits[3 * cx + 20]));
    EXPECT_EQ(24, AlphaOf(bits[0 * cx + 0]));
    EXPECT_EQ(24, AlphaOf(bits[0 * cx + cx - 1]));
    EXPECT_EQ(6, AlphaOf(bits[3 * cx + cx - 1]));
    EXPECT_EQ(96, AlphaOf(bits[0 * cx + cx - 4]));
    // A shadow the theme always wants is half as strong.
    TKPBuildShadowPixels(bits.data(), cx, cy, TRUE, RGB(0, 0, 0), 1);
    EXPECT_EQ(60, AlphaOf(bits[0 * cx + 20]));
}

TEST(ShadowPixels, ColouredShadowsArePremultiplied)
{
    // Per-pixel alpha blending takes premultiplied colours: no channel may exceed the alpha, and a
    // channel is the colour scaled by the alpha.
    const int cx = 4, cy = 12;
    std::vector<DWORD> bits(cx * cy);
    TKPBuildShadowPixels(bits.data(), cx, cy, FALSE, RGB(255, 128, 0), 2);
    for (DWORD pixel : bits) {
        const int a = AlphaOf(pixel);
        EXPECT_LE(static_cast<int>((pixel >> 16) & 0xFF), a);
        EXPECT_LE(static_cast<int>((pixel >> 8) & 0xFF), a);
        EXPECT_LE(static_cast<int>(pixel & 0xFF), a);
    }
    const DWORD body = bits[8 * cx + 0];
    EXPECT_EQ(120u, (body >> 16) & 0xFF);  // red 255 at alpha 120
    EXPECT_EQ(60u, (body >> 8) & 0xFF);    // green 128 at alpha 120
    EXPECT_EQ(0u, body & 0xFF);
}

}  // namespace
