// Core Graphics geometry: plain value structs with their libobjc encodings.
#pragma once

#include <cmath>

#include "platform/objc/encoding.h"

struct CGPoint {
  CGFloat x = 0, y = 0;
  bool operator==(const CGPoint&) const = default;
};
struct CGSize {
  CGFloat width = 0, height = 0;
  bool operator==(const CGSize&) const = default;
};
struct CGRect {
  CGPoint origin;
  CGSize size;
  bool operator==(const CGRect&) const = default;
};

inline constexpr CGPoint CGPointZero{};
inline constexpr CGSize CGSizeZero{};
inline constexpr CGRect CGRectZero{};

inline CGPoint CGPointMake(CGFloat x, CGFloat y) { return {x, y}; }
inline CGSize CGSizeMake(CGFloat w, CGFloat h) { return {w, h}; }
inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) { return {{x, y}, {w, h}}; }
inline CGFloat CGRectGetMinX(CGRect r) { return std::fmin(r.origin.x, r.origin.x + r.size.width); }
inline CGFloat CGRectGetMinY(CGRect r) { return std::fmin(r.origin.y, r.origin.y + r.size.height); }
inline CGFloat CGRectGetMaxX(CGRect r) { return std::fmax(r.origin.x, r.origin.x + r.size.width); }
inline CGFloat CGRectGetMaxY(CGRect r) { return std::fmax(r.origin.y, r.origin.y + r.size.height); }
inline CGFloat CGRectGetWidth(CGRect r) { return std::fabs(r.size.width); }
inline CGFloat CGRectGetHeight(CGRect r) { return std::fabs(r.size.height); }
inline bool CGRectEqualToRect(CGRect a, CGRect b) { return a == b; }

namespace objc {
template <>
struct Encoding<CGPoint> {
  static std::string get() { return "{CGPoint=dd}"; }
};
template <>
struct Encoding<CGSize> {
  static std::string get() { return "{CGSize=dd}"; }
};
template <>
struct Encoding<CGRect> {
  static std::string get() { return "{CGRect={CGPoint=dd}{CGSize=dd}}"; }
};
}  // namespace objc
