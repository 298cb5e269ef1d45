// mirel-studio's server through its HTTP interface and the file it edits:
// values the page may send and those it must refuse, the file after each
// change, undo and redo, reset and opening another file, the pictures each
// change re-renders, uploads of every shape, and the server under idle
// connections and a crowd of clients.
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/render/Bitmap.h"
#include "tests/support/image_kinds.h"
#include "tests/support/launch.h"
#include "tests/tools/run_tool.h"
#include "tests/tools/studio/plist_entries.h"
#include "tools/common/screen_render.h"
#include "tools/studio/studio.h"
#include "tweak/settings.h"

namespace {

using json = nlohmann::json;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// One studio for the whole suite (every start renders every screen), with a
// document that starts missing; each test puts the default preferences back
// first. The wallpaper test runs last in this file, as it changes what
// every later picture shows.
class StudioServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Launches of the tests' own go through a launcher too: this process
    // has the server's threads from here on.
    checks_ = new LauncherPool(1);
    // Per process: two builds testing at once must not share it.
    folder_ = ::testing::TempDir() + "studio-suite-" + std::to_string(getpid());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    StudioOptions options;
    options.documentPath = document();
    options.scale = 1;
    studio_ = new Studio(std::move(options));
    std::vector<std::string> warnings;
    std::string error;
    ASSERT_TRUE(studio_->openDocument(&warnings, &error)) << error;
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
    putDefaultsBack();
    waitUntilIdle();
  }

  static void putDefaultsBack() {
    json defaults = json::object();
    for (const PreferenceKey& key : preferenceKeys()) defaults[key.name] = key.defaultValue;
    ASSERT_EQ(post(defaults)->status, 200);
  }

  static std::string document() { return folder_ + "/com.brackwater.mirel.plist"; }
  static httplib::Result post(const json& body, const std::string& path = "/api/preferences") {
    return client_->Post(path.c_str(), body.dump(), "application/json");
  }
  static json postJson(const std::string& path, int status = 200) {
    auto res = client_->Post(path.c_str(), "", "application/json");
    EXPECT_TRUE(res) << path;
    if (!res) return json();
    EXPECT_EQ(res->status, status) << path << ": " << res->body;
    return json::parse(res->body, nullptr, false);
  }
  static json state() { return json::parse(client_->Get("/api/state")->body); }
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
    auto res = client_->Get(("/api/preferences.plist" + (format.empty() ? "" : "?format=" + format)).c_str());
    EXPECT_TRUE(res && res->status == 200);
    return res ? res->body : "";
  }
  static PlistEntries saved() { return plistEntries(fileText(document())); }

  static inline LauncherPool* checks_ = nullptr;
  static inline Studio* studio_ = nullptr;
  static inline std::thread* serving_ = nullptr;
  static inline httplib::Client* client_ = nullptr;
  static inline int port_ = 0;
  static inline std::string folder_;
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
      {"BlurPreset", {2010, 9999, 2147483647}, true},
      {"BlurPreset", {-1, 2147483648LL, 1.5}, false},
      // Every value in range, not only multiples of a step.
      {"Saturation", {0.25, 1.25, 5}, true},
      {"Saturation", {5.01, -0.5, "1"}, false},
      {"BlurRadius", {100.0, 0.05}, true},
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
  const std::string before = fileText(document());
  auto res = post({{"Enabled", false}, {"BlurRadius", "wide"}});
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 400);
  EXPECT_EQ(state()["values"]["Enabled"], true) << "a refused change was half applied";
  EXPECT_EQ(fileText(document()), before) << "a refused change reached the file";

  for (const char* body : {"not json", "[1,2]", "\"Enabled\""}) {
    auto bad = client_->Post("/api/preferences", body, "application/json");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 400) << body;
  }
}

