// Start-up: the extension's two load-time initialisers in a Music host,
// with the preferences file read and the whole table installed. Each
// iteration is a fresh launch in a child process; only the mapping of the
// extension is timed, not the process or the platform's boot.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/loader/Loader.h"
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
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    runInChildProcess([&] {
      HostDescription host;
      host.bundleIdentifier = "com.apple.Music";
      host.deviceRoot = root;
      launchHost(host, nullptr);
      auto start = std::chrono::steady_clock::now();
      mapExtension(mirelExtensionImage());
      double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      ssize_t written = write(fds[1], &seconds, sizeof seconds);
      return written == sizeof seconds ? 0 : 1;
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
  std::filesystem::remove_all(root);
}
BENCHMARK(BM_Startup)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
