// UIFont: a system font at a point size, regular or bold.
//
//   UIFont* title = UIFont::systemFont(17);
#pragma once

#include "platform/foundation/NSObject.h"

struct UIFont : NSObject {
  static constexpr const char* kClassName = "UIFont";
  CGFloat _pointSize = 17;
  bool _bold = false;

  static UIFont* systemFont(CGFloat size) {
    return objc::send<UIFont*(CGFloat)>(reinterpret_cast<id>(objc::classOf<UIFont>()), "systemFontOfSize:"_sel, size);
  }
  static UIFont* boldSystemFont(CGFloat size) {
    return objc::send<UIFont*(CGFloat)>(reinterpret_cast<id>(objc::classOf<UIFont>()), "boldSystemFontOfSize:"_sel,
                                        size);
  }
  CGFloat pointSize() { return objc::send<CGFloat()>(this, "pointSize"_sel); }
};

void registerUIFont();
