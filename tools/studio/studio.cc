// The studio's routes and the state behind them. Every handler checks what
// it is given before anything else sees it; only checked preferences,
// uploads whose header passed, and known screens ever reach a launch.
#include "tools/studio/studio.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/render/Bitmap.h"
#include "platform/uikit/UIBackdropView.h"
#include "platform/imageio/ImageFile.h"
#include "studio_web_assets.h"
#include "tools/studio/image_upload.h"
#include "tools/studio/upload_body.h"

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

bool showsArtwork(const std::string& screen) { return screen.find("nowplaying") != std::string::npos; }

void replyJson(httplib::Response& res, int status, const json& body) {
  res.status = status;
  res.set_content(body.dump(), "application/json");
}

void replyError(httplib::Response& res, int status, const std::string& message) {
  replyJson(res, status, {{"error", message}});
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

const char* typeName(PreferenceType type) {
  switch (type) {
    case PreferenceType::Bool: return "bool";
    case PreferenceType::Integer: return "integer";
    case PreferenceType::Real: return "real";
    case PreferenceType::Colour: return "colour";
  }
  return "?";
}

// Uploads over a form carry a little more than the file.
constexpr size_t kFormOverhead = 64u << 10;

}  // namespace

std::vector<std::string> keysReadBy(const HostApp& app, const std::string& screen) {
  // The Messages host installs only the Messages group, which reads the
  // blur keys alone, and with ReadableText the Messages text group, which
  // reads the two text colours. In the Music host the Now Playing switches
  // are read by the Now Playing controller and its controls, on no other
  // screen.
  if (&app == &messagesApp())
    return {"Enabled",    "BlurPreset",     "UseCustomTint", "Customise",          "Saturation",
            "BlurRadius", "BlurTintColour", "ReadableText",  "PrimaryTextColour", "SecondaryTextColour"};
  std::vector<std::string> keys;
  for (const PreferenceKey& key : preferenceKeys()) {
    const std::string name = key.name;
    if ((name == "BlurArtwork" || name == "AdaptiveNowPlaying" || name == "ReadableText") && !showsArtwork(screen))
      continue;
    keys.push_back(name);
  }
  return keys;
}

std::string Studio::Screen::id() const { return app->name + "/" + name; }

Studio::Studio(StudioOptions options) : options_(std::move(options)) {
  for (const HostApp* app : {&musicApp(), &messagesApp()})
    for (const std::string& screen : app->screens) screens_.push_back({app, screen, keysReadBy(*app, screen)});
  char pattern[] = "/tmp/mirel-studio-XXXXXX";
  if (mkdtemp(pattern)) workFolder_ = pattern;
  unsigned workers = options_.renderWorkers ? options_.renderWorkers : std::max(1u, std::thread::hardware_concurrency());
  // The launchers are forked before the queue's threads exist.
  renderLaunchers_ = std::make_unique<LauncherPool>(workers);
  serviceLaunchers_ = std::make_unique<LauncherPool>(1);
  suggestLaunchers_ = std::make_unique<LauncherPool>(1);
  documentBytes_ = preferences_.propertyList();
  queue_ = std::make_unique<RenderQueue>(
      workers, [this](const std::string& slot, std::string* png, json* texts, std::string* error) {
        return renderSlot(slot, png, texts, error);
      });
  routes();
}

Studio::~Studio() {
  stop();
  queue_.reset();  // waits for the renders in flight
  renderLaunchers_.reset();
  serviceLaunchers_.reset();
  suggestLaunchers_.reset();
  std::error_code ec;
  if (!workFolder_.empty()) fs::remove_all(workFolder_, ec);
}

