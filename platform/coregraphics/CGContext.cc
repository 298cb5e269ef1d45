// CGContextObj over Cairo.
//
// Cairo draws into its own ARGB32 surface. The premultiplied R, G, B, A
// bytes that callers see are kept only once a caller can see them (data
// given at creation, or CGBitmapContextGetData): then every drawing
// operation reads them in first and writes them back after, so both reads
// and writes by the caller between operations behave as on the device.
//
// Clips are coverage masks (A8 surfaces in device space) rather than Cairo
// clips, because Core Graphics clips to image masks as well as to paths.
// Compositing follows Core Graphics: each operation changes the pixels only
// inside its shape and the clip, where the result is lerp(dst, op(src, dst),
// coverage). Cairo does exactly that itself for its bounded operators when
// there is no mask clip; every other case composites through a coverage
// mask.
#include "platform/coregraphics/CGContext.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/coregraphics/cairo_bridge.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"

namespace {

using SurfaceRef = std::shared_ptr<cairo_surface_t>;

SurfaceRef makeSurface(cairo_format_t format, int width, int height) {
  return SurfaceRef(cairo_image_surface_create(format, width, height), &cairo_surface_destroy);
}

struct Colour {
  double r = 0, g = 0, b = 0, a = 1;
};

struct GState {
  cairo_matrix_t ctm;  // user space to Cairo's device space (y down)
  Colour fill, stroke;
  double lineWidth = 1;
  cairo_operator_t op = CAIRO_OPERATOR_OVER;
  SurfaceRef clip;  // A8 coverage in device space, or null for no clip
};

}  // namespace

struct CGContextBacking {
  size_t width = 0, height = 0, bytesPerRow = 0;
  CGBitmapInfo bitmapInfo = kCGImageAlphaPremultipliedLast;
  uint8_t* data = nullptr;  // the caller-visible bytes, or null while nobody can see them
  bool ownsData = false;
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;  // holds the path; its matrix is always the CTM
  GState state;
  std::vector<GState> saved;
  std::vector<CGDrawnText> drawnTexts;

  ~CGContextBacking() {
    if (cr) cairo_destroy(cr);
    if (surface) cairo_surface_destroy(surface);
    if (ownsData) std::free(data);
  }
};

CGContextObj::~CGContextObj() { delete _backing; }

// The image as a source laid over the rectangle in user space, top row at
// the rectangle's maximum y. Its edge pixels extend outwards so that
// filtering does not fade the rectangle's borders; the shape ends the image.
void cg::setImagePattern(cairo_t* c, CGRect rect, cairo_surface_t* image, size_t width, size_t height,
                         bool interpolate) {
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
  double sx = double(width) / rect.size.width, sy = double(height) / rect.size.height;
  cairo_matrix_t m;
  cairo_matrix_init(&m, sx, 0, 0, -sy, -rect.origin.x * sx, (rect.origin.y + rect.size.height) * sy);
  cairo_pattern_set_matrix(pattern, &m);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern, interpolate ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
  cairo_set_source(c, pattern);
  cairo_pattern_destroy(pattern);
}

