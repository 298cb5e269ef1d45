// UIColor.
#include "platform/uikit/UIColor.h"

#include <cmath>
#include <cstdio>

#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

UIColor* makeColor(Class cls, CGColorSpaceRef space, std::initializer_list<CGFloat> components) {
  auto* color = static_cast<UIColor*>(class_createInstance(cls, 0));
  color->_cgColor = adopt(CGColorCreate(space, components.begin()));
  return color;
}

CGFloat clamp01(CGFloat v) { return std::isnan(v) ? 0 : std::fmin(1, std::fmax(0, v)); }

id UIColor_colorWithRGBA(Class cls, SEL, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
  return objc_autorelease(makeColor(cls, CGColorSpaceCreateDeviceRGB(), {r, g, b, a}));
}
id UIColor_colorWithWhite(Class cls, SEL, CGFloat w, CGFloat a) {
  return objc_autorelease(makeColor(cls, CGColorSpaceCreateDeviceGray(), {w, a}));
}
id UIColor_initWithRGBA(UIColor* self, SEL, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
  self->_cgColor = adopt(CGColorCreate(CGColorSpaceCreateDeviceRGB(), std::initializer_list<CGFloat>{r, g, b, a}.begin()));
  return self;
}
id UIColor_initWithWhite(UIColor* self, SEL, CGFloat w, CGFloat a) {
  self->_cgColor = adopt(CGColorCreate(CGColorSpaceCreateDeviceGray(), std::initializer_list<CGFloat>{w, a}.begin()));
  return self;
}

// The named colours: the greys are grey colours, the rest RGB.
template <int W1000, int A>
id greyColour(Class cls, SEL sel) {
  return UIColor_colorWithWhite(cls, sel, W1000 / 1000.0, A);
}
template <int R1000, int G1000, int B1000>
id rgbColour(Class cls, SEL sel) {
  return UIColor_colorWithRGBA(cls, sel, R1000 / 1000.0, G1000 / 1000.0, B1000 / 1000.0, 1.0);
}
id darkGray(Class cls, SEL sel) { return UIColor_colorWithWhite(cls, sel, 1.0 / 3.0, 1.0); }
id lightGray(Class cls, SEL sel) { return UIColor_colorWithWhite(cls, sel, 2.0 / 3.0, 1.0); }

CGColorRef UIColor_CGColor(UIColor* self, SEL) { return self->_cgColor.get(); }

BOOL UIColor_getRGBA(UIColor* self, SEL, CGFloat* r, CGFloat* g, CGFloat* b, CGFloat* a) {
  const std::vector<CGFloat>& c = self->_cgColor->_components;
  CGFloat red, green, blue, alpha;
  if (c.size() == 4) {
    red = c[0], green = c[1], blue = c[2], alpha = c[3];
  } else if (c.size() == 2) {
    red = green = blue = c[0], alpha = c[1];
  } else {
    return NO;
  }
  if (r) *r = red;
  if (g) *g = green;
  if (b) *b = blue;
  if (a) *a = alpha;
  return YES;
}

BOOL UIColor_getWhite(UIColor* self, SEL, CGFloat* w, CGFloat* a) {
  const std::vector<CGFloat>& c = self->_cgColor->_components;
  if (c.size() != 2) return NO;
  if (w) *w = c[0];
  if (a) *a = c[1];
  return YES;
}

UIColor* UIColor_colorWithAlphaComponent(UIColor* self, SEL, CGFloat alpha) {
  std::vector<CGFloat> c = self->_cgColor->_components;
  c.back() = alpha;
  auto* color = static_cast<UIColor*>(class_createInstance(object_getClass(self), 0));
  color->_cgColor = adopt(CGColorCreate(self->_cgColor->_space, c.data()));
  return objc::as<UIColor>(objc_autorelease(color));
}

BOOL UIColor_isEqual(UIColor* self, SEL, id other) {
  if (other == self) return YES;
  if (!objc::isKind<UIColor>(other)) return NO;
  return self->_cgColor->_components == objc::as<UIColor>(other)->_cgColor->_components;
}

NSUInteger UIColor_hash(UIColor* self, SEL) {
  NSUInteger h = self->_cgColor->_components.size();
  // Components to 1/65535, rounded half away from zero without a call.
  for (CGFloat c : self->_cgColor->_components) {
    double scaled = c * 65535.0;
    h = h * 1000003u + static_cast<NSUInteger>(static_cast<int64_t>(scaled + (scaled < 0 ? -0.5 : 0.5)));
  }
  return h;
}

NSString* UIColor_description(UIColor* self, SEL) {
  const std::vector<CGFloat>& c = self->_cgColor->_components;
  if (c.size() == 2) return NSString::withFormat("UIDeviceWhiteColorSpace %g %g", c[0], c[1]);
  return NSString::withFormat("UIDeviceRGBColorSpace %g %g %g %g", c[0], c[1], c[2], c[3]);
}

id UIColor_copyWithZone(UIColor* self, SEL, void*) { return objc_retain(self); }

}  // namespace

std::string UIColorHexText(UIColor* color) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (!color || !UIColor_getRGBA(color, nullptr, &r, &g, &b, &a)) return "";
  auto byte = [](CGFloat v) { return static_cast<unsigned>(std::lround(clamp01(v) * 255.0)); };
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byte(r), byte(g), byte(b), byte(a));
  return text;
}

void registerUIColor() {
  objc::ClassBuilder<UIColor>("UIColor", objc::classOf<NSObject>())
      .classMethod<&UIColor_colorWithRGBA>("colorWithRed:green:blue:alpha:")
      .classMethod<&UIColor_colorWithWhite>("colorWithWhite:alpha:")
      .classMethod<&greyColour<0, 1>>("blackColor")
      .classMethod<&darkGray>("darkGrayColor")
      .classMethod<&lightGray>("lightGrayColor")
      .classMethod<&greyColour<1000, 1>>("whiteColor")
      .classMethod<&greyColour<500, 1>>("grayColor")
      .classMethod<&greyColour<0, 0>>("clearColor")
      .classMethod<&rgbColour<1000, 0, 0>>("redColor")
      .classMethod<&rgbColour<0, 1000, 0>>("greenColor")
      .classMethod<&rgbColour<0, 0, 1000>>("blueColor")
      .classMethod<&rgbColour<0, 1000, 1000>>("cyanColor")
      .classMethod<&rgbColour<1000, 1000, 0>>("yellowColor")
      .classMethod<&rgbColour<1000, 0, 1000>>("magentaColor")
      .classMethod<&rgbColour<1000, 500, 0>>("orangeColor")
      .classMethod<&rgbColour<500, 0, 500>>("purpleColor")
      .classMethod<&rgbColour<600, 400, 200>>("brownColor")
      .method<&UIColor_initWithRGBA>("initWithRed:green:blue:alpha:")
      .method<&UIColor_initWithWhite>("initWithWhite:alpha:")
      .method<&UIColor_CGColor>("CGColor")
      .method<&UIColor_getRGBA>("getRed:green:blue:alpha:")
      .method<&UIColor_getWhite>("getWhite:alpha:")
      .method<&UIColor_colorWithAlphaComponent>("colorWithAlphaComponent:")
      .method<&UIColor_isEqual>("isEqual:")
      .method<&UIColor_hash>("hash")
      .method<&UIColor_description>("description")
      .method<&UIColor_copyWithZone>("copyWithZone:");
}
