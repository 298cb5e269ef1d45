// An image file's pixels as its decoder gives them: straight (not
// premultiplied) R, G, B, A bytes unless asked for Cairo's layout
// (PixelLayout), rows of width × 4 bytes from the top, and
// the orientation the file records, as Exif numbers it (1 upright; 2 to 8
// mirrored, turned, or both). The pixels stay as the file stores them;
// uprightPixels turns them for users that draw without an orientation.
//
//   DecodedImage image;
//   if (readImageFile("cover.jpg", {}, &image, &error)) use(image.pixels.get(), image.width, image.height);
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

struct FreeBytes {
  void operator()(uint8_t* bytes) const { std::free(bytes); }
};
// malloc'd bytes, so that an image's data provider can take them over and
// free them with free().
using PixelBytes = std::unique_ptr<uint8_t, FreeBytes>;

enum class PixelLayout {
  StraightRGBA,
  // Premultiplied A, R, G, B in one native-endian 32-bit word (B, G, R, A
  // bytes on a little-endian machine): what Cairo draws from, so that a
  // picture about to be shrunk goes to it without a converted copy.
  PremultipliedNativeARGB,
};

struct DecodedImage {
  PixelBytes pixels;
  PixelLayout layout = PixelLayout::StraightRGBA;
  uint32_t width = 0, height = 0;
  bool opaque = true;    // every alpha byte is 255
  int orientation = 1;   // Exif orientation, 1 to 8

  size_t byteCount() const { return size_t(width) * height * 4; }
};

// Rewrites `count` straight R, G, B, A pixels in place as premultiplied
// native ARGB words, rounding as Core Graphics premultiplies: (c × a + 127) / 255.
void premultiplyToNativeARGB(uint8_t* pixels, size_t count);

// Whether the Exif orientation turns the picture a quarter, swapping its sides.
bool exifOrientationSwapsSides(int orientation);

// Copies `stored` (w × h pixels of 4 bytes) into `upright`, turned and
// mirrored as the Exif orientation says, so that it reads upright; upright
// is h × w pixels where the orientation swaps the sides.
void turnUpright(const uint8_t* stored, size_t w, size_t h, int orientation, uint8_t* upright);

// The image with its pixels upright and orientation 1; the same image when
// it is upright already. False (the image unchanged) when no memory can be
// had for the turned copy.
bool uprightPixels(DecodedImage* image);
