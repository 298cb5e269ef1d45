// KRColorScheme: the picker's result, a background colour and two text
// colours that read on it. A plain record: three strong colour properties,
// nil until set.
//
//   Ref<KRColorScheme> scheme = objc::make<KRColorScheme>();
//   scheme->setBackgroundColor(UIColor::blackColor());
#pragma once

#include "platform/uikit/UIColor.h"

struct KRColorScheme : NSObject {
  static constexpr const char* kClassName = "KRColorScheme";
  Ref<UIColor> _backgroundColor;
  Ref<UIColor> _primaryTextColor;
  Ref<UIColor> _secondaryTextColor;

  UIColor* backgroundColor() { return objc::send<UIColor*()>(this, "backgroundColor"_sel); }
  UIColor* primaryTextColor() { return objc::send<UIColor*()>(this, "primaryTextColor"_sel); }
  UIColor* secondaryTextColor() { return objc::send<UIColor*()>(this, "secondaryTextColor"_sel); }
  void setBackgroundColor(UIColor* c) { objc::send<void(UIColor*)>(this, "setBackgroundColor:"_sel, c); }
  void setPrimaryTextColor(UIColor* c) { objc::send<void(UIColor*)>(this, "setPrimaryTextColor:"_sel, c); }
  void setSecondaryTextColor(UIColor* c) { objc::send<void(UIColor*)>(this, "setSecondaryTextColor:"_sel, c); }
};

void registerKRColorScheme();
