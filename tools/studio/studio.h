// mirel-studio's server: the page, the preferences file it edits (each
// accepted change saved to it at once), the pictures of every screen of
// both apps (themed, and stock on request) and the uploads of an artwork
// and a wallpaper, all over HTTP on the loopback address.
//
//   Studio studio({.documentPath = "prefs.plist"});
//   studio.openDocument(&warnings, &error);
//   int port = studio.listen(0);   // a free port
//   studio.serve();                // until stop()
#pragma once

#include <httplib.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tools/studio/artwork_scheme.h"
#include "tools/studio/document_file.h"
#include "tools/studio/edit_history.h"
#include "tools/studio/launcher.h"
#include "tools/studio/preferences.h"
#include "tools/studio/render_queue.h"

struct HostApp;

// Uploads larger than these are refused from their length or header alone.
inline constexpr size_t kStudioMaxUploadBytes = 8u << 20;
inline constexpr int kStudioMaxImageSide = 4096;
// Threads that serve connections: each idle keep-alive connection holds one
// until it times out, so there are far more than a browser keeps open.
inline constexpr size_t kStudioServerThreads = 64;

struct StudioOptions {
  std::string documentPath;  // empty: no file, the page's values only
  std::string artworkPath, wallpaperPath;  // empty: none, the built-in wallpaper
  unsigned renderWorkers = 0;  // 0: one per core
  double scale = 1;
  BeforeRename beforeRename;  // for tests: runs inside each save
};

// The keys whose values a screen's launch reads: a change of any other key
// leaves its picture as it was.
std::vector<std::string> keysReadBy(const HostApp& app, const std::string& screen);

class Studio {
 public:
  // Call while the process has one thread: the launchers are forked here.
  explicit Studio(StudioOptions options);
  ~Studio();

  // Reads the document (a missing or empty file is made on the first
  // change; what an interrupted save left beside it is removed). False and
  // a reason when the file exists but the extension could not read it: the
  // studio must not overwrite what it cannot show. `warnings` get the values the
  // extension reads as something else than they say.
  bool openDocument(std::vector<std::string>* warnings, std::string* error);
  // The artwork and wallpaper given at start; false and a reason when one
  // cannot be used.
  bool loadStartFiles(std::string* error);
  // Binds to 127.0.0.1; port 0 picks a free one. Returns the port, or -1.
  int listen(int port);
  void serve();
  void stop();

 private:
  struct Screen {
    const HostApp* app;
    std::string name;
    std::vector<std::string> keys;  // keysReadBy
    std::string id() const;
  };
  // One edit of the document: changes `next` and says what it changed.
  using Edit = std::function<bool(Preferences& next, Change* change, std::string* error)>;
  enum class Record { Step, None };

  void routes();
  nlohmann::json scheduleRenders();  // {slot: generation asked for}
  nlohmann::json signatureOf(const Screen& screen, bool themed) const;  // under state_
  bool renderSlot(const std::string& slot, std::string* png, nlohmann::json* texts, std::string* error);
  bool readAsExtension(const std::string& bytes, nlohmann::json* readings, std::string* error);
  // Applies the edit, reads the result as the extension does, saves it and
  // renders what it changed; the reply says all of it. 400 when refused.
  int commit(const Edit& edit, Record record, uint64_t group, nlohmann::json* reply);
  bool acceptArtwork(const std::string& bytes, std::string* error);
  bool acceptWallpaper(const std::string& bytes, std::string* error);
  nlohmann::json documentJson() const;  // under state_
  nlohmann::json stateJson() const;
  nlohmann::json schemeJson() const;  // under state_

  StudioOptions options_;
  std::vector<Screen> screens_;
  std::string workFolder_;
  httplib::Server server_;

  std::mutex edit_;  // one document change at a time, in the order they come
  EditHistory history_;  // under edit_

  mutable std::mutex state_;  // guards everything below
  Preferences preferences_;
  std::string documentBytes_;  // preferences_ as the file holds it
  uint64_t revision_ = 0;      // accepted changes
  bool saved_ = true;          // the file holds revision_ (or there is no file)
  std::string saveError_;
  bool canUndo_ = false, canRedo_ = false;
  // The newest artwork: its scheme is shown, and a screen whose name says
  // it shows the artwork ("nowplaying") is rendered again when it changes.
  std::string artworkPath_;
  uint64_t artworkVersion_ = 0, wallpaperVersion_ = 0, uploads_ = 0;
  std::string wallpaperPath_;  // empty: the built-in wallpaper
  std::unique_ptr<ArtworkScheme> scheme_;
  bool stockWanted_ = false;

  // Renders take one pool; reading preferences and picking schemes the
  // other, so a change is read while every render worker is busy.
  // A suggestion from the wallpaper renders every screen several times:
  // it has a launcher of its own.
  std::unique_ptr<LauncherPool> renderLaunchers_, serviceLaunchers_, suggestLaunchers_;
  std::unique_ptr<RenderQueue> queue_;
};
