// mirel-pick: the colour scheme (background, primary and secondary text
// colours) of image files, one line per file in the order given.
//
//   mirel-pick --jobs 4 covers/*.jpg
//   {"file":"covers/a.jpg","background":"#1A2B3C","primary":"#F0E0D0","secondary":"#FFFFFF",
//    "primaryContrast":11.19,"secondaryContrast":14.44,"backend":"gl"}
//
// Each text colour comes with its WCAG 2 contrast ratio against the
// background (1 to 21), so that a scheme that is hard to read shows at once.
// With --min-contrast R, each also comes made readable against the
// background (moved in lightness until it reaches R:1, as ReadableText does
// on the device), with its ratio, next to the picker's own.
//
// A file that cannot be read or decoded gives a line with "error" and the run
// goes on; the exit status is 1 when any file failed.
#include <unistd.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "colorpicker/colorpicker.h"
#include "platform/loader/Loader.h"
#include "tools/exit_status.h"
#include "tools/pick/pick_file.h"

namespace {

constexpr size_t kProgressFrom = 20;  // files; fewer finish too soon to need a bar

class Progress {
 public:
  Progress(size_t total, bool shown) : total_(total), shown_(shown) {}
  void draw(size_t done) {
    if (!shown_) return;
    constexpr int kWidth = 30;
    int filled = int(kWidth * done / total_);
    std::fprintf(stderr, "\r[%s%s] %zu/%zu", std::string(filled, '#').c_str(), std::string(kWidth - filled, ' ').c_str(),
                 done, total_);
    std::fflush(stderr);
  }
  void clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
  }

 private:
  size_t total_;
  bool shown_;
};

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Colour schemes of image files: a background and two text colours for each."};
  std::string backendName = "auto", format = "json";
  // One picker per core: each file is decoded and picked on one thread, so
  // files are what runs in parallel.
  unsigned jobs = std::clamp(std::thread::hardware_concurrency(), 1u, 256u);
  double minContrast = 0;
  std::vector<std::string> files;
  app.add_option("--backend", backendName, "Counting pass: gl, cpu, or auto (GL on a GPU, CPU on a software rasteriser)")
      ->check(CLI::IsMember({"auto", "gl", "cpu"}));
  app.add_option("--jobs", jobs, "Files worked on at a time, one picker each (default: the number of cores)")
      ->check(CLI::Range(1u, 256u));
  app.add_option("--format", format, "Output: json (one object a line) or text")
      ->check(CLI::IsMember({"json", "text"}));
  app.add_option("--min-contrast", minContrast,
                 "Also print each text colour moved in lightness until it reaches R:1 against the background")
      ->option_text("R")
      ->check(CLI::Range(1.0, 21.0));
  app.add_option("files", files, "JPEG or PNG files")->required();
  if (std::optional<int> status = parseArguments(app, argc, argv)) return *status;

  bootPlatform();
  registerColorPicker();
  KRColorPickerBackend backend = KRColorPickerBackendFromName(backendName.c_str());
  bool json = format == "json";

  std::vector<std::optional<PickResult>> results(files.size());
  std::mutex lock;
  std::condition_variable finished;
  std::atomic<size_t> next{0};
  size_t completed = 0;  // under lock
  auto work = [&] {
    Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
    picker->setBackend(backend);
    for (size_t i; (i = next.fetch_add(1)) < files.size();) {
      PickResult r = pickFile(picker, files[i], minContrast);
      std::lock_guard guard(lock);
      results[i] = std::move(r);
      ++completed;
      finished.notify_one();
    }
  };
  std::vector<std::thread> workers;
  for (unsigned j = 0; j < std::min<size_t>(jobs, files.size()); ++j) workers.emplace_back(work);

  // Lines go out in the order the files were given, as soon as each one and
  // all before it are done.
  Progress progress(files.size(), isatty(STDERR_FILENO) && files.size() >= kProgressFrom);
  bool failed = false;
  for (size_t printed = 0; printed < files.size(); ++printed) {
    PickResult r;
    {
      std::unique_lock guard(lock);
      finished.wait(guard, [&] {
        progress.draw(completed);
        return results[printed].has_value();
      });
      r = std::move(*results[printed]);
    }
    failed |= bool(r.error);
    progress.clear();
    std::printf("%s\n", pickLine(files[printed], r, json).c_str());
    std::fflush(stdout);
  }
  for (std::thread& t : workers) t.join();
  return failed ? 1 : 0;
}
