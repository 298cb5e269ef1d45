// NSDate: a point in time as seconds since the reference date,
// 2001-01-01 00:00:00 UTC.
//
//   NSDate* launch = NSDate::withTimeIntervalSinceReferenceDate(0);
#pragma once

#include "platform/foundation/NSObject.h"

typedef double NSTimeInterval;
// Seconds from 1970-01-01 to the reference date.
inline constexpr NSTimeInterval NSTimeIntervalSince1970 = 978307200.0;

struct NSDate : NSObject {
  static constexpr const char* kClassName = "NSDate";
  NSTimeInterval _seconds = 0;

  // Autoreleased.
  static NSDate* withTimeIntervalSinceReferenceDate(NSTimeInterval seconds);

  NSTimeInterval timeIntervalSinceReferenceDate() {
    return objc::send<NSTimeInterval()>(this, "timeIntervalSinceReferenceDate"_sel);
  }
};

void registerNSDate();
