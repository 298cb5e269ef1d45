// Rounds: render every screen with the candidate, find the theme texts
// below AA, and move each failing colour's lightness as far as its worst
// text asks (the background it stands on follows from the ratio measured
// and the ink's luminance), with a margin and never less than a small step,
// toward black over a light backdrop and toward white over a dark one. A
// colour already at black or white that still fails asks for the next
// stronger backdrop style of the same kind; without one, its texts are
// reported as out of reach.
#include "tools/common/theme_suggestion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "tools/common/colour_tone.h"
#include "tools/common/screen_render.h"
#include "tools/common/theme_texts.h"
#include "tools/preview/setting_overrides.h"

namespace {

using json = nlohmann::json;

// Aim above the line so that a text measured just at it after rounding
// still passes; texts of the primary colour get more.
constexpr double kMargin = 1.12;
constexpr double kLeastStep = 0.04;  // OKLCH lightness moved at the least

struct Candidate {
  long style = 0;
  std::map<ThemeRole, SRGB> colours;
  SRGB blurTint;
};

std::string preferencesOf(const Candidate& c, bool probe) {
  std::vector<SettingOverride> values;
  SettingOverride preset{"BlurPreset", SettingType::Integer};
  preset.integerValue = c.style;
  values.push_back(preset);
  for (ThemeRole role : kThemeRoles) {
    SettingOverride colour{themeRoleKey(role), SettingType::ColourText};
    colour.text = probe ? probeColour(role) : colourText(c.colours.at(role));
    values.push_back(colour);
  }
  SettingOverride tint{"BlurTintColour", SettingType::ColourText};
  tint.text = colourText(c.blurTint);
  values.push_back(tint);
  return preferencesWithOverrides("", values);
}

std::string ratioText(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f:1", ratio);
  return text;
}

// The colour moved (in lightness only) to read at `ratio` over a backdrop
// of luminance `behind`; a colour that already does is kept.
SRGB placed(const SRGB& colour, double behind, double ratio, bool darkText) {
  const double own = luminanceOf(colour);
  if (darkText ? own <= behind && contrastOf(own, behind) >= ratio : own >= behind && contrastOf(own, behind) >= ratio)
    return colour;
  return withLuminance(colour, darkText ? (behind + 0.05) / ratio - 0.05 : ratio * (behind + 0.05) - 0.05);
}

// The scheme's most colourful colour, for the tints.
SRGB mostColourful(const WallpaperTone& tone) {
  SRGB best = tone.background;
  for (const SRGB& c : {tone.primary, tone.secondary})
    if (toOKLCH(c).chroma > toOKLCH(best).chroma) best = c;
  return best;
}

Candidate firstCandidate(const WallpaperTone& tone) {
  const BackdropChoice& b = tone.backdrop;
  const double aim = 4.5 * kMargin;
  Candidate c;
  c.style = b.style;
  c.blurTint = tone.background;
  c.colours[ThemeRole::PrimaryText] = placed(tone.primary, b.hardLuminance, aim * 1.1, b.darkText);
  c.colours[ThemeRole::SecondaryText] = placed(tone.secondary, b.hardLuminance, aim, b.darkText);
  OKLCH tint = toOKLCH(mostColourful(tone));
  tint.chroma = std::max(tint.chroma, 0.12);
  c.colours[ThemeRole::PrimaryTint] = placed(fromOKLCH(tint), b.hardLuminance, aim, b.darkText);
  tint.chroma *= 0.6;
  c.colours[ThemeRole::SecondaryTint] = placed(fromOKLCH(tint), b.hardLuminance, aim, b.darkText);
  return c;
}

struct Measured {
  size_t themed = 0, below = 0;
  // Per role, the failing texts: "screen \"text\"" and the reading.
  std::map<ThemeRole, std::vector<std::pair<std::string, json>>> failing;
};

bool measure(const ThemeSuggestionRequest& request, const std::vector<SuggestionScreen>& screens,
             const std::optional<std::string>& preferences, const ThemeTextMap* roles, ThemeTextMap* found,
             Measured* measured, std::string* error) {
  for (const SuggestionScreen& s : screens) {
    std::string png;
    json texts;
    ScreenRenderRequest render{s.app, s.screen, true, preferences, nullptr, request.wallpaper, request.scale};
    if (!renderScreenReadability(render, &png, &texts, error)) return false;
    if (found) addThemeTexts(s.name(), texts, found);
    if (!roles) continue;
    for (const json& reading : texts) {
      const ThemeRole* role = roleOf(*roles, s.name(), reading);
      if (!role) continue;
      ++measured->themed;
      if (reading.value("worstContrast", 0.0) >= ratioNeededForAA(reading)) continue;
      ++measured->below;
      measured->failing[*role].push_back({s.name() + " \"" + reading.value("text", std::string()) + "\"", reading});
    }
  }
  return true;
}

bool atExtreme(const SRGB& colour, bool darkText) {
  const double y = luminanceOf(colour);
  return darkText ? y <= 1e-4 : y >= 1 - 1e-4;
}

// The luminance that the role's worst failing text asks of its colour.
double luminanceAsked(const SRGB& colour, const std::vector<std::pair<std::string, json>>& failing, bool darkText) {
  const double own = luminanceOf(colour);
  double asked = own;
  for (const auto& [name, reading] : failing) {
    const double worst = std::max(1.0, reading.value("worstContrast", 1.0));
    const double aim = ratioNeededForAA(reading) * kMargin;
    const double behind = darkText ? worst * (own + 0.05) - 0.05 : (own + 0.05) / worst - 0.05;
    const double wanted = darkText ? (behind + 0.05) / aim - 0.05 : aim * (behind + 0.05) - 0.05;
    asked = darkText ? std::min(asked, wanted) : std::max(asked, wanted);
  }
  return std::clamp(asked, 0.0, 1.0);
}

SRGB movedToward(const SRGB& colour, double asked, bool darkText) {
  SRGB moved = withLuminance(colour, asked);
  OKLCH from = toOKLCH(colour), to = toOKLCH(moved);
  const double step = darkText ? from.lightness - to.lightness : to.lightness - from.lightness;
  if (step < kLeastStep)
    moved = fromOKLCH({std::clamp(from.lightness + (darkText ? -kLeastStep : kLeastStep), 0.0, 1.0), from.chroma,
                       from.hue});
  return moved;
}

// The next style of the same kind that leaves more room, the one with the
// lightest tint among them.
const BackdropChoice* strongerStyle(const WallpaperTone& tone, long style) {
  const BackdropChoice* current = nullptr;
  for (const BackdropChoice& c : tone.candidates)
    if (c.style == style) current = &c;
  const BackdropChoice* next = nullptr;
  for (const BackdropChoice& c : tone.candidates)
    if (current && c.darkText == current->darkText && c.room > current->room + 0.1 &&
        (!next || c.tintAlpha < next->tintAlpha))
      next = &c;
  return next;
}

json valuesOf(const Candidate& c) {
  json values = {{"BlurPreset", c.style}, {"BlurTintColour", colourText(c.blurTint)}};
  for (ThemeRole role : kThemeRoles) values[themeRoleKey(role)] = colourText(c.colours.at(role));
  return values;
}

}  // namespace

