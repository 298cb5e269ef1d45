// Marking texts on a picture with Cairo and Pango.
#include "platform/render/ReadabilityPicture.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <cstdio>

namespace {

struct Mark {
  double r, g, b;
};
constexpr Mark kBelowAA{0.93, 0.11, 0.14};  // red
constexpr Mark kBelowAAA{1.0, 0.67, 0.0};   // amber

// The ratio on a filled tag, white on the mark's colour, right of the box
// where it fits on the picture and left of it otherwise.
void drawTag(cairo_t* cr, const TextReading& reading, const Mark& mark, double pictureWidth) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("Inter Bold");
  pango_font_description_set_absolute_size(font, 9 * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, ratioText(reading.worstContrast).c_str(), -1);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  const double pad = 2, tagWidth = width + 2 * pad, tagHeight = height;
  double x = reading.x + reading.width + 3;
  if (x + tagWidth > pictureWidth) x = std::fmax(0, reading.x - 3 - tagWidth);
  double y = reading.y + (reading.height - tagHeight) / 2;
  cairo_set_source_rgb(cr, mark.r, mark.g, mark.b);
  cairo_rectangle(cr, x, y, tagWidth, tagHeight);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_move_to(cr, x + pad, y);
  pango_cairo_show_layout(cr, layout);
  g_object_unref(layout);
}

}  // namespace

std::string ratioText(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f:1", std::floor(ratio * 10) / 10);
  return text;
}

Bitmap outlinedPicture(const Bitmap& picture, const std::vector<TextReading>& readings, double scale) {
  Bitmap marked = Bitmap::create(picture.width(), picture.height());
  if (marked.empty() || picture.empty()) return marked;
  cairo_t* cr = cairo_create(marked.surface());
  cairo_set_source_surface(cr, picture.surface(), 0, 0);
  cairo_paint(cr);
  cairo_scale(cr, scale, scale);
  cairo_set_line_width(cr, 1.5);
  for (const TextReading& reading : readings) {
    if (reading.verdict == ReadabilityVerdict::AAA) continue;
    const Mark& mark = reading.verdict == ReadabilityVerdict::BelowAA ? kBelowAA : kBelowAAA;
    cairo_set_source_rgb(cr, mark.r, mark.g, mark.b);
    cairo_rectangle(cr, reading.x, reading.y, reading.width, reading.height);
    cairo_stroke(cr);
    drawTag(cr, reading, mark, picture.width() / scale);
  }
  cairo_destroy(cr);
  cairo_surface_flush(marked.surface());
  return marked;
}
