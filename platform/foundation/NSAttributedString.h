// NSAttributedString and NSMutableAttributedString: text with attribute
// dictionaries over runs of UTF-16 units, and the UIKit attribute names.
//
//   Ref<NSMutableAttributedString> s = adopt(objc::alloc<NSMutableAttributedString>()->initWithString(text));
//   s->addAttribute(NSForegroundColorAttributeName(), colour, NSMakeRange(0, 5));
#pragma once

#include <vector>

#include "platform/foundation/NSDictionary.h"
#include "platform/foundation/NSString.h"

struct NSAttributedString : NSObject {
  static constexpr const char* kClassName = "NSAttributedString";
  // Consecutive runs cover the whole string, none empty, no two neighbours
  // with equal attributes. Attribute dictionaries are immutable and shared.
  struct Run {
    NSRange range;
    Ref<NSDictionary> attributes;
  };
  Ref<NSString> _string;  // immutable; replaced, never edited
  NSUInteger _length = 0;
  std::vector<Run> _runs;

  // +1, from alloc.
  NSAttributedString* initWithString(NSString* string) {
    return objc::send<NSAttributedString*(NSString*)>(this, "initWithString:"_sel, string);
  }
  NSAttributedString* initWithString(NSString* string, NSDictionary* attributes) {
    return objc::send<NSAttributedString*(NSString*, NSDictionary*)>(this, "initWithString:attributes:"_sel, string,
                                                                     attributes);
  }

  NSString* string() { return objc::send<NSString*()>(this, "string"_sel); }
  NSUInteger length() { return objc::send<NSUInteger()>(this, "length"_sel); }
  // nil past the end; the range may be null.
  id attribute(NSString* name, NSUInteger index, NSRange* effectiveRange = nullptr) {
    return objc::send<id(NSString*, NSUInteger, NSRange*)>(this, "attribute:atIndex:effectiveRange:"_sel, name, index,
                                                           effectiveRange);
  }
  NSDictionary* attributesAtIndex(NSUInteger index, NSRange* effectiveRange = nullptr) {
    return objc::send<NSDictionary*(NSUInteger, NSRange*)>(this, "attributesAtIndex:effectiveRange:"_sel, index,
                                                           effectiveRange);
  }
};

struct NSMutableAttributedString : NSAttributedString {
  static constexpr const char* kClassName = "NSMutableAttributedString";
  void addAttribute(NSString* name, id value, NSRange range) {
    objc::send<void(NSString*, id, NSRange)>(this, "addAttribute:value:range:"_sel, name, value, range);
  }
  void setAttributes(NSDictionary* attributes, NSRange range) {
    objc::send<void(NSDictionary*, NSRange)>(this, "setAttributes:range:"_sel, attributes, range);
  }
  void appendAttributedString(NSAttributedString* other) {
    objc::send<void(NSAttributedString*)>(this, "appendAttributedString:"_sel, other);
  }
};

// The attribute names UIKit defines, with their values on iOS.
inline NSString* NSForegroundColorAttributeName() {
  static NSString* const name = constantString("NSColor");
  return name;
}
inline NSString* NSFontAttributeName() {
  static NSString* const name = constantString("NSFont");
  return name;
}

void registerNSAttributedString();
