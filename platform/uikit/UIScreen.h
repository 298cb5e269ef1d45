// UIScreen: the main screen, whose scale (2 by default) sets the pixel size
// of images and renders.
//
//   CGFloat scale = UIScreen::mainScreen()->scale();
#pragma once

#include "platform/coregraphics/CGGeometry.h"
#include "platform/foundation/NSObject.h"

struct UIScreen : NSObject {
  static constexpr const char* kClassName = "UIScreen";
  CGFloat _scale = 2;
  CGRect _bounds = {{0, 0}, {320, 568}};

  static UIScreen* mainScreen() {
    return objc::send<UIScreen*()>(reinterpret_cast<id>(objc::classOf<UIScreen>()), "mainScreen"_sel);
  }
  CGFloat scale() { return objc::send<CGFloat()>(this, "scale"_sel); }
  CGRect bounds() { return objc::send<CGRect()>(this, "bounds"_sel); }
};

// Host and test side: changes the main screen's scale.
void UIScreenSetMainScreenScale(CGFloat scale);

void registerUIScreen();
