// mirel-studio in a real browser: Debian's chromium, headless, driven by
// chromedriver over WebDriver. The page loads, the primary text colour is
// typed into its field, and the Songs picture must change to one that shows
// text in the new colour. Everything talks to 127.0.0.1 only, and every wait
// is bounded.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <thread>

#include "tests/tools/studio/child_process.h"

namespace {

using json = nlohmann::json;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

const char* kChromium = "/usr/bin/chromium";
const char* kChromedriver = "/usr/bin/chromedriver";

// A WebDriver session with headless chromium.
class Browser {
 public:
  explicit Browser(int driverPort) : driver_("127.0.0.1", driverPort) {
    driver_.set_read_timeout(60, 0);
    driver_.set_connection_timeout(2, 0);
  }
  bool waitForDriver() {
    auto until = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < until) {
      auto res = driver_.Get("/status");
      if (res && res->status == 200 && json::parse(res->body, nullptr, false)["value"]["ready"] == true) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }
  bool open(const std::string& profile) {
    json args = {"--headless=new",         "--no-sandbox",
                 "--disable-gpu",          "--disable-dev-shm-usage",
                 "--no-first-run",         "--no-default-browser-check",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync",         "--disable-extensions",
                 "--disable-default-apps", "--metrics-recording-only",
                 "--no-pings",             "--disable-domain-reliability",
                 "--disable-client-side-phishing-detection",
                 "--disable-features=Translate,OptimizationHints,MediaRouter,AutofillServerCommunication",
                 "--window-size=1400,900", "--user-data-dir=" + profile};
    json caps = {{"capabilities",
                  {{"alwaysMatch",
                    {{"browserName", "chrome"}, {"goog:chromeOptions", {{"binary", kChromium}, {"args", args}}}}}}}};
    json answer = call("POST", "/session", caps);
    if (!answer["value"].contains("sessionId")) return false;
    session_ = "/session/" + answer["value"]["sessionId"].get<std::string>();
    return true;
  }
  ~Browser() {
    if (!session_.empty()) driver_.Delete(session_.c_str());
  }
  void go(const std::string& url) { call("POST", session_ + "/url", {{"url", url}}); }
  json run(const std::string& script, const json& args = json::array()) {
    return call("POST", session_ + "/execute/sync", {{"script", script}, {"args", args}})["value"];
  }
  std::string find(const std::string& css) {
    json found = call("POST", session_ + "/element", {{"using", "css selector"}, {"value", css}})["value"];
    return found.is_object() && !found.empty() ? found.begin().value().get<std::string>() : "";
  }
  void type(const std::string& element, const std::string& text) {
    call("POST", session_ + "/element/" + element + "/clear", json::object());
    call("POST", session_ + "/element/" + element + "/value", {{"text", text}});
  }

 private:
  json call(const char* method, const std::string& path, const json& body) {
    auto res = std::string(method) == "POST" ? driver_.Post(path.c_str(), body.dump(), "application/json")
                                             : driver_.Get(path.c_str());
    if (!res) {
      ADD_FAILURE() << method << " " << path << ": chromedriver does not answer";
      return json::object();
    }
    json answer = json::parse(res->body, nullptr, false);
    if (res->status != 200) ADD_FAILURE() << method << " " << path << ": " << res->status << " " << res->body;
    return answer.is_discarded() ? json::object() : answer;
  }

  httplib::Client driver_;
  std::string session_;
};

// The Songs picture's generation and how many of its pixels are close to
// the colour given (an [r, g, b] argument), counted in the page from the
// picture the page shows.
const char* kPictureScript = R"(
  const img = document.getElementById('picture-music-songs');
  if (!img || !img.complete || !img.naturalWidth || !img.dataset.generation) return null;
  const canvas = document.createElement('canvas');
  canvas.width = img.naturalWidth;
  canvas.height = img.naturalHeight;
  const context = canvas.getContext('2d');
  context.drawImage(img, 0, 0);
  const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
  const want = arguments[0];
  let matching = 0;
  for (let i = 0; i < data.length; i += 4)
    if (Math.abs(data[i] - want[0]) < 35 && Math.abs(data[i + 1] - want[1]) < 35 && Math.abs(data[i + 2] - want[2]) < 35)
      matching++;
  return {generation: Number(img.dataset.generation), matching: matching, width: canvas.width,
          latency: Number(document.body.dataset.songsLatency || -1)};
)";

