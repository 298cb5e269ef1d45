// CGGradientObj: colour stops in device RGB for linear gradients.
//
//   Ref<CGGradientObj> g = adopt(CGGradientCreateWithColors(CGColorSpaceCreateDeviceRGB(), colours, nullptr));
//   CGContextDrawLinearGradient(context, g, start, end, 0);
#pragma once

#include <vector>

#include "platform/coregraphics/CGColor.h"

struct NSArray;

struct CGGradientObj : NSObject {
  static constexpr const char* kClassName = "__CGGradient";
  struct Stop {
    CGFloat location;
    CGFloat red, green, blue, alpha;  // not premultiplied
  };
  std::vector<Stop> _stops;  // in increasing location
};
typedef CGGradientObj* CGGradientRef;

// +1. Components come per stop in the space's channels followed by alpha;
// grey stops are turned into RGB. Without locations the stops are spaced
// evenly from 0 (first) to 1 (last). A count of 0 answers NULL.
CGGradientRef CGGradientCreateWithColorComponents(CGColorSpaceRef space, const CGFloat* components,
                                                  const CGFloat* locations, size_t count);
// +1. `colors` is an array of CGColorObj (the device's CFArray of CGColorRef).
CGGradientRef CGGradientCreateWithColors(CGColorSpaceRef space, NSArray* colors, const CGFloat* locations);
CGGradientRef CGGradientRetain(CGGradientRef gradient);
void CGGradientRelease(CGGradientRef gradient);

void registerCGGradient();
