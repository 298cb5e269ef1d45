// Launchers: small helper processes, forked while the studio is still one
// thread, that fork every render and every pick for it. Forking from the
// server itself would copy locks its other threads hold (the sanitizers'
// allocator has no fork handlers), so a launch could hang; a launcher has
// one thread, so its children start clean.
//
//   LauncherPool pool(3);                      // before any thread starts
//   pool.render(request, wallpaperPath, artworkPath, &png, &error);
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/screen_render.h"
#include "tools/studio/artwork_scheme.h"

class LauncherPool {
 public:
  explicit LauncherPool(unsigned count);
  ~LauncherPool();

  // A render as renderScreenPNG does it; the wallpaper is read from the
  // PNG file (empty path: the built-in one) by the launcher, and so is the
  // artwork the Now Playing screen shows (empty path: the built-in cover).
  // `texts`, when given, gets every text's readability reading, as
  // renderScreenReadability gives them.
  bool render(const ScreenRenderRequest& request, const std::string& wallpaperPath, const std::string& artworkPath,
              std::string* png, std::string* error, nlohmann::json* texts = nullptr);
  // A theme suggested from the wallpaper (empty path: the built-in one),
  // checked on every screen at `scale`: {"values", "rounds", "unreachable",
  // "themedTexts", "belowAAWithDefault", "belowAAWithSuggestion"}.
  bool suggest(const std::string& wallpaperPath, double scale, nlohmann::json* suggestion, std::string* error);
  bool pick(const std::string& imagePath, ArtworkScheme* scheme, std::string* error);
  // The preferences file's bytes (none: no file) as the extension reads
  // them; see extension_reading.h.
  bool read(const std::optional<std::string>& bytes, nlohmann::json* readings, std::string* error);

 private:
  struct Launcher {
    pid_t pid = -1;
    int to = -1, from = -1;  // request and reply pipes
  };
  // Sends the fields, waits for the reply's fields; false when the launcher
  // is gone or none could be started.
  bool call(const std::vector<std::string>& request, std::vector<std::string>* reply);

  std::vector<Launcher> launchers_;
  std::vector<size_t> idle_;
  std::mutex lock_;
  std::condition_variable freed_;
};
