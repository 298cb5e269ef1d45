// The main job's cost: launch the Music host with the extension, build and
// render every Music screen at scale 2, inside a fresh launch.
#include <benchmark/benchmark.h>

#include "apps/music/MusicApp.h"
#include "bench/launch_timing.h"
#include "platform/render/Renderer.h"
#include "platform/render/Wallpaper.h"
#include "platform/uikit/uikit.h"
#include "tweak/startup.h"

namespace {

void BM_PreviewMusic(benchmark::State& state) {
  Bitmap wallpaper = builtInWallpaper(640, 1136);
  timeInFreshLaunches(
      state, [] {},
      [&] {
        const HostApp& app = musicApp();
        launchHost(app.host, &mirelExtensionImage());
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

}  // namespace
