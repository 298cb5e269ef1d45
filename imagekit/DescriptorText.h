// The descriptor text whose MD5 is an image's cache key, made from the
// values of a descriptor: either those a generating method has in hand or
// those read from a descriptor dictionary, with the same characters either
// way. A cache hit then costs the text, one MD5 and one lookup; making a
// dictionary and reading it back would cost more than all three.
//
//   NSString* key = ADDCacheKeyOf({.size = CGSizeMake(1, 1), .color = colour});
#pragma once

#include <string>

#include "imagekit/ADDCornerInset.h"
#include "platform/foundation/NSArray.h"
#include "platform/foundation/NSDictionary.h"
#include "platform/uikit/UIColor.h"

// A descriptor's values; the defaults are those of a missing key.
struct ADDImageDescriptor {
  id name = nil;            // "kUIImageName", as its description
  CGSize size = CGSizeZero;  // "kUIImageSize"
  BOOL resizable = NO;       // "kUIImageResizableImage"
  UIColor* color = nil;      // "kUIImageColors" as a list of this one colour,
  NSArray* colors = nil;     // or of these colours (when color is nil)
  UIColor* tintColor = nil;  // "kUIImageTintColor", as its hash
  NSInteger tintStyle = 0;   // "kUIImageTintStyle"
  ADDCornerInset cornerInset = ADDCornerInsetZero;  // "kUIImageCornerInset"
  NSInteger gradientDirection = 0;                  // "kADDImageGradientDirection"
};

// The eight keys of a dictionary read with -valueForKey:; nil gives the defaults.
ADDImageDescriptor ADDDescriptorOfDictionary(NSDictionary* descriptors);
// "<kUIImageName:...><kUIImageSize:{w, h}>...<kADDImageGradientDirection:n>".
std::string ADDDescriptorText(const ADDImageDescriptor& descriptor);
// The MD5 of the text as 32 lowercase hexadecimal digits; autoreleased.
NSString* ADDCacheKeyOf(const ADDImageDescriptor& descriptor);
