// CGDataProviderObj and CGImageObj: immutable bitmaps of 8-bit RGB pixels
// read from a data provider, as Core Graphics makes them.
//
//   CGDataProviderRef p = CGDataProviderCreateWithData(nullptr, bytes, w * h * 4, &freeBytes);
//   CGImageRef image = CGImageCreate(w, h, 8, 32, w * 4, CGColorSpaceCreateDeviceRGB(),
//                                    kCGImageAlphaPremultipliedLast, p, nullptr, false, kCGRenderingIntentDefault);
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/coregraphics/CGColor.h"
#include "platform/coregraphics/CGGeometry.h"

typedef uint32_t CGBitmapInfo;
typedef uint32_t CGImageAlphaInfo;
inline constexpr uint32_t kCGImageAlphaNone = 0;
inline constexpr uint32_t kCGImageAlphaPremultipliedLast = 1;
inline constexpr uint32_t kCGImageAlphaPremultipliedFirst = 2;
inline constexpr uint32_t kCGImageAlphaLast = 3;
inline constexpr uint32_t kCGImageAlphaFirst = 4;
inline constexpr uint32_t kCGImageAlphaNoneSkipLast = 5;
inline constexpr uint32_t kCGImageAlphaNoneSkipFirst = 6;
inline constexpr uint32_t kCGImageAlphaOnly = 7;
inline constexpr uint32_t kCGBitmapAlphaInfoMask = 0x1F;
inline constexpr uint32_t kCGBitmapByteOrderMask = 0x7000;
inline constexpr uint32_t kCGBitmapByteOrderDefault = 0 << 12;
inline constexpr uint32_t kCGBitmapByteOrder32Big = 4 << 12;
enum CGColorRenderingIntent : int32_t {
  kCGRenderingIntentDefault,
  kCGRenderingIntentAbsoluteColorimetric,
  kCGRenderingIntentRelativeColorimetric,
  kCGRenderingIntentPerceptual,
  kCGRenderingIntentSaturation,
};

typedef void (*CGDataProviderReleaseDataCallback)(void* info, const void* data, size_t size);

struct CGDataProviderObj : NSObject {
  static constexpr const char* kClassName = "__CGDataProvider";
  void* _info = nullptr;
  const void* _data = nullptr;
  size_t _size = 0;
  CGDataProviderReleaseDataCallback _release = nullptr;

  // The release callback runs when the last reference goes, as CG calls it.
  ~CGDataProviderObj() {
    if (_release) _release(_info, _data, _size);
  }
};
typedef CGDataProviderObj* CGDataProviderRef;

struct CGImagePixels;  // the image's pixels as Cairo draws them (CGImage.cc)

// Model side: a text whose glyphs went into a bitmap, with the fill colour
// it was drawn in, where its line lies in the bitmap's pixels (y down) and
// its font size in those pixels. Contexts and the images made from them keep
// these so that tools can tell what a picture of text says, how it was
// painted, and where it lands once the picture is shown.
struct CGDrawnText {
  std::string text;
  double r = 0, g = 0, b = 0, a = 1;
  double x = 0, y = 0, width = 0, height = 0;
  double pixelSize = 0;
  bool bold = false;
};

struct CGImageObj : NSObject {
  static constexpr const char* kClassName = "__CGImage";
  size_t _width = 0, _height = 0;
  size_t _bitsPerComponent = 8, _bitsPerPixel = 32, _bytesPerRow = 0;
  CGBitmapInfo _bitmapInfo = kCGImageAlphaPremultipliedLast;
  bool _shouldInterpolate = true;
  Ref<CGColorSpaceObj> _space;
  Ref<CGDataProviderObj> _provider;
  // Premultiplied R, G, B, A rows of width × 4 bytes: the provider's own
  // bytes when they already have that layout, else a converted copy.
  const uint8_t* _rgba = nullptr;
  std::vector<uint8_t> _converted;
  // Made on first draw and kept: images are immutable.
  std::once_flag _pixelsOnce;
  CGImagePixels* _pixels = nullptr;
  std::vector<CGDrawnText> _drawnTexts;  // model side: see CGDrawnText

  ~CGImageObj();
};
typedef CGImageObj* CGImageRef;

// +1. `data` stays the caller's until `release` is called with it.
CGDataProviderRef CGDataProviderCreateWithData(void* info, const void* data, size_t size,
                                               CGDataProviderReleaseDataCallback release);
CGDataProviderRef CGDataProviderRetain(CGDataProviderRef provider);
void CGDataProviderRelease(CGDataProviderRef provider);

// +1. Takes 8 bits per component in device RGB: 32 bits per pixel with alpha
// premultiplied last, non-premultiplied last or skipped last, or 24 bits
// without alpha. Anything else, or a provider too short for the rows,
// answers NULL.
CGImageRef CGImageCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel, size_t bytesPerRow,
                         CGColorSpaceRef space, CGBitmapInfo bitmapInfo, CGDataProviderRef provider,
                         const CGFloat* decode, bool shouldInterpolate, CGColorRenderingIntent intent);
// +1: a copy of the pixels inside the rectangle (in pixels, top-left origin,
// widened to whole pixels and cut to the image); NULL when nothing is left.
CGImageRef CGImageCreateWithImageInRect(CGImageRef image, CGRect rect);
CGImageRef CGImageRetain(CGImageRef image);
void CGImageRelease(CGImageRef image);

size_t CGImageGetWidth(CGImageRef image);
size_t CGImageGetHeight(CGImageRef image);
size_t CGImageGetBitsPerComponent(CGImageRef image);
size_t CGImageGetBitsPerPixel(CGImageRef image);
size_t CGImageGetBytesPerRow(CGImageRef image);
CGBitmapInfo CGImageGetBitmapInfo(CGImageRef image);
CGImageAlphaInfo CGImageGetAlphaInfo(CGImageRef image);
CGColorSpaceRef CGImageGetColorSpace(CGImageRef image);
CGDataProviderRef CGImageGetDataProvider(CGImageRef image);

// Model side, for tools and tests: the image's pixels as premultiplied
// R, G, B, A bytes, width × 4 bytes a row, top row first; NULL for NULL.
const uint8_t* CGImageGetPremultipliedRGBA(CGImageRef image);

void registerCGImage();
