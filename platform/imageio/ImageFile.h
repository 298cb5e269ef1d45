// The one reader of image files: every tool and every input (artwork,
// wallpaper, the toolkit's images, the studio's uploads) reads JPEG and PNG
// files through it, so that a file reads the same everywhere, pixel for
// pixel, and fails with the same words (ImageReadError).
//
//   DecodedImage image;
//   ImageReadError error;
//   if (!readImageFile("cover.jpg", {.minimumSide = 32}, &image, &error)) report("cover.jpg: " + error.cause);
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/imageio/DecodedImage.h"
#include "platform/imageio/ImageDecoders.h"
#include "platform/imageio/ImageReadError.h"

// A JPEG or PNG file, told apart by its first bytes, never by its name.
bool readImageFile(const std::string& path, const ImageDecodeOptions& options, DecodedImage* out,
                   ImageReadError* error);
// The same for a file's bytes in memory.
bool readImageData(const uint8_t* bytes, size_t length, const ImageDecodeOptions& options, DecodedImage* out,
                   ImageReadError* error);
