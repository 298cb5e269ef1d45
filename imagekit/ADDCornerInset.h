// ADDCornerInset: the four corner radii, in points, of the image toolkit,
// its text form and its boxing into NSValue (category
// NSValue(NSValueADDCornerInsetExtensions)).
//
//   NSValue* boxed = add::valueWithCornerInset({4, 4, 0, 0});
//   ADDCornerInset back = add::cornerInsetValue(boxed);
#pragma once

#include <string>

#include "platform/foundation/FoundationExport.h"
#include "platform/foundation/NSValue.h"

struct ADDCornerInset {
  CGFloat topLeft = 0, topRight = 0, bottomLeft = 0, bottomRight = 0;
  bool operator==(const ADDCornerInset&) const = default;
};

FOUNDATION_EXPORT const ADDCornerInset ADDCornerInsetZero;

inline ADDCornerInset ADDCornerInsetMake(CGFloat topLeft, CGFloat topRight, CGFloat bottomLeft, CGFloat bottomRight) {
  return {topLeft, topRight, bottomLeft, bottomRight};
}

namespace objc {
template <>
struct Encoding<ADDCornerInset> {
  static std::string get() { return "{ADDCornerInset=dddd}"; }
};
}  // namespace objc

// "ADDCornerInset <topLeft:%f> <topRight:%f> <bottomLeft:%f> <bottomRight:%f>";
// autoreleased.
FOUNDATION_EXPORT NSString* NSStringFromADDCornerInset(ADDCornerInset inset);
// The same text as a C++ string.
std::string ADDCornerInsetText(ADDCornerInset inset);
// The same text written at `out`, which has room for kADDCornerInsetTextChars;
// returns the end of what was written.
inline constexpr size_t kADDCornerInsetValueChars = 330;  // the longest "%f" of a double, with its sign
inline constexpr size_t kADDCornerInsetTextChars = 64 + 4 * kADDCornerInsetValueChars;
char* writeADDCornerInsetText(char* out, ADDCornerInset inset);

namespace add {

// +[NSValue valueWithADDCornerInset:]: the inset as a rectangle value with
// origin (topLeft, topRight) and size (bottomLeft, bottomRight).
inline NSValue* valueWithCornerInset(ADDCornerInset inset) {
  return objc::send<NSValue*(ADDCornerInset)>(reinterpret_cast<id>(objc::classOf<NSValue>()),
                                              "valueWithADDCornerInset:"_sel, inset);
}
// -[NSValue ADDCornerInsetValue]: any rectangle value read back the same way;
// zeros from nil.
inline ADDCornerInset cornerInsetValue(NSValue* value) {
  return objc::send<ADDCornerInset()>(value, "ADDCornerInsetValue"_sel);
}

}  // namespace add

// Adds the category NSValue(NSValueADDCornerInsetExtensions). Part of registerImagekit().
void registerNSValueADDCornerInsetExtensions();
