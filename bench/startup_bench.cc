// Start-up: the extension's two load-time initialisers in a Music host,
// with the preferences file read and the whole table installed, timed
// inside a fresh launch; the platform's boot is not part of the figure.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench/launch_timing.h"
#include "tweak/settings.h"
#include "tweak/startup.h"

namespace {

void BM_Startup(benchmark::State& state) {
  char pattern[] = "/tmp/mirel-bench-XXXXXX";
  std::string root = mkdtemp(pattern);
  std::filesystem::path prefs = root + kPreferencesPath;
  std::filesystem::create_directories(prefs.parent_path());
  std::ofstream(prefs) << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Enabled</key><true/>"
                          "<key>BlurPreset</key><integer>0</integer></dict></plist>";
  timeInFreshLaunches(
      state,
      [&] {
        HostDescription host;
        host.bundleIdentifier = "com.apple.Music";
        host.deviceRoot = root;
        launchHost(host, nullptr);
      },
      [] { mapExtension(mirelExtensionImage()); });
  std::filesystem::remove_all(root);
}
BENCHMARK(BM_Startup)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