namespace {

// Only this set of Cairo operators changes pixels outside the drawn shape.
bool unbounded(cairo_operator_t op) {
  return op == CAIRO_OPERATOR_IN || op == CAIRO_OPERATOR_OUT || op == CAIRO_OPERATOR_DEST_IN ||
         op == CAIRO_OPERATOR_DEST_ATOP;
}

void readIn(CGContextBacking* b) {
  if (b->data) cg::rgbaToCairo(b->data, b->bytesPerRow, b->surface);
}

void writeOut(CGContextBacking* b) {
  if (b->data) cg::cairoToRGBA(b->surface, b->data, b->bytesPerRow);
}

using Step = std::function<void(cairo_t*)>;

// One drawing operation. `source` sets the source on a cairo_t whose matrix
// is the CTM; `shape` adds the shape and fills or strokes it with whatever
// source is set.
void draw(CGContextBacking* b, const Step& source, const Step& shape) {
  readIn(b);
  const GState& s = b->state;
  if (!s.clip && !unbounded(s.op)) {
    cairo_save(b->cr);
    cairo_set_operator(b->cr, s.op);
    source(b->cr);
    shape(b->cr);
    cairo_restore(b->cr);
  } else {
    int w = static_cast<int>(b->width), h = static_cast<int>(b->height);
    // The operator's result everywhere...
    SurfaceRef result = makeSurface(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* rc = cairo_create(result.get());
    cairo_set_source_surface(rc, b->surface, 0, 0);
    cairo_set_operator(rc, CAIRO_OPERATOR_SOURCE);
    cairo_paint(rc);
    cairo_set_matrix(rc, &s.ctm);
    cairo_set_operator(rc, s.op);
    source(rc);
    cairo_paint(rc);
    cairo_destroy(rc);
    // ...kept where the shape and the clip cover the pixel.
    SurfaceRef coverage = makeSurface(CAIRO_FORMAT_A8, w, h);
    cairo_t* cc = cairo_create(coverage.get());
    cairo_set_matrix(cc, &s.ctm);
    cairo_set_source_rgba(cc, 0, 0, 0, 1);
    shape(cc);
    if (s.clip) {
      cairo_identity_matrix(cc);
      cairo_set_operator(cc, CAIRO_OPERATOR_DEST_IN);
      cairo_set_source_surface(cc, s.clip.get(), 0, 0);
      cairo_paint(cc);
    }
    cairo_destroy(cc);
    cairo_save(b->cr);
    cairo_identity_matrix(b->cr);
    cairo_set_operator(b->cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(b->cr, result.get(), 0, 0);
    cairo_mask_surface(b->cr, coverage.get(), 0, 0);
    cairo_restore(b->cr);
  }
  writeOut(b);
}

// Intersects the clip with the coverage of `shape` drawn under the CTM.
void clipTo(CGContextBacking* b, const Step& shape) {
  SurfaceRef coverage = makeSurface(CAIRO_FORMAT_A8, static_cast<int>(b->width), static_cast<int>(b->height));
  cairo_t* cc = cairo_create(coverage.get());
  cairo_set_matrix(cc, &b->state.ctm);
  cairo_set_source_rgba(cc, 0, 0, 0, 1);
  shape(cc);
  if (b->state.clip) {
    cairo_identity_matrix(cc);
    cairo_set_operator(cc, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_surface(cc, b->state.clip.get(), 0, 0);
    cairo_paint(cc);
  }
  cairo_destroy(cc);
  b->state.clip = coverage;
}

void setColour(cairo_t* c, const Colour& colour) { cairo_set_source_rgba(c, colour.r, colour.g, colour.b, colour.a); }

Colour colourOf(CGColorRef color) {
  if (!color) return {0, 0, 0, 0};
  const std::vector<CGFloat>& v = color->_components;
  if (v.size() == 2) return {v[0], v[0], v[0], v[1]};
  if (v.size() == 4) return {v[0], v[1], v[2], v[3]};
  return {0, 0, 0, 0};
}

// Hands the current path over to a step and clears it, as filling does.
std::shared_ptr<cairo_path_t> takePath(CGContextBacking* b) {
  std::shared_ptr<cairo_path_t> path(cairo_copy_path(b->cr), &cairo_path_destroy);
  cairo_new_path(b->cr);
  return path;
}

void setImageSource(cairo_t* c, CGRect rect, CGImageRef image) {
  cg::setImagePattern(c, rect, CGImageCairoSurface(image), image->_width, image->_height, image->_shouldInterpolate);
}

void fillRect(cairo_t* c, CGRect r) {
  cairo_rectangle(c, r.origin.x, r.origin.y, r.size.width, r.size.height);
  cairo_fill(c);
}

bool usableRect(CGRect r) { return std::isfinite(r.origin.x + r.origin.y + r.size.width + r.size.height); }

cairo_operator_t operatorFor(CGBlendMode mode, bool* known) {
  *known = true;
  switch (mode) {
    case kCGBlendModeNormal: return CAIRO_OPERATOR_OVER;
    case kCGBlendModeMultiply: return CAIRO_OPERATOR_MULTIPLY;
    case kCGBlendModeScreen: return CAIRO_OPERATOR_SCREEN;
    case kCGBlendModeOverlay: return CAIRO_OPERATOR_OVERLAY;
    case kCGBlendModeDarken: return CAIRO_OPERATOR_DARKEN;
    case kCGBlendModeLighten: return CAIRO_OPERATOR_LIGHTEN;
    case kCGBlendModeColorDodge: return CAIRO_OPERATOR_COLOR_DODGE;
    case kCGBlendModeColorBurn: return CAIRO_OPERATOR_COLOR_BURN;
    case kCGBlendModeSoftLight: return CAIRO_OPERATOR_SOFT_LIGHT;
    case kCGBlendModeHardLight: return CAIRO_OPERATOR_HARD_LIGHT;
    case kCGBlendModeDifference: return CAIRO_OPERATOR_DIFFERENCE;
    case kCGBlendModeExclusion: return CAIRO_OPERATOR_EXCLUSION;
    case kCGBlendModeHue: return CAIRO_OPERATOR_HSL_HUE;
    case kCGBlendModeSaturation: return CAIRO_OPERATOR_HSL_SATURATION;
    case kCGBlendModeColor: return CAIRO_OPERATOR_HSL_COLOR;
    case kCGBlendModeLuminosity: return CAIRO_OPERATOR_HSL_LUMINOSITY;
    case kCGBlendModeClear: return CAIRO_OPERATOR_CLEAR;
    case kCGBlendModeCopy: return CAIRO_OPERATOR_SOURCE;
    case kCGBlendModeSourceIn: return CAIRO_OPERATOR_IN;
    case kCGBlendModeSourceOut: return CAIRO_OPERATOR_OUT;
    case kCGBlendModeSourceAtop: return CAIRO_OPERATOR_ATOP;
    case kCGBlendModeDestinationOver: return CAIRO_OPERATOR_DEST_OVER;
    case kCGBlendModeDestinationIn: return CAIRO_OPERATOR_DEST_IN;
    case kCGBlendModeDestinationOut: return CAIRO_OPERATOR_DEST_OUT;
    case kCGBlendModeDestinationAtop: return CAIRO_OPERATOR_DEST_ATOP;
    case kCGBlendModeXOR: return CAIRO_OPERATOR_XOR;
    case kCGBlendModePlusLighter: return CAIRO_OPERATOR_ADD;
    default: *known = false; return CAIRO_OPERATOR_OVER;
  }
}

}  // namespace

// --- Bitmap contexts -----------------------------------------------------------

CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height, size_t bitsPerComponent,
                                   size_t bytesPerRow, CGColorSpaceRef space, uint32_t bitmapInfo) {
  uint32_t alpha = bitmapInfo & kCGBitmapAlphaInfoMask, order = bitmapInfo & kCGBitmapByteOrderMask;
  if (width == 0 || height == 0 || width > cg::kMaxSide || height > cg::kMaxSide) return nullptr;
  if (bitsPerComponent != 8 || !space || space->_components != 3 || alpha != kCGImageAlphaPremultipliedLast) return nullptr;
  if (order != kCGBitmapByteOrderDefault && order != kCGBitmapByteOrder32Big) return nullptr;
  if (bytesPerRow == 0) bytesPerRow = width * 4;
  if (bytesPerRow < width * 4) return nullptr;

  auto backing = std::make_unique<CGContextBacking>();
  backing->width = width;
  backing->height = height;
  backing->bytesPerRow = bytesPerRow;
  backing->bitmapInfo = bitmapInfo;
  backing->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
  if (cairo_surface_status(backing->surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  backing->cr = cairo_create(backing->surface);
  // Core Graphics' user space has y up; Cairo's device space has row 0 at the top.
  cairo_matrix_init(&backing->state.ctm, 1, 0, 0, -1, 0, static_cast<double>(height));
  cairo_set_matrix(backing->cr, &backing->state.ctm);
  if (data) {
    backing->data = static_cast<uint8_t*>(data);
    readIn(backing.get());
  }
  auto* context = static_cast<CGContextObj*>(class_createInstance(objc::classOf<CGContextObj>(), 0));
  context->_backing = backing.release();
  return context;
}

void* CGBitmapContextGetData(CGContextRef c) {
  if (!c) return nullptr;
  CGContextBacking* b = c->_backing;
  if (!b->data) {
    b->data = static_cast<uint8_t*>(std::calloc(b->height, b->bytesPerRow));
    if (!b->data) return nullptr;
    b->ownsData = true;
    writeOut(b);
  }
  return b->data;
}

size_t CGBitmapContextGetWidth(CGContextRef c) { return c ? c->_backing->width : 0; }
size_t CGBitmapContextGetHeight(CGContextRef c) { return c ? c->_backing->height : 0; }
size_t CGBitmapContextGetBytesPerRow(CGContextRef c) { return c ? c->_backing->bytesPerRow : 0; }
size_t CGBitmapContextGetBitsPerComponent(CGContextRef c) { return c ? 8 : 0; }
size_t CGBitmapContextGetBitsPerPixel(CGContextRef c) { return c ? 32 : 0; }
CGBitmapInfo CGBitmapContextGetBitmapInfo(CGContextRef c) { return c ? c->_backing->bitmapInfo : 0; }
CGColorSpaceRef CGBitmapContextGetColorSpace(CGContextRef c) { return c ? CGColorSpaceCreateDeviceRGB() : nullptr; }

CGImageRef CGBitmapContextCreateImage(CGContextRef c) {
  if (!c) return nullptr;
  CGContextBacking* b = c->_backing;
  readIn(b);  // the caller may have written into the bytes since the last operation
  size_t rowBytes = b->width * 4;
  auto* pixels = static_cast<uint8_t*>(std::malloc(rowBytes * b->height));
  if (!pixels) return nullptr;
  cg::cairoToRGBA(b->surface, pixels, rowBytes);
  CGDataProviderRef provider = CGDataProviderCreateWithData(
      nullptr, pixels, rowBytes * b->height, [](void*, const void* data, size_t) { std::free(const_cast<void*>(data)); });
  CGImageRef image = CGImageCreate(b->width, b->height, 8, 32, rowBytes, CGColorSpaceCreateDeviceRGB(),
                                   kCGImageAlphaPremultipliedLast, provider, nullptr, true, kCGRenderingIntentDefault);
  CGDataProviderRelease(provider);
  if (image) image->_drawnTexts = b->drawnTexts;
  return image;
}

CGContextRef CGContextRetain(CGContextRef c) {
  objc_retain(c);
  return c;
}

void CGContextRelease(CGContextRef c) { objc_release(c); }

// --- Graphics state ------------------------------------------------------------

void CGContextSaveGState(CGContextRef c) {
  if (c) c->_backing->saved.push_back(c->_backing->state);
}

void CGContextRestoreGState(CGContextRef c) {
  if (!c || c->_backing->saved.empty()) return;
  CGContextBacking* b = c->_backing;
  b->state = b->saved.back();
  b->saved.pop_back();
  cairo_set_matrix(b->cr, &b->state.ctm);
}

namespace {
void updateCTM(CGContextBacking* b, const std::function<void(cairo_matrix_t*)>& change) {
  change(&b->state.ctm);
  cairo_set_matrix(b->cr, &b->state.ctm);
}
}  // namespace

void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty) {
  if (c) updateCTM(c->_backing, [&](cairo_matrix_t* m) { cairo_matrix_translate(m, tx, ty); });
}

void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy) {
  // A zero scale would make the CTM singular, which Cairo cannot invert.
  if (c && sx != 0 && sy != 0 && std::isfinite(sx) && std::isfinite(sy))
    updateCTM(c->_backing, [&](cairo_matrix_t* m) { cairo_matrix_scale(m, sx, sy); });
}

void CGContextRotateCTM(CGContextRef c, CGFloat radians) {
  if (c && std::isfinite(radians)) updateCTM(c->_backing, [&](cairo_matrix_t* m) { cairo_matrix_rotate(m, radians); });
}

void CGContextSetFillColorWithColor(CGContextRef c, CGColorRef color) {
  if (c) c->_backing->state.fill = colourOf(color);
}

void CGContextSetStrokeColorWithColor(CGContextRef c, CGColorRef color) {
  if (c) c->_backing->state.stroke = colourOf(color);
}

void CGContextSetRGBFillColor(CGContextRef c, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
  if (c) c->_backing->state.fill = {red, green, blue, alpha};
}

void CGContextSetLineWidth(CGContextRef c, CGFloat width) {
  if (c && width >= 0) c->_backing->state.lineWidth = width;
}

void CGContextSetBlendMode(CGContextRef c, CGBlendMode mode) {
  bool known;
  cairo_operator_t op = operatorFor(mode, &known);
  if (c && known) c->_backing->state.op = op;
}

// --- Paths ---------------------------------------------------------------------

void CGContextBeginPath(CGContextRef c) {
  if (c) cairo_new_path(c->_backing->cr);
}

void CGContextMoveToPoint(CGContextRef c, CGFloat x, CGFloat y) {
  if (c) cairo_move_to(c->_backing->cr, x, y);
}

void CGContextAddLineToPoint(CGContextRef c, CGFloat x, CGFloat y) {
  if (c) cairo_line_to(c->_backing->cr, x, y);
}

void CGContextAddArcToPoint(CGContextRef c, CGFloat x1, CGFloat y1, CGFloat x2, CGFloat y2, CGFloat radius) {
  if (!c) return;
  cairo_t* cr = c->_backing->cr;
  if (!cairo_has_current_point(cr)) cairo_move_to(cr, x1, y1);
  double x0, y0;
  cairo_get_current_point(cr, &x0, &y0);
  // Unit vectors from the corner back towards the current point and on
  // towards (x2, y2).
  double ax = x0 - x1, ay = y0 - y1, bx = x2 - x1, by = y2 - y1;
  double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
  double cross = ax * by - ay * bx;
  if (!(radius > 0) || la == 0 || lb == 0 || std::fabs(cross) <= 1e-12 * la * lb) {
    cairo_line_to(cr, x1, y1);
    return;
  }
  ax /= la, ay /= la, bx /= lb, by /= lb;
  double cosTheta = std::fmax(-1.0, std::fmin(1.0, ax * bx + ay * by));
  double half = std::acos(cosTheta) / 2;  // half the angle at the corner
  double tangent = radius / std::tan(half);
  double toCentre = radius / std::sin(half);
  double mx = ax + bx, my = ay + by, lm = std::hypot(mx, my);
  double cx = x1 + mx / lm * toCentre, cy = y1 + my / lm * toCentre;
  double t1x = x1 + ax * tangent, t1y = y1 + ay * tangent;
  double t2x = x1 + bx * tangent, t2y = y1 + by * tangent;
  double start = std::atan2(t1y - cy, t1x - cx), end = std::atan2(t2y - cy, t2x - cx);
  cairo_line_to(cr, t1x, t1y);
  // The path turns left (increasing angle) when the incoming direction
  // (-a) crossed with the outgoing one (b) is positive.
  if (-(ax * by - ay * bx) > 0)
    cairo_arc(cr, cx, cy, radius, start, end);
  else
    cairo_arc_negative(cr, cx, cy, radius, start, end);
}

void CGContextAddRect(CGContextRef c, CGRect r) {
  if (c) cairo_rectangle(c->_backing->cr, r.origin.x, r.origin.y, r.size.width, r.size.height);
}

void CGContextClosePath(CGContextRef c) {
  if (c) cairo_close_path(c->_backing->cr);
}

// --- Drawing and clipping --------------------------------------------------------

void CGContextFillPath(CGContextRef c) {
  if (!c) return;
  CGContextBacking* b = c->_backing;
  auto path = takePath(b);
  Colour fill = b->state.fill;
  draw(b, [&](cairo_t* cr) { setColour(cr, fill); },
       [&](cairo_t* cr) {
         cairo_append_path(cr, path.get());
         cairo_fill(cr);
       });
}

void CGContextStrokePath(CGContextRef c) {
  if (!c) return;
  CGContextBacking* b = c->_backing;
  auto path = takePath(b);
  Colour stroke = b->state.stroke;
  double width = b->state.lineWidth;
  draw(b, [&](cairo_t* cr) { setColour(cr, stroke); },
       [&](cairo_t* cr) {
         cairo_append_path(cr, path.get());
         cairo_set_line_width(cr, width);
         cairo_stroke(cr);
       });
}

void CGContextFillRect(CGContextRef c, CGRect rect) {
  if (!c || !usableRect(rect)) return;
  Colour fill = c->_backing->state.fill;
  draw(c->_backing, [&](cairo_t* cr) { setColour(cr, fill); }, [&](cairo_t* cr) { fillRect(cr, rect); });
}

void CGContextStrokeRect(CGContextRef c, CGRect rect) {
  if (!c || !usableRect(rect)) return;
  CGContextBacking* b = c->_backing;
  Colour stroke = b->state.stroke;
  double width = b->state.lineWidth;
  draw(b, [&](cairo_t* cr) { setColour(cr, stroke); },
       [&](cairo_t* cr) {
         cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
         cairo_set_line_width(cr, width);
         cairo_stroke(cr);
       });
}

void CGContextClearRect(CGContextRef c, CGRect rect) {
  if (!c || !usableRect(rect)) return;
  CGContextBacking* b = c->_backing;
  cairo_operator_t op = b->state.op;
  b->state.op = CAIRO_OPERATOR_CLEAR;
  draw(b, [](cairo_t*) {}, [&](cairo_t* cr) { fillRect(cr, rect); });
  b->state.op = op;
}

void CGContextClip(CGContextRef c) {
  if (!c) return;
  CGContextBacking* b = c->_backing;
  auto path = takePath(b);
  clipTo(b, [&](cairo_t* cr) {
    cairo_append_path(cr, path.get());
    cairo_fill(cr);
  });
}

void CGContextClipToRect(CGContextRef c, CGRect rect) {
  if (c && usableRect(rect)) clipTo(c->_backing, [&](cairo_t* cr) { fillRect(cr, rect); });
}

void CGContextClipToMask(CGContextRef c, CGRect rect, CGImageRef mask) {
  if (!c || !mask || !usableRect(rect) || rect.size.width == 0 || rect.size.height == 0) return;
  clipTo(c->_backing, [&](cairo_t* cr) {
    setImageSource(cr, rect, mask);
    fillRect(cr, rect);
  });
}

namespace {

// The device-space bounds of a rectangle of user space under `m`, within the
// bitmap; an empty box when nothing of it is inside (the text is still
// said to be in the picture, as it was drawn there).
void placeDrawnText(const cairo_matrix_t& m, double x, double y, double w, double h, const CGContextBacking* b,
                    CGDrawnText& text) {
  double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
  for (auto [cx, cy] : {std::pair{x, y}, std::pair{x + w, y}, std::pair{x, y + h}, std::pair{x + w, y + h}}) {
    cairo_matrix_transform_point(&m, &cx, &cy);
    left = std::fmin(left, cx), right = std::fmax(right, cx);
    top = std::fmin(top, cy), bottom = std::fmax(bottom, cy);
  }
  left = std::fmax(left, 0), top = std::fmax(top, 0);
  right = std::fmin(right, static_cast<double>(b->width)), bottom = std::fmin(bottom, static_cast<double>(b->height));
  if (!(right > left && bottom > top)) right = left, bottom = top;
  text.x = left, text.y = top, text.width = right - left, text.height = bottom - top;
}

double linearScale(const cairo_matrix_t& m) { return std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx)); }

}  // namespace

