// The preferences as the extension reads them, found in a launch of its
// own by the extension's own reader (through mirel-preview's readings), so
// the page shows what a device would show: a malformed colour as black, a
// negative Saturation as negative, a BlurRadius given as text as its number.
//
//   nlohmann::json readings;
//   if (readAsExtension(bytes, &readings, &error)) prefs.setReadings(readings);
#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// `bytes` are the preferences file (none: no file). Gives {key: {"value",
// "warning"}} for the fifteen keys; false and a reason when the extension
// could not read the file (it would use every default) or the launch failed.
bool readAsExtension(const std::optional<std::string>& bytes, nlohmann::json* readings, std::string* error);
