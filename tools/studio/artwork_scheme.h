// The colour scheme the extension's picker finds for an artwork (picked in
// a launch of its own), with each text colour's contrast ratio against the
// background as WCAG 2 defines it.
//
//   ArtworkScheme scheme;
//   if (pickArtworkScheme("cover.jpg", &scheme, &error)) show(scheme.primary, scheme.primaryContrast);
#pragma once

#include <string>

struct ArtworkScheme {
  std::string background, primary, secondary;  // "#RRGGBB"
  double primaryContrast = 0, secondaryContrast = 0;
};

// WCAG 2 contrast ratio of two "#RRGGBB" colours, from 1 to 21.
double contrastRatio(const std::string& a, const std::string& b);

bool pickArtworkScheme(const std::string& imagePath, ArtworkScheme* scheme, std::string* error);
