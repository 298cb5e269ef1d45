// Compositing a view tree with Cairo and Pango.
//
// Each view draws, in order: its blur (a _UIBackdropView blurs what lies
// behind it), its background colour, whatever it draws itself in drawRect:
// (text through the string-drawing sink, images), then its subviews. Alpha
// multiplies down the tree; hidden views and their subviews are skipped.
// Asked to, it measures each text just before drawing it, and tells the
// meter of every opaque paint that may hide texts drawn before.
#include "platform/render/Renderer.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <optional>

#include "platform/objc/class.h"
#include "platform/render/Blur.h"
#include "platform/render/ReadabilityMeter.h"
#include "platform/uikit/UIImageOrientation.h"
#include "platform/uikit/uikit.h"

namespace {

StraightRGBA rgbaOf(UIColor* color, double alpha) {
  CGFloat r = 0, g = 0, b = 0, a = 1;
  if (color) color->getRGBA(&r, &g, &b, &a);
  return {r, g, b, a * alpha};
}

void setSource(cairo_t* cr, UIColor* color, double alpha) {
  StraightRGBA c = rgbaOf(color, alpha);
  cairo_set_source_rgba(cr, c[0], c[1], c[2], c[3]);
}

// The view a text belongs to, as a record names it.
struct DrawingView {
  UIView* view;
  const std::vector<int>* path;  // subview indices from the root
  std::string pathText() const {
    std::string text;
    for (int i : *path) text += "/subviews/" + std::to_string(i);
    return text;
  }
};

// Text runs arrive in the drawing view's coordinates.
class PangoSink : public TextSink {
 public:
  PangoSink(cairo_t* cr, double originX, double originY, double alpha, ReadabilityMeter* meter, DrawingView drawing)
      : cr_(cr), x_(originX), y_(originY), alpha_(alpha), meter_(meter), drawing_(drawing) {}

  void drawText(const TextRun& run) override {
    PangoLayout* layout = pango_cairo_create_layout(cr_);
    PangoFontDescription* font = pango_font_description_from_string("Inter");
    pango_font_description_set_absolute_size(font, run.pointSize * PANGO_SCALE);
    pango_font_description_set_weight(font, run.bold ? PANGO_WEIGHT_SEMIBOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, run.text.c_str(), -1);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    if (run.rect.size.width > 0 && run.rect.size.width < 10000)
      pango_layout_set_width(layout, static_cast<int>(run.rect.size.width * PANGO_SCALE));
    pango_layout_set_alignment(layout, run.alignment == 1   ? PANGO_ALIGN_CENTER
                                       : run.alignment == 2 ? PANGO_ALIGN_RIGHT
                                                            : PANGO_ALIGN_LEFT);
    int width = 0, height = 0;
    pango_layout_get_size(layout, &width, &height);
    double textHeight = static_cast<double>(height) / PANGO_SCALE;
    double top = run.rect.origin.y;
    if (run.rect.size.height > 0) top += (run.rect.size.height - textHeight) / 2;
    UIColor* ink = run.color ? run.color.get() : UIColor::blackColor();
    if (meter_) measure(run, layout, top, ink);
    setSource(cr_, ink, alpha_);
    cairo_move_to(cr_, x_ + run.rect.origin.x, y_ + top);
    pango_cairo_show_layout(cr_, layout);
    pango_font_description_free(font);
    g_object_unref(layout);
  }

 private:
  // The line's logical box (as tall as the font's line, as wide as what is
  // laid out of the text), before the glyphs cover what is behind it.
  void measure(const TextRun& run, PangoLayout* layout, double top, UIColor* ink) {
    PangoRectangle line;
    pango_layout_get_extents(layout, nullptr, &line);
    TextReading reading;
    reading.text = run.text;
    reading.x = x_ + run.rect.origin.x + static_cast<double>(line.x) / PANGO_SCALE;
    reading.y = y_ + top + static_cast<double>(line.y) / PANGO_SCALE;
    reading.width = static_cast<double>(line.width) / PANGO_SCALE;
    reading.height = static_cast<double>(line.height) / PANGO_SCALE;
    reading.viewClass = object_getClassName(drawing_.view);
    reading.viewPath = drawing_.pathText();
    reading.pointSize = run.pointSize;
    reading.bold = run.bold;
    reading.ink = rgbaOf(ink, alpha_);
    meter_->text(std::move(reading));
  }

