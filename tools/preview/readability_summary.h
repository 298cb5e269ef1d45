// What mirel-preview says about readability: a line per screen, stock
// beside themed, and the texts that fall below a minimum ratio. Both read
// the "texts" of APP-SCREEN-readability.json.
//
//   std::puts(readabilitySummary("music-songs", &stockTexts, &themedTexts).c_str());
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// "music-songs: 35 texts; below AA: stock 0, themed 3 (worst 2.1:1 "9:12 AM")";
// a side that was not rendered is null and left out.
std::string readabilitySummary(const std::string& screen, const nlohmann::json* stock, const nlohmann::json* themed);

// With ReadableText: gives each text whose ink is one of the two theme text
// colours ("#RRGGBB", the ink's alpha aside) "themeColour", the key's name.
void markThemeColourTexts(nlohmann::json& texts, const std::string& primaryText, const std::string& secondaryText);

// "theme colours leave 2 below AA: "Sunday" (SecondaryTextColour 1.0:1), ..."
// over the texts markThemeColourTexts marked; "" when none is marked.
std::string themeColourShortfall(const nlohmann::json& texts);

// One line per text whose worst-case ratio is below `minimum`, naming the
// screen and the text.
std::vector<std::string> contrastFailures(const std::string& screen, const nlohmann::json& texts, double minimum);
