// Which texts of a screen the theme's colours decide: found once per screen
// from a render whose four text and tint colours are probe colours no stock
// text uses, so a text whose ink is a probe colour is that colour's, and the
// same text (its view and words) is that colour's in every other theme.
//
//   ThemeTextMap roles = themeTextsOf("music-songs", probeTexts);
//   if (const ThemeRole* role = roleOf(roles, "music-songs", reading)) ...
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>

enum class ThemeRole { PrimaryText, SecondaryText, PrimaryTint, SecondaryTint };
inline constexpr ThemeRole kThemeRoles[] = {ThemeRole::PrimaryText, ThemeRole::SecondaryText, ThemeRole::PrimaryTint,
                                            ThemeRole::SecondaryTint};

// The preferences key of the role's colour ("PrimaryTextColour").
const char* themeRoleKey(ThemeRole role);
// "RRGGBBFF", a colour of its own per role.
std::string probeColour(ThemeRole role);

// Screen and text key ("music-songs", view path and words) to its role.
using ThemeTextMap = std::map<std::string, ThemeRole>;

// Adds the texts of one probe render (the readings' "texts") to `map`.
void addThemeTexts(const std::string& screen, const nlohmann::json& probeTexts, ThemeTextMap* map);
const ThemeRole* roleOf(const ThemeTextMap& map, const std::string& screen, const nlohmann::json& reading);

// The ratio the reading has to reach for AA: 3 for large text, else 4.5.
double ratioNeededForAA(const nlohmann::json& reading);
