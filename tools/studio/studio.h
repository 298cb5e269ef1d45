// mirel-studio's server: the page, the preferences it edits, the pictures of
// every screen of both apps (themed, and stock on request) and the uploads
// of an artwork and a wallpaper, all over HTTP on the loopback address.
//
//   Studio studio({.preferences = prefs});
//   int port = studio.listen(0);   // a free port
//   studio.serve();                // until stop()
#pragma once

#include <httplib.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/render/Bitmap.h"
#include "tools/studio/artwork_scheme.h"
#include "tools/studio/launcher.h"
#include "tools/studio/preferences.h"
#include "tools/studio/render_queue.h"

struct HostApp;

// Uploads larger than these are refused from their length or header alone.
inline constexpr size_t kStudioMaxUploadBytes = 8u << 20;
inline constexpr int kStudioMaxImageSide = 4096;

struct StudioOptions {
  Preferences preferences;
  std::string artworkPath, wallpaperPath;  // empty: none, the built-in wallpaper
  unsigned renderWorkers = 2;
  double scale = 1;
};

class Studio {
 public:
  // Call while the process has one thread: the launchers are forked here.
  explicit Studio(StudioOptions options);
  ~Studio();

  // Binds to 127.0.0.1; port 0 picks a free one. Returns the port, or -1.
  int listen(int port);
  void serve();
  void stop();
  // The artwork and wallpaper given at start; false and a reason when one
  // cannot be used.
  bool loadStartFiles(std::string* error);

 private:
  struct Screen {
    const HostApp* app;
    std::string name;
    std::string id() const;
  };

  void routes();
  void scheduleRenders();
  nlohmann::json signatureOf(const Screen& screen, bool themed) const;  // under state_
  bool renderSlot(const std::string& slot, std::string* png, std::string* error);
  bool acceptArtwork(const std::string& bytes, std::string* error);
  bool acceptWallpaper(const std::string& bytes, std::string* error);
  nlohmann::json stateJson() const;
  nlohmann::json schemeJson() const;  // under state_

  StudioOptions options_;
  std::vector<Screen> screens_;
  std::string workFolder_;
  httplib::Server server_;

  mutable std::mutex state_;  // guards everything below
  Preferences preferences_;
  // The newest artwork: its scheme is shown, and a screen whose name says
  // it shows the artwork ("nowplaying") is rendered again when it changes.
  std::string artworkPath_;
  uint64_t artworkVersion_ = 0, wallpaperVersion_ = 0, uploads_ = 0;
  std::string wallpaperPath_;  // empty: the built-in wallpaper
  std::unique_ptr<ArtworkScheme> scheme_;
  bool stockWanted_ = false;

  std::unique_ptr<LauncherPool> launchers_;
  std::unique_ptr<RenderQueue> queue_;
};
