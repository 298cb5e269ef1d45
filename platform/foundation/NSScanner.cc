// NSScanner over UTF-16 units, so that locations agree with NSString's.
#include "platform/foundation/NSScanner.h"

#include <climits>

#include "platform/foundation/NSString.h"
#include "platform/objc/class_builder.h"

namespace {

// Foundation's whitespaceAndNewlineCharacterSet: the Unicode space
// separators, the C0 controls TAB..CR and NEL.
bool isWhitespaceOrNewline(char16_t c) {
  return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

int hexDigit(char16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

size_t skipWhitespace(const NSScanner* self, size_t i) {
  while (i < self->_units.size() && isWhitespaceOrNewline(self->_units[i])) ++i;
  return i;
}

id NSScanner_scannerWithString(Class cls, SEL, NSString* string) {
  id scanner = objc::send<id()>(reinterpret_cast<id>(cls), "alloc"_sel);
  return objc_autorelease(objc::send<id(NSString*)>(scanner, "initWithString:"_sel, string));
}

id NSScanner_initWithString(NSScanner* self, SEL, NSString* string) {
  // A nil string scans as empty rather than failing every later call.
  self->_string = string ? string : ""_ns;
  self->_units = toUTF16(self->_string->str());
  self->_location = 0;
  return self;
}

NSString* NSScanner_string(NSScanner* self, SEL) { return self->_string; }
NSUInteger NSScanner_scanLocation(NSScanner* self, SEL) { return self->_location; }

void NSScanner_setScanLocation(NSScanner* self, SEL sel, NSUInteger location) {
  if (location > self->_units.size())
    objc::fatal("-[NSScanner %s]: index %lu beyond bounds %zu", sel_getName(sel), location, self->_units.size());
  self->_location = location;
}

BOOL NSScanner_isAtEnd(NSScanner* self, SEL) { return skipWhitespace(self, self->_location) >= self->_units.size(); }

BOOL NSScanner_scanHexInt(NSScanner* self, SEL, unsigned int* result) {
  const std::u16string& u = self->_units;
  size_t i = skipWhitespace(self, self->_location);
  // "0x" is a prefix only before a hex digit; otherwise the "0" is the
  // number and the scan stops at the "x", as Foundation's does.
  if (i + 2 < u.size() && u[i] == '0' && (u[i + 1] == 'x' || u[i + 1] == 'X') && hexDigit(u[i + 2]) >= 0) i += 2;
  size_t digitsStart = i;
  unsigned long long value = 0;
  for (int d; i < u.size() && (d = hexDigit(u[i])) >= 0; ++i)
    value = value > UINT_MAX ? value : value * 16 + static_cast<unsigned>(d);  // saturates past UINT_MAX
  if (i == digitsStart) return NO;  // nothing read: location and result stay as they were
  if (result) *result = value > UINT_MAX ? UINT_MAX : static_cast<unsigned int>(value);
  self->_location = i;
  return YES;
}

}  // namespace

NSScanner* NSScanner::withString(NSString* string) {
  return objc::send<NSScanner*(NSString*)>(reinterpret_cast<id>(objc::classOf<NSScanner>()),
                                           "scannerWithString:"_sel, string);
}

void registerNSScanner() {
  objc::ClassBuilder<NSScanner>("NSScanner", objc::classOf<NSObject>())
      .classMethod<&NSScanner_scannerWithString>("scannerWithString:")
      .method<&NSScanner_initWithString>("initWithString:")
      .method<&NSScanner_string>("string")
      .method<&NSScanner_scanLocation>("scanLocation")
      .method<&NSScanner_setScanLocation>("setScanLocation:")
      .method<&NSScanner_isAtEnd>("isAtEnd")
      .method<&NSScanner_scanHexInt>("scanHexInt:");
}