  cairo_t* cr_;
  double x_, y_, alpha_;
  ReadabilityMeter* meter_;
  DrawingView drawing_;
};

// A Cairo surface of an image's pixels (premultiplied RGBA to native ARGB).
struct ImageSurface {
  cairo_surface_t* surface = nullptr;
  ~ImageSurface() {
    if (surface) cairo_surface_destroy(surface);
  }
};

// The picture upright, as the image's orientation says it is seen.
void makeSurface(UIImage* image, ImageSurface& out) {
  Ref<CGImageObj> upright = image ? UIImageUprightCGImage(image->CGImage(), image->imageOrientation()) : Ref<CGImageObj>();
  CGImageRef cg = upright.get();
  const uint8_t* rgba = CGImageGetPremultipliedRGBA(cg);
  if (!rgba) return;
  int w = static_cast<int>(CGImageGetWidth(cg)), h = static_cast<int>(CGImageGetHeight(cg));
  out.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(out.surface) != CAIRO_STATUS_SUCCESS) return;
  auto* dst = cairo_image_surface_get_data(out.surface);
  int stride = cairo_image_surface_get_stride(out.surface);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = rgba + (static_cast<size_t>(y) * w + x) * 4;
      reinterpret_cast<uint32_t*>(dst + y * stride)[x] =
          (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  cairo_surface_mark_dirty(out.surface);
}

// Where an image lands: its pixel (px, py) at (x + px * sx, y + py * sy),
// shown inside the view's rectangle.
struct Placement {
  double x, y, sx, sy;
  double clipX, clipY, clipWidth, clipHeight;
};

// Whether every pixel of the picture is opaque.
bool opaque(CGImageRef image) {
  const uint8_t* rgba = CGImageGetPremultipliedRGBA(image);
  if (!rgba) return false;
  size_t count = CGImageGetWidth(image) * CGImageGetHeight(image);
  for (size_t i = 0; i < count; ++i)
    if (rgba[i * 4 + 3] != 255) return false;
  return true;
}

// The premultiplied RGBA of the most opaque pixel in a drawn text's box.
const uint8_t* mostOpaquePixel(const uint8_t* rgba, size_t width, size_t height, const CGDrawnText& drawn) {
  const uint8_t* ink = nullptr;
  const size_t right = std::min(width, static_cast<size_t>(std::ceil(drawn.x + drawn.width)));
  const size_t bottom = std::min(height, static_cast<size_t>(std::ceil(drawn.y + drawn.height)));
  for (size_t y = static_cast<size_t>(drawn.y); y < bottom; ++y)
    for (size_t x = static_cast<size_t>(drawn.x); x < right; ++x) {
      const uint8_t* p = rgba + (y * width + x) * 4;
      if (!ink || p[3] > ink[3]) ink = p;
    }
  return ink;
}

class Compositor {
 public:
  Compositor(Bitmap& canvas, double scale, ReadabilityMeter* meter) : canvas_(canvas), scale_(scale), meter_(meter) {
    cr_ = cairo_create(canvas.surface());
    cairo_scale(cr_, scale, scale);
    drawRectOfUIView_ = class_getMethodImplementation(objc::classOf<UIView>(), "drawRect:"_sel);
  }
  ~Compositor() { cairo_destroy(cr_); }

  void draw(UIView* view, double originX, double originY, double parentAlpha) {
    if (view->isHidden()) return;
    double alpha = parentAlpha * view->alpha();
    if (alpha <= 0) return;
    CGRect frame = view->frame();
    double x = originX + frame.origin.x, y = originY + frame.origin.y;
    double w = frame.size.width, h = frame.size.height;

    view_ = view;
    // A blur at full strength leaves nothing sharp of what was under it.
    if (view->isKindOfClass(objc::classOf<UIBackdropView>())) {
      drawBlur(objc::as<UIBackdropView>(view), x, y, w, h, alpha);
      if (meter_ && alpha >= 1) meter_->cover(x, y, w, h);
    }
    if (UIColor* background = view->backgroundColor()) {
      setSource(cr_, background, alpha);
      cairo_rectangle(cr_, x, y, w, h);
      cairo_fill(cr_);
      if (meter_ && rgbaOf(background, alpha)[3] >= 1) meter_->cover(x, y, w, h);
    }
    if (class_getMethodImplementation(object_getClass(view), "drawRect:"_sel) != drawRectOfUIView_) {
      PangoSink sink(cr_, x, y, alpha, meter_, {view, &path_});
      TextSinkScope scope(&sink);
      cairo_save(cr_);
      view->drawRect(view->bounds());
      cairo_restore(cr_);
    }
    if (view->isKindOfClass(objc::classOf<UIImageView>())) {
      UIImage* image = objc::as<UIImageView>(view)->image();
      drawImage(image, x, y, w, h, view->contentMode(), view->tintColor(), alpha);
    }
    if (view->isKindOfClass(objc::classOf<UITableViewHeaderFooterViewBackground>())) {
      id image = objc::as<UITableViewHeaderFooterViewBackground>(view)->_backgroundImage.get();
      if (objc::isKind<UIImage>(image)) drawImage(objc::as<UIImage>(image), x, y, w, h, UIViewContentModeScaleToFill, nullptr, alpha);
    }
    int index = 0;
    for (UIView* sub : view->subviewList()) {
      path_.push_back(index++);
      draw(sub, x, y, alpha);
      path_.pop_back();
    }
  }

