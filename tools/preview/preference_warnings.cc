// Preference values as the extension reads them, and the ones worth a word.
#include "tools/preview/preference_warnings.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSString.h"
#include "platform/objc/runtime.h"
#include "platform/uikit/UIBackdropView.h"
#include "tweak/settings.h"

namespace {

struct Key {
  const char* name;
  PreferenceKind kind;
  const char* defaultText;
};

// The keys in the order the extension reads them, with their defaults.
constexpr Key kKeys[] = {
    {"Enabled", PreferenceKind::Bool, "YES"},
    {"NowPlayingHooks", PreferenceKind::Bool, "YES"},
    {"PrimaryTextColour", PreferenceKind::Colour, "F4FCF7FF"},
    {"SecondaryTextColour", PreferenceKind::Colour, "E4E4E4FF"},
    {"PrimaryTintColour", PreferenceKind::Colour, "17A5FFFF"},
    {"SecondaryTintColour", PreferenceKind::Colour, "0B4478FF"},
    {"BlurTintColour", PreferenceKind::Colour, "E4E4E4FF"},
    {"BlurPreset", PreferenceKind::Integer, "0"},
    {"UseCustomTint", PreferenceKind::Bool, "NO"},
    {"Customise", PreferenceKind::Bool, "NO"},
    {"Saturation", PreferenceKind::Real, "1"},
    {"BlurRadius", PreferenceKind::Real, "10"},
    {"BlurArtwork", PreferenceKind::Bool, "NO"},
    {"AdaptiveNowPlaying", PreferenceKind::Bool, "NO"},
    {"ReadableText", PreferenceKind::Bool, "NO"},
};

SEL readerOf(PreferenceKind kind) {
  switch (kind) {
    case PreferenceKind::Bool: return "boolValue"_sel;
    case PreferenceKind::Integer: return "integerValue"_sel;
    case PreferenceKind::Real: return "doubleValue"_sel;
    case PreferenceKind::Colour: return "stringValue"_sel;
  }
  return "stringValue"_sel;
}

// A colour text the parser reads in full: one optional "#", then 3, 4, 6 or
// 8 hexadecimal digits.
bool wellFormedColourText(std::string text) {
  if (text.size() >= 2 && text[0] == '#') text.erase(0, 1);
  if (text.size() != 3 && text.size() != 4 && text.size() != 6 && text.size() != 8) return false;
  for (char c : text)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

std::string hexText(const double rgba[4]) {
  auto byte = [](double v) { return static_cast<unsigned>(v * 255 + 0.5); };
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02X%02X", byte(rgba[0]), byte(rgba[1]), byte(rgba[2]), byte(rgba[3]));
  return text;
}

std::string colourAsText(const double rgba[4]) {
  if (rgba[0] == 0 && rgba[1] == 0 && rgba[2] == 0 && rgba[3] == 1) return "black";
  return "#" + hexText(rgba);
}

std::string numberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// A string read as a number: whether the whole text is one (leading and
// trailing blanks allowed).
bool wholeNumberText(const std::string& text, bool real) {
  size_t start = text.find_first_not_of(" \t\n");
  if (start == std::string::npos) return false;
  size_t end = text.find_last_not_of(" \t\n") + 1;
  std::string core = text.substr(start, end - start);
  char* stop = nullptr;
  if (real)
    std::strtod(core.c_str(), &stop);
  else
    std::strtoll(core.c_str(), &stop, 10);
  return stop == core.c_str() + core.size();
}

// A text as a warning quotes it: a long one is cut, so a line stays a line.
std::string quoted(const std::string& text) {
  return "\"" + (text.size() <= 40 ? text : text.substr(0, 40) + "...") + "\"";
}

bool spelledBool(const std::string& text) {
  for (const char* word : {"YES", "NO", "yes", "no", "true", "false", "TRUE", "FALSE", "1", "0"})
    if (text == word) return true;
  return false;
}

// The dictionary with the switches in front of other keys turned on, so
// that readSettings reads those keys too.
NSDictionary* withSwitchesOn(NSDictionary* prefs, bool customise) {
  auto* copy = objc::as<NSMutableDictionary>(
      objc_autorelease(objc::send<id()>(prefs ? prefs : NSDictionary::dictionary(), "mutableCopy"_sel)));
  copy->setObjectForKey(NSNumber::withBool(YES), "Enabled"_ns);
  if (customise) copy->setObjectForKey(NSNumber::withBool(YES), "Customise"_ns);
  return copy;
}

void rgbaOf(UIColor* colour, double rgba[4]) {
  CGFloat r = 0, g = 0, b = 0, a = 1;
  if (colour) colour->getRGBA(&r, &g, &b, &a);
  rgba[0] = r, rgba[1] = g, rgba[2] = b, rgba[3] = a;
}

// Fills the reading's value from the records readSettings filled.
void takeValue(PreferenceReading& r, const TweakSettingsRecord& plain, const TweakSettingsRecord& enabled,
               const TweakSettingsRecord& customised, const ThemeColoursRecord& colours) {
  const std::string name = r.key;
  if (name == "Enabled") r.boolValue = plain.Enabled;
  if (name == "NowPlayingHooks") r.boolValue = enabled.NowPlayingHooks;
  if (name == "UseCustomTint") r.boolValue = enabled.UseCustomTint;
  if (name == "Customise") r.boolValue = enabled.Customise;
  if (name == "BlurArtwork") r.boolValue = enabled.BlurArtwork;
  if (name == "AdaptiveNowPlaying") r.boolValue = enabled.AdaptiveNowPlaying;
  if (name == "ReadableText") r.boolValue = enabled.ReadableText;
  if (name == "BlurPreset") r.integerValue = enabled.BlurPreset;
  if (name == "Saturation") r.realValue = customised.Saturation;
  if (name == "BlurRadius") r.realValue = customised.BlurRadius;
  if (name == "PrimaryTextColour") rgbaOf(colours.PrimaryTextColour.get(), r.rgba);
  if (name == "SecondaryTextColour") rgbaOf(colours.SecondaryTextColour.get(), r.rgba);
  if (name == "PrimaryTintColour") rgbaOf(colours.PrimaryTintColour.get(), r.rgba);
  if (name == "SecondaryTintColour") rgbaOf(colours.SecondaryTintColour.get(), r.rgba);
  if (name == "BlurTintColour") rgbaOf(colours.BlurTintColour.get(), r.rgba);
}

std::string knownStylesText() {
  std::string text;
  for (const BackdropStyle& style : knownBackdropStyles())
    text += (text.empty() ? "" : ", ") + std::to_string(style.number) + " " + style.name;
  return text;
}

// Values the extension takes as they are and that spoil the picture.
std::string harmOf(const PreferenceReading& r) {
  const std::string name = r.key;
  switch (r.kind) {
    case PreferenceKind::Real:
      if (!std::isfinite(r.realValue)) return name + " is " + numberText(r.realValue) + ", not a finite number";
      if (r.realValue < 0)
        return name + " is negative (" + numberText(r.realValue) + ")" +
               (name == "Saturation" ? ": the blur turns every hue to its opposite" : ": no blur has such a radius");
      return "";
    case PreferenceKind::Integer: {
      for (const BackdropStyle& style : knownBackdropStyles())
        if (style.number == r.integerValue) return "";
      // The platform takes the style as a 32-bit number.
      const int reaches = static_cast<int>(r.integerValue);
      std::string shown = "the light blur (0)";
      for (const BackdropStyle& style : knownBackdropStyles())
        if (style.number == reaches) shown = "style " + std::to_string(reaches) + " (" + style.name + ")";
      return name + " " + std::to_string(r.integerValue) + " is not a blur style the platform knows (" +
             knownStylesText() + "); it shows " + shown;
    }
    case PreferenceKind::Colour:
      if (r.rgba[3] == 0) return name + " " + colourAsText(r.rgba) + " has zero alpha: nothing drawn in it shows";
      return "";
    case PreferenceKind::Bool: return "";
  }
  return "";
}

// What the value was read as when that is not what it says.
std::string misreadingOf(const Key& key, const PreferenceReading& r, id value) {
  std::string name = key.name;
  if (!objc::send<BOOL(SEL)>(value, "respondsToSelector:"_sel, readerOf(key.kind)))
    return name + " holds a " + class_getName(object_getClass(value)) + ", which no reader takes; it stays at its default " +
           key.defaultText;
  bool isString = objc::isKind<NSString>(value);
  std::string text = isString ? objc::as<NSString>(value)->str() : objc::as<NSNumber>(value)->stringValue()->str();
  switch (key.kind) {
    case PreferenceKind::Colour:
      if (!isString)
        return name + " holds the number " + text + ", read as the colour text \"" + text + "\": " + colourAsText(r.rgba);
      if (wellFormedColourText(text)) return "";
      return name + " " + quoted(text) + " is not a colour text (RGB, RGBA, RRGGBB or RRGGBBAA in hexadecimal); it became " +
             colourAsText(r.rgba);
    case PreferenceKind::Bool:
      if (!isString || spelledBool(text)) return "";
      return name + " " + quoted(text) + " is not a yes or no; it became " + (r.boolValue ? "YES" : "NO");
    case PreferenceKind::Integer:
      if (!isString || wholeNumberText(text, false)) return "";
      return name + " " + quoted(text) + " is not a whole number; it became " + std::to_string(r.integerValue);
    case PreferenceKind::Real:
      if (!isString || wholeNumberText(text, true)) return "";
      return name + " " + quoted(text) + " is not a number; it became " + numberText(r.realValue);
  }
  return "";
}

}  // namespace

std::vector<PreferenceReading> readPreferences(NSDictionary* prefs) {
  // Three readings by the extension's own reader: as it is, with Enabled
  // on, and with Customise on as well.
  TweakSettingsRecord plain, enabled, customised;
  ThemeColoursRecord colours, unusedPlain, unusedCustomised;
  readSettings(prefs, plain, unusedPlain);
  readSettings(withSwitchesOn(prefs, false), enabled, colours);
  readSettings(withSwitchesOn(prefs, true), customised, unusedCustomised);

  std::vector<PreferenceReading> readings;
  for (const Key& key : kKeys) {
    PreferenceReading r{key.name, key.kind};
    takeValue(r, plain, enabled, customised, colours);
    id value = prefs ? prefs->objectForKey(NSString::withUTF8(key.name)) : nil;
    r.present = value != nil;
    if (key.kind == PreferenceKind::Colour) {
      std::string text = key.defaultText;
      if (value && objc::send<BOOL(SEL)>(value, "respondsToSelector:"_sel, "stringValue"_sel))
        text = objc::send<NSString*()>(value, "stringValue"_sel)->str();
      r.colourText = wellFormedColourText(text) ? text : hexText(r.rgba);
    }
    std::string misread = value ? misreadingOf(key, r, value) : "";
    std::string harm = harmOf(r);
    r.warning = misread.empty() ? harm : harm.empty() ? misread : misread + "; " + harm;
    readings.push_back(std::move(r));
  }
  return readings;
}

std::vector<std::string> preferenceWarnings(NSDictionary* prefs) {
  std::vector<std::string> lines;
  if (!prefs) return lines;
  for (const PreferenceReading& r : readPreferences(prefs))
    if (!r.warning.empty()) lines.push_back(r.warning);
  return lines;
}
