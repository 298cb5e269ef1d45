// Colours as a theme author moves them: sRGB for the file and the WCAG 2
// contrast, OKLCH for changes a person sees as "lighter" or "darker" only
// (hue kept, chroma kept as far as the sRGB gamut allows).
//
//   SRGB grey;  parseColourText("777777", &grey);
//   SRGB darker = withLuminance(grey, 0.05);       // same hue, WCAG luminance 0.05
//   std::string text = colourText(darker);         // "RRGGBBFF"
#pragma once

#include <string>

struct SRGB {
  double r = 0, g = 0, b = 0;  // 0..1, gamma-encoded
};

struct OKLCH {
  double lightness = 0, chroma = 0, hue = 0;  // hue in radians
};

// "#RRGGBB", "RRGGBB" or with alpha "RRGGBBAA" (alpha ignored).
bool parseColourText(const std::string& text, SRGB* colour);
// "RRGGBBFF": the preferences file's form, opaque.
std::string colourText(const SRGB& colour);

double luminanceOf(const SRGB& colour);  // WCAG 2 relative luminance
double contrastOf(double luminanceA, double luminanceB);

OKLCH toOKLCH(const SRGB& colour);
// The colour with the given lightness and hue and as much of the chroma as
// sRGB holds at that lightness.
SRGB fromOKLCH(const OKLCH& colour);

// The colour moved in OKLCH lightness only until its luminance is `target`
// (0 and 1 give black and white); 40 halvings, so the result lands within
// one 8-bit step.
SRGB withLuminance(const SRGB& colour, double target);
