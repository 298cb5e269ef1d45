// Image headers read by hand: only a few bytes are looked at, so a hostile
// file costs nothing before it is refused.
#include "platform/imageio/ImageHeader.h"

#include <cstring>
#include <string>

namespace {

const uint8_t kPNGSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t bigEndian(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
  return v;
}

// Walks the marker segments up to the first start-of-frame.
bool readJPEGHeader(const uint8_t* b, size_t length, ImageHeader* header, ImageReadError* error) {
  const ImageReadError truncated =
      imageReadError(ImageFailure::Truncated, ImageFormat::JPEG, "it ends inside its header");
  size_t at = 2;
  while (true) {
    if (at + 4 > length) return *error = truncated, false;
    if (b[at] != 0xFF) return *error = imageReadError(ImageFailure::Damaged, ImageFormat::JPEG, "no marker"), false;
    uint8_t marker = b[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    uint32_t segment = bigEndian(b + at + 2, 2);
    if (segment < 2)
      return *error = imageReadError(ImageFailure::Damaged, ImageFormat::JPEG, "bad marker length"), false;
    bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > length) return *error = truncated, false;
      header->height = bigEndian(b + at + 5, 2);
      header->width = bigEndian(b + at + 7, 2);
      if (header->width == 0 || header->height == 0)
        return *error = imageReadError(ImageFailure::Damaged, ImageFormat::JPEG, "its header gives no size"), false;
      return imageSizeAllowed(header->width, header->height, ImageFormat::JPEG, error);
    }
    if (marker == 0xDA || marker == 0xD9)
      return *error = imageReadError(ImageFailure::Damaged, ImageFormat::JPEG, "no frame header"), false;
    at += 2 + segment;
  }
}

}  // namespace

bool imageFormatOf(const uint8_t* bytes, size_t length, ImageFormat* format) {
  if (length >= sizeof kPNGSignature && std::memcmp(bytes, kPNGSignature, sizeof kPNGSignature) == 0) {
    *format = ImageFormat::PNG;
    return true;
  }
  if (length >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    *format = ImageFormat::JPEG;
    return true;
  }
  return false;
}

bool imageSizeAllowed(uint64_t width, uint64_t height, ImageFormat format, ImageReadError* error) {
  if (width * height <= kImageMaxPixels) return true;
  *error = imageReadError(ImageFailure::Oversized, format, std::to_string(width) + " x " + std::to_string(height));
  return false;
}

bool readPNGHeader(const uint8_t* bytes, size_t length, ImageHeader* header, ImageReadError* error) {
  header->format = ImageFormat::PNG;
  if (length < kPNGSizeBytes)
    return *error = imageReadError(ImageFailure::Truncated, ImageFormat::PNG, "it ends inside its header"), false;
  // IHDR must come first: its width and height decide before any decoder
  // allocates anything for the pixels.
  if (std::memcmp(bytes + 12, "IHDR", 4) != 0)
    return *error = imageReadError(ImageFailure::Damaged, ImageFormat::PNG, "it does not begin with IHDR"), false;
  header->width = bigEndian(bytes + 16, 4);
  header->height = bigEndian(bytes + 20, 4);
  if (!imageSizeAllowed(header->width, header->height, ImageFormat::PNG, error)) return false;
  if (header->width == 0 || header->height == 0)
    return *error = imageReadError(ImageFailure::Damaged, ImageFormat::PNG, "its header gives no size"), false;
  return true;
}

bool readImageHeader(const uint8_t* bytes, size_t length, ImageHeader* header, ImageReadError* error) {
  if (length == 0) return *error = imageReadError(ImageFailure::Empty), false;
  if (!imageFormatOf(bytes, length, &header->format))
    return *error = imageReadError(ImageFailure::NotAnImage), false;
  if (header->format == ImageFormat::PNG) return readPNGHeader(bytes, length, header, error);
  return readJPEGHeader(bytes, length, header, error);
}
