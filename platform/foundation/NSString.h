// NSString and NSMutableString: UTF-8 storage, lengths and ranges in UTF-16
// units as Foundation counts them, and Foundation's rules for reading
// numbers from text.
//
//   NSString* name = NSString::withUTF8("Songs");
//   NSInteger n = NSString::withUTF8("  42abc")->integerValue();  // 42
#pragma once

#include <atomic>
#include <climits>
#include <cstdarg>
#include <string>

#include "platform/foundation/NSObject.h"

struct NSRange {
  NSUInteger location = 0, length = 0;
  bool operator==(const NSRange&) const = default;
};
inline NSRange NSMakeRange(NSUInteger location, NSUInteger length) { return {location, length}; }
inline constexpr NSUInteger NSNotFound = static_cast<NSUInteger>(LONG_MAX);

namespace objc {
template <>
struct Encoding<NSRange> {
  static std::string get() { return "{_NSRange=QQ}"; }
};
// A plain struct, so its pointer is "^{...}" rather than an object's "@".
template <>
struct Encoding<NSRange*> {
  static std::string get() { return "^{_NSRange=QQ}"; }
};
}  // namespace objc

struct NSString : NSObject {
  static constexpr const char* kClassName = "NSString";
  std::string _utf8;
  // The hash of an immutable string, computed on first use (0: not yet);
  // mutable strings clear it when they change.
  std::atomic<NSUInteger> _hash{0};

  // Autoreleased strings.
  static NSString* withUTF8(const char* text);
  static NSString* withUTF8(const std::string& text) { return withUTF8(text.c_str()); }
  // Like stringWithFormat:, with %@ for objects (their description).
  static NSString* withFormat(const char* format, ...);

  const char* UTF8String() { return objc::send<const char*()>(this, "UTF8String"_sel); }
  NSUInteger length() { return objc::send<NSUInteger()>(this, "length"_sel); }
  unsigned short characterAtIndex(NSUInteger i) {
    return objc::send<unsigned short(NSUInteger)>(this, "characterAtIndex:"_sel, i);
  }
  NSString* substringWithRange(NSRange r) {
    return objc::send<NSString*(NSRange)>(this, "substringWithRange:"_sel, r);
  }
  NSString* substringFromIndex(NSUInteger i) {
    return objc::send<NSString*(NSUInteger)>(this, "substringFromIndex:"_sel, i);
  }
  BOOL isEqualToString(NSString* other) { return objc::send<BOOL(NSString*)>(this, "isEqualToString:"_sel, other); }
  BOOL hasPrefix(NSString* prefix) { return objc::send<BOOL(NSString*)>(this, "hasPrefix:"_sel, prefix); }
  NSInteger integerValue() { return objc::send<NSInteger()>(this, "integerValue"_sel); }
  int intValue() { return objc::send<int()>(this, "intValue"_sel); }
  double doubleValue() { return objc::send<double()>(this, "doubleValue"_sel); }
  BOOL boolValue() { return objc::send<BOOL()>(this, "boolValue"_sel); }

  // The C++ view of the contents, for code inside the platform.
  const std::string& str() const { return _utf8; }
};

struct NSMutableString : NSString {
  static constexpr const char* kClassName = "NSMutableString";
  static NSMutableString* string();
  void appendString(NSString* s) { objc::send<void(NSString*)>(this, "appendString:"_sel, s); }
  void appendFormat(const char* format, ...);
};

// std::string of any object's description, for messages and dumps.
std::string describe(id object);
// printf-style formatting with %@ for objects (used by NSString and NSLog).
std::string formatWithObjects(const char* format, va_list args);

// Foundation's text-to-number rules, shared with NSScanner and tests.
NSInteger parseIntegerValue(const std::string& text);
double parseDoubleValue(const std::string& text);
bool parseBoolValue(const std::string& text);
size_t utf16Length(const std::string& utf8);
// The UTF-16 code units of UTF-8 text (for scanners and indexed reads).
std::u16string toUTF16(const std::string& utf8);

// Compile-time string literal as an immortal NSString, like @"text".
NSString* constantString(const char* text);

void registerNSString();

// "text"_ns: an immortal NSString, the model's @"text".
inline NSString* operator""_ns(const char* text, size_t) { return constantString(text); }
