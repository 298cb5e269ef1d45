// Preferences and theme state.
#include "tweak/settings.h"

#include "tweak/color_from_hex.h"

TweakSettingsRecord& TweakSettings = *new TweakSettingsRecord;  // process-wide, never destroyed
ThemeColoursRecord& ThemeColours = *new ThemeColoursRecord;

namespace {

// The value under the key if it answers the reader's message, else nil.
id settingValue(NSString* key, NSDictionary* settings, SEL reader) {
  id value = objc::send<id(id)>(settings, "objectForKey:"_sel, key);
  if (!value || !objc::send<BOOL(SEL)>(value, "respondsToSelector:"_sel, reader)) return nil;
  return value;
}

}  // namespace

NSInteger integerForSetting(NSString* key, NSInteger defaultValue, NSDictionary* settings) {
  id value = settingValue(key, settings, "integerValue"_sel);
  return value ? objc::send<NSInteger()>(value, "integerValue"_sel) : defaultValue;
}

CGFloat CGFloatForSetting(NSString* key, NSInteger defaultValue, NSDictionary* settings) {
  id value = settingValue(key, settings, "doubleValue"_sel);
  return value ? objc::send<double()>(value, "doubleValue"_sel) : static_cast<CGFloat>(defaultValue);
}

BOOL boolForSetting(NSString* key, BOOL defaultValue, NSDictionary* settings) {
  id value = settingValue(key, settings, "boolValue"_sel);
  return value ? objc::send<BOOL()>(value, "boolValue"_sel) : defaultValue;
}

NSString* stringForSetting(NSString* key, NSString* defaultValue, NSDictionary* settings) {
  id value = settingValue(key, settings, "stringValue"_sel);
  return value ? objc::send<NSString*()>(value, "stringValue"_sel) : defaultValue;
}

// The keys and default colours as string objects, made once: a literal
// costs a lookup in the process's table each time it is evaluated.
struct SettingStrings {
  NSString* enabled = "Enabled"_ns;
  NSString* nowPlayingHooks = "NowPlayingHooks"_ns;
  NSString* primaryTextColour = "PrimaryTextColour"_ns;
  NSString* defaultPrimaryText = "F4FCF7FF"_ns;
  NSString* secondaryTextColour = "SecondaryTextColour"_ns;
  NSString* defaultGrey = "E4E4E4FF"_ns;
  NSString* primaryTintColour = "PrimaryTintColour"_ns;
  NSString* defaultPrimaryTint = "17A5FFFF"_ns;
  NSString* secondaryTintColour = "SecondaryTintColour"_ns;
  NSString* defaultSecondaryTint = "0B4478FF"_ns;
  NSString* blurTintColour = "BlurTintColour"_ns;
  NSString* blurPreset = "BlurPreset"_ns;
  NSString* useCustomTint = "UseCustomTint"_ns;
  NSString* customise = "Customise"_ns;
  NSString* saturation = "Saturation"_ns;
  NSString* blurRadius = "BlurRadius"_ns;
  NSString* blurArtwork = "BlurArtwork"_ns;
  NSString* adaptiveNowPlaying = "AdaptiveNowPlaying"_ns;
  NSString* readableText = "ReadableText"_ns;
};

void readSettings(NSDictionary* prefs, TweakSettingsRecord& settings, ThemeColoursRecord& colours) {
  static const SettingStrings k;
  settings.Enabled = boolForSetting(k.enabled, YES, prefs);
  if (!settings.Enabled) return;
  settings.NowPlayingHooks = boolForSetting(k.nowPlayingHooks, YES, prefs);

  NSString* primaryText = stringForSetting(k.primaryTextColour, k.defaultPrimaryText, prefs);
  NSString* secondaryText = stringForSetting(k.secondaryTextColour, k.defaultGrey, prefs);
  NSString* primaryTint = stringForSetting(k.primaryTintColour, k.defaultPrimaryTint, prefs);
  NSString* secondaryTint = stringForSetting(k.secondaryTintColour, k.defaultSecondaryTint, prefs);
  NSString* blurTint = stringForSetting(k.blurTintColour, k.defaultGrey, prefs);

  colours.PrimaryTintColour = colorFromHexString(primaryTint);
  colours.SecondaryTintColour = colorFromHexString(secondaryTint);
  colours.PrimaryTextColour = colorFromHexString(primaryText);
  colours.SecondaryTextColour = colorFromHexString(secondaryText);
  colours.BlurTintColour = colorFromHexString(blurTint);

  settings.BlurPreset = integerForSetting(k.blurPreset, 0, prefs);
  settings.UseCustomTint = boolForSetting(k.useCustomTint, NO, prefs);
  settings.Customise = boolForSetting(k.customise, NO, prefs);
  if (settings.Customise) {
    settings.Saturation = CGFloatForSetting(k.saturation, 1, prefs);
    settings.BlurRadius = CGFloatForSetting(k.blurRadius, 10, prefs);
  }
  settings.BlurArtwork = boolForSetting(k.blurArtwork, NO, prefs);
  settings.AdaptiveNowPlaying = boolForSetting(k.adaptiveNowPlaying, NO, prefs);
  settings.ReadableText = boolForSetting(k.readableText, NO, prefs);
}

void loadSettings() {
  static NSString* const path = constantString(kPreferencesPath);  // made once, as the keys are
  readSettings(NSDictionary::withContentsOfFile(path), TweakSettings, ThemeColours);
}
