// Upright pixels of oriented images.
#include "platform/uikit/UIImageOrientation.h"

#include <cstdlib>

#include "platform/imageio/DecodedImage.h"
#include "platform/uikit/UIImageFiles.h"

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
  turnUpright(rgba, w, h, UIImageOrientationExifNumber(o), pixels);
  CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, pixels, uw * uh * 4, &freePixels);
  Ref<CGImageObj> upright = adopt(CGImageCreate(uw, uh, 8, 32, uw * 4, CGImageGetColorSpace(stored),
                                                kCGImageAlphaPremultipliedLast, provider, nullptr, true,
                                                kCGRenderingIntentDefault));
  CGDataProviderRelease(provider);
  return upright ? upright : Ref<CGImageObj>(stored);
}
