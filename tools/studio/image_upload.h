// Checks an uploaded image from its header, before anything decodes it: a
// PNG or JPEG of at most a given size in bytes and pixels, read by the same
// header reader as every image file, so that its refusals say what the
// tools say.
//
//   std::string error;
//   if (!checkImageUpload(body, {.maxBytes = 8 << 20, .maxSide = 4096}, &error)) reply(400, error);
#pragma once

#include <cstddef>
#include <string>

struct ImageUploadLimits {
  size_t maxBytes;
  int maxSide;  // pixels each way
};

bool checkImageUpload(const std::string& bytes, const ImageUploadLimits& limits, std::string* error);
