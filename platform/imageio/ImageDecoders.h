// The two decoders behind readImageFile, each reading an ImageInput from
// its first byte: PNG through libpng, JPEG through libjpeg-turbo. Each
// refuses an image over the pixel limit from its header, before taking any
// memory for pixels, and names every failure (ImageReadError).
//
//   ImageInput input = ImageInput::ofBytes(bytes, length);
//   decodePNG(input, &image, &error);
#pragma once

#include <cstddef>

#include "platform/imageio/DecodedImage.h"
#include "platform/imageio/ImageInput.h"
#include "platform/imageio/ImageReadError.h"

struct ImageDecodeOptions {
  // 0: full size. Otherwise a JPEG is decoded at the smallest of libjpeg's
  // DCT scales (1/8 to 8/8) that still gives at least this many pixels each
  // way (full size when the image is smaller), which is much faster for an
  // image about to be shrunk. PNGs are always decoded at full size.
  size_t minimumSide = 0;
  // A JPEG is decoded straight into this layout; a PNG is converted in place
  // once decoded.
  PixelLayout layout = PixelLayout::StraightRGBA;
};

bool decodePNG(ImageInput& input, DecodedImage* out, ImageReadError* error);
bool decodeJPEG(ImageInput& input, const ImageDecodeOptions& options, DecodedImage* out, ImageReadError* error);
