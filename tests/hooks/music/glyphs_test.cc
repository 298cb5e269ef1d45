// Glyphs and the rating control through launched Music hosts whose glyph
// methods are counted and, on request, answer other images.
#include <gtest/gtest.h>

#include <string>

#include "platform/coregraphics/CGContext.h"
#include "platform/objc/class.h"
#include "platform/objc/class_builder.h"
#include "platform/uikit/UIGraphics.h"
#include "tests/hooks/music/probes.h"
#include "tests/support/pixels.h"
#include "tweak/settings.h"

namespace {

id classNamed(const char* name) { return reinterpret_cast<id>(objc_getClass(name)); }

UIImage* ratingImage(const char* selector) {
  return objc::send<UIImage*()>(classNamed("MPURatingControl"), sel_registerName(selector));
}

// A solid square of the given side at scale 1.
Ref<UIImage> square(CGFloat side) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(side, side), NO, 1);
  CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), 0.5, 0.5, 0.5, 1);
  CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, side, side));
  Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

int calls(const char* selector) { return probes().glyphCalls[selector]; }

TEST(RatingImages, TheDotIsCachedWhileItsSizeHoldsAndRebuiltWhenItChangesAndTheStarApart) {
  inLaunch(probedMusicHost(), [] {
    Ref<UIImage> first;
    {
      AutoreleasePool pool;
      first = ratingImage("ratingDotImage");
      ASSERT_NE(first.get(), nullptr);
      EXPECT_EQ(first->renderingMode(), UIImageRenderingModeAlwaysTemplate);
      EXPECT_EQ(first->size(), CGSizeMake(10, 10));
      EXPECT_EQ(calls("ratingDotImage"), 1) << "an empty cache takes one host call";
      EXPECT_EQ(ratingImage("ratingDotImage"), first.get());
      EXPECT_EQ(calls("ratingDotImage"), 2) << "a current cache is checked with one host call";
    }
    EXPECT_EQ(objc_retainCount(first), 2u) << "the cache and this test hold it";

    probes().glyphAnswers["ratingDotImage"] = square(12);
    Ref<UIImage> rebuilt;
    {
      AutoreleasePool pool;
      rebuilt = ratingImage("ratingDotImage");
      EXPECT_NE(rebuilt.get(), first.get());
      EXPECT_EQ(rebuilt->size(), CGSizeMake(12, 12));
      EXPECT_EQ(rebuilt->renderingMode(), UIImageRenderingModeAlwaysTemplate);
      EXPECT_EQ(rebuilt->CGImage(), probes().glyphAnswers["ratingDotImage"]->CGImage()) << "the same pixels";
      EXPECT_EQ(calls("ratingDotImage"), 4) << "a rebuild takes two host calls";
      EXPECT_EQ(ratingImage("ratingDotImage"), rebuilt.get());
    }
    EXPECT_EQ(objc_retainCount(first), 1u) << "the cache let the older copy go";

    // The star has a cache of its own.
    AutoreleasePool pool;
    probes().glyphAnswers["ratingStarImage"] = square(7);
    EXPECT_EQ(calls("ratingStarImage"), 0);
    UIImage* star = ratingImage("ratingStarImage");
    EXPECT_EQ(calls("ratingStarImage"), 1) << "the star's cache was still empty";
    EXPECT_EQ(star->size(), CGSizeMake(7, 7));
    EXPECT_EQ(star->renderingMode(), UIImageRenderingModeAlwaysTemplate);
    EXPECT_EQ(ratingImage("ratingDotImage"), rebuilt.get());
    EXPECT_EQ(ratingImage("ratingStarImage"), star);
  });
}

// --- Theme glyphs ---------------------------------------------------------------------

struct ThemeGlyph {
  const char* selector;
  UIImage* (*ask)(const char* sizeCategory);  // the category is ignored by the cloud glyph
};

UIImage* askExplicit(const char* category) {
  return objc::send<UIImage*(NSString*)>(classNamed("MPUTheme"), "explicitGlyphImageForSizeCategory:"_sel,
                                         NSString::withUTF8(category));
}
UIImage* askCloud(const char*) { return objc::send<UIImage*()>(classNamed("MPUTheme"), "cloudGlyph"_sel); }

const ThemeGlyph kThemeGlyphs[] = {{"explicitGlyphImageForSizeCategory:", &askExplicit}, {"cloudGlyph", &askCloud}};

// Every fully opaque pixel of `shape` is exactly the primary text colour in
// `filled`, every fully transparent one transparent.
void expectFilledInPrimary(UIImage* filled, UIImage* shape) {
  CGImageRef a = filled->CGImage(), b = shape->CGImage();
  ASSERT_EQ(CGImageGetWidth(a), CGImageGetWidth(b));
  int opaque = 0;
  for (size_t y = 0; y < CGImageGetHeight(b); ++y)
    for (size_t x = 0; x < CGImageGetWidth(b); ++x) {
      int alpha = pixelAt(b, x, y).a;
      if (alpha == 255) {
        ++opaque;
        EXPECT_EQ(pixelAt(a, x, y), (RGBA{0x20, 0x40, 0xC0, 0xFF})) << x << "," << y;
      } else if (alpha == 0) {
        EXPECT_EQ(pixelAt(a, x, y).a, 0) << x << "," << y;
      }
    }
  EXPECT_GT(opaque, 0);
}

