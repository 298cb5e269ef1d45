// Checks an uploaded image from its first bytes, before anything decodes
// it: a PNG or JPEG of at most a given size in bytes and pixels.
//
//   std::string error;
//   if (!checkImageUpload(body, {.maxBytes = 8 << 20, .maxSide = 4096}, &error)) reply(400, error);
#pragma once

#include <cstddef>
#include <string>

struct ImageUploadLimits {
  size_t maxBytes;
  int maxSide;         // pixels each way
  bool pngOnly = false;
};

struct ImageSize {
  int width = 0, height = 0;
};

// Width and height from a PNG's IHDR chunk or a JPEG's start-of-frame
// marker; false when the bytes are neither or the header is cut short.
bool readImageSize(const std::string& bytes, bool* isPNG, ImageSize* size);

bool checkImageUpload(const std::string& bytes, const ImageUploadLimits& limits, std::string* error);
