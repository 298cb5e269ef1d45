// Box-blur passes over premultiplied pixels.
#include "platform/render/Blur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Box widths whose three passes approximate a Gaussian of `sigma`.
std::array<int, 3> boxesForGauss(double sigma) {
  double ideal = std::sqrt(12 * sigma * sigma / 3 + 1);
  int lower = static_cast<int>(std::floor(ideal));
  if (lower % 2 == 0) lower--;
  int upper = lower + 2;
  double mIdeal = (12 * sigma * sigma - 3 * lower * lower - 4 * 3 * lower - 3 * 3) / (-4.0 * lower - 4);
  int m = static_cast<int>(std::round(mIdeal));
  std::array<int, 3> sizes{};
  for (int i = 0; i < 3; ++i) sizes[i] = i < m ? lower : upper;
  return sizes;
}

// One box pass of a 4-channel float image, along rows or down columns.
// Edges repeat the outermost pixel. Both directions walk memory in order:
// rows keep one running sum per channel; columns keep a running sum per
// column and channel and move down a row at a time.
void boxPass(std::vector<float>& src, std::vector<float>& dst, int w, int h, int radius, bool horizontal) {
  const float scale = 1.0f / (2 * radius + 1);
  if (horizontal) {
    for (int y = 0; y < h; ++y) {
      const float* in = &src[static_cast<size_t>(y) * w * 4];
      float* out = &dst[static_cast<size_t>(y) * w * 4];
      auto px = [&](int x) { return in + std::clamp(x, 0, w - 1) * 4; };
      float sum[4] = {0, 0, 0, 0};
      for (int i = -radius; i <= radius; ++i)
        for (int c = 0; c < 4; ++c) sum[c] += px(i)[c];
      for (int x = 0; x < w; ++x) {
        const float* enter = px(x + radius + 1);
        const float* leave = px(x - radius);
        for (int c = 0; c < 4; ++c) {
          out[x * 4 + c] = sum[c] * scale;
          sum[c] += enter[c] - leave[c];
        }
      }
    }
  } else {
    const size_t rowFloats = static_cast<size_t>(w) * 4;
    auto row = [&](int y) { return &src[static_cast<size_t>(std::clamp(y, 0, h - 1)) * rowFloats]; };
    std::vector<float> sums(rowFloats, 0.0f);
    for (int i = -radius; i <= radius; ++i) {
      const float* r = row(i);
      for (size_t k = 0; k < rowFloats; ++k) sums[k] += r[k];
    }
    for (int y = 0; y < h; ++y) {
      float* out = &dst[static_cast<size_t>(y) * rowFloats];
      const float* enter = row(y + radius + 1);
      const float* leave = row(y - radius);
      for (size_t k = 0; k < rowFloats; ++k) {
        out[k] = sums[k] * scale;
        sums[k] += enter[k] - leave[k];
      }
    }
  }
  src.swap(dst);
}

}  // namespace

void blurRegion(Bitmap& canvas, PixelRect rect, const BlurRecipe& recipe, double opacity) {
  int cw = canvas.width(), ch = canvas.height();
  int x0 = std::max(0, rect.x), y0 = std::max(0, rect.y);
  int x1 = std::min(cw, rect.x + rect.width), y1 = std::min(ch, rect.y + rect.height);
  if (x1 <= x0 || y1 <= y0 || opacity <= 0) return;

  // A blur wider than the canvas looks the same as one as wide as the
  // canvas (every pass already spans all of it), so the radius drawn with is
  // bounded there; a settings value of any size, or not a number, then
  // neither overflows the margin nor takes time for nothing.
  double radius = std::isnan(recipe.radiusPixels)
                      ? 0
                      : std::clamp(recipe.radiusPixels, 0.0, static_cast<double>(std::max(cw, ch)));

  // Read a margin around the rectangle so that its edges blend with what
  // lies outside, as a live blur does.
  int margin = static_cast<int>(std::ceil(radius * 1.5));
  int sx0 = std::max(0, x0 - margin), sy0 = std::max(0, y0 - margin);
  int sx1 = std::min(cw, x1 + margin), sy1 = std::min(ch, y1 + margin);
  int w = sx1 - sx0, h = sy1 - sy0;

  uint32_t* pixels = canvas.pixels();
  int strideWords = canvas.stride() / 4;
  std::vector<float> image(static_cast<size_t>(w) * h * 4), scratch(image.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = pixels[(sy0 + y) * strideWords + sx0 + x];
      float* out = &image[(static_cast<size_t>(y) * w + x) * 4];
      out[0] = (p >> 16) & 0xFF, out[1] = (p >> 8) & 0xFF, out[2] = p & 0xFF, out[3] = p >> 24;
    }

  double sigma = radius / 2;
  if (sigma >= 0.5) {
    for (int size : boxesForGauss(sigma)) {
      int radius = (size - 1) / 2;
      boxPass(image, scratch, w, h, radius, true);
      boxPass(image, scratch, w, h, radius, false);
    }
  }

  double s = recipe.saturation;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      float* p = &image[(static_cast<size_t>(y - sy0) * w + (x - sx0)) * 4];
      double r = p[0], g = p[1], b = p[2], a = p[3];
      // Saturation around the luminance, on premultiplied values (the grey
      // axis is the same).
      double luma = 0.2126 * r + 0.7152 * g + 0.0722 * b;
      r = luma + (r - luma) * s, g = luma + (g - luma) * s, b = luma + (b - luma) * s;
      r = std::clamp(r, 0.0, a), g = std::clamp(g, 0.0, a), b = std::clamp(b, 0.0, a);
      if (recipe.tint) {
        const auto& t = *recipe.tint;
        double ta = t[3];
        r = t[0] * 255 * ta + r * (1 - ta);
        g = t[1] * 255 * ta + g * (1 - ta);
        b = t[2] * 255 * ta + b * (1 - ta);
        a = 255 * ta + a * (1 - ta);
      }
      a = std::clamp(a, 0.0, 255.0);
      r = std::clamp(r, 0.0, a), g = std::clamp(g, 0.0, a), b = std::clamp(b, 0.0, a);
      uint32_t& dst = pixels[y * strideWords + x];
      auto mix = [&](double blurred, int shift) {
        double old = (dst >> shift) & 0xFF;
        // Both ends lie in 0..255, so adding a half and truncating rounds.
        return static_cast<uint32_t>(old + (blurred - old) * opacity + 0.5) << shift;
      };
      dst = mix(a, 24) | mix(r, 16) | mix(g, 8) | mix(b, 0);
    }
  cairo_surface_mark_dirty(canvas.surface());
}
