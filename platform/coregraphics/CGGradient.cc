// CGGradientObj.
#include "platform/coregraphics/CGGradient.h"

#include <algorithm>

#include "platform/foundation/NSArray.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

CGGradientObj::Stop stopFrom(size_t channels, const CGFloat* c, CGFloat location) {
  if (channels == 1) return {location, c[0], c[0], c[0], c[1]};
  return {location, c[0], c[1], c[2], c[3]};
}

CGFloat evenLocation(size_t i, size_t count) { return count > 1 ? CGFloat(i) / CGFloat(count - 1) : 0; }

CGGradientRef makeGradient(std::vector<CGGradientObj::Stop> stops) {
  if (stops.empty()) return nullptr;
  std::stable_sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.location < b.location; });
  auto* gradient = static_cast<CGGradientObj*>(class_createInstance(objc::classOf<CGGradientObj>(), 0));
  gradient->_stops = std::move(stops);
  return gradient;
}

}  // namespace

CGGradientRef CGGradientCreateWithColorComponents(CGColorSpaceRef space, const CGFloat* components,
                                                  const CGFloat* locations, size_t count) {
  if (!space || !components || count == 0) return nullptr;
  size_t channels = space->_components;
  if (channels != 1 && channels != 3) return nullptr;
  std::vector<CGGradientObj::Stop> stops;
  for (size_t i = 0; i < count; ++i)
    stops.push_back(stopFrom(channels, components + i * (channels + 1), locations ? locations[i] : evenLocation(i, count)));
  return makeGradient(std::move(stops));
}

CGGradientRef CGGradientCreateWithColors(CGColorSpaceRef space, NSArray* colors, const CGFloat* locations) {
  if (!space || !colors) return nullptr;
  std::vector<id> items = colors->items();
  std::vector<CGGradientObj::Stop> stops;
  for (size_t i = 0; i < items.size(); ++i) {
    auto* color = static_cast<CGColorObj*>(items[i]);
    size_t channels = color->_components.size() - 1;
    if (channels != 1 && channels != 3) return nullptr;
    stops.push_back(stopFrom(channels, color->_components.data(), locations ? locations[i] : evenLocation(i, items.size())));
  }
  return makeGradient(std::move(stops));
}

CGGradientRef CGGradientRetain(CGGradientRef gradient) {
  objc_retain(gradient);
  return gradient;
}

void CGGradientRelease(CGGradientRef gradient) { objc_release(gradient); }

void registerCGGradient() { objc::ClassBuilder<CGGradientObj>("__CGGradient", objc::classOf<NSObject>()); }
