// UIColor: a colour as UIKit makes it. colorWithRed:green:blue:alpha: gives
// an RGB colour of four components; whiteColor, blackColor, the greys,
// clearColor and colorWithWhite:alpha: give grey colours of two (white,
// alpha), as the platform does.
//
//   UIColor* tint = UIColor::withRGBA(0.09, 0.65, 1.0, 1.0);
#pragma once

#include "platform/coregraphics/CGColor.h"
#include "platform/foundation/NSObject.h"

struct UIColor : NSObject {
  static constexpr const char* kClassName = "UIColor";
  Ref<CGColorObj> _cgColor;

  static UIColor* withRGBA(CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
    return objc::send<UIColor*(CGFloat, CGFloat, CGFloat, CGFloat)>(cls(), "colorWithRed:green:blue:alpha:"_sel, r, g,
                                                                     b, a);
  }
  static UIColor* withWhite(CGFloat white, CGFloat alpha) {
    return objc::send<UIColor*(CGFloat, CGFloat)>(cls(), "colorWithWhite:alpha:"_sel, white, alpha);
  }
  static UIColor* named(SEL name) { return objc::send<UIColor*()>(cls(), name); }
  static UIColor* blackColor() { return named("blackColor"_sel); }
  static UIColor* whiteColor() { return named("whiteColor"_sel); }
  static UIColor* clearColor() { return named("clearColor"_sel); }
  static UIColor* redColor() { return named("redColor"_sel); }
  static UIColor* blueColor() { return named("blueColor"_sel); }
  static UIColor* darkGrayColor() { return named("darkGrayColor"_sel); }
  static UIColor* grayColor() { return named("grayColor"_sel); }

  CGColorRef CGColor() { return objc::send<CGColorRef()>(this, "CGColor"_sel); }
  BOOL getRGBA(CGFloat* r, CGFloat* g, CGFloat* b, CGFloat* a) {
    return objc::send<BOOL(CGFloat*, CGFloat*, CGFloat*, CGFloat*)>(this, "getRed:green:blue:alpha:"_sel, r, g, b, a);
  }
  // The current image context's fill or stroke colour (UIColorDrawing.cc).
  void setFill() { objc::send<void()>(this, "setFill"_sel); }
  void setStroke() { objc::send<void()>(this, "setStroke"_sel); }

 private:
  static id cls() { return reinterpret_cast<id>(objc::classOf<UIColor>()); }
};

// "#RRGGBBAA" with each channel round(c × 255), grey colours as equal red,
// green and blue; "null" text is the caller's business.
std::string UIColorHexText(UIColor* color);

void registerUIColor();
void registerUIColorDrawing();
