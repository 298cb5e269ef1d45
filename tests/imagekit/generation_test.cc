// Image generation: solid and rounded colours, stretchable images, tinting,
// rounding, composition and gradients, pixel by pixel where the drawing is
// exact. The cache is process-wide, so each test asks for colours and sizes
// of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <string>

#include "imagekit/imagekit.h"
#include "platform/foundation/foundation.h"
#include "platform/uikit/uikit.h"
#include "tests/support/pixels.h"
#include "tests/support/screen_scale.h"

namespace {

constexpr RGBA kClear{0, 0, 0, 0};

UIColor* colour(int r, int g, int b) { return UIColor::withRGBA(r / 255.0, g / 255.0, b / 255.0, 1); }

void expectAll(UIImage* image, RGBA expected, const std::string& what) {
  CGImageRef cg = image->CGImage();
  for (size_t y = 0; y < CGImageGetHeight(cg); ++y)
    for (size_t x = 0; x < CGImageGetWidth(cg); ++x)
      ASSERT_EQ(pixelAt(cg, x, y), expected) << what << " at " << x << ", " << y;
}

// A glyph of 4 × 2 points at scale 2: an opaque black top row, one point at
// 40% black below it, and transparency elsewhere.
UIImage* glyph() {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 2), NO, 2);
  UIColor::blackColor()->setFill();
  CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 4, 1));
  UIColor::withWhite(0, 0.4)->setFill();
  CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 1, 1, 1));
  UIImage* image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

TEST(SolidColourTest, FillsEveryPixelAtTheScreenScaleAndNilOrNoAreaGivesNil) {
  struct Case {
    CGFloat scale;
    int r, g, b;
  };
  for (Case k : {Case{1, 51, 102, 153}, Case{2, 204, 0, 51}}) {
    ScreenScale screen(k.scale);
    UIImage* image = add::imageWithColor(colour(k.r, k.g, k.b), CGSizeMake(3, 2));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), CGSizeMake(3, 2));
    EXPECT_EQ(image->scale(), k.scale);
    EXPECT_EQ(image->imageOrientation(), UIImageOrientationUp);
    EXPECT_EQ(CGImageGetWidth(image->CGImage()), size_t(3 * k.scale));
    expectAll(image, {k.r, k.g, k.b, 255}, "scale " + std::to_string(k.scale));
    UIImage* point = add::imageWithColor(colour(k.g, k.b, k.r));
    ASSERT_TRUE(point);
    EXPECT_EQ(CGImageGetWidth(point->CGImage()), size_t(k.scale)) << "one point by default";
  }
  EXPECT_EQ(add::imageWithColor(nil), nil);
  EXPECT_EQ(add::resizableImageWithColor(nil), nil);
  EXPECT_EQ(add::imageWithColor(colour(1, 2, 3), CGSizeMake(0, 4)), nil) << "no bitmap for a zero side";
}

TEST(SolidColourTest, EachRadiusRoundsTheCornerOfItsName) {
  ScreenScale screen(1);
  struct Case {
    const char* corner;
    ADDCornerInset inset;
    size_t x, y;  // the pixel at that corner of the finished image
  };
  const Case cases[] = {
      {"top-left", {8, 0, 0, 0}, 0, 0},
      {"top-right", {0, 8, 0, 0}, 19, 0},
      {"bottom-left", {0, 0, 8, 0}, 0, 19},
      {"bottom-right", {0, 0, 0, 8}, 19, 19},
  };
  const size_t corners[4][2] = {{0, 0}, {19, 0}, {0, 19}, {19, 19}};
  UIImage* square = add::imageWithColor(colour(9, 9, 9), CGSizeMake(20, 20), ADDCornerInsetZero);
  for (const auto& corner : corners) EXPECT_EQ(pixelAt(square->CGImage(), corner[0], corner[1]).a, 255);
  int n = 0;
  // Drawn so, and cut so from an image: upright either way.
  for (const Case& k : cases)
    for (UIImage* image : {add::imageWithColor(colour(10 + n++, 20, 30), CGSizeMake(20, 20), k.inset),
                           add::imageWithCornerInset(square, k.inset)}) {
      CGImageRef cg = image->CGImage();
      for (const auto& corner : corners) {
        bool rounded = corner[0] == k.x && corner[1] == k.y;
        EXPECT_EQ(pixelAt(cg, corner[0], corner[1]).a, rounded ? 0 : 255)
            << k.corner << " image, pixel " << corner[0] << ", " << corner[1];
      }
      EXPECT_EQ(pixelAt(cg, 10, 10).a, 255) << k.corner;
      EXPECT_EQ(pixelAt(cg, k.x, 10).a, 255) << k.corner << ": the middle of the edge stays";
    }
}

