// ADDCornerInset's text and NSValue boxing.
#include "imagekit/ADDCornerInset.h"

#include <charconv>

#include "platform/foundation/NSString.h"
#include "platform/objc/class_builder.h"

namespace {

// "%f": six decimals, rounded as printf rounds (to_chars in fixed notation
// gives the same digits without going through printf).
void appendFixed(std::string& out, CGFloat value) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  out.append(buffer, result.ptr);
}

id NSValue_valueWithADDCornerInset(Class cls, SEL, ADDCornerInset inset) {
  return objc::send<id(CGRect)>(reinterpret_cast<id>(cls), "valueWithCGRect:"_sel,
                                CGRectMake(inset.topLeft, inset.topRight, inset.bottomLeft, inset.bottomRight));
}

ADDCornerInset NSValue_ADDCornerInsetValue(NSValue* self, SEL) {
  CGRect r = self->CGRectValue();
  return {r.origin.x, r.origin.y, r.size.width, r.size.height};
}

}  // namespace

std::string ADDCornerInsetText(ADDCornerInset inset) {
  std::string text = "ADDCornerInset <topLeft:";
  appendFixed(text, inset.topLeft);
  text += "> <topRight:";
  appendFixed(text, inset.topRight);
  text += "> <bottomLeft:";
  appendFixed(text, inset.bottomLeft);
  text += "> <bottomRight:";
  appendFixed(text, inset.bottomRight);
  text += ">";
  return text;
}

NSString* NSStringFromADDCornerInset(ADDCornerInset inset) { return NSString::withUTF8(ADDCornerInsetText(inset)); }

void registerNSValueADDCornerInsetExtensions() {
  objc::Category(objc::classOf<NSValue>())
      .classMethod<&NSValue_valueWithADDCornerInset>("valueWithADDCornerInset:")
      .method<&NSValue_ADDCornerInsetValue>("ADDCornerInsetValue");
}
