// The blur recipe.
#include "tweak/backdrop.h"

#include "tweak/settings.h"

UIBackdropViewSettings* makeBackdropSettings() {
  UIBackdropViewSettings* settings = UIBackdropViewSettings::forStyle(static_cast<int>(TweakSettings.BlurPreset));
  if (TweakSettings.Customise) {
    objc::send<void(CGFloat)>(settings, "setSaturationDeltaFactor:"_sel, TweakSettings.Saturation);
    objc::send<void(CGFloat)>(settings, "setBlurRadius:"_sel, TweakSettings.BlurRadius);
    if (TweakSettings.UseCustomTint && ThemeColours.BlurTintColour) {
      objc::send<void(BOOL)>(settings, "setUsesColorTintView:"_sel, YES);
      objc::send<void(BOOL)>(settings, "setRequiresColorStatistics:"_sel, YES);
      objc::send<void(CGFloat)>(settings, "setColorTintAlpha:"_sel, 1.0);
      objc::send<void(UIColor*)>(settings, "setColorTint:"_sel, ThemeColours.BlurTintColour.get());
    }
  }
  objc::send<void(NSString*)>(settings, "setBlurQuality:"_sel, "low"_ns);
  return settings;
}

Ref<UIBackdropView> makeStandardBackdrop(CGRect frame) {
  return adopt(objc::alloc<UIBackdropView>()->initWithFrame(frame, YES, makeBackdropSettings()));
}
