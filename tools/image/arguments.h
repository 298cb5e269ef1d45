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

// The scale a file name says, as the platform reads it: N for a name whose
// part before the extension ends in "@Nx" (N a whole number from 1 to 16:
// "note@2x.png" is 2), else 1.
double scaleFromFileName(const std::string& path);

// The name to write an image of a scale under, so that scaleFromFileName
// reads the scale back: "@Nx" goes in before the extension for a whole
// scale above 1 ("x.png" at scale 2 is "x@2x.png"); a name that says the
// scale already is kept. A name that says another scale is an error; a
// scale no name can say (1.5) keeps the name with a warning.
struct OutputName {
  std::string path, warning, error;
};
OutputName outputNameForScale(const std::string& path, double scale);

}  // namespace mirel_image