void CGContextDrawImage(CGContextRef c, CGRect rect, CGImageRef image) {
  if (!c || !image || !usableRect(rect) || rect.size.width == 0 || rect.size.height == 0) return;
  CGContextBacking* b = c->_backing;
  draw(b, [&](cairo_t* cr) { setImageSource(cr, rect, image); }, [&](cairo_t* cr) { fillRect(cr, rect); });
  // The image's pixel (px, py) lies at user (x + px / sx, maxY - py / sy):
  // its texts follow it into this bitmap's pixels.
  double sx = double(image->_width) / rect.size.width, sy = double(image->_height) / rect.size.height;
  cairo_matrix_t toUser, toDevice;
  cairo_matrix_init(&toUser, 1 / sx, 0, 0, -1 / sy, rect.origin.x, rect.origin.y + rect.size.height);
  cairo_matrix_multiply(&toDevice, &toUser, &b->state.ctm);
  for (CGDrawnText text : image->_drawnTexts) {
    text.pixelSize *= linearScale(toDevice);
    placeDrawnText(toDevice, text.x, text.y, text.width, text.height, b, text);
    b->drawnTexts.push_back(text);
  }
}

namespace {

// One line of text in the compositor's face, laid out for `cr`.
PangoLayout* textLayout(cairo_t* cr, const char* utf8, CGFloat width, CGFloat pointSize, bool bold,
                        NSInteger alignment) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("Inter");
  pango_font_description_set_absolute_size(font, pointSize * PANGO_SCALE);
  pango_font_description_set_weight(font, bold ? PANGO_WEIGHT_SEMIBOLD : PANGO_WEIGHT_NORMAL);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, utf8, -1);
  pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  if (width > 0 && width < 100000) pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
  pango_layout_set_alignment(layout, alignment == 1   ? PANGO_ALIGN_CENTER
                                     : alignment == 2 ? PANGO_ALIGN_RIGHT
                                                      : PANGO_ALIGN_LEFT);
  return layout;
}

}  // namespace