 private:
  void drawBlur(UIBackdropView* view, double x, double y, double w, double h, double alpha) {
    UIBackdropViewSettings* settings = view->settings();
    BlurRecipe recipe;
    if (settings) {
      recipe.radiusPixels = settings->blurRadius() * scale_;
      recipe.saturation = settings->saturationDeltaFactor();
      if (settings->usesColorTintView() && settings->colorTint()) {
        CGFloat r = 0, g = 0, b = 0, a = 1;
        settings->colorTint()->getRGBA(&r, &g, &b, &a);
        recipe.tint = std::array<double, 4>{r, g, b, a * settings->colorTintAlpha()};
      }
    }
    cairo_surface_flush(canvas_.surface());
    PixelRect rect{static_cast<int>(std::lround(x * scale_)), static_cast<int>(std::lround(y * scale_)),
                   static_cast<int>(std::lround(w * scale_)), static_cast<int>(std::lround(h * scale_))};
    blurRegion(canvas_, rect, recipe, alpha);
  }

  // Places the image by the content mode; a template image is filled with
  // the tint colour through its alpha.
  void drawImage(UIImage* image, double x, double y, double w, double h, NSInteger mode, UIColor* tint, double alpha) {
    ImageSurface pixels;
    makeSurface(image, pixels);
    if (!pixels.surface || w <= 0 || h <= 0) return;
    CGSize size = image->size();
    if (size.width <= 0 || size.height <= 0) return;
    double dw = w, dh = h;
    if (mode == UIViewContentModeScaleAspectFit || mode == UIViewContentModeScaleAspectFill) {
      double sx = w / size.width, sy = h / size.height;
      double s = mode == UIViewContentModeScaleAspectFit ? std::fmin(sx, sy) : std::fmax(sx, sy);
      dw = size.width * s, dh = size.height * s;
    } else if (mode == UIViewContentModeCenter) {
      dw = size.width, dh = size.height;
    }
    Placement at{x + (w - dw) / 2, y + (h - dh) / 2, dw / CGImageGetWidth(image->CGImage()),
                 dh / CGImageGetHeight(image->CGImage()), x, y, w, h};
    bool asTemplate = image->renderingMode() == UIImageRenderingModeAlwaysTemplate;
    if (meter_)
      measureImageTexts(image, at, asTemplate ? std::optional<StraightRGBA>(rgbaOf(tint, alpha)) : std::nullopt, alpha);
    cairo_save(cr_);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_clip(cr_);
    cairo_translate(cr_, at.x, at.y);
    cairo_scale(cr_, at.sx, at.sy);
    if (asTemplate) {
      setSource(cr_, tint, alpha);
      cairo_mask_surface(cr_, pixels.surface, 0, 0);
    } else {
      cairo_set_source_surface(cr_, pixels.surface, 0, 0);
      cairo_paint_with_alpha(cr_, alpha);
    }
    cairo_restore(cr_);
    if (meter_ && !asTemplate && alpha >= 1) coverWithImage(image, at, dw, dh);
  }

