// _UIBackdropViewSettings and _UIBackdropView.
#include "platform/uikit/UIBackdropView.h"

#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

// The model's private styles: 0 (and any number it does not know) is the
// light blur, 1 and 2 are dark and ultra dark, 2010, 2020, 2030 and 2060 are
// the newer dark, light, ultra dark and ultra light variants.
struct StyleRecipe {
  BackdropStyle style;
  CGFloat blurRadius, saturation;
  CGFloat tintWhite, tintAlpha;
};
constexpr StyleRecipe kRecipes[] = {
    {{0, "light"}, 30, 1.8, 1.0, 0.30},
    {{1, "dark"}, 20, 1.8, 0.0, 0.50},
    {{2, "ultra dark"}, 20, 1.8, 0.0, 0.70},
    {{2010, "dark (newer)"}, 20, 1.9, 0.11, 0.73},
    {{2020, "light (newer)"}, 30, 1.8, 0.97, 0.50},
    {{2030, "ultra dark (newer)"}, 20, 1.8, 0.05, 0.85},
    {{2060, "ultra light"}, 30, 1.8, 0.9, 0.60},
};

id Settings_settingsForStyle(Class cls, SEL, int style) {
  const StyleRecipe* recipe = &kRecipes[0];
  for (const StyleRecipe& r : kRecipes)
    if (r.style.number == style) recipe = &r;
  auto* s = static_cast<UIBackdropViewSettings*>(class_createInstance(cls, 0));
  s->_style = style;
  s->_blurRadius = recipe->blurRadius;
  s->_saturationDeltaFactor = recipe->saturation;
  s->_usesColorTintView = true;
  s->_colorTint = UIColor::withWhite(recipe->tintWhite, 1);
  s->_colorTintAlpha = recipe->tintAlpha;
  s->_blurQuality = "default"_ns;
  return objc_autorelease(s);
}

#define SETTINGS_PROPERTY(type, getter, setter, member)                                           \
  type Settings_##getter(UIBackdropViewSettings* self, SEL) { return self->member; }              \
  void Settings_##setter(UIBackdropViewSettings* self, SEL, type value) { self->member = value; }
SETTINGS_PROPERTY(CGFloat, blurRadius, setBlurRadius, _blurRadius)
SETTINGS_PROPERTY(CGFloat, saturationDeltaFactor, setSaturationDeltaFactor, _saturationDeltaFactor)
SETTINGS_PROPERTY(BOOL, usesColorTintView, setUsesColorTintView, _usesColorTintView)
SETTINGS_PROPERTY(BOOL, requiresColorStatistics, setRequiresColorStatistics, _requiresColorStatistics)
SETTINGS_PROPERTY(CGFloat, colorTintAlpha, setColorTintAlpha, _colorTintAlpha)
#undef SETTINGS_PROPERTY
NSInteger Settings_style(UIBackdropViewSettings* self, SEL) { return self->_style; }
UIColor* Settings_colorTint(UIBackdropViewSettings* self, SEL) { return self->_colorTint.get(); }
void Settings_setColorTint(UIBackdropViewSettings* self, SEL, UIColor* c) { self->_colorTint = c; }
NSString* Settings_blurQuality(UIBackdropViewSettings* self, SEL) { return self->_blurQuality.get(); }
void Settings_setBlurQuality(UIBackdropViewSettings* self, SEL, NSString* q) { self->_blurQuality = q; }

