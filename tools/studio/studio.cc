// The studio's routes and the state behind them. Every handler checks what
// it is given before anything else sees it; only checked preferences,
// uploads whose header passed, and known screens ever reach a launch.
#include "tools/studio/studio.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/imageio/ImageFile.h"
#include "studio_web_assets.h"
#include "tools/common/screen_render.h"
#include "tools/studio/image_upload.h"

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

// The Messages host installs only the Messages group, which reads the blur
// keys alone; the Music host reads them all.
const std::vector<std::string> kMessagesKeys = {"Enabled",   "BlurPreset", "UseCustomTint", "Customise",
                                                "Saturation", "BlurRadius", "BlurTintColour"};

std::vector<std::string> allKeyNames() {
  std::vector<std::string> names;
  for (const PreferenceKey& key : preferenceKeys()) names.push_back(key.name);
  return names;
}

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

}  // namespace

std::string Studio::Screen::id() const { return app->name + "/" + name; }

Studio::Studio(StudioOptions options) : options_(std::move(options)), preferences_(options_.preferences) {
  for (const HostApp* app : {&musicApp(), &messagesApp()})
    for (const std::string& screen : app->screens) screens_.push_back({app, screen});
  char pattern[] = "/tmp/mirel-studio-XXXXXX";
  if (mkdtemp(pattern)) workFolder_ = pattern;
  // One launcher per worker and one for the picker, forked before the
  // queue's threads exist.
  launchers_ = std::make_unique<LauncherPool>(options_.renderWorkers + 1);
  queue_ = std::make_unique<RenderQueue>(options_.renderWorkers, [this](const std::string& slot, std::string* png,
                                                                        std::string* error) {
    return renderSlot(slot, png, error);
  });
  routes();
}

Studio::~Studio() {
  stop();
  queue_.reset();  // waits for the renders in flight
  launchers_.reset();
  std::error_code ec;
  if (!workFolder_.empty()) fs::remove_all(workFolder_, ec);
}

int Studio::listen(int port) {
  if (port == 0) return server_.bind_to_any_port("127.0.0.1");
  return server_.bind_to_port("127.0.0.1", port) ? port : -1;
}

void Studio::serve() {
  scheduleRenders();
  server_.listen_after_bind();
}

void Studio::stop() { server_.stop(); }

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
    static const std::vector<std::string> musicKeys = allKeyNames();
    signature["preferences"] = preferences_.effective(screen.app == &messagesApp() ? kMessagesKeys : musicKeys);
  }
  return signature;
}

void Studio::scheduleRenders() {
  std::lock_guard guard(state_);
  for (const Screen& screen : screens_) {
    queue_->request(screen.id() + "/themed", signatureOf(screen, true));
    if (stockWanted_) queue_->request(screen.id() + "/stock", signatureOf(screen, false));
  }
}

bool Studio::renderSlot(const std::string& slot, std::string* png, std::string* error) {
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
    request.preferences = preferences_.propertyList(PropertyListFormat::Binary);
    wallpaperPath = wallpaperPath_;
    artworkPath = artworkPath_;
    request.scale = options_.scale;
  }
  return launchers_->render(request, wallpaperPath, artworkPath, png, error);
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
  if (!launchers_->pick(path, scheme.get(), error)) return false;
  {
    std::lock_guard guard(state_);
    artworkPath_ = path;
    ++artworkVersion_;
    scheme_ = std::move(scheme);
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
  return {{"background", scheme_->background},
          {"primary", scheme_->primary},
          {"secondary", scheme_->secondary},
          {"primaryContrast", scheme_->primaryContrast},
          {"secondaryContrast", scheme_->secondaryContrast}};
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
  json screens = json::array();
  for (const Screen& screen : screens_) screens.push_back({{"id", screen.id()}, {"app", screen.app->name},
                                                           {"screen", screen.name}});
  std::lock_guard guard(state_);
  return {{"keys", keys},
          {"values", preferences_.values()},
          {"screens", screens},
          {"scheme", schemeJson()},
          {"stock", stockWanted_},
          {"limits", {{"bytes", kStudioMaxUploadBytes}, {"side", kStudioMaxImageSide}}}};
}

void Studio::routes() {
  server_.set_payload_max_length(kStudioMaxUploadBytes);
  // Pages elsewhere may send requests here; a request addressed to another
  // name (DNS rebinding) is turned away.
  server_.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
    std::string host = req.get_header_value("Host");
    std::string name = host.substr(0, host.rfind(':'));
    if (name == "127.0.0.1" || name == "localhost") return httplib::Server::HandlerResponse::Unhandled;
    replyError(res, 403, "this server answers only requests addressed to 127.0.0.1");
    return httplib::Server::HandlerResponse::Handled;
  });
  server_.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.status == 404 || res.status == 405) {
      res.status = 404;
      res.set_content("{\"error\":\"not found\"}", "application/json");
    } else if (res.status == 413) {
      // Form-encoded bodies have a far lower limit in the library; say both.
      res.set_content("{\"error\":\"the upload is too large: at most " + std::to_string(kStudioMaxUploadBytes >> 20) +
                          " MiB, sent as the image's own type, not as a form\"}",
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
                       {"error", p.error},           {"seconds", p.lastSeconds}, {"renders", p.renders}};
    std::lock_guard guard(state_);
    replyJson(res, 200, {{"pictures", screens}, {"scheme", schemeJson()}, {"stock", stockWanted_}});
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

  server_.Post("/api/preferences", [this](const httplib::Request& req, httplib::Response& res) {
    json body = json::parse(req.body, nullptr, false);
    if (body.is_discarded()) return replyError(res, 400, "the body is not JSON");
    std::string error;
    {
      std::lock_guard guard(state_);
      if (!preferences_.setAll(body, &error)) return replyError(res, 400, error);
    }
    scheduleRenders();
    std::lock_guard guard(state_);
    replyJson(res, 200, {{"values", preferences_.values()}});
  });

  server_.Post("/api/stock", [this](const httplib::Request& req, httplib::Response& res) {
    {
      std::lock_guard guard(state_);
      stockWanted_ = true;
    }
    scheduleRenders();
    replyJson(res, 200, {{"stock", true}});
  });

  server_.Post("/api/artwork", [this](const httplib::Request& req, httplib::Response& res) {
    std::string error;
    if (!acceptArtwork(req.body, &error)) return replyError(res, 400, "artwork: " + error);
    std::lock_guard guard(state_);
    replyJson(res, 200, {{"scheme", schemeJson()}});
  });

  server_.Post("/api/wallpaper", [this](const httplib::Request& req, httplib::Response& res) {
    std::string error;
    if (!acceptWallpaper(req.body, &error)) return replyError(res, 400, "wallpaper: " + error);
    replyJson(res, 200, {{"wallpaper", true}});
  });

  server_.Get("/api/preferences.plist", [this](const httplib::Request& req, httplib::Response& res) {
    std::string format = req.has_param("format") ? req.get_param_value("format") : "binary";
    if (format != "binary" && format != "xml") return replyError(res, 400, "format is binary or xml");
    std::string bytes;
    {
      std::lock_guard guard(state_);
      bytes = preferences_.propertyList(format == "xml" ? PropertyListFormat::Xml : PropertyListFormat::Binary);
    }
    res.set_header("Content-Disposition", "attachment; filename=\"com.brackwater.mirel.plist\"");
    res.set_content(bytes, format == "xml" ? "application/xml" : "application/octet-stream");
  });
}