// The file after each change holds it, typed as the extension's readers
// expect; a harmful value the page may send comes back with its warning.
TEST_F(StudioServer, EachChangeIsInTheFileAtOnceWithTheExtensionsWarnings) {
  struct Case {
    json change;
    const char* key;
    const char* savedXml;
    const char* warning;  // nullptr: none
  };
  const Case cases[] = {
      {{{"BlurRadius", 0.05}}, "BlurRadius", "<real>0.05</real>", nullptr},
      {{{"Enabled", false}}, "Enabled", "<false/>", nullptr},
      {{{"BlurPreset", 2060}}, "BlurPreset", "<integer>2060</integer>", nullptr},
      {{{"BlurPreset", 7}}, "BlurPreset", "<integer>7</integer>", "is not a blur style the platform knows"},
      {{{"BlurTintColour", "#12345600"}}, "BlurTintColour", "<string>#12345600</string>", "has zero alpha"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change.dump());
    auto res = post(c.change);
    ASSERT_TRUE(res && res->status == 200);
    json reply = json::parse(res->body);
    EXPECT_TRUE(reply["document"]["saved"].get<bool>()) << res->body;
    PlistEntries file = saved();
    ASSERT_TRUE(file.parsed);
    EXPECT_TRUE(file.binary) << "a new document is binary";
    EXPECT_EQ(file.entries[c.key], plistXmlOf(c.savedXml));
    std::string warning = reply["warnings"].value(c.key, "");
    if (c.warning)
      EXPECT_NE(warning.find(c.warning), std::string::npos) << warning;
    else
      EXPECT_EQ(warning, "");
  }
  // Nothing but the document itself is left in its folder.
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder_)) files += entry.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST_F(StudioServer, UndoAndRedoWalkTheChangesAndTheFileFollows) {
  // Two changes of one gesture (group 7) are one step; group 8 another.
  ASSERT_EQ(post({{"PrimaryTextColour", "F00"}}, "/api/preferences?group=7")->status, 200);
  ASSERT_EQ(post({{"PrimaryTextColour", "FF0000FF"}}, "/api/preferences?group=7")->status, 200);
  ASSERT_EQ(post({{"BlurRadius", 42.5}, {"Customise", true}}, "/api/preferences?group=8")->status, 200);
  auto textIs = [](const char* xml) { return saved().entries["PrimaryTextColour"] == plistXmlOf(xml); };

  json undone = postJson("/api/undo");
  EXPECT_EQ(undone["values"]["BlurRadius"], 10.0);
  EXPECT_EQ(undone["values"]["Customise"], false);
  EXPECT_EQ(saved().entries["Customise"], plistXmlOf("<false/>"));
  EXPECT_TRUE(textIs("<string>FF0000FF</string>"));
  EXPECT_TRUE(undone["document"]["canRedo"].get<bool>());

  undone = postJson("/api/undo");
  EXPECT_EQ(undone["values"]["PrimaryTextColour"], "F4FCF7FF") << "the gesture was not one step";
  EXPECT_TRUE(textIs("<string>F4FCF7FF</string>"));

  json redone = postJson("/api/redo");
  EXPECT_EQ(redone["values"]["PrimaryTextColour"], "FF0000FF");
  EXPECT_TRUE(textIs("<string>FF0000FF</string>"));
  // A new change drops what could have been redone.
  ASSERT_EQ(post({{"BlurPreset", 1}})->status, 200);
  EXPECT_FALSE(state()["document"]["canRedo"].get<bool>());
  postJson("/api/redo", 409);

  // Back to before the studio started: then there is nothing to undo.
  int steps = 0;
  while (state()["document"]["canUndo"].get<bool>() && steps < 1000) postJson("/api/undo"), ++steps;
  postJson("/api/undo", 409);
  EXPECT_TRUE(saved().entries.empty()) << "the document started without any key";
  waitUntilIdle();
}

