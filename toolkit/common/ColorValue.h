// A toolkit colour that a client may override, and a two-colour gradient built from two of them.
#pragma once

#include "toolkit/common/ColorTypes.h"

class CTKPColorValue
{
public:
  CTKPColorValue() : m_clrStandard(TK_COLOR_NONE), m_clrOverride(TK_COLOR_NONE) {}

  // The override when one is set, else the computed value.
  TKColor GetEffective() const { return m_clrOverride != TK_COLOR_NONE ? m_clrOverride : m_clrStandard; }
  operator TKColor() const { return GetEffective(); }

  void SetStandardValue(TKColor c) { m_clrStandard = c; }
  void SetOverrideValue(TKColor c) { m_clrOverride = c; }
  bool IsUnset() const { return m_clrStandard == TK_COLOR_NONE && m_clrOverride == TK_COLOR_NONE; }

  TKColor m_clrStandard;
  TKColor m_clrOverride;
};

class CTKPColorGradient
{
public:
  CTKPColorGradient() : m_fFactor(0.5f) {}
  explicit CTKPColorGradient(TKColor c) : m_fFactor(0.5f) { SetStandardValue(c); }

  // Both ends one colour: a solid fill.
  void SetStandardValue(TKColor c)
  {
    m_clrLight.SetStandardValue(c);
    m_clrDark.SetStandardValue(c);
    m_fFactor = 0.5f;
  }
  void SetStandardValues(TKColor light, TKColor dark, float factor = 0.5f)
  {
    m_clrLight.SetStandardValue(light);
    m_clrDark.SetStandardValue(dark);
    m_fFactor = factor;
  }
  // Takes the other gradient's effective colours as this one's standard values.
  void CopyEffective(const CTKPColorGradient& other)
  {
    m_clrLight.SetStandardValue(other.m_clrLight.GetEffective());
    m_clrDark.SetStandardValue(other.m_clrDark.GetEffective());
    m_fFactor = other.m_fFactor;
  }

  CTKPColorValue m_clrLight;
  CTKPColorValue m_clrDark;
  float m_fFactor;
};
