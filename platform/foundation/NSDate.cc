// NSDate.
#include "platform/foundation/NSDate.h"

#include <cmath>
#include <ctime>

#include "platform/foundation/NSString.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

id NSDate_dateWithTimeIntervalSinceReferenceDate(Class cls, SEL, NSTimeInterval seconds) {
  auto* date = static_cast<NSDate*>(class_createInstance(cls, 0));
  date->_seconds = seconds;
  return objc_autorelease(date);
}
NSTimeInterval NSDate_timeIntervalSinceReferenceDate(NSDate* self, SEL) { return self->_seconds; }
BOOL NSDate_isEqual(NSDate* self, SEL, id other) {
  return other == self || (objc::isKind<NSDate>(other) && objc::as<NSDate>(other)->_seconds == self->_seconds);
}
NSUInteger NSDate_hash(NSDate* self, SEL) {
  return std::isfinite(self->_seconds) && std::fabs(self->_seconds) < 9e18
             ? static_cast<NSUInteger>(static_cast<NSInteger>(self->_seconds))
             : 0;
}

// "2001-01-01 00:00:00 +0000". Dates beyond what the calendar functions
// take (any double may come from a file) print as the raw interval.
NSString* NSDate_description(NSDate* self, SEL) {
  double unix = std::floor(self->_seconds) + NSTimeIntervalSince1970;
  if (std::isfinite(unix) && std::fabs(unix) < 1e15) {
    time_t t = static_cast<time_t>(unix);
    struct tm parts;
    char text[64];
    if (gmtime_r(&t, &parts) && std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S +0000", &parts))
      return NSString::withUTF8(text);
  }
  return NSString::withFormat("%g seconds since 2001-01-01 00:00:00 +0000", self->_seconds);
}
id NSDate_copyWithZone(NSDate* self, SEL, void*) { return objc_retain(self); }

}  // namespace

NSDate* NSDate::withTimeIntervalSinceReferenceDate(NSTimeInterval seconds) {
  return objc::send<NSDate*(NSTimeInterval)>(reinterpret_cast<id>(objc::classOf<NSDate>()),
                                             "dateWithTimeIntervalSinceReferenceDate:"_sel, seconds);
}

void registerNSDate() {
  objc::ClassBuilder<NSDate>("NSDate", objc::classOf<NSObject>())
      .classMethod<&NSDate_dateWithTimeIntervalSinceReferenceDate>("dateWithTimeIntervalSinceReferenceDate:")
      .method<&NSDate_timeIntervalSinceReferenceDate>("timeIntervalSinceReferenceDate")
      .method<&NSDate_isEqual>("isEqual:")
      .method<&NSDate_hash>("hash")
      .method<&NSDate_description>("description")
      .method<&NSDate_copyWithZone>("copyWithZone:");
}
