// UIKit's geometry values: edge insets (cap insets of stretchable images).
//
//   UIEdgeInsets caps = UIEdgeInsetsMake(4, 4, 4, 4);  // top, left, bottom, right
#pragma once

#include <string>

#include "platform/coregraphics/CGGeometry.h"

struct UIEdgeInsets {
  CGFloat top = 0, left = 0, bottom = 0, right = 0;
  bool operator==(const UIEdgeInsets&) const = default;
};

inline constexpr UIEdgeInsets UIEdgeInsetsZero{};
inline UIEdgeInsets UIEdgeInsetsMake(CGFloat top, CGFloat left, CGFloat bottom, CGFloat right) {
  return {top, left, bottom, right};
}
inline bool UIEdgeInsetsEqualToEdgeInsets(UIEdgeInsets a, UIEdgeInsets b) { return a == b; }

namespace objc {
template <>
struct Encoding<UIEdgeInsets> {
  static std::string get() { return "{UIEdgeInsets=dddd}"; }
};
}  // namespace objc
