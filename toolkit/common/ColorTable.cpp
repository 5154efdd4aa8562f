#include "toolkit/common/ColorTable.h"

#include "toolkit/common/ColorMath.h"
#include "toolkit/common/ColorSchemes.h"

#include <algorithm>

namespace {

// Derived indexes and the system colour each starts from before the blends.
struct DefaultRule
{
  int source;
  int targets[10];
  int count;
};

const DefaultRule kDefaults[] = {
    {15, {30, 48, 51, 53, 55, 56}, 6},
    {5, {31, 36, 41}, 3},
    {13, {32, 33, 37, 50}, 4},
    {16, {34, 38, 39, 40, 42, 43, 52, 54, 57, 60}, 10},
    {17, {35, 58}, 2},
    {8, {44}, 1},
    {7, {45}, 1},
    {18, {46, 49}, 2},
    {14, {47}, 1},
};

struct BlendRule
{
  int target, first, second, weight;
};

const BlendRule kBlends[] = {
    {30, 5, 15, 165}, {31, 13, 5, 30}, {33, 13, 5, 50}, {41, 15, 5, 143}, {35, 17, 5, 70},
    {38, 16, 5, 75},  {39, 16, 5, 70}, {43, 46, 16, 20}, {40, 16, 5, 90}, {42, 15, 16, 90},
};

struct SeparateRule
{
  int target, reference, tested, distance;
};

const SeparateRule kSeparations[] = {
    {31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},  {37, 33, 37, 100},
    {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 47, 43, 100}, {40, 30, 40, 80},  {44, 41, 44, 180},
    {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180},
};

// Each channel times num / den (integer), for the brightened and darkened faces.
TKColor ScaleChannels(TKColor c, int num, int den)
{
  return TKMakeColor(TKGetRed(c) * num / den, TKGetGreen(c) * num / den, TKGetBlue(c) * num / den);
}

int MaxChannel(TKColor c) { return std::max(TKGetRed(c), std::max(TKGetGreen(c), TKGetBlue(c))); }

}  // namespace

CTKPColorTable::CTKPColorTable()
    : m_bDisableScheme(0), m_pfnSysColor(nullptr), m_nSelectedScheme(SCHEME_FOLLOW), m_nDetectedScheme(0)
{
  for (int i = 0; i < COLOR_COUNT; ++i) {
    m_standard[i] = 0;
    m_override[i] = TK_COLOR_NONE;
    m_scheme[i] = TK_COLOR_NONE;
  }
}

TKColor CTKPColorTable::GetColor(std::uint32_t index) const
{
  if (index >= COLOR_COUNT)
    return index;
  return m_override[index] != TK_COLOR_NONE ? m_override[index] : m_standard[index];
}

TKColor CTKPColorTable::GetSchemeColor(std::uint32_t index) const
{
  if (index >= 30 && index < COLOR_COUNT && m_scheme[index] != TK_COLOR_NONE)
    return m_scheme[index];
  return GetColor(index);
}

int CTKPColorTable::GetCurrentColorScheme() const
{
  if (m_nSelectedScheme == SCHEME_FOLLOW || m_nSelectedScheme == SCHEME_FOLLOW_ALT)
    return m_nDetectedScheme;
  return m_nSelectedScheme;
}

void CTKPColorTable::SetColorOverride(std::uint32_t index, TKColor color)
{
  if (index < COLOR_COUNT)
    m_override[index] = color;
}

TKColor CTKPColorTable::BlendColors(TKColor first, TKColor second, int weight)
{
  return tkcolor::Blend(first, second, weight);
}

double CTKPColorTable::GetContrastThreshold(double brightness, double distance)
{
  return tkcolor::ContrastThreshold(brightness, distance);
}

double CTKPColorTable::ColorDistanceSquared(TKColor c1, TKColor c2) { return tkcolor::DistanceSquared(c1, c2); }

double CTKPColorTable::ColorDistance(TKColor c1, TKColor c2) { return tkcolor::Distance(c1, c2); }

bool CTKPColorTable::IsColorFar(TKColor c1, TKColor c2, bool adjust, double distance)
{
  return tkcolor::IsFar(c1, c2, adjust, distance);
}

TKColor CTKPColorTable::LimitColorDistance(TKColor c1, TKColor c2, double distance)
{
  return tkcolor::LimitDistance(c1, c2, distance);
}

TKColor CTKPColorTable::SeparateColors(TKColor c1, TKColor c2, double distance)
{
  return tkcolor::Separate(c1, c2, distance);
}

void CTKPColorTable::ComputeColors(SysColorCallback systemSource, bool lowColor)
{
  SysColorCallback source = m_pfnSysColor ? m_pfnSysColor : systemSource;
  m_standard[0] = 0;
  for (int i = 1; i <= 27; ++i)
    m_standard[i] = source ? source(i) : 0;

  SetDefaults();
  const int scheme = SchemeInUse();
  ApplySchemeColors(scheme);
  if (!lowColor) {
    ApplyBlends();
    ApplyContrast();
    ApplyMixedColors();
  }
  ApplySchemeGradients(scheme);
}

