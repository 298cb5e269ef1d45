// One screen, one launch: the device root is a fresh temporary folder with
// the preferences file in its device place; the child writes
// the picture (and, when asked, the texts' readings) into that folder and
// the parent reads them back.
#include "tools/common/screen_render.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/common/HostApp.h"
#include "platform/foundation/foundation.h"
#include "platform/render/Renderer.h"
#include "platform/render/Wallpaper.h"
#include "platform/uikit/uikit.h"
#include "platform/loader/DeviceTree.h"
#include "tweak/settings.h"

namespace fs = std::filesystem;

namespace {

bool writeFile(const fs::path& path, const std::string& bytes) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool readFile(const fs::path& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  *bytes = all.str();
  return true;
}

// Removes the device folder whatever way the render ends.
struct TemporaryRoot {
  std::string path;
  ~TemporaryRoot() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
};

bool render(const ScreenRenderRequest& request, std::string* png, nlohmann::json* texts, std::string* error) {
  if (!request.app) {
    *error = "no application given";
    return false;
  }
  char pattern[] = "/tmp/mirel-screen-XXXXXX";
  if (!mkdtemp(pattern)) {
    *error = "cannot make a device folder in /tmp";
    return false;
  }
  TemporaryRoot root{pattern};
  if (request.preferences && !writeFile(root.path + kPreferencesPath, *request.preferences)) {
    *error = "cannot write the preferences file";
    return false;
  }
  const fs::path picture = fs::path(root.path) / "picture.png";
  const fs::path readings = fs::path(root.path) / "readability.json";
  const HostApp& app = *request.app;
  int status = runInChildProcess([&] {
    HostDescription host = app.host;
    host.deviceRoot = root.path;
    std::string linkError;
    if (request.themed && !linkInstalledLibraries(root.path, &linkError)) return 6;
    launchHost(host);
    UIScreenSetMainScreenScale(request.scale);
    AutoreleasePool pool;
    if (request.beforeBuild) request.beforeBuild();
    Ref<UIWindow> window = app.buildScreen(request.screen);
    if (!window) return 3;
    Bitmap builtIn;
    const Bitmap* wallpaper = request.wallpaper;
    if (!wallpaper) {
      builtIn = builtInWallpaper(static_cast<int>(320 * request.scale), static_cast<int>(568 * request.scale));
      wallpaper = &builtIn;
    }
    std::vector<TextReading> measured;
    RenderOptions options{request.scale, UIApplication::shared()->backgroundStyle(), wallpaper,
                          texts ? &measured : nullptr};
    std::string ignored;
    if (!renderWindow(window, options).writePNG(picture.string(), &ignored)) return 4;
    if (texts && !writeFile(readings, readingsJson(measured).dump())) return 5;
    return 0;
  });
  if (status != 0) {
    *error = app.name + " " + request.screen + ": " +
             (status == 3   ? std::string("no such screen")
              : status == 4 ? std::string("cannot write the picture")
              : status == 5 ? std::string("cannot write the readings")
              : status == 6 ? std::string("cannot link the installed libraries into its device folder")
                            : "the launch failed with status " + std::to_string(status));
    return false;
  }
  if (!readFile(picture, png)) {
    *error = "cannot read the rendered picture back";
    return false;
  }
  std::string bytes;
  if (texts && (!readFile(readings, &bytes) || (*texts = nlohmann::json::parse(bytes, nullptr, false)).is_discarded())) {
    *error = "cannot read the readings back";
    return false;
  }
  return true;
}

}  // namespace

bool renderScreenPNG(const ScreenRenderRequest& request, std::string* png, std::string* error) {
  return render(request, png, nullptr, error);
}

bool renderScreenReadability(const ScreenRenderRequest& request, std::string* png, nlohmann::json* texts,
                             std::string* error) {
  return render(request, png, texts, error);
}
