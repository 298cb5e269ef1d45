// What a suggested theme starts from: the wallpaper as the screens' blur
// shows it. The extension's own picker names its colours (the scheme the
// Adaptive Now Playing screen would take from it), and among the backdrop
// styles the platform knows, the one that leaves the most of the wallpaper
// showing while a text colour can still be read over it.
//
//   WallpaperTone tone;
//   if (readWallpaperTone(wallpaper, &tone, &error)) useStyle(tone.style);
#pragma once

#include <string>
#include <vector>

#include "platform/render/Bitmap.h"
#include "tools/common/colour_tone.h"

struct BackdropChoice {
  long style = 0;
  std::string name;
  double tintAlpha = 0;
  // The contrast that black (dark texts) or white (light texts) reaches over
  // the hardest tenth of the tinted blur.
  double room = 0;
  bool darkText = false;
};

struct WallpaperTone {
  SRGB background, primary, secondary;  // the picker's scheme of the blur
  double luminance = 0;                  // the blur's median WCAG luminance
  BackdropChoice backdrop;
  std::vector<BackdropChoice> candidates;  // every known style, in the platform's order
};

// A style whose room reaches this leaves a coloured text space to pass AA.
inline constexpr double kBackdropRoomWanted = 7;

// The picker runs in a launch of its own (it needs a booted platform).
bool readWallpaperTone(const Bitmap& wallpaper, WallpaperTone* tone, std::string* error);
