// The argument texts of mirel-image: hex colours, sizes, corner radii and
// offsets, read strictly (the whole text, finite numbers) with a reason
// when they are not what they should be.
//
//   double rgba[4];
//   std::string why;
//   if (!parseHexColour("#ff880080", rgba, &why)) ...  // rgba = {1, 0.533, 0, 0.502}
#pragma once

#include <string>

namespace mirel_image {

// 3, 4, 6 or 8 hex digits (RGB, RGBA, RRGGBB, RRGGBBAA) with an optional
// leading "#"; one-digit pieces are doubled, missing alpha is opaque.
// Channels come out as fractions from 0 to 1.
bool parseHexColour(const std::string& text, double rgba[4], std::string* error);

// "WxH" (or "WXH"): two finite numbers.
bool parseSize(const std::string& text, double* width, double* height, std::string* error);

// `count` finite numbers separated by commas ("TL,TR,BL,BR", "X,Y").
bool parseNumberList(const std::string& text, int count, double* out, std::string* error);

// 2 for a file name ending in "@2x.png", 3 for "@3x.png", else 1.
double scaleFromFileName(const std::string& path);

}  // namespace mirel_image