// Another file's values come in (raw or as a form), the keys the studio does
// not know with them; reset puts every key at its default and keeps those.
TEST_F(StudioServer, OpenAndResetKeepKeysTheStudioDoesNotKnow) {
  const std::string opened = plist({{"PrimaryTextColour", "<string>nothing</string>"},
                                    {"BlurRadius", "<string>500</string>"},
                                    {"Customise", "<true/>"},
                                    {"Saturation", "<real>-3</real>"},
                                    {"SorrelTheme", "<dict><key>a</key><array><integer>1</integer></array></dict>"}});
  for (bool form : {false, true}) {
    SCOPED_TRACE(form ? "as a form" : "raw");
    auto res = form ? client_->Post("/api/open", httplib::MultipartFormDataItems{{"file", opened, "p.plist", ""}})
                    : client_->Post("/api/open", opened, "application/x-www-form-urlencoded");
    ASSERT_TRUE(res);
    ASSERT_EQ(res->status, 200) << res->body;
    json reply = json::parse(res->body);
    // How odd values read is the document test's; here, that they came in.
    EXPECT_EQ(reply["values"]["PrimaryTextColour"], "000000FF");
    EXPECT_EQ(reply["otherKeys"], json::array({"SorrelTheme"}));
    PlistEntries file = saved();
    EXPECT_EQ(file.entries["BlurRadius"], plistXmlOf("<string>500</string>")) << "a value was retyped";
    EXPECT_EQ(file.entries["SorrelTheme"], plistXmlOf("<dict><key>a</key><array><integer>1</integer></array></dict>"));
    EXPECT_EQ(file.entries.count("Enabled"), 0u) << "a key the opened file lacks must read its default";

    json reset = postJson("/api/reset");
    EXPECT_EQ(reset["values"]["PrimaryTextColour"], "F4FCF7FF");
    EXPECT_TRUE(reset["warnings"].empty()) << reset["warnings"];
    file = saved();
    EXPECT_EQ(file.entries["Saturation"], plistXmlOf("<real>1</real>"));
    EXPECT_EQ(file.entries["SorrelTheme"], plistXmlOf("<dict><key>a</key><array><integer>1</integer></array></dict>"));
  }
  for (const std::string& bad : {std::string("not a property list"), plist({}).substr(0, 40),
                                 std::string("<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>")}) {
    auto res = client_->Post("/api/open", bad, "application/octet-stream");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 400) << bad;
  }
  waitUntilIdle();
}

// Which pictures a change asks for, read from the generations each slot
// wants before and after it.
TEST_F(StudioServer, RendersOnlyTheScreensAChangeAffects) {
  struct Case {
    const char* what;
    json before, change;
    const char* affects;  // "all", "music", "nowplaying" or "none"
  };
  const Case cases[] = {
      {"a text colour themes Music only", {}, {{"PrimaryTextColour", "FF0000FF"}}, "music"},
      {"the blur preset shows in both apps", {}, {{"BlurPreset", 1}}, "all"},
      {"Saturation is not read with Customise off", {}, {{"Saturation", 2.5}}, "none"},
      {"Saturation is read with Customise on", {{"Customise", true}}, {{"Saturation", 2.5}}, "all"},
      {"AdaptiveNowPlaying is read by Now Playing alone", {}, {{"AdaptiveNowPlaying", true}}, "nowplaying"},
      {"BlurArtwork is read by Now Playing alone", {}, {{"BlurArtwork", true}}, "nowplaying"},
      {"nothing but Enabled is read with Enabled off", {{"Enabled", false}}, {{"BlurPreset", 2}}, "none"},
      {"the same value again changes nothing", {}, {{"Enabled", true}}, "none"},
  };
  // A picture is asked for when what it depends on differs from what was
  // last asked for, rendered or not: no need to wait for the renders.
  for (const Case& c : cases) {
    putDefaultsBack();
    if (!c.before.empty()) {
      ASSERT_EQ(post(c.before)->status, 200);
    }
    json before = status();
    auto res = post(c.change);
    ASSERT_EQ(res->status, 200) << c.what;
    json after = status(), asked = json::parse(res->body)["asked"];
    const std::string affects = c.affects;
    for (const auto& [slot, p] : after.items()) {
      bool expected = affects == "all" || (affects == "music" && slot.starts_with("music/")) ||
                      (affects == "nowplaying" && slot == "music/nowplaying/themed");
      EXPECT_EQ(p["wanted"] != before[slot]["wanted"], expected) << c.what << ": " << slot;
      EXPECT_EQ(asked.contains(slot), expected) << c.what << ": the reply's list, " << slot;
    }
  }
  waitUntilIdle();
}

