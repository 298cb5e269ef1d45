// Preferences: defaults, each key, the hex colour texts, the readers and
// files that are missing or broken.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"
#include "tweak/color_from_hex.h"
#include "tweak/settings.h"

namespace {

struct Channels {
  double r, g, b, a;
};

Channels channelsOf(UIColor* color) {
  Channels c{-1, -1, -1, -1};
  EXPECT_TRUE(color->getRGBA(&c.r, &c.g, &c.b, &c.a));
  return c;
}

void expectColour(UIColor* color, Channels expected, const std::string& what) {
  ASSERT_NE(color, nullptr) << what;
  Channels c = channelsOf(color);
  EXPECT_DOUBLE_EQ(c.r, expected.r) << what;
  EXPECT_DOUBLE_EQ(c.g, expected.g) << what;
  EXPECT_DOUBLE_EQ(c.b, expected.b) << what;
  EXPECT_DOUBLE_EQ(c.a, expected.a) << what;
}

void expectDefaults() {
  EXPECT_TRUE(TweakSettings.Enabled);
  EXPECT_TRUE(TweakSettings.NowPlayingHooks);
  EXPECT_EQ(TweakSettings.BlurPreset, 0);
  EXPECT_FALSE(TweakSettings.UseCustomTint);
  EXPECT_FALSE(TweakSettings.Customise);
  EXPECT_FALSE(TweakSettings.BlurArtwork);
  EXPECT_FALSE(TweakSettings.AdaptiveNowPlaying);
  EXPECT_FALSE(TweakSettings.ReadableText);
  EXPECT_EQ(TweakSettings.Saturation, 0);
  EXPECT_EQ(TweakSettings.BlurRadius, 0);
  expectColour(ThemeColours.PrimaryTextColour, {244 / 255.0, 252 / 255.0, 247 / 255.0, 1}, "PrimaryTextColour");
  expectColour(ThemeColours.SecondaryTextColour, {228 / 255.0, 228 / 255.0, 228 / 255.0, 1}, "SecondaryTextColour");
  expectColour(ThemeColours.PrimaryTintColour, {0x17 / 255.0, 0xA5 / 255.0, 1, 1}, "PrimaryTintColour");
  expectColour(ThemeColours.SecondaryTintColour, {0x0B / 255.0, 0x44 / 255.0, 0x78 / 255.0, 1}, "SecondaryTintColour");
  expectColour(ThemeColours.BlurTintColour, {228 / 255.0, 228 / 255.0, 228 / 255.0, 1}, "BlurTintColour");
}

TEST(Preferences, NoFileBrokenFilesAndValuesOfOtherTypesGiveEveryDefault) {
  const std::optional<std::string> files[] = {
      std::nullopt,
      "",
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Enabled</key><fal",
      "not a property list at all",
      "<plist version=\"1.0\"><dict><key>Enabled</key><false/><key>Blur",  // cut off inside the dictionary
      plist({}).substr(0, 60),
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><false/></array></plist>",
      std::string("bplist00\xff\xff\xff", 11),
      // Values of other types count as absent.
      plist({{"Enabled", "<array><false/></array>"},
             {"NowPlayingHooks", "<dict><key>a</key><false/></dict>"},
             {"PrimaryTextColour", "<date>2020-01-01T00:00:00Z</date>"},
             {"BlurPreset", "<data>AAEC</data>"}}),
  };
  for (const std::optional<std::string>& bytes : files) {
    SCOPED_TRACE(bytes.value_or("(no file)"));
    inLaunch({.preferences = bytes}, [] { expectDefaults(); });
  }
}

TEST(Preferences, EachKeyIsRead) {
  inLaunch({.preferences = plist({{"Enabled", "<true/>"},
                                  {"NowPlayingHooks", "<false/>"},
                                  {"PrimaryTextColour", "<string>#FF0000</string>"},
                                  {"SecondaryTextColour", "<string>00FF00</string>"},
                                  {"PrimaryTintColour", "<string>00F</string>"},
                                  {"SecondaryTintColour", "<string>FFF8</string>"},
                                  {"BlurTintColour", "<integer>112233</integer>"},
                                  {"BlurPreset", "<integer>2010</integer>"},
                                  {"UseCustomTint", "<true/>"},
                                  {"Customise", "<true/>"},
                                  {"Saturation", "<real>0.5</real>"},
                                  {"BlurRadius", "<string>4.25</string>"},
                                  {"BlurArtwork", "<true/>"},
                                  {"AdaptiveNowPlaying", "<integer>1</integer>"},
                                  {"ReadableText", "<string>YES</string>"}})},
           [] {
             EXPECT_TRUE(TweakSettings.Enabled);
             EXPECT_FALSE(TweakSettings.NowPlayingHooks);
             expectColour(ThemeColours.PrimaryTextColour, {1, 0, 0, 1}, "primary text");
             expectColour(ThemeColours.SecondaryTextColour, {0, 1, 0, 1}, "secondary text");
             expectColour(ThemeColours.PrimaryTintColour, {0, 0, 1, 1}, "primary tint");
             expectColour(ThemeColours.SecondaryTintColour, {1, 1, 1, 0x88 / 255.0}, "secondary tint");
             expectColour(ThemeColours.BlurTintColour, {0x11 / 255.0, 0x22 / 255.0, 0x33 / 255.0, 1},
                          "a number read as its decimal text");
             EXPECT_EQ(TweakSettings.BlurPreset, 2010);
             EXPECT_TRUE(TweakSettings.UseCustomTint);
             EXPECT_TRUE(TweakSettings.Customise);
             EXPECT_DOUBLE_EQ(TweakSettings.Saturation, 0.5);
             EXPECT_DOUBLE_EQ(TweakSettings.BlurRadius, 4.25);
             EXPECT_TRUE(TweakSettings.BlurArtwork);
             EXPECT_TRUE(TweakSettings.AdaptiveNowPlaying);
             EXPECT_TRUE(TweakSettings.ReadableText);
           });
}

// readSettings, which loadSettings runs on the globals and the tools on a
// file, writes only what it reads: a field behind a switch that is off
// keeps what the record held (here 7, a value no file gives, or NO), so
// Enabled off, however written, leaves everything off.
TEST(Preferences, ReadSettingsWritesOnlyTheFieldsItReads) {
  const std::pair<std::string, std::string> optIns[] = {
      {"BlurArtwork", "<true/>"}, {"AdaptiveNowPlaying", "<true/>"}, {"ReadableText", "<true/>"}};
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> entries;
    bool enabled, readsBlurNumbers;
  } cases[] = {
      {"Enabled off", {{"Enabled", "<false/>"}, {"Saturation", "<real>2</real>"}, {"Customise", "<true/>"}}, false,
       false},
      {"Enabled 0", {{"Enabled", "<integer>0</integer>"}}, false, false},
      {"Enabled NO", {{"Enabled", "<string>NO</string>"}}, false, false},
      {"Customise off", {{"Saturation", "<real>2</real>"}, {"BlurRadius", "<real>3</real>"}}, true, false},
      {"Customise on: the blur numbers' defaults", {{"Customise", "<true/>"}}, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = ::testing::TempDir() + "read_settings.plist";
    std::vector<std::pair<std::string, std::string>> entries = c.entries;
    if (!c.enabled) entries.insert(entries.end(), std::begin(optIns), std::end(optIns));
    std::ofstream(path) << plist(entries);
    inFreshProcess([&] {
      registerColorCategories();
      TweakSettingsRecord settings;
      settings.BlurPreset = settings.Saturation = settings.BlurRadius = 7;
      ThemeColoursRecord colours;
      readSettings(NSDictionary::withContentsOfFile(NSString::withUTF8(path)), settings, colours);
      EXPECT_EQ(settings.Enabled, c.enabled);
      EXPECT_EQ(settings.NowPlayingHooks, c.enabled);
      EXPECT_FALSE(settings.BlurArtwork || settings.AdaptiveNowPlaying || settings.ReadableText);
      EXPECT_EQ(settings.BlurPreset, c.enabled ? 0 : 7);
      EXPECT_EQ(colours.PrimaryTextColour.get() != nullptr, c.enabled);
      EXPECT_EQ(settings.Saturation, c.readsBlurNumbers ? 1 : 7);
      EXPECT_EQ(settings.BlurRadius, c.readsBlurNumbers ? 10 : 7);
    });
  }
}

struct HexCase {
  const char* text;
  Channels expected;
};

TEST(SettingValues, HexTextsGiveTheirColoursOrBlackAndNumbersAndStringsAnswerEveryReader) {
  const Channels black{0, 0, 0, 1};
  const HexCase cases[] = {
      {"FFF", {1, 1, 1, 1}},
      {"#FFF", {1, 1, 1, 1}},
      {"#ABCD", {0xAA / 255.0, 0xBB / 255.0, 0xCC / 255.0, 0xDD / 255.0}},
      {"#12345678", {0x12 / 255.0, 0x34 / 255.0, 0x56 / 255.0, 0x78 / 255.0}},
      {"#abcdef", {0xAB / 255.0, 0xCD / 255.0, 0xEF / 255.0, 1}},
      {"F4FCF7FF", {244 / 255.0, 252 / 255.0, 247 / 255.0, 1}},
      {"1G0000", {1 / 255.0, 0, 0, 1}},
      {"0x1234", {0, 0x12 / 255.0, 0x34 / 255.0, 1}},
  };
  const char* blackTexts[] = {"8", "#", "", "12345", "1234567", "GGGGGG", "##FFF"};
  inLaunch({}, [&] {
    for (const HexCase& c : cases) expectColour(colorFromHexString(NSString::withUTF8(c.text)), c.expected, c.text);
    for (const char* text : blackTexts) expectColour(colorFromHexString(NSString::withUTF8(text)), black, text);
    expectColour(colorFromHexString(nil), black, "nil");
    EXPECT_EQ(channelsOf(colorFromHexString("F"_ns)).r, 0) << "a one-character text is no colour";

    // Numbers and strings answer every setting reader.
    NSDictionary* d = NSDictionary::withObjectsAndKeys({NSNumber::withInteger(7), "n"_ns, "12.5"_ns, "s"_ns,
                                                        NSNumber::withDouble(2.75), "d"_ns, "yes"_ns, "b"_ns});
    EXPECT_EQ(integerForSetting("n"_ns, 1, d), 7);
    EXPECT_EQ(integerForSetting("s"_ns, 1, d), 12);
    EXPECT_EQ(integerForSetting("d"_ns, 1, d), 2);
    EXPECT_EQ(integerForSetting("missing"_ns, 9, d), 9);
    EXPECT_DOUBLE_EQ(CGFloatForSetting("s"_ns, 1, d), 12.5);
    EXPECT_DOUBLE_EQ(CGFloatForSetting("missing"_ns, 10, d), 10.0);
    EXPECT_TRUE(boolForSetting("b"_ns, NO, d));
    EXPECT_TRUE(boolForSetting("n"_ns, NO, d));
    EXPECT_EQ(stringForSetting("n"_ns, nil, d)->str(), "7");
    EXPECT_EQ(stringForSetting("s"_ns, nil, d)->str(), "12.5");
    EXPECT_EQ(stringForSetting("missing"_ns, "dflt"_ns, d)->str(), "dflt");
    EXPECT_EQ(integerForSetting("n"_ns, 4, nil), 4) << "a nil dictionary gives the default";
  });
}

}  // namespace
