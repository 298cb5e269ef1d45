// One file of mirel-pick, from its path to its output line.
#include "tools/pick/pick_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "colorpicker/ContrastRatio.h"
#include "colorpicker/PickerRendition.h"
#include "colorpicker/ReadableColor.h"
#include "colorpicker/colorpicker.h"

namespace {

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

}  // namespace

PickResult pickFile(KRColorPicker* picker, const std::string& path, double minimumRatio) {
  AutoreleasePool pool;
  std::string error;
  std::array<uint8_t, kDominantSide * kDominantSide * 4> texels;
  if (!KRRenditionOfFile(path, texels.data(), &error)) return {.error = error};
  KRColorScheme* scheme = picker->colorSchemeFromRendition(texels.data());
  if (!scheme) return {.error = "no colour scheme (the application is in the background)"};
  if (picker->backend() == KRColorPickerBackendGL && picker->lastBackend() != KRColorPickerBackendGL)
    return {.error = "--backend gl: no OpenGL ES context can be made here"};
  PickResult result{hexOf(scheme->backgroundColor()),
                    hexOf(scheme->primaryTextColor()),
                    hexOf(scheme->secondaryTextColor()),
                    picker->lastBackend() == KRColorPickerBackendGL ? "gl" : "cpu",
                    roundedRatio(KRContrastRatio(scheme->backgroundColor(), scheme->primaryTextColor())),
                    roundedRatio(KRContrastRatio(scheme->backgroundColor(), scheme->secondaryTextColor())),
                    std::nullopt};
  if (minimumRatio > 0) result.readable = readableColours(scheme, minimumRatio);
  return result;
}

std::string pickLine(const std::string& file, const PickResult& r, bool json) {
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