// What keysReadBy leaves out of a screen is really not read there: the
// screen with every such key away from its default renders byte for byte
// as with the defaults.
TEST_F(StudioServer, AScreensPictureDependsOnNoKeyItIsNotSaidToRead) {
  const std::vector<std::pair<std::string, std::string>> changed = {
      {"BlurArtwork", "<true/>"},
      {"AdaptiveNowPlaying", "<true/>"},
      {"ReadableText", "<true/>"},
      {"NowPlayingHooks", "<false/>"},
      {"PrimaryTextColour", "<string>FF0000FF</string>"},
      {"SecondaryTextColour", "<string>00FF00FF</string>"},
      {"PrimaryTintColour", "<string>0000FFFF</string>"},
      {"SecondaryTintColour", "<string>FFFF00FF</string>"}};
  for (const HostApp* app : {&musicApp(), &messagesApp()})
    for (const std::string& screen : app->screens) {
      std::vector<std::string> read = keysReadBy(*app, screen);
      std::vector<std::pair<std::string, std::string>> unread;
      for (const auto& [key, xml] : changed)
        if (std::find(read.begin(), read.end(), key) == read.end()) unread.push_back({key, xml});
      if (unread.empty()) continue;
      SCOPED_TRACE(app->name + " " + screen);
      std::string plain, other, error;
      ASSERT_TRUE(checks_->render({.app = app, .screen = screen, .preferences = plist({}), .scale = 1}, "", "",
                                  &plain, &error))
          << error;
      ASSERT_TRUE(checks_->render({.app = app, .screen = screen, .preferences = plist(unread), .scale = 1}, "", "",
                                  &other, &error))
          << error;
      EXPECT_TRUE(plain == other) << "the picture changes with a key the studio thinks it does not read";
    }
}

// A burst of changes collapses: far fewer renders than changes, and the
// picture shown at the end is the one the last values give, byte for byte
// the picture a launch with the document renders.
TEST_F(StudioServer, ABurstOfChangesEndsInOnePictureOfTheLastValues) {
  const uint64_t rendersBefore = status()["music/songs/themed"]["renders"];
  const char* colours[] = {"FF0000FF", "00FF00FF", "0000FFFF", "FFFF00FF", "FF00FFFF", "00FFFFFF"};
  for (const char* colour : colours) ASSERT_EQ(post({{"PrimaryTextColour", colour}})->status, 200);
  json idle = waitUntilIdle();
  uint64_t renders = idle["music/songs/themed"]["renders"].get<uint64_t>() - rendersBefore;
  EXPECT_GE(renders, 1u);
  EXPECT_LE(renders, 4u) << "each change was rendered on its own";

  auto shown = client_->Get("/api/picture/music/songs/themed.png");
  ASSERT_TRUE(shown && shown->status == 200);
  std::string expected, error;
  ASSERT_TRUE(checks_->render({.app = &musicApp(), .screen = "songs", .themed = true,
                               .preferences = fileText(document()), .scale = 1},
                              "", "", &expected, &error))
      << error;
  EXPECT_TRUE(shown->body == expected) << "the picture shown is not what the saved file gives";
}

// Each picture's texts below AA: the count on the card, the list behind it,
// both as a launch of the saved file measures them (over the built-in
// wallpaper: before any upload).
TEST_F(StudioServer, EachPictureCountsAndListsItsTextsBelowAA) {
  ASSERT_EQ(post({{"SecondaryTextColour", "FFFFFF40"}})->status, 200);
  json idle = waitUntilIdle();
  auto res = client_->Get("/api/readability/music/songs/themed");
  ASSERT_TRUE(res && res->status == 200);
  json listed = json::parse(res->body)["texts"];
  EXPECT_EQ(idle["music/songs/themed"]["belowAA"].get<size_t>(), listed.size());
  std::string png, error;
  json measured;
  ASSERT_TRUE(checks_->render({.app = &musicApp(), .screen = "songs", .themed = true,
                               .preferences = fileText(document()), .scale = 1},
                              "", "", &png, &error, &measured))
      << error;
  json below = json::array();
  for (const json& text : measured)
    if (text["verdict"] == "below AA") below.push_back(text);
  EXPECT_EQ(listed, below);
  EXPECT_GT(below.size(), 0u) << "a quarter-opaque white over the blur reads below AA";
  EXPECT_EQ(client_->Get("/api/readability/music/nowhere/themed")->status, 404);
}

