// Readability lines from the records' JSON.
#include "tools/preview/readability_summary.h"

#include "platform/render/ReadabilityPicture.h"

using nlohmann::json;

namespace {

// "themed 3 (worst 2.1:1 "9:12 AM")", or "themed 0".
std::string side(const char* name, const json& texts) {
  int below = 0;
  const json* worst = nullptr;
  for (const json& t : texts) {
    if (t["verdict"] != "below AA") continue;
    ++below;
    if (!worst || t["worstContrast"].get<double>() < (*worst)["worstContrast"].get<double>()) worst = &t;
  }
  std::string text = std::string(name) + " " + std::to_string(below);
  if (worst)
    text += " (worst " + ratioText((*worst)["worstContrast"].get<double>()) + " " + json((*worst)["text"]).dump() + ")";
  return text;
}

}  // namespace

std::string readabilitySummary(const std::string& screen, const json* stock, const json* themed) {
  const json* counted = themed ? themed : stock;
  size_t count = counted ? counted->size() : 0;
  std::string line = screen + ": " + std::to_string(count) + (count == 1 ? " text" : " texts");
  if (stock && themed && stock->size() != themed->size()) line += " (stock " + std::to_string(stock->size()) + ")";
  line += "; below AA: ";
  if (stock) line += side("stock", *stock);
  if (stock && themed) line += ", ";
  if (themed) line += side("themed", *themed);
  return line;
}

void markThemeColourTexts(json& texts, const std::string& primaryText, const std::string& secondaryText) {
  for (json& t : texts) {
    const std::string ink = t.value("ink", "");
    const std::string rgb = ink.size() >= 7 ? ink.substr(0, 7) : ink;
    if (rgb == primaryText)
      t["themeColour"] = "PrimaryTextColour";
    else if (rgb == secondaryText)
      t["themeColour"] = "SecondaryTextColour";
  }
}

std::string themeColourShortfall(const json& texts) {
  constexpr size_t kNamed = 6;  // a line stays a line
  size_t marked = 0;
  std::vector<const json*> below;
  for (const json& t : texts) {
    if (!t.contains("themeColour")) continue;
    ++marked;
    if (t["verdict"] == "below AA") below.push_back(&t);
  }
  if (marked == 0) return "";
  std::string line = "theme colours leave " + std::to_string(below.size()) + " of " + std::to_string(marked) +
                     " below AA";
  for (size_t i = 0; i < below.size() && i < kNamed; ++i)
    line += std::string(i ? ", " : ": ") + (*below[i])["text"].dump() + " (" +
            (*below[i])["themeColour"].get<std::string>() + " " +
            ratioText((*below[i])["worstContrast"].get<double>()) + ")";
  if (below.size() > kNamed) line += ", and " + std::to_string(below.size() - kNamed) + " more";
  return line;
}

std::vector<std::string> contrastFailures(const std::string& screen, const json& texts, double minimum) {
  std::vector<std::string> lines;
  for (const json& t : texts) {
    double ratio = t["worstContrast"].get<double>();
    if (ratio < minimum)
      lines.push_back(screen + ": " + t["text"].dump() + " is " + ratioText(ratio) + " at worst, below " +
                      json(minimum).dump() + ":1");
  }
  return lines;
}
