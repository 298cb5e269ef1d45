// CGColorObj and the device colour spaces.
#include "platform/coregraphics/CGColor.h"

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

CGColorSpaceObj* makeSpace(size_t components) {
  auto* space = static_cast<CGColorSpaceObj*>(class_createInstance(objc::classOf<CGColorSpaceObj>(), 0));
  space->_components = components;
  space->flags_.fetch_or(objc::kImmortal);
  return space;
}

}  // namespace

CGColorSpaceRef CGColorSpaceCreateDeviceRGB() {
  static CGColorSpaceObj* rgb = makeSpace(3);
  return rgb;
}

CGColorSpaceRef CGColorSpaceCreateDeviceGray() {
  static CGColorSpaceObj* gray = makeSpace(1);
  return gray;
}

size_t CGColorSpaceGetNumberOfComponents(CGColorSpaceRef space) { return space ? space->_components : 0; }

void CGColorSpaceRelease(CGColorSpaceRef space) { objc_release(space); }

CGColorRef CGColorCreate(CGColorSpaceRef space, const CGFloat* components) {
  if (!space || !components) return nullptr;
  auto* color = static_cast<CGColorObj*>(class_createInstance(objc::classOf<CGColorObj>(), 0));
  color->_space = space;
  color->_components.assign(components, components + space->_components + 1);
  return color;
}

size_t CGColorGetNumberOfComponents(CGColorRef color) { return color ? color->_components.size() : 0; }

const CGFloat* CGColorGetComponents(CGColorRef color) { return color ? color->_components.data() : nullptr; }

CGFloat CGColorGetAlpha(CGColorRef color) {
  return color && !color->_components.empty() ? color->_components.back() : 0;
}

CGColorSpaceRef CGColorGetColorSpace(CGColorRef color) { return color ? color->_space.get() : nullptr; }

CGColorRef CGColorRetain(CGColorRef color) {
  objc_retain(color);
  return color;
}

void CGColorRelease(CGColorRef color) { objc_release(color); }

void registerCGColor() {
  objc::ClassBuilder<CGColorSpaceObj>("__CGColorSpace", objc::classOf<NSObject>());
  objc::ClassBuilder<CGColorObj>("__CGColor", objc::classOf<NSObject>());
}