TEST(StretchableColourTest, SmallestImageWithCapsAroundAOnePointCentre) {
  ScreenScale screen(2);
  struct Case {
    ADDCornerInset inset;
    CGSize size;
    UIEdgeInsets caps;
  };
  const Case cases[] = {
      {{4, 4, 4, 4}, {9, 9}, {4, 4, 4, 4}},
      {{2, 3, 0, 1}, {6, 5}, {3, 2, 1, 3}},
      {{0, 0, 0, 0}, {1, 1}, {0, 0, 0, 0}},
  };
  int n = 0;
  for (const Case& k : cases) {
    UIColor* c = colour(40 + n++, 50, 60);
    UIImage* image = add::resizableImageWithColor(c, k.inset);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), k.size);
    EXPECT_EQ(image->scale(), 2);
    EXPECT_EQ(image->capInsets(), k.caps);
    EXPECT_EQ(add::resizableImageWithColor(c, k.inset), image) << "cached";
  }
  UIImage* rounded = add::resizableImageWithColor(colour(40, 50, 60), 4.0);
  EXPECT_EQ(rounded, add::resizableImageWithColor(colour(40, 50, 60), {4, 4, 4, 4})) << "a radius rounds every corner";
  EXPECT_EQ(pixelAt(rounded->CGImage(), 0, 0).a, 0);
  EXPECT_EQ(pixelAt(rounded->CGImage(), 9, 9), (RGBA{40, 50, 60, 255}));
}

TEST(StretchableColourTest, FifteenNamedColourImages) {
  const char* colours[] = {"blackColor",   "darkGrayColor", "lightGrayColor", "whiteColor", "grayColor",
                           "redColor",     "greenColor",    "blueColor",      "cyanColor",  "yellowColor",
                           "magentaColor", "orangeColor",   "purpleColor",    "brownColor", "clearColor"};
  for (const char* name : colours) {
    const std::string selector = "add_" + std::string(name) + "Image";
    UIImage* image = add::namedColorImage(sel_registerName(selector.c_str()));
    ASSERT_TRUE(image) << selector;
    EXPECT_EQ(image->size(), CGSizeMake(1, 1)) << selector;
    EXPECT_EQ(image->capInsets(), UIEdgeInsetsZero) << selector;
    EXPECT_EQ(image, add::resizableImageWithColor(UIColor::named(sel_registerName(name)))) << selector;
    CGFloat r, g, b, a;
    UIColor::named(sel_registerName(name))->getRGBA(&r, &g, &b, &a);
    RGBA expected{int(std::lround(r * a * 255)), int(std::lround(g * a * 255)), int(std::lround(b * a * 255)),
                  int(std::lround(a * 255))};
    EXPECT_TRUE(near(pixelAt(image->CGImage(), 0, 0), expected, 1)) << selector << " " << pixelAt(image->CGImage(), 0, 0);
  }
}

TEST(TintTest, ThreeStylesAndTheRest) {
  UIImage* shape = glyph();
  UIColor* c = colour(51, 102, 204);
  struct Case {
    ADDImageTintStyle style;
    RGBA top, translucent, empty;
  };
  const Case cases[] = {
      {ADDImageTintStyleKeepingAlpha, {51, 102, 204, 255}, {20, 41, 82, 102}, kClear},
      {ADDImageTintStyleOverBackground, {0, 0, 0, 255}, {31, 61, 122, 255}, {51, 102, 204, 255}},
      {ADDImageTintStyleCutOut, kClear, {31, 61, 122, 153}, {51, 102, 204, 255}},
      {0, kClear, kClear, kClear},
      {4, kClear, kClear, kClear},
  };
  for (const Case& k : cases) {
    UIImage* tinted = add::tintedImageWithColor(shape, c, k.style);
    ASSERT_TRUE(tinted) << k.style;
    EXPECT_EQ(tinted->scale(), 2);
    EXPECT_EQ(tinted->size(), CGSizeMake(4, 2));
    EXPECT_EQ(tinted->imageOrientation(), UIImageOrientationUp);
    CGImageRef cg = tinted->CGImage();
    // Pixels 0-1 of rows 0-1 are the top row's first point; the translucent
    // point is pixels 0-1 of rows 2-3; the rest of rows 2-3 is empty.
    EXPECT_EQ(pixelAt(cg, 7, 1), k.top) << "style " << k.style << ": the top row stays on top";
    EXPECT_TRUE(near(pixelAt(cg, 1, 3), k.translucent, 1)) << "style " << k.style << ": " << pixelAt(cg, 1, 3);
    EXPECT_EQ(pixelAt(cg, 6, 3), k.empty) << "style " << k.style;
  }
  EXPECT_EQ(add::tintedImageWithColor(shape, nil, 1), shape);
}

