// One artwork change on the Now Playing screen, as the main thread waits
// for it: from the host's _didUpdateArtworkImage (the saved implementation
// first) to the scheme stored and the fades scheduled, with a decoded
// 600 × 600 artwork and the picker's CPU pass. The figure is the main
// thread's CPU time (on a shared machine wall time mostly measures the
// neighbours); compare it with the CPU column of BM_PickerExtractCpu/0 (the
// same image, the extraction alone) from the same run: the change should
// add no more than a tenth to it.
//
//   mirel-bench --benchmark_filter='BM_ArtworkChange|BM_PickerExtractCpu/0'
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "apps/common/HostApp.h"
#include "apps/music/MusicApp.h"
#include "apps/music/NowPlaying.h"
#include "apps/music/SongList.h"
#include "bench/bench_images.h"
#include "platform/foundation/RunLoop.h"
#include "tweak/settings.h"
#include "tweak/startup.h"

namespace {

constexpr int kChangesPerLaunch = 32;

std::string deviceRootWithAdaptivePreferences() {
  char pattern[] = "/tmp/mirel-bench-XXXXXX";
  std::string root = mkdtemp(pattern);
  std::filesystem::path prefs = root + kPreferencesPath;
  std::filesystem::create_directories(prefs.parent_path());
  std::ofstream(prefs) << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                          "<key>AdaptiveNowPlaying</key><true/><key>BlurArtwork</key><true/></dict></plist>\n";
  return root;
}

double threadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// In a fresh launch with the screen up: the mean of kChangesPerLaunch
// changes, each timed alone, the fades run untimed in between. Seconds
// through `report`; nonzero on failure.
int timeChanges(const std::string& root, int report) {
  HostDescription host = musicApp().host;
  host.deviceRoot = root;
  launchHost(host, &mirelExtensionImage());
  sharedColourPicker()->setBackend(KRColorPickerBackendCPU);
  AutoreleasePool pool;
  Ref<UIWindow> window = UIView::make<UIWindow>(UIScreen::mainScreen()->bounds());
  Ref<UINavigationController> navigation = UINavigationController::withRoot(makeSongsViewController());
  window->addSubview(navigation->view());
  Ref<UIViewController> nowPlaying = makeNowPlayingViewController();
  navigation->pushViewController(nowPlaying, NO);
  settleWindow(window);

  UIImage* artwork = bench_images::decodedImage(0, 600);
  MusicNowPlayingObserver* observer = MusicNowPlayingObserver::shared();
  observer->_currentArtworkImage = artwork;
  objc::send<void()>(nowPlaying, "_didUpdateArtworkImage"_sel);  // warms the picker and the caches
  RunLoop::main().runUntilIdle();
  double total = 0;
  for (int i = 0; i < kChangesPerLaunch; ++i) {
    AutoreleasePool iteration;
    double start = threadSeconds();
    objc::send<void()>(nowPlaying, "_didUpdateArtworkImage"_sel);
    total += threadSeconds() - start;
    RunLoop::main().runUntilIdle();
  }
  double mean = total / kChangesPerLaunch;
  return write(report, &mean, sizeof mean) == sizeof mean ? 0 : 1;
}

void BM_ArtworkChange(benchmark::State& state) {
  std::string root = deviceRootWithAdaptivePreferences();
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    int status = runInChildProcess([&] { return timeChanges(root, fds[1]); });
    double seconds = 0;
    ssize_t got = status == 0 ? read(fds[0], &seconds, sizeof seconds) : 0;
    close(fds[0]);
    close(fds[1]);
    if (got != sizeof seconds) {
      state.SkipWithError("the launch did not report");
      break;
    }
    state.SetIterationTime(seconds);
  }
  std::filesystem::remove_all(root);
  state.SetLabel("artwork, CPU pass, main-thread CPU time, mean of 32 changes a launch");
}
BENCHMARK(BM_ArtworkChange)->UseManualTime()->Iterations(8)->Unit(benchmark::kMicrosecond);

}  // namespace
