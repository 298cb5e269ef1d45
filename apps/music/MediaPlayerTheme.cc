// MPUTheme's glyphs and MPURatingControl.
#include "apps/music/MediaPlayerTheme.h"

#include <cmath>

#include "apps/common/Glyphs.h"
#include "platform/coregraphics/CGContext.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIGraphics.h"

namespace {

constexpr NSInteger kRatingPoints = 5;
constexpr CGFloat kRatingSpacing = 3;

// The MediaPlayer UI draws its glyphs in a mid grey, an ordinary image.
UIImage* greyGlyph(CGSize size, void (*draw)(CGContextRef, CGSize)) {
  UIGraphicsBeginImageContextWithOptions(size, NO, 0);
  CGContextRef c = UIGraphicsGetCurrentContext();
  CGContextSetRGBFillColor(c, 0.56, 0.56, 0.58, 1);
  draw(c, size);
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

// A rounded badge with an "E" cut out of it.
void drawExplicit(CGContextRef c, CGSize s) {
  fillRoundedRect(c, CGRectMake(0, 0, s.width, s.height), s.width * 0.2);
  CGFloat x = s.width * 0.32, w = s.width * 0.38, bar = s.height * 0.12;
  CGContextClearRect(c, CGRectMake(x, s.height * 0.22, bar, s.height * 0.56));
  CGContextClearRect(c, CGRectMake(x, s.height * 0.22, w, bar));
  CGContextClearRect(c, CGRectMake(x, s.height * 0.44, w * 0.85, bar));
  CGContextClearRect(c, CGRectMake(x, s.height * 0.66, w, bar));
}

void drawCloud(CGContextRef c, CGSize s) {
  CGFloat h = s.height;
  fillRoundedRect(c, CGRectMake(s.width * 0.05, h * 0.45, s.width * 0.9, h * 0.45), h * 0.22);
  fillRoundedRect(c, CGRectMake(s.width * 0.2, h * 0.25, s.width * 0.36, h * 0.5), h * 0.25);
  fillRoundedRect(c, CGRectMake(s.width * 0.42, h * 0.1, s.width * 0.42, h * 0.6), h * 0.3);
}

void drawDot(CGContextRef c, CGSize s) { fillRoundedRect(c, CGRectMake(s.width * 0.35, s.height * 0.35, s.width * 0.3, s.height * 0.3), s.width * 0.15); }

void drawStar(CGContextRef c, CGSize s) {
  // Five points around the centre, alternating outer and inner radius.
  CGFloat cx = s.width / 2, cy = s.height / 2, outer = s.width / 2, inner = s.width * 0.2;
  CGContextBeginPath(c);
  for (int i = 0; i < 10; ++i) {
    CGFloat r = i % 2 ? inner : outer, angle = -M_PI / 2 + i * M_PI / 5;
    CGFloat x = cx + r * std::cos(angle), y = cy + r * std::sin(angle);
    if (i == 0)
      CGContextMoveToPoint(c, x, y);
    else
      CGContextAddLineToPoint(c, x, y);
  }
  CGContextClosePath(c);
  CGContextFillPath(c);
}

// --- MPUTheme ----------------------------------------------------------------------
// The glyphs follow the reader's text size; an unknown category gets the
// medium size.

CGFloat glyphHeight(NSString* category) {
  if (category && category->isEqualToString(NSString::withUTF8(kSizeCategorySmall))) return 9;
  if (category && category->isEqualToString(NSString::withUTF8(kSizeCategoryLarge))) return 13;
  return 11;
}

UIImage* Theme_explicitGlyph(Class, SEL, NSString* category) {
  CGFloat h = glyphHeight(category);
  return greyGlyph(CGSizeMake(h, h), &drawExplicit);
}
UIImage* Theme_cloudGlyph(Class, SEL) { return greyGlyph(CGSizeMake(16, 11), &drawCloud); }

// --- MPURatingControl ----------------------------------------------------------------

UIImage* Rating_dotImage(Class, SEL) { return greyGlyph(CGSizeMake(10, 10), &drawDot); }
UIImage* Rating_starImage(Class, SEL) { return greyGlyph(CGSizeMake(10, 10), &drawStar); }

UIView* Rating_initWithFrame(MPURatingControl* self, SEL, CGRect frame) {
  auto* control = objc::as<MPURatingControl>(
      objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  if (!control) return nullptr;
  Ref<NSMutableArray> views = objc::make<NSMutableArray>();
  for (NSInteger i = 0; i < kRatingPoints; ++i) {
    Ref<UIImageView> point = UIView::make<UIImageView>(CGRectZero);
    point->setContentMode(UIViewContentModeCenter);
    control->addSubview(point);
    views->addObject(point);
  }
  control->_imageViews = views;
  return control;
}

// The images are asked for at every layout pass, as the control follows
// the rating and the text size.
void Rating_layoutSubviews(MPURatingControl* self, SEL) {
  id cls = reinterpret_cast<id>(object_getClass(self));
  CGRect b = self->bounds();
  CGFloat side = (b.size.width - (kRatingPoints - 1) * kRatingSpacing) / kRatingPoints;
  NSInteger i = 0;
  for (id item : self->_imageViews ? self->_imageViews->items() : std::vector<id>{}) {
    auto* point = objc::as<UIImageView>(item);
    point->setFrame(CGRectMake(i * (side + kRatingSpacing), (b.size.height - side) / 2, side, side));
    point->setImage(objc::send<UIImage*()>(cls, i < self->_rating ? "ratingStarImage"_sel : "ratingDotImage"_sel));
    ++i;
  }
}

struct MPUTheme : NSObject {
  static constexpr const char* kClassName = "MPUTheme";
};

id themeClass() { return reinterpret_cast<id>(objc_getClass("MPUTheme")); }

}  // namespace

UIImage* themeExplicitGlyph(NSString* sizeCategory) {
  return objc::send<UIImage*(NSString*)>(themeClass(), "explicitGlyphImageForSizeCategory:"_sel, sizeCategory);
}
UIImage* themeCloudGlyph() { return objc::send<UIImage*()>(themeClass(), "cloudGlyph"_sel); }

void registerMediaPlayerThemeClasses() {
  objc::ClassBuilder<MPUTheme>("MPUTheme", objc::classOf<NSObject>())
      .classMethod<&Theme_explicitGlyph>("explicitGlyphImageForSizeCategory:")
      .classMethod<&Theme_cloudGlyph>("cloudGlyph");
  objc::ClassBuilder<MPURatingControl>("MPURatingControl", objc::classOf<UIView>())
      .ivar("_imageViews", &MPURatingControl::_imageViews)
      .classMethod<&Rating_dotImage>("ratingDotImage")
      .classMethod<&Rating_starImage>("ratingStarImage")
      .method<&Rating_initWithFrame>("initWithFrame:")
      .method<&Rating_layoutSubviews>("layoutSubviews");
}
