// The private blur classes: _UIBackdropViewSettings, the recipe of a blur
// (radius, saturation, tint, quality) for a private style number, and
// _UIBackdropView, a view that shows a live blur of what lies behind it as
// its settings say. How the blur looks is the renderer's job.
//
//   Ref<UIBackdropView> blur = adopt(objc::alloc<UIBackdropView>()->initWithFrame(
//       CGRectZero, YES, UIBackdropViewSettings::forStyle(0)));
#pragma once

#include <vector>

#include "platform/foundation/NSString.h"
#include "platform/uikit/UIView.h"

struct UIBackdropViewSettings : NSObject {
  static constexpr const char* kClassName = "_UIBackdropViewSettings";
  NSInteger _style = 0;
  CGFloat _blurRadius = 0;
  CGFloat _saturationDeltaFactor = 1;
  bool _usesColorTintView = false;
  bool _requiresColorStatistics = false;
  CGFloat _colorTintAlpha = 0;
  Ref<UIColor> _colorTint;
  Ref<NSString> _blurQuality;

  // The style travels as a 32-bit number, as the platform declares it.
  static UIBackdropViewSettings* forStyle(int style) {
    return objc::send<UIBackdropViewSettings*(int)>(
        reinterpret_cast<id>(objc::classOf<UIBackdropViewSettings>()), "settingsForStyle:"_sel, style);
  }
  NSInteger style() { return objc::send<NSInteger()>(this, "style"_sel); }
  CGFloat blurRadius() { return objc::send<CGFloat()>(this, "blurRadius"_sel); }
  CGFloat saturationDeltaFactor() { return objc::send<CGFloat()>(this, "saturationDeltaFactor"_sel); }
  BOOL usesColorTintView() { return objc::send<BOOL()>(this, "usesColorTintView"_sel); }
  BOOL requiresColorStatistics() { return objc::send<BOOL()>(this, "requiresColorStatistics"_sel); }
  CGFloat colorTintAlpha() { return objc::send<CGFloat()>(this, "colorTintAlpha"_sel); }
  UIColor* colorTint() { return objc::send<UIColor*()>(this, "colorTint"_sel); }
  NSString* blurQuality() { return objc::send<NSString*()>(this, "blurQuality"_sel); }
};

struct UIBackdropView : UIView {
  static constexpr const char* kClassName = "_UIBackdropView";
  Ref<UIBackdropViewSettings> _settings;
  bool _autosizesToFitSuperview = false;

  UIBackdropView* initWithFrame(CGRect frame, BOOL autosizes, UIBackdropViewSettings* settings) {
    return objc::send<UIBackdropView*(CGRect, BOOL, UIBackdropViewSettings*)>(
        this, "initWithFrame:autosizesToFitSuperview:settings:"_sel, frame, autosizes, settings);
  }
  UIBackdropViewSettings* settings() { return objc::send<UIBackdropViewSettings*()>(this, "inputSettings"_sel); }
};

// The style numbers settingsForStyle: has a recipe for, in its order, each
// with a name for people; any other number gets the light blur (style 0).
// A plain table: usable before the platform is booted.
struct BackdropStyle {
  NSInteger number;
  const char* name;
};
const std::vector<BackdropStyle>& knownBackdropStyles();

void registerUIBackdropView();
