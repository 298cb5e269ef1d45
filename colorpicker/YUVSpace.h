// UIColor(YUVSpace): luma and chroma of a colour with the analogue BT.601
// weights, and distances in that space; the squared distance of two integer
// RGB triples; and the release callback that frees a read-back pixel buffer.
//
//   float y = YUVSpace::yComponentFromColor(color);  // sends +[UIColor yComponentFromColor:]
#pragma once

#include <cstddef>

#include "platform/foundation/FoundationExport.h"
#include "platform/uikit/UIColor.h"

// Channels from 0 to 255 in word-sized signed integers: red, green, blue.
struct RGBPixel {
  NSInteger red;
  NSInteger green;
  NSInteger blue;
};

// (a.red − b.red)² + (a.green − b.green)² + (a.blue − b.blue)².
FOUNDATION_EXPORT NSInteger squareDistanceInRGBSpaceBetweenColor(RGBPixel a, RGBPixel b);
// A CGDataProviderReleaseDataCallback that frees `data` with free().
FOUNDATION_EXPORT void freeImageData(void* info, const void* data, size_t size);

struct YUV {
  float y, u, v;
};

// Y, U and V of single-precision channels: each product is formed in double
// precision, summed as (first + second) + third and rounded once to float.
// The counting pass uses the same function, so a colour and a pixel of the
// same channels land on the same point.
YUV yuvFromChannels(float r, float g, float b);

// The channels the YUV maths reads from a colour: red, green and blue of a
// colour of exactly four components (RGB and alpha), zeros for any other
// colour (the grey colours of whiteColor and blackColor among them) and nil.
void yuvSpaceChannels(UIColor* color, float* r, float* g, float* b);

// The category's class methods, sent to UIColor.
namespace YUVSpace {
inline id colorClass() { return reinterpret_cast<id>(objc::classOf<UIColor>()); }
inline float yComponentFromColor(UIColor* c) {
  return objc::send<float(UIColor*)>(colorClass(), "yComponentFromColor:"_sel, c);
}
inline float uComponentFromColor(UIColor* c) {
  return objc::send<float(UIColor*)>(colorClass(), "uComponentFromColor:"_sel, c);
}
inline float vComponentFromColor(UIColor* c) {
  return objc::send<float(UIColor*)>(colorClass(), "vComponentFromColor:"_sel, c);
}
inline float distance(UIColor* to, UIColor* from) {
  return objc::send<float(UIColor*, UIColor*)>(colorClass(), "YUVSpaceDistanceToColor:fromColor:"_sel, to, from);
}
inline float squareDistance(UIColor* to, UIColor* from) {
  return objc::send<float(UIColor*, UIColor*)>(colorClass(), "YUVSpaceSquareDistanceToColor:fromColor:"_sel, to,
                                               from);
}
}  // namespace YUVSpace

// Adds the category to UIColor. Part of registerColorPicker().
void registerYUVSpace();