TEST(TintTest, NamedImageFromTheBundleIsTintedAndCached) {
  ScreenScale screen(2);
  char dir[] = "/tmp/mirel-bundle-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string error;
  ASSERT_TRUE(UIImageWritePNG(glyph(), (std::string(dir) + "/note@2x.png").c_str(), &error)) << error;
  NSBundleSetResourcePath(dir);
  UIColor* c = colour(0, 153, 0);
  UIImage* tinted = add::imageNamed("note"_ns, c, ADDImageTintStyleKeepingAlpha);
  ASSERT_TRUE(tinted);
  EXPECT_EQ(tinted->scale(), 2);
  EXPECT_EQ(tinted->size(), CGSizeMake(4, 2));
  EXPECT_EQ(pixelAt(tinted->CGImage(), 0, 0), (RGBA{0, 153, 0, 255}));
  EXPECT_EQ(add::imageNamed("note"_ns, c, ADDImageTintStyleKeepingAlpha), tinted);
  NSNumber* style = objc::send<NSNumber*(unsigned)>(reinterpret_cast<id>(objc::classOf<NSNumber>()),
                                                    "numberWithUnsignedInt:"_sel, ADDImageTintStyleKeepingAlpha);
  EXPECT_EQ(add::cachedImageWithDescriptors(NSDictionary::withObjectsAndKeys(
                {"note"_ns, kUIImageName, c, kUIImageTintColor, style, kUIImageTintStyle})),
            tinted)
      << "filed under its descriptor dictionary";
  EXPECT_NE(add::imageNamed("note"_ns, c, ADDImageTintStyleCutOut), tinted) << "the style is part of the key";
  UIImage* plain = add::imageNamed("note.png"_ns, nil, ADDImageTintStyleKeepingAlpha);
  ASSERT_TRUE(plain);
  EXPECT_EQ(pixelAt(plain->CGImage(), 0, 0), (RGBA{0, 0, 0, 255})) << "a nil tint leaves the image as loaded";
  EXPECT_NE(add::imageNamed("note"_ns, nil, ADDImageTintStyleKeepingAlpha), plain) << "and nothing is cached";
  EXPECT_EQ(add::imageNamed("missing"_ns, c, 1), nil);
  EXPECT_EQ(add::imageNamed(nil, c, 1), nil);
  std::remove((std::string(dir) + "/note@2x.png").c_str());
  rmdir(dir);
}

TEST(RoundedImageTest, ValidityAtItsEqualityEdges) {
  ScreenScale screen(1);
  UIImage* image = add::imageWithColor(colour(5, 5, 5), CGSizeMake(10, 20));
  struct Case {
    ADDCornerInset inset;
    bool valid;
  };
  const Case cases[] = {
      {{5, 5, 5, 5}, true},         {{6, 6, 6, 6}, false},       {{10, 0, 0, 0}, true},
      {{10.001, 0, 0, 0}, false},   {{0, 10, 0, 10}, true},      {{0, 10, 0, 10.001}, false},
      {{0, 0, 5, 5}, true},         {{0, 0, 5, 5.001}, false},   {{20, -10, 0, 0}, true},
      {{-3, -3, -3, -3}, true},     {{0, 0, 20, 0}, false},      {{10, 0, 10, 0}, true},
  };
  for (const Case& k : cases)
    EXPECT_EQ(add::isValidCornerInset(image, k.inset), k.valid)
        << k.inset.topLeft << " " << k.inset.topRight << " " << k.inset.bottomLeft << " " << k.inset.bottomRight;
}

