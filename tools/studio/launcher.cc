// Requests and replies are lists of byte strings, each sent as a 32-bit
// length and its bytes; a list starts with its count.
#include "tools/studio/launcher.h"

#include <dirent.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <map>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "apps/music/NowPlaying.h"
#include "platform/render/Bitmap.h"
#include "platform/render/Wallpaper.h"
#include "platform/uikit/UIImageFiles.h"
#include "tools/common/theme_suggestion.h"
#include "tools/studio/extension_reading.h"

namespace {

bool writeAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = write(fd, p, size);
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool readAll(int fd, void* data, size_t size) {
  char* p = static_cast<char*>(data);
  while (size > 0) {
    ssize_t n = read(fd, p, size);
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool sendList(int fd, const std::vector<std::string>& fields) {
  uint32_t count = static_cast<uint32_t>(fields.size());
  if (!writeAll(fd, &count, sizeof count)) return false;
  for (const std::string& f : fields) {
    uint32_t length = static_cast<uint32_t>(f.size());
    if (!writeAll(fd, &length, sizeof length) || !writeAll(fd, f.data(), f.size())) return false;
  }
  return true;
}

bool receiveList(int fd, std::vector<std::string>* fields) {
  uint32_t count = 0;
  if (!readAll(fd, &count, sizeof count) || count > 16) return false;
  fields->assign(count, {});
  for (std::string& f : *fields) {
    uint32_t length = 0;
    if (!readAll(fd, &length, sizeof length) || length > (256u << 20)) return false;
    f.resize(length);
    if (!readAll(fd, f.data(), length)) return false;
  }
  return true;
}

void closeAllBut(int keep1, int keep2) {
  std::vector<int> open;
  if (DIR* folder = opendir("/proc/self/fd")) {
    while (dirent* entry = readdir(folder)) {
      int fd = std::atoi(entry->d_name);
      if (entry->d_name[0] != '.' && fd > 2 && fd != keep1 && fd != keep2 && fd != dirfd(folder)) open.push_back(fd);
    }
    closedir(folder);
  }
  for (int fd : open) close(fd);
}

const HostApp* appNamed(const std::string& name) {
  for (const HostApp* app : {&musicApp(), &messagesApp()})
    if (app->name == name) return app;
  return nullptr;
}

// The launcher's loop: one request at a time, until the studio closes the
// pipe (or dies, which closes it too).
[[noreturn]] void serveRequests(int in, int out) {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  std::map<std::string, Bitmap> wallpapers;  // by path; the newest one only
  std::vector<std::string> request;
  while (receiveList(in, &request)) {
    std::vector<std::string> reply;
    std::string payload, error;
    bool ok = false;
    if (request.size() == 8 && request[0] == "render") {
      ScreenRenderRequest r;
      r.app = appNamed(request[1]);
      r.screen = request[2];
      r.themed = request[3] == "1";
      if (request[4] == "1") r.preferences = request[5];
      const std::string wallpaperPath = request[6].substr(request[6].find(' ') + 1);
      r.scale = std::stod(request[6].substr(0, request[6].find(' ')));
      if (!wallpaperPath.empty()) {
        if (!wallpapers.count(wallpaperPath)) {
          wallpapers.clear();
          wallpapers[wallpaperPath] = Bitmap::readImageFile(wallpaperPath, &error);
        }
        r.wallpaper = &wallpapers[wallpaperPath];
      }
      // The Now Playing screen shows the artwork the page was given.
      if (const std::string& artwork = request[7]; !artwork.empty())
        r.beforeBuild = [artwork] {
          AutoreleasePool pool;
          setSessionArtwork(UIImageReadFile(artwork.c_str(), 1, 0, nullptr));
        };
      nlohmann::json texts;
      ok = (!r.wallpaper || !r.wallpaper->empty()) && renderScreenReadability(r, &payload, &texts, &error);
      if (ok) {
        if (!sendList(out, {"1", payload, texts.dump()})) break;
        continue;
      }
    } else if (request.size() == 3 && request[0] == "read") {
      nlohmann::json readings;
      std::optional<std::string> bytes;
      if (request[1] == "1") bytes = request[2];
      ok = readAsExtension(bytes, &readings, &error);
      if (ok) payload = readings.dump();
    } else if (request.size() == 2 && request[0] == "suggest") {
      const double scale = std::stod(request[1].substr(0, request[1].find(' ')));
      const std::string wallpaperPath = request[1].substr(request[1].find(' ') + 1);
      Bitmap wallpaper = wallpaperPath.empty() ? builtInWallpaper(static_cast<int>(320 * scale),
                                                                  static_cast<int>(568 * scale))
                                               : Bitmap::readImageFile(wallpaperPath, &error);
      ThemeSuggestion suggestion;
      ok = !wallpaper.empty() && suggestTheme({&wallpaper, scale}, &suggestion, &error);
      if (ok)
        payload = nlohmann::json{{"values", suggestion.values},
                                 {"rounds", suggestion.rounds},
                                 {"unreachable", suggestion.unreachable},
                                 {"themedTexts", suggestion.themedTexts},
                                 {"belowAAWithDefault", suggestion.belowAAWithDefault},
                                 {"belowAAWithSuggestion", suggestion.belowAAWithSuggestion}}
                      .dump();
    } else if (request.size() == 2 && request[0] == "pick") {
      ArtworkScheme scheme;
      ok = pickArtworkScheme(request[1], &scheme, &error);
      payload = scheme.background + scheme.primary + scheme.secondary;
    } else {
      error = "the launcher got a request it does not know";
    }
    if (!sendList(out, {ok ? "1" : "0", ok ? payload : error})) break;
  }
  _exit(0);
}

}  // namespace

LauncherPool::LauncherPool(unsigned count) {
  for (unsigned i = 0; i < count; ++i) {
    int request[2], reply[2];
    if (pipe(request) != 0) break;
    if (pipe(reply) != 0) {
      close(request[0]), close(request[1]);
      break;
    }
    pid_t pid = fork();
    if (pid == 0) {
      // Every other descriptor belongs to the studio: the pipes of the
      // launchers made before this one (of any pool), which must reach
      // their end when the studio closes them, and whatever else it holds.
      closeAllBut(request[0], reply[1]);
      serveRequests(request[0], reply[1]);
    }
    close(request[0]);
    close(reply[1]);
    if (pid < 0) {
      close(request[1]), close(reply[0]);
      break;
    }
    launchers_.push_back({pid, request[1], reply[0]});
    idle_.push_back(launchers_.size() - 1);
  }
}

LauncherPool::~LauncherPool() {
  for (const Launcher& l : launchers_) {
    close(l.to);  // the launcher reads the end of its requests and leaves
    close(l.from);
  }
  for (const Launcher& l : launchers_) waitpid(l.pid, nullptr, 0);
}

bool LauncherPool::call(const std::vector<std::string>& request, std::vector<std::string>* reply) {
  if (launchers_.empty()) return false;
  size_t index;
  {
    std::unique_lock guard(lock_);
    freed_.wait(guard, [&] { return !idle_.empty(); });
    index = idle_.back();
    idle_.pop_back();
  }
  const Launcher& l = launchers_[index];
  bool ok = sendList(l.to, request) && receiveList(l.from, reply) && reply->size() >= 2;
  {
    std::lock_guard guard(lock_);
    idle_.push_back(index);
  }
  freed_.notify_one();
  return ok;
}

bool LauncherPool::render(const ScreenRenderRequest& request, const std::string& wallpaperPath,
                          const std::string& artworkPath, std::string* png, std::string* error,
                          nlohmann::json* texts) {
  if (!request.app) return *error = "no application given", false;
  std::vector<std::string> reply;
  if (!call({"render", request.app->name, request.screen, request.themed ? "1" : "0", request.preferences ? "1" : "0",
             request.preferences.value_or(""), std::to_string(request.scale) + " " + wallpaperPath, artworkPath},
            &reply))
    return *error = "the launcher is gone", false;
  if (reply[0] != "1") return *error = reply[1], false;
  *png = std::move(reply[1]);
  if (texts) {
    *texts = reply.size() > 2 ? nlohmann::json::parse(reply[2], nullptr, false) : nlohmann::json::array();
    if (!texts->is_array()) *texts = nlohmann::json::array();
  }
  return true;
}

bool LauncherPool::suggest(const std::string& wallpaperPath, double scale, nlohmann::json* suggestion,
                           std::string* error) {
  std::vector<std::string> reply;
  if (!call({"suggest", std::to_string(scale) + " " + wallpaperPath}, &reply)) return *error = "the launcher is gone", false;
  if (reply[0] != "1") return *error = reply[1], false;
  *suggestion = nlohmann::json::parse(reply[1], nullptr, false);
  if (!suggestion->is_object()) return *error = "the launcher answered something unreadable", false;
  return true;
}

bool LauncherPool::pick(const std::string& imagePath, ArtworkScheme* scheme, std::string* error) {
  std::vector<std::string> reply;
  if (!call({"pick", imagePath}, &reply)) return *error = "the launcher is gone", false;
  if (reply[0] != "1") return *error = reply[1], false;
  if (reply[1].size() != 21) return *error = "the launcher answered something unreadable", false;
  scheme->background = reply[1].substr(0, 7);
  scheme->primary = reply[1].substr(7, 7);
  scheme->secondary = reply[1].substr(14, 7);
  scheme->primaryContrast = contrastRatio(scheme->primary, scheme->background);
  scheme->secondaryContrast = contrastRatio(scheme->secondary, scheme->background);
  return true;
}

bool LauncherPool::read(const std::optional<std::string>& bytes, nlohmann::json* readings, std::string* error) {
  std::vector<std::string> reply;
  if (!call({"read", bytes ? "1" : "0", bytes.value_or("")}, &reply)) return *error = "the launcher is gone", false;
  if (reply[0] != "1") return *error = reply[1], false;
  *readings = nlohmann::json::parse(reply[1], nullptr, false);
  if (readings->is_discarded()) return *error = "the launcher answered something unreadable", false;
  return true;
}
