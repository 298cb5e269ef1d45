// NSScanner: reads numbers out of a string from a moving location, skipping
// whitespace and newlines first as Foundation's default scanner does.
//
//   unsigned int rgb = 0;
//   if (NSScanner::withString("#FF8800"_ns->substringFromIndex(1))->scanHexInt(&rgb)) { ... }
#pragma once

#include <string>

#include "platform/foundation/NSObject.h"

struct NSString;

struct NSScanner : NSObject {
  static constexpr const char* kClassName = "NSScanner";
  Ref<NSString> _string;
  std::u16string _units;  // the string decoded once; locations index these
  NSUInteger _location = 0;

  // Autoreleased scanner at location 0.
  static NSScanner* withString(NSString* string);

  NSScanner* initWithString(NSString* string) {
    return objc::send<NSScanner*(NSString*)>(this, "initWithString:"_sel, string);
  }
  NSString* string() { return objc::send<NSString*()>(this, "string"_sel); }
  NSUInteger scanLocation() { return objc::send<NSUInteger()>(this, "scanLocation"_sel); }
  void setScanLocation(NSUInteger location) {
    objc::send<void(NSUInteger)>(this, "setScanLocation:"_sel, location);
  }
  BOOL isAtEnd() { return objc::send<BOOL()>(this, "isAtEnd"_sel); }
  // Optional 0x/0X, then hex digits; the result may be null.
  BOOL scanHexInt(unsigned int* result) { return objc::send<BOOL(unsigned int*)>(this, "scanHexInt:"_sel, result); }
};

void registerNSScanner();
