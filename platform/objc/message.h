// The one way to send a message: typed at the call site, like a cast of
// objc_msgSend.
//
//   objc::send<void(UIColor*)>(view, "setBackgroundColor:"_sel, color);
//   CGRect frame = objc::send<CGRect()>(view, "frame"_sel);
//
// The implementation is found through the receiver's class cache and called
// as R(*)(id, SEL, Args...). A message to nil answers a zeroed result. In
// debug builds the signature is checked against the method's type encoding.
#pragma once

#include <cstdio>
#include <type_traits>

#include "platform/objc/class.h"
#include "platform/objc/encoding.h"
#include "platform/objc/runtime.h"

namespace objc {

// Implementations are called through one canonical function type per
// signature: every object pointer travels as id, so a method body written
// for UIColor* and a send that passes a UIColor* agree on the call type.
template <class T, class = void>
struct Canonical {
  using type = T;
};
template <class T>
struct Canonical<T*, std::enable_if_t<isObjectType<std::remove_cv_t<T>>>> {
  using type = id;
};
template <class T>
struct Canonical<T**, std::enable_if_t<isObjectType<std::remove_cv_t<T>>>> {
  using type = id*;
};
template <class T>
using canonical_t = typename Canonical<std::remove_cv_t<T>>::type;

template <class T>
inline canonical_t<T> toCanonical(T value) {
  if constexpr (std::is_pointer_v<T> && std::is_pointer_v<canonical_t<T>> && !std::is_same_v<T, canonical_t<T>>)
    return reinterpret_cast<canonical_t<T>>(const_cast<std::remove_cv_t<std::remove_pointer_t<T>>*>(value));
  else
    return value;
}

template <class T>
inline T fromCanonical(canonical_t<T> value) {
  if constexpr (std::is_pointer_v<T> && !std::is_same_v<T, canonical_t<T>>)
    return reinterpret_cast<T>(value);
  else
    return value;
}

template <class Signature>
struct Sig;
template <class R, class... A>
struct Sig<R(A...)> {
  using Result = R;
  using Fn = canonical_t<R> (*)(id, SEL, canonical_t<A>...);
};

#ifndef NDEBUG
void checkSendEncoding(id self, SEL sel, const std::string& expected);
void checkSuperSendEncoding(Class cls, SEL sel, const std::string& expected);
#endif

template <class R, class Fn, class... A>
inline R callImp(IMP imp, id self, SEL sel, A... args) {
  auto fn = reinterpret_cast<Fn>(imp);
  if constexpr (std::is_void_v<R>)
    fn(self, sel, toCanonical<A>(args)...);
  else
    return fromCanonical<R>(fn(self, sel, toCanonical<A>(args)...));
}

template <class Signature>
struct Sender;
template <class R, class... A>
struct Sender<R(A...)> {
  template <class... Given>
  static R send(id self, SEL sel, Given&&... given) {
    if (__builtin_expect(self == nullptr, 0)) {
      if constexpr (!std::is_void_v<R>) return R{};
      else return;
    }
    IMP imp = lookUpImp(self->isa, sel);
#ifndef NDEBUG
    checkSendEncoding(self, sel, methodEncoding<R, A...>());
#endif
    if (__builtin_expect(imp == forwardingImp(), 0)) unrecognizedSelector(self, sel);
    return callImp<R, typename Sig<R(A...)>::Fn, A...>(imp, self, sel, static_cast<A>(given)...);
  }

  // Starts the lookup at `cls` (the superclass of the class whose method is
  // calling), as objc_msgSendSuper does.
  template <class... Given>
  static R sendSuper(id self, Class cls, SEL sel, Given&&... given) {
    if (self == nullptr || cls == nullptr) {
      if constexpr (!std::is_void_v<R>) return R{};
      else return;
    }
    IMP imp = lookUpImp(cls, sel);
#ifndef NDEBUG
    checkSuperSendEncoding(cls, sel, methodEncoding<R, A...>());
#endif
    if (imp == forwardingImp()) unrecognizedSelector(self, sel);
    return callImp<R, typename Sig<R(A...)>::Fn, A...>(imp, self, sel, static_cast<A>(given)...);
  }

  // Calls an implementation directly (a saved implementation in a slot).
  template <class... Given>
  static R call(IMP imp, id self, SEL sel, Given&&... given) {
    return callImp<R, typename Sig<R(A...)>::Fn, A...>(imp, self, sel, static_cast<A>(given)...);
  }
};

template <class Signature, class... Given>
inline typename Sig<Signature>::Result send(id self, SEL sel, Given&&... args) {
  return Sender<Signature>::send(self, sel, std::forward<Given>(args)...);
}

template <class Signature, class... Given>
inline typename Sig<Signature>::Result sendSuper(id self, Class superclass, SEL sel, Given&&... args) {
  return Sender<Signature>::sendSuper(self, superclass, sel, std::forward<Given>(args)...);
}

// --- Implementations from plain functions ------------------------------------
// A method body is a plain function R(Self*, SEL, Args...). imp<&F>() gives
// the IMP of a trampoline with the canonical call type that casts the
// receiver and the object arguments back to the body's own types.
template <auto F>
struct Trampoline;
template <class R, class Self, class... A, R (*F)(Self, SEL, A...)>
struct Trampoline<F> {
  using Result = R;
  static canonical_t<R> call(id self, SEL sel, canonical_t<A>... args) {
    Self typedSelf = reinterpret_cast<Self>(self);
    if constexpr (std::is_void_v<R>)
      F(typedSelf, sel, fromCanonical<A>(args)...);
    else
      return toCanonical<R>(F(typedSelf, sel, fromCanonical<A>(args)...));
  }
  static std::string encoding() { return methodEncoding<R, A...>(); }
};

template <auto F>
inline IMP imp() {
  return reinterpret_cast<IMP>(&Trampoline<F>::call);
}

template <auto F>
inline std::string encodingOf() {
  return Trampoline<F>::encoding();
}

// --- Selector literals -------------------------------------------------------
template <char... Chars>
struct SelectorLiteral {
  static SEL get() {
    static const char text[] = {Chars..., '\0'};
    static const SEL sel = sel_registerName(text);
    return sel;
  }
};

}  // namespace objc

// "setBackgroundColor:"_sel: the interned selector, registered on first use,
// like @selector(). (The character-pack form of the literal operator is a
// GNU extension that GCC and clang share; clang 14 miscompiles the
// class-type template argument form in static initialisers.)
template <class CharT, CharT... Chars>
inline SEL operator""_sel() {
  return objc::SelectorLiteral<Chars...>::get();
}