int Studio::listen(int port) {
  // The HTTP library listens with a backlog of 5. A page opening its cards at
  // once overflows that; the kernel then drops connections it has half taken,
  // and a request can arrive after the server has given up waiting for it.
  // Listening again on the bound socket only raises the backlog.
  int listening = -1;
  server_.set_socket_options([&listening](socket_t sock) {
    httplib::default_socket_options(sock);
    listening = sock;
  });
  int bound = port == 0 ? server_.bind_to_any_port("127.0.0.1") : server_.bind_to_port("127.0.0.1", port) ? port : -1;
  server_.set_socket_options(httplib::default_socket_options);
  if (bound >= 0 && listening >= 0) ::listen(listening, SOMAXCONN);
  return bound;
}

void Studio::serve() {
  scheduleRenders();
  server_.listen_after_bind();
}

void Studio::stop() { server_.stop(); }

bool Studio::readAsExtension(const std::string& bytes, json* readings, std::string* error) {
  return serviceLaunchers_->read(bytes, readings, error);
}

bool Studio::openDocument(std::vector<std::string>* warnings, std::string* error) {
  const std::string& path = options_.documentPath;
  if (path.empty()) return true;
  removeInterruptedSaves(path);
  std::string bytes;
  bool missing = false;
  if (!readWholeFile(path, &bytes, &missing, error)) return false;
  // An empty file holds nothing to keep: it is a new document.
  missing = missing || bytes.empty();
  Preferences document;
  json readings;
  if (!missing) {
    std::string reason;
    if (!readAsExtension(bytes, &readings, &reason) || !document.parse(bytes, &reason))
      return *error = path + ": " + reason, false;
    document.setReadings(readings);
    const json found = document.warnings();
    for (const PreferenceKey& key : preferenceKeys())
      if (found.contains(key.name)) warnings->push_back(found[key.name].get<std::string>());
  }
  std::lock_guard guard(state_);
  preferences_ = document;
  // A file is kept as it is until a change: its bytes are what the
  // extension reads, so they are what every launch gets.
  documentBytes_ = missing ? preferences_.propertyList() : bytes;
  return true;
}

bool Studio::loadStartFiles(std::string* error) {
  // A file that gives no bytes (a directory, one that cannot be opened) is
  // named by the image reader, in the words every tool uses.
  auto read = [](const std::string& path, std::string* bytes, std::string* reason) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    if (in) all << in.rdbuf();
    *bytes = all.str();
    if (!bytes->empty()) return true;
    DecodedImage image;
    ImageReadError failure;
    readImageFile(path, {}, &image, &failure);
    *reason = failure.cause;
    return false;
  };
  std::string bytes, reason;
  if (!options_.artworkPath.empty()) {
    if (!read(options_.artworkPath, &bytes, &reason) || !acceptArtwork(bytes, &reason))
      return *error = "--artwork " + options_.artworkPath + ": " + reason, false;
  }
  if (!options_.wallpaperPath.empty()) {
    if (!read(options_.wallpaperPath, &bytes, &reason) || !acceptWallpaper(bytes, &reason))
      return *error = "--wallpaper " + options_.wallpaperPath + ": " + reason, false;
  }
  return true;
}

json Studio::signatureOf(const Screen& screen, bool themed) const {
  json signature = {{"wallpaper", wallpaperVersion_}};
  if (showsArtwork(screen.name)) signature["artwork"] = artworkVersion_;
  if (themed) {
    // The Messages host reads the text colours through the Messages text
    // group alone, which only ReadableText installs.
    std::vector<std::string> keys = screen.keys;
    if (screen.app == &messagesApp() && preferences_.get("ReadableText") != true)
      std::erase_if(keys, [](const std::string& k) { return k == "PrimaryTextColour" || k == "SecondaryTextColour"; });
    signature["preferences"] = preferences_.effective(keys);
  }
  return signature;
}

json Studio::scheduleRenders() {
  std::lock_guard guard(state_);
  json asked = json::object();
  for (const Screen& screen : screens_) {
    if (uint64_t g = queue_->request(screen.id() + "/themed", signatureOf(screen, true)))
      asked[screen.id() + "/themed"] = g;
    if (stockWanted_)
      if (uint64_t g = queue_->request(screen.id() + "/stock", signatureOf(screen, false)))
        asked[screen.id() + "/stock"] = g;
  }
  return asked;
}

