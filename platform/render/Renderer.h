// The compositor: draws a window's view tree into a bitmap at the screen's
// scale, back to front, over the wallpaper where the application's
// background style lets it show.
//
//   Bitmap picture = renderWindow(window, {.scale = 2, .backgroundStyle = 3, .wallpaper = &wallpaper});
#pragma once

#include <vector>

#include "platform/foundation/NSObject.h"
#include "platform/render/Bitmap.h"
#include "platform/render/Readability.h"

struct UIView;

struct RenderOptions {
  double scale = 2;
  // The application's background style: 1 shows the wallpaper as it is, 3
  // under a dark blur, anything else is opaque (black behind the views).
  NSInteger backgroundStyle = 0;
  const Bitmap* wallpaper = nullptr;
  // When given, every text that reaches the screen is measured against what
  // was composited behind it, in drawing order (see Readability.h).
  std::vector<TextReading>* readings = nullptr;
};

// Renders `root` (usually the key window) and its subviews; the bitmap
// covers the root's frame.
Bitmap renderWindow(UIView* root, const RenderOptions& options);
