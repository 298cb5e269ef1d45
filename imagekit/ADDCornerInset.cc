// ADDCornerInset's text and NSValue boxing.
#include "imagekit/ADDCornerInset.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "platform/foundation/NSString.h"
#include "platform/objc/class_builder.h"

namespace {

id NSValue_valueWithADDCornerInset(Class cls, SEL, ADDCornerInset inset) {
  return objc::send<id(CGRect)>(reinterpret_cast<id>(cls), "valueWithCGRect:"_sel,
                                CGRectMake(inset.topLeft, inset.topRight, inset.bottomLeft, inset.bottomRight));
}

ADDCornerInset NSValue_ADDCornerInsetValue(NSValue* self, SEL) {
  CGRect r = self->CGRectValue();
  return {r.origin.x, r.origin.y, r.size.width, r.size.height};
}

}  // namespace

// "%f": six decimals, rounded as printf rounds (to_chars in fixed notation
// gives the same digits without going through printf).
char* writeADDCornerInsetText(char* out, ADDCornerInset inset) {
  static constexpr std::string_view kZero =
      "ADDCornerInset <topLeft:0.000000> <topRight:0.000000> <bottomLeft:0.000000> <bottomRight:0.000000>";
  static constexpr ADDCornerInset kPositiveZero{};
  if (std::memcmp(&inset, &kPositiveZero, sizeof inset) == 0) return std::copy(kZero.begin(), kZero.end(), out);
  auto literal = [&out](std::string_view text) { out = std::copy(text.begin(), text.end(), out); };
  // Whole radii, the usual ones, are their digits and six zeros.
  auto fixed = [&out](CGFloat value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15 && !std::signbit(value)) {
      out = std::to_chars(out, out + 16, static_cast<long long>(value)).ptr;
      out = std::copy_n(".000000", 7, out);
      return;
    }
    out = std::to_chars(out, out + kADDCornerInsetValueChars, value, std::chars_format::fixed, 6).ptr;
  };
  literal("ADDCornerInset <topLeft:");
  fixed(inset.topLeft);
  literal("> <topRight:");
  fixed(inset.topRight);
  literal("> <bottomLeft:");
  fixed(inset.bottomLeft);
  literal("> <bottomRight:");
  fixed(inset.bottomRight);
  literal(">");
  return out;
}

std::string ADDCornerInsetText(ADDCornerInset inset) {
  char text[kADDCornerInsetTextChars];
  return std::string(text, writeADDCornerInsetText(text, inset));
}

const ADDCornerInset ADDCornerInsetZero{};

NSString* NSStringFromADDCornerInset(ADDCornerInset inset) { return NSString::withUTF8(ADDCornerInsetText(inset)); }

void registerNSValueADDCornerInsetExtensions() {
  objc::Category(objc::classOf<NSValue>())
      .classMethod<&NSValue_valueWithADDCornerInset>("valueWithADDCornerInset:")
      .method<&NSValue_ADDCornerInsetValue>("ADDCornerInsetValue");
}
