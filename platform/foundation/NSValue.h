// NSValue: a boxed geometry struct (CGRect, CGSize, CGPoint).
//
//   NSValue* v = NSValue::withCGRect(CGRectMake(0, 0, 10, 10));
#pragma once

#include <string>

#include "platform/coregraphics/CGGeometry.h"
#include "platform/foundation/NSObject.h"

struct NSValue : NSObject {
  static constexpr const char* kClassName = "NSValue";
  std::string _type;  // the boxed value's encoding
  CGRect _rect;       // large enough for every geometry struct

  static NSValue* withCGRect(CGRect r);
  static NSValue* withCGSize(CGSize s);
  static NSValue* withCGPoint(CGPoint p);

  CGRect CGRectValue() { return objc::send<CGRect()>(this, "CGRectValue"_sel); }
  CGSize CGSizeValue() { return objc::send<CGSize()>(this, "CGSizeValue"_sel); }
  CGPoint CGPointValue() { return objc::send<CGPoint()>(this, "CGPointValue"_sel); }
};

std::string NSStringFromCGSizeText(CGSize size);
NSString* NSStringFromCGSize(CGSize size);
NSString* NSStringFromCGRect(CGRect rect);

void registerNSValue();
