// Colours from hex texts, and strings that answer stringValue.
#include "tweak/color_from_hex.h"

#include "platform/objc/class_builder.h"

namespace {

// One component: the piece, a one-digit piece doubled ("A" reads as "AA"),
// scanned as hexadecimal and divided by 255.
bool readComponent(NSString* piece, CGFloat* out) {
  NSString* text = piece->length() == 1 ? NSString::withFormat("%@%@", piece, piece) : piece;
  static id scannerClass = reinterpret_cast<id>(objc_getClass("NSScanner"));  // a class stays once registered
  id scanner = objc::send<id(NSString*)>(scannerClass, "scannerWithString:"_sel, text);
  unsigned int value = 0;
  BOOL ok = objc::send<BOOL(unsigned int*)>(scanner, "scanHexInt:"_sel, &value);
  *out = value / 255.0;
  return ok;
}

// Black, the answer to every text that does not read as a colour, is made
// only when it is the answer.
UIColor* UIColor_colorFromHexString(Class cls, SEL, NSString* text) {
  if (!text) return UIColor::blackColor();
  static NSString* const hash = "#"_ns;  // a literal costs a table lookup each time it is evaluated
  if (text->hasPrefix(hash) && text->length() >= 2) text = text->substringFromIndex(1);

  NSUInteger width;
  bool hasAlpha;
  switch (text->length()) {
    case 3: width = 1, hasAlpha = false; break;
    case 4: width = 1, hasAlpha = true; break;
    case 6: width = 2, hasAlpha = false; break;
    case 8: width = 2, hasAlpha = true; break;
    default: return UIColor::blackColor();
  }
  CGFloat components[4] = {0, 0, 0, 1};
  bool allRead = true;
  for (NSUInteger i = 0; i < (hasAlpha ? 4u : 3u); ++i)
    allRead &= readComponent(text->substringWithRange(NSMakeRange(i * width, width)), &components[i]);
  if (!allRead) return UIColor::blackColor();
  return UIColor::withRGBA(components[0], components[1], components[2], components[3]);
}

NSString* NSString_stringValue(NSString* self, SEL) { return self; }

}  // namespace

UIColor* colorFromHexString(NSString* text) {
  return objc::send<UIColor*(NSString*)>(reinterpret_cast<id>(objc::classOf<UIColor>()), "colorFromHexString:"_sel,
                                         text);
}

void registerColorCategories() {
  objc::Category(objc::classOf<UIColor>()).classMethod<&UIColor_colorFromHexString>("colorFromHexString:");
  objc::Category(objc::classOf<NSString>()).method<&NSString_stringValue>("stringValue");
}
