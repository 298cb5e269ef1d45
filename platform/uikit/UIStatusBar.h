// UIStatusBar: the strip at the top of the screen (carrier, time, battery),
// drawn in the colour its foregroundColor answers. A colour change with
// animation parameters takes effect as an animation of their duration; with
// none, at once.
//
//   statusBar->setForegroundColor(UIColor::whiteColor(), UIStatusBarAnimationParameters::withDuration(0.3));
#pragma once

#include "platform/uikit/UIView.h"

struct UIStatusBarAnimationParameters : NSObject {
  static constexpr const char* kClassName = "UIStatusBarAnimationParameters";
  double _duration = 0;

  // Autoreleased.
  static UIStatusBarAnimationParameters* withDuration(double duration);
  double duration() { return objc::send<double()>(this, "duration"_sel); }
};

struct UIStatusBar : UIView {
  static constexpr const char* kClassName = "UIStatusBar";
  Ref<UIColor> _foregroundColor;

  UIColor* foregroundColor() { return objc::send<UIColor*()>(this, "foregroundColor"_sel); }
  void setForegroundColor(UIColor* color, UIStatusBarAnimationParameters* animationParameters) {
    objc::send<void(UIColor*, UIStatusBarAnimationParameters*)>(this, "setForegroundColor:animationParameters:"_sel, color, animationParameters);
  }
};

void registerUIStatusBar();
