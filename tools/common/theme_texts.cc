// Probe colours are near-magenta and differ in the green channel only:
// nothing in the stock screens is drawn in them.
#include "tools/common/theme_texts.h"

namespace {

std::string keyOf(const std::string& screen, const nlohmann::json& reading) {
  return screen + "\n" + reading.value("/view/path"_json_pointer, std::string()) + "\n" +
         reading.value("text", std::string());
}

}  // namespace

const char* themeRoleKey(ThemeRole role) {
  switch (role) {
    case ThemeRole::PrimaryText: return "PrimaryTextColour";
    case ThemeRole::SecondaryText: return "SecondaryTextColour";
    case ThemeRole::PrimaryTint: return "PrimaryTintColour";
    case ThemeRole::SecondaryTint: return "SecondaryTintColour";
  }
  return "";
}

std::string probeColour(ThemeRole role) {
  static const char* const probes[] = {"F303E1FF", "F317E1FF", "F32BE1FF", "F33FE1FF"};
  return probes[static_cast<int>(role)];
}

void addThemeTexts(const std::string& screen, const nlohmann::json& probeTexts, ThemeTextMap* map) {
  for (const nlohmann::json& reading : probeTexts) {
    // "#RRGGBBAA": the alpha is the views' as much as the colour's.
    const std::string ink = reading.value("ink", std::string());
    for (ThemeRole role : kThemeRoles)
      if (ink.size() >= 7 && ink.compare(1, 6, probeColour(role), 0, 6) == 0) (*map)[keyOf(screen, reading)] = role;
  }
}

const ThemeRole* roleOf(const ThemeTextMap& map, const std::string& screen, const nlohmann::json& reading) {
  auto found = map.find(keyOf(screen, reading));
  return found == map.end() ? nullptr : &found->second;
}

double ratioNeededForAA(const nlohmann::json& reading) { return reading.value("large", false) ? 3.0 : 4.5; }
