// The main job's cost: launch the Music host with the extension, build and
// render every Music screen at scale 2, inside a fresh launch. And the
// readability measurement's cost: the same renders, screens built
// beforehand, without and with it, in the launch's CPU time (the second over
// the first is its cost; the goal is at most 1.1).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "apps/music/MusicApp.h"
#include "bench/launch_timing.h"
#include "platform/render/Renderer.h"
#include "platform/render/Wallpaper.h"
#include "platform/uikit/uikit.h"
#include "platform/loader/DeviceTree.h"

namespace {

// The Music host as the tool launches it themed: the installed extension in
// its device root's libraries folder.
struct ThemedMusicHost {
  std::string root;
  HostDescription host = musicApp().host;
  ThemedMusicHost() {
    char pattern[] = "/tmp/mirel-bench-XXXXXX";
    root = mkdtemp(pattern);
    std::string error;
    linkInstalledLibraries(root, &error);
    host.deviceRoot = root;
  }
  ~ThemedMusicHost() { std::filesystem::remove_all(root); }
};

void BM_PreviewMusic(benchmark::State& state) {
  Bitmap wallpaper = builtInWallpaper(640, 1136);
  ThemedMusicHost themed;
  timeInFreshLaunches(
      state, [] {},
      [&] {
        const HostApp& app = musicApp();
        launchHost(themed.host);
        UIScreenSetMainScreenScale(2);
        for (const std::string& screen : app.screens) {
          AutoreleasePool pool;
          Ref<UIWindow> window = app.buildScreen(screen);
          Bitmap picture = renderWindow(window, {2, UIApplication::shared()->backgroundStyle(), &wallpaper});
          benchmark::DoNotOptimize(picture.pixels());
        }
      });
}
BENCHMARK(BM_PreviewMusic)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RenderMusicScreens(benchmark::State& state, bool measured) {
  Bitmap wallpaper = builtInWallpaper(640, 1136);
  ThemedMusicHost themed;
  std::vector<Ref<UIWindow>> windows;
  timeInFreshLaunches(
      state,
      [&] {
        const HostApp& app = musicApp();
        launchHost(themed.host);
        UIScreenSetMainScreenScale(2);
        for (const std::string& screen : app.screens) {
          AutoreleasePool pool;
          windows.push_back(app.buildScreen(screen));
        }
      },
      [&] {
        for (const Ref<UIWindow>& window : windows) {
          AutoreleasePool pool;
          std::vector<TextReading> readings;
          Bitmap picture = renderWindow(
              window, {2, UIApplication::shared()->backgroundStyle(), &wallpaper, measured ? &readings : nullptr});
          benchmark::DoNotOptimize(picture.pixels());
          benchmark::DoNotOptimize(readings.data());
        }
      },
      LaunchClock::ProcessCPU);
}
BENCHMARK_CAPTURE(BM_RenderMusicScreens, plain, false)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderMusicScreens, measured, true)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
