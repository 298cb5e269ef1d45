// The built-in wallpaper: a picture generated in code (a dusk gradient with
// soft coloured discs), so that a blur over it shows, and no image file
// needs shipping.
//
//   Bitmap wallpaper = builtInWallpaper(640, 1136);
#pragma once

#include "platform/render/Bitmap.h"

Bitmap builtInWallpaper(int width, int height);
