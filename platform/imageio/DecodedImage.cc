// Turning stored pixels upright by their Exif orientation.
#include "platform/imageio/DecodedImage.h"

#include <cstring>
#include <utility>

void premultiplyToNativeARGB(uint8_t* pixels, size_t count) {
  for (uint8_t* p = pixels; p < pixels + count * 4; p += 4) {
    uint32_t a = p[3];
    auto premultiplied = [a](uint32_t c) { return (c * a + 127) / 255; };
    uint32_t word = a << 24 | premultiplied(p[0]) << 16 | premultiplied(p[1]) << 8 | premultiplied(p[2]);
    std::memcpy(p, &word, 4);
  }
}

bool exifOrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

void turnUpright(const uint8_t* stored, size_t w, size_t h, int orientation, uint8_t* upright) {
  bool swaps = exifOrientationSwapsSides(orientation);
  size_t uw = swaps ? h : w, uh = swaps ? w : h;
  // For each upright pixel, the stored one it shows. Exif 2 mirrors across
  // the vertical axis, 3 turns a half, 4 mirrors across the horizontal axis,
  // 5 transposes, 6 turns a quarter clockwise, 7 transverses, 8 turns a
  // quarter counter-clockwise.
  for (size_t y = 0; y < uh; ++y)
    for (size_t x = 0; x < uw; ++x) {
      size_t sx = x, sy = y;
      switch (orientation) {
        case 2: sx = w - 1 - x; break;
        case 3: sx = w - 1 - x, sy = h - 1 - y; break;
        case 4: sy = h - 1 - y; break;
        case 5: sx = y, sy = x; break;
        case 6: sx = y, sy = h - 1 - x; break;
        case 7: sx = w - 1 - y, sy = h - 1 - x; break;
        case 8: sx = w - 1 - y, sy = x; break;
        default: break;
      }
      std::memcpy(upright + (y * uw + x) * 4, stored + (sy * w + sx) * 4, 4);
    }
}

bool uprightPixels(DecodedImage* image) {
  if (image->orientation < 2 || image->orientation > 8) return true;
  PixelBytes turned(static_cast<uint8_t*>(std::malloc(image->byteCount())));
  if (!turned) return false;
  turnUpright(image->pixels.get(), image->width, image->height, image->orientation, turned.get());
  if (exifOrientationSwapsSides(image->orientation)) std::swap(image->width, image->height);
  image->pixels = std::move(turned);
  image->orientation = 1;
  return true;
}
