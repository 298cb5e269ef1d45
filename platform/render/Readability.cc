// Contrast maths, verdicts and the JSON of readability records.
#include "platform/render/Readability.h"

#include <cmath>
#include <cstdio>

using nlohmann::json;

double relativeLuminance(double r, double g, double b) {
  auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

double contrastRatio(double luminanceA, double luminanceB) {
  double lighter = std::fmax(luminanceA, luminanceB), darker = std::fmin(luminanceA, luminanceB);
  return (lighter + 0.05) / (darker + 0.05);
}

bool isLargeText(double pointSize, bool bold) { return pointSize >= 18 || (bold && pointSize >= 14); }

ReadabilityVerdict readabilityVerdict(double ratio, double pointSize, bool bold) {
  bool large = isLargeText(pointSize, bold);
  if (ratio < (large ? 3.0 : 4.5)) return ReadabilityVerdict::BelowAA;
  if (ratio < (large ? 4.5 : 7.0)) return ReadabilityVerdict::AA;
  return ReadabilityVerdict::AAA;
}

const char* verdictText(ReadabilityVerdict verdict) {
  switch (verdict) {
    case ReadabilityVerdict::BelowAA:
      return "below AA";
    case ReadabilityVerdict::AA:
      return "AA";
    case ReadabilityVerdict::AAA:
      return "AAA";
  }
  return "?";
}

namespace {

// Ratios are cut, not rounded, to two places, so that a text below a
// threshold never prints as reaching it.
double ratioFigure(double ratio) { return std::floor(ratio * 100) / 100; }
double pointFigure(double v) { return std::round(v * 100) / 100; }

std::string hexOf(const StraightRGBA& c) {
  auto byte = [](double v) { return static_cast<unsigned>(std::lround(std::fmin(1, std::fmax(0, v)) * 255.0)); };
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byte(c[0]), byte(c[1]), byte(c[2]), byte(c[3]));
  return text;
}

}  // namespace

json readingJson(const TextReading& r) {
  json out = {{"text", r.text},
              {"box", {pointFigure(r.x), pointFigure(r.y), pointFigure(r.width), pointFigure(r.height)}},
              {"view", {{"class", r.viewClass}, {"path", r.viewPath}}},
              {"font", {{"size", pointFigure(r.pointSize)}, {"bold", r.bold}}},
              {"large", isLargeText(r.pointSize, r.bold)},
              {"ink", hexOf(r.ink)},
              {"contrast", ratioFigure(r.contrast)},
              {"worstContrast", ratioFigure(r.worstContrast)},
              {"verdict", verdictText(r.verdict)}};
  if (r.covered > 0) out["covered"] = pointFigure(r.covered);
  if (r.inImage) out["inImage"] = true;
  return out;
}

json readingsJson(const std::vector<TextReading>& readings) {
  json texts = json::array();
  for (const TextReading& r : readings) texts.push_back(readingJson(r));
  return texts;
}

void addReadingsToDump(json& window, const std::vector<TextReading>& readings) {
  for (const TextReading& r : readings) {
    json::json_pointer at(r.viewPath);
    if (!window.contains(at)) continue;
    json& view = window[at];
    view["readability"].push_back({{"text", r.text},
                                   {"contrast", ratioFigure(r.contrast)},
                                   {"worstContrast", ratioFigure(r.worstContrast)},
                                   {"verdict", verdictText(r.verdict)}});
  }
}