void CTKPColorTable::SetDefaults()
{
  for (const DefaultRule& rule : kDefaults) {
    const TKColor c = GetColor(rule.source);
    for (int i = 0; i < rule.count; ++i)
      m_standard[rule.targets[i]] = c;
  }
  m_standard[59] = 0;
}

void CTKPColorTable::ApplySchemeColors(int scheme)
{
  for (int i = 0; i < COLOR_COUNT; ++i)
    m_scheme[i] = TK_COLOR_NONE;
  if (scheme < tkscheme::kBlue || scheme > tkscheme::kSilver)
    return;
  for (const tkscheme::SchemeColor& entry : tkscheme::kSchemeColors)
    m_scheme[entry.index] = entry.colors[scheme - 1];
}

void CTKPColorTable::ApplyBlends()
{
  for (const BlendRule& rule : kBlends)
    m_standard[rule.target] = BlendColors(GetColor(rule.first), GetColor(rule.second), rule.weight);
}

void CTKPColorTable::ApplyContrast()
{
  if (IsColorFar(GetColor(15), GetColor(30), true, 35))
    m_standard[30] = LimitColorDistance(GetColor(15), GetColor(30), 35);

  for (const SeparateRule& rule : kSeparations) {
    const TKColor reference = GetColor(rule.reference);
    const TKColor tested = GetColor(rule.tested);
    if (!IsColorFar(reference, tested, true, rule.distance))
      m_standard[rule.target] = SeparateColors(reference, tested, rule.distance);
  }

  if (IsColorFar(GetColor(41), GetColor(35), true, 145))
    m_standard[35] = LimitColorDistance(GetColor(41), GetColor(35), 145);
}

void CTKPColorTable::ApplyMixedColors()
{
  const TKColor c30 = GetColor(30), c5 = GetColor(5), c13 = GetColor(13);
  auto mix36 = [](int a, int b, int c) { return (a * 50 / 100 + b * 40 / 100 + c * 10 / 100) & 0xFF; };
  m_standard[36] = TKMakeColor(mix36(TKGetRed(c30), TKGetRed(c5), TKGetRed(c13)),
                               mix36(TKGetGreen(c30), TKGetGreen(c5), TKGetGreen(c13)),
                               mix36(TKGetBlue(c30), TKGetBlue(c5), TKGetBlue(c13)));

  const TKColor face = GetColor(15);
  const int faceMax = MaxChannel(face);
  if (faceMax == 0) {
    m_standard[48] = 0x232323;
  } else {
    const int brighter = faceMax + std::min(255 - faceMax, 35);
    m_standard[48] = ScaleChannels(face, brighter, faceMax);
  }

  if (face == 0) {
    m_standard[49] = 0x7F7F7F;
  } else {
    const TKColor shadow = GetColor(16);
    const int shadowMax = MaxChannel(shadow);
    m_standard[49] = shadowMax == 0 ? 0 : ScaleChannels(shadow, std::max(shadowMax - 43, 0), shadowMax);
  }

  const TKColor hot = m_standard[31];
  m_standard[34] = TKMakeColor(static_cast<int>(TKGetRed(hot) * 0.75), static_cast<int>(TKGetGreen(hot) * 0.75),
                               static_cast<int>(TKGetBlue(hot) * 0.75));
  m_standard[22] = TKMakeColor(std::min(TKGetRed(face) + 15, 255), std::min(TKGetGreen(face) + 15, 255),
                               std::min(TKGetBlue(face) + 15, 255));
  m_standard[53] = GetColor(30);
  m_standard[58] = GetColor(40);
  m_standard[60] = m_standard[40];
}

void CTKPColorTable::ApplySchemeGradients(int scheme)
{
  if (scheme >= tkscheme::kBlue && scheme <= tkscheme::kSilver) {
    for (int g = 0; g < 7; ++g) {
      const tkscheme::SchemeGradient& s = tkscheme::kSchemeGradients[scheme - 1][g];
      m_gradients[g].SetStandardValues(s.light, s.dark, s.factor);
    }
    m_standard[54] = tkscheme::kSchemeCaptionFrame[scheme - 1];
    return;
  }
  const TKColor face = GetColor(15);
  auto blend = [&](int n, int w) { return BlendColors(face, GetColor(n), w); };
  m_gradients[0].SetStandardValues(GetColor(16), GetColor(16));
  m_gradients[1].SetStandardValues(face, blend(5, 215));
  m_gradients[2].SetStandardValues(face, GetColor(16));
  m_gradients[3].SetStandardValues(blend(5, 205), face);
  m_gradients[4].SetStandardValues(blend(5, 145), blend(5, 93));
  m_gradients[5].SetStandardValues(blend(5, 40), blend(16, 95));
  m_gradients[6].SetStandardValues(blend(5, 165), blend(5, 42));
}

void CTKPColorTable::SetFixedGradients()
{
  m_gradients[7].SetStandardValues(0x8CD5FF, 0x55ADFF, 0.5f);
  m_gradients[8].SetStandardValues(0x4B8EFE, 0x8BCFFF, 0.5f);
  m_gradients[9].SetStandardValues(0xC8F2FF, 0x97D4FF, 0.5f);
}
