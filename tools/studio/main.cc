// mirel-studio: edit a preferences file in the browser and watch every
// screen of the Music and Messages apps follow. Each change is saved to the
// file at once.
//
//   mirel-studio com.brackwater.mirel.plist --artwork cover.jpg
//   mirel-studio: open http://127.0.0.1:8141/
#include <CLI/CLI.hpp>
#include <signal.h>

#include <cstdio>
#include <thread>

#include "tools/studio/studio.h"

int main(int argc, char** argv) {
  int port = 8141;
  std::string file, prefsPath;
  StudioOptions options;
  CLI::App cli{"Serves a page on 127.0.0.1 that edits a mirel preferences file, saving each change to it, and shows "
               "every screen themed by it."};
  cli.add_option("FILE", file, "preferences property list to edit (made on the first change when missing; without "
                               "one, changes live in the page)");
  cli.add_option("--prefs", prefsPath, "the same as FILE");
  cli.add_option("--port", port, "port on 127.0.0.1 (0: a free one)")->check(CLI::Range(0, 65535))->capture_default_str();
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
  if (!file.empty() && !prefsPath.empty() && file != prefsPath) {
    std::fprintf(stderr, "mirel-studio: give the preferences file once (FILE or --prefs), not %s and %s\n",
                 file.c_str(), prefsPath.c_str());
    return 2;
  }
  options.documentPath = file.empty() ? prefsPath : file;

  // A reader of our output that goes away must not end the server.
  signal(SIGPIPE, SIG_IGN);
  // The signals are taken by one thread of ours, not by whichever thread
  // the kernel picks, so that the server stops cleanly.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  Studio studio(options);
  std::string error;
  std::vector<std::string> warnings;
  if (!studio.openDocument(&warnings, &error)) {
    std::fprintf(stderr, "mirel-studio: cannot edit %s\n", error.c_str());
    return 2;
  }
  for (const std::string& warning : warnings)
    std::fprintf(stderr, "mirel-studio: warning: %s: %s\n", options.documentPath.c_str(), warning.c_str());
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
  if (!options.documentPath.empty())
    std::printf("mirel-studio: each change is saved to %s\n", options.documentPath.c_str());
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
