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

void loadSettings() {
  NSDictionary* prefs = NSDictionary::withContentsOfFile(NSString::withUTF8(kPreferencesPath));

  TweakSettings.Enabled = boolForSetting("Enabled"_ns, YES, prefs);
  if (!TweakSettings.Enabled) return;
  TweakSettings.NowPlayingHooks = boolForSetting("NowPlayingHooks"_ns, YES, prefs);

  NSString* primaryText = stringForSetting("PrimaryTextColour"_ns, "F4FCF7FF"_ns, prefs);
  NSString* secondaryText = stringForSetting("SecondaryTextColour"_ns, "E4E4E4FF"_ns, prefs);
  NSString* primaryTint = stringForSetting("PrimaryTintColour"_ns, "17A5FFFF"_ns, prefs);
  NSString* secondaryTint = stringForSetting("SecondaryTintColour"_ns, "0B4478FF"_ns, prefs);
  NSString* blurTint = stringForSetting("BlurTintColour"_ns, "E4E4E4FF"_ns, prefs);

  ThemeColours.PrimaryTintColour = colorFromHexString(primaryTint);
  ThemeColours.SecondaryTintColour = colorFromHexString(secondaryTint);
  ThemeColours.PrimaryTextColour = colorFromHexString(primaryText);
  ThemeColours.SecondaryTextColour = colorFromHexString(secondaryText);
  ThemeColours.BlurTintColour = colorFromHexString(blurTint);

  TweakSettings.BlurPreset = integerForSetting("BlurPreset"_ns, 0, prefs);
  TweakSettings.UseCustomTint = boolForSetting("UseCustomTint"_ns, NO, prefs);
  TweakSettings.Customise = boolForSetting("Customise"_ns, NO, prefs);
  if (TweakSettings.Customise) {
    TweakSettings.Saturation = CGFloatForSetting("Saturation"_ns, 1, prefs);
    TweakSettings.BlurRadius = CGFloatForSetting("BlurRadius"_ns, 10, prefs);
  }
  TweakSettings.BlurArtwork = boolForSetting("BlurArtwork"_ns, NO, prefs);
  TweakSettings.AdaptiveNowPlaying = boolForSetting("AdaptiveNowPlaying"_ns, NO, prefs);
}
