#include "toolkit/common/ColorMath.h"
#include "toolkit/common/ColorTable.h"

#include <gtest/gtest.h>

namespace {

// The classic grey desktop palette, indexed by system colour number.
TKColor g_palette[28];

void SetClassicPalette()
{
  const TKColor classic[28] = {
      0xC8C8C8, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
      0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0,
      0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xD08410,
  };
  for (int i = 0; i < 28; ++i)
    g_palette[i] = classic[i];
}

TKColor PaletteColor(int index) { return g_palette[index]; }

class TestTable : public CTKPColorTable
{
public:
  void Refresh(bool lowColor = false, int detected = 0)
  {
    m_nDetectedScheme = detected;
    ComputeColors(&PaletteColor, lowColor);
    SetFixedGradients();
  }
};

class ColorTableTest : public ::testing::Test
{
protected:
  void SetUp() override { SetClassicPalette(); }
  TestTable table;
};

}  // namespace

TEST_F(ColorTableTest, IndexesAboveTheTableAreLiteralColours)
{
  table.Refresh();
  EXPECT_EQ(0x00FF00u, table.GetColor(0x00FF00));
  EXPECT_EQ(62u, table.GetColor(62));
  EXPECT_EQ(0u, table.GetColor(61));
  EXPECT_EQ(0u, table.GetColor(0));
  table.SetColorOverride(61, 0x123456);
  EXPECT_EQ(0x123456u, table.GetColor(61));
  table.SetColorOverride(61, TK_COLOR_NONE);
  EXPECT_EQ(0u, table.GetColor(61));
  // Entries outside the table cannot be overridden.
  table.SetColorOverride(100, 0x123456);
  EXPECT_EQ(100u, table.GetColor(100));
}

TEST_F(ColorTableTest, ClassicPaletteGivesTheDerivedColours)
{
  table.Refresh();
  EXPECT_EQ(0xC0C0C0u, table.GetColor(15));
  EXPECT_EQ(0xE3E3E3u, table.GetColor(48));  // brightened face
  EXPECT_EQ(0x555555u, table.GetColor(49));  // darkened shadow
  EXPECT_EQ(0xCFCFCFu, table.GetColor(22));  // face + 15 replaces the system light colour
  EXPECT_EQ(0xCACACAu, table.GetColor(30));  // 16.5 % window over face, close enough to keep
  EXPECT_EQ(table.GetColor(30), table.GetColor(53));
  EXPECT_EQ(table.GetColor(40), table.GetColor(58));
  EXPECT_EQ(table.m_standard[40], table.GetColor(60));
  EXPECT_EQ(0u, table.GetColor(59));
  // The hot fill's shadow is three quarters of its standard value.
  const TKColor hot = table.m_standard[31];
  EXPECT_EQ(TKMakeColor(TKGetRed(hot) * 3 / 4, TKGetGreen(hot) * 3 / 4, TKGetBlue(hot) * 3 / 4), table.GetColor(34));
}

TEST_F(ColorTableTest, ContrastRulesKeepTextReadable)
{
  table.Refresh();
  // Each corrected colour ends at least (about) its threshold away from what it is drawn on.
  struct Rule { int reference, target, distance; };
  const Rule rules[] = {{30, 31, 50}, {30, 32, 100}, {30, 33, 30}, {33, 37, 100}, {30, 38, 85},
                        {30, 39, 50}, {41, 44, 180}, {31, 45, 180}, {30, 46, 180}, {33, 47, 180}};
  for (const Rule& r : rules) {
    SCOPED_TRACE(r.target);
    const double t = tkcolor::ContrastThreshold(tkcolor::Brightness(table.GetColor(r.reference)), r.distance);
    EXPECT_GE(tkcolor::Distance(table.GetColor(r.reference), table.GetColor(r.target)), t - 2.5);
  }
  // Disabled popup text is pulled back to within 145 of the popup face.
  const double limit = tkcolor::ContrastThreshold(tkcolor::Brightness(table.GetColor(41)), 145);
  EXPECT_LE(tkcolor::Distance(table.GetColor(41), table.GetColor(35)), limit + 2.5);
}

TEST_F(ColorTableTest, BlackFaceGivesTheFixedGreys)
{
  g_palette[15] = 0x000000;
  table.Refresh();
  EXPECT_EQ(0x232323u, table.GetColor(48));
  EXPECT_EQ(0x7F7F7Fu, table.GetColor(49));
  EXPECT_EQ(0x0F0F0Fu, table.GetColor(22));
}

TEST_F(ColorTableTest, BlackShadowDarkensToBlack)
{
  g_palette[16] = 0x000000;
  table.Refresh();
  EXPECT_EQ(0u, table.GetColor(49));
  g_palette[16] = 0x202020;  // below 43 every channel clamps to 0
  table.Refresh();
  EXPECT_EQ(0u, table.GetColor(49));
}