json waitFor(Browser& browser, const json& colour, const std::function<bool(const json&)>& done, int seconds) {
  auto until = Clock::now() + std::chrono::seconds(seconds);
  json last;
  while (Clock::now() < until) {
    last = browser.run(kPictureScript, json::array({colour}));
    if (!last.is_null() && done(last)) return last;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return last;
}

TEST(StudioInBrowser, TypingAPrimaryTextColourRecoloursTheSongsPicture) {
  ASSERT_TRUE(fs::exists(kChromium) && fs::exists(kChromedriver))
      << "chromium and chromedriver are missing; scripts/install-deps installs them";

  Child studio;
  std::string banner;
  ASSERT_TRUE(studio.start({MIREL_STUDIO_PATH, "--port", "0"}, &banner)) << "mirel-studio printed no address";
  auto at = banner.find("http://127.0.0.1:");
  ASSERT_NE(at, std::string::npos) << banner;
  std::string url = banner.substr(at);

  int driverPort = freeLoopbackPort();
  ASSERT_GT(driverPort, 0);
  Child driver;
  ASSERT_TRUE(driver.start({kChromedriver, "--port=" + std::to_string(driverPort), "--allowed-ips=127.0.0.1",
                            "--log-level=SEVERE"}));
  Browser browser(driverPort);
  ASSERT_TRUE(browser.waitForDriver()) << "chromedriver did not start";
  char profile[] = "/tmp/mirel-chromium-XXXXXX";
  ASSERT_TRUE(mkdtemp(profile));
  struct RemoveProfile {
    std::string path;
    ~RemoveProfile() { std::error_code ec; fs::remove_all(path, ec); }
  } removeProfile{profile};
  ASSERT_TRUE(browser.open(profile)) << "chromium did not start";

  const json red = {255, 0, 0}, green = {0, 255, 0};
  browser.go(url);
  json first = waitFor(browser, red, [](const json& p) { return p["generation"].get<int>() > 0; }, 60);
  ASSERT_FALSE(first.is_null()) << "the Songs picture never appeared";
  EXPECT_LT(first["matching"].get<int>(), 20) << "the default theme already shows FF0000";

  // Typed key by key, as a user would: the texts on the way ("FF0" is a
  // yellow) are rendered or superseded, and the last one wins.
  std::string field = browser.find("#pref-PrimaryTextColour");
  ASSERT_FALSE(field.empty());
  browser.type(field, "FF0000FF");
  auto newerThan = [](const json& before, int minimum) {
    return [&before, minimum](const json& p) {
      return p["generation"].get<int>() > before["generation"].get<int>() && p["matching"].get<int>() > minimum;
    };
  };
  json typed = waitFor(browser, red, newerThan(first, 500), 60);
  ASSERT_FALSE(typed.is_null());
  EXPECT_GT(typed["generation"].get<int>(), first["generation"].get<int>()) << "the Songs picture never changed";
  // Song titles and the index letters are drawn in the colour.
  EXPECT_GT(typed["matching"].get<int>(), 500) << "the new picture shows too little text in FF0000";
  std::printf("typed text to new Songs picture: %d ms (%d pixels in the colour)\n", typed["latency"].get<int>(), typed["matching"].get<int>());

  // One change of the colour picker, as one pick sends it.
  browser.run("const p = document.getElementById('pref-PrimaryTextColour-rgb');"
              "p.value = '#00ff00'; p.dispatchEvent(new Event('input'));");
  json picked = waitFor(browser, green, newerThan(typed, 500), 60);
  EXPECT_GT(picked["matching"].get<int>(), 500) << "the picker's colour never showed in the Songs picture";
  json redLeft = browser.run(kPictureScript, json::array({red}));
  EXPECT_LT(redLeft["matching"].get<int>(), 20) << "the picture still shows the typed colour";
  std::printf("colour pick to new Songs picture: %d ms\n", picked["latency"].get<int>());
  EXPECT_EQ(browser.run("return document.getElementById('error').textContent"), "")
      << "the page reports an error";
}

}  // namespace
