// mirel-studio: edit a theme in the browser and watch every screen of the
// Music and Messages apps follow.
//
//   mirel-studio --prefs com.brackwater.mirel.plist --artwork cover.jpg
//   mirel-studio: open http://127.0.0.1:8141/
#include <CLI/CLI.hpp>
#include <signal.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "tools/studio/studio.h"

int main(int argc, char** argv) {
  int port = 8141;
  std::string prefsPath;
  StudioOptions options;
  CLI::App cli{"Serves a page on 127.0.0.1 that edits mirel's preferences and shows every screen themed by them."};
  cli.add_option("--port", port, "port on 127.0.0.1 (0: a free one)")->check(CLI::Range(0, 65535))->capture_default_str();
  cli.add_option("--prefs", prefsPath, "preferences property list to start from (default: every key at its default)");
  cli.add_option("--artwork", options.artworkPath, "artwork image (PNG or JPEG) for the Now Playing screen");
  cli.add_option("--wallpaper", options.wallpaperPath, "wallpaper image (PNG or JPEG; default: a built-in one)");
  // The page shows each screen 200 points wide, so scale 1 is sharp enough
  // there and renders about four times faster than 2.
  cli.add_option("--scale", options.scale, "screen scale of the pictures")->check(CLI::Range(1.0, 3.0))->capture_default_str();
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return cli.exit(e) == 0 ? 0 : 2;  // --help is no error
  }

  if (!prefsPath.empty()) {
    std::ifstream in(prefsPath, std::ios::binary);
    std::ostringstream bytes;
    if (in) bytes << in.rdbuf();
    std::vector<std::string> warnings;
    std::string error;
    if (!in || !options.preferences.readPropertyList(bytes.str(), &warnings, &error)) {
      std::fprintf(stderr, "mirel-studio: cannot use --prefs %s: %s\n", prefsPath.c_str(),
                   in ? error.c_str() : "cannot read it");
      return 2;
    }
    for (const std::string& warning : warnings)
      std::fprintf(stderr, "mirel-studio: %s: %s\n", prefsPath.c_str(), warning.c_str());
  }

  // The signals are taken by one thread of ours, not by whichever thread
  // the kernel picks, so that the server stops cleanly.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  Studio studio(std::move(options));
  std::string error;
  if (!studio.loadStartFiles(&error)) {
    std::fprintf(stderr, "mirel-studio: %s\n", error.c_str());
    return 2;
  }
  int bound = studio.listen(port);
  if (bound < 0) {
    std::fprintf(stderr, "mirel-studio: cannot listen on 127.0.0.1:%d\n", port);
    return 1;
  }
  std::printf("mirel-studio: open http://127.0.0.1:%d/\n", bound);
  std::fflush(stdout);

  std::thread stopper([&] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    studio.stop();
  });
  studio.serve();
  // serve() also returns when the listener fails; wake the stopper then.
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  return 0;
}
