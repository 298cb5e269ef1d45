// Upright pixels of oriented images.
#include "platform/uikit/UIImageOrientation.h"

#include <cstdlib>
#include <cstring>

namespace {

void freePixels(void*, const void* data, size_t) { std::free(const_cast<void*>(data)); }

}  // namespace

bool UIImageOrientationSwapsSides(UIImageOrientation o) {
  return o == UIImageOrientationLeft || o == UIImageOrientationRight || o == UIImageOrientationLeftMirrored ||
         o == UIImageOrientationRightMirrored;
}

Ref<CGImageObj> UIImageUprightCGImage(CGImageRef stored, UIImageOrientation o) {
  const uint8_t* rgba = CGImageGetPremultipliedRGBA(stored);
  if (!rgba || o == UIImageOrientationUp || o < UIImageOrientationUp || o > UIImageOrientationRightMirrored)
    return Ref<CGImageObj>(stored);
  size_t w = CGImageGetWidth(stored), h = CGImageGetHeight(stored);
  bool swaps = UIImageOrientationSwapsSides(o);
  size_t uw = swaps ? h : w, uh = swaps ? w : h;
  auto* pixels = static_cast<uint8_t*>(std::malloc(uw * uh * 4));
  if (!pixels) return Ref<CGImageObj>(stored);
  // For each upright pixel, the stored one it shows.
  for (size_t y = 0; y < uh; ++y)
    for (size_t x = 0; x < uw; ++x) {
      size_t sx = x, sy = y;
      switch (o) {
        case UIImageOrientationDown: sx = w - 1 - x, sy = h - 1 - y; break;
        case UIImageOrientationLeft: sx = w - 1 - y, sy = x; break;
        case UIImageOrientationRight: sx = y, sy = h - 1 - x; break;
        case UIImageOrientationUpMirrored: sx = w - 1 - x; break;
        case UIImageOrientationDownMirrored: sy = h - 1 - y; break;
        case UIImageOrientationLeftMirrored: sx = y, sy = x; break;
        case UIImageOrientationRightMirrored: sx = w - 1 - y, sy = h - 1 - x; break;
        default: break;
      }
      std::memcpy(pixels + (y * uw + x) * 4, rgba + (sy * w + sx) * 4, 4);
    }
  CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, pixels, uw * uh * 4, &freePixels);
  Ref<CGImageObj> upright = adopt(CGImageCreate(uw, uh, 8, 32, uw * 4, CGImageGetColorSpace(stored),
                                                kCGImageAlphaPremultipliedLast, provider, nullptr, true,
                                                kCGRenderingIntentDefault));
  CGDataProviderRelease(provider);
  return upright ? upright : Ref<CGImageObj>(stored);
}
