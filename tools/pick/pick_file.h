// One file of mirel-pick: read, decode, pick its colour scheme, and word the
// output line. mirel-pick runs this per file on its workers; the benchmarks
// time it without the process around it.
//
//   PickResult r = pickFile(picker, "cover.jpg");
//   std::puts(pickLine("cover.jpg", r, true).c_str());
#pragma once

#include <optional>
#include <string>

struct KRColorPicker;

// The scheme's text colours made readable (--min-contrast).
struct ReadableColours {
  std::string primary, secondary;
  double primaryContrast = 1, secondaryContrast = 1;
};

struct PickResult {
  std::string background, primary, secondary, backend;
  double primaryContrast = 1, secondaryContrast = 1;
  std::optional<std::string> error;
  std::optional<ReadableColours> readable;  // with a minimum ratio only
};

// The scheme of the image file at `path`, or the reason there is none.
// With a minimum ratio (0: none), also the text colours made readable
// against the background.
PickResult pickFile(KRColorPicker* picker, const std::string& path, double minimumRatio = 0);

// The output line for one file: a JSON object, or text.
std::string pickLine(const std::string& file, const PickResult& result, bool json);
