// Start-up: a Music host's launch with mirel.dylib mapped (its constructors
// register its classes and run the two initialisers, with the preferences
// file read and the whole table installed), against the same launch mapping
// an empty library (the anchor: the loader's own work, dlopen included).
// Each is timed inside a fresh launch; the platform's boot is not part of
// the figure.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench/launch_timing.h"
#include "platform/loader/DeviceTree.h"
#include "platform/loader/SubstrateLoader.h"
#include "tweak/settings.h"

namespace fs = std::filesystem;

namespace {

// A device root with preferences and, in its libraries folder, either the
// installed extension or the empty library under a filter naming Music.
std::string deviceRoot(bool withExtension) {
  char pattern[] = "/tmp/mirel-bench-XXXXXX";
  std::string root = mkdtemp(pattern);
  fs::path prefs = root + kPreferencesPath;
  fs::create_directories(prefs.parent_path());
  std::ofstream(prefs) << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Enabled</key><true/>"
                          "<key>BlurPreset</key><integer>0</integer></dict></plist>";
  std::string error;
  if (withExtension) {
    linkInstalledLibraries(root, &error);
    return root;
  }
  fs::path folder = root + kSubstrateLibrariesPath;
  fs::create_directories(folder);
  fs::create_symlink(MIREL_EMPTY_LIBRARY, folder / "empty.dylib");
  std::ofstream(folder / "empty.plist") << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Filter</key>"
                                           "<dict><key>Bundles</key><array><string>com.apple.Music</string>"
                                           "</array></dict></dict></plist>";
  return root;
}

void BM_LaunchMapping(benchmark::State& state, bool withExtension) {
  std::string root = deviceRoot(withExtension);
  timeInFreshLaunches(state, [] { bootPlatform(); },
                      [&] {
                        HostDescription host;
                        host.bundleIdentifier = "com.apple.Music";
                        host.deviceRoot = root;
                        launchHost(host);
                        if (substrateMappings().size() != 1 || !substrateMappings()[0].mapped) std::abort();
                      });
  fs::remove_all(root);
}
BENCHMARK_CAPTURE(BM_LaunchMapping, empty_library, false)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LaunchMapping, mirel_dylib, true)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
