// Image headers read by hand: only a few bytes are looked at, so a hostile
// upload costs nothing before it is refused.
#include "tools/studio/image_upload.h"

#include <cstdint>
#include <cstring>

namespace {

uint32_t bigEndian(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}

bool pngSize(const std::string& b, ImageSize* size) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  if (b.size() < 24 || std::memcmp(b.data(), kSignature, 8) != 0 || b.compare(12, 4, "IHDR") != 0) return false;
  uint32_t w = bigEndian(b, 16, 4), h = bigEndian(b, 20, 4);
  if (w == 0 || h == 0 || w > 0x7fffffff || h > 0x7fffffff) return false;
  *size = {static_cast<int>(w), static_cast<int>(h)};
  return true;
}

// Walks the JPEG's marker segments up to the first start-of-frame.
bool jpegSize(const std::string& b, ImageSize* size) {
  if (b.size() < 4 || static_cast<uint8_t>(b[0]) != 0xFF || static_cast<uint8_t>(b[1]) != 0xD8) return false;
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (static_cast<uint8_t>(b[at]) != 0xFF) return false;
    uint8_t marker = static_cast<uint8_t>(b[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    uint32_t length = bigEndian(b, at + 2, 2);
    if (length < 2) return false;
    bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > b.size()) return false;
      uint32_t h = bigEndian(b, at + 5, 2), w = bigEndian(b, at + 7, 2);
      if (w == 0 || h == 0) return false;
      *size = {static_cast<int>(w), static_cast<int>(h)};
      return true;
    }
    at += 2 + length;
  }
  return false;
}

}  // namespace

bool readImageSize(const std::string& bytes, bool* isPNG, ImageSize* size) {
  if (pngSize(bytes, size)) return *isPNG = true, true;
  if (jpegSize(bytes, size)) return *isPNG = false, true;
  return false;
}

bool checkImageUpload(const std::string& bytes, const ImageUploadLimits& limits, std::string* error) {
  if (bytes.size() > limits.maxBytes) {
    *error = "the image is larger than " + std::to_string(limits.maxBytes >> 20) + " MiB";
    return false;
  }
  bool isPNG = false;
  ImageSize size;
  if (!readImageSize(bytes, &isPNG, &size)) {
    *error = limits.pngOnly ? "not a PNG image" : "not a PNG or JPEG image";
    return false;
  }
  if (limits.pngOnly && !isPNG) {
    *error = "not a PNG image";
    return false;
  }
  if (size.width > limits.maxSide || size.height > limits.maxSide) {
    *error = "the image is " + std::to_string(size.width) + " x " + std::to_string(size.height) +
             " pixels; at most " + std::to_string(limits.maxSide) + " each way are taken";
    return false;
  }
  return true;
}