bool Studio::renderSlot(const std::string& slot, std::string* png, json* texts, std::string* error) {
  ScreenRenderRequest request;
  std::string wallpaperPath, artworkPath;
  {
    std::lock_guard guard(state_);
    const Screen* screen = nullptr;
    for (const Screen& s : screens_)
      if (slot == s.id() + "/themed" || slot == s.id() + "/stock") screen = &s;
    if (!screen) return *error = "no screen " + slot, false;
    request.app = screen->app;
    request.screen = screen->name;
    request.themed = slot.ends_with("/themed");
    request.preferences = documentBytes_;
    wallpaperPath = wallpaperPath_;
    artworkPath = artworkPath_;
    request.scale = options_.scale;
  }
  return renderLaunchers_->render(request, wallpaperPath, artworkPath, png, error, texts);
}

int Studio::commit(const Edit& edit, Record record, uint64_t group, json* reply) {
  std::lock_guard editing(edit_);
  Preferences next;
  {
    std::lock_guard guard(state_);
    next = preferences_;
  }
  Change change;
  std::string error;
  if (!edit(next, &change, &error)) {
    *reply = {{"error", error}};
    return 400;
  }
  if (record == Record::Step) history_.record(change, group);
  json asked = json::object();
  if (!change.empty()) {
    const std::string bytes = next.propertyList();
    auto publish = [&](const Preferences& prefs) {
      std::lock_guard guard(state_);
      preferences_ = prefs;
      documentBytes_ = bytes;
    };
    // Renders start at once from the values the change set (a page's
    // change knows them); the reading below then corrects any it did not.
    publish(next);
    asked = scheduleRenders();
    // Read back as the extension reads it: the values and warnings shown
    // are the extension's, never the page's idea of them.
    json readings;
    std::string readError;
    if (readAsExtension(bytes, &readings, &readError)) next.setReadings(readings);
    publish(next);
    asked.update(scheduleRenders());
    {
      std::lock_guard guard(state_);
      ++revision_;
      canUndo_ = history_.canUndo();
      canRedo_ = history_.canRedo();
    }
    if (!options_.documentPath.empty()) {
      std::string saveError;
      bool saved = saveFileAtomically(options_.documentPath, bytes, &saveError, options_.beforeRename);
      std::lock_guard guard(state_);
      // A failed save leaves the change in the page and the studio; the
      // next save that works writes it with everything before it.
      saved_ = saved;
      saveError_ = saved ? "" : saveError;
    }
  } else {
    std::lock_guard guard(state_);
    canUndo_ = history_.canUndo();
    canRedo_ = history_.canRedo();
  }
  std::lock_guard guard(state_);
  *reply = {{"values", preferences_.values()},   {"warnings", preferences_.warnings()},
            {"otherKeys", preferences_.otherKeys()}, {"document", documentJson()},
            {"asked", asked},                    {"revision", revision_}};
  return 200;
}