UIBackdropView* Backdrop_initWithFrameAutosizesSettings(UIBackdropView* self, SEL, CGRect frame, BOOL autosizes,
                                                        UIBackdropViewSettings* settings) {
  auto* view = objc::as<UIBackdropView>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!view) return nullptr;
  view->_autosizesToFitSuperview = autosizes;
  view->_settings = settings;
  return view;
}
UIBackdropView* Backdrop_initWithFrameSettings(UIBackdropView* self, SEL, CGRect frame,
                                               UIBackdropViewSettings* settings) {
  return Backdrop_initWithFrameAutosizesSettings(self, nullptr, frame, NO, settings);
}
UIBackdropView* Backdrop_initWithSettings(UIBackdropView* self, SEL, UIBackdropViewSettings* settings) {
  return Backdrop_initWithFrameAutosizesSettings(self, nullptr, CGRectZero, YES, settings);
}
UIBackdropView* Backdrop_initWithPrivateStyle(UIBackdropView* self, SEL, NSInteger style) {
  return objc::send<UIBackdropView*(UIBackdropViewSettings*)>(self, "initWithSettings:"_sel,
                                                              UIBackdropViewSettings::forStyle(static_cast<int>(style)));
}
UIBackdropView* Backdrop_initWithStyle(UIBackdropView* self, SEL, NSInteger style) {
  return Backdrop_initWithPrivateStyle(self, nullptr, style);
}
UIBackdropView* Backdrop_initWithFramePrivateStyle(UIBackdropView* self, SEL, CGRect frame, NSInteger style) {
  return objc::send<UIBackdropView*(CGRect, UIBackdropViewSettings*)>(self, "initWithFrame:settings:"_sel, frame,
                                                                      UIBackdropViewSettings::forStyle(static_cast<int>(style)));
}
UIBackdropViewSettings* Backdrop_inputSettings(UIBackdropView* self, SEL) { return self->_settings.get(); }
BOOL Backdrop_autosizesToFitSuperview(UIBackdropView* self, SEL) { return self->_autosizesToFitSuperview; }

// An autosizing backdrop fills its superview from the moment it is added
// and follows its size.
void Backdrop_didMoveToSuperview(UIBackdropView* self, SEL) {
  if (!self->_autosizesToFitSuperview || !self->_superview) return;
  self->_frame = self->_superview->bounds();
  self->_autoresizingMask = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
}

}  // namespace

const std::vector<BackdropStyle>& knownBackdropStyles() {
  static const std::vector<BackdropStyle> styles = [] {
    std::vector<BackdropStyle> all;
    for (const StyleRecipe& r : kRecipes) all.push_back(r.style);
    return all;
  }();
  return styles;
}

void registerUIBackdropView() {
  objc::ClassBuilder<UIBackdropViewSettings>("_UIBackdropViewSettings", objc::classOf<NSObject>())
      .classMethod<&Settings_settingsForStyle>("settingsForStyle:")
      .method<&Settings_style>("style")
      .method<&Settings_blurRadius>("blurRadius")
      .method<&Settings_setBlurRadius>("setBlurRadius:")
      .method<&Settings_saturationDeltaFactor>("saturationDeltaFactor")
      .method<&Settings_setSaturationDeltaFactor>("setSaturationDeltaFactor:")
      .method<&Settings_usesColorTintView>("usesColorTintView")
      .method<&Settings_setUsesColorTintView>("setUsesColorTintView:")
      .method<&Settings_requiresColorStatistics>("requiresColorStatistics")
      .method<&Settings_setRequiresColorStatistics>("setRequiresColorStatistics:")
      .method<&Settings_colorTintAlpha>("colorTintAlpha")
      .method<&Settings_setColorTintAlpha>("setColorTintAlpha:")
      .method<&Settings_colorTint>("colorTint")
      .method<&Settings_setColorTint>("setColorTint:")
      .method<&Settings_blurQuality>("blurQuality")
      .method<&Settings_setBlurQuality>("setBlurQuality:");
  objc::ClassBuilder<UIBackdropView>("_UIBackdropView", objc::classOf<UIView>())
      .ivar("_settings", &UIBackdropView::_settings)
      .method<&Backdrop_initWithFrameAutosizesSettings>("initWithFrame:autosizesToFitSuperview:settings:")
      .method<&Backdrop_initWithFrameSettings>("initWithFrame:settings:")
      .method<&Backdrop_initWithSettings>("initWithSettings:")
      .method<&Backdrop_initWithPrivateStyle>("initWithPrivateStyle:")
      .method<&Backdrop_initWithStyle>("initWithStyle:")
      .method<&Backdrop_initWithFramePrivateStyle>("initWithFrame:privateStyle:")
      .method<&Backdrop_inputSettings>("inputSettings")
      .method<&Backdrop_autosizesToFitSuperview>("autosizesToFitSuperview")
      .method<&Backdrop_didMoveToSuperview>("didMoveToSuperview");
}
