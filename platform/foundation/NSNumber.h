// NSNumber: a boxed bool, integer or double with Foundation's conversions.
//
//   NSNumber* yes = NSNumber::withBool(YES);
//   yes->stringValue();  // "1"
#pragma once

#include "platform/foundation/NSObject.h"

struct NSNumber : NSObject {
  static constexpr const char* kClassName = "NSNumber";
  enum class Kind : int { Bool, Integer, Double };
  Kind _kind = Kind::Integer;
  NSInteger _integer = 0;
  double _double = 0;

  static NSNumber* withBool(BOOL value);
  static NSNumber* withInteger(NSInteger value);
  static NSNumber* withDouble(double value);

  NSInteger integerValue() { return objc::send<NSInteger()>(this, "integerValue"_sel); }
  unsigned int unsignedIntValue() { return objc::send<unsigned int()>(this, "unsignedIntValue"_sel); }
  double doubleValue() { return objc::send<double()>(this, "doubleValue"_sel); }
  BOOL boolValue() { return objc::send<BOOL()>(this, "boolValue"_sel); }
  NSString* stringValue() { return objc::send<NSString*()>(this, "stringValue"_sel); }
};

void registerNSNumber();
