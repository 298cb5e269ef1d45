// Images for the benchmarks, painted as a cover might look and decoded in
// memory: 0 artwork (a soft gradient, a disc, a band and film grain), 1 flat
// design (three colours), 2 noise (the worst case).
//
//   UIImage* cover = decodedImage(0, 600);  // retained for the run
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "colorpicker/colorpicker.h"
#include "platform/coregraphics/CGImage.h"
#include "platform/uikit/UIImage.h"

namespace bench_images {

inline uint8_t clampByte(double v) { return uint8_t(std::lround(std::fmin(255, std::fmax(0, v)))); }

// One pixel of image `kind` at (x, y) of a side × side image, RGBA.
inline void paint(int kind, int x, int y, int side, uint8_t* p) {
  double u = double(x) / side, v = double(y) / side;
  unsigned h = unsigned(x) * 73856093u ^ unsigned(y) * 19349663u;
  h ^= h >> 13, h *= 0x5bd1e995u, h ^= h >> 15;
  double r, g, b;
  if (kind == 0) {
    double grain = double(h % 17) - 8;
    r = 40 + 150 * u + grain, g = 30 + 60 * v + grain, b = 90 + 100 * (1 - u) * v + grain;
    if (std::hypot(u - 0.62, v - 0.4) < 0.22) r = 235 - 40 * v + grain, g = 190 - 30 * u + grain, b = 60 + grain;
    if (v > 0.78 && v < 0.86) r = g = b = 245 + grain / 2;
  } else if (kind == 1) {
    bool disc = std::hypot(u - 0.5, v - 0.5) < 0.3;
    r = disc ? 250 : u < 0.5 ? 20 : 200, g = disc ? 210 : u < 0.5 ? 30 : 40, b = disc ? 30 : u < 0.5 ? 70 : 60;
  } else {
    r = h & 255, g = (h >> 8) & 255, b = (h >> 16) & 255;
  }
  p[0] = clampByte(r), p[1] = clampByte(g), p[2] = clampByte(b), p[3] = 255;
}

inline const char* kKinds[] = {"artwork", "flat", "noise"};

// A side × side image of `kind`, retained for the run.
inline UIImage* decodedImage(int kind, int side) {
  size_t bytes = size_t(side) * side * 4;
  auto* pixels = static_cast<uint8_t*>(std::malloc(bytes));
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) paint(kind, x, y, side, pixels + (size_t(y) * side + x) * 4);
  CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, pixels, bytes, &freeImageData);
  CGImageRef cg = CGImageCreate(side, side, 8, 32, size_t(side) * 4, CGColorSpaceCreateDeviceRGB(),
                                kCGImageAlphaPremultipliedLast, provider, nullptr, true, kCGRenderingIntentDefault);
  CGDataProviderRelease(provider);
  UIImage* image = objc::as<UIImage>(objc_retain(UIImage::imageWithCGImage(cg)));  // kept for the run
  CGImageRelease(cg);
  return image;
}

}  // namespace bench_images
