// Marking texts on a picture with Cairo and Pango.
#include "platform/render/ReadabilityPicture.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct Mark {
  double r, g, b;
};
constexpr Mark kBelowAA{0.93, 0.11, 0.14};  // red
constexpr Mark kBelowAAA{1.0, 0.67, 0.0};   // amber

struct Box {
  double x, y, width, height;
  bool meets(const Box& o) const {
    return x < o.x + o.width && o.x < x + width && y < o.y + o.height && o.y < y + height;
  }
};

// The ratio on a filled tag, white on the mark's colour: right of the box,
// else left of it, below or above it, wherever it first stays on the picture
// and off the other texts and tags (else where it first stays on the
// picture).
void drawTag(cairo_t* cr, const TextReading& reading, const Mark& mark, double pictureWidth, double pictureHeight,
             std::vector<Box>& taken) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("Inter Bold");
  pango_font_description_set_absolute_size(font, 9 * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, ratioText(reading.worstContrast).c_str(), -1);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  const double pad = 2, w = width + 2 * pad, h = height;
  const double middle = reading.y + (reading.height - h) / 2;
  const Box places[] = {{reading.x + reading.width + 3, middle, w, h},
                        {reading.x - 3 - w, middle, w, h},
                        {reading.x, reading.y + reading.height + 1, w, h},
                        {reading.x, reading.y - 1 - h, w, h}};
  auto inside = [&](const Box& place) {
    return place.x >= 0 && place.y >= 0 && place.x + w <= pictureWidth && place.y + h <= pictureHeight;
  };
  auto free = [&](const Box& place) {
    return std::none_of(taken.begin(), taken.end(), [&](const Box& other) { return place.meets(other); });
  };
  const Box* found =
      std::find_if(std::begin(places), std::end(places), [&](const Box& p) { return inside(p) && free(p); });
  if (found == std::end(places)) found = std::find_if(std::begin(places), std::end(places), inside);
  Box tag = found == std::end(places) ? places[0] : *found;
  taken.push_back(tag);
  cairo_set_source_rgb(cr, mark.r, mark.g, mark.b);
  cairo_rectangle(cr, tag.x, tag.y, w, h);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_move_to(cr, tag.x + pad, tag.y);
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
  std::vector<Box> taken;
  for (const TextReading& reading : readings) taken.push_back({reading.x, reading.y, reading.width, reading.height});
  for (const TextReading& reading : readings) {
    if (reading.verdict == ReadabilityVerdict::AAA) continue;
    const Mark& mark = reading.verdict == ReadabilityVerdict::BelowAA ? kBelowAA : kBelowAAA;
    cairo_set_source_rgb(cr, mark.r, mark.g, mark.b);
    cairo_rectangle(cr, reading.x, reading.y, reading.width, reading.height);
    cairo_stroke(cr);
    drawTag(cr, reading, mark, picture.width() / scale, picture.height() / scale, taken);
  }
  cairo_destroy(cr);
  cairo_surface_flush(marked.surface());
  return marked;
}
