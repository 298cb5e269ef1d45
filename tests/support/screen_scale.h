// Sets the main screen's scale for a scope, restoring it afterwards.
//
//   ScreenScale retina(2);
#pragma once

#include "platform/uikit/UIScreen.h"

class ScreenScale {
 public:
  explicit ScreenScale(CGFloat scale) : saved_(UIScreen::mainScreen()->scale()) { UIScreenSetMainScreenScale(scale); }
  ~ScreenScale() { UIScreenSetMainScreenScale(saved_); }
  ScreenScale(const ScreenScale&) = delete;
  ScreenScale& operator=(const ScreenScale&) = delete;

 private:
  CGFloat saved_;
};
