// The generated wallpaper.
#include "platform/render/Wallpaper.h"

#include <cmath>

Bitmap builtInWallpaper(int width, int height) {
  Bitmap b = Bitmap::create(width, height);
  if (b.empty()) return b;
  cairo_t* cr = cairo_create(b.surface());
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, width * 0.3, height);
  cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.10, 0.12, 0.38);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.62, 0.22, 0.47);
  cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.98, 0.58, 0.24);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);

  struct Disc {
    double x, y, r, red, green, blue, alpha;
  };
  const Disc discs[] = {
      {0.20, 0.18, 0.22, 0.30, 0.85, 0.95, 0.55}, {0.80, 0.30, 0.18, 1.00, 0.85, 0.30, 0.60},
      {0.35, 0.62, 0.26, 0.95, 0.35, 0.55, 0.45}, {0.75, 0.80, 0.20, 0.40, 0.95, 0.60, 0.50},
      {0.10, 0.90, 0.12, 1.00, 1.00, 1.00, 0.35},
  };
  double unit = std::fmin(width, height);
  for (const Disc& d : discs) {
    cairo_set_source_rgba(cr, d.red, d.green, d.blue, d.alpha);
    cairo_arc(cr, d.x * width, d.y * height, d.r * unit, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return b;
}
