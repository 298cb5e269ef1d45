// Every render adds, for each text a theme colour decides, what was seen:
// the ink's luminance and the worst-case ratio. Two sightings with
// different inks pin the luminance behind the text (one ratio alone leaves
// it on either side of the ink), so the first two renders are the probe
// theme and the default one, over the same backdrop style. Then each colour
// takes the lightness (hue and chroma kept) that gives every one of its
// texts AA with a margin, the nearest to the scheme's colour that does, or
// the one whose worst text comes closest, on the side of the plan: dark
// texts over a light backdrop style or light texts over a dark one (the
// blur behind the lists is the platform's and stays whatever the style);
// both plans are rendered and the better goes on. Rounds render the result
// and correct it until every text passes or nothing changes.
//
// A suggested theme turns ReadableText on: without it the Messages list
// keeps the host's grey texts whatever the colours, and a theme offered as
// readable should be readable in both apps. Its renders, the probe's among
// them, have it on, so the Messages texts count as the theme's; the default
// theme is measured as the user has it, with the key off.
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

// Aim above the line, so that a text measured just at it still passes.
constexpr double kMargin = 1.12;
// The luminance at which black and white read equally well.
constexpr double kMiddleLuminance = 0.179;

struct Candidate {
  long style = 0;
  std::map<ThemeRole, SRGB> colours;
  SRGB blurTint;
};

struct Sighting {
  double ink, worst;
  long style;
};

struct ThemeText {
  std::string name;  // screen "words"
  ThemeRole role;
  double needed;  // AA's ratio for the text
  std::vector<Sighting> seen;
};
using ThemeTexts = std::map<std::string, ThemeText>;

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
  SettingOverride readable{"ReadableText", SettingType::Bool};
  readable.boolValue = true;
  values.push_back(readable);
  return preferencesWithOverrides("", values);
}

std::string ratioText(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f:1", ratio);
  return text;
}

double inkLuminance(const json& reading) {
  SRGB ink;
  const std::string text = reading.value("ink", std::string("#000000"));
  return parseColourText(text.substr(1, 6), &ink) ? luminanceOf(ink) : 0;
}

// The scheme's most colourful colour, for the tints.
SRGB mostColourful(const WallpaperTone& tone) {
  SRGB best = tone.background;
  for (const SRGB& c : {tone.primary, tone.secondary})
    if (toOKLCH(c).chroma > toOKLCH(best).chroma) best = c;
  return best;
}

// The scheme's colours: the texts from its text colours, the tints from
// its most colourful one, given some colour at the least.
Candidate schemeCandidate(const WallpaperTone& tone) {
  Candidate c;
  c.style = 0;
  c.blurTint = tone.background;
  c.colours[ThemeRole::PrimaryText] = tone.primary;
  c.colours[ThemeRole::SecondaryText] = tone.secondary;
  OKLCH tint = toOKLCH(mostColourful(tone));
  tint.chroma = std::max(tint.chroma, 0.12);
  c.colours[ThemeRole::PrimaryTint] = fromOKLCH(tint);
  tint.chroma *= 0.6;
  c.colours[ThemeRole::SecondaryTint] = fromOKLCH(tint);
  return c;
}

struct Measured {
  size_t themed = 0, below = 0;
  std::map<std::string, size_t> belowByApp;
  std::map<ThemeRole, std::vector<std::pair<std::string, double>>> failing;  // name, worst ratio
};

