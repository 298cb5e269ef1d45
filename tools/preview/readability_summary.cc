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
