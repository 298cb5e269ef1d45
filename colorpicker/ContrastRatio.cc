// Relative luminance and contrast ratio as WCAG 2 defines them.
#include "colorpicker/ContrastRatio.h"

#include <algorithm>
#include <cmath>

namespace {

// An sRGB channel from 0 to 1, linearised.
double linear(CGFloat channel) {
  double c = std::clamp(double(channel), 0.0, 1.0);
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double KRRelativeLuminance(UIColor* color) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (!color || !color->getRGBA(&r, &g, &b, &a)) return 0;
  return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

double KRContrastRatio(UIColor* a, UIColor* b) {
  double la = KRRelativeLuminance(a), lb = KRRelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