bool Studio::acceptArtwork(const std::string& bytes, std::string* error) {
  if (!checkImageUpload(bytes, {kStudioMaxUploadBytes, kStudioMaxImageSide}, error)) return false;
  if (workFolder_.empty()) return *error = "no folder in /tmp to keep uploads in", false;
  uint64_t number;
  {
    std::lock_guard guard(state_);
    number = ++uploads_;
  }
  std::string path = workFolder_ + "/artwork-" + std::to_string(number);
  if (!writeFile(path, bytes)) return *error = "cannot keep the artwork", false;
  auto scheme = std::make_unique<ArtworkScheme>();
  if (!serviceLaunchers_->pick(path, scheme.get(), error)) return false;
  // Both BlurArtwork settings at once, in two launches; one that fails
  // leaves the scheme shown, with the reason in place of its figures.
  Preferences document;
  {
    std::lock_guard guard(state_);
    document = preferences_;
  }
  std::optional<TitlesContrast> over[2];
  std::string reasons[2];
  auto measure = [&](int blur) {
    TitlesContrast found;
    if (measureTitlesContrast(*renderLaunchers_, document, path, options_.scale, blur == 1, &found, &reasons[blur]))
      over[blur] = found;
  };
  std::thread withBlur(measure, 1);
  measure(0);
  withBlur.join();
  {
    std::lock_guard guard(state_);
    artworkPath_ = path;
    ++artworkVersion_;
    scheme_ = std::move(scheme);
    overArtwork_[0] = over[0];
    overArtwork_[1] = over[1];
    overArtworkError_ = reasons[0].empty() ? reasons[1] : reasons[0];
  }
  scheduleRenders();
  return true;
}

bool Studio::acceptWallpaper(const std::string& bytes, std::string* error) {
  if (!checkImageUpload(bytes, {kStudioMaxUploadBytes, kStudioMaxImageSide}, error)) return false;
  if (workFolder_.empty()) return *error = "no folder in /tmp to keep uploads in", false;
  uint64_t number;
  {
    std::lock_guard guard(state_);
    number = ++uploads_;
  }
  std::string path = workFolder_ + "/wallpaper-" + std::to_string(number);
  if (!writeFile(path, bytes)) return *error = "cannot keep the wallpaper", false;
  // Decoded once here so that a broken file is refused now, not at every
  // render; the launchers decode it again for their renders.
  if (Bitmap::readImageFile(path, error).empty()) return false;
  {
    std::lock_guard guard(state_);
    wallpaperPath_ = path;
    ++wallpaperVersion_;
  }
  scheduleRenders();
  return true;
}

json Studio::schemeJson() const {
  if (!scheme_) return nullptr;
  // What the titles show over depends on the document's BlurArtwork: the
  // figures measured with its value.
  const bool blur = preferences_.get("BlurArtwork") == true;
  const std::optional<TitlesContrast>& over = overArtwork_[blur ? 1 : 0];
  auto figures = [&](TitleContrast TitlesContrast::*text) {
    return over ? json{{"median", ((*over).*text).median}, {"worst", ((*over).*text).worst}} : json(nullptr);
  };
  return {{"background", scheme_->background},
          {"primary", scheme_->primary},
          {"secondary", scheme_->secondary},
          {"primaryContrast", scheme_->primaryContrast},
          {"secondaryContrast", scheme_->secondaryContrast},
          {"blurArtwork", blur},
          {"primaryContrastBehindTitles", figures(&TitlesContrast::primary)},
          {"secondaryContrastBehindTitles", figures(&TitlesContrast::secondary)},
          {"behindTitlesError", overArtworkError_}};
}

json Studio::documentJson() const {
  json file = options_.documentPath.empty() ? json(nullptr) : json(options_.documentPath);
  return {{"file", file},
          {"format", preferences_.format() == PropertyListFormat::Xml ? "xml" : "binary"},
          {"saved", saved_},
          {"saveError", saveError_},
          {"canUndo", canUndo_},
          {"canRedo", canRedo_}};
}

