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
#include "platform/uikit/UIColor.h"

namespace {

// "#RRGGBB" of the colour as the platform writes it; black for one that
// gives no RGB.
std::string hexOf(UIColor* color) {
  std::string text = UIColorHexText(color);
  return text.empty() ? "#000000" : text.substr(0, 7);
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
