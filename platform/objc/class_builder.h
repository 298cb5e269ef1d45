// Registers a model class: its C++ instance struct, instance variables by
// name and the plain functions that implement its methods.
//
//   objc::ClassBuilder<UIView>("UIView", objc_getClass("UIResponder"))
//       .ivar("_backgroundColor", &UIView::_backgroundColor)
//       .method<&UIView_setBackgroundColor>("setBackgroundColor:")
//       .classMethod<&UIView_layerClass>("layerClass");
#pragma once

#include <new>
#include <type_traits>

#include "platform/objc/class.h"
#include "platform/objc/message.h"
#include "platform/objc/ref.h"

namespace objc {

template <class T>
struct IvarTraits {
  static std::string encoding() { return encode<T>(); }
  static constexpr bool strong = false;
};
template <class T>
struct IvarTraits<Ref<T>> {
  static std::string encoding() { return encode<T*>(); }
  static constexpr bool strong = true;
};

template <class T>
class ClassBuilder {
 public:
  ClassBuilder(const char* name, Class superclass) {
    static_assert(std::is_base_of_v<objc_object, T>, "instances start with the object header");
    static_assert(!std::is_polymorphic_v<T>, "dispatch goes through the runtime, not C++ virtuals");
    cls_ = createClass(name, superclass, sizeof(T), &construct, &destruct);
  }

  template <class M, class Owner>
  ClassBuilder& ivar(const char* name, M Owner::*member) {
    static_assert(std::is_base_of_v<Owner, T>);
    addIvar(cls_, name, offsetOf(static_cast<M T::*>(member)), IvarTraits<M>::encoding().c_str(),
            IvarTraits<M>::strong);
    return *this;
  }

  template <auto F>
  ClassBuilder& method(const char* selector) {
    add(cls_, selector, imp<F>(), encodingOf<F>());
    return *this;
  }

  template <auto F>
  ClassBuilder& classMethod(const char* selector) {
    add(object_getClass(reinterpret_cast<id>(cls_)), selector, imp<F>(), encodingOf<F>());
    return *this;
  }

  Class cls() const { return cls_; }

 private:
  static void construct(void* memory) { new (memory) T(); }
  static void destruct(void* memory) { static_cast<T*>(memory)->~T(); }

  template <class M>
  static ptrdiff_t offsetOf(M T::*member) {
    alignas(T) static unsigned char probe[sizeof(T)];
    auto* object = reinterpret_cast<T*>(probe);
    return reinterpret_cast<unsigned char*>(&(object->*member)) - probe;
  }

  static void add(Class target, const char* selector, IMP implementation, const std::string& types) {
    if (!class_addMethod(target, sel_registerName(selector), implementation, types.c_str()))
      fatal("class %s defines %s twice", class_getName(target), selector);
  }

  Class cls_;
};

}  // namespace objc

namespace objc {

// Adds a category's methods to an existing class. As with a category, a
// method of the same name that the class already has is replaced.
class Category {
 public:
  explicit Category(Class cls) : cls_(cls) {
    if (!cls_) fatal("category on a class that is not registered");
  }

  template <auto F>
  Category& method(const char* selector) {
    class_replaceMethod(cls_, sel_registerName(selector), imp<F>(), encodingOf<F>().c_str());
    return *this;
  }

  template <auto F>
  Category& classMethod(const char* selector) {
    class_replaceMethod(object_getClass(reinterpret_cast<id>(cls_)), sel_registerName(selector), imp<F>(),
                        encodingOf<F>().c_str());
    return *this;
  }

 private:
  Class cls_;
};

}  // namespace objc
