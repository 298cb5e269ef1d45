// The main job's cost: launch the Music host with the extension, build and
// render every Music screen at scale 2. Timed inside a fresh launch (a
// child process), without the process creation.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>

#include "apps/music/MusicApp.h"
#include "platform/render/Renderer.h"
#include "platform/render/Wallpaper.h"
#include "platform/uikit/uikit.h"
#include "tweak/startup.h"

namespace {

void BM_PreviewMusic(benchmark::State& state) {
  Bitmap wallpaper = builtInWallpaper(640, 1136);
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    runInChildProcess([&] {
      auto start = std::chrono::steady_clock::now();
      const HostApp& app = musicApp();
      launchHost(app.host, &mirelExtensionImage());
      UIScreenSetMainScreenScale(2);
      for (const std::string& screen : app.screens) {
        AutoreleasePool pool;
        Ref<UIWindow> window = app.buildScreen(screen);
        Bitmap picture = renderWindow(window, {2, UIApplication::shared()->backgroundStyle(), &wallpaper});
        benchmark::DoNotOptimize(picture.pixels());
      }
      double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      return write(fds[1], &seconds, sizeof seconds) == sizeof seconds ? 0 : 1;
    });
    double seconds = 0;
    ssize_t got = read(fds[0], &seconds, sizeof seconds);
    close(fds[0]);
    close(fds[1]);
    if (got != sizeof seconds) {
      state.SkipWithError("the launch did not report");
      break;
    }
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(BM_PreviewMusic)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
