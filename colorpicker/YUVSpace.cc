// The YUV category, the RGB distance and freeImageData.
#include "colorpicker/YUVSpace.h"

#include <cmath>
#include <cstdlib>

#include "platform/objc/class_builder.h"

NSInteger squareDistanceInRGBSpaceBetweenColor(RGBPixel a, RGBPixel b) {
  NSInteger dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
  return dr * dr + dg * dg + db * db;
}

void freeImageData(void*, const void* data, size_t) { std::free(const_cast<void*>(data)); }

YUV yuvFromChannels(float r, float g, float b) {
  double dr = r, dg = g, db = b;
  return {static_cast<float>((0.299 * dr + 0.587 * dg) + 0.114 * db),
          static_cast<float>((-0.14713 * dr + -0.28886 * dg) + 0.436 * db),
          static_cast<float>((0.615 * dr + -0.51499 * dg) + -0.10001 * db)};
}

void yuvSpaceChannels(UIColor* color, float* r, float* g, float* b) {
  *r = *g = *b = 0;
  if (!color) return;
  CGColorRef cg = color->CGColor();
  if (CGColorGetNumberOfComponents(cg) != 4) return;
  const CGFloat* c = CGColorGetComponents(cg);
  *r = static_cast<float>(c[0]);
  *g = static_cast<float>(c[1]);
  *b = static_cast<float>(c[2]);
}

namespace {

YUV yuvOf(UIColor* color) {
  float r, g, b;
  yuvSpaceChannels(color, &r, &g, &b);
  return yuvFromChannels(r, g, b);
}

float UIColor_yComponentFromColor(Class, SEL, UIColor* color) { return yuvOf(color).y; }
float UIColor_uComponentFromColor(Class, SEL, UIColor* color) { return yuvOf(color).u; }
float UIColor_vComponentFromColor(Class, SEL, UIColor* color) { return yuvOf(color).v; }

// Six component messages, Y, U, V of the first colour and then of the
// second, as the category's callers may have replaced any of them.
float squareDistance(UIColor* to, UIColor* from) {
  float y1 = YUVSpace::yComponentFromColor(to), u1 = YUVSpace::uComponentFromColor(to),
        v1 = YUVSpace::vComponentFromColor(to);
  float y2 = YUVSpace::yComponentFromColor(from), u2 = YUVSpace::uComponentFromColor(from),
        v2 = YUVSpace::vComponentFromColor(from);
  float dy = y1 - y2, du = u1 - u2, dv = v1 - v2;
  return (dy * dy + du * du) + dv * dv;
}

float UIColor_YUVSpaceSquareDistance(Class, SEL, UIColor* to, UIColor* from) { return squareDistance(to, from); }
float UIColor_YUVSpaceDistance(Class, SEL, UIColor* to, UIColor* from) { return std::sqrt(squareDistance(to, from)); }

}  // namespace

void registerYUVSpace() {
  objc::Category(objc::classOf<UIColor>())
      .classMethod<&UIColor_yComponentFromColor>("yComponentFromColor:")
      .classMethod<&UIColor_uComponentFromColor>("uComponentFromColor:")
      .classMethod<&UIColor_vComponentFromColor>("vComponentFromColor:")
      .classMethod<&UIColor_YUVSpaceDistance>("YUVSpaceDistanceToColor:fromColor:")
      .classMethod<&UIColor_YUVSpaceSquareDistance>("YUVSpaceSquareDistanceToColor:fromColor:");
}
