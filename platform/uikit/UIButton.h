// UIControl and UIButton: a titled button with a title colour per control
// state; it draws its title in the colour of its current state.
//
//   button->setTitleColor(UIColor::redColor(), UIControlStateNormal);
#pragma once

#include <map>

#include "platform/foundation/NSString.h"
#include "platform/uikit/UIView.h"

enum : NSUInteger {
  UIControlStateNormal = 0,
  UIControlStateHighlighted = 1 << 0,
  UIControlStateDisabled = 1 << 1,
  UIControlStateSelected = 1 << 2,
};

struct UIControl : UIView {
  static constexpr const char* kClassName = "UIControl";
  bool _selected = false;
  bool _highlighted = false;

  BOOL isSelected() { return objc::send<BOOL()>(this, "isSelected"_sel); }
  void setSelected(BOOL s) { objc::send<void(BOOL)>(this, "setSelected:"_sel, s); }
};

struct UIButton : UIControl {
  static constexpr const char* kClassName = "UIButton";
  std::map<NSUInteger, Ref<NSString>> _titles;
  std::map<NSUInteger, Ref<UIColor>> _titleColors;

  NSString* titleForState(NSUInteger state) {
    return objc::send<NSString*(NSUInteger)>(this, "titleForState:"_sel, state);
  }
  void setTitle(NSString* title, NSUInteger state) {
    objc::send<void(NSString*, NSUInteger)>(this, "setTitle:forState:"_sel, title, state);
  }
  UIColor* titleColorForState(NSUInteger state) {
    return objc::send<UIColor*(NSUInteger)>(this, "titleColorForState:"_sel, state);
  }
  void setTitleColor(UIColor* color, NSUInteger state) {
    objc::send<void(UIColor*, NSUInteger)>(this, "setTitleColor:forState:"_sel, color, state);
  }
};

void registerUIButton();
