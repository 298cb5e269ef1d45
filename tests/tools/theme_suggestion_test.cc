// A theme suggested from the wallpaper: the lightness move it is built on,
// and whole suggestions for a plain light and a plain dark wallpaper,
// checked on the screens of both apps rendered from the file as written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/uikit/UIBackdropView.h"
#include "tools/common/colour_tone.h"
#include "tools/common/screen_render.h"
#include "tools/common/theme_suggestion.h"
#include "tools/studio/preferences.h"

namespace {

TEST(ColourTone, LightnessMovesKeepTheHueAndLandOnTheLuminance) {
  const struct {
    const char* colour;
    double target;
  } cases[] = {{"17A5FF", 0.02}, {"17A5FF", 0.8}, {"0B4478", 0.5}, {"E4E4E4", 0.05}, {"DFFA00", 0.03}, {"C0262D", 0.6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.colour) + " to " + std::to_string(c.target));
    SRGB from;
    ASSERT_TRUE(parseColourText(c.colour, &from));
    SRGB moved = withLuminance(from, c.target);
    EXPECT_NEAR(luminanceOf(moved), c.target, 0.004);
    // Out of gamut the chroma gives way, never the hue.
    OKLCH before = toOKLCH(from), after = toOKLCH(moved);
    if (before.chroma > 0.05 && after.chroma > 0.02) {
      double turn = std::remainder(after.hue - before.hue, 2 * std::numbers::pi);
      EXPECT_LT(std::abs(turn), 0.05);
    }
  }
  SRGB black;
  parseColourText("000000", &black);
  EXPECT_EQ(colourText(withLuminance(black, 1)), "FFFFFFFF");
}

Bitmap plainWallpaper(double r, double g, double b) {
  Bitmap wallpaper = Bitmap::create(320, 568);
  cairo_t* cr = cairo_create(wallpaper.surface());
  cairo_set_source_rgb(cr, r, g, b);
  cairo_paint(cr);
  cairo_destroy(cr);
  return wallpaper;
}

TEST(ThemeSuggestion, PlainLightAndDarkWallpapersGetThemesWhoseTextsPassAA) {
  const std::vector<SuggestionScreen> screens = {
      {&musicApp(), "songs"}, {&musicApp(), "nowplaying"}, {&messagesApp(), "conversations"}};
  const struct {
    const char* name;
    double grey;
    bool darkText;
  } cases[] = {{"light", 0.93, true}, {"dark", 0.08, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bitmap wallpaper = plainWallpaper(c.grey, c.grey, c.grey * 1.05);
    ThemeSuggestion first, second;
    std::string error;
    ASSERT_TRUE(suggestTheme({&wallpaper, 1, screens}, &first, &error)) << error;
    ASSERT_TRUE(suggestTheme({&wallpaper, 1, screens}, &second, &error)) << error;
    EXPECT_EQ(first.values, second.values);
    EXPECT_GT(first.themedTexts, 10u);
    EXPECT_EQ(first.belowAAWithSuggestion, 0u);
    EXPECT_TRUE(first.unreachable.empty()) << first.unreachable.front();
    EXPECT_LE(first.rounds.size(), 6u);

    const long style = first.values["BlurPreset"].get<long>();
    EXPECT_TRUE(std::any_of(knownBackdropStyles().begin(), knownBackdropStyles().end(),
                            [&](const BackdropStyle& s) { return s.number == style; }));
    SRGB primary;
    ASSERT_TRUE(parseColourText(first.values["PrimaryTextColour"], &primary));
    EXPECT_EQ(luminanceOf(primary) < 0.18, c.darkText);

    // The file as written, read by the extension: every text drawn in one
    // of the suggested text or tint colours reaches AA.
    Preferences document;
    Change change;
    ASSERT_TRUE(document.setAll(first.values, &change, &error)) << error;
    const std::string bytes = document.propertyList(PropertyListFormat::Binary);
    ASSERT_EQ(bytes.rfind("bplist00", 0), 0u);
    std::set<std::string> inks;
    for (const char* key : {"PrimaryTextColour", "SecondaryTextColour", "PrimaryTintColour", "SecondaryTintColour"})
      inks.insert("#" + first.values[key].get<std::string>().substr(0, 6));
    size_t checked = 0, messagesChecked = 0;
    for (const SuggestionScreen& s : screens) {
      std::string png;
      nlohmann::json texts;
      ASSERT_TRUE(renderScreenReadability({s.app, s.screen, true, bytes, nullptr, &wallpaper, 1}, &png, &texts, &error))
          << error;
      for (const nlohmann::json& t : texts) {
        if (!inks.count(t["ink"].get<std::string>().substr(0, 7))) continue;
        ++checked;
        messagesChecked += s.app == &messagesApp();
        EXPECT_GE(t["worstContrast"].get<double>(), t["large"].get<bool>() ? 3.0 : 4.5)
            << s.name() << " \"" << t["text"].get<std::string>() << "\"";
      }
    }
    EXPECT_GT(checked, 10u);
    EXPECT_GT(messagesChecked, 5u) << "the Messages list keeps the host's texts: the theme leaves ReadableText off";
  }
}

}  // namespace
