// mirel-studio in a real browser: Debian's chromium, headless, driven by
// chromedriver over WebDriver, editing a file. The page loads; a primary
// text colour typed into its field recolours the Songs picture; one typed
// quickly stays as typed, in the field and in the file; Ctrl+Z and
// Ctrl+Shift+Z undo and redo it; a wallpaper chosen by clicking its drop
// zone is taken. Everything talks to 127.0.0.1 only, and every wait is
// bounded.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <thread>

#include "platform/render/Bitmap.h"
#include "tests/tools/run_tool.h"
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
  bool open(const std::string& profile) {
    json args = {"--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage", "--no-first-run",
                 "--no-default-browser-check", "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--disable-extensions", "--disable-default-apps", "--metrics-recording-only",
                 "--no-pings", "--disable-domain-reliability", "--disable-client-side-phishing-detection",
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
    sendKeys(element, text);
  }
  // Keys sent to a file input choose that file, as a user's pick would.
  void sendKeys(const std::string& element, const std::string& text) {
    call("POST", session_ + "/element/" + element + "/value", {{"text", text}});
  }
  // chromedriver's /status, which answers before the driver is ready.
  httplib::Result status() { return driver_.Get("/status"); }
  void click(const std::string& element) { call("POST", session_ + "/element/" + element + "/click", json::object()); }
  // A key pressed with Control (and Shift) held, wherever the focus is.
  void pressWithControl(const std::string& key, bool shift) {
    const std::string control = "\uE009", shiftKey = "\uE008";
    std::vector<std::string> held = {control};
    if (shift) held.push_back(shiftKey);
    held.push_back(key);
    json actions = json::array();
    for (const std::string& k : held) actions.push_back({{"type", "keyDown"}, {"value", k}});
    for (auto k = held.rbegin(); k != held.rend(); ++k) actions.push_back({{"type", "keyUp"}, {"value", *k}});
    call("POST", session_ + "/actions",
         {{"actions", json::array({{{"type", "key"}, {"id", "keyboard"}, {"actions", actions}}})}});
    call("DELETE", session_ + "/actions", json::object());
  }

 private:
  json call(const char* method, const std::string& path, const json& body) {
    auto res = std::string(method) == "POST"     ? driver_.Post(path.c_str(), body.dump(), "application/json")
               : std::string(method) == "DELETE" ? driver_.Delete(path.c_str())
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
  return {generation: Number(img.dataset.generation), matching: matching};
)";

// Asks `ask` every 50 ms until it answers something `done` takes, for at
// most `seconds`; gives the last answer.
json poll(const std::function<json()>& ask, const std::function<bool(const json&)>& done, int seconds) {
  auto until = Clock::now() + std::chrono::seconds(seconds);
  json last;
  while (Clock::now() < until) {
    last = ask();
    if (done(last)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return last;
}

json waitFor(Browser& browser, const json& colour, const std::function<bool(const json&)>& done, int seconds) {
  return poll([&] { return browser.run(kPictureScript, json::array({colour})); },
              [&](const json& p) { return !p.is_null() && done(p); }, seconds);
}

// The page has sent everything and heard back: no request on its way.
const char* kSettledScript = R"(
  return document.body.dataset.ready === '1' && !document.body.dataset.busy;
)";

bool waitUntil(Browser& browser, const std::string& script, int seconds) {
  return poll([&] { return browser.run(script); }, [](const json& answer) { return answer == true; }, seconds) == true;
}

std::string fieldValue(Browser& browser, const std::string& id) {
  json value = browser.run("return document.getElementById(arguments[0]).value", json::array({id}));
  return value.is_string() ? value.get<std::string>() : "";
}

TEST(StudioInBrowser, EditsAFileAsAUserDoes) {
  ASSERT_TRUE(fs::exists(kChromium) && fs::exists(kChromedriver))
      << "chromium and chromedriver are missing; scripts/install-deps installs them";
  char folder[] = "/tmp/mirel-browser-XXXXXX";
  ASSERT_TRUE(mkdtemp(folder));
  struct RemoveFolder {
    std::string path;
    ~RemoveFolder() { std::error_code ec; fs::remove_all(path, ec); }
  } removeFolder{folder};
  const std::string document = removeFolder.path + "/prefs.plist", profile = removeFolder.path + "/profile";

  Child studio;
  std::string banner;
  ASSERT_TRUE(studio.start({MIREL_STUDIO_PATH, document, "--port", "0"}, &banner)) << "mirel-studio printed no address";
  auto at = banner.find("http://127.0.0.1:");
  ASSERT_NE(at, std::string::npos) << banner;
  std::string url = banner.substr(at);

  int driverPort = freeLoopbackPort();
  ASSERT_GT(driverPort, 0);
  Child driver;
  ASSERT_TRUE(driver.start({kChromedriver, "--port=" + std::to_string(driverPort), "--allowed-ips=127.0.0.1",
                            "--log-level=SEVERE"}));
  Browser browser(driverPort);
  json ready = poll([&] {
    auto res = browser.status();
    return res && res->status == 200 ? json::parse(res->body, nullptr, false)["value"]["ready"] : json();
  }, [](const json& r) { return r == true; }, 20);
  ASSERT_EQ(ready, true) << "chromedriver did not start";
  ASSERT_TRUE(browser.open(profile)) << "chromium did not start";

  const json red = {255, 0, 0}, green = {0, 255, 0}, blue = {0, 0, 255};
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

  // One change of the colour picker, as one pick sends it.
  browser.run("const p = document.getElementById('pref-PrimaryTextColour-rgb');"
              "p.focus(); p.value = '#00ff00'; p.dispatchEvent(new Event('input'));");
  json picked = waitFor(browser, green, newerThan(typed, 500), 60);
  EXPECT_GT(picked["matching"].get<int>(), 500) << "the picker's colour never showed in the Songs picture";
  EXPECT_LT(browser.run(kPictureScript, json::array({red}))["matching"].get<int>(), 20)
      << "the picture still shows the typed colour";

  // Typed quickly (every key at once, replies arriving while it is typed
  // on): the field keeps what was typed, and so does the file.
  browser.type(field, "#0000FFFF");
  json fast = waitFor(browser, blue, newerThan(picked, 500), 60);
  EXPECT_GT(fast["matching"].get<int>(), 500) << "the quickly typed colour never showed";
  ASSERT_TRUE(waitUntil(browser, kSettledScript, 30)) << "the page never settled";
  EXPECT_EQ(fieldValue(browser, "pref-PrimaryTextColour"), "#0000FFFF") << "a reply overwrote the field";
  EXPECT_NE(fileText(document).find("#0000FFFF"), std::string::npos) << "the file does not hold the typed colour";

  // Ctrl+Z undoes the typing as one step (back to the picker's green),
  // Ctrl+Shift+Z brings it back; the file follows each time.
  browser.pressWithControl("z", false);
  json undone = waitFor(browser, green, newerThan(fast, 500), 60);
  EXPECT_GT(undone["matching"].get<int>(), 500) << "Ctrl+Z did not bring the green back";
  ASSERT_TRUE(waitUntil(browser, kSettledScript, 30));
  EXPECT_EQ(fieldValue(browser, "pref-PrimaryTextColour"), "00FF00FF");
  EXPECT_NE(fileText(document).find("00FF00FF"), std::string::npos);
  browser.pressWithControl("z", true);
  json redone = waitFor(browser, blue, newerThan(undone, 500), 60);
  EXPECT_GT(redone["matching"].get<int>(), 500) << "Ctrl+Shift+Z did not bring the blue back";
  ASSERT_TRUE(waitUntil(browser, kSettledScript, 30));
  EXPECT_EQ(fieldValue(browser, "pref-PrimaryTextColour"), "#0000FFFF");

  // Clicking the wallpaper's zone opens its file chooser; the file chosen
  // there is taken, and every picture follows.
  browser.run("window.chosen = []; const click = HTMLInputElement.prototype.click;"
              "HTMLInputElement.prototype.click = function () { window.chosen.push(this.id); };");
  std::string zone = browser.find("#drop-wallpaper");
  ASSERT_FALSE(zone.empty());
  browser.click(zone);
  EXPECT_EQ(browser.run("return window.chosen"), json::array({"file-wallpaper"}));
  const std::string wallpaper = removeFolder.path + "/wallpaper.png";
  std::string error;
  {
    Bitmap plain = Bitmap::create(64, 114);
    ASSERT_TRUE(plain.writePNG(wallpaper, &error)) << error;
  }
  const json before = browser.run(kPictureScript, json::array({red}));
  browser.sendKeys(browser.find("#file-wallpaper"), wallpaper);
  json withWallpaper = waitFor(browser, red, [&](const json& p) {
    return p["generation"].get<int>() > before["generation"].get<int>();
  }, 60);
  EXPECT_GT(withWallpaper["generation"].get<int>(), before["generation"].get<int>()) << "the wallpaper changed nothing";
  EXPECT_EQ(browser.run("return document.querySelector('#drop-wallpaper').firstChild.textContent"), "wallpaper.png");

  // The Songs card's badge counts its texts below AA; clicking it lists
  // them and outlines each on the picture.
  ASSERT_TRUE(waitUntil(browser,
                        "const card = document.querySelector('#card-music-songs');"
                        "return !card.classList.contains('busy') && !card.querySelector('.badge').textContent.includes('…')",
                        60));
  json badge = browser.run("return document.querySelector('#card-music-songs .badge').textContent");
  ASSERT_TRUE(badge.is_string() && badge.get<std::string>().starts_with("below AA: ")) << badge;
  const int counted = std::stoi(badge.get<std::string>().substr(10));
  browser.click(browser.find("#card-music-songs .badge"));
  ASSERT_TRUE(waitUntil(browser, "return document.querySelectorAll('#card-music-songs ul.below li').length > 0", 30));
  if (counted > 0) {
    EXPECT_EQ(browser.run("return document.querySelectorAll('#card-music-songs ul.below li').length"), counted);
    EXPECT_EQ(browser.run("return document.querySelectorAll('#card-music-songs figure.themed .outline').length"),
              counted);
  }

  EXPECT_EQ(browser.run("return document.getElementById('error').textContent"), "") << "the page reports an error";
  json status = browser.run("return document.getElementById('document').textContent");
  EXPECT_TRUE(status.is_string() && status.get<std::string>().starts_with("Saved to prefs.plist")) << status;
}

}  // namespace
