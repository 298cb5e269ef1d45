// UIFont.
#include "platform/uikit/UIFont.h"

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

UIFont* makeFont(Class cls, CGFloat size, bool bold) {
  auto* font = static_cast<UIFont*>(class_createInstance(cls, 0));
  font->_pointSize = size;
  font->_bold = bold;
  return objc::as<UIFont>(objc_autorelease(font));
}

UIFont* UIFont_systemFontOfSize(Class cls, SEL, CGFloat size) { return makeFont(cls, size, false); }
UIFont* UIFont_boldSystemFontOfSize(Class cls, SEL, CGFloat size) { return makeFont(cls, size, true); }
CGFloat UIFont_pointSize(UIFont* self, SEL) { return self->_pointSize; }
BOOL UIFont_isEqual(UIFont* self, SEL, id other) {
  if (!objc::isKind<UIFont>(other)) return NO;
  auto* o = objc::as<UIFont>(other);
  return o->_pointSize == self->_pointSize && o->_bold == self->_bold;
}
NSUInteger UIFont_hash(UIFont* self, SEL) { return static_cast<NSUInteger>(self->_pointSize * 8) + self->_bold; }
id UIFont_copyWithZone(UIFont* self, SEL, void*) { return objc_retain(self); }

}  // namespace

void registerUIFont() {
  objc::ClassBuilder<UIFont>("UIFont", objc::classOf<NSObject>())
      .classMethod<&UIFont_systemFontOfSize>("systemFontOfSize:")
      .classMethod<&UIFont_boldSystemFontOfSize>("boldSystemFontOfSize:")
      .method<&UIFont_pointSize>("pointSize")
      .method<&UIFont_isEqual>("isEqual:")
      .method<&UIFont_hash>("hash")
      .method<&UIFont_copyWithZone>("copyWithZone:");
}