TEST(RoundedImageTest, CornersCutFromAnImage) {
  ScreenScale screen(2);
  UIImage* tall = add::imageWithColor(colour(0, 0, 204), CGSizeMake(10, 20));
  UIImage* five = add::imageWithCornerRadius(tall, 5);
  ASSERT_TRUE(five);
  EXPECT_EQ(add::imageWithCornerRadius(tall, 6), nil);
  EXPECT_EQ(five->scale(), 2);
  EXPECT_EQ(five->size(), CGSizeMake(10, 20));
  CGImageRef cg = five->CGImage();
  EXPECT_EQ(pixelAt(cg, 0, 0), kClear);
  EXPECT_EQ(pixelAt(cg, 19, 39), kClear);
  EXPECT_EQ(pixelAt(cg, 0, 20), (RGBA{0, 0, 204, 255}));
  UIImage* bounds = add::imageWithRoundedBounds(tall);
  EXPECT_EQ(pixelAt(bounds->CGImage(), 0, 0), kClear);
  EXPECT_EQ(pixelAt(bounds->CGImage(), 0, 20), (RGBA{0, 0, 204, 255})) << "radius 5: straight between the arcs";

  UIImage* square = add::imageWithColor(colour(0, 0, 205), CGSizeMake(10, 10));
  UIImage* circle = add::imageWithRoundedBounds(square);
  CGImageRef disc = circle->CGImage();
  // A disc of radius 10 px about (10, 10): pixels whose centres lie more
  // than 0.71 px outside or inside the circle are empty or full.
  EXPECT_EQ(pixelAt(disc, 1, 1).a, 0);
  EXPECT_EQ(pixelAt(disc, 18, 18).a, 0);
  EXPECT_EQ(pixelAt(disc, 1, 18).a, 0);
  EXPECT_EQ(pixelAt(disc, 4, 5).a, 255);
  EXPECT_EQ(pixelAt(disc, 1, 10).a, 255);
  EXPECT_EQ(pixelAt(disc, 10, 1).a, 255);
}

TEST(CompositionTest, CentredWithItsRoundingAndAtAnOffset) {
  ScreenScale screen(2);
  const RGBA red{204, 0, 0, 255}, blue{0, 0, 153, 255};
  UIImage* base = add::imageWithColor(colour(204, 0, 0), CGSizeMake(15, 15));
  UIImage* top = add::imageWithColor(colour(0, 0, 153), CGSizeMake(10, 10));
  UIImage* centred = add::imageAddingImage(base, top);
  ASSERT_TRUE(centred);
  EXPECT_EQ(centred->scale(), 2);
  EXPECT_EQ(centred->size(), CGSizeMake(15, 15));
  CGImageRef cg = centred->CGImage();
  EXPECT_EQ(pixelAt(cg, 3, 3), red);  // offset (2, 2) points = 4 pixels
  EXPECT_EQ(pixelAt(cg, 4, 4), blue);
  EXPECT_EQ(pixelAt(cg, 23, 23), blue);
  EXPECT_EQ(pixelAt(cg, 24, 24), red);
  UIImage* shifted = add::imageAddingImage(base, top, CGPointMake(-5, 10));
  CGImageRef s = shifted->CGImage();
  EXPECT_EQ(pixelAt(s, 9, 20), blue);
  EXPECT_EQ(pixelAt(s, 10, 20), red);
  EXPECT_EQ(pixelAt(s, 0, 19), red);
  EXPECT_EQ(pixelAt(s, 9, 29), blue) << "cut off at the base's edge";
  const RGBA odd{204, 0, 1, 255};
  UIImage* thirteen = add::imageWithColor(colour(204, 0, 1), CGSizeMake(13, 13));
  CGImageRef rounded = add::imageAddingImage(thirteen, top)->CGImage();  // 1.5 rounds down to 1 point
  EXPECT_EQ(pixelAt(rounded, 1, 1), odd);
  EXPECT_EQ(pixelAt(rounded, 2, 2), blue);
  EXPECT_EQ(pixelAt(rounded, 21, 21), blue);
  EXPECT_EQ(pixelAt(rounded, 22, 22), odd);
  EXPECT_EQ(add::imageAddingImage(base, nil), nil);
}

