// What mirel-preview tells a user: preference values read as black or as a
// default, launches that fail, each named, and how readable each screen's
// texts are; and the readings a tool gets with a screen's picture.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <set>
#include <stdexcept>

#include "apps/messages/MessagesApp.h"
#include "platform/foundation/foundation.h"
#include "tests/support/launch.h"
#include "tools/common/screen_render.h"
#include "tools/preview/preference_warnings.h"
#include "tools/preview/readability_summary.h"
#include "tools/preview/screen_launch.h"
#include "tweak/color_from_hex.h"

namespace {

std::vector<std::string> warningsFor(const std::string& key, const std::string& valueXml) {
  const std::string path = ::testing::TempDir() + "preview_warnings.plist";
  std::ofstream(path) << plist({{key, valueXml}});
  registerColorCategories();
  AutoreleasePool pool;
  return preferenceWarnings(NSDictionary::withContentsOfFile(NSString::withUTF8(path)));
}

TEST(PreferenceWarnings, NameTheKeyAndWhatTheValueBecame) {
  const struct {
    const char* key;
    const char* value;
    const char* warning;  // nullptr: read as written, no warning
  } cases[] = {
      {"PrimaryTextColour", "<string>not-a-colour</string>", "PrimaryTextColour \"not-a-colour\" is not a colour text"},
      {"SecondaryTextColour", "<string>#12345</string>", "it became black"},
      {"BlurTintColour", "<string></string>", "BlurTintColour \"\" is not a colour text"},
      {"PrimaryTintColour", "<integer>112233</integer>",
       "PrimaryTintColour holds the number 112233, read as the colour text \"112233\": #112233FF"},
      {"SecondaryTintColour", "<array/>", "SecondaryTintColour holds a NSArray, which no reader takes; it stays at its "
                                          "default 0B4478FF"},
      {"PrimaryTextColour", "<string>1G0000</string>", "it became #010000FF"},
      {"Customise", "<string>maybe</string>", "Customise \"maybe\" is not a yes or no; it became NO"},
      {"BlurRadius", "<string>wide</string>", "BlurRadius \"wide\" is not a number; it became 0"},
      {"BlurPreset", "<string>12abc</string>", "BlurPreset \"12abc\" is not a whole number; it became 12"},
      // Accepted as written, and harmful.
      {"Saturation", "<real>-3</real>", "Saturation is negative (-3): the blur turns every hue to its opposite"},
      {"BlurRadius", "<string>-5</string>", "BlurRadius is negative (-5)"},
      {"BlurRadius", "<string>1e999</string>", "BlurRadius is inf, not a finite number"},
      {"BlurPreset", "<integer>99999999999</integer>",
       "BlurPreset 99999999999 is not a blur style the platform knows (0 light, 1 dark, 2 ultra dark, 2010"},
      {"BlurPreset", "<integer>5</integer>", "it shows the light blur (0)"},
      // The platform takes the style as 32 bits: 2^32 + 1 reaches it as 1.
      {"BlurPreset", "<integer>4294967297</integer>", "it shows style 1 (dark)"},
      {"BlurPreset", "<string>12abc</string>", "it became 12; BlurPreset 12 is not a blur style"},
      {"PrimaryTextColour", "<string>FF000000</string>", "PrimaryTextColour #FF000000 has zero alpha"},
      {"BlurTintColour", "<integer>1230</integer>", "has zero alpha"},
      {"BlurPreset", "<integer>2060</integer>", nullptr},
      {"Saturation", "<real>0</real>", nullptr},
      {"PrimaryTextColour", "<string>#F4FCF7FF</string>", nullptr},
      {"SecondaryTextColour", "<string>abc</string>", nullptr},
      {"Enabled", "<string>YES</string>", nullptr},
      {"BlurRadius", "<real>1e9</real>", nullptr},
      {"Saturation", "<string> 0.5 </string>", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " " + c.value);
    inFreshProcess([&] {
      std::vector<std::string> lines = warningsFor(c.key, c.value);
      if (!c.warning) {
        EXPECT_TRUE(lines.empty()) << lines.front();
        return;
      }
      ASSERT_EQ(lines.size(), 1u);
      EXPECT_NE(lines[0].find(c.warning), std::string::npos) << lines[0];
    });
  }
}

TEST(ScreenLaunch, AFailedLaunchSaysWhichScreenAndWhy) {
  const struct {
    const char* name;
    std::function<int()> body;
    int status;
    const char* said;  // nullptr: nothing on stderr
  } cases[] = {
      {"done", [] { return 0; }, 0, nullptr},
      {"throws", []() -> int { throw std::length_error("vector::_M_default_append"); }, 1,
       "mirel-preview: music songs: the launch failed: vector::_M_default_append"},
      // A signal the sanitisers leave alone, so that every build dies the same way.
      {"dies", []() -> int { std::raise(SIGTERM); return 0; }, 128 + SIGTERM,
       "mirel-preview: music songs: the launch died of signal 15"},
      {"exits oddly", [] { return 7; }, 7, "mirel-preview: music songs: the launch ended with status 7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ::testing::internal::CaptureStderr();
    int status = runScreenLaunch("music songs", c.body);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, c.status);
    if (c.said)
      EXPECT_NE(said.find(c.said), std::string::npos) << said;
    else
      EXPECT_EQ(said, "");
  }
}

nlohmann::json textRecord(const char* text, double worst, const char* verdict) {
  return {{"text", text}, {"worstContrast", worst}, {"verdict", verdict}};
}

TEST(ReadabilityReport, ALinePerScreenStockBesideThemed) {
  const nlohmann::json stock = {textRecord("Songs", 6.5, "AA"), textRecord("9:41 AM", 3.94, "below AA")};
  const nlohmann::json themed = {textRecord("Large", 3.2, "AA"), textRecord("9:41 AM", 2.19, "below AA"),
                                 textRecord("9:12 AM", 2.16, "below AA")};
  const nlohmann::json passing = {textRecord("Songs", 7.5, "AAA")};
  const struct {
    const char* what;
    const nlohmann::json *stock, *themed;
    const char* line;
  } cases[] = {
      {"both, counted apart", &stock, &themed,
       "music-songs: 3 texts (stock 2); below AA: stock 1 (worst 3.9:1 \"9:41 AM\"), themed 2 (worst 2.1:1 \"9:12 "
       "AM\")"},
      {"themed alone", nullptr, &themed, "music-songs: 3 texts; below AA: themed 2 (worst 2.1:1 \"9:12 AM\")"},
      {"stock alone", &stock, nullptr, "music-songs: 2 texts; below AA: stock 1 (worst 3.9:1 \"9:41 AM\")"},
      {"nothing below", &passing, &passing, "music-songs: 1 text; below AA: stock 0, themed 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(readabilitySummary("music-songs", c.stock, c.themed), c.line) << c.what;
}

TEST(ReadabilityReport, TextsBelowTheMinimumAreNamedWithTheirScreen) {
  const nlohmann::json texts = {textRecord("Below", 2.99, "below AA"), textRecord("At", 3, "AA"),
                                textRecord("Above", 3.01, "AA"), textRecord("Far \"below\"", 1.2, "below AA")};
  std::vector<std::string> lines = contrastFailures("messages-conversations", texts, 3);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "messages-conversations: \"Below\" is 2.9:1 at worst, below 3.0:1");
  EXPECT_EQ(lines[1], "messages-conversations: \"Far \\\"below\\\"\" is 1.2:1 at worst, below 3.0:1");
  EXPECT_TRUE(contrastFailures("messages-conversations", texts, 1).empty());
}

// Measuring reads pixels only: the picture that comes with the readings is
// the one without them, byte for byte.
TEST(ScreenRender, ReadingsComeBackWithTheSamePicture) {
  ScreenRenderRequest request{.app = &messagesApp(), .screen = "conversations", .themed = true};
  std::string plain, measured, error;
  nlohmann::json texts;
  ASSERT_TRUE(renderScreenPNG(request, &plain, &error)) << error;
  ASSERT_TRUE(renderScreenReadability(request, &measured, &texts, &error)) << error;
  EXPECT_EQ(plain, measured);
  ASSERT_TRUE(texts.is_array());
  std::set<std::string> said;
  for (const nlohmann::json& t : texts) said.insert(t["text"].get<std::string>() + " " + t["verdict"].get<std::string>());
  EXPECT_TRUE(said.count("Messages AAA")) << texts.dump();
  EXPECT_TRUE(said.count("Sunday below AA")) << "a grey date over the blur";
}

}  // namespace
