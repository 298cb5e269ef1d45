// mirel-studio's server through its HTTP interface: values the page may send
// and those it must refuse, the pictures each change re-renders, the
// property list it hands out as the extension reads it, uploads, and the
// answers to anything else.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>

#include "apps/music/MusicApp.h"
#include "platform/render/Bitmap.h"
#include "tests/support/image_kinds.h"
#include "tests/support/launch.h"
#include "tests/tools/run_tool.h"
#include "tools/common/screen_render.h"
#include "tools/studio/studio.h"
#include "tweak/settings.h"

namespace {

using json = nlohmann::json;
using Clock = std::chrono::steady_clock;

// One studio for the whole suite (every start renders every screen); each
// test puts the default preferences back first. The wallpaper test runs
// last in this file, as it changes what every later picture shows.
class StudioServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Launches of the tests' own go through a launcher too: this process
    // has the server's threads from here on.
    checks_ = new LauncherPool(1);
    StudioOptions options;
    options.scale = 1;
    studio_ = new Studio(std::move(options));
    port_ = studio_->listen(0);
    ASSERT_GT(port_, 0);
    serving_ = new std::thread([] { studio_->serve(); });
    client_ = new httplib::Client("127.0.0.1", port_);
    client_->set_read_timeout(30, 0);
    // listen_after_bind starts accepting a moment after the thread starts.
    for (int i = 0; i < 100 && !client_->Get("/api/state"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  static void TearDownTestSuite() {
    studio_->stop();
    serving_->join();
    delete client_;
    delete serving_;
    delete studio_;
    delete checks_;
  }
  void SetUp() override {
    json defaults = json::object();
    for (const PreferenceKey& key : preferenceKeys()) defaults[key.name] = key.defaultValue;
    ASSERT_EQ(post(defaults)->status, 200);
    waitUntilIdle();
  }

  static httplib::Result post(const json& body, const std::string& path = "/api/preferences") {
    return client_->Post(path.c_str(), body.dump(), "application/json");
  }
  static json status() {
    auto res = client_->Get("/api/status");
    EXPECT_TRUE(res && res->status == 200);
    return res ? json::parse(res->body)["pictures"] : json();
  }
  // Bounded: a queue that never finishes fails the test instead of hanging.
  static json waitUntilIdle() {
    auto until = Clock::now() + std::chrono::seconds(60);
    while (Clock::now() < until) {
      json pictures = status();
      bool busy = false;
      for (const auto& [slot, p] : pictures.items()) busy |= p["busy"].get<bool>();
      if (!busy) return pictures;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ADD_FAILURE() << "the studio was still rendering after 60 s";
    return status();
  }
  static std::string download(const std::string& format) {
    auto res = client_->Get(("/api/preferences.plist?format=" + format).c_str());
    EXPECT_TRUE(res && res->status == 200);
    return res ? res->body : "";
  }

  static inline LauncherPool* checks_ = nullptr;
  static inline Studio* studio_ = nullptr;
  static inline std::thread* serving_ = nullptr;
  static inline httplib::Client* client_ = nullptr;
  static inline int port_ = 0;
};

TEST_F(StudioServer, AcceptsValuesOfEachKeysTypeAndRefusesOthersNamingTheKey) {
  struct Case {
    const char* key;
    std::vector<json> values;
    bool accepted;
  };
  const Case cases[] = {
      {"Enabled", {false}, true},
      {"Enabled", {"NO", 0}, false},
      {"BlurPreset", {2010, 9999}, true},
      {"BlurPreset", {-1, 10000, 1.5}, false},
      {"Saturation", {0.25, 5}, true},
      {"Saturation", {5.01, "1"}, false},
      {"BlurRadius", {100.0}, true},
      {"BlurRadius", {nullptr}, false},
      {"PrimaryTextColour", {"#FFF", "abcd", "#a1B2c3", "12345678"}, true},
      {"SecondaryTintColour", {"##FFF", "#", "", "12345", "1234567", "GGGGGG", " FFF", 112233}, false},
      {"TintColour", {"FFF"}, false},
  };
  for (const Case& c : cases)
    for (const json& value : c.values) {
      auto res = post({{c.key, value}});
      ASSERT_TRUE(res);
      EXPECT_EQ(res->status, c.accepted ? 200 : 400) << c.key << " = " << value.dump();
      if (c.accepted) {
        EXPECT_EQ(json::parse(res->body)["values"][c.key], value) << c.key;
      } else {
        EXPECT_NE(json::parse(res->body)["error"].get<std::string>().find(c.key), std::string::npos)
            << "the refusal of " << c.key << " = " << value.dump() << " does not name the key: " << res->body;
      }
    }
}

TEST_F(StudioServer, RefusesAWholeChangeWhenOneValueIsBadAndBodiesThatAreNoObject) {
  auto res = post({{"Enabled", false}, {"BlurRadius", "wide"}});
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 400);
  json state = json::parse(client_->Get("/api/state")->body);
  EXPECT_EQ(state["values"]["Enabled"], true) << "a refused change was half applied";

  for (const char* body : {"not json", "[1,2]", "\"Enabled\""}) {
    auto bad = client_->Post("/api/preferences", body, "application/json");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 400) << body;
  }
}

// Which pictures a change asks for, read from the generations each slot
// wants before and after it.
TEST_F(StudioServer, RendersOnlyTheScreensAChangeAffects) {
  struct Case {
    const char* what;
    json before, change;
    bool music, messages;
  };
  const Case cases[] = {
      {"a text colour themes Music only", {}, {{"PrimaryTextColour", "FF0000FF"}}, true, false},
      {"the blur preset shows in both apps", {}, {{"BlurPreset", 1}}, true, true},
      {"Saturation is not read with Customise off", {}, {{"Saturation", 2.5}}, false, false},
      {"Saturation is read with Customise on", {{"Customise", true}}, {{"Saturation", 2.5}}, true, true},
      {"Now Playing keys leave Messages alone", {}, {{"AdaptiveNowPlaying", true}}, true, false},
      {"nothing but Enabled is read with Enabled off", {{"Enabled", false}}, {{"BlurPreset", 2}}, false, false},
      {"the same value again changes nothing", {}, {{"Enabled", true}}, false, false},
  };
  for (const Case& c : cases) {
    SetUp();
    if (!c.before.empty()) {
      ASSERT_EQ(post(c.before)->status, 200);
      waitUntilIdle();
    }
    json before = status();
    ASSERT_EQ(post(c.change)->status, 200) << c.what;
    json after = status();
    for (const auto& [slot, p] : after.items()) {
      bool asked = p["wanted"] != before[slot]["wanted"];
      bool expected = slot.starts_with("music/") ? c.music : c.messages;
      EXPECT_EQ(asked, expected) << c.what << ": " << slot;
    }
    waitUntilIdle();
  }
}

// A burst of changes collapses: far fewer renders than changes, and the
// picture shown at the end is the one the last values give, byte for byte
// the picture a launch with the downloaded file renders.
TEST_F(StudioServer, ABurstOfChangesEndsInOnePictureOfTheLastValues) {
  const uint64_t rendersBefore = status()["music/songs/themed"]["renders"];
  const char* colours[] = {"FF0000FF", "00FF00FF", "0000FFFF", "FFFF00FF", "FF00FFFF", "00FFFFFF"};
  for (const char* colour : colours) ASSERT_EQ(post({{"PrimaryTextColour", colour}})->status, 200);
  json idle = waitUntilIdle();
  uint64_t renders = idle["music/songs/themed"]["renders"].get<uint64_t>() - rendersBefore;
  EXPECT_GE(renders, 1u);
  EXPECT_LE(renders, 3u) << "each change was rendered on its own";

  auto shown = client_->Get("/api/picture/music/songs/themed.png");
  ASSERT_TRUE(shown && shown->status == 200);
  std::string expected, error;
  ASSERT_TRUE(checks_->render({.app = &musicApp(), .screen = "songs", .themed = true,
                               .preferences = download("binary"), .scale = 1},
                              "", "", &expected, &error))
      << error;
  EXPECT_TRUE(shown->body == expected) << "the picture shown is not what the downloaded preferences give";
}

// The downloaded file, binary or XML, read by the extension in a launch.
TEST_F(StudioServer, DownloadedPreferencesAreWhatTheExtensionReads) {
  json values = {{"NowPlayingHooks", false}, {"PrimaryTextColour", "#ABCD"}, {"SecondaryTextColour", "123456"},
                 {"PrimaryTintColour", "#0A141E28"}, {"SecondaryTintColour", "FFF"}, {"BlurTintColour", "80808080"},
                 {"BlurPreset", 2030}, {"UseCustomTint", true}, {"Customise", true}, {"Saturation", 0.75},
                 {"BlurRadius", 42.5}, {"BlurArtwork", true}, {"AdaptiveNowPlaying", true}};
  ASSERT_EQ(post(values)->status, 200);
  // inLaunch forks this process: with the server idle, no other thread is
  // inside the allocator when it does.
  waitUntilIdle();
  for (const char* format : {"binary", "xml"}) {
    SCOPED_TRACE(format);
    std::string file = download(format);
    inLaunch({.preferences = file}, [] {
      EXPECT_TRUE(TweakSettings.Enabled);
      EXPECT_FALSE(TweakSettings.NowPlayingHooks);
      EXPECT_EQ(TweakSettings.BlurPreset, 2030);
      EXPECT_TRUE(TweakSettings.UseCustomTint);
      EXPECT_TRUE(TweakSettings.Customise);
      EXPECT_DOUBLE_EQ(TweakSettings.Saturation, 0.75);
      EXPECT_DOUBLE_EQ(TweakSettings.BlurRadius, 42.5);
      EXPECT_TRUE(TweakSettings.BlurArtwork);
      EXPECT_TRUE(TweakSettings.AdaptiveNowPlaying);
      auto expectColour = [](UIColor* colour, int r, int g, int b, int a, const char* name) {
        CGFloat c[4] = {};
        ASSERT_TRUE(colour && colour->getRGBA(&c[0], &c[1], &c[2], &c[3])) << name;
        int expected[4] = {r, g, b, a};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(std::lround(c[i] * 255), expected[i]) << name << " channel " << i;
      };
      expectColour(ThemeColours.PrimaryTextColour, 0xAA, 0xBB, 0xCC, 0xDD, "PrimaryTextColour");
      expectColour(ThemeColours.SecondaryTextColour, 0x12, 0x34, 0x56, 0xFF, "SecondaryTextColour");
      expectColour(ThemeColours.PrimaryTintColour, 0x0A, 0x14, 0x1E, 0x28, "PrimaryTintColour");
      expectColour(ThemeColours.SecondaryTintColour, 0xFF, 0xFF, 0xFF, 0xFF, "SecondaryTintColour");
      expectColour(ThemeColours.BlurTintColour, 0x80, 0x80, 0x80, 0x80, "BlurTintColour");
    });

    // Reopening the file (as --prefs does) gives back every value.
    Preferences reopened;
    std::vector<std::string> warnings;
    std::string error;
    ASSERT_TRUE(reopened.readPropertyList(file, &warnings, &error)) << error;
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(reopened.values(), json::parse(client_->Get("/api/state")->body)["values"]);
  }
}

std::string pngBytes(int width, int height) {
  std::string path = testing::TempDir() + "studio-upload.png", error;
  EXPECT_TRUE(Bitmap::create(width, height).writePNG(path, &error)) << error;
  return fileText(path);
}

TEST_F(StudioServer, RefusesUploadsTooLargeInBytesOrPixelsAndKeepsServing) {
  // Only the header of this PNG is real: it claims 5000 x 300 pixels.
  std::string huge = pngBytes(8, 8);
  huge[16] = 0, huge[17] = 0, huge[18] = 0x13, huge[19] = 0x88;
  struct Case {
    const char* path;
    std::string body;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {"/api/artwork", std::string(kStudioMaxUploadBytes + 1, 'x'), 413, "too large"},
      {"/api/wallpaper", std::string(kStudioMaxUploadBytes + 1, 'x'), 413, "too large"},
      {"/api/artwork", huge, 400, "pixels"},
      {"/api/wallpaper", huge, 400, "pixels"},
      {"/api/artwork", "GIF89a not an image we take", 400, "not a JPEG or PNG image"},
      {"/api/wallpaper", "\xFF\xD8\xFF\xE0 the start of a JPEG", 400, "truncated JPEG file"},
      {"/api/artwork", pngBytes(8, 8).substr(0, 40), 400, "artwork"},
  };
  for (const Case& c : cases) {
    auto res = client_->Post(c.path, c.body, "application/octet-stream");
    ASSERT_TRUE(res) << c.path << ": no answer";
    EXPECT_EQ(res->status, c.status) << c.path << " " << c.says;
    EXPECT_NE(res->body.find(c.says), std::string::npos) << c.path << ": " << res->body;
    EXPECT_EQ(client_->Get("/api/state")->status, 200) << "the studio stopped serving";
  }
}

TEST_F(StudioServer, AWallpaperReRendersEveryScreenAndAnArtworkGivesASchemeWithContrasts) {
  json before = status();
  // A photo, taken sideways: wallpapers are JPEG as often as PNG.
  std::string photo;
  for (const ImageKind& kind : imageKinds())
    if (kind.name == "JPEG with Exif orientation 6") photo = kind.bytes;
  auto res = client_->Post("/api/wallpaper", photo, "image/jpeg");
  ASSERT_TRUE(res);
  ASSERT_EQ(res->status, 200) << res->body;
  json after = status();
  for (const auto& [slot, p] : after.items()) EXPECT_NE(p["wanted"], before[slot]["wanted"]) << slot;

  auto artwork = client_->Post("/api/artwork", pngBytes(32, 32), "image/png");
  ASSERT_TRUE(artwork);
  ASSERT_EQ(artwork->status, 200) << artwork->body;
  json scheme = json::parse(artwork->body)["scheme"];
  ASSERT_TRUE(scheme.is_object()) << artwork->body;
  for (const char* ratio : {"primaryContrast", "secondaryContrast"}) {
    EXPECT_GE(scheme[ratio].get<double>(), 1.0) << ratio;
    EXPECT_LE(scheme[ratio].get<double>(), 21.0) << ratio;
  }
  EXPECT_NEAR(contrastRatio(scheme["primary"], scheme["background"]), scheme["primaryContrast"].get<double>(), 1e-9);
  waitUntilIdle();
}

TEST_F(StudioServer, AnswersOnlyItsOwnRoutesAndOnlyOnLoopback) {
  for (const char* path : {"/nothing", "/api", "/api/picture/music/nowhere/themed.png", "/api/picture/x/y/z.png",
                           "/../etc/passwd", "/api/preferences.plist/extra"})
    EXPECT_EQ(client_->Get(path)->status, 404) << path;
  EXPECT_EQ(client_->Delete("/api/preferences")->status, 404);
  EXPECT_EQ(client_->Get("/api/preferences.plist?format=json")->status, 400);
  EXPECT_EQ(client_->Get("/")->status, 200);
  EXPECT_EQ(client_->Get("/api/picture/music/songs/themed.png")->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(client_->Get("/", {{"Host", "studio.example:80"}})->status, 403);

  // The listening socket, as the kernel lists it: 127.0.0.1 (0100007F).
  std::ifstream tcp("/proc/net/tcp");
  std::string line;
  char wanted[16];
  std::snprintf(wanted, sizeof wanted, ":%04X", port_);
  bool found = false;
  while (std::getline(tcp, line)) {
    std::istringstream fields(line);
    std::string slot, local, remote, state;
    fields >> slot >> local >> remote >> state;
    if (state != "0A" || !local.ends_with(wanted)) continue;
    found = true;
    EXPECT_EQ(local.substr(0, 8), "0100007F") << line;
  }
  EXPECT_TRUE(found) << "no listening socket on port " << port_;
}

}  // namespace
