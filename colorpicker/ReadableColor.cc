// Lightness moves in OKLCH (Björn Ottosson's OKLab in polar form) against
// the WCAG 2 contrast ratio.
#include "colorpicker/ReadableColor.h"

#include <algorithm>
#include <cmath>

namespace readable {
namespace {

struct Lab {
  double L = 0, a = 0, b = 0;
};

double toLinear(double c) {
  c = std::clamp(c, 0.0, 1.0);
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double toGamma(double c) { return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055; }

double relativeLuminance(RGB c) {
  return 0.2126 * toLinear(c.r) + 0.7152 * toLinear(c.g) + 0.0722 * toLinear(c.b);
}

Lab oklabOf(RGB c) {
  double r = toLinear(c.r), g = toLinear(c.g), b = toLinear(c.b);
  double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
  double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
  double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
  return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
          1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
          0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

// Linear sRGB channels of an OKLab colour; outside 0..1 when out of gamut.
RGB linearOf(Lab c) {
  double l = c.L + 0.3963377774 * c.a + 0.2158037573 * c.b;
  double m = c.L - 0.1055613458 * c.a - 0.0638541728 * c.b;
  double s = c.L - 0.0894841775 * c.a - 1.2914855480 * c.b;
  l = l * l * l, m = m * m * m, s = s * s * s;
  return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
          -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
          -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

bool inGamut(RGB linear) {
  constexpr double e = 1e-7;
  return linear.r >= -e && linear.r <= 1 + e && linear.g >= -e && linear.g <= 1 + e && linear.b >= -e &&
         linear.b <= 1 + e;
}

double on8BitStep(double c) { return std::round(std::clamp(c, 0.0, 1.0) * 255) / 255; }

RGB drawn(RGB linear) {
  return {on8BitStep(toGamma(std::clamp(linear.r, 0.0, 1.0))), on8BitStep(toGamma(std::clamp(linear.g, 0.0, 1.0))),
          on8BitStep(toGamma(std::clamp(linear.b, 0.0, 1.0)))};
}

}  // namespace

double contrastRatio(RGB a, RGB b) {
  double la = relativeLuminance(a), lb = relativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

LCh oklch(RGB colour) {
  Lab lab = oklabOf(colour);
  return {lab.L, std::hypot(lab.a, lab.b), std::atan2(lab.b, lab.a)};
}

RGB atLightness(RGB colour, double lightness) {
  Lab lab = oklabOf(colour);
  const double chroma = std::hypot(lab.a, lab.b);
  const double hue = std::atan2(lab.b, lab.a);
  auto at = [&](double c) { return linearOf({lightness, c * std::cos(hue), c * std::sin(hue)}); };
  if (inGamut(at(chroma))) return drawn(at(chroma));
  // The most chroma that stays in gamut at this lightness and hue; grey
  // (chroma 0) always does.
  double inside = 0, outside = chroma;
  for (int i = 0; i < 40; ++i) {
    double mid = (inside + outside) / 2;
    (inGamut(at(mid)) ? inside : outside) = mid;
  }
  return drawn(at(inside));
}

LightnessMove moveLightness(RGB text, RGB background, double minimumRatio) {
  const double from = std::clamp(oklch(text).L, 0.0, 1.0);
  if (contrastRatio(text, background) >= minimumRatio) return {text, from, from};
  const double behind = relativeLuminance(background);
  // Lighter than the background and far enough, or darker and far enough:
  // each holds from some lightness on, toward white or toward black.
  auto lightEnough = [&](double L) {
    RGB c = atLightness(text, L);
    return relativeLuminance(c) >= behind && contrastRatio(c, background) >= minimumRatio;
  };
  auto darkEnough = [&](double L) {
    RGB c = atLightness(text, L);
    return relativeLuminance(c) <= behind && contrastRatio(c, background) >= minimumRatio;
  };

  // From the text's lightness toward `edge` (which passes), the nearest
  // lightness that still does.
  auto nearestPassing = [from](const auto& passesAt, double edge) {
    double fails = from, passes = edge;
    while (std::abs(passes - fails) > kLightnessStep) {
      double mid = (fails + passes) / 2;
      (passesAt(mid) ? passes : fails) = mid;
    }
    return passes;
  };
  const double up = lightEnough(1) ? nearestPassing(lightEnough, 1) : -1;
  const double down = darkEnough(0) ? nearestPassing(darkEnough, 0) : -1;
  // White or black reaches any ratio up to 4.58:1 against every background;
  // a minimum beyond what either reaches gets the better of the two.
  if (up < 0 && down < 0) {
    RGB white{1, 1, 1}, black{0, 0, 0};
    bool toWhite = contrastRatio(white, background) >= contrastRatio(black, background);
    return {toWhite ? white : black, from, toWhite ? 1.0 : 0.0};
  }
  bool goUp = down < 0 || (up >= 0 && up - from <= from - down);
  double to = goUp ? up : down;
  return {atLightness(text, to), from, to};
}

}  // namespace readable

UIColor* readableTextColorAgainstBackground(UIColor* text, UIColor* background, double minimumRatio) {
  if (!text) return nil;
  CGFloat r = 0, g = 0, b = 0, a = 1;
  if (!text->getRGBA(&r, &g, &b, &a)) r = g = b = 0;
  CGFloat br = 0, bg = 0, bb = 0, ba = 1;
  if (background && !background->getRGBA(&br, &bg, &bb, &ba)) br = bg = bb = 0;
  readable::LightnessMove move = readable::moveLightness({r, g, b}, {br, bg, bb}, minimumRatio);
  if (move.toLightness == move.fromLightness && move.colour.r == r && move.colour.g == g && move.colour.b == b)
    return text;
  return UIColor::withRGBA(move.colour.r, move.colour.g, move.colour.b, a);
}
