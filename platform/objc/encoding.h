// Type encodings as libobjc writes them ("v@:@", "@@:", "B@:@@",
// "{CGRect={CGPoint=dd}{CGSize=dd}}"), derived from C++ types. Structs that
// travel through messages specialise objc::Encoding next to their definition.
#pragma once

#include <string>
#include <type_traits>

#include "platform/objc/runtime.h"

namespace objc {

template <class T, class = void>
struct Encoding;

// Object types are recognised without being complete, so façades can name
// classes that are only declared: any class type but the runtime's own
// selector, method and ivar records is an object.
template <class T>
inline constexpr bool isObjectType =
    std::is_class_v<T> && !std::is_same_v<T, objc_selector> && !std::is_same_v<T, objc_method> &&
    !std::is_same_v<T, objc_ivar>;

#define MIREL_SCALAR_ENCODING(type, text) \
  template <>                             \
  struct Encoding<type> {                 \
    static std::string get() { return text; } \
  };
MIREL_SCALAR_ENCODING(void, "v")
MIREL_SCALAR_ENCODING(bool, "B")
MIREL_SCALAR_ENCODING(char, "c")
MIREL_SCALAR_ENCODING(signed char, "c")
MIREL_SCALAR_ENCODING(unsigned char, "C")
MIREL_SCALAR_ENCODING(short, "s")
MIREL_SCALAR_ENCODING(unsigned short, "S")
MIREL_SCALAR_ENCODING(int, "i")
MIREL_SCALAR_ENCODING(unsigned int, "I")
MIREL_SCALAR_ENCODING(long, "q")
MIREL_SCALAR_ENCODING(unsigned long, "Q")
MIREL_SCALAR_ENCODING(long long, "q")
MIREL_SCALAR_ENCODING(unsigned long long, "Q")
MIREL_SCALAR_ENCODING(float, "f")
MIREL_SCALAR_ENCODING(double, "d")
MIREL_SCALAR_ENCODING(SEL, ":")
MIREL_SCALAR_ENCODING(Class, "#")
MIREL_SCALAR_ENCODING(char*, "*")
MIREL_SCALAR_ENCODING(const char*, "r*")
MIREL_SCALAR_ENCODING(void*, "^v")
MIREL_SCALAR_ENCODING(const void*, "r^v")
#undef MIREL_SCALAR_ENCODING

// Object pointers of any class are "@".
template <class T>
struct Encoding<T*, std::enable_if_t<isObjectType<std::remove_cv_t<T>> && !std::is_same_v<std::remove_cv_t<T>, objc_class>>> {
  static std::string get() { return "@"; }
};

// Other pointers: "^" followed by the pointee ("^@" for id*, "^I" for unsigned*).
template <class T>
struct Encoding<T*, std::enable_if_t<!isObjectType<std::remove_cv_t<T>> && !std::is_void_v<T> &&
                                     !std::is_same_v<std::remove_cv_t<T>, char> &&
                                     !std::is_same_v<std::remove_cv_t<T>, objc_selector>>> {
  static std::string get() { return "^" + Encoding<std::remove_cv_t<T>>::get(); }
};

template <class T>
std::string encode() {
  return Encoding<std::remove_cv_t<T>>::get();
}

// The encoding of a method with result R and arguments A (self and _cmd added).
template <class R, class... A>
std::string methodEncoding() {
  return encode<R>() + "@:" + (std::string() + ... + encode<A>());
}

// Compares two method encodings as libobjc prints them, ignoring frame
// offsets, type qualifiers and class names in quotes ("@\"UIColor\"").
bool encodingsMatch(const char* a, const char* b);

}  // namespace objc
