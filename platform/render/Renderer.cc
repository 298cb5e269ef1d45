// Compositing a view tree with Cairo and Pango.
//
// Each view draws, in order: its blur (a _UIBackdropView blurs what lies
// behind it), its background colour, whatever it draws itself in drawRect:
// (text through the string-drawing sink, images), then its subviews. Alpha
// multiplies down the tree; hidden views and their subviews are skipped.
#include "platform/render/Renderer.h"

#include <pango/pangocairo.h>

#include <cmath>

#include "platform/objc/class.h"
#include "platform/render/Blur.h"
#include "platform/uikit/uikit.h"

namespace {

void setSource(cairo_t* cr, UIColor* color, double alpha) {
  CGFloat r = 0, g = 0, b = 0, a = 1;
  if (color) color->getRGBA(&r, &g, &b, &a);
  cairo_set_source_rgba(cr, r, g, b, a * alpha);
}

// Text runs arrive in the drawing view's coordinates.
class PangoSink : public TextSink {
 public:
  PangoSink(cairo_t* cr, double originX, double originY, double alpha)
      : cr_(cr), x_(originX), y_(originY), alpha_(alpha) {}

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
    setSource(cr_, run.color ? run.color.get() : UIColor::blackColor(), alpha_);
    cairo_move_to(cr_, x_ + run.rect.origin.x, y_ + top);
    pango_cairo_show_layout(cr_, layout);
    pango_font_description_free(font);
    g_object_unref(layout);
  }

 private:
  cairo_t* cr_;
  double x_, y_, alpha_;
};

class Compositor {
 public:
  Compositor(Bitmap& canvas, double scale) : canvas_(canvas), scale_(scale) {
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

    if (view->isKindOfClass(objc::classOf<UIBackdropView>())) drawBlur(objc::as<UIBackdropView>(view), x, y, w, h, alpha);
    if (UIColor* background = view->backgroundColor()) {
      setSource(cr_, background, alpha);
      cairo_rectangle(cr_, x, y, w, h);
      cairo_fill(cr_);
    }
    if (class_getMethodImplementation(object_getClass(view), "drawRect:"_sel) != drawRectOfUIView_) {
      PangoSink sink(cr_, x, y, alpha);
      TextSinkScope scope(&sink);
      cairo_save(cr_);
      view->drawRect(view->bounds());
      cairo_restore(cr_);
    }
    for (UIView* sub : view->subviewList()) draw(sub, x, y, alpha);
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

  Bitmap& canvas_;
  double scale_;
  cairo_t* cr_;
  IMP drawRectOfUIView_;
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
  Compositor compositor(canvas, options.scale);
  compositor.draw(root, -frame.origin.x, -frame.origin.y, 1.0);
  cairo_surface_flush(canvas.surface());
  return canvas;
}