void CGContextDrawTextInRect(CGContextRef c, const char* utf8, CGRect rect, CGFloat pointSize, bool bold,
                             NSInteger alignment) {
  if (!c || !utf8 || !usableRect(rect)) return;
  CGContextBacking* b = c->_backing;
  Colour fill = b->state.fill;
  CGDrawnText drawn{utf8, fill.r, fill.g, fill.b, fill.a};
  drawn.pixelSize = pointSize * linearScale(b->state.ctm);
  drawn.bold = bold;
  auto glyphs = [&](cairo_t* cr) {
    PangoLayout* layout = textLayout(cr, utf8, rect.size.width, pointSize, bold, alignment);
    PangoRectangle line;
    pango_layout_get_extents(layout, nullptr, &line);
    int width = 0, height = 0;
    pango_layout_get_size(layout, &width, &height);
    double top = rect.origin.y;
    if (rect.size.height > 0) top += (rect.size.height - static_cast<double>(height) / PANGO_SCALE) / 2;
    placeDrawnText(b->state.ctm, rect.origin.x + double(line.x) / PANGO_SCALE, top + double(line.y) / PANGO_SCALE,
                   double(line.width) / PANGO_SCALE, double(line.height) / PANGO_SCALE, b, drawn);
    cairo_move_to(cr, rect.origin.x, top);
    pango_cairo_layout_path(cr, layout);
    cairo_fill(cr);
    g_object_unref(layout);
  };
  draw(b, [&](cairo_t* cr) { setColour(cr, fill); }, glyphs);
  b->drawnTexts.push_back(drawn);
}

