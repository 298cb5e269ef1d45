// Picking runs in a child process: the picker needs a booted platform,
// which the studio's own process never has.
#include "tools/studio/artwork_scheme.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "colorpicker/colorpicker.h"
#include "platform/uikit/UIColor.h"
#include "platform/loader/Loader.h"
#include "platform/uikit/UIImageFiles.h"

namespace {

// "#RRGGBB" of the colour as the platform writes it; black for one that
// gives no RGB.
std::string hexOf(UIColor* color) {
  std::string text = UIColorHexText(color);
  return text.empty() ? "#000000" : text.substr(0, 7);
}

double luminance(const std::string& hex) {
  auto channel = [&](int i) {
    double c = std::stoi(hex.substr(1 + 2 * i, 2), nullptr, 16) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(0) + 0.7152 * channel(1) + 0.0722 * channel(2);
}

}  // namespace

double contrastRatio(const std::string& a, const std::string& b) {
  double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool pickArtworkScheme(const std::string& imagePath, ArtworkScheme* scheme, std::string* error) {
  int channel[2];
  if (pipe(channel) != 0) {
    *error = "cannot make a pipe for the picker";
    return false;
  }
  int status = runInChildProcess([&] {
    close(channel[0]);
    bootPlatform();
    registerColorPicker();
    AutoreleasePool pool;
    std::string reason;
    UIImage* image = UIImageReadFile(imagePath.c_str(), 1, 32, &reason);
    std::string line;
    if (!image) {
      line = "!" + (reason.empty() ? std::string("cannot read the image") : reason);
    } else {
      Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
      KRColorScheme* found = picker->colorSchemeFromImage(image);
      line = found ? hexOf(found->backgroundColor()) + hexOf(found->primaryTextColor()) +
                         hexOf(found->secondaryTextColor())
                   : "!the picker found no scheme";
    }
    ssize_t written = write(channel[1], line.data(), line.size());
    close(channel[1]);
    return written == static_cast<ssize_t>(line.size()) ? 0 : 1;
  });
  close(channel[1]);
  std::string line;
  char buffer[512];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) line.append(buffer, static_cast<size_t>(n));
  close(channel[0]);
  if (status != 0 || line.empty()) {
    *error = "the picker's launch failed";
    return false;
  }
  if (line[0] == '!') {
    *error = line.substr(1);
    return false;
  }
  if (line.size() != 21) {
    *error = "the picker answered something unreadable";
    return false;
  }
  scheme->background = line.substr(0, 7);
  scheme->primary = line.substr(7, 7);
  scheme->secondary = line.substr(14, 7);
  scheme->primaryContrast = contrastRatio(scheme->primary, scheme->background);
  scheme->secondaryContrast = contrastRatio(scheme->secondary, scheme->background);
  return true;
}
