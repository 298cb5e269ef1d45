// mirel-preview's Now Playing pieces.
#include "tools/preview/now_playing.h"

#include <unistd.h>

#include "apps/music/NowPlaying.h"
#include "colorpicker/KRColorScheme.h"
#include "platform/loader/Loader.h"
#include "platform/loader/ToolOffers.h"
#include "platform/render/ViewDump.h"
#include "platform/uikit/UIImageFiles.h"

bool artworkDecodes(const std::string& path, std::string* error) {
  int fds[2];
  if (pipe(fds) != 0) return *error = "cannot check it", false;
  int status = runInChildProcess([&] {
    bootPlatform();
    AutoreleasePool pool;
    std::string reason;
    if (UIImageReadFile(path.c_str(), 1, 0, &reason)) return 0;
    ssize_t written = write(fds[1], reason.data(), reason.size());
    return written >= 0 ? 1 : 2;
  });
  close(fds[1]);
  char buffer[512];
  ssize_t got = read(fds[0], buffer, sizeof buffer);
  close(fds[0]);
  if (status != 0) *error = got > 0 ? std::string(buffer, size_t(got)) : "not a JPEG or PNG image";
  return status == 0;
}

void useSessionArtwork(const std::string& path) {
  if (path.empty()) return;
  AutoreleasePool pool;
  setSessionArtwork(UIImageReadFile(path.c_str(), 1, 0, nullptr));
}

nlohmann::json nowPlayingSchemeJson() {
  auto mappedScheme = reinterpret_cast<KRColorScheme* (*)()>(toolOffer("mirel.nowPlayingScheme"));
  KRColorScheme* scheme = mappedScheme ? mappedScheme() : nullptr;
  if (!scheme) return nullptr;
  return {{"background", colourJson(scheme->backgroundColor())},
          {"primary", colourJson(scheme->primaryTextColor())},
          {"secondary", colourJson(scheme->secondaryTextColor())}};
}
