// Reading the preferences: loadSettings alone, beside its floor, the same
// 14-key file read and parsed by libplist and nothing else.
//
//   mirel-bench --benchmark_filter=LoadSettings
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <plist/plist.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>

#include "platform/foundation/DeviceFiles.h"
#include "platform/loader/Loader.h"
#include "tweak/color_from_hex.h"
#include "tweak/settings.h"

namespace {

// Every key loadSettings reads, each with a value that is not its default,
// so that every reader takes its value from the file.
const char kPreferences[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n<dict>\n"
    "\t<key>Enabled</key>\n\t<true/>\n"
    "\t<key>NowPlayingHooks</key>\n\t<false/>\n"
    "\t<key>PrimaryTextColour</key>\n\t<string>FFEEDDFF</string>\n"
    "\t<key>SecondaryTextColour</key>\n\t<string>#C0C0C0</string>\n"
    "\t<key>PrimaryTintColour</key>\n\t<string>FF3B30FF</string>\n"
    "\t<key>SecondaryTintColour</key>\n\t<string>5856D6</string>\n"
    "\t<key>BlurTintColour</key>\n\t<string>1C1C1E80</string>\n"
    "\t<key>BlurPreset</key>\n\t<integer>2</integer>\n"
    "\t<key>UseCustomTint</key>\n\t<true/>\n"
    "\t<key>Customise</key>\n\t<true/>\n"
    "\t<key>Saturation</key>\n\t<real>1.4</real>\n"
    "\t<key>BlurRadius</key>\n\t<real>22.5</real>\n"
    "\t<key>BlurArtwork</key>\n\t<true/>\n"
    "\t<key>AdaptiveNowPlaying</key>\n\t<true/>\n"
    "</dict>\n</plist>\n";

// The file under a device root of its own, made once for the run.
const std::string& preferencesFile() {
  static const std::string path = [] {
    char pattern[] = "/tmp/mirel-bench-settings-XXXXXX";
    std::string root = mkdtemp(pattern);
    std::filesystem::path file = root + kPreferencesPath;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << kPreferences;
    setDeviceRoot(root);
    return file.string();
  }();
  return path;
}

void BM_LoadSettings(benchmark::State& state) {
  bootPlatform();
  static std::once_flag once;
  std::call_once(once, registerColorCategories);
  preferencesFile();
  for (auto _ : state) {
    AutoreleasePool pool;
    loadSettings();
    benchmark::DoNotOptimize(TweakSettings.BlurRadius);
  }
  if (TweakSettings.BlurRadius != 22.5 || !TweakSettings.AdaptiveNowPlaying)
    state.SkipWithError("the file was not read");
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

// Open, read and close the file, parse it, free the tree.
void BM_LoadSettingsFloor(benchmark::State& state) {
  const std::string& path = preferencesFile();
  for (auto _ : state) {
    char buffer[4096];
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ssize_t length = read(fd, buffer, sizeof buffer);
    close(fd);
    plist_t root = nullptr;
    plist_from_xml(buffer, static_cast<uint32_t>(length), &root);
    benchmark::DoNotOptimize(root);
    if (plist_dict_get_size(root) != 14) state.SkipWithError("the file did not parse to 14 keys");
    plist_free(root);
  }
}
BENCHMARK(BM_LoadSettingsFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
