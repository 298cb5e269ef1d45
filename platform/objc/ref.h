// Ref<T>: the one owning reference to a reference-counted object.
//
//   Ref<UIView> view = adopt(UIView::alloc()->initWithFrame(frame));  // +1 taken over
//   Ref<UIColor> kept = UIColor::redColor();                          // retained
//
// A raw T* is a borrowed reference. Ref is exactly one pointer wide, so a
// Ref member registered as an instance variable reads through its offset as
// an id, as on a device.
#pragma once

#include <type_traits>
#include <utility>

#include "platform/objc/runtime.h"

template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  Ref(T* ptr) : ptr_(ptr) { objc_retain(asId(ptr_)); }
  Ref(const Ref& other) : ptr_(other.ptr_) { objc_retain(asId(ptr_)); }
  Ref(Ref&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(const Ref<U>& other) : ptr_(other.get()) {
    objc_retain(asId(ptr_));
  }
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(Ref<U>&& other) noexcept : ptr_(other.leakRef()) {}
  ~Ref() { objc_release(asId(ptr_)); }

  Ref& operator=(Ref other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }

  // Takes over a reference the caller already owns (alloc/init, new, copy).
  static Ref adopt(T* ptr) {
    Ref ref;
    ref.ptr_ = ptr;
    return ref;
  }

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  operator T*() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

  // Gives up ownership without releasing: the caller now owns the +1.
  [[nodiscard]] T* leakRef() { return std::exchange(ptr_, nullptr); }
  // Hands the reference to the current autorelease pool; the pointer stays
  // valid until the pool drains.
  T* autorelease() {
    T* ptr = leakRef();
    objc_autorelease(asId(ptr));
    return ptr;
  }

 private:
  static id asId(T* ptr) { return reinterpret_cast<id>(const_cast<std::remove_cv_t<T>*>(ptr)); }
  T* ptr_ = nullptr;
};

template <class T>
Ref<T> adopt(T* ptr) {
  return Ref<T>::adopt(ptr);
}

template <class T>
Ref<T> retain(T* ptr) {
  return Ref<T>(ptr);
}

// An autorelease pool for the scope.
class AutoreleasePool {
 public:
  AutoreleasePool() : token_(objc_autoreleasePoolPush()) {}
  ~AutoreleasePool() { objc_autoreleasePoolPop(token_); }
  AutoreleasePool(const AutoreleasePool&) = delete;
  AutoreleasePool& operator=(const AutoreleasePool&) = delete;

 private:
  void* token_;
};
