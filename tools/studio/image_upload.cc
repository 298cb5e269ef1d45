// Upload checks over the image header reader.
#include "tools/studio/image_upload.h"

#include <cstdint>

#include "platform/imageio/ImageHeader.h"

bool checkImageUpload(const std::string& bytes, const ImageUploadLimits& limits, std::string* error) {
  if (bytes.size() > limits.maxBytes) {
    *error = "the image is larger than " + std::to_string(limits.maxBytes >> 20) + " MiB";
    return false;
  }
  ImageHeader header;
  ImageReadError failure;
  if (!readImageHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &header, &failure)) {
    *error = failure.cause;
    return false;
  }
  if (header.width > uint32_t(limits.maxSide) || header.height > uint32_t(limits.maxSide)) {
    *error = "the image is " + std::to_string(header.width) + " x " + std::to_string(header.height) +
             " pixels; at most " + std::to_string(limits.maxSide) + " each way are taken";
    return false;
  }
  return true;
}