// Renders every screen with `preferences` and records each theme text's
// sighting. With `found`, the render is the probe one and says which texts
// are the theme's.
bool measure(const ThemeSuggestionRequest& request, const std::vector<SuggestionScreen>& screens,
             const std::optional<std::string>& preferences, long style, ThemeTextMap* roles, bool probe,
             ThemeTexts* texts, Measured* measured, std::string* error) {
  for (const SuggestionScreen& s : screens) {
    std::string png;
    json readings;
    ScreenRenderRequest render{s.app, s.screen, true, preferences, nullptr, request.wallpaper, request.scale};
    if (!renderScreenReadability(render, &png, &readings, error)) return false;
    if (probe) addThemeTexts(s.name(), readings, roles);
    std::map<std::string, int> occurrences;
    for (const json& reading : readings) {
      const ThemeRole* role = roleOf(*roles, s.name(), reading);
      if (!role) continue;
      const std::string words = reading.value("text", std::string());
      const std::string key = s.name() + "\n" + reading.value("/view/path"_json_pointer, std::string()) + "\n" +
                              words + "\n" + std::to_string(occurrences[s.name() + words]++);
      ThemeText& text = (*texts)[key];
      text.name = s.name() + " \"" + words + "\"";
      text.role = *role;
      text.needed = ratioNeededForAA(reading);
      const double worst = std::max(1.0, reading.value("worstContrast", 1.0));
      text.seen.push_back({inkLuminance(reading), worst, style});
      ++measured->themed;
      if (worst >= text.needed) continue;
      ++measured->below;
      ++measured->belowByApp[s.app->name];
      measured->failing[*role].push_back({text.name, worst});
    }
  }
  return true;
}

// The luminance behind a text that best explains its sightings under
// `style` (or under any style, when they agree).
double luminanceBehind(const ThemeText& text, long style) {
  std::vector<Sighting> same, all = text.seen;
  for (const Sighting& s : text.seen)
    if (s.style == style) same.push_back(s);
  auto fit = [](const std::vector<Sighting>& sightings, double* residual) {
    double best = 0, bestError = INFINITY;
    for (const Sighting& s : sightings)
      for (double behind : {(s.ink + 0.05) / s.worst - 0.05, s.worst * (s.ink + 0.05) - 0.05}) {
        if (behind < -0.01 || behind > 1.01) continue;
        behind = std::clamp(behind, 0.0, 1.0);
        double error = 0;
        for (const Sighting& o : sightings) error += std::pow(std::log(contrastOf(o.ink, behind) / o.worst), 2);
        // Of two that explain it equally, the one across the middle from
        // the ink: inks are chosen to stand apart from what is behind them.
        if ((behind < kMiddleLuminance) != (s.ink < kMiddleLuminance)) error -= 1e-9;
        if (error < bestError) best = behind, bestError = error;
      }
    *residual = bestError;
    return best;
  };
  double residual = 0;
  const double fromAll = fit(all, &residual);
  if (residual < 0.01 * static_cast<double>(all.size()) || same.empty()) return fromAll;
  return fit(same, &residual);
}

struct Solved {
  SRGB colour;
  double margin = 0;  // the worst text's ratio over what it needs (with the aim's margin)
  std::string lightest, darkest;  // the texts with the lightest and darkest backgrounds
  double lightestBehind = 0, darkestBehind = 0, needed = 0;  // their luminances; the most a text needs
};

// The lightness for a colour's texts, on the side of the middle that
// `darkText` says: the nearest to `start` with every text at AA and the
// margin, or else the one whose worst text comes closest.
Solved solveColour(const SRGB& start, const std::vector<const ThemeText*>& texts, long style, bool darkText) {
  std::vector<double> behind;
  Solved solved{start, INFINITY};
  double light = -1, dark = 2;
  for (const ThemeText* t : texts) {
    behind.push_back(luminanceBehind(*t, style));
    if (behind.back() > light) light = behind.back(), solved.lightest = t->name;
    if (behind.back() < dark) dark = behind.back(), solved.darkest = t->name;
    solved.needed = std::max(solved.needed, t->needed);
  }
  solved.lightestBehind = light, solved.darkestBehind = dark;
  // A colour no text is drawn in still goes to the plan's side (it tints
  // what stands beside the texts).
  const OKLCH from = toOKLCH(start);
  double bestDistance = INFINITY;
  solved.margin = -1;
  for (int step = 0; step <= 200; ++step) {
    const SRGB colour = fromOKLCH({step / 200.0, from.chroma, from.hue});
    const double y = luminanceOf(colour);
    if ((y < kMiddleLuminance) != darkText) continue;
    double margin = INFINITY;
    for (size_t i = 0; i < texts.size(); ++i)
      margin = std::min(margin, contrastOf(y, behind[i]) / (texts[i]->needed * kMargin));
    const double distance = std::abs(step / 200.0 - from.lightness);
    const bool passes = margin >= 1, bestPasses = solved.margin >= 1;
    if ((passes && (!bestPasses || distance < bestDistance)) || (!passes && !bestPasses && margin > solved.margin))
      solved.colour = colour, solved.margin = margin, bestDistance = distance;
  }
  return solved;
}

