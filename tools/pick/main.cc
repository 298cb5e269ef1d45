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
#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "colorpicker/ContrastRatio.h"
#include "colorpicker/ReadableColor.h"
#include "colorpicker/colorpicker.h"
#include "platform/loader/Loader.h"
#include "platform/uikit/UIImageFiles.h"
#include "tools/exit_status.h"

namespace {

// The picker shrinks every image to 32 × 32: JPEGs are decoded at the
// smallest DCT scale that keeps at least this many pixels a side.
constexpr size_t kDecodeSide = 32;
constexpr size_t kProgressFrom = 20;  // files; fewer finish too soon to need a bar

// The scheme's text colours made readable (--min-contrast).
struct ReadableColours {
  std::string primary, secondary;
  double primaryContrast = 1, secondaryContrast = 1;
};

struct Result {
  std::string background, primary, secondary, backend;
  double primaryContrast = 1, secondaryContrast = 1;
  std::optional<std::string> error;
  std::optional<ReadableColours> readable;
};

std::string hexOf(UIColor* color) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (!color || !color->getRGBA(&r, &g, &b, &a)) return "#000000";
  auto byte = [](CGFloat c) { return unsigned(std::lround(std::clamp(c, 0.0, 1.0) * 255.0)); };
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", byte(r), byte(g), byte(b));
  return text;
}

// Two decimals, as contrast ratios are quoted (4.5:1).
double roundedRatio(double ratio) { return std::round(ratio * 100) / 100; }

std::string ratioText(double ratio) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2f:1", ratio);
  return text;
}

ReadableColours readableColours(KRColorScheme* scheme, double minimumRatio) {
  UIColor* background = scheme->backgroundColor();
  UIColor* primary = readableTextColorAgainstBackground(scheme->primaryTextColor(), background, minimumRatio);
  UIColor* secondary = readableTextColorAgainstBackground(scheme->secondaryTextColor(), background, minimumRatio);
  return {hexOf(primary), hexOf(secondary), roundedRatio(KRContrastRatio(background, primary)),
          roundedRatio(KRContrastRatio(background, secondary))};
}

// minimumRatio 0: the picker's colours alone.
Result pick(KRColorPicker* picker, const std::string& path, double minimumRatio) {
  AutoreleasePool pool;
  std::string error;
  UIImage* image = UIImageReadFile(path.c_str(), 1, kDecodeSide, &error);
  if (!image) return {.error = error.empty() ? "cannot read the image" : error};
  KRColorScheme* scheme = picker->colorSchemeFromImage(image);
  if (!scheme) return {.error = "no colour scheme (the application is in the background)"};
  if (picker->backend() == KRColorPickerBackendGL && picker->lastBackend() != KRColorPickerBackendGL)
    return {.error = "--backend gl: no OpenGL ES context can be made here"};
  Result result{hexOf(scheme->backgroundColor()),
                hexOf(scheme->primaryTextColor()),
                hexOf(scheme->secondaryTextColor()),
                picker->lastBackend() == KRColorPickerBackendGL ? "gl" : "cpu",
                roundedRatio(KRContrastRatio(scheme->backgroundColor(), scheme->primaryTextColor())),
                roundedRatio(KRContrastRatio(scheme->backgroundColor(), scheme->secondaryTextColor())),
                std::nullopt};
  if (minimumRatio > 0) result.readable = readableColours(scheme, minimumRatio);
  return result;
}

std::string line(const std::string& file, const Result& r, bool json) {
  if (json) {
    nlohmann::ordered_json out;
    out["file"] = file;
    if (r.error) {
      out["error"] = *r.error;
    } else {
      out["background"] = r.background;
      out["primary"] = r.primary;
      out["secondary"] = r.secondary;
      out["primaryContrast"] = r.primaryContrast;
      out["secondaryContrast"] = r.secondaryContrast;
      if (r.readable) {
        out["readablePrimary"] = r.readable->primary;
        out["readablePrimaryContrast"] = r.readable->primaryContrast;
        out["readableSecondary"] = r.readable->secondary;
        out["readableSecondaryContrast"] = r.readable->secondaryContrast;
      }
      out["backend"] = r.backend;
    }
    return out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
  if (r.error) return file + ": error: " + *r.error;
  std::string readable;
  if (r.readable)
    readable = ", readable primary " + r.readable->primary + " (contrast " + ratioText(r.readable->primaryContrast) +
               "), readable secondary " + r.readable->secondary + " (contrast " +
               ratioText(r.readable->secondaryContrast) + ")";
  return file + ": background " + r.background + ", primary " + r.primary + " (contrast " +
         ratioText(r.primaryContrast) + "), secondary " + r.secondary + " (contrast " + ratioText(r.secondaryContrast) +
         ")" + readable + " (" + r.backend + ")";
}

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
  unsigned jobs = 1;
  double minContrast = 0;
  std::vector<std::string> files;
  app.add_option("--backend", backendName, "Counting pass: gl, cpu, or auto (GL on a GPU, CPU on a software rasteriser)")
      ->check(CLI::IsMember({"auto", "gl", "cpu"}));
  app.add_option("--jobs", jobs, "Files worked on at a time, one picker each")->check(CLI::Range(1u, 256u));
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

  std::vector<std::optional<Result>> results(files.size());
  std::mutex lock;
  std::condition_variable finished;
  std::atomic<size_t> next{0};
  size_t completed = 0;  // under lock
  auto work = [&] {
    Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
    picker->setBackend(backend);
    for (size_t i; (i = next.fetch_add(1)) < files.size();) {
      Result r = pick(picker, files[i], minContrast);
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
    Result r;
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
    std::printf("%s\n", line(files[printed], r, json).c_str());
    std::fflush(stdout);
  }
  for (std::thread& t : workers) t.join();
  return failed ? 1 : 0;
}