json Studio::stateJson() const {
  json keys = json::array();
  for (const PreferenceKey& key : preferenceKeys()) {
    json entry = {{"name", key.name}, {"type", typeName(key.type)}, {"default", key.defaultValue}};
    if (key.type == PreferenceType::Integer || key.type == PreferenceType::Real) {
      entry["min"] = key.minimum;
      entry["max"] = key.maximum;
    }
    keys.push_back(entry);
  }
  json styles = json::array();
  for (const BackdropStyle& style : knownBackdropStyles()) styles.push_back({{"number", style.number}, {"name", style.name}});
  json screens = json::array();
  for (const Screen& screen : screens_)
    screens.push_back({{"id", screen.id()}, {"app", screen.app->name}, {"screen", screen.name}, {"keys", screen.keys}});
  std::lock_guard guard(state_);
  return {{"keys", keys},
          {"styles", styles},
          {"values", preferences_.values()},
          {"warnings", preferences_.warnings()},
          {"otherKeys", preferences_.otherKeys()},
          {"document", documentJson()},
          {"revision", revision_},
          {"screens", screens},
          {"scheme", schemeJson()},
          {"stock", stockWanted_},
          {"limits", {{"bytes", kStudioMaxUploadBytes}, {"side", kStudioMaxImageSide}}}};
}

