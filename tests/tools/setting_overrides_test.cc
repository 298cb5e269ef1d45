// mirel-preview's --set values: typed by the preference key's table and
// written over a base property list; malformed ones are refused naming the
// key.
#include "tools/preview/setting_overrides.h"

#include <gtest/gtest.h>

namespace {

const char* const kBase =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
    "<key>BlurArtwork</key><true/>\n<key>BlurPreset</key><integer>4</integer>\n</dict>\n</plist>\n";

std::string entry(const std::string& key, const std::string& value) { return "<key>" + key + "</key>\n\t" + value; }

TEST(SettingOverrides, TypesEachValueByItsKeyAndRefusesMalformedOnes) {
  struct Case {
    const char* text;
    const char* written;     // the entry in the written list; null: refused
    const char* error = "";  // part of the refusal
  };
  const Case cases[] = {
      {"AdaptiveNowPlaying=true", "<key>AdaptiveNowPlaying</key>\n\t<true/>"},
      {"BlurArtwork=NO", "<key>BlurArtwork</key>\n\t<false/>"},
      {"Enabled=0", "<key>Enabled</key>\n\t<false/>"},
      {"NowPlayingHooks=yes", "<key>NowPlayingHooks</key>\n\t<true/>"},
      {"Customise=1", "<key>Customise</key>\n\t<true/>"},
      {"BlurPreset=2060", "<key>BlurPreset</key>\n\t<integer>2060</integer>"},
      {"BlurPreset=-2", "<key>BlurPreset</key>\n\t<integer>-2</integer>"},
      {"BlurRadius=12.5", "<key>BlurRadius</key>\n\t<real>12.5"},
      {"Saturation=2", "<key>Saturation</key>\n\t<real>2"},
      {"PrimaryTextColour=#FF8800", "<key>PrimaryTextColour</key>\n\t<string>#FF8800</string>"},
      {"BlurTintColour=not a colour", "<key>BlurTintColour</key>\n\t<string>not a colour</string>"},
      {"SecondaryTintColour=", "<key>SecondaryTintColour</key>\n\t<string></string>"},
      {"BlurArtwork=maybe", nullptr, "BlurArtwork takes a bool"},
      {"BlurArtwork=", nullptr, "BlurArtwork takes a bool"},
      {"BlurPreset=2.5", nullptr, "BlurPreset takes an integer"},
      {"BlurPreset= 3", nullptr, "BlurPreset takes an integer"},
      {"BlurPreset=99999999999999999999", nullptr, "BlurPreset takes an integer"},
      {"BlurRadius=ten", nullptr, "BlurRadius takes a number"},
      {"Saturation=nan", nullptr, "Saturation takes a number"},
      {"Saturation=1e999", nullptr, "Saturation takes a number"},
      {"BlurRadius", nullptr, "expected KEY=VALUE"},
      {"blurartwork=true", nullptr, "unknown preference key \"blurartwork\""},
      {"Wallpaper=1", nullptr, "unknown preference key \"Wallpaper\""},
  };
  for (const Case& c : cases) {
    std::string error;
    std::optional<SettingOverride> parsed = parseSettingOverride(c.text, &error);
    ASSERT_EQ(parsed.has_value(), c.written != nullptr) << c.text << ": " << error;
    if (!parsed) {
      EXPECT_NE(error.find(c.error), std::string::npos) << c.text << ": " << error;
      continue;
    }
    std::string written = preferencesWithOverrides(kBase, {*parsed});
    EXPECT_NE(written.find(c.written), std::string::npos) << c.text << " wrote:\n" << written;
    // The base's own keys stay unless overridden.
    if (parsed->key != "BlurArtwork") {
      EXPECT_NE(written.find(entry("BlurArtwork", "<true/>")), std::string::npos) << c.text;
    }
    if (parsed->key != "BlurPreset") {
      EXPECT_NE(written.find(entry("BlurPreset", "<integer>4</integer>")), std::string::npos) << c.text;
    }
  }
  // Later values win; an unreadable base counts as an empty dictionary.
  std::string error;
  std::string written = preferencesWithOverrides(
      "not a property list",
      {*parseSettingOverride("BlurRadius=3", &error), *parseSettingOverride("BlurRadius=4", &error)});
  EXPECT_NE(written.find(entry("BlurRadius", "<real>4")), std::string::npos) << written;
  EXPECT_EQ(written.find("<real>3"), std::string::npos) << written;
}

}  // namespace
