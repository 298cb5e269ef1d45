// The blur of a _UIBackdropView: a Gaussian approximated by three box
// passes, a saturation change and a colour tint, applied to a rectangle of
// a bitmap from what the bitmap already holds around it.
//
//   blurRegion(canvas, {x, y, w, h}, BlurRecipe{40, 1.8, tint}, 1.0);
#pragma once

#include <array>
#include <optional>

#include "platform/render/Bitmap.h"

struct PixelRect {
  int x, y, width, height;
};

struct BlurRecipe {
  double radiusPixels = 0;
  double saturation = 1;
  // Straight RGBA in 0..1; applied over the blur when present.
  std::optional<std::array<double, 4>> tint;
};

// Blurs `rect` of `canvas` (clipped to it). Pixels outside the rectangle
// feed the blur near its edges but are never written. `opacity` blends the
// result with what was there (a half-transparent blur view).
void blurRegion(Bitmap& canvas, PixelRect rect, const BlurRecipe& recipe, double opacity);
