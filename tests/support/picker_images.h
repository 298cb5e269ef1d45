// Images and colours for the picker's tests: images made from a function of
// the pixel position, a set of artwork-like test images, and colours as
// "#RRGGBB" text of their 8-bit channels.
//
//   UIImage* image = imageFromPixels(32, 32, [](int x, int y) { return Pixel{255, 0, 0, 255}; });
//   EXPECT_EQ(hexOf(scheme->backgroundColor()), "#FF0000");
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/coregraphics/CGImage.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"

struct Pixel {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

// An autoreleased image of premultiplied R, G, B, A pixels, top row first.
inline UIImage* imageFromPixels(int width, int height, const std::function<Pixel(int x, int y)>& pixel) {
  size_t bytes = size_t(width) * height * 4;
  auto* data = static_cast<uint8_t*>(std::malloc(bytes));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Pixel p = pixel(x, y);
      uint8_t* o = data + (size_t(y) * width + x) * 4;
      o[0] = p.r, o[1] = p.g, o[2] = p.b, o[3] = p.a;
    }
  CGDataProviderRef provider = CGDataProviderCreateWithData(
      nullptr, data, bytes, [](void*, const void* d, size_t) { std::free(const_cast<void*>(d)); });
  CGImageRef cg = CGImageCreate(width, height, 8, 32, size_t(width) * 4, CGColorSpaceCreateDeviceRGB(),
                                kCGImageAlphaPremultipliedLast, provider, nullptr, true, kCGRenderingIntentDefault);
  CGDataProviderRelease(provider);
  UIImage* image = UIImage::imageWithCGImage(cg);
  CGImageRelease(cg);
  return image;
}

inline UIImage* uniformImage(int side, Pixel p) {
  return imageFromPixels(side, side, [p](int, int) { return p; });
}

// "#RRGGBB" of a colour's channels rounded to bytes; "nil" for nil.
inline std::string hexOf(UIColor* color) {
  if (!color) return "nil";
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (!color->getRGBA(&r, &g, &b, &a)) return "?";
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(std::lround(r * 255)), unsigned(std::lround(g * 255)),
                unsigned(std::lround(b * 255)));
  return text;
}

// Artwork-like images of a given side, from a seed: flat shapes on a
// background, smooth gradients with grain, stripes and photo-like blobs;
// every fifth is noise, the hardest case for the counts.
inline std::function<Pixel(int, int)> artwork(unsigned seed, int side) {
  std::mt19937 random(seed);
  auto byte = [&random] { return uint8_t(random() & 255); };
  Pixel a{byte(), byte(), byte()}, b{byte(), byte(), byte()}, c{byte(), byte(), byte()};
  double cx = (random() % 1000) / 1000.0 * side, cy = (random() % 1000) / 1000.0 * side;
  double radius = (0.15 + (random() % 1000) / 1000.0 * 0.4) * side;
  unsigned grainSeed = random();
  switch (seed % 5) {
    case 0:  // flat shapes
      return [=](int x, int y) {
        if (std::hypot(x - cx, y - cy) < radius) return b;
        return (x * 3 + y) % (side / 2 + 1) < side / 6 ? c : a;
      };
    case 1:  // gradient with grain
      return [=](int x, int y) {
        double t = double(x + y) / (2.0 * side);
        unsigned h = (unsigned(x) * 73856093u ^ unsigned(y) * 19349663u ^ grainSeed) % 9;
        auto mix = [&](uint8_t p, uint8_t q) { return uint8_t(std::clamp(p + (q - p) * t + h - 4.0, 0.0, 255.0)); };
        return Pixel{mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
      };
    case 2:  // stripes
      return [=](int x, int y) { return ((x + 2 * y) / std::max(1, side / 8)) % 3 == 0 ? a : (y % 7 < 3 ? b : c); };
    case 3:  // blobs
      return [=](int x, int y) {
        double d = std::hypot(x - cx, y - cy) / radius;
        double w = std::exp(-d * d);
        return Pixel{uint8_t(a.r + (b.r - a.r) * w), uint8_t(a.g + (b.g - a.g) * w), uint8_t(a.b + (b.b - a.b) * w)};
      };
    default:  // noise
      return [=](int x, int y) {
        unsigned h = (unsigned(x) * 2654435761u) ^ (unsigned(y) * 40503u) ^ grainSeed;
        h ^= h >> 13, h *= 0x5bd1e995u, h ^= h >> 15;
        return Pixel{uint8_t(h), uint8_t(h >> 8), uint8_t(h >> 16)};
      };
  }
}
