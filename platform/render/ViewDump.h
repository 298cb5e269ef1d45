// The JSON view of a view tree: class, frame, colours, alpha, hidden, tag,
// subviews, and on each view the state the extension can change on it
// (label texts and colours, drawn texts, texts drawn into images with the
// colour their pixels show, blur settings, tab bar backdrops, selection
// backdrops, ...). Outside checks read these keys.
//
//   nlohmann::json tree = dumpView(window);
#pragma once

#include <nlohmann/json.hpp>
#include <string>

struct UIView;
struct UIColor;

nlohmann::json dumpView(UIView* view);
// "#RRGGBBAA" or null.
nlohmann::json colourJson(UIColor* color);
