// The root class: allocation, dealloc, equality, introspection and
// key-value reads.
#include "platform/foundation/NSObject.h"

#include <cstdio>

#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSString.h"
#include "platform/foundation/NSValue.h"
#include "platform/objc/class_builder.h"

namespace {

id NSObject_alloc(Class self, SEL) { return class_createInstance(self, 0); }
id NSObject_new(Class self, SEL) {
  return objc::send<id()>(class_createInstance(self, 0), "init"_sel);
}
Class NSObject_classClass(Class self, SEL) { return self; }
id NSObject_init(id self, SEL) { return self; }
void NSObject_dealloc(id self, SEL) { object_dispose(self); }
id NSObject_retain(id self, SEL) { return objc_retain(self); }
void NSObject_release(id self, SEL) { objc_release(self); }
id NSObject_autorelease(id self, SEL) { return objc_autorelease(self); }
NSUInteger NSObject_retainCount(id self, SEL) { return objc_retainCount(self); }
Class NSObject_class(id self, SEL) { return object_getClass(self); }
Class NSObject_superclass(id self, SEL) { return class_getSuperclass(object_getClass(self)); }
BOOL NSObject_isEqual(id self, SEL, id other) { return self == other; }
NSUInteger NSObject_hash(id self, SEL) { return reinterpret_cast<uintptr_t>(self) >> 4; }

NSString* NSObject_description(id self, SEL) {
  char text[128];
  std::snprintf(text, sizeof text, "<%s: %p>", object_getClassName(self), static_cast<void*>(self));
  return NSString::withUTF8(text);
}

BOOL NSObject_respondsToSelector(id self, SEL, SEL sel) {
  return class_respondsToSelector(object_getClass(self), sel);
}

BOOL NSObject_isKindOfClass(id self, SEL, Class cls) {
  for (Class c = object_getClass(self); c; c = class_getSuperclass(c))
    if (c == cls) return YES;
  return NO;
}

BOOL NSObject_isMemberOfClass(id self, SEL, Class cls) { return object_getClass(self) == cls; }

// copy and mutableCopy hand over to the NSCopying methods; a class without
// them fails loudly in the send, naming the missing selector.
id NSObject_copy(id self, SEL) { return objc::send<id(void*)>(self, "copyWithZone:"_sel, nullptr); }
id NSObject_mutableCopy(id self, SEL) { return objc::send<id(void*)>(self, "mutableCopyWithZone:"_sel, nullptr); }

// Boxes a scalar read from memory as key-value coding does.
id boxValue(const char* type, const void* bytes) {
  switch (type[0]) {
    case '@':
    case '#':
      return *static_cast<const id*>(bytes);
    case 'B':
      return NSNumber::withBool(*static_cast<const bool*>(bytes));
    case 'c':
      return NSNumber::withInteger(*static_cast<const signed char*>(bytes));
    case 'C':
      return NSNumber::withInteger(*static_cast<const unsigned char*>(bytes));
    case 's':
      return NSNumber::withInteger(*static_cast<const short*>(bytes));
    case 'S':
      return NSNumber::withInteger(*static_cast<const unsigned short*>(bytes));
    case 'i':
      return NSNumber::withInteger(*static_cast<const int*>(bytes));
    case 'I':
      return NSNumber::withInteger(*static_cast<const unsigned*>(bytes));
    case 'q':
      return NSNumber::withInteger(*static_cast<const long*>(bytes));
    case 'Q':
      return NSNumber::withInteger(static_cast<NSInteger>(*static_cast<const unsigned long*>(bytes)));
    case 'f':
      return NSNumber::withDouble(*static_cast<const float*>(bytes));
    case 'd':
      return NSNumber::withDouble(*static_cast<const double*>(bytes));
    case '{':
      if (objc::encodingsMatch(type, objc::encode<CGRect>().c_str()))
        return NSValue::withCGRect(*static_cast<const CGRect*>(bytes));
      if (objc::encodingsMatch(type, objc::encode<CGSize>().c_str()))
        return NSValue::withCGSize(*static_cast<const CGSize*>(bytes));
      if (objc::encodingsMatch(type, objc::encode<CGPoint>().c_str()))
        return NSValue::withCGPoint(*static_cast<const CGPoint*>(bytes));
      return nil;
    default:
      return nil;
  }
}

// Calls a getter whose result type is read from its encoding.
id callGetter(id self, SEL sel, const char* types) {
  switch (types[0]) {
    case '@':
    case '#':
      return objc::send<id()>(self, sel);
    case 'B': {
      bool value = objc::send<bool()>(self, sel);
      return boxValue("B", &value);
    }
    case 'i': {
      int value = objc::send<int()>(self, sel);
      return boxValue("i", &value);
    }
    case 'I': {
      unsigned value = objc::send<unsigned()>(self, sel);
      return boxValue("I", &value);
    }
    case 'q': {
      long value = objc::send<long()>(self, sel);
      return boxValue("q", &value);
    }
    case 'Q': {
      unsigned long value = objc::send<unsigned long()>(self, sel);
      return boxValue("Q", &value);
    }
    case 'f': {
      float value = objc::send<float()>(self, sel);
      return boxValue("f", &value);
    }
    case 'd': {
      double value = objc::send<double()>(self, sel);
      return boxValue("d", &value);
    }
    case '{':
      if (objc::encodingsMatch(types, (objc::encode<CGRect>() + "@:").c_str())) {
        CGRect value = objc::send<CGRect()>(self, sel);
        return NSValue::withCGRect(value);
      }
      if (objc::encodingsMatch(types, (objc::encode<CGSize>() + "@:").c_str())) {
        CGSize value = objc::send<CGSize()>(self, sel);
        return NSValue::withCGSize(value);
      }
      if (objc::encodingsMatch(types, (objc::encode<CGPoint>() + "@:").c_str())) {
        CGPoint value = objc::send<CGPoint()>(self, sel);
        return NSValue::withCGPoint(value);
      }
      return nil;
    default:
      return nil;
  }
}

// A getter of that name, else an ivar named _key or key. An undefined key
// raises on the device (NSUndefinedKeyException, which nothing catches); the
// model ends the launch with the same words, naming the class and the key.
id NSObject_valueForKey(id self, SEL, NSString* key) {
  if (!key) return nil;
  const char* name = key->UTF8String();
  Class cls = object_getClass(self);
  if (Method getter = class_getInstanceMethod(cls, sel_registerName(name))) {
    const char* types = method_getTypeEncoding(getter);
    // Only argument-less getters qualify: "<type>@:".
    std::string normal = types;
    if (normal.size() >= 3 && normal.find(':') != std::string::npos &&
        normal.substr(normal.find(':') + 1).find_first_not_of("0123456789") == std::string::npos)
      return callGetter(self, sel_registerName(name), types);
  }
  std::string underscored = std::string("_") + name;
  Ivar ivar = class_getInstanceVariable(cls, underscored.c_str());
  if (!ivar) ivar = class_getInstanceVariable(cls, name);
  if (!ivar)
    objc::fatal("[<%s %p> valueForKey:]: this class is not key value coding-compliant for the key %s.", class_getName(cls),
          static_cast<void*>(self), name);
  return boxValue(ivar_getTypeEncoding(ivar), reinterpret_cast<char*>(self) + ivar_getOffset(ivar));
}

}  // namespace

void registerNSObject() {
  objc::ClassBuilder<NSObject>("NSObject", nil)
      .classMethod<&NSObject_alloc>("alloc")
      .classMethod<&NSObject_new>("new")
      .classMethod<&NSObject_classClass>("class")
      .method<&NSObject_init>("init")
      .method<&NSObject_dealloc>("dealloc")
      .method<&NSObject_retain>("retain")
      .method<&NSObject_release>("release")
      .method<&NSObject_autorelease>("autorelease")
      .method<&NSObject_retainCount>("retainCount")
      .method<&NSObject_class>("class")
      .method<&NSObject_superclass>("superclass")
      .method<&NSObject_isEqual>("isEqual:")
      .method<&NSObject_hash>("hash")
      .method<&NSObject_description>("description")
      .method<&NSObject_respondsToSelector>("respondsToSelector:")
      .method<&NSObject_isKindOfClass>("isKindOfClass:")
      .method<&NSObject_isMemberOfClass>("isMemberOfClass:")
      .method<&NSObject_copy>("copy")
      .method<&NSObject_mutableCopy>("mutableCopy")
      .method<&NSObject_valueForKey>("valueForKey:");
}
