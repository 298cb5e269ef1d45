// A theme suggested from a wallpaper, checked on the rendered screens: the
// picker's scheme of the blurred wallpaper gives the colours, the
// wallpaper's tone the backdrop style; then every screen is rendered and
// measured, the colours whose texts fall below AA are moved in lightness,
// and again, for a bounded number of rounds. The same wallpaper always
// gives the same theme.
//
//   ThemeSuggestion suggestion;
//   if (suggestTheme({.wallpaper = &wallpaper}, &suggestion, &error)) prefs.setAll(suggestion.values, ...);
#pragma once

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/render/Bitmap.h"
#include "tools/common/wallpaper_tone.h"

struct HostApp;

struct SuggestionScreen {
  const HostApp* app = nullptr;
  std::string screen;
  std::string name() const;  // "music-songs"
};
// Every screen of both modelled apps.
std::vector<SuggestionScreen> everySuggestionScreen();

struct ThemeSuggestionRequest {
  const Bitmap* wallpaper = nullptr;
  double scale = 2;
  std::vector<SuggestionScreen> screens;  // empty: every screen
  int maxRounds = 6;                      // renders of the candidate theme
  std::function<void(const std::string& line)> progress;  // a line per round
};

struct ThemeSuggestion {
  // {key: value} for the preferences file: BlurPreset and the five colours.
  nlohmann::json values;
  WallpaperTone tone;
  size_t themedTexts = 0;  // texts the theme's colours decide, every screen
  size_t belowAAWithDefault = 0, belowAAWithSuggestion = 0;
  std::map<std::string, size_t> belowByAppWithDefault, belowByAppWithSuggestion;  // by app name
  std::vector<std::string> rounds;       // what each round measured and changed
  std::vector<std::string> unreachable;  // texts left below AA, each with why
};

// False and a reason when a screen cannot be rendered or the picker fails.
bool suggestTheme(const ThemeSuggestionRequest& request, ThemeSuggestion* suggestion, std::string* error);
