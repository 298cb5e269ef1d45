// UIStatusBar: the strip at the top of the screen (carrier, time, battery),
// drawn in its foreground colour.
//
//   statusBar->setForegroundColor(UIColor::whiteColor(), nil);
#pragma once

#include "platform/uikit/UIView.h"

struct UIStatusBar : UIView {
  static constexpr const char* kClassName = "UIStatusBar";
  Ref<UIColor> _foregroundColor;

  UIColor* foregroundColor() { return objc::send<UIColor*()>(this, "foregroundColor"_sel); }
  void setForegroundColor(UIColor* color, id animationParameters) {
    objc::send<void(UIColor*, id)>(this, "setForegroundColor:animationParameters:"_sel, color, animationParameters);
  }
};

void registerUIStatusBar();
