// The root class and the typed façade helpers every model class builds on.
//
//   Ref<NSObject> object = adopt(objc::alloc<NSObject>()->init());
//   object->respondsToSelector("description"_sel);
#pragma once

#include <atomic>

#include "platform/objc/message.h"
#include "platform/objc/ref.h"

struct NSString;

struct NSObject : objc_object {
  static constexpr const char* kClassName = "NSObject";

  NSObject* init() { return objc::send<NSObject*()>(this, "init"_sel); }
  BOOL isEqual(id other) { return objc::send<BOOL(id)>(this, "isEqual:"_sel, other); }
  NSUInteger hash() { return objc::send<NSUInteger()>(this, "hash"_sel); }
  NSString* description() { return objc::send<NSString*()>(this, "description"_sel); }
  BOOL respondsToSelector(SEL sel) { return objc::send<BOOL(SEL)>(this, "respondsToSelector:"_sel, sel); }
  BOOL isKindOfClass(Class cls) { return objc::send<BOOL(Class)>(this, "isKindOfClass:"_sel, cls); }
  BOOL isMemberOfClass(Class cls) { return objc::send<BOOL(Class)>(this, "isMemberOfClass:"_sel, cls); }
  Class getClass() { return objc::send<Class()>(this, "class"_sel); }
  // +1 results, as the copy family's names say.
  id copy() { return objc::send<id()>(this, "copy"_sel); }
  id mutableCopy() { return objc::send<id()>(this, "mutableCopy"_sel); }
  id valueForKey(NSString* key) { return objc::send<id(NSString*)>(this, "valueForKey:"_sel, key); }
};

namespace objc {

// The class object of a façade type, looked up by name once registered.
template <class T>
Class classOf() {
  static std::atomic<Class> cached{nullptr};
  Class cls = cached.load(std::memory_order_acquire);
  if (!cls) {
    cls = objc_getClass(T::kClassName);
    cached.store(cls, std::memory_order_release);
  }
  return cls;
}

// [T alloc]: a +1 instance, not yet initialised.
template <class T>
T* alloc() {
  return static_cast<T*>(send<id()>(reinterpret_cast<id>(classOf<T>()), "alloc"_sel));
}

// [[T alloc] init] as an owning reference.
template <class T>
Ref<T> make() {
  return adopt(static_cast<T*>(static_cast<NSObject*>(alloc<T>())->init()));
}

// Unchecked downcast of a borrowed reference, as a cast in device code.
template <class T>
T* as(id object) {
  return static_cast<T*>(object);
}

template <class T>
bool isKind(id object) {
  return object && send<BOOL(Class)>(object, "isKindOfClass:"_sel, classOf<T>());
}

}  // namespace objc

// Registers the root class. Part of registerFoundation().
void registerNSObject();
