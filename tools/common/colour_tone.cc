// OKLab after Björn Ottosson's published matrices; the gamut is met by
// halving the chroma until the colour fits, so the lightness is exact.
#include "tools/common/colour_tone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

double toLinear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
double toGamma(double c) { return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055; }

struct Linear {
  double r, g, b;
};

Linear oklabToLinear(double L, double a, double b) {
  double l = L + 0.3963377774 * a + 0.2158037573 * b;
  double m = L - 0.1055613458 * a - 0.0638541728 * b;
  double s = L - 0.0894841775 * a - 1.2914855480 * b;
  l = l * l * l, m = m * m * m, s = s * s * s;
  return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
          -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
          -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

bool inGamut(const Linear& c) {
  const double e = 1e-9;
  return c.r >= -e && c.r <= 1 + e && c.g >= -e && c.g <= 1 + e && c.b >= -e && c.b <= 1 + e;
}

}  // namespace

bool parseColourText(const std::string& text, SRGB* colour) {
  std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
  if (digits.size() != 6 && digits.size() != 8) return false;
  if (digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  auto channel = [&](int i) { return std::strtol(digits.substr(2 * i, 2).c_str(), nullptr, 16) / 255.0; };
  *colour = {channel(0), channel(1), channel(2)};
  return true;
}

std::string colourText(const SRGB& colour) {
  auto byte = [](double c) { return static_cast<unsigned>(std::lround(std::clamp(c, 0.0, 1.0) * 255)); };
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02XFF", byte(colour.r), byte(colour.g), byte(colour.b));
  return text;
}

double luminanceOf(const SRGB& c) {
  return 0.2126 * toLinear(c.r) + 0.7152 * toLinear(c.g) + 0.0722 * toLinear(c.b);
}

double contrastOf(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

OKLCH toOKLCH(const SRGB& c) {
  double r = toLinear(c.r), g = toLinear(c.g), b = toLinear(c.b);
  double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
  double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
  double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
  double L = 0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s;
  double A = 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s;
  double B = 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s;
  return {L, std::hypot(A, B), std::atan2(B, A)};
}

SRGB fromOKLCH(const OKLCH& c) {
  double L = std::clamp(c.lightness, 0.0, 1.0);
  double chroma = std::max(c.chroma, 0.0);
  Linear linear = oklabToLinear(L, chroma * std::cos(c.hue), chroma * std::sin(c.hue));
  if (!inGamut(linear)) {
    // The largest chroma that fits, between none (grey always fits) and
    // the asked one.
    double fits = 0, fails = chroma;
    for (int i = 0; i < 30; ++i) {
      double mid = (fits + fails) / 2;
      (inGamut(oklabToLinear(L, mid * std::cos(c.hue), mid * std::sin(c.hue))) ? fits : fails) = mid;
    }
    linear = oklabToLinear(L, fits * std::cos(c.hue), fits * std::sin(c.hue));
  }
  auto encode = [](double v) { return toGamma(std::clamp(v, 0.0, 1.0)); };
  return {encode(linear.r), encode(linear.g), encode(linear.b)};
}

SRGB withLuminance(const SRGB& colour, double target) {
  target = std::clamp(target, 0.0, 1.0);
  OKLCH start = toOKLCH(colour);
  // Luminance grows with OKLCH lightness at a fixed hue and chroma.
  double dark = 0, light = 1;
  for (int i = 0; i < 40; ++i) {
    double mid = (dark + light) / 2;
    (luminanceOf(fromOKLCH({mid, start.chroma, start.hue})) < target ? dark : light) = mid;
  }
  return fromOKLCH({target >= 1 ? 1.0 : target <= 0 ? 0.0 : (dark + light) / 2, start.chroma, start.hue});
}