std::string SuggestionScreen::name() const { return (app ? app->name : std::string("?")) + "-" + screen; }

std::vector<SuggestionScreen> everySuggestionScreen() {
  std::vector<SuggestionScreen> all;
  for (const HostApp* app : {&musicApp(), &messagesApp()})
    for (const std::string& screen : app->screens) all.push_back({app, screen});
  return all;
}

bool suggestTheme(const ThemeSuggestionRequest& request, ThemeSuggestion* out, std::string* error) {
  if (!request.wallpaper || request.wallpaper->empty()) return *error = "no wallpaper", false;
  const std::vector<SuggestionScreen> screens = request.screens.empty() ? everySuggestionScreen() : request.screens;
  auto say = [&](const std::string& line) {
    if (request.progress) request.progress(line);
  };
  ThemeSuggestion suggestion;
  if (!readWallpaperTone(*request.wallpaper, &suggestion.tone, error)) return false;
  const WallpaperTone& tone = suggestion.tone;
  Candidate candidate = firstCandidate(tone);
  const bool darkText = tone.backdrop.darkText;
  say("wallpaper: blurred luminance " + std::to_string(tone.luminance).substr(0, 5) + ", picker scheme " +
      colourText(tone.background).substr(0, 6) + " / " + colourText(tone.primary).substr(0, 6) + " / " +
      colourText(tone.secondary).substr(0, 6) + "; BlurPreset " + std::to_string(tone.backdrop.style) + " (" +
      tone.backdrop.name + "), " + (darkText ? "dark" : "light") + " texts");

  ThemeTextMap roles;
  Measured ignored;
  if (!measure(request, screens, preferencesOf(candidate, true), nullptr, &roles, &ignored, error)) return false;
  Measured stock;
  if (!measure(request, screens, std::nullopt, &roles, nullptr, &stock, error)) return false;
  suggestion.belowAAWithDefault = stock.below;
  say("default theme: " + std::to_string(stock.below) + " of " + std::to_string(stock.themed) +
      " theme texts below AA");

  std::map<ThemeRole, bool> outOfReach;
  // The candidate with the fewest texts below AA, the earliest of equals
  // (a stronger style that helped nothing is not kept).
  Candidate best;
  Measured last, bestMeasured;
  int bestRound = 1;
  for (int round = 1; round <= std::max(1, request.maxRounds); ++round) {
    last = {};
    if (!measure(request, screens, preferencesOf(candidate, false), &roles, nullptr, &last, error)) return false;
    if (round == 1 || last.below < bestMeasured.below) best = candidate, bestMeasured = last, bestRound = round;
    std::string line = "round " + std::to_string(round) + ": BlurPreset " + std::to_string(candidate.style) + ", " +
                       std::to_string(last.below) + " of " + std::to_string(last.themed) + " theme texts below AA";
    const bool finalRound = round == std::max(1, request.maxRounds);
    Candidate next = candidate;
    bool stronger = false;
    for (const auto& [role, failing] : last.failing) {
      if (outOfReach[role]) continue;
      const SRGB& colour = candidate.colours.at(role);
      line += std::string("; ") + themeRoleKey(role) + " " + std::to_string(failing.size()) + " (worst " +
              failing.front().first + ")";
      if (atExtreme(colour, darkText)) {
        if (!stronger) {
          if (const BackdropChoice* style = strongerStyle(tone, candidate.style)) {
            next.style = style->style;
            stronger = true;
            continue;
          }
        }
        if (!stronger) outOfReach[role] = true;
        continue;
      }
      next.colours[role] = movedToward(colour, luminanceAsked(colour, failing, darkText), darkText);
      line += " " + colourText(colour).substr(0, 6) + " -> " + colourText(next.colours[role]).substr(0, 6);
    }
    if (stronger) line += "; BlurPreset -> " + std::to_string(next.style);
    suggestion.rounds.push_back(line);
    say(line);
    const bool changed = valuesOf(next) != valuesOf(candidate);
    if (last.below == 0 || !changed || finalRound) break;
    candidate = next;
  }

  say("suggested: the theme of round " + std::to_string(bestRound));
  suggestion.values = valuesOf(best);
  suggestion.themedTexts = bestMeasured.themed;
  suggestion.belowAAWithSuggestion = bestMeasured.below;
  for (const auto& [role, failing] : bestMeasured.failing) {
    const SRGB& colour = best.colours.at(role);
    const std::string why = atExtreme(colour, darkText)
                                ? std::string("even ") + (darkText ? "black" : "white") +
                                      " reads no better over what is drawn behind it there, with any backdrop "
                                      "style of the kind"
                                : "the rounds ran out";
    for (const auto& [name, reading] : failing)
      suggestion.unreachable.push_back(name + " (" + themeRoleKey(role) + "): " +
                                       ratioText(reading.value("worstContrast", 0.0)) + " where AA asks " +
                                       ratioText(ratioNeededForAA(reading)) + "; " + why);
  }
  *out = std::move(suggestion);
  return true;
}
