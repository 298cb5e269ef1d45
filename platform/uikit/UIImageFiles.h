// Images from files and bytes: JPEG through libjpeg-turbo and PNG through
// UIImageReadPNG, into premultiplied RGBA images with a scale and the
// orientation that the file records. Images of more than 100 megapixels are
// refused from their header, before any pixel memory is taken; truncated or
// corrupt data gives nil and a reason, never a crash.
//
//   std::string error;
//   UIImage* artwork = UIImageReadFile("cover.jpg", 1, 32, &error);  // nil: see error
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/uikit/UIImage.h"

inline constexpr uint64_t kUIImageMaxPixels = 100'000'000;

// With minimumSide 0 a JPEG is decoded at full size. Otherwise it is decoded
// at the smallest of libjpeg's DCT scales (1/8 to 8/8) that still gives at
// least minimumSide pixels each way (full size when the image is smaller
// than that), which is much faster for an image that is about to be shrunk.
// The image keeps the given scale, so its size in points follows the pixels
// decoded. The orientation comes from the file's Exif block (Up without one).
UIImage* UIImageReadJPEGData(const uint8_t* bytes, size_t length, CGFloat scale, size_t minimumSide,
                             std::string* error);
// A JPEG or PNG file, told apart by its first bytes; autoreleased.
UIImage* UIImageReadFile(const char* path, CGFloat scale, size_t minimumSide, std::string* error);
// Why a PNG file cannot be read, from its first 24 bytes alone: it cannot be
// opened, is empty, is no PNG, ends inside its header, or is over the pixel
// limit. Empty when the header is sound. UIImageReadPNG asks this first.
std::string UIImagePNGHeaderProblem(const char* path);
