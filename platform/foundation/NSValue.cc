// NSValue for geometry, and the NSStringFrom... texts ("{1, 1}").
#include "platform/foundation/NSValue.h"

#include <charconv>
#include <cstring>

#include "platform/foundation/NSString.h"
#include "platform/objc/class_builder.h"

namespace {

NSValue* box(Class cls, const std::string& type, const void* bytes, size_t size) {
  auto* v = static_cast<NSValue*>(class_createInstance(cls, 0));
  v->_type = type;
  std::memcpy(static_cast<void*>(&v->_rect), bytes, size);
  return objc::as<NSValue>(objc_autorelease(v));
}

id NSValue_valueWithCGRect(Class cls, SEL, CGRect r) { return box(cls, objc::encode<CGRect>(), &r, sizeof r); }
id NSValue_valueWithCGSize(Class cls, SEL, CGSize s) { return box(cls, objc::encode<CGSize>(), &s, sizeof s); }
id NSValue_valueWithCGPoint(Class cls, SEL, CGPoint p) { return box(cls, objc::encode<CGPoint>(), &p, sizeof p); }

// Reading a value as another geometry type reinterprets the leading bytes,
// as -getValue: would.
CGRect NSValue_CGRectValue(NSValue* self, SEL) { return self->_rect; }
CGSize NSValue_CGSizeValue(NSValue* self, SEL) {
  CGSize s;
  std::memcpy(static_cast<void*>(&s), &self->_rect, sizeof s);
  return s;
}
CGPoint NSValue_CGPointValue(NSValue* self, SEL) {
  CGPoint p;
  std::memcpy(static_cast<void*>(&p), &self->_rect, sizeof p);
  return p;
}
BOOL NSValue_isEqual(NSValue* self, SEL, id other) {
  if (!objc::isKind<NSValue>(other)) return NO;
  auto* o = objc::as<NSValue>(other);
  return self->_type == o->_type && self->_rect == o->_rect;
}
NSUInteger NSValue_hash(NSValue* self, SEL) {
  return static_cast<NSUInteger>(self->_rect.origin.x * 31 + self->_rect.origin.y * 17 + self->_rect.size.width * 7 +
                                 self->_rect.size.height);
}
NSString* NSValue_description(NSValue* self, SEL) {
  if (self->_type == objc::encode<CGSize>()) return NSStringFromCGSize(NSValue_CGSizeValue(self, nullptr));
  if (self->_type == objc::encode<CGPoint>()) {
    CGPoint p = NSValue_CGPointValue(self, nullptr);
    return NSStringFromCGSize({p.x, p.y});
  }
  return NSStringFromCGRect(self->_rect);
}
id NSValue_copyWithZone(NSValue* self, SEL, void*) { return objc_retain(self); }

std::string number(CGFloat v) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

}  // namespace

NSValue* NSValue::withCGRect(CGRect r) {
  return objc::send<NSValue*(CGRect)>(reinterpret_cast<id>(objc::classOf<NSValue>()), "valueWithCGRect:"_sel, r);
}
NSValue* NSValue::withCGSize(CGSize s) {
  return objc::send<NSValue*(CGSize)>(reinterpret_cast<id>(objc::classOf<NSValue>()), "valueWithCGSize:"_sel, s);
}
NSValue* NSValue::withCGPoint(CGPoint p) {
  return objc::send<NSValue*(CGPoint)>(reinterpret_cast<id>(objc::classOf<NSValue>()), "valueWithCGPoint:"_sel, p);
}

std::string NSStringFromCGSizeText(CGSize size) { return "{" + number(size.width) + ", " + number(size.height) + "}"; }
NSString* NSStringFromCGSize(CGSize size) { return NSString::withUTF8(NSStringFromCGSizeText(size)); }
NSString* NSStringFromCGRect(CGRect r) {
  return NSString::withUTF8("{" + NSStringFromCGSizeText({r.origin.x, r.origin.y}) + ", " +
                            NSStringFromCGSizeText(r.size) + "}");
}

void registerNSValue() {
  objc::ClassBuilder<NSValue>("NSValue", objc::classOf<NSObject>())
      .classMethod<&NSValue_valueWithCGRect>("valueWithCGRect:")
      .classMethod<&NSValue_valueWithCGSize>("valueWithCGSize:")
      .classMethod<&NSValue_valueWithCGPoint>("valueWithCGPoint:")
      .method<&NSValue_CGRectValue>("CGRectValue")
      .method<&NSValue_CGSizeValue>("CGSizeValue")
      .method<&NSValue_CGPointValue>("CGPointValue")
      .method<&NSValue_isEqual>("isEqual:")
      .method<&NSValue_hash>("hash")
      .method<&NSValue_description>("description")
      .method<&NSValue_copyWithZone>("copyWithZone:");
}
