// UIImages of decoded image files.
#include "platform/uikit/UIImageFiles.h"

#include <utility>

#include "platform/coregraphics/CGImage.h"
#include "platform/imageio/ImageFile.h"

namespace {

void freePixels(void*, const void* data, size_t) { std::free(const_cast<void*>(data)); }

}  // namespace

UIImageOrientation UIImageOrientationFromExif(int orientation) {
  switch (orientation) {
    case 2: return UIImageOrientationUpMirrored;
    case 3: return UIImageOrientationDown;
    case 4: return UIImageOrientationDownMirrored;
    case 5: return UIImageOrientationLeftMirrored;
    case 6: return UIImageOrientationRight;
    case 7: return UIImageOrientationRightMirrored;
    case 8: return UIImageOrientationLeft;
    default: return UIImageOrientationUp;
  }
}

int UIImageOrientationExifNumber(UIImageOrientation orientation) {
  for (int exif = 1; exif <= 8; ++exif)
    if (UIImageOrientationFromExif(exif) == orientation) return exif;
  return 1;
}

UIImage* UIImageFromDecoded(DecodedImage decoded, CGFloat scale) {
  size_t width = decoded.width, height = decoded.height, bytes = decoded.byteCount();
  CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, decoded.pixels.release(), bytes, &freePixels);
  // Opaque pixels are their own premultiplied form, so the image uses the
  // decoder's buffer as it is; others are premultiplied once, by the image.
  Ref<CGImageObj> image =
      adopt(CGImageCreate(width, height, 8, 32, width * 4, CGColorSpaceCreateDeviceRGB(),
                          decoded.opaque ? kCGImageAlphaPremultipliedLast : kCGImageAlphaLast, provider, nullptr, true,
                          kCGRenderingIntentDefault));
  CGDataProviderRelease(provider);
  if (!image) return nil;
  return UIImage::imageWithCGImage(image, scale, UIImageOrientationFromExif(decoded.orientation));
}

UIImage* UIImageReadFile(const char* path, CGFloat scale, size_t minimumSide, std::string* error) {
  DecodedImage decoded;
  ImageReadError failure;
  if (!readImageFile(path, {.minimumSide = minimumSide}, &decoded, &failure)) {
    if (error) *error = failure.cause;
    return nil;
  }
  return UIImageFromDecoded(std::move(decoded), scale);
}

UIImage* UIImageReadData(const uint8_t* bytes, size_t length, CGFloat scale, size_t minimumSide, std::string* error) {
  DecodedImage decoded;
  ImageReadError failure;
  if (!readImageData(bytes, length, {.minimumSide = minimumSide}, &decoded, &failure)) {
    if (error) *error = failure.cause;
    return nil;
  }
  return UIImageFromDecoded(std::move(decoded), scale);
}
