// Pixels drawn stretched into a small bitmap in one step: byte for byte
// what drawing them as an interpolated image into a fresh, not opaque
// UIKit image context of that size at scale 1 gives (UIGraphics, drawInRect:),
// with no image object, no context and no converted copy on the way. The
// colour picker makes its 32 × 32 rendition of a decoded file so.
//
//   uint8_t texels[32 * 32 * 4];
//   CGDrawNativeARGBStretched(decoded.pixels.get(), decoded.width, decoded.height, 32, 32, texels);
#pragma once

#include <cstddef>
#include <cstdint>

// `argb`: width × height premultiplied native ARGB words
// (PixelLayout::PremultipliedNativeARGB), rows from the top. `rgba`:
// outWidth × outHeight premultiplied R, G, B, A bytes, rows from the top.
// False, with `rgba` untouched, where a side is 0 or over Cairo's 32767 or
// no memory could be had.
bool CGDrawNativeARGBStretched(const uint8_t* argb, size_t width, size_t height, size_t outWidth, size_t outHeight,
                               uint8_t* rgba);