// The document and the downloads, binary or XML, read by the extension in a
// launch.
TEST_F(StudioServer, TheFileAndItsDownloadsAreWhatTheExtensionReads) {
  json values = {{"NowPlayingHooks", false}, {"PrimaryTextColour", "#ABCD"}, {"SecondaryTextColour", "123456"},
                 {"PrimaryTintColour", "#0A141E28"}, {"SecondaryTintColour", "FFF"}, {"BlurTintColour", "80808080"},
                 {"BlurPreset", 2030}, {"UseCustomTint", true}, {"Customise", true}, {"Saturation", 0.75},
                 {"BlurRadius", 42.5}, {"BlurArtwork", true}, {"AdaptiveNowPlaying", true}};
  ASSERT_EQ(post(values)->status, 200);
  // inLaunch forks this process: with the server idle, no other thread is
  // inside the allocator when it does.
  waitUntilIdle();
  EXPECT_EQ(download(""), fileText(document())) << "the download is not the document";
  for (const std::string& file : {fileText(document()), download("binary"), download("xml")}) {
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
      EXPECT_EQ(UIColorHexText(ThemeColours.PrimaryTextColour), "#AABBCCDD");
      EXPECT_EQ(UIColorHexText(ThemeColours.SecondaryTextColour), "#123456FF");
      EXPECT_EQ(UIColorHexText(ThemeColours.PrimaryTintColour), "#0A141E28");
      EXPECT_EQ(UIColorHexText(ThemeColours.SecondaryTintColour), "#FFFFFFFF");
      EXPECT_EQ(UIColorHexText(ThemeColours.BlurTintColour), "#80808080");
    });
  }
}

// A PNG of one colour (premultiplied ARGB; transparent by default).
std::string pngBytes(int width, int height, uint32_t argb = 0) {
  std::string path = testing::TempDir() + "studio-upload-" + std::to_string(getpid()) + ".png", error;
  Bitmap bitmap = Bitmap::create(width, height);
  std::fill_n(bitmap.pixels(), width * height, argb);
  EXPECT_TRUE(bitmap.writePNG(path, &error)) << error;
  return fileText(path);
}

// A connection of our own, for requests no client library sends.
int connectToStudio(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  timeval timeout{30, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Sends the request and reads the answer's head and the body its length
// gives (or up to the end of the connection).
std::string exchange(int fd, const std::string& request) {
  if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size())) return "";
  std::string answer;
  char buffer[4096];
  while (true) {
    size_t head = answer.find("\r\n\r\n");
    if (head != std::string::npos) {
      size_t at = answer.find("Content-Length: ");
      if (at != std::string::npos && at < head &&
          answer.size() >= head + 4 + std::stoul(answer.substr(at + 16)))
        return answer;
    }
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return answer;
    answer.append(buffer, static_cast<size_t>(n));
  }
}

