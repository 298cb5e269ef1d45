// Pixel reading for drawing tests: premultiplied R, G, B, A bytes of a
// CGImage or a bitmap context, with gtest printing.
//
//   EXPECT_EQ(pixelAt(image, 0, 0), (RGBA{255, 0, 0, 255}));
#pragma once

#include <cstdint>
#include <ostream>

#include "platform/coregraphics/CGContext.h"

struct RGBA {
  int r = 0, g = 0, b = 0, a = 0;
  bool operator==(const RGBA&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RGBA& p) {
  return out << "(" << p.r << ", " << p.g << ", " << p.b << ", " << p.a << ")";
}

// (x, y) with y counted from the top row.
inline RGBA pixelAt(CGImageRef image, size_t x, size_t y) {
  const uint8_t* p = CGImageGetPremultipliedRGBA(image) + (y * CGImageGetWidth(image) + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

inline RGBA pixelAt(CGContextRef context, size_t x, size_t y) {
  const uint8_t* p =
      static_cast<const uint8_t*>(CGBitmapContextGetData(context)) + y * CGBitmapContextGetBytesPerRow(context) + x * 4;
  return {p[0], p[1], p[2], p[3]};
}

// Whether every channel is within `tolerance` of the expected value.
inline bool near(RGBA a, RGBA b, int tolerance) {
  auto close = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
  return close(a.r, b.r) && close(a.g, b.g) && close(a.b, b.b) && close(a.a, b.a);
}
