// Stretching bare pixels through the same Cairo source and fill as
// CGContextDrawImage.
#include "platform/coregraphics/CGDrawPixels.h"

#include "platform/coregraphics/cairo_bridge.h"

namespace {

struct Surface {
  cairo_surface_t* surface;
  ~Surface() { cairo_surface_destroy(surface); }
  bool usable() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
};

bool sideUsable(size_t side) { return side > 0 && side <= cg::kMaxSide; }

}  // namespace

bool CGDrawNativeARGBStretched(const uint8_t* argb, size_t width, size_t height, size_t outWidth, size_t outHeight,
                               uint8_t* rgba) {
  if (!argb || !sideUsable(width) || !sideUsable(height) || !sideUsable(outWidth) || !sideUsable(outHeight))
    return false;
  // Cairo only reads the source; its rows are packed, as ARGB32 rows always may be.
  Surface source{cairo_image_surface_create_for_data(const_cast<uint8_t*>(argb), CAIRO_FORMAT_ARGB32, int(width),
                                                     int(height), int(width * 4))};
  Surface target{cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(outWidth), int(outHeight))};
  if (!source.usable() || !target.usable()) return false;
  cairo_t* c = cairo_create(target.surface);
  // The transform an image context's drawInRect: draws with: UIKit's y-down
  // space turned back into Core Graphics' y-up one, row 0 of the bitmap at
  // the top.
  cairo_matrix_t ctm;
  cairo_matrix_init(&ctm, 1, 0, 0, -1, 0, double(outHeight));
  cairo_set_matrix(c, &ctm);
  cairo_set_operator(c, CAIRO_OPERATOR_OVER);
  CGRect rect = CGRectMake(0, 0, CGFloat(outWidth), CGFloat(outHeight));
  cg::setImagePattern(c, rect, source.surface, width, height, true);
  cairo_rectangle(c, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  cairo_fill(c);
  bool drawn = cairo_status(c) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(c);
  if (drawn) cg::cairoToRGBA(target.surface, rgba, outWidth * 4);
  return drawn;
}
