// UILabel: a line of text with its colour, font and alignment; it draws
// itself through UIKit string drawing.
//
//   Ref<UILabel> title = UIView::make<UILabel>(frame);
//   title->setText("Songs"_ns);
#pragma once

#include "platform/foundation/NSString.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIView.h"

struct UILabel : UIView {
  static constexpr const char* kClassName = "UILabel";
  Ref<NSString> _text;
  Ref<UIColor> _textColor;
  Ref<UIFont> _font;
  NSInteger _textAlignment = 0;  // left, centre (1), right (2)

  NSString* text() { return objc::send<NSString*()>(this, "text"_sel); }
  void setText(NSString* text) { objc::send<void(NSString*)>(this, "setText:"_sel, text); }
  UIColor* textColor() { return objc::send<UIColor*()>(this, "textColor"_sel); }
  void setTextColor(UIColor* color) { objc::send<void(UIColor*)>(this, "setTextColor:"_sel, color); }
  void setFont(UIFont* font) { objc::send<void(UIFont*)>(this, "setFont:"_sel, font); }
  void setTextAlignment(NSInteger a) { objc::send<void(NSInteger)>(this, "setTextAlignment:"_sel, a); }
};

void registerUILabel();