TEST_F(ColorTableTest, OverrideOfButtonFaceReachesDerivedColours)
{
  table.Refresh();
  const TKColor before48 = table.GetColor(48);
  table.SetColorOverride(15, 0x808080);
  EXPECT_EQ(before48, table.GetColor(48));  // nothing changes before the next refresh
  table.Refresh();
  EXPECT_EQ(0x808080u, table.GetColor(15));
  EXPECT_EQ(0xA3A3A3u, table.GetColor(48));
  EXPECT_EQ(0x8F8F8Fu, table.GetColor(22));
  EXPECT_EQ(0x808080u, table.m_gradients[1].m_clrLight.GetEffective());
}

TEST_F(ColorTableTest, LowColourKeepsPlainSystemColours)
{
  table.Refresh(true);
  EXPECT_EQ(table.GetColor(15), table.GetColor(30));
  EXPECT_EQ(table.GetColor(15), table.GetColor(48));
  EXPECT_EQ(table.GetColor(5), table.GetColor(31));
  EXPECT_EQ(table.GetColor(13), table.GetColor(32));
  EXPECT_EQ(table.GetColor(16), table.GetColor(40));
  EXPECT_EQ(table.GetColor(18), table.GetColor(49));
  EXPECT_EQ(0xDFDFDFu, table.GetColor(22));  // the system value stays
  // The gradients are still made.
  EXPECT_EQ(table.GetColor(16), table.m_gradients[0].m_clrDark.GetEffective());
}

struct SchemeExpectation
{
  int scheme;
  TKColor face30, border32, gradient3Light, caption54;
  float gradient3Factor;
};

class ColorSchemeTest : public ::testing::TestWithParam<SchemeExpectation>
{
};

TEST_P(ColorSchemeTest, SchemeSuppliesItsColoursAndGradients)
{
  SetClassicPalette();
  const SchemeExpectation& e = GetParam();
  TestTable table;
  table.Refresh(false, e.scheme);
  EXPECT_EQ(e.scheme, table.GetCurrentColorScheme());
  EXPECT_EQ(e.face30, table.GetSchemeColor(30));
  EXPECT_EQ(e.border32, table.GetSchemeColor(32));
  EXPECT_EQ(0xC2EEFFu, table.GetSchemeColor(31));
  EXPECT_EQ(0u, table.GetSchemeColor(47));
  EXPECT_EQ(e.gradient3Light, table.m_gradients[3].m_clrLight.GetEffective());
  EXPECT_FLOAT_EQ(e.gradient3Factor, table.m_gradients[3].m_fFactor);
  EXPECT_EQ(e.caption54, table.GetColor(54));
  // Scheme colours sit beside the plain table; GetColor keeps the derived value.
  EXPECT_EQ(0xCACACAu, table.GetColor(30));
  // Indexes below 30 never come from the scheme table.
  EXPECT_EQ(table.GetColor(15), table.GetSchemeColor(15));

  // The disable flag falls back to the classic rules, though the detected scheme stays.
  table.SetDisableScheme(true);
  table.Refresh(false, e.scheme);
  EXPECT_EQ(table.GetColor(30), table.GetSchemeColor(30));
  EXPECT_EQ(table.GetColor(16), table.GetColor(54));
  EXPECT_EQ(e.scheme, table.GetDetectedColorScheme());
}

INSTANTIATE_TEST_SUITE_P(Schemes, ColorSchemeTest,
                         ::testing::Values(SchemeExpectation{1, 0xF5BE9E, 0x800000, 0xFEECDD, 0x962D00, 0.75f},
                                           SchemeExpectation{2, 0xA7D9D9, 0x385D3F, 0xDEF7F4, 0x588060, 0.3f},
                                           SchemeExpectation{3, 0xE5D7D7, 0x6F4B4B, 0xFFF9F9, 0x947C7C, 0.75f}));

TEST_F(ColorTableTest, SelectedSchemeWinsOverDetection)
{
  table.SetSelectedScheme(2);
  table.Refresh(false, 1);
  EXPECT_EQ(2, table.GetCurrentColorScheme());
  EXPECT_EQ(0xA7D9D9u, table.GetSchemeColor(30));
  table.SetSelectedScheme(5);  // follow the detected scheme
  table.Refresh(false, 1);
  EXPECT_EQ(1, table.GetCurrentColorScheme());
  table.SetSelectedScheme(0);  // none
  table.Refresh(false, 1);
  EXPECT_EQ(table.GetColor(30), table.GetSchemeColor(30));
}
