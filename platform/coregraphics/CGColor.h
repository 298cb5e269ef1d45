// CGColorObj and CGColorSpaceObj: reference-counted colour values in the device
// RGB (red, green, blue, alpha) or device grey (white, alpha) space.
//
//   Ref<CGColorObj> red = adopt(CGColorCreate(CGColorSpaceCreateDeviceRGB(), (CGFloat[]){1, 0, 0, 1}));
#pragma once

#include <vector>

#include "platform/foundation/NSObject.h"

struct CGColorSpaceObj : NSObject {
  static constexpr const char* kClassName = "__CGColorSpace";
  size_t _components = 3;  // colour channels without alpha: 3 for RGB, 1 for grey
};
typedef CGColorSpaceObj* CGColorSpaceRef;

struct CGColorObj : NSObject {
  static constexpr const char* kClassName = "__CGColor";
  Ref<CGColorSpaceObj> _space;
  std::vector<CGFloat> _components;  // the space's channels followed by alpha
};
typedef CGColorObj* CGColorRef;

// The shared device spaces (never released, like the platform's singletons).
CGColorSpaceRef CGColorSpaceCreateDeviceRGB();
CGColorSpaceRef CGColorSpaceCreateDeviceGray();
size_t CGColorSpaceGetNumberOfComponents(CGColorSpaceRef space);
void CGColorSpaceRelease(CGColorSpaceRef space);

// +1: the caller releases (CGColorRelease or adopt into a Ref).
CGColorRef CGColorCreate(CGColorSpaceRef space, const CGFloat* components);
size_t CGColorGetNumberOfComponents(CGColorRef color);
const CGFloat* CGColorGetComponents(CGColorRef color);
CGFloat CGColorGetAlpha(CGColorRef color);
CGColorSpaceRef CGColorGetColorSpace(CGColorRef color);
CGColorRef CGColorRetain(CGColorRef color);
void CGColorRelease(CGColorRef color);

void registerCGColor();