CGSize CGTextMeasure(const char* utf8, CGFloat pointSize, bool bold) {
  if (!utf8) return CGSizeMake(0, 0);
  SurfaceRef scratch = makeSurface(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(scratch.get());
  PangoLayout* layout = textLayout(cr, utf8, 0, pointSize, bold, 0);
  int width = 0, height = 0;
  pango_layout_get_size(layout, &width, &height);
  g_object_unref(layout);
  cairo_destroy(cr);
  return CGSizeMake(static_cast<CGFloat>(width) / PANGO_SCALE, static_cast<CGFloat>(height) / PANGO_SCALE);
}

const std::vector<CGDrawnText>& CGContextGetDrawnTexts(CGContextRef c) {
  static const std::vector<CGDrawnText> none;
  return c ? c->_backing->drawnTexts : none;
}

void CGContextDrawLinearGradient(CGContextRef c, CGGradientRef gradient, CGPoint start, CGPoint end,
                                 CGGradientDrawingOptions options) {
  if (!c || !gradient || gradient->_stops.empty()) return;
  double dx = end.x - start.x, dy = end.y - start.y, length = std::hypot(dx, dy);
  if (!(length > 0) || !std::isfinite(length)) return;  // no direction: nothing to draw
  CGContextBacking* b = c->_backing;
  const cairo_matrix_t& ctm = b->state.ctm;

  // The band between the two perpendicular lines, widened to the whole
  // surface on the sides the options extend, as four corners in device space.
  double reach = 4.0 * double(b->width + b->height) + 16;
  auto deviceLength = [&](double ux, double uy) {
    cairo_matrix_transform_distance(&ctm, &ux, &uy);
    return std::hypot(ux, uy);
  };
  double ux = dx / length, uy = dy / length, nx = -uy, ny = ux;
  double across = reach / deviceLength(nx, ny), along = reach / deviceLength(ux, uy);
  double before = options & kCGGradientDrawsBeforeStartLocation ? along : 0;
  double after = options & kCGGradientDrawsAfterEndLocation ? along : 0;
  double sx = start.x - ux * before, sy = start.y - uy * before, ex = end.x + ux * after, ey = end.y + uy * after;
  double corners[4][2] = {{sx + nx * across, sy + ny * across},
                          {ex + nx * across, ey + ny * across},
                          {ex - nx * across, ey - ny * across},
                          {sx - nx * across, sy - ny * across}};
  for (auto& p : corners) cairo_matrix_transform_point(&ctm, &p[0], &p[1]);

  cairo_pattern_t* pattern = cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
  for (const CGGradientObj::Stop& stop : gradient->_stops)
    cairo_pattern_add_color_stop_rgba(pattern, stop.location, stop.red, stop.green, stop.blue, stop.alpha);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  draw(b, [&](cairo_t* cr) { cairo_set_source(cr, pattern); },
       [&](cairo_t* cr) {
         cairo_identity_matrix(cr);
         cairo_move_to(cr, corners[0][0], corners[0][1]);
         for (int i = 1; i < 4; ++i) cairo_line_to(cr, corners[i][0], corners[i][1]);
         cairo_close_path(cr);
         cairo_fill(cr);
       });
  cairo_pattern_destroy(pattern);
}

void registerCGContext() { objc::ClassBuilder<CGContextObj>("__CGContext", objc::classOf<NSObject>()); }