TEST(GradientTest, EndColoursFollowTheDirection) {
  ScreenScale screen(2);
  NSArray* colours = NSArray::withObjects({colour(255, 0, 0), colour(0, 0, 255)});
  const RGBA red{255, 0, 0, 255}, blue{0, 0, 255, 255};
  struct Case {
    ADDImageGradientDirection direction;
    RGBA topLeft, topRight, bottomLeft, bottomRight;
  };
  const Case cases[] = {
      {ADDImageGradientDirectionVertical, red, red, blue, blue},
      {ADDImageGradientDirectionHorizontal, red, blue, red, blue},
      {ADDImageGradientDirectionTopLeftToBottomRight, red, {128, 0, 128, 255}, {128, 0, 128, 255}, blue},
      {ADDImageGradientDirectionTopRightToBottomLeft, {128, 0, 128, 255}, red, blue, {128, 0, 128, 255}},
  };
  for (const Case& k : cases) {
    UIImage* image = add::imageWithGradient(colours, CGSizeMake(20, 20), k.direction);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->scale(), 2);
    EXPECT_EQ(image->size(), CGSizeMake(20, 20));
    EXPECT_EQ(add::imageWithGradient(colours, CGSizeMake(20, 20), k.direction), image);
    CGImageRef cg = image->CGImage();
    EXPECT_TRUE(near(pixelAt(cg, 0, 0), k.topLeft, 12)) << k.direction << " " << pixelAt(cg, 0, 0);
    EXPECT_TRUE(near(pixelAt(cg, 39, 0), k.topRight, 12)) << k.direction << " " << pixelAt(cg, 39, 0);
    EXPECT_TRUE(near(pixelAt(cg, 0, 39), k.bottomLeft, 12)) << k.direction << " " << pixelAt(cg, 0, 39);
    EXPECT_TRUE(near(pixelAt(cg, 39, 39), k.bottomRight, 12)) << k.direction << " " << pixelAt(cg, 39, 39);
  }
  UIImage* none = add::imageWithGradient(colours, CGSizeMake(3, 3), 0);
  ASSERT_TRUE(none);
  expectAll(none, kClear, "direction 0");
  EXPECT_EQ(add::imageWithGradient(colours, CGSizeMake(3, 3), 0), none) << "cached even though empty";
  EXPECT_EQ(add::imageWithGradient(colours, CGSizeMake(0, 3), 1), nil);
}

TEST(GradientTest, StretchableStripsAndTheirCaps) {
  ScreenScale screen(2);
  NSArray* colours = NSArray::withObjects({colour(0, 255, 0), colour(0, 0, 0)});
  EXPECT_EQ(add::resizableImageWithGradient(colours, CGSizeMake(0, 10), ADDImageGradientDirectionHorizontal), nil);
  EXPECT_EQ(add::resizableImageWithGradient(colours, CGSizeMake(10, 0), ADDImageGradientDirectionVertical), nil);
  EXPECT_EQ(add::resizableImageWithGradient(colours, CGSizeMake(0, 0), 3), nil);
  struct Case {
    CGSize size;
    ADDImageGradientDirection direction;
    CGSize strip;
    UIEdgeInsets caps;
  };
  const Case cases[] = {
      {{0, 10}, ADDImageGradientDirectionVertical, {1, 10}, {0, 1, 0, 1}},
      {{30, 0}, ADDImageGradientDirectionHorizontal, {30, 1}, {1, 0, 1, 0}},
      {{6, 4}, ADDImageGradientDirectionTopLeftToBottomRight, {6, 4}, {1, 1, 1, 1}},
  };
  for (const Case& k : cases) {
    UIImage* image = add::resizableImageWithGradient(colours, k.size, k.direction);
    ASSERT_TRUE(image) << k.direction;
    EXPECT_EQ(image->size(), k.strip) << k.direction;
    EXPECT_EQ(image->capInsets(), k.caps) << k.direction;
    EXPECT_EQ(add::resizableImageWithGradient(colours, k.size, k.direction), image);
  }
  UIImage* vertical = add::resizableImageWithGradient(colours, CGSizeMake(0, 10), ADDImageGradientDirectionVertical);
  EXPECT_TRUE(near(pixelAt(vertical->CGImage(), 0, 0), {0, 255, 0, 255}, 12));
  EXPECT_TRUE(near(pixelAt(vertical->CGImage(), 1, 19), {0, 0, 0, 255}, 12));
}

}  // namespace
