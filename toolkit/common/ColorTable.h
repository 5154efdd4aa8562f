// The toolkit's colour table: 62 colour indexes (1 to 27 the system colours, 30 to 60 colours derived
// from them), client overrides, the colours of the visual-style colour scheme, and ten gradients.
// The window layer's colour manager adds where the system colours and the scheme come from.
#pragma once

#include "toolkit/common/ColorTypes.h"
#include "toolkit/common/ColorValue.h"

#include <cstdint>

class CTKPColorTable
{
public:
  enum { COLOR_COUNT = 62, GRADIENT_COUNT = 10 };
  // The scheme selections that mean "follow the detected scheme".
  enum { SCHEME_FOLLOW = 4, SCHEME_FOLLOW_ALT = 5 };

  typedef TKColor (*SysColorCallback)(int index);

  CTKPColorTable();

  // Indexes above 61 are literal colours; others give the override when set, else the standard value.
  TKColor GetColor(std::uint32_t index) const;
  // Entries 30 to 61 of the scheme table when set; GetColor otherwise.
  TKColor GetSchemeColor(std::uint32_t index) const;

  int GetDetectedColorScheme() const { return m_nDetectedScheme; }
  int GetCurrentColorScheme() const;

  // Client settings. An override of TK_COLOR_NONE removes it. They count from the next refresh on
  // for the colours derived from the overridden ones.
  void SetColorOverride(std::uint32_t index, TKColor color);
  void SetSelectedScheme(int scheme) { m_nSelectedScheme = scheme; }
  void SetDisableScheme(bool disable) { m_bDisableScheme = disable ? 1 : 0; }
  void SetSysColorCallback(SysColorCallback callback) { m_pfnSysColor = callback; }

  static TKColor BlendColors(TKColor first, TKColor second, int weight);
  static double GetContrastThreshold(double brightness, double distance);
  static double ColorDistanceSquared(TKColor c1, TKColor c2);
  static double ColorDistance(TKColor c1, TKColor c2);
  static bool IsColorFar(TKColor c1, TKColor c2, bool adjust, double distance);
  static TKColor LimitColorDistance(TKColor c1, TKColor c2, double distance);
  static TKColor SeparateColors(TKColor c1, TKColor c2, double distance);

  // Gradients 0 to 6 follow the scheme; 7 to 9 are fixed.
  CTKPColorGradient m_gradients[GRADIENT_COUNT];
  int m_bDisableScheme;
  TKColor m_standard[COLOR_COUNT];
  TKColor m_override[COLOR_COUNT];
  TKColor m_scheme[COLOR_COUNT];
  SysColorCallback m_pfnSysColor;
  int m_nSelectedScheme;
  int m_nDetectedScheme;

protected:
  // Rebuilds the table from the system colours (the callback when set, else systemSource) with the
  // detected scheme already stored: system colours, defaults, scheme colours, blends, contrast
  // corrections, mixed colours and scheme gradients. On a low-colour display the blends, contrast
  // corrections and mixed colours are left out: the rest is made as usual.
  void ComputeColors(SysColorCallback systemSource, bool lowColor);
  // The fixed gradients 7 to 9.
  void SetFixedGradients();

private:
  int SchemeInUse() const { return m_bDisableScheme ? 0 : GetCurrentColorScheme(); }
  void SetDefaults();
  void ApplySchemeColors(int scheme);
  void ApplyBlends();
  void ApplyContrast();
  void ApplyMixedColors();
  void ApplySchemeGradients(int scheme);
};
