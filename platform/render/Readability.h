// How readable each text on a rendered screen is: one record per text that
// reaches the screen, with the WCAG 2 contrast of its ink over what was
// composited behind it, and the verdicts against AA and AAA.
//
//   std::vector<TextReading> texts;
//   renderWindow(window, {.scale = 2, .readings = &texts});
//   for (const TextReading& t : texts) if (t.verdict == ReadabilityVerdict::BelowAA) ...
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// Straight sRGB, each 0..1.
using StraightRGBA = std::array<double, 4>;

// The WCAG 2 relative luminance of an sRGB colour (components 0..1).
double relativeLuminance(double r, double g, double b);
// (lighter + 0.05) / (darker + 0.05): 1 to 21.
double contrastRatio(double luminanceA, double luminanceB);

// Large text reads at a lower ratio: at least 18 points, or 14 bold.
bool isLargeText(double pointSize, bool bold);

enum class ReadabilityVerdict { BelowAA, AA, AAA };
// AA asks 4.5:1 (3:1 for large text), AAA 7:1 (4.5:1).
ReadabilityVerdict readabilityVerdict(double ratio, double pointSize, bool bold);
const char* verdictText(ReadabilityVerdict verdict);

struct TextReading {
  std::string text;
  // Window points: the part of the text's line box inside the screen.
  double x = 0, y = 0, width = 0, height = 0;
  std::string viewClass;
  // Where the drawing view is in the view dump of the same window: a JSON
  // pointer through "subviews" ("" for the window itself).
  std::string viewPath;
  double pointSize = 0;
  bool bold = false;
  bool inImage = false;  // drawn into an image that an image view shows
  StraightRGBA ink{};    // as it lands: its alpha times every view's above it
  // Per pixel of the box not covered later: the ratio of the ink laid over
  // the pixel against the pixel. The median, and the 10th percentile as a
  // worst case that a stray pixel does not decide.
  double contrast = 0, worstContrast = 0;
  // The share of the box that views drawn later cover (0: none).
  double covered = 0;
  // Judged on the worst case: a text is as readable as its hardest part.
  ReadabilityVerdict verdict = ReadabilityVerdict::BelowAA;
};

nlohmann::json readingJson(const TextReading& reading);
nlohmann::json readingsJson(const std::vector<TextReading>& readings);

// Gives each view of a view dump (dumpView of the window the readings were
// rendered from) the ratios of the texts it drew, under "readability".
void addReadingsToDump(nlohmann::json& window, const std::vector<TextReading>& readings);
