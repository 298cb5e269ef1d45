// The user's preferences, read once at load time into two process-wide
// records that never change afterwards: TweakSettings (switches and numbers)
// and ThemeColours (the five theme colours).
//
//   if (TweakSettings.Customise) settings->setBlurRadius(TweakSettings.BlurRadius);
#pragma once

#include "platform/foundation/FoundationExport.h"
#include "platform/foundation/foundation.h"
#include "platform/uikit/UIColor.h"

inline constexpr const char* kPreferencesPath = "/var/mobile/Library/Preferences/com.brackwater.mirel.plist";

struct TweakSettingsRecord {
  BOOL Enabled = NO;
  BOOL NowPlayingHooks = NO;
  BOOL UseCustomTint = NO;
  BOOL Customise = NO;
  BOOL AdaptiveNowPlaying = NO;
  BOOL BlurArtwork = NO;
  // Opt-in: derived text colours are made readable against what lies
  // behind them (Now Playing), and the Messages list takes the theme text
  // colours. Off, everything is as without it.
  BOOL ReadableText = NO;
  NSInteger BlurPreset = 0;
  CGFloat Saturation = 0;
  CGFloat BlurRadius = 0;
};

// Each colour is owned by the record; nil until loadSettings has run with
// Enabled on, never nil afterwards.
struct ThemeColoursRecord {
  Ref<UIColor> PrimaryTextColour;
  Ref<UIColor> SecondaryTextColour;
  Ref<UIColor> PrimaryTintColour;
  Ref<UIColor> SecondaryTintColour;
  Ref<UIColor> BlurTintColour;
};

extern TweakSettingsRecord& TweakSettings;
extern ThemeColoursRecord& ThemeColours;

// Reads the preferences file into the two records. Called once by the
// start-up initialiser, only in a host with a bundle identifier.
void loadSettings();

// What loadSettings makes of a preferences dictionary (nil: no file): it
// reads only `prefs` and writes only the fields it reads into the records
// it is handed, so the tools that show or check a file read it exactly as
// the extension does. Fields it does not read (all but Enabled when Enabled
// is off, Saturation and BlurRadius when Customise is off) keep their values.
void readSettings(NSDictionary* prefs, TweakSettingsRecord& settings, ThemeColoursRecord& colours);

// The exported setting readers: the value under `key`, sent one message
// (integerValue, doubleValue, boolValue or stringValue), or the default when
// the key is absent. A value that answers none of these messages (an array,
// a dictionary, a date, data) counts as absent.
FOUNDATION_EXPORT NSInteger integerForSetting(NSString* key, NSInteger defaultValue, NSDictionary* settings);
FOUNDATION_EXPORT CGFloat CGFloatForSetting(NSString* key, NSInteger defaultValue, NSDictionary* settings);
FOUNDATION_EXPORT BOOL boolForSetting(NSString* key, BOOL defaultValue, NSDictionary* settings);
FOUNDATION_EXPORT NSString* stringForSetting(NSString* key, NSString* defaultValue, NSDictionary* settings);