void Studio::routes() {
  server_.set_payload_max_length(kStudioMaxUploadBytes + kFormOverhead);
  // An idle keep-alive connection holds a thread until it times out; with
  // many threads and a short wait, idle connections never hold up others.
  server_.new_task_queue = [] { return new httplib::ThreadPool(kStudioServerThreads); };
  server_.set_keep_alive_timeout(2);
  server_.set_keep_alive_max_count(1000);
  server_.set_read_timeout(10, 0);
  server_.set_write_timeout(10, 0);

  server_.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
    // Pages elsewhere may send requests here; a request addressed to another
    // name (DNS rebinding) is turned away.
    std::string host = req.get_header_value("Host");
    std::string name = host.substr(0, host.rfind(':'));
    if (name != "127.0.0.1" && name != "localhost") {
      replyError(res, 403, "this server answers only requests addressed to 127.0.0.1");
      return httplib::Server::HandlerResponse::Handled;
    }
    // Without a length (or chunks) the end of the body is unknowable.
    if ((req.method == "POST" || req.method == "PUT") && !req.has_header("Content-Length") &&
        req.get_header_value("Transfer-Encoding").find("chunked") == std::string::npos) {
      replyError(res, 411, "a POST needs a Content-Length header (or a chunked body)");
      res.set_header("Connection", "close");
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server_.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.status == 404 || res.status == 405) {
      res.status = 404;
      res.set_content("{\"error\":\"not found\"}", "application/json");
    } else if (res.status == 413) {
      res.set_content("{\"error\":\"the upload is too large: at most " + std::to_string(kStudioMaxUploadBytes >> 20) +
                          " MiB\"}",
                      "application/json");
    } else if (res.body.empty()) {
      res.set_content("{\"error\":\"the request could not be read (status " + std::to_string(res.status) + ")\"}",
                      "application/json");
    }
  });

  for (const WebAsset& asset : kWebAssets)
    server_.Get(asset.path, [&asset](const httplib::Request&, httplib::Response& res) {
      res.set_content(reinterpret_cast<const char*>(asset.bytes), asset.size, asset.type);
      res.set_header("Cache-Control", "no-store");
    });

  server_.Get("/api/state", [this](const httplib::Request&, httplib::Response& res) {
    replyJson(res, 200, stateJson());
  });

  server_.Get("/api/status", [this](const httplib::Request&, httplib::Response& res) {
    std::map<std::string, RenderQueue::Picture> pictures = queue_->status();
    json screens = json::object();
    for (const auto& [slot, p] : pictures)
      screens[slot] = {{"generation", p.generation}, {"wanted", p.wanted},     {"busy", p.busy},
                       {"error", p.error},           {"seconds", p.lastSeconds}, {"renders", p.renders},
                       {"belowAA", p.belowAA}};
    std::lock_guard guard(state_);
    replyJson(res, 200, {{"pictures", screens}, {"scheme", schemeJson()}, {"stock", stockWanted_},
                         {"revision", revision_}});
  });

  server_.Get(R"(/api/picture/([a-z]+)/([a-z0-9-]+)/(themed|stock)\.png)",
              [this](const httplib::Request& req, httplib::Response& res) {
                std::string slot = std::string(req.matches[1]) + "/" + std::string(req.matches[2]) + "/" +
                                   std::string(req.matches[3]);
                RenderQueue::Picture picture;
                if (!queue_->snapshot(slot, &picture)) return replyError(res, 404, "no picture " + slot);
                if (picture.png.empty())
                  return replyError(res, 503, picture.error.empty() ? "not rendered yet" : picture.error);
                res.set_header("X-Generation", std::to_string(picture.generation));
                res.set_header("Cache-Control", "no-store");
                res.set_content(picture.png, "image/png");
              });

  // The texts of a picture below AA, with their boxes in window points.
  server_.Get(R"(/api/readability/([a-z]+)/([a-z0-9-]+)/(themed|stock))",
              [this](const httplib::Request& req, httplib::Response& res) {
                std::string slot = std::string(req.matches[1]) + "/" + std::string(req.matches[2]) + "/" +
                                   std::string(req.matches[3]);
                RenderQueue::Picture picture;
                if (!queue_->snapshot(slot, &picture)) return replyError(res, 404, "no picture " + slot);
                json below = json::array();
                for (const json& text : picture.texts)
                  if (text.value("verdict", "") == "below AA") below.push_back(text);
                replyJson(res, 200, {{"generation", picture.generation}, {"scale", options_.scale}, {"texts", below}});
              });

  // A theme from the wallpaper shown, set on the page's controls as one
  // change (one undo step); the reply says what each round found.
  server_.Post("/api/suggest", [this](const httplib::Request&, httplib::Response& res) {
    std::string wallpaperPath;
    {
      std::lock_guard guard(state_);
      wallpaperPath = wallpaperPath_;
    }
    json suggestion;
    std::string error;
    if (!suggestLaunchers_->suggest(wallpaperPath, options_.scale, &suggestion, &error))
      return replyError(res, 500, "suggestion: " + error);
    json reply;
    int status = commit([&](Preferences& next, Change* change,
                            std::string* why) { return next.setAll(suggestion["values"], change, why); },
                        Record::Step, 0, &reply);
    suggestion.erase("values");
    reply["suggestion"] = suggestion;
    replyJson(res, status, reply);
  });

  // Changes from the page. "?group=N" folds the changes of one gesture
  // (typing into one field) into one undo step.
  server_.Post("/api/preferences", [this](const httplib::Request& req, httplib::Response& res) {
    json body = json::parse(req.body, nullptr, false);
    if (body.is_discarded()) return replyError(res, 400, "the body is not JSON");
    uint64_t group = 0;
    if (req.has_param("group")) group = std::strtoull(req.get_param_value("group").c_str(), nullptr, 10);
    json reply;
    int status = commit([&](Preferences& next, Change* change,
                            std::string* error) { return next.setAll(body, change, error); },
                        Record::Step, group, &reply);
    replyJson(res, status, reply);
  });

  auto historyRoute = [this](bool undo) {
    return [this, undo](const httplib::Request&, httplib::Response& res) {
      json reply;
      int status = commit(
          [&](Preferences& next, Change* change, std::string* error) {
            if (!(undo ? history_.undo(change) : history_.redo(change)))
              return *error = undo ? "nothing to undo" : "nothing to redo", false;
            next.apply(*change, !undo);
            return true;
          },
          Record::None, 0, &reply);
      replyJson(res, status == 400 ? 409 : status, reply);
    };
  };
  server_.Post("/api/undo", historyRoute(true));
  server_.Post("/api/redo", historyRoute(false));

  server_.Post("/api/reset", [this](const httplib::Request&, httplib::Response& res) {
    json reply;
    int status = commit(
        [](Preferences& next, Change* change, std::string*) {
          *change = next.resetToDefaults();
          return true;
        },
        Record::Step, 0, &reply);
    replyJson(res, status, reply);
  });

  // Another preferences file's values, taken into this document (which
  // keeps its own file and format).
  server_.Post("/api/open", [this](const httplib::Request& req, httplib::Response& res,
                                   const httplib::ContentReader& reader) {
    std::string bytes, error;
    if (!readUploadBody(req, reader, kStudioMaxUploadBytes, &bytes, &error))
      return replyError(res, error.find("too large") != std::string::npos ? 413 : 400, "preferences: " + error);
    json readings;
    Preferences opened;
    // Read by the extension first: a file it cannot read (or that would
    // make libplist work too hard) never reaches the parse here.
    if (!readAsExtension(bytes, &readings, &error) || !opened.parse(bytes, &error))
      return replyError(res, 400, "preferences: " + error);
    json reply;
    int status = commit(
        [&](Preferences& next, Change* change, std::string*) {
          *change = next.takeFrom(opened);
          return true;
        },
        Record::Step, 0, &reply);
    replyJson(res, status, reply);
  });

  // The screens the page shows on screen: their pictures render first.
  server_.Post("/api/view", [this](const httplib::Request& req, httplib::Response& res) {
    json body = json::parse(req.body, nullptr, false);
    if (!body.is_object() || !body["screens"].is_array())
      return replyError(res, 400, "the body is {\"screens\": [ids]}");
    std::set<std::string> slots;
    for (const json& id : body["screens"]) {
      if (!id.is_string()) continue;
      slots.insert(id.get<std::string>() + "/themed");
      slots.insert(id.get<std::string>() + "/stock");
    }
    queue_->setPreferred(std::move(slots));
    replyJson(res, 200, {{"screens", body["screens"]}});
  });

  server_.Post("/api/stock", [this](const httplib::Request&, httplib::Response& res) {
    {
      std::lock_guard guard(state_);
      stockWanted_ = true;
    }
    scheduleRenders();
    replyJson(res, 200, {{"stock", true}});
  });

  server_.Post("/api/artwork", [this](const httplib::Request& req, httplib::Response& res,
                                      const httplib::ContentReader& reader) {
    std::string bytes, error;
    if (!readUploadBody(req, reader, kStudioMaxUploadBytes, &bytes, &error))
      return replyError(res, error.find("too large") != std::string::npos ? 413 : 400, "artwork: " + error);
    if (!acceptArtwork(bytes, &error)) return replyError(res, 400, "artwork: " + error);
    std::lock_guard guard(state_);
    replyJson(res, 200, {{"scheme", schemeJson()}});
  });

  server_.Post("/api/wallpaper", [this](const httplib::Request& req, httplib::Response& res,
                                        const httplib::ContentReader& reader) {
    std::string bytes, error;
    if (!readUploadBody(req, reader, kStudioMaxUploadBytes, &bytes, &error))
      return replyError(res, error.find("too large") != std::string::npos ? 413 : 400, "wallpaper: " + error);
    if (!acceptWallpaper(bytes, &error)) return replyError(res, 400, "wallpaper: " + error);
    replyJson(res, 200, {{"wallpaper", true}});
  });

  // The document's bytes, in its own format unless another is asked for.
  server_.Get("/api/preferences.plist", [this](const httplib::Request& req, httplib::Response& res) {
    std::string format = req.has_param("format") ? req.get_param_value("format") : "";
    if (!format.empty() && format != "binary" && format != "xml") return replyError(res, 400, "format is binary or xml");
    std::string bytes;
    {
      std::lock_guard guard(state_);
      const std::string own = preferences_.format() == PropertyListFormat::Xml ? "xml" : "binary";
      if (format.empty()) format = own;
      bytes = format == own ? documentBytes_
                            : preferences_.propertyList(format == "xml" ? PropertyListFormat::Xml
                                                                        : PropertyListFormat::Binary);
    }
    res.set_header("Content-Disposition", "attachment; filename=\"com.brackwater.mirel.plist\"");
    res.set_content(bytes, format == "xml" ? "application/xml" : "application/octet-stream");
  });
}
