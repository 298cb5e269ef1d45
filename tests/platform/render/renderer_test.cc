// The compositor on small view trees, pixel by pixel, the texts it measures
// while it draws, and the JSON dump of a known tree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>

#include "platform/coregraphics/CGContext.h"
#include "platform/render/Renderer.h"
#include "platform/render/ViewDump.h"
#include "platform/uikit/uikit.h"

namespace {

struct Pixel {
  int r, g, b, a;
};

Pixel pixelAt(const Bitmap& bitmap, int x, int y) {
  uint8_t p[4];
  bitmap.rgbaAt(x, y, p);
  return {p[0], p[1], p[2], p[3]};
}

Ref<UIView> viewWith(CGRect frame, UIColor* background) {
  Ref<UIView> view = UIView::create(frame);
  view->setBackgroundColor(background);
  return view;
}

Bitmap render(UIView* root) { return renderWindow(root, {.scale = 1}); }

// A root coloured `behind`, a parent view over it and a child view in the
// parent, each covering the whole 10 × 10 canvas.
TEST(Renderer, AlphaMultipliesDownTheTreeAndHiddenSubtreesDoNotDraw) {
  struct Case {
    const char* what;
    UIColor *behind, *parentColour;
    CGFloat parentAlpha;
    BOOL parentHidden;
    UIColor* childColour;
    CGFloat childAlpha;
    Pixel expected;
  };
  const Case cases[] = {
      {"half-transparent blue over red", UIColor::redColor(), nil, 1, NO, UIColor::blueColor(), 0.5, {128, 0, 128, 255}},
      {"black at a quarter over white", UIColor::whiteColor(), nil, 0.5, NO, UIColor::blackColor(), 0.5,
       {191, 191, 191, 255}},
      {"hidden parent hides its child", UIColor::whiteColor(), UIColor::redColor(), 1, YES, UIColor::blueColor(), 1,
       {255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    Ref<UIView> root = viewWith(CGRectMake(0, 0, 10, 10), c.behind);
    Ref<UIView> parent = viewWith(CGRectMake(0, 0, 10, 10), c.parentColour);
    parent->setAlpha(c.parentAlpha);
    parent->setHidden(c.parentHidden);
    Ref<UIView> child = viewWith(CGRectMake(0, 0, 10, 10), c.childColour);
    child->setAlpha(c.childAlpha);
    parent->addSubview(child);
    root->addSubview(parent);
    Pixel p = pixelAt(render(root), 5, 5);
    EXPECT_NEAR(p.r, c.expected.r, 1) << c.what;
    EXPECT_NEAR(p.g, c.expected.g, 1) << c.what;
    EXPECT_NEAR(p.b, c.expected.b, 1) << c.what;
    EXPECT_EQ(p.a, c.expected.a) << c.what;
  }
}

// White on the left half of a 60 × 20 canvas and `right` on the other, under
// a backdrop over `frame` that blurs with `radius` and does not tint.
Bitmap blurredEdge(UIColor* right, CGRect frame, CGFloat radius) {
  AutoreleasePool pool;
  Ref<UIView> root = viewWith(CGRectMake(0, 0, 60, 20), nil);
  root->addSubview(viewWith(CGRectMake(0, 0, 30, 20), UIColor::whiteColor()));
  root->addSubview(viewWith(CGRectMake(30, 0, 30, 20), right));
  UIBackdropViewSettings* settings = UIBackdropViewSettings::forStyle(0);
  objc::send<void(CGFloat)>(settings, "setBlurRadius:"_sel, radius);
  objc::send<void(CGFloat)>(settings, "setSaturationDeltaFactor:"_sel, 1.0);
  objc::send<void(BOOL)>(settings, "setUsesColorTintView:"_sel, NO);
  root->addSubview(adopt(objc::alloc<UIBackdropView>()->initWithFrame(frame, NO, settings)));
  EXPECT_TRUE(settings->blurRadius() == radius || std::isnan(radius)) << "the renderer bounds only what it draws with";
  return render(root);
}

TEST(Renderer, BlurSoftensAnEdgeOnlyInsideItsFrame) {
  Bitmap picture = blurredEdge(UIColor::blackColor(), CGRectMake(20, 0, 20, 20), 6);
  Pixel insideLeft = pixelAt(picture, 28, 10), insideRight = pixelAt(picture, 31, 10);
  EXPECT_GT(insideLeft.r, 128);
  EXPECT_LT(insideLeft.r, 250) << "white next to the edge is darkened by the blur";
  EXPECT_LT(insideRight.r, 128);
  EXPECT_GT(insideRight.r, 5) << "black next to the edge is lightened by the blur";
  EXPECT_EQ(pixelAt(picture, 18, 10).r, 255) << "outside the frame the edge stays sharp";
  EXPECT_EQ(pixelAt(picture, 41, 10).r, 0);
}

// Any radius a preferences file can hold draws, and past the canvas's size
// it draws as the canvas-wide blur does (the settings keep the value).
TEST(Renderer, BlurRadiusIsBoundedByTheCanvas) {
  auto picture = [](CGFloat radius) { return blurredEdge(UIColor::redColor(), CGRectMake(10, 0, 40, 20), radius); };
  auto same = [](const Bitmap& a, const Bitmap& b) {
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) {
        Pixel p = pixelAt(a, x, y), q = pixelAt(b, x, y);
        if (p.r != q.r || p.g != q.g || p.b != q.b || p.a != q.a) return false;
      }
    return true;
  };
  const struct {
    CGFloat radius, drawnAs;
  } cases[] = {{1e9, 60}, {1e5, 60}, {HUGE_VAL, 60}, {61, 60}, {-1e9, 0}, {NAN, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radius);
    EXPECT_TRUE(same(picture(c.radius), picture(c.drawnAs)));
  }
  EXPECT_FALSE(same(picture(30), picture(60))) << "below the bound the radius still matters";
}

TEST(Renderer, WallpaperShowsOnlyWhereTheBackgroundStyleLetsIt) {
  Bitmap wallpaper = Bitmap::create(4, 4);
  cairo_t* cr = cairo_create(wallpaper.surface());
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  Ref<UIView> root = viewWith(CGRectMake(0, 0, 4, 4), nil);
  EXPECT_EQ(pixelAt(renderWindow(root, {.scale = 1, .backgroundStyle = 0, .wallpaper = &wallpaper}), 1, 1).r, 0);
  EXPECT_EQ(pixelAt(renderWindow(root, {.scale = 1, .backgroundStyle = 1, .wallpaper = &wallpaper}), 1, 1).r, 255);
  Pixel dark = pixelAt(renderWindow(root, {.scale = 1, .backgroundStyle = 3, .wallpaper = &wallpaper}), 1, 1);
  EXPECT_GT(dark.r, 60);
  EXPECT_LT(dark.r, 200) << "style 3 shows the wallpaper under a dark blur";
}

TEST(ViewDump, KnownTreeHasTheStableKeys) {
  Ref<UIView> root = viewWith(CGRectMake(0, 0, 320, 100), UIColor::whiteColor());
  root->setTag(7);
  Ref<UILabel> label = UIView::make<UILabel>(CGRectMake(10, 20, 100, 30));
  label->setText("Songs"_ns);
  label->setTextColor(UIColor::withRGBA(1, 0, 0, 0.5));
  root->addSubview(label);
  Ref<UIBackdropView> blur = adopt(objc::alloc<UIBackdropView>()->initWithFrame(CGRectZero, YES,
                                                                                 UIBackdropViewSettings::forStyle(2)));
  root->addSubview(blur);
  nlohmann::json dump = dumpView(root);
  EXPECT_EQ(dump["class"], "UIView");
  EXPECT_EQ(dump["frame"], nlohmann::json({0, 0, 320, 100}));
  EXPECT_EQ(dump["backgroundColor"], "#FFFFFFFF");
  EXPECT_EQ(dump["tag"], 7);
  EXPECT_EQ(dump["hidden"], false);
  ASSERT_EQ(dump["subviews"].size(), 2u);
  EXPECT_EQ(dump["subviews"][0]["class"], "UILabel");
  EXPECT_EQ(dump["subviews"][0]["text"], "Songs");
  EXPECT_EQ(dump["subviews"][0]["textColor"], "#FF000080");
  EXPECT_EQ(dump["subviews"][0]["tintColor"], dump["tintColor"]) << "tint is inherited";
  const nlohmann::json& settings = dump["subviews"][1]["settings"];
  EXPECT_EQ(settings["style"], 2);
  EXPECT_EQ(settings["blurQuality"], "default");
  EXPECT_EQ(dump["subviews"][1]["frame"], nlohmann::json({0, 0, 320, 100})) << "an autosizing blur fills its superview";
}

// --- Readability ---------------------------------------------------------------

std::vector<TextReading> readingsOf(UIView* root, double scale = 2) {
  std::vector<TextReading> readings;
  renderWindow(root, {.scale = scale, .readings = &readings});
  return readings;
}

UIColor* grey(int value) { return UIColor::withWhite(value / 255.0, 1); }

Ref<UILabel> labelIn(UIView* parent, CGRect frame, UIColor* ink, UIFont* font = UIFont::systemFont(17)) {
  Ref<UILabel> label = UIView::make<UILabel>(frame);
  label->setText("Readable text"_ns);
  label->setTextColor(ink);
  label->setFont(font);
  parent->addSubview(label);
  return label;
}

TEST(Readability, RatiosOverSolidBackgroundsAndTheInkAsItLands) {
  struct Case {
    const char* what;
    UIColor *background, *ink;
    CGFloat labelAlpha;
    double inkAlpha, ratio;
    ReadabilityVerdict verdict;
  };
  const Case cases[] = {
      {"white on black", UIColor::blackColor(), UIColor::whiteColor(), 1, 1, 21, ReadabilityVerdict::AAA},
      {"#777777 on white", UIColor::whiteColor(), grey(0x77), 1, 1, 4.48, ReadabilityVerdict::BelowAA},
      {"#767676 on white", UIColor::whiteColor(), grey(0x76), 1, 1, 4.54, ReadabilityVerdict::AA},
      // Laid over white, half of black is the grey #808080.
      {"half-transparent black ink", UIColor::whiteColor(), UIColor::withWhite(0, 0.5), 1, 0.5, 3.95,
       ReadabilityVerdict::BelowAA},
      {"black ink in a half-transparent label", UIColor::whiteColor(), UIColor::blackColor(), 0.5, 0.5, 3.95,
       ReadabilityVerdict::BelowAA},
      // #404040 over black.
      {"half-transparent white in a half-transparent label", UIColor::blackColor(), UIColor::withWhite(1, 0.5), 0.5,
       0.25, 2.03, ReadabilityVerdict::BelowAA},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ref<UIView> root = viewWith(CGRectMake(0, 0, 200, 40), c.background);
    labelIn(root, CGRectMake(10, 10, 180, 20), c.ink)->setAlpha(c.labelAlpha);
    std::vector<TextReading> readings = readingsOf(root);
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_NEAR(readings[0].contrast, c.ratio, 0.01);
    EXPECT_NEAR(readings[0].worstContrast, c.ratio, 0.01);
    EXPECT_EQ(readings[0].verdict, c.verdict);
    EXPECT_DOUBLE_EQ(readings[0].ink[3], c.inkAlpha);
  }
}

// White ink over a background white on the left quarter of the text and
// black on the rest: the median reads the black, the worst case the white.
TEST(Readability, AWorstCaseFindsTheWorseSideOfTheBackground) {
  Ref<UIView> root = viewWith(CGRectMake(0, 0, 200, 40), UIColor::blackColor());
  Ref<UIView> lighter = viewWith(CGRectZero, UIColor::whiteColor());
  root->addSubview(lighter);
  labelIn(root, CGRectMake(10, 10, 180, 20), UIColor::whiteColor());
  TextReading alone = readingsOf(root).at(0);
  lighter->setFrame(CGRectMake(0, 0, alone.x + alone.width / 4, 40));
  TextReading split = readingsOf(root).at(0);
  EXPECT_NEAR(split.contrast, 21, 0.01);
  EXPECT_NEAR(split.worstContrast, 1, 0.01);
  EXPECT_EQ(split.verdict, ReadabilityVerdict::BelowAA);
  EXPECT_EQ(alone.verdict, ReadabilityVerdict::AAA);
}

TEST(Readability, LargeTextThresholdsAtTheirEdges) {
  struct Case {
    int grey;  // on white: #888888 is 3.54:1, #666666 5.74:1
    CGFloat size;
    bool bold;
    ReadabilityVerdict verdict;
  };
  const Case cases[] = {
      {0x88, 17.9, false, ReadabilityVerdict::BelowAA}, {0x88, 18, false, ReadabilityVerdict::AA},
      {0x88, 13.9, true, ReadabilityVerdict::BelowAA},  {0x88, 14, true, ReadabilityVerdict::AA},
      {0x88, 17.9, true, ReadabilityVerdict::AA},       {0x88, 14, false, ReadabilityVerdict::BelowAA},
      {0x66, 17.9, false, ReadabilityVerdict::AA},      {0x66, 18, false, ReadabilityVerdict::AAA},
      {0x66, 13.9, true, ReadabilityVerdict::AA},       {0x66, 14, true, ReadabilityVerdict::AAA},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.grey) + " at " + std::to_string(c.size) + (c.bold ? " bold" : ""));
    Ref<UIView> root = viewWith(CGRectMake(0, 0, 200, 40), UIColor::whiteColor());
    labelIn(root, CGRectMake(10, 5, 180, 30), grey(c.grey), c.bold ? UIFont::boldSystemFont(c.size) : UIFont::systemFont(c.size));
    std::vector<TextReading> readings = readingsOf(root);
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_EQ(readings[0].pointSize, c.size);
    EXPECT_EQ(readings[0].verdict, c.verdict) << readings[0].worstContrast;
  }
}

