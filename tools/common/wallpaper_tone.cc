// The blur is the backdrop's own (blurRegion, the light style's radius) on
// a copy scaled down to a sixth: the tone of a blurred wallpaper does not
// need its pixels, and the picker is quicker on fewer.
#include "tools/common/wallpaper_tone.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "colorpicker/colorpicker.h"
#include "platform/loader/Loader.h"
#include "platform/render/Blur.h"
#include "platform/uikit/UIBackdropView.h"
#include "platform/uikit/UIImageFiles.h"

namespace {

Bitmap blurredCopy(const Bitmap& wallpaper) {
  const int width = std::max(8, wallpaper.width() / 6), height = std::max(8, wallpaper.height() / 6);
  Bitmap small = Bitmap::create(width, height);
  cairo_t* cr = cairo_create(small.surface());
  cairo_scale(cr, static_cast<double>(width) / wallpaper.width(), static_cast<double>(height) / wallpaper.height());
  cairo_set_source_surface(cr, wallpaper.surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_destroy(cr);
  // 30 points at scale 2, on a sixth of the pixels.
  blurRegion(small, {0, 0, width, height}, BlurRecipe{10, 1.8, std::nullopt}, 1);
  return small;
}

std::string hexOf(UIColor* color) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (!color || !color->getRGBA(&r, &g, &b, &a)) return "000000";
  return colourText({r, g, b});
}

// The value at `fraction` of the way through the values.
double quantile(std::vector<double> values, double fraction) {
  auto at = values.begin() + static_cast<std::ptrdiff_t>(fraction * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

}  // namespace

bool readWallpaperTone(const Bitmap& wallpaper, WallpaperTone* tone, std::string* error) {
  if (wallpaper.empty()) return *error = "no wallpaper", false;
  Bitmap blurred = blurredCopy(wallpaper);
  char pattern[] = "/tmp/mirel-tone-XXXXXX.png";
  int fd = mkstemps(pattern, 4);
  if (fd < 0) return *error = "cannot make a scratch file in /tmp", false;
  close(fd);
  const std::string path = pattern;
  if (!blurred.writePNG(path, error)) return unlink(path.c_str()), false;

  int channel[2];
  if (pipe(channel) != 0) return unlink(path.c_str()), *error = "cannot make a pipe for the picker", false;
  int status = runInChildProcess([&] {
    close(channel[0]);
    bootPlatform();
    registerColorPicker();
    AutoreleasePool pool;
    nlohmann::json answer;
    std::string reason;
    if (UIImage* image = UIImageReadFile(path.c_str(), 1, 8, &reason)) {
      Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
      if (KRColorScheme* found = picker->colorSchemeFromImage(image))
        answer["scheme"] = {hexOf(found->backgroundColor()), hexOf(found->primaryTextColor()),
                            hexOf(found->secondaryTextColor())};
    }
    // The tint each style lays over its blur, as the platform gives it.
    for (const BackdropStyle& style : knownBackdropStyles()) {
      UIBackdropViewSettings* settings = UIBackdropViewSettings::forStyle(static_cast<int>(style.number));
      CGFloat white = 0, g = 0, b = 0, a = 0;
      if (UIColor* tint = settings->colorTint()) tint->getRGBA(&white, &g, &b, &a);
      answer["styles"].push_back({style.number, style.name, white, settings->colorTintAlpha()});
    }
    std::string line = answer.dump();
    ssize_t written = write(channel[1], line.data(), line.size());
    close(channel[1]);
    return written == static_cast<ssize_t>(line.size()) ? 0 : 1;
  });
  close(channel[1]);
  std::string line;
  char buffer[4096];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) line.append(buffer, static_cast<size_t>(n));
  close(channel[0]);
  unlink(path.c_str());
  nlohmann::json answer = nlohmann::json::parse(line, nullptr, false);
  if (status != 0 || answer.is_discarded() || !answer.contains("styles"))
    return *error = "the picker's launch failed", false;
  if (!answer.contains("scheme")) return *error = "the picker found no scheme in the blurred wallpaper", false;
  parseColourText(answer["scheme"][0], &tone->background);
  parseColourText(answer["scheme"][1], &tone->primary);
  parseColourText(answer["scheme"][2], &tone->secondary);

  std::vector<SRGB> pixels;
  std::vector<double> luminances;
  for (int y = 0; y < blurred.height(); ++y)
    for (int x = 0; x < blurred.width(); ++x) {
      uint8_t p[4];
      blurred.rgbaAt(x, y, p);
      pixels.push_back({p[0] / 255.0, p[1] / 255.0, p[2] / 255.0});
      luminances.push_back(luminanceOf(pixels.back()));
    }
  tone->luminance = quantile(luminances, 0.5);

  tone->candidates.clear();
  for (const nlohmann::json& s : answer["styles"]) {
    BackdropChoice choice{s[0].get<long>(), s[1].get<std::string>(), s[3].get<double>()};
    const double white = s[2].get<double>();
    std::vector<double> tinted;
    for (const SRGB& p : pixels) {
      auto mix = [&](double c) { return c * (1 - choice.tintAlpha) + white * choice.tintAlpha; };
      tinted.push_back(luminanceOf({mix(p.r), mix(p.g), mix(p.b)}));
    }
    // Dark text is limited by the darkest part of the blur, light text by
    // the lightest.
    const double darkest = quantile(tinted, 0.1), lightest = quantile(tinted, 0.9);
    const double forDark = contrastOf(0, darkest), forLight = contrastOf(1, lightest);
    choice.darkText = forDark > forLight;
    choice.room = std::max(forDark, forLight);
    tone->candidates.push_back(choice);
  }
  // The lightest tint with room enough; failing that, the most room.
  const BackdropChoice* best = nullptr;
  for (const BackdropChoice& c : tone->candidates)
    if (c.room >= kBackdropRoomWanted && (!best || c.tintAlpha < best->tintAlpha)) best = &c;
  if (!best)
    for (const BackdropChoice& c : tone->candidates)
      if (!best || c.room > best->room) best = &c;
  tone->backdrop = *best;
  return true;
}
