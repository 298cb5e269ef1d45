// Internal to platform/coregraphics: the bridge between Core Graphics'
// premultiplied R, G, B, A bytes and Cairo's ARGB32 pixels (a native-endian
// 32-bit word, so B, G, R, A in memory on this machine).
//
//   cairo_surface_t* s = CGImageCairoSurface(image);  // borrowed, lives with the image
#pragma once

#include <cairo.h>

#include <cstdint>

#include "platform/coregraphics/CGImage.h"

namespace cg {

// Cairo's image surfaces stop at 32767 pixels a side; so do bitmaps here.
inline constexpr size_t kMaxSide = 32767;

// Copies rows of premultiplied R, G, B, A bytes into a Cairo ARGB32 surface
// of the same size, and back.
void rgbaToCairo(const uint8_t* rgba, size_t rgbaStride, cairo_surface_t* surface);
void cairoToRGBA(cairo_surface_t* surface, uint8_t* rgba, size_t rgbaStride);

// Sets `image`, a surface of width × height pixels, as the source of `c`
// the way CGContextDrawImage draws an image into `rect`; shared with the
// drawing of bare pixels (CGDrawPixels.h), so that both filter alike.
void setImagePattern(cairo_t* c, CGRect rect, cairo_surface_t* image, size_t width, size_t height, bool interpolate);

}  // namespace cg

// The image as a Cairo surface, made on first use and owned by the image.
cairo_surface_t* CGImageCairoSurface(CGImageRef image);
