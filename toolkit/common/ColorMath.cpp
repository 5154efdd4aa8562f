#include "toolkit/common/ColorMath.h"

#include <algorithm>
#include <cmath>

namespace tkcolor {
namespace {

// Channel factors into and out of the weighted space.
const double kToRed = 0.7647058823529411;
const double kToGreen = 1.5294117647058822;
const double kToBlue = 0.2549019607843137;
const double kFromRed = 1.3076923076923077;
const double kFromGreen = 0.6538461538461539;
const double kFromBlue = 3.923076923076923;
const double kMaxRed = 195.0;
const double kMaxGreen = 390.0;
const double kMaxBlue = 65.0;

struct Weighted
{
  double r, g, b;
};

Weighted ToWeighted(TKColor c)
{
  return Weighted{TKGetRed(c) * kToRed, TKGetGreen(c) * kToGreen, TKGetBlue(c) * kToBlue};
}

double Length(const Weighted& w) { return std::sqrt(w.r * w.r + w.g * w.g + w.b * w.b); }

int BackToChannel(double v, double maximum, double factor)
{
  v = std::min(std::max(v, 0.0), maximum);
  return TKClampByte(static_cast<int>(v * factor + 0.5));
}

TKColor FromWeighted(const Weighted& w)
{
  // NaN never reaches here (square roots are taken of non-negative values only), but keep the
  // conversion total: a NaN channel compares false and ends at 0.
  return TKMakeColor(BackToChannel(w.r, kMaxRed, kFromRed), BackToChannel(w.g, kMaxGreen, kFromGreen),
                     BackToChannel(w.b, kMaxBlue, kFromBlue));
}

}  // namespace

TKColor Blend(TKColor first, TKColor second, int weight)
{
  const int scale = weight < 100 ? 100 : 1000;
  auto channel = [&](int a, int b) { return TKClampByte((a * weight + b * (scale - weight) + scale / 2) / scale); };
  return TKMakeColor(channel(TKGetRed(first), TKGetRed(second)), channel(TKGetGreen(first), TKGetGreen(second)),
                     channel(TKGetBlue(first), TKGetBlue(second)));
}

TKColor Mix(TKColor a, TKColor b, float factor)
{
  const double f = factor;
  auto channel = [&](int ca, int cb) { return TKClampByte(static_cast<int>(cb * (1.0 - f) + ca * f)); };
  return TKMakeColor(channel(TKGetRed(a), TKGetRed(b)), channel(TKGetGreen(a), TKGetGreen(b)),
                     channel(TKGetBlue(a), TKGetBlue(b)));
}

double DistanceSquared(TKColor c1, TKColor c2)
{
  const Weighted a = ToWeighted(c1), b = ToWeighted(c2);
  const double dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return dr * dr + dg * dg + db * db;
}

double Distance(TKColor c1, TKColor c2) { return std::sqrt(DistanceSquared(c1, c2)); }

double Brightness(TKColor c) { return Length(ToWeighted(c)); }

double ContrastThreshold(double brightness, double distance)
{
  const int b = std::min(static_cast<int>(brightness), 220);
  const int d = static_cast<int>(distance);
  return (2.0 - b * 0.0045454544) * d;
}

bool IsFar(TKColor c1, TKColor c2, bool adjust, double distance)
{
  if (adjust)
    distance = ContrastThreshold(Brightness(c1), distance);
  return DistanceSquared(c1, c2) > distance * distance;
}

TKColor LimitDistance(TKColor c1, TKColor c2, double distance)
{
  const double t = ContrastThreshold(Brightness(c1), distance);
  const double d = Distance(c1, c2);
  if (d <= t)
    return c2;  // already close enough (also covers two equal colours)
  const double k = (d - t) / d;
  const Weighted a = ToWeighted(c1), b = ToWeighted(c2);
  return FromWeighted(Weighted{b.r + (a.r - b.r) * k, b.g + (a.g - b.g) * k, b.b + (a.b - b.b) * k});
}

TKColor Separate(TKColor c1, TKColor c2, double distance)
{
  const double t = ContrastThreshold(Brightness(c1), distance);
  const double l1 = Brightness(c1), l2 = Brightness(c2);
  const bool fromWhite = (l2 > l1 && l1 <= 442.0 - t) || (l2 <= l1 && l1 <= t);

  Weighted a = ToWeighted(c1), b = ToWeighted(c2);
  if (fromWhite) {
    a = Weighted{kMaxRed - a.r, kMaxGreen - a.g, kMaxBlue - a.b};
    b = Weighted{kMaxRed - b.r, kMaxGreen - b.g, kMaxBlue - b.b};
  }
  const double n = std::max(Length(b), 0.001);
  const double dot = a.r * b.r + a.g * b.g + a.b * b.b;
  const double k = dot / (n * n);
  const double p = dot / n;
  const Weighted foot{b.r * k - a.r, b.g * k - a.g, b.b * k - a.b};
  const double h2 = foot.r * foot.r + foot.g * foot.g + foot.b * foot.b;
  // Rounding can leave t^2 - h^2 a hair below zero when c1 lies on the line itself.
  const double s = std::sqrt(std::max(t * t - h2, 0.0));
  const double m = p - s;

  Weighted r{b.r * m / n, b.g * m / n, b.b * m / n};
  if (fromWhite)
    r = Weighted{kMaxRed - r.r, kMaxGreen - r.g, kMaxBlue - r.b};
  return FromWeighted(r);
}

}  // namespace tkcolor