TEST_F(StudioServer, UploadsAreTakenByTheirBytesWhateverTheirTypeOrAsAForm) {
  // Which files are refused is the upload check's test; here, each refusal's
  // status through either route. Only this PNG's header is real: 5000 x 8.
  std::string huge = pngBytes(8, 8);
  huge[16] = 0, huge[17] = 0, huge[18] = 0x13, huge[19] = 0x88;
  const std::string png = pngBytes(16, 16);
  struct Case {
    const char* path;
    std::string body;
    const char* type;  // nullptr: a multipart form with the body as its file
    int status;
    const char* says;
  };
  const Case cases[] = {
      // curl --data-binary names a form type; curl -F sends a form.
      {"/api/artwork", png, "application/x-www-form-urlencoded", 200, "scheme"},
      {"/api/artwork", png, nullptr, 200, "scheme"},
      {"/api/wallpaper", png, "", 200, "wallpaper"},
      {"/api/wallpaper", png, nullptr, 200, "wallpaper"},
      {"/api/artwork", std::string(kStudioMaxUploadBytes + 1, 'x'), "application/octet-stream", 413, "too large"},
      {"/api/artwork", huge, "image/png", 400, "pixels"},
      {"/api/artwork", "GIF89a not an image we take", "image/gif", 400, "not a JPEG or PNG image"},
      {"/api/artwork", png.substr(0, 40), "image/png", 400, "artwork"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " " + (c.type ? c.type : "form") + " " + c.says);
    auto res = c.type ? client_->Post(c.path, c.body, c.type)
                      : client_->Post(c.path, httplib::MultipartFormDataItems{{"note", "a field before the file", "", ""},
                                                                              {"file", c.body, "x.png", "image/png"}});
    ASSERT_TRUE(res) << "no answer";
    EXPECT_EQ(res->status, c.status) << res->body;
    EXPECT_NE(res->body.find(c.says), std::string::npos) << res->body;
    EXPECT_EQ(client_->Get("/api/state")->status, 200) << "the studio stopped serving";
  }

  // A POST without a length: 411 and why, on a connection of our own.
  int fd = connectToStudio(port_);
  ASSERT_GE(fd, 0);
  std::string answer = exchange(fd, "POST /api/artwork HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
  close(fd);
  EXPECT_TRUE(answer.starts_with("HTTP/1.1 411")) << answer;
  EXPECT_NE(answer.find("needs a Content-Length"), std::string::npos) << answer;
  waitUntilIdle();
}

// Whether the server has closed the connection (a read would see its end).
bool closedByServer(int fd) {
  char c;
  ssize_t n = recv(fd, &c, 1, MSG_PEEK | MSG_DONTWAIT);
  return n == 0;
}

// Browsers keep connections open between requests. Twenty of them idle
// (more than the library's default workers) while another client is
// answered: each still open afterwards, so nobody waited for one to close.
TEST_F(StudioServer, IdleKeepAliveConnectionsHoldNobodyUp) {
  std::vector<int> idle;
  for (int i = 0; i < 20; ++i) {
    int fd = connectToStudio(port_);
    ASSERT_GE(fd, 0);
    std::string answer = exchange(fd, "GET /api/status HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    ASSERT_TRUE(answer.starts_with("HTTP/1.1 200")) << answer;
    idle.push_back(fd);
  }
  httplib::Client other("127.0.0.1", port_);
  other.set_keep_alive(false);
  for (int i = 0; i < 5; ++i) {
    auto res = other.Get("/api/state");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
  }
  int stillOpen = 0;
  for (int fd : idle) stillOpen += !closedByServer(fd);
  EXPECT_EQ(stillOpen, 20) << "connections were dropped to make room";
  for (int fd : idle) close(fd);
}

long residentKiB() {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
  return 0;
}

// 400 requests from 20 clients at once, some of them bad: every request is answered as it should be, the
// good changes are applied in the order each client sent them and none is
// lost, memory stays bounded and the studio still serves.
TEST_F(StudioServer, ACrowdOfClientsIsAnsweredInOrder) {
  constexpr int kClients = 20, kRequests = 20;
  const long memoryBefore = residentKiB();
  const uint64_t revisionBefore = state()["revision"];

  struct Answer {
    int expected, got = -1;
    std::string colour;  // a good change's value
    std::string failure;  // why no answer came
    uint64_t revision = 0;
  };
  std::vector<std::vector<Answer>> answers(kClients);
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c)
    clients.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", port_);
      client.set_read_timeout(60, 0);
      for (int r = 0; r < kRequests; ++r) {
        Answer a{200};
        httplib::Result res(nullptr, httplib::Error::Unknown);
        switch ((c + r) % 8) {
          case 0:
            a = {400};
            res = client.Post("/api/preferences", "{\"BlurRadius\":", "application/json");
            break;
          case 1: a = {400}; res = client.Post("/api/preferences", "{\"NoSuchKey\":1}", "application/json"); break;
          case 2: a = {404}; res = client.Get("/api/nothing"); break;
          case 3: res = client.Get("/api/status"); break;
          case 4: res = client.Get("/api/picture/music/songs/themed.png"); break;
          default: {
            char colour[16];
            std::snprintf(colour, sizeof colour, "%02X%02X00FF", c, r);
            a.colour = colour;
            res = client.Post("/api/preferences", json({{"PrimaryTintColour", colour}}).dump(), "application/json");
          }
        }
        if (!res) a.failure = httplib::to_string(res.error());
        if (res) {
          a.got = res->status;
          if (!a.colour.empty() && res->status == 200) a.revision = json::parse(res->body)["revision"];
        }
        // A picture may not be rendered yet: 503 is its answer then.
        if (a.expected == 200 && a.got == 503 && (c + r) % 8 == 4) a.got = 200;
        answers[c].push_back(a);
      }
    });
  for (std::thread& t : clients) t.join();

  int changes = 0;
  uint64_t newest = 0;
  std::string newestColour;
  for (int c = 0; c < kClients; ++c) {
    uint64_t previous = 0;
    for (const Answer& a : answers[c]) {
      EXPECT_EQ(a.got, a.expected) << "client " << c << " " << a.failure;
      if (a.colour.empty()) continue;
      ++changes;
      EXPECT_GT(a.revision, previous) << "client " << c << "'s changes were applied out of order";
      previous = a.revision;
      if (a.revision > newest) newest = a.revision, newestColour = a.colour;
    }
  }
  EXPECT_EQ(newest, revisionBefore + changes) << "changes were lost or applied twice";
  EXPECT_EQ(state()["values"]["PrimaryTintColour"], newestColour);
  EXPECT_EQ(saved().entries["PrimaryTintColour"], plistXmlOf("<string>" + newestColour + "</string>"));
  EXPECT_LT(residentKiB() - memoryBefore, 64 * 1024) << "the studio kept what it was sent";
  EXPECT_EQ(client_->Get("/api/state")->status, 200);
  waitUntilIdle();
}

