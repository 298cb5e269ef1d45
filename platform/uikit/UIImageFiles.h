// Images from files and bytes, through the one image reader
// (platform/imageio): JPEG and PNG files into premultiplied RGBA images with
// a scale and the orientation that the file records. Images of more than
// 100 megapixels are refused from their header, before any pixel memory is
// taken; a file that cannot be read gives nil and its reason in the words
// every tool uses (ImageReadError), never a crash.
//
//   std::string error;
//   UIImage* artwork = UIImageReadFile("cover.jpg", 1, 32, &error);  // nil: "cover.jpg: " + error
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/imageio/DecodedImage.h"
#include "platform/uikit/UIImage.h"

// With minimumSide 0 a JPEG is decoded at full size, otherwise at the
// smallest DCT scale that keeps minimumSide pixels each way
// (ImageDecodeOptions). The image keeps the given scale, so its size in
// points follows the pixels decoded. The orientation comes from the file's
// Exif block (Up without one). Autoreleased.
UIImage* UIImageReadFile(const char* path, CGFloat scale, size_t minimumSide, std::string* error);
// The same for a file's bytes in memory.
UIImage* UIImageReadData(const uint8_t* bytes, size_t length, CGFloat scale, size_t minimumSide, std::string* error);

// An image of decoded pixels, which it takes over; autoreleased.
UIImage* UIImageFromDecoded(DecodedImage decoded, CGFloat scale);

// The UIImage orientation of an Exif orientation number, and back.
UIImageOrientation UIImageOrientationFromExif(int orientation);
int UIImageOrientationExifNumber(UIImageOrientation orientation);
