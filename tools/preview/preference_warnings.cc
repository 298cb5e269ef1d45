// Preference values the extension reads as black or as a default.
#include "tools/preview/preference_warnings.h"

#include <cctype>
#include <cstdio>

#include "platform/foundation/NSNumber.h"
#include "platform/foundation/NSString.h"
#include "platform/objc/runtime.h"
#include "tweak/color_from_hex.h"

namespace {

enum class Kind { Bool, Integer, Real, Colour };

struct Key {
  const char* name;
  Kind kind;
  const char* defaultText;
};

// The keys in the order the extension reads them, with their defaults.
constexpr Key kKeys[] = {
    {"Enabled", Kind::Bool, "YES"},
    {"NowPlayingHooks", Kind::Bool, "YES"},
    {"PrimaryTextColour", Kind::Colour, "F4FCF7FF"},
    {"SecondaryTextColour", Kind::Colour, "E4E4E4FF"},
    {"PrimaryTintColour", Kind::Colour, "17A5FFFF"},
    {"SecondaryTintColour", Kind::Colour, "0B4478FF"},
    {"BlurTintColour", Kind::Colour, "E4E4E4FF"},
    {"BlurPreset", Kind::Integer, "0"},
    {"UseCustomTint", Kind::Bool, "NO"},
    {"Customise", Kind::Bool, "NO"},
    {"Saturation", Kind::Real, "1"},
    {"BlurRadius", Kind::Real, "10"},
    {"BlurArtwork", Kind::Bool, "NO"},
    {"AdaptiveNowPlaying", Kind::Bool, "NO"},
};

SEL readerOf(Kind kind) {
  switch (kind) {
    case Kind::Bool: return "boolValue"_sel;
    case Kind::Integer: return "integerValue"_sel;
    case Kind::Real: return "doubleValue"_sel;
    case Kind::Colour: return "stringValue"_sel;
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

std::string colourAsText(UIColor* colour) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  colour->getRGBA(&r, &g, &b, &a);
  if (r == 0 && g == 0 && b == 0 && a == 1) return "black";
  auto byte = [](CGFloat v) { return static_cast<unsigned>(v * 255 + 0.5); };
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byte(r), byte(g), byte(b), byte(a));
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

bool spelledBool(const std::string& text) {
  for (const char* word : {"YES", "NO", "yes", "no", "true", "false", "TRUE", "FALSE", "1", "0"})
    if (text == word) return true;
  return false;
}

std::string warningFor(const Key& key, id value) {
  std::string name = key.name;
  if (!objc::send<BOOL(SEL)>(value, "respondsToSelector:"_sel, readerOf(key.kind)))
    return name + " holds a " + class_getName(object_getClass(value)) + ", which no reader takes; it stays at its default " +
           key.defaultText;
  bool isString = objc::isKind<NSString>(value);
  std::string text = isString ? objc::as<NSString>(value)->str() : objc::as<NSNumber>(value)->stringValue()->str();
  switch (key.kind) {
    case Kind::Colour: {
      std::string became = colourAsText(colorFromHexString(NSString::withUTF8(text)));
      if (!isString) return name + " holds the number " + text + ", read as the colour text \"" + text + "\": " + became;
      if (wellFormedColourText(text)) return "";
      return name + " \"" + text + "\" is not a colour text (RGB, RGBA, RRGGBB or RRGGBBAA in hexadecimal); it became " +
             became;
    }
    case Kind::Bool:
      if (!isString || spelledBool(text)) return "";
      return name + " \"" + text + "\" is not a yes or no; it became " +
             (objc::send<BOOL()>(value, "boolValue"_sel) ? "YES" : "NO");
    case Kind::Integer:
      if (!isString || wholeNumberText(text, false)) return "";
      return name + " \"" + text + "\" is not a whole number; it became " +
             std::to_string(objc::send<NSInteger()>(value, "integerValue"_sel));
    case Kind::Real: {
      if (!isString || wholeNumberText(text, true)) return "";
      char became[32];
      std::snprintf(became, sizeof became, "%g", objc::send<double()>(value, "doubleValue"_sel));
      return name + " \"" + text + "\" is not a number; it became " + became;
    }
  }
  return "";
}

}  // namespace

std::vector<std::string> preferenceWarnings(NSDictionary* prefs) {
  std::vector<std::string> lines;
  if (!prefs) return lines;
  for (const Key& key : kKeys) {
    id value = prefs->objectForKey(NSString::withUTF8(key.name));
    if (!value) continue;
    std::string line = warningFor(key, value);
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}