// A style of the kind asked for: the lightest tint with room enough, else
// the most room; the wallpaper's own choice when none is of the kind.
long styleFor(const WallpaperTone& tone, bool darkText) {
  const BackdropChoice* best = nullptr;
  for (const BackdropChoice& c : tone.candidates)
    if (c.darkText == darkText && c.room >= kBackdropRoomWanted && (!best || c.tintAlpha < best->tintAlpha)) best = &c;
  if (!best)
    for (const BackdropChoice& c : tone.candidates)
      if (c.darkText == darkText && (!best || c.room > best->room)) best = &c;
  return best ? best->style : tone.backdrop.style;
}

std::string styleName(const WallpaperTone& tone, long style) {
  for (const BackdropChoice& c : tone.candidates)
    if (c.style == style) return c.name;
  return "unknown";
}

json valuesOf(const Candidate& c) {
  json values = {{"BlurPreset", c.style}, {"BlurTintColour", colourText(c.blurTint)}, {"ReadableText", true}};
  for (ThemeRole role : kThemeRoles) values[themeRoleKey(role)] = colourText(c.colours.at(role));
  return values;
}

// Each colour solved for its texts as last seen.
Candidate solvedCandidate(const Candidate& from, const ThemeTexts& texts, bool darkText,
                          std::map<ThemeRole, Solved>* solved) {
  Candidate next = from;
  for (ThemeRole role : kThemeRoles) {
    std::vector<const ThemeText*> own;
    for (const auto& [key, t] : texts)
      if (t.role == role) own.push_back(&t);
    Solved s = solveColour(from.colours.at(role), own, from.style, darkText);
    next.colours[role] = s.colour;
    (*solved)[role] = s;
  }
  return next;
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
  say("wallpaper: blurred luminance " + std::to_string(tone.luminance).substr(0, 5) + ", picker scheme " +
      colourText(tone.background).substr(0, 6) + " / " + colourText(tone.primary).substr(0, 6) + " / " +
      colourText(tone.secondary).substr(0, 6));

  // The probe and the default theme over the default style.
  Candidate candidate = schemeCandidate(tone);
  ThemeTextMap roles;
  ThemeTexts texts;
  Measured probe, stock;
  if (!measure(request, screens, preferencesOf(candidate, true), 0, &roles, true, &texts, &probe, error) ||
      !measure(request, screens, std::nullopt, 0, &roles, false, &texts, &stock, error))
    return false;
  suggestion.belowAAWithDefault = stock.below;
  for (const SuggestionScreen& s : screens) {
    suggestion.belowByAppWithDefault[s.app->name] = stock.belowByApp[s.app->name];
    suggestion.belowByAppWithSuggestion[s.app->name] = 0;
  }
  say("default theme: " + std::to_string(stock.below) + " of " + std::to_string(stock.themed) +
      " theme texts below AA");

  // Dark texts over a light style, or light texts over a dark one: the
  // blur behind the lists is the platform's and the same for both, the
  // backdrops follow the style. Each is tried once; the rounds go on with
  // the one that leaves fewer texts below AA.
  auto planned = [&](bool darkText) {
    Candidate plan = candidate;
    plan.style = styleFor(tone, darkText);
    std::map<ThemeRole, Solved> solved;
    return solvedCandidate(plan, texts, darkText, &solved);
  };
  Candidate best;
  Measured last, bestMeasured;
  bool darkText = true;
  int bestRound = 1;
  for (bool dark : {true, false}) {
    Candidate plan = planned(dark);
    last = {};
    if (!measure(request, screens, preferencesOf(plan, false), plan.style, &roles, false, &texts, &last, error))
      return false;
    say(std::string(dark ? "dark" : "light") + " texts over BlurPreset " + std::to_string(plan.style) + " (" +
        styleName(tone, plan.style) + "): " + std::to_string(last.below) + " of " + std::to_string(last.themed) +
        " theme texts below AA");
    if (dark || last.below < bestMeasured.below) best = plan, bestMeasured = last, darkText = dark;
  }
  candidate = best;
  last = bestMeasured;

  const int rounds = std::max(1, request.maxRounds);
  for (int round = 1; round <= rounds; ++round) {
    if (round > 1) {
      last = {};
      if (!measure(request, screens, preferencesOf(candidate, false), candidate.style, &roles, false, &texts, &last,
                   error))
        return false;
      if (last.below < bestMeasured.below) best = candidate, bestMeasured = last, bestRound = round;
    }
    std::string line = "round " + std::to_string(round) + ": BlurPreset " + std::to_string(candidate.style) + ", " +
                       std::to_string(last.below) + " of " + std::to_string(last.themed) + " theme texts below AA";
    for (ThemeRole role : kThemeRoles)
      line += std::string("; ") + themeRoleKey(role) + " " + colourText(candidate.colours.at(role)).substr(0, 6);
    for (const auto& [role, failing] : last.failing)
      line += std::string("; ") + themeRoleKey(role) + " fails " + std::to_string(failing.size()) + " (" +
              failing.front().first + " " + ratioText(failing.front().second) + ")";
    suggestion.rounds.push_back(line);
    say(line);
    if (last.below == 0) break;
    std::map<ThemeRole, Solved> solved;
    Candidate next = solvedCandidate(candidate, texts, darkText, &solved);
    if (valuesOf(next) == valuesOf(candidate)) break;
    candidate = next;
  }
  say("suggested: the theme of round " + std::to_string(bestRound));

  suggestion.values = valuesOf(best);
  suggestion.themedTexts = bestMeasured.themed;
  suggestion.belowAAWithSuggestion = bestMeasured.below;
  for (const auto& [app, below] : bestMeasured.belowByApp) suggestion.belowByAppWithSuggestion[app] = below;
  std::map<ThemeRole, Solved> finalSolved;
  solvedCandidate(best, texts, darkText, &finalSolved);
  for (const auto& [role, failing] : bestMeasured.failing) {
    const Solved& s = finalSolved[role];
    // A colour reads over both extremes only if they stand the square of
    // the ratio apart (the colour sits between them, the ratio each way).
    char luminances[64];
    std::snprintf(luminances, sizeof luminances, " (luminance %.3f and %.3f)", s.darkestBehind, s.lightestBehind);
    const bool noColourCan = contrastOf(s.lightestBehind, s.darkestBehind) < s.needed * s.needed;
    const std::string why =
        s.margin >= 1 ? "the rounds ran out"
        : noColourCan ? std::string("no ") + themeRoleKey(role) + ", light or dark, reads both behind " + s.darkest +
                            " and behind " + s.lightest + luminances
                      : std::string("no ") + (darkText ? "dark" : "light") + " " + themeRoleKey(role) +
                            " reads on every background it stands on, from dark (behind " + s.darkest +
                            ") to light (behind " + s.lightest + ")" + luminances;
    for (const auto& [name, worst] : failing)
      suggestion.unreachable.push_back(name + " (" + themeRoleKey(role) + "): " + ratioText(worst) + "; " + why);
  }
  *out = std::move(suggestion);
  return true;
}
