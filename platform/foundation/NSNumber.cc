// NSNumber.
#include "platform/foundation/NSNumber.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

#include "platform/foundation/NSString.h"
#include "platform/objc/class_builder.h"

namespace {

NSNumber* box(Class cls, NSNumber::Kind kind, NSInteger i, double d) {
  auto* n = static_cast<NSNumber*>(class_createInstance(cls, 0));
  n->_kind = kind;
  n->_integer = i;
  n->_double = d;
  return objc::as<NSNumber>(objc_autorelease(n));
}

id NSNumber_numberWithBool(Class cls, SEL, BOOL v) { return box(cls, NSNumber::Kind::Bool, v ? 1 : 0, v ? 1 : 0); }
id NSNumber_numberWithInteger(Class cls, SEL, NSInteger v) {
  return box(cls, NSNumber::Kind::Integer, v, static_cast<double>(v));
}
id NSNumber_numberWithUnsignedInt(Class cls, SEL, unsigned int v) {
  return box(cls, NSNumber::Kind::Integer, v, static_cast<double>(v));
}
id NSNumber_numberWithDouble(Class cls, SEL, double v) {
  // Conversion to an integer truncates towards zero and saturates, as
  // Foundation does for out-of-range values.
  NSInteger i = std::isnan(v) ? 0 : v >= 9.2233720368547758e18 ? LONG_MAX : v <= -9.2233720368547758e18 ? LONG_MIN
                                                                                                       : static_cast<NSInteger>(v);
  return box(cls, NSNumber::Kind::Double, i, v);
}

NSInteger NSNumber_integerValue(NSNumber* self, SEL) { return self->_integer; }
int NSNumber_intValue(NSNumber* self, SEL) { return static_cast<int>(self->_integer); }
unsigned int NSNumber_unsignedIntValue(NSNumber* self, SEL) { return static_cast<unsigned int>(self->_integer); }
double NSNumber_doubleValue(NSNumber* self, SEL) { return self->_double; }
BOOL NSNumber_boolValue(NSNumber* self, SEL) {
  return self->_kind == NSNumber::Kind::Double ? self->_double != 0 : self->_integer != 0;
}

NSString* NSNumber_stringValue(NSNumber* self, SEL) {
  if (self->_kind != NSNumber::Kind::Double) return NSString::withUTF8(std::to_string(self->_integer));
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, self->_double);
  return NSString::withUTF8(std::string(buffer, result.ptr));
}

BOOL NSNumber_isEqual(NSNumber* self, SEL, id other) {
  if (other == self) return YES;
  if (!objc::isKind<NSNumber>(other)) return NO;
  auto* n = objc::as<NSNumber>(other);
  if (self->_kind != NSNumber::Kind::Double && n->_kind != NSNumber::Kind::Double) return self->_integer == n->_integer;
  return self->_double == n->_double;
}

// Numbers that compare equal hash equally: integral values hash by their
// integer, others by their bits.
NSUInteger NSNumber_hash(NSNumber* self, SEL) {
  double d = self->_double;
  if (self->_kind != NSNumber::Kind::Double || (d == std::trunc(d) && std::fabs(d) < 9e18))
    return static_cast<NSUInteger>(self->_kind != NSNumber::Kind::Double ? self->_integer : static_cast<NSInteger>(d));
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits ^ (bits >> 29);
}

NSString* NSNumber_description(NSNumber* self, SEL sel) { return NSNumber_stringValue(self, sel); }
id NSNumber_copyWithZone(NSNumber* self, SEL, void*) { return objc_retain(self); }

}  // namespace

NSNumber* NSNumber::withBool(BOOL value) {
  return objc::send<NSNumber*(BOOL)>(reinterpret_cast<id>(objc::classOf<NSNumber>()), "numberWithBool:"_sel, value);
}
NSNumber* NSNumber::withInteger(NSInteger value) {
  return objc::send<NSNumber*(NSInteger)>(reinterpret_cast<id>(objc::classOf<NSNumber>()), "numberWithInteger:"_sel,
                                          value);
}
NSNumber* NSNumber::withDouble(double value) {
  return objc::send<NSNumber*(double)>(reinterpret_cast<id>(objc::classOf<NSNumber>()), "numberWithDouble:"_sel,
                                       value);
}

void registerNSNumber() {
  objc::ClassBuilder<NSNumber>("NSNumber", objc::classOf<NSObject>())
      .classMethod<&NSNumber_numberWithBool>("numberWithBool:")
      .classMethod<&NSNumber_numberWithInteger>("numberWithInteger:")
      .classMethod<&NSNumber_numberWithUnsignedInt>("numberWithUnsignedInt:")
      .classMethod<&NSNumber_numberWithDouble>("numberWithDouble:")
      .method<&NSNumber_integerValue>("integerValue")
      .method<&NSNumber_intValue>("intValue")
      .method<&NSNumber_unsignedIntValue>("unsignedIntValue")
      .method<&NSNumber_doubleValue>("doubleValue")
      .method<&NSNumber_boolValue>("boolValue")
      .method<&NSNumber_stringValue>("stringValue")
      .method<&NSNumber_isEqual>("isEqual:")
      .method<&NSNumber_hash>("hash")
      .method<&NSNumber_description>("description")
      .method<&NSNumber_copyWithZone>("copyWithZone:");
}
