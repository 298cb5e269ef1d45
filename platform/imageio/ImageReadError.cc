// The words of each image reading failure.
#include "platform/imageio/ImageReadError.h"

#include "platform/imageio/ImageHeader.h"

ImageReadError imageReadError(ImageFailure kind, ImageFormat format, const std::string& detail) {
  const std::string name = format == ImageFormat::PNG ? "PNG" : "JPEG";
  auto withDetail = [&](const std::string& text) { return detail.empty() ? text : text + " (" + detail + ")"; };
  switch (kind) {
    case ImageFailure::Unreadable: return {kind, withDetail("cannot be read")};
    case ImageFailure::Directory: return {kind, "is a directory, not an image file"};
    case ImageFailure::Empty: return {kind, "empty file"};
    case ImageFailure::NotAnImage: return {kind, "not a JPEG or PNG image"};
    case ImageFailure::HeaderOnly: return {kind, name + " file ends after its header, with no image data"};
    case ImageFailure::Truncated: return {kind, withDetail("truncated " + name + " file")};
    case ImageFailure::Oversized:
      return {kind, "image is " + detail + " pixels, more than the limit of " +
                        std::to_string(kImageMaxPixels / 1'000'000) + " megapixels"};
    case ImageFailure::Damaged: return {kind, withDetail("damaged " + name + " file")};
    case ImageFailure::OutOfMemory: return {kind, "not enough memory for " + detail + " pixels"};
  }
  return {kind, withDetail("cannot be read")};
}

ImageReadError imageReadError(ImageFailure kind, const std::string& detail) {
  return imageReadError(kind, ImageFormat::PNG, detail);
}
