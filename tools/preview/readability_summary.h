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

// One line per text whose worst-case ratio is below `minimum`, naming the
// screen and the text.
std::vector<std::string> contrastFailures(const std::string& screen, const nlohmann::json& texts, double minimum);