// A label at (10, 10) in a 200 × 40 window, and what else the window holds.
TEST(Readability, TextsThatDoNotReachTheScreenAreLeftOutAndPartCoversAreSaid) {
  struct Case {
    const char* what;
    std::function<void(UIView* root, UILabel* label)> arrange;
    size_t count;
    double covered;
  };
  const Case cases[] = {
      {"in view", [](UIView*, UILabel*) {}, 1, 0},
      {"hidden", [](UIView*, UILabel* label) { label->setHidden(YES); }, 0, 0},
      {"transparent", [](UIView*, UILabel* label) { label->setAlpha(0); }, 0, 0},
      {"off screen", [](UIView*, UILabel* label) { label->setFrame(CGRectMake(250, 10, 180, 20)); }, 0, 0},
      {"half off screen", [](UIView*, UILabel* label) { label->setFrame(CGRectMake(-100, 10, 180, 20)); }, 1, 0},
      {"under a later opaque view",
       [](UIView* root, UILabel*) { root->addSubview(viewWith(CGRectMake(0, 0, 200, 40), UIColor::redColor())); }, 0,
       0},
      {"under a later blur", [](UIView* root, UILabel*) {
         root->addSubview(adopt(objc::alloc<UIBackdropView>()->initWithFrame(CGRectMake(0, 0, 200, 40), NO,
                                                                              UIBackdropViewSettings::forStyle(0))));
       }, 0, 0},
      {"under a later half-transparent view",
       [](UIView* root, UILabel*) {
         root->addSubview(viewWith(CGRectMake(0, 0, 200, 40), UIColor::withRGBA(1, 0, 0, 0.5)));
       },
       1, 0},
      // Covers only hide what was drawn before them: the other label.
      {"over an opaque view drawn before it",
       [](UIView* root, UILabel*) {
         root->insertSubviewAtIndex(viewWith(CGRectMake(0, 0, 200, 40), UIColor::blackColor()), 0);
         Ref<UILabel> other = UIView::make<UILabel>(CGRectMake(10, 10, 180, 20));
         other->setText("Other"_ns);
         root->insertSubviewAtIndex(other, 0);
       },
       1, 0},
      {"its top half covered later",
       [](UIView* root, UILabel*) {
         root->addSubview(viewWith(CGRectMake(0, 0, 200, 20.5), UIColor::redColor()));
       },
       1, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ref<UIView> root = viewWith(CGRectMake(0, 0, 200, 40), UIColor::whiteColor());
    Ref<UILabel> label = labelIn(root, CGRectMake(10, 10, 180, 20), UIColor::blackColor());
    c.arrange(root, label);
    std::vector<TextReading> readings = readingsOf(root);
    ASSERT_EQ(readings.size(), c.count);
    if (c.count == 0) continue;
    EXPECT_EQ(readings[0].text, "Readable text");
    EXPECT_NEAR(readings[0].covered, c.covered, 0.05);
    EXPECT_GE(readings[0].x, 0) << "the box is the part on the screen";
    EXPECT_LE(readings[0].x + readings[0].width, 200);
  }
}

// Text drawn into an image at scale 2, shown by an image view twice the
// image's size: measured where it lands, at the size it shows, in the
// colour its pixels have (a template's in the tint, green on white 1.37:1).
TEST(Readability, TextInAnImageIsMeasuredWhereTheImageLands) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(100, 20), NO, 2);
  drawString("Station"_ns, CGRectMake(0, 0, 100, 20),
             NSDictionary::withObjectsAndKeys({grey(0x77), NSForegroundColorAttributeName(), UIFont::systemFont(10),
                                               NSFontAttributeName()}));
  UIImage* drawing = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  for (bool asTemplate : {false, true}) {
    SCOPED_TRACE(asTemplate ? "template" : "as drawn");
    Ref<UIView> root = viewWith(CGRectMake(0, 0, 300, 100), UIColor::whiteColor());
    Ref<UIImageView> shown = UIView::make<UIImageView>(CGRectMake(30, 40, 200, 40));
    shown->setImage(asTemplate ? drawing->imageWithRenderingMode(UIImageRenderingModeAlwaysTemplate) : drawing);
    shown->setTintColor(UIColor::withRGBA(0, 1, 0, 1));
    root->addSubview(shown);
    std::vector<TextReading> readings;
    Bitmap picture = renderWindow(root, {.scale = 2, .readings = &readings});
    EXPECT_EQ(pixelAt(picture, 440, 150).r, 255) << "the image's transparent parts show what is behind";
    ASSERT_EQ(readings.size(), 1u);
    const TextReading& r = readings[0];
    EXPECT_EQ(r.text, "Station");
    EXPECT_TRUE(r.inImage);
    EXPECT_EQ(r.viewClass, "UIImageView");
    EXPECT_EQ(r.viewPath, "/subviews/0");
    EXPECT_NEAR(r.pointSize, 20, 1e-9);
    EXPECT_NEAR(r.x, 30, 1);
    EXPECT_GT(r.y, 40);
    EXPECT_LT(r.y + r.height, 80);
    EXPECT_NEAR(r.contrast, asTemplate ? 1.37 : 4.48, 0.05);
    // The glyphs are drawn in the colour measured: a template's in the tint.
    Pixel inkiest{255, 255, 255, 255};  // the least red and blue
    for (int y = 2 * r.y; y < 2 * (r.y + r.height); ++y)
      for (int x = 2 * r.x; x < 2 * (r.x + r.width); ++x)
        if (Pixel p = pixelAt(picture, x, y); p.r + p.b < inkiest.r + inkiest.b) inkiest = p;
    EXPECT_NEAR(inkiest.r, asTemplate ? 0 : 0x77, 10);
    EXPECT_NEAR(inkiest.g, asTemplate ? 255 : 0x77, 10);
  }
}

TEST(Readability, TheViewDumpGainsEachTextsRatios) {
  Ref<UIView> root = viewWith(CGRectMake(0, 0, 200, 80), UIColor::whiteColor());
  Ref<UIView> row = viewWith(CGRectMake(0, 40, 200, 40), nil);
  root->addSubview(viewWith(CGRectMake(0, 0, 200, 40), nil));
  root->addSubview(row);
  labelIn(row, CGRectMake(10, 10, 180, 20), grey(0x77));
  std::vector<TextReading> readings = readingsOf(root);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(readings[0].viewPath, "/subviews/1/subviews/0");
  nlohmann::json dump = dumpView(root);
  addReadingsToDump(dump, readings);
  const nlohmann::json& label = dump["subviews"][1]["subviews"][0];
  ASSERT_EQ(label["readability"].size(), 1u);
  EXPECT_EQ(label["readability"][0]["text"], "Readable text");
  EXPECT_EQ(label["readability"][0]["worstContrast"], 4.47) << "cut, not rounded, to two places";
  EXPECT_EQ(label["readability"][0]["verdict"], "below AA");
  EXPECT_FALSE(dump["subviews"][1].contains("readability")) << "only the view that drew the text";
}

}  // namespace
