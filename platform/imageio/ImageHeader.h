// An image's format and size from its first bytes, without decoding it: the
// format by its signature, the size from a PNG's IHDR chunk or a JPEG's
// first start-of-frame marker. Every reader refuses an image over the
// pixel limit from here, before any memory is taken for its pixels.
//
//   ImageHeader header;
//   ImageReadError error;
//   if (!readImageHeader(bytes, length, &header, &error)) reply(400, error.cause);
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/imageio/ImageReadError.h"

// Width times height; a larger image is refused.
inline constexpr uint64_t kImageMaxPixels = 100'000'000;

// Bytes it takes to tell the formats apart.
inline constexpr size_t kImageSignatureBytes = 8;
// A PNG's signature and its IHDR chunk up to the height: what gives its size.
inline constexpr size_t kPNGSizeBytes = 24;

struct ImageHeader {
  ImageFormat format = ImageFormat::PNG;
  uint32_t width = 0, height = 0;
};

// The format of the first bytes; false when they are neither format's.
bool imageFormatOf(const uint8_t* bytes, size_t length, ImageFormat* format);

// Format and size of a whole file's bytes (or of as much of its start as
// holds the header). False with the reason: empty, not an image, ending
// inside the header, a damaged header, or over the pixel limit.
bool readImageHeader(const uint8_t* bytes, size_t length, ImageHeader* header, ImageReadError* error);

// A PNG's size from its first kPNGSizeBytes bytes (fewer: truncated).
bool readPNGHeader(const uint8_t* bytes, size_t length, ImageHeader* header, ImageReadError* error);

// False with the Oversized error when width × height is over the limit.
bool imageSizeAllowed(uint64_t width, uint64_t height, ImageFormat format, ImageReadError* error);