// A theme from the wallpaper lands on the controls as one change: one undo
// takes every value it set back.
TEST_F(StudioServer, ASuggestionFromTheWallpaperIsOneUndoStep) {
  const json before = state()["values"];
  client_->set_read_timeout(300, 0);
  json reply = postJson("/api/suggest");
  client_->set_read_timeout(30, 0);
  ASSERT_TRUE(reply.contains("suggestion")) << reply.dump();
  EXPECT_NE(reply["values"]["PrimaryTextColour"], before["PrimaryTextColour"]);
  EXPECT_EQ(saved().entries["PrimaryTextColour"],
            plistXmlOf("<string>" + reply["values"]["PrimaryTextColour"].get<std::string>() + "</string>"));
  json undone = postJson("/api/undo");
  EXPECT_EQ(undone["values"], before);
  waitUntilIdle();
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

  // An opaque black artwork: its scheme's background is black, and so is
  // the dim layer over it with BlurArtwork or without, so what lies behind
  // the titles reads as the background does (the records cut ratios to two
  // places).
  auto artwork = client_->Post("/api/artwork", pngBytes(32, 32, 0xFF000000u), "image/png");
  ASSERT_TRUE(artwork);
  ASSERT_EQ(artwork->status, 200) << artwork->body;
  json scheme = json::parse(artwork->body)["scheme"];
  ASSERT_TRUE(scheme.is_object()) << artwork->body;
  EXPECT_EQ(scheme["background"], "#000000");
  for (const char* ratio : {"primaryContrast", "secondaryContrast"}) {
    EXPECT_GE(scheme[ratio].get<double>(), 1.0) << ratio;
    EXPECT_LE(scheme[ratio].get<double>(), 21.0) << ratio;
  }
  EXPECT_NEAR(contrastRatio(scheme["primary"], scheme["background"]), scheme["primaryContrast"].get<double>(), 1e-9);
  for (bool blur : {true, false}) {
    ASSERT_EQ(post({{"BlurArtwork", blur}})->status, 200);
    scheme = state()["scheme"];
    EXPECT_EQ(scheme["blurArtwork"], blur);
    for (const char* text : {"primary", "secondary"}) {
      const json& behind = scheme[std::string(text) + "ContrastBehindTitles"];
      ASSERT_TRUE(behind.is_object()) << text << ": " << scheme["behindTitlesError"];
      for (const char* figure : {"median", "worst"})
        EXPECT_NEAR(behind[figure].get<double>(), scheme[std::string(text) + "Contrast"].get<double>(), 0.02)
            << text << " " << figure << " with BlurArtwork " << blur;
    }
  }
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