  // Texts drawn into the image, where they land: each line's box, its font
  // size as shown, and its ink as the image's pixels show it (the most
  // opaque pixel of the box; a template's ink is the tint through it). The
  // image is taken as glyphs on clear pixels, as text drawings are.
  void measureImageTexts(UIImage* image, const Placement& at, std::optional<StraightRGBA> tint, double alpha) {
    CGImageRef cg = image->CGImage();
    if (cg->_drawnTexts.empty() || image->imageOrientation() != UIImageOrientationUp) return;
    const uint8_t* rgba = CGImageGetPremultipliedRGBA(cg);
    if (!rgba) return;
    for (const CGDrawnText& drawn : cg->_drawnTexts) {
      const uint8_t* ink = mostOpaquePixel(rgba, CGImageGetWidth(cg), CGImageGetHeight(cg), drawn);
      if (!ink || ink[3] == 0) continue;  // nothing of it left to see
      TextReading reading;
      reading.text = drawn.text;
      double left = std::fmax(at.x + drawn.x * at.sx, at.clipX), top = std::fmax(at.y + drawn.y * at.sy, at.clipY);
      double right = std::fmin(at.x + (drawn.x + drawn.width) * at.sx, at.clipX + at.clipWidth);
      double bottom = std::fmin(at.y + (drawn.y + drawn.height) * at.sy, at.clipY + at.clipHeight);
      if (right <= left || bottom <= top) continue;
      reading.x = left, reading.y = top, reading.width = right - left, reading.height = bottom - top;
      reading.viewClass = object_getClassName(view_);
      reading.viewPath = DrawingView{view_, &path_}.pathText();
      reading.pointSize = drawn.pixelSize * std::sqrt(at.sx * at.sy);
      reading.bold = drawn.bold;
      reading.inImage = true;
      double a = ink[3] / 255.0;
      if (tint)
        reading.ink = {(*tint)[0], (*tint)[1], (*tint)[2], (*tint)[3] * a};
      else
        reading.ink = {ink[0] / 255.0 / a, ink[1] / 255.0 / a, ink[2] / 255.0 / a, a * alpha};
      meter_->text(std::move(reading));
    }
  }

  // An opaque picture hides what it lands on, within the view.
  void coverWithImage(UIImage* image, const Placement& at, double dw, double dh) {
    double left = std::fmax(at.x, at.clipX), top = std::fmax(at.y, at.clipY);
    double right = std::fmin(at.x + dw, at.clipX + at.clipWidth);
    double bottom = std::fmin(at.y + dh, at.clipY + at.clipHeight);
    if (right <= left || bottom <= top || !meter_->textUnder(left, top, right - left, bottom - top)) return;
    if (opaque(image->CGImage())) meter_->cover(left, top, right - left, bottom - top);
  }

  Bitmap& canvas_;
  double scale_;
  ReadabilityMeter* meter_;
  cairo_t* cr_;
  IMP drawRectOfUIView_;
  UIView* view_ = nullptr;  // the view being drawn
  std::vector<int> path_;   // its subview indices from the root
};

void paintWallpaper(Bitmap& canvas, const RenderOptions& options) {
  cairo_t* cr = cairo_create(canvas.surface());
  if (options.backgroundStyle != 1 && options.backgroundStyle != 3) {
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return;
  }
  if (options.wallpaper && !options.wallpaper->empty()) {
    // Aspect fill, centred, as the home screen shows it.
    double sx = static_cast<double>(canvas.width()) / options.wallpaper->width();
    double sy = static_cast<double>(canvas.height()) / options.wallpaper->height();
    double s = std::fmax(sx, sy);
    cairo_translate(cr, (canvas.width() - options.wallpaper->width() * s) / 2,
                    (canvas.height() - options.wallpaper->height() * s) / 2);
    cairo_scale(cr, s, s);
    cairo_set_source_surface(cr, options.wallpaper->surface(), 0, 0);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
  if (options.backgroundStyle == 3) {
    BlurRecipe dark;
    dark.radiusPixels = 20 * options.scale;
    dark.saturation = 1.6;
    dark.tint = std::array<double, 4>{0, 0, 0, 0.45};
    blurRegion(canvas, {0, 0, canvas.width(), canvas.height()}, dark, 1.0);
  }
}

}  // namespace

Bitmap renderWindow(UIView* root, const RenderOptions& options) {
  CGRect frame = root->frame();
  Bitmap canvas = Bitmap::create(static_cast<int>(std::lround(frame.size.width * options.scale)),
                                 static_cast<int>(std::lround(frame.size.height * options.scale)));
  if (canvas.empty()) return canvas;
  paintWallpaper(canvas, options);
  AutoreleasePool pool;
  std::optional<ReadabilityMeter> meter;
  if (options.readings) meter.emplace(canvas, options.scale);
  Compositor compositor(canvas, options.scale, meter ? &*meter : nullptr);
  compositor.draw(root, -frame.origin.x, -frame.origin.y, 1.0);
  cairo_surface_flush(canvas.surface());
  if (meter) *options.readings = meter->finish();
  return canvas;
}