// An empty host glyph on the first call is filled (to no image) and leaves
// the first call to come.
TEST(ThemeGlyphs, TheFirstCallWithAGlyphHandsOutATemplateCopyAndEveryLaterCallARepaintedGlyph) {
  inLaunch(probedMusicHost(), [] {
    for (const ThemeGlyph& glyph : kThemeGlyphs) {
      SCOPED_TRACE(glyph.selector);
      AutoreleasePool pool;
      probes().glyphAnswers[glyph.selector] = objc::make<UIImage>();
      EXPECT_EQ(glyph.ask("UICTContentSizeCategoryM"), nullptr) << "an empty glyph filled is no image";
      EXPECT_EQ(calls(glyph.selector), 2) << "the size test and the fill";
      probes().glyphAnswers[glyph.selector] = nullptr;

      UIImage* first = glyph.ask("UICTContentSizeCategoryM");
      ASSERT_NE(first, nullptr);
      EXPECT_EQ(first->renderingMode(), UIImageRenderingModeAlwaysTemplate) << "the cache was still empty";
      EXPECT_EQ(first->size(), hostGlyphImage(glyph.selector, "UICTContentSizeCategoryM"_ns)->size());
      EXPECT_EQ(calls(glyph.selector), 4) << "the size test and the copy";

      UIImage* second = glyph.ask("UICTContentSizeCategoryL");
      UIImage* host = hostGlyphImage(glyph.selector, "UICTContentSizeCategoryL"_ns);
      ASSERT_NE(second, nullptr);
      EXPECT_NE(second->renderingMode(), UIImageRenderingModeAlwaysTemplate);
      EXPECT_EQ(second->size(), host->size()) << "the glyph of the category asked for";
      EXPECT_EQ(second->scale(), host->scale());
      expectFilledInPrimary(second, host);
      EXPECT_EQ(calls(glyph.selector), 5) << "one host call for each later glyph";
      EXPECT_NE(glyph.ask("UICTContentSizeCategoryL"), second) << "a new image on every call";
    }
  });
}

// --- The rating control ------------------------------------------------------------------

// Rating controls as other hosts may build them: "_imageViews" holding an
// image view, a label, a plain view and another image view; or the same
// views and no such field.
struct LeanRatingControl : UIView {
  static constexpr const char* kClassName = "MPURatingControl";
  Ref<NSArray> _imageViews;
};

UIView* LeanControl_initWithFrame(LeanRatingControl* self, SEL, CGRect frame) {
  auto* control =
      objc::as<LeanRatingControl>(objc::sendSuper<UIView*(CGRect)>(self, objc::classOf<UIView>(), "initWithFrame:"_sel, frame));
  Ref<NSMutableArray> views = objc::make<NSMutableArray>();
  views->addObject(UIView::make<UIImageView>(CGRectZero));
  views->addObject(UIView::make<UILabel>(CGRectZero));
  views->addObject(UIView::create(CGRectZero));
  views->addObject(UIView::make<UIImageView>(CGRectZero));
  for (id view : views->items()) control->addSubview(objc::as<UIView>(view));
  control->_imageViews = views;
  return control;
}

template <bool WithField>
void registerLeanRatingControl() {
  objc::ClassBuilder<LeanRatingControl> builder("MPURatingControl", objc::classOf<UIView>());
  if (WithField) builder.ivar("_imageViews", &LeanRatingControl::_imageViews);
  builder.method<&LeanControl_initWithFrame>("initWithFrame:");
}

TEST(RatingControl, OnlyImageViewsInTheFieldTakeThePrimaryTextColourAsTint) {
  struct Host {
    const char* name;
    TestLaunch launch;
    size_t views;
    bool withField;
  };
  Host hosts[] = {{"the stock control", probedMusicHost(), 5, true},
                  {"with _imageViews", probedMusicHost(), 4, true},
                  {"without _imageViews", probedMusicHost(), 4, false}};
  hosts[1].launch.registerHostClasses = &registerLeanRatingControl<true>;
  hosts[2].launch.registerHostClasses = &registerLeanRatingControl<false>;
  for (const Host& host : hosts) {
    SCOPED_TRACE(host.name);
    inLaunch(host.launch, [&host] {
      for (CGRect frame : {CGRectZero, CGRectMake(0, 0, 60, 12)}) {
        id fresh = allocOf("MPURatingControl");
        Ref<UIView> control = adopt(objc::send<UIView*(CGRect)>(fresh, "initWithFrame:"_sel, frame));
        ASSERT_EQ(control.get(), objc::as<UIView>(fresh)) << "the host's control is returned";
        EXPECT_EQ(control->frame(), frame);
        std::vector<UIView*> views = control->subviewList();
        ASSERT_EQ(views.size(), host.views);
        for (size_t i = 0; i < views.size(); ++i) {
          if (host.withField && views[i]->isKindOfClass(objc::classOf<UIImageView>()))
            EXPECT_TRUE(sameColour(views[i]->_tintColor, ThemeColours.PrimaryTextColour)) << i;
          else
            EXPECT_EQ(views[i]->_tintColor.get(), nullptr) << i;
        }
      }
    });
  }
}

}  // namespace
